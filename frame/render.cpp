// Rendering one frame.
#include "frame/render.h"

#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "game/game_title.h"

uint8_t screenTexels[TEXTURE_BYTES];

namespace {
// A screen paints its picture; the frame shows it over the screen's rectangle. GameTitle is
// the only screen there is, and the only one with a picture.
void presentScreen(GameState& screen) {
    screen.draw();
    if (const auto* game = dynamic_cast<const GameTitle*>(&screen)) {
        showGameImage(game->image, game->rectX, game->rectY, game->rectW, game->rectH);
    }
}
} // namespace

void renderFrame() {
    frame.frameCounter++;
    clearPicture();
    clearWindow();
    if (frame.gameActive) {
        // A game's picture is opaque and covers the whole view: the picture under it would
        // never be seen, so it is neither converted nor drawn.
        for (auto& screen : frame.screenStack) presentScreen(*screen);
    } else {
        drawFrontPage();
        convertPictureToTexels(screenTexels);
        showPicture(screenTexels);
    }
    swapFrame();
}
