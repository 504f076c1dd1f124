// What the audio tests share: a clean mixer and bank around each test, frames that compare and
// print, and a temporary working folder for the sample loader, which reads
// "dat/samples/<name>.ogg" relative to the working folder.
#pragma once

#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sample_bank.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>

inline bool operator==(StereoFrame a, StereoFrame b) {
    return a.left == b.left && a.right == b.right;
}
inline std::ostream& operator<<(std::ostream& out, StereoFrame frame) {
    return out << "{" << frame.left << ", " << frame.right << "}";
}

inline std::filesystem::path repositoryRoot() {
    return TINYARCADE_SOURCE_DIR;
}

// Fresh mixer, the samples ready, the 16 drums two frames of 1000 long; the same afterwards.
class CleanAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        clear();
        computeNoteFrequencies();
        for (int k = 0; k < 16; ++k) sampleBank[k] = {drumFrames, 2};
        samplesReady = true;
    }
    void TearDown() override { clear(); }
    static void clear() {
        for (SampleEntry& entry : sampleBank) entry = SampleEntry{};
        samplesReady = false;
        resetMixer();
        currentChord = musicSection = 0;
    }
    StereoFrame drumFrames[2] = {{1000, 1000}, {1000, 1000}};
};

// An empty dat/samples in a temporary working folder; the previous one comes back at the end.
class SampleFolder {
  public:
    SampleFolder() : previous(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tinyarcade-samples-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        folder = pattern;
        std::filesystem::create_directories(samples());
        std::filesystem::current_path(folder);
    }
    ~SampleFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path samples() const { return folder / "dat" / "samples"; }
    // Copies a file of the repository (a path from its root) in as sample `name`.
    void copyIn(const std::string& repositoryFile, const std::string& name) const {
        std::filesystem::copy_file(repositoryRoot() / repositoryFile, samples() / (name + ".ogg"),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    void copyGameSamples() const {
        std::filesystem::copy(repositoryRoot() / "dat" / "samples", samples());
    }

  private:
    std::filesystem::path previous, folder;
};
