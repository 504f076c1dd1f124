// Chance: the classic generator's first draws from a seed, and a state per thread that starts
// at seed 1 whatever other threads do.
#include "platform/chance.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

std::vector<int> draws(int count) {
    std::vector<int> values;
    for (int i = 0; i < count; i++) values.push_back(nextRandom());
    return values;
}

TEST(Chance, SeedOneDrawsTheClassicSequenceInEveryThread) {
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

} // namespace
