// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mainunit.h"
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "support/pngwriter.h"
#include "support/testdir.h"

#include <SDL_opengl.h>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(FullScreenArgument, OnlyAnExactFirstArgument) {
    EXPECT_TRUE(WantsFullScreen({"-fs"}));
    EXPECT_TRUE(WantsFullScreen({"-fs", "more"}));
    EXPECT_FALSE(WantsFullScreen({}));
    EXPECT_FALSE(WantsFullScreen({"-FS"}));
    EXPECT_FALSE(WantsFullScreen({"x", "-fs"}));
    EXPECT_FALSE(WantsFullScreen({"-fs "}));
    EXPECT_FALSE(WantsFullScreen({"--fs"}));
}

struct TArgumentsCase {
    std::vector<std::string> Arguments;
    std::string Line;
};

class UnknownArgumentLine : public ::testing::TestWithParam<TArgumentsCase> {};

TEST_P(UnknownArgumentLine, NamesWhatTheGameDoesNotKnow) {
    EXPECT_EQ(UnknownArgumentsLine(GetParam().Arguments), GetParam().Line);
}

const std::string Help = " ignored; quelmark --help lists the ones it knows";

INSTANTIATE_TEST_SUITE_P(
    Table, UnknownArgumentLine,
    ::testing::Values(TArgumentsCase{{}, ""}, TArgumentsCase{{"-fs", "--demo"}, ""},
                      TArgumentsCase{{"--demo", "-fs"},
                                     "quelmark: unknown argument \"-fs\"" + Help},
                      TArgumentsCase{{"--replay", "a.qrp", "--check"}, ""},
                      TArgumentsCase{{"--check"}, "quelmark: unknown argument \"--check\"" + Help},
                      TArgumentsCase{{"--replay", "--demo"}, ""},
                      TArgumentsCase{{"-fs", "--fast", "x y"},
                                     "quelmark: unknown arguments \"--fast\", \"x y\"" + Help},
                      TArgumentsCase{{"--Demo"}, "quelmark: unknown argument \"--Demo\"" + Help}));

} // namespace

namespace {

// A picture whose top half is red and bottom half blue, so orientation shows.
std::string TwoBandPicture() {
    TPngImage image;
    image.Width = image.Height = 256;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            image.Pixels.push_back(y < 128 ? 255 : 0);
            image.Pixels.push_back(0);
            image.Pixels.push_back(y < 128 ? 0 : 255);
        }
    return EncodePng(image);
}

class LoadingPicture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Screen.Open());
        Global.MediaManager = &Media;
    }
    void TearDown() override { Global.MediaManager = nullptr; }
    // What was presented, y counted from the top of the window.
    std::array<uint8_t, 3> Shown(int x, int y) const {
        std::array<uint8_t, 3> rgb{};
        glReadBuffer(GL_FRONT);
        glReadPixels(x, 599 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    TTestDir Dir;
    TScreen Screen{"", 800, 600, 16, false, 500.0f};
    TFileMediaManager Media;
    TProg Prog{{}};
};

TEST_F(LoadingPicture, ShowsThePictureAtItsPlaceOverTheSky) {
    Dir.WriteFile("media/loading.png", TwoBandPicture());
    Prog.SetupOpenGl();
    Prog.ShowLoadingPicture();
    EXPECT_EQ(Shown(260, 110), (std::array<uint8_t, 3>{255, 0, 0})); // top band at the top
    EXPECT_EQ(Shown(500, 350), (std::array<uint8_t, 3>{0, 0, 255})); // bottom band below
    const auto sky = Shown(240, 90);                                 // just outside
    EXPECT_EQ(sky[1], 255);
    EXPECT_NEAR(sky[0], 178, 2);
    EXPECT_EQ(Shown(510, 360), sky);
}

TEST_F(LoadingPicture, WithoutThePictureTheSkyIsShown) {
    Prog.SetupOpenGl();
    Prog.ShowLoadingPicture();
    EXPECT_EQ(Shown(400, 200), Shown(10, 10));
    EXPECT_EQ(Shown(400, 200)[2], 255);
    EXPECT_NE(Dir.ReadFile("log").find(" Loading media/loading.png\n"), std::string::npos);
}

} // namespace
