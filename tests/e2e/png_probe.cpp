// Reads a screenshot of the running game and checks it against expectations made by hand: the
// title picture file, the digits, the catcher and a few cells of the instructions, written out
// here cell by cell. It never draws with the game's code.
//
//   png_probe front SHOT.png TITLE.txt   front page: prints "last best" it shows (-1 = none)
//   png_probe game SHOT.png SCORE POS    game: catcher at POS and SCORE in its corner
//   png_probe emotions SHOT.png          game: emotions felt (a background of noise)
//   png_probe size SHOT.png              prints "width height"
//
// Each picture cell is read at the centre of its block and named by the nearest base colour of
// the palette, which the drift never moves far.
#include "display/palette.h"

#include <stb_image.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

int width = 0, height = 0;
unsigned char* shot = nullptr;

// The digits of the font, top row first, '#' for ink; 1 advances 3 cells, the others 4.
const char* const DIGITS[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#", "##", ".#", ".#", ".#"},
    {".#.", "#.#", "..#", ".#.", "###"}, {"##.", "..#", "##.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", ".#.", "#..", "#.."},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "..#"}};

// The catcher's inked rows, 6 to 16 of its 16, top first; drawn centred on (x, y), row g of 16
// (counted from 0) lands on y + 7 - g and column c on x + c - 8.
const char* const CATCHER[11] = {"....555.........", "55.55555........", "555555555.......",
                                 "555555555666....", "5555555556666...", "22222222222666..",
                                 "11111111112.66..", "11111111112.633.", "..........2.3333",
                                 "..........2.....", "..........2....."};

// The palette index whose base colour is nearest to an RGB colour.
int nearestIndex(const unsigned char* rgb) {
    int best = 0;
    double bestDistance = 1e9;
    for (int i = 0; i < PALETTE_SIZE; i++) {
        double distance = 0;
        for (int c = 0; c < 3; c++) distance += std::pow(rgb[c] / 255.0 - paletteBase[i][c], 2);
        if (distance < bestDistance) bestDistance = distance, best = i;
    }
    return best;
}

// The index shown in cell (x, y), y upward, of a grid of columns x rows laid over the shot;
// -1 outside it.
int shown(int x, int y, int columns, int rows) {
    if (x < 0 || y < 0 || x >= columns || y >= rows) return -1;
    int px = (2 * x + 1) * width / (2 * columns);
    int py = height - 1 - (2 * y + 1) * height / (2 * rows);
    return nearestIndex(shot + (static_cast<size_t>(py) * width + px) * 4);
}

// The number written in `colour` from (x, y), the lower-left corner of its first digit, on a
// grid of columns x rows; -1 when none is there.
int readNumber(int x, int y, int colour, int columns, int rows) {
    int number = -1;
    for (bool found = true; found;) {
        found = false;
        for (int digit = 0; digit < 10 && !found; digit++) {
            const int digitWidth = static_cast<int>(std::string(DIGITS[digit][0]).size());
            found = true;
            for (int r = 0; r < 5; r++)
                for (int c = 0; c < digitWidth + 1; c++) {
                    const bool ink = c < digitWidth && DIGITS[digit][r][c] == '#';
                    found = found && ink == (shown(x + c, y + 4 - r, columns, rows) == colour);
                }
            if (found) number = (number < 0 ? 0 : 10 * number) + digit, x += digitWidth + 1;
        }
    }
    return number;
}

// The front page: the letter c of "catch babies." in colour 8 at (2, 23), the title picture's
// cells where nothing covers them (x 32 to 95, y 36 to 85), "score:" and "best:" followed by
// the numbers in colour 2.
int probeFrontPage(const char* titlePath) {
    const auto at = [](int x, int y) { return shown(x, y, 128, 96); };
    bool ok = at(2, 25) == 8 && at(2, 26) == 8 && at(3, 27) == 8 && at(2, 27) != 8;
    std::ifstream title(titlePath);
    int value = 0;
    for (int k = 0; k < 4096 && title >> value; k++) {
        const int index = static_cast<int8_t>(value & 255), x = 32 + k % 64, y = 22 + k / 64;
        if (y >= 36 && value != 0 && index < PALETTE_SIZE)
            ok = ok && at(x, y) == (index < 0 ? 0 : index);
    }
    if (!ok) {
        std::fprintf(stderr, "png_probe: not the front page\n");
        return 1;
    }
    std::printf("%d %d\n", readNumber(28, 9, 2, 128, 96), readNumber(24, 2, 2, 128, 96));
    return 0;
}

// The catcher exact, the score (from column 25, rows 1 to 5, colour 1) mostly visible under
// the babies that may cross it, and nothing else but black or baby colours (0, 4, 6, 7).
int probeGame(int score, int playerPos) {
    constexpr int SCORE = 11;    // a cell of the score: colour 1, or a baby's over it
    static int expected[32][32]; // -1 free, SCORE, else the index that must show
    for (auto& column : expected)
        for (int& cell : column) cell = -1;
    int scoreCells = 0, scoreSeen = 0, wrong = 0, x = 25;
    for (char digitText : std::to_string(score)) {
        const char* const* digit = DIGITS[digitText - '0'];
        const int digitWidth = static_cast<int>(std::string(digit[0]).size());
        for (int r = 0; r < 5; r++)
            for (int c = 0; c < digitWidth && x + c < 32; c++)
                if (digit[r][c] == '#') expected[x + c][5 - r] = SCORE;
        x += digitWidth + 1;
    }
    for (int r = 0; r < 11; r++)
        for (int c = 0; c < 16; c++) {
            const int y = playerPos / 2 + 8 + 7 - (r + 5);
            if (CATCHER[r][c] != '.' && y >= 0 && y < 32) expected[c][y] = CATCHER[r][c] - '0';
        }
    for (int cx = 0; cx < 32; cx++)
        for (int cy = 0; cy < 32; cy++) {
            const int found = shown(cx, cy, 32, 32), want = expected[cx][cy];
            const bool babyOrBlack = found == 0 || found == 4 || found == 6 || found == 7;
            scoreCells += want == SCORE;
            scoreSeen += want == SCORE && found == 1;
            wrong += want == SCORE ? !babyOrBlack && found != 1
                     : want >= 0   ? found != want
                                   : !babyOrBlack;
        }
    if (wrong == 0 && 2 * scoreSeen >= scoreCells) return 0;
    std::fprintf(stderr, "png_probe: %d cells wrong, %d of the score's %d shown\n", wrong,
                 scoreSeen, scoreCells);
    return 1;
}

// Felt emotions fill the game's black background with noise: then most pixels are not black.
int probeEmotions() {
    int black = 0;
    for (int x = 0; x < 32; x++)
        for (int y = 0; y < 32; y++) black += shown(x, y, 32, 32) == 0;
    if (2 * black < 32 * 32) return 0;
    std::fprintf(stderr, "png_probe: %d black pixels, no emotions\n", black);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int channels = 0;
    shot = argc < 3 ? nullptr : stbi_load(argv[2], &width, &height, &channels, 4);
    if (!shot) {
        std::fprintf(stderr,
                     "usage: png_probe front|game|emotions|size SHOT.png ..., a readable PNG\n");
        return 2;
    }
    const std::string mode = argv[1];
    int status = 2;
    if (mode == "size") status = std::printf("%d %d\n", width, height) < 0 ? 2 : 0;
    if (mode == "front" && argc == 4) status = probeFrontPage(argv[3]);
    if (mode == "game" && argc == 5) status = probeGame(std::atoi(argv[3]), std::atoi(argv[4]));
    if (mode == "emotions") status = probeEmotions();
    stbi_image_free(shot);
    return status;
}
