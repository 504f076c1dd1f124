// tinyarcade: catch babies. avoid time paradox.
#include "frame/main_loop.h"
#include "frame/start_up.h"

#include <cstring>

int main(int argc, char** argv) {
    // --window: a window instead of full screen.
    bool windowed = false;
    for (int index = 1; index < argc; index++) {
        if (std::strcmp(argv[index], "--window") == 0) windowed = true;
    }
    if (!startUp(windowed)) return 1;
    mainLoop();
    shutDown();
    return 0;
}
