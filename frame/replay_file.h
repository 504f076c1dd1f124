// The replay file: a run's seed and what reached the main thread from outside, pass by pass,
// with digests of what the screen showed. Writing and reading its lines, and nothing else: this
// file knows the format (described at the top of replay_file.cpp), not the game.
//
// Every file is read whole into memory, at most REPLAY_MOST_BYTES, and every number, line and
// count in it is bounded, so no file can make the reader crash, hang or allocate much.
#pragma once

#include "audio/mixer.h"
#include "frame/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* REPLAY_FIRST_LINE = "tinyarcade replay 1";
// A five-minute run takes some 20 KB.
constexpr size_t REPLAY_MOST_BYTES = 8 << 20;
constexpr size_t REPLAY_LONGEST_LINE = 16384;
// Ten hours of play.
constexpr uint64_t REPLAY_MOST_TICKS = 2000000;

struct ReplayHeader {
    uint32_t seed = 0;
    // FNV-1a of the title picture's cells as the run read them.
    uint32_t titlePicture = 0;
};

// One pass of the main loop as the recording keeps it.
struct RecordedPass {
    // Milliseconds since the main loop began.
    uint32_t clock = 0;
    // Ticks the pass ran: 0 to 32.
    uint32_t ticks = 0;
    // The samples became ready for this pass.
    bool samplesReady = false;
    // Key and quit events, in the order they came.
    std::vector<FrameEvent> events;
    // Game voices that came back ended from the hand-over.
    SlotList ended{};

    // Nothing but ticks: such passes are packed into run lines.
    bool onlyTicks() const { return !samplesReady && events.empty() && ended.count == 0; }
};

// What the screen showed up to a pass, and the scores after it.
struct ReplayDigest {
    // Ticks run since the main loop began, and games started.
    uint32_t ticks = 0;
    int32_t games = 0;
    // FNV-1a carried over every frame drawn since the digest before: the 128 x 96 picture of
    // indices of each front-page frame, the game's picture of each game frame, and the palette
    // as shown (ten colours of three bytes) in each frame.
    uint32_t picture = 0;
    uint32_t gamePicture = 0;
    uint32_t palette = 0;
    int32_t lastScore = -1;
    int32_t bestScore = -1;
    // The running game's score; -1 without a game.
    int32_t score = -1;

    bool operator==(const ReplayDigest& other) const;
};

// FNV-1a, 32 bits, carried on from `hash` (start from FNV_START).
constexpr uint32_t FNV_START = 2166136261u;
uint32_t fnv1a(const void* bytes, size_t size, uint32_t hash = FNV_START);

// Writes a replay's lines into `text`, packing passes that only ran ticks into run lines.
struct ReplayWriter {
    std::string text;
    // Digits on the run line being written; 0 when none is open.
    int runLength = 0;
};

void writeReplayHeader(ReplayWriter& writer, const ReplayHeader& header);
void writeReplayPass(ReplayWriter& writer, const RecordedPass& pass);
// A digest in the middle of the run, or its end.
void writeReplayDigest(ReplayWriter& writer, const ReplayDigest& digest, bool end);

enum class ReplayItem { PASS, DIGEST, END };

// Reads a replay's lines one item at a time from the text of a whole file.
struct ReplayReader {
    const std::string* text = nullptr;
    size_t at = 0;
    int line = 0;
    // The run line being read: its digits not yet given out.
    const char* run = nullptr;
    size_t runLeft = 0;
    // The clock of the last pass, and the last one written on a line (which never goes back).
    uint32_t clock = 0;
    uint32_t lineClock = 0;
    uint64_t ticks = 0;
    bool ended = false;
    // The first fault, as "line N: what".
    std::string error;
};

// Starts reading `text` (which must outlive the reader) at its first line.
bool readReplayHeader(ReplayReader& reader, const std::string& text, ReplayHeader& header);
// The next item: a pass, or a digest. False at a fault, and after the end line.
bool readReplayItem(ReplayReader& reader, ReplayItem& item, RecordedPass& pass,
                    ReplayDigest& digest);
// Reads a whole replay to its end line. False, with `error`, at its first fault.
bool checkReplayText(const std::string& text, std::string& error);

// Reads the file at `path` whole: a regular file of at most REPLAY_MOST_BYTES, opened without
// ever blocking (a pipe or a folder is refused at once). False with `error` said in words.
bool loadReplayFile(const char* path, std::string& text, std::string& error);
