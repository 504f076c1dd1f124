// The audio subsystem's face to the frame and the game: start-up, the per-frame hand-over,
// shutdown, and the sound triggers. All of these run on the main thread.
#pragma once

#include "audio/sound_numbers.h"

// Start-up: resets the shared state, starts the sample loader and the device. Returns null, or
// the device's reason when it cannot be opened; the loader is running then, and stopAudio
// stops it.
const char* startAudio();

// Once per main-loop pass: tells the callback which music to play and trades control records
// with it when the lock happens to be free. Never waits.
void updateAudio(bool gameActive, bool emotions);

// The browser's page: the sound stops while the page is hidden, and the player may switch it
// off, which leaves the music and the game's sounds running unheard.
void pauseAudio(bool paused);
void silenceAudio(bool silent);

// Shutdown, also after a failed start: closes the device, stops the loader, frees the samples.
void stopAudio();

// Starts a game sound on a free game voice; dropped when none is free or, for a sample,
// before the samples are loaded.
void startSound(int sound, float frequency, float volume, float echoSend, float panOffset);

// startSound with frequency 0, echo send 0.6 and the volume capped at 1.
void playSound(int sound, float volume, float panOffset);

// Asks the callback to halve the echo once, at the next hand-over.
void requestEchoDamp();
