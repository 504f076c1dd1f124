// The picture: 128 x 96 palette indices that the front page is drawn into, and its conversion
// to the RGBA texels of the screen texture.
//
// Stored column by column, y upward: pixel (x, y) is byte x * 96 + y. Writes outside the
// picture are dropped. Owns no OpenGL state; presentation lives in video.h.
#pragma once

#include <cstdint>

constexpr int PICTURE_WIDTH = 128;
constexpr int PICTURE_HEIGHT = 96;
constexpr int PICTURE_SIZE = PICTURE_WIDTH * PICTURE_HEIGHT;

// The screen texture is 128 x 128 texels of R, G, B, A; texture row x carries picture column x.
constexpr int TEXTURE_SIZE = 128;
constexpr int TEXTURE_BYTES = TEXTURE_SIZE * TEXTURE_SIZE * 4;

extern int8_t pixelBuffer[PICTURE_SIZE];

// Writes palette index `index` at (x, y) when it lies inside the picture.
void putPixel(int x, int y, int8_t index);

// Reads the index at (x, y); 0 outside the picture.
int8_t pixelAt(int x, int y);

void clearPicture();

// Fills the screen texture's image with noise and opaque alpha, as it is before the first frame.
void fillTextureNoise(uint8_t texels[TEXTURE_BYTES]);

// Converts the picture into texels through the palette. Texels 96..127 of each row and every
// alpha byte are left alone.
void convertPictureToTexels(uint8_t texels[TEXTURE_BYTES]);
