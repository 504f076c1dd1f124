// The mixer on plain arrays: the envelope, the start grid, square tones, sample playback, pan,
// saturation, the echo taps and the stream's bytes.
#include "audio_test.h"

#include <iterator>
#include <vector>

namespace {

// A sound value times a gain as every product in the mix is taken: 32-bit float, truncated.
int product(int value, float gain) {
    return static_cast<int>(static_cast<float>(value) * gain);
}

// An active voice with exact values: no attack, random pan or loudness; not snapped.
Voice& setVoice(int slot, int sound, float volume, uint32_t hold, uint32_t delay = 0,
                float frequency = 0, float echoSend = 0) {
    mixer.voices[slot] = Voice{0, delay, 0, hold, 0, frequency, volume, echoSend, 0, sound, 0};
    mixer.voiceActive[slot] = 1;
    return mixer.voices[slot];
}

using Mixer = CleanAudio;

TEST_F(Mixer, EnvelopeRunsThroughDelayAttackHoldRelease) {
    Voice voice{0, 10, 4, 3, 4, 0, 1, 0, 0, SOUND_SQUARE, 0};
    // clang-format off
    const float expected[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // delay 10
                              0, 0.25f, 0.5f, 0.75f,        // attack 4
                              1, 1, 1,                      // hold 3
                              1, 0.75f, 0.5f, 0.25f,        // release 4
                              0, 0};
    // clang-format on
    for (voice.position = 0; voice.position < std::size(expected); ++voice.position)
        EXPECT_FLOAT_EQ(envelopeLevel(voice), expected[voice.position]) << voice.position;
}

TEST_F(Mixer, QuantiseMovesStartsToTheNextGridPointAtThreeQuartersOffEveryFourth) {
    // clang-format off
    const uint32_t cases[][4] = { // delay, clock, snapped delay, whether at full volume
        {0, 100, START_GRID - 100, 0},                // moved onto grid point 1
        {5, 3 * START_GRID + 1, START_GRID - 1, 1},   // moved onto grid point 4
        {START_GRID - 100, 100, START_GRID - 100, 1}, // already on point 1: kept as it is
        {0, 0, 0, 1},
    };
    // clang-format on
    for (const auto& [delay, clock, snapped, full] : cases) {
        Voice voice{0, delay, 0, 100, 0, 0, 1, 0, 0, SOUND_SQUARE, 1};
        quantiseVoice(voice, clock);
        EXPECT_EQ(voice.delay, snapped) << delay << " at clock " << clock;
        EXPECT_FLOAT_EQ(voice.volume, full ? 1 : 0.75f) << delay << " at clock " << clock;
    }
}

TEST_F(Mixer, SquareToneOf441HertzHasAPeriodOf100FramesCountedFromActivation) {
    // 441.9 Hz plays as 441; the phase counts the 30 frames of delay too.
    for (float frequency : {441.0f, 441.9f}) {
        Voice& voice = setVoice(0, SOUND_SQUARE, 1, 2000, 30, frequency);
        for (uint32_t at = 0; at < 1030; ++at) {
            const int16_t level = at < 30 ? 0 : at % 100 < 50 ? -16383 : 16383;
            ASSERT_EQ(renderVoice(voice), (StereoFrame{level, level}))
                << frequency << " Hz, " << at;
        }
    }
}

TEST_F(Mixer, PanHasADeadZoneAroundTheMiddleAndStopsAtTheSides) {
    // Left gain 1 + 0.4 pan, right gain 1 - 0.4 pan, pan within -1..1; |pan| < 0.05 passes.
    const std::pair<float, StereoFrame> cases[] = {
        {0, {1000, -1000}},         {6 / 128.0f, {1000, -1000}}, {-6 / 128.0f, {1000, -1000}},
        {7 / 128.0f, {1021, -978}}, {-7 / 128.0f, {978, -1021}}, {-3, {600, -1400}}};
    for (const auto& [pan, expected] : cases)
        EXPECT_EQ(applyPan({1000, -1000}, pan), expected) << "pan " << pan;
}

TEST_F(Mixer, LoudSumsAndProductsClipInsteadOfWrapping) {
    StereoFrame loud[] = {{30000, -30000}};
    const StereoFrame clipped = {32767, -32768};
    sampleBank[0] = {loud, 1};
    setVoice(0, SOUND_FIRST_SAMPLE, 1, 1);
    setVoice(1, SOUND_FIRST_SAMPLE, 1, 1);
    SlotList finished{};
    EXPECT_EQ(mixFrame(finished), clipped);
    EXPECT_EQ(renderVoice(setVoice(0, SOUND_FIRST_SAMPLE, 2, 1)), clipped);
    EXPECT_EQ(applyPan(loud[0], 0.5f), (StereoFrame{32767, -24000}));
    // A loud tone with a big echo send clips in the wet mix, in the ring and in the output.
    mixer = {};
    setVoice(0, SOUND_SQUARE, 4, 1000, 0, 441, 8);
    mixer.echoRing[SAMPLE_RATE] = {-30000, -30000};
    for (int frame = 0; frame < 40; ++frame) ASSERT_EQ(mixFrame(finished).left, -32768) << frame;
    EXPECT_EQ(mixer.echoRing[SAMPLE_RATE].left, -32768);
}

TEST_F(Mixer, SampleVoicePlaysEachFrameOnceFromItsSnappedStartThenReportsItsSlot) {
    StereoFrame drum[] = {{100, -100}, {200, -200}, {300, -300}};
    sampleBank[2] = {drum, 3};
    sampleBank[5] = {};
    // Given a game voice's envelope: a sample overrides it and plays flat, whole, once.
    initVoice(mixer.voices[4], SOUND_FIRST_SAMPLE + 2, 0, 1, 0, 0, 500, 5000, 50000, 0);
    mixer.voices[4].volume = 1;
    mixer.voices[4].pan = 0;
    mixer.sampleClock = 4 * START_GRID - 2; // snapped two frames on, onto a fourth grid point
    activateGameVoice(4);
    // Silent voices ending on the same frame: game voices are reported in slot order, music not.
    for (int slot : {40, 17, 70}) setVoice(slot, SOUND_FIRST_SAMPLE + 5, 1, 0, 5);
    SlotList finished{};
    for (StereoFrame want : {StereoFrame{0, 0}, StereoFrame{0, 0}, drum[0], drum[1], drum[2]}) {
        ASSERT_TRUE(mixer.voiceActive[4]);
        EXPECT_EQ(mixFrame(finished), want);
    }
    for (int slot : {4, 17, 40, 70}) EXPECT_FALSE(mixer.voiceActive[slot]) << slot;
    ASSERT_EQ(finished.count, 3);
    EXPECT_EQ(std::vector<int>(finished.slots, finished.slots + 3), (std::vector<int>{4, 17, 40}));
}

TEST_F(Mixer, EchoTapsReadAfterTheWritesBeforeThem) {
    // One frame of 10000 at echo send 0.5 into the echo at clock 0, then silence.
    constexpr int IMPULSE = 10000;
    StereoFrame impulse[] = {{IMPULSE, IMPULSE}};
    sampleBank[0] = {impulse, 1};
    setVoice(0, SOUND_FIRST_SAMPLE, 1, 1, 0, 0, 0.5f);
    const int wet = product(IMPULSE, 0.5f);
    SlotList finished{};
    int mixed = 0;
    auto leftAt = [&](int frame) { // mixes up to `frame` (0-based), returns its left value
        StereoFrame out{};
        for (; mixed <= frame; ++mixed) out = mixFrame(finished);
        return static_cast<int>(out.left);
    };
    const int forward = product(wet, 0.24f);
    const int doubled = product(forward, 0.3f) + product(wet, 0.34f);
    const int backward = forward + product(forward, 0.25f) + product(wet, 0.29f);
    // The double-speed and backward taps already hear what the forward tap just wrote.
    EXPECT_EQ(leftAt(0), IMPULSE + 2 * product(forward, 0.19f));
    // Half a second on, the double-speed tap reaches what it wrote a second ahead.
    EXPECT_EQ(leftAt(22050), product(doubled, 0.19f));
    // Going backward, the third tap meets the second copy first, a frame before one second.
    EXPECT_EQ(leftAt(44099), product(doubled, 0.19f));
    // At one second the forward tap reads the copy and keeps a quarter of it; the double-speed
    // tap, wrapped to frame 0, writes a second ahead onto that quarter; the backward tap at the
    // same place hears both.
    const int kept = product(doubled, 0.25f), atStart = backward + product(doubled, 0.3f);
    EXPECT_EQ(leftAt(44100), product(kept + product(atStart, 0.3f), 0.19f) +
                                 product(doubled, 0.24f) + product(atStart, 0.19f));
}

TEST(StereoFrames, AreWrittenAsLittleEndianLeftThenRight) {
    const StereoFrame frames[] = {{0x1234, -2}, {-32768, 32767}};
    uint8_t bytes[9] = {};
    writeStereoFrames(frames, 2, bytes);
    EXPECT_EQ(std::vector<int>(bytes, bytes + 9),
              (std::vector<int>{0x34, 0x12, 0xfe, 0xff, 0x00, 0x80, 0xff, 0x7f, 0}));
}

} // namespace
