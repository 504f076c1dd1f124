// What the null OpenGL edge saw.
#pragma once

#include "display/video.h"

#include <utility>

struct NullVideo {
    // Pictures shown as the screen texture; game textures made and not yet released.
    int shownPictures = 0;
    int gameTextures = 0;
    // The window size of the last resizeVideo.
    std::pair<int, int> viewport{0, 0};
};

extern NullVideo nullVideo;
