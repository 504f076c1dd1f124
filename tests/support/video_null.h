// What the null OpenGL edge saw.
#pragma once

#include "display/video.h"

struct NullVideo {
    // Pictures shown as the screen texture, and games' pictures shown.
    int shownPictures = 0;
    int shownGameImages = 0;
};

extern NullVideo nullVideo;
