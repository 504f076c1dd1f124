// title_picture: turns the hand-drawn title picture into the number file the game reads, checks
// that the two agree, and renders it as PNG for a person to look at or as a desktop icon.
//
// The source has one character per cell, top line first as a person sees it: '.' is
// transparent, '1' to '9' a palette index; lines starting with '#' are comments. The number
// file holds 64 lines of 64 numbers with the BOTTOM line first, since the game fills the picture
// from y = 0 upward. The source is read into the game's own title picture, and the preview is
// the game's own front page drawn over it, in the palette's base colours.
//
//   title_picture --write   SOURCE NUMBERS       write the number file from the source
//   title_picture --check   SOURCE NUMBERS       exit 1 when they disagree
//   title_picture --preview SOURCE PNG [SCALE]   the front page as the game draws it
//   title_picture --icon    SOURCE PNG SIZE      the picture alone, square, transparent ground
#include "display/palette.h"
#include "display/picture.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "frame/title_picture.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int CELL_COUNT = TITLE_PICTURE_SIZE * TITLE_PICTURE_SIZE;

// cells[j][i]: i to the right, j upward, as the game addresses the picture.
using Picture = int32_t[TITLE_PICTURE_SIZE][TITLE_PICTURE_SIZE];

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
        if (row == TITLE_PICTURE_SIZE) {
            if (line.empty()) continue;
            std::fprintf(stderr, "%s:%d: more than %d picture lines\n", path, lineNumber,
                         TITLE_PICTURE_SIZE);
            return false;
        }
        if (static_cast<int>(line.size()) != TITLE_PICTURE_SIZE) {
            std::fprintf(stderr, "%s:%d: %zu characters, want %d\n", path, lineNumber, line.size(),
                         TITLE_PICTURE_SIZE);
            return false;
        }
        for (int i = 0; i < TITLE_PICTURE_SIZE; i++) {
            char c = line[static_cast<size_t>(i)];
            if (c != '.' && (c < '1' || c > '9')) {
                std::fprintf(stderr, "%s:%d:%d: '%c' is neither '.' nor 1 to 9\n", path, lineNumber,
                             i + 1, c);
                return false;
            }
            picture[TITLE_PICTURE_SIZE - 1 - row][i] = c == '.' ? 0 : c - '0';
        }
        row++;
    }
    if (row != TITLE_PICTURE_SIZE) {
        std::fprintf(stderr, "%s: %d picture lines, want %d\n", path, row, TITLE_PICTURE_SIZE);
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
    for (int j = 0; j < TITLE_PICTURE_SIZE; j++) {
        for (int i = 0; i < TITLE_PICTURE_SIZE; i++) {
            std::fprintf(out, i ? " %d" : "%d", picture[j][i]);
        }
        std::fputc('\n', out);
    }
    return std::fclose(out) == 0;
}

// Whether what follows in `in` is white space only.
bool onlyBlanksLeft(std::FILE* in) {
    int c = std::fgetc(in);
    while (c != EOF && std::isspace(c)) c = std::fgetc(in);
    return c == EOF;
}

// Reads the numbers with the game's own reader, cell by cell in the game's order, then expects
// nothing but white space.
bool numbersAgree(std::FILE* in, const char* sourcePath, const char* numbersPath,
                  const Picture& picture) {
    TitleNumberReader reader{in};
    for (int k = 0; k < CELL_COUNT; k++) {
        int i = k % TITLE_PICTURE_SIZE;
        int j = k / TITLE_PICTURE_SIZE;
        int value = 0;
        if (!readTitleNumber(reader, value)) {
            std::fprintf(stderr, "%s: only %d numbers, want %d\n", numbersPath, k, CELL_COUNT);
            return false;
        }
        if (value != picture[j][i]) {
            std::fprintf(stderr,
                         "%s: number %d (cell %d, %d) is %d but %s has %d at line %d, column "
                         "%d of its picture\nrun title_picture --write %s %s\n",
                         numbersPath, k, i, j, value, sourcePath, picture[j][i],
                         TITLE_PICTURE_SIZE - j, i + 1, sourcePath, numbersPath);
            return false;
        }
    }
    if (!onlyBlanksLeft(in)) {
        std::fprintf(stderr, "%s: more than %d numbers\n", numbersPath, CELL_COUNT);
        return false;
    }
    return true;
}

bool checkNumbers(const char* sourcePath, const char* numbersPath, const Picture& picture) {
    std::FILE* in = std::fopen(numbersPath, "rb");
    if (!in) {
        std::fprintf(stderr, "%s: cannot open\n", numbersPath);
        return false;
    }
    const bool agree = numbersAgree(in, sourcePath, numbersPath, picture);
    std::fclose(in);
    return agree;
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

// A palette index as the game shows it, opaque; the palette stands at its base colours.
void paintIndex(unsigned char* pixel, int8_t index) {
    Colour colour = colourOf(index);
    pixel[0] = colourByte(colour.red);
    pixel[1] = colourByte(colour.green);
    pixel[2] = colourByte(colour.blue);
    pixel[3] = 255;
}

// The first front page of a run, drawn by the game's own code over the picture, with a faint
// frame around the picture's 64 x 64 area.
bool writePreview(const char* path, int scale) {
    clearPicture();
    drawFrontPage();
    Image image(PICTURE_WIDTH * scale, PICTURE_HEIGHT * scale);
    for (int y = 0; y < image.height; y++) {
        for (int x = 0; x < image.width; x++) {
            int px = x / scale;
            int py = PICTURE_HEIGHT - 1 - y / scale;
            unsigned char* pixel = image.at(x, y);
            paintIndex(pixel, pixelAt(px, py));
            int i = px - TITLE_PICTURE_LEFT;
            int j = py - TITLE_PICTURE_BOTTOM;
            bool inside = i >= 0 && i < TITLE_PICTURE_SIZE && j >= 0 && j < TITLE_PICTURE_SIZE;
            bool edge = x == TITLE_PICTURE_LEFT * scale ||
                        x == (TITLE_PICTURE_LEFT + TITLE_PICTURE_SIZE) * scale - 1 ||
                        y == (PICTURE_HEIGHT - TITLE_PICTURE_BOTTOM - TITLE_PICTURE_SIZE) * scale ||
                        y == (PICTURE_HEIGHT - TITLE_PICTURE_BOTTOM) * scale - 1;
            if (inside && edge) {
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
    int left = TITLE_PICTURE_SIZE, right = -1, bottom = TITLE_PICTURE_SIZE, top = -1;
    for (int j = 0; j < TITLE_PICTURE_SIZE; j++) {
        for (int i = 0; i < TITLE_PICTURE_SIZE; i++) {
            if (!picture[j][i]) continue;
            if (i < left) left = i;
            if (i > right) right = i;
            if (j < bottom) bottom = j;
            if (j > top) top = j;
        }
    }
    int side = TITLE_PICTURE_SIZE;
    int originI = 0, originJ = 0;
    if (right >= 0) {
        side = std::max(right - left, top - bottom) + 3;
        if (side > TITLE_PICTURE_SIZE) side = TITLE_PICTURE_SIZE;
        originI = (left + right + 1 - side) / 2;
        originJ = (bottom + top + 1 - side) / 2;
        originI = std::min(std::max(originI, 0), TITLE_PICTURE_SIZE - side);
        originJ = std::min(std::max(originJ, 0), TITLE_PICTURE_SIZE - side);
    }
    Image image(size, size);
    for (int y = 0; y < size; y++) {
        for (int x = 0; x < size; x++) {
            int i = originI + x * side / size;
            int j = originJ + side - 1 - y * side / size;
            int value = picture[j][i];
            if (value) paintIndex(image.at(x, y), static_cast<int8_t>(value));
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
    // The picture goes where the game keeps it, so the game's front page can draw it.
    Picture& picture = frame.titlePicture;
    if (!readSource(argv[2], picture)) return 1;
    std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
    if (mode == "--write" && argc == 4) return writeNumbers(argv[3], picture) ? 0 : 1;
    if (mode == "--check" && argc == 4) return checkNumbers(argv[2], argv[3], picture) ? 0 : 1;
    if (mode == "--preview" && argc <= 5) {
        int scale = argc == 5 ? std::atoi(argv[4]) : 6;
        if (scale < 1 || scale > 32) return usage();
        return writePreview(argv[3], scale) ? 0 : 1;
    }
    if (mode == "--icon" && argc == 5) {
        int size = std::atoi(argv[4]);
        if (size < 16 || size > 1024) return usage();
        return writeIcon(argv[3], picture, size) ? 0 : 1;
    }
    return usage();
}
