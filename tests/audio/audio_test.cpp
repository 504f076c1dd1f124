// The audio subsystem without a sound card: the mixer and the music on plain arrays, the sample
// bank and its loader on files in a temporary folder, and start-up, the hand-over and shutdown
// on the null device, where the test plays both the main thread (updateAudio, the triggers) and
// the device thread (audioCallback).
#include "sample_folder.h"
#include "support/device_null.h"

#include "audio/audio.h"
#include "audio/audio_state.h"
#include "audio/callback.h"
#include "audio/control.h"
#include "audio/decoded_frames.h"
#include "audio/device.h"
#include "audio/loader.h"
#include "audio/music.h"
#include "audio/sample_bank.h"
#include "frame/start_up.h"
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sys/resource.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

inline bool operator==(StereoFrame a, StereoFrame b) {
    return a.left == b.left && a.right == b.right;
}
inline std::ostream& operator<<(std::ostream& out, StereoFrame frame) {
    return out << "{" << frame.left << ", " << frame.right << "}";
}

namespace {

// Fresh mixer and music, the samples ready (each one empty unless a test fills it); the same
// afterwards.
class CleanAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        startMusic();
        TearDown();
        audio.samplesReady = true;
    }
    void TearDown() override { audio = AudioState{}; }
};

// ---- The mixer: envelope, start grid, square tones, samples, pan, saturation, echo, bytes ----

using Mixer = CleanAudio;

// An active voice with exact values: no attack, random pan or loudness; not snapped.
Voice& setVoice(int slot, int sound, float volume, uint32_t hold, uint32_t delay = 0,
                float frequency = 0, float echoSend = 0) {
    audio.mixer.voices[slot] =
        Voice{0, delay, 0, hold, 0, frequency, volume, echoSend, 0, sound, 0};
    audio.mixer.voiceActive[slot] = 1;
    return audio.mixer.voices[slot];
}

TEST_F(Mixer, LoudSumsAndProductsClipInsteadOfWrapping) {
    StereoFrame loud[] = {{30000, -30000}};
    const StereoFrame clipped = {32767, -32768};
    audio.sampleBank[0] = {loud, 1};
    for (int slot : {0, 1}) setVoice(slot, SOUND_FIRST_SAMPLE, 1, 1);
    SlotList finished{};
    EXPECT_EQ(mixFrame(finished), clipped);
    EXPECT_EQ(renderVoice(setVoice(0, SOUND_FIRST_SAMPLE, 2, 1)), clipped);
    EXPECT_EQ(applyPan(loud[0], 0.5f), (StereoFrame{32767, -24000}));
    // A loud tone with a big echo send clips in the wet mix, in the ring and in the output.
    audio.mixer = {};
    setVoice(0, SOUND_SQUARE, 4, 1000, 0, 441, 8);
    audio.mixer.echoRing[SAMPLE_RATE] = {-30000, -30000};
    for (int frame = 0; frame < 40; ++frame) ASSERT_EQ(mixFrame(finished).left, -32768) << frame;
    EXPECT_EQ(audio.mixer.echoRing[SAMPLE_RATE].left, -32768);
}

// ---- The music: tables, minDraw, the game's steps and the beat that starts them -------------

using Music = CleanAudio;

TEST_F(Music, TablesHoldTheScaleItsNotesAndChords) {
    EXPECT_EQ(NOTE_FREQUENCIES[0], 219.99986f);
    EXPECT_EQ(NOTE_FREQUENCIES[12], 440.0f);
    EXPECT_EQ(NOTE_FREQUENCIES[23], 830.60992f);
    EXPECT_TRUE(SCALE_STEPS[0] == 1 && SCALE_STEPS[3] == 6 && SCALE_STEPS[6] == 11);
    const std::pair<int, std::vector<int>> chords[] = {
        {0, {0, 1, 4, 7}}, {9, {2, 4, 6, 9}}, {13, {6, 8, 10, 13}}, {20, {6, 8, 10, 12}}};
    for (const auto& [chord, degrees] : chords)
        EXPECT_EQ(std::vector<int>(CHORD_TABLE[chord], CHORD_TABLE[chord] + 4), degrees) << chord;
    EXPECT_TRUE(CHORD_PICK[0] == 7 && CHORD_PICK[9] == 14 && CHORD_PICK[20] == 13);
}

TEST_F(Music, MinDrawKeepsItsValueOnlyWhenTheNextDrawIsAbove) {
    // Seed 1 draws 41, 18467, 6334, 26500, 19169. The first pass always takes a fresh draw:
    // 18467 % n. The second draws 6334 % n: below 1 % 7 = 6 keeps 1, then 26500 comes next;
    // for n = 12133 it ties 6334 and takes a fresh 26500 % n.
    const int cases[][3] = {{7, 1, 26500}, {12133, 2234, 19169}}; // n, result, next draw
    for (const auto& [n, result, next] : cases) {
        seedRandom(1);
        EXPECT_EQ(minDraw(n, 2), result) << n;
        EXPECT_EQ(nextRandom(), next) << n;
    }
}

// ---- The sample bank and its loader ---------------------------------------------------------

// Waits for the loader to finish, for at most a minute: false when it never does.
bool samplesReadyInTime() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!audio.samplesReady) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The repository, found from this file's place in it; the fuzzer's seed files, from the folder
// of the test recordings.
const std::filesystem::path ROOT = std::filesystem::path(__FILE__).parent_path() / "../..";
const std::string FUZZ_SEEDS = "../../fuzz/corpus/sample_fuzz/";

class SampleBank : public ::testing::Test {
  protected:
    void TearDown() override { freeSamples(); }
    // Writes `bytes` as the file of sample 0 and loads it.
    const SampleEntry& load(const std::vector<char>& bytes) const {
        freeSamples();
        std::ofstream(folder.pathOf(SAMPLE_NAMES[0]), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        loadSample(0);
        return audio.sampleBank[0];
    }
    static std::vector<char> recording(const std::string& name) {
        std::ifstream file(ROOT / "tests/audio/data" / (name + ".ogg"), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    SampleFolder folder;
};

TEST_F(SampleBank, RecordingsOfAnyChannelsAndRatesBecomeStereoAt44100UpToTenSeconds) {
    // 440 Hz at half scale on the first channel (88 zero crossings in 0.1 s); on the second, the
    // same (mono, also recorded at 48000 and 8000 Hz, and 12 s long at 8000 Hz), silence
    // (stereo), or 880 Hz (three, with 1760 Hz on the third). The mono recording chained to the
    // stereo one: the second stream is not read, least of all with the first one's channels.
    const std::string chained = FUZZ_SEEDS + "chained_mono_then_stereo";
    // Name, length, how often the right side crosses zero.
    const std::tuple<std::string, uint32_t, int> cases[] = {
        {"mono", 4410, 88},  {"mono48k", 4410, 88}, {"mono8k", 4410, 88},
        {"stereo", 4410, 0}, {"three", 4410, 176},  {"long8k", SAMPLE_FRAME_LIMIT, 8800},
        {chained, 4410, 88}};
    for (const auto& [name, length, rightCrossings] : cases) {
        const SampleEntry& entry = load(recording(name));
        ASSERT_EQ(entry.length, length) << name;
        const int leftCrossings = 88 * static_cast<int>(length / 4410);
        const bool mono = rightCrossings == leftCrossings; // both sides alike
        int crossings[2] = {}, peaks[2] = {};
        for (uint32_t i = 1; i < entry.length; ++i) {
            const StereoFrame now = entry.frames[i], before = entry.frames[i - 1];
            crossings[0] += (now.left < 0) != (before.left < 0);
            crossings[1] += (now.right < 0) != (before.right < 0);
            peaks[0] = std::max(peaks[0], std::abs(now.left));
            peaks[1] = std::max(peaks[1], std::abs(now.right));
            ASSERT_TRUE(!mono || now.left == now.right) << name << " frame " << i;
        }
        EXPECT_NEAR(crossings[0], leftCrossings, 3) << name;
        EXPECT_GT(peaks[0], 8000) << name;
        EXPECT_TRUE(rightCrossings ? std::abs(crossings[1] - rightCrossings) <= 3 : peaks[1] < 300)
            << name << ": right side crosses zero " << crossings[1] << " times, peak " << peaks[1];
    }
    // A stop raised while the file is decoded leaves nothing.
    freeSamples();
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(loadSample(0, &stop) && !audio.sampleBank[0].frames && !audio.sampleBank[0].length);
}

TEST(RateConversion, LinearBetweenNeighboursTheLastFrameHeldInPiecesUpToTheLimit) {
    // Output frame j lies at input position j x rate / 44100; left holds the values, right
    // their negatives. Rate, input, output, the size of the input's pieces, most frames out.
    using Values = std::vector<int16_t>;
    const std::tuple<uint64_t, Values, Values, size_t, size_t> cases[] = {
        {44100, {5, -7, 9}, {5, -7, 9}, 2, 99},
        {22050, {0, 100, 200}, {0, 50, 100, 150, 200, 200}, 1, 99},
        {22050, {0, 100, 200}, {0, 50, 100, 150}, 3, 4},
        {88200, {0, 10, 20, 30, 40}, {0, 20, 40}, 3, 99},
        {48000, {0, 1000, 2000, 3000, 4000}, {0, 1088, 2177, 3265, 4000}, 3, 99},
    };
    for (const auto& [rate, inValues, outValues, piece, limit] : cases) {
        std::vector<StereoFrame> in, out, wanted;
        for (int16_t value : inValues) in.push_back({value, static_cast<int16_t>(-value)});
        for (int16_t value : outValues) wanted.push_back({value, static_cast<int16_t>(-value)});
        RateConverter converter{rate};
        for (size_t at = 0; at < in.size(); at += piece)
            convertRate(converter, in.data() + at, std::min(piece, in.size() - at), out, limit);
        finishRate(converter, out, limit);
        EXPECT_EQ(out, wanted) << "rate " << rate << ", limit " << limit;
    }
}

TEST_F(SampleBank, ShutdownStopsTheLoaderAndFreesEverythingWhileDecodingOrDone) {
    for (const char* name : SAMPLE_NAMES) // the game's own samples
        std::filesystem::copy_file(ROOT / "dat/samples" / (name + std::string(".ogg")),
                                   folder.pathOf(name));
    // Shutdown stops the loader and frees everything, while decoding or when done.
    for (bool loaderDone : {false, true}) {
        ASSERT_EQ(startAudio(), nullptr);
        ASSERT_TRUE(!loaderDone || samplesReadyInTime());
        // Left to finish, the loader has filled every entry.
        for (int k = 0; loaderDone && k < SAMPLE_COUNT; ++k)
            EXPECT_GT(audio.sampleBank[k].length, 0u);
        stopAudio();
        EXPECT_FALSE(nullDevice.open || audio.samplesReady);
        for (const SampleEntry& entry : audio.sampleBank)
            EXPECT_TRUE(!entry.frames && !entry.length);
    }
    // A device that cannot be opened ends start-up with one line, the loader stopped first.
    nullDevice.failure = "no sound card here";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(startUp());
    nullDevice.failure = nullptr;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tinyarcade: the audio device could not be opened: no sound card here\n");
    stopLoader(); // a loader left running would end now and set samplesReady
    EXPECT_FALSE(audio.samplesReady || audio.sampleBank[0].frames) << "the loader was left running";
}

// With address space for what is mapped now and a megabyte, no thread's stack fits: the
// process ends with 0 when the bank is ready and empty.
TEST(SampleLoaderDeathTest, NoRoomForTheThreadLeavesTheBankEmptyWithOneLine) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' own allocators need room that this test takes away";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto startLoaderWithoutRoom = [] {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t size = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE)) + (1 << 20);
        const rlimit limit{size, size};
        setrlimit(RLIMIT_AS, &limit);
        startLoader();
        std::_Exit(audio.samplesReady && !audio.sampleBank[0].frames ? 0 : 1);
    };
    EXPECT_EXIT(startLoaderWithoutRoom(), ::testing::ExitedWithCode(0),
                "^tinyarcade: cannot start the sample loader \\(.*\\); playing without samples\n$");
}

// ---- Start-up, the hand-over of control records, the triggers and shutdown -------------------

// Runs the callback for `frames` frames, the way the device would; returns what it played.
std::vector<uint8_t> runCallback(int frames) {
    std::vector<uint8_t> stream(static_cast<size_t>(frames) * 4);
    audioCallback(nullptr, stream.data(), static_cast<int>(stream.size()));
    return stream;
}

// Runs `action` on another thread while this one holds the hand-over lock: every try fails.
template <typename Action> void whileHandOverLockHeld(Action action) {
    const std::lock_guard<std::mutex> held(handOverLock);
    std::thread(action).join();
}

// A running audio subsystem whose loader found no sample folder: start-up still completes, and
// a sample voice ends, silent, as soon as its snapped start comes.
class HandOver : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::remove_all("dat");
        ASSERT_EQ(startAudio(), nullptr);
        ASSERT_TRUE(samplesReadyInTime());
        for (const SampleEntry& entry : audio.sampleBank)
            ASSERT_TRUE(!entry.frames && !entry.length);
    }
    void TearDown() override { stopAudio(); }
    // The frame hands over, the callback takes it and plays a grid's worth.
    static void round() {
        updateAudio(false, false);
        runCallback(static_cast<int>(START_GRID));
    }
    SampleFolder folder;
};

// Which music plays, and the echo's damp, are heard in the recorded runs (tests/replays).
TEST_F(HandOver, StartUpOpensTheDeviceSamplesWaitForTheBankAndPlaySoundCapsAtOne) {
    EXPECT_TRUE(nullDevice.open && !nullDevice.paused);
    // The triggers: a sample waits for the samples, a tone does not.
    audio.samplesReady = false;
    startSound(SOUND_BIRTH, 0, 0.4f, 0.6f, 0);
    EXPECT_EQ(frameControl().voiceSlots.count, 0);
    startSound(SOUND_SQUARE, 440, 0.1f, 0.6f, 0); // a tone needs no samples
    EXPECT_EQ(frameControl().voiceSlots.count, 1);
    audio.samplesReady = true;
    // A voice is 1.5 .. 1.6023 times as loud as asked, its pan 0..15/128 less the offset.
    playSound(SOUND_JUMP, 5.0f, 0.5f);
    const Voice& capped = audio.mixer.voices[1];
    EXPECT_TRUE(capped.volume >= 1.5f && capped.volume <= 1.6023f) << capped.volume;
    EXPECT_TRUE(capped.pan >= -0.5f && capped.pan <= 15 / 128.0f - 0.5f) << capped.pan;
    EXPECT_TRUE(capped.echoSend == 0.6f && capped.frequency == 0);
}

TEST_F(HandOver, FailedTriesKeepStartedSoundsForALaterHandOver) {
    startSound(SOUND_BIRTH, 0, 0.4f, 0.6f, 0);
    whileHandOverLockHeld([] { updateAudio(false, false); }); // the frame's try fails
    runCallback(10);
    EXPECT_FALSE(audio.mixer.voiceActive[0]);
    updateAudio(false, false);
    whileHandOverLockHeld([] { runCallback(10); }); // the callback's try fails
    EXPECT_FALSE(audio.mixer.voiceActive[0]);
    startSound(SOUND_PARADOX, 0, 0.4f, 0.6f, 0); // goes into the frame's next record
    updateAudio(false, false);                   // the spare is not served yet: no trade
    runCallback(10);
    EXPECT_TRUE(audio.mixer.voiceActive[0] && !audio.mixer.voiceActive[1]);
    round();
    EXPECT_GT(audio.mixer.voices[1].position, 0u) << "the second sound was never rendered";
}

// Sounds start and end through many hand-overs: a voice the callback plays is never free for
// the frame to start another sound in, since a finished slot comes back once and is let go.
TEST_F(HandOver, APlayingGameVoiceIsNeverFreeForTheFrame) {
    for (int pass = 0; pass < 300; ++pass) {
        if (pass % 3 == 0) startSound(SOUND_SQUARE, 440, 0.1f, 0, 0);
        updateAudio(false, false);
        runCallback(2048);
        for (int slot = 0; slot < GAME_VOICE_COUNT; ++slot)
            ASSERT_TRUE(!audio.mixer.voiceActive[slot] || audio.gameSlots.gameVoiceBusy[slot])
                << "slot " << slot << " in pass " << pass;
    }
}

} // namespace
