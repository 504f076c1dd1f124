// Null OpenGL edge: records what would have been shown so tests can look at it.
#include "support/video_null.h"

#include <cstring>

NullVideo nullVideo;

void setUpVideo(int, int, const uint8_t*) {}

void resizeVideo(int width, int height) {
    nullVideo.viewport = {width, height};
}

void clearWindow() {}

void showPicture(const uint8_t*) {
    nullVideo.shownPictures++;
}

void showGameImage(const GameImage&, float x, float y, float width, float height) {
    nullVideo.shownGameImages++;
    const float rectangle[4] = {x, y, width, height};
    std::memcpy(nullVideo.gameRectangle, rectangle, sizeof rectangle);
}

void swapFrame() {}

// Each row holds its own number from the bottom, so a test can tell which way up a picture is.
void readPresentedFrame(int width, int height, uint8_t* rgba) {
    for (int row = 0; row < height; row++) {
        std::memset(rgba + static_cast<size_t>(row) * width * 4, row % 256,
                    static_cast<size_t>(width) * 4);
    }
}
