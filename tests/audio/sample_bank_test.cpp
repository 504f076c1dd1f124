// The sample bank and its loader: decoding files of one, two and three channels into stereo
// frames, files that are missing or damaged, and the loader thread's stop.
#include "sample_folder.h"

#include "audio/decoded_frames.h"
#include "audio/loader.h"
#include "audio/sample_bank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

constexpr int JUMP = 16, BIRTH = 17, PARADOX = 18;
// The test recordings hold 0.1 s: 4410 frames.
constexpr uint32_t TEST_RECORDING_FRAMES = 4410;

std::vector<StereoFrame> convert(const std::vector<short>& decoded, int channels,
                                 uint32_t frameCount) {
    std::vector<StereoFrame> frames(frameCount, StereoFrame{111, 111});
    framesFromDecoded(decoded.data(), channels, frameCount, frames.data());
    return frames;
}

TEST(DecodedFrames, OneChannelFillsBothSides) {
    auto frames = convert({7, -8, 32767}, 1, 3);
    EXPECT_EQ(frames[0].left, 7);
    EXPECT_EQ(frames[0].right, 7);
    EXPECT_EQ(frames[1].left, -8);
    EXPECT_EQ(frames[1].right, -8);
    EXPECT_EQ(frames[2].right, 32767);
}

TEST(DecodedFrames, TwoChannelsAreLeftThenRight) {
    auto frames = convert({1, 2, 3, 4}, 2, 2);
    EXPECT_EQ(frames[0].left, 1);
    EXPECT_EQ(frames[0].right, 2);
    EXPECT_EQ(frames[1].left, 3);
    EXPECT_EQ(frames[1].right, 4);
}

TEST(DecodedFrames, MoreChannelsKeepTheFirstTwoOfEachFrame) {
    // Exactly frames x channels values: the sanitizer runs catch any read past them.
    auto frames = convert({1, 2, 3, 4, 5, 6}, 3, 2);
    EXPECT_EQ(frames[0].left, 1);
    EXPECT_EQ(frames[0].right, 2);
    EXPECT_EQ(frames[1].left, 4);
    EXPECT_EQ(frames[1].right, 5);
}

TEST(DecodedFrames, NoChannelsWriteNothing) {
    auto frames = convert({}, 0, 2);
    EXPECT_EQ(frames[1].left, 111);
}

int zeroCrossings(const SampleEntry& entry, bool right) {
    int crossings = 0;
    for (uint32_t i = 1; i < entry.length; ++i) {
        int before = right ? entry.frames[i - 1].right : entry.frames[i - 1].left;
        int now = right ? entry.frames[i].right : entry.frames[i].left;
        if ((before < 0) != (now < 0)) ++crossings;
    }
    return crossings;
}

int peak(const SampleEntry& entry, bool right) {
    int largest = 0;
    for (uint32_t i = 0; i < entry.length; ++i)
        largest = std::max(largest, std::abs(right ? entry.frames[i].right : entry.frames[i].left));
    return largest;
}

class SampleBank : public ::testing::Test {
  protected:
    void TearDown() override { freeSamples(); }
    SampleFolder folder;

    // Writes `bytes` as sample 0's file.
    void writeSample(const std::vector<char>& bytes) const {
        std::ofstream file(folder.pathOf(SAMPLE_NAMES[0]), std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static std::vector<char> gameSampleBytes(const char* name) {
        std::ifstream file(repositoryRoot() / "dat" / "samples" / (std::string(name) + ".ogg"),
                           std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
};

TEST_F(SampleBank, MissingFileLeavesTheEntryEmpty) {
    loadSample(3);
    EXPECT_EQ(sampleBank[3].frames, nullptr);
    EXPECT_EQ(sampleBank[3].length, 0u);
}

TEST_F(SampleBank, MonoFileSoundsTheSameOnBothSides) {
    folder.copyIn("tests/audio/data/mono.ogg", SAMPLE_NAMES[5]);
    loadSample(5);
    const SampleEntry& entry = sampleBank[5];
    ASSERT_EQ(entry.length, TEST_RECORDING_FRAMES);
    ASSERT_NE(entry.frames, nullptr);
    for (uint32_t i = 0; i < entry.length; ++i)
        ASSERT_EQ(entry.frames[i].left, entry.frames[i].right);
    EXPECT_GT(peak(entry, false), 8000); // a tone at half of full scale
}

TEST_F(SampleBank, StereoFileKeepsItsSides) {
    // The recording has a tone on the left and silence on the right.
    folder.copyIn("tests/audio/data/stereo.ogg", SAMPLE_NAMES[0]);
    loadSample(0);
    const SampleEntry& entry = sampleBank[0];
    ASSERT_EQ(entry.length, TEST_RECORDING_FRAMES);
    EXPECT_GT(peak(entry, false), 8000);
    EXPECT_LT(peak(entry, true), 300);
}

TEST_F(SampleBank, ThreeChannelFileUsesItsFirstTwo) {
    // Channels of 440, 880 and 1760 Hz: the right side must carry the 880 Hz one, twice as
    // many zero crossings as the left.
    folder.copyIn("tests/audio/data/three.ogg", SAMPLE_NAMES[1]);
    loadSample(1);
    const SampleEntry& entry = sampleBank[1];
    ASSERT_EQ(entry.length, TEST_RECORDING_FRAMES);
    const int left = zeroCrossings(entry, false), right = zeroCrossings(entry, true);
    EXPECT_NEAR(left, 88, 3);   // 440 Hz over 0.1 s: 44 periods
    EXPECT_NEAR(right, 176, 3); // 880 Hz
}

TEST_F(SampleBank, TruncatedFileGivesAtMostWhatItHolds) {
    std::vector<char> bytes = gameSampleBytes("paradox");
    folder.copyIn("dat/samples/paradox.ogg", SAMPLE_NAMES[PARADOX]);
    loadSample(PARADOX);
    const uint32_t wholeLength = sampleBank[PARADOX].length;
    ASSERT_GT(wholeLength, 0u);

    for (size_t keep : {bytes.size() / 2, size_t{200}, size_t{0}}) {
        writeSample(std::vector<char>(bytes.begin(), bytes.begin() + static_cast<long>(keep)));
        loadSample(0);
        const SampleEntry& entry = sampleBank[0];
        EXPECT_LT(entry.length, wholeLength) << keep << " bytes kept";
        EXPECT_EQ(entry.frames == nullptr, entry.length == 0) << keep << " bytes kept";
        freeSamples();
    }
}

TEST_F(SampleBank, CorruptFileNeverCrashes) {
    std::vector<char> bytes = gameSampleBytes("drumF");
    // Damage the audio pages after the headers, then the headers themselves.
    for (size_t at : {bytes.size() / 2, size_t{40}, size_t{4}}) {
        std::vector<char> damaged = bytes;
        for (size_t i = at; i < at + 64 && i < damaged.size(); ++i)
            damaged[i] = static_cast<char>(damaged[i] ^ 0x5a);
        writeSample(damaged);
        loadSample(0);
        EXPECT_EQ(sampleBank[0].frames == nullptr, sampleBank[0].length == 0) << "damage at " << at;
        freeSamples();
    }
    writeSample(std::vector<char>(4096, 'x'));
    loadSample(0);
    EXPECT_EQ(sampleBank[0].length, 0u);
}

TEST_F(SampleBank, FreeSamplesEmptiesEveryEntry) {
    folder.copyIn("tests/audio/data/mono.ogg", SAMPLE_NAMES[2]);
    loadSample(2);
    ASSERT_NE(sampleBank[2].frames, nullptr);
    freeSamples();
    for (const SampleEntry& entry : sampleBank) {
        EXPECT_EQ(entry.frames, nullptr);
        EXPECT_EQ(entry.length, 0u);
    }
}

TEST_F(SampleBank, GameSamplesAllLoadWithTheirLengths) {
    folder.copyGameSamples();
    samplesReady = false;
    loadSamples();
    EXPECT_TRUE(samplesReady);
    for (int k = 0; k < SAMPLE_COUNT; ++k) EXPECT_GT(sampleBank[k].length, 0u) << SAMPLE_NAMES[k];
    EXPECT_LT(sampleBank[JUMP].length, 0.3 * SAMPLE_RATE);
    EXPECT_LT(sampleBank[BIRTH].length, 1.0 * SAMPLE_RATE);
    EXPECT_NEAR(sampleBank[PARADOX].length, 2.3 * SAMPLE_RATE, 0.1 * SAMPLE_RATE);
}

TEST_F(SampleBank, LoaderWithoutAnySampleFileStillFinishes) {
    std::filesystem::remove_all("dat");
    samplesReady = false;
    startLoader();
    while (!samplesReady) std::this_thread::yield();
    stopLoader();
    for (const SampleEntry& entry : sampleBank) EXPECT_EQ(entry.length, 0u);
}

TEST_F(SampleBank, StoppedLoaderEndsAfterTheFileItIsDecoding) {
    folder.copyGameSamples();
    samplesReady = false;
    startLoader();
    stopLoader();
    // Stopped before some file: everything before it is whole, nothing after it was begun.
    EXPECT_TRUE(samplesReady);
    int loaded = 0;
    while (loaded < SAMPLE_COUNT && sampleBank[loaded].length > 0) ++loaded;
    for (int k = loaded; k < SAMPLE_COUNT; ++k) EXPECT_EQ(sampleBank[k].frames, nullptr) << k;
}

} // namespace
