// The sample bank: its names, its 19 entries, and the decoding of one file into an entry.
//
// Entries are written only by the loader thread, each once, before samplesReady is set; this
// file never touches an entry that a voice may be playing, and frees them only at shutdown.
#include "audio/sample_bank.h"

#include "audio/decoded_frames.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <cstdio>
#include <cstdlib>

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

void loadSample(int index) {
    char fileName[1024];
    std::snprintf(fileName, sizeof fileName, "dat/samples/%s.ogg", SAMPLE_NAMES[index]);

    int channels = 0;
    short* decoded = nullptr;
    const int frameCount = stb_vorbis_decode_filename(fileName, &channels, nullptr, &decoded);
    // The decoder hands over a buffer even for an empty stream; it is ours to free either way.
    if (frameCount >= 1 && channels >= 1) {
        SampleEntry& entry = sampleBank[index];
        entry.frames = new StereoFrame[frameCount]();
        entry.length = static_cast<uint32_t>(frameCount);
        framesFromDecoded(decoded, channels, entry.length, entry.frames);
    }
    std::free(decoded);
}

void freeSamples() {
    for (SampleEntry& entry : sampleBank) {
        delete[] entry.frames;
        entry.frames = nullptr;
        entry.length = 0;
    }
}
