// A replay's sound: the main thread runs the callback's work itself, buffer by buffer in step
// with the recorded clock (with the callback's own chance, as always). Checking a replay
// writes it to a file; watching one queues it for the device, whose callback then only copies.
#include "audio/audio.h"
#include "audio/audio_state.h"
#include "audio/callback.h"
#include "audio/replay_audio.h"

#include <cstring>

void startOfflineSound(bool fed) {
    audio.fedQueue.written = 0;
    audio.fedQueue.read = 0;
    audio.fedQueue.fed = fed;
}

void stopOfflineSound() {
    audio.fedQueue.fed = false;
}

void renderOfflineBuffer(uint8_t* stream) {
    fillStream(stream, FED_BUFFER_BYTES);
}

bool fedDeviceHasRoom() {
    const FedQueue& queue = audio.fedQueue;
    return queue.written.value.load(std::memory_order_relaxed) -
               queue.read.value.load(std::memory_order_acquire) <=
           FED_QUEUE_BYTES - FED_BUFFER_BYTES;
}

void feedDevice(const uint8_t* stream) {
    FedQueue& queue = audio.fedQueue;
    const uint64_t written = queue.written.value.load(std::memory_order_relaxed);
    // Whole buffers into a queue of whole buffers: one piece, never wrapped.
    std::memcpy(queue.bytes + written % FED_QUEUE_BYTES, stream, FED_BUFFER_BYTES);
    queue.written.value.store(written + FED_BUFFER_BYTES, std::memory_order_release);
}

bool playFedStream(uint8_t* stream, int length) {
    FedQueue& queue = audio.fedQueue;
    if (!queue.fed.value.load(std::memory_order_acquire)) return false;
    uint64_t read = queue.read.value.load(std::memory_order_relaxed);
    const uint64_t written = queue.written.value.load(std::memory_order_acquire);
    for (int i = 0; i < length; ++i)
        stream[i] = read < written ? queue.bytes[read++ % FED_QUEUE_BYTES] : 0;
    queue.read.value.store(read, std::memory_order_release);
    return true;
}
