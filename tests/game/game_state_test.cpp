// GameState: held keys and the ending countdown.
#include "game/game_state.h"

#include <gtest/gtest.h>

using Keys = std::vector<int>;

TEST(GameState, HeldKeysFollowPressesAndReleases) {
    GameState game;
    game.keyDown(KEY_UP);
    game.keyDown(KEY_DOWN);
    game.keyUp(KEY_UP);
    EXPECT_EQ(game.heldKeys, Keys{KEY_DOWN}) << "press up, press down, release up";
    game.keyDown(KEY_Z);
    game.keyDown(KEY_LEFT);
    game.keyDown(KEY_Z);
    EXPECT_EQ(game.heldKeys, (Keys{KEY_DOWN, KEY_Z, KEY_LEFT, KEY_Z}));
    game.keyUp(KEY_Z);
    EXPECT_EQ(game.heldKeys, (Keys{KEY_DOWN, KEY_LEFT})) << "z pressed twice, released once";
    game.keyUp(KEY_X);
    EXPECT_EQ(game.heldKeys, (Keys{KEY_DOWN, KEY_LEFT})) << "x released, never pressed";
}

// Without ending an update only counts the tick; after endPlay the 128th sets finished for good.
TEST(GameState, StartsFreshAndFinishesOnThe128thUpdateAfterEndPlay) {
    GameState game;
    EXPECT_FALSE(game.emotions || game.ending || game.finished);
    EXPECT_TRUE(game.score == 0 && game.heldKeys.empty());
    for (int i = 0; i < 1000; i++) game.update();
    EXPECT_EQ(game.endCountdown, 128u);
    game.endPlay();
    for (int i = 0; i < 127; i++) game.update();
    EXPECT_FALSE(game.finished);
    game.update();
    EXPECT_TRUE(game.finished);
    for (int i = 0; i < 72; i++) game.update();
    EXPECT_TRUE(game.finished && game.endCountdown == 0);
    EXPECT_EQ(game.tickCount, 1200u);
}
