// Sample files made to break decoders: damaged comment headers that once made the loader free
// memory it never allocated, write through a null list, leak, or ask for gigabytes. The files
// are kept with the sample fuzzer's seeds; each must leave its entry empty or whole, never
// crash (the checked builds see any stray read or write).
#include "sample_folder.h"

#include "audio/sample_bank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(CraftedSamples, LoadEmptyOrWholeWithoutHarm) {
    const std::filesystem::path seeds = repositoryRoot() / "tests/fuzz/corpus/sample_fuzz";
    SampleFolder folder;
    int tried = 0;
    for (const auto& file : std::filesystem::directory_iterator(seeds)) {
        const std::string name = file.path().filename().string();
        if (name.rfind("crafted_", 0) != 0) continue;
        folder.copyIn(std::filesystem::relative(file.path(), repositoryRoot()).string(),
                      SAMPLE_NAMES[0]);
        loadSample(0);
        EXPECT_EQ(sampleBank[0].frames == nullptr, sampleBank[0].length == 0) << name;
        // None of them holds a readable comment header, so none is a valid file.
        EXPECT_EQ(sampleBank[0].length, 0u) << name;
        freeSamples();
        ++tried;
    }
    EXPECT_EQ(tried, 4);
}

TEST(CraftedSamples, ChainedFileKeepsItsFirstStreamOnly) {
    // The 0.1 s mono test recording followed by the stereo one in the same file: the second
    // stream's frames must not be read with the first one's channel count.
    SampleFolder folder;
    folder.copyIn("tests/fuzz/corpus/sample_fuzz/chained_mono_then_stereo.ogg", SAMPLE_NAMES[0]);
    loadSample(0);
    const SampleEntry& entry = sampleBank[0];
    ASSERT_EQ(entry.length, 4410u);
    for (uint32_t i = 0; i < entry.length; ++i)
        ASSERT_EQ(entry.frames[i].left, entry.frames[i].right);
    freeSamples();
}

} // namespace
