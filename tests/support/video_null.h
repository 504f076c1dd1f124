// What the null OpenGL edge saw.
#pragma once

#include "display/video.h"

#include <utility>

struct NullVideo {
    // Pictures shown as the screen texture, and games' pictures shown.
    int shownPictures = 0;
    int shownGameImages = 0;
    // The window size of the last resizeVideo.
    std::pair<int, int> viewport{0, 0};
};

extern NullVideo nullVideo;
