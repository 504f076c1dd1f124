// The step from a decoder's interleaved 16-bit output to the bank's stereo frames, kept apart
// from the file reading so it can be checked on plain arrays.
#pragma once

#include "audio/stereo_frame.h"

#include <cstdint>

// Turns `frameCount` frames of `channels` interleaved values each into stereo frames: one
// channel fills both sides, past two channels only the first two are used. Reads exactly
// frameCount x channels values; a channel count below 1 writes nothing.
void framesFromDecoded(const short* decoded, int channels, uint32_t frameCount,
                       StereoFrame* frames);
