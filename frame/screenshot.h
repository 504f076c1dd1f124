// Print Screen: the frame presented last, at the window's full size, as screen<N>.png in the
// working folder. N is the first number, from the last one used on, whose name is free, so a
// run never writes over the pictures of an earlier run, of another game in the same folder, or
// anything else under such a name. The file is written whole under a temporary name and then
// given its own, so a full disk leaves no half picture; a screenshot that cannot be saved is
// said on one line of stderr, and the game goes on. The number tried first is
// frame.screenshotCounter.
#pragma once

#include <cstdint>

void takeScreenshot();

// Turns rows that run bottom-up (as OpenGL reads them) into rows that run top-down.
void flipRows(uint8_t* rgba, int width, int height);
