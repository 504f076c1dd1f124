// Rendering one frame: the picture (the front page while no game runs), then every screen's
// own drawing on top, then the swap.
#pragma once

#include "display/picture.h"

// Client copy of the screen texture.
extern uint8_t screenTexels[TEXTURE_BYTES];

void renderFrame();
