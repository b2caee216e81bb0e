// Time from exec to the first presented frame: the game against a bare SDL + OpenGL +
// SDL_mixer program doing only what start-up cannot avoid. Runs alternate, so both see the
// same machine load; prints the medians and their ratio.
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

// Milliseconds from fork to the first swap, or a negative number when the program failed.
double TimeToFirstFrame(const std::string& program, const std::string& shim,
                        const std::filesystem::path& dir) {
    const std::filesystem::path stamp = dir / "first-frame";
    std::filesystem::remove(stamp);
    const long long start = NowNs();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        setenv("LD_PRELOAD", shim.c_str(), 1);
        setenv("QUELMARK_FIRST_FRAME_FILE", stamp.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    std::ifstream in(stamp);
    long long end = 0;
    if (!(in >> end) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return (end - start) / 1e6;
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
    std::vector<double> game, bare;
    for (int i = 0; i < runs; ++i) {
        const double g = TimeToFirstFrame(gamePath, shimPath, dir);
        const double b = TimeToFirstFrame(barePath, shimPath, dir);
        if (g < 0 || b < 0) {
            std::fprintf(stderr, "a program failed to present a frame\n");
            std::filesystem::remove_all(dir);
            return 1;
        }
        game.push_back(g);
        bare.push_back(b);
    }
    std::filesystem::remove_all(dir);
    const double mg = Median(game), mb = Median(bare);
    std::printf("exec to first frame, median of %d alternating runs:\n", runs);
    std::printf("  quelmark   %8.1f ms\n  bare SDL   %8.1f ms\n  ratio      %8.2f\n", mg, mb,
                mg / mb);
    return 0;
}
