// The audio subsystem's life on the main thread: start-up, the frame's updateAudio, shutdown.
//
// All sound is made in audioCallback on the device thread; the frame reaches it only through
// the control records.
#include "audio/audio.h"

#include "audio/control.h"
#include "audio/device.h"
#include "audio/game_voices.h"
#include "audio/loader.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sample_bank.h"

namespace {
// Everything the device thread will own starts fresh, the loader starts, then the device
// opens paused.
bool openAudioDevice(const char*& reason) {
    mixer = {};
    startMusic();
    resetControl();
    startLoader();
    return openDevice(reason);
}
} // namespace

const char* startAudio() {
    samplesReady = false;
    gameSlots = {};
    const char* reason = "";
    if (!openAudioDevice(reason)) return reason;
    requestEchoDamp();
    pauseDevice(false);
    return nullptr;
}

void updateAudio(bool gameActive, bool emotions) {
    AudioControl& record = frameControl();
    record.frontPageMusic = gameActive ? 0 : 1;
    if (gameActive) record.emotions = emotions ? 1 : 0;
    // A busy lock or an unserved spare: everything stays in our record for a later pass.
    if (exchangeControlFromFrame()) releaseGameVoices(frameControl().voiceSlots);
}

void pauseAudio(bool paused) {
    pauseDevice(paused);
}

void silenceAudio(bool silent) {
    silenceDevice(silent);
}

void stopAudio() {
    pauseDevice(true);
    closeDevice();
    stopLoader();
    // Nothing may start a sample once its frames are gone.
    samplesReady = false;
    freeSamples();
}
