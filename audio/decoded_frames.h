// The steps from a decoder's interleaved 16-bit output to the bank's stereo frames, kept apart
// from the file reading so they can be checked on plain arrays: the channel layout, the rate,
// and the length limit.
#pragma once

#include "audio/stereo_frame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The longest a sample may be, in frames at SAMPLE_RATE: ten seconds, over four times the
// longest of our own sounds (the 2.3 s paradox). Decoding stops there, so a sample file of any
// length costs at most 1.8 MB.
constexpr uint32_t SAMPLE_FRAME_LIMIT = 10 * SAMPLE_RATE;

// Turns `frameCount` frames of `channels` interleaved values each into stereo frames: one
// channel fills both sides, past two channels only the first two are used. Reads exactly
// frameCount x channels values; a channel count below 1 writes nothing.
void framesFromDecoded(const short* decoded, int channels, uint32_t frameCount,
                       StereoFrame* frames);

// Converts frames of another rate to SAMPLE_RATE by linear interpolation, piece by piece as
// the decoder delivers them: output frame j lies at input position j x rate / SAMPLE_RATE,
// between the two input frames around it. At SAMPLE_RATE every frame is kept as it is.
struct RateConverter {
    uint64_t rate;           // input frames per second, at least 1
    uint64_t framesIn = 0;   // input frames of the pieces so far
    uint64_t framesOut = 0;  // output frames made so far
    StereoFrame lastIn = {}; // the last input frame so far
};

// Appends to `out` the output frames that fall before the last frame of this piece, while
// `out` holds fewer than `limit`.
void convertRate(RateConverter& converter, const StereoFrame* in, size_t count,
                 std::vector<StereoFrame>& out, size_t limit);

// After the last piece: the output frames between the last input frame and the end, which
// hold that frame. In all, n input frames give n x SAMPLE_RATE / rate frames, rounded up.
void finishRate(RateConverter& converter, std::vector<StereoFrame>& out, size_t limit);
