// The edge to the sound card: open, pause and close the output, which calls audioCallback on
// its own thread. Only device_sdl.cpp talks to SDL's audio; tests link a null device instead.
//
// A sound server may stop answering (stopped, or busy elsewhere) and hold whoever asks it
// something: opening and closing are therefore done aside, and the caller keeps its say.
#pragma once

#include <cstdint>

// 44100 frames per second, two channels, signed 16-bit little-endian, 2048-frame buffers.
constexpr int DEVICE_BUFFER_FRAMES = 2048;

// Opens the output paused, with the format above and audioCallback. Until it has opened,
// whileWaiting (when given) is called about every tenth of a second with the milliseconds
// waited so far; it may end the program. On failure returns false and points `reason` at the
// device's own explanation.
bool openDevice(const char*& reason, void (*whileWaiting)(uint32_t waited));
// Both do nothing when the device is not open.
void pauseDevice(bool paused);
// After this the callback no longer runs. False when the device did not close within about a
// second: the callback may still run then, and nothing of SDL's may be shut down under it.
bool closeDevice();

// The device thread's entry: fills length / 4 frames of the stream; a length that is not a
// multiple of 4 leaves the last bytes untouched. Never waits, never allocates.
void audioCallback(void* userData, uint8_t* stream, int length);
