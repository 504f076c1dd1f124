// Stand-ins until the sound lands: the frame and the game call these from their final places.
#include "audio/audio.h"

void startAudio() {}
void updateAudio(bool, bool) {}
void stopAudio() {}
void startSound(int, float, float, float, float) {}
void playSound(int, float, float) {}
void requestEchoDamp() {}
