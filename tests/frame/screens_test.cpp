// Starting and ending games: the stack, the scores, and what a game leaves behind.
#include "frame/frame_state.h"
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
};

TEST_F(Screens, AGameRunsItsFirstUpdateBeforeItIsFirstDrawn) {
    startGame();
    ASSERT_EQ(frame.screenStack.size(), 1u);
    EXPECT_TRUE(frame.gameActive);
    EXPECT_EQ(topScreen().tickCount, 1u);
    renderFrame();
    EXPECT_EQ(nullVideo.shownGameImages, 1);
    EXPECT_EQ(nullVideo.shownPictures, 0); // covered by the game's picture
}

TEST_F(Screens, EndingGamesRecordsScoresAndGivesEverythingBack) {
    // score of each game, then the last and best scores it leaves
    const int32_t games[][3] = {{0, 0, 0}, {12, 12, 12}, {12, 12, 12}, {11, 11, 12}, {13, 13, 13}};
    for (const auto& game : games) {
        startGame();
        topScreen().score = game[0];
        endGame();
        EXPECT_FALSE(frame.gameActive);
        EXPECT_TRUE(frame.screenStack.empty());
        EXPECT_EQ(frame.lastScore, game[1]) << game[0];
        EXPECT_EQ(frame.bestScore, game[2]) << game[0];
    }
    EXPECT_EQ(nullVideo.texturesCreated, 5u);
    EXPECT_EQ(nullVideo.texturesReleased, 5u);
}

} // namespace
