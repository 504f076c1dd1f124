// The title picture file.
#include "frame/title_picture.h"

#include "display/picture.h"
#include "frame/frame_state.h"
#include "platform/data_file.h"
#include "platform/messages.h"

#include <climits>
#include <cstdio>
#include <cstring>

constexpr int TITLE_PICTURE_NUMBER = 0;

namespace {
bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
} // namespace

bool readTitleNumber(TitleNumberReader& file, int& value) {
    int c = file.next();
    while (isBlank(c)) c = file.next();
    const bool negative = c == '-';
    if (c == '-' || c == '+') c = file.next();
    if (!isDigit(c)) return false;
    // Past INT_MAX + 1 the number is out of range whatever digits follow.
    constexpr long long LIMIT = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; isDigit(c); c = file.next()) {
        if (magnitude <= LIMIT) magnitude = magnitude * 10 + (c - '0');
    }
    if (file.cutShort) return false;
    file.putBack(c);
    if (magnitude > (negative ? LIMIT : INT_MAX)) return false;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

bool loadTitlePicture() {
    char path[64];
    std::snprintf(path, sizeof path, "dat/tc%d.txt", TITLE_PICTURE_NUMBER);
    return readTitlePicture(path);
}

bool readTitlePicture(const char* path) {
    std::memset(frame.titlePicture, 0, sizeof frame.titlePicture);
    std::FILE* opened = openDataFile(path);
    if (!opened) return false;
    // A failed read (end of file, not a number, out of range, too far into the file) ends the
    // reading: its cell and every later one keep 0.
    TitleNumberReader reader{opened};
    bool reading = true;
    for (auto& line : frame.titlePicture) {
        for (int32_t& cell : line) {
            int value = 0;
            reading = reading && readTitleNumber(reader, value);
            if (reading) cell = value;
        }
    }
    std::fclose(opened);
    if (reader.cutShort) {
        say("%s: stopped reading after %ld bytes, more than any picture takes; the rest of the "
            "picture stays empty",
            path, MOST_TITLE_PICTURE_BYTES);
    }
    return true;
}

void drawTitlePicture() {
    for (int j = 0; j < TITLE_PICTURE_SIZE; j++) {
        for (int i = 0; i < TITLE_PICTURE_SIZE; i++) {
            int32_t value = frame.titlePicture[j][i];
            // Only the low byte counts; values outside the palette show black.
            if (value != 0) {
                putPixel(TITLE_PICTURE_LEFT + i, TITLE_PICTURE_BOTTOM + j,
                         static_cast<int8_t>(value & 0xff));
            }
        }
    }
}
