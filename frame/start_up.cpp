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
#include "frame/title_picture.h"
#include "platform/chance.h"
#include "platform/messages.h"

#include <ctime>

namespace {
// How long a sound server may take to answer before the player is told.
constexpr uint32_t SOUND_SERVER_PATIENCE = 3000;

bool toldWaiting = false;

// Called while the sound device opens. Once the sound server has kept the game waiting too
// long, says so; from then on Escape or closing the window leaves, with the opening still
// under way on its own thread.
void whileSoundServerSilent(uint32_t waited) {
    if (waited < SOUND_SERVER_PATIENCE) return;
    if (!toldWaiting) say("the sound server does not answer; waiting for it (Escape quits)");
    toldWaiting = true;
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
    seedRandom(static_cast<uint32_t>(std::time(nullptr)));
    // Whatever stops the display, the sound stops before the process ends.
    whenDisplayFails([] { stopAudio(); });
    int width = 0, height = 0;
    if (!openWindow(&width, &height)) {
        say("cannot open the window: %s", platformError());
        return false;
    }
    clearPicture();
    fillTextureNoise(screenTexels);
    setUpVideo(width, height, screenTexels);
    initPalette();
    toldWaiting = false;
    if (const char* audioFailure = startAudio(whileSoundServerSilent)) {
        stopAudio(); // the sample loader is already at work
        say("the audio device could not be opened: %s", audioFailure);
        closeWindow();
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
    closeWindow();
}
