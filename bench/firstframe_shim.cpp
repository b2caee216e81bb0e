// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into a program under measurement: at each buffer swap it appends the monotonic
// time in nanoseconds as a line to $QUELMARK_FIRST_FRAME_FILE, and at swap number
// $QUELMARK_FRAMES (1 when unset) it ends the process.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <unistd.h>

extern "C" void SDL_GL_SwapBuffers() {
    using Swap = void (*)();
    static auto real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    static int swaps = 0;
    if (real != nullptr) real();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (const char* path = std::getenv("QUELMARK_FIRST_FRAME_FILE")) {
        if (FILE* out = std::fopen(path, "a")) {
            std::fprintf(out, "%lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
            std::fclose(out);
        }
    }
    const char* frames = std::getenv("QUELMARK_FRAMES");
    if (++swaps >= (frames != nullptr ? std::atoi(frames) : 1)) _exit(0);
}
