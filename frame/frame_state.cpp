// The frame's state. Defined apart from the code that uses it, so that a program that only
// draws the front page (the title picture tool) links none of the loop, the window or the
// screens' lives.
#include "frame/frame_state.h"

FrameState frame;
