// The screen stack and the scores.
#include "frame/screens.h"

#include "audio/audio.h"
#include "display/picture.h"
#include "frame/frame_state.h"
#include "game/game_title.h"

void startGame() {
    frame.gameActive = true;
    frame.gamesStarted++;
    requestEchoDamp();
    frame.clock.tickTarget = 0;
    frame.screenStack.push_back(std::make_unique<GameTitle>(
        0.0f, 0.0f, static_cast<float>(PICTURE_WIDTH), static_cast<float>(PICTURE_HEIGHT)));
    topScreen().update();
}

void endGame() {
    int32_t score = topScreen().score;
    frame.lastScore = score;
    if (frame.bestScore <= score) frame.bestScore = score;
    frame.gameActive = false;
    // Bottom to top, each through its own class's destructor.
    for (auto& screen : frame.screenStack) screen.reset();
    frame.screenStack.clear();
}

GameState& topScreen() {
    return *frame.screenStack.back();
}
