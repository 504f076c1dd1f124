// GameState: the tick count, the held keys and the ending countdown shared by every game
// screen. Never acts on a key when it arrives; games read heldKeys on their ticks.
#include "game/game_state.h"

#include <algorithm>

void GameState::update() {
    if (ending && endCountdown != 0) {
        endCountdown--;
        if (endCountdown == 0) finished = true;
    }
    tickCount++;
}

void GameState::keyDown(int key) {
    heldKeys.push_back(key);
}

void GameState::keyUp(int key) {
    heldKeys.erase(std::remove(heldKeys.begin(), heldKeys.end(), key), heldKeys.end());
}

void GameState::endPlay() {
    ending = true;
}
