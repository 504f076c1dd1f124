// The sample loader thread and the lock around its stop request.
//
// The loader lock is held only for reading the stop request or setting samplesReady, never
// while a file is decoded, so stopLoader waits at most for the file being decoded.
#include "audio/loader.h"

#include "audio/sample_bank.h"

#include <mutex>
#include <thread>

namespace {
std::mutex loaderLock;
bool stopLoading = false; // guarded by loaderLock
// Never destroyed: a program ended by exit() while the loader runs (Xlib does so when the
// display goes away) must not abort in the destructor of a thread that is still joinable.
std::thread& loaderThread = *new std::thread;

bool stopRequested() {
    std::lock_guard<std::mutex> guard(loaderLock);
    return stopLoading;
}
} // namespace

void loadSamples() {
    for (int index = 0; index < SAMPLE_COUNT && !stopRequested(); ++index) loadSample(index);
    std::lock_guard<std::mutex> guard(loaderLock);
    samplesReady = true;
}

void startLoader() {
    stopLoader();
    loaderThread = std::thread(loadSamples);
}

void stopLoader() {
    if (!loaderThread.joinable()) return;
    {
        std::lock_guard<std::mutex> guard(loaderLock);
        stopLoading = true;
    }
    loaderThread.join();
    // No loader is left to read the request.
    std::lock_guard<std::mutex> guard(loaderLock);
    stopLoading = false;
}
