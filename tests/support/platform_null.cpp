// The scripted window and clock.
#include "support/platform_null.h"

#include "frame/frame_state.h"
#include "support/video_null.h"

NullPlatform nullPlatform;

void whenDisplayFails(void (*)()) {}

bool openWindow(int* width, int* height) {
    windowSize(width, height);
    return true;
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
    frame = FrameState{};
    nullPlatform = NullPlatform();
    nullVideo = NullVideo();
}
