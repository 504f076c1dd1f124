// A temporary working folder with an empty dat/samples inside, for tests of the sample loader,
// which reads "dat/samples/<name>.ogg" relative to the working folder. The previous working
// folder comes back when the object goes. Shared with the fuzzers.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>

struct SampleFolder {
    SampleFolder() : previous(std::filesystem::current_path()) {
        std::string pattern = std::filesystem::temp_directory_path() / "tinyarcade-samples-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        folder = pattern;
        std::filesystem::create_directories(folder / "dat" / "samples");
        std::filesystem::current_path(folder);
    }
    ~SampleFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    SampleFolder(const SampleFolder&) = delete;
    SampleFolder& operator=(const SampleFolder&) = delete;

    // Where the file of bank entry `name` goes.
    std::filesystem::path pathOf(const std::string& name) const {
        return folder / "dat" / "samples" / (name + ".ogg");
    }

    std::filesystem::path previous, folder;
};
