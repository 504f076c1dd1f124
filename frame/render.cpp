// Rendering one frame.
#include "frame/render.h"

#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"

uint8_t screenTexels[TEXTURE_BYTES];

void renderFrame() {
    frame.frameCounter++;
    clearPicture();
    if (!frame.gameActive) drawFrontPage();
    convertPictureToTexels(screenTexels);
    presentPicture(screenTexels);
    if (frame.gameActive) {
        for (auto& screen : frame.screenStack) screen->draw();
    }
    swapFrame();
}
