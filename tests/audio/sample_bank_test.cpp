// The sample bank and its loader: recordings of one, two and three channels and of other rates,
// the rate conversion and the length limit, damaged and crafted files, and the loader thread
// stopped at once or left to finish.
#include "audio_test.h"

#include "audio/decoded_frames.h"
#include "audio/loader.h"

#include <cstdlib>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>
#include <iterator>
#include <thread>
#include <vector>

namespace {

const std::filesystem::path TEST_RECORDINGS = repositoryRoot() / "tests" / "audio" / "data";
const std::filesystem::path FUZZ_SEEDS = repositoryRoot() / "tests/fuzz/corpus/sample_fuzz";

class SampleBank : public ::testing::Test {
  protected:
    void TearDown() override { freeSamples(); }
    // Writes `bytes` as the file of sample 0 and loads it.
    const SampleEntry& load(const std::vector<char>& bytes) const {
        freeSamples();
        std::ofstream(folder.pathOf(SAMPLE_NAMES[0]), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        loadSample(0);
        return sampleBank[0];
    }
    static std::vector<char> recording(const char* name,
                                       const std::filesystem::path& folder = TEST_RECORDINGS) {
        std::ifstream file(folder / (std::string(name) + ".ogg"), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    SampleFolder folder;
};

TEST_F(SampleBank, RecordingsOfOneTwoAndThreeChannelsAndOtherRatesBecomeStereoAt44100) {
    // 0.1 s each, 440 Hz at half scale on the first channel (88 zero crossings); on the second,
    // the same (mono, also recorded at 48000 and 8000 Hz), silence (stereo), or 880 Hz (three,
    // with 1760 Hz on the third).
    const std::pair<const char*, int> cases[] = {
        {"mono", 88}, {"mono48k", 88}, {"mono8k", 88}, {"stereo", 0}, {"three", 176}};
    for (const auto& [name, rightCrossings] : cases) {
        const SampleEntry& entry = load(recording(name));
        ASSERT_EQ(entry.length, 4410u) << name;
        int crossings[2] = {}, peaks[2] = {};
        for (uint32_t i = 1; i < entry.length; ++i) {
            const StereoFrame now = entry.frames[i], before = entry.frames[i - 1];
            crossings[0] += (now.left < 0) != (before.left < 0);
            crossings[1] += (now.right < 0) != (before.right < 0);
            peaks[0] = std::max(peaks[0], std::abs(now.left));
            peaks[1] = std::max(peaks[1], std::abs(now.right));
            ASSERT_TRUE(std::string(name).rfind("mono", 0) != 0 || now.left == now.right)
                << name << " frame " << i;
        }
        EXPECT_NEAR(crossings[0], 88, 3) << name;
        EXPECT_GT(peaks[0], 8000) << name;
        EXPECT_TRUE(rightCrossings ? std::abs(crossings[1] - rightCrossings) <= 3 : peaks[1] < 300)
            << name << ": right side crosses zero " << crossings[1] << " times, peak " << peaks[1];
        freeSamples();
        EXPECT_TRUE(!sampleBank[0].frames && sampleBank[0].length == 0);
    }
}

TEST_F(SampleBank, ALongFileStopsAtTheLimitAndAStopRaisedMeanwhileLeavesNothing) {
    EXPECT_EQ(load(recording("long8k")).length, SAMPLE_FRAME_LIMIT); // 12 s at 8000 Hz
    freeSamples();
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(loadSample(0, &stop));
    EXPECT_EQ(sampleBank[0].frames, nullptr);
}

TEST(RateConversion, LinearBetweenNeighboursTheLastFrameHeldInPiecesUpToTheLimit) {
    // Output frame j lies at input position j x rate / 44100; left holds the values, right
    // their negatives.
    const struct {
        uint64_t rate;
        std::vector<int16_t> in, out;
        size_t piece, limit;
    } cases[] = {
        {44100, {5, -7, 9}, {5, -7, 9}, 2, 99},
        {22050, {0, 100, 200}, {0, 50, 100, 150, 200, 200}, 1, 99},
        {22050, {0, 100, 200}, {0, 50, 100, 150}, 3, 4},
        {29400, {0, 300, 600}, {0, 200, 400, 600, 600}, 2, 99},
        {88200, {0, 10, 20, 30, 40}, {0, 20, 40}, 3, 99},
        {48000,
         {0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000},
         {0, 1088, 2177, 3265, 4354, 5442, 6531, 7619, 8707, 9000},
         4,
         99},
    };
    for (const auto& c : cases) {
        std::vector<StereoFrame> in, out;
        for (int16_t value : c.in) in.push_back({value, static_cast<int16_t>(-value)});
        RateConverter converter{c.rate};
        for (size_t at = 0; at < in.size(); at += c.piece)
            convertRate(converter, in.data() + at, std::min(c.piece, in.size() - at), out, c.limit);
        finishRate(converter, out, c.limit);
        std::vector<StereoFrame> wanted;
        for (int16_t value : c.out) wanted.push_back({value, static_cast<int16_t>(-value)});
        EXPECT_EQ(out, wanted) << "rate " << c.rate << ", limit " << c.limit;
    }
}

// Each file leaves its entry empty or whole, never half, and never crashes (the checked builds
// see any stray read or write). A cut file gives at most what it holds; garbage gives nothing.
TEST_F(SampleBank, DamagedAndCraftedFilesLoadEmptyOrWhole) {
    const std::vector<char> whole = recording("mono");         // 4410 frames
    std::vector<std::pair<std::vector<char>, uint32_t>> files; // bytes, most frames
    for (size_t keep : {whole.size() / 2, size_t{200}, size_t{0}})
        files.push_back({{whole.begin(), whole.begin() + static_cast<long>(keep)}, 4409});
    // Damaged audio pages after the headers, then the headers themselves.
    for (size_t at : {whole.size() / 2, size_t{40}, size_t{4}}) {
        files.push_back({whole, 4410});
        for (size_t i = at; i < at + 64; ++i)
            files.back().first[i] = static_cast<char>(whole[i] ^ 0x5a);
    }
    files.push_back({std::vector<char>(4096, 'x'), 0});
    // Damaged comment headers that once made a decoder free memory it never allocated, write
    // through a null list, leak, or ask for gigabytes: none of them is a valid file.
    for (const char* name : {"crafted_comment_leak", "crafted_huge_comment",
                             "crafted_null_comment_list", "crafted_wild_free"})
        files.push_back({recording(name, FUZZ_SEEDS), 0});
    for (size_t i = 0; i < files.size(); ++i) {
        const SampleEntry& entry = load(files[i].first);
        EXPECT_EQ(entry.frames == nullptr, entry.length == 0) << "file " << i;
        EXPECT_LE(entry.length, files[i].second) << "file " << i;
    }
    // The mono recording chained to the stereo one: the second stream's frames are not read
    // with the first one's channel count.
    const SampleEntry& chained = load(recording("chained_mono_then_stereo", FUZZ_SEEDS));
    ASSERT_EQ(chained.length, 4410u);
    for (uint32_t i = 0; i < chained.length; ++i)
        ASSERT_EQ(chained.frames[i].left, chained.frames[i].right) << i;
}

TEST_F(SampleBank, LoaderStoppedLeavesOnlyWholeEntriesAndUnstoppedLoadsThemAll) {
    folder.copyGameSamples();
    // Stopped at once, it stops in or before some file: everything before it is whole, nothing
    // after it was begun. A stop may come late on a busy machine, but not in every one of 20.
    int stoppedEarly = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        samplesReady = false;
        startLoader();
        stopLoader();
        EXPECT_TRUE(samplesReady);
        int loaded = 0;
        while (loaded < SAMPLE_COUNT && sampleBank[loaded].length > 0) ++loaded;
        for (int k = loaded; k < SAMPLE_COUNT; ++k) EXPECT_EQ(sampleBank[k].frames, nullptr) << k;
        stoppedEarly += loaded < SAMPLE_COUNT;
        freeSamples();
    }
    EXPECT_GT(stoppedEarly, 0);
    samplesReady = false;
    startLoader();
    while (!samplesReady) std::this_thread::yield();
    stopLoader();
    for (int k = 0; k < SAMPLE_COUNT; ++k) EXPECT_GT(sampleBank[k].length, 0u) << k;
}

// Starts the loader with address space for what is mapped now and a megabyte: no room for a
// thread's stack. Ends the process with 0 when the bank is ready and empty.
[[noreturn]] void startLoaderWithoutRoom() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t size = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE)) + (1 << 20);
    const rlimit limit{size, size};
    setrlimit(RLIMIT_AS, &limit);
    startLoader();
    std::_Exit(samplesReady && !sampleBank[0].frames ? 0 : 1);
}

TEST(SampleLoaderDeathTest, NoRoomForTheThreadLeavesTheBankEmptyWithOneLine) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' own allocators need room that this test takes away";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(startLoaderWithoutRoom(), ::testing::ExitedWithCode(0),
                "^tinyarcade: cannot start the sample loader \\(.*\\); playing without samples\n$");
}

} // namespace
