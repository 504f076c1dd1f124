// Starting and ending games: the stack, the scores, and what a game leaves behind.
#include "frame/render.h"
#include "frame/screens.h"
#include "support/platform_null.h"
#include "support/video_null.h"

#include <gtest/gtest.h>

namespace {

class Screens : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFrame();
        nullVideo = NullVideo();
    }
    void TearDown() override { resetFrame(); }

    void playGameScoring(int32_t score) {
        startGame();
        topScreen().score = score;
        endGame();
    }
};

TEST_F(Screens, AGameRunsItsFirstUpdateAtOnce) {
    startGame();
    ASSERT_EQ(screenStack.size(), 1u);
    EXPECT_TRUE(gameActive);
    EXPECT_EQ(topScreen().tickCount, 1u);
    renderFrame();
    EXPECT_EQ(nullVideo.shownGameImages, 1);
}

TEST_F(Screens, EndingAGameWithZeroShowsBothScores) {
    playGameScoring(0);
    EXPECT_FALSE(gameActive);
    EXPECT_TRUE(screenStack.empty());
    EXPECT_EQ(lastScore, 0);
    EXPECT_EQ(bestScore, 0);
}

TEST_F(Screens, TheBestScoreOnlyRises) {
    playGameScoring(12);
    playGameScoring(12);
    EXPECT_EQ(bestScore, 12);
    playGameScoring(11);
    EXPECT_EQ(bestScore, 12);
    EXPECT_EQ(lastScore, 11);
    playGameScoring(13);
    EXPECT_EQ(bestScore, 13);
}

TEST_F(Screens, EveryGameGivesItsTextureBack) {
    for (int game = 0; game < 3; game++) playGameScoring(game);
    EXPECT_EQ(nullVideo.texturesCreated, 3u);
    EXPECT_EQ(nullVideo.texturesReleased, 3u);
}

TEST_F(Screens, ASecondGameStartsFresh) {
    startGame();
    topScreen().score = 5;
    topScreen().keyDown(0);
    for (int tick = 0; tick < 50; tick++) topScreen().update();
    endGame();
    startGame();
    EXPECT_EQ(topScreen().score, 0);
    EXPECT_EQ(topScreen().playerPos, 0);
    EXPECT_TRUE(topScreen().heldKeys.empty());
    EXPECT_EQ(topScreen().tickCount, 1u);
}

} // namespace
