// Rendering one frame.
#include "frame/render.h"

#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"

uint8_t screenTexels[TEXTURE_BYTES];

void renderFrame() {
    frame.frameCounter++;
    clearPicture();
    clearWindow();
    if (frame.gameActive) {
        // A game's picture is opaque and covers the whole view: the picture under it would
        // never be seen, so it is neither converted nor drawn.
        for (auto& screen : frame.screenStack) screen->draw();
    } else {
        drawFrontPage();
        convertPictureToTexels(screenTexels);
        showPicture(screenTexels);
    }
    swapFrame();
}
