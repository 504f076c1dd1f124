// Reading the title picture file, whatever state it is in, and where its cells land: the first
// number at the lower left (32, 22) of the front page, 64 to a line, the low byte of each.
#include "display/palette.h"
#include "display/picture.h"
#include "frame/title_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string numbers(int count, int value = 0) {
    std::string text;
    for (int k = 0; k < count; k++) text += std::to_string(value) + (k % 64 == 63 ? "\n" : " ");
    return text;
}

struct Cell {
    int x, y, index;
};

TEST(TitlePicture, CellsLandInOrderUntilTheFirstBadNumber) {
    std::string oneLine; // line breaks mean nothing
    for (int k = 0; k < 4096; k++) oneLine += std::to_string(k % 10) + "\t";
    const struct {
        std::string text;
        int drawn;
        std::vector<Cell> cells;
    } cases[] = {
        {"", 0, {}},
        {numbers(4096), 0, {}},
        {"3 " + numbers(4094) + "5", 2, {{32, 22, 3}, {95, 85, 5}}},
        {numbers(64, 7), 64, {{32, 22, 7}, {95, 22, 7}, {32, 23, 0}}},
        {oneLine, 4096 - 410, {{32 + 1, 22 + 1, 5}, {32 + 32, 22 + 62, 0}, {32 + 63, 22 + 63, 5}}},
        {"1 2 x 4 5", 2, {{33, 22, 2}, {34, 22, 0}}},
        {"1 +2 -3 99999999999 4", 3, {{33, 22, 2}, {34, 22, -3}, {35, 22, 0}}},
        {"259 -1 10 127 128", 5, {{32, 22, 3}, {33, 22, -1}, {34, 22, 10}, {36, 22, -128}}},
    };
    const std::string path = ::testing::TempDir() + "title_picture_" + std::to_string(getpid());
    for (const auto& c : cases) {
        std::ofstream(path) << c.text;
        readTitlePicture(path.c_str());
        clearPicture();
        drawTitlePicture();
        int drawn = 0;
        for (int8_t index : pixelBuffer) drawn += index != 0;
        EXPECT_EQ(drawn, c.drawn) << "case " << &c - cases;
        for (Cell cell : c.cells)
            EXPECT_EQ(pixelAt(cell.x, cell.y), cell.index) << "case " << &c - cases;
    }
    std::remove(path.c_str());
    EXPECT_FALSE(readTitlePicture("no/such/file.txt"));
    clearPicture();
    drawTitlePicture();
    for (int8_t index : pixelBuffer) ASSERT_EQ(index, 0);
}

} // namespace
