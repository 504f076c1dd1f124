// The built-in 81-character bitmap font, and text drawn into the picture and into a game's
// picture.
#pragma once

#include "display/game_image.h"

#include <cstdint>

constexpr int FONT_GLYPH_COUNT = 81;
constexpr int GLYPH_SIZE = 5;
// The colour that cycles through the palette with the rendered frames.
constexpr int CYCLING_COLOUR = 9;

extern const char FONT_CHARSET[];
extern const int FONT_ADVANCE[FONT_GLYPH_COUNT];
// Five rows of five cells per glyph, top row first; '#' is ink.
extern const char* const FONT_GLYPHS[FONT_GLYPH_COUNT][GLYPH_SIZE];

// The cycling colour for a count of rendered frames: palette indices 1 to 9, one step every 6
// frames.
int8_t cyclingColourAt(int frameCounter);

// Draws text into the picture with the lower-left corner of its first glyph at (x, y).
// Colour 9 stands for the cycling colour, which the caller passes in (cyclingColourAt).
void drawText(const char* text, int x, int y, int colour, int scale, int8_t cyclingColour);

// Width of a text at scale 1: the sum of its glyphs' advances.
int textWidth(const char* text);

// Draws text into a game's picture at column 25, rows 1 to 5, in palette colour 1.
void drawTextToImage(GameImage& image, const char* text);
