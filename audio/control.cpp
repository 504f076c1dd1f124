// The control records and both sides of their trade. The lock is held only for the few
// assignments of a swap and is only ever tried.
#include "audio/control.h"

#include <utility>

AudioControl controlRecords[CONTROL_RECORD_COUNT];
int frameRecord = 2;
int callbackRecord = 0;
std::mutex handOverLock;

namespace {
// Guarded by handOverLock.
int spareRecord = 1;
// The callback has emptied the spare record; the frame may take it.
bool spareFree = true;
// The frame has left a filled record in the spare place.
bool spareFilled = false;
} // namespace

// Runs only while the device is closed, so no callback can be trading.
void resetControl() {
    controlRecords[0] = AudioControl{1, 0, 0, SlotList{{}, 0}};
    controlRecords[1] = controlRecords[0];
    controlRecords[2] = controlRecords[0];
    callbackRecord = 0;
    spareRecord = 1;
    frameRecord = 2;
    spareFilled = false;
    spareFree = true;
}

namespace {
// One side's trade: when the other side has served the spare (`mayTake`), swap the side's own
// record with it and tell the other side it is its turn (`nowOffered`). Never waits.
bool tradeWithSpare(int& ownRecord, bool& mayTake, bool& nowOffered) {
    if (!handOverLock.try_lock()) return false;
    const bool swapped = mayTake;
    if (swapped) {
        std::swap(ownRecord, spareRecord);
        mayTake = false;
        nowOffered = true;
    }
    handOverLock.unlock();
    return swapped;
}
} // namespace

bool exchangeControlFromFrame() {
    return tradeWithSpare(frameRecord, spareFree, spareFilled);
}

bool exchangeControlFromCallback() {
    return tradeWithSpare(callbackRecord, spareFilled, spareFree);
}

void appendSlot(SlotList& list, int slot) {
    if (list.count < GAME_VOICE_COUNT) list.slots[list.count++] = slot;
}
