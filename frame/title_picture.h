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

// Far more than 4096 numbers take, blanks and leading zeros and all. A file that goes on past
// it is no picture: one endless number, or a file that is still being written.
constexpr long MOST_TITLE_PICTURE_BYTES = 1 << 20;

// A picture file, read byte by byte up to MOST_TITLE_PICTURE_BYTES.
struct TitleNumberReader {
    std::FILE* file;
    long bytesLeft = MOST_TITLE_PICTURE_BYTES;
    bool cutShort = false;

    int next() {
        if (bytesLeft == 0) {
            cutShort = true;
            return EOF;
        }
        --bytesLeft;
        return std::fgetc(file);
    }
    void putBack(int c) {
        if (c == EOF) return;
        std::ungetc(c, file);
        ++bytesLeft;
    }
};

// Reads one decimal int the way formatted stream input does: blanks skipped, an optional sign,
// at least one digit, and the number ends at the first byte that is not a digit, which the next
// read starts from. False for end of file, no digit, a value outside int, or a file read past
// its allowance.
bool readTitleNumber(TitleNumberReader& file, int& value);

// Reads a picture file: whitespace-separated integers, the bottom line first, 64 to a line.
// Stops at the first number that cannot be read, and after a megabyte (with one line on
// stderr); the cells from there on stay 0. False when the file is missing or not a regular
// file.
bool readTitlePicture(const char* path);

void drawTitlePicture();
