// The title picture file.
#include "frame/title_picture.h"

#include "display/picture.h"

#include <cstdio>
#include <cstring>
#include <fstream>

int32_t titlePicture[TITLE_PICTURE_SIZE][TITLE_PICTURE_SIZE];

constexpr int TITLE_PICTURE_NUMBER = 0;

void loadTitlePicture() {
    char path[64];
    std::snprintf(path, sizeof path, "dat/tc%d.txt", TITLE_PICTURE_NUMBER);
    readTitlePicture(path);
}

void readTitlePicture(const char* path) {
    std::memset(titlePicture, 0, sizeof titlePicture);
    std::ifstream file(path);
    for (auto& line : titlePicture) {
        for (int32_t& cell : line) {
            int value = 0;
            // A failed read (no file, end of file, not a number, out of range) fails every
            // later one too, and its cell keeps 0.
            if (!(file >> value)) return;
            cell = value;
        }
    }
}

void drawTitlePicture() {
    for (int j = 0; j < TITLE_PICTURE_SIZE; j++) {
        for (int i = 0; i < TITLE_PICTURE_SIZE; i++) {
            int32_t value = titlePicture[j][i];
            // Only the low byte counts; values outside the palette show black.
            if (value != 0) {
                putPixel(TITLE_PICTURE_LEFT + i, TITLE_PICTURE_BOTTOM + j,
                         static_cast<int8_t>(value & 0xff));
            }
        }
    }
}
