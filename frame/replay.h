// Exact replays: recording a run, watching it again, checking it without a screen.
//
// Every rule steps in ticks and every chance comes from a seeded generator, so a run is decided
// by its seed and by what reaches the main thread from outside, pass by pass: the events, the
// ticks the clock gave, the samples becoming ready, the game voices that came back from the
// sound thread. The main loop takes exactly these through the functions below. Live they come
// from the platform (and are written down when recording); in a replay from the file. Main
// thread only.
#pragma once

#include "frame/platform.h"

#include <cstdint>
#include <string>

enum class ReplayMode { NONE, RECORD, PLAY, CHECK };

// Before start-up. Recording: the run goes to `path` as it is played (or, without a path, is
// kept in memory for replaySoFar). Watching or checking: `path` is read whole and checked line
// by line first; --check may write the run's sound to `wavPath`. False with `error` (one line,
// naming the file) when a file cannot be opened or understood.
bool startRecording(const char* path, std::string& error);
bool startReplay(const char* path, ReplayMode mode, const char* wavPath, std::string& error);
ReplayMode replayMode();

// The seed start-up gives the main thread's chance: the clock's seconds, or the recorded one.
uint32_t runSeed();

// After start-up: a recording writes its first lines (only now is an earlier file of its name
// emptied); a replay makes sure this folder's title picture is the one the run showed, and
// --check opens its WAV file. False with `error` when it cannot.
bool beginRun(std::string& error);
// When start-up or beginRun failed: closes the files, and removes a recording's file that
// startRecording made.
void abandonRun();

// The main loop's outside inputs, one pass at a time, in this order. beginPassInputs is false
// when a replay has no passes left or its watcher pressed Escape.
bool beginPassInputs();
bool nextPassEvent(FrameEvent* event);
uint32_t passTicks();
void passUpdateAudio(bool gameActive, bool emotions);
void endPassInputs(uint32_t ticks);
// Live runs sleep between passes; replays keep their recorded time instead (or none at all).
bool sleepsBetweenPasses();

// After the main loop and shutdown. Recording: the end line, written. Checking: the one line
// of the result. Returns the program's exit status; a failure is said on one line of stderr.
int finishRun();

// The run so far as a whole replay file, its end line the state of this moment.
std::string replaySoFar();
