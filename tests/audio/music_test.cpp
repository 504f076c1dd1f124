// The music generators with a seeded generator: the note table, minDraw, what each step of the
// front-page and game generators starts, the notes' octaves, and the beat in produceFrames.
#include "audio/music.h"

#include "audio/audio.h"
#include "audio/mixer.h"
#include "audio/sample_bank.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int DRUM_COUNT = 16;
constexpr int SEEDS = 60;
// The random loudness factor of every voice lies in 1.5 .. 1.5 + 1023 / 10000.
constexpr float LEAST_BOOST = 1.5f;
constexpr float MOST_BOOST = 1.5f + 0.1023f;

bool madeAt(const Voice& voice, float volume) {
    return voice.volume >= volume * LEAST_BOOST * 0.9999f &&
           voice.volume <= volume * MOST_BOOST * 1.0001f;
}

bool isDrum(const Voice& voice) {
    return voice.sound >= SOUND_FIRST_SAMPLE;
}

// Scale degree 0..6 and power of two of a note, or degree -1 when it is no scale note.
struct NotePlace {
    int degree = -1;
    int exponent = 0;
};

NotePlace placeOf(float frequency) {
    for (int degree = 0; degree < SCALE_LENGTH; ++degree) {
        for (int exponent = -6; exponent <= 6; ++exponent) {
            float scaled = std::ldexp(NOTE_FREQUENCIES[SCALE_STEPS[degree]], exponent);
            if (scaled == frequency) return {degree, exponent};
        }
    }
    return {};
}

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        computeNoteFrequencies();
        for (int k = 0; k < DRUM_COUNT; ++k) {
            sampleBank[k].frames = drumFrames;
            sampleBank[k].length = DRUM_LENGTH;
        }
        samplesReady = true;
        resetMixer();
        currentChord = 0;
        musicSection = 0;
    }
    void TearDown() override {
        for (SampleEntry& entry : sampleBank) entry = SampleEntry{};
        samplesReady = false;
        resetMixer();
        currentChord = 0;
        musicSection = 0;
    }

    // The music voices that are sounding, in slot order.
    static std::vector<Voice> started() {
        std::vector<Voice> found;
        for (int i = FIRST_MUSIC_VOICE; i < VOICE_COUNT; ++i) {
            if (voiceActive[i]) found.push_back(voices[i]);
        }
        return found;
    }
    static std::vector<Voice> drums(const std::vector<Voice>& all) {
        std::vector<Voice> found;
        std::copy_if(all.begin(), all.end(), std::back_inserter(found), isDrum);
        return found;
    }
    static std::vector<Voice> notes(const std::vector<Voice>& all) {
        std::vector<Voice> found;
        for (const Voice& voice : all) {
            if (voice.sound == SOUND_SQUARE) found.push_back(voice);
        }
        return found;
    }

    // Runs one step from a fresh mixer at clock 0 and returns what it started.
    static std::vector<Voice> gameStep(int step, bool emotions, uint32_t seed) {
        resetMixer();
        seedRandom(seed);
        gameMusicStep(step, emotions);
        return started();
    }
    static std::vector<Voice> frontPageStep(int step, uint32_t seed) {
        resetMixer();
        seedRandom(seed);
        frontPageMusicStep(step);
        return started();
    }

    static constexpr uint32_t DRUM_LENGTH = 10;
    StereoFrame drumFrames[DRUM_LENGTH] = {
        {1000, 1000}, {1000, 1000}, {1000, 1000}, {1000, 1000}, {1000, 1000},
        {1000, 1000}, {1000, 1000}, {1000, 1000}, {1000, 1000}, {1000, 1000},
    };
};

TEST_F(MusicTest, NoteTableIsTwoOctavesOfEqualSemitonesAroundConcertA) {
    EXPECT_EQ(NOTE_FREQUENCIES[0], 219.99986f);
    EXPECT_EQ(NOTE_FREQUENCIES[12], 440.0f);
    EXPECT_EQ(NOTE_FREQUENCIES[23], 830.60992f);
    for (int k = 0; k < NOTE_COUNT; ++k) {
        double exact = 440.0 * std::pow(2.0, (k - 12) / 12.0);
        EXPECT_NEAR(NOTE_FREQUENCIES[k], exact, exact * 1e-5) << k;
    }
}

TEST_F(MusicTest, MinDrawOfOnePassIsAPlainUniformDraw) {
    seedRandom(77);
    nextRandom();
    int second = nextRandom();
    int third = nextRandom();
    seedRandom(77);
    EXPECT_EQ(minDraw(10, 1), second % 10);
    EXPECT_EQ(nextRandom(), third);

    seedRandom(3);
    int counts[DRUM_COUNT] = {};
    constexpr int DRAWS = 16000;
    for (int i = 0; i < DRAWS; ++i) ++counts[minDraw(DRUM_COUNT, 1)];
    for (int count : counts) EXPECT_NEAR(count, DRAWS / DRUM_COUNT, DRAWS / DRUM_COUNT / 5);
}

TEST_F(MusicTest, MinDrawFavoursLowValuesTheMorePassesItMakesWithinItsBound) {
    seedRandom(11);
    double means[4] = {};
    constexpr int DRAWS = 8000;
    for (int passes = 1; passes <= 3; ++passes) {
        for (int i = 0; i < DRAWS; ++i) means[passes] += minDraw(DRUM_COUNT, passes);
        means[passes] /= DRAWS;
    }
    EXPECT_NEAR(means[1], 7.5, 0.3);
    for (int n : {1, 3, 8}) {
        for (int i = 0; i < 1000; ++i) {
            int value = minDraw(n, 3);
            ASSERT_TRUE(value >= 0 && value < n) << n;
        }
    }
    EXPECT_LT(means[2], means[1] - 1.0);
    EXPECT_LT(means[3], means[2] - 0.5);
}

TEST_F(MusicTest, BusyModeStartsADrumOnEveryStep) {
    int lowDrums = 0, noteLengths[3] = {};
    for (int step = 0; step < STEPS_PER_BAR; ++step) {
        for (uint32_t seed = 1; seed <= SEEDS; ++seed) {
            std::vector<Voice> all = gameStep(step, true, seed);
            std::vector<Voice> drum = drums(all);
            ASSERT_EQ(drum.size(), 1u) << "step " << step;
            bool low = drum[0].sound < SOUND_FIRST_SAMPLE + 8;
            EXPECT_TRUE(madeAt(drum[0], low ? 0.3f : 0.4f));
            EXPECT_EQ(drum[0].echoSend, 0.5f);
            if (step % 4 == 0) {
                EXPECT_FALSE(low) << "step " << step;
            }
            lowDrums += low;

            std::vector<Voice> note = notes(all);
            ASSERT_GE(note.size(), 1u);
            ASSERT_LE(note.size(), 2u);
            ++noteLengths[note.size()];
            if (step % 8 == 0) {
                EXPECT_EQ(note.size(), 1u);
            }
            for (const Voice& voice : note) {
                EXPECT_EQ(voice.echoSend, 2.0f);
                EXPECT_EQ(voice.release, 0u);
                if (note.size() == 1) {
                    EXPECT_EQ(voice.hold, MUSIC_STEP_FRAMES);
                    EXPECT_TRUE(madeAt(voice, 0.1f));
                } else {
                    EXPECT_EQ(voice.hold, START_GRID);
                    EXPECT_TRUE(madeAt(voice, 0.08f));
                }
            }
            if (note.size() == 2) {
                EXPECT_EQ(note[0].delay, 0u);
                EXPECT_EQ(note[1].delay, 5512u);
            }
        }
    }
    EXPECT_GT(lowDrums, 0);
    EXPECT_GT(noteLengths[1], 0);
    EXPECT_GT(noteLengths[2], 0);
}

TEST_F(MusicTest, BusyStepDrawsInOrder) {
    currentChord = 9;
    seedRandom(2024);
    int drum = minDraw(8, 2);
    int drumPan = nextRandom(), drumVolume = nextRandom();
    int chordIndex = nextRandom() % 4, octaveUp = nextRandom() % 2;
    int leap = nextRandom() % 16 == 0 ? 2 : 0;
    int notePan = nextRandom(), noteVolume = nextRandom();
    int after = nextRandom();

    std::vector<Voice> all = gameStep(8, true, 2024);
    EXPECT_EQ(nextRandom(), after);
    ASSERT_EQ(all.size(), 2u);
    const Voice& drumVoice = all[0];
    EXPECT_EQ(drumVoice.sound, SOUND_FIRST_SAMPLE + 8 + drum);
    EXPECT_EQ(drumVoice.pan, static_cast<float>(drumPan % 16) / 128.0f);
    EXPECT_FLOAT_EQ(drumVoice.volume,
                    0.4f * (1.5f + static_cast<float>(drumVolume % 1024) * 1e-4f));

    const Voice& noteVoice = all[1];
    int degree = CHORD_TABLE[9][chordIndex];
    int exponent = degree / 7 + octaveUp + leap - 1;
    EXPECT_EQ(noteVoice.frequency, std::ldexp(NOTE_FREQUENCIES[SCALE_STEPS[degree % 7]], exponent));
    EXPECT_EQ(noteVoice.pan, static_cast<float>(notePan % 16) / 128.0f);
    EXPECT_FLOAT_EQ(noteVoice.volume,
                    0.1f * (1.5f + static_cast<float>(noteVolume % 1024) * 1e-4f));
}

TEST_F(MusicTest, CalmModeStartsADrumOnStepZeroAndThinsOutTheRest) {
    for (int step = 0; step < STEPS_PER_BAR; ++step) {
        for (uint32_t seed = 1; seed <= SEEDS; ++seed) {
            std::vector<Voice> all = gameStep(step, false, seed);
            std::vector<Voice> drum = drums(all);
            ASSERT_LE(drum.size(), 1u);
            if (step == 0) {
                ASSERT_EQ(drum.size(), 1u);
            }
            for (const Voice& voice : drum) {
                int k = voice.sound - SOUND_FIRST_SAMPLE;
                EXPECT_EQ(voice.echoSend, 0.5f);
                if (step == 0) {
                    EXPECT_TRUE(madeAt(voice, 0.25f));
                } else if (madeAt(voice, 0.15f)) {
                    EXPECT_EQ(step % 4, 0);
                    EXPECT_LT(k, 8);
                } else {
                    EXPECT_TRUE(madeAt(voice, 0.1f));
                    EXPECT_LT(k, 4);
                }
            }
            std::vector<Voice> note = notes(all);
            ASSERT_LE(note.size(), 1u);
            for (const Voice& voice : note) {
                EXPECT_EQ(voice.echoSend, 2.0f);
                if (voice.hold == 2u * SAMPLE_RATE) {
                    EXPECT_EQ(step % 8, 0);
                    EXPECT_EQ(voice.release, 0u);
                    EXPECT_TRUE(madeAt(voice, 0.06f) || madeAt(voice, 0.04f));
                } else {
                    EXPECT_EQ(voice.hold, MUSIC_STEP_FRAMES);
                    EXPECT_EQ(voice.release, MUSIC_STEP_FRAMES);
                    EXPECT_TRUE(madeAt(voice, 0.05f));
                }
            }
        }
    }
}

TEST_F(MusicTest, FrontPageSectionsPlayTheirOwnNotesAndDrums) {
    const float noteVolume[4] = {0.035f, 0.036f, 0.038f, 0.04f};
    const float drumVolume[4] = {0.06f, 0.06f, 0.06f, 0.05f};
    for (int section = 0; section < 4; ++section) {
        bool delayedDrum = false;
        for (int step = 0; step < STEPS_PER_BAR; ++step) {
            for (uint32_t seed = 1; seed <= SEEDS; ++seed) {
                musicSection = section;
                std::vector<Voice> all = frontPageStep(step, seed);
                std::vector<Voice> note = notes(all);
                ASSERT_LE(note.size(), 1u);
                for (const Voice& voice : note) {
                    EXPECT_EQ(voice.hold, MUSIC_STEP_FRAMES);
                    EXPECT_EQ(voice.echoSend, 1.6f);
                    EXPECT_TRUE(madeAt(voice, noteVolume[section])) << section;
                }
                std::vector<Voice> drum = drums(all);
                ASSERT_LE(drum.size(), section < 2 ? 1u : 2u);
                if (section == 3 && step % 3 == 0) {
                    EXPECT_GE(drum.size(), 1u);
                }
                for (const Voice& voice : drum) {
                    EXPECT_EQ(voice.echoSend, 0.7f);
                    EXPECT_TRUE(madeAt(voice, drumVolume[section])) << section;
                    EXPECT_TRUE(voice.delay == 0 || voice.delay == 5512u);
                    delayedDrum |= voice.delay != 0;
                }
                if (drum.size() == 2) {
                    EXPECT_EQ(drum[1].delay, 5512u);
                }
            }
        }
        EXPECT_EQ(delayedDrum, section >= 2) << section;
    }
}

TEST_F(MusicTest, FrontPageChangesSectionOnlyAfterStepZero) {
    int moves[3] = {};
    for (int section = 0; section < 4; ++section) {
        for (uint32_t seed = 1; seed <= SEEDS; ++seed) {
            for (int step = 1; step < STEPS_PER_BAR; ++step) {
                musicSection = section;
                frontPageStep(step, seed);
                ASSERT_EQ(musicSection, section);
            }
            musicSection = section;
            frontPageStep(0, seed);
            int moved = (musicSection - section + 4) % 4;
            ASSERT_LT(moved, 3);
            ++moves[moved];
        }
    }
    for (int count : moves) EXPECT_GT(count, 0);
    EXPECT_GT(moves[0], moves[2]);
}

// Collects the octave exponents of every note over all chords, steps and many seeds.
template <typename Step> void collectExponents(Step step, int& lowest, int& highest) {
    lowest = 100;
    highest = -100;
    for (int chord = 0; chord < CHORD_COUNT; ++chord) {
        for (int s = 0; s < STEPS_PER_BAR; ++s) {
            for (uint32_t seed = 1; seed <= 40; ++seed) {
                currentChord = chord;
                for (const Voice& voice :
                     step(s, seed * 7919u + static_cast<uint32_t>(chord) * 104729u)) {
                    if (voice.sound != SOUND_SQUARE) continue;
                    NotePlace place = placeOf(voice.frequency);
                    ASSERT_GE(place.degree, 0) << voice.frequency << " is off the scale";
                    bool inChord = false;
                    for (int degree : CHORD_TABLE[chord]) inChord |= degree % 7 == place.degree;
                    EXPECT_TRUE(inChord) << voice.frequency << " in chord " << chord;
                    lowest = std::min(lowest, place.exponent);
                    highest = std::max(highest, place.exponent);
                }
            }
        }
    }
}

TEST_F(MusicTest, NotesAreChordNotesWithinTheirOctaves) {
    int lowest = 0, highest = 0;
    for (bool emotions : {false, true}) {
        collectExponents([emotions](int s, uint32_t seed) { return gameStep(s, emotions, seed); },
                         lowest, highest);
        EXPECT_EQ(lowest, -1) << emotions;
        EXPECT_EQ(highest, 3) << emotions;
    }
    for (int section = 0; section < 4; ++section) {
        collectExponents(
            [section](int s, uint32_t seed) {
                musicSection = section;
                return frontPageStep(s, seed);
            },
            lowest, highest);
        EXPECT_EQ(lowest, -3) << section;
        EXPECT_EQ(highest, section < 2 ? 0 : 2) << section;
    }
}

TEST_F(MusicTest, NoDrumBeforeTheSamplesAreReady) {
    samplesReady = false;
    int noteCount = 0;
    for (int step = 0; step < STEPS_PER_BAR; ++step) {
        for (uint32_t seed = 1; seed <= 10; ++seed) {
            for (bool emotions : {false, true}) {
                std::vector<Voice> all = gameStep(step, emotions, seed);
                EXPECT_TRUE(drums(all).empty());
                noteCount += static_cast<int>(all.size());
            }
            musicSection = step % 4;
            std::vector<Voice> all = frontPageStep(step, seed);
            EXPECT_TRUE(drums(all).empty());
            noteCount += static_cast<int>(all.size());
        }
    }
    EXPECT_GT(noteCount, 0);
}

TEST_F(MusicTest, FirstFrameDrawsTheChordAndRunsStepZeroBeforeMixing) {
    seedRandom(31);
    int chordDraw = nextRandom();
    seedRandom(31);
    SlotList finished{};
    StereoFrame out[1];
    produceFrames(out, 1, false, false, finished);
    EXPECT_EQ(currentChord, CHORD_PICK[chordDraw % CHORD_COUNT]);
    EXPECT_EQ(sampleClock, 1u);
    // Calm step 0 always starts a drum; it has already played its first frame.
    std::vector<Voice> drum = drums(started());
    ASSERT_EQ(drum.size(), 1u);
    EXPECT_EQ(drum[0].position, 1u);

    // No step and no draw until the next quarter second.
    seedRandom(8);
    int firstDraw = nextRandom();
    seedRandom(8);
    std::vector<StereoFrame> quarter(MUSIC_STEP_FRAMES - 1);
    produceFrames(quarter.data(), static_cast<int>(quarter.size()), false, false, finished);
    EXPECT_EQ(nextRandom(), firstDraw);
    EXPECT_EQ(sampleClock, MUSIC_STEP_FRAMES);
}

} // namespace
