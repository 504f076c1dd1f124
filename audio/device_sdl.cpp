// The sound card through SDL 1.2's audio. The one file that calls SDL's audio functions.
#include "audio/device.h"

#include "audio/stereo_frame.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <system_error>
#include <thread>

namespace {
// Pausing or closing a device that never opened would overwrite SDL's last error, which is the
// reason the open failed, before anyone has reported it.
bool deviceOpen = false;
// SDL keeps its last error per thread: the opening thread copies it here for the caller.
char openFailure[256] = "";

constexpr auto WAIT_STEP = std::chrono::milliseconds(100);
constexpr auto CLOSE_PATIENCE = std::chrono::seconds(1);

bool openWanted() {
    SDL_AudioSpec wanted{};
    wanted.freq = SAMPLE_RATE;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = 2;
    wanted.samples = DEVICE_BUFFER_FRAMES;
    wanted.callback = audioCallback;
    wanted.userdata = nullptr;
    // No room for the format obtained: SDL then converts to exactly what was asked for.
    if (SDL_OpenAudio(&wanted, nullptr) == 0) return true;
    std::snprintf(openFailure, sizeof openFailure, "%s", SDL_GetError());
    return false;
}

bool closeOpened() {
    SDL_CloseAudio();
    return true;
}

// Runs `call` on a thread of its own, which the caller may stop waiting for: a call stuck in
// the sound server then stays stuck alone. Without a thread to spare (or threads at all, in a
// browser), runs it here.
std::future<bool> runAside(bool (*call)()) {
    std::promise<bool> result;
    std::future<bool> future = result.get_future();
#ifdef __EMSCRIPTEN__
    result.set_value(call());
#else
    try {
        std::thread([call, done = std::move(result)]() mutable {
            done.set_value(call());
        }).detach();
    } catch (const std::system_error&) {
        std::promise<bool> here;
        future = here.get_future();
        here.set_value(call());
    }
#endif
    return future;
}
} // namespace

bool openDevice(const char*& reason, void (*whileWaiting)(uint32_t waited)) {
    const auto begun = std::chrono::steady_clock::now();
    std::future<bool> opening = runAside(openWanted);
    while (opening.wait_for(WAIT_STEP) != std::future_status::ready) {
        const auto waited = std::chrono::steady_clock::now() - begun;
        if (whileWaiting) {
            whileWaiting(static_cast<uint32_t>(
                std::chrono::duration_cast<std::chrono::milliseconds>(waited).count()));
        }
    }
    deviceOpen = opening.get();
    if (!deviceOpen) reason = openFailure;
    return deviceOpen;
}

void pauseDevice(bool paused) {
    if (deviceOpen) SDL_PauseAudio(paused ? 1 : 0);
}

bool closeDevice() {
    if (!deviceOpen) return true;
    deviceOpen = false;
    return runAside(closeOpened).wait_for(CLOSE_PATIENCE) == std::future_status::ready;
}
