// One frame of sound: a signed 16-bit left sample, then the right one.
#pragma once

#include <cstdint>

struct StereoFrame {
    int16_t left;
    int16_t right;
};

constexpr int SAMPLE_RATE = 44100;
