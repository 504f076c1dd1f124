// The built-in bitmap font and the text drawing that uses it: into the picture (drawText) and
// into a game's picture (drawTextToImage). Owns only constant tables; never keeps state and
// never writes outside the picture it is given.
#include "draw/font.h"

#include "display/palette.h"
#include "display/picture.h"
#include "draw/image_pixel.h"

const char FONT_CHARSET[] =
    " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789^&<>.+-[]/'=:$?!}*";
static_assert(sizeof FONT_CHARSET == FONT_GLYPH_COUNT + 1, "one character per glyph");

// Pen movement after each glyph, in font cells. Lower case, digits and signs move by their ink
// width plus one blank column; the upper-case glyphs are kept as they were drawn.
const int FONT_ADVANCE[FONT_GLYPH_COUNT] = {
    // clang-format off
    // sp a  b  c  d  e  f  g  h  i  j  k  l  m  n  o  p  q  r  s  t  u  v  w  x  y  z
       4, 4, 4, 4, 4, 4, 4, 5, 4, 2, 3, 4, 3, 6, 5, 4, 4, 4, 4, 4, 4, 4, 4, 6, 4, 4, 4,
    // A  B  C  D  E  F  G  H  I  J  K  L  M  N  O  P  Q  R  S  T  U  V  W  X  Y  Z
       4, 5, 6, 1, 5, 5, 4, 3, 4, 4, 5, 1, 6, 2, 3, 4, 5, 4, 5, 5, 3, 6, 2, 4, 5, 6,
    // 0  1  2  3  4  5  6  7  8  9
       4, 3, 4, 4, 4, 4, 4, 4, 4, 4,
    // ^  &  <  >  .  +  -  [  ]  /  '  =  :  $  ?  !  }  *
       6, 6, 6, 6, 2, 4, 4, 3, 3, 3, 2, 4, 2, 5, 4, 2, 6, 6,
    // clang-format on
};

// '#' is ink. The arrows ^ & < > point up, down, left and right.
const char* const FONT_GLYPHS[FONT_GLYPH_COUNT][GLYPH_SIZE] = {
    // clang-format off
    /*  0 ' '   */ {".....", ".....", ".....", ".....", "....."},
    /*  1 'a'   */ {".#...", "#.#..", "###..", "#.#..", "#.#.."},
    /*  2 'b'   */ {"##...", "#.#..", "##...", "#.#..", "##..."},
    /*  3 'c'   */ {".##..", "#....", "#....", "#....", ".##.."},
    /*  4 'd'   */ {"##...", "#.#..", "#.#..", "#.#..", "##..."},
    /*  5 'e'   */ {"###..", "#....", "##...", "#....", "###.."},
    /*  6 'f'   */ {"###..", "#....", "##...", "#....", "#...."},
    /*  7 'g'   */ {".##..", "#....", "#.##.", "#..#.", ".##.."},
    /*  8 'h'   */ {"#.#..", "#.#..", "###..", "#.#..", "#.#.."},
    /*  9 'i'   */ {"#....", "#....", "#....", "#....", "#...."},
    /* 10 'j'   */ {"##...", ".#...", ".#...", ".#...", "#...."},
    /* 11 'k'   */ {"#.#..", "#.#..", "##...", "#.#..", "#.#.."},
    /* 12 'l'   */ {"#....", "#....", "#....", "#....", "##..."},
    /* 13 'm'   */ {".#.#.", "#.#.#", "#.#.#", "#.#.#", "#...#"},
    /* 14 'n'   */ {"#..#.", "##.#.", "#.##.", "#..#.", "#..#."},
    /* 15 'o'   */ {".#...", "#.#..", "#.#..", "#.#..", ".#..."},
    /* 16 'p'   */ {"##...", "#.#..", "##...", "#....", "#...."},
    /* 17 'q'   */ {".#...", "#.#..", "#.#..", "##...", ".##.."},
    /* 18 'r'   */ {"##...", "#.#..", "##...", "#.#..", "#.#.."},
    /* 19 's'   */ {".##..", "#....", "###..", "..#..", "##..."},
    /* 20 't'   */ {"###..", ".#...", ".#...", ".#...", ".#..."},
    /* 21 'u'   */ {"#.#..", "#.#..", "#.#..", "#.#..", "###.."},
    /* 22 'v'   */ {"#.#..", "#.#..", "#.#..", "#.#..", ".#..."},
    /* 23 'w'   */ {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."},
    /* 24 'x'   */ {"#.#..", "#.#..", ".#...", "#.#..", "#.#.."},
    /* 25 'y'   */ {"#.#..", "#.#..", ".#...", ".#...", ".#..."},
    /* 26 'z'   */ {"###..", "..#..", ".#...", "#....", "###.."},
    /* 27 'A'   */ {".####", "#....", "#####", ".....", "#.###"},
    /* 28 'B'   */ {"#....", "..#..", "#....", "..#.#", "#...#"},
    /* 29 'C'   */ {".##.#", "#.#.#", "#.#.#", "#.#.#", "..#.."},
    /* 30 'D'   */ {"###.#", "###..", "###..", ".....", ".###."},
    /* 31 'E'   */ {"####.", ".....", ".##..", ".....", "####."},
    /* 32 'F'   */ {"###..", ".....", "..#.#", ".....", "..#.."},
    /* 33 'G'   */ {".....", "#.#..", "#.#.#", ".....", "....."},
    /* 34 'H'   */ {".....", ".....", ".#...", "..#..", "#...#"},
    /* 35 'I'   */ {".....", ".##..", ".....", "..##.", "....#"},
    /* 36 'J'   */ {"#####", ".##.#", "..###", ".###.", "####."},
    /* 37 'K'   */ {"#.#..", ".#...", "#.#.#", ".....", "#.#.#"},
    /* 38 'L'   */ {"...#.", ".....", ".....", ".....", "#####"},
    /* 39 'M'   */ {"..#..", "..#.#", "....#", ".....", "###.#"},
    /* 40 'N'   */ {"##...", "###..", "##...", "###..", "....."},
    /* 41 'O'   */ {".#...", ".##..", ".....", ".....", "....."},
    /* 42 'P'   */ {"##...", ".....", ".....", ".....", "....#"},
    /* 43 'Q'   */ {"...##", "...##", ".....", ".##..", ".##.."},
    /* 44 'R'   */ {"##...", "....#", "#.#.#", "#.#..", "#.#.#"},
    /* 45 'S'   */ {".##..", "##...", ".#..#", "....#", ".#..."},
    /* 46 'T'   */ {".....", ".#...", ".....", "...##", ".#..#"},
    /* 47 'U'   */ {"###..", "#....", "...##", ".....", "...##"},
    /* 48 'V'   */ {"#....", "..#..", ".#...", "...##", "....#"},
    /* 49 'W'   */ {"#....", "##...", "#....", "#....", ".#..."},
    /* 50 'X'   */ {"#....", "..#..", "..##.", "#..#.", "#.##."},
    /* 51 'Y'   */ {"#.#..", "#.#.#", "....#", "..#.#", "..#.."},
    /* 52 'Z'   */ {"#....", "..###", ".....", ".....", "###.."},
    /* 53 '0'   */ {"###..", "#.#..", "#.#..", "#.#..", "###.."},
    /* 54 '1'   */ {".#...", "##...", ".#...", ".#...", ".#..."},
    /* 55 '2'   */ {".#...", "#.#..", "..#..", ".#...", "###.."},
    /* 56 '3'   */ {"##...", "..#..", "##...", "..#..", "##..."},
    /* 57 '4'   */ {"#.#..", "#.#..", "###..", "..#..", "..#.."},
    /* 58 '5'   */ {"###..", "#....", "###..", "..#..", "###.."},
    /* 59 '6'   */ {"###..", "#....", "###..", "#.#..", "###.."},
    /* 60 '7'   */ {"###..", "..#..", ".#...", "#....", "#...."},
    /* 61 '8'   */ {"###..", "#.#..", "###..", "#.#..", "###.."},
    /* 62 '9'   */ {"###..", "#.#..", "###..", "..#..", "..#.."},
    /* 63 '^'   */ {"..#..", ".###.", "#####", "..#..", "..#.."},
    /* 64 '&'   */ {"..#..", "..#..", "#####", ".###.", "..#.."},
    /* 65 '<'   */ {"..#..", ".##..", "#####", ".##..", "..#.."},
    /* 66 '>'   */ {"..#..", "..##.", "#####", "..##.", "..#.."},
    /* 67 '.'   */ {".....", ".....", ".....", ".....", "#...."},
    /* 68 '+'   */ {".....", ".#...", "###..", ".#...", "....."},
    /* 69 '-'   */ {".....", ".....", "###..", ".....", "....."},
    /* 70 '['   */ {"##...", "#....", "#....", "#....", "##..."},
    /* 71 ']'   */ {"##...", ".#...", ".#...", ".#...", "##..."},
    /* 72 '/'   */ {".....", ".#...", ".#...", "#....", "#...."},
    /* 73 '\''  */ {"#....", "#....", ".....", ".....", "....."},
    /* 74 '='   */ {".....", "###..", ".....", "###..", "....."},
    /* 75 ':'   */ {".....", "#....", ".....", "#....", "....."},
    /* 76 '$'   */ {"..#..", ".###.", "#.#..", ".###.", "..#.."},
    /* 77 '?'   */ {"##...", "..#..", ".#...", ".....", ".#..."},
    /* 78 '!'   */ {"#....", "#....", "#....", ".....", "#...."},
    /* 79 '}'   */ {"..#..", "####.", "....#", "####.", "..#.."},
    /* 80 '*'   */ {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"},
    // clang-format on
};

// Text in a game's picture sits in the lower right corner, rows 1 to 5.
constexpr int IMAGE_TEXT_COLUMN = 25;
constexpr int IMAGE_TEXT_BOTTOM_ROW = 1;
constexpr int8_t IMAGE_TEXT_COLOUR = 1;
// The cycling colour steps through indices 1 to 9, one step every 6 presented frames.
constexpr int CYCLE_FRAMES_PER_STEP = 6;
constexpr int CYCLE_COLOUR_COUNT = 9;

// Glyph number of a byte, or -1 when the font has no glyph for it.
static int glyphOf(char c) {
    for (int k = 0; k < FONT_GLYPH_COUNT; k++) {
        if (FONT_CHARSET[k] == c) return k;
    }
    return -1;
}

// The one walk over a text's glyphs, for drawing and measuring alike. Calls ink(column, row)
// for every ink cell, in font cells from the pen's start: column to the right, row 0 the
// bottom row. Bytes outside the font draw nothing and do not move the pen; only the first
// min(advance, 5) columns of a glyph are drawn. Returns the text's width.
template <typename Ink> static int walkGlyphs(const char* text, Ink ink) {
    int pen = 0;
    for (const char* p = text; *p != '\0'; p++) {
        int glyph = glyphOf(*p);
        if (glyph < 0) continue;
        int advance = FONT_ADVANCE[glyph];
        for (int c = 0; c < advance && c < GLYPH_SIZE; c++) {
            for (int r = 0; r < GLYPH_SIZE; r++) {
                if (FONT_GLYPHS[glyph][r][c] == '#') ink(pen + c, GLYPH_SIZE - 1 - r);
            }
        }
        pen += advance;
    }
    return pen;
}

int8_t cyclingColourAt(int frameCounter) {
    return static_cast<int8_t>((frameCounter / CYCLE_FRAMES_PER_STEP) % CYCLE_COLOUR_COUNT + 1);
}

void drawText(const char* text, int x, int y, int colour, int scale, int8_t cyclingColour) {
    int8_t index = colour == CYCLING_COLOUR ? cyclingColour : static_cast<int8_t>(colour);
    walkGlyphs(text, [&](int column, int row) {
        for (int dx = 0; dx < scale; dx++) {
            for (int dy = 0; dy < scale; dy++) {
                putPixel(x + column * scale + dx, y + row * scale + dy, index);
            }
        }
    });
}

int textWidth(const char* text) {
    return walkGlyphs(text, [](int, int) {});
}

void drawTextToImage(GameImage& image, const char* text) {
    // The palette does not change while a frame is drawn, so one look-up serves every glyph.
    Colour colour = colourOf(IMAGE_TEXT_COLOUR);
    walkGlyphs(text, [&](int column, int row) {
        int x = IMAGE_TEXT_COLUMN + column;
        if (x < GAME_IMAGE_SIZE) paintImagePixel(image, x, IMAGE_TEXT_BOTTOM_ROW + row, colour);
    });
}
