// GameTitle's rules per tick: spawning, the speed bands, the catcher, catching, escaping and
// the ending; and the screen's texture.
#include "game/game_sounds.h"
#include "game/game_title.h"
#include "platform/chance.h"
#include "support/video_null.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>

namespace {

class GameRules : public ::testing::Test {
  protected:
    void SetUp() override {
        effectRequests = {};
        seedRandom(1234);
    }
    // A game with the given babies, about to run ticks that spawn none until tick 100.
    void startWith(std::vector<Baby> babies, int32_t playerPos = 0) {
        game.babies = std::move(babies);
        game.playerPos = playerPos;
        game.tickCount = 1;
    }
    void run(int ticks) {
        for (int i = 0; i < ticks; i++) game.update();
    }
    GameTitle game{0.0f, 0.0f, 128.0f, 96.0f};
};

} // namespace

TEST_F(GameRules, AnUpdateAtTickZeroSpawnsABabyAtHeightRandMod22Plus13) {
    for (unsigned seed = 1; seed <= 50; seed++) {
        seedRandom(seed);
        float height = static_cast<float>(nextRandom() % 22 + 13);
        seedRandom(seed);
        game.babies.clear();
        game.tickCount = 0;
        game.update();
        EXPECT_TRUE(game.babies.size() == 1 && game.babies[0].y == height) << "seed " << seed;
    }
    EXPECT_EQ(effectRequests.jump, 50);
}

// The spawn looks at the tick on entry, the move at the tick the base update has counted: at
// 499 band 1 spawns nothing, but babies move by band 2's speed.
TEST_F(GameRules, BandsSetTheSpawnIntervalAndTheSpeed) {
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
        EXPECT_EQ(game.babies.back().x, spawns ? 36.0f - speed : 20.0f - speed) << tick;
    }
}

TEST_F(GameRules, InBandOneABabyIsCaughtOnItsEighty7thMoveOrEscapesOnIts134th) {
    startWith({{36.0f, 13.0f}, {36.0f, 34.0f}});
    run(86);
    EXPECT_EQ(game.babies.size(), 2u);
    game.update();
    EXPECT_TRUE(game.score == 1 && effectRequests.birth == 1 && game.babies.size() == 1);
    run(133 - 87);
    EXPECT_FALSE(game.ending);
    game.update();
    EXPECT_TRUE(game.ending);
    // The escape comes after this tick's countdown step: the ending counts from the next tick.
    EXPECT_EQ(game.endCountdown, 128u);
    // Only the baby created at tick 100 is left.
    EXPECT_TRUE(game.babies.size() == 1 && game.babies[0].x > 0.0f);
}

// Babies at every whole height just inside x 10 are caught when less than 2.5 from the catch
// centre, twice over while z is held; babies landing exactly on x 10.0 or -4.0 stay.
TEST_F(GameRules, TheCatchWindowIsStrictAndZDoublesEveryCatch) {
    ASSERT_TRUE(10.3f - 0.3f == 10.0f && -3.7f - 0.3f == -4.0f);
    // playerPos (catch centre 12.5, 13, 33.5), z held, lowest and highest height caught.
    const std::tuple<int32_t, bool, int, int> cases[] = {
        {0, false, 11, 14}, {1, true, 11, 15}, {42, false, 32, 35}, {42, true, 32, 35}};
    for (const auto& [playerPos, z, lowest, highest] : cases) {
        std::vector<Baby> babies = {{10.3f, static_cast<float>(lowest + 1)}, {-3.7f, 20.0f}};
        for (int y = 8; y <= 37; y++) babies.push_back({10.2f, static_cast<float>(y)});
        startWith(babies, playerPos);
        game.score = 0;
        game.heldKeys = z ? std::vector<int>{KEY_Z} : std::vector<int>{};
        game.update();
        EXPECT_EQ(game.emotions, z);
        EXPECT_FALSE(game.ending);
        EXPECT_EQ(game.score, (highest - lowest + 1) * (z ? 2 : 1)) << "at " << playerPos;
        for (const Baby& baby : game.babies) {
            bool outside =
                baby.y < static_cast<float>(lowest) || baby.y > static_cast<float>(highest);
            EXPECT_TRUE(outside || baby.x == 10.0f || baby.x == -4.0f)
                << "at " << playerPos << " height " << baby.y;
        }
    }
}

// Held keys act from the newest press back to the oldest, each checking its limit on its own.
TEST_F(GameRules, UpAndDownMoveTheCatcherOneStepPerTickWithinItsLimits) {
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

// Several escapes in one tick ask for one paradox. In the ending babies keep coming and
// drifting, but keys are ignored, nobody is caught and later escapes are silent.
TEST_F(GameRules, TheEndingHearsOneParadoxAndIgnoresKeysAndCatches) {
    startWith({{-3.9f, 20.0f}, {-3.8f, 25.0f}, {15.0f, 13.0f}, {-3.95f, 34.0f}});
    game.update();
    EXPECT_TRUE(game.ending && game.babies.size() == 1 && effectRequests.paradox == 1);
    game.keyDown(KEY_UP);
    game.keyDown(KEY_Z);
    game.tickCount = 100;
    run(100);
    // The baby at 15 drifted through the catch window and out; the one from tick 100 is at 6.
    ASSERT_EQ(game.babies.size(), 1u);
    EXPECT_NEAR(game.babies[0].x, 36.0f - 100 * 0.3f, 0.01f);
    EXPECT_TRUE(game.score == 0 && game.playerPos == 0 && !game.emotions);
    EXPECT_EQ(effectRequests.jump, 1);
    EXPECT_EQ(effectRequests.birth + effectRequests.paradox, 1);
}

TEST(GameScreen, ANewGameIsEmptyShowsItsPictureAndReleasesItsTextureWhenDestroyed) {
    unsigned created = nullVideo.texturesCreated, released = nullVideo.texturesReleased;
    auto game = std::make_unique<GameTitle>(0.0f, 0.0f, 128.0f, 96.0f);
    EXPECT_TRUE(game->babies.empty() && game->playerPos == 0);
    EXPECT_EQ(nullVideo.texturesCreated, created + 1);
    game->draw();
    EXPECT_EQ(nullVideo.shownTexture, game->texture);
    EXPECT_EQ(std::memcmp(&nullVideo.shownImage, &game->image, sizeof game->image), 0);
    std::unique_ptr<GameState> screen = std::move(game);
    screen.reset();
    EXPECT_EQ(nullVideo.texturesReleased, released + 1);
}
