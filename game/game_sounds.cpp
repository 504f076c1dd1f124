// The game's effect sounds and their request counts.
#include "game/game_sounds.h"

#include "audio/audio.h"

EffectRequests effectRequests;

constexpr float JUMP_VOLUME = 0.1f;
constexpr float EFFECT_VOLUME = 0.4f;
constexpr float EFFECT_ECHO = 0.6f;
constexpr float CENTRE_PAN = 0.0f;
// A sample plays at its own pitch.
constexpr float SAMPLE_PITCH = 0.0f;

static void startEffect(int sound) {
    if (samplesReady) startSound(sound, SAMPLE_PITCH, EFFECT_VOLUME, EFFECT_ECHO, CENTRE_PAN);
}

void requestJumpSound() {
    effectRequests.jump++;
    // playSound itself waits for the samples.
    playSound(SOUND_JUMP, JUMP_VOLUME, CENTRE_PAN);
}

void requestBirthSound() {
    effectRequests.birth++;
    startEffect(SOUND_BIRTH);
}

void requestParadoxSound() {
    effectRequests.paradox++;
    startEffect(SOUND_PARADOX);
}
