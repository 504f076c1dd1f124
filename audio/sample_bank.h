// The sample bank: 19 decoded sounds, filled once by the loader thread.
//
// The entries and samplesReady live in the audio state (audio/audio_state.h). Entries are
// written only by the loader, before samplesReady is set; everyone else reads them only after
// seeing samplesReady set.
#pragma once

#include "audio/sound_numbers.h"
#include "audio/stereo_frame.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <vector>

constexpr int SAMPLE_COUNT = 19;

extern const char* const SAMPLE_NAMES[SAMPLE_COUNT];
static_assert(SOUND_FIRST_SAMPLE + SAMPLE_COUNT - 1 == SOUND_PARADOX, "one sound number per name");

struct SampleEntry {
    StereoFrame* frames = nullptr;
    uint32_t length = 0;
};

// Decodes "dat/samples/<name>.ogg" (relative to the working folder) into entry `index`; a
// file that is missing, not a regular file or cannot be decoded leaves the entry empty, and so
// does a `stop` raised while it is decoded. False when memory ran out (the entry stays empty).
bool loadSample(int index, const std::atomic<bool>* stop = nullptr);

// Decodes the first stream of an opened Ogg Vorbis file, and closes it: stereo frames at
// SAMPLE_RATE (another rate is converted), at most SAMPLE_FRAME_LIMIT of them. A damaged
// stretch of audio is skipped, and decoding ends at the first error it cannot skip, keeping
// what came before; nothing for a file whose headers cannot be read, or when `stop` is raised
// meanwhile (looked at between pieces of a few thousand frames). Throws std::bad_alloc when
// memory runs out. Decoded with the reference decoder: it rejects crafted headers that make
// lighter decoders free or write memory they do not own.
std::vector<StereoFrame> decodeSample(std::FILE* file, const std::atomic<bool>* stop);

// How many of the 19 sample files are there to be read (regular files, whatever their
// content).
int countSampleFiles();

// Frees every loaded entry and empties the bank.
void freeSamples();
