// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole loop with the real binary: a game lost after a few swings at the air, a name typed into
// the table of a throwaway home, back to the title, and the name still there in the next run. The
// first run's sound is captured by SDL's disk audio driver: the mix must never clip.
#include "support/gamesession.h"
#include "support/pixelcheck.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A level-1 viking that stands still is butted to death by the rams; that can take minutes.
constexpr double LoseSeconds = 300;
const char* const TablePath = "home/.quelmark/highscore";

// The body of the focused name field, which the game-over picture leaves uncovered; without
// the field the sky shows there. The picture's parchment beside the score.
const std::array<uint8_t, 3> FocusedField{153, 230, 230}, Parchment{251, 243, 220};

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
std::string Rows(const TShot& shot) {
    return Region(shot, 318, 448, 300, 95);
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
    // With capture the sound goes to audio.raw, otherwise nowhere.
    TGameRun(const TTestDir& dir, bool capture)
        : Dir(dir), MadeBefore(ScreensMade()), Game(dir, Environment(capture)) {}

    static std::map<std::string, std::string> Environment(bool capture) {
        // The field on which standing still is known to lose.
        std::map<std::string, std::string> environment{{"QUELMARK_SEED", "5489"}};
        if (!capture) environment["SDL_AUDIODRIVER"] = "dummy";
        return environment;
    }

    bool ShowsNameField() const {
        return NearColour(Game.Shot("gameover-probe").Colour(303, 413), FocusedField);
    }
    // The game-over screen without a name field, nor an empty box where it stood.
    bool ShowsTableOnly() const {
        const TShot shot = Game.Shot("gameover-missed");
        return NearColour(shot.Colour(303, 413), Parchment) &&
               NearColour(shot.Colour(230, 300), Parchment);
    }

    // The middle of the title screen once this run has made its last screen (the
    // game-over picture is the last start-up load) and the picture stays the same; "" when
    // it never does.
    std::string SettledMiddle() const {
        if (!WaitUntil([this] { return ScreensMade() > MadeBefore; }, 120)) return "";
        std::string middle;
        const auto still = [&] {
            const std::string previous = middle;
            middle = Middle(Game.Shot("gameover-title"));
            return middle == previous;
        };
        return WaitUntil(still, 60) ? middle : "";
    }

    // Start-ups so far that made every screen (the log is kept across runs).
    size_t ScreensMade() const {
        const auto log = Dir.LogMessages();
        return static_cast<size_t>(
            std::count(log.begin(), log.end(), "Loading media/gameover.png"));
    }

    // From the title screen into play, a few swings at the air, then waits for the game-over
    // screen.
    bool LoseAGame() const {
        Game.Keys("key space sleep 1 key space sleep 1 keydown Control_L sleep 2 keyup Control_L");
        return WaitUntil([this] { return ShowsNameField(); }, LoseSeconds);
    }

    const TTestDir& Dir;
    const size_t MadeBefore;
    TGameSession Game;
};

TEST(GameOver, NameGoesIntoTheTableAndStaysForTheNextRun) {
    TTestDir dir;
    dir.WriteFile(TablePath, "120 Harald\n85 Astrid\n60 Leif\n35 Freya\n");

    std::string shownAfterSaving;
    {
        TGameRun run(dir, true);
        ASSERT_FALSE(run.Game.Window.empty()) << dir.ReadFile("stderr.txt");
        const std::string intro = run.SettledMiddle();
        ASSERT_FALSE(intro.empty()) << "the title screen never settled";
        ASSERT_TRUE(run.LoseAGame()) << "no game-over screen within " << LoseSeconds << " s";
        const std::string shownBefore = Rows(run.Game.Shot("gameover-before"));

        // The field takes no key in its first moments.
        TGameSession::Pause(500);
        run.Game.Keys("key --delay 30 E r i k space t h e space R e d");
        run.Game.Shot("gameover");
        run.Game.Keys("key Return");
        ASSERT_TRUE(WaitUntil([&] { return !run.ShowsNameField(); }, 20));
        // The table is written off the frame, a moment after the screen shows it.
        WaitUntil([&] { return TableLines(dir.ReadFile(TablePath)).size() == 5; }, 20);
        const auto lines = TableLines(dir.ReadFile(TablePath));
        ASSERT_EQ(lines.size(), 5u) << dir.ReadFile(TablePath);
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
        EXPECT_FALSE(fs::exists(dir.Path() / "not-the-home")) << "HOME must not be used";

        shownAfterSaving = Rows(run.Game.Shot("gameover-after"));
        EXPECT_NE(shownAfterSaving, shownBefore) << "the new row is not shown";

        run.Game.Keys("key space");
        EXPECT_TRUE(WaitUntil([&] { return Middle(run.Game.Shot("gameover-back")) == intro; }, 20))
            << "space did not lead back to the title screen";
        run.Game.Keys("key Escape");
        EXPECT_EQ(run.Game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
        // Blows, the fall, the scream and the screen changes over the music.
        const auto [peak, loud] = CapturePeak(dir.Path() / "audio.raw");
        EXPECT_GT(peak, -30.0) << "nothing was heard";
        EXPECT_LE(peak, -1.0) << loud << " samples above -1 dBFS";
    }
    {
        TGameRun run(dir, false);
        ASSERT_FALSE(run.Game.Window.empty()) << dir.ReadFile("stderr.txt");
        ASSERT_FALSE(run.SettledMiddle().empty()) << "the title screen never settled";
        ASSERT_TRUE(run.LoseAGame()) << "no game-over screen within " << LoseSeconds << " s";
        EXPECT_EQ(Rows(run.Game.Shot("gameover-second")), shownAfterSaving);
        run.Game.Keys("key Escape");
        EXPECT_EQ(run.Game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
    }
}

TEST(GameOver, NothingScoredEndsOnTheTableWithoutAPromptAndWritesNoFile) {
    TTestDir dir;
    TGameRun run(dir, false);
    ASSERT_FALSE(run.Game.Window.empty()) << dir.ReadFile("stderr.txt");
    const std::string intro = run.SettledMiddle();
    ASSERT_FALSE(intro.empty()) << "the title screen never settled";
    // Standing still on this field, the viking falls to the rams before any sheep does.
    run.Game.Keys("key space sleep 1 key space");
    ASSERT_TRUE(WaitUntil([&] { return run.ShowsTableOnly(); }, LoseSeconds))
        << "no game-over screen without a name field within " << LoseSeconds << " s";
    TGameSession::Pause(500);
    run.Game.Keys("key --delay 30 a b Return");
    TGameSession::Pause(500);
    EXPECT_TRUE(run.ShowsTableOnly());
    run.Game.Keys("key space");
    EXPECT_TRUE(
        WaitUntil([&] { return Middle(run.Game.Shot("gameover-missed-back")) == intro; }, 20))
        << "space did not lead back to the title screen";
    EXPECT_FALSE(fs::exists(dir.Path() / "home/.quelmark"));
    run.Game.Keys("key Escape");
    EXPECT_EQ(run.Game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
}

} // namespace
