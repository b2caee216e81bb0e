// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/screenunit.h"
#include "app/stateunit.h"
#include "support/glwindow.h"
#include "support/testdir.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

namespace {

bool LogHasLine(const TTestDir& dir, const std::string& message) {
    return dir.ReadFile("log").find(" " + message + "\n") != std::string::npos;
}

TEST(Screen, OpensAnOpenGlWindowWithPerspectiveAndBaseState) {
    TTestDir dir;
    TScreen screen("Quelmark test", 320, 240, 16, false, 500.0f);
    ASSERT_TRUE(screen.Open());
    EXPECT_TRUE(screen.IsOpen());
    EXPECT_TRUE(LogHasLine(dir, "Initializing SDL"));
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_STREQ(caption, "Quelmark test");

    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_NEAR(p[5], f, 1e-5);
    EXPECT_NEAR(p[0], f / (320.0 / 240.0), 1e-5);
    EXPECT_NEAR(p[10], (500.0 + 2.0) / (2.0 - 500.0), 1e-5);
    EXPECT_NEAR(p[14], 2.0 * 500.0 * 2.0 / (2.0 - 500.0), 1e-4);

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint depthFunc = 0, matrixMode = 0, viewport[4];
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(depthFunc, GL_LEQUAL);
    EXPECT_EQ(matrixMode, GL_MODELVIEW);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 240);
    GLfloat diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(diffuse[3], 1.0f);

    screen.Close();
    EXPECT_FALSE(screen.IsOpen());
    EXPECT_TRUE(LogHasLine(dir, "Finalizing SDL"));
}

TEST(Screen, SoftwareRenderersAreKnownByTheirNames) {
    const struct {
        const char* Renderer;
        bool Software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Mesa X11 swrast", true},
        {"Software Rasterizer", true},
        {"LLVMPIPE", true},
        {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)", false},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSoftwareRenderer(c.Renderer), c.Software) << c.Renderer;
}

// A window wider than 4:3 draws the picture in its middle, at the window's own pixels, with
// black bars beside it; the overlay's 800 x 600 cover the picture alone.
TEST(Screen, ANativeWindowOfAnotherShapeDrawsBetweenBlackBars) {
    TTestDir dir;
    TScreen screen("Quelmark test", 800, 600, 16, false, 500.0f);
    screen.RenderSize = TRenderSize::Native;
    ASSERT_TRUE(screen.Open());
    screen.Resize(1000, 600);
    EXPECT_EQ(screen.Picture, (TViewport{100, 0, 800, 600}));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 100);
    EXPECT_EQ(viewport[2], 800);
    glClearColor(0.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    DrawTexturedRect(0, 0, 10, 600, 1, 0, 0); // the overlay's left edge
    EndOverlay2D();
    screen.ClearBars();
    const auto pixel = [](int x, int y) {
        std::array<uint8_t, 3> rgb{};
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    };
    EXPECT_EQ(pixel(99, 300), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(pixel(100, 300), (std::array<uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(pixel(109, 300), (std::array<uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(pixel(110, 300), (std::array<uint8_t, 3>{0, 255, 255}));
    EXPECT_EQ(pixel(899, 0), (std::array<uint8_t, 3>{0, 255, 255}));
    EXPECT_EQ(pixel(900, 599), (std::array<uint8_t, 3>{0, 0, 0}));
    // The clear colour is the screen's again for the next frame.
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[1], 1.0f);
    screen.Close();
}

// Every window pixel goes through the one viewport rule, whatever the window's size: a window
// whose picture is 800 x 600 between bars is no exception.
TEST(Screen, AClickLandsOnTheOverlayPointUnderIt) {
    TTestDir dir;
    TScreen screen("Quelmark test", 800, 600, 16, false, 500.0f);
    screen.RenderSize = TRenderSize::Native;
    ASSERT_TRUE(screen.Open());
    const struct {
        int Width, Height, X, Y, OverlayX, OverlayY;
    } cases[] = {{1000, 600, 500, 300, 400, 300}, {1000, 600, 100, 0, 0, 0},
                 {1000, 600, 99, 599, 0, 599},    {1000, 600, 899, 10, 799, 10},
                 {1025, 600, 512, 300, 400, 300}, {800, 700, 400, 350, 400, 300},
                 {800, 700, 10, 50, 10, 0},       {1024, 768, 512, 384, 400, 300},
                 {800, 600, 123, 456, 123, 456}};
    const auto mapped = [&screen](Uint8 type, int x, int y) {
        SDL_Event event{};
        event.type = type;
        auto& position = type == SDL_MOUSEMOTION ? event.motion.x : event.button.x;
        auto& down = type == SDL_MOUSEMOTION ? event.motion.y : event.button.y;
        position = static_cast<Uint16>(x);
        down = static_cast<Uint16>(y);
        screen.MapMouse(event);
        return std::pair<int, int>(position, down);
    };
    for (const auto& c : cases) {
        screen.Resize(c.Width, c.Height);
        for (const Uint8 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEMOTION})
            EXPECT_EQ(mapped(type, c.X, c.Y), std::pair(c.OverlayX, c.OverlayY))
                << c.Width << "x" << c.Height << " at " << c.X << "," << c.Y << " type " << +type;
    }
    screen.Close();
}

// A screen made for another shape than 4:3 keeps it, and fills a window of that shape.
TEST(Screen, APictureHasTheShapeOfItsScreen) {
    TTestDir dir;
    TScreen screen("Quelmark test", 640, 360, 16, false, 500.0f);
    screen.RenderSize = TRenderSize::Native;
    ASSERT_TRUE(screen.Open());
    EXPECT_EQ(screen.Picture, (TViewport{0, 0, 640, 360}));
    screen.Close();
}

// SDL falls back to a driver that shows nothing when no display answers; only a player who
// names it in SDL_VIDEODRIVER gets it.
TEST(Screen, OnlyAnUnaskedHeadlessDriverIsRefused) {
    const struct {
        const char* Driver;
        const char* Requested;
        bool Refused;
    } cases[] = {
        {"x11", nullptr, false},
        {"wayland", "", false},
        {"offscreen", nullptr, true},
        {"dummy", "", true},
        {"offscreen", "x11", true},
        {"dummy", "dummyx", true},
        {"offscreen", "offscreen", false},
        {"dummy", "x11,Dummy", false},
        {"OFFSCREEN", "offscreen,", false},
        {"offscreen", ",x11", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUnaskedHeadlessDriver(c.Driver, c.Requested), c.Refused)
            << c.Driver << " / " << (c.Requested ? c.Requested : "(unset)");
}

TEST(Screen, ClosingAScreenThatNeverOpenedOnlyLogs) {
    TTestDir dir;
    {
        TScreen screen("", 800, 600, 16, false, 500.0f);
        screen.Close();
        EXPECT_FALSE(screen.IsOpen());
    } // the destructor does not close again
    EXPECT_EQ(dir.ReadFile("log").size(), std::string("hh:nn Finalizing SDL\n").size());
}

TEST(Screen, DestructorClosesAnOpenScreen) {
    TTestDir dir;
    {
        TScreen screen("", 64, 64, 16, false, 100.0f);
        ASSERT_TRUE(screen.Open());
    }
    EXPECT_TRUE(LogHasLine(dir, "Finalizing SDL"));
}

TEST(Screen, ZeroHeightPerspectiveIsTakenAsOne) {
    TGlTestWindow window;
    TScreen screen("", 64, 64, 16, false, 100.0f);
    EXPECT_TRUE(screen.SetPerspective(800, 0, 100.0f));
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_TRUE(std::isfinite(p[0]));
    EXPECT_NEAR(p[0], f / 800.0, 1e-6);
}

TEST(MaterialColor, BytesAndFloatsSetFrontDiffuseAndAmbient) {
    TGlTestWindow window;
    SetMaterialColor(255, 51, 0);
    GLfloat diffuse[4], ambient[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(diffuse[1], 0.2f);
    EXPECT_FLOAT_EQ(ambient[0], 1.0f);
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
    SetMaterialColorF(0.25f, 0.5f, 0.75f);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(ambient[2], 0.75f);
}

TEST(TexturedRect, DrawsTopLeftAnchoredAndMirrorsNegativeSizes) {
    TGlTestWindow window(64, 64);
    DrawTexturedRect(10, 5, 20, 10, 1, 0, 0);
    EXPECT_EQ(window.Pixel(15, 8)[0], 255);
    EXPECT_EQ(window.Pixel(15, 8)[1], 0);
    EXPECT_EQ(window.Pixel(15, 20)[0], 0); // below the rectangle
    EXPECT_EQ(window.Pixel(5, 8)[0], 0);   // left of it

    DrawTexturedRect(60, 40, -20, -10, 0, 1, 0); // covers x 40..60, y 30..40
    EXPECT_EQ(window.Pixel(50, 35)[1], 255);
    EXPECT_EQ(window.Pixel(50, 45)[1], 0);
}

} // namespace
