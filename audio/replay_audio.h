// A replay's sound, inside the audio subsystem: the callback's work run by the main thread, and
// the queue through which a fed device plays it (audio.h has the frame's side).
#pragma once

#include <cstdint>

// Start-up of a replay's sound: an empty queue, and whether the device plays the queue instead
// of mixing (`fed`).
void startOfflineSound(bool fed);
// The device no longer plays the queue.
void stopOfflineSound();

// In audioCallback: when the device is fed, fills the stream from the queue (silence where it
// runs dry) and returns true. Never waits, never allocates.
bool playFedStream(uint8_t* stream, int length);
