// The mixer: 128 voices with their envelopes, square tones, sample playback and pan, and the
// two-second echo ring with its three taps. It only mixes: the callback drives the music's beat
// and hands it the game voices.
//
// Runs on the audio device thread, except initVoice for game voices (slots 0..63), which the
// main thread runs on a slot that the callback is not rendering. Never allocates.
#pragma once

#include "audio/stereo_frame.h"

#include <cstdint>

constexpr int VOICE_COUNT = 128;
constexpr int GAME_VOICE_COUNT = 64;
constexpr int FIRST_MUSIC_VOICE = 64;
constexpr int MUSIC_VOICE_COUNT = 64;
// Voices start on this grid of the sample clock: a sixteenth of a second.
constexpr uint32_t START_GRID = 2756;
// Two seconds of echo.
constexpr int ECHO_LENGTH = 88200;

struct Voice {
    uint32_t position;
    uint32_t delay;
    uint32_t attack;
    uint32_t hold;
    uint32_t release;
    float frequency;
    float volume;
    float echoSend;
    float pan;
    int32_t sound;
    // Snap the start to the grid. initVoice always asks for it; the record keeps the flag as
    // part of its agreed shape, and the starts honour it.
    uint8_t quantise;
};

// A fixed-capacity list of game voice slots, in order of insertion.
struct SlotList {
    int32_t slots[GAME_VOICE_COUNT];
    int count;
};

// Appends a game voice slot; a full list (which 64 slots cannot overfill) drops it.
void appendSlot(SlotList& list, int slot);

// Everything the mixer keeps, part of the audio state (audio/audio_state.h). The callback owns
// it all, except the records of the game voices (0..63), which the main thread fills while
// their slot is free for it. Its starting values are the ones below: a silent echo, the clock
// at 0, every voice free.
struct MixerState {
    Voice voices[VOICE_COUNT] = {};
    // The voice is rendered while its flag is set.
    uint8_t voiceActive[VOICE_COUNT] = {};
    // Where the next search for a free music slot starts.
    int musicVoiceCursor = 0;
    // Frames produced since the device was opened: the music's clock and the start grid's.
    uint32_t sampleClock = 0;
    StereoFrame echoRing[ECHO_LENGTH] = {};
    int32_t echoTapA = 0, echoTapB = 0, echoTapC = 0;
};

void initVoice(Voice& voice, int sound, float frequency, float volume, float echoSend,
               float panOffset, uint32_t attack, uint32_t hold, uint32_t release, uint32_t delay);
void quantiseVoice(Voice& voice, uint32_t clock);
float envelopeLevel(const Voice& voice);
StereoFrame applyPan(StereoFrame frame, float pan);
StereoFrame renderVoice(Voice& voice);

// The first slot from `cursor` on whose busy flag is clear, wrapping once around a pool of 64
// slots (the game's or the music's); -1 when every slot is busy.
int findFreeSlot(const uint8_t* busyFlags, int cursor);

// Starts a music voice (slots 64..127); dropped when none is free or, for a sample, before
// the samples are loaded.
void startMusicVoice(int sound, float frequency, float volume, float echoSend, float panOffset,
                     uint32_t hold, uint32_t release, uint32_t delay);

// Activates a game voice handed over by the frame, snapped to the start grid.
void activateGameVoice(int slot);

// Mixes one output frame from all active voices and the echo. Game voices that end are
// appended to `finishedGameVoices`.
StereoFrame mixFrame(SlotList& finishedGameVoices);

// Halves every frame of the echo ring.
void halveEcho();
