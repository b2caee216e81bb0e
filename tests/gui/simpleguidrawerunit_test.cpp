// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/simpleguidrawerunit.h"

#include "gui/guidrawerunit.h"
#include "gui/guiunit.h"
#include "support/glwindow.h"
#include "support/guilayout.h"
#include "support/guimedia.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

using namespace simpleguidrawerunit;

TRgbBytes Bytes(const TRgb& c) {
    return {static_cast<uint8_t>(c[0] * 255 + 0.5f), static_cast<uint8_t>(c[1] * 255 + 0.5f),
            static_cast<uint8_t>(c[2] * 255 + 0.5f)};
}

const TRgbBytes Blue{0, 0, 255};
const TRgbBytes Black{0, 0, 0};

class FlatSkin : public ::testing::Test {
protected:
    void SetUp() override {
        Media.AddPicture("font", FontPng());
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE); // as the game draws
    }
    template <class T>
    T* Place(TUiContainer& parent, int32_t left, int32_t top, int32_t w, int32_t h) {
        auto widget = std::make_unique<T>();
        widget->Left = left;
        widget->Top = top;
        widget->SetWidth(w);
        widget->SetHeight(h);
        return parent.Add(std::move(widget));
    }
    TRgbBytes At(int x, int y) const {
        const auto p = Window.Pixel(x, y);
        return {p[0], p[1], p[2]};
    }

    TGlTestWindow Window{800, 600};
    TGuiTestMedia Media;
    TUiDesktop Desktop;
    simpleguidrawerunit::TGuiDrawer Drawer{Media.Manager};
};

TEST_F(FlatSkin, FocusedEditShowsItsColourAndTheMaskedTextWithACursor) {
    auto* edit = Place<TUiEdit>(Desktop, 20, 36, 60, 20);
    edit->Mask = true;
    edit->Text = "abc";
    edit->SetFocus();
    Drawer.Draw(Desktop);
    // Four glyphs from x 28, 7 apart and 8 wide: black up to x 56.
    EXPECT_TRUE(NearColour(Window.Pixel(50, 52), Bytes(ColorFocused)));
    EXPECT_TRUE(NearColour(Window.Pixel(27, 44), Bytes(ColorFocused)));
    EXPECT_TRUE(NearColour(Window.Pixel(28, 40), Black));
    EXPECT_TRUE(NearColour(Window.Pixel(56, 47), Black));
    EXPECT_TRUE(NearColour(Window.Pixel(57, 44), Bytes(ColorFocused)));
    EXPECT_TRUE(NearColour(Window.Pixel(28, 48), Bytes(ColorFocused)));
}

// A probe: a colour at an offset from a named widget's top-left corner.
struct Probe {
    const char* Widget;
    int X, Y;
    TRgbBytes Want;
};

TEST_F(FlatSkin, EveryKindOfTheSampleLayout) {
    TUiDesktop desktop;
    LoadEveryKindLayout(desktop);
    Named<TUiEdit>(desktop, "Name").SetFocus();
    Named<TUiList>(desktop, "Levels").ItemIndex = 1;
    auto& volume = Named<TUiTracker>(desktop, "Volume");
    Drawer.Draw(desktop);

    const TRgbBytes window = Bytes(ColorWindow), control = Bytes(ColorControl);
    const Probe probes[] = {
        {"Main", 420, 390, window},
        {"Name", 160, 28, Bytes(ColorFocused)},
        {"Password", 170, 28, Bytes(ColorEdit)},
        {"Ok", 95, 30, control},
        {"Cancel", 105, 30, Bytes(ColorDisabled)},
        {"Sound", 4, 4, {0, 255, 0}},
        {"Music", 4, 4, {255, 0, 0}},
        {"Levels", 170, 30, {255, 255, 255}},
        {"Levels", 170, 90, control},
        {"Volume", volume.PositionToX(70), 30, {255, 255, 255}},
        {"Volume", 225, 30, control},
        {"Range", 225, 8, control},
        {"Health", 225, 20, window}, // bars have no flat look
        {"Apply", 100, 30, control},
        {"Hidden", 45, 17, window}, // on the layer that is not shown
        {"Notes", 250, 12, control},
        {"Notes", 250, 30, Blue}, // rolled up
        {"Help", 290, 140, window},
        {"Off", 290, 110, Bytes(ColorDisabled)},
    };
    for (const Probe& p : probes) {
        const auto [x, y] = ScreenCorner(*desktop.FindByName(p.Widget));
        EXPECT_TRUE(NearColour(Window.Pixel(x + p.X, y + p.Y), p.Want)) << p.Widget;
    }
    const auto [mainX, mainY] = ScreenCorner(Named<TUiWindow>(desktop, "Main"));
    EXPECT_TRUE(NearColour(Window.Pixel(mainX + 200, mainY + 12), control)) << "title bar";
    EXPECT_TRUE(At(mainX, mainY + 200) == Black || At(mainX - 1, mainY + 200) == Black)
        << "outline";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

struct RollCase {
    const char* Name;
    bool Rollable, Open, Visible;
    bool Strip, Body, Child;
};

class WindowLooks : public FlatSkin, public ::testing::WithParamInterface<RollCase> {};

TEST_P(WindowLooks, ClosedRollableShowsTheTitleBarOnly) {
    const RollCase c = GetParam();
    TUiWindow* window = nullptr;
    if (c.Rollable) {
        auto* rollable = Place<TUiRollableWindow>(Desktop, 20, 20, 120, 100);
        rollable->Open = c.Open;
        window = rollable;
    } else {
        window = Place<TUiWindow>(Desktop, 20, 20, 120, 100);
    }
    window->MarginTop = 16;
    window->Visible = c.Visible;
    Place<TUiButton>(*window, 0, 20, 40, 20)->Caption = ""; // at 20, 56
    Drawer.Draw(Desktop);
    EXPECT_TRUE(NearColour(Window.Pixel(100, 28), c.Strip ? Bytes(ColorControl) : Blue));
    EXPECT_TRUE(NearColour(Window.Pixel(100, 90), c.Body ? Bytes(ColorWindow) : Blue));
    EXPECT_TRUE(NearColour(Window.Pixel(30, 70), c.Child ? Bytes(ColorControl) : Blue));
    if (c.Strip && !c.Body) {
        EXPECT_TRUE(At(100, 36) == Black || At(100, 35) == Black) << "strip outline";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowLooks,
    ::testing::Values(RollCase{"ClosedRollable", true, false, true, true, false, false},
                      RollCase{"OpenRollable", true, true, true, true, true, true},
                      RollCase{"HiddenRollable", true, true, false, false, false, false},
                      RollCase{"HiddenPlainWindow", false, false, false, true, true, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FlatText, BlackGlyphsWithTexturingSwitchedOnOnlyWhileDrawing) {
    TGlTestWindow window{64, 32};
    TGuiTestMedia media;
    media.AddPicture("font", FontPng());
    media.Manager.GetTexture("font")->Bind();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    simpleguidrawerunit::DrawText(0, 0, "AB");
    for (int x : {0, 7, 14})
        EXPECT_TRUE(NearColour(window.Pixel(x, 4), 0, 0, 0)) << x;
    EXPECT_TRUE(NearColour(window.Pixel(15, 4), 255, 255, 255));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

} // namespace
