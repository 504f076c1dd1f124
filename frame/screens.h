// The screen stack: starting and ending games, and the scores they leave. The stack, the flag
// and the scores are fields of frame (frame/frame_state.h). Main thread only.
#pragma once

#include "game/game_state.h"

// Pushes a new game, damps the echo and runs its first update.
void startGame();

// Records the top screen's score, destroys every screen and returns to the front page.
void endGame();

GameState& topScreen();
