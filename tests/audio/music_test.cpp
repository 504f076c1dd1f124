// The music generators with a seeded generator: the note table, minDraw, what each step of the
// game and front-page generators starts, the notes' octaves, and the beat in produceFrames.
#include "audio_test.h"

#include "audio/callback.h"
#include "platform/chance.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

enum Generator { CALM, BUSY, FRONT_PAGE };    // FRONT_PAGE + section for each of the four sections
const int SCALE[7] = {1, 2, 4, 6, 8, 10, 11}; // the scale's notes in the note table

// Every voice is 1.5 .. 1.5 + 1023 / 10000 times as loud as asked.
bool madeAt(const Voice& voice, float volume) {
    return voice.volume >= volume * 1.4999f && voice.volume <= volume * 1.6024f;
}

struct Started {
    std::vector<Voice> drums, notes; // in slot order
};

// One step of a generator from a fresh mixer at clock 0.
Started runStep(int generator, int step, uint32_t seed) {
    mixer = {};
    seedRandom(seed);
    musicSection = generator - FRONT_PAGE; // read by the front page only
    generator < FRONT_PAGE ? gameMusicStep(step, generator == BUSY) : frontPageMusicStep(step);
    Started found;
    for (int i = FIRST_MUSIC_VOICE; i < VOICE_COUNT; ++i)
        if (const Voice& voice = mixer.voices[i]; mixer.voiceActive[i])
            (voice.sound == SOUND_SQUARE ? found.notes : found.drums).push_back(voice);
    return found;
}

// Every note is 2^e times a note of the current chord's degrees in the scale; returns e.
int octaveExponent(const Voice& note) {
    for (int degree : CHORD_TABLE[currentChord]) {
        int exponent = 0;
        const float scaleNote = NOTE_FREQUENCIES[SCALE[degree % 7]];
        if (std::frexp(note.frequency / scaleNote, &exponent) == 0.5f) return exponent - 1;
    }
    ADD_FAILURE() << note.frequency << " Hz is no note of chord " << currentChord;
    return 0;
}

// `check(step, started)` for every step of a bar over 200 seeds and chords; checks that every
// note is a chord note and returns the range of their octave exponents.
template <typename Check> std::pair<int, int> everyStep(int generator, Check check) {
    std::pair<int, int> range = {100, -100};
    for (int step = 0; step < STEPS_PER_BAR; ++step) {
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            SCOPED_TRACE(::testing::Message() << "step " << step << ", seed " << seed);
            currentChord = static_cast<int>(seed) % CHORD_COUNT;
            const Started s = runStep(generator, step, seed);
            for (const Voice& note : s.notes) {
                range.first = std::min(range.first, octaveExponent(note));
                range.second = std::max(range.second, octaveExponent(note));
            }
            check(step, s);
        }
    }
    return range;
}

using Music = CleanAudio;

TEST_F(Music, NoteTableIsTwoOctavesOfEqualSemitonesAroundConcertA) {
    EXPECT_EQ(NOTE_FREQUENCIES[0], 219.99986f);
    EXPECT_EQ(NOTE_FREQUENCIES[12], 440.0f);
    EXPECT_EQ(NOTE_FREQUENCIES[23], 830.60992f);
}

TEST_F(Music, MinDrawIsAPlainDrawForOnePassAndFavoursLowForMore) {
    // One pass: the first draw always loses to a second, fresh one.
    seedRandom(77);
    nextRandom();
    const int second = nextRandom(), third = nextRandom();
    seedRandom(77);
    EXPECT_EQ(minDraw(10, 1), second % 10);
    EXPECT_EQ(nextRandom(), third);
    double mean[4] = {};
    for (int i = 0; i < 3 * 8000; ++i) {
        const int passes = 1 + i % 3, value = minDraw(16, passes);
        ASSERT_TRUE(value >= 0 && value < 16) << value;
        mean[passes] += value / 8000.0;
    }
    EXPECT_NEAR(mean[1], 7.5, 0.3);
    EXPECT_TRUE(mean[2] < mean[1] - 1.0 && mean[3] < mean[2] - 0.5) << mean[2] << ", " << mean[3];
}

TEST_F(Music, GameMusicDrumsOnEveryBusyStepAndAtEveryCalmBarStart) {
    // Busy: one drum a step, on the beats "drum8".."drumF" at 0.4; one or two notes, one on
    // steps 0 and 8. Calm: at most a drum and a note, the drum sure on step 0, at 0.25.
    int pairs = 0, lowDrums[STEPS_PER_BAR] = {};
    const auto busyOctaves = everyStep(BUSY, [&](int step, const Started& s) {
        ASSERT_EQ(s.drums.size(), 1u);
        const bool high = s.drums[0].sound >= SOUND_FIRST_SAMPLE + 8 && madeAt(s.drums[0], 0.4f);
        lowDrums[step] += !high;
        ASSERT_TRUE(s.notes.size() == 1 || (s.notes.size() == 2 && step % 8 != 0));
        pairs += s.notes.size() == 2;
    });
    const auto calmOctaves = everyStep(CALM, [](int step, const Started& s) {
        ASSERT_TRUE(s.drums.size() == 1 || (s.drums.empty() && step != 0));
        ASSERT_LE(s.notes.size(), 1u);
        EXPECT_TRUE(step != 0 || madeAt(s.drums[0], 0.25f));
    });
    EXPECT_GT(pairs, 0);
    for (int step = 0; step < STEPS_PER_BAR; ++step)
        EXPECT_EQ(lowDrums[step] > 0, step % 4 != 0) << step;
    EXPECT_EQ(busyOctaves, std::make_pair(-1, 3));
    EXPECT_EQ(calmOctaves, std::make_pair(-1, 3));
}

TEST_F(Music, BusyStepDrawsInOrder) {
    // Step 8: the high drum's minDraw, its voice's pan and loudness; the note's chord index,
    // octave and leap, its voice's pan and loudness; nothing more.
    currentChord = 9;
    const int chordDegrees[4] = {2, 4, 6, 9};
    seedRandom(2024);
    const int drum = minDraw(8, 2), drumPan = nextRandom();
    nextRandom();
    const int chordIndex = nextRandom() % 4, octaveUp = nextRandom() % 2;
    const int leap = nextRandom() % 16 == 0 ? 2 : 0, notePan = nextRandom();
    nextRandom();
    const int after = nextRandom();
    const Started s = runStep(BUSY, 8, 2024);
    EXPECT_EQ(nextRandom(), after) << "a draw too many or too few";
    ASSERT_EQ(s.drums.size() + s.notes.size(), 2u);
    EXPECT_EQ(s.drums[0].sound, SOUND_FIRST_SAMPLE + 8 + drum);
    EXPECT_EQ(s.drums[0].pan, static_cast<float>(drumPan % 16) / 128);
    const int degree = chordDegrees[chordIndex];
    const float scaleNote = NOTE_FREQUENCIES[SCALE[degree % 7]];
    EXPECT_EQ(s.notes[0].frequency, std::ldexp(scaleNote, degree / 7 + octaveUp + leap - 1));
    EXPECT_EQ(s.notes[0].pan, static_cast<float>(notePan % 16) / 128);
}

TEST_F(Music, FrontPageSectionsKeepTheirOctavesAndMoveOnOnlyAfterStepZero) {
    int moves[3] = {};
    for (int section = 0; section < 4; ++section) {
        bool delayedDrum = false; // a second drum half a step late, in sections 2 and 3 only
        const auto octaves = everyStep(FRONT_PAGE + section, [&](int step, const Started& s) {
            ASSERT_TRUE(s.notes.size() <= 1 && s.drums.size() <= (section < 2 ? 1u : 2u));
            for (const Voice& drum : s.drums) delayedDrum |= drum.delay == 5512u;
            const int moved = (musicSection - section + 4) % 4;
            ASSERT_LT(moved, step == 0 ? 3 : 1);
            moves[moved] += step == 0;
        });
        EXPECT_EQ(delayedDrum, section >= 2) << "section " << section;
        EXPECT_EQ(octaves, std::make_pair(-3, section < 2 ? 0 : 2)) << "section " << section;
    }
    EXPECT_TRUE(moves[0] > moves[2] && moves[1] > 0 && moves[2] > 0);
}

TEST_F(Music, NoDrumBeforeTheSamplesAreReadyButTheNotesPlay) {
    samplesReady = false;
    for (int generator = CALM; generator < FRONT_PAGE + 4; ++generator) {
        size_t notes = 0;
        everyStep(generator, [&](int, const Started& s) {
            ASSERT_TRUE(s.drums.empty());
            notes += s.notes.size();
        });
        EXPECT_GT(notes, 0u) << "generator " << generator;
    }
}

TEST_F(Music, EveryQuarterSecondAStepStartsVoicesOnTheGridTheFirstAfterTheBarChord) {
    seedRandom(31);
    const int chordDraw = nextRandom();
    seedRandom(31);
    SlotList finished{};
    std::vector<StereoFrame> out(MUSIC_STEP_FRAMES);
    produceFrames(out.data(), 1, false, true, finished);
    EXPECT_EQ(currentChord, CHORD_PICK[chordDraw % CHORD_COUNT]);
    // Every busy step starts a drum first; this one has already played its first frame.
    const Voice& drum = mixer.voices[FIRST_MUSIC_VOICE];
    EXPECT_TRUE(mixer.voiceActive[FIRST_MUSIC_VOICE] && drum.sound >= SOUND_FIRST_SAMPLE &&
                drum.position == 1);
    // No step and no draw until the next quarter second, which is a frame past a grid point.
    seedRandom(8);
    const int firstDraw = nextRandom();
    seedRandom(8);
    produceFrames(out.data(), static_cast<int>(MUSIC_STEP_FRAMES) - 1, false, true, finished);
    EXPECT_EQ(nextRandom(), firstDraw);
    produceFrames(out.data(), 1, false, true, finished); // step 1 starts at least its drum
    int started = 0;
    for (int i = FIRST_MUSIC_VOICE; i < VOICE_COUNT; ++i) {
        const bool onGrid = (mixer.voices[i].delay + MUSIC_STEP_FRAMES) % START_GRID == 0;
        started += mixer.voiceActive[i];
        EXPECT_TRUE(!mixer.voiceActive[i] || (onGrid && mixer.voices[i].position == 1)) << i;
    }
    EXPECT_GT(started, 0);
}

} // namespace
