// The game's own picture: 32 x 32 pixels of R, G, B, A bytes. The game draws into it (through
// draw/) and the display shows it, so it lives here, below both.
//
// Stored column by column with y upward, like every picture here: pixel (x, y) starts at byte
// (x * 32 + y) * 4.
#pragma once

#include <cstdint>

constexpr int GAME_IMAGE_SIZE = 32;

struct GameImage {
    uint8_t bytes[GAME_IMAGE_SIZE * GAME_IMAGE_SIZE * 4];
};

// First byte (red) of pixel (x, y); the caller keeps x and y inside 0..31.
inline uint8_t* gameImagePixel(GameImage& image, int x, int y) {
    return image.bytes + (x * GAME_IMAGE_SIZE + y) * 4;
}
inline const uint8_t* gameImagePixel(const GameImage& image, int x, int y) {
    return image.bytes + (x * GAME_IMAGE_SIZE + y) * 4;
}
