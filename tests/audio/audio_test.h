// What the audio tests share: a clean mixer and bank around each test, frames that compare and
// print, and (from sample_folder.h) a temporary working folder for the sample loader.
#pragma once

#include "sample_folder.h"

#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sample_bank.h"

#include <gtest/gtest.h>

#include <ostream>

inline bool operator==(StereoFrame a, StereoFrame b) {
    return a.left == b.left && a.right == b.right;
}
inline std::ostream& operator<<(std::ostream& out, StereoFrame frame) {
    return out << "{" << frame.left << ", " << frame.right << "}";
}

// Fresh mixer, the samples ready, the 16 drums two frames of 1000 long; the same afterwards.
class CleanAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        startMusic();
        clear();
        for (int k = 0; k < 16; ++k) sampleBank[k] = {drumFrames, 2};
        samplesReady = true;
    }
    void TearDown() override { clear(); }
    static void clear() {
        for (SampleEntry& entry : sampleBank) entry = SampleEntry{};
        samplesReady = false;
        mixer = {};
        currentChord = musicSection = 0;
    }
    StereoFrame drumFrames[2] = {{1000, 1000}, {1000, 1000}};
};
