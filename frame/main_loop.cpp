// The main loop and its fixed-step clock.
#include "frame/main_loop.h"

#include "audio/audio.h"
#include "display/palette.h"
#include "frame/front_page.h"
#include "frame/render.h"
#include "frame/screens.h"
#include "frame/screenshot.h"

#include <SDL_keysym.h>

const int keyTable[GAME_KEY_COUNT] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x};

bool quitRequested = false;
uint32_t lastTicks = 0;
uint32_t tickRemainder = 0;
bool sleptLong = false;

// One longer sleep after a pass with few ticks, then short ones until a tick has run.
constexpr uint32_t IDLE_SLEEP = 9;
constexpr uint32_t ONE_TICK_SLEEP = 6;
constexpr uint32_t SHORT_SLEEP = 1;

static void sendGameKey(int keyCode, bool pressed) {
    for (int index = 0; index < GAME_KEY_COUNT; index++) {
        if (keyTable[index] != keyCode) continue;
        if (pressed) {
            topScreen().keyDown(index);
        } else {
            topScreen().keyUp(index);
        }
    }
}

static void handleKeyPress(int keyCode) {
    if (keyCode == KEY_CODE_ESCAPE) {
        if (gameActive) {
            endGame();
        } else {
            quitRequested = true;
        }
    } else if (keyCode == KEY_CODE_PRINT) {
        takeScreenshot();
    } else if (gameActive) {
        sendGameKey(keyCode, true);
    } else {
        frontPageKey(keyCode);
    }
}

bool handleFrameEvent(const FrameEvent& event) {
    switch (event.type) {
    case FrameEvent::QUIT:
        return false;
    case FrameEvent::PRESS:
        handleKeyPress(event.key);
        break;
    case FrameEvent::RELEASE:
        // Releases on the front page mean nothing.
        if (gameActive) sendGameKey(event.key, false);
        break;
    }
    return true;
}

uint32_t takeTicks(uint32_t now) {
    // Unsigned differences stay right across a wrap of the clock.
    tickRemainder += now - lastTicks;
    uint32_t elapsedTicks = tickRemainder / TICK_MILLISECONDS;
    tickRemainder -= elapsedTicks * TICK_MILLISECONDS;
    return elapsedTicks < MOST_TICKS_PER_PASS ? elapsedTicks : MOST_TICKS_PER_PASS;
}

uint32_t sleepAfter(uint32_t ticks) {
    if (!sleptLong && ticks <= 1) {
        sleptLong = true;
        return ticks == 0 ? IDLE_SLEEP : ONE_TICK_SLEEP;
    }
    if (ticks >= 1) sleptLong = false;
    return SHORT_SLEEP;
}

// Runs the top screen up to the tick target; the update that started the game counts in it.
static void updateGame(uint32_t ticks) {
    GameState& screen = topScreen();
    tickTarget += ticks;
    while (screen.tickCount < tickTarget) screen.update();
    tickTarget = screen.tickCount;
}

void beginMainLoop() {
    lastTicks = clockMilliseconds();
    tickRemainder = 0;
    sleptLong = false;
}

bool runLoopIteration() {
    FrameEvent event;
    while (pollFrameEvent(&event)) {
        if (!handleFrameEvent(event)) return false;
    }
    uint32_t now = clockMilliseconds();
    uint32_t ticks = takeTicks(now);
    if (gameActive) {
        updateGame(ticks);
        if (topScreen().finished) endGame();
    }
    for (uint32_t tick = 0; tick < ticks; tick++) driftPalette();
    updateAudio(gameActive, gameActive && topScreen().emotions);
    if (quitRequested) return false;
    if (ticks >= 1) renderFrame();
    sleepMilliseconds(sleepAfter(ticks));
    lastTicks = now;
    return true;
}

void mainLoop() {
    beginMainLoop();
    while (runLoopIteration()) {
    }
}
