// The main loop: drains the window's events, advances the game in fixed 18 ms ticks, drifts the
// palette, hands control to the audio, renders and sleeps. Main thread only; the window and
// the clock are reached through frame/platform.h, the state it keeps is frame.clock and
// frame.quitRequested (frame/frame_state.h).
#pragma once

#include "frame/platform.h"

#include <cstdint>

constexpr uint32_t TICK_MILLISECONDS = 18;
// After a stall no more than this many ticks run at once; the rest of the time is dropped.
constexpr uint32_t MOST_TICKS_PER_PASS = 32;

// Starts the clock: nothing left over, the long sleep not yet taken.
void beginMainLoop();

// Ticks to run at `now`: the time since the last call (or since beginMainLoop) in whole ticks,
// at most 32. Consumes all whole ticks and keeps the rest.
uint32_t takeTicks(uint32_t now);

// One pass of the loop: its outside inputs come through frame/replay.h (live, recorded or
// replayed). Returns false when the loop must end.
bool runLoopIteration();

// Passes until a quit.
void mainLoop();
