// The fuzzers' working folder: one per process, so fuzzers may run side by side.
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::filesystem::path fuzzFolder;

void removeFuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(fuzzFolder, ignored);
}

const std::filesystem::path& theFuzzFolder() {
    if (fuzzFolder.empty()) {
        std::string pattern = std::filesystem::temp_directory_path() / "tinyarcade-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        fuzzFolder = pattern;
        std::atexit(removeFuzzFolder);
        std::filesystem::create_directories(fuzzFolder / "dat" / "samples");
    }
    return fuzzFolder;
}
} // namespace

InFuzzFolder::InFuzzFolder() : previous(std::filesystem::current_path()) {
    std::filesystem::current_path(theFuzzFolder());
}

InFuzzFolder::~InFuzzFolder() {
    std::filesystem::current_path(previous);
}

void writeFuzzFile(const char* path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
}
