// Reads a screenshot of the running game and checks it against the layout it should show.
//
//   png_probe front SHOT.png TITLE.txt   front page: prints "last best" it shows (-1 = none)
//   png_probe game SHOT.png SCORE POS    game: catcher at POS and SCORE in its corner
//   png_probe emotions SHOT.png          game: emotions felt (a background of noise)
//   png_probe size SHOT.png              prints "width height"
//
// Each picture pixel of the screenshot is read at the centre of its block and named by the
// nearest base colour of the palette, which the drift never moves far. The front page must
// match what the frame draws for some frame count (the blink and the cycling colour) and some
// pair of scores; the game must show the catcher and the score exactly, and nothing but black
// and baby colours elsewhere.
#include "display/palette.h"
#include "display/picture.h"
#include "draw/font.h"
#include "draw/sprites.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "frame/title_picture.h"

#include <stb_image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int width = 0, height = 0;
unsigned char* shot = nullptr;

// The palette index whose base colour is nearest to an RGB colour.
int nearestIndex(const unsigned char* rgb) {
    int best = 0;
    double bestDistance = 1e9;
    for (int i = 0; i < PALETTE_SIZE; i++) {
        double distance = 0;
        for (int c = 0; c < 3; c++) distance += std::pow(rgb[c] / 255.0 - paletteBase[i][c], 2);
        if (distance < bestDistance) bestDistance = distance, best = i;
    }
    return best;
}

// The index shown at the centre of a cell of a grid of columns x rows laid over the shot; cells
// are counted column by column from the lower left, as pictures are stored.
int shownIndex(int cell, int columns, int rows) {
    int px = (2 * (cell / rows) + 1) * width / (2 * columns);
    int py = height - 1 - (2 * (cell % rows) + 1) * height / (2 * rows);
    return nearestIndex(shot + (static_cast<size_t>(py) * width + px) * 4);
}

// Whether the picture as the frame draws the front page now shows as SHOWN.
bool drawnAsShown(const int* shown) {
    clearPicture();
    drawFrontPage();
    for (int i = 0; i < PICTURE_SIZE; i++) {
        // Indices outside the palette show black, like negative ones.
        int8_t index = pixelBuffer[i];
        if (shown[i] != (index < 0 || index >= PALETTE_SIZE ? 0 : index)) return false;
    }
    return true;
}

int probeFrontPage(const char* titlePath) {
    readTitlePicture(titlePath);
    static int shown[PICTURE_SIZE];
    for (int i = 0; i < PICTURE_SIZE; i++) shown[i] = shownIndex(i, PICTURE_WIDTH, PICTURE_HEIGHT);
    // Every pair of scores up to 9; the blink repeats every 10 frames and the cycling colour
    // every 54.
    for (frame.lastScore = -1; frame.lastScore <= 9; frame.lastScore++) {
        for (frame.bestScore = frame.lastScore; frame.bestScore <= 9; frame.bestScore++) {
            for (frame.frameCounter = 0; frame.frameCounter < 270; frame.frameCounter++) {
                if (!drawnAsShown(shown)) continue;
                std::printf("%d %d\n", frame.lastScore, frame.bestScore);
                return 0;
            }
        }
    }
    std::fprintf(stderr, "png_probe: no front page matches\n");
    return 1;
}

// Babies are drawn over the score and under the catcher, and may stand anywhere: the catcher
// must be exact, the score mostly visible, and everything else black or baby colours (0, 4, 6,
// 7).
int probeGame(int score, int playerPos) {
    GameImage scoreImage = {}, catcherImage = {};
    drawTextToImage(scoreImage, std::to_string(score).c_str());
    drawSprite(SPRITE_CATCHER, catcherImage, 8, playerPos / 2 + 8);
    int wrong = 0, scorePixels = 0, scorePixelsSeen = 0;
    for (int i = 0; i < GAME_IMAGE_SIZE * GAME_IMAGE_SIZE; i++) {
        int found = shownIndex(i, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE);
        const uint8_t* catcher = catcherImage.bytes + 4 * i;
        const uint8_t* digit = scoreImage.bytes + 4 * i;
        bool babyOrBlack = found == 0 || found == 4 || found == 6 || found == 7;
        if (catcher[3] != 0) {
            wrong += found != nearestIndex(catcher);
        } else if (digit[3] != 0) {
            scorePixels++;
            scorePixelsSeen += found == nearestIndex(digit);
            wrong += !babyOrBlack && found != nearestIndex(digit);
        } else {
            wrong += !babyOrBlack;
        }
    }
    if (wrong == 0 && 2 * scorePixelsSeen >= scorePixels) return 0;
    std::fprintf(stderr, "png_probe: %d pixels wrong, %d of the score's %d shown\n", wrong,
                 scorePixelsSeen, scorePixels);
    return 1;
}

// Felt emotions fill the game's black background with noise: then most pixels are not black.
int probeEmotions() {
    int black = 0;
    for (int i = 0; i < GAME_IMAGE_SIZE * GAME_IMAGE_SIZE; i++) {
        black += shownIndex(i, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE) == 0;
    }
    if (2 * black < GAME_IMAGE_SIZE * GAME_IMAGE_SIZE) return 0;
    std::fprintf(stderr, "png_probe: %d black pixels, no emotions\n", black);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int channels = 0;
    shot = argc < 3 ? nullptr : stbi_load(argv[2], &width, &height, &channels, 4);
    if (!shot) {
        std::fprintf(stderr,
                     "usage: png_probe front|game|emotions|size SHOT.png ..., a readable PNG\n");
        return 2;
    }
    // The game is drawn with the base palette, as the names of the shown colours are.
    initPalette();
    std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
    const std::string mode = argv[1];
    int status = 2;
    if (mode == "size") status = std::printf("%d %d\n", width, height) < 0 ? 2 : 0;
    if (mode == "front" && argc == 4) status = probeFrontPage(argv[3]);
    if (mode == "game" && argc == 5) status = probeGame(std::atoi(argv[3]), std::atoi(argv[4]));
    if (mode == "emotions") status = probeEmotions();
    stbi_image_free(shot);
    return status;
}
