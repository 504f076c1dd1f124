// The window, the clock and the keys in a browser: the page's canvas, the page's clock and the
// document's key events, without SDL. The browser's key codes end here: the frame sees the key
// codes of frame/platform.h. The page reads the gamepads and reports their changes here.
#include "frame/platform.h"

#include "frame/gamepad.h"

#include <emscripten.h>

namespace {
// The browser's key codes of the six game keys, in key-index order: Up, Down, Left, Right, z,
// x; then Escape and Print Screen.
const int keyTable[GAME_KEY_COUNT] = {38, 40, 37, 39, 90, 88};
constexpr int BROWSER_ESCAPE = 27;
constexpr int BROWSER_PRINT = 44;
// A key event as the page keeps it: the key code, plus this for a press.
constexpr int PRESSED = 1 << 16;

int keyCodeOf(int browserCode) {
    for (int index = 0; index < GAME_KEY_COUNT; index++) {
        if (keyTable[index] == browserCode) return index;
    }
    if (browserCode == BROWSER_ESCAPE) return KEY_CODE_ESCAPE;
    if (browserCode == BROWSER_PRINT) return KEY_CODE_PRINT;
    return KEY_CODE_OTHER;
}
} // namespace

// Presses and releases in the order they came, kept until the main loop's next pass. The page
// stops the browser's repeats before they get here.
// clang-format off
EM_JS(void, listenToKeys, (), {
    Module.keyEvents = [];
    function note(event) {
        Module.keyEvents.push(event.keyCode + (event.type == "keydown" ? 65536 : 0));
    }
    document.addEventListener("keydown", note);
    document.addEventListener("keyup", note);
});
EM_JS(int, nextKeyEvent, (), { return Module.keyEvents.length ? Module.keyEvents.shift() : -1; });
EM_JS(int, canvasWidth, (), { return Module.canvas.width; });
EM_JS(int, canvasHeight, (), { return Module.canvas.height; });
// clang-format on

// The page reads the browser's gamepads and reports each change here (control: PadControl's
// number).
extern "C" EMSCRIPTEN_KEEPALIVE void gamepadChanged(int pad, int control, int value) {
    if (control < 0 || control > static_cast<int>(PadControl::BUTTON_OTHER)) return;
    queuePadChange(pad, static_cast<PadControl>(control), value);
}

// The page sizes the canvas and the picture is drawn into it by display/video_web.cpp: nothing
// to open, nothing to switch.
// The page has no display to lose.
void whenDisplayFails(void (*)()) {}

bool openWindow(bool, int* width, int* height) {
    listenToKeys();
    windowSize(width, height);
    return true;
}

bool switchWindow(int* width, int* height) {
    windowSize(width, height);
    return false;
}

const char* platformError() {
    return "no canvas";
}

void windowSize(int* width, int* height) {
    *width = canvasWidth();
    *height = canvasHeight();
}

bool pollFrameEvent(FrameEvent* event) {
    if (takePadEvent(event)) return true;
    const int next = nextKeyEvent();
    if (next < 0) return false;
    *event = {next >= PRESSED ? FrameEvent::PRESS : FrameEvent::RELEASE, keyCodeOf(next % PRESSED)};
    return true;
}

uint32_t clockMilliseconds() {
    // Wraps after 49 days, as on the desktop.
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

// A page may not block: the browser paces the loop by its animation frames instead.
void sleepMilliseconds(uint32_t) {}

void closeWindow() {}
