// The window, the clock and the keys through SDL 1.2. SDL's key symbols end here: the frame
// sees the key codes of frame/platform.h.
#include "frame/platform.h"

#include "frame/key_place.h"
#include "platform/messages.h"

#include <SDL.h>
#ifndef __EMSCRIPTEN__
#include <X11/Xlib.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// SDL 1.2's key symbols of the six game keys, in key-index order: Up, Down, Left, Right, z, x;
// then Escape and Print Screen. Numbers, since the browser's SDL has other names for the
// arrows (desktopKeySymbol below turns its symbols into these).
static const int keyTable[GAME_KEY_COUNT] = {273, 274, 276, 275, 122, 120};
constexpr int SYMBOL_ESCAPE = 27;
constexpr int SYMBOL_PRINT = 316;
#ifndef __EMSCRIPTEN__
static_assert(SDLK_UP == 273 && SDLK_DOWN == 274 && SDLK_LEFT == 276 && SDLK_RIGHT == 275 &&
                  SDLK_z == 122 && SDLK_x == 120 && SDLK_ESCAPE == SYMBOL_ESCAPE &&
                  SDLK_PRINT == SYMBOL_PRINT,
              "SDL 1.2's key symbols");
#endif

namespace {
void (*stopBeforeLeaving)() = nullptr;
bool windowOpen = false;

#ifndef __EMSCRIPTEN__
[[noreturn]] void leaveForTheDisplay() {
    if (stopBeforeLeaving) stopBeforeLeaving();
    leaveNow(1);
}

// Xlib's own handlers print and call exit(), which unloads libraries while the sound device's
// thread still runs in them. Neither of ours returns into Xlib.
int displayWentAway(Display*) {
    say("the display went away");
    leaveForTheDisplay();
}

int displayRefused(Display* display, XErrorEvent* error) {
    char text[128] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    if (windowOpen) {
        say("the display refused request %d.%d: %s", error->request_code, error->minor_code, text);
    } else {
        // While the window opens, the requests are OpenGL's: a driver that failed to load.
        say("cannot open the window: the display refused OpenGL (request %d.%d): %s",
            error->request_code, error->minor_code, text);
    }
    leaveForTheDisplay();
}
#endif

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// Whether fewer than two more files could be opened now: SDL then cannot even reach the display.
bool filesRunOut() {
    const int first = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int second = first < 0 ? -1 : open("/dev/null", O_RDONLY | O_CLOEXEC);
    const bool runOut = second < 0 && errno == EMFILE;
    if (first >= 0) close(first);
    if (second >= 0) close(second);
    return runOut;
}

// Why no display was reached, as SDL's error.
void explainNoDisplay() {
    rlimit files{};
    if (isSet("DISPLAY") && filesRunOut() && getrlimit(RLIMIT_NOFILE, &files) == 0) {
        SDL_SetError("too many open files to reach the display (at most %lu at once)",
                     static_cast<unsigned long>(files.rlim_cur));
    } else if (isSet("DISPLAY")) {
        SDL_SetError("cannot reach the display %s", std::getenv("DISPLAY"));
    } else {
        SDL_SetError("no display to show a window on");
    }
}

// With no display SDL falls back on drivers that draw nowhere; a full-screen game that nobody
// can see or quit is worse than a clear error. Asked for by name, they are kept.
bool drawsNowhere() {
    if (isSet("SDL_VIDEODRIVER")) return false;
    char name[32] = "";
    SDL_VideoDriverName(name, sizeof name);
    if (std::strcmp(name, "offscreen") != 0 && std::strcmp(name, "dummy") != 0) return false;
    explainNoDisplay();
    return true;
}

bool initVideo() {
#ifndef __EMSCRIPTEN__
    // Wayland needs a runtime folder (or a display named by its path). Without either, X is
    // the only display there can be, and only X is tried, so that no other library speaks
    // before our line.
    if (!isSet("SDL_VIDEODRIVER") && !isSet("WAYLAND_DISPLAY") && !isSet("XDG_RUNTIME_DIR")) {
        if (!isSet("DISPLAY")) {
            explainNoDisplay();
            return false;
        }
        setenv("SDL_VIDEODRIVER", "x11", 1);
        if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
        // SDL's own reason would only be that X11 is not available.
        explainNoDisplay();
        return false;
    }
#endif
    return SDL_Init(SDL_INIT_VIDEO) == 0 && !drawsNowhere();
}
} // namespace

void whenDisplayFails(void (*stopFirst)()) {
    stopBeforeLeaving = stopFirst;
#ifndef __EMSCRIPTEN__
    // Xlib keeps one pair for the whole process. Set before SDL connects, ours are the ones
    // SDL's own safety net hands on to after it has put the desktop back.
    XSetIOErrorHandler(displayWentAway);
    XSetErrorHandler(displayRefused);
#endif
}

bool openWindow(int* width, int* height) {
    if (!initVideo()) return false;
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
    windowOpen = true;
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
static int desktopKeySymbol(const SDL_keysym& key) {
    const int symbol = key.sym;
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
// Under X11 SDL 1.2's scan code is the X key code: z and x have a place as well as a letter.
static int desktopKeySymbol(const SDL_keysym& key) {
    return symbolByPlace(key.sym, key.scancode);
}
#endif

// The game's key code of an SDL key.
static int keyCodeOf(const SDL_keysym& key) {
    const int symbol = desktopKeySymbol(key);
    for (int index = 0; index < GAME_KEY_COUNT; index++) {
        if (keyTable[index] == symbol) return index;
    }
    if (symbol == SYMBOL_ESCAPE) return KEY_CODE_ESCAPE;
    if (symbol == SYMBOL_PRINT) return KEY_CODE_PRINT;
    return KEY_CODE_OTHER;
}

bool pollFrameEvent(FrameEvent* event) {
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent)) {
        switch (sdlEvent.type) {
        case SDL_QUIT:
            *event = {FrameEvent::QUIT, 0};
            return true;
        case SDL_KEYDOWN:
            *event = {FrameEvent::PRESS, keyCodeOf(sdlEvent.key.keysym)};
            return true;
        case SDL_KEYUP:
            *event = {FrameEvent::RELEASE, keyCodeOf(sdlEvent.key.keysym)};
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
    windowOpen = false;
    SDL_Quit();
}
