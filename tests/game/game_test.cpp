// GameState and GameTitle: held keys and the ending; the rules per tick (spawns, speed bands,
// the catcher, catches, escapes and the sounds they start); the game's picture.
#include "audio/audio_state.h"
#include "display/palette.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

struct Probe {
    int x, y;
    int8_t index; // palette index
};

TEST(GameState, HeldKeysFollowPressesAndReleases) {
    GameState game;
    for (int key : {KEY_UP, KEY_DOWN, KEY_Z, KEY_LEFT, KEY_Z}) game.keyDown(key);
    game.keyUp(KEY_UP);
    game.keyUp(KEY_Z); // pressed twice, released once
    game.keyUp(KEY_X); // never pressed
    EXPECT_EQ(game.heldKeys, (std::vector<int>{KEY_DOWN, KEY_LEFT}));
}

// The rules and the picture of one game, from a fixed seed and the described base colours.
class Game : public ::testing::Test {
  protected:
    // The samples not loaded yet: the game's sounds start nothing and draw no chance.
    void SetUp() override {
        audio = AudioState{};
        seedRandom(1234);
        std::memcpy(palette.paletteCurrent, paletteBase, sizeof palette.paletteCurrent);
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

    std::array<int, 3> rgbAt(int x, int y) const {
        const uint8_t* pixel = gameImagePixel(game.image, x, y);
        return {pixel[0], pixel[1], pixel[2]};
    }
    // Whether a pixel of the picture shows a palette index (0 is black).
    bool shows(Probe p) const {
        Colour c = colourOf(p.index);
        return rgbAt(p.x, p.y) ==
               std::array<int, 3>{colourByte(c.red), colourByte(c.green), colourByte(c.blue)};
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

// What each event starts is the voice the callback will play: its sample, level and echo. Only
// the escape that starts the ending is heard.
TEST_F(Game, ASpawnACatchAndAnEscapeStartTheJumpBirthAndParadoxSamples) {
    StereoFrame frames[3][4] = {};
    for (int k = 0; k < 3; k++)
        audio.sampleBank[16 + k] = {frames[k], static_cast<uint32_t>(2 + k)};
    audio.samplesReady = true;
    game.babies = {{10.2f, 13.0f}, {-3.8f, 20.0f}}; // caught, then escaping
    game.update();                                  // tick 0 also spawns a baby
    const SlotList& started = frameControl().voiceSlots;
    const std::pair<int, float> heard[] = {{33, 0.1f}, {34, 0.4f}, {35, 0.4f}}; // sound, volume
    ASSERT_EQ(started.count, 3);
    for (int i = 0; i < 3; i++) {
        const Voice& voice = audio.mixer.voices[started.slots[i]];
        const auto [sound, volume] = heard[i];
        EXPECT_EQ(voice.sound, sound);
        EXPECT_EQ(voice.hold, audio.sampleBank[sound - SOUND_FIRST_SAMPLE].length) << sound;
        EXPECT_TRUE(voice.volume >= volume * 1.5f && voice.volume <= volume * 1.6024f) << sound;
        EXPECT_EQ(voice.echoSend, 0.6f) << sound;
    }
    game.babies.push_back({-3.9f, 20.0f}); // escapes in the ending
    game.update();
    EXPECT_EQ(started.count, 3);
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

TEST_F(Game, DrawsTheScoreThenTheBabiesThenTheCatcher) {
    struct Case {
        int32_t score, playerPos;
        std::vector<Baby> babies;
        std::vector<Probe> probes;
    };
    // clang-format off
    const Case cases[] = {
        // The first picture: black but for the digit 0 (hollow) in colour 1 and the catcher; a
        // baby at 36 is not visible.
        {0, 0, {{36.0f, 20.0f}},
         {{25, 3, 1}, {27, 5, 1}, {26, 3, 0}, {0, 4, 1}, {4, 10, 5}, {4, 11, 0}}},
        // "12", and the catcher one pixel up for two steps; at 42 it reaches the top row.
        {12, 3, {}, {{28, 1, 1}, {4, 11, 5}, {4, 12, 0}}},
        {0, 42, {}, {{4, 31, 5}, {4, 20, 0}}},
        // Babies drawn at their place truncated toward zero: 35.7 at 35 shows its left column
        // on x 31, -2.9 at -2 its right column on x 0.
        {0, 0, {{35.7f, 20.0f}, {-2.9f, 28.0f}}, {{31, 14, 6}, {0, 20, 6}, {1, 20, 0}}},
        // A baby over the digit's corner (25, 5) where it has ink, not elsewhere; the catcher
        // over a baby's top cell at (5, 8).
        {0, 0, {{28.0f, 9.0f}, {8.0f, 12.0f}}, {{25, 5, 7}, {27, 5, 1}, {5, 8, 5}}},
    };
    // clang-format on
    for (const Case& t : cases) {
        game.score = t.score;
        game.playerPos = t.playerPos;
        game.babies = t.babies;
        game.draw();
        for (Probe p : t.probes)
            EXPECT_TRUE(shows(p)) << "case " << &t - cases << ": " << p.x << "," << p.y;
    }
}

// Per pixel (x outer, y inner) and channel: an odd draw takes the next draw's low byte, an even
// one (ticks / 4) x channel x x x y, which wraps at 256. Seed 1 draws 41, 18467, 6334, 26500,
// 19169, 15724, 11478, 29358, 26962, 24464, 5705, 28145 first: pixel (0, 0) is 18467 % 256 =
// 35, 0, 0 and (0, 2) is 0, 0, 28145 % 256 = 241. At tick 55 (stripe 13) the even 151st to
// 153rd draws make (1, 1) 0, 13, 26, the even 453rd to 455th (3, 5) 0, 195, 390 % 256 = 134.
// The score and the catcher go over it.
TEST_F(Game, TheEmotionsBackgroundFollowsItsDraws) {
    game.emotions = true;
    game.tickCount = 4 * 13 + 3;
    game.playerPos = 42;
    seedRandom(1);
    game.draw();
    const std::tuple<int, int, std::array<int, 3>> pixels[] = {
        {0, 0, {35, 0, 0}}, {0, 2, {0, 0, 241}}, {1, 1, {0, 13, 26}}, {3, 5, {0, 195, 134}}};
    for (const auto& [x, y, rgb] : pixels) EXPECT_EQ(rgbAt(x, y), rgb) << x << "," << y;
    EXPECT_TRUE(shows({25, 3, 1}) && shows({4, 31, 5}));
    EXPECT_EQ(nextRandom(), 30665) << "the 4607th draw: the picture took 4606";
}

// One draw per colour byte (x outer, y inner; red, green, blue): the byte turns black when the
// draw's low 7 bits, as a share of 128, fall below the part of the ending passed, 1 -
// endCountdown / 128. Seed 1's 10th to 12th draws 24464, 5705, 28145 (low bits 16, 73, 113)
// fall on (0, 3), a catcher cell in colour 1 (25, 76, 53): nothing turns black at countdown
// 128, red at 55 (73 is not below 128 - 55), all three at 1.
TEST_F(Game, TheDissolveDrawsOncePerColourByteAndBlacksOutThePassedShare) {
    seedRandom(1);
    game.draw();
    EXPECT_EQ(nextRandom(), 41) << "a picture in play draws no chance";
    game.ending = true;
    const std::pair<uint32_t, std::array<int, 3>> cases[] = {
        {128, {25, 76, 53}}, {55, {0, 76, 53}}, {1, {0, 0, 0}}};
    for (const auto& [countdown, rgb] : cases) {
        game.endCountdown = countdown;
        seedRandom(1);
        game.draw();
        EXPECT_EQ(rgbAt(0, 3), rgb) << "countdown " << countdown;
    }
    EXPECT_EQ(nextRandom(), 1048) << "the 3073rd draw: one for each of 32 x 32 x 3 bytes";
}

} // namespace
