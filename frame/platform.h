// The window and clock edge: the only functions of the frame that call SDL.
//
// The program links the SDL ones (platform_sdl.cpp); tests link a scripted stand-in with a list
// of events and a fake clock, so the main loop runs without a window.
#pragma once

#include "game/game_state.h"

#include <cstdint>

// Keys as the edge reports them: the six game keys by their key index (KEY_UP to KEY_X), the
// frame's own two, and every other key as one. The edge's keyTable holds the platform's codes.
constexpr int KEY_CODE_ESCAPE = GAME_KEY_COUNT;
constexpr int KEY_CODE_PRINT = GAME_KEY_COUNT + 1;
constexpr int KEY_CODE_OTHER = GAME_KEY_COUNT + 2;

struct FrameEvent {
    enum Type { QUIT, PRESS, RELEASE } type;
    // Key code of a key event (above).
    int key;
};

// When the display goes away, or refuses a request (as when the OpenGL driver fails), the edge
// says so on one line, runs `stopFirst` and ends the process with status 1 at once, without
// exit handlers: no library may unload under the sound device's thread. `stopFirst` runs
// inside the window system's call that found out and must not touch the window.
void whenDisplayFails(void (*stopFirst)());

// Opens the full-screen OpenGL window at the display's own size, captioned "tinyarcade", with
// the pointer hidden and key repeat off. On failure returns false; platformError() says
// why.
bool openWindow(int* width, int* height);
const char* platformError();

// The window's actual size in pixels.
void windowSize(int* width, int* height);

// Takes the next pending event; false when there is none.
bool pollFrameEvent(FrameEvent* event);

// Milliseconds since start-up; wraps after 49 days.
uint32_t clockMilliseconds();
void sleepMilliseconds(uint32_t milliseconds);

void closeWindow();
