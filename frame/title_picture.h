// The title picture: 64 x 64 palette indices read once from dat/tc0.txt and drawn on the
// front page. A missing or damaged file leaves the picture (or its rest) transparent; so does
// anything but a regular file under that name. The cells are frame.titlePicture
// (frame/frame_state.h).
#pragma once

#include "frame/frame_state.h"

#include <cstdio>

// Where the picture's lower-left cell lands in the front page.
constexpr int TITLE_PICTURE_LEFT = 32;
constexpr int TITLE_PICTURE_BOTTOM = 22;

// Reads "dat/tc0.txt" relative to the working folder; false when there is no such file.
bool loadTitlePicture();

// Reads one decimal int the way formatted stream input does: blanks skipped, an optional sign,
// at least one digit, and the number ends at the first byte that is not a digit, which the next
// read starts from. False for end of file, no digit, or a value outside int.
bool readTitleNumber(std::FILE* file, int& value);

// Reads a picture file: whitespace-separated integers, the bottom line first, 64 to a line.
// Stops at the first number that cannot be read; the cells from there on stay 0. False when
// the file is missing or not a regular file.
bool readTitlePicture(const char* path);

void drawTitlePicture();
