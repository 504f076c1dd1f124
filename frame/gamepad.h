// Gamepads as keys: the stick and the d-pad are Up and Down, the bottom face button is z, Back
// (Select) is Escape and any other button is a key of no meaning to the game, so that it starts
// one from the front page. The edges (SDL's joysticks, the browser's Gamepad API) name what
// changed; padEvents turns it into the key presses and releases the frame already handles.
#pragma once

#include "frame/platform.h"

constexpr int MOST_GAMEPADS = 4;
// The stick must leave the middle by more than this (of 32767) to count: a stick at rest is
// seldom exactly centred.
constexpr int STICK_DEAD_ZONE = 12000;

enum class PadControl {
    // The left stick's vertical axis: -32768 (up) to 32767 (down).
    STICK_VERTICAL,
    // The d-pad's vertical direction: -1 up, 0 neither, 1 down.
    DPAD_VERTICAL,
    // Buttons: 1 pressed, 0 released.
    BUTTON_BOTTOM,
    BUTTON_BACK,
    BUTTON_OTHER,
};

// What one gamepad holds, as far as the keys go.
struct PadState {
    int stick = 0; // -1 up, 0 in the dead zone, 1 down
    int dpad = 0;
};

// Turns a change of one gamepad into key events: writes them to `events` (room for two: a
// stick thrown from up to down releases Up and presses Down) and returns how many.
int padEvents(PadState& pad, PadControl control, int value, FrameEvent events[2]);

// The edges' use of it: each change of gamepad `pad` (0 to 3; others are ignored) queues its key
// events, and the edge's pollFrameEvent takes them, oldest first, before its own.
void queuePadChange(int pad, PadControl control, int value);
bool takePadEvent(FrameEvent* event);
