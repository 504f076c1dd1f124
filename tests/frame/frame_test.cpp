// The frame against a scripted clock and event list: ticks, sleeps, which key reaches what,
// games and their scores; and the front page, read back from the picture by palette index.
#include "display/picture.h"
#include "draw/font.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "frame/main_loop.h"
#include "frame/screens.h"
#include "support/platform_null.h"
#include "support/video_null.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFrame();
        nullVideo = NullVideo();
        beginMainLoop();
    }
    void TearDown() override { resetFrame(); }
    // Runs one pass with the clock moved forward by `elapsed` first.
    static bool passAfter(uint32_t elapsed) {
        nullPlatform.now += elapsed;
        return runLoopIteration();
    }
};

TEST_F(Frame, TicksAreWholeEighteenMillisecondsAtMost32APassAndOnlyATickRenders) {
    startGame(); // its first update counts as a tick run
    EXPECT_TRUE(passAfter(17));
    EXPECT_EQ(topScreen().tickCount, 1u);
    EXPECT_TRUE(frame.clock.tickRemainder == 17u && nullVideo.swaps == 0);
    EXPECT_TRUE(passAfter(1)); // the 17 ms are kept: one more (and the sleep) make a tick
    EXPECT_EQ(nullVideo.swaps, 1);
    EXPECT_EQ(nullVideo.shownPictures, 0) << "the game's picture covers the front page's";
    const uint32_t ticks = topScreen().tickCount;
    EXPECT_TRUE(passAfter(5000)); // a stall runs 32 ticks and drops the rest
    EXPECT_EQ(topScreen().tickCount, ticks + 32);
    EXPECT_TRUE(frame.clock.tickRemainder < 18u && nullVideo.swaps == 2);
    resetFrame(); // the clock may wrap around
    nullPlatform.now = 0xFFFFFFF0u;
    beginMainLoop();
    startGame();
    EXPECT_TRUE(passAfter(36));
    EXPECT_EQ(topScreen().tickCount, 2u);
}

TEST_F(Frame, SleepsLongOnceThenShortUntilATickRuns) {
    passAfter(0); // no tick: 9 ms
    passAfter(0); // the 9 ms make no tick either: 1 ms
    passAfter(8); // 18 ms in all: one tick after short sleeps, so 1 ms and long sleeps again
    passAfter(0);
    passAfter(9);  // a tick on the short path allows the long sleep again
    passAfter(17); // one tick: 6 ms
    EXPECT_EQ(nullPlatform.sleeps, (std::vector<uint32_t>{9, 1, 1, 9, 1, 6}));
}

TEST_F(Frame, OnTheFrontPageDownAndEscapeQuitWithoutRenderingAndOtherKeysStartAGame) {
    for (int key : std::vector<int>{KEY_UP, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_CODE_OTHER}) {
        pressKey(key);
        releaseKey(key); // the release reaches the game, which holds nothing
        EXPECT_TRUE(passAfter(18));
        ASSERT_TRUE(frame.gameActive) << key;
        EXPECT_TRUE(topScreen().heldKeys.empty()) << "the key that started the game";
        // Escape ends the game; the key after it in the same batch starts the next one.
        pressKey(KEY_CODE_ESCAPE);
        pressKey(KEY_CODE_OTHER);
        EXPECT_TRUE(passAfter(18));
        EXPECT_TRUE(frame.gameActive && topScreen().tickCount == 1u && frame.lastScore == 0);
        pressKey(KEY_CODE_ESCAPE);
        releaseKey(KEY_CODE_ESCAPE); // means nothing on the front page
        EXPECT_TRUE(passAfter(18));
        EXPECT_FALSE(frame.gameActive);
    }
    const int swaps = nullVideo.swaps;
    for (int key : std::vector<int>{KEY_DOWN, KEY_CODE_ESCAPE}) {
        resetFrame();
        pressKey(key);
        EXPECT_FALSE(passAfter(18)) << key;
        EXPECT_FALSE(frame.gameActive);
    }
    EXPECT_EQ(nullVideo.swaps, swaps);
}

TEST_F(Frame, GameKeysArriveAsKeyIndicesAndOthersAreIgnored) {
    startGame();
    for (int key :
         std::vector<int>{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_CODE_OTHER})
        pressKey(key);
    passAfter(0);
    EXPECT_EQ(topScreen().heldKeys, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    releaseKey(KEY_DOWN);
    releaseKey(KEY_Z);
    passAfter(0);
    EXPECT_EQ(topScreen().heldKeys, (std::vector<int>{0, 2, 3, 5}));
    nullPlatform.events.push_back({FrameEvent::QUIT, 0}); // closing the window: no score
    EXPECT_FALSE(passAfter(18));
    EXPECT_EQ(frame.lastScore, -1);
}

TEST_F(Frame, EndedGamesLeaveTheirScoresAndNothingElse) {
    // A game left alone ends in a time paradox: a baby escapes after about 134 ticks, the
    // ending takes 128 more.
    startGame();
    for (int pass = 0; pass < 400 && frame.gameActive; pass++) passAfter(18);
    EXPECT_TRUE(!frame.gameActive && frame.screenStack.empty());
    EXPECT_TRUE(frame.lastScore >= 0 && frame.bestScore == frame.lastScore);
    // Score of each game, then the last and best scores it leaves.
    const int32_t games[][3] = {{0, 0, 0}, {12, 12, 12}, {12, 12, 12}, {11, 11, 12}, {13, 13, 13}};
    frame.bestScore = -1;
    for (const auto& [score, last, best] : games) {
        startGame();
        topScreen().score = score;
        endGame();
        EXPECT_TRUE(!frame.gameActive && frame.screenStack.empty());
        EXPECT_EQ(frame.lastScore, last) << score;
        EXPECT_EQ(frame.bestScore, best) << score;
    }
    EXPECT_EQ(nullVideo.texturesCreated, nullVideo.texturesReleased);
}

// The colours found in a box of the picture, as a bit set of palette indices.
unsigned coloursIn(int left, int bottom, int right, int top) {
    unsigned found = 0;
    for (int x = left; x <= right; x++)
        for (int y = bottom; y <= top; y++)
            if (pixelAt(x, y) > 0) found |= 1u << pixelAt(x, y);
    return found;
}

TEST_F(Frame, FrontPageLayoutBlinkAndScores) {
    const int title = 64 - textWidth("tumblingcradle2"), start = (128 - textWidth("start")) / 2;
    const int score = textWidth("score: ") + 2, best = textWidth("best: ") + 2;
    const struct {
        int frameCount, last, best, picture; // picture: the index of every title cell
        int left, bottom, right, top;
        unsigned colours;
    } boxes[] = {
        // The title at scale 2, nothing left of it; the subtitle in the cycling colour, 1 in
        // frames 0 to 5 and again from frame 54.
        {1, -1, -1, 0, title, 84, title + 2 * textWidth("tumblingcradle2"), 93, 1u << 3},
        {1, -1, -1, 0, 0, 84, title - 1, 95, 0},
        {1, -1, -1, 0, 0, 76, 127, 80, 1u << 1},
        {6, -1, -1, 0, 0, 76, 127, 80, 1u << 2},
        {54, -1, -1, 0, 0, 76, 127, 80, 1u << 1},
        // The arrows, "to move", the brief, "hold z to feel emotions".
        {1, -1, -1, 0, 2, 31, 13, 35, 1u << 6},
        {1, -1, -1, 0, 18, 31, 60, 35, 1u << 8},
        {1, -1, -1, 0, 2, 23, 127, 27, 1u << 8},
        {1, -1, -1, 0, 2, 15, 127, 19, (1u << 8) | (1u << 6)},
        // The picture covers the subtitle, the texts cover the picture.
        {1, -1, -1, 4, 32, 36, 95, 80, 1u << 4},
        {1, -1, -1, 4, 32, 23, 95, 27, (1u << 4) | (1u << 8)},
        // "start" blinks: colour 5, or 6 in frames 6 to 9 of every ten; no scores before a game.
        {5, -1, -1, 0, 0, 0, 127, 13, 1u << 5},
        {6, -1, -1, 0, start, 6, start + textWidth("start"), 10, 1u << 6},
        {9, -1, -1, 0, start, 6, start + textWidth("start"), 10, 1u << 6},
        {10, -1, -1, 0, start, 6, start + textWidth("start"), 10, 1u << 5},
        // Labels in colour 1 from x 2, numbers in colour 2 one blank after them.
        {1, 7, 0, 0, 2, 9, 2 + textWidth("score:") - 1, 13, 1u << 1},
        {1, 7, 0, 0, 2, 2, 2 + textWidth("best:") - 1, 6, 1u << 1},
        {1, 7, 0, 0, score, 9, score + 3, 13, 1u << 2},
        {1, 7, 0, 0, best, 2, best + 3, 6, 1u << 2},
    };
    for (const auto& b : boxes) {
        frame.frameCounter = b.frameCount;
        frame.lastScore = b.last;
        frame.bestScore = b.best;
        for (auto& line : frame.titlePicture)
            for (int32_t& cell : line) cell = b.picture;
        clearPicture();
        drawFrontPage();
        EXPECT_EQ(coloursIn(b.left, b.bottom, b.right, b.top), b.colours)
            << "box " << &b - boxes << " in frame " << b.frameCount;
    }
}

} // namespace
