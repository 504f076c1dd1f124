// Rendering one frame.
#include "frame/render.h"

#include "display/video.h"
#include "frame/front_page.h"
#include "frame/screens.h"

uint8_t screenTexels[TEXTURE_BYTES];

void renderFrame() {
    frameCounter++;
    clearPicture();
    if (!gameActive) drawFrontPage();
    convertPictureToTexels(screenTexels);
    presentPicture(screenTexels);
    if (gameActive) {
        for (auto& screen : screenStack) screen->draw();
    }
    swapFrame();
}
