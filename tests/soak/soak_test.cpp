// A long stretch of play through the real main loop, with music and game sounds mixed as the
// device would ask for them: a seeded player who steers toward the oldest baby and now and then
// presses any key, one tick per pass so that every tick is drawn, and the audio callback fed
// whole device buffers as the clock moves on. Run in the checked build, it is also a leak and
// memory check of everything that a long session allocates and frees.
#include "sample_folder.h"
#include "support/platform_null.h"

#include "audio/device.h"
#include "audio/sample_bank.h"
#include "frame/frame_state.h"
#include "frame/main_loop.h"
#include "frame/screens.h"
#include "frame/start_up.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <thread>

namespace {

// Ticks of play: 25 minutes of the game's own time, about a minute in the checked build.
constexpr uint32_t SOAK_TICKS = 25 * 60 * 1000 / TICK_MILLISECONDS;

TEST(Soak, TwentyFiveMinutesOfPlayWithMusicAndSounds) {
    SampleFolder folder;
    folder.copyGameSamples();
    std::filesystem::copy_file(repositoryRoot() / "dat" / "tc0.txt", "dat/tc0.txt");
    resetFrame();
    ASSERT_TRUE(startUp());
    while (!samplesReady) std::this_thread::yield();
    std::mt19937 chance(2024);
    auto oneIn = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(chance) == 0; };
    uint8_t stream[DEVICE_BUFFER_FRAMES * 4];
    uint64_t frames = 0;
    int games = 0, longestGame = 0, largestStep = 0, previous[2] = {0, 0}, held = -1;
    uint32_t skill = 0; // the player steers for this many ticks of a game, then lets go
    bool zHeld = false;
    beginMainLoop();
    for (uint32_t tick = 1; tick <= SOAK_TICKS; ++tick) {
        if (!frame.gameActive) {
            held = -1, zHeld = false;
            if (oneIn(100))
                pressKey(KEY_CODE_OTHER), ++games,
                    skill = 500 + static_cast<uint32_t>(chance() % 2500);
        } else {
            // Up or Down toward the oldest baby, z now and then, another key or Escape rarely.
            const auto& game = static_cast<const GameTitle&>(topScreen());
            const float centre = catchCentre(game.playerPos);
            const bool steering = !game.babies.empty() && game.tickCount < skill;
            int want = -1;
            if (steering && centre < game.babies[0].y - 1) want = KEY_UP;
            if (steering && centre > game.babies[0].y + 1) want = KEY_DOWN;
            if (want != held && held >= 0) releaseKey(held);
            if (want != held && want >= 0) pressKey(want);
            held = want;
            if (oneIn(40)) (zHeld = !zHeld) ? pressKey(KEY_Z) : releaseKey(KEY_Z);
            const int other[] = {KEY_LEFT, KEY_RIGHT, KEY_X, KEY_CODE_OTHER};
            if (oneIn(200)) pressKey(other[tick % 4]), releaseKey(other[tick % 4]);
            if (oneIn(20000)) pressKey(KEY_CODE_ESCAPE);
            longestGame = std::max(longestGame, static_cast<int>(game.tickCount));
            ASSERT_TRUE(game.playerPos >= 0 && game.playerPos <= CATCHER_TOP);
        }
        // Exactly one tick per pass, whatever the loop slept: every tick is drawn.
        nullPlatform.now = frame.clock.lastTicks + TICK_MILLISECONDS;
        nullPlatform.sleeps.clear();
        ASSERT_TRUE(runLoopIteration()) << "the program quit at tick " << tick;
        ASSERT_LE(frame.lastScore, frame.bestScore);
        // The device asks for whole buffers as the clock moves on. A sum that wrapped around at
        // the 16-bit limits instead of saturating would jump by nearly the whole range.
        for (; uint64_t{tick} * TICK_MILLISECONDS * 441 / 10 - frames >= DEVICE_BUFFER_FRAMES;
             frames += DEVICE_BUFFER_FRAMES) {
            audioCallback(nullptr, stream, sizeof stream);
            for (int i = 0; i < DEVICE_BUFFER_FRAMES * 2; ++i) {
                const int value = static_cast<int16_t>(stream[2 * i] | stream[2 * i + 1] << 8);
                largestStep = std::max(largestStep, std::abs(value - previous[i % 2]));
                previous[i % 2] = value;
            }
        }
    }
    if (frame.gameActive) endGame();
    shutDown();
    // The stretch really was play: many games, some long enough to reach the fastest band.
    EXPECT_GT(games, 20);
    EXPECT_GE(longestGame, 2000);
    EXPECT_GT(frame.bestScore, 10);
    EXPECT_LT(largestStep, 32768) << "the mix wrapped around";
    std::printf("soak: %d games, longest %d ticks, best score %d, largest step %d\n", games,
                longestGame, frame.bestScore, largestStep);
}

} // namespace
