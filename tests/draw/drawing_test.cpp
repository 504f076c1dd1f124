// The font tables and text measuring; text and sprites drawn into the picture and into a game's
// picture: place, extent, colours, transparency and clipping.
#include "display/palette.h"
#include "display/picture.h"
#include "draw/font.h"
#include "draw/sprites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Cells as drawn, top row first: hexadecimal palette indices, '.' for a cell left alone.
using Rows = std::vector<std::string>;

// The inked grid rows of the baby (12 to 16) and the catcher (6 to 16), all 16 columns.
const Rows BABY = {".....7..........", "....667.........", "....66444.......", "......444.6.....",
                   ".....6.4446....."};
const Rows CATCHER = {"....555.........", "55.55555........", "555555555.......",
                      "555555555666....", "5555555556666...", "22222222222666..",
                      "11111111112.66..", "11111111112.633.", "..........2.3333",
                      "..........2.....", "..........2....."};

class Drawing : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
    }
    // The palette index whose bytes (channels times 255, truncated, and alpha 255) a pixel of
    // `image` holds: 0 if untouched (alpha 0), -1 if no index matches.
    int imageIndexAt(int x, int y) const {
        const uint8_t* pixel = gameImagePixel(image, x, y);
        if (pixel[3] == 0) return 0;
        for (int8_t index = 1; index < PALETTE_SIZE; index++) {
            Colour c = colourOf(index);
            const uint8_t bytes[4] = {colourByte(c.red), colourByte(c.green), colourByte(c.blue),
                                      255};
            if (std::memcmp(pixel, bytes, 4) == 0) return index;
        }
        return -1;
    }
    // Checks that the width x height cells `at` shows hold `rows`, top-left cell at (left, top),
    // and nothing else.
    template <typename At>
    static void expectOnly(At at, int width, int height, int left, int top, const Rows& rows) {
        int inked = 0, written = 0;
        for (int row = 0; row < static_cast<int>(rows.size()); row++) {
            for (int column = 0; column < static_cast<int>(rows[row].size()); column++) {
                const char cell = rows[row][column];
                inked += cell != '.';
                EXPECT_EQ(static_cast<int>(at(left + column, top - row)),
                          cell == '.' ? 0 : cell - '0')
                    << "row " << row << " column " << column;
            }
        }
        for (int x = 0; x < width; x++)
            for (int y = 0; y < height; y++) written += at(x, y) != 0;
        EXPECT_EQ(written, inked) << "cells written";
    }
    GameImage image{};
};

} // namespace

// Text in the picture: glyphs upright from the lower-left corner (x, y), cut cell by cell at the
// picture's edges; bytes outside the font draw nothing and take no space.
TEST_F(Drawing, TextInThePicture) {
    struct Case {
        const char* text;
        int x, y, scale, left, top; // where the text goes; where the top-left cell of `rows` is
        Rows rows;
    };
    // clang-format off
    const Case cases[] = {
        {"g", 10, 20, 1, 10, 24, {".33..", "3....", "3.33.", "3..3.", ".33.."}},
        {"7", 10, 20, 1, 10, 24, {"333", "..3", ".3.", "3..", "3.."}},
        {"a\n\xE9|b", 10, 10, 1, 10, 14,
         {".3..33.", "3.3.3.3", "333.33.", "3.3.3.3", "3.3.33."}},
        // From x -3 'm' keeps its columns 3 and 4; at y 92 'i' loses its top row.
        {"m", -3, 10, 1, 0, 14, {"3.", ".3", ".3", ".3", ".3"}},
        {"i", 5, 92, 1, 5, 95, {"3", "3", "3", "3"}},
    };
    // clang-format on
    for (const Case& t : cases) {
        SCOPED_TRACE(&t - cases);
        clearPicture();
        drawText(t.text, t.x, t.y, 3, t.scale, 1);
        expectOnly(pixelAt, PICTURE_WIDTH, PICTURE_HEIGHT, t.left, t.top, t.rows);
    }
}

// Text in a game's picture: column 25 on, rows 1 to 5, palette colour 1, nothing past column 31.
// Sprites centred on (x, y): grid row g lands on y + 7 - g, column c on x + c - 8; cells outside
// the picture and transparent cells are skipped.
TEST_F(Drawing, TextAndSpritesInAGamesPicture) {
    struct Case {
        const char* text; // or, when null, a sprite
        int sprite, x, y, left, top;
        Rows rows;
    };
    // clang-format off
    const Case cases[] = {
        // 'm' starts at column 31 and keeps its first column.
        {"11m", 0, 0, 0, 25, 5, {".1..1..", "11.11.1", ".1..1.1", ".1..1.1", ".1..1.1"}},
        {nullptr, SPRITE_BABY, 16, 16, 8, 12, BABY},
        {nullptr, SPRITE_CATCHER, 16, 16, 8, 18, CATCHER},
        // The baby's top row would land on y 32.
        {nullptr, SPRITE_BABY, 16, 36, 8, 31, Rows(BABY.begin() + 1, BABY.end())},
    };
    // clang-format on
    for (const Case& t : cases) {
        SCOPED_TRACE(&t - cases);
        image = {};
        if (t.text) drawTextToImage(image, t.text);
        if (!t.text) drawSprite(t.sprite, image, t.x, t.y);
        auto at = [this](int x, int y) { return imageIndexAt(x, y); };
        expectOnly(at, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE, t.left, t.top, t.rows);
    }
}

// Lower case, digits and signs advance by their ink width plus one blank column, so a slip in
// copying one of their glyphs or advances shows here. A text's width sums the advances.
TEST(FontTables, GlyphsAreFiveByFiveAndAdvanceByInkWidthPlusOne) {
    for (int k = 1; k < FONT_GLYPH_COUNT; k++) {
        char c = FONT_CHARSET[k];
        int inkWidth = 0;
        for (const char* row : FONT_GLYPHS[k]) {
            ASSERT_TRUE(std::strlen(row) == 5 && std::strspn(row, "#.") == 5) << c << " " << row;
            for (int column = 0; column < 5; column++)
                if (row[column] == '#') inkWidth = std::max(inkWidth, column + 1);
        }
        EXPECT_TRUE((c >= 'A' && c <= 'Z') || FONT_ADVANCE[k] == inkWidth + 1) << c;
    }
    EXPECT_EQ(textWidth("score: "), 26);
    EXPECT_EQ(textWidth("^& "), 16);
}
