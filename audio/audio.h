// The audio subsystem's face to the frame and the game: start-up, the per-frame hand-over,
// shutdown, and the sound triggers. All of these run on the main thread.
#pragma once

#include "audio/sound_numbers.h"

#include <cstdint>

// Start-up: resets the shared state, starts the sample loader and the device. Returns null, or
// the device's reason when it cannot be opened; the loader is running then, and stopAudio
// stops it. While the device takes its time to open, whileWaiting is called about every tenth
// of a second with the milliseconds waited (openDevice, audio/device.h).
const char* startAudio(void (*whileWaiting)(uint32_t waited) = nullptr);

// Once per main-loop pass: tells the callback which music to play and trades control records
// with it when the lock happens to be free. Never waits.
void updateAudio(bool gameActive, bool emotions);

// Shutdown, also after a failed start: closes the device, stops the loader, frees the samples.
// False when the device did not close within about a second: then the rest stays as it is,
// and the program must leave without shutting SDL down (leaveNow, platform/messages.h).
bool stopAudio();

// Starts a game sound on a free game voice; dropped when none is free or, for a sample,
// before the samples are loaded.
void startSound(int sound, float frequency, float volume, float echoSend, float panOffset);

// startSound with frequency 0, echo send 0.6 and the volume capped at 1.
void playSound(int sound, float volume, float panOffset);

// Asks the callback to halve the echo once, at the next hand-over.
void requestEchoDamp();
