// A private working folder for one fuzzing process: the readers under test open files by
// names relative to the working folder, so each input is written there and read there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// While it lives, the working folder is this process's own temporary folder (made on first
// use, with dat/samples inside, and removed at exit); the previous one comes back after. The
// fuzzer itself reads its corpus by relative names, so it must not be left elsewhere.
class InFuzzFolder {
  public:
    InFuzzFolder();
    ~InFuzzFolder();
    InFuzzFolder(const InFuzzFolder&) = delete;
    InFuzzFolder& operator=(const InFuzzFolder&) = delete;

  private:
    std::filesystem::path previous;
};

// Writes `size` bytes to `path` (relative to the working folder), replacing the file.
void writeFuzzFile(const char* path, const uint8_t* data, size_t size);
