// The sample loader in a browser, where the game runs without threads: one file per turn of the
// browser's event loop, between frames, so the page and the music start at once and the drums
// and sounds join when all 19 files are in, as with the loader thread on the desktop.
#include "audio/loader.h"

#include "audio/audio_state.h"
#include "audio/sample_bank.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <cstdint>

namespace {
// Like the desktop's thread handle, these outlive every reset of the audio state: raised by
// every start and stop, the generation lets a turn queued for an earlier loader do nothing.
uintptr_t loaderGeneration = 0;
bool loading = false;

void* generationTag() {
    return reinterpret_cast<void*>(loaderGeneration);
}

void loadNextSample(void* generation) {
    if (!loading || generation != generationTag()) return;
    if (audio.nextSample < SAMPLE_COUNT) {
        loadSample(audio.nextSample++);
        emscripten_set_timeout(loadNextSample, 0, generation);
        return;
    }
    loading = false;
    audio.samplesReady = true;
}
} // namespace

void loadSamples() {
    for (int index = 0; index < SAMPLE_COUNT; ++index) loadSample(index);
    audio.samplesReady = true;
}

void startLoader() {
    stopLoader();
    audio.nextSample = 0;
    loading = true;
    loaderGeneration++;
    emscripten_set_timeout(loadNextSample, 0, generationTag());
}

void stopLoader() {
    if (!loading) return;
    // No file is ever half decoded here: a turn decodes one whole.
    loading = false;
    loaderGeneration++;
    audio.samplesReady = true;
}
