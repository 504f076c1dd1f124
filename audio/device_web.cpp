// The sound card in a browser, without SDL: Web Audio, fed by audioCallback in buffers of 2048
// frames queued a little ahead of what plays now, as emscripten's SDL did (a 50 ms margin and
// five buffers). The one file that calls Web Audio.
#include "audio/device.h"

#include "audio/stereo_frame.h"

#include <emscripten.h>

#include <cstring>

namespace {
bool deviceOpen = false;
bool deviceSilent = false;
StereoFrame stream[DEVICE_BUFFER_FRAMES];
} // namespace

// The next buffer, for the queue below: what the callback made, or silence.
extern "C" EMSCRIPTEN_KEEPALIVE const StereoFrame* fillSoundBuffer() {
    auto* bytes = reinterpret_cast<uint8_t*>(stream);
    audioCallback(nullptr, bytes, static_cast<int>(sizeof stream));
    if (deviceSilent) std::memset(bytes, 0, sizeof stream);
    return stream;
}

// One audio context for the page, woken by the player's first key, click or touch, as browsers
// allow. (No arrow functions here: the preprocessor would split their "=>".)
// clang-format off
EM_JS(bool, soundOpen, (int rate, int frames), {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return false;
    const context = Module.soundContext || (Module.soundContext = new Context());
    Module.sound = { context: context, rate: rate, frames: frames, next: 0, timer: 0,
        seconds: frames / rate };
    function wake() {
        if (context.state == "suspended") context.resume();
    }
    for (const type of ["keydown", "mousedown", "pointerup", "touchend"]) {
        document.addEventListener(type, wake, true);
    }
    return true;
});

// Starts or stops the queue: while it runs, buffers are made until five and the margin lie
// ahead of the sound playing, and again every half buffer.
EM_JS(void, soundRun, (bool running), {
    const sound = Module.sound;
    clearTimeout(sound.timer);
    if (!running) return;
    function queue() {
        const now = sound.context.currentTime;
        while (sound.next - now < 0.05 + 5 * sound.seconds) {
            const samples = _fillSoundBuffer() >> 1;
            const buffer = sound.context.createBuffer(2, sound.frames, sound.rate);
            for (let channel = 0; channel < 2; channel++) {
                const data = buffer.getChannelData(channel);
                for (let i = 0; i < sound.frames; i++) data[i] = HEAP16[samples + 2 * i + channel] / 32768;
            }
            const source = sound.context.createBufferSource();
            source.buffer = buffer;
            source.connect(sound.context.destination);
            const at = Math.max(now + 0.05, sound.next);
            source.start(at);
            sound.next = at + sound.seconds;
        }
        sound.timer = setTimeout(queue, 500 * sound.seconds);
    }
    queue();
});
// clang-format on

// The page never blocks, so nothing is waited for.
bool openDevice(const char*& reason, void (*)(uint32_t)) {
    if (!soundOpen(SAMPLE_RATE, DEVICE_BUFFER_FRAMES)) {
        reason = "Web Audio is missing";
        return false;
    }
    deviceOpen = true;
    return true;
}

void pauseDevice(bool paused) {
    if (deviceOpen) soundRun(!paused);
}

void silenceDevice(bool silent) {
    deviceSilent = silent;
}

bool closeDevice() {
    if (deviceOpen) soundRun(false);
    deviceOpen = false;
    return true;
}
