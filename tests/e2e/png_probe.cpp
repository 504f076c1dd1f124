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

namespace {

struct Shot {
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
};

Shot loadShot(const char* path) {
    Shot shot;
    int channels = 0;
    shot.pixels = stbi_load(path, &shot.width, &shot.height, &channels, 4);
    if (!shot.pixels) {
        std::fprintf(stderr, "png_probe: cannot read %s\n", path);
        std::exit(2);
    }
    return shot;
}

// The palette index whose base colour is nearest to the screenshot's colour at the centre of
// cell (x, y) of a grid of columns x rows laid over the whole shot, y upward.
int indexAt(const Shot& shot, int x, int y, int columns, int rows) {
    int px = (2 * x + 1) * shot.width / (2 * columns);
    int py = shot.height - 1 - (2 * y + 1) * shot.height / (2 * rows);
    const unsigned char* rgb = shot.pixels + (static_cast<size_t>(py) * shot.width + px) * 4;
    int best = 0;
    float bestDistance = 1e9f;
    for (int i = 0; i < PALETTE_SIZE; i++) {
        float distance = 0;
        for (int c = 0; c < 3; c++) {
            float difference = rgb[c] / 255.0f - paletteBase[i][c];
            distance += difference * difference;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

int shownPicture[PICTURE_WIDTH][PICTURE_HEIGHT];

int mismatchesWithPicture() {
    int mismatches = 0;
    for (int x = 0; x < PICTURE_WIDTH; x++) {
        for (int y = 0; y < PICTURE_HEIGHT; y++) {
            // Indices outside the palette show black, like negative ones.
            int8_t index = pixelAt(x, y);
            int expected = index < 0 || index >= PALETTE_SIZE ? 0 : index;
            mismatches += shownPicture[x][y] != expected;
        }
    }
    return mismatches;
}

int probeFrontPage(const Shot& shot, const char* titlePath) {
    readTitlePicture(titlePath);
    for (int x = 0; x < PICTURE_WIDTH; x++) {
        for (int y = 0; y < PICTURE_HEIGHT; y++) {
            shownPicture[x][y] = indexAt(shot, x, y, PICTURE_WIDTH, PICTURE_HEIGHT);
        }
    }
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
                int mismatches = mismatchesWithPicture();
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

// The palette index whose colour (as the palette shows it now) a drawn game pixel has.
int drawnIndex(const uint8_t* pixel) {
    for (int i = 1; i < PALETTE_SIZE; i++) {
        Colour colour = colourOf(static_cast<int8_t>(i));
        if (colourByte(colour.red) == pixel[0] && colourByte(colour.green) == pixel[1] &&
            colourByte(colour.blue) == pixel[2]) {
            return i;
        }
    }
    return 0;
}

bool isBabyColour(int index) {
    return index == 0 || index == 4 || index == 6 || index == 7;
}

// Babies are drawn over the score and under the catcher, and may stand anywhere: the catcher
// must be exact, the score mostly visible, and everything else black or baby colours.
int probeGame(const Shot& shot, int score, int playerPos) {
    GameImage scoreImage = {}, catcherImage = {};
    char number[16];
    std::snprintf(number, sizeof number, "%d", score);
    drawTextToImage(scoreImage, number);
    drawSprite(SPRITE_CATCHER, catcherImage, 8, playerPos / 2 + 8);
    int mismatches = 0, scorePixels = 0, scorePixelsSeen = 0;
    for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
        for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
            int found = indexAt(shot, x, y, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE);
            const uint8_t* catcher = gameImagePixel(catcherImage, x, y);
            const uint8_t* scoreDigit = gameImagePixel(scoreImage, x, y);
            bool ok = isBabyColour(found);
            int wanted = 0;
            if (catcher[3] != 0) {
                wanted = drawnIndex(catcher);
                ok = found == wanted;
            } else if (scoreDigit[3] != 0) {
                wanted = drawnIndex(scoreDigit);
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_probe front|game|size SHOT.png ...\n");
        return 2;
    }
    // Colours are named by the base palette: set the shown colours to it.
    initPalette();
    std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
    Shot shot = loadShot(argv[2]);
    int status = 2;
    if (std::strcmp(argv[1], "size") == 0) {
        std::printf("%d %d\n", shot.width, shot.height);
        status = 0;
    } else if (std::strcmp(argv[1], "front") == 0 && argc == 4) {
        status = probeFrontPage(shot, argv[3]);
    } else if (std::strcmp(argv[1], "game") == 0 && argc == 5) {
        status = probeGame(shot, std::atoi(argv[3]), std::atoi(argv[4]));
    }
    stbi_image_free(shot.pixels);
    return status;
}
