// The audio subsystem's face to the frame and the game: start-up, the per-frame hand-over,
// shutdown, and the sound triggers. All of these run on the main thread.
#pragma once

#include "audio/mixer.h"
#include "audio/sound_numbers.h"

#include <cstdint>

// Start-up: resets the shared state, starts the sample loader and the device. Returns null, or
// the device's reason when it cannot be opened; the loader is running then, and stopAudio
// stops it. While the device takes its time to open, whileWaiting is called about every tenth
// of a second with the milliseconds waited (openDevice, audio/device.h).
const char* startAudio(void (*whileWaiting)(uint32_t waited) = nullptr);

// Start-up for a replay: as startAudio, but the samples are loaded here and now and held back
// until markSamplesReady, and the callback's work is left to renderOfflineBuffer. With
// `withDevice` the device opens too and plays what renderOfflineBuffer hands it (watching a
// replay); without, no device is touched. Returns null or the device's reason.
const char* startReplayAudio(bool withDevice);

// Once at the start of every main-loop pass: whether the samples are loaded, as the triggers
// see it for the whole pass. A loader that finishes during a pass counts from the next one, so
// a recorded run sees the samples arrive at the same pass when it is replayed.
bool takeSamplesReady();

// A replay's recorded moment of the loader finishing: the samples play from here on.
void markSamplesReady();

// Once per main-loop pass: tells the callback which music to play and trades control records
// with it when the lock happens to be free. Never waits. Returns the game voices that came back
// ended; their slots are free again.
SlotList updateAudio(bool gameActive, bool emotions);

// updateAudio in a replay: trades the same way, but frees the slots the recorded run got back
// at this pass (`recordedEnded`), whatever comes back now, so the triggers take and drop game
// voices exactly as they did in the recorded run.
void updateAudioReplayed(bool gameActive, bool emotions, const SlotList& recordedEnded);

// A replay's sound: one device buffer of the callback's work (DEVICE_BUFFER_FRAMES frames, in
// the stream's byte order) made on the calling thread with the callback's own chance, so the
// same replay always sounds the same. Played by the device when it was opened fed.
void renderOfflineBuffer(uint8_t* stream);
// Whether a fed device has room for another rendered buffer, and handing it one.
bool fedDeviceHasRoom();
void feedDevice(const uint8_t* stream);

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
