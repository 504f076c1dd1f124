// The main loop: drains the window's events, advances the game in fixed 18 ms ticks, drifts the
// palette, hands control to the audio, renders and sleeps. Main thread only; the window and
// the clock are reached through frame/platform.h.
#pragma once

#include "frame/platform.h"

#include <cstdint>

// SDL key symbols of the six game keys, in key-index order: Up, Down, Left, Right, z, x.
extern const int keyTable[6];
constexpr int KEY_CODE_ESCAPE = 27;
constexpr int KEY_CODE_PRINT = 316;

constexpr uint32_t TICK_MILLISECONDS = 18;
// After a stall no more than this many ticks run at once; the rest of the time is dropped.
constexpr uint32_t MOST_TICKS_PER_PASS = 32;

extern bool quitRequested;
extern uint32_t lastTicks;
extern uint32_t tickRemainder;
extern bool sleptLong;

// Handles one event against the mode of the moment. Returns false when the window was closed.
bool handleFrameEvent(const FrameEvent& event);

// Ticks to run now: the elapsed time in whole ticks, at most 32. Consumes all whole ticks.
uint32_t takeTicks(uint32_t now);

// Milliseconds to sleep after a pass that ran `ticks` ticks.
uint32_t sleepAfter(uint32_t ticks);

void beginMainLoop();

// One pass of the loop. Returns false when the loop must end.
bool runLoopIteration();

// Passes until a quit.
void mainLoop();
