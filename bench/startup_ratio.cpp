// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Time from exec to the first presented frame (the loading picture) and to the second (the
// title, where the player can act): the game against a bare SDL + OpenGL + SDL_mixer
// program doing only what start-up cannot avoid and presenting one frame. Runs alternate,
// so both see the same machine load; prints the medians and their ratios.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Milliseconds from fork to each of the first `frames` swaps; empty when the program failed.
std::vector<double> TimeToFrames(const std::string& program, const std::string& shim,
                                 const std::filesystem::path& dir, int frames) {
    const std::filesystem::path stamp = dir / "frames";
    std::filesystem::remove(stamp);
    const long long start = NowNs();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        setenv("LD_PRELOAD", shim.c_str(), 1);
        setenv("QUELMARK_FIRST_FRAME_FILE", stamp.c_str(), 1);
        setenv("QUELMARK_FRAMES", std::to_string(frames).c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    std::ifstream in(stamp);
    std::vector<double> times;
    for (long long end = 0; in >> end;)
        times.push_back((end - start) / 1e6);
    if (static_cast<int>(times.size()) != frames) return {};
    return times;
}

// The first line of /proc/loadavg: the figures mean little without the machine's load.
std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string line;
    std::getline(in, line);
    return line.empty() ? "unknown" : line;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s GAME BARE SHIM MEDIA_DIR [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 5 ? std::atoi(argv[5]) : 15;
    const auto dir =
        std::filesystem::temp_directory_path() / ("quelmark-startup-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::create_directory_symlink(std::filesystem::absolute(argv[4]), dir / "media");

    // The programs run inside the scratch directory, so every path must be absolute.
    const std::string gamePath = std::filesystem::absolute(argv[1]);
    const std::string barePath = std::filesystem::absolute(argv[2]);
    const std::string shimPath = std::filesystem::absolute(argv[3]);
    // The media must be there: without the loading picture the game draws nothing worth
    // timing.
    if (!std::filesystem::exists(dir / "media" / "loading.png")) {
        std::fprintf(stderr, "no generated media in %s\n", argv[4]);
        std::filesystem::remove_all(dir);
        return 1;
    }
    const std::string loadBefore = LoadAverage();
    std::vector<double> first, title, bare;
    for (int i = 0; i < runs; ++i) {
        const std::vector<double> g = TimeToFrames(gamePath, shimPath, dir, 2);
        const std::vector<double> b = TimeToFrames(barePath, shimPath, dir, 1);
        if (g.empty() || b.empty()) {
            std::fprintf(stderr, "a program failed to present its frames\n");
            std::filesystem::remove_all(dir);
            return 1;
        }
        first.push_back(g[0]);
        title.push_back(g[1]);
        bare.push_back(b[0]);
    }
    std::filesystem::remove_all(dir);
    const double mf = Median(first), mt = Median(title), mb = Median(bare);
    std::printf("exec to frame, median of %d alternating runs:\n", runs);
    std::printf("  bare SDL, first frame        %8.1f ms\n", mb);
    std::printf("  quelmark, loading picture    %8.1f ms  ratio %5.2f\n", mf, mf / mb);
    std::printf("  quelmark, title              %8.1f ms  ratio %5.2f\n", mt, mt / mb);
    std::printf("load average before: %s\n             after:  %s\n", loadBefore.c_str(),
                LoadAverage().c_str());
    return 0;
}
