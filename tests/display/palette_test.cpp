// The palette: its base colours, its start and drift from the draws of a seed, the clamping;
// the picture's bounds, its texels and the first texture's noise.
#include "display/palette.h"
#include "display/picture.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The largest distance of a channel from `to`, over the whole palette.
float largestDistance(const float (&from)[PALETTE_SIZE][3], const float (&to)[PALETTE_SIZE][3]) {
    float largest = 0;
    for (int i = 0; i < PALETTE_SIZE; i++)
        for (int c = 0; c < 3; c++) largest = std::fmax(largest, std::fabs(from[i][c] - to[i][c]));
    return largest;
}

TEST(Palette, StartsAndDriftsAroundTheDescribedBaseColours) {
    const float described[PALETTE_SIZE][3] = {
        {0.0f, 0.0f, 0.0f},   {0.1f, 0.3f, 0.21f},   {0.28f, 0.04f, 0.39f}, {0.98f, 0.15f, 0.03f},
        {0.21f, 0.21f, 0.9f}, {0.57f, 0.57f, 0.98f}, {0.95f, 0.67f, 0.51f}, {0.76f, 0.55f, 0.25f},
        {0.6f, 0.4f, 0.25f},  {0.8f, 0.8f, 0.8f},
    };
    EXPECT_EQ(std::memcmp(paletteBase, described, sizeof described), 0);
    // Seed 1 draws 41 and 18467 first: entry 0's red starts at (41 % 201 - 100) x 0.0008 and
    // heads for (18467 % 201 - 100) x 0.0008; every offset is within 0.08.
    seedRandom(1);
    initPalette();
    EXPECT_EQ(palette.paletteCurrent[0][0], -59 * 0.0008f);
    EXPECT_EQ(palette.paletteTarget[0][0], 76 * 0.0008f);
    EXPECT_LE(largestDistance(palette.paletteCurrent, paletteBase), 0.0801f);
    EXPECT_LE(largestDistance(palette.paletteTarget, paletteBase), 0.0801f);
    // Steps of 0.12 until tick 2000: every channel is on its target after three ticks, and tick
    // 0 drew new targets within 0.04.
    for (int tick = 0; tick < 3; tick++) driftPalette();
    EXPECT_EQ(largestDistance(palette.paletteCurrent, palette.paletteTarget), 0.0f);
    EXPECT_LE(largestDistance(palette.paletteTarget, paletteBase), 0.0401f);
    EXPECT_EQ(palette.driftRate, 24);
    // Tick 2000 draws new targets and lowers the rate: from tick 2001 on each step is 0.005,
    // and a new target is reached within 16 ticks.
    for (int tick = 3; tick <= 2000; tick++) driftPalette();
    EXPECT_EQ(palette.driftRate, 1);
    for (int tick = 2001; tick <= 2016; tick++) {
        PaletteState before = palette;
        driftPalette();
        EXPECT_LE(largestDistance(palette.paletteCurrent, before.paletteCurrent), 0.005f + 1e-6f);
    }
    EXPECT_EQ(largestDistance(palette.paletteCurrent, palette.paletteTarget), 0.0f);
}

// A colour is clamped to 0..1, and black for a negative index or one past the palette; its
// bytes are the channels times 255, truncated. Pixel (x, y) becomes texel y of texture row x,
// alpha and texels 96 on left alone; writes outside the picture are dropped.
TEST(Picture, ColoursBecomeTexelsOfTheColumnsRowsAndWritesOutsideAreDropped) {
    clearPicture();
    for (auto [x, y] : {std::pair{128, 0}, {0, 96}, {-1, 10}, {10, -1}}) putPixel(x, y, 5);
    for (int8_t index : pixelBuffer) ASSERT_EQ(index, 0);
    initPalette();
    palette.paletteCurrent[9][0] = 1.03f;
    palette.paletteCurrent[9][1] = 0.5f;
    palette.paletteCurrent[9][2] = -0.03f;
    EXPECT_TRUE(colourOf(9).red == 1.0f && colourOf(9).blue == 0.0f && colourOf(9).alpha == 1.0f);
    for (int index : {-1, -128, 10, 127}) {
        Colour colour = colourOf(static_cast<int8_t>(index));
        EXPECT_EQ(colour.red + colour.green + colour.blue, 0.0f) << index;
    }
    putPixel(127, 95, 9);
    putPixel(0, 0, -4);
    static uint8_t texels[TEXTURE_BYTES];
    std::memset(texels, 77, sizeof texels);
    convertPictureToTexels(texels);
    const uint8_t* topRight = texels + (127 * 128 + 95) * 4;
    EXPECT_EQ(std::vector<int>(topRight, topRight + 4), (std::vector<int>{255, 127, 0, 77}));
    EXPECT_EQ(texels[0], 0);
    EXPECT_EQ(texels[96 * 4], 77); // texel 96 of row 0 lies outside the quad
    // The first texture: opaque, every channel 0 to 254, nearly all values seen.
    fillTextureNoise(texels);
    int seen[256] = {}, values = 0;
    for (int i = 0; i < TEXTURE_BYTES; i += 4) {
        ASSERT_TRUE(texels[i + 3] == 255 && texels[i] <= 254);
        values += !seen[texels[i]]++;
    }
    EXPECT_GT(values, 250);
}

} // namespace
