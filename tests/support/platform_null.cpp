// The scripted window and clock.
#include "support/platform_null.h"

#include "display/palette.h"
#include "display/picture.h"
#include "frame/main_loop.h"
#include "frame/screens.h"
#include "frame/screenshot.h"
#include "frame/title_picture.h"

#include <cstring>

NullPlatform nullPlatform;

bool openWindow(int* width, int* height) {
    *width = nullPlatform.width;
    *height = nullPlatform.height;
    return nullPlatform.windowOpens;
}

const char* platformError() {
    return "no display in tests";
}

void windowSize(int* width, int* height) {
    *width = nullPlatform.width;
    *height = nullPlatform.height;
}

bool pollFrameEvent(FrameEvent* event) {
    if (nullPlatform.events.empty()) return false;
    *event = nullPlatform.events.front();
    nullPlatform.events.pop_front();
    return true;
}

uint32_t clockMilliseconds() {
    return nullPlatform.now;
}

void sleepMilliseconds(uint32_t milliseconds) {
    nullPlatform.sleeps.push_back(milliseconds);
    nullPlatform.now += milliseconds;
}

void closeWindow() {}

void resetFrame() {
    nullPlatform = NullPlatform();
    if (!screenStack.empty()) screenStack.clear();
    gameActive = false;
    lastScore = -1;
    bestScore = -1;
    tickTarget = 0;
    quitRequested = false;
    lastTicks = 0;
    tickRemainder = 0;
    sleptLong = false;
    frameCounter = 0;
    screenshotCounter = 0;
    clearPicture();
    std::memset(titlePicture, 0, sizeof titlePicture);
    initPalette();
}

void pressKey(int keyCode) {
    nullPlatform.events.push_back({FrameEvent::PRESS, keyCode});
}

void releaseKey(int keyCode) {
    nullPlatform.events.push_back({FrameEvent::RELEASE, keyCode});
}
