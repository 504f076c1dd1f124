// Screenshots: the first free name, nothing else touched, size and which way up, and a folder
// that cannot be written.
#include "frame/frame_state.h"
#include "frame/screenshot.h"
#include "support/platform_null.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <unistd.h>

namespace {

std::string readFile(const std::string& name) {
    std::ifstream file(name);
    return {std::istreambuf_iterator<char>(file), {}};
}

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
        // Screenshots go to play/; ../victim is the target of links beside them.
        ASSERT_EQ(mkdir((folder + "/play").c_str(), 0700), 0);
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir((folder + "/play").c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous), 0);
        std::string command = "rm -rf " + folder;
        ASSERT_EQ(std::system(command.c_str()), 0);
        resetFrame();
    }
};

TEST_F(Screenshot, EachTakesTheFirstFreeNameAndLeavesEverythingElseAsItWas) {
    // What lies in the folder before (f a file, d a folder, l a link to ../victim), and the
    // files three screenshots then make.
    const struct {
        std::vector<std::pair<std::string, char>> before;
        std::vector<std::string> made;
    } cases[] = {
        {{}, {"screen0.png", "screen1.png", "screen2.png"}},
        {{{"screen0.png", 'f'}, {"screen1.png", 'f'}},
         {"screen2.png", "screen3.png", "screen4.png"}},
        {{{"screen0.png", 'l'}, {"screen2.png", 'd'}},
         {"screen1.png", "screen3.png", "screen4.png"}},
        {{{"screen1.png", 'f'}, {"screen3.png", 'l'}},
         {"screen0.png", "screen2.png", "screen4.png"}},
    };
    for (const auto& [before, made] : cases) {
        ASSERT_EQ(std::system("rm -rf ./* ./.[!.]* ../victim && echo mine > ../victim"), 0);
        frame.screenshotCounter = 0;
        for (const auto& [name, kind] : before) {
            if (kind == 'f') std::ofstream(name) << "an earlier picture";
            ASSERT_TRUE(kind != 'd' || mkdir(name.c_str(), 0700) == 0);
            ASSERT_TRUE(kind != 'l' || symlink("../victim", name.c_str()) == 0);
        }
        for (int shot = 0; shot < 3; ++shot) takeScreenshot();
        std::set<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            left.insert(entry.path().filename().string());
        std::set<std::string> wanted(made.begin(), made.end());
        for (const auto& kept : before) wanted.insert(kept.first);
        EXPECT_EQ(left, wanted);
        for (const std::string& name : made) {
            int width = 0, height = 0, channels = 0;
            unsigned char* pixels = stbi_load(name.c_str(), &width, &height, &channels, 4);
            ASSERT_NE(pixels, nullptr) << name;
            EXPECT_TRUE(width == 40 && height == 30) << name;
            // The stand-in reads rows whose bytes hold their number counted from the bottom.
            EXPECT_TRUE(pixels[0] == 29 && pixels[29 * 40 * 4] == 0) << name << ": upside down";
            stbi_image_free(pixels);
        }
        for (const auto& [name, kind] : before)
            EXPECT_TRUE(kind != 'f' || readFile(name) == "an earlier picture") << name;
        EXPECT_EQ(readFile("../victim"), "mine\n");
    }
}

TEST_F(Screenshot, AFolderThatIsGoneGetsOneLineAndTheNumberWaits) {
    // Nothing can be made in a folder that was removed, not even by root.
    ASSERT_EQ(rmdir((folder + "/play").c_str()), 0);
    ::testing::internal::CaptureStderr();
    takeScreenshot();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tinyarcade: cannot save a screenshot in ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(frame.screenshotCounter, 0);
}

} // namespace
