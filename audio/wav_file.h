// WAV files of the game's sound: 16-bit stereo at 44100 Hz, the device's own format.
#pragma once

#include <cstdint>
#include <cstdio>

// Writes the 44-byte header of a file of `frames` frames at the file's position.
bool writeWavHeader(std::FILE* file, uint32_t frames);
