// The sample bank: 19 decoded sounds, filled once by the loader thread.
//
// Entries are written only by the loader, before samplesReady is set; everyone else reads them
// only after seeing samplesReady set.
#pragma once

#include "audio/sound_numbers.h"
#include "audio/stereo_frame.h"

#include <atomic>
#include <cstdint>

constexpr int SAMPLE_COUNT = 19;

extern const char* const SAMPLE_NAMES[SAMPLE_COUNT];
static_assert(SOUND_FIRST_SAMPLE + SAMPLE_COUNT - 1 == SOUND_PARADOX, "one sound number per name");

struct SampleEntry {
    StereoFrame* frames = nullptr;
    uint32_t length = 0;
};

extern SampleEntry sampleBank[SAMPLE_COUNT];

// Decodes "dat/samples/<name>.ogg" (relative to the working folder) into entry `index`; a
// file that is missing or cannot be decoded leaves the entry empty.
void loadSample(int index);

// Frees every loaded entry and empties the bank.
void freeSamples();

// Set once the loader has finished (or was stopped); sample sounds start only after it.
extern std::atomic<bool> samplesReady;
