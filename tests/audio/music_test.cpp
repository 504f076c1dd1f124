// The music generators with a seeded generator: the note table, minDraw, what each step of the
// game and front-page generators starts, the notes' octaves, and the beat in produceFrames.
#include "audio_test.h"

#include "audio/audio.h"
#include "platform/chance.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

enum Generator { CALM, BUSY, FRONT_PAGE }; // FRONT_PAGE + section for each of the four sections

// Every voice is 1.5 .. 1.5 + 1023 / 10000 times as loud as asked.
bool madeAt(const Voice& voice, float volume) {
    return voice.volume >= volume * 1.4999f && voice.volume <= volume * 1.6024f;
}

struct Started {
    std::vector<Voice> drums, notes; // in slot order
};

Started sounding() {
    Started found;
    for (int i = FIRST_MUSIC_VOICE; i < VOICE_COUNT; ++i) {
        if (!voiceActive[i]) continue;
        (voices[i].sound == SOUND_SQUARE ? found.notes : found.drums).push_back(voices[i]);
    }
    return found;
}

// One step of a generator from a fresh mixer at clock 0.
Started runStep(int generator, int step, uint32_t seed) {
    resetMixer();
    seedRandom(seed);
    if (generator < FRONT_PAGE) {
        gameMusicStep(step, generator == BUSY);
    } else {
        musicSection = generator - FRONT_PAGE;
        frontPageMusicStep(step);
    }
    return sounding();
}

// `check(step, started)` for every step of a bar, over 60 seeds.
template <typename Check> void everyStep(int generator, Check check) {
    for (int step = 0; step < STEPS_PER_BAR; ++step) {
        for (uint32_t seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE(::testing::Message() << "step " << step << ", seed " << seed);
            check(step, runStep(generator, step, seed));
        }
    }
}

using Music = CleanAudio;

TEST_F(Music, NoteTableIsTwoOctavesOfEqualSemitonesAroundConcertA) {
    EXPECT_EQ(NOTE_FREQUENCIES[0], 219.99986f);
    EXPECT_EQ(NOTE_FREQUENCIES[12], 440.0f);
    EXPECT_EQ(NOTE_FREQUENCIES[23], 830.60992f);
    for (int k = 0; k < NOTE_COUNT; ++k) {
        const double exact = 440.0 * std::pow(2.0, (k - 12) / 12.0);
        EXPECT_NEAR(NOTE_FREQUENCIES[k], exact, exact * 1e-5) << k;
    }
}

TEST_F(Music, MinDrawIsUniformForOnePassAndFavoursLowForMore) {
    // One pass: the first draw always loses to a second, fresh one.
    seedRandom(77);
    nextRandom();
    const int second = nextRandom(), third = nextRandom();
    seedRandom(77);
    EXPECT_EQ(minDraw(10, 1), second % 10);
    EXPECT_EQ(nextRandom(), third);
    constexpr int DRAWS = 16000;
    double mean[4] = {};
    int counts[16] = {};
    for (int passes = 1; passes <= 3; ++passes) {
        for (int i = 0; i < DRAWS; ++i) {
            const int value = minDraw(16, passes);
            ASSERT_TRUE(value >= 0 && value < 16) << value;
            mean[passes] += value / double{DRAWS};
            counts[value] += passes == 1;
        }
    }
    for (int count : counts) EXPECT_NEAR(count, DRAWS / 16, DRAWS / 16 / 5);
    EXPECT_NEAR(mean[1], 7.5, 0.3);
    EXPECT_LT(mean[2], mean[1] - 1.0);
    EXPECT_LT(mean[3], mean[2] - 0.5);
}

TEST_F(Music, BusyModeDrumsOnEveryStepHighOnTheBeatsAndPlaysOneOrTwoNotes) {
    int lowDrums = 0, pairs = 0;
    everyStep(BUSY, [&](int step, const Started& s) {
        ASSERT_EQ(s.drums.size(), 1u);
        const bool high = s.drums[0].sound >= SOUND_FIRST_SAMPLE + 8; // "drum8".."drumF"
        EXPECT_TRUE(high || step % 4 != 0);
        EXPECT_TRUE(madeAt(s.drums[0], high ? 0.4f : 0.3f));
        lowDrums += !high;
        const size_t count = s.notes.size();
        ASSERT_TRUE(count == 1 || (count == 2 && step % 8 != 0)) << count << " notes";
        pairs += count == 2;
        for (size_t i = 0; i < count; ++i) {
            const Voice& note = s.notes[i];
            EXPECT_EQ(note.hold, count == 2 ? START_GRID : MUSIC_STEP_FRAMES);
            EXPECT_EQ(note.delay, i == 1 ? 5512u : 0u);
            EXPECT_TRUE(madeAt(note, count == 2 ? 0.08f : 0.1f));
        }
    });
    EXPECT_TRUE(lowDrums > 0 && pairs > 0);
}

TEST_F(Music, BusyStepDrawsInOrder) {
    // Step 8: the high drum's minDraw, its voice's pan and loudness; the note's chord index,
    // octave and leap, its voice's pan and loudness; nothing more.
    currentChord = 9;
    const int chordDegrees[4] = {2, 4, 6, 9};
    seedRandom(2024);
    const int drum = minDraw(8, 2), drumPan = nextRandom(), drumLoudness = nextRandom();
    const int chordIndex = nextRandom() % 4, octaveUp = nextRandom() % 2;
    const int leap = nextRandom() % 16 == 0 ? 2 : 0;
    const int notePan = nextRandom(), noteLoudness = nextRandom(), after = nextRandom();
    const Started s = runStep(BUSY, 8, 2024);
    EXPECT_EQ(nextRandom(), after) << "a draw too many or too few";
    ASSERT_EQ(s.drums.size() + s.notes.size(), 2u);
    auto loudness = [](int draw) { return 1.5f + static_cast<float>(draw % 1024) * 1e-4f; };
    EXPECT_EQ(s.drums[0].sound, SOUND_FIRST_SAMPLE + 8 + drum);
    EXPECT_EQ(s.drums[0].pan, static_cast<float>(drumPan % 16) / 128);
    EXPECT_FLOAT_EQ(s.drums[0].volume, 0.4f * loudness(drumLoudness));
    EXPECT_EQ(s.drums[0].echoSend, 0.5f);
    const int degree = chordDegrees[chordIndex];
    const float scaleNote = NOTE_FREQUENCIES[SCALE_STEPS[degree % 7]];
    EXPECT_EQ(s.notes[0].frequency, std::ldexp(scaleNote, degree / 7 + octaveUp + leap - 1));
    EXPECT_EQ(s.notes[0].pan, static_cast<float>(notePan % 16) / 128);
    EXPECT_FLOAT_EQ(s.notes[0].volume, 0.1f * loudness(noteLoudness));
    EXPECT_EQ(s.notes[0].echoSend, 2.0f);
}

TEST_F(Music, CalmModeDrumsOnStepZeroAndThinsOutTheRest) {
    everyStep(CALM, [](int step, const Started& s) {
        ASSERT_TRUE(s.drums.size() == 1 || (s.drums.empty() && step != 0));
        ASSERT_LE(s.notes.size(), 1u);
        for (const Voice& drum : s.drums) {
            const int k = drum.sound - SOUND_FIRST_SAMPLE;
            EXPECT_TRUE(step == 0 ? madeAt(drum, 0.25f) && k < 16
                                  : (step % 4 == 0 && madeAt(drum, 0.15f) && k < 8) ||
                                        (madeAt(drum, 0.1f) && k < 4));
        }
        for (const Voice& note : s.notes) {
            const bool long2s = note.hold == 2 * SAMPLE_RATE && note.release == 0 && step % 8 == 0;
            EXPECT_TRUE(long2s ? madeAt(note, 0.06f) || madeAt(note, 0.04f)
                               : note.hold == MUSIC_STEP_FRAMES &&
                                     note.release == MUSIC_STEP_FRAMES && madeAt(note, 0.05f));
        }
    });
}

TEST_F(Music, FrontPageSectionsPlayTheirOwnNotesAndDrumsAndMoveOnAfterStepZero) {
    const float noteVolume[4] = {0.035f, 0.036f, 0.038f, 0.04f};
    const float drumVolume[4] = {0.06f, 0.06f, 0.06f, 0.05f};
    int moves[3] = {};
    for (int section = 0; section < 4; ++section) {
        bool delayedDrum = false;
        everyStep(FRONT_PAGE + section, [&](int step, const Started& s) {
            ASSERT_LE(s.notes.size(), 1u);
            ASSERT_LE(s.drums.size(), section < 2 ? 1u : 2u);
            EXPECT_TRUE(section != 3 || step % 3 != 0 || !s.drums.empty());
            for (const Voice& note : s.notes)
                EXPECT_TRUE(note.hold == MUSIC_STEP_FRAMES && madeAt(note, noteVolume[section]));
            for (size_t i = 0; i < s.drums.size(); ++i) {
                EXPECT_TRUE(madeAt(s.drums[i], drumVolume[section]));
                EXPECT_TRUE(s.drums[i].delay == 5512u || (s.drums[i].delay == 0 && i == 0));
                delayedDrum |= s.drums[i].delay != 0;
            }
            const int moved = (musicSection - section + 4) % 4;
            ASSERT_LT(moved, step == 0 ? 3 : 1);
            moves[moved] += step == 0;
        });
        EXPECT_EQ(delayedDrum, section >= 2) << "section " << section;
    }
    EXPECT_TRUE(moves[0] > moves[2] && moves[1] > 0 && moves[2] > 0);
}

TEST_F(Music, NotesAreChordNotesWithinTheirOctavesAndDrumsWaitForTheSamples) {
    // Octave exponents against the scale note: -1..3 in the game, -3..0 or -3..2 on the front page.
    const int lowest[6] = {-1, -1, -3, -3, -3, -3}, highest[6] = {3, 3, 0, 0, 2, 2};
    for (int generator = 0; generator < 6; ++generator) {
        int low = 100, high = -100, notesWithoutSamples = 0;
        for (currentChord = 0; currentChord < CHORD_COUNT; ++currentChord) {
            for (int step = 0; step < STEPS_PER_BAR; ++step) {
                for (uint32_t seed = 1; seed <= 40; ++seed) {
                    samplesReady = seed % 2 == 0;
                    const Started s =
                        runStep(generator, step,
                                seed * 7919u + static_cast<uint32_t>(currentChord) * 104729u);
                    ASSERT_TRUE(samplesReady || s.drums.empty()) << "generator " << generator;
                    notesWithoutSamples += samplesReady ? 0 : static_cast<int>(s.notes.size());
                    for (const Voice& note : s.notes) {
                        bool found = false;
                        for (int degree : CHORD_TABLE[currentChord]) {
                            const float scaleNote = NOTE_FREQUENCIES[SCALE_STEPS[degree % 7]];
                            for (int e = -6; e <= 6 && !found; ++e) {
                                found = std::ldexp(scaleNote, e) == note.frequency;
                                if (found) low = std::min(low, e), high = std::max(high, e);
                            }
                        }
                        ASSERT_TRUE(found) << note.frequency << " Hz in chord " << currentChord;
                    }
                }
            }
        }
        EXPECT_EQ(low, lowest[generator]) << "generator " << generator;
        EXPECT_EQ(high, highest[generator]) << "generator " << generator;
        EXPECT_GT(notesWithoutSamples, 0) << "generator " << generator;
    }
}

TEST_F(Music, FirstFrameDrawsTheChordAndRunsStepZeroBeforeMixing) {
    seedRandom(31);
    const int chordDraw = nextRandom();
    seedRandom(31);
    SlotList finished{};
    std::vector<StereoFrame> out(MUSIC_STEP_FRAMES);
    produceFrames(out.data(), 1, false, false, finished);
    EXPECT_EQ(currentChord, CHORD_PICK[chordDraw % CHORD_COUNT]);
    // Calm step 0 always starts a drum; it has already played its first frame.
    ASSERT_EQ(sounding().drums.size(), 1u);
    EXPECT_EQ(sounding().drums[0].position, 1u);
    // No step and no draw until the next quarter second.
    seedRandom(8);
    const int firstDraw = nextRandom();
    seedRandom(8);
    produceFrames(out.data(), static_cast<int>(MUSIC_STEP_FRAMES) - 1, false, false, finished);
    EXPECT_EQ(nextRandom(), firstDraw);
    EXPECT_EQ(sampleClock, MUSIC_STEP_FRAMES);
}

} // namespace
