// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/volumeindicatorunit.h"

#include "app/settingsunit.h"
#include "support/gamescreen.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

namespace {

const TRgba Lit{255, 210, 63, 255}, Unlit{94, 65, 40, 255}, Cross{200, 40, 30, 255};

// The middle of bar i, near its foot, in window pixels.
TRgba Bar(const TGameScreen& s, int i) {
    const float pitch = (TVolumeIndicator::BarsRight - TVolumeIndicator::BarsLeft) / 10;
    const float x = TVolumeIndicator::Left + TVolumeIndicator::BarsLeft + pitch * (i + 0.5f) - 1;
    return s.Window.Pixel(static_cast<int>(x), static_cast<int>(TVolumeIndicator::Top + 45));
}

struct TLevel {
    int Volume;
    int Lit; // bars lit
};

void PrintTo(const TLevel& c, std::ostream* out) {
    *out << c.Volume << " %";
}

class VolumeIndicator : public ::testing::TestWithParam<TLevel> {};

TEST_P(VolumeIndicator, LightsOneBarPerTenPercent) {
    TGameScreen s;
    s.Fill({0, 0, 0, 255});
    TVolumeIndicator indicator;
    TSettings settings;
    settings.Volume = GetParam().Volume;
    indicator.Draw(settings);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(NearColour(Bar(s, i), i < GetParam().Lit ? Lit : Unlit)) << "bar " << i;
    EXPECT_FALSE(NearColour(s.Window.Pixel(760, 42), Cross)) << "the music is not muted";
}

INSTANTIATE_TEST_SUITE_P(Levels, VolumeIndicator,
                         ::testing::Values(TLevel{0, 0}, TLevel{10, 1}, TLevel{90, 9},
                                           TLevel{100, 10}));

TEST(VolumeIndicatorMute, CrossesOutTheNoteAndRestoresTheGlState) {
    TGameScreen s;
    s.Fill({0, 0, 0, 255});
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    TVolumeIndicator indicator;
    TSettings settings;
    settings.MusicMuted = true;
    indicator.Draw(settings);
    EXPECT_TRUE(NearColour(s.Window.Pixel(760, 42), Cross, 30));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(NearColour(s.Window.Pixel(520, 42), 0, 0, 0)) << "left of the plaque";
}

class NoticePlaque : public ::testing::TestWithParam<bool> {};

// On the panel, only the two glyphs (15 pixels wide, overlapping a column) in the middle.
TEST_P(NoticePlaque, SitsInItsPlaceWithItsTextCentred) {
    TGameScreen s;
    WritePicture(s.Dir, "font", CodedFont());
    s.Fill({0, 0, 0, 255});
    TVolumeIndicator().DrawNotice("XX", GetParam());
    const auto top = static_cast<int>(GetParam() ? TVolumeIndicator::NoticeTopBelow
                                                 : TVolumeIndicator::NoticeTop);
    const int left = static_cast<int>(TVolumeIndicator::Left), textLeft = left + (256 - 15) / 2;
    EXPECT_TRUE(NearColour(s.Window.Pixel(left + 4, top - 1), TRgba{0, 0, 0, 255}));
    int inked = 0, stray = 0;
    for (int y = top + 2; y < top + 22; ++y)
        for (int x = left + 2; x < left + 254; ++x) {
            const bool text = x >= textLeft && x < textLeft + 15 && y >= top + 8 && y < top + 16;
            (text ? inked : stray) += !NearColour(s.Window.Pixel(x, y), TRgba{139, 94, 60, 255});
        }
    EXPECT_EQ(stray, 0);
    EXPECT_GT(inked, 10);
}

INSTANTIATE_TEST_SUITE_P(Places, NoticePlaque, ::testing::Values(false, true));

} // namespace
