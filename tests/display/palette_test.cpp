// The palette's drift, its clamping, and the conversion of the picture into texels.
#include "display/palette.h"
#include "display/picture.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class Palette : public ::testing::Test {
  protected:
    void SetUp() override {
        seedRandom(7);
        initPalette();
    }

    static float largestDistanceToTarget() {
        float largest = 0;
        for (int i = 0; i < PALETTE_SIZE; i++) {
            for (int c = 0; c < 3; c++) {
                largest = std::fmax(
                    largest, std::fabs(palette.paletteCurrent[i][c] - palette.paletteTarget[i][c]));
            }
        }
        return largest;
    }
};

TEST_F(Palette, StartsWithinEightHundredthsOfTheBaseColours) {
    for (int i = 0; i < PALETTE_SIZE; i++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_LE(std::fabs(palette.paletteCurrent[i][c] - paletteBase[i][c]), 0.0801f);
            EXPECT_LE(std::fabs(palette.paletteTarget[i][c] - paletteBase[i][c]), 0.0801f);
        }
    }
    EXPECT_EQ(palette.driftRate, 24);
}

TEST_F(Palette, TheFirstTwoThousandTicksMoveFastThenSlowly) {
    // A start-up offset of at most 0.16 to cover at 0.12 a tick: two ticks at most.
    float before = palette.paletteCurrent[3][0];
    float target = palette.paletteTarget[3][0];
    driftPalette();
    float moved = std::fabs(palette.paletteCurrent[3][0] - before);
    EXPECT_TRUE(palette.paletteCurrent[3][0] == target || std::fabs(moved - 0.12f) < 1e-6f);
    // Tick 0 drew new targets within 0.04 of the base colours.
    for (int i = 0; i < PALETTE_SIZE; i++) {
        for (int c = 0; c < 3; c++) {
            EXPECT_LE(std::fabs(palette.paletteTarget[i][c] - paletteBase[i][c]), 0.0401f);
        }
    }
    for (int tick = 1; tick <= 2000; tick++) driftPalette();
    EXPECT_EQ(palette.driftRate, 1);
    // From tick 2001 on each step is 0.005, and a new target (at most 0.08 away) takes 16.
    for (int tick = 2001; tick < 4000; tick++) driftPalette();
    float start[PALETTE_SIZE][3];
    std::memcpy(start, palette.paletteCurrent, sizeof start);
    driftPalette(); // tick 4000 draws new targets after its step
    for (int tick = 0; tick < 16; tick++) {
        for (int i = 0; i < PALETTE_SIZE; i++) {
            for (int c = 0; c < 3; c++) start[i][c] = palette.paletteCurrent[i][c];
        }
        driftPalette();
        for (int i = 0; i < PALETTE_SIZE; i++) {
            for (int c = 0; c < 3; c++) {
                EXPECT_LE(std::fabs(palette.paletteCurrent[i][c] - start[i][c]), 0.005f + 1e-6f);
            }
        }
    }
    EXPECT_EQ(largestDistanceToTarget(), 0.0f);
    EXPECT_EQ(palette.driftRate, 1);
}

TEST_F(Palette, ColoursAreClampedAndOutsideIndicesAreBlack) {
    palette.paletteCurrent[3][0] = 1.03f;
    palette.paletteCurrent[0][1] = -0.03f;
    EXPECT_EQ(colourOf(3).red, 1.0f);
    EXPECT_EQ(colourOf(0).green, 0.0f);
    EXPECT_EQ(colourOf(3).alpha, 1.0f);
    for (int index : {-1, -128, 10, 127}) {
        Colour colour = colourOf(static_cast<int8_t>(index));
        EXPECT_EQ(colour.red + colour.green + colour.blue, 0.0f) << index;
    }
}

TEST(ColourByte, TruncatesRatherThanRounds) {
    EXPECT_EQ(colourByte(1.0f), 255);
    EXPECT_EQ(colourByte(std::nextafter(1.0f, 0.0f)), 254);
    EXPECT_EQ(colourByte(0.0f), 0);
    EXPECT_EQ(colourByte(0.5f), 127);
}

TEST(Picture, WritesOutsideThePictureAreDropped) {
    clearPicture();
    putPixel(128, 0, 5);
    putPixel(0, 96, 5);
    putPixel(-1, 10, 5);
    for (int8_t index : pixelBuffer) ASSERT_EQ(index, 0);
    putPixel(127, 95, 5);
    EXPECT_EQ(pixelBuffer[127 * 96 + 95], 5);
}

TEST(Picture, ColumnsBecomeTextureRowsAndTheRestIsLeftAlone) {
    seedRandom(3);
    initPalette();
    palette.paletteCurrent[9][0] = 1.0f;
    palette.paletteCurrent[9][1] = 0.5f;
    palette.paletteCurrent[9][2] = 0.0f;
    static uint8_t texels[TEXTURE_BYTES];
    std::memset(texels, 77, sizeof texels);
    clearPicture();
    putPixel(127, 95, 9);
    putPixel(0, 0, -4);
    convertPictureToTexels(texels);
    const uint8_t* topRight = texels + (127 * 128 + 95) * 4;
    EXPECT_EQ(topRight[0], 255);
    EXPECT_EQ(topRight[1], 127);
    EXPECT_EQ(topRight[2], 0);
    EXPECT_EQ(topRight[3], 77);
    EXPECT_EQ(texels[0], 0);
    EXPECT_EQ(texels[96 * 4], 77); // texel 96 of row 0 lies outside the quad
    EXPECT_EQ(texels[(5 * 128 + 127) * 4], 77);
}

TEST(Picture, TheFirstTextureIsOpaqueNoise) {
    static uint8_t texels[TEXTURE_BYTES];
    fillTextureNoise(texels);
    int distinct[256] = {};
    for (int i = 0; i < TEXTURE_BYTES; i += 4) {
        ASSERT_EQ(texels[i + 3], 255);
        ASSERT_LE(texels[i], 254);
        distinct[texels[i]] = 1;
    }
    int values = 0;
    for (int seen : distinct) values += seen;
    EXPECT_GT(values, 250);
}

} // namespace
