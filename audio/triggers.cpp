// The sound triggers and the frame's game voice slots: startSound is the one way to start a
// sound. Main thread only: fills a free game voice and lists its slot in the frame's control
// record, which updateAudio hands over. Takes no lock and never touches a voice that the
// callback may be rendering.
#include "audio/audio.h"

#include "audio/audio_state.h"
#include "audio/control.h"
#include "audio/game_voices.h"
#include "audio/sample_bank.h"

namespace {
// A game voice rises over this many frames, holds, then falls; a sample overrides all three
// and plays once, whole, at a flat level.
constexpr uint32_t GAME_ATTACK = 500;
constexpr uint32_t GAME_HOLD = 5000;
constexpr uint32_t GAME_RELEASE = 50000;
constexpr float PLAYED_ECHO_SEND = 0.6f;
constexpr float PLAYED_VOLUME_CAP = 1.0f;
} // namespace

void releaseGameVoices(SlotList& ended) {
    for (int i = 0; i < ended.count; ++i) audio.gameSlots.gameVoiceBusy[ended.slots[i]] = 0;
    ended.count = 0;
}

bool takeSamplesReady() {
    audio.samplesHeldBack = !audio.samplesReady;
    return !audio.samplesHeldBack;
}

void startSound(int sound, float frequency, float volume, float echoSend, float panOffset) {
    if (isSampleSound(sound) && (audio.samplesHeldBack || !audio.samplesReady)) return;
    const int slot = findFreeSlot(audio.gameSlots.gameVoiceBusy, audio.gameSlots.gameVoiceCursor);
    if (slot < 0) return;
    audio.gameSlots.gameVoiceCursor = slot;
    initVoice(audio.mixer.voices[slot], sound, frequency, volume, echoSend, panOffset, GAME_ATTACK,
              GAME_HOLD, GAME_RELEASE, 0);
    audio.gameSlots.gameVoiceBusy[slot] = 1;
    appendSlot(frameControl().voiceSlots, slot);
}

void playSound(int sound, float volume, float panOffset) {
    if (volume > PLAYED_VOLUME_CAP) volume = PLAYED_VOLUME_CAP;
    startSound(sound, 0.0f, volume, PLAYED_ECHO_SEND, panOffset);
}

void requestEchoDamp() {
    frameControl().dampEcho = 1;
}
