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
    // The rectangle of the view the last game's picture was shown over: x, y, width, height.
    float gameRectangle[4] = {};
};

extern NullVideo nullVideo;
