// A scripted window and clock: tests queue events and move the clock; sleeping moves it too.
#pragma once

#include "frame/platform.h"

#include <deque>
#include <vector>

struct NullPlatform {
    std::deque<FrameEvent> events;
    uint32_t now = 0;
    std::vector<uint32_t> sleeps;
    int width = 1280, height = 960;
};

extern NullPlatform nullPlatform;

// Clears the script and puts every piece of the frame's state back as it is after start-up.
void resetFrame();

void pressKey(int keyCode);
void releaseKey(int keyCode);
