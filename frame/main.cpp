// tinyarcade: catch babies. avoid time paradox.
#include "frame/main_loop.h"
#include "frame/options.h"
#include "frame/replay.h"
#include "frame/start_up.h"
#include "platform/messages.h"

#include <cstdio>
#include <string>

namespace {
// Opens the replay file the options name, if any.
bool prepareRun(const Options& options, std::string& error) {
    if (options.record) return startRecording(options.record, error);
    if (options.play) return startReplay(options.play, ReplayMode::PLAY, nullptr, error);
    if (options.check) return startReplay(options.check, ReplayMode::CHECK, options.wav, error);
    return true;
}

int failed(const std::string& error, int status) {
    say("%s", error.c_str());
    return status;
}
} // namespace

int main(int argc, char** argv) {
    guardStandardStreams();
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) return failed(error, 2);
    if (options.help) {
        std::fputs(optionsHelp().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::puts("tinyarcade " TINYARCADE_VERSION);
        return 0;
    }
    if (!prepareRun(options, error)) return failed(error, 1);
    if (!startUp()) {
        abandonRun();
        return 1;
    }
    if (!beginRun(error)) {
        shutDown();
        abandonRun();
        return failed(error, 1);
    }
    mainLoop();
    shutDown();
    return finishRun();
}
