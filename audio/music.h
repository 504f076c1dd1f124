// The music generators: a step every quarter second, a new chord every four-second bar, all
// notes from the current chord of a fixed seven-note scale. Audio device thread only.
#pragma once

constexpr int NOTE_COUNT = 24;
constexpr int SCALE_LENGTH = 7;
constexpr int CHORD_COUNT = 21;
constexpr int STEPS_PER_BAR = 16;
// Frames in one music step: a quarter of a second.
constexpr unsigned MUSIC_STEP_FRAMES = 11025;

// A constant table, though not a compile-time one: startMusic fills it, the same in every
// run, before the device opens; nothing changes it afterwards.
extern float NOTE_FREQUENCIES[NOTE_COUNT];
extern const int SCALE_STEPS[SCALE_LENGTH];
extern const int CHORD_TABLE[CHORD_COUNT][4];
extern const int CHORD_PICK[CHORD_COUNT];

// What the generators remember between steps; everything else that sounds is in the voices.
struct MusicState {
    // The chord of the current bar, 0..20.
    int currentChord = 0;
    // The front-page music's section, 0..3: it moves on at the first step of every bar.
    int musicSection = 0;
};

// The music's start, when the device opens: fills NOTE_FREQUENCIES and draws the opening chord
// from the calling thread's chance (after the audio state's reset, which clears the section).
void startMusic();

// A draw of 0..n-1 that favours low values the more passes it makes.
int minDraw(int n, int passes);

void frontPageMusicStep(int step);
void gameMusicStep(int step, bool emotions);
