// The main loop against a scripted clock and event list: tick arithmetic, sleeping, and which
// key reaches what.
#include "frame/frame_state.h"
#include "frame/main_loop.h"
#include "frame/screens.h"
#include "support/platform_null.h"
#include "support/video_null.h"

#include <gtest/gtest.h>

namespace {

class MainLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFrame();
        nullVideo = NullVideo();
        beginMainLoop();
    }
    void TearDown() override { resetFrame(); }

    // Runs one pass with the clock moved forward by `elapsed` first.
    bool passAfter(uint32_t elapsed) {
        nullPlatform.now += elapsed;
        return runLoopIteration();
    }
};

TEST_F(MainLoop, SeventeenMillisecondsRunNoTickAndRenderNothing) {
    startGame();
    EXPECT_TRUE(passAfter(17));
    EXPECT_EQ(topScreen().tickCount, 1u);
    EXPECT_EQ(nullVideo.swaps, 0);
    EXPECT_EQ(frame.clock.tickRemainder, 17u);
    // The 17 ms are kept: one more millisecond (plus the sleep) makes a tick.
    EXPECT_TRUE(passAfter(1));
    EXPECT_EQ(nullVideo.swaps, 1);
}

TEST_F(MainLoop, AStallRunsExactlyThirtyTwoTicksAndDropsTheRest) {
    startGame();
    EXPECT_TRUE(passAfter(5000));
    // The update that started the game is part of the first pass's ticks.
    EXPECT_EQ(topScreen().tickCount, 32u);
    EXPECT_EQ(frame.clock.tickRemainder, 5000u % 18u);
    EXPECT_EQ(nullVideo.swaps, 1);
}

TEST_F(MainLoop, TheTickCountFollowsTheClockInWholeTicks) {
    startGame();
    for (int pass = 0; pass < 100; pass++) passAfter(7);
    uint32_t elapsed = nullPlatform.now;
    EXPECT_EQ(topScreen().tickCount, elapsed / 18u);
}

TEST_F(MainLoop, SleepsLongOnceThenShortUntilATickRuns) {
    passAfter(0); // no tick: 9 ms
    passAfter(0); // the 9 ms make no tick either: 1 ms
    EXPECT_EQ(nullPlatform.sleeps, (std::vector<uint32_t>{9, 1}));
    nullPlatform.sleeps.clear();
    passAfter(8); // 18 ms in all: one tick after short sleeps, so 1 ms and long sleeps again
    passAfter(0);
    EXPECT_EQ(nullPlatform.sleeps, (std::vector<uint32_t>{1, 9}));
    nullPlatform.sleeps.clear();
    passAfter(9);  // a tick on the short path allows the long sleep again
    passAfter(17); // one tick: 6 ms
    EXPECT_EQ(nullPlatform.sleeps, (std::vector<uint32_t>{1, 6}));
}

TEST_F(MainLoop, EscapeOnTheFrontPageEndsTheLoopWithoutRendering) {
    pressKey(KEY_CODE_ESCAPE);
    EXPECT_FALSE(passAfter(100));
    EXPECT_EQ(nullVideo.swaps, 0);
}

TEST_F(MainLoop, DownOnTheFrontPageQuitsAndOtherKeysStartAGame) {
    for (int key : std::vector<int>{KEY_UP, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_CODE_OTHER}) {
        pressKey(key);
        EXPECT_TRUE(passAfter(18));
        EXPECT_TRUE(frame.gameActive) << key;
        pressKey(KEY_CODE_ESCAPE);
        EXPECT_TRUE(passAfter(18));
        EXPECT_FALSE(frame.gameActive);
    }
    pressKey(KEY_DOWN);
    EXPECT_FALSE(passAfter(18));
    EXPECT_FALSE(frame.gameActive);
}

TEST_F(MainLoop, AKeyAfterEscapeInTheSameBatchReachesTheFrontPage) {
    startGame();
    passAfter(18 * 10);
    pressKey(KEY_CODE_ESCAPE);
    pressKey(KEY_CODE_OTHER);
    EXPECT_TRUE(passAfter(18));
    EXPECT_EQ(frame.lastScore, 0);
    ASSERT_TRUE(frame.gameActive);
    EXPECT_EQ(topScreen().tickCount, 1u);
}

TEST_F(MainLoop, TheKeyThatStartsAGameIsNotDeliveredToIt) {
    pressKey(KEY_UP);
    passAfter(18);
    ASSERT_TRUE(frame.gameActive);
    EXPECT_TRUE(topScreen().heldKeys.empty());
    releaseKey(KEY_UP);
    passAfter(18);
    EXPECT_TRUE(topScreen().heldKeys.empty());
}

TEST_F(MainLoop, GameKeysArriveAsKeyIndicesAndOthersAreIgnored) {
    startGame();
    for (int key :
         std::vector<int>{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_CODE_OTHER}) {
        pressKey(key);
    }
    passAfter(0);
    EXPECT_EQ(topScreen().heldKeys, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    releaseKey(KEY_DOWN);
    releaseKey(KEY_Z);
    passAfter(0);
    EXPECT_EQ(topScreen().heldKeys, (std::vector<int>{0, 2, 3, 5}));
}

TEST_F(MainLoop, ClosingTheWindowDuringAGameRecordsNoScore) {
    startGame();
    nullPlatform.events.push_back({FrameEvent::QUIT, 0});
    EXPECT_FALSE(passAfter(18));
    EXPECT_EQ(frame.lastScore, -1);
    EXPECT_EQ(frame.bestScore, -1);
}

TEST_F(MainLoop, AGameLeftAloneEndsInATimeParadoxAndTheFrontPageReturns) {
    startGame();
    // A baby escapes after about 134 ticks of band 1; the ending takes 128 more.
    for (int pass = 0; pass < 400 && frame.gameActive; pass++) passAfter(18);
    EXPECT_FALSE(frame.gameActive);
    EXPECT_GE(frame.lastScore, 0);
    EXPECT_EQ(frame.bestScore, frame.lastScore);
    EXPECT_TRUE(frame.screenStack.empty());
}

TEST_F(MainLoop, TheClockMayWrapAround) {
    nullPlatform.now = 0xFFFFFFF0u;
    beginMainLoop();
    startGame();
    EXPECT_TRUE(passAfter(36));
    EXPECT_EQ(topScreen().tickCount, 2u);
}

} // namespace
