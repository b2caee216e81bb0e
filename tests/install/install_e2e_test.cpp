// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The installed game started the way a player starts it: through the launcher.
#include "support/install.h"
#include "support/process.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

TEST(InstalledGame, RunsFromThePerUserFolderWithItsIconAndEndsOnEscape) {
    TTestDir dir;
    const fs::path prefix = StageInstall(dir.Path() / "stage");
    const fs::path home = dir.Path() / "home";
    // The launcher is a shell script: the sanitizer preload is for our programs only.
    TChildProcess game((prefix / "games/quelmark").string(), {},
                       {{"HOME", home.string()},
                        {"XDG_STATE_HOME", ""},
                        {"LD_PRELOAD", ""},
                        {"ASAN_OPTIONS", "detect_leaks=0"},
                        {"SDL_AUDIODRIVER", "dummy"}},
                       dir.Path().string());
    const std::string window = WaitForWindow("Quelmark!", 90);
    ASSERT_FALSE(window.empty()) << dir.ReadFile("stderr.txt");
    const std::string icon = RunCommand("xprop -id " + window + " _NET_WM_ICON | head -c 200");
    EXPECT_NE(icon.find("Icon (64 x 64)"), std::string::npos) << icon;

    SendKeys(window, "Escape");
    EXPECT_EQ(game.Wait(60), 0) << dir.ReadFile("stderr.txt");

    const fs::path run = home / ".local/state/quelmark";
    EXPECT_EQ(fs::read_symlink(run / "media"), prefix / "share/games/quelmark/media");
    EXPECT_FALSE(fs::exists(dir.Path() / "log")) << "the log belongs in the run folder";
    std::ifstream file(run / "log");
    const std::string log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find(" Initializing SDL\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" Loading media/loading.png\n"), std::string::npos) << log;
    EXPECT_NE(log.rfind(" Finalizing SDL\n"), std::string::npos) << log;
}

} // namespace
