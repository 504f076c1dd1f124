// A scripted window and clock: tests queue events and move the clock; sleeping moves it too.
#pragma once

#include "frame/platform.h"

#include <deque>
#include <vector>

struct NullPlatform {
    std::deque<FrameEvent> events;
    uint32_t now = 0;
    std::vector<uint32_t> sleeps;
    // A small window, so that a screenshot of it is quick to write and to read back.
    int width = 40, height = 30;
    bool windowed = false;
};

extern NullPlatform nullPlatform;

// Clears the script and what the null OpenGL edge saw, and puts every piece of the frame's
// state back as it is after start-up.
void resetFrame();
