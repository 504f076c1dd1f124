// The edge to the sound card: open, pause and close the output, which calls audioCallback on
// its own thread. Only device_sdl.cpp talks to SDL's audio (device_web.cpp to the browser's, on
// the page's one thread); tests link a null device instead.
#pragma once

#include <cstdint>

// 44100 frames per second, two channels, signed 16-bit little-endian, 2048-frame buffers.
constexpr int DEVICE_BUFFER_FRAMES = 2048;

// Opens the output paused, with the format above and audioCallback. On failure returns false
// and points `reason` at the device's own explanation.
bool openDevice(const char*& reason);
// Both do nothing when the device is not open.
void pauseDevice(bool paused);
// A silenced device still calls back, so the music and the sounds go on unheard, and plays
// silence instead of what the callback made. Any time, open or not.
void silenceDevice(bool silent);
// After this the callback no longer runs.
void closeDevice();

// The device thread's entry: fills length / 4 frames of the stream; a length that is not a
// multiple of 4 leaves the last bytes untouched. Never waits, never allocates.
void audioCallback(void* userData, uint8_t* stream, int length);
