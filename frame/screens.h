// The screen stack: the game screens the frame updates, draws and feeds with keys, and the
// scores of the run. Empty on the front page, one GameTitle during a game. Main thread only.
#pragma once

#include "game/game_state.h"

#include <cstdint>
#include <memory>
#include <vector>

extern std::vector<std::unique_ptr<GameState>> screenStack;
// True exactly while the stack holds a screen.
extern bool gameActive;
// Scores of the run; -1 until a game has ended.
extern int32_t lastScore;
extern int32_t bestScore;
// How many updates the top screen should have run by now.
extern uint32_t tickTarget;

// Pushes a new game, damps the echo, switches key repeat off and runs its first update.
void startGame();

// Records the top screen's score, destroys every screen and returns to the front page.
void endGame();

GameState& topScreen();
