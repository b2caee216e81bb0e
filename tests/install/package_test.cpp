// The Debian package CPack makes: its files and the libraries it depends on.
#include "support/install.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

namespace {

TEST(DebianPackage, HoldsTheGameAndDependsOnTheLibrariesItLinks) {
    TTestDir dir;
    std::string out;
    ASSERT_EQ(RunStatus(std::string("cpack -G DEB --config ") + QUELMARK_BUILD_DIR +
                            "/CPackConfig.cmake -B " + dir.Path().string(),
                        out),
              0)
        << out;
    std::string deb;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        if (entry.path().extension() == ".deb") deb = entry.path().string();
    ASSERT_NE(deb.find("quelmark_1.0.0_"), std::string::npos) << deb;

    ASSERT_EQ(RunStatus("dpkg-deb --info " + deb, out), 0) << out;
    const auto depends = out.substr(out.find("Depends:"));
    for (const char* library :
         {"libsdl1.2", "libsdl-mixer1.2", "libsdl-image1.2", "libgl1", "libglu1-mesa"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << "\n" << out;
    EXPECT_NE(out.find("Section: games"), std::string::npos) << out;

    ASSERT_EQ(RunStatus("dpkg-deb --contents " + deb, out), 0) << out;
    for (const char* file : {"./usr/games/quelmark", "./usr/lib/games/quelmark/quelmark",
                             "./usr/share/games/quelmark/media/icons/quelmark-64.png",
                             "./usr/share/applications/io.github.quelmark.Quelmark.desktop",
                             "./usr/share/metainfo/io.github.quelmark.Quelmark.metainfo.xml",
                             "./usr/share/man/man6/quelmark.6.gz",
                             "./usr/share/icons/hicolor/48x48/apps/quelmark.png"})
        EXPECT_NE(out.find(std::string(file) + "\n"), std::string::npos) << file << "\n" << out;
}

} // namespace
