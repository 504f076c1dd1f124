// The options table and its reader.
#include "frame/options.h"

#include <cstring>

namespace {
// An option is a switch (`flag`) or takes a file name (`file`, named `argument` in the help).
struct OptionEntry {
    const char* name;
    bool Options::*flag;
    const char* Options::*file;
    const char* argument;
    const char* help;
};

const OptionEntry OPTION_TABLE[] = {
    {"--record", nullptr, &Options::record, "FILE", "play, and write the run to FILE as a replay"},
    {"--play", nullptr, &Options::play, "FILE", "watch the replay FILE (Escape leaves)"},
    {"--check", nullptr, &Options::check, "FILE",
     "replay FILE without a screen or sound; says ok or where it differs"},
    {"--wav", nullptr, &Options::wav, "OUT.wav",
     "with --check: write the replay's sound to OUT.wav"},
    {"--window", &Options::window, nullptr, nullptr,
     "play in a window instead of full screen (F11 switches)"},
    {"--help", &Options::help, nullptr, nullptr, "show this list"},
    {"--version", &Options::version, nullptr, nullptr, "show the version"},
};

const OptionEntry* findOption(const char* name) {
    for (const OptionEntry& entry : OPTION_TABLE) {
        if (std::strcmp(entry.name, name) == 0) return &entry;
    }
    return nullptr;
}

bool refuse(std::string& error, const std::string& what) {
    error = what + " (tinyarcade --help lists the options)";
    return false;
}
} // namespace

bool parseOptions(int argc, char* const* argv, Options& options, std::string& error) {
    options = Options{};
    for (int i = 1; i < argc; ++i) {
        const OptionEntry* entry = findOption(argv[i]);
        if (!entry) return refuse(error, std::string("unknown option '") + argv[i] + "'");
        if (entry->flag) {
            options.*entry->flag = true;
        } else if (i + 1 == argc || argv[i + 1][0] == '\0') {
            return refuse(error, std::string(entry->name) + " needs a file name");
        } else {
            options.*entry->file = argv[++i];
        }
    }
    const int replays =
        (options.record != nullptr) + (options.play != nullptr) + (options.check != nullptr);
    if (replays > 1) return refuse(error, "--record, --play and --check go one at a time");
    if (options.wav && !options.check) return refuse(error, "--wav goes with --check");
    return true;
}

std::string optionsHelp() {
    std::string help = "usage: tinyarcade [OPTION]...\n";
    for (const OptionEntry& entry : OPTION_TABLE) {
        std::string left = std::string("  ") + entry.name;
        if (entry.argument) left = left + " " + entry.argument;
        left.resize(left.size() < 20 ? 20 : left.size() + 1, ' ');
        help += left + entry.help + "\n";
    }
    return help;
}
