// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/guiextraunit.h"

#include "support/glwindow.h"
#include "support/guilayout.h"
#include "support/guimedia.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

namespace {

TEST(NumberAdvance, RoundsTheScaledCellWidth) {
    EXPECT_EQ(NumberAdvance(1), 32);
    EXPECT_EQ(NumberAdvance(0.5f), 16);
    EXPECT_EQ(NumberAdvance(0.3f), 10); // 9.6
    EXPECT_EQ(NumberAdvance(0.2f), 6);  // 6.4
}

class LargeDigits : public ::testing::Test {
protected:
    void SetUp() override {
        Media.AddPicture("numbers", NumbersPng());
        Media.AddPicture("font", FontPng());
        Media.Manager.GetTexture("font")->Bind(); // DrawNumbers binds its own picture
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 0, 0);
    }
    TGlTestWindow Window{96, 80};
    TGuiTestMedia Media;
};

struct AdvanceCase {
    float Scale;
    int Advance, Width, Height;
};

class NumberScales : public LargeDigits, public ::testing::WithParamInterface<AdvanceCase> {};

TEST_P(NumberScales, DigitsAdvanceByTheRoundedWidthInWhite) {
    const AdvanceCase c = GetParam();
    DrawNumbers(0, 0, "10", c.Scale);
    const TRgbBytes one = DigitCellColour(1, 0), zero = DigitCellColour(0, 0);
    EXPECT_TRUE(NearColour(Window.Pixel(0, 0), one));
    EXPECT_TRUE(NearColour(Window.Pixel(c.Advance - 1, c.Height - 1), one));
    EXPECT_TRUE(NearColour(Window.Pixel(c.Advance, 0), zero));
    EXPECT_TRUE(NearColour(Window.Pixel(c.Advance + c.Width - 1, c.Height - 1), zero));
    EXPECT_TRUE(NearColour(Window.Pixel(c.Advance + c.Width, 0), 0, 0, 0));
    EXPECT_TRUE(NearColour(Window.Pixel(0, c.Height), 0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Scales, NumberScales,
                         ::testing::Values(AdvanceCase{1, 32, 32, 64},
                                           AdvanceCase{0.5f, 16, 16, 32}),
                         [](const auto& info) {
                             return "Advance" + std::to_string(info.param.Advance);
                         });

TEST_F(LargeDigits, ASpaceDrawsNothingButStillAdvances) {
    DrawNumbers(0, 0, " 8", 0.5f);
    EXPECT_TRUE(NearColour(Window.Pixel(8, 8), 0, 0, 0));
    EXPECT_TRUE(NearColour(Window.Pixel(16, 0), DigitCellColour(0, 1)));
}

} // namespace

namespace {

TEST(ErrorWindow, TitledBoxWithTheMessageAndACloseButton) {
    TUiDesktop desktop;
    auto* window = desktop.Add(std::make_unique<TUiErrorWindow>("Disk full"));
    EXPECT_EQ(window->Title, "Error");
    EXPECT_EQ(window->GetWidth(), 300);
    EXPECT_EQ(window->GetHeight(), 100);
    EXPECT_EQ(std::pair(window->Left, window->Top), std::pair(300, 200));
    ASSERT_EQ(window->ChildCount(), 2);
    auto* button = dynamic_cast<TUiButton*>(window->Child(0));
    auto* label = dynamic_cast<TUiLabel*>(window->Child(1));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(button->Caption, "Close");
    EXPECT_EQ(std::pair(button->GetWidth(), button->GetHeight()), std::pair(84, 32));
    EXPECT_EQ(ScreenCorner(*button), std::pair(495, 256));
    EXPECT_EQ(label->Caption, "Disk full");
    EXPECT_EQ(std::pair(label->GetWidth(), label->GetHeight()), std::pair(200, 10));
    EXPECT_EQ(ScreenCorner(*label), std::pair(315, 226));
    EXPECT_TRUE(window->IsDragArea(0, 16));
    EXPECT_FALSE(window->IsDragArea(0, 17));
}

TEST(ErrorWindow, ShownModallyItBlocksTheDesktopUntilClosed) {
    TUiDesktop desktop;
    int clicks = 0;
    auto below = std::make_unique<TUiButton>();
    below->OnClick = [&clicks](TUiWidget&) { ++clicks; };
    desktop.Add(std::move(below));
    desktop.ShowModal(std::make_unique<TUiErrorWindow>("Oops"));
    EXPECT_EQ(desktop.ModalLevel, 1);
    desktop.MouseDown(10, 10, mbLeft);
    desktop.MouseUp(10, 10, mbLeft);
    EXPECT_EQ(clicks, 0);

    desktop.MouseMove(500, 260);
    desktop.MouseDown(500, 260, mbLeft);
    desktop.MouseUp(500, 260, mbLeft);
    EXPECT_EQ(desktop.ChildCount(), 1);
    EXPECT_EQ(desktop.ModalLevel, 0);
    EXPECT_EQ(desktop.Focused, nullptr);
    desktop.MouseMove(10, 10);
    desktop.MouseDown(10, 10, mbLeft);
    desktop.MouseUp(10, 10, mbLeft);
    EXPECT_EQ(clicks, 1);
}

TEST(ErrorWindow, LeavingCloseBeforeTheReleaseKeepsTheWindow) {
    TUiDesktop desktop;
    desktop.ShowModal(std::make_unique<TUiErrorWindow>("Oops"));
    desktop.MouseMove(500, 260);
    desktop.MouseDown(500, 260, mbLeft);
    desktop.MouseMove(400, 280);
    desktop.MouseUp(400, 280, mbLeft);
    EXPECT_EQ(desktop.ChildCount(), 1);
    EXPECT_EQ(desktop.ModalLevel, 1);
}

} // namespace
