// The sound card through SDL 1.2's audio. The one file that calls SDL's audio functions.
#include "audio/device.h"

#include "audio/stereo_frame.h"

#include <SDL.h>

#include <atomic>
#include <cstring>

namespace {
// Pausing or closing a device that never opened would overwrite SDL's last error, which is the
// reason the open failed, before anyone has reported it.
bool deviceOpen = false;
// Set on the main thread, read by the device's.
std::atomic<bool> deviceSilent{false};

void deviceCallback(void* userData, uint8_t* stream, int length) {
    audioCallback(userData, stream, length);
    if (deviceSilent.load(std::memory_order_relaxed)) std::memset(stream, 0, length);
}
} // namespace

bool openDevice(const char*& reason) {
    SDL_AudioSpec wanted{};
    wanted.freq = SAMPLE_RATE;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = 2;
    wanted.samples = DEVICE_BUFFER_FRAMES;
    wanted.callback = deviceCallback;
    wanted.userdata = nullptr;
    // No room for the format obtained: SDL then converts to exactly what was asked for.
    if (SDL_OpenAudio(&wanted, nullptr) < 0) {
        reason = SDL_GetError();
        return false;
    }
    deviceOpen = true;
    return true;
}

void pauseDevice(bool paused) {
    if (deviceOpen) SDL_PauseAudio(paused ? 1 : 0);
}

void silenceDevice(bool silent) {
    deviceSilent.store(silent, std::memory_order_relaxed);
}

void closeDevice() {
    if (deviceOpen) SDL_CloseAudio();
    deviceOpen = false;
}
