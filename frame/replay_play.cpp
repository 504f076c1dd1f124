// Watching and checking a recorded run: its passes fed back to the main loop, its digests
// compared, its sound made in step with the recorded clock (to the device, or to a WAV file).
#include "audio/audio.h"
#include "audio/device.h"
#include "audio/wav_file.h"
#include "frame/frame_state.h"
#include "frame/replay_run.h"
#include "platform/messages.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

namespace {
// Watching: the sound is made this many buffers ahead of the clock, and a pass waits at most
// this long for its recorded moment (a longer stall, when the game ran nothing, is shortened).
constexpr uint64_t PLAY_SOUND_LEAD = 2;
constexpr uint32_t LONGEST_WAIT = 1000;
constexpr uint32_t WAIT_STEP = 10;
// --wav: at most an hour of sound.
constexpr uint64_t MOST_WAV_BUFFERS = 3600ull * SAMPLE_RATE / DEVICE_BUFFER_FRAMES;
constexpr int BUFFER_BYTES = DEVICE_BUFFER_FRAMES * STEREO_FRAME_BYTES;

struct Playback {
    std::string text;
    ReplayReader reader;
    bool endReached = false;
    bool differs = false;
    uint32_t firstDifference = 0;

    // The sound: buffers made so far, the WAV file, and the clock a watcher's pass waits for
    // (its recorded clock counts from here).
    uint64_t buffers = 0;
    std::FILE* wav = nullptr;
    std::string wavPath;
    bool playStarted = false;
    uint32_t playStart = 0;
};

Playback playback;

void compareDigest(const ReplayDigest& recorded) {
    if (!playback.differs && !(currentDigest() == recorded)) {
        playback.differs = true;
        playback.firstDifference = recorded.ticks;
    }
    restartDigest();
}

// The replay's sound up to `buffers` device buffers: into the WAV file when checking, to the
// device when watching (as far as it has room).
void makeSoundUntil(uint64_t buffers) {
    uint8_t stream[BUFFER_BYTES];
    if (replay.mode == ReplayMode::CHECK && playback.wav) {
        for (; playback.buffers < buffers && playback.buffers < MOST_WAV_BUFFERS;
             playback.buffers++) {
            renderOfflineBuffer(stream);
            if (std::fwrite(stream, 1, sizeof stream, playback.wav) != sizeof stream) break;
        }
    } else if (replay.mode == ReplayMode::PLAY) {
        for (; playback.buffers < buffers && fedDeviceHasRoom(); playback.buffers++) {
            renderOfflineBuffer(stream);
            feedDevice(stream);
        }
    }
}

// Device buffers that have played by `milliseconds`.
uint64_t buffersBy(uint32_t milliseconds) {
    return static_cast<uint64_t>(milliseconds) * SAMPLE_RATE / (DEVICE_BUFFER_FRAMES * 1000ull);
}

// The watcher's own keys do nothing but Escape, and closing the window.
bool watcherLeaves() {
    FrameEvent event;
    while (pollFrameEvent(&event)) {
        if (event.type == FrameEvent::QUIT ||
            (event.type == FrameEvent::PRESS && event.key == KEY_CODE_ESCAPE)) {
            return true;
        }
    }
    return false;
}

// Watching: waits for the pass's recorded moment, making the sound meanwhile.
bool waitForPass() {
    if (!playback.playStarted) playback.playStart = clockMilliseconds() - replay.pass.clock;
    playback.playStarted = true;
    for (;;) {
        if (watcherLeaves()) return false;
        const uint32_t elapsed = clockMilliseconds() - playback.playStart;
        makeSoundUntil(buffersBy(elapsed) + PLAY_SOUND_LEAD);
        if (elapsed >= replay.pass.clock) return true;
        uint32_t wait = replay.pass.clock - elapsed;
        if (wait > LONGEST_WAIT) {
            playback.playStart -= wait - LONGEST_WAIT;
            wait = LONGEST_WAIT;
        }
        sleepMilliseconds(wait < WAIT_STEP ? wait : WAIT_STEP);
    }
}

// Reads on to the next pass, comparing the digests on the way. False at the end line.
bool nextRecordedPass() {
    ReplayItem item = ReplayItem::PASS;
    ReplayDigest digest;
    while (!playback.endReached && readReplayItem(playback.reader, item, replay.pass, digest)) {
        if (item == ReplayItem::PASS) return true;
        compareDigest(digest);
        playback.endReached = item == ReplayItem::END;
    }
    return false;
}

// A replay makes sure this folder's title picture is the one the run showed, and --check
// opens its WAV file.
bool beginReplayedRun(uint32_t titlePicture, std::string& error) {
    if (titlePicture != replay.header.titlePicture) {
        error = "the replay " + replay.path +
                " was recorded with another title picture than dat/tc0.txt here";
        return false;
    }
    if (!playback.wavPath.empty()) {
        playback.wav = std::fopen(playback.wavPath.c_str(), "wb");
        if (!playback.wav || !writeWavHeader(playback.wav, 0)) {
            error = "cannot write " + playback.wavPath + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

bool beginReplayedPass() {
    if (!nextRecordedPass()) return false;
    replay.nextEvent = 0;
    if (replay.pass.samplesReady) markSamplesReady();
    takeSamplesReady();
    if (replay.mode == ReplayMode::CHECK) {
        makeSoundUntil(buffersBy(replay.pass.clock));
        return true;
    }
    return waitForPass();
}

int finishReplay() {
    // A replay that stopped early (Escape, or a run that went another way) never met the rest.
    const bool ranOut = !nextRecordedPass() && playback.endReached;
    if (!ranOut && !playback.differs) {
        playback.differs = true;
        playback.firstDifference = static_cast<uint32_t>(replay.ticks);
    }
    if (replay.mode == ReplayMode::PLAY) return 0;
    int status = playback.differs ? 1 : 0;
    if (playback.wav) {
        const auto frames = static_cast<uint32_t>(playback.buffers * DEVICE_BUFFER_FRAMES);
        const bool written = std::fflush(playback.wav) == 0 && std::ferror(playback.wav) == 0 &&
                             std::fseek(playback.wav, 0, SEEK_SET) == 0 &&
                             writeWavHeader(playback.wav, frames);
        if (std::fclose(playback.wav) != 0 || !written) {
            say("writing %s failed", playback.wavPath.c_str());
            status = 1;
        }
        playback.wav = nullptr;
    }
    std::printf("ticks %" PRIu64 " games %d last %d best %d ", replay.ticks, frame.gamesStarted,
                frame.lastScore, frame.bestScore);
    if (playback.differs) {
        std::printf("differs at tick %u\n", playback.firstDifference);
    } else {
        std::printf("ok\n");
    }
    return status;
}

void abandonReplay() {
    if (playback.wav) std::fclose(playback.wav);
    playback = Playback{};
}

constexpr ReplayPlayer PLAYER = {beginReplayedRun, beginReplayedPass, finishReplay, abandonReplay};
} // namespace

bool startReplay(const char* path, ReplayMode mode, const char* wavPath, std::string& error) {
    replay = Replay{};
    playback = Playback{};
    replay.path = path;
    std::string fault;
    if (!loadReplayFile(path, playback.text, fault) || !checkReplayText(playback.text, fault) ||
        !readReplayHeader(playback.reader, playback.text, replay.header)) {
        error = "the replay " + replay.path + ": " + fault;
        return false;
    }
    if (wavPath) playback.wavPath = wavPath;
    replay.mode = mode;
    replay.player = &PLAYER;
    return true;
}
