// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/keycapsunit.h"

#include "support/gamescreen.h"

#include <gtest/gtest.h>

namespace {

TEST(CentredRow, StartsEachPieceAfterTheLastAndTheGap) {
    EXPECT_EQ(CentredRow({10, 20, 30}, 5, 100), (std::vector<double>{65, 80, 105}));
    EXPECT_EQ(CentredRow({40}, 6, 105), (std::vector<double>{85}));
    EXPECT_EQ(CentredRow({}, 6, 105), std::vector<double>{});
}

TEST(KeyCaps, ReadTheGeneratedAdvancesAndFitTheCapsToTheirCaptions) {
    TGameScreen s;
    const TKeyCaps caps(std::string(QUELMARK_MEDIA_DIR) + "/keyparts.png");
    ASSERT_TRUE(caps.Loaded());
    using keyparts::TCapSize;
    const double ctrl = caps.CaptionWidth(TCapSize::Card, "Ctrl");
    EXPECT_GT(ctrl, 15);
    EXPECT_LT(ctrl, 35);
    EXPECT_DOUBLE_EQ(caps.CaptionWidth(TCapSize::Card, "CtrlCtrl"), 2 * ctrl);
    EXPECT_GT(caps.CaptionWidth(TCapSize::Title, "Ctrl"), ctrl) << "larger letters on the title";
    EXPECT_DOUBLE_EQ(caps.CapWidth(TCapSize::Card, "Ctrl"), ctrl + 19 * 0.7);
    EXPECT_DOUBLE_EQ(caps.CapWidth(TCapSize::Card, ","), 19) << "never narrower than square";
    EXPECT_GT(caps.LabelWidth(2), caps.LabelWidth(0)) << "the swing's words are the longest";
}

TEST(KeyCaps, AMissingFileIsLoggedAndDrawsNothing) {
    TGameScreen s;
    const TKeyCaps caps("media/none.png");
    EXPECT_FALSE(caps.Loaded());
    EXPECT_TRUE(s.Logged("Unable to load texture media/none.png"));
    s.Fill({255, 255, 255, 255});
    caps.DrawCardRow(TKeyBindings(), 400, 400);
    EXPECT_EQ(s.Window.Pixel(300, 410), (TRgba{255, 255, 255, 255}));
}

} // namespace
