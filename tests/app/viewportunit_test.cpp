// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/viewportunit.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct TViewportCase {
    int WindowWidth, WindowHeight;
    TViewport Expected;
};

std::ostream& operator<<(std::ostream& out, const TViewportCase& c) {
    return out << c.WindowWidth << "x" << c.WindowHeight;
}

class PictureViewportTest : public testing::TestWithParam<TViewportCase> {};

TEST_P(PictureViewportTest, IsTheLargestCentredFourByThreeArea) {
    const TViewportCase& c = GetParam();
    const TViewport area = PictureViewport(c.WindowWidth, c.WindowHeight);
    EXPECT_EQ(area.X, c.Expected.X);
    EXPECT_EQ(area.Y, c.Expected.Y);
    EXPECT_EQ(area.Width, c.Expected.Width);
    EXPECT_EQ(area.Height, c.Expected.Height);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PictureViewportTest,
    testing::Values(
        // The design's own size and its multiples fill the window.
        TViewportCase{800, 600, {0, 0, 800, 600}}, TViewportCase{1024, 768, {0, 0, 1024, 768}},
        TViewportCase{1600, 1200, {0, 0, 1600, 1200}},
        // Wide screens get bars left and right, tall ones above and below.
        TViewportCase{1920, 1080, {240, 0, 1440, 1080}},
        TViewportCase{1080, 1920, {0, 555, 1080, 810}},
        TViewportCase{1366, 768, {171, 0, 1024, 768}},
        // One pixel more than 4:3: the odd pixel of the bars goes to the right or the top.
        TViewportCase{801, 600, {0, 0, 800, 600}}, TViewportCase{800, 601, {0, 0, 800, 600}},
        TViewportCase{1025, 600, {112, 0, 800, 600}}, TViewportCase{800, 777, {0, 88, 800, 600}},
        // Sides that are not whole in 4:3 round to the nearest pixel, up and down.
        TViewportCase{1001, 1000, {0, 124, 1001, 751}}, TViewportCase{1000, 749, {0, 0, 999, 749}},
        TViewportCase{1000, 751, {0, 0, 1000, 750}}, TViewportCase{802, 600, {1, 0, 800, 600}},
        // The smallest windows still get a picture of one pixel.
        TViewportCase{1, 1, {0, 0, 1, 1}}, TViewportCase{2, 1, {0, 0, 1, 1}},
        TViewportCase{1, 2, {0, 0, 1, 1}}, TViewportCase{0, 0, {0, 0, 1, 1}},
        TViewportCase{-5, 600, {0, 299, 1, 1}}));

TEST(PictureViewport, IsScaledUpWholeOnlyAtTwiceTheDesignOrMore) {
    const struct {
        int Width, Height;
        bool Whole;
    } cases[] = {{800, 600, false},   {1600, 1200, true},  {2400, 1800, true}, {1440, 1080, false},
                 {1599, 1200, false}, {1601, 1201, false}, {3200, 2400, true}, {2000, 1500, false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsWholeScaleUp(PictureViewport(c.Width, c.Height)), c.Whole)
            << c.Width << "x" << c.Height;
}

} // namespace
