// A long stretch of play through the real main loop, with music and game sounds mixed as the
// device would ask for them: a seeded stream of key presses and releases, one tick per pass so
// that every tick is drawn (the game's picture, the front page between games), and the audio
// callback fed whole device buffers as the clock moves on. Run in the checked build, it is
// also a leak and memory check of everything that a long session allocates and frees.
#include "sample_folder.h"
#include "support/device_null.h"
#include "support/platform_null.h"

#include "audio/device.h"
#include "audio/music.h"
#include "audio/sample_bank.h"
#include "frame/frame_state.h"
#include "frame/main_loop.h"
#include "frame/screens.h"
#include "frame/start_up.h"
#include "frame/title_picture.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

namespace {

// Ticks of play: 25 minutes of the game's own time, about a minute in the checked build.
constexpr uint32_t SOAK_TICKS = 25 * 60 * 1000 / TICK_MILLISECONDS;
constexpr uint32_t SEED = 20240611;

// A baby lives at most this many ticks: from its start to past the escape line at the
// slowest speed.
const uint32_t LONGEST_BABY_LIFE =
    static_cast<uint32_t>(std::ceil((BABY_START_X - ESCAPE_LINE) / babySpeedAt(0))) + 1;
// Babies are born at least this many ticks apart (the fastest band's interval).
const uint32_t SHORTEST_SPAWN_INTERVAL = static_cast<uint32_t>(spawnIntervalAt(1u << 30));

// The player: a seeded stream of presses and releases. Most of the time it steers the catcher
// towards the oldest baby, so that games last long enough to reach the fast bands; now and
// then it presses or lets go of any game key, or leaves the game with Escape.
class Player {
  public:
    explicit Player(uint32_t seed) : chance(seed) {}

    void act() {
        if (!frame.gameActive) {
            onFrontPage();
        } else if (--pause <= 0) {
            pause = between(1, 8);
            if (between(0, 20000) == 0) {
                tap(KEY_CODE_ESCAPE);
            } else if (between(0, 9) < 8) {
                steer();
            } else {
                toggle(between(0, GAME_KEY_COUNT - 1));
            }
        }
    }

    // Lets go of everything, as a player walking away would.
    void releaseAll() {
        for (int key : held) releaseKey(key);
        held.clear();
    }

  private:
    std::mt19937 chance;
    std::vector<int> held;
    int pause = 0;

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(chance); }

    bool isHeld(int key) const { return std::find(held.begin(), held.end(), key) != held.end(); }

    void press(int key) {
        if (isHeld(key)) return;
        pressKey(key);
        held.push_back(key);
    }

    void release(int key) {
        if (!isHeld(key)) return;
        releaseKey(key);
        held.erase(std::find(held.begin(), held.end(), key));
    }

    void toggle(int key) { isHeld(key) ? release(key) : press(key); }

    void tap(int key) {
        pressKey(key);
        releaseKey(key);
    }

    // A short look at the scores, then any key that starts a game (never Down or Escape,
    // which would quit, nor Print Screen).
    void onFrontPage() {
        if (pause > 0) {
            --pause;
            return;
        }
        // Space, Return and "a" are all other keys to the frame.
        static const int STARTERS[] = {KEY_CODE_OTHER, KEY_CODE_OTHER, KEY_CODE_OTHER, KEY_UP,
                                       KEY_Z};
        tap(STARTERS[between(0, 4)]);
        pause = between(20, 200);
    }

    void steer() {
        const auto& game = static_cast<const GameTitle&>(topScreen());
        if (game.babies.empty()) return;
        const float target = game.babies.front().y;
        const float centre = catchCentre(game.playerPos);
        const int up = KEY_UP, down = KEY_DOWN;
        if (centre < target - 1.0f) {
            release(down);
            press(up);
        } else if (centre > target + 1.0f) {
            release(up);
            press(down);
        } else {
            release(up);
            release(down);
        }
        if (between(0, 3) == 0) toggle(KEY_Z);
    }
};

// Plays the device: whole buffers of 2048 frames as the clock moves on, each one checked.
class Listener {
  public:
    void catchUp(uint32_t milliseconds) {
        elapsed += milliseconds;
        while (elapsed * SAMPLE_RATE / 1000 - frames >= DEVICE_BUFFER_FRAMES) {
            audioCallback(nullptr, stream, sizeof stream);
            listen();
            frames += DEVICE_BUFFER_FRAMES;
        }
    }

    uint64_t frames = 0;
    int peak = 0;
    // The largest change of one channel from one frame to the next. A sum that wrapped around
    // at the 16-bit limits instead of saturating would jump by nearly the whole range, 65536
    // less the true step.
    int largestStep = 0;

  private:
    uint8_t stream[DEVICE_BUFFER_FRAMES * 4];
    uint64_t elapsed = 0;
    int previous[2] = {0, 0};

    void listen() {
        for (int i = 0; i < DEVICE_BUFFER_FRAMES * 2; ++i) {
            const int value = static_cast<int16_t>(stream[2 * i] | stream[2 * i + 1] << 8);
            peak = std::max(peak, std::abs(value));
            largestStep = std::max(largestStep, std::abs(value - previous[i % 2]));
            previous[i % 2] = value;
        }
    }
};

TEST(Soak, TwentyFiveMinutesOfPlayWithMusicAndSounds) {
    SampleFolder folder;
    folder.copyGameSamples();
    std::filesystem::copy_file(repositoryRoot() / "dat" / "tc0.txt", "dat/tc0.txt");

    resetFrame();
    ASSERT_TRUE(startUp());
    // Chance as at start-up, but from a fixed seed: the test plays the device thread on the
    // main thread, so both draw from one state, in a fixed order.
    seedRandom(SEED);
    startMusic();
    while (!samplesReady) std::this_thread::yield();
    int inked = 0;
    for (const auto& line : frame.titlePicture)
        for (int32_t cell : line) inked += cell != 0;
    ASSERT_GT(inked, 0) << "the title picture was not read";

    Player player(SEED);
    Listener listener;
    const size_t mostBabies = LONGEST_BABY_LIFE / SHORTEST_SPAWN_INTERVAL + 1;
    int games = 0, longestGame = 0, bestSeen = -1;
    int32_t previousScore = 0;
    const GameState* previousGame = nullptr;
    beginMainLoop();
    for (uint32_t tick = 1; tick <= SOAK_TICKS; ++tick) {
        player.act();
        // Exactly one tick per pass, whatever the loop slept: every tick is drawn.
        nullPlatform.now = frame.clock.lastTicks + TICK_MILLISECONDS;
        nullPlatform.sleeps.clear();
        ASSERT_TRUE(runLoopIteration()) << "the program quit at tick " << tick;
        listener.catchUp(TICK_MILLISECONDS);

        if (!frame.gameActive) {
            previousGame = nullptr;
            ASSERT_LE(frame.lastScore, frame.bestScore);
            ASSERT_GE(frame.bestScore, bestSeen) << "the best score fell";
            bestSeen = frame.bestScore;
            continue;
        }
        const auto& game = static_cast<const GameTitle&>(topScreen());
        if (&game != previousGame) {
            ++games;
            previousScore = 0;
            previousGame = &game;
        }
        ASSERT_GE(game.playerPos, 0);
        ASSERT_LE(game.playerPos, CATCHER_TOP);
        ASSERT_LE(game.babies.size(), mostBabies) << "at game tick " << game.tickCount;
        ASSERT_LE(game.heldKeys.size(), static_cast<size_t>(GAME_KEY_COUNT));
        ASSERT_GE(game.score, previousScore) << "the score fell at game tick " << game.tickCount;
        previousScore = game.score;
        longestGame = std::max(longestGame, static_cast<int>(game.tickCount));
    }
    player.releaseAll();
    if (frame.gameActive) endGame();
    shutDown();

    // The stretch really was play: many games, some of them long enough to reach the fastest
    // band, and sound all along.
    EXPECT_GT(games, 20);
    EXPECT_GE(longestGame, 2000);
    EXPECT_GT(bestSeen, 10);
    EXPECT_EQ(listener.frames, static_cast<uint64_t>(SOAK_TICKS) * TICK_MILLISECONDS * SAMPLE_RATE /
                                   1000 / DEVICE_BUFFER_FRAMES * DEVICE_BUFFER_FRAMES);
    EXPECT_GT(listener.peak, 1000);
    EXPECT_LT(listener.largestStep, 32768) << "the mix wrapped around";
    RecordProperty("games", games);
    RecordProperty("longestGame", longestGame);
    RecordProperty("bestScore", bestSeen);
    RecordProperty("peak", listener.peak);
    RecordProperty("largestStep", listener.largestStep);
    std::printf("soak: %u ticks, %d games, longest %d ticks, best score %d, audio peak %d, "
                "largest step %d\n",
                SOAK_TICKS, games, longestGame, bestSeen, listener.peak, listener.largestStep);
}

} // namespace
