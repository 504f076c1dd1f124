// The replay file's reader and writer.
//
// The format, version 1: plain text, one item to a line, fields separated by blanks.
//
//     tinyarcade replay 1         what the file is and the version of its format
//     seed 1733512345             the seed of the main thread's chance (0 to 4294967295)
//     picture 5d1f0c3a            FNV-1a of the title picture's cells, as eight hex digits
//     r 1520 1111121111           passes that did nothing but run ticks: the first one's clock
//                                 (milliseconds since the main loop began), then one digit per
//                                 pass, its ticks (1 to 9); each later pass of the line counts
//                                 18 ms per tick after the one before
//     p 2210 1 press z ready      any other pass: its clock, its ticks (0 to 32), then what
//                                 reached it, in order: key events "press KEY" and "release
//                                 KEY" (KEY one of up down left right z x escape print other),
//                                 "quit" (the window was closed), "ready" (the samples had
//                                 loaded when it began) and last "ended SLOT..." (the game
//                                 voices, 0 to 63, that came back from the sound thread)
//     digest T G P I C L B S      after the pass that took the run past a multiple of 128
//                                 ticks: T the ticks so far, G the games started, then FNV-1a
//                                 hashes carried over every frame drawn since the digest before:
//                                 of the 128 x 96 picture of palette indices of each front-page
//                                 frame (P), of the game's 32 x 32 picture of each game frame
//                                 (I) and of the palette as shown in each frame (C), as eight
//                                 hex digits; then the last score, the best score and the
//                                 running game's score (L, B, S; -1 for none)
//     end T G P I C L B S         the same, once the run has ended; always the last line
//
// A pass with nothing to say (no tick, no event) is not written: it changes nothing. Blank
// lines are skipped; anything else a line may not hold is an error with its line number.
#include "frame/replay_file.h"

#include "frame/main_loop.h"
#include "platform/data_file.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

namespace {
// Key codes of frame/platform.h in order: the six game keys, then the frame's own and the rest.
const char* const KEY_NAMES[] = {"up", "down",   "left",  "right", "z",
                                 "x",  "escape", "print", "other"};
constexpr int KEY_NAME_COUNT = sizeof KEY_NAMES / sizeof KEY_NAMES[0];
static_assert(KEY_NAME_COUNT == KEY_CODE_OTHER + 1, "a name for every key code");

constexpr int RUN_LINE_DIGITS = 64;
constexpr uint32_t MOST_PASS_TICKS = MOST_TICKS_PER_PASS;
constexpr size_t MOST_PASS_EVENTS = 1024;
constexpr size_t READ_PIECE = 65536;
} // namespace

bool ReplayDigest::operator==(const ReplayDigest& other) const {
    return ticks == other.ticks && games == other.games && picture == other.picture &&
           gamePicture == other.gamePicture && palette == other.palette &&
           lastScore == other.lastScore && bestScore == other.bestScore && score == other.score;
}

uint32_t fnv1a(const void* bytes, size_t size, uint32_t hash) {
    const auto* byte = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ byte[i]) * 16777619u;
    return hash;
}

// ---------------------------------------------------------------------------------------------
// [SECTION] Writing

namespace {
void closeRun(ReplayWriter& writer) {
    if (writer.runLength == 0) return;
    writer.text += '\n';
    writer.runLength = 0;
}

void appendf(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& text, const char* format, ...) {
    char line[96];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    if (length > 0) text.append(line, static_cast<size_t>(length));
}
} // namespace

void writeReplayHeader(ReplayWriter& writer, const ReplayHeader& header) {
    writer.text += REPLAY_FIRST_LINE;
    appendf(writer.text, "\nseed %u\npicture %08x\n", header.seed, header.titlePicture);
}

void writeReplayPass(ReplayWriter& writer, const RecordedPass& pass) {
    if (pass.onlyTicks() && pass.ticks == 0) return;
    if (pass.onlyTicks() && pass.ticks <= 9) {
        if (writer.runLength == RUN_LINE_DIGITS) closeRun(writer);
        if (writer.runLength == 0) appendf(writer.text, "r %u ", pass.clock);
        writer.text += static_cast<char>('0' + pass.ticks);
        writer.runLength++;
        return;
    }
    closeRun(writer);
    appendf(writer.text, "p %u %u", pass.clock, pass.ticks);
    for (const FrameEvent& event : pass.events) {
        if (event.type == FrameEvent::QUIT) {
            writer.text += " quit";
        } else {
            writer.text += event.type == FrameEvent::PRESS ? " press " : " release ";
            writer.text += KEY_NAMES[event.key];
        }
    }
    if (pass.samplesReady) writer.text += " ready";
    if (pass.ended.count > 0) writer.text += " ended";
    for (int i = 0; i < pass.ended.count; ++i) appendf(writer.text, " %d", pass.ended.slots[i]);
    writer.text += '\n';
}

void writeReplayDigest(ReplayWriter& writer, const ReplayDigest& digest, bool end) {
    closeRun(writer);
    appendf(writer.text, "%s %u %d %08x %08x %08x %d %d %d\n", end ? "end" : "digest", digest.ticks,
            digest.games, digest.picture, digest.gamePicture, digest.palette, digest.lastScore,
            digest.bestScore, digest.score);
}

// ---------------------------------------------------------------------------------------------
// [SECTION] Reading

namespace {
// The blank-separated words of one line.
struct Words {
    const char* at;
    const char* end;

    bool next(std::string_view& word) {
        while (at < end && (*at == ' ' || *at == '\t')) ++at;
        if (at == end) return false;
        const char* start = at;
        while (at < end && *at != ' ' && *at != '\t') ++at;
        word = std::string_view(start, static_cast<size_t>(at - start));
        return true;
    }
};

bool fail(ReplayReader& reader, const std::string& what) {
    if (!reader.error.empty()) return false;
    reader.error = reader.line > 0 ? "line " + std::to_string(reader.line) + ": " + what : what;
    return false;
}

// A word, quoted for a message, and cut short when long.
std::string quoted(std::string_view word) {
    constexpr size_t SHOWN = 24;
    return "'" + std::string(word.substr(0, SHOWN)) + (word.size() > SHOWN ? "...'" : "'");
}

// The next line without its line end; false at the end of the text or at a line too long.
bool nextLine(ReplayReader& reader, Words& words) {
    const std::string& text = *reader.text;
    if (reader.at >= text.size()) return false;
    reader.line++;
    const size_t left = text.size() - reader.at;
    const size_t looked = left < REPLAY_LONGEST_LINE + 1 ? left : REPLAY_LONGEST_LINE + 1;
    const char* start = text.data() + reader.at;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', looked));
    if (!newline && left > REPLAY_LONGEST_LINE) {
        return fail(reader, "longer than " + std::to_string(REPLAY_LONGEST_LINE) + " bytes");
    }
    const char* end = newline ? newline : start + left;
    reader.at += static_cast<size_t>(end - start) + (newline ? 1 : 0);
    if (end > start && end[-1] == '\r') --end;
    words = {start, end};
    return true;
}

// The next line that is not blank, and its first word.
bool nextFilledLine(ReplayReader& reader, Words& words, std::string_view& first) {
    while (nextLine(reader, words)) {
        if (words.next(first)) return true;
    }
    return false;
}

bool readUnsigned(ReplayReader& reader, std::string_view word, uint64_t most, uint64_t& value) {
    if (!word.empty() && word[0] == '-') return fail(reader, "a negative number " + quoted(word));
    if (word.empty() || word.size() > 10) return fail(reader, "not a number: " + quoted(word));
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return fail(reader, "not a number: " + quoted(word));
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > most) return fail(reader, "a number out of range: " + quoted(word));
    return true;
}

// The next word as a number of 0..most.
bool readNumber(ReplayReader& reader, Words& words, uint64_t most, uint64_t& value) {
    std::string_view word;
    if (!words.next(word)) return fail(reader, "a number is missing");
    return readUnsigned(reader, word, most, value);
}

bool readU32(ReplayReader& reader, Words& words, uint32_t& value) {
    uint64_t wide = 0;
    if (!readNumber(reader, words, UINT32_MAX, wide)) return false;
    value = static_cast<uint32_t>(wide);
    return true;
}

// A score: -1 (none) or 0 and above.
bool readScore(ReplayReader& reader, Words& words, int32_t& value) {
    std::string_view word;
    if (!words.next(word)) return fail(reader, "a number is missing");
    if (word == "-1") {
        value = -1;
        return true;
    }
    uint64_t wide = 0;
    if (!readUnsigned(reader, word, INT32_MAX, wide)) return false;
    value = static_cast<int32_t>(wide);
    return true;
}

bool readHex(ReplayReader& reader, Words& words, uint32_t& value) {
    std::string_view word;
    if (!words.next(word)) return fail(reader, "a digest is missing");
    if (word.size() != 8) return fail(reader, "not eight hex digits: " + quoted(word));
    value = 0;
    for (char c : word) {
        const char* digits = "0123456789abcdef";
        const char lower = c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
        const char* digit = std::strchr(digits, lower);
        if (!digit || lower == '\0') return fail(reader, "not eight hex digits: " + quoted(word));
        value = value << 4 | static_cast<uint32_t>(digit - digits);
    }
    return true;
}

bool nothingMore(ReplayReader& reader, Words& words) {
    std::string_view word;
    if (words.next(word)) return fail(reader, "more than the line may hold: " + quoted(word));
    return true;
}

// The clock of a new line: it never goes back.
bool readClock(ReplayReader& reader, Words& words, uint32_t& clock) {
    if (!readU32(reader, words, clock)) return false;
    if (clock < reader.lineClock) return fail(reader, "the clock goes back");
    reader.lineClock = clock;
    return true;
}

bool countTicks(ReplayReader& reader, uint32_t ticks) {
    reader.ticks += ticks;
    if (reader.ticks > REPLAY_MOST_TICKS) {
        return fail(reader, "more than " + std::to_string(REPLAY_MOST_TICKS) +
                                " ticks: longer than any run this game records");
    }
    return true;
}

// The next pass of the run line being read.
bool takeRunPass(ReplayReader& reader, RecordedPass& pass, bool first) {
    const uint32_t ticks = static_cast<uint32_t>(*reader.run++ - '0');
    reader.runLeft--;
    pass = RecordedPass{};
    pass.ticks = ticks;
    if (!first) {
        const uint64_t later = static_cast<uint64_t>(reader.clock) + ticks * TICK_MILLISECONDS;
        reader.clock = later > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(later);
    }
    pass.clock = reader.clock;
    return countTicks(reader, ticks);
}

bool readRunLine(ReplayReader& reader, Words& words, RecordedPass& pass) {
    uint32_t clock = 0;
    std::string_view digits;
    if (!readClock(reader, words, clock)) return false;
    if (!words.next(digits)) return fail(reader, "a run without passes");
    for (char c : digits) {
        if (c < '1' || c > '9')
            return fail(reader, "not a run of digits 1 to 9: " + quoted(digits));
    }
    if (!nothingMore(reader, words)) return false;
    reader.clock = clock;
    reader.run = digits.data();
    reader.runLeft = digits.size();
    return takeRunPass(reader, pass, true);
}

bool readKey(ReplayReader& reader, Words& words, int& key) {
    std::string_view word;
    if (!words.next(word)) return fail(reader, "a key is missing");
    for (key = 0; key < KEY_NAME_COUNT; ++key) {
        if (word == KEY_NAMES[key]) return true;
    }
    return fail(reader, "not a key: " + quoted(word));
}

bool readEnded(ReplayReader& reader, Words& words, SlotList& ended) {
    std::string_view word;
    while (words.next(word)) {
        uint64_t slot = 0;
        if (!readUnsigned(reader, word, GAME_VOICE_COUNT - 1, slot)) return false;
        if (ended.count == GAME_VOICE_COUNT) return fail(reader, "more game voices than there are");
        ended.slots[ended.count++] = static_cast<int32_t>(slot);
    }
    if (ended.count == 0) return fail(reader, "'ended' without a voice");
    return true;
}

bool readPassLine(ReplayReader& reader, Words& words, RecordedPass& pass) {
    std::vector<FrameEvent> events = std::move(pass.events);
    events.clear();
    pass = RecordedPass{};
    pass.events = std::move(events);
    uint64_t ticks = 0;
    if (!readClock(reader, words, pass.clock) ||
        !readNumber(reader, words, MOST_PASS_TICKS, ticks)) {
        return false;
    }
    reader.clock = pass.clock;
    pass.ticks = static_cast<uint32_t>(ticks);
    std::string_view word;
    while (words.next(word)) {
        int key = 0;
        if (pass.events.size() == MOST_PASS_EVENTS)
            return fail(reader, "too many events in a pass");
        if ((word == "press" || word == "release") && !readKey(reader, words, key)) return false;
        if (word == "press") {
            pass.events.push_back({FrameEvent::PRESS, key});
        } else if (word == "release") {
            pass.events.push_back({FrameEvent::RELEASE, key});
        } else if (word == "quit") {
            pass.events.push_back({FrameEvent::QUIT, 0});
        } else if (word == "ready") {
            pass.samplesReady = true;
        } else if (word == "ended") {
            return readEnded(reader, words, pass.ended) && countTicks(reader, pass.ticks);
        } else {
            return fail(reader, "not something a pass holds: " + quoted(word));
        }
    }
    return countTicks(reader, pass.ticks);
}

bool readDigestLine(ReplayReader& reader, Words& words, ReplayDigest& digest) {
    digest = ReplayDigest{};
    uint64_t games = 0;
    if (!readU32(reader, words, digest.ticks) || !readNumber(reader, words, INT32_MAX, games) ||
        !readHex(reader, words, digest.picture) || !readHex(reader, words, digest.gamePicture) ||
        !readHex(reader, words, digest.palette) || !readScore(reader, words, digest.lastScore) ||
        !readScore(reader, words, digest.bestScore) || !readScore(reader, words, digest.score) ||
        !nothingMore(reader, words)) {
        return false;
    }
    digest.games = static_cast<int32_t>(games);
    if (digest.ticks != reader.ticks) {
        return fail(reader, "the digest's " + std::to_string(digest.ticks) +
                                " ticks disagree with the passes before it (" +
                                std::to_string(reader.ticks) + ")");
    }
    return true;
}
} // namespace

bool readReplayHeader(ReplayReader& reader, const std::string& text, ReplayHeader& header) {
    reader = ReplayReader{};
    reader.text = &text;
    Words words{};
    std::string_view word;
    if (!nextLine(reader, words)) {
        return reader.error.empty() ? fail(reader, "empty: not a tinyarcade replay") : false;
    }
    const std::string_view first(words.at, static_cast<size_t>(words.end - words.at));
    constexpr std::string_view KIND = "tinyarcade replay ";
    if (first.substr(0, KIND.size()) == KIND && first != REPLAY_FIRST_LINE) {
        return fail(reader, "a replay of format " + quoted(first.substr(KIND.size())) +
                                "; this tinyarcade reads format 1");
    }
    if (first != REPLAY_FIRST_LINE) {
        return fail(reader, std::string("not a tinyarcade replay (it starts with '") +
                                REPLAY_FIRST_LINE + "')");
    }
    if (!nextFilledLine(reader, words, word) || word != "seed") {
        return fail(reader, "the seed line is missing");
    }
    if (!readU32(reader, words, header.seed) || !nothingMore(reader, words)) return false;
    if (!nextFilledLine(reader, words, word) || word != "picture") {
        return fail(reader, "the picture line is missing");
    }
    return readHex(reader, words, header.titlePicture) && nothingMore(reader, words);
}

bool readReplayItem(ReplayReader& reader, ReplayItem& item, RecordedPass& pass,
                    ReplayDigest& digest) {
    if (reader.ended || !reader.error.empty()) return false;
    if (reader.runLeft > 0) {
        item = ReplayItem::PASS;
        return takeRunPass(reader, pass, false);
    }
    Words words{};
    std::string_view kind;
    if (!nextFilledLine(reader, words, kind)) {
        if (reader.error.empty()) {
            reader.error = "it ends after line " + std::to_string(reader.line) +
                           ", before its end line: cut short?";
        }
        return false;
    }
    if (kind == "r") {
        item = ReplayItem::PASS;
        return readRunLine(reader, words, pass);
    }
    if (kind == "p") {
        item = ReplayItem::PASS;
        return readPassLine(reader, words, pass);
    }
    if (kind == "digest" || kind == "end") {
        item = kind == "end" ? ReplayItem::END : ReplayItem::DIGEST;
        reader.ended = item == ReplayItem::END;
        return readDigestLine(reader, words, digest);
    }
    return fail(reader, "not a line of a replay: " + quoted(kind));
}

bool checkReplayText(const std::string& text, std::string& error) {
    ReplayReader reader;
    ReplayHeader header;
    RecordedPass pass;
    ReplayDigest digest;
    ReplayItem item = ReplayItem::PASS;
    bool read = readReplayHeader(reader, text, header);
    while (read && item != ReplayItem::END) read = readReplayItem(reader, item, pass, digest);
    Words words{};
    std::string_view word;
    if (read && nextFilledLine(reader, words, word)) fail(reader, "a line after the end line");
    error = reader.error;
    return error.empty();
}

bool loadReplayFile(const char* path, std::string& text, std::string& error) {
    text.clear();
    std::FILE* file = openDataFile(path);
    if (!file) {
        struct stat status;
        const int openError = errno;
        error = stat(path, &status) == 0 && !S_ISREG(status.st_mode) ? "not a regular file"
                                                                     : std::strerror(openError);
        return false;
    }
    // Piece by piece: a file that grows past the limit is never held whole.
    char piece[READ_PIECE];
    size_t read = 0;
    while ((read = std::fread(piece, 1, sizeof piece, file)) > 0 &&
           text.size() + read <= REPLAY_MOST_BYTES) {
        text.append(piece, read);
    }
    const bool tooLarge = read > 0;
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge) {
        error = "larger than " + std::to_string(REPLAY_MOST_BYTES >> 20) + " MB: not a replay";
    } else if (failed) {
        error = "cannot be read";
    }
    if (tooLarge || failed) text.clear();
    return !tooLarge && !failed;
}
