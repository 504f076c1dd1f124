// Start-up and shutdown of the whole program, in their fixed order.
#pragma once

// Prepares every piece of state, opens the window and starts the audio. Returns false, with
// one line on standard error, when the window or the audio device cannot be opened; nothing is
// left running then.
// `windowed`: a window instead of full screen.
bool startUp(bool windowed = false);

// Stops the audio and closes the window.
void shutDown();
