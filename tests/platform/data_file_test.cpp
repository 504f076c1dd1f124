// Which files the data readers open: regular files, also through a link, and nothing else;
// never blocking on a pipe.
#include "platform/data_file.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(DataFile, OnlyRegularFilesOpenAndNothingBlocks) {
    char pattern[] = "/tmp/data_file_testXXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string file = folder + "/file", pipe = folder + "/pipe";
    std::FILE* made = std::fopen(file.c_str(), "w");
    ASSERT_NE(made, nullptr);
    std::fputs("7", made);
    std::fclose(made);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(symlink(file.c_str(), (folder + "/link").c_str()), 0);
    const struct {
        std::string path;
        bool opens;
    } cases[] = {
        {file, true},  {folder + "/link", true}, {folder + "/missing", false}, {folder, false},
        {pipe, false}, {"/dev/null", false},
    };
    for (const auto& [path, opens] : cases) {
        std::FILE* opened = openDataFile(path.c_str());
        EXPECT_EQ(opened != nullptr, opens) << path;
        if (opened) {
            EXPECT_EQ(std::fgetc(opened), '7') << path;
            std::fclose(opened);
        }
    }
    ASSERT_EQ(std::system(("rm -rf " + folder).c_str()), 0);
}

} // namespace
