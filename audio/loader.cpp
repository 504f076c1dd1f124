// The sample loader thread and its stop request.
//
// The stop request is looked at before each file and while one is decoded, so stopLoader
// waits only for a piece of a few thousand frames. A loader that cannot start, or memory that
// runs out, costs the samples, never the game: one line on stderr says so.
#include "audio/loader.h"

#include "audio/audio_state.h"
#include "audio/sample_bank.h"
#include "platform/messages.h"

#include <atomic>
#include <exception>
#include <thread>

namespace {
// Never destroyed: a program ended by exit() while the loader runs (Xlib does so when the
// display goes away) must not abort in the destructor of a thread that is still joinable.
std::thread& loaderThread = *new std::thread;
} // namespace

void loadSamples() {
    int withoutMemory = 0;
    for (int index = 0; index < SAMPLE_COUNT && !audio.stopLoading; ++index) {
        if (!loadSample(index, &audio.stopLoading.value)) ++withoutMemory;
    }
    if (withoutMemory > 0) {
        say("not enough memory for %d of the %d samples; playing without them", withoutMemory,
            SAMPLE_COUNT);
    }
    audio.samplesReady = true;
}

void startLoader() {
    stopLoader();
    try {
        loaderThread = std::thread(loadSamples);
    } catch (const std::exception& error) {
        // The bank stays empty: every sample sound is silent, as with missing files.
        say("cannot start the sample loader (%s); playing without samples", error.what());
        audio.samplesReady = true;
    }
}

void stopLoader() {
    if (!loaderThread.joinable()) return;
    audio.stopLoading = true;
    loaderThread.join();
    // No loader is left to read the request.
    audio.stopLoading = false;
}
