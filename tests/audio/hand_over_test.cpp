// Start-up, the trade of control records between the frame and the callback, the sound
// triggers' slot bookkeeping, and shutdown, all on the null device: the test plays both the
// main thread (updateAudio, the triggers) and the device thread (audioCallback).
#include "sample_folder.h"
#include "support/device_null.h"

#include "audio/audio.h"
#include "audio/control.h"
#include "audio/device.h"
#include "audio/game_voices.h"
#include "audio/mixer.h"
#include "audio/sample_bank.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

namespace {

// Runs the callback for `frames` frames, the way the device would.
void runCallback(int frames) {
    std::vector<uint8_t> stream(static_cast<size_t>(frames) * 4);
    audioCallback(nullptr, stream.data(), static_cast<int>(stream.size()));
}

// Holds the hand-over lock on another thread for as long as it lives, so that both sides'
// tries fail. (A thread may not try a lock that it holds itself.)
class HandOverLockHeld {
  public:
    HandOverLockHeld()
        : holder([this] {
              std::lock_guard<std::mutex> guard(handOverLock);
              held.set_value();
              release.get_future().wait();
          }) {
        held.get_future().wait();
    }
    ~HandOverLockHeld() {
        release.set_value();
        holder.join();
    }

  private:
    std::promise<void> held, release;
    std::thread holder;
};

// A running audio subsystem whose loader found no files: every sample is silent, so a sample
// voice ends as soon as its snapped start comes.
class Audio : public ::testing::Test {
  protected:
    void SetUp() override {
        startAudio();
        while (!samplesReady) std::this_thread::yield();
    }
    void TearDown() override { stopAudio(); }

    // One full round: the frame hands over, the callback takes it and plays a grid's worth.
    static void round() {
        updateAudio(false, false);
        runCallback(static_cast<int>(START_GRID));
    }

    SampleFolder folder;
};

TEST_F(Audio, StartsTheDeviceAndDampsTheEchoOnce) {
    EXPECT_TRUE(nullDevice.open);
    EXPECT_FALSE(nullDevice.paused);
    // A frame of the ring that no tap reaches within the few frames played here.
    constexpr int UNTOUCHED = 30000;
    for (StereoFrame& frame : echoRing) frame = {1000, -1000};
    updateAudio(false, false);
    runCallback(0);
    EXPECT_EQ(echoRing[0].left, 500);
    EXPECT_EQ(echoRing[UNTOUCHED].right, -500);
    round();
    EXPECT_EQ(echoRing[UNTOUCHED].right, -500) << "halved again without a request";
    requestEchoDamp();
    updateAudio(true, false);
    runCallback(0);
    EXPECT_EQ(echoRing[UNTOUCHED].right, -250);
}

TEST_F(Audio, StartedSoundSoundsOnlyAfterTheHandOver) {
    startSound(SOUND_JUMP, 0, 0.1f, 0.6f, 0);
    EXPECT_TRUE(gameVoiceBusy[0]);
    runCallback(10);
    EXPECT_FALSE(voiceActive[0]);
    updateAudio(false, false);
    runCallback(10);
    EXPECT_TRUE(voiceActive[0]);
}

TEST_F(Audio, FailedTriesKeepStartedSoundsForALaterHandOver) {
    startSound(SOUND_BIRTH, 0, 0.4f, 0.6f, 0);
    {
        HandOverLockHeld busy;
        updateAudio(false, false); // the frame's try fails
    }
    runCallback(10);
    EXPECT_FALSE(voiceActive[0]);
    updateAudio(false, false);
    {
        HandOverLockHeld busy;
        runCallback(10); // the callback's try fails
    }
    EXPECT_FALSE(voiceActive[0]);
    startSound(SOUND_PARADOX, 0, 0.4f, 0.6f, 0); // lands in the frame's next record
    runCallback(10);
    EXPECT_TRUE(voiceActive[0]);
    EXPECT_FALSE(voiceActive[1]);
    round();
    EXPECT_GT(voices[1].position, 0u) << "the second sound was never rendered";
}

TEST_F(Audio, EndedGameVoicesComeBackAndFreeTheirSlots) {
    startSound(SOUND_JUMP, 0, 0.1f, 0.6f, 0);
    round(); // handed over, activated, ended, listed in the callback's record
    EXPECT_FALSE(voiceActive[0]);
    EXPECT_TRUE(gameVoiceBusy[0]);
    round(); // the frame takes back an empty record; the callback takes the frame's
    EXPECT_TRUE(gameVoiceBusy[0]);
    updateAudio(false, false); // the record with the report comes back
    EXPECT_FALSE(gameVoiceBusy[0]);
}

TEST_F(Audio, SixtyFifthSoundIsDroppedUntilASlotIsReported) {
    for (int i = 0; i < GAME_VOICE_COUNT; ++i) startSound(SOUND_JUMP, 0, 0.1f, 0.6f, 0);
    EXPECT_EQ(frameControl().voiceSlots.count, GAME_VOICE_COUNT);
    EXPECT_EQ(gameVoiceCursor, GAME_VOICE_COUNT - 1);
    startSound(SOUND_JUMP, 0, 0.1f, 0.6f, 0);
    EXPECT_EQ(frameControl().voiceSlots.count, GAME_VOICE_COUNT);
    EXPECT_EQ(gameVoiceCursor, GAME_VOICE_COUNT - 1);

    round();
    round();
    updateAudio(false, false);
    for (int slot = 0; slot < GAME_VOICE_COUNT; ++slot) ASSERT_FALSE(gameVoiceBusy[slot]) << slot;
    // The search starts at the cursor: the last slot found, free again.
    startSound(SOUND_JUMP, 0, 0.1f, 0.6f, 0);
    EXPECT_EQ(gameVoiceCursor, GAME_VOICE_COUNT - 1);
    startSound(SOUND_JUMP, 0, 0.1f, 0.6f, 0);
    EXPECT_EQ(gameVoiceCursor, 0);
}

TEST_F(Audio, NoSampleSoundStartsBeforeTheSamplesAreReady) {
    samplesReady = false;
    startSound(SOUND_BIRTH, 0, 0.4f, 0.6f, 0);
    playSound(SOUND_JUMP, 0.1f, 0);
    EXPECT_EQ(frameControl().voiceSlots.count, 0);
    EXPECT_FALSE(gameVoiceBusy[0]);
    startSound(SOUND_SQUARE, 440, 0.1f, 0.6f, 0); // a tone needs no samples
    EXPECT_EQ(frameControl().voiceSlots.count, 1);
}

TEST_F(Audio, PlaySoundCapsItsVolumeAtOne) {
    // A voice's volume is its requested volume times 1.5 plus up to 1023 ten-thousandths.
    playSound(SOUND_JUMP, 5.0f, 0);
    EXPECT_GE(voices[0].volume, 1.5f);
    EXPECT_LE(voices[0].volume, 1.6023f);
    EXPECT_FLOAT_EQ(voices[0].echoSend, 0.6f);
    EXPECT_EQ(voices[0].frequency, 0.0f);
    playSound(SOUND_JUMP, -2.0f, 0); // no lower bound: played inverted
    EXPECT_LE(voices[1].volume, -3.0f);
    EXPECT_GE(voices[1].volume, -3.2046f);
}

TEST_F(Audio, UpdateTellsTheCallbackWhichMusicToPlay) {
    updateAudio(true, true);
    runCallback(0);
    EXPECT_EQ(callbackControl().frontPageMusic, 0);
    EXPECT_EQ(callbackControl().emotions, 1);
    round();
    updateAudio(false, false);
    runCallback(0);
    EXPECT_EQ(callbackControl().frontPageMusic, 1);
}

TEST_F(Audio, CallbackFillsWholeFramesOnly) {
    std::vector<uint8_t> stream(11, 0xAB);
    audioCallback(nullptr, stream.data(), 10);
    EXPECT_EQ(sampleClock, 2u);
    EXPECT_EQ(stream[8], 0xAB);
    EXPECT_EQ(stream[9], 0xAB);
    runCallback(3 * DEVICE_BUFFER_FRAMES + 5);
    EXPECT_EQ(sampleClock, 3u * DEVICE_BUFFER_FRAMES + 7);
}

TEST(AudioDevice, FailureToOpenEndsTheProgramWithAReason) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    SampleFolder folder;
    EXPECT_EXIT(
        {
            nullDevice.failure = "no sound card here";
            startAudio();
        },
        ::testing::ExitedWithCode(1), "audio device could not be opened: no sound card here");
}

TEST(AudioShutdown, WhileTheLoaderIsDecodingFreesEverything) {
    SampleFolder folder;
    folder.copyGameSamples();
    startAudio();
    stopAudio();
    EXPECT_FALSE(nullDevice.open);
    EXPECT_FALSE(samplesReady);
    for (const SampleEntry& entry : sampleBank) {
        EXPECT_EQ(entry.frames, nullptr);
        EXPECT_EQ(entry.length, 0u);
    }
}

} // namespace
