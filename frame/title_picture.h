// The title picture: 64 x 64 palette indices read once from dat/tc0.txt and drawn on the
// front page. A missing or damaged file leaves the picture (or its rest) transparent; so does
// anything but a regular file under that name. The cells are frame.titlePicture
// (frame/frame_state.h).
#pragma once

#include "frame/frame_state.h"

// Where the picture's lower-left cell lands in the front page.
constexpr int TITLE_PICTURE_LEFT = 32;
constexpr int TITLE_PICTURE_BOTTOM = 22;

// Reads "dat/tc0.txt" relative to the working folder; false when there is no such file.
bool loadTitlePicture();

// Reads a picture file: whitespace-separated integers, the bottom line first, 64 to a line.
// Stops at the first number that cannot be read, and after a megabyte (with one line on
// stderr); the cells from there on stay 0. False when the file is missing or not a regular
// file.
bool readTitlePicture(const char* path);

void drawTitlePicture();
