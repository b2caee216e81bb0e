// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Routing through the widget tree, driven by events on a desktop without a window.
#include "gui/guiunit.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Every press, release and motion a widget's own handlers see, as "name:x,y".
struct TLog {
    std::vector<std::string> Events;

    void Add(const char* what, TUiWidget& w, int32_t x, int32_t y) {
        Events.push_back(what + w.Name + ":" + std::to_string(x) + "," + std::to_string(y));
    }
    template <class T> T* Watch(T* widget) {
        widget->OnMouseDown = [this](TUiWidget& w, int32_t x, int32_t y, TMouseButton) {
            Add("down ", w, x, y);
        };
        widget->OnMouseUp = [this](TUiWidget& w, int32_t x, int32_t y, TMouseButton) {
            Add("up ", w, x, y);
        };
        widget->OnMouseMove = [this](TUiWidget& w, int32_t x, int32_t y) { Add("move ", w, x, y); };
        return widget;
    }
};

template <class T>
T* Place(TUiContainer& parent, const std::string& name, int32_t left, int32_t top, int32_t width,
         int32_t height) {
    T* widget = parent.Add(std::make_unique<T>());
    widget->Name = name;
    widget->Left = left;
    widget->Top = top;
    widget->SetWidth(width);
    widget->SetHeight(height);
    return widget;
}

TUiWindow* PlaceWindow(TUiContainer& parent, const std::string& name, int32_t left, int32_t top,
                       int32_t marginTop = 16) {
    TUiWindow* window = Place<TUiWindow>(parent, name, left, top, 200, 100);
    window->MarginTop = marginTop;
    window->MarginLeft = 4;
    return window;
}

struct TContainsCase {
    int32_t X, Y;
    bool Inside;
    friend void PrintTo(const TContainsCase& c, std::ostream* os) { *os << c.X << "," << c.Y; }
};

class ContainsPointTest : public ::testing::TestWithParam<TContainsCase> {};

TEST_P(ContainsPointTest, EdgesAreInclusive) {
    TUiWidget widget;
    widget.Left = 0;
    widget.Top = 10;
    EXPECT_EQ(widget.ContainsPoint(GetParam().X, GetParam().Y), GetParam().Inside);
}

INSTANTIATE_TEST_SUITE_P(Edges, ContainsPointTest,
                         ::testing::Values(TContainsCase{0, 10, true}, TContainsCase{100, 10, true},
                                           TContainsCase{100, 60, true}, TContainsCase{0, 60, true},
                                           TContainsCase{-1, 30, false},
                                           TContainsCase{101, 30, false},
                                           TContainsCase{50, 9, false},
                                           TContainsCase{50, 61, false}));

TEST(RoutingTest, TopmostChildWinsAndAPressedWindowIsRaised) {
    TUiDesktop desktop;
    TLog log;
    TUiWindow* below = log.Watch(PlaceWindow(desktop, "below", 0, 0));
    TUiWindow* above = log.Watch(PlaceWindow(desktop, "above", 50, 30));
    desktop.MouseDown(60, 60, mbLeft);
    EXPECT_EQ(log.Events, std::vector<std::string>{"down above:10,30"});
    EXPECT_EQ(desktop.Child(1), above);

    desktop.MouseDown(10, 50, mbLeft); // only the lower window is there
    EXPECT_EQ(log.Events.back(), "down below:10,50");
    EXPECT_EQ(desktop.Child(1), below);
    desktop.MouseDown(60, 60, mbLeft); // now the raised one covers the overlap
    EXPECT_EQ(log.Events.back(), "down below:60,60");
}

TEST(RoutingTest, PressesTravelDownThroughNestedContainersInInnerCoordinates) {
    TUiDesktop desktop;
    TLog log;
    TUiWindow* window = PlaceWindow(desktop, "window", 100, 50);
    TUiPage* page = Place<TUiPage>(*window, "page", 10, 20, 100, 60);
    page->MarginLeft = 2;
    page->MarginTop = 3;
    TUiWidget* inner = log.Watch(Place<TUiWidget>(*page, "inner", 5, 7, 30, 30));
    // Inner origin of the page on the screen: 100 + 4 + 10 + 2, 50 + 16 + 20 + 3.
    desktop.MouseDown(116 + 5 + 1, 89 + 7 + 2, mbLeft);
    EXPECT_EQ(log.Events, std::vector<std::string>{"down inner:1,2"});
    EXPECT_EQ(desktop.Focused, inner);
}

TEST(RoutingTest, HiddenAndDisabledChildrenLetEventsFallThrough) {
    for (bool hide : {true, false}) {
        TUiDesktop desktop;
        TLog log;
        TUiWindow* window = log.Watch(PlaceWindow(desktop, "window", 0, 0));
        TUiWidget* lower = log.Watch(Place<TUiWidget>(*window, "lower", 0, 0, 50, 50));
        TUiWidget* upper = log.Watch(Place<TUiWidget>(*window, "upper", 20, 0, 50, 50));
        (hide ? upper->Visible : upper->Enabled) = false;
        desktop.MouseDown(4 + 30, 16 + 10, mbLeft);
        desktop.MouseUp(4 + 60, 16 + 10, mbLeft);
        EXPECT_EQ(log.Events, (std::vector<std::string>{"down lower:30,10", "up window:64,26"}));
        EXPECT_EQ(desktop.Focused, lower);
        desktop.MouseDown(4 + 60, 16 + 10, mbLeft);
        EXPECT_EQ(desktop.Focused, window) << "nothing hit inside: the window itself";
    }
}

struct TStripCase {
    int32_t WindowY;
    TMouseButton Button;
    bool Drags;
    friend void PrintTo(const TStripCase& c, std::ostream* os) {
        *os << "y" << c.WindowY << " button " << c.Button;
    }
};

class DragStripTest : public ::testing::TestWithParam<TStripCase> {};

TEST_P(DragStripTest, OnlyALeftPressOnTheTopMarginDrags) {
    TUiDesktop desktop;
    TLog log;
    TUiWindow* window = log.Watch(PlaceWindow(desktop, "window", 30, 40, 16));
    desktop.MouseDown(30 + 50, 40 + GetParam().WindowY, GetParam().Button);
    EXPECT_EQ(desktop.DragWindow, GetParam().Drags ? window : nullptr);
    EXPECT_EQ(log.Events.empty(), GetParam().Drags);
}

INSTANTIATE_TEST_SUITE_P(Strip, DragStripTest,
                         ::testing::Values(TStripCase{0, mbLeft, true},
                                           TStripCase{16, mbLeft, true},
                                           TStripCase{17, mbLeft, false},
                                           TStripCase{5, mbRight, false},
                                           TStripCase{5, mbMiddle, false}));

TEST(RoutingTest, DraggingMovesTheWindowUnderThePointerAndHidesTheEvents) {
    TUiDesktop desktop;
    TLog log;
    TUiWindow* window = log.Watch(PlaceWindow(desktop, "window", 30, 40));
    log.Watch(&desktop);
    desktop.MouseDown(35, 45, mbLeft);
    desktop.MouseMove(135, 245);
    EXPECT_EQ(window->Left, 130);
    EXPECT_EQ(window->Top, 240);
    desktop.MouseMove(600, 10);
    EXPECT_EQ(window->Left, 595);
    EXPECT_EQ(window->Top, 5);
    desktop.MouseUp(600, 10, mbLeft);
    EXPECT_EQ(desktop.DragWindow, nullptr);
    EXPECT_TRUE(log.Events.empty());
    desktop.MouseMove(700, 500);
    EXPECT_EQ(window->Left, 595);
    EXPECT_EQ(log.Events, std::vector<std::string>{"move Desktop1:700,500"});
}

TEST(RoutingTest, AModalWindowStopsPressesElsewhereAndTheyKeepTheFocus) {
    TUiDesktop desktop;
    TLog log;
    TUiWindow* plain = log.Watch(PlaceWindow(desktop, "plain", 0, 0));
    TUiWidget* loose = log.Watch(Place<TUiWidget>(desktop, "loose", 400, 0, 50, 50));
    auto modal = std::make_unique<TUiWindow>();
    modal->Name = "modal";
    modal->Left = 200;
    modal->Top = 200;
    TUiWidget* raw = log.Watch(desktop.ShowModal(std::move(modal)));
    EXPECT_EQ(desktop.ModalLevel, 1);
    EXPECT_EQ(desktop.Focused, nullptr);
    desktop.SetFocused(plain);

    desktop.MouseDown(10, 50, mbLeft);
    desktop.MouseDown(410, 10, mbLeft);
    desktop.MouseDown(600, 500, mbLeft); // the desktop itself
    EXPECT_TRUE(log.Events.empty());
    EXPECT_EQ(desktop.Focused, plain);
    EXPECT_EQ(desktop.Child(0), plain) << "not raised";

    desktop.MouseDown(210, 230, mbLeft);
    EXPECT_EQ(log.Events, std::vector<std::string>{"down modal:10,30"});
    EXPECT_EQ(desktop.Focused, raw);
    (void)loose;
}

TEST(RoutingTest, KeysGoToTheFocusedWidgetOnly) {
    TUiDesktop desktop;
    TUiEdit* edit = Place<TUiEdit>(desktop, "edit", 0, 0, 100, 20);
    desktop.KeyPress('a');
    desktop.SetFocused(&desktop);
    desktop.KeyPress('b');
    EXPECT_EQ(edit->Text, "");
    edit->SetFocus();
    EXPECT_TRUE(edit->IsFocused());
    desktop.KeyPress('c');
    EXPECT_EQ(edit->Text, "c");
    desktop.ClearFocus();
    desktop.KeyPress('d');
    EXPECT_EQ(edit->Text, "c");
}

TEST(RoutingTest, FindByNameSearchesNestedChildrenIgnoringCase) {
    TUiDesktop desktop;
    TUiWindow* window = PlaceWindow(desktop, "Main", 0, 0);
    TUiPage* page = Place<TUiPage>(*window, "Page", 0, 0, 10, 10);
    TUiEdit* edit = Place<TUiEdit>(*page, "Edit1", 0, 0, 10, 10);
    TUiEdit* later = Place<TUiEdit>(desktop, "edit1", 0, 0, 10, 10);
    EXPECT_EQ(window->FindByName("EDIT1"), edit);
    EXPECT_EQ(desktop.FindByName("EDIT1"), later) << "the last child is searched first";
    EXPECT_EQ(desktop.FindByName("page"), page);
    EXPECT_EQ(window->FindByName("Main"), nullptr) << "its own name is not compared";
    EXPECT_EQ(desktop.FindByName("Edit"), nullptr);

    const std::string longName(300, 'x');
    later->SetName(longName);
    EXPECT_EQ(later->Name.size(), MaxNameLength);
    EXPECT_EQ(desktop.FindByName(longName), later);
}

TEST(RoutingTest, HoverFollowsThePointerAndPublishesTheHint) {
    TUiDesktop desktop;
    TUiButton* button = Place<TUiButton>(desktop, "button", 0, 0, 50, 50);
    button->Hint = "press me";
    desktop.Hint = "desktop";
    desktop.MouseMove(10, 10);
    EXPECT_EQ(desktop.HoverWidget, button);
    EXPECT_EQ(desktop.CurrentHint, "press me");
    desktop.MouseDown(10, 10, mbLeft);
    EXPECT_TRUE(button->Down);
    desktop.MouseMove(70, 10);
    EXPECT_EQ(desktop.HoverWidget, &desktop);
    EXPECT_EQ(desktop.CurrentHint, "desktop");
    EXPECT_FALSE(button->Down) << "leaving ends the press";
}

TEST(RoutingTest, DestroyingAWidgetClearsHoverFocusDragAndTheModalLevel) {
    TUiDesktop desktop;
    auto owned = std::make_unique<TUiWindow>();
    owned->ModalLevel = 2;
    owned->MarginLeft = 4;
    owned->MarginTop = 16;
    owned->Left = 0;
    TUiWindow* window = desktop.Add(std::move(owned));
    EXPECT_EQ(desktop.ModalLevel, 2);
    TUiButton* button = Place<TUiButton>(*window, "button", 0, 0, 50, 50);

    desktop.MouseMove(4 + 10, 16 + 10);
    desktop.MouseDown(4 + 10, 16 + 10, mbLeft);
    EXPECT_EQ(desktop.HoverWidget, button);
    EXPECT_EQ(desktop.Focused, button);
    button->Destroy();
    EXPECT_EQ(window->ChildCount(), 0);
    EXPECT_EQ(desktop.HoverWidget, nullptr);
    EXPECT_EQ(desktop.Focused, nullptr);

    desktop.MouseMove(4 + 10, 16 + 10);
    desktop.MouseDown(10, 5, mbLeft);
    EXPECT_EQ(desktop.DragWindow, window);
    EXPECT_EQ(desktop.HoverWidget, window);
    window->Destroy();
    EXPECT_EQ(desktop.ChildCount(), 0);
    EXPECT_EQ(desktop.DragWindow, nullptr);
    EXPECT_EQ(desktop.HoverWidget, nullptr);
    EXPECT_EQ(desktop.Focused, nullptr);
    EXPECT_EQ(desktop.ModalLevel, 0);
    desktop.MouseMove(50, 50); // no window left to move
}

TEST(RoutingTest, AHandlerMayDestroyItsOwnWindow) {
    TUiDesktop desktop;
    TUiWindow* window = PlaceWindow(desktop, "window", 0, 0);
    TUiButton* close = Place<TUiButton>(*window, "close", 10, 10, 50, 20);
    close->OnClick = [window](TUiWidget&) { window->Destroy(); };
    desktop.MouseMove(4 + 20, 16 + 20);
    desktop.MouseDown(4 + 20, 16 + 20, mbLeft);
    desktop.MouseUp(4 + 20, 16 + 20, mbLeft);
    EXPECT_EQ(desktop.ChildCount(), 0);
    EXPECT_EQ(desktop.HoverWidget, nullptr);
    desktop.MouseMove(4 + 21, 16 + 20);
    EXPECT_EQ(desktop.HoverWidget, &desktop);
}

} // namespace
