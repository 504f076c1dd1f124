// The frame's side of the 64 game voices: which slots are taken, and where the next search
// for a free one starts. Main thread only; the callback never reads these.
#pragma once

#include "audio/mixer.h"

#include <cstdint>

// Part of the audio state (audio/audio_state.h). Its starting values are the ones below: every
// slot free, the search starting at slot 0.
struct GameVoiceSlots {
    // A slot is taken from startSound until the callback's report that its voice ended comes
    // back.
    uint8_t gameVoiceBusy[GAME_VOICE_COUNT] = {};
    int gameVoiceCursor = 0;
};

// Frees the slots of the game voices that the callback reported ended, and empties the list.
void releaseGameVoices(SlotList& ended);
