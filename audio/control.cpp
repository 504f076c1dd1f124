// The control records and both sides of their trade. The lock is held only for the few
// assignments of a swap and is only ever tried.
#include "audio/control.h"

#include "audio/audio_state.h"

#include <utility>

std::mutex handOverLock;

AudioControl& frameControl() {
    return audio.handOver.records[audio.handOver.frameRecord];
}

AudioControl& callbackControl() {
    return audio.handOver.records[audio.handOver.callbackRecord];
}

namespace {
// One side's trade: when the other side has served the spare (`mayTake`), swap the side's own
// record with it and tell the other side it is its turn (`nowOffered`). Never waits.
bool tradeWithSpare(int& ownRecord, bool& mayTake, bool& nowOffered) {
    if (!handOverLock.try_lock()) return false;
    const bool swapped = mayTake;
    if (swapped) {
        std::swap(ownRecord, audio.handOver.spareRecord);
        mayTake = false;
        nowOffered = true;
    }
    handOverLock.unlock();
    return swapped;
}
} // namespace

bool exchangeControlFromFrame() {
    return tradeWithSpare(audio.handOver.frameRecord, audio.handOver.spareFree,
                          audio.handOver.spareFilled);
}

bool exchangeControlFromCallback() {
    return tradeWithSpare(audio.handOver.callbackRecord, audio.handOver.spareFilled,
                          audio.handOver.spareFree);
}
