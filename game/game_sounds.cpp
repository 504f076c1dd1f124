// The game's effect sounds.
#include "game/game_sounds.h"

#include "audio/audio.h"

constexpr float JUMP_VOLUME = 0.1f;
constexpr float EFFECT_VOLUME = 0.4f;
constexpr float EFFECT_ECHO = 0.6f;
constexpr float CENTRE_PAN = 0.0f;
// A sample plays at its own pitch.
constexpr float SAMPLE_PITCH = 0.0f;

// The audio drops every effect until the samples are loaded, and when no game voice is free.
void requestJumpSound() {
    playSound(SOUND_JUMP, JUMP_VOLUME, CENTRE_PAN);
}

void requestBirthSound() {
    startSound(SOUND_BIRTH, SAMPLE_PITCH, EFFECT_VOLUME, EFFECT_ECHO, CENTRE_PAN);
}

void requestParadoxSound() {
    startSound(SOUND_PARADOX, SAMPLE_PITCH, EFFECT_VOLUME, EFFECT_ECHO, CENTRE_PAN);
}
