// The platform edge: chance (the classic generator's first draws from a seed, and a state per
// thread that starts at seed 1 whatever other threads do), which files the data readers open
// (regular files, also through a link, and nothing else; never blocking on a pipe), and the
// program's lines (never blocking on a full pipe, repeats counted).
#include "platform/chance.h"
#include "platform/data_file.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <fcntl.h>
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

TEST(Messages, AFullPipeDropsWholeLinesAndRepeatsAreCounted) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const int standardError = dup(STDERR_FILENO);
    dup2(pipeEnds[1], STDERR_FILENO);
    // Nobody reads while 2000 lines of some 30 bytes go out: twice what the pipe holds.
    for (int line = 0; line < 2000; ++line) say("line %d of a pipe nobody reads", line);
    std::string said;
    char buffer[4096];
    fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, got);
    EXPECT_EQ(said.substr(0, 42), "tinyarcade: line 0 of a pipe nobody reads\n");
    EXPECT_EQ(said.back(), '\n'); // whole lines only
    EXPECT_LT(said.size(), 2000u * 40);
    say("again");
    say("again");
    say("again");
    say("at last");
    sayRepeats();
    dup2(standardError, STDERR_FILENO);
    close(standardError);
    close(pipeEnds[1]);
    said.clear();
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, got);
    close(pipeEnds[0]);
    EXPECT_EQ(said, "tinyarcade: again\ntinyarcade: the line above, 2 more times\n"
                    "tinyarcade: at last\n");
}
