// Any bytes as a replay file: the reader refuses them or reads them to their end line, within
// its bounds. What it accepts must mean the same once written again: the writer's lines read
// back as the same passes (those with nothing to say left out) and the same digests.
#include "frame/replay_file.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {
// What a replay means: passes and digests in order, without the clocks (a run line keeps only
// its first).
struct Meaning {
    std::vector<RecordedPass> passes;
    std::vector<ReplayDigest> digests;
};

bool samePass(const RecordedPass& a, const RecordedPass& b) {
    if (a.ticks != b.ticks || a.samplesReady != b.samplesReady ||
        a.events.size() != b.events.size() || a.ended.count != b.ended.count) {
        return false;
    }
    for (size_t i = 0; i < a.events.size(); ++i) {
        if (a.events[i].type != b.events[i].type || a.events[i].key != b.events[i].key)
            return false;
    }
    for (int i = 0; i < a.ended.count; ++i) {
        if (a.ended.slots[i] != b.ended.slots[i]) return false;
    }
    return true;
}

bool read(const std::string& text, ReplayHeader& header, Meaning& meaning) {
    ReplayReader reader;
    if (!readReplayHeader(reader, text, header)) return false;
    ReplayItem item = ReplayItem::PASS;
    RecordedPass pass;
    ReplayDigest digest;
    while (item != ReplayItem::END && readReplayItem(reader, item, pass, digest)) {
        if (item == ReplayItem::PASS && !(pass.onlyTicks() && pass.ticks == 0)) {
            meaning.passes.push_back(pass);
        }
        if (item != ReplayItem::PASS) meaning.digests.push_back(digest);
    }
    return item == ReplayItem::END && reader.error.empty();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const bool accepted = checkReplayText(text, error);
    if (accepted != error.empty() || error.size() > 200) std::abort();
    ReplayHeader header;
    Meaning meaning;
    if (!read(text, header, meaning) || !accepted) return 0;

    ReplayWriter writer;
    writeReplayHeader(writer, header);
    size_t digest = 0;
    uint64_t ticks = 0;
    for (RecordedPass pass : meaning.passes) {
        // Clocks are left out of the meaning; where the writer breaks runs, a recorded clock
        // may come before a run's last reckoned one.
        pass.clock = 0;
        // The digests that came before this pass, at their own tick counts.
        while (digest < meaning.digests.size() && meaning.digests[digest].ticks == ticks &&
               digest + 1 < meaning.digests.size()) {
            writeReplayDigest(writer, meaning.digests[digest++], false);
        }
        writeReplayPass(writer, pass);
        ticks += pass.ticks;
    }
    while (digest + 1 < meaning.digests.size())
        writeReplayDigest(writer, meaning.digests[digest++], false);
    writeReplayDigest(writer, meaning.digests.back(), true);

    ReplayHeader again;
    Meaning written;
    if (!checkReplayText(writer.text, error) || !read(writer.text, again, written)) std::abort();
    if (again.seed != header.seed || again.titlePicture != header.titlePicture ||
        written.passes.size() != meaning.passes.size() || !(written.digests == meaning.digests)) {
        std::abort();
    }
    for (size_t i = 0; i < written.passes.size(); ++i) {
        if (!samePass(written.passes[i], meaning.passes[i])) std::abort();
    }
    return 0;
}
