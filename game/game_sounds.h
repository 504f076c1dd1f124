// The game's three effect sounds: "jump" for a new baby, "birth" for a catch, "paradox" for the
// escape that ends the game. Main thread only.
#pragma once

// Each asks the audio for its sound, which plays only once the samples are loaded.
void requestJumpSound();
void requestBirthSound();
void requestParadoxSound();
