// The sample loader thread: decodes the 19 sample files one after another at start-up, so the
// window and the music start without waiting for the decoder, then sets samplesReady and ends.
//
// Main thread only (start and stop); the thread itself touches only the bank and the stop
// request. Never frees samples: that is freeSamples, after the loader has been stopped.
#pragma once

// The loader thread's work: every file in bank order, checking before each one and while it
// decodes whether it was asked to stop; sets samplesReady when done either way. A replay's start
// and render_music call it directly. In the browser, where there are no threads, startLoader
// decodes one file per turn instead.
void loadSamples();

// Starts loadSamples on its own thread (after stopping one that still runs). When no thread
// can be started, says so on stderr and sets samplesReady with the bank empty.
void startLoader();

// Asks the loader to stop and waits for it to end: a file being decoded is dropped after its
// current piece. Returns at once when no loader runs.
void stopLoader();
