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

#include <cstdio>
#include <ctime>

bool startUp(bool windowed) {
    frame = FrameState{};
    seedRandom(static_cast<uint32_t>(std::time(nullptr)));
    int width = 0, height = 0;
    if (!openWindow(windowed, &width, &height)) {
        std::fprintf(stderr, "tinyarcade: cannot open the window: %s\n", platformError());
        return false;
    }
    clearPicture();
    fillTextureNoise(screenTexels);
    setUpVideo(width, height, screenTexels);
    initPalette();
    if (const char* audioFailure = startAudio()) {
        stopAudio(); // the sample loader is already at work
        std::fprintf(stderr, "tinyarcade: the audio device could not be opened: %s\n",
                     audioFailure);
        closeWindow();
        return false;
    }
    const bool pictureFound = loadTitlePicture();
    reportMissingData(pictureFound, countSampleFiles());
    return true;
}

void shutDown() {
    stopAudio();
    closeWindow();
}
