// The window and clock through SDL 1.2.
#include "frame/platform.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

// With no display SDL falls back on drivers that draw nowhere; a full-screen game that nobody
// can see or quit is worse than a clear error. Asked for by name, they are kept.
static bool drawsNowhere() {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (requested && *requested) return false;
    char name[32] = "";
    SDL_VideoDriverName(name, sizeof name);
    if (std::strcmp(name, "offscreen") != 0 && std::strcmp(name, "dummy") != 0) return false;
    SDL_SetError("no display to show a window on");
    return true;
}

bool openWindow(int* width, int* height) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || drawsNowhere()) return false;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The desktop's size, read before the window exists: the window takes the whole display.
    const SDL_VideoInfo* display = SDL_GetVideoInfo();
    int displayWidth = display ? display->current_w : 0;
    int displayHeight = display ? display->current_h : 0;
    if (!SDL_SetVideoMode(displayWidth, displayHeight, 32, SDL_OPENGL | SDL_FULLSCREEN)) {
        return false;
    }
    SDL_WM_SetCaption("tinyarcade", "tinyarcade");
    SDL_EnableUNICODE(1);
    // A held key sends one press: one Print Screen is one file, one key one game.
    SDL_EnableKeyRepeat(0, 0);
    SDL_ShowCursor(0);
    windowSize(width, height);
    return true;
}

const char* platformError() {
    return SDL_GetError();
}

void windowSize(int* width, int* height) {
    const SDL_Surface* window = SDL_GetVideoSurface();
    *width = window ? window->w : 0;
    *height = window ? window->h : 0;
}

#ifdef __EMSCRIPTEN__
// Emscripten's SDL names the arrow keys by scan code plus 1024; the game knows SDL 1.2's key
// symbols (Up 273, Down 274, Right 275, Left 276). Its other keys agree with SDL 1.2.
static int desktopKeySymbol(int symbol) {
    switch (symbol) {
    case 82 | 1 << 10:
        return 273;
    case 81 | 1 << 10:
        return 274;
    case 79 | 1 << 10:
        return 275;
    case 80 | 1 << 10:
        return 276;
    default:
        return symbol;
    }
}
#else
static int desktopKeySymbol(int symbol) {
    return symbol;
}
#endif

bool pollFrameEvent(FrameEvent* event) {
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent)) {
        switch (sdlEvent.type) {
        case SDL_QUIT:
            *event = {FrameEvent::QUIT, 0};
            return true;
        case SDL_KEYDOWN:
            *event = {FrameEvent::PRESS, desktopKeySymbol(sdlEvent.key.keysym.sym)};
            return true;
        case SDL_KEYUP:
            *event = {FrameEvent::RELEASE, desktopKeySymbol(sdlEvent.key.keysym.sym)};
            return true;
        default:
            // Mouse, focus and the rest mean nothing to the game.
            break;
        }
    }
    return false;
}

uint32_t clockMilliseconds() {
    return SDL_GetTicks();
}

void sleepMilliseconds(uint32_t milliseconds) {
#ifdef __EMSCRIPTEN__
    // A page may not block: the browser paces the loop by its animation frames instead.
    (void)milliseconds;
#else
    SDL_Delay(milliseconds);
#endif
}

void closeWindow() {
    SDL_Quit();
}
