// The browser's entry: start-up as on the desktop, then the browser calls one pass of the main
// loop per animation frame. A page may never block or sleep, so the loop hands control back to
// the browser after every pass; ticks still come from the clock. Every run is recorded in
// memory, so the page can save it as a replay at any moment.
#include "frame/main_loop.h"
#include "frame/replay.h"
#include "frame/start_up.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <emscripten.h>

#include <cstdio>
#include <string>

namespace {
void runPass() {
    if (runLoopIteration()) return;
    emscripten_cancel_main_loop();
    shutDown();
    // The page replaces the still picture with a line saying how to play again.
    emscripten_run_script("if (Module.onGameEnded) Module.onGameEnded()");
}
} // namespace

// Called by the page when the picture's size on screen changes: the window takes the new size,
// and the view is stretched over it as at start-up.
extern "C" EMSCRIPTEN_KEEPALIVE void resizeWindow(int width, int height) {
    if (!SDL_GetVideoSurface() || width <= 0 || height <= 0) return;
    SDL_SetVideoMode(width, height, 32, SDL_OPENGL);
    glViewport(0, 0, width, height);
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
    emscripten_set_main_loop(runPass, 0, false);
    return 0;
}
