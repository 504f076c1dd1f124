// The font tables and text measuring; text and sprites drawn into the picture and into a game's
// picture: place, extent, colours, transparency and clipping.
#include "display/palette.h"
#include "display/picture.h"
#include "draw/font.h"
#include "draw/sprites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Probe {
    int x, y;
    int8_t index; // 0: not written
};

// What a drawing must leave: the cells written, their bounding box (all 0 for none) and
// single cells.
struct Drawn {
    int written, left, right, bottom, top;
    std::vector<Probe> probes;
};

// Marks a game's picture so that untouched pixels can be told from written ones.
constexpr uint8_t UNTOUCHED = 0xAB;

class Drawing : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
        clearPicture();
        std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
    }
    // The palette index a pixel of `image` holds as bytes (channels times 255, truncated, and
    // alpha 255): 0 if untouched, -1 if no index matches.
    int imageIndexAt(int x, int y) const {
        const uint8_t* pixel = gameImagePixel(image, x, y);
        if (pixel[3] == UNTOUCHED) return 0;
        for (int8_t index = 1; index < PALETTE_SIZE; index++) {
            Colour c = colourOf(index);
            const uint8_t bytes[4] = {colourByte(c.red), colourByte(c.green), colourByte(c.blue),
                                      255};
            if (std::memcmp(pixel, bytes, 4) == 0) return index;
        }
        return -1;
    }
    // Checks a width x height area whose cells show the palette index `at` gives.
    static void expectDrawn(int width, int height, const std::function<int(int, int)>& at,
                            const Drawn& want, const std::string& name) {
        Drawn got{0, width, -1, height, -1, {}};
        for (int x = 0; x < width; x++) {
            for (int y = 0; y < height; y++) {
                if (at(x, y) == 0) continue;
                got.written++;
                got.left = std::min(got.left, x), got.right = std::max(got.right, x);
                got.bottom = std::min(got.bottom, y), got.top = std::max(got.top, y);
            }
        }
        if (got.written == 0) got = Drawn{};
        EXPECT_EQ(std::tie(got.written, got.left, got.right, got.bottom, got.top),
                  std::tie(want.written, want.left, want.right, want.bottom, want.top))
            << name << ": cells written, left, right, bottom, top";
        for (Probe p : want.probes)
            EXPECT_EQ(at(p.x, p.y), p.index) << name << " " << p.x << "," << p.y;
    }
    // Checks that the rows of hexadecimal cells ('.' untouched), top row first, stand with
    // their top-left cell at (left, top).
    static void expectRows(const std::function<int(int, int)>& at, int left, int top,
                           const std::vector<const char*>& rows, const char* name) {
        for (size_t row = 0; row < rows.size(); row++)
            for (int column = 0; rows[row][column]; column++) {
                const char cell = rows[row][column];
                EXPECT_EQ(at(left + column, top - static_cast<int>(row)),
                          cell == '.' ? 0 : cell - '0')
                    << name << " row " << row << " column " << column;
            }
    }
    GameImage image;
};

} // namespace

TEST_F(Drawing, GlyphsAndSpritesAreAsDescribed) {
    const std::pair<const char*, std::vector<const char*>> glyphs[] = {
        {"g", {".11..", "1....", "1.11.", "1..1.", ".11.."}},
        {"7", {"111..", "..1..", ".1...", "1....", "1...."}},
        {"^", {"..1..", ".111.", "11111", "..1..", "..1.."}},
    };
    for (const auto& [text, rows] : glyphs) {
        clearPicture();
        drawText(text, 10, 20, 1, 1, 1);
        expectRows(pixelAt, 10, 24, rows, text);
    }
    // Colour 9 cycles through the indices 1 to 9, one step every 6 frames.
    for (auto [frame, index] : {std::pair{0, 1}, {5, 1}, {6, 2}, {48, 9}, {53, 9}, {54, 1}}) {
        drawText("i", 0, 0, CYCLING_COLOUR, 1, cyclingColourAt(frame));
        EXPECT_EQ(pixelAt(0, 0), index) << "frame " << frame;
    }
    auto at = [this](int x, int y) { return imageIndexAt(x, y); };
    // The baby's rows 12 to 16 and the catcher's rows 6 to 16, centred on (16, 16): the grid's
    // row g lands on y = 16 + 7 - g, its column c on x = 16 + c - 8.
    drawSprite(SPRITE_BABY, image, 16, 16);
    expectRows(at, 8, 12,
               {".....7..........", "....667.........", "....66444.......", "......444.6.....",
                ".....6.4446....."},
               "baby");
    std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
    drawSprite(SPRITE_CATCHER, image, 16, 16);
    expectRows(at, 8, 18,
               {"....555.........", "55.55555........", "555555555.......", "555555555666....",
                "5555555556666...", "22222222222666..", "11111111112.66..", "11111111112.633.",
                "..........2.3333", "..........2.....", "..........2....."},
               "catcher");
}

// Lower case, digits and signs advance by their ink width plus one blank column, so a slip in
// copying one of their glyphs or advances shows here.
TEST(FontTables, GlyphsAreFiveByFiveAndAdvanceByInkWidthPlusOne) {
    ASSERT_EQ(std::strlen(FONT_CHARSET), static_cast<size_t>(FONT_GLYPH_COUNT));
    EXPECT_EQ(FONT_ADVANCE[glyphOf(' ')], 4);
    for (int k = 0; k < FONT_GLYPH_COUNT; k++) {
        char c = FONT_CHARSET[k];
        int inkWidth = 0;
        for (const char* row : FONT_GLYPHS[k]) {
            ASSERT_TRUE(std::strlen(row) == 5 && std::strspn(row, "#.") == 5) << c << " " << row;
            for (int column = 0; column < 5; column++)
                if (row[column] == '#') inkWidth = std::max(inkWidth, column + 1);
        }
        const bool upperCase = c >= 'A' && c <= 'Z';
        EXPECT_TRUE(k == 0 || upperCase || FONT_ADVANCE[k] == inkWidth + 1) << c;
    }
    // A text's width sums the advances of the bytes the font knows.
    const std::pair<const char*, int> widths[] = {
        {"", 0}, {"score: ", 26}, {"^& ", 16}, {"a\n\xE9|b", 8}};
    for (const auto& [text, width] : widths) EXPECT_EQ(textWidth(text), width) << text;
}

TEST_F(Drawing, TextInThePictureInksGlyphCellsClippedToThePicture) {
    struct Case {
        const char* text;
        int x, y, scale;
        Drawn drawn;
    };
    // clang-format off
    const Case cases[] = {
        // 'l' upright: a column of five with its foot to the right on the bottom row.
        {"l", 10, 20, 1, {6, 10, 11, 20, 24, {{10, 24, 3}, {11, 20, 3}, {11, 24, 0}}}},
        // Bytes outside the set draw nothing and take no space: 'b' follows 'a' at once.
        {"a\n\xE9|b", 10, 10, 1, {10 + 10, 10, 16, 10, 14, {{14, 14, 3}, {13, 14, 0}}}},
        // From x -3 'm' keeps columns 3 (top row only) and 4 (the four rows below).
        {"m", -3, 10, 1, {5, 0, 1, 10, 14, {{0, 14, 3}, {0, 13, 0}, {1, 14, 0}}}},
        // Past column 127 'w' is cut cell by cell: its columns 0 to 2 keep 4 + 1 + 2 cells.
        {"w", 125, 10, 1, {7, 125, 127, 10, 14, {{127, 12, 3}, {127, 14, 0}}}},
        // At y 92 'i' loses its top row.
        {"i", 5, 92, 1, {4, 5, 5, 92, 95, {}}},
        // Scale 2: 2 x 2 blocks, the second 'i' four cells on.
        {"ii", 0, 0, 2, {40, 0, 5, 0, 9, {{1, 9, 3}, {2, 0, 0}, {3, 9, 0}, {4, 0, 3}}}},
        // 'D' advances 1 and shows only its first column, rows 1 to 3.
        {"D", 10, 10, 1, {3, 10, 10, 12, 14, {}}},
        // '*' shows five columns and a blank sixth before the next glyph.
        {"*i", 10, 10, 1, {9 + 5, 10, 16, 10, 14, {{14, 14, 3}, {15, 12, 0}, {16, 12, 3}}}},
        {"", 10, 10, 1, {}}, {"abc", 10, 10, 0, {}}, {"abc", 10, 10, -1, {}},
    };
    // clang-format on
    for (const Case& t : cases) {
        clearPicture();
        drawText(t.text, t.x, t.y, 3, t.scale, 1);
        expectDrawn(PICTURE_WIDTH, PICTURE_HEIGHT, pixelAt, t.drawn,
                    "case " + std::to_string(&t - cases));
    }
}

// Text in a game's picture: column 25 on, rows 1 to 5, palette colour 1, nothing past column 31.
// Sprites: centred, cells outside the picture and transparent cells skipped.
TEST_F(Drawing, TextAndSpritesInAGamesPicture) {
    struct Case {
        const char* text; // or, when null, a sprite
        int sprite, x, y;
        Drawn drawn;
    };
    // clang-format off
    const Case cases[] = {
        // The line feed takes no space; '3' would start at column 32: only '1' (6 cells) and
        // '2' (8 cells) show.
        {"1\n23", 0, 0, 0, {6 + 8, 25, 30, 1, 5, {{25, 4, 1}, {28, 1, 1}}}},
        // 'm' starts at 31 and keeps its first column, rows 1 to 4.
        {"11m", 0, 0, 0, {6 + 6 + 4, 25, 31, 1, 5, {{31, 1, 1}, {31, 4, 1}, {31, 5, 0}}}},
        // Baby grid rows 12 to 16 (1 + 3 + 5 + 4 + 5 cells), columns 4 to 10.
        {nullptr, SPRITE_BABY, 16, 16, {18, 12, 18, 8, 12, {}}},
        // The catcher's 92 cells: cut to grid columns 13 to 15 on x 0 to 2 (1 + 1 + 2 + 3
        // cells on grid rows 11 to 14), or below its top row, which would land on y 32.
        {nullptr, SPRITE_CATCHER, 8, 8, {92, 0, 15, 0, 10, {}}},
        {nullptr, SPRITE_CATCHER, -5, 20, {7, 0, 2, 14, 17, {{0, 17, 6}, {2, 14, 3}}}},
        {nullptr, SPRITE_CATCHER, 8, 30, {89, 0, 15, 22, 31, {}}},
        {nullptr, SPRITE_CATCHER, 40, 20, {}},
    };
    // clang-format on
    for (const Case& t : cases) {
        std::memset(image.bytes, UNTOUCHED, sizeof image.bytes);
        if (t.text) drawTextToImage(image, t.text);
        if (!t.text) drawSprite(t.sprite, image, t.x, t.y);
        auto at = [this](int x, int y) { return imageIndexAt(x, y); };
        expectDrawn(GAME_IMAGE_SIZE, GAME_IMAGE_SIZE, at, t.drawn,
                    "case " + std::to_string(&t - cases));
    }
}
