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

#include <cstdio>

namespace {
// The sound: the device, or a replay's own.
const char* startRunSound() {
    switch (replayMode()) {
    case ReplayMode::PLAY:
        return startReplayAudio(true);
    case ReplayMode::CHECK:
        return startReplayAudio(false);
    default:
        return startAudio();
    }
}
} // namespace

bool startUp() {
    frame = FrameState{};
    seedRandom(runSeed());
    // Checking a replay needs no window: every picture is drawn, none is shown.
    const bool window = replayMode() != ReplayMode::CHECK;
    int width = 0, height = 0;
    if (window && !openWindow(&width, &height)) {
        std::fprintf(stderr, "tinyarcade: cannot open the window: %s\n", platformError());
        return false;
    }
    clearPicture();
    fillTextureNoise(screenTexels);
    if (window) setUpVideo(width, height, screenTexels);
    initPalette();
    if (const char* audioFailure = startRunSound()) {
        stopAudio(); // the sample loader is already at work
        std::fprintf(stderr, "tinyarcade: the audio device could not be opened: %s\n",
                     audioFailure);
        if (window) closeWindow();
        return false;
    }
    const bool pictureFound = loadTitlePicture();
    reportMissingData(pictureFound, countSampleFiles());
    return true;
}

void shutDown() {
    stopAudio();
    if (replayMode() != ReplayMode::CHECK) closeWindow();
}
