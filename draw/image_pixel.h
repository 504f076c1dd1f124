// Writing palette colours into a game's picture: the one place that turns a Colour into the
// picture's R, G, B, A bytes. Never checks bounds; callers clip first.
#pragma once

#include "display/palette.h"
#include "display/game_image.h"

constexpr uint8_t OPAQUE_ALPHA = 255;

// Pixel (x, y) takes the colour as bytes (each channel times 255, truncated) and full alpha.
void paintImagePixel(GameImage& image, int x, int y, const Colour& colour);
