// Start-up and shutdown.
#include "frame/start_up.h"

#include "audio/audio.h"
#include "audio/sample_bank.h"
#include "display/palette.h"
#include "display/picture.h"
#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/missing_data.h"
#include "frame/platform.h"
#include "frame/render.h"
#include "frame/replay.h"
#include "frame/title_picture.h"
#include "platform/chance.h"
#include "platform/messages.h"

namespace {
// The sound: the device, or a replay's own.
const char* startRunSound(void (*whileWaiting)(uint32_t waited)) {
    switch (replayMode()) {
    case ReplayMode::PLAY:
        return startReplayAudio(true);
    case ReplayMode::CHECK:
        return startReplayAudio(false);
    default:
        return startAudio(whileWaiting);
    }
}

// How long a sound server may take to answer before the player is told.
constexpr uint32_t SOUND_SERVER_PATIENCE = 3000;

// Called while the sound device opens. Once the sound server has kept the game waiting too
// long, says so; from then on Escape or closing the window leaves, with the opening still
// under way on its own thread.
void whileSoundServerSilent(uint32_t waited) {
    if (waited < SOUND_SERVER_PATIENCE) return;
    if (!frame.toldSoundServerSilent) {
        say("the sound server does not answer; waiting for it (Escape quits)");
    }
    frame.toldSoundServerSilent = true;
    FrameEvent event;
    while (pollFrameEvent(&event)) {
        if (event.type == FrameEvent::QUIT ||
            (event.type == FrameEvent::PRESS && event.key == KEY_CODE_ESCAPE)) {
            leaveNow(1);
        }
    }
}
} // namespace

bool startUp() {
    frame = FrameState{};
    seedRandom(runSeed());
    // Whatever stops the display, the sound stops before the process ends.
    whenDisplayFails([] { stopAudio(); });
    // Checking a replay needs no window: every picture is drawn, none is shown.
    const bool window = replayMode() != ReplayMode::CHECK;
    int width = 0, height = 0;
    if (window && !openWindow(&width, &height)) {
        say("cannot open the window: %s", platformError());
        return false;
    }
    clearPicture();
    fillTextureNoise(screenTexels);
    if (window) setUpVideo(width, height, screenTexels);
    initPalette();
    if (const char* audioFailure = startRunSound(whileSoundServerSilent)) {
        stopAudio(); // the sample loader is already at work
        say("the audio device could not be opened: %s", audioFailure);
        if (window) closeWindow();
        return false;
    }
    const bool pictureFound = loadTitlePicture();
    reportMissingData(pictureFound, countSampleFiles());
    return true;
}

void shutDown() {
    // The player's quit is not held up by a sound server that does not answer.
    if (!stopAudio()) {
        say("the sound device did not close within a second; leaving without it");
        leaveNow(0);
    }
    if (replayMode() != ReplayMode::CHECK) closeWindow();
}
