// The game's three effect sounds: "jump" for a new baby, "birth" for a catch, "paradox" for the
// escape that ends the game. Counts what the rules asked for, heard or not, so a replayed tick
// can be checked against the rules without a sound card. Main thread only.
#pragma once

struct EffectRequests {
    int jump = 0;
    int birth = 0;
    int paradox = 0;
};

// Requests since start-up or since a caller last cleared it.
extern EffectRequests effectRequests;

// Each asks the audio for its sound, which plays only once the samples are loaded.
void requestJumpSound();
void requestBirthSound();
void requestParadoxSound();
