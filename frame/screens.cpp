// The screen stack and the scores.
#include "frame/screens.h"

#include "audio/audio.h"
#include "display/picture.h"
#include "game/game_title.h"

std::vector<std::unique_ptr<GameState>> screenStack;
bool gameActive = false;
int32_t lastScore = -1;
int32_t bestScore = -1;
uint32_t tickTarget = 0;

void startGame() {
    gameActive = true;
    requestEchoDamp();
    tickTarget = 0;
    screenStack.push_back(std::make_unique<GameTitle>(0.0f, 0.0f, static_cast<float>(PICTURE_WIDTH),
                                                      static_cast<float>(PICTURE_HEIGHT)));
    topScreen().update();
}

void endGame() {
    int32_t score = topScreen().score;
    lastScore = score;
    if (bestScore <= score) bestScore = score;
    gameActive = false;
    // Bottom to top, each through its own class's destructor.
    for (auto& screen : screenStack) screen.reset();
    screenStack.clear();
}

GameState& topScreen() {
    return *screenStack.back();
}
