// The replay file's lines, written against hand-written text, the faults a damaged file is
// refused for, and the command line. Whole runs are read and replayed by the recorded runs of
// tests/replays, and recorded live end to end (tests/e2e/replay.sh).
#include "frame/options.h"
#include "frame/replay_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const RECORDED = "tinyarcade replay 1\n"
                             "seed 1234\n"
                             "picture 00abcdef\n"
                             "r 18 12\n"
                             "p 60 12\n"
                             "p 70 0 press z release up quit ready ended 3 17\n"
                             "digest 15 1 0000002a ffffffff 00000000 -1 -1 5\n"
                             "r 90 1\n"
                             "end 16 1 0000002a 00000000 00000007 5 5 -1\n";

RecordedPass passOf(uint32_t clock, uint32_t ticks) {
    RecordedPass pass;
    pass.clock = clock;
    pass.ticks = ticks;
    return pass;
}

TEST(ReplayFile, PassesThatOnlyTickShareRunLinesOthersTakeALineEachAndEmptyOnesNone) {
    ReplayWriter writer;
    writeReplayHeader(writer, {1234, 0x00abcdef});
    writeReplayPass(writer, passOf(5, 0)); // nothing to say
    writeReplayPass(writer, passOf(18, 1));
    writeReplayPass(writer, passOf(40, 2));
    writeReplayPass(writer, passOf(60, 12)); // more ticks than a digit holds
    RecordedPass busy = passOf(70, 0);
    busy.events = {
        {FrameEvent::PRESS, KEY_Z}, {FrameEvent::RELEASE, KEY_UP}, {FrameEvent::QUIT, 0}};
    busy.samplesReady = true;
    busy.ended = {{3, 17}, 2};
    writeReplayPass(writer, busy);
    writeReplayDigest(writer, {15, 1, 42, 0xffffffff, 0, -1, -1, 5}, false);
    writeReplayPass(writer, passOf(90, 1));
    writeReplayDigest(writer, {16, 1, 42, 0, 7, 5, 5, -1}, true);
    EXPECT_EQ(writer.text, RECORDED);
}

// Each damaged file is refused at its first fault, with the line and what is wrong there.
TEST(ReplayFile, RefusesDamagedAndForeignFilesAtTheFirstFault) {
    const std::string head = "tinyarcade replay 1\nseed 1\npicture 00000000\n";
    const std::string end = "end 0 0 00000000 00000000 00000000 -1 -1 -1\n";
    std::string tooMany = head;
    for (int line = 0; line < 3500; ++line) tooMany += "r 0 " + std::string(64, '9') + "\n";
    const std::pair<std::string, std::string> faults[] = {
        {"", "empty: not a tinyarcade replay"},
        {"tinyarcade replay 7\n", "line 1: a replay of format '7'"},
        {head, "it ends after line 3, before its end line"},
        {head + "p -5 1\n" + end, "line 4: a negative number '-5'"},
        {head + "p 20 1\np 19 1\n" + end, "line 5: the clock goes back"},
        {head + "r 20 1011\n" + end, "line 4: not a run of digits 1 to 9"},
        {head + "p 20 1 press space\n" + end, "line 4: not a key: 'space'"},
        {head + "p 20 1 ended 64\n" + end, "line 4: a number out of range: '64'"},
        {head + "r 0 1\n" + end,
         "line 5: the digest's 0 ticks disagree with the passes before it (1)"},
        {head + end + "r 0 1\n", "line 5: a line after the end line"},
        {head + "p 1 1 " + std::string(REPLAY_LONGEST_LINE, 'x') + "\n", "line 4: longer than"},
        {tooMany, "line 3476: more than 2000000 ticks"},
    };
    for (const auto& [text, fault] : faults) {
        std::string error;
        EXPECT_FALSE(checkReplayText(text, error)) << fault;
        EXPECT_EQ(error.substr(0, fault.size()), fault);
    }
}

TEST(Options, EachOptionOnceReplaysOneAtATimeAndAnythingElseIsRefusedInOneLine) {
    char program[] = "tinyarcade", record[] = "--record", check[] = "--check", wav[] = "--wav",
         file[] = "run.replay", out[] = "out.wav", bogus[] = "--fullscreen", help[] = "--help";
    Options options;
    std::string error;
    const auto parse = [&](std::vector<char*> words) {
        words.insert(words.begin(), program);
        return parseOptions(static_cast<int>(words.size()), words.data(), options, error);
    };
    EXPECT_TRUE(parse({}) && !options.record && !options.check && !options.help);
    EXPECT_TRUE(parse({check, file, wav, out}));
    EXPECT_TRUE(options.check == file && options.wav == out);
    EXPECT_TRUE(parse({help}) && options.help);
    const std::pair<std::vector<char*>, std::string> refused[] = {
        {{bogus}, "unknown option '--fullscreen'"},
        {{record}, "--record needs a file name"},
        {{wav, out}, "--wav goes with --check"},
        {{record, file, check, file}, "--record, --play and --check go one at a time"},
    };
    for (const auto& [words, said] : refused) {
        EXPECT_FALSE(parse(words)) << said;
        EXPECT_EQ(error, said + " (tinyarcade --help lists the options)");
    }
    const std::string list = optionsHelp();
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 8) << "a usage line, then one per option";
}

} // namespace
