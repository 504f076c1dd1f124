// first_frame: a preloaded library that reports when the program shows its first frame.
//
//   LD_PRELOAD=libfirst_frame.so tinyarcade
//
// It stands in for SDL_GL_SwapBuffers, hands every call on to SDL's own, and on the first one
// writes "tinyarcade: first frame at SECONDS.MICROSECONDS" (the wall clock, to compare with
// the time the program was started) to standard error. The program itself is unchanged.
#include <dlfcn.h>

#include <cstdio>
#include <ctime>

extern "C" void SDL_GL_SwapBuffers() {
    using Swap = void (*)();
    static Swap sdlSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    static bool reported = false;
    if (sdlSwap) sdlSwap();
    if (!reported) {
        reported = true;
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "tinyarcade: first frame at %lld.%06ld\n",
                     static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
    }
}
