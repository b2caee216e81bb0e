// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole loop with the real binary: a game lost after a few swings at the air, a name typed into
// the table of a throwaway home, back to the title, and the name still there in the next run. The
// first run's sound is captured by SDL's disk audio driver: the mix must never clip.
#include "support/fakehome.h"
#include "support/process.h"
#include "support/screenshot.h"
#include "support/testdir.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A level-1 viking that stands still is butted to death by the rams; that can take minutes.
constexpr double LoseSeconds = 300;

bool Near(const std::array<uint8_t, 3>& a, const std::array<uint8_t, 3>& b) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > 12) return false;
    return true;
}

// The body of the focused name field, which the game-over picture leaves uncovered.
const std::array<uint8_t, 3> FocusedField{153, 230, 230};

struct TTableLine {
    int32_t Score;
    std::string Name;
};

std::vector<TTableLine> TableLines(const std::string& text) {
    std::vector<TTableLine> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const size_t blank = line.find(' ');
        lines.push_back({std::stoi(line.substr(0, blank)), line.substr(blank + 1)});
    }
    return lines;
}

// The ten table rows (scores and names) as shown.
std::string Rows(const fs::path& png) {
    return PictureRegion(png, 318, 448, 300, 95);
}
// The middle of the screen, away from the frame-rate text.
std::string Middle(const fs::path& png) {
    return PictureRegion(png, 100, 100, 600, 400);
}

// The loudest sample of a raw signed 16-bit capture, in dBFS, and how many samples lie
// above -1 dBFS.
std::pair<double, size_t> CapturePeak(const fs::path& raw) {
    std::ifstream in(raw, std::ios::binary);
    int peak = 0;
    size_t loud = 0;
    for (char bytes[2]; in.read(bytes, 2);) {
        const int sample = std::abs(static_cast<int16_t>(static_cast<uint8_t>(bytes[0]) |
                                                         static_cast<uint8_t>(bytes[1]) << 8));
        peak = std::max(peak, sample);
        loud += sample > 29205;
    }
    return {20 * std::log10(std::max(peak, 1) / 32768.0), loud};
}

class TGameRun {
public:
    // With a capture file name the sound goes there, otherwise nowhere.
    TGameRun(const TTestDir& dir, const TFakeHome& home, const std::string& capture = "")
        : Dir(dir), Game(QUELMARK_BINARY, {}, Environment(dir, home, capture), dir.Path().string()),
          Window(WaitForWindow("Quelmark!", 60)) {}

    static std::map<std::string, std::string>
    Environment(const TTestDir& dir, const TFakeHome& home, const std::string& capture) {
        auto environment = home.Environment();
        environment["SDL_AUDIODRIVER"] = capture.empty() ? "dummy" : "disk";
        if (!capture.empty()) environment["SDL_DISKAUDIOFILE"] = (dir.Path() / capture).string();
        // The field on which standing still is known to lose.
        environment["QUELMARK_SEED"] = "5489";
        return environment;
    }

    fs::path Shot(const std::string& name) const {
        const fs::path png = Dir.Path() / (name + ".png");
        ShootWindow(Window, png);
        return png;
    }

    bool ShowsNameField() const {
        return Near(PicturePixel(Shot("probe"), 303, 413), FocusedField);
    }

    // The middle of the title screen once this run has made its last screen (the
    // game-over picture is the last start-up load) and the picture stays the same; "" when
    // it never does.
    std::string SettledMiddle() const {
        if (!WaitUntil([this] { return ScreensMade() > MadeBefore; }, 120)) return "";
        std::string middle;
        const auto still = [&] {
            const std::string previous = middle;
            middle = Middle(Shot("title"));
            return !middle.empty() && middle == previous;
        };
        return WaitUntil(still, 60) ? middle : "";
    }

    // Start-ups so far that made every screen (the log is kept across runs).
    size_t ScreensMade() const {
        const std::string log = Dir.ReadFile("log");
        size_t count = 0;
        for (size_t at = log.find(MadeLine); at != std::string::npos;
             at = log.find(MadeLine, at + 1))
            ++count;
        return count;
    }

    // From the title screen into play, a few swings at the air, then waits for the game-over
    // screen.
    bool LoseAGame() const {
        SendKeys(Window, "space");
        std::this_thread::sleep_for(std::chrono::seconds(1));
        SendKeys(Window, "space");
        std::this_thread::sleep_for(std::chrono::seconds(1));
        RunCommand("xdotool windowfocus --sync " + Window +
                   " keydown Control_L sleep 2 keyup Control_L");
        return WaitUntil([this] { return ShowsNameField(); }, LoseSeconds);
    }

    static constexpr const char* MadeLine = "Loading media/gameover.png";
    const TTestDir& Dir;
    const size_t MadeBefore = ScreensMade();
    TChildProcess Game;
    std::string Window;
};

TEST(GameOver, NameGoesIntoTheTableAndStaysForTheNextRun) {
    TTestDir dir;
    TFakeHome home(dir.Path() / "user");
    dir.WriteFile("user/home/.quelmark/highscore", "120 Harald\n85 Astrid\n60 Leif\n35 Freya\n");
    fs::create_directory_symlink(QUELMARK_MEDIA_DIR, dir.Path() / "media");

    std::string shownAfterSaving;
    {
        TGameRun run(dir, home, "audio.raw");
        ASSERT_FALSE(run.Window.empty()) << dir.ReadFile("stderr.txt");
        const std::string intro = run.SettledMiddle();
        ASSERT_FALSE(intro.empty()) << "the title screen never settled";
        ASSERT_TRUE(run.LoseAGame()) << "no game-over screen within " << LoseSeconds << " s";
        const std::string shownBefore = Rows(run.Shot("before"));

        SendKeys(run.Window, "E r i k space t h e space R e d");
        if (const char* keep = std::getenv("QUELMARK_SCREENSHOT_DIR"))
            fs::copy_file(run.Shot("gameover"), fs::path(keep) / "gameover.png",
                          fs::copy_options::overwrite_existing);
        SendKeys(run.Window, "Return");
        ASSERT_TRUE(WaitUntil([&] { return !run.ShowsNameField(); }, 20));
        const auto lines = TableLines(dir.ReadFile("user/home/.quelmark/highscore"));
        ASSERT_EQ(lines.size(), 5u) << dir.ReadFile("user/home/.quelmark/highscore");
        size_t rank = 0;
        while (rank < lines.size() && lines[rank].Name != "Erik the Red")
            ++rank;
        ASSERT_LT(rank, lines.size());
        const int32_t score = lines[rank].Score;
        EXPECT_GE(score, 0);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i < rank) {
                EXPECT_GE(lines[i].Score, score) << "row " << i;
            } else if (i > rank) {
                EXPECT_LT(lines[i].Score, score) << "row " << i;
            }
        }
        EXPECT_FALSE(fs::exists(home.Home.parent_path() / "not-the-home"))
            << "HOME must not be used";

        shownAfterSaving = Rows(run.Shot("after"));
        EXPECT_NE(shownAfterSaving, shownBefore) << "the new row is not shown";

        SendKeys(run.Window, "space");
        EXPECT_TRUE(WaitUntil([&] { return Middle(run.Shot("back")) == intro; }, 20))
            << "space did not lead back to the title screen";
        SendKeys(run.Window, "Escape");
        EXPECT_EQ(run.Game.Wait(60), 0) << dir.ReadFile("stderr.txt");
        // Blows, the fall, the scream and the screen changes over the music.
        const auto [peak, loud] = CapturePeak(dir.Path() / "audio.raw");
        EXPECT_GT(peak, -30.0) << "nothing was heard";
        EXPECT_LE(peak, -1.0) << loud << " samples above -1 dBFS";
    }
    {
        TGameRun run(dir, home);
        ASSERT_FALSE(run.Window.empty()) << dir.ReadFile("stderr.txt");
        ASSERT_FALSE(run.SettledMiddle().empty()) << "the title screen never settled";
        ASSERT_TRUE(run.LoseAGame()) << "no game-over screen within " << LoseSeconds << " s";
        EXPECT_EQ(Rows(run.Shot("second")), shownAfterSaving);
        SendKeys(run.Window, "Escape");
        EXPECT_EQ(run.Game.Wait(60), 0) << dir.ReadFile("stderr.txt");
    }
}

} // namespace
