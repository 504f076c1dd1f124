// GameTitle's picture: its layers, their order, the emotions background and the dissolve.
#include "display/palette.h"
#include "draw/font.h"
#include "draw/sprites.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int PIXELS = GAME_IMAGE_SIZE * GAME_IMAGE_SIZE;
constexpr int COLOUR_BYTES = PIXELS * 3;

class GamePicture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(paletteCurrent, paletteBase, sizeof paletteCurrent);
        seedRandom(77);
    }
    const uint8_t* pixel(int x, int y) const { return gameImagePixel(game.image, x, y); }
    bool black(int x, int y) const {
        const uint8_t* p = pixel(x, y);
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
    void expectPaletteColour(int x, int y, int8_t index) const {
        Colour colour = colourOf(index);
        EXPECT_EQ(pixel(x, y)[0], colourByte(colour.red)) << x << "," << y;
        EXPECT_EQ(pixel(x, y)[1], colourByte(colour.green)) << x << "," << y;
        EXPECT_EQ(pixel(x, y)[2], colourByte(colour.blue)) << x << "," << y;
    }
    // The score and the catcher at rest over `background`, made opaque: what the picture must
    // be without babies, emotions or ending.
    static GameImage withScoreAndCatcher(GameImage background, const char* score, int catcherY) {
        drawTextToImage(background, score);
        drawSprite(SPRITE_CATCHER, background, 8, catcherY);
        for (int i = 0; i < PIXELS; i++) background.bytes[i * 4 + 3] = 255;
        return background;
    }
    void expectImage(const GameImage& expected) const {
        for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
            for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
                const uint8_t* want = gameImagePixel(expected, x, y);
                for (int c = 0; c < 4; c++) {
                    ASSERT_EQ(pixel(x, y)[c], want[c]) << x << "," << y << " channel " << c;
                }
            }
        }
    }
    GameTitle game{0.0f, 0.0f, 128.0f, 96.0f};
};

GameImage blankImage() {
    GameImage image;
    std::memset(image.bytes, 0, sizeof image.bytes);
    return image;
}

} // namespace

TEST_F(GamePicture, ANewGameShowsTheScoreAndTheCatcherOnBlack) {
    std::memset(game.image.bytes, 0x5A, sizeof game.image.bytes);
    game.paintImage();
    expectImage(withScoreAndCatcher(blankImage(), "0", 8));
    // The digit 0 in colour 1 from column 25, hollow in the middle.
    expectPaletteColour(25, 3, 1);
    expectPaletteColour(27, 5, 1);
    EXPECT_TRUE(black(26, 3));
    EXPECT_TRUE(black(28, 3));
    EXPECT_TRUE(black(25, 0));
    // The catcher fills x 0 to 15, y 0 to 10; above it all is black.
    expectPaletteColour(0, 4, 1);
    for (int x = 0; x < 32; x++) EXPECT_TRUE(black(x, 11)) << x;
    for (int x = 16; x < 32; x++) EXPECT_TRUE(black(x, 8)) << x;
    EXPECT_EQ(pixel(31, 31)[3], 255);
}

TEST_F(GamePicture, TheScoreIsCutPastColumn31) {
    game.score = 123;
    game.paintImage();
    expectImage(withScoreAndCatcher(blankImage(), "12", 8));
}

TEST_F(GamePicture, TheCatcherClimbsOnePixelPerTwoSteps) {
    game.playerPos = 42;
    game.paintImage();
    expectImage(withScoreAndCatcher(blankImage(), "0", 29));
    // Its top row of ink lies on the picture's top edge.
    expectPaletteColour(4, 31, 5);

    game.playerPos = 3;
    game.paintImage();
    expectImage(withScoreAndCatcher(blankImage(), "0", 9));
}

TEST_F(GamePicture, BabiesAreDrawnAtTheirPlaceTruncatedTowardZero) {
    // Just created at 36: not visible at all.
    game.babies = {{36.0f, 20.0f}};
    game.paintImage();
    expectImage(withScoreAndCatcher(blankImage(), "0", 8));

    // After one move (35.7, drawn at 35) its leftmost column lies on x 31.
    game.babies = {{35.7f, 20.0f}};
    game.paintImage();
    expectPaletteColour(31, 14, 6);

    // At -1.5 it is drawn at -1, so its rightmost column (colour 6) lies on x 1, not x 0.
    game.babies = {{-1.5f, 20.0f}};
    game.paintImage();
    expectPaletteColour(1, 12, 6);
    expectPaletteColour(1, 13, 6);
    EXPECT_TRUE(black(0, 13));
    EXPECT_TRUE(black(2, 13));
}

TEST_F(GamePicture, BabiesCoverTheScore) {
    // Centred at (28, 9) the baby's top cell (colour 7) lands on (25, 5), the digit's corner.
    game.babies = {{28.0f, 9.0f}};
    game.paintImage();
    expectPaletteColour(25, 5, 7);
    // Where the baby is transparent the digit shows.
    expectPaletteColour(27, 5, 1);
}

// Per pixel and per channel: an odd draw takes the next draw's low byte, an even draw the
// product of (ticks / 4), channel and place.
TEST_F(GamePicture, TheEmotionsBackgroundFollowsItsDraws) {
    game.emotions = true;
    game.tickCount = 4 * 13 + 3;
    seedRandom(5);
    game.paintImage();
    int afterPicture = nextRandom();

    seedRandom(5);
    GameImage background = blankImage();
    int randomBytes = 0;
    for (int x = 0; x < 32; x++) {
        for (int y = 0; y < 32; y++) {
            for (int c = 0; c < 3; c++) {
                uint8_t value;
                if (nextRandom() % 2 == 1) {
                    value = static_cast<uint8_t>(nextRandom() % 256);
                    randomBytes++;
                } else {
                    value = static_cast<uint8_t>((13 * c * x * y) % 256);
                }
                gameImagePixel(background, x, y)[c] = value;
            }
        }
    }
    EXPECT_EQ(nextRandom(), afterPicture);
    // About half of the bytes are random specks.
    EXPECT_GT(randomBytes, COLOUR_BYTES * 2 / 5);
    EXPECT_LT(randomBytes, COLOUR_BYTES * 3 / 5);
    expectImage(withScoreAndCatcher(background, "0", 8));
}

TEST_F(GamePicture, WithoutEmotionsOrEndingThePictureDrawsNoChance) {
    seedRandom(5);
    game.paintImage();
    int next = nextRandom();
    seedRandom(5);
    EXPECT_EQ(nextRandom(), next);
}

TEST_F(GamePicture, TheFirstDissolvingFrameChangesNothing) {
    game.emotions = true;
    seedRandom(9);
    game.paintImage();
    GameImage undissolved = game.image;

    // Same draws for the background, then one more draw per colour byte for the dissolve.
    game.ending = true;
    game.endCountdown = ENDING_TICKS;
    seedRandom(9);
    game.paintImage();
    expectImage(undissolved);
}

TEST_F(GamePicture, TheDissolveBlacksOutMoreAsTheCountdownFalls) {
    game.emotions = true;
    seedRandom(11);
    game.paintImage();
    GameImage undissolved = game.image;
    int lit = 0;
    for (int i = 0; i < PIXELS; i++) {
        for (int c = 0; c < 3; c++) lit += undissolved.bytes[i * 4 + c] != 0;
    }
    ASSERT_GT(lit, COLOUR_BYTES / 2);

    game.ending = true;
    const uint32_t countdowns[] = {64, 1};
    for (uint32_t countdown : countdowns) {
        game.endCountdown = countdown;
        seedRandom(11);
        game.paintImage();
        int blacked = 0;
        for (int i = 0; i < PIXELS; i++) {
            for (int c = 0; c < 3; c++) {
                uint8_t before = undissolved.bytes[i * 4 + c];
                uint8_t after = game.image.bytes[i * 4 + c];
                ASSERT_TRUE(after == before || after == 0);
                blacked += before != 0 && after == 0;
            }
            ASSERT_EQ(game.image.bytes[i * 4 + 3], 255);
        }
        // A byte survives when its 7 random bits reach the countdown's share of 128.
        double expectedShare = 1.0 - countdown / 128.0;
        EXPECT_NEAR(static_cast<double>(blacked) / lit, expectedShare, 0.05) << countdown;
    }
}
