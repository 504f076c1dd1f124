#include "sample_folder.h"

#include "audio/sample_bank.h"

#include <stdlib.h>
#include <stdexcept>

namespace fs = std::filesystem;

fs::path repositoryRoot() {
    return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

SampleFolder::SampleFolder() : previous(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "tinyarcade-samples-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder = pattern;
    fs::create_directories(folder / "dat" / "samples");
    fs::current_path(folder);
}

SampleFolder::~SampleFolder() {
    fs::current_path(previous);
    fs::remove_all(folder);
}

fs::path SampleFolder::pathOf(const std::string& name) const {
    return folder / "dat" / "samples" / (name + ".ogg");
}

void SampleFolder::copyGameSamples() const {
    for (const char* name : SAMPLE_NAMES)
        fs::copy_file(repositoryRoot() / "dat/samples" / (std::string(name) + ".ogg"),
                      pathOf(name));
}
