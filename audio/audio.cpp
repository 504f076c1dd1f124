// The audio subsystem's life and its two per-frame meeting points: start-up, the frame's
// updateAudio and the device's audioCallback, shutdown.
//
// All sound is made in audioCallback on the device thread; the frame reaches it only through
// the control records. The callback never waits (the hand-over lock is only tried) and never
// allocates (slot lists and its staging buffer are fixed arrays).
#include "audio/audio.h"

#include "audio/control.h"
#include "audio/device.h"
#include "audio/game_voices.h"
#include "audio/loader.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "platform/chance.h"

#include <cstdio>
#include <cstdlib>

namespace {
// Bytes of one frame in the stream: two signed 16-bit samples.
constexpr int FRAME_BYTES = 4;

// The callback mixes into this, then writes it out in the stream's byte order. Device thread
// only.
StereoFrame staging[DEVICE_BUFFER_FRAMES];

// Everything the device thread will own starts fresh, the loader starts, then the device
// opens paused. A device that cannot be opened ends the program.
void openAudioDevice() {
    resetMixer();
    currentChord = nextRandom() % CHORD_COUNT;
    resetControl();
    startLoader();
    const char* reason = "";
    if (!openDevice(reason)) {
        std::fprintf(stderr, "tinyarcade: the audio device could not be opened: %s\n", reason);
        std::fflush(stderr);
        // At once: the loader thread is still running, and nothing else is worth tidying.
        std::_Exit(1);
    }
}

void writeLittleEndian(const StereoFrame* frames, int count, uint8_t* stream) {
    for (int i = 0; i < count; ++i) {
        const auto left = static_cast<uint16_t>(frames[i].left);
        const auto right = static_cast<uint16_t>(frames[i].right);
        stream[0] = static_cast<uint8_t>(left & 0xff);
        stream[1] = static_cast<uint8_t>(left >> 8);
        stream[2] = static_cast<uint8_t>(right & 0xff);
        stream[3] = static_cast<uint8_t>(right >> 8);
        stream += FRAME_BYTES;
    }
}

// The frame's latest record has arrived: its game voices start (snapped to the grid) and its
// echo damp is served once.
void takeFrameRequests(AudioControl& record) {
    for (int i = 0; i < record.voiceSlots.count; ++i) activateGameVoice(record.voiceSlots.slots[i]);
    record.voiceSlots.count = 0;
    if (record.dampEcho) {
        halveEcho();
        record.dampEcho = 0;
    }
}
} // namespace

void startAudio() {
    samplesReady = false;
    computeNoteFrequencies();
    resetGameVoices();
    openAudioDevice();
    requestEchoDamp();
    pauseDevice(false);
}

void updateAudio(bool gameActive, bool emotions) {
    AudioControl& record = frameControl();
    record.frontPageMusic = gameActive ? 0 : 1;
    if (gameActive) record.emotions = emotions ? 1 : 0;
    // A busy lock or an unserved spare: everything stays in our record for a later pass.
    if (exchangeControlFromFrame()) releaseGameVoices(frameControl().voiceSlots);
}

void stopAudio() {
    pauseDevice(true);
    closeDevice();
    stopLoader();
    // Nothing may start a sample once its frames are gone.
    samplesReady = false;
    freeSamples();
}

void audioCallback(void*, uint8_t* stream, int length) {
    if (exchangeControlFromCallback()) takeFrameRequests(callbackControl());
    AudioControl& record = callbackControl();
    for (int left = length / FRAME_BYTES; left > 0;) {
        const int count = left < DEVICE_BUFFER_FRAMES ? left : DEVICE_BUFFER_FRAMES;
        produceFrames(staging, count, record.frontPageMusic != 0, record.emotions != 0,
                      record.voiceSlots);
        writeLittleEndian(staging, count, stream);
        stream += count * FRAME_BYTES;
        left -= count;
    }
}
