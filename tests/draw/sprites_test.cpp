// Sprites drawn into a game's picture: place, extent, colours, transparency and clipping.
#include "display/palette.h"
#include "draw/sprites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Marks every byte so that untouched pixels can be told from written ones.
constexpr uint8_t UNTOUCHED = 0xAB;

class SpriteDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(paletteCurrent, paletteBase, sizeof paletteCurrent);
        std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
    }
    bool written(int x, int y) const { return gameImagePixel(image, x, y)[3] != UNTOUCHED; }
    int writtenPixels(int& left, int& right, int& bottom, int& top) const {
        int count = 0;
        left = bottom = GAME_IMAGE_SIZE;
        right = top = -1;
        for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
            for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
                if (!written(x, y)) continue;
                count++;
                left = std::min(left, x), right = std::max(right, x);
                bottom = std::min(bottom, y), top = std::max(top, y);
            }
        }
        return count;
    }
    int writtenPixels() const {
        int left, right, bottom, top;
        return writtenPixels(left, right, bottom, top);
    }
    void expectPaletteColour(int x, int y, int8_t index) const {
        Colour colour = colourOf(index);
        const uint8_t* pixel = gameImagePixel(image, x, y);
        EXPECT_EQ(pixel[0], colourByte(colour.red)) << x << "," << y;
        EXPECT_EQ(pixel[1], colourByte(colour.green)) << x << "," << y;
        EXPECT_EQ(pixel[2], colourByte(colour.blue)) << x << "," << y;
        EXPECT_EQ(pixel[3], 255) << x << "," << y;
    }
    GameImage image;
};

} // namespace

TEST_F(SpriteDrawing, BabyCoversFourBelowToTwoRightOfItsCentre) {
    drawSprite(SPRITE_BABY, image, 16, 16);
    int left, right, bottom, top;
    // 1 + 3 + 5 + 4 + 5 coloured cells on the bottom five rows.
    EXPECT_EQ(writtenPixels(left, right, bottom, top), 18);
    EXPECT_EQ(left, 12);
    EXPECT_EQ(right, 18);
    EXPECT_EQ(bottom, 8);
    EXPECT_EQ(top, 12);
    // The single cell of its top row, colour 7, grid column 5.
    expectPaletteColour(13, 12, 7);
    // Bottom row ".....6.4446.....": colour 6 at column 5, colour 4 at 7 to 9.
    expectPaletteColour(13, 8, 6);
    expectPaletteColour(15, 8, 4);
    EXPECT_FALSE(written(14, 8));
}

TEST_F(SpriteDrawing, CatcherAtEightEightFillsTheLowerLeftCornerAndSkipsTransparentCells) {
    drawSprite(SPRITE_CATCHER, image, 8, 8);
    int left, right, bottom, top;
    writtenPixels(left, right, bottom, top);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 15);
    EXPECT_EQ(bottom, 0);
    EXPECT_EQ(top, 10);
    // Grid row 6 "....555.........": top row of ink, on y 10.
    expectPaletteColour(4, 10, 5);
    EXPECT_FALSE(written(3, 10));
    // Grid row 16 "..........2.....": the foot of the pole on y 0, x 10.
    expectPaletteColour(10, 0, 2);
    EXPECT_FALSE(written(9, 0));
    // Grid row 14 "..........2.3333": colour 3 reaches x 15 on y 2.
    expectPaletteColour(15, 2, 3);
    // Grid row 12 "11111111112.66..": colour 1 from x 0.
    expectPaletteColour(0, 4, 1);
}

TEST_F(SpriteDrawing, ReplacesWhatThePixelHeldWhereItHasInk) {
    drawSprite(SPRITE_CATCHER, image, 8, 8);
    drawSprite(SPRITE_BABY, image, 8, 12);
    // The baby's top cell (colour 7) lands on (5, 8), inside the catcher's body of 5s.
    expectPaletteColour(5, 8, 7);
    // Transparent baby cells leave the catcher as it was: (0, 7) stays 5.
    expectPaletteColour(0, 7, 5);
}

TEST_F(SpriteDrawing, KeepsOnlyTheColumnsInsideThePicture) {
    // Centred at -5 only grid columns 13 to 15 land on x 0 to 2: 1 + 1 + 2 + 3 coloured cells.
    drawSprite(SPRITE_CATCHER, image, -5, 20);
    int left, right, bottom, top;
    EXPECT_EQ(writtenPixels(left, right, bottom, top), 7);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 2);
}

TEST_F(SpriteDrawing, DrawsNothingEntirelyOutsideThePicture) {
    drawSprite(SPRITE_CATCHER, image, 40, 20);
    drawSprite(SPRITE_BABY, image, 20, 41);
    drawSprite(SPRITE_BABY, image, 20, -4);
    EXPECT_EQ(writtenPixels(), 0);
}

TEST_F(SpriteDrawing, ClipsAtTheTopAndRightEdges) {
    // Catcher centred at (8, 29): its top ink row lies on y 31, nothing is lost.
    drawSprite(SPRITE_CATCHER, image, 8, 29);
    int left, right, bottom, top;
    int whole = writtenPixels(left, right, bottom, top);
    EXPECT_EQ(top, 31);
    EXPECT_EQ(bottom, 21);
    std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
    drawSprite(SPRITE_CATCHER, image, 8, 8);
    EXPECT_EQ(writtenPixels(), whole);
    // One row higher its top row (three cells) is cut.
    std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
    drawSprite(SPRITE_CATCHER, image, 8, 30);
    EXPECT_EQ(writtenPixels(), whole - 3);
    // A baby drawn at x 35 keeps its leftmost column on x 31.
    std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
    drawSprite(SPRITE_BABY, image, 35, 20);
    writtenPixels(left, right, bottom, top);
    EXPECT_EQ(left, 31);
    EXPECT_EQ(right, 31);
}

TEST_F(SpriteDrawing, UnusedRecordsAndUnknownNumbersDrawNothing) {
    for (int sprite : {0, 1, 2, 3, 4, 7, -1, SPRITE_COUNT}) drawSprite(sprite, image, 16, 16);
    EXPECT_EQ(writtenPixels(), 0);
}
