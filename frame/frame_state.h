// The frame's state in one place: the screen stack and the scores, the main loop's clock and
// quit flag, the counters, and the title picture. Main thread only.
//
// Its default values are the ones start-up gives: start-up and the tests both begin from
// `frame = FrameState{}`, so a new field is reset everywhere by giving it its value here.
#pragma once

#include "game/game_state.h"

#include <cstdint>
#include <memory>
#include <vector>

constexpr int TITLE_PICTURE_SIZE = 64;

// The main loop's fixed-step clock.
struct TickClock {
    // Clock value at the end of the previous pass.
    uint32_t lastTicks = 0;
    // Milliseconds not yet turned into ticks.
    uint32_t tickRemainder = 0;
    // How many updates the top screen should have run by now.
    uint32_t tickTarget = 0;
    // The one longer sleep has been taken since a tick last ran on the short path.
    bool sleptLong = false;
};

struct FrameState {
    // Empty on the front page, one GameTitle during a game; the top screen is the last.
    std::vector<std::unique_ptr<GameState>> screenStack;
    // True exactly while the stack holds a screen.
    bool gameActive = false;
    // Scores of the run; -1 until a game has ended.
    int32_t lastScore = -1;
    int32_t bestScore = -1;
    // Games started in this run.
    int32_t gamesStarted = 0;
    // The main loop ends at the end of the pass in which this is set.
    bool quitRequested = false;
    TickClock clock;
    // Rendered frames; drives the blink of "start" and the cycling text colour.
    int32_t frameCounter = 0;
    // Start-up has said that the sound server keeps it waiting.
    bool toldSoundServerSilent = false;
    // The number the next screenshot file tries first.
    int32_t screenshotCounter = 0;
    // Cell (i, j), i across and j upward, is titlePicture[j][i]; 0 is transparent.
    int32_t titlePicture[TITLE_PICTURE_SIZE][TITLE_PICTURE_SIZE] = {};
};

extern FrameState frame;
