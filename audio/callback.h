// The callback's work once the hand-over is done, kept apart from the device so a tool or a
// test can run it into an array: the music's beat and the mix, frame by frame.
#pragma once

#include "audio/mixer.h"

// Produces `count` frames. On every 11025th frame of the clock a music step runs first (a new
// chord at the start of every 16 steps), then the frame is mixed and the clock moves on. Game
// voices that end are appended to `finishedGameVoices`.
void produceFrames(StereoFrame* out, int count, bool frontPageMusic, bool emotions,
                   SlotList& finishedGameVoices);

// The callback's whole work on `length` bytes of stream: the trade with the frame, then the
// music and the mix, drawing from the callback's own chance whichever thread runs it (the
// device's; the browser's main thread; a replay's).
void fillStream(uint8_t* stream, int length);

