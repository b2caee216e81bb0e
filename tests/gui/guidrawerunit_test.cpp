// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/guidrawerunit.h"

#include "gui/guiunit.h"

#include "support/glwindow.h"
#include "support/guilayout.h"
#include "support/guimedia.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>

namespace {

struct GlyphCase {
    uint8_t Ch;
    float S, T;
};

class GlyphOrigins : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(GlyphOrigins, CellOfTheCodeInTheLowerHalf) {
    const TTexCoord o = GlyphOrigin(GetParam().Ch);
    EXPECT_FLOAT_EQ(o.S, GetParam().S);
    EXPECT_FLOAT_EQ(o.T, GetParam().T);
}

INSTANTIATE_TEST_SUITE_P(Codes, GlyphOrigins,
                         ::testing::Values(GlyphCase{' ', 0, 0.5f}, GlyphCase{'!', 0.0625f, 0.5f},
                                           GlyphCase{'A', 0.0625f, 0.625f},
                                           GlyphCase{'~', 0.875f, 0.8125f},
                                           GlyphCase{159, 0.9375f, 0.9375f},
                                           // control codes and codes above 159 lie beyond the grid
                                           GlyphCase{0, 0, 1.375f}, GlyphCase{31, 0.9375f, 1.4375f},
                                           GlyphCase{255, 0.9375f, 1.3125f}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.Ch); });

class BitmapText : public ::testing::Test {
protected:
    void SetUp() override {
        Media.AddPicture("font", FontPng());
        Media.Manager.GetTexture("font")->Bind();
        glEnable(GL_TEXTURE_2D);
    }
    TGlTestWindow Window{64, 32};
    TGuiTestMedia Media;
};

TEST_F(BitmapText, GlyphsAdvanceBySevenAndOverlapByOneColumn) {
    glColor3f(1, 1, 1);
    DrawText(0, 0, "AB");
    const TRgbBytes a = FontCellColour(1, 2), b = FontCellColour(2, 2);
    for (int y : {0, 7}) {
        for (int x = 0; x <= 6; ++x)
            EXPECT_TRUE(NearColour(Window.Pixel(x, y), a)) << x << ", " << y;
        for (int x = 7; x <= 14; ++x)
            EXPECT_TRUE(NearColour(Window.Pixel(x, y), b)) << x << ", " << y;
    }
    EXPECT_TRUE(NearColour(Window.Pixel(15, 3), 0, 0, 0));
    EXPECT_TRUE(NearColour(Window.Pixel(3, 8), 0, 0, 0));
}

// Filtered smoothly at 1.8 times, a glyph's edge pixels blend in no colour of the cells around.
TEST_F(BitmapText, SmoothCellsAtAFractionalScaleShowNoneOfTheirNeighbours) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    SetSmoothCells(true);
    glColor3f(1, 1, 1);
    glPushMatrix();
    glScalef(1.8f, 1.8f, 1);
    DrawChar(0, 0, 'A');
    glPopMatrix();
    SetSmoothCells(false);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            EXPECT_TRUE(NearColour(Window.Pixel(x, y), FontCellColour(1, 2))) << x << ", " << y;
}

TEST_F(BitmapText, TopLeftCornerAtThePositionInTheCallersColour) {
    glColor3f(1, 0, 1);
    DrawText(20, 10, "!");
    const TRgbBytes bang = FontCellColour(1, 0);
    EXPECT_TRUE(NearColour(Window.Pixel(20, 10), bang[0], 0, bang[2]));
    EXPECT_TRUE(NearColour(Window.Pixel(27, 17), bang[0], 0, bang[2]));
    for (auto [x, y] : {std::pair{19, 10}, {28, 10}, {20, 9}, {20, 18}})
        EXPECT_TRUE(NearColour(Window.Pixel(x, y), 0, 0, 0)) << x << ", " << y;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.0f);
}

} // namespace

namespace {

const TRgbBytes Blue{0, 0, 255};
const TRgbBytes WindowSkin{40, 40, 200}, ControlSkin{100, 40, 120}, DisabledSkin{40, 100, 60},
    BarSkin{150, 150, 30}, Tick{250, 20, 20};

class TexturedSkin : public ::testing::Test {
protected:
    void SetUp() override {
        Media.AddPicture("font", FontPng());
        Media.AddPicture("interf3", SkinPng(WindowSkin));
        Media.AddPicture("interf3b", SkinPng(DisabledSkin));
        Media.AddPicture("interf4", SkinPng(ControlSkin));
        Media.AddPicture("interf4g", SkinPng(DisabledSkin));
        Media.AddPicture("interf6", SkinPng(BarSkin, true));
        Media.AddPicture("interftick", SolidPng(Tick, 16));
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE); // as the game draws
        glColor3f(1, 1, 1);
    }
    template <class T> T* Place(int32_t left, int32_t top, int32_t w, int32_t h) {
        auto widget = std::make_unique<T>();
        widget->Left = left;
        widget->Top = top;
        widget->SetWidth(w);
        widget->SetHeight(h);
        return Desktop.Add(std::move(widget));
    }

    TGlTestWindow Window{800, 600};
    TGuiTestMedia Media;
    TUiDesktop Desktop;
    TGuiDrawer Drawer{Media.Manager};
};

TEST_F(TexturedSkin, NineSliceFrameCutsTheTopLeftThreeQuarters) {
    Media.Manager.GetTexture("interf4")->Bind();
    DrawFrame(10, 20, 100, 60);
    const struct {
        const char* Piece;
        int X, Y, Column, Row;
    } probes[] = {
        {"top-left", 10, 20, 0, 0},     {"top-left inner", 25, 35, 0, 0},
        {"bottom-left", 10, 79, 0, 2},  {"top-right", 109, 20, 2, 0},
        {"bottom-right", 94, 64, 2, 2}, {"top edge", 60, 28, 1, 0},
        {"bottom edge", 60, 72, 1, 2},  {"left edge", 18, 50, 0, 1},
        {"right edge", 101, 50, 2, 1},  {"centre", 60, 50, 1, 1},
    };
    for (const auto& p : probes)
        EXPECT_TRUE(
            NearColour(Window.Pixel(p.X, p.Y), SkinCellColour(ControlSkin, p.Column, p.Row)))
            << p.Piece;
    for (auto [x, y] : {std::pair{9, 20}, {110, 20}, {10, 19}, {10, 80}})
        EXPECT_TRUE(NearColour(Window.Pixel(x, y), Blue)) << x << ", " << y;
}

TEST_F(TexturedSkin, LowFramesShareTheirHeightBetweenTheCorners) {
    Media.Manager.GetTexture("interf4")->Bind();
    DrawFrame(10, 20, 100, 24); // top corners and edge 12 high, bottom ones 12 high
    for (auto [x, y, column, row] : {std::tuple{10, 20, 0, 0},
                                     {10, 43, 0, 2},
                                     {60, 22, 1, 0},
                                     {60, 42, 1, 2},
                                     {109, 43, 2, 2}})
        EXPECT_TRUE(NearColour(Window.Pixel(x, y), SkinCellColour(ControlSkin, column, row)))
            << x << ", " << y;
    EXPECT_TRUE(NearColour(Window.Pixel(60, 44), Blue));
}

TEST_F(TexturedSkin, EveryKindOfTheSampleLayout) {
    TUiDesktop desktop;
    LoadEveryKindLayout(desktop);
    Named<TUiEdit>(desktop, "Name").SetFocus();
    Drawer.Draw(desktop);

    const TRgbBytes window = SkinCellColour(WindowSkin, 1, 1);
    const TRgbBytes nameEdge = SkinCellColour(ControlSkin, 1, 0);
    const struct {
        const char* Widget;
        int X, Y;
        TRgbBytes Want;
    } probes[] = {
        // stretched tiles are probed well inside: linear filtering blends their far ends
        {"Main", 150, 220, window},
        {"Name", 85, 8, {nameEdge[0], nameEdge[1], 0}},
        {"Password", 90, 8, SkinCellColour(ControlSkin, 1, 0)},
        {"Cancel", 60, 8, SkinCellColour(DisabledSkin, 1, 0)},
        {"Sound", 16, 16, Tick},
        {"Music", 4, 4, SkinCellColour(ControlSkin, 0, 0)},
        {"Range", 100, 8, window}, // multi-trackers have no textured look
        {"Health", 60, 20, {255, 255, 0}},
        {"Health", 190, 20, window},
        {"Hidden", 45, 17, window},
        {"Notes", 100, 4, SkinCellColour(WindowSkin, 1, 0)}, // rolled up: the strip's frame
        {"Notes", 20, 34, Blue},                             // and no children
        {"Off", 270, 100, SkinCellColour(DisabledSkin, 1, 1)},
    };
    for (const auto& p : probes) {
        const auto [x, y] = ScreenCorner(*desktop.FindByName(p.Widget));
        EXPECT_TRUE(NearColour(Window.Pixel(x + p.X, y + p.Y), p.Want)) << p.Widget;
    }
}

struct BarCase {
    int32_t Width, Max, Position, Fill;
};

class BarFills : public ::testing::TestWithParam<BarCase> {};

TEST_P(BarFills, WidthOfTheReachedPartLessTheBorder) {
    TUiBar bar;
    bar.SetWidth(GetParam().Width);
    bar.Max = GetParam().Max;
    bar.Position = GetParam().Position;
    EXPECT_EQ(BarFillWidth(bar).value_or(-999), GetParam().Fill);
}

INSTANTIATE_TEST_SUITE_P(Cases, BarFills,
                         ::testing::Values(BarCase{200, 100, 150, 198}, BarCase{200, 100, 50, 98},
                                           BarCase{100, 3, 1, 31}, BarCase{200, 100, 0, -999},
                                           BarCase{200, 100, -5, -999}, BarCase{200, 0, 5, -999},
                                           BarCase{INT32_MIN, 1, 1, INT32_MIN}));

} // namespace
