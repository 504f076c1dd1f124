// Start-up, the trade of control records, the sound triggers' slots and shutdown, on the null
// device: the test plays both the main thread (updateAudio, the triggers) and the device
// thread (audioCallback).
#include "audio_test.h"
#include "support/device_null.h"

#include "audio/audio.h"
#include "audio/control.h"
#include "audio/device.h"
#include "audio/game_voices.h"
#include "audio/loader.h"
#include "frame/start_up.h"
#include "platform/chance.h"

#include <future>
#include <thread>
#include <vector>

namespace {

// Runs the callback for `frames` frames, the way the device would.
void runCallback(int frames) {
    std::vector<uint8_t> stream(static_cast<size_t>(frames) * 4);
    audioCallback(nullptr, stream.data(), static_cast<int>(stream.size()));
}

// Runs `action` while another thread holds the hand-over lock, so that every try fails.
template <typename Action> void whileHandOverLockHeld(Action action) {
    std::promise<void> held, done;
    std::thread holder([&] {
        std::lock_guard<std::mutex> guard(handOverLock);
        held.set_value();
        done.get_future().wait();
    });
    held.get_future().wait();
    action();
    done.set_value();
    holder.join();
}

// A running audio subsystem whose loader found no sample folder: start-up still completes, and
// a sample voice ends, silent, as soon as its snapped start comes.
class HandOver : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::remove_all("dat");
        ASSERT_EQ(startAudio(), nullptr);
        while (!samplesReady) std::this_thread::yield();
        for (const SampleEntry& entry : sampleBank) ASSERT_TRUE(!entry.frames && !entry.length);
    }
    void TearDown() override { stopAudio(); }
    // The frame hands over, the callback takes it and plays a grid's worth.
    static void round() {
        updateAudio(false, false);
        runCallback(static_cast<int>(START_GRID));
    }
    SampleFolder folder;
};

TEST_F(HandOver, StartUpOpensTheDeviceAndEachRequestReachesTheCallbackOnce) {
    EXPECT_TRUE(nullDevice.open && !nullDevice.paused);
    constexpr int UNTOUCHED = 30000; // no tap reaches it in the few frames played here
    for (StereoFrame& frame : mixer.echoRing) frame = {1000, -1000};
    mixer.echoRing[UNTOUCHED + 1] = {7, -7};
    mixer.echoRing[UNTOUCHED + 2] = {32767, -32768};
    updateAudio(false, false);
    runCallback(0);
    EXPECT_EQ(callbackControl().frontPageMusic, 1);
    // Start-up's damp halves the ring, truncating toward zero.
    EXPECT_EQ(mixer.echoRing[UNTOUCHED], (StereoFrame{500, -500}));
    EXPECT_EQ(mixer.echoRing[UNTOUCHED + 1], (StereoFrame{3, -3}));
    EXPECT_EQ(mixer.echoRing[UNTOUCHED + 2], (StereoFrame{16383, -16384}));
    for (int record = 0; record < 3; ++record) round(); // each record comes by once more
    EXPECT_EQ(mixer.echoRing[UNTOUCHED].right, -500) << "halved again without a request";
    requestEchoDamp();
    updateAudio(true, true);
    runCallback(0);
    EXPECT_EQ(mixer.echoRing[UNTOUCHED].right, -250);
    EXPECT_TRUE(callbackControl().frontPageMusic == 0 && callbackControl().emotions == 1);
}

TEST_F(HandOver, FailedTriesKeepStartedSoundsForALaterHandOver) {
    startSound(SOUND_BIRTH, 0, 0.4f, 0.6f, 0);
    whileHandOverLockHeld([] { updateAudio(false, false); }); // the frame's try fails
    runCallback(10);
    EXPECT_FALSE(mixer.voiceActive[0]);
    updateAudio(false, false);
    whileHandOverLockHeld([] { runCallback(10); }); // the callback's try fails
    EXPECT_FALSE(mixer.voiceActive[0]);
    startSound(SOUND_PARADOX, 0, 0.4f, 0.6f, 0); // goes into the frame's next record
    updateAudio(false, false);                   // the spare is not served yet: no trade
    runCallback(10);
    EXPECT_TRUE(mixer.voiceActive[0] && !mixer.voiceActive[1]);
    round();
    EXPECT_GT(mixer.voices[1].position, 0u) << "the second sound was never rendered";
}

TEST_F(HandOver, TriggersWaitForTheSamplesAndPlaySoundCapsItsVolumeAtOne) {
    samplesReady = false;
    startSound(SOUND_BIRTH, 0, 0.4f, 0.6f, 0);
    playSound(SOUND_JUMP, 0.1f, 0);
    EXPECT_EQ(frameControl().voiceSlots.count, 0);
    startSound(SOUND_SQUARE, 440, 0.1f, 0.6f, 0); // a tone needs no samples
    EXPECT_EQ(frameControl().voiceSlots.count, 1);
    samplesReady = true;
    // A voice is 1.5 .. 1.6023 times as loud as asked, its pan 0..15/128 less the offset.
    playSound(SOUND_JUMP, 5.0f, 0.5f);
    const Voice& capped = mixer.voices[1];
    EXPECT_TRUE(capped.volume >= 1.5f && capped.volume <= 1.6023f) << capped.volume;
    EXPECT_TRUE(capped.pan >= -0.5f && capped.pan <= 15 / 128.0f - 0.5f) << capped.pan;
    EXPECT_TRUE(capped.echoSend == 0.6f && capped.frequency == 0);
}

TEST(Shutdown, StopsTheLoaderAndFreesEverythingWhileDecodingWhenDoneOrAfterAFailedOpen) {
    SampleFolder folder;
    folder.copyGameSamples();
    for (bool loaderDone : {false, true}) {
        ASSERT_EQ(startAudio(), nullptr);
        while (loaderDone && !samplesReady) std::this_thread::yield();
        stopAudio();
        EXPECT_FALSE(nullDevice.open || samplesReady);
        for (const SampleEntry& entry : sampleBank) EXPECT_TRUE(!entry.frames && !entry.length);
    }
    // A device that cannot be opened ends start-up with one line, the loader stopped first.
    nullDevice.failure = "no sound card here";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(startUp());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tinyarcade: the audio device could not be opened: no sound card here\n");
    stopLoader(); // a loader left running would end now and set samplesReady
    EXPECT_FALSE(samplesReady || sampleBank[0].frames) << "the loader was left running";
}

} // namespace
