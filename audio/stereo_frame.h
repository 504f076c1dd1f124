// One frame of sound: a signed 16-bit left sample, then the right one, and its byte form.
#pragma once

#include <cstdint>

struct StereoFrame {
    int16_t left;
    int16_t right;
};

constexpr int SAMPLE_RATE = 44100;

// Bytes of one frame in the device's stream and in a WAV file.
constexpr int STEREO_FRAME_BYTES = 4;

// Writes `count` frames as 16-bit little-endian values, left then right: the byte order of the
// device's stream and of a WAV file.
inline void writeStereoFrames(const StereoFrame* frames, int count, uint8_t* bytes) {
    for (int i = 0; i < count; ++i) {
        const auto left = static_cast<uint16_t>(frames[i].left);
        const auto right = static_cast<uint16_t>(frames[i].right);
        bytes[0] = static_cast<uint8_t>(left & 0xff);
        bytes[1] = static_cast<uint8_t>(left >> 8);
        bytes[2] = static_cast<uint8_t>(right & 0xff);
        bytes[3] = static_cast<uint8_t>(right >> 8);
        bytes += STEREO_FRAME_BYTES;
    }
}
