// The picture and its conversion to texels.
#include "display/picture.h"

#include "display/palette.h"
#include "platform/chance.h"

#include <cstring>

int8_t pixelBuffer[PICTURE_SIZE];

static bool insidePicture(int x, int y) {
    return x >= 0 && x < PICTURE_WIDTH && y >= 0 && y < PICTURE_HEIGHT;
}

void putPixel(int x, int y, int8_t index) {
    if (insidePicture(x, y)) pixelBuffer[x * PICTURE_HEIGHT + y] = index;
}

int8_t pixelAt(int x, int y) {
    return insidePicture(x, y) ? pixelBuffer[x * PICTURE_HEIGHT + y] : 0;
}

void clearPicture() {
    std::memset(pixelBuffer, 0, sizeof pixelBuffer);
}

void fillTextureNoise(uint8_t texels[TEXTURE_BYTES]) {
    for (int i = 0; i < TEXTURE_BYTES; i += 4) {
        texels[i] = static_cast<uint8_t>(nextRandom() % 255);
        texels[i + 1] = static_cast<uint8_t>(nextRandom() % 255);
        texels[i + 2] = static_cast<uint8_t>(nextRandom() % 255);
        texels[i + 3] = 255;
    }
}

void convertPictureToTexels(uint8_t texels[TEXTURE_BYTES]) {
    for (int x = 0; x < PICTURE_WIDTH; x++) {
        const int8_t* column = pixelBuffer + x * PICTURE_HEIGHT;
        uint8_t* row = texels + x * TEXTURE_SIZE * 4;
        for (int y = 0; y < PICTURE_HEIGHT; y++) {
            Colour colour = colourOf(column[y]);
            row[y * 4] = colourByte(colour.red);
            row[y * 4 + 1] = colourByte(colour.green);
            row[y * 4 + 2] = colourByte(colour.blue);
        }
    }
}
