// Recording, watching and checking runs. The file's lines are replay_file.cpp's; this file
// decides what goes into them, feeds them back to the main loop, and compares the digests.
#include "frame/replay.h"

#include "audio/audio.h"
#include "audio/device.h"
#include "audio/wav_file.h"
#include "display/palette.h"
#include "display/picture.h"
#include "frame/frame_state.h"
#include "frame/main_loop.h"
#include "frame/replay_file.h"
#include "frame/screens.h"
#include "game/game_title.h"
#include "platform/messages.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A digest after every this many ticks (some 2.3 s), and one at the end.
constexpr uint32_t DIGEST_TICKS = 128;
// Watching: the sound is made this many buffers ahead of the clock, and a pass waits at most
// this long for its recorded moment (a longer stall, when the game ran nothing, is shortened).
constexpr uint64_t PLAY_SOUND_LEAD = 2;
constexpr uint32_t LONGEST_WAIT = 1000;
constexpr uint32_t WAIT_STEP = 10;
// --wav: at most an hour of sound.
constexpr uint64_t MOST_WAV_BUFFERS = 3600ull * SAMPLE_RATE / DEVICE_BUFFER_FRAMES;
constexpr int BUFFER_BYTES = DEVICE_BUFFER_FRAMES * STEREO_FRAME_BYTES;

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

    // Replaying.
    std::string text;
    ReplayReader reader;
    size_t nextEvent = 0;
    bool endReached = false;
    bool differs = false;
    uint32_t firstDifference = 0;

    // A replay's sound: buffers made so far, the WAV file, and the clock a watcher's pass waits
    // for (its recorded clock counts from here).
    uint64_t buffers = 0;
    std::FILE* wav = nullptr;
    std::string wavPath;
    bool playStarted = false;
    uint32_t playStart = 0;
};

Replay replay;

bool replaying() {
    return replay.mode == ReplayMode::PLAY || replay.mode == ReplayMode::CHECK;
}

// The palette as shown: ten colours of three bytes.
void shownPalette(uint8_t shown[PALETTE_SIZE * 3]) {
    for (int index = 0; index < PALETTE_SIZE; ++index) {
        const Colour colour = colourOf(static_cast<int8_t>(index));
        shown[index * 3] = colourByte(colour.red);
        shown[index * 3 + 1] = colourByte(colour.green);
        shown[index * 3 + 2] = colourByte(colour.blue);
    }
}

// After every pass: a frame drawn in it goes into the hashes. A game's picture covers the
// front page's, which is then left blank.
void noteFrame() {
    if (frame.frameCounter == replay.lastFrame) return;
    replay.lastFrame = frame.frameCounter;
    const auto* game = frame.gameActive ? dynamic_cast<const GameTitle*>(&topScreen()) : nullptr;
    if (game) {
        replay.gamePictures =
            fnv1a(game->image.bytes, sizeof game->image.bytes, replay.gamePictures);
    } else {
        replay.pictures = fnv1a(pixelBuffer, sizeof pixelBuffer, replay.pictures);
    }
    uint8_t shown[PALETTE_SIZE * 3];
    shownPalette(shown);
    replay.palettes = fnv1a(shown, sizeof shown, replay.palettes);
}

ReplayDigest currentDigest() {
    ReplayDigest digest;
    digest.ticks = static_cast<uint32_t>(replay.ticks);
    digest.games = frame.gamesStarted;
    digest.picture = replay.pictures;
    digest.gamePicture = replay.gamePictures;
    digest.palette = replay.palettes;
    digest.lastScore = frame.lastScore;
    digest.bestScore = frame.bestScore;
    if (frame.gameActive) digest.score = topScreen().score;
    return digest;
}

// A digest line starts the hashes afresh.
void restartDigest() {
    replay.pictures = replay.gamePictures = replay.palettes = FNV_START;
}

// ---------------------------------------------------------------------------------------------
// [SECTION] Recording

// Writes the lines so far to the file and lets them go; without a file they stay.
void flushRecording() {
    if (!replay.file) return;
    const std::string& text = replay.writer.text;
    if (replay.writeError == 0 &&
        (std::fwrite(text.data(), 1, text.size(), replay.file) != text.size() ||
         std::fflush(replay.file) != 0)) {
        replay.writeError = errno ? errno : EIO;
    }
    replay.writer.text.clear();
}

void recordPass(uint32_t ticks) {
    writeReplayPass(replay.writer, replay.pass);
    const uint64_t before = replay.ticks;
    replay.ticks += ticks;
    if (before / DIGEST_TICKS != replay.ticks / DIGEST_TICKS) {
        writeReplayDigest(replay.writer, currentDigest(), false);
        restartDigest();
        flushRecording();
    }
}

int finishRecording() {
    writeReplayDigest(replay.writer, currentDigest(), true);
    flushRecording();
    if (replay.file && std::fclose(replay.file) != 0 && replay.writeError == 0) {
        replay.writeError = errno ? errno : EIO;
    }
    replay.file = nullptr;
    if (replay.writeError == 0) return 0;
    say("the replay %s could not be written whole: %s", replay.path.c_str(),
        std::strerror(replay.writeError));
    return 1;
}

// ---------------------------------------------------------------------------------------------
// [SECTION] Replaying

void compareDigest(const ReplayDigest& recorded) {
    if (!replay.differs && !(currentDigest() == recorded)) {
        replay.differs = true;
        replay.firstDifference = recorded.ticks;
    }
    restartDigest();
}

// The replay's sound up to `buffers` device buffers: into the WAV file when checking, to the
// device when watching (as far as it has room).
void makeSoundUntil(uint64_t buffers) {
    uint8_t stream[BUFFER_BYTES];
    if (replay.mode == ReplayMode::CHECK && replay.wav) {
        for (; replay.buffers < buffers && replay.buffers < MOST_WAV_BUFFERS; replay.buffers++) {
            renderOfflineBuffer(stream);
            if (std::fwrite(stream, 1, sizeof stream, replay.wav) != sizeof stream) break;
        }
    } else if (replay.mode == ReplayMode::PLAY) {
        for (; replay.buffers < buffers && fedDeviceHasRoom(); replay.buffers++) {
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
    if (!replay.playStarted) replay.playStart = clockMilliseconds() - replay.pass.clock;
    replay.playStarted = true;
    for (;;) {
        if (watcherLeaves()) return false;
        const uint32_t elapsed = clockMilliseconds() - replay.playStart;
        makeSoundUntil(buffersBy(elapsed) + PLAY_SOUND_LEAD);
        if (elapsed >= replay.pass.clock) return true;
        uint32_t wait = replay.pass.clock - elapsed;
        if (wait > LONGEST_WAIT) {
            replay.playStart -= wait - LONGEST_WAIT;
            wait = LONGEST_WAIT;
        }
        sleepMilliseconds(wait < WAIT_STEP ? wait : WAIT_STEP);
    }
}

// Reads on to the next pass, comparing the digests on the way. False at the end line.
bool nextRecordedPass() {
    ReplayItem item = ReplayItem::PASS;
    ReplayDigest digest;
    while (!replay.endReached && readReplayItem(replay.reader, item, replay.pass, digest)) {
        if (item == ReplayItem::PASS) return true;
        compareDigest(digest);
        replay.endReached = item == ReplayItem::END;
    }
    return false;
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
    const bool ranOut = !nextRecordedPass() && replay.endReached;
    if (!ranOut && !replay.differs) {
        replay.differs = true;
        replay.firstDifference = static_cast<uint32_t>(replay.ticks);
    }
    if (replay.mode == ReplayMode::PLAY) return 0;
    int status = replay.differs ? 1 : 0;
    if (replay.wav) {
        const auto frames = static_cast<uint32_t>(replay.buffers * DEVICE_BUFFER_FRAMES);
        const bool written = std::fflush(replay.wav) == 0 && std::ferror(replay.wav) == 0 &&
                             std::fseek(replay.wav, 0, SEEK_SET) == 0 &&
                             writeWavHeader(replay.wav, frames);
        if (std::fclose(replay.wav) != 0 || !written) {
            say("writing %s failed", replay.wavPath.c_str());
            status = 1;
        }
        replay.wav = nullptr;
    }
    std::printf("ticks %" PRIu64 " games %d last %d best %d ", replay.ticks, frame.gamesStarted,
                frame.lastScore, frame.bestScore);
    if (replay.differs) {
        std::printf("differs at tick %u\n", replay.firstDifference);
    } else {
        std::printf("ok\n");
    }
    return status;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// [SECTION] The run

bool startRecording(const char* path, std::string& error) {
    replay = Replay{};
    replay.mode = ReplayMode::RECORD;
    if (!path) return true;
    replay.path = path;
    // Made, or opened as it is: a run that never begins leaves an earlier file alone.
    int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    replay.created = descriptor >= 0;
    if (descriptor < 0 && errno == EEXIST) descriptor = open(path, O_WRONLY | O_CLOEXEC);
    replay.file = descriptor >= 0 ? fdopen(descriptor, "wb") : nullptr;
    if (!replay.file) {
        error = "cannot write the replay " + replay.path + ": " + std::strerror(errno);
        if (descriptor >= 0) close(descriptor);
    }
    return replay.file != nullptr;
}

bool startReplay(const char* path, ReplayMode mode, const char* wavPath, std::string& error) {
    replay = Replay{};
    replay.path = path;
    std::string fault;
    if (!loadReplayFile(path, replay.text, fault) || !checkReplayText(replay.text, fault) ||
        !readReplayHeader(replay.reader, replay.text, replay.header)) {
        error = "the replay " + replay.path + ": " + fault;
        return false;
    }
    if (wavPath) replay.wavPath = wavPath;
    replay.mode = mode;
    return true;
}

ReplayMode replayMode() {
    return replay.mode;
}

uint32_t runSeed() {
    if (!replaying()) replay.header.seed = static_cast<uint32_t>(std::time(nullptr));
    return replay.header.seed;
}

bool beginRun(std::string& error) {
    const uint32_t picture = fnv1a(frame.titlePicture, sizeof frame.titlePicture);
    if (replay.mode == ReplayMode::RECORD) {
        // What an earlier file held goes only now (a pipe or a device has nothing to cut).
        if (replay.file && !replay.created) (void)ftruncate(fileno(replay.file), 0);
        replay.header.titlePicture = picture;
        writeReplayHeader(replay.writer, replay.header);
        flushRecording();
    } else if (replaying() && picture != replay.header.titlePicture) {
        error = "the replay " + replay.path +
                " was recorded with another title picture than dat/tc0.txt here";
        return false;
    }
    if (!replay.wavPath.empty()) {
        replay.wav = std::fopen(replay.wavPath.c_str(), "wb");
        if (!replay.wav || !writeWavHeader(replay.wav, 0)) {
            error = "cannot write " + replay.wavPath + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void abandonRun() {
    if (replay.file) std::fclose(replay.file);
    if (replay.file && replay.created) unlink(replay.path.c_str());
    if (replay.wav) std::fclose(replay.wav);
    replay = Replay{};
}

bool beginPassInputs() {
    if (replaying()) return beginReplayedPass();
    const bool ready = takeSamplesReady();
    if (replay.mode == ReplayMode::RECORD) {
        if (!replay.loopStarted) replay.loopStart = frame.clock.lastTicks;
        replay.loopStarted = true;
        replay.pass.events.clear();
        replay.pass.ended.count = 0;
        replay.pass.ticks = 0;
        replay.pass.samplesReady = ready && !replay.samplesWereReady;
        replay.samplesWereReady = ready;
    }
    return true;
}

bool nextPassEvent(FrameEvent* event) {
    if (replaying()) {
        if (replay.nextEvent == replay.pass.events.size()) return false;
        *event = replay.pass.events[replay.nextEvent++];
        return true;
    }
    if (!pollFrameEvent(event)) return false;
    // SDL's queue holds far fewer events than a pass line may.
    if (replay.mode == ReplayMode::RECORD) replay.pass.events.push_back(*event);
    return true;
}

uint32_t passTicks() {
    if (replaying()) return replay.pass.ticks;
    const uint32_t now = clockMilliseconds();
    const uint32_t ticks = takeTicks(now);
    if (replay.mode == ReplayMode::RECORD) {
        replay.pass.clock = now - replay.loopStart;
        replay.pass.ticks = ticks;
    }
    return ticks;
}

void passUpdateAudio(bool gameActive, bool emotions) {
    if (replaying()) {
        updateAudioReplayed(gameActive, emotions, replay.pass.ended);
        return;
    }
    const SlotList ended = updateAudio(gameActive, emotions);
    if (replay.mode == ReplayMode::RECORD) replay.pass.ended = ended;
}

void endPassInputs(uint32_t ticks) {
    if (replay.mode != ReplayMode::NONE) noteFrame();
    if (replay.mode == ReplayMode::RECORD) {
        recordPass(ticks);
    } else {
        replay.ticks += ticks;
    }
}

bool sleepsBetweenPasses() {
    return !replaying();
}

int finishRun() {
    switch (replay.mode) {
    case ReplayMode::RECORD:
        return finishRecording();
    case ReplayMode::PLAY:
    case ReplayMode::CHECK:
        return finishReplay();
    case ReplayMode::NONE:
        break;
    }
    return 0;
}

std::string replaySoFar() {
    ReplayWriter writer = replay.writer;
    writeReplayDigest(writer, currentDigest(), true);
    return writer.text;
}
