// Recording runs, and the run's inputs pass by pass. The file's lines are replay_file.cpp's;
// this file decides what goes into them. Watching and checking (replay_play.cpp) feed the
// main loop through the run's ReplayPlayer.
#include "frame/replay.h"

#include "audio/audio.h"
#include "display/palette.h"
#include "display/picture.h"
#include "frame/frame_state.h"
#include "frame/main_loop.h"
#include "frame/replay_run.h"
#include "frame/screens.h"
#include "game/game_title.h"
#include "platform/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A digest after every this many ticks (some 2.3 s), and one at the end.
constexpr uint32_t DIGEST_TICKS = 128;
} // namespace

Replay replay;

namespace {
bool replaying() {
    return replay.player != nullptr;
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
} // namespace

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
    }
    return !replaying() || replay.player->beginRun(picture, error);
}

void abandonRun() {
    if (replay.file) std::fclose(replay.file);
    if (replay.file && replay.created) unlink(replay.path.c_str());
    if (replaying()) replay.player->abandon();
    replay = Replay{};
}

bool beginPassInputs() {
    if (replaying()) return replay.player->beginPass();
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
    if (replaying()) return replay.player->finish();
    return replay.mode == ReplayMode::RECORD ? finishRecording() : 0;
}

std::string replaySoFar() {
    ReplayWriter writer = replay.writer;
    writeReplayDigest(writer, currentDigest(), true);
    return writer.text;
}
