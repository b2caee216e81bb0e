// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The staged install: its layout, the launcher's own answers and failures, and the
// desktop files checked by the tools a distribution uses.
#include "support/install.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

namespace {

namespace fs = std::filesystem;

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Dir = std::make_unique<TTestDir>();
        Prefix = StageInstall(Dir->Path() / "stage");
    }
    static void TearDownTestSuite() { Dir.reset(); }

    // Runs the staged launcher with a throwaway HOME and the given extra environment.
    static int Launch(const std::string& environment, const std::string& arguments,
                      std::string& output) {
        return RunStatus("env -u XDG_STATE_HOME " + environment +
                             " HOME=" + (Dir->Path() / "home").string() + " " +
                             (Prefix / "games/quelmark").string() + " " + arguments,
                         output);
    }

    static inline std::unique_ptr<TTestDir> Dir;
    static inline fs::path Prefix;
};

TEST_F(Installed, PutsEachFileWhereADebianGameKeepsIt) {
    const std::string app = "io.github.quelmark.Quelmark";
    for (const std::string& relative : std::vector<std::string>{
             "games/quelmark", "lib/games/quelmark/quelmark", "share/games/quelmark/media",
             "share/applications/" + app + ".desktop", "share/metainfo/" + app + ".metainfo.xml",
             std::string("share/man/man6/quelmark.6.gz")})
        EXPECT_TRUE(fs::exists(Prefix / relative)) << relative;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        EXPECT_TRUE(fs::is_regular_file(Prefix / "share/icons/hicolor" / (side + "x" + side) /
                                        "apps/quelmark.png"))
            << size;
    }
    const auto launcher = fs::status(Prefix / "games/quelmark").permissions();
    EXPECT_NE(launcher & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(Installed, LauncherAnswersHelpAndVersionWithoutADisplayOrRunDirectory) {
    std::string out;
    ASSERT_EQ(Launch("-u DISPLAY", "--help", out), 0) << out;
    for (const char* text : {"Usage: quelmark [-fs]", "Escape", "Ctrl", "/quelmark/log",
                             "~/.quelmark/highscore", "SDL_AUDIODRIVER=dummy"})
        EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
    ASSERT_EQ(Launch("-u DISPLAY", "--version", out), 0) << out;
    EXPECT_EQ(out, "quelmark 1.1.0\n");
    EXPECT_FALSE(fs::exists(Dir->Path() / "home/.local/state"));
}

TEST_F(Installed, LauncherRefusesARunDirectoryItCannotMake) {
    const fs::path blocker = Dir->Path() / "not-a-folder";
    std::ofstream(blocker) << "x";
    std::string out;
    EXPECT_EQ(Launch("XDG_STATE_HOME=" + blocker.string(), "", out), 1);
    EXPECT_EQ(out, "quelmark: cannot create the run directory " + blocker.string() + "/quelmark\n");
    EXPECT_EQ(
        RunStatus("env -u HOME -u XDG_STATE_HOME " + (Prefix / "games/quelmark").string(), out), 1);
    EXPECT_NE(out.find("neither XDG_STATE_HOME nor HOME is set"), std::string::npos) << out;
}

TEST_F(Installed, DesktopEntryMetainfoAndManPageValidate) {
    std::string out;
    const fs::path share = Prefix / "share";
    EXPECT_EQ(RunStatus("desktop-file-validate " + share.string() + "/applications/*.desktop", out),
              0)
        << out;
    EXPECT_EQ(out, "");
    EXPECT_EQ(
        RunStatus("appstreamcli validate --pedantic --no-net " + share.string() + "/metainfo/*.xml",
                  out),
        0)
        << out;
    // Only the pedantic remark on the capitals of the application id, which has to stay as
    // released: renaming it would orphan the menu entry and the software centres' records.
    EXPECT_NE(out.find("successful: pedantic: 1\n"), std::string::npos) << out;
    EXPECT_NE(out.find(" cid-contains-uppercase-letter io.github.quelmark.Quelmark\n"),
              std::string::npos)
        << out;
    const std::string page = (share / "man/man6/quelmark.6.gz").string();
    EXPECT_EQ(RunStatus("zcat " + page + " | groff -ww -man -Tutf8 -z", out), 0) << out;
    EXPECT_EQ(out, "") << "groff warnings";
    ASSERT_EQ(RunStatus("MANWIDTH=80 man -l " + page, out), 0) << out;
    EXPECT_NE(out.find("QUELMARK(6)"), std::string::npos) << out;
    EXPECT_NE(out.find("~/.quelmark/highscore"), std::string::npos) << out;
}

} // namespace
