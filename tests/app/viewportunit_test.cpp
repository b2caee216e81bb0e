// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/viewportunit.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureViewport, IsTheLargestCentredFourByThreeArea) {
    const struct {
        int Width, Height;
        TViewport Expected;
    } cases[] = {// The design's size and its multiples fill the window.
                 {800, 600, {0, 0, 800, 600}},
                 {1024, 768, {0, 0, 1024, 768}},
                 // Wide screens get bars left and right, tall ones above and below.
                 {1920, 1080, {240, 0, 1440, 1080}},
                 {1080, 1920, {0, 555, 1080, 810}},
                 {1366, 768, {171, 0, 1024, 768}},
                 // One pixel more than 4:3, and odd bars: the odd pixel goes right or up.
                 {801, 600, {0, 0, 800, 600}},
                 {800, 601, {0, 0, 800, 600}},
                 {1025, 600, {112, 0, 800, 600}},
                 {800, 777, {0, 88, 800, 600}},
                 // Sides that are not whole in 4:3 round to the nearest pixel, up and down.
                 {1001, 1000, {0, 124, 1001, 751}},
                 {1000, 749, {0, 0, 999, 749}},
                 {1000, 751, {0, 0, 1000, 750}},
                 // The smallest windows still get a picture of one pixel.
                 {1, 1, {0, 0, 1, 1}},
                 {2, 1, {0, 0, 1, 1}},
                 {0, 0, {0, 0, 1, 1}},
                 {-5, 600, {0, 299, 1, 1}}};
    for (const auto& c : cases) {
        const TViewport area = PictureViewport(c.Width, c.Height, 800, 600);
        EXPECT_EQ(area, c.Expected) << c.Width << "x" << c.Height << " gives " << area.X << ","
                                    << area.Y << " " << area.Width << "x" << area.Height;
    }
}

TEST(PictureViewport, TakesTheShapeOfTheScreenItWasMadeFor) {
    const struct {
        int Width, Height, ShapeWidth, ShapeHeight;
        TViewport Expected;
    } cases[] = {{640, 360, 640, 360, {0, 0, 640, 360}},    {800, 600, 640, 360, {0, 75, 800, 450}},
                 {1000, 360, 640, 360, {180, 0, 640, 360}}, {1280, 720, 16, 9, {0, 0, 1280, 720}},
                 {641, 360, 640, 360, {0, 0, 640, 360}},    {300, 400, 0, -1, {0, 50, 300, 300}}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureViewport(c.Width, c.Height, c.ShapeWidth, c.ShapeHeight), c.Expected)
            << c.Width << "x" << c.Height << " for " << c.ShapeWidth << ":" << c.ShapeHeight;
}

TEST(PictureViewport, IsScaledUpWholeOnlyAtTwiceTheDesignOrMoreAndElseByAFraction) {
    const struct {
        int Width, Height;
        bool Whole, Fraction;
    } cases[] = {{800, 600, false, false},  {1600, 1200, true, false}, {2400, 1800, true, false},
                 {1440, 1080, false, true}, {1599, 1200, false, true}, {2000, 1500, false, true},
                 {640, 480, false, true},   {801, 601, false, true}};
    for (const auto& c : cases) {
        const TViewport area = PictureViewport(c.Width, c.Height, 800, 600);
        EXPECT_EQ(IsWholeScaleUp(area), c.Whole) << c.Width << "x" << c.Height;
        EXPECT_EQ(IsFractionalScale(area), c.Fraction) << c.Width << "x" << c.Height;
    }
}

TEST(PictureViewport, WindowPixelsMapToTheOverlayOfThePicture) {
    const TViewport wide = PictureViewport(1920, 1080, 800, 600),
                    tall = PictureViewport(1080, 1920, 800, 600);
    const struct {
        TViewport Area;
        int SurfaceHeight, X, Y;
        TOverlayPoint Expected;
    } cases[] = {{{0, 0, 800, 600}, 600, 123, 456, {123, 456}},
                 {wide, 1080, 240, 0, {0, 0}},
                 {wide, 1080, 1679, 1079, {799, 599}},
                 {wide, 1080, 960, 540, {400, 300}},
                 {wide, 1080, 239, 10, {0, 5}},
                 {wide, 1080, 1919, 500, {799, 277}},
                 {tall, 1920, 540, 960, {400, 300}},
                 {tall, 1920, 0, 554, {0, 0}},
                 {tall, 1920, 1079, 1365, {799, 599}}};
    for (const auto& c : cases)
        EXPECT_EQ(OverlayPoint(c.Area, c.SurfaceHeight, c.X, c.Y), c.Expected)
            << c.X << "," << c.Y << " of a window " << c.SurfaceHeight << " high";
}

} // namespace
