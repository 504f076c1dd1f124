// The audio subsystem's state in one place: the mixer and the music (the callback's), the
// hand-over records (traded between the frame and the callback), the game voice slots (the
// frame's), and the sample bank with the loader's flags.
//
// Its default values are the ones start-up gives: startAudio, render_music and the tests all
// begin from `audio = AudioState{}`, only while no callback and no loader runs, so a new field
// is reset everywhere by giving it its value here. Handles are not state and live outside it,
// for the whole process: the hand-over lock, the loader's thread (or the browser loader's
// generation) and the device's open flag.
#pragma once

#include "audio/control.h"
#include "audio/device.h"
#include "audio/game_voices.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/replay_audio.h"
#include "audio/sample_bank.h"
#include "audio/shared_flag.h"

struct AudioState {
    // ---- The callback's (device thread): nobody else reads or writes these while it runs.
    // The voices and the echo; the main thread fills game voice records 0..63 only while their
    // slot is free for it (gameSlots).
    MixerState mixer;
    MusicState music;
    // The callback mixes into this, then writes it out in the stream's byte order.
    StereoFrame staging[DEVICE_BUFFER_FRAMES] = {};
    // The callback's chance. The device thread never seeds, so its draws start from seed 1 in
    // every run; they are kept here rather than in the thread's own state so that the same draws
    // come whichever thread does the callback's work: the browser calls back on the main thread,
    // whose chance is the game's, and a replay renders its sound there too.
    uint32_t callbackChance = 1;

    // ---- Shared by the trade (audio/control.h): each side reads its own record index, the
    // spare place and its flags change hands under handOverLock.
    HandOver handOver;

    // ---- The frame's (main thread).
    GameVoiceSlots gameSlots;
    // Set for a main-loop pass that began before the samples were loaded: the loader finishing
    // during the pass changes nothing until the next one, so a recording can say where it did.
    bool samplesHeldBack = false;

    // ---- A watched replay's sound: the main thread writes it, the device thread plays it.
    FedQueue fedQueue;

    // ---- The loader's: it fills the entries, then raises samplesReady; the callback and the
    // frame read the entries only after seeing samplesReady raised, and read the flag without a
    // lock. stopLoading is the main thread's request to the loader.
    SampleEntry sampleBank[SAMPLE_COUNT] = {};
    SharedFlag samplesReady;
    SharedFlag stopLoading;
    // The browser's loader, which decodes one file per turn: the next one to decode.
    int nextSample = 0;
};

extern AudioState audio;
