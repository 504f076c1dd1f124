// A replay's sound: the main thread runs the callback's work itself, buffer by buffer in step
// with the recorded clock (with the callback's own chance, as always). Checking a replay
// writes it to a file; watching one queues it for the device, whose callback then only copies.
//
// The queue has one writer (the main thread) and one reader (the device thread): two counters
// of bytes, each written by one side, so neither ever waits.
#include "audio/audio.h"
#include "audio/callback.h"
#include "audio/device.h"
#include "audio/replay_audio.h"

#include <atomic>
#include <cstring>

namespace {
constexpr int BUFFER_BYTES = DEVICE_BUFFER_FRAMES * STEREO_FRAME_BYTES;
// A few buffers: the main thread renders one or two ahead of the device.
constexpr int QUEUED_BUFFERS = 8;
constexpr uint64_t QUEUE_BYTES = QUEUED_BUFFERS * BUFFER_BYTES;

struct OfflineSound {
    uint8_t queue[QUEUE_BYTES] = {};
    std::atomic<uint64_t> written{0}; // main thread
    std::atomic<uint64_t> read{0};    // device thread
    std::atomic<bool> fed{false};
};

OfflineSound offline;
} // namespace

void startOfflineSound(bool fed) {
    offline.written = 0;
    offline.read = 0;
    offline.fed = fed;
}

void stopOfflineSound() {
    offline.fed = false;
}

void renderOfflineBuffer(uint8_t* stream) {
    fillStream(stream, BUFFER_BYTES);
}

bool fedDeviceHasRoom() {
    return offline.written.load(std::memory_order_relaxed) -
               offline.read.load(std::memory_order_acquire) <=
           QUEUE_BYTES - BUFFER_BYTES;
}

void feedDevice(const uint8_t* stream) {
    const uint64_t written = offline.written.load(std::memory_order_relaxed);
    // Whole buffers into a queue of whole buffers: one piece, never wrapped.
    std::memcpy(offline.queue + written % QUEUE_BYTES, stream, BUFFER_BYTES);
    offline.written.store(written + BUFFER_BYTES, std::memory_order_release);
}

bool playFedStream(uint8_t* stream, int length) {
    if (!offline.fed.load(std::memory_order_acquire)) return false;
    uint64_t read = offline.read.load(std::memory_order_relaxed);
    const uint64_t written = offline.written.load(std::memory_order_acquire);
    for (int i = 0; i < length; ++i)
        stream[i] = read < written ? offline.queue[read++ % QUEUE_BYTES] : 0;
    offline.read.store(read, std::memory_order_release);
    return true;
}
