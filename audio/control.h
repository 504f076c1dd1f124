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

extern AudioControl controlRecords[CONTROL_RECORD_COUNT];
// Main thread only.
extern int frameRecord;
// Audio callback only.
extern int callbackRecord;
// Guards the spare place and its flags. Only ever tried, never waited for.
extern std::mutex handOverLock;

inline AudioControl& frameControl() {
    return controlRecords[frameRecord];
}
inline AudioControl& callbackControl() {
    return controlRecords[callbackRecord];
}

// Fresh records: front-page music, nothing to damp, no slots; the callback holds record 0,
// the spare place holds record 1 (free for the frame), the frame holds record 2. Only while
// the device is closed.
void resetControl();

// Frame side: when the lock is free and the callback has emptied the spare, leaves the
// frame's record there and takes the emptied one back. Returns whether the trade happened.
bool exchangeControlFromFrame();

// Callback side: when the lock is free and the frame has left a record in the spare place,
// takes it and leaves the callback's own record there. Returns whether the trade happened.
bool exchangeControlFromCallback();

// Appends a game voice slot; a full list (which 64 slots cannot overfill) drops it.
void appendSlot(SlotList& list, int slot);
