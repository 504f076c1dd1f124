// The sprite table and sprite drawing into a game's picture.
#pragma once

#include "display/game_image.h"

constexpr int SPRITE_COUNT = 8;
constexpr int SPRITE_GRID = 16;
constexpr int SPRITE_BABY = 5;
constexpr int SPRITE_CATCHER = 6;

// Draws a sprite centred on (x, y); cells outside the picture and transparent cells are skipped.
void drawSprite(int sprite, GameImage& image, int x, int y);
