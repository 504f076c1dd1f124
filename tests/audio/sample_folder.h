// A temporary working folder with an empty dat/samples inside, for tests of the sample loader,
// which reads "dat/samples/<name>.ogg" relative to the working folder. The previous working
// folder comes back when the object goes. Shared with the fuzzers.
#pragma once

#include <filesystem>
#include <string>

class SampleFolder {
  public:
    SampleFolder();
    ~SampleFolder();
    SampleFolder(const SampleFolder&) = delete;
    SampleFolder& operator=(const SampleFolder&) = delete;

    // Where the file of bank entry `name` goes.
    std::filesystem::path pathOf(const std::string& name) const;
    // Puts all 19 of the game's own samples in.
    void copyGameSamples() const;

  private:
    std::filesystem::path previous;
    std::filesystem::path folder;
};

// The repository's root, found from this file's place in it.
std::filesystem::path repositoryRoot();
