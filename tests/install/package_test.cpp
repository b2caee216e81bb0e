// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Debian package as scripts/package makes it from a clean clone: lintian's verdict, the
// files it holds against what `cmake --install` stages, and the game unpacked into a scratch
// root. The clone holds the committed sources only.
#include "support/install.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string Version = "1.1.0";

std::string FileText(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class DebianPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Dir = std::make_unique<TTestDir>();
        Clone = Dir->Path() / "clone";
        std::string out;
        ASSERT_EQ(RunStatus(std::string("git clone -q ") + QUELMARK_SOURCE_DIR + " " +
                                Clone.string() + " && " + Clone.string() + "/scripts/package",
                            BuildOutput),
                  0)
            << BuildOutput;
        ASSERT_EQ(RunStatus("dpkg --print-architecture", out), 0);
        Deb = Clone / "build-package" /
              ("quelmark_" + Version + "_" + out.substr(0, out.find('\n')) + ".deb");
    }
    static void TearDownTestSuite() { Dir.reset(); }

    void SetUp() override { ASSERT_TRUE(fs::is_regular_file(Deb)) << BuildOutput; }

    static inline std::unique_ptr<TTestDir> Dir;
    static inline fs::path Clone;
    static inline fs::path Deb;
    static inline std::string BuildOutput;
};

TEST_F(DebianPackage, LintianFindsNothingBeyondTheOverrides) {
    // Lintian's one remark on running as root is about the caller, not the package.
    std::string out;
    RunStatus("lintian --info --pedantic " + Deb.string() +
                  " 2>&1 | grep -v \"^running with root privileges\"",
              out);
    EXPECT_EQ(out, "");
    ASSERT_EQ(RunStatus("lintian --pedantic --show-overrides -E " + Deb.string(), out), 0) << out;
    // Every override still matches a tag: a stale one would hide nothing and mislead.
    EXPECT_NE(out.find("O: quelmark: executable-in-usr-lib"), std::string::npos) << out;
}

TEST_F(DebianPackage, HoldsWhatCmakeInstallStagesPlusTheDebianDocuments) {
    TTestDir stage;
    const fs::path prefix = StageInstall(stage.Path());
    std::set<std::string> expected{"./usr/share/doc/quelmark/copyright",
                                   "./usr/share/doc/quelmark/changelog.gz",
                                   "./usr/share/lintian/overrides/quelmark"};
    for (const auto& entry : fs::recursive_directory_iterator(prefix))
        if (!entry.is_directory())
            expected.insert("./usr/" + fs::relative(entry.path(), prefix).string());

    std::string out;
    ASSERT_EQ(RunStatus("dpkg-deb --contents " + Deb.string(), out), 0) << out;
    std::set<std::string> packaged;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line.back() == '/') continue;
        const auto link = line.find(" -> ");
        const auto name = line.rfind("./", link);
        packaged.insert(line.substr(name, link == std::string::npos ? link : link - name));
    }
    EXPECT_EQ(packaged, expected);
}

TEST_F(DebianPackage, DependsOnTheLinkedLibrariesAndNamesItsMaintainer) {
    std::string out;
    ASSERT_EQ(RunStatus("dpkg-deb --field " + Deb.string(), out), 0) << out;
    const auto depends = out.substr(out.find("Depends:"));
    for (const char* library :
         {"libsdl1.2", "libsdl-mixer1.2", "libsdl-image1.2", "libgl1", "libglu1-mesa"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << "\n" << out;
    for (const char* field : {"Section: games\n", "Version: 1.1.0\n",
                              "Maintainer: Quelmark developers <quelmark@example.org>\n"})
        EXPECT_NE(out.find(field), std::string::npos) << field << out;
    EXPECT_EQ(out.find("Homepage:"), std::string::npos) << out;
}

TEST_F(DebianPackage, UnpackedIntoAScratchRootTheLauncherAnswersItsVersion) {
    TTestDir root;
    std::string out;
    ASSERT_EQ(RunStatus("dpkg -x " + Deb.string() + " " + root.Path().string(), out), 0) << out;
    ASSERT_EQ(RunStatus("env -u XDG_STATE_HOME HOME=" + root.Path().string() + " " +
                            (root.Path() / "usr/games/quelmark").string() + " --version",
                        out),
              0)
        << out;
    EXPECT_EQ(out, "quelmark " + Version + "\n");
    EXPECT_TRUE(fs::is_directory(root.Path() / "usr/share/games/quelmark/media"));
    EXPECT_EQ(FileText(root.Path() / "usr/share/doc/quelmark/copyright"),
              FileText(Clone / "debian/copyright"));
}

// One version number, told the same by the build, the package, the metainfo and the news.
TEST_F(DebianPackage, EveryPlaceNamesTheSameVersion) {
    std::string out;
    ASSERT_EQ(
        RunStatus("dpkg-parsechangelog -l " + (Clone / "debian/changelog").string() + " -S Version",
                  out),
        0)
        << out;
    EXPECT_EQ(out, Version + "\n");
    std::smatch match;
    const std::string cmake = FileText(Clone / "CMakeLists.txt");
    ASSERT_TRUE(
        std::regex_search(cmake, match, std::regex(R"re(project\(quelmark VERSION (\S+))re")));
    EXPECT_EQ(match[1], Version);
    const std::string metainfo = FileText(Clone / "packaging/quelmark.metainfo.xml.in");
    ASSERT_TRUE(
        std::regex_search(metainfo, match, std::regex(R"re(<release version="([^"]+)")re")));
    EXPECT_EQ(match[1], Version) << "the newest release comes first";
    const std::string news = FileText(Clone / "NEWS.md");
    ASSERT_TRUE(std::regex_search(news, match, std::regex(R"re(\n## (\S+))re")));
    EXPECT_EQ(match[1], Version) << "the newest entry comes first";
}

} // namespace
