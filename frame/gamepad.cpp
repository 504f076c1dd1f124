// Gamepad changes into key events, and the queue in which the edges keep them for the frame.
#include "frame/gamepad.h"

#include <utility>

namespace {
// Up or Down is held while the stick or the d-pad points that way.
bool holds(const PadState& pad, int direction) {
    return pad.stick == direction || pad.dpad == direction;
}

int stickDirection(int value) {
    if (value < -STICK_DEAD_ZONE) return -1;
    if (value > STICK_DEAD_ZONE) return 1;
    return 0;
}

int buttonKey(PadControl control) {
    switch (control) {
    case PadControl::BUTTON_BOTTOM:
        return KEY_Z;
    case PadControl::BUTTON_BACK:
        return KEY_CODE_ESCAPE;
    default:
        return KEY_CODE_OTHER;
    }
}
} // namespace

int padEvents(PadState& pad, PadControl control, int value, FrameEvent events[2]) {
    if (control != PadControl::STICK_VERTICAL && control != PadControl::DPAD_VERTICAL) {
        events[0] = {value ? FrameEvent::PRESS : FrameEvent::RELEASE, buttonKey(control)};
        return 1;
    }
    const PadState before = pad;
    if (control == PadControl::STICK_VERTICAL) pad.stick = stickDirection(value);
    if (control == PadControl::DPAD_VERTICAL) pad.dpad = value < 0 ? -1 : value > 0 ? 1 : 0;
    // Releases first: a stick thrown across never holds both keys.
    int count = 0;
    for (bool pressing : {false, true}) {
        for (auto [direction, key] : {std::pair{-1, KEY_UP}, std::pair{1, KEY_DOWN}}) {
            const bool was = holds(before, direction), is = holds(pad, direction);
            if (was != is && is == pressing) {
                events[count++] = {is ? FrameEvent::PRESS : FrameEvent::RELEASE, key};
            }
        }
    }
    return count;
}

namespace {
PadState pads[MOST_GAMEPADS];
// Key events made and not yet taken; one change can make two.
constexpr int PAD_QUEUE_SIZE = 32;
FrameEvent padQueue[PAD_QUEUE_SIZE];
int padQueueStart = 0, padQueueCount = 0;
} // namespace

void queuePadChange(int pad, PadControl control, int value) {
    if (pad < 0 || pad >= MOST_GAMEPADS) return;
    FrameEvent made[2];
    const int count = padEvents(pads[pad], control, value, made);
    for (int index = 0; index < count && padQueueCount < PAD_QUEUE_SIZE; index++) {
        padQueue[(padQueueStart + padQueueCount++) % PAD_QUEUE_SIZE] = made[index];
    }
}

bool takePadEvent(FrameEvent* event) {
    if (padQueueCount == 0) return false;
    *event = padQueue[padQueueStart];
    padQueueStart = (padQueueStart + 1) % PAD_QUEUE_SIZE;
    padQueueCount--;
    return true;
}
