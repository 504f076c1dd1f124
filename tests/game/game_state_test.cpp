// GameState: held keys and the ending countdown.
#include "game/game_state.h"

#include <gtest/gtest.h>

using Keys = std::vector<int>;

TEST(GameStateKeys, PressesAreKeptOldestFirst) {
    GameState game;
    game.keyDown(KEY_UP);
    game.keyDown(KEY_DOWN);
    game.keyUp(KEY_UP);
    EXPECT_EQ(game.heldKeys, Keys{KEY_DOWN});
}

TEST(GameStateKeys, ARepeatedPressIsKeptTwiceAndOneReleaseRemovesBoth) {
    GameState game;
    game.keyDown(KEY_Z);
    game.keyDown(KEY_UP);
    game.keyDown(KEY_Z);
    EXPECT_EQ(game.heldKeys, (Keys{KEY_Z, KEY_UP, KEY_Z}));
    game.keyUp(KEY_Z);
    EXPECT_EQ(game.heldKeys, Keys{KEY_UP});
}

TEST(GameStateKeys, ReleasingAKeyNeverPressedChangesNothing) {
    GameState game;
    game.keyDown(KEY_LEFT);
    game.keyUp(KEY_X);
    EXPECT_EQ(game.heldKeys, Keys{KEY_LEFT});
}

TEST(GameStateKeys, KeysDoNotTouchTheEndingOrOtherFields) {
    GameState game;
    game.endPlay();
    game.keyDown(KEY_DOWN);
    EXPECT_EQ(game.heldKeys, Keys{KEY_DOWN});
    EXPECT_EQ(game.tickCount, 0u);
    EXPECT_EQ(game.endCountdown, ENDING_TICKS);
}

TEST(GameStateTicks, AFreshStateStartsAtTheBeginning) {
    GameState game;
    EXPECT_EQ(game.tickCount, 0u);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.endCountdown, 128u);
    EXPECT_FALSE(game.emotions || game.ending || game.finished);
    EXPECT_TRUE(game.heldKeys.empty());
}

TEST(GameStateTicks, UpdateWithoutEndingOnlyCountsTheTick) {
    GameState game;
    for (int i = 0; i < 1000; i++) game.update();
    EXPECT_EQ(game.tickCount, 1000u);
    EXPECT_EQ(game.endCountdown, ENDING_TICKS);
    EXPECT_FALSE(game.finished);
}

TEST(GameStateTicks, EndPlayActsOnlyInTheFollowingTicks) {
    GameState game;
    game.endPlay();
    EXPECT_TRUE(game.ending);
    EXPECT_EQ(game.endCountdown, 128u);
    game.update();
    EXPECT_EQ(game.endCountdown, 127u);
}

TEST(GameStateTicks, The128thUpdateAfterEndPlayFinishesTheGame) {
    GameState game;
    game.endPlay();
    for (int i = 0; i < 127; i++) game.update();
    EXPECT_FALSE(game.finished);
    EXPECT_EQ(game.endCountdown, 1u);
    game.update();
    EXPECT_TRUE(game.finished);
    EXPECT_EQ(game.endCountdown, 0u);
    EXPECT_EQ(game.tickCount, 128u);
}

TEST(GameStateTicks, FurtherTicksAfterTheEndKeepItFinished) {
    GameState game;
    game.endPlay();
    for (int i = 0; i < 200; i++) game.update();
    EXPECT_TRUE(game.finished);
    EXPECT_EQ(game.endCountdown, 0u);
    EXPECT_EQ(game.tickCount, 200u);
}
