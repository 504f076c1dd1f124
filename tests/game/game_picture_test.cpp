// GameTitle's picture: its layers, their order, the emotions background and the dissolve.
#include "display/palette.h"
#include "draw/font.h"
#include "draw/sprites.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

constexpr int COLOUR_BYTES = GAME_IMAGE_SIZE * GAME_IMAGE_SIZE * 3;

struct Probe {
    int x, y;
    int8_t index; // palette index; 0 is black
};

class GamePicture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
    }
    bool shows(Probe p) const {
        Colour c = colourOf(p.index);
        const uint8_t want[3] = {colourByte(c.red), colourByte(c.green), colourByte(c.blue)};
        return std::memcmp(gameImagePixel(game.image, p.x, p.y), want, 3) == 0;
    }
    GameTitle game{0.0f, 0.0f, 128.0f, 96.0f};
};

} // namespace

TEST_F(GamePicture, DrawsTheScoreThenTheBabiesThenTheCatcher) {
    struct Case {
        int32_t score, playerPos;
        std::vector<Baby> babies;
        std::vector<Probe> probes;
    };
    // clang-format off
    const Case cases[] = {
        // The first picture: black but for the digit 0 (hollow) in colour 1 and the catcher; a
        // baby at 36 is not visible.
        {0, 0, {{36.0f, 20.0f}},
         {{25, 3, 1}, {27, 5, 1}, {26, 3, 0}, {0, 4, 1}, {4, 10, 5}, {4, 11, 0}}},
        // "12", and the catcher one pixel up for two steps; at 42 it reaches the top row.
        {12, 3, {}, {{28, 1, 1}, {4, 11, 5}, {4, 12, 0}}},
        {0, 42, {}, {{4, 31, 5}, {4, 20, 0}}},
        // Babies drawn at their place truncated toward zero: 35.7 at 35 shows its left column
        // on x 31, -2.9 at -2 its right column on x 0.
        {0, 0, {{35.7f, 20.0f}, {-2.9f, 28.0f}}, {{31, 14, 6}, {0, 20, 6}, {1, 20, 0}}},
        // A baby over the digit's corner (25, 5) where it has ink, not elsewhere; the catcher
        // over a baby's top cell at (5, 8).
        {0, 0, {{28.0f, 9.0f}, {8.0f, 12.0f}}, {{25, 5, 7}, {27, 5, 1}, {5, 8, 5}}},
    };
    // clang-format on
    for (const Case& t : cases) {
        game.score = t.score;
        game.playerPos = t.playerPos;
        game.babies = t.babies;
        game.paintImage();
        for (Probe p : t.probes) {
            EXPECT_TRUE(shows(p)) << "case " << &t - cases << ": " << p.x << "," << p.y;
        }
    }
    // Opaque, and outside the digit (x 25 to 27, y 1 to 5) and the catcher (x 0 to 15, y 0 to
    // 10) black, in the first picture.
    game.score = game.playerPos = 0;
    game.babies = cases[0].babies;
    game.paintImage();
    for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
        for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
            EXPECT_EQ(gameImagePixel(game.image, x, y)[3], 255);
            bool digit = x >= 25 && x <= 27 && y >= 1 && y <= 5;
            EXPECT_TRUE(digit || (x <= 15 && y <= 10) || shows({x, y, 0})) << x << "," << y;
        }
    }
}

// Per pixel (x outer, y inner) and channel: an odd draw takes the next draw's low byte, an even
// one the product of (ticks / 4), channel and place; the score and the catcher go over it.
TEST_F(GamePicture, TheEmotionsBackgroundFollowsItsDraws) {
    game.emotions = true;
    game.tickCount = 4 * 13 + 3;
    seedRandom(5);
    game.paintImage();
    int afterPicture = nextRandom();
    seedRandom(5);
    for (int x = 0; x < 32; x++) {
        for (int y = 0; y < 32; y++) {
            for (int c = 0; c < 3; c++) {
                int value = (nextRandom() % 2 == 1 ? nextRandom() : 13 * c * x * y) % 256;
                bool layered = (x >= 25 && y >= 1 && y <= 5) || (x <= 15 && y <= 10);
                EXPECT_TRUE(layered || gameImagePixel(game.image, x, y)[c] == value)
                    << x << "," << y << " channel " << c;
            }
        }
    }
    EXPECT_EQ(nextRandom(), afterPicture);
    EXPECT_TRUE(shows({25, 3, 1}) && shows({0, 4, 1}));
}

// A colour byte turns black when its draw's low 7 bits fall below the passed share of the
// ending, 128 - endCountdown of 128: none at countdown 128, about half at 64, nearly all at 1.
TEST_F(GamePicture, TheDissolveDrawsOncePerColourByteAndBlacksOutThePassedShare) {
    seedRandom(3);
    int first = nextRandom();
    seedRandom(3);
    game.paintImage();
    EXPECT_EQ(nextRandom(), first) << "a plain picture draws no chance";
    game.emotions = true;
    seedRandom(11);
    game.paintImage();
    GameImage undissolved = game.image;
    ASSERT_LT(std::count(std::begin(undissolved.bytes), std::end(undissolved.bytes), 0),
              COLOUR_BYTES / 2);
    std::vector<int> lowBits;
    for (int i = 0; i < COLOUR_BYTES; i++) lowBits.push_back(nextRandom() & 127);
    int afterDissolve = nextRandom();
    game.ending = true;
    for (int countdown : {128, 64, 1}) {
        game.endCountdown = static_cast<uint32_t>(countdown);
        seedRandom(11);
        game.paintImage();
        EXPECT_EQ(nextRandom(), afterDissolve) << "countdown " << countdown;
        for (size_t i = 0; i < sizeof undissolved.bytes; i++) {
            bool black = i % 4 != 3 && lowBits[i / 4 * 3 + i % 4] < 128 - countdown;
            ASSERT_EQ(game.image.bytes[i], black ? 0 : undissolved.bytes[i])
                << countdown << " " << i;
        }
    }
}
