// The music generators: the note table, the scale and its chords, and the front-page and game
// generators that start notes and drums once per quarter-second step.
//
// Runs on the audio device thread only; its chance is that thread's own, never-seeded generator,
// so the same music plays in every run. The number and order of draws in each step is part of
// the music: never add, drop or reorder a draw. Starts voices only through startMusicVoice.
#include "audio/music.h"

#include "audio/audio_state.h"
#include "audio/mixer.h"
#include "audio/sound_numbers.h"
#include "platform/chance.h"

#include <cmath>
#include <initializer_list>

// Filled by startMusic at start-up.
float NOTE_FREQUENCIES[NOTE_COUNT];

// Scale degrees 0..6 as indices into NOTE_FREQUENCIES.
const int SCALE_STEPS[SCALE_LENGTH] = {1, 2, 4, 6, 8, 10, 11};

// Four scale degrees per chord; 7..13 are 0..6 an octave up.
// clang-format off
const int CHORD_TABLE[CHORD_COUNT][4] = {
    // chords 0..6
    {0, 1, 4, 7}, {1, 2, 5, 8}, {2, 3, 6, 9}, {3, 4, 7, 10},
    {4, 5, 8, 11}, {5, 6, 9, 12}, {6, 7, 10, 13},
    // chords 7..13
    {0, 2, 4, 7}, {1, 3, 5, 8}, {2, 4, 6, 9}, {3, 5, 7, 10},
    {4, 6, 8, 11}, {5, 7, 9, 12}, {6, 8, 10, 13},
    // chords 14..20
    {0, 2, 4, 6}, {1, 3, 5, 7}, {2, 4, 6, 8}, {3, 5, 7, 9},
    {4, 6, 8, 10}, {5, 7, 9, 11}, {6, 8, 10, 12},
};
// clang-format on

// The chord of each bar, by a draw modulo CHORD_COUNT.
// clang-format off
const int CHORD_PICK[CHORD_COUNT] = {
    7, 1, 0, 2, 3, 8, 9, 10, 11, 14, 15, 16, 17, 18, 19, 20, 4, 5, 6, 12, 13,
};
// clang-format on

namespace {

constexpr float CONCERT_A = 440.0f;
constexpr int CONCERT_A_NOTE = 12;
constexpr float SEMITONES_PER_OCTAVE = 12.0f;
constexpr int SECTION_COUNT = 4;
constexpr int CHORD_SIZE = 4;

// Hold and delay lengths in frames.
constexpr uint32_t STEP_LENGTH = MUSIC_STEP_FRAMES;
constexpr uint32_t HALF_STEP_DELAY = 5512;
constexpr uint32_t SHORT_NOTE = START_GRID;
constexpr uint32_t LONG_NOTE = 2 * SAMPLE_RATE;

constexpr int FIRST_LOW_DRUM = SOUND_FIRST_SAMPLE;      // "drum0"
constexpr int FIRST_HIGH_DRUM = SOUND_FIRST_SAMPLE + 8; // "drum8"
constexpr int DRUM_KINDS = 16;

constexpr float GAME_DRUM_ECHO = 0.5f;
constexpr float GAME_NOTE_ECHO = 2.0f;
constexpr float FRONT_DRUM_ECHO = 0.7f;
constexpr float FRONT_NOTE_ECHO = 1.6f;

// Raises a 32-bit float to a whole power by repeated squaring, lowest exponent bit first.
float wholePower(float base, int exponent) {
    unsigned remaining = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    float result = 1.0f;
    while (remaining != 0) {
        if (remaining & 1u) result *= base;
        remaining >>= 1;
        if (remaining != 0) base *= base;
    }
    return exponent < 0 ? 1.0f / result : result;
}

// Note `chordIndex` of the current chord: its scale note an octave down, raised by the degree's
// own octave (degrees 7..13) and by `extraOctaves`.
float chordNote(int chordIndex, int extraOctaves) {
    int degree = CHORD_TABLE[audio.music.currentChord][chordIndex];
    int exponent = degree / SCALE_LENGTH + extraOctaves - 1;
    return wholePower(2.0f, exponent) * NOTE_FREQUENCIES[SCALE_STEPS[degree % SCALE_LENGTH]];
}

void note(float frequency, float volume, float echoSend, uint32_t hold, uint32_t release,
          uint32_t delay) {
    startMusicVoice(SOUND_SQUARE, frequency, volume, echoSend, 0.0f, hold, release, delay);
}

void drum(int sound, float volume, float echoSend, uint32_t delay = 0) {
    startMusicVoice(sound, 0.0f, volume, echoSend, 0.0f, 0, 0, delay);
}

bool oneIn(int n) {
    return nextRandom() % n == 0;
}

// Two octaves up once in sixteen draws.
int leapOctaves() {
    return oneIn(16) ? 2 : 0;
}

void busyDrum(int step) {
    if (step % 4 != 0 && !oneIn(4)) {
        drum(FIRST_LOW_DRUM + minDraw(8, 2), 0.3f, GAME_DRUM_ECHO);
    } else {
        drum(FIRST_HIGH_DRUM + minDraw(8, 2), 0.4f, GAME_DRUM_ECHO);
    }
}

void busyNotes(int step) {
    if (step % 8 != 0 && !oneIn(4)) {
        for (uint32_t delay : {0u, HALF_STEP_DELAY}) {
            int chordIndex = nextRandom() % CHORD_SIZE;
            int shift = nextRandom() % 4;
            note(chordNote(chordIndex, shift), 0.08f, GAME_NOTE_ECHO, SHORT_NOTE, 0, delay);
        }
        return;
    }
    int chordIndex = nextRandom() % CHORD_SIZE;
    int octaveUp = nextRandom() % 2;
    int leap = leapOctaves();
    note(chordNote(chordIndex, octaveUp + leap), 0.1f, GAME_NOTE_ECHO, STEP_LENGTH, 0, 0);
}

void calmDrum(int step) {
    if (step % STEPS_PER_BAR == 0) {
        drum(FIRST_LOW_DRUM + minDraw(16, 2), 0.25f, GAME_DRUM_ECHO);
    } else if (step % 4 == 0 && oneIn(2)) {
        drum(FIRST_LOW_DRUM + minDraw(8, 2), 0.15f, GAME_DRUM_ECHO);
    } else if (oneIn(8)) {
        drum(FIRST_LOW_DRUM + minDraw(4, 2), 0.1f, GAME_DRUM_ECHO);
    }
}

void calmNotes(int step) {
    if (step % 8 == 0 && oneIn(2)) {
        int chordIndex = nextRandom() % CHORD_SIZE;
        float volume = nextRandom() % 2 != 0 ? 0.06f : 0.04f;
        int octaveUp = nextRandom() % 2;
        int leap = leapOctaves();
        note(chordNote(chordIndex, octaveUp + leap), volume, GAME_NOTE_ECHO, LONG_NOTE, 0, 0);
    } else if (oneIn(6)) {
        int chordIndex = nextRandom() % CHORD_SIZE;
        int octaveUp = nextRandom() % 2;
        int leap = leapOctaves();
        note(chordNote(chordIndex, octaveUp + leap), 0.05f, GAME_NOTE_ECHO, STEP_LENGTH,
             STEP_LENGTH, 0);
    }
}

// A front-page note: drawn chord index, then two drops of an octave each by chance.
void frontPageNote(int chordIndex, int octavesUp, float volume) {
    int dropFirst = nextRandom() % 2;
    int dropSecond = nextRandom() % 2;
    note(chordNote(chordIndex, octavesUp - dropFirst - dropSecond), volume, FRONT_NOTE_ECHO,
         STEP_LENGTH, 0, 0);
}

void sectionSparse(int step) {
    if (oneIn(2 + step % 2)) frontPageNote(minDraw(4, 2), 0, 0.035f);
    if (oneIn(3 + step % 6)) drum(FIRST_LOW_DRUM + minDraw(DRUM_KINDS, 3), 0.06f, FRONT_DRUM_ECHO);
}

void sectionFlowing(int step) {
    int phase = step % 3;
    if (oneIn(phase + 1)) frontPageNote(nextRandom() % CHORD_SIZE, 0, 0.036f);
    if (oneIn(phase + 3)) {
        drum(FIRST_LOW_DRUM + nextRandom() % DRUM_KINDS, 0.06f, FRONT_DRUM_ECHO);
    }
}

void sectionRising(int step) {
    int phase = step % 3;
    if (oneIn(phase + 1)) {
        int chordIndex = nextRandom() % CHORD_SIZE;
        frontPageNote(chordIndex, step % 8 == 0 ? 2 : 0, 0.038f);
    }
    if (oneIn(2)) {
        drum(FIRST_LOW_DRUM + minDraw(DRUM_KINDS, 3), 0.06f, FRONT_DRUM_ECHO);
        if (oneIn(8)) {
            drum(FIRST_LOW_DRUM + minDraw(DRUM_KINDS, 2), 0.06f, FRONT_DRUM_ECHO, HALF_STEP_DELAY);
        }
    }
}

void sectionDriving(int step) {
    if (oneIn(1 + step % 2)) {
        int chordIndex = nextRandom() % CHORD_SIZE;
        frontPageNote(chordIndex, step % 4 == 0 ? 2 : 0, 0.04f);
    }
    int phase = step % 3;
    if (phase == 0 || oneIn(phase)) {
        drum(FIRST_LOW_DRUM + nextRandom() % DRUM_KINDS, 0.05f, FRONT_DRUM_ECHO);
    }
    if (oneIn(4)) {
        drum(FIRST_LOW_DRUM + minDraw(DRUM_KINDS, 2), 0.05f, FRONT_DRUM_ECHO, HALF_STEP_DELAY);
    }
}

void computeNoteFrequencies() {
    float twelfth = 1.0f / SEMITONES_PER_OCTAVE;
    float semitone = static_cast<float>(std::pow(2.0, static_cast<double>(twelfth)));
    for (int k = 0; k < NOTE_COUNT; ++k) {
        NOTE_FREQUENCIES[k] = CONCERT_A * wholePower(semitone, k - CONCERT_A_NOTE);
    }
}

} // namespace

void startMusic() {
    computeNoteFrequencies();
    // The opening chord is any of the 21, not one of CHORD_PICK's.
    audio.music.currentChord = nextRandom() % CHORD_COUNT;
}

int minDraw(int n, int passes) {
    int lowest = n;
    for (int pass = 0; pass < passes; ++pass) {
        int draw = nextRandom() % n;
        if (lowest < draw) continue;
        lowest = nextRandom() % n;
    }
    return lowest;
}

void gameMusicStep(int step, bool emotions) {
    if (emotions) {
        busyDrum(step);
        busyNotes(step);
    } else {
        calmDrum(step);
        calmNotes(step);
    }
}

void frontPageMusicStep(int step) {
    switch (audio.music.musicSection) {
    case 0:
        sectionSparse(step);
        break;
    case 1:
        sectionFlowing(step);
        break;
    case 2:
        sectionRising(step);
        break;
    default:
        sectionDriving(step);
        break;
    }
    if (step == 0) {
        int& section = audio.music.musicSection;
        section = (section + minDraw(3, 3)) % SECTION_COUNT;
    }
}
