// What the null OpenGL edge saw.
#pragma once

#include "display/video.h"

struct NullVideo {
    int windowWidth = 0, windowHeight = 0;
    uint8_t texels[TEXTURE_BYTES] = {};
    int shownPictures = 0;
    unsigned texturesCreated = 0;
    unsigned texturesReleased = 0;
    unsigned shownTexture = 0;
    GameImage shownImage = {};
    int shownGameImages = 0;
    int swaps = 0;
};

extern NullVideo nullVideo;
