// The platform edge: chance (the classic generator's first draws from a seed, and a state per
// thread that starts at seed 1 whatever other threads do) and which files the data readers
// open (regular files, also through a link, and nothing else; never blocking on a pipe).
#include "platform/chance.h"
#include "platform/data_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(Chance, SeedOneDrawsTheClassicSequenceInEveryThread) {
    auto draws = [](int count) {
        std::vector<int> values;
        for (int i = 0; i < count; i++) values.push_back(nextRandom());
        return values;
    };
    const std::vector<int> fromSeedOne = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    seedRandom(12345);
    std::vector<int> inThread;
    std::thread([&] { inThread = draws(8); }).join();
    EXPECT_EQ(inThread, fromSeedOne);
    EXPECT_NE(draws(8), fromSeedOne);
    seedRandom(1);
    EXPECT_EQ(draws(8), fromSeedOne);
    for (int value : draws(10000)) ASSERT_TRUE(value >= 0 && value <= RANDOM_MAX) << value;
}

TEST(DataFile, OnlyRegularFilesOpenAndNothingBlocks) {
    char pattern[] = "/tmp/data_file_testXXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string file = folder + "/file", pipe = folder + "/pipe";
    std::ofstream(file) << '7';
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(symlink(file.c_str(), (folder + "/link").c_str()), 0);
    const std::pair<std::string, bool> cases[] = {
        {file, true},  {folder + "/link", true}, {folder + "/missing", false}, {folder, false},
        {pipe, false}, {"/dev/null", false}};
    for (const auto& [path, opens] : cases) {
        std::FILE* opened = openDataFile(path.c_str());
        // What opens reads as the file.
        EXPECT_EQ(opened ? std::fgetc(opened) : 0, opens ? '7' : 0) << path;
        if (opened) std::fclose(opened);
    }
    std::filesystem::remove_all(folder);
}
