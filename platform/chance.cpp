// Chance: the classic linear congruential generator (multiplier 214013, increment 2531011,
// 15 bits out), with its state kept per thread.
#include "platform/chance.h"

namespace {
thread_local uint32_t randomState = 1;
}

void seedRandom(uint32_t seed) {
    randomState = seed;
}

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & RANDOM_MAX);
}

uint32_t currentRandomState() {
    return randomState;
}
