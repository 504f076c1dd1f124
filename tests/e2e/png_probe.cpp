// Reads a screenshot of the running game and checks it against the layout it should show.
//
//   png_probe front SHOT.png TITLE.txt   front page: prints "last best" it shows (-1 = none)
//   png_probe game SHOT.png SCORE POS    game: catcher at POS and SCORE in its corner
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
    float bestDistance = 1e9f;
    for (int i = 0; i < PALETTE_SIZE; i++) {
        float distance = 0;
        for (int c = 0; c < 3; c++) {
            float difference = rgb[c] / 255.0f - paletteBase[i][c];
            distance += difference * difference;
        }
        if (distance < bestDistance) bestDistance = distance, best = i;
    }
    return best;
}

// The index shown at the centre of cell (x, y) of a grid of columns x rows laid over the shot,
// y upward.
int shownIndex(int x, int y, int columns, int rows) {
    int px = (2 * x + 1) * width / (2 * columns);
    int py = height - 1 - (2 * y + 1) * height / (2 * rows);
    return nearestIndex(shot + (static_cast<size_t>(py) * width + px) * 4);
}

int probeFrontPage(const char* titlePath) {
    readTitlePicture(titlePath);
    static int shown[PICTURE_WIDTH][PICTURE_HEIGHT];
    for (int x = 0; x < PICTURE_WIDTH; x++)
        for (int y = 0; y < PICTURE_HEIGHT; y++)
            shown[x][y] = shownIndex(x, y, PICTURE_WIDTH, PICTURE_HEIGHT);
    int fewest = PICTURE_SIZE;
    for (int last = -1; last <= 9; last++) {
        for (int best = last < 0 ? -1 : last; best <= 9; best++) {
            frame.lastScore = last;
            frame.bestScore = best;
            // The blink repeats every 10 frames and the cycling colour every 54.
            for (int count = 0; count < 270; count++) {
                frame.frameCounter = count;
                clearPicture();
                drawFrontPage();
                int mismatches = 0;
                for (int x = 0; x < PICTURE_WIDTH; x++) {
                    for (int y = 0; y < PICTURE_HEIGHT; y++) {
                        // Indices outside the palette show black, like negative ones.
                        int8_t index = pixelAt(x, y);
                        mismatches +=
                            shown[x][y] != (index < 0 || index >= PALETTE_SIZE ? 0 : index);
                    }
                }
                if (mismatches == 0) {
                    std::printf("%d %d\n", last, best);
                    return 0;
                }
                if (mismatches < fewest) fewest = mismatches;
            }
        }
    }
    std::fprintf(stderr, "png_probe: no front page matches; the nearest differs in %d pixels\n",
                 fewest);
    return 1;
}

// Babies are drawn over the score and under the catcher, and may stand anywhere: the catcher
// must be exact, the score mostly visible, and everything else black or baby colours (0, 4, 6,
// 7).
int probeGame(int score, int playerPos) {
    GameImage scoreImage = {}, catcherImage = {};
    drawTextToImage(scoreImage, std::to_string(score).c_str());
    drawSprite(SPRITE_CATCHER, catcherImage, 8, playerPos / 2 + 8);
    int mismatches = 0, scorePixels = 0, scorePixelsSeen = 0;
    for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
        for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
            int found = shownIndex(x, y, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE);
            const uint8_t* catcher = gameImagePixel(catcherImage, x, y);
            const uint8_t* digit = gameImagePixel(scoreImage, x, y);
            bool ok = found == 0 || found == 4 || found == 6 || found == 7;
            int wanted = 0;
            if (catcher[3] != 0) {
                wanted = nearestIndex(catcher);
                ok = found == wanted;
            } else if (digit[3] != 0) {
                wanted = nearestIndex(digit);
                scorePixels++;
                scorePixelsSeen += found == wanted;
                ok = ok || found == wanted;
            }
            if (!ok) {
                std::fprintf(stderr, "png_probe: game pixel (%d, %d) is %d, wanted %d\n", x, y,
                             found, wanted);
                mismatches++;
            }
        }
    }
    if (2 * scorePixelsSeen < scorePixels) {
        std::fprintf(stderr, "png_probe: the score %d is not shown\n", score);
        mismatches++;
    }
    return mismatches == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    int channels = 0;
    shot = argc < 3 ? nullptr : stbi_load(argv[2], &width, &height, &channels, 4);
    if (!shot) {
        std::fprintf(stderr, "usage: png_probe front|game|size SHOT.png ..., a readable PNG\n");
        return 2;
    }
    // The game is drawn with the base palette, as the names of the shown colours are.
    initPalette();
    std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
    int status = 2;
    if (std::strcmp(argv[1], "size") == 0) {
        std::printf("%d %d\n", width, height);
        status = 0;
    } else if (std::strcmp(argv[1], "front") == 0 && argc == 4) {
        status = probeFrontPage(argv[3]);
    } else if (std::strcmp(argv[1], "game") == 0 && argc == 5) {
        status = probeGame(std::atoi(argv[3]), std::atoi(argv[4]));
    }
    stbi_image_free(shot);
    return status;
}
