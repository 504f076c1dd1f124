// The control records and both sides of their trade. The lock is held only for the few
// assignments of a swap and is only ever tried.
#include "audio/control.h"

#include <utility>

std::mutex handOverLock;

namespace {
constexpr int CONTROL_RECORD_COUNT = 3;
// What every record holds at start: the front page's music, nothing to damp, no slots.
constexpr AudioControl FRESH_RECORD = {1, 0, 0, SlotList{{}, 0}};

// The records and their places. Its starting values are the ones below.
struct HandOver {
    AudioControl records[CONTROL_RECORD_COUNT] = {FRESH_RECORD, FRESH_RECORD, FRESH_RECORD};
    int frameRecord = 2;    // main thread only
    int callbackRecord = 0; // callback only
    // These three are guarded by handOverLock.
    int spareRecord = 1;
    // The callback has emptied the spare record; the frame may take it.
    bool spareFree = true;
    // The frame has left a filled record in the spare place.
    bool spareFilled = false;
};

HandOver handOver;
} // namespace

AudioControl& frameControl() {
    return handOver.records[handOver.frameRecord];
}

AudioControl& callbackControl() {
    return handOver.records[handOver.callbackRecord];
}

// Runs only while the device is closed, so no callback can be trading.
void resetControl() {
    handOver = HandOver{};
}

namespace {
// One side's trade: when the other side has served the spare (`mayTake`), swap the side's own
// record with it and tell the other side it is its turn (`nowOffered`). Never waits.
bool tradeWithSpare(int& ownRecord, bool& mayTake, bool& nowOffered) {
    if (!handOverLock.try_lock()) return false;
    const bool swapped = mayTake;
    if (swapped) {
        std::swap(ownRecord, handOver.spareRecord);
        mayTake = false;
        nowOffered = true;
    }
    handOverLock.unlock();
    return swapped;
}
} // namespace

bool exchangeControlFromFrame() {
    return tradeWithSpare(handOver.frameRecord, handOver.spareFree, handOver.spareFilled);
}

bool exchangeControlFromCallback() {
    return tradeWithSpare(handOver.callbackRecord, handOver.spareFilled, handOver.spareFree);
}
