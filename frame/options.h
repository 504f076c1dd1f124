// The command line: a table of options, read into one plain struct. Without options the game
// starts as always.
#pragma once

#include <string>

struct Options {
    bool help = false;
    bool version = false;
    // A window instead of full screen.
    bool window = false;
    // File names; null when the option is not given.
    const char* record = nullptr;
    const char* play = nullptr;
    const char* check = nullptr;
    const char* wav = nullptr;
};

// Reads argv[1..]. False with `error` (one line) for an unknown option, a missing file name, or
// options that do not go together.
bool parseOptions(int argc, char* const* argv, Options& options, std::string& error);

// What --help prints: one line per option.
std::string optionsHelp();
