// The run as replay.cpp keeps it, shared with replay_play.cpp, which watches and checks.
//
// Watching and checking reach the run only through the ReplayPlayer that startReplay hands it:
// a program that only records (the browser's) never calls startReplay, so it links none of the
// replay reader, the sound made offline or the WAV writer. Main thread only.
#pragma once

#include "frame/replay.h"
#include "frame/replay_file.h"

#include <cstdint>
#include <cstdio>
#include <string>

// What a replay adds to the run, each called where its name says.
struct ReplayPlayer {
    // In beginRun, with the FNV-1a of this folder's title picture.
    bool (*beginRun)(uint32_t titlePicture, std::string& error);
    // In beginPassInputs: reads the next pass into replay.pass; false when the run is over.
    bool (*beginPass)();
    int (*finish)();
    // In abandonRun: closes what the replay opened.
    void (*abandon)();
};

struct Replay {
    ReplayMode mode = ReplayMode::NONE;
    std::string path;
    ReplayHeader header;
    // The pass being recorded or replayed.
    RecordedPass pass;
    // Ticks run since the main loop began.
    uint64_t ticks = 0;
    // Every frame drawn since the last digest, carried into its hashes.
    int32_t lastFrame = 0;
    uint32_t pictures = FNV_START;
    uint32_t gamePictures = FNV_START;
    uint32_t palettes = FNV_START;

    // Recording: the lines not yet in the file (all of them without a file).
    ReplayWriter writer;
    std::FILE* file = nullptr;
    // The file did not exist before.
    bool created = false;
    int writeError = 0;
    bool samplesWereReady = false;
    bool loopStarted = false;
    uint32_t loopStart = 0;

    // Replaying: the player, and the next of the pass's events to give out.
    const ReplayPlayer* player = nullptr;
    size_t nextEvent = 0;
};

extern Replay replay;

// The digest of the run so far, and a fresh start of its hashes after a digest line.
ReplayDigest currentDigest();
void restartDigest();
