// Print Screen: the frame presented last, at the window's full size, as screen<N>.png in the
// working folder. Numbered from 0 in every run; an existing file is overwritten, and a file
// that cannot be written is skipped without a word. The number is frame.screenshotCounter.
#pragma once

#include <cstdint>

void takeScreenshot();

// Turns rows that run bottom-up (as OpenGL reads them) into rows that run top-down.
void flipRows(uint8_t* rgba, int width, int height);
