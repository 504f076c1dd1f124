// Reading the title picture file, whatever state it is in, and where its cells land.
#include "display/palette.h"
#include "display/picture.h"
#include "frame/title_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class TitlePicture : public ::testing::Test {
  protected:
    // One file per test and process: CTest runs the tests side by side.
    std::string path = ::testing::TempDir() + "title_picture_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                       std::to_string(getpid()) + ".txt";

    void TearDown() override { std::remove(path.c_str()); }

    void readText(const std::string& text) {
        std::ofstream(path) << text;
        readTitlePicture(path.c_str());
        clearPicture();
        drawTitlePicture();
    }

    static std::string numbers(int count, int value = 0) {
        std::string text;
        for (int k = 0; k < count; k++) text += std::to_string(value) + (k % 64 == 63 ? "\n" : " ");
        return text;
    }

    static int drawnPixels() {
        int count = 0;
        for (int8_t index : pixelBuffer) count += index != 0;
        return count;
    }
};

TEST_F(TitlePicture, NoFileOrOnlyZerosDrawNothing) {
    readTitlePicture("no/such/file.txt");
    clearPicture();
    drawTitlePicture();
    EXPECT_EQ(drawnPixels(), 0);
    readText(numbers(4096));
    EXPECT_EQ(drawnPixels(), 0);
}

TEST_F(TitlePicture, TheFirstNumberIsTheLowerLeftCornerAndTheLastTheUpperRight) {
    readText("3 " + numbers(4094) + "5");
    EXPECT_EQ(pixelAt(32, 22), 3);
    EXPECT_EQ(pixelAt(95, 85), 5);
    EXPECT_EQ(drawnPixels(), 2);
}

TEST_F(TitlePicture, AShortFileFillsOnlyTheBottomLine) {
    readText(numbers(64, 7));
    for (int x = 32; x < 96; x++) EXPECT_EQ(pixelAt(x, 22), 7);
    EXPECT_EQ(drawnPixels(), 64);
}

TEST_F(TitlePicture, LineBreaksMeanNothing) {
    std::string oneLine;
    for (int k = 0; k < 4096; k++) oneLine += std::to_string(k % 10) + "\t";
    readText(oneLine);
    EXPECT_EQ(pixelAt(32 + 65 % 64, 22 + 65 / 64), 65 % 10);
    EXPECT_EQ(pixelAt(32 + 4000 % 64, 22 + 4000 / 64), 4000 % 10);
}

TEST_F(TitlePicture, AnythingAfterTheFirstBadNumberStaysTransparent) {
    readText("1 2 x 4 5");
    EXPECT_EQ(drawnPixels(), 2);
    readText("1 +2 -3 99999999999 4");
    EXPECT_EQ(pixelAt(33, 22), 2);
    EXPECT_EQ(pixelAt(34, 22), -3);
    EXPECT_EQ(drawnPixels(), 3);
}

TEST_F(TitlePicture, OnlyTheLowByteCountsAndValuesOutsideThePaletteShowBlack) {
    readText("259 -1 10 127 128");
    EXPECT_EQ(pixelAt(32, 22), 3);
    for (int x = 33; x <= 36; x++) {
        Colour colour = colourOf(pixelAt(x, 22));
        EXPECT_EQ(colour.red + colour.green + colour.blue, 0.0f) << x;
    }
}

} // namespace
