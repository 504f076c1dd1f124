// The frame's side of the 64 game voices: which slots are taken, and where the next search
// for a free one starts. Main thread only; the callback never reads these.
#pragma once

#include "audio/mixer.h"

#include <cstdint>

// A slot is taken from startSound until the callback's report that its voice ended comes back.
extern uint8_t gameVoiceBusy[GAME_VOICE_COUNT];
extern int gameVoiceCursor;

// Frees every slot and starts the search at slot 0.
void resetGameVoices();

// Frees the slots of the game voices that the callback reported ended, and empties the list.
void releaseGameVoices(SlotList& ended);
