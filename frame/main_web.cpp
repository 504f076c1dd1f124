// The browser's entry: start-up as on the desktop, then the browser calls one pass of the main
// loop per animation frame. A page may never block or sleep, so the loop hands control back to
// the browser after every pass; ticks still come from the clock. Every run is recorded in
// memory, so the page can save it as a replay at any moment.
//
// The passes ride emscripten's plain animation frame loop rather than its main loop, whose
// script (a general browser layer) would weigh more than the page's own.
#include "audio/audio.h"
#include "frame/main_loop.h"
#include "frame/replay.h"
#include "frame/start_up.h"

#include <emscripten.h>
#include <emscripten/html5.h>

// The page replaces the still picture with a line saying how to play again.
EM_JS(void, announceGameEnded, (), {
    if (Module.onGameEnded) Module.onGameEnded();
});

#include <cstdio>
#include <string>

namespace {
// The page is hidden: the next animation frame ends the loop instead of running a pass.
bool paused = false;
// An animation frame is asked for: a loop is running (or ending on a pause).
bool looping = false;
// The game has ended: no pass ever runs again.
bool ended = false;

EM_BOOL runPass(double, void*) {
    if (paused) {
        looping = false;
        return EM_FALSE;
    }
    if (runLoopIteration()) return EM_TRUE;
    looping = false;
    ended = true;
    shutDown();
    announceGameEnded();
    return EM_FALSE;
}

void startLoop() {
    if (looping || ended) return;
    looping = true;
    emscripten_request_animation_frame_loop(runPass, nullptr);
}
} // namespace

// Called by the page when it is hidden and shown again: the game and its sound wait, and go on
// where they were. The clock starts afresh, so the hidden time is no stall to catch up on.
extern "C" EMSCRIPTEN_KEEPALIVE void pausePlay(int hidden) {
    if (hidden) {
        paused = true;
        pauseAudio(true);
        return;
    }
    beginMainLoop();
    pauseAudio(false);
    paused = false;
    startLoop();
}

// The page's "sound off" and "sound on".
extern "C" EMSCRIPTEN_KEEPALIVE void setSoundOn(int on) {
    silenceAudio(on == 0);
}

// Called by the page's "save replay": the run so far, as a replay file of the desktop's format,
// goes to tinyarcade.replay in the page's own files, where the page picks it up.
extern "C" EMSCRIPTEN_KEEPALIVE void saveReplay() {
    const std::string text = replaySoFar();
    if (std::FILE* file = std::fopen("tinyarcade.replay", "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}

int main() {
    std::string error;
    startRecording(nullptr, error);
    if (!startUp() || !beginRun(error)) return 1;
    beginMainLoop();
    startLoop();
    return 0;
}
