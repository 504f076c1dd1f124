// The audio subsystem's life on the main thread: start-up, the frame's updateAudio, shutdown.
//
// All sound is made in audioCallback on the device thread; the frame reaches it only through
// the control records.
#include "audio/audio.h"

#include "audio/audio_state.h"
#include "audio/control.h"
#include "audio/device.h"
#include "audio/loader.h"
#include "audio/music.h"
#include "audio/replay_audio.h"
#include "audio/sample_bank.h"

namespace {
// Everything starts fresh, then the samples start loading. The reset runs before the device
// opens and after any earlier loader has been stopped: nobody else touches the state meanwhile.
void startFresh(void (*load)()) {
    stopLoader();
    audio = AudioState{};
    startMusic();
    load();
}

// The device opens paused; start-up's echo damp goes with the first hand-over.
const char* startDevice(void (*whileWaiting)(uint32_t waited)) {
    const char* reason = "";
    if (!openDevice(reason, whileWaiting)) return reason;
    requestEchoDamp();
    pauseDevice(false);
    return nullptr;
}
} // namespace

const char* startAudio(void (*whileWaiting)(uint32_t waited)) {
    startFresh(startLoader);
    return startDevice(whileWaiting);
}

const char* startReplayAudio(bool withDevice) {
    startFresh(loadSamples);
    // The recording says when the loader finished: until then the samples are held back.
    audio.samplesReady = false;
    startOfflineSound(withDevice);
    if (withDevice) return startDevice(nullptr);
    requestEchoDamp();
    return nullptr;
}

void markSamplesReady() {
    audio.samplesReady = true;
}

namespace {
// Both kinds of updateAudio: the music's choice into our record, then a try to trade it.
bool tradeWithCallback(bool gameActive, bool emotions) {
    AudioControl& record = frameControl();
    record.frontPageMusic = gameActive ? 0 : 1;
    if (gameActive) record.emotions = emotions ? 1 : 0;
    // A busy lock or an unserved spare: everything stays in our record for a later pass.
    return exchangeControlFromFrame();
}
} // namespace

SlotList updateAudio(bool gameActive, bool emotions) {
    SlotList ended{};
    if (tradeWithCallback(gameActive, emotions)) {
        ended = frameControl().voiceSlots;
        releaseGameVoices(frameControl().voiceSlots);
    }
    return ended;
}

void updateAudioReplayed(bool gameActive, bool emotions, const SlotList& recordedEnded) {
    if (tradeWithCallback(gameActive, emotions)) frameControl().voiceSlots.count = 0;
    SlotList ended = recordedEnded;
    releaseGameVoices(ended);
}

bool stopAudio() {
    pauseDevice(true);
    // A device that is still closing may still call back: its samples must stay.
    if (!closeDevice()) return false;
    stopLoader();
    stopOfflineSound();
    // Nothing may start a sample once its frames are gone.
    audio.samplesReady = false;
    freeSamples();
    return true;
}
