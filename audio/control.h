// The three control records that the frame and the audio callback trade, and the trade.
//
// A record travels frame -> spare -> callback -> spare -> frame. The frame writes only the
// record at frameRecord, the callback only the one at callbackRecord; the spare place and its
// two flags change hands under the hand-over lock, which both sides only ever try, so neither
// ever waits. frameRecord is touched only by the main thread, callbackRecord only by the
// callback, so each reads its own index without the lock.
#pragma once

#include "audio/mixer.h"

#include <cstdint>
#include <mutex>

// The hand-over record's agreed shape: these fields, in this order, u8 flags rather than bools.
// Keep it so, even where another type would read better.
struct AudioControl {
    // 1: the front page's music; 0: the game's.
    uint8_t frontPageMusic;
    // 1: halve the echo once.
    uint8_t dampEcho;
    // Chooses the busy mode of the game music.
    uint8_t emotions;
    // From the frame: game voices started since the last trade. From the callback: game
    // voices that have ended.
    SlotList voiceSlots;
};

constexpr int CONTROL_RECORD_COUNT = 3;

// The records and their places; its starting values are the ones below: the callback holds
// record 0, the spare place holds record 1 (free for the frame), the frame holds record 2.
struct HandOver {
    // Each starts with the front page's music, nothing to damp, no slots.
    AudioControl records[CONTROL_RECORD_COUNT] = {{1, 0, 0, {}}, {1, 0, 0, {}}, {1, 0, 0, {}}};
    int frameRecord = 2;    // main thread only
    int callbackRecord = 0; // callback only
    // These three are guarded by handOverLock.
    int spareRecord = 1;
    // The callback has emptied the spare record; the frame may take it.
    bool spareFree = true;
    // The frame has left a filled record in the spare place.
    bool spareFilled = false;
};

// Guards the spare place and its flags. Only ever tried, never waited for. A lock, not state:
// it lives for the whole process, outside the audio state that start-up resets.
extern std::mutex handOverLock;

// The record the frame fills (main thread only) and the one the callback reads and fills
// (callback only).
AudioControl& frameControl();
AudioControl& callbackControl();

// Frame side: when the lock is free and the callback has emptied the spare, leaves the
// frame's record there and takes the emptied one back. Returns whether the trade happened.
bool exchangeControlFromFrame();

// Callback side: when the lock is free and the frame has left a record in the spare place,
// takes it and leaves the callback's own record there. Returns whether the trade happened.
bool exchangeControlFromCallback();
