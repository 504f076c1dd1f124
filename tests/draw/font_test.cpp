// The font tables, text measuring and text drawing into the picture and a game's picture.
#include "display/palette.h"
#include "display/picture.h"
#include "draw/font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int inkedCells() {
    int count = 0;
    for (int8_t cell : pixelBuffer) count += cell != 0;
    return count;
}

// Rightmost ink column plus one; 0 for a blank glyph.
int inkWidth(int glyph) {
    int width = 0;
    for (int r = 0; r < GLYPH_SIZE; r++) {
        for (int c = 0; c < GLYPH_SIZE; c++) {
            if (FONT_GLYPHS[glyph][r][c] == '#' && c + 1 > width) width = c + 1;
        }
    }
    return width;
}

class TextInPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        clearPicture();
        frameCounter = 0;
    }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// The tables

TEST(FontTables, EveryGlyphIsFiveRowsOfFiveInkOrBlankCells) {
    for (int k = 0; k < FONT_GLYPH_COUNT; k++) {
        for (int r = 0; r < GLYPH_SIZE; r++) {
            std::string row = FONT_GLYPHS[k][r];
            ASSERT_EQ(row.size(), 5u) << "glyph " << k << " row " << r;
            EXPECT_EQ(row.find_first_not_of("#."), std::string::npos) << "glyph " << k;
        }
    }
}

// Lower case, digits and signs advance by their ink width plus one blank column.
TEST(FontTables, LowerCaseDigitsAndSignsAdvanceByInkWidthPlusOne) {
    for (int k = 1; k < FONT_GLYPH_COUNT; k++) {
        char c = FONT_CHARSET[k];
        if (c >= 'A' && c <= 'Z') continue;
        EXPECT_EQ(FONT_ADVANCE[k], inkWidth(k) + 1) << "glyph '" << c << "'";
    }
    EXPECT_EQ(FONT_ADVANCE[0], 4);
    EXPECT_EQ(inkWidth(0), 0);
}

TEST(FontTables, SomeGlyphsLookAsDrawn) {
    const char* const eight[GLYPH_SIZE] = {"###..", "#.#..", "###..", "#.#..", "###.."};
    const char* const up[GLYPH_SIZE] = {"..#..", ".###.", "#####", "..#..", "..#.."};
    const char* const down[GLYPH_SIZE] = {"..#..", "..#..", "#####", ".###.", "..#.."};
    const char* const colon[GLYPH_SIZE] = {".....", "#....", ".....", "#....", "....."};
    for (int r = 0; r < GLYPH_SIZE; r++) {
        EXPECT_STREQ(FONT_GLYPHS[glyphOf('8')][r], eight[r]);
        EXPECT_STREQ(FONT_GLYPHS[glyphOf('^')][r], up[r]);
        EXPECT_STREQ(FONT_GLYPHS[glyphOf('&')][r], down[r]);
        EXPECT_STREQ(FONT_GLYPHS[glyphOf(':')][r], colon[r]);
    }
    EXPECT_EQ(FONT_ADVANCE[glyphOf('D')], 1);
    EXPECT_EQ(FONT_ADVANCE[glyphOf('Z')], 6);
}

TEST(FontTables, GlyphNumbersFollowTheCharacterSet) {
    EXPECT_EQ(std::strlen(FONT_CHARSET), static_cast<size_t>(FONT_GLYPH_COUNT));
    EXPECT_EQ(glyphOf(' '), 0);
    EXPECT_EQ(glyphOf('a'), 1);
    EXPECT_EQ(glyphOf('A'), 27);
    EXPECT_EQ(glyphOf('0'), 53);
    EXPECT_EQ(glyphOf('*'), 80);
    EXPECT_EQ(glyphOf('\n'), -1);
    EXPECT_EQ(glyphOf('|'), -1);
    EXPECT_EQ(glyphOf('\0'), -1);
    EXPECT_EQ(glyphOf(static_cast<char>(0xE9)), -1);
}

// ---------------------------------------------------------------------------------------------
// Measuring

TEST(TextWidth, SumsTheAdvancesOfKnownCharacters) {
    EXPECT_EQ(textWidth(""), 0);
    EXPECT_EQ(textWidth("score: "), 26);
    EXPECT_EQ(textWidth("^& "), 16);
    EXPECT_EQ(textWidth("a\nb|c"), textWidth("abc"));
}

// ---------------------------------------------------------------------------------------------
// Drawing into the picture

TEST_F(TextInPicture, SetsExactlyTheInkCellsWithTheLowerLeftCornerAtThePen) {
    drawText("l", 10, 20, 3, 1);
    // 'l': one column of five, with a foot to the right on the bottom row.
    for (int y = 20; y <= 24; y++) EXPECT_EQ(pixelAt(10, y), 3) << y;
    EXPECT_EQ(pixelAt(11, 20), 3);
    EXPECT_EQ(inkedCells(), 6);
}

TEST_F(TextInPicture, EmptyTextDrawsNothing) {
    drawText("", 10, 10, 3, 1);
    EXPECT_EQ(inkedCells(), 0);
}

TEST_F(TextInPicture, BytesOutsideTheSetLeaveNoGap) {
    drawText("ab", 10, 10, 4, 1);
    int8_t expected[PICTURE_SIZE];
    std::memcpy(expected, pixelBuffer, sizeof expected);
    clearPicture();
    drawText("a\n|b", 10, 10, 4, 1);
    EXPECT_EQ(std::memcmp(expected, pixelBuffer, sizeof expected), 0);
}

TEST_F(TextInPicture, LosesCellsLeftOfColumnZeroWithoutWrapping) {
    // 'm' starting at -3 keeps its columns 3 and 4 at x 0 and 1: column 3 has ink on the top
    // row only, column 4 on the four rows below it.
    drawText("m", -3, 10, 2, 1);
    EXPECT_EQ(pixelAt(0, 14), 2);
    EXPECT_EQ(pixelAt(0, 13), 0);
    EXPECT_EQ(pixelAt(1, 14), 0);
    for (int y = 10; y <= 13; y++) EXPECT_EQ(pixelAt(1, y), 2);
    EXPECT_EQ(inkedCells(), 5);
    for (int y = 0; y < PICTURE_HEIGHT; y++) EXPECT_EQ(pixelAt(PICTURE_WIDTH - 1, y), 0);
}

TEST_F(TextInPicture, IsCutCellByCellAtTheRightEdge) {
    // 'w' at 125 keeps columns 0 to 2: 4 + 1 + 2 ink cells.
    drawText("w", 125, 10, 2, 1);
    EXPECT_EQ(inkedCells(), 7);
    EXPECT_EQ(pixelAt(127, 12), 2);
    for (int y = 0; y < PICTURE_HEIGHT; y++) EXPECT_EQ(pixelAt(0, y), 0);
}

TEST_F(TextInPicture, LosesRowsAboveTheTopEdge) {
    drawText("i", 5, 92, 2, 1);
    for (int y = 92; y <= 95; y++) EXPECT_EQ(pixelAt(5, y), 2);
    EXPECT_EQ(inkedCells(), 4);
    // Nothing spills into the bottom of the next column.
    EXPECT_EQ(pixelAt(6, 0), 0);
}

TEST_F(TextInPicture, ScaleTwoDrawsBlocksAndAdvancesTwiceAsFar) {
    drawText("ii", 0, 0, 5, 2);
    for (int y = 0; y < 10; y++) {
        EXPECT_EQ(pixelAt(0, y), 5);
        EXPECT_EQ(pixelAt(1, y), 5);
        EXPECT_EQ(pixelAt(2, y), 0);
        EXPECT_EQ(pixelAt(4, y), 5);
        EXPECT_EQ(pixelAt(5, y), 5);
    }
    EXPECT_EQ(inkedCells(), 40);
}

TEST_F(TextInPicture, ScaleBelowOneDrawsNothing) {
    drawText("abc", 10, 10, 5, 0);
    drawText("abc", 10, 10, 5, -1);
    EXPECT_EQ(inkedCells(), 0);
}

TEST_F(TextInPicture, ShowsOnlyTheDrawnColumnsOfAGlyph) {
    // 'D' advances 1: only its first column, ink on rows 1 to 3.
    drawText("D", 10, 10, 6, 1);
    EXPECT_EQ(pixelAt(10, 14), 6);
    EXPECT_EQ(pixelAt(10, 12), 6);
    EXPECT_EQ(inkedCells(), 3);
    clearPicture();
    // '*' shows five columns and a blank sixth before the next glyph.
    drawText("*i", 10, 10, 6, 1);
    EXPECT_EQ(pixelAt(14, 14), 6);
    for (int y = 10; y <= 14; y++) EXPECT_EQ(pixelAt(15, y), 0);
    for (int y = 10; y <= 14; y++) EXPECT_EQ(pixelAt(16, y), 6);
}

TEST_F(TextInPicture, ColourNineCyclesWithTheFrames) {
    const int frames[] = {0, 5, 6, 11, 48, 53, 54};
    const int8_t expected[] = {1, 1, 2, 2, 9, 9, 1};
    for (int i = 0; i < 7; i++) {
        frameCounter = frames[i];
        drawText("i", 0, 0, CYCLING_COLOUR, 1);
        EXPECT_EQ(pixelAt(0, 0), expected[i]) << "frame " << frames[i];
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing into a game's picture

class TextInGameImage : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(paletteCurrent, paletteBase, sizeof paletteCurrent);
        std::memset(image.bytes, 0, sizeof image.bytes);
    }
    bool coloured(int x, int y) const { return gameImagePixel(image, x, y)[3] != 0; }
    int colouredPixels() const {
        int count = 0;
        for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
            for (int y = 0; y < GAME_IMAGE_SIZE; y++) count += coloured(x, y);
        }
        return count;
    }
    GameImage image;
};

TEST_F(TextInGameImage, WritesPaletteColourOneOpaque) {
    drawTextToImage(image, "7");
    // Palette colour 1 is 0.1, 0.3, 0.21: times 255, truncated.
    const uint8_t* pixel = gameImagePixel(image, 25, 5);
    EXPECT_EQ(pixel[0], 25);
    EXPECT_EQ(pixel[1], 76);
    EXPECT_EQ(pixel[2], 53);
    EXPECT_EQ(pixel[3], 255);
}

TEST_F(TextInGameImage, PutsADigitInColumns25To27AndRows1To5) {
    drawTextToImage(image, "7");
    // '7': "###", "..#", ".#.", "#..", "#.." from row 5 down to row 1.
    EXPECT_TRUE(coloured(25, 5) && coloured(26, 5) && coloured(27, 5));
    EXPECT_TRUE(coloured(27, 4));
    EXPECT_TRUE(coloured(26, 3));
    EXPECT_TRUE(coloured(25, 2) && coloured(25, 1));
    EXPECT_EQ(colouredPixels(), 7);
}

TEST_F(TextInGameImage, CutsTextAtColumn31) {
    // "123": '1' at 25, '2' at 28, '3' would start at 32.
    drawTextToImage(image, "123");
    EXPECT_EQ(colouredPixels(), 6 + 8);
    // "11m": 'm' starts at 31 and keeps its first column, rows 1 to 4.
    std::memset(image.bytes, 0, sizeof image.bytes);
    drawTextToImage(image, "11m");
    for (int y = 1; y <= 4; y++) EXPECT_TRUE(coloured(31, y)) << y;
    EXPECT_FALSE(coloured(31, 5));
    EXPECT_EQ(colouredPixels(), 6 + 6 + 4);
}

TEST_F(TextInGameImage, NeverTouchesRowZeroOrBytesOutsideTheSet) {
    drawTextToImage(image, "0|");
    for (int x = 0; x < GAME_IMAGE_SIZE; x++) EXPECT_FALSE(coloured(x, 0));
    EXPECT_EQ(colouredPixels(), 12);
}
