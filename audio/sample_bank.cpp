// The sample bank: its names, its 19 entries, and the decoding of one file into an entry.
//
// Entries are written only by the loader thread, each once, before samplesReady is set; this
// file never touches an entry that a voice may be playing, and frees them only at shutdown.
#include "audio/sample_bank.h"

#include "audio/decoded_frames.h"
#include "platform/data_file.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <vector>

const char* const SAMPLE_NAMES[SAMPLE_COUNT] = {
    "drum0", "drum1", "drum2", "drum3", "drum4", "drum5", "drum6", "drum7", "drum8",   "drum9",
    "drumA", "drumB", "drumC", "drumD", "drumE", "drumF", "jump",  "birth", "paradox",
};

SampleEntry sampleBank[SAMPLE_COUNT];
std::atomic<bool> samplesReady{false};

void framesFromDecoded(const short* decoded, int channels, uint32_t frameCount,
                       StereoFrame* frames) {
    if (channels < 1) return;
    for (uint32_t frame = 0; frame < frameCount; ++frame) {
        const short* first = decoded + static_cast<size_t>(frame) * channels;
        // One channel sounds the same on both sides; past two, the rest are dropped.
        frames[frame].left = first[0];
        frames[frame].right = channels == 1 ? first[0] : first[1];
    }
}

namespace {
// Room for a few frames of the widest stream Vorbis allows (255 channels of 16 bits).
constexpr int DECODE_BUFFER_BYTES = 8192;

// Decodes the first stream of an Ogg Vorbis file whole into stereo frames; nothing for a file
// that is missing or whose headers cannot be read. A damaged stretch of audio is skipped, and
// decoding ends at the first error it cannot skip, keeping what came before. Decoded with the
// reference decoder: it rejects crafted headers that make lighter decoders free or write
// memory they do not own.
std::vector<StereoFrame> decodeFile(const char* fileName) {
    std::vector<StereoFrame> frames;
    std::FILE* opened = openDataFile(fileName);
    if (!opened) return frames;
    OggVorbis_File file;
    // The decoder closes the file from here on, but not when it cannot open it.
    if (ov_open_callbacks(opened, &file, nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) {
        std::fclose(opened);
        return frames;
    }
    const vorbis_info* info = ov_info(&file, 0);
    // Opening a chained file may leave the decoder in a later stream: start from the top.
    const int channels = info && ov_raw_seek(&file, 0) == 0 ? info->channels : 0;
    short decoded[DECODE_BUFFER_BYTES / sizeof(short)];
    for (int link = 0; channels >= 1;) {
        const long bytes = ov_read(&file, reinterpret_cast<char*>(decoded), sizeof decoded,
                                   0 /* little endian */, 2, 1 /* signed */, &link);
        if (bytes == OV_HOLE) continue;
        // A chained file's next stream may have other channels: only the first one counts.
        if (bytes <= 0 || link != 0) break;
        const auto count = static_cast<uint32_t>(bytes / (2 * channels));
        frames.resize(frames.size() + count);
        framesFromDecoded(decoded, channels, count, frames.data() + frames.size() - count);
    }
    ov_clear(&file);
    return frames;
}
} // namespace

void loadSample(int index) {
    char fileName[1024];
    std::snprintf(fileName, sizeof fileName, "dat/samples/%s.ogg", SAMPLE_NAMES[index]);

    const std::vector<StereoFrame> frames = decodeFile(fileName);
    if (frames.empty()) return;
    SampleEntry& entry = sampleBank[index];
    entry.frames = new StereoFrame[frames.size()]();
    entry.length = static_cast<uint32_t>(frames.size());
    std::copy(frames.begin(), frames.end(), entry.frames);
}

void freeSamples() {
    for (SampleEntry& entry : sampleBank) {
        delete[] entry.frames;
        entry.frames = nullptr;
        entry.length = 0;
    }
}
