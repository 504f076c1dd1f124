// Chance: seeded draws repeat, and every thread has a state of its own that starts at seed 1.
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

TEST(Chance, ASeedRepeatsItsDrawsWithinRange) {
    seedRandom(42);
    std::vector<int> first = draws(1000);
    seedRandom(42);
    EXPECT_EQ(draws(1000), first);
    for (int value : first) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, RANDOM_MAX);
    }
}

TEST(Chance, EveryThreadStartsFromSeedOneWhateverOthersDo) {
    seedRandom(1);
    std::vector<int> fromSeedOne = draws(8);
    seedRandom(12345);
    std::vector<int> inThread;
    std::thread([&] { inThread = draws(8); }).join();
    EXPECT_EQ(inThread, fromSeedOne);
    EXPECT_NE(draws(8), fromSeedOne);
}

TEST(Chance, LowBitsAreNotStuck) {
    seedRandom(9);
    int odd = 0;
    for (int value : draws(10000)) odd += value & 1;
    EXPECT_GT(odd, 4500);
    EXPECT_LT(odd, 5500);
}

} // namespace
