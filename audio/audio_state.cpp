// The audio state. Defined apart from the code that uses it, like the frame's.
#include "audio/audio_state.h"

AudioState audio;
