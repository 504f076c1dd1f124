// The sprite table and drawing sprites into a game's picture. Owns only the constant table;
// never writes outside the 32 x 32 picture it is given.
#include "draw/sprites.h"

#include "draw/image_pixel.h"

namespace {

struct Sprite {
    int size;
    // 16 rows of 16 hexadecimal palette indices, top row first; '.' is transparent.
    const char* rows[SPRITE_GRID];
};

// clang-format off
constexpr Sprite EMPTY_SPRITE = {SPRITE_GRID, {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
}};

constexpr Sprite BABY_SPRITE = {SPRITE_GRID, {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    ".....7..........",
    "....667.........",
    "....66444.......",
    "......444.6.....",
    ".....6.4446.....",
}};

constexpr Sprite CATCHER_SPRITE = {SPRITE_GRID, {
    "................",
    "................",
    "................",
    "................",
    "................",
    "....555.........",
    "55.55555........",
    "555555555.......",
    "555555555666....",
    "5555555556666...",
    "22222222222666..",
    "11111111112.66..",
    "11111111112.633.",
    "..........2.3333",
    "..........2.....",
    "..........2.....",
}};
// clang-format on

// Only the baby and the catcher are ever drawn; the other records stay empty, kept so that the
// table has its eight numbered records and the two keep their numbers 5 and 6.
const Sprite SPRITE_TABLE[SPRITE_COUNT] = {
    EMPTY_SPRITE, EMPTY_SPRITE, EMPTY_SPRITE,   EMPTY_SPRITE,
    EMPTY_SPRITE, BABY_SPRITE,  CATCHER_SPRITE, EMPTY_SPRITE,
};

} // namespace

// A cell's palette index: a hexadecimal digit, or '.' (0) for a transparent cell.
static int8_t cellIndex(char cell) {
    if (cell >= '0' && cell <= '9') return static_cast<int8_t>(cell - '0');
    if (cell >= 'a' && cell <= 'f') return static_cast<int8_t>(cell - 'a' + 10);
    if (cell >= 'A' && cell <= 'F') return static_cast<int8_t>(cell - 'A' + 10);
    return 0;
}

static bool insideImage(int x, int y) {
    return x >= 0 && x < GAME_IMAGE_SIZE && y >= 0 && y < GAME_IMAGE_SIZE;
}

void drawSprite(int sprite, GameImage& image, int x, int y) {
    if (sprite < 0 || sprite >= SPRITE_COUNT) return;
    const Sprite& record = SPRITE_TABLE[sprite];
    int size = record.size < SPRITE_GRID ? record.size : SPRITE_GRID;
    if (size <= 0) return;
    int half = size / 2;
    for (int row = 0; row < size; row++) {
        // The top row lands highest: the picture's y runs upward.
        int targetY = y + (size - 1 - row) - half;
        for (int column = 0; column < size; column++) {
            int targetX = x + column - half;
            int8_t index = cellIndex(record.rows[row][column]);
            if (index == 0 || !insideImage(targetX, targetY)) continue;
            paintImagePixel(image, targetX, targetY, colourOf(index));
        }
    }
}
