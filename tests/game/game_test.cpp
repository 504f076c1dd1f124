// GameTitle: the rules per tick (spawns, speed bands, the catcher, catches, escapes) and the
// ending, worked by hand. Their pictures and sounds are checked by the recorded runs
// (tests/replays).
#include "audio/audio_state.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// The rules of one game, from a fixed seed.
class Game : public ::testing::Test {
  protected:
    // The samples not loaded yet: the game's sounds start nothing and draw no chance.
    void SetUp() override {
        audio = AudioState{};
        seedRandom(1234);
    }
    // A game with the given babies, about to run ticks that spawn none until tick 100.
    void startWith(std::vector<Baby> babies, int32_t playerPos = 0) {
        game.babies = std::move(babies);
        game.playerPos = playerPos;
        game.tickCount = 1;
    }
    void TearDown() override { audio = AudioState{}; }
    void run(int ticks) {
        for (int i = 0; i < ticks; i++) game.update();
    }
    GameTitle game{0.0f, 0.0f, 128.0f, 96.0f};
};

// Seed 1 draws 41, 18467, 6334: heights 41 % 22 + 13 = 32, then 22 and 33, one every 100
// ticks of band 1. The first drifts 0.3 a tick from x 36 and escapes past -4 on its 134th
// move, with another beside it, and play ends. In the ending babies keep coming and drifting,
// but keys do nothing, a baby through the catch window is not caught, and the game is over 128
// ticks after the escape.
TEST_F(Game, BabiesSpawnFromTheSeedAndTheFirstEscapeStartsAnEndingOf128Ticks) {
    seedRandom(1);
    game.tickCount = 0;
    run(1);
    ASSERT_EQ(game.babies.size(), 1u);
    EXPECT_TRUE(game.babies[0].y == 32.0f && game.babies[0].x == 36.0f - 0.3f);
    run(132);
    EXPECT_FALSE(game.ending);
    game.babies.push_back({-3.9f, 20.0f});
    run(1);
    EXPECT_TRUE(game.ending && game.endCountdown == 128u);
    game.babies.push_back({15.0f, 13.0f});
    game.keyDown(KEY_UP);
    game.keyDown(KEY_Z);
    run(67);
    ASSERT_EQ(game.babies.size(), 2u);
    EXPECT_TRUE(game.babies[0].y == 22.0f && game.babies[1].y == 33.0f);
    EXPECT_NEAR(game.babies[0].x, 36.0f - 101 * 0.3f, 0.01f);
    EXPECT_TRUE(game.score == 0 && game.playerPos == 0 && !game.emotions);
    run(60);
    EXPECT_FALSE(game.finished);
    run(1);
    EXPECT_TRUE(game.finished && game.endCountdown == 0);
}

// The spawn looks at the tick on entry, the move at the tick the base update has counted: at
// 499 band 1 spawns nothing, but babies move by band 2's speed.
TEST_F(Game, BandsSetTheSpawnIntervalAndTheSpeed) {
    // Tick on entry, spawns, speed.
    const std::tuple<uint32_t, bool, float> cases[] = {
        {0, true, 0.3f},      {400, true, 0.3f},    {498, false, 0.3f},        {499, false, 0.38f},
        {500, false, 0.38f},  {560, true, 0.38f},   {999, false, 0.46f},       {1020, true, 0.46f},
        {1499, false, 0.52f}, {1500, false, 0.52f}, {1520, true, 0.52f},       {1999, false, 0.6f},
        {2000, false, 0.6f},  {2010, true, 0.6f},   {4000000000u, false, 0.6f}};
    for (const auto& [tick, spawns, speed] : cases) {
        startWith({{20.0f, 30.0f}});
        game.tickCount = tick;
        game.update();
        ASSERT_EQ(game.babies.size(), spawns ? 2u : 1u) << "tick " << tick;
        EXPECT_EQ(game.babies[0].x, 20.0f - speed) << "tick " << tick;
    }
}

// Babies at every whole height just inside x 10 are caught when less than 2.5 from the catch
// centre, twice over while z is held; babies landing exactly on x 10.0 or -4.0 stay.
TEST_F(Game, TheCatchWindowIsStrictAndZDoublesEveryCatch) {
    ASSERT_TRUE(10.3f - 0.3f == 10.0f && -3.7f - 0.3f == -4.0f);
    // playerPos (catch centre 12.5, 13, 33.5), z held, lowest and highest height caught.
    const std::tuple<int32_t, bool, float, float> cases[] = {
        {0, false, 11, 14}, {1, true, 11, 15}, {42, false, 32, 35}, {42, true, 32, 35}};
    for (const auto& [playerPos, z, lowest, highest] : cases) {
        std::vector<Baby> babies = {{10.3f, lowest + 1}, {-3.7f, 20.0f}};
        for (int y = 8; y <= 37; y++) babies.push_back({10.2f, static_cast<float>(y)});
        startWith(babies, playerPos);
        game.score = 0;
        game.heldKeys = z ? std::vector<int>{KEY_Z} : std::vector<int>{};
        game.update();
        EXPECT_FALSE(game.ending);
        EXPECT_EQ(game.score, static_cast<int>(highest - lowest + 1) * (z ? 2 : 1)) << playerPos;
        for (const Baby& baby : game.babies)
            EXPECT_TRUE(baby.y < lowest || baby.y > highest || baby.x == 10.0f || baby.x == -4.0f)
                << "at " << playerPos << " height " << baby.y;
    }
}

// Held keys act from the newest press back to the oldest, each checking its limit on its own.
TEST_F(Game, UpAndDownMoveTheCatcherOneStepPerTickWithinItsLimits) {
    // playerPos, keys in the order pressed, playerPos after one tick and after six.
    // clang-format off
    const std::tuple<int32_t, std::vector<int>, int32_t, int32_t> cases[] = {
        {20, {KEY_UP}, 21, 26},           {40, {KEY_UP}, 41, 42},           {2, {KEY_DOWN}, 1, 0},
        {42, {KEY_UP, KEY_DOWN}, 42, 42}, {42, {KEY_DOWN, KEY_UP}, 41, 41},
        {0, {KEY_UP, KEY_DOWN}, 1, 1},    {0, {KEY_DOWN, KEY_UP}, 0, 0},
        {20, {KEY_UP, KEY_DOWN}, 20, 20}, {20, {KEY_DOWN, KEY_UP}, 20, 20},
        {20, {KEY_LEFT, KEY_RIGHT, KEY_X}, 20, 20},
    };
    // clang-format on
    for (const auto& [start, pressed, afterOne, afterSix] : cases) {
        startWith({}, start);
        game.heldKeys = pressed;
        game.update();
        EXPECT_EQ(game.playerPos, afterOne) << "from " << start << ", first key " << pressed[0];
        run(5);
        EXPECT_EQ(game.playerPos, afterSix) << "from " << start << ", first key " << pressed[0];
        EXPECT_FALSE(game.emotions);
    }
}

} // namespace
