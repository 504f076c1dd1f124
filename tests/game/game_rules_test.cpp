// GameTitle's rules per tick: spawning, the speed bands, the catcher, catching, escaping and
// the ending; and the screen's texture.
#include "audio/sample_bank.h"
#include "game/game_sounds.h"
#include "game/game_title.h"
#include "platform/chance.h"
#include "support/video_null.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// A tick count that spawns nothing in the first band.
constexpr uint32_t QUIET_TICK = 1;

class GameRules : public ::testing::Test {
  protected:
    void SetUp() override {
        samplesReady = false;
        effectRequests = {};
        seedRandom(1234);
    }
    // A game with the given babies, about to run a tick that spawns none.
    void startWith(std::vector<Baby> babies, int32_t playerPos = 0) {
        game.babies = std::move(babies);
        game.playerPos = playerPos;
        game.tickCount = QUIET_TICK;
    }
    void run(int ticks) {
        for (int i = 0; i < ticks; i++) game.update();
    }
    GameTitle game{0.0f, 0.0f, 128.0f, 96.0f};
};

// The float from which one move of `speed` lands exactly on `target`.
float startLandingOn(float target, float speed) {
    float start = target + speed;
    for (int i = 0; i < 8 && start - speed != target; i++) {
        start = std::nextafter(start, start - speed > target ? -100.0f : 100.0f);
    }
    return start;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// A new game and spawning

TEST_F(GameRules, ANewGameStartsEmpty) {
    EXPECT_TRUE(game.babies.empty());
    EXPECT_EQ(game.playerPos, 0);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.tickCount, 0u);
    EXPECT_EQ(game.endCountdown, 128u);
    EXPECT_FALSE(game.ending || game.finished || game.emotions);
    EXPECT_EQ(game.rectW, 128.0f);
    EXPECT_EQ(game.rectH, 96.0f);
}

TEST_F(GameRules, TheFirstTickCreatesABabyAtTheRightEdgeAndMovesIt) {
    seedRandom(99);
    float height = static_cast<float>(nextRandom() % 22 + 13);
    seedRandom(99);
    game.update();
    ASSERT_EQ(game.babies.size(), 1u);
    EXPECT_EQ(game.babies[0].x, 36.0f - 0.3f);
    EXPECT_EQ(game.babies[0].y, height);
    EXPECT_EQ(effectRequests.jump, 1);
}

TEST_F(GameRules, BabiesEnterAtEveryHeightFrom13To34) {
    float lowest = 100.0f, highest = -100.0f;
    for (int i = 0; i < 500; i++) {
        game.babies.clear();
        game.tickCount = 0;
        game.update();
        lowest = std::min(lowest, game.babies[0].y);
        highest = std::max(highest, game.babies[0].y);
    }
    EXPECT_EQ(lowest, 13.0f);
    EXPECT_EQ(highest, 34.0f);
}

TEST(GameBands, IntervalAndSpeedChangeEvery500Ticks) {
    const uint32_t ticks[] = {0, 499, 500, 999, 1000, 1499, 1500, 1999, 2000, 4000000000u};
    const int intervals[] = {100, 100, 80, 80, 60, 60, 40, 40, 30, 30};
    const float speeds[] = {0.3f, 0.3f, 0.38f, 0.38f, 0.46f, 0.46f, 0.52f, 0.52f, 0.6f, 0.6f};
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(spawnIntervalAt(ticks[i]), intervals[i]) << ticks[i];
        EXPECT_EQ(babySpeedAt(ticks[i]), speeds[i]) << ticks[i];
    }
}

TEST_F(GameRules, SpawnsWhenTheTickIsAMultipleOfItsBandsInterval) {
    const uint32_t spawning[] = {100, 400, 560, 1020, 1520, 2010};
    const uint32_t quiet[] = {50, 499, 500, 1000, 1500, 2000, 2001};
    for (uint32_t tick : spawning) {
        game.babies.clear();
        game.tickCount = tick;
        game.update();
        EXPECT_EQ(game.babies.size(), 1u) << tick;
    }
    for (uint32_t tick : quiet) {
        game.babies.clear();
        game.tickCount = tick;
        game.update();
        EXPECT_TRUE(game.babies.empty()) << tick;
    }
}

// The spawn looks at the tick on entry; the move at the tick the base update has counted.
TEST_F(GameRules, TheTickAt499SpawnsByBandOneAndMovesByBandTwo) {
    startWith({{20.0f, 30.0f}});
    game.tickCount = 499;
    game.update();
    ASSERT_EQ(game.babies.size(), 1u);
    EXPECT_EQ(game.babies[0].x, 20.0f - 0.38f);
    EXPECT_EQ(game.tickCount, 500u);
}

// ---------------------------------------------------------------------------------------------
// Catching and escaping

TEST_F(GameRules, ABabyReachesTheCatchWindowOnItsEighty7thMove) {
    startWith({{BABY_START_X, 13.0f}});
    run(86);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.babies[0].y, 13.0f);
    game.update();
    EXPECT_EQ(game.score, 1);
    EXPECT_EQ(effectRequests.birth, 1);
    EXPECT_TRUE(game.babies.empty());
}

TEST_F(GameRules, AnUncaughtBabyEscapesOnIts134thMove) {
    startWith({{BABY_START_X, 34.0f}});
    run(133);
    EXPECT_FALSE(game.ending);
    EXPECT_EQ(game.babies[0].y, 34.0f);
    game.update();
    EXPECT_TRUE(game.ending);
    EXPECT_EQ(effectRequests.paradox, 1);
    // Only the baby created at tick 100 is left.
    ASSERT_EQ(game.babies.size(), 1u);
    EXPECT_GT(game.babies[0].x, 0.0f);
}

TEST_F(GameRules, TheCatchWindowReachesLessThan2AndAHalfFromTheCatchCentre) {
    struct Case {
        int32_t playerPos;
        float lowestCaught, highestCaught;
    };
    // Centres 12.5, 13 and 33.5.
    const Case cases[] = {{0, 11.0f, 14.0f}, {1, 11.0f, 15.0f}, {42, 32.0f, 35.0f}};
    for (const Case& c : cases) {
        std::vector<Baby> babies;
        for (int y = 8; y <= 37; y++) babies.push_back({10.2f, static_cast<float>(y)});
        startWith(babies, c.playerPos);
        game.score = 0;
        game.update();
        int caught = static_cast<int>(c.highestCaught - c.lowestCaught) + 1;
        EXPECT_EQ(game.score, caught) << c.playerPos;
        for (const Baby& baby : game.babies) {
            EXPECT_TRUE(baby.y < c.lowestCaught || baby.y > c.highestCaught) << baby.y;
        }
    }
    EXPECT_EQ(catchCentre(0), 12.5f);
    EXPECT_EQ(catchCentre(42), 33.5f);
}

TEST_F(GameRules, ABabyExactlyOnTheCatchLineIsNotCaughtYet) {
    float speed = babySpeedAt(QUIET_TICK + 1);
    float start = startLandingOn(CATCH_LINE, speed);
    ASSERT_EQ(start - speed, CATCH_LINE);
    startWith({{start, 13.0f}});
    game.update();
    EXPECT_EQ(game.score, 0);
    ASSERT_EQ(game.babies.size(), 1u);
    game.update();
    EXPECT_EQ(game.score, 1);
}

TEST_F(GameRules, ABabyExactlyOnTheEscapeLineHasNotEscaped) {
    float speed = babySpeedAt(QUIET_TICK + 1);
    float start = startLandingOn(ESCAPE_LINE, speed);
    ASSERT_EQ(start - speed, ESCAPE_LINE);
    startWith({{start, 34.0f}});
    game.update();
    EXPECT_FALSE(game.ending);
    ASSERT_EQ(game.babies.size(), 1u);
    game.update();
    EXPECT_TRUE(game.ending);
    EXPECT_TRUE(game.babies.empty());
}

TEST_F(GameRules, SeveralEscapesInOneTickAskForOneParadox) {
    startWith({{-3.9f, 20.0f}, {-3.8f, 25.0f}, {5.0f, 30.0f}, {-3.95f, 34.0f}});
    game.update();
    EXPECT_TRUE(game.ending);
    EXPECT_EQ(effectRequests.paradox, 1);
    ASSERT_EQ(game.babies.size(), 1u);
    EXPECT_EQ(game.babies[0].y, 30.0f);
    // Later escapes during the ending are silent too.
    game.babies = {{-3.9f, 20.0f}};
    game.update();
    EXPECT_TRUE(game.babies.empty());
    EXPECT_EQ(effectRequests.paradox, 1);
}

TEST_F(GameRules, TheEscapeEndsTheGame128TicksLater) {
    startWith({{-3.9f, 20.0f}});
    game.update();
    ASSERT_TRUE(game.ending);
    EXPECT_EQ(game.endCountdown, 128u);
    run(127);
    EXPECT_FALSE(game.finished);
    game.update();
    EXPECT_TRUE(game.finished);
}

TEST_F(GameRules, HoldingZDoublesEveryCatch) {
    startWith({{10.2f, 13.0f}});
    game.keyDown(KEY_Z);
    game.update();
    EXPECT_TRUE(game.emotions);
    EXPECT_EQ(game.score, 2);

    startWith({{10.2f, 13.0f}, {10.2f, 14.0f}});
    game.score = 0;
    game.update();
    EXPECT_EQ(game.score, 4);

    game.keyUp(KEY_Z);
    startWith({{10.2f, 13.0f}, {10.2f, 14.0f}});
    game.score = 0;
    game.update();
    EXPECT_FALSE(game.emotions);
    EXPECT_EQ(game.score, 2);
}

// ---------------------------------------------------------------------------------------------
// The catcher

TEST_F(GameRules, UpAndDownMoveOneStepPerTickWithinTheField) {
    startWith({});
    game.keyDown(KEY_UP);
    run(10);
    EXPECT_EQ(game.playerPos, 10);
    run(40);
    EXPECT_EQ(game.playerPos, CATCHER_TOP);
    game.keyUp(KEY_UP);
    game.keyDown(KEY_DOWN);
    run(5);
    EXPECT_EQ(game.playerPos, 37);
    run(50);
    EXPECT_EQ(game.playerPos, 0);
}

// Held keys act from the newest press back to the oldest, each checking the limit on its own.
TEST_F(GameRules, UpAndDownTogetherAtTheLimitsDependOnTheOrderOfPressing) {
    struct Case {
        int32_t start;
        int first, last;
        int32_t after;
    };
    const Case cases[] = {
        {42, KEY_UP, KEY_DOWN, 42}, {42, KEY_DOWN, KEY_UP, 41}, {0, KEY_UP, KEY_DOWN, 1},
        {0, KEY_DOWN, KEY_UP, 0},   {20, KEY_UP, KEY_DOWN, 20}, {20, KEY_DOWN, KEY_UP, 20},
    };
    for (const Case& c : cases) {
        startWith({}, c.start);
        game.heldKeys.clear();
        game.keyDown(c.first);
        game.keyDown(c.last);
        game.update();
        EXPECT_EQ(game.playerPos, c.after) << c.start << " " << c.first << " then " << c.last;
        run(5);
        EXPECT_EQ(game.playerPos, c.after) << c.start << " " << c.first << " then " << c.last;
    }
}

TEST_F(GameRules, OtherKeysDoNothing) {
    startWith({}, 20);
    game.keyDown(KEY_LEFT);
    game.keyDown(KEY_RIGHT);
    game.keyDown(KEY_X);
    game.update();
    EXPECT_EQ(game.playerPos, 20);
    EXPECT_FALSE(game.emotions);
}

// ---------------------------------------------------------------------------------------------
// The ending

TEST_F(GameRules, DuringTheEndingBabiesComeAndDriftButNoneIsCaughtAndKeysAreIgnored) {
    startWith({{10.2f, 13.0f}});
    game.endPlay();
    game.keyDown(KEY_UP);
    game.keyDown(KEY_Z);
    game.tickCount = 100;
    game.update();
    EXPECT_EQ(game.babies.size(), 2u);
    EXPECT_EQ(effectRequests.jump, 1);
    EXPECT_EQ(game.babies[0].x, 10.2f - 0.3f);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.playerPos, 0);
    EXPECT_FALSE(game.emotions);
    // The first baby slips out silently; the next one comes at tick 200.
    run(99);
    EXPECT_EQ(game.babies.size(), 1u);
    game.update();
    EXPECT_EQ(game.babies.size(), 2u);
    EXPECT_EQ(effectRequests.jump, 2);
    EXPECT_EQ(effectRequests.birth, 0);
    EXPECT_EQ(effectRequests.paradox, 0);
    EXPECT_FALSE(game.finished);
}

// ---------------------------------------------------------------------------------------------
// The screen's texture

TEST(GameScreen, CreatesATextureAndReleasesItWhenDestroyed) {
    unsigned created = nullVideo.texturesCreated;
    unsigned released = nullVideo.texturesReleased;
    auto game = std::make_unique<GameTitle>(0.0f, 0.0f, 128.0f, 96.0f);
    EXPECT_EQ(nullVideo.texturesCreated, created + 1);
    EXPECT_EQ(game->texture, nullVideo.texturesCreated);
    EXPECT_EQ(nullVideo.texturesReleased, released);
    std::unique_ptr<GameState> screen = std::move(game);
    screen.reset();
    EXPECT_EQ(nullVideo.texturesReleased, released + 1);
}

TEST(GameScreen, DrawShowsItsPictureWithItsTexture) {
    GameTitle game(0.0f, 0.0f, 128.0f, 96.0f);
    int shown = nullVideo.shownGameImages;
    game.draw();
    EXPECT_EQ(nullVideo.shownGameImages, shown + 1);
    EXPECT_EQ(nullVideo.shownTexture, game.texture);
    for (size_t i = 0; i < sizeof game.image.bytes; i++) {
        ASSERT_EQ(nullVideo.shownImage.bytes[i], game.image.bytes[i]) << i;
    }
}
