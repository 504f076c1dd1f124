// frame_times: a preloaded library that watches the program present its frames.
//
//   LD_PRELOAD=libframe_times.so [TINYARCADE_FRAME_COUNT=FILE] tinyarcade
//
// It stands in for SDL_GL_SwapBuffers and hands every call on to SDL's own. After the first
// one it writes "tinyarcade: first frame at SECONDS.MICROSECONDS" (the wall clock, to compare
// with the time the program was started) to standard error; with TINYARCADE_FRAME_COUNT set,
// it keeps the number of frames presented so far in that file, for frames per second. The
// program itself is unchanged and knows nothing of it.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
using Swap = void (*)();

long framesPresented = 0;
int countFile = -2; // -2: not opened yet, -1: not wanted or cannot be written

void reportFirstFrame() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "tinyarcade: first frame at %lld.%06ld\n",
                 static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
}

void writeCount() {
    if (countFile == -2) {
        const char* path = std::getenv("TINYARCADE_FRAME_COUNT");
        countFile = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (countFile < 0) return;
    // Fixed width at the start of the file: a reader never sees half of two numbers.
    char line[24];
    int length = std::snprintf(line, sizeof line, "%20ld\n", framesPresented);
    if (pwrite(countFile, line, static_cast<size_t>(length), 0) != length) countFile = -1;
}
} // namespace

extern "C" void SDL_GL_SwapBuffers() {
    static Swap sdlSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    if (sdlSwap) sdlSwap();
    framesPresented++;
    if (framesPresented == 1) reportFirstFrame();
    writeCount();
}
