// The front page's layout, blink and scores, read back from the picture by palette index.
#include "display/picture.h"
#include "draw/font.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "support/platform_null.h"

#include <gtest/gtest.h>

namespace {

class FrontPage : public ::testing::Test {
  protected:
    void SetUp() override { resetFrame(); }
    void TearDown() override { resetFrame(); }

    void drawAt(int frameCount) {
        frame.frameCounter = frameCount;
        clearPicture();
        drawFrontPage();
    }

    // The colours found in a box of the picture, as a bit set of palette indices.
    static unsigned coloursIn(int left, int bottom, int right, int top) {
        unsigned found = 0;
        for (int x = left; x <= right; x++) {
            for (int y = bottom; y <= top; y++) {
                int8_t index = pixelAt(x, y);
                if (index > 0) found |= 1u << index;
            }
        }
        return found;
    }
};

TEST_F(FrontPage, TitleSubtitleAndInstructionsStandWhereTheyBelong) {
    drawAt(1);
    // "tumblingcradle2" at scale 2 from x 64 - width, rows 84 to 93, colour 3.
    int titleLeft = 64 - textWidth("tumblingcradle2");
    EXPECT_EQ(coloursIn(titleLeft, 84, titleLeft + 2 * textWidth("tumblingcradle2"), 93), 1u << 3);
    EXPECT_EQ(coloursIn(0, 84, titleLeft - 1, 95), 0u);
    // The subtitle line in the cycling colour: index 1 in frames 0 to 5.
    EXPECT_EQ(coloursIn(0, 76, 127, 80), 1u << 1);
    EXPECT_EQ(coloursIn(2, 31, 13, 35), 1u << 6); // the arrows
    EXPECT_EQ(coloursIn(18, 31, 60, 35), 1u << 8);
    EXPECT_EQ(coloursIn(2, 23, 127, 27), 1u << 8);
    EXPECT_EQ(coloursIn(2, 15, 127, 19), (1u << 8) | (1u << 6));
}

TEST_F(FrontPage, StartBlinksSixFramesOutOfTen) {
    int left = (128 - textWidth("start")) / 2;
    for (int count = 1; count <= 10; count++) {
        drawAt(count);
        unsigned expected = count >= 6 && count <= 9 ? 1u << 6 : 1u << 5;
        EXPECT_EQ(coloursIn(left, 6, left + textWidth("start"), 10), expected) << count;
    }
}

TEST_F(FrontPage, ScoresAppearOnlyOnceAGameHasEnded) {
    drawAt(1);
    EXPECT_EQ(coloursIn(0, 0, 127, 13), 1u << 5); // only "start"
    frame.lastScore = 0;
    frame.bestScore = 0;
    drawAt(1);
    // Labels in colour 1 from x 2, numbers in colour 2 one blank after them.
    EXPECT_EQ(coloursIn(2, 9, 2 + textWidth("score:") - 1, 13), 1u << 1);
    EXPECT_EQ(coloursIn(2, 2, 2 + textWidth("best:") - 1, 6), 1u << 1);
    int scoreNumber = textWidth("score: ") + 2;
    int bestNumber = textWidth("best: ") + 2;
    EXPECT_EQ(coloursIn(scoreNumber, 9, scoreNumber + 3, 13), 1u << 2);
    EXPECT_EQ(coloursIn(bestNumber, 2, bestNumber + 3, 6), 1u << 2);
}

TEST_F(FrontPage, ThePictureCoversTheSubtitleAndTheInstructionsCoverThePicture) {
    for (auto& line : frame.titlePicture) {
        for (int32_t& cell : line) cell = 4;
    }
    drawAt(1);
    EXPECT_EQ(coloursIn(32, 76, 95, 80), 1u << 4);
    EXPECT_EQ(coloursIn(32, 36, 95, 75), 1u << 4);
    EXPECT_NE(coloursIn(32, 23, 95, 27) & (1u << 8), 0u);
}

TEST_F(FrontPage, DownAndEscapeQuitPrintScreenIsNoStartAndOtherKeysStart) {
    const std::pair<int, FrontPageAction> keys[] = {
        {KEY_DOWN, FrontPageAction::QUIT},
        {KEY_CODE_ESCAPE, FrontPageAction::QUIT},
        {KEY_CODE_PRINT, FrontPageAction::NOTHING},
        {KEY_UP, FrontPageAction::START},
        {KEY_X, FrontPageAction::START},
        {KEY_CODE_OTHER, FrontPageAction::START},
    };
    for (const auto& [key, action] : keys) EXPECT_EQ(frontPageKey(key), action) << key;
}

} // namespace
