// Rendering one frame: the front page's picture while no game runs, every screen's own drawing
// during a game, then the swap.
#pragma once

#include "display/picture.h"

// Client copy of the screen texture.
extern uint8_t screenTexels[TEXTURE_BYTES];

void renderFrame();
