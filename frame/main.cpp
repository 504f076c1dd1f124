// tinyarcade: catch babies. avoid time paradox.
#include "frame/main_loop.h"
#include "frame/start_up.h"
#include "platform/messages.h"

int main() {
    guardStandardStreams();
    if (!startUp()) return 1;
    mainLoop();
    shutDown();
    return 0;
}
