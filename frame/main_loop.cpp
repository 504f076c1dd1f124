// The main loop and its fixed-step clock.
#include "frame/main_loop.h"

#include "audio/audio.h"
#include "display/palette.h"
#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "frame/render.h"
#include "frame/replay.h"
#include "frame/screens.h"
#include "frame/screenshot.h"

// One longer sleep after a pass with few ticks, then short ones until a tick has run.
constexpr uint32_t IDLE_SLEEP = 9;
constexpr uint32_t ONE_TICK_SLEEP = 6;
constexpr uint32_t SHORT_SLEEP = 1;

static void sendGameKey(int key, bool pressed) {
    // Screens see only the six game keys.
    if (key >= GAME_KEY_COUNT) return;
    if (pressed) {
        topScreen().keyDown(key);
    } else {
        topScreen().keyUp(key);
    }
}

static void actOn(FrontPageAction action) {
    switch (action) {
    case FrontPageAction::START:
        startGame();
        break;
    case FrontPageAction::QUIT:
        frame.quitRequested = true;
        break;
    case FrontPageAction::NOTHING:
        break;
    }
}

// F11: the window fills the screen or leaves it, and the view follows.
static void switchFullScreen() {
    int width = 0, height = 0;
    if (switchWindow(&width, &height)) resizeVideo(width, height);
}

static void handleKeyPress(int key) {
    // F11 is the frame's own: it starts no game and never reaches one.
    if (key == KEY_CODE_SWITCH_WINDOW) return switchFullScreen();
    // Print Screen is the frame's own in both modes.
    if (key == KEY_CODE_PRINT) takeScreenshot();
    if (!frame.gameActive) {
        actOn(frontPageKey(key));
    } else if (key == KEY_CODE_ESCAPE) {
        endGame();
    } else {
        sendGameKey(key, true);
    }
}

// Handles one event against the mode of the moment. Returns false when the window was closed.
static bool handleFrameEvent(const FrameEvent& event) {
    switch (event.type) {
    case FrameEvent::QUIT:
        return false;
    case FrameEvent::PRESS:
        handleKeyPress(event.key);
        break;
    case FrameEvent::RELEASE:
        // Releases on the front page mean nothing.
        if (frame.gameActive) sendGameKey(event.key, false);
        break;
    }
    return true;
}

uint32_t takeTicks(uint32_t now) {
    TickClock& clock = frame.clock;
    // Unsigned differences stay right across a wrap of the clock. The time this pass spends
    // rendering and sleeping counts toward the next one.
    clock.tickRemainder += now - clock.lastTicks;
    clock.lastTicks = now;
    uint32_t elapsedTicks = clock.tickRemainder / TICK_MILLISECONDS;
    clock.tickRemainder -= elapsedTicks * TICK_MILLISECONDS;
    return elapsedTicks < MOST_TICKS_PER_PASS ? elapsedTicks : MOST_TICKS_PER_PASS;
}

// Milliseconds to sleep after a pass that ran `ticks` ticks.
static uint32_t sleepAfter(uint32_t ticks) {
    TickClock& clock = frame.clock;
    if (!clock.sleptLong && ticks <= 1) {
        clock.sleptLong = true;
        return ticks == 0 ? IDLE_SLEEP : ONE_TICK_SLEEP;
    }
    if (ticks >= 1) clock.sleptLong = false;
    return SHORT_SLEEP;
}

// Runs the top screen up to the tick target; the update that started the game counts in it.
static void updateGame(uint32_t ticks) {
    GameState& screen = topScreen();
    frame.clock.tickTarget += ticks;
    while (screen.tickCount < frame.clock.tickTarget) screen.update();
    frame.clock.tickTarget = screen.tickCount;
}

void beginMainLoop() {
    frame.clock.lastTicks = clockMilliseconds();
    frame.clock.tickRemainder = 0;
    frame.clock.sleptLong = false;
}

// One pass's work with the inputs of frame/replay.h. False when the loop must end; `ticks`
// is what the pass ran.
static bool runPass(uint32_t& ticks) {
    FrameEvent event;
    while (nextPassEvent(&event)) {
        if (!handleFrameEvent(event)) return false;
    }
    ticks = passTicks();
    if (frame.gameActive) {
        updateGame(ticks);
        if (topScreen().finished) endGame();
    }
    for (uint32_t tick = 0; tick < ticks; tick++) driftPalette();
    passUpdateAudio(frame.gameActive, frame.gameActive && topScreen().emotions);
    if (frame.quitRequested) return false;
    if (ticks >= 1) renderFrame();
    return true;
}

bool runLoopIteration() {
    if (!beginPassInputs()) return false;
    uint32_t ticks = 0;
    const bool goOn = runPass(ticks);
    endPassInputs(ticks);
    if (goOn && sleepsBetweenPasses()) sleepMilliseconds(sleepAfter(ticks));
    return goOn;
}

void mainLoop() {
    beginMainLoop();
    while (runLoopIteration()) {
    }
}
