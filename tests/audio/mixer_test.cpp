// The mixer without a sound card: envelopes, the start grid, square tones, sample playback, pan,
// saturation, the voice pools and the echo taps, all rendered into plain arrays.
#include "audio/mixer.h"

#include "audio/audio.h"
#include "audio/sample_bank.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int SQUARE = SOUND_SQUARE;

// A product of a sound value and a gain as the mixer takes it: 32-bit float, truncated.
int product(int value, float gain) {
    return static_cast<int>(static_cast<float>(value) * gain);
}

class MixerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetMixer();
        samplesReady = true;
    }
    void TearDown() override {
        for (SampleEntry& entry : sampleBank) entry = SampleEntry{};
        samplesReady = false;
        resetMixer();
    }

    // Fills bank entry `index` with `frames`; the test keeps the storage alive.
    void fillSample(int index, std::vector<StereoFrame>& frames) {
        sampleBank[index].frames = frames.data();
        sampleBank[index].length = static_cast<uint32_t>(frames.size());
    }

    // A voice with exact values: no random pan or volume factor, not snapped.
    static Voice& setVoice(int slot, int sound, float volume, uint32_t attack, uint32_t hold,
                           uint32_t release, uint32_t delay = 0, float frequency = 0.0f) {
        Voice& voice = voices[slot];
        voice = Voice{};
        voice.sound = sound;
        voice.volume = volume;
        voice.attack = attack;
        voice.hold = hold;
        voice.release = release;
        voice.delay = delay;
        voice.frequency = frequency;
        return voice;
    }

    SlotList finished{};
};

TEST_F(MixerTest, EnvelopeRunsThroughDelayAttackHoldRelease) {
    Voice& voice = setVoice(0, SQUARE, 1.0f, 4, 3, 4, 10);
    const float expected[] = {
        0, 0,     0,    0,     0, 0, 0, 0, 0, 0, // delay
        0, 0.25f, 0.5f, 0.75f,                   // attack
        1, 1,     1,                             // hold
        1, 0.75f, 0.5f, 0.25f,                   // release
        0, 0,                                    // over
    };
    for (uint32_t position = 0; position < std::size(expected); ++position) {
        voice.position = position;
        EXPECT_FLOAT_EQ(envelopeLevel(voice), expected[position]) << "position " << position;
    }
}

TEST_F(MixerTest, QuantiseMovesStartsToTheNextGridPoint) {
    Voice& voice = setVoice(0, SQUARE, 1.0f, 0, 100, 0, 0);
    quantiseVoice(voice, 100);
    EXPECT_EQ(voice.delay, START_GRID - 100);
    // Lands on grid point 1, not a fourth one: three-quarters as loud.
    EXPECT_FLOAT_EQ(voice.volume, 0.75f);

    setVoice(0, SQUARE, 1.0f, 0, 100, 0, 5);
    quantiseVoice(voice, 3 * START_GRID + 1);
    EXPECT_EQ(voice.delay, START_GRID - 1);
    // Lands on grid point 4: full volume.
    EXPECT_FLOAT_EQ(voice.volume, 1.0f);

    // A delay that already lands on the grid is kept, volume and all, even off the fourth point.
    setVoice(0, SQUARE, 1.0f, 0, 100, 0, START_GRID - 100);
    quantiseVoice(voice, 100);
    EXPECT_EQ(voice.delay, START_GRID - 100);
    EXPECT_FLOAT_EQ(voice.volume, 1.0f);

    setVoice(0, SQUARE, 1.0f, 0, 100, 0, 0);
    quantiseVoice(voice, 0);
    EXPECT_EQ(voice.delay, 0u);
    EXPECT_FLOAT_EQ(voice.volume, 1.0f);
}

TEST_F(MixerTest, InitVoiceDrawsPanThenVolumeAndTakesSampleLengths) {
    std::vector<StereoFrame> jump(37, StereoFrame{1, 1});
    fillSample(SOUND_JUMP - SOUND_FIRST_SAMPLE, jump);

    seedRandom(99);
    int panDraw = nextRandom();
    int volumeDraw = nextRandom();
    seedRandom(99);
    Voice& voice = voices[3];
    initVoice(voice, SOUND_JUMP, 0.0f, 0.4f, 0.6f, 0.25f, 500, 5000, 50000, 7);
    EXPECT_EQ(voice.position, 0u);
    EXPECT_EQ(voice.delay, 7u);
    EXPECT_EQ(voice.attack, 0u);
    EXPECT_EQ(voice.hold, 37u);
    EXPECT_EQ(voice.release, 0u);
    EXPECT_EQ(voice.quantise, 1);
    EXPECT_FLOAT_EQ(voice.pan, static_cast<float>(panDraw % 16) / 128.0f - 0.25f);
    EXPECT_FLOAT_EQ(voice.volume, 0.4f * (1.5f + static_cast<float>(volumeDraw % 1024) * 1e-4f));
}

TEST_F(MixerTest, SquareToneOf441HertzHasAPeriodOf100Frames) {
    for (float frequency : {441.0f, 441.9f}) {
        Voice& voice = setVoice(0, SQUARE, 1.0f, 0, 1000, 0, 0, frequency);
        for (uint32_t position = 0; position < 300; ++position) {
            StereoFrame frame = renderVoice(voice);
            int16_t expected = position % 100 < 50 ? -16383 : 16383;
            ASSERT_EQ(frame.left, expected) << frequency << " Hz at " << position;
            ASSERT_EQ(frame.right, expected);
        }
    }
}

TEST_F(MixerTest, SquareTonePhaseCountsTheDelay) {
    Voice& voice = setVoice(0, SQUARE, 0.5f, 0, 1000, 0, 30, 441.0f);
    for (uint32_t position = 0; position < 30; ++position) {
        StereoFrame frame = renderVoice(voice);
        ASSERT_EQ(frame.left, 0);
    }
    EXPECT_EQ(renderVoice(voice).left, product(-16383, 0.5f)); // position 30: low half
    voice.position = 50;
    EXPECT_EQ(renderVoice(voice).left, product(16383, 0.5f));
}

TEST_F(MixerTest, PanHasADeadZoneAroundTheMiddle) {
    StereoFrame frame = {1000, -1000};
    for (int step = 0; step <= 6; ++step) {
        StereoFrame panned = applyPan(frame, static_cast<float>(step) / 128.0f);
        EXPECT_EQ(panned.left, 1000) << step;
        EXPECT_EQ(panned.right, -1000) << step;
    }
    float pan = 7.0f / 128.0f;
    StereoFrame panned = applyPan(frame, pan);
    EXPECT_EQ(panned.left, product(1000, 1.0f + 0.4f * pan));
    EXPECT_EQ(panned.right, product(-1000, 1.0f - 0.4f * pan));
    EXPECT_GT(panned.left, 1000);
    EXPECT_GT(panned.right, -1000);

    // Beyond -1..1 the pan is clamped: all the way right.
    panned = applyPan(frame, -3.0f);
    EXPECT_EQ(panned.left, 600);
    EXPECT_EQ(panned.right, -1400);
}

TEST_F(MixerTest, SampleVoicePlaysEveryFrameOnceThenEnds) {
    std::vector<StereoFrame> drum = {{100, -100}, {200, -200}, {300, -300}};
    fillSample(2, drum);
    Voice& voice = voices[4];
    initVoice(voice, SOUND_FIRST_SAMPLE + 2, 0.0f, 1.0f, 0.0f, 0.0f, 500, 5000, 50000, 2);
    voice.volume = 1.0f;
    voice.pan = 0.0f;
    sampleClock = 4 * START_GRID - 2; // the delay already lands on a grid point
    activateGameVoice(4);

    const StereoFrame expected[] = {{0, 0}, {0, 0}, {100, -100}, {200, -200}, {300, -300}};
    for (const StereoFrame& want : expected) {
        ASSERT_TRUE(voiceActive[4]);
        StereoFrame got = mixFrame(finished);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.right, want.right);
    }
    EXPECT_FALSE(voiceActive[4]);
    ASSERT_EQ(finished.count, 1);
    EXPECT_EQ(finished.slots[0], 4);
}

TEST_F(MixerTest, EmptySampleEndsSilentlyAfterItsDelay) {
    Voice& voice = voices[0];
    initVoice(voice, SOUND_BIRTH, 0.0f, 1.0f, 0.0f, 0.0f, 500, 5000, 50000, START_GRID);
    activateGameVoice(0);
    for (uint32_t frame = 0; frame < START_GRID; ++frame) {
        ASSERT_TRUE(voiceActive[0]);
        EXPECT_EQ(mixFrame(finished).left, 0);
    }
    EXPECT_FALSE(voiceActive[0]);
}

TEST_F(MixerTest, GameVoiceActivationSnapsToTheClockGrid) {
    setVoice(7, SQUARE, 1.0f, 0, 10, 0);
    voices[7].quantise = 1;
    sampleClock = 5 * START_GRID + 6;
    activateGameVoice(7);
    EXPECT_TRUE(voiceActive[7]);
    EXPECT_EQ(voices[7].delay, START_GRID - 6);
    EXPECT_FLOAT_EQ(voices[7].volume, 0.75f); // grid point 6
}

TEST_F(MixerTest, LoudSumsClipInsteadOfWrapping) {
    std::vector<StereoFrame> loud = {{30000, -30000}};
    fillSample(0, loud);
    for (int slot : {0, 1}) {
        setVoice(slot, SOUND_FIRST_SAMPLE, 1.0f, 0, 1, 0);
        voiceActive[slot] = 1;
    }
    StereoFrame mixed = mixFrame(finished);
    EXPECT_EQ(mixed.left, 32767);
    EXPECT_EQ(mixed.right, -32768);

    // A product beyond 16 bits clips as well: volume 2, then a pan that lifts the left.
    setVoice(0, SOUND_FIRST_SAMPLE, 2.0f, 0, 1, 0);
    StereoFrame doubled = renderVoice(voices[0]);
    EXPECT_EQ(doubled.left, 32767);
    EXPECT_EQ(doubled.right, -32768);
    StereoFrame panned = applyPan({30000, -30000}, 0.5f);
    EXPECT_EQ(panned.left, 32767);
    EXPECT_EQ(panned.right, product(-30000, 0.8f));

    // A loud square tone with a big echo send clips in the wet mix, the ring and the output.
    resetMixer();
    setVoice(0, SQUARE, 4.0f, 0, 1000, 0, 0, 441.0f).echoSend = 8.0f;
    voiceActive[0] = 1;
    echoRing[44100] = {-30000, -30000};
    for (int frame = 0; frame < 40; ++frame) {
        StereoFrame out = mixFrame(finished);
        ASSERT_EQ(out.left, -32768) << "frame " << frame;
    }
    EXPECT_EQ(echoRing[44100].left, -32768);
}

TEST_F(MixerTest, FinishedGameVoicesAreListedInSlotOrder) {
    std::vector<StereoFrame> click = {{1, 1}, {1, 1}};
    fillSample(0, click);
    for (int slot : {40, 3, 17, 70}) {
        setVoice(slot, SOUND_FIRST_SAMPLE, 1.0f, 0, 2, 0);
        voiceActive[slot] = 1;
    }
    setVoice(9, SOUND_FIRST_SAMPLE, 1.0f, 0, 2, 0, 1); // ends one frame later
    voiceActive[9] = 1;

    mixFrame(finished);
    EXPECT_EQ(finished.count, 0);
    mixFrame(finished);
    ASSERT_EQ(finished.count, 3); // music voice 70 ends unreported
    EXPECT_EQ(finished.slots[0], 3);
    EXPECT_EQ(finished.slots[1], 17);
    EXPECT_EQ(finished.slots[2], 40);
    EXPECT_FALSE(voiceActive[70]);
    mixFrame(finished);
    ASSERT_EQ(finished.count, 4);
    EXPECT_EQ(finished.slots[3], 9);
}

TEST_F(MixerTest, MusicVoicesSearchFromTheCursorAndDropThe65th) {
    for (int started = 0; started < MUSIC_VOICE_COUNT; ++started) {
        startMusicVoice(SQUARE, 220.0f, 0.1f, 0.0f, 0.0f, 100000, 0, 0);
        ASSERT_TRUE(voiceActive[FIRST_MUSIC_VOICE + started]);
        ASSERT_EQ(musicVoiceCursor, started);
    }
    for (int slot = 0; slot < GAME_VOICE_COUNT; ++slot) EXPECT_FALSE(voiceActive[slot]);

    // All taken: dropped without touching a voice or drawing a number.
    seedRandom(5);
    int nextDraw = nextRandom();
    seedRandom(5);
    startMusicVoice(SQUARE, 880.0f, 0.1f, 0.0f, 0.0f, 100000, 0, 0);
    EXPECT_EQ(musicVoiceCursor, MUSIC_VOICE_COUNT - 1);
    EXPECT_EQ(nextRandom(), nextDraw);
    for (const Voice& voice : voices) EXPECT_NE(voice.frequency, 880.0f);

    // A freed slot is found by wrapping around from the cursor.
    voiceActive[FIRST_MUSIC_VOICE + 5] = 0;
    startMusicVoice(SQUARE, 880.0f, 0.1f, 0.0f, 0.0f, 100000, 0, 0);
    EXPECT_EQ(musicVoiceCursor, 5);
    EXPECT_EQ(voices[FIRST_MUSIC_VOICE + 5].frequency, 880.0f);
    EXPECT_TRUE(voiceActive[FIRST_MUSIC_VOICE + 5]);
}

TEST_F(MixerTest, MusicVoiceStartsSnappedWithoutAttack) {
    sampleClock = 100;
    startMusicVoice(SQUARE, 220.0f, 0.1f, 2.0f, 0.0f, 11025, 11025, 0);
    const Voice& voice = voices[FIRST_MUSIC_VOICE];
    EXPECT_EQ(voice.attack, 0u);
    EXPECT_EQ(voice.hold, 11025u);
    EXPECT_EQ(voice.release, 11025u);
    EXPECT_EQ(voice.delay, START_GRID - 100);
}

TEST_F(MixerTest, NoMusicSampleBeforeTheSamplesAreReady) {
    std::vector<StereoFrame> drum = {{1, 1}};
    fillSample(0, drum);
    samplesReady = false;
    startMusicVoice(SOUND_FIRST_SAMPLE, 0.0f, 0.3f, 0.5f, 0.0f, 0, 0, 0);
    for (int slot = 0; slot < VOICE_COUNT; ++slot) EXPECT_FALSE(voiceActive[slot]);
    startMusicVoice(SQUARE, 220.0f, 0.1f, 2.0f, 0.0f, 11025, 0, 0);
    EXPECT_TRUE(voiceActive[FIRST_MUSIC_VOICE]);
}

// One frame of 10000 into the echo at clock 0, then silence.
class EchoTest : public MixerTest {
  protected:
    static constexpr int IMPULSE = 10000;
    void SetUp() override {
        MixerTest::SetUp();
        impulse = {{IMPULSE, IMPULSE}};
        fillSample(0, impulse);
        setVoice(0, SOUND_FIRST_SAMPLE, 1.0f, 0, 1, 0).echoSend = 1.0f;
        voiceActive[0] = 1;
    }
    // Mixes frames until the one at `frame` (0-based) and returns it.
    StereoFrame mixUntil(int frame) {
        StereoFrame out{};
        while (mixed <= frame) {
            out = mixFrame(finished);
            ++mixed;
        }
        return out;
    }
    std::vector<StereoFrame> impulse;
    int mixed = 0;
};

TEST_F(EchoTest, TapsReadAfterTheWritesBeforeThem) {
    int forward = product(IMPULSE, 0.24f);
    int doubled = product(forward, 0.3f) + product(IMPULSE, 0.34f);
    int backward = forward + product(forward, 0.25f) + product(IMPULSE, 0.29f);

    StereoFrame out = mixUntil(0);
    // The double-speed and backward taps already hear what the forward tap just wrote.
    EXPECT_EQ(out.left, IMPULSE + 2 * product(forward, 0.19f));
    EXPECT_EQ(echoRing[0].left, backward);
    EXPECT_EQ(echoRing[44100].left, doubled);
    EXPECT_EQ(echoRing[44101].right, doubled);
    EXPECT_EQ(echoTapA, 1);
    EXPECT_EQ(echoTapB, 2);
    EXPECT_EQ(echoTapC, ECHO_LENGTH - 1);

    EXPECT_EQ(mixUntil(1).left, 0);
    // Half a second on, the double-speed tap reaches what it wrote a second ahead.
    EXPECT_EQ(mixUntil(22049).left, 0);
    EXPECT_EQ(mixUntil(22050).left, product(doubled, 0.19f));
    EXPECT_EQ(echoRing[0].left, backward + product(doubled, 0.3f));
    EXPECT_EQ(echoRing[1].left, product(doubled, 0.3f));
    EXPECT_EQ(mixUntil(22051).left, 0);

    // Going backward, the third tap meets the second copy first.
    EXPECT_EQ(mixUntil(44098).left, 0);
    EXPECT_EQ(mixUntil(44099).left, product(doubled, 0.19f));
    EXPECT_EQ(echoRing[44101].left, doubled + product(doubled, 0.25f));

    // At one second the forward tap reads the copy and keeps a quarter of it; the double-speed
    // tap, wrapped to frame 0, writes a second ahead onto that quarter; the backward tap at the
    // same place hears both.
    int kept = product(doubled, 0.25f);
    int atStart = backward + product(doubled, 0.3f);
    int heardBackward = kept + product(atStart, 0.3f);
    StereoFrame second = mixUntil(44100);
    EXPECT_EQ(second.left,
              product(heardBackward, 0.19f) + product(doubled, 0.24f) + product(atStart, 0.19f));
}

TEST_F(EchoTest, HalvingTruncatesTowardZero) {
    echoRing[0] = {7, -7};
    echoRing[ECHO_LENGTH - 1] = {32767, -32768};
    halveEcho();
    EXPECT_EQ(echoRing[0].left, 3);
    EXPECT_EQ(echoRing[0].right, -3);
    EXPECT_EQ(echoRing[ECHO_LENGTH - 1].left, 16383);
    EXPECT_EQ(echoRing[ECHO_LENGTH - 1].right, -16384);
}

} // namespace
