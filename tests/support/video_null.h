// What the null OpenGL edge saw.
#pragma once

#include "display/video.h"

struct NullVideo {
    // Pictures shown as the screen texture; game textures made and not yet released.
    int shownPictures = 0;
    int gameTextures = 0;
};

extern NullVideo nullVideo;
