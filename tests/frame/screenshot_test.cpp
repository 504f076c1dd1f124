// Screenshots: numbering, size, which way up, and a folder that cannot be written.
#include "frame/frame_state.h"
#include "frame/screenshot.h"
#include "support/platform_null.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Screenshot : public ::testing::Test {
  protected:
    std::string folder;
    char previous[4096] = {};

    void SetUp() override {
        resetFrame();
        nullPlatform.width = 40;
        nullPlatform.height = 30;
        char pattern[] = "/tmp/screenshot_testXXXXXX";
        folder = mkdtemp(pattern);
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous), 0);
        std::string command = "rm -rf " + folder;
        ASSERT_EQ(std::system(command.c_str()), 0);
        resetFrame();
    }
};

TEST_F(Screenshot, FilesAreNumberedFromZeroAndHaveTheWindowsSize) {
    takeScreenshot();
    takeScreenshot();
    takeScreenshot();
    for (const char* name : {"screen0.png", "screen1.png", "screen2.png"}) {
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load(name, &width, &height, &channels, 4);
        ASSERT_NE(pixels, nullptr) << name;
        EXPECT_EQ(width, 40);
        EXPECT_EQ(height, 30);
        stbi_image_free(pixels);
    }
    EXPECT_EQ(frame.screenshotCounter, 3);
}

TEST_F(Screenshot, TheTopOfTheFileIsTheTopOfTheScreen) {
    // The stand-in reads rows whose bytes hold their number counted from the bottom.
    takeScreenshot();
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load("screen0.png", &width, &height, &channels, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], 29);
    EXPECT_EQ(pixels[(height - 1) * width * 4], 0);
    stbi_image_free(pixels);
}

TEST_F(Screenshot, AFileThatCannotBeWrittenIsSkippedAndTheCountAdvances) {
    // A folder in the file's place cannot be written over, not even by root.
    ASSERT_EQ(mkdir("screen0.png", 0700), 0);
    takeScreenshot();
    EXPECT_EQ(frame.screenshotCounter, 1);
    takeScreenshot();
    struct stat info;
    EXPECT_EQ(stat("screen1.png", &info), 0);
    ASSERT_EQ(stat("screen0.png", &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST(FlipRows, ExchangesRowsTopForBottom) {
    uint8_t rows[3 * 4] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2};
    flipRows(rows, 1, 3);
    EXPECT_EQ(rows[0], 2);
    EXPECT_EQ(rows[4], 1);
    EXPECT_EQ(rows[8], 0);
}

} // namespace
