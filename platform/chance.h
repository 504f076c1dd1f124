// Chance: our own small random generator with one state per thread.
//
// Every thread starts from seed 1 until it seeds itself, so the audio thread, which never
// seeds, repeats its draws from run to run, and a test that seeds knows every draw that
// follows. Never touches the C library's shared rand().
#pragma once

#include <cstdint>

// Largest value nextRandom() returns.
constexpr int RANDOM_MAX = 32767;

// Seeds the calling thread's generator.
void seedRandom(uint32_t seed);

// Next draw of the calling thread's generator, 0 to RANDOM_MAX.
int nextRandom();

// The calling thread's generator state; seedRandom with it carries on from there. Lets one
// thread make another's draws in turn (a replay runs the audio callback's on the main thread).
uint32_t currentRandomState();
