// The sample bank's names and entries.
#include "audio/sample_bank.h"

const char* const SAMPLE_NAMES[SAMPLE_COUNT] = {
    "drum0", "drum1", "drum2", "drum3", "drum4", "drum5", "drum6", "drum7", "drum8",   "drum9",
    "drumA", "drumB", "drumC", "drumD", "drumE", "drumF", "jump",  "birth", "paradox",
};

SampleEntry sampleBank[SAMPLE_COUNT];
std::atomic<bool> samplesReady{false};
