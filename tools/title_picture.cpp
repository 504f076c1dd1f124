// title_picture: turns the hand-drawn title picture into the number file the game reads, checks
// that the two agree, and renders it as PNG for a person to look at or as a desktop icon.
//
// The source has one character per cell, top line first as a person sees it: '.' is
// transparent, '1' to '9' a palette index; lines starting with '#' are comments. The number
// file holds 64 lines of 64 numbers with the BOTTOM line first, since the game fills the picture
// from y = 0 upward. This tool never touches the game's state; it only borrows the palette's base
// colours for its pictures.
//
//   title_picture --write   SOURCE NUMBERS       write the number file from the source
//   title_picture --check   SOURCE NUMBERS       exit 1 when they disagree
//   title_picture --preview SOURCE PNG [SCALE]   the front page with the picture and text rows
//   title_picture --icon    SOURCE PNG SIZE      the picture alone, square, transparent ground
#include "display/palette.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int PICTURE_SIZE = 64;
constexpr int CELL_COUNT = PICTURE_SIZE * PICTURE_SIZE;
// Where the front page puts the picture's lower-left cell.
constexpr int PICTURE_X = 32;
constexpr int PICTURE_Y = 22;
constexpr int PAGE_WIDTH = 128;
constexpr int PAGE_HEIGHT = 96;

// cells[j][i]: i to the right, j upward, as the game addresses the picture.
struct Picture {
    int cells[PICTURE_SIZE][PICTURE_SIZE] = {};
};

// A text row of the front page, as the rectangle its letters roughly fill. The preview shades
// these so the picture can be judged against what will be written over and under it.
struct TextRow {
    const char* text;
    int left, right, bottom, top;
    int colour;
    bool overPicture;
};

// Spans from the font's advances: the title is 60 cells wide at scale 1, the subtitle 64, the
// instruction rows 46, 124 and 91, "start" 20; the last column of each is blank.
const TextRow FRONT_PAGE_TEXT[] = {
    {"tumblingcradle2", 4, 121, 84, 93, 3, false},
    {"granny's version", 32, 94, 76, 80, 9, false},
    {"^& to move", 2, 46, 31, 35, 8, true},
    {"catch babies. avoid time paradox.", 2, 124, 23, 27, 8, true},
    {"hold z to feel emotions", 2, 91, 15, 19, 8, true},
    {"start", 54, 72, 6, 10, 5, false},
};

bool readSource(const char* path, Picture& picture) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open\n", path);
        return false;
    }
    std::string line;
    int lineNumber = 0;
    int row = 0; // rows counted from the top
    while (std::getline(in, line)) {
        lineNumber++;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '#') continue;
        if (row == PICTURE_SIZE) {
            if (line.empty()) continue;
            std::fprintf(stderr, "%s:%d: more than %d picture lines\n", path, lineNumber,
                         PICTURE_SIZE);
            return false;
        }
        if (static_cast<int>(line.size()) != PICTURE_SIZE) {
            std::fprintf(stderr, "%s:%d: %zu characters, want %d\n", path, lineNumber, line.size(),
                         PICTURE_SIZE);
            return false;
        }
        for (int i = 0; i < PICTURE_SIZE; i++) {
            char c = line[static_cast<size_t>(i)];
            if (c != '.' && (c < '1' || c > '9')) {
                std::fprintf(stderr, "%s:%d:%d: '%c' is neither '.' nor 1 to 9\n", path, lineNumber,
                             i + 1, c);
                return false;
            }
            picture.cells[PICTURE_SIZE - 1 - row][i] = c == '.' ? 0 : c - '0';
        }
        row++;
    }
    if (row != PICTURE_SIZE) {
        std::fprintf(stderr, "%s: %d picture lines, want %d\n", path, row, PICTURE_SIZE);
        return false;
    }
    return true;
}

bool writeNumbers(const char* path, const Picture& picture) {
    std::FILE* out = std::fopen(path, "w");
    if (!out) {
        std::fprintf(stderr, "%s: cannot write\n", path);
        return false;
    }
    for (int j = 0; j < PICTURE_SIZE; j++) {
        for (int i = 0; i < PICTURE_SIZE; i++) {
            std::fprintf(out, i ? " %d" : "%d", picture.cells[j][i]);
        }
        std::fputc('\n', out);
    }
    return std::fclose(out) == 0;
}

// Reads the numbers the way the game does: 4096 integers split by any white space.
bool checkNumbers(const char* sourcePath, const char* numbersPath, const Picture& picture) {
    std::ifstream in(numbersPath);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open\n", numbersPath);
        return false;
    }
    for (int k = 0; k < CELL_COUNT; k++) {
        int i = k % PICTURE_SIZE;
        int j = k / PICTURE_SIZE;
        int value = 0;
        if (!(in >> value)) {
            std::fprintf(stderr, "%s: only %d numbers, want %d\n", numbersPath, k, CELL_COUNT);
            return false;
        }
        if (value != picture.cells[j][i]) {
            std::fprintf(stderr,
                         "%s: number %d (cell %d, %d) is %d but %s has %d at line %d, column "
                         "%d of its picture\nrun title_picture --write %s %s\n",
                         numbersPath, k, i, j, value, sourcePath, picture.cells[j][i],
                         PICTURE_SIZE - j, i + 1, sourcePath, numbersPath);
            return false;
        }
    }
    std::string rest;
    if (in >> rest) {
        std::fprintf(stderr, "%s: more than %d numbers\n", numbersPath, CELL_COUNT);
        return false;
    }
    return true;
}

// An RGBA image stored top row first, as PNG wants it.
struct Image {
    int width, height;
    std::vector<unsigned char> bytes;
    Image(int w, int h) : width(w), height(h), bytes(static_cast<size_t>(w * h * 4), 0) {}
    unsigned char* at(int x, int yFromTop) {
        return &bytes[static_cast<size_t>((yFromTop * width + x) * 4)];
    }
};

void paintBase(unsigned char* pixel, int index) {
    for (int c = 0; c < 3; c++) pixel[c] = colourByte(paletteBase[index][c]);
    pixel[3] = 255;
}

// Mixes a palette colour into a pixel by the given share.
void blendBase(unsigned char* pixel, int index, float share) {
    for (int c = 0; c < 3; c++) {
        float mixed = pixel[c] * (1.0f - share) + colourByte(paletteBase[index][c]) * share;
        pixel[c] = static_cast<unsigned char>(mixed);
    }
}

// Shades a text row in a checker of its colour, about as dense as letters are.
void drawTextRow(int page[PAGE_WIDTH][PAGE_HEIGHT], const TextRow& row) {
    for (int x = row.left; x <= row.right; x++) {
        for (int y = row.bottom; y <= row.top; y++) {
            if ((x + y) % 2 == 0) page[x][y] = -row.colour;
        }
    }
}

// The front page in the order it is drawn: title and subtitle, the picture over them, the
// instruction rows over the picture. Text cells are kept negative to draw them half-shaded.
bool writePreview(const char* path, const Picture& picture, int scale) {
    int page[PAGE_WIDTH][PAGE_HEIGHT] = {};
    for (const TextRow& row : FRONT_PAGE_TEXT) {
        if (!row.overPicture) drawTextRow(page, row);
    }
    for (int j = 0; j < PICTURE_SIZE; j++) {
        for (int i = 0; i < PICTURE_SIZE; i++) {
            if (picture.cells[j][i]) page[PICTURE_X + i][PICTURE_Y + j] = picture.cells[j][i];
        }
    }
    int beforeText[PAGE_WIDTH][PAGE_HEIGHT];
    std::memcpy(beforeText, page, sizeof page);
    for (const TextRow& row : FRONT_PAGE_TEXT) {
        if (row.overPicture) drawTextRow(page, row);
    }

    Image image(PAGE_WIDTH * scale, PAGE_HEIGHT * scale);
    for (int y = 0; y < image.height; y++) {
        for (int x = 0; x < image.width; x++) {
            int px = x / scale;
            int py = PAGE_HEIGHT - 1 - y / scale;
            unsigned char* pixel = image.at(x, y);
            int value = page[px][py];
            if (value >= 0) {
                paintBase(pixel, value);
                continue;
            }
            // Text stands out as a half-tone over whatever lies beneath it.
            int under = beforeText[px][py];
            paintBase(pixel, under > 0 ? under : 0);
            blendBase(pixel, -value, under > 0 ? 0.6f : 0.45f);
        }
    }
    // A faint frame around the picture's 64 x 64 area.
    for (int y = 0; y < image.height; y++) {
        for (int x = 0; x < image.width; x++) {
            int px = x / scale - PICTURE_X;
            int py = PAGE_HEIGHT - 1 - y / scale - PICTURE_Y;
            bool inside = px >= 0 && px < PICTURE_SIZE && py >= 0 && py < PICTURE_SIZE;
            bool edge = (x == PICTURE_X * scale || x == (PICTURE_X + PICTURE_SIZE) * scale - 1 ||
                         y == (PAGE_HEIGHT - PICTURE_Y - PICTURE_SIZE) * scale ||
                         y == (PAGE_HEIGHT - PICTURE_Y) * scale - 1);
            if (inside && edge) {
                unsigned char* pixel = image.at(x, y);
                for (int c = 0; c < 3; c++) pixel[c] = static_cast<unsigned char>(pixel[c] + 40);
            }
        }
    }
    return stbi_write_png(path, image.width, image.height, 4, image.bytes.data(),
                          image.width * 4) != 0;
}

// The picture alone, cut to the smallest square around its drawn cells with one cell to spare,
// and scaled by nearest neighbour; empty cells stay fully transparent.
bool writeIcon(const char* path, const Picture& picture, int size) {
    int left = PICTURE_SIZE, right = -1, bottom = PICTURE_SIZE, top = -1;
    for (int j = 0; j < PICTURE_SIZE; j++) {
        for (int i = 0; i < PICTURE_SIZE; i++) {
            if (!picture.cells[j][i]) continue;
            if (i < left) left = i;
            if (i > right) right = i;
            if (j < bottom) bottom = j;
            if (j > top) top = j;
        }
    }
    int side = PICTURE_SIZE;
    int originI = 0, originJ = 0;
    if (right >= 0) {
        side = std::max(right - left, top - bottom) + 3;
        if (side > PICTURE_SIZE) side = PICTURE_SIZE;
        originI = (left + right + 1 - side) / 2;
        originJ = (bottom + top + 1 - side) / 2;
        originI = std::min(std::max(originI, 0), PICTURE_SIZE - side);
        originJ = std::min(std::max(originJ, 0), PICTURE_SIZE - side);
    }
    Image image(size, size);
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            int i = originI + x * side / size;
            int j = originJ + side - 1 - y * side / size;
            int value = picture.cells[j][i];
            if (value) paintBase(image.at(x, y), value);
        }
    }
    return stbi_write_png(path, size, size, 4, image.bytes.data(), size * 4) != 0;
}

int usage() {
    std::fprintf(stderr, "usage: title_picture --write SOURCE NUMBERS\n"
                         "       title_picture --check SOURCE NUMBERS\n"
                         "       title_picture --preview SOURCE PNG [SCALE]\n"
                         "       title_picture --icon SOURCE PNG SIZE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) return usage();
    std::string mode = argv[1];
    Picture picture;
    if (!readSource(argv[2], picture)) return 1;
    if (mode == "--write" && argc == 4) return writeNumbers(argv[3], picture) ? 0 : 1;
    if (mode == "--check" && argc == 4) return checkNumbers(argv[2], argv[3], picture) ? 0 : 1;
    if (mode == "--preview" && argc <= 5) {
        int scale = argc == 5 ? std::atoi(argv[4]) : 6;
        if (scale < 1 || scale > 32) return usage();
        return writePreview(argv[3], picture, scale) ? 0 : 1;
    }
    if (mode == "--icon" && argc == 5) {
        int size = std::atoi(argv[4]);
        if (size < 16 || size > 1024) return usage();
        return writeIcon(argv[3], picture, size) ? 0 : 1;
    }
    return usage();
}
