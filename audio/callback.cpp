// The device thread's side: audioCallback, which takes the frame's latest record when the
// hand-over lock happens to be free, then drives the music's beat and the mixer for every frame
// of the device's buffer.
//
// Never waits (the lock is only tried) and never allocates (slot lists and the staging buffer
// are fixed arrays). Touches only the callback's record, the mixer and the music.
#include "audio/callback.h"

#include "audio/audio_state.h"
#include "audio/control.h"
#include "audio/device.h"
#include "audio/music.h"
#include "audio/replay_audio.h"
#include "platform/chance.h"

namespace {
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

// On the first frame of every music step: the bar's chord at its first step, then the step.
void musicBeat(bool frontPageMusic, bool emotions) {
    if (audio.mixer.sampleClock % MUSIC_STEP_FRAMES != 0) return;
    uint32_t beat = audio.mixer.sampleClock / MUSIC_STEP_FRAMES;
    int step = static_cast<int>(beat % STEPS_PER_BAR);
    if (step == 0) audio.music.currentChord = CHORD_PICK[nextRandom() % CHORD_COUNT];
    if (frontPageMusic) {
        frontPageMusicStep(step);
    } else {
        gameMusicStep(step, emotions);
    }
}

// The trade with the frame, then the music and the mix, with the calling thread's chance.
void mixStream(uint8_t* stream, int length) {
    if (exchangeControlFromCallback()) takeFrameRequests(callbackControl());
    AudioControl& record = callbackControl();
    for (int left = length / STEREO_FRAME_BYTES; left > 0;) {
        const int count = left < DEVICE_BUFFER_FRAMES ? left : DEVICE_BUFFER_FRAMES;
        produceFrames(audio.staging, count, record.frontPageMusic != 0, record.emotions != 0,
                      record.voiceSlots);
        writeStereoFrames(audio.staging, count, stream);
        stream += count * STEREO_FRAME_BYTES;
        left -= count;
    }
}
} // namespace

void produceFrames(StereoFrame* out, int count, bool frontPageMusic, bool emotions,
                   SlotList& finishedGameVoices) {
    for (int i = 0; i < count; ++i) {
        musicBeat(frontPageMusic, emotions);
        out[i] = mixFrame(finishedGameVoices);
        ++audio.mixer.sampleClock;
    }
}

void audioCallback(void*, uint8_t* stream, int length) {
    // Watching a replay, the main thread makes the sound and the device only plays it.
    if (playFedStream(stream, length)) return;
    fillStream(stream, length);
}

void fillStream(uint8_t* stream, int length) {
    const uint32_t callerChance = currentRandomState();
    seedRandom(audio.callbackChance);
    mixStream(stream, length);
    audio.callbackChance = currentRandomState();
    seedRandom(callerChance);
}
