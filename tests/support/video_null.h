// What the null OpenGL edge saw.
#pragma once

#include "display/video.h"

struct NullVideo {
    int shownPictures = 0;
    unsigned texturesCreated = 0;
    unsigned texturesReleased = 0;
    int swaps = 0;
};

extern NullVideo nullVideo;
