// Palette colours into a game's picture.
#include "draw/image_pixel.h"

void paintImagePixel(GameImage& image, int x, int y, const Colour& colour) {
    uint8_t* pixel = gameImagePixel(image, x, y);
    pixel[0] = colourByte(colour.red);
    pixel[1] = colourByte(colour.green);
    pixel[2] = colourByte(colour.blue);
    pixel[3] = OPAQUE_ALPHA;
}
