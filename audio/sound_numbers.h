// Sound numbers: what a voice plays. 9 is the music's square tone; 17 + k plays entry k of the
// sample bank, so they follow SAMPLE_NAMES: 17..32 the drums "drum0".."drumF", then the game's
// three effects.
#pragma once

constexpr int SOUND_SQUARE = 9;
constexpr int SOUND_FIRST_SAMPLE = 17;
constexpr int SOUND_JUMP = 33;
constexpr int SOUND_BIRTH = 34;
constexpr int SOUND_PARADOX = 35;

// Sounds from SOUND_FIRST_SAMPLE on play an entry of the sample bank; the rest are tones.
constexpr bool isSampleSound(int sound) {
    return sound >= SOUND_FIRST_SAMPLE;
}
