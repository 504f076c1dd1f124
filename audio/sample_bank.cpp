// The sample bank: its names, its 19 entries, and the decoding of one file into an entry.
//
// Entries are written only by the loader thread, each once, before samplesReady is set; this
// file never touches an entry that a voice may be playing, and frees them only at shutdown.
#include "audio/sample_bank.h"

#include "audio/audio_state.h"
#include "audio/decoded_frames.h"
#include "platform/data_file.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

const char* const SAMPLE_NAMES[SAMPLE_COUNT] = {
    "drum0", "drum1", "drum2", "drum3", "drum4", "drum5", "drum6", "drum7", "drum8",   "drum9",
    "drumA", "drumB", "drumC", "drumD", "drumE", "drumF", "jump",  "birth", "paradox",
};

namespace {
// Room for a few frames of the widest stream Vorbis allows (255 channels of 16 bits).
constexpr int DECODE_BUFFER_BYTES = 8192;

// Decodes the opened file's first stream into `frames`; see decodeSample.
void decodeOpened(OggVorbis_File& file, const std::atomic<bool>* stop,
                  std::vector<StereoFrame>& frames) {
    const vorbis_info* info = ov_info(&file, 0);
    // Opening a chained file may leave the decoder in a later stream: start from the top.
    if (!info || info->channels < 1 || info->rate < 1 || ov_raw_seek(&file, 0) != 0) return;
    const int channels = info->channels;
    RateConverter converter{static_cast<uint64_t>(info->rate)};
    short decoded[DECODE_BUFFER_BYTES / sizeof(short)];
    StereoFrame piece[DECODE_BUFFER_BYTES / sizeof(short)];
    for (int link = 0; frames.size() < SAMPLE_FRAME_LIMIT;) {
        if (stop && *stop) {
            frames.clear();
            return;
        }
        const long bytes = ov_read(&file, reinterpret_cast<char*>(decoded), sizeof decoded,
                                   0 /* little endian */, 2, 1 /* signed */, &link);
        if (bytes == OV_HOLE) continue;
        // A chained file's next stream may have other channels: only the first one counts.
        if (bytes <= 0 || link != 0) break;
        const auto count = static_cast<uint32_t>(bytes / (2 * channels));
        framesFromDecoded(decoded, channels, count, piece);
        convertRate(converter, piece, count, frames, SAMPLE_FRAME_LIMIT);
    }
    finishRate(converter, frames, SAMPLE_FRAME_LIMIT);
}
} // namespace

std::vector<StereoFrame> decodeSample(std::FILE* opened, const std::atomic<bool>* stop) {
    std::vector<StereoFrame> frames;
    OggVorbis_File file;
    // The decoder closes the file from here on, but not when it cannot open it.
    if (ov_open_callbacks(opened, &file, nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) {
        std::fclose(opened);
        return frames;
    }
    try {
        decodeOpened(file, stop, frames);
    } catch (...) {
        ov_clear(&file);
        throw;
    }
    ov_clear(&file);
    return frames;
}

namespace {
std::FILE* openSampleFile(int index) {
    char fileName[1024];
    std::snprintf(fileName, sizeof fileName, "dat/samples/%s.ogg", SAMPLE_NAMES[index]);
    return openDataFile(fileName);
}
} // namespace

int countSampleFiles() {
    int count = 0;
    for (int index = 0; index < SAMPLE_COUNT; ++index) {
        if (std::FILE* file = openSampleFile(index)) {
            std::fclose(file);
            ++count;
        }
    }
    return count;
}

bool loadSample(int index, const std::atomic<bool>* stop) {
    std::FILE* opened = openSampleFile(index);
    if (!opened) return true;
    try {
        const std::vector<StereoFrame> frames = decodeSample(opened, stop);
        if (frames.empty()) return true;
        SampleEntry& entry = audio.sampleBank[index];
        entry.frames = new StereoFrame[frames.size()];
        entry.length = static_cast<uint32_t>(frames.size());
        std::copy(frames.begin(), frames.end(), entry.frames);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void freeSamples() {
    for (SampleEntry& entry : audio.sampleBank) {
        delete[] entry.frames;
        entry.frames = nullptr;
        entry.length = 0;
    }
}
