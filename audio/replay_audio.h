// A replay's sound, inside the audio subsystem: the callback's work run by the main thread, and
// the queue through which a fed device plays it (audio.h has the frame's side).
#pragma once

#include "audio/device.h"
#include "audio/shared_flag.h"
#include "audio/stereo_frame.h"

#include <cstdint>

// A few whole device buffers: the main thread renders one or two ahead of the device. One
// writer (the main thread) and one reader (the device thread): two counters of bytes, each
// written by one side, so neither ever waits.
constexpr int FED_BUFFER_BYTES = DEVICE_BUFFER_FRAMES * STEREO_FRAME_BYTES;
constexpr int FED_QUEUED_BUFFERS = 8;
constexpr uint64_t FED_QUEUE_BYTES = FED_QUEUED_BUFFERS * FED_BUFFER_BYTES;

struct FedQueue {
    uint8_t bytes[FED_QUEUE_BYTES] = {};
    SharedValue<uint64_t> written; // main thread
    SharedValue<uint64_t> read;    // device thread
    SharedFlag fed;
};

// Start-up of a replay's sound: an empty queue, and whether the device plays the queue instead
// of mixing (`fed`).
void startOfflineSound(bool fed);
// The device no longer plays the queue.
void stopOfflineSound();

// In audioCallback: when the device is fed, fills the stream from the queue (silence where it
// runs dry) and returns true. Never waits, never allocates.
bool playFedStream(uint8_t* stream, int length);
