// Preloaded into a program under measurement: at its first buffer swap it writes the
// monotonic time in nanoseconds to $QUELMARK_FIRST_FRAME_FILE and ends the process.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <unistd.h>

extern "C" void SDL_GL_SwapBuffers() {
    using Swap = void (*)();
    auto real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    if (real != nullptr) real();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (const char* path = std::getenv("QUELMARK_FIRST_FRAME_FILE")) {
        if (FILE* out = std::fopen(path, "w")) {
            std::fprintf(out, "%lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
            std::fclose(out);
        }
    }
    _exit(0);
}
