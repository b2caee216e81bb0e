// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What each widget kind does with the events routed to it.
#include "gui/guiunit.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct TDefaultsCase {
    const char* Element;
    const char* Name;
    int32_t Width, Height, Left;
    friend void PrintTo(const TDefaultsCase& c, std::ostream* os) { *os << c.Element; }
};

class DefaultsTest : public ::testing::TestWithParam<TDefaultsCase> {};

TEST_P(DefaultsTest, EachKindStartsWithItsOwnNameSizeAndPlace) {
    const TDefaultsCase& c = GetParam();
    std::unique_ptr<TUiWidget> widget = (*FindWidgetKind(c.Element))();
    EXPECT_EQ(std::tuple(widget->Name, widget->GetWidth(), widget->GetHeight(), widget->Left,
                         widget->Top, widget->Enabled, widget->Visible),
              std::tuple(c.Name, c.Width, c.Height, c.Left, 0, true, true));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DefaultsTest,
    ::testing::Values(
        TDefaultsCase{"WINDOW", "Window1", 100, 50, 30},
        TDefaultsCase{"BUTTON", "Button1", 100, 50, 0}, TDefaultsCase{"EDIT", "Edit1", 100, 50, 0},
        TDefaultsCase{"LABEL", "Label1", 100, 50, 0}, TDefaultsCase{"IMAGE", "Image1", 100, 50, 0},
        TDefaultsCase{"LIST", "", 100, 50, 30}, TDefaultsCase{"LAYERED", "Layered1", 100, 100, 0},
        TDefaultsCase{"PAGE", "Page1", 100, 100, 0},
        TDefaultsCase{"CHECKBOX", "CheckBox1", 100, 50, 0},
        TDefaultsCase{"BAR", "Bar1", 100, 50, 0}, TDefaultsCase{"TRACKER", "Tracker1", 100, 100, 0},
        TDefaultsCase{"MULTITRACKER", "MultiTracker1", 100, 16, 0}));

struct TEditCase {
    int32_t MaxLength;
    const char* Start;
    std::string Keys;
    const char* Text;
    friend void PrintTo(const TEditCase& c, std::ostream* os) {
        *os << "max " << c.MaxLength << " \"" << c.Start << "\" + " << c.Keys.size() << " keys";
    }
};

class EditTest : public ::testing::TestWithParam<TEditCase> {};

TEST_P(EditTest, TypesPrintableKeysUpToMaxLength) {
    TUiEdit edit;
    edit.MaxLength = GetParam().MaxLength;
    edit.Text = GetParam().Start;
    for (char key : GetParam().Keys)
        edit.KeyPress(key);
    EXPECT_EQ(edit.Text, GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditTest,
    ::testing::Values(TEditCase{3, "abc", "d", "abc"}, TEditCase{3, "abc", "d\b", "ab"},
                      TEditCase{3, "ab", "xy", "abx"}, TEditCase{0, "", " ~az09", " ~az09"},
                      TEditCase{0, "ab", "\b\b\b", ""},
                      TEditCase{0, "a", std::string("\t\x1f\x7f\x80\xff\n", 6), "a"},
                      TEditCase{0, "a", "\r", "a"}));

TEST(EditTest, ReturnFiresOnEnterAndKeepsTheText) {
    TUiEdit edit;
    edit.Text = "name";
    int entered = 0;
    edit.OnEnter = [&](TUiWidget& sender) {
        EXPECT_EQ(&sender, &edit);
        ++entered;
    };
    edit.KeyPress('\r');
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(edit.Text, "name");
}

// A desktop holding one widget at 10, 10; events in screen coordinates.
template <class T> struct TBench {
    TUiDesktop Desktop;
    T* Widget = Desktop.Add(std::make_unique<T>());
    int Fired = 0;

    TBench() {
        Widget->Left = 10;
        Widget->Top = 10;
    }
    void Click(int32_t x, int32_t y, TMouseButton button = mbLeft) {
        Desktop.MouseMove(x, y);
        Desktop.MouseDown(x, y, button);
        Desktop.MouseUp(x, y, button);
    }
};

TEST(ButtonTest, ClicksOnlyWhenPressAndReleaseBothFallOnIt) {
    TBench<TUiButton> bench;
    bench.Widget->OnClick = [&](TUiWidget&) { ++bench.Fired; };
    bench.Click(20, 20, mbRight);
    EXPECT_EQ(bench.Fired, 1);
    EXPECT_FALSE(bench.Widget->Down);

    bench.Desktop.MouseDown(20, 20, mbLeft);
    bench.Desktop.MouseMove(200, 20);
    bench.Desktop.MouseUp(200, 20, mbLeft);
    EXPECT_EQ(bench.Fired, 1) << "moved off between press and release";

    bench.Desktop.MouseMove(200, 20);
    bench.Desktop.MouseDown(200, 20, mbLeft);
    bench.Desktop.MouseMove(20, 20);
    bench.Desktop.MouseUp(20, 20, mbLeft);
    EXPECT_EQ(bench.Fired, 1) << "pressed elsewhere";
}

TEST(ButtonTest, AClickThatDestroysTheButtonDoesNotTouchItAfterwards) {
    TBench<TUiButton> bench;
    bench.Widget->OnClick = [&](TUiWidget& sender) { sender.Destroy(); };
    bench.Click(20, 20);
    EXPECT_EQ(bench.Desktop.ChildCount(), 0);
}

TEST(CheckBoxTest, TogglesOnReleaseNotOnPress) {
    TBench<TUiCheckBox> bench;
    bench.Widget->OnClick = [&](TUiWidget&) { ++bench.Fired; };
    bench.Desktop.MouseMove(20, 20);
    bench.Desktop.MouseDown(20, 20, mbMiddle);
    EXPECT_FALSE(bench.Widget->Checked);
    EXPECT_TRUE(bench.Widget->Pressed);
    bench.Desktop.MouseUp(20, 20, mbMiddle);
    EXPECT_TRUE(bench.Widget->Checked);
    EXPECT_FALSE(bench.Widget->Pressed);
    EXPECT_EQ(bench.Fired, 1);
    bench.Click(20, 20);
    EXPECT_FALSE(bench.Widget->Checked);

    bench.Desktop.MouseDown(20, 20, mbLeft);
    bench.Desktop.MouseMove(300, 20);
    bench.Desktop.MouseUp(300, 20, mbLeft);
    EXPECT_FALSE(bench.Widget->Checked);
    EXPECT_EQ(bench.Fired, 2);
}

struct TRowCase {
    int ItemCount;
    int32_t Y;
    int32_t ItemIndex;
    friend void PrintTo(const TRowCase& c, std::ostream* os) {
        *os << c.ItemCount << " items y " << c.Y;
    }
};

class ListRowTest : public ::testing::TestWithParam<TRowCase> {};

TEST_P(ListRowTest, AReleaseSelectsTheRowUnderIt) {
    TUiList list;
    list.Items.assign(static_cast<size_t>(GetParam().ItemCount), "item");
    int selected = 0;
    list.OnSelect = [&](TUiWidget&) { ++selected; };
    list.MouseDown(5, GetParam().Y, mbLeft);
    list.MouseUp(5, GetParam().Y, mbLeft);
    EXPECT_EQ(list.ItemIndex, GetParam().ItemIndex);
    EXPECT_EQ(selected, 1);
    EXPECT_FALSE(list.Pressed);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListRowTest,
                         ::testing::Values(TRowCase{3, 30, 1}, TRowCase{3, 100, 2},
                                           TRowCase{3, 5, 0}, TRowCase{3, 12, 0},
                                           TRowCase{3, 24, 1}, TRowCase{3, -50, 0},
                                           TRowCase{0, 30, -1}));

TEST(ListTest, ASimpleListAndAReleaseWithoutPressSelectNothing) {
    TUiList list;
    list.Items = {"a", "b"};
    list.MouseUp(5, 30, mbLeft);
    EXPECT_EQ(list.ItemIndex, -1);
    list.Simple = true;
    list.MouseDown(5, 30, mbLeft);
    list.MouseUp(5, 30, mbLeft);
    EXPECT_EQ(list.ItemIndex, -1);
    EXPECT_FALSE(list.Pressed);
}

TEST(ListTest, SelectedItemRefusesAnIndexOutOfRange) {
    TUiList list;
    list.Items = {"a", "b"};
    list.ItemIndex = 1;
    EXPECT_EQ(list.SelectedItem(), "b");
    for (int32_t index : {-1, 2, 1000}) {
        list.ItemIndex = index;
        try {
            list.SelectedItem();
            ADD_FAILURE() << index;
        } catch (const EGuiError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

struct TTrackerPress {
    int32_t X;
    bool Grabs;
    int32_t Position;
    friend void PrintTo(const TTrackerPress& c, std::ostream* os) { *os << "x " << c.X; }
};

class TrackerPressTest : public ::testing::TestWithParam<TTrackerPress> {};

TEST_P(TrackerPressTest, APressGrabsTheCursorOrStepsTowardsThePress) {
    TUiTracker tracker; // 100 wide, margin 20, 0..10, cursor 16 wide
    tracker.Position = 5;
    int changed = 0;
    tracker.OnChange = [&](TUiWidget&) { ++changed; };
    EXPECT_EQ(tracker.PositionToX(5), 50);
    tracker.MouseDown(GetParam().X, 3, mbRight);
    EXPECT_EQ(tracker.Dragging, GetParam().Grabs);
    EXPECT_EQ(tracker.Position, GetParam().Position);
    EXPECT_EQ(changed, 1);
}

INSTANTIATE_TEST_SUITE_P(Presses, TrackerPressTest,
                         ::testing::Values(TTrackerPress{45, true, 5}, TTrackerPress{57, true, 5},
                                           TTrackerPress{58, false, 6}, TTrackerPress{42, false, 4},
                                           TTrackerPress{80, false, 6},
                                           TTrackerPress{20, false, 4}));

TEST(TrackerTest, DraggingFollowsThePointerClampedToTheRange) {
    TUiTracker tracker;
    tracker.Position = 10;
    int changed = 0;
    tracker.OnChange = [&](TUiWidget&) { ++changed; };
    tracker.MouseDown(80, 0, mbLeft);
    ASSERT_TRUE(tracker.Dragging);
    tracker.MouseMove(95, 0);
    EXPECT_EQ(tracker.Position, 10);
    tracker.MouseMove(38, 0);
    EXPECT_EQ(tracker.Position, 3);
    tracker.MouseMove(-40, 0);
    EXPECT_EQ(tracker.Position, 0);
    EXPECT_EQ(changed, 4);
    tracker.MouseLeave();
    tracker.MouseMove(50, 0);
    EXPECT_EQ(tracker.Position, 0);
    tracker.Position = 10; // steps are not clamped
    tracker.MouseDown(99, 0, mbLeft);
    EXPECT_EQ(tracker.Position, 11);
}

struct TTrackCase {
    int32_t Value, Min, Max, Width, Margin, X;
};
void PrintTo(const TTrackCase& c, std::ostream* os) {
    *os << c.Value << " in " << c.Min << ".." << c.Max << " width " << c.Width << " margin "
        << c.Margin;
}

class TrackMathTest : public ::testing::TestWithParam<TTrackCase> {};

TEST_P(TrackMathTest, PositionToXAndBack) {
    const TTrackCase& c = GetParam();
    EXPECT_EQ(TrackPositionToX(c.Value, c.Min, c.Max, c.Width, c.Margin), c.X);
}

INSTANTIATE_TEST_SUITE_P(
    Track, TrackMathTest,
    ::testing::Values(TTrackCase{50, 0, 100, 220, 10, 110}, TTrackCase{5, 0, 10, 100, 20, 50},
                      TTrackCase{-1, 0, 7, 100, 20, 12}, // -60 / 7 truncates toward zero
                      TTrackCase{7, 7, 7, 100, 20, 20},  // no range
                      TTrackCase{5, 0, 10, 40, 20, 20},  // no track
                      TTrackCase{5, 0, 10, 10, 20, 20},
                      TTrackCase{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, 0, INT32_MAX}));

TEST(TrackMathTest, XToPositionTruncatesAndSurvivesDegenerateTracks) {
    EXPECT_EQ(TrackXToPosition(38, 0, 10, 100, 20), 3);
    EXPECT_EQ(TrackXToPosition(13, 0, 10, 100, 20), -1); // -70 / 60 truncates toward zero
    EXPECT_EQ(TrackXToPosition(50, 4, 4, 100, 20), 4);
    EXPECT_EQ(TrackXToPosition(50, 0, 10, 40, 20), 0);
    EXPECT_EQ(TrackXToPosition(50, 3, 10, 20, 20), 3);
}

TEST(MultiTrackerTest, APressGrabsTheLowestCursorUnderItAndBringsItToTheFront) {
    TUiMultiTracker tracker; // 100 wide: value v sits at 20 + 6v
    TCursor& a = tracker.AddCursor();
    TCursor& b = tracker.AddCursor();
    TCursor& c = tracker.AddCursor();
    a.Position = 1;
    b.Position = 5;
    c.Position = 5;
    int selected = 0, changed = 0;
    tracker.OnSelect = [&](TUiWidget&) { ++selected; };
    tracker.OnChange = [&](TUiWidget&) { ++changed; };

    tracker.MouseDown(90, 0, mbLeft);
    EXPECT_EQ(tracker.DragCursor, -1);
    EXPECT_EQ(selected, 0);

    tracker.MouseDown(51, 0, mbLeft);
    EXPECT_EQ(&tracker.Cursor(0), &b);
    EXPECT_EQ(&tracker.Cursor(1), &a);
    EXPECT_EQ(&tracker.Cursor(2), &c);
    EXPECT_EQ(tracker.DragCursor, 0);
    EXPECT_EQ(tracker.Selected, 0);
    EXPECT_EQ(selected, 1);
    tracker.MouseMove(200, 0);
    EXPECT_EQ(b.Position, 10);
    EXPECT_EQ(changed, 1);
    tracker.MouseUp(200, 0, mbLeft);
    tracker.MouseMove(20, 0);
    EXPECT_EQ(b.Position, 10);

    tracker.MouseDown(51, 0, mbLeft); // c is now the only one there
    EXPECT_EQ(&tracker.Cursor(0), &c);
    tracker.MouseLeave();
    EXPECT_EQ(tracker.DragCursor, -1);
}

TEST(RollableWindowTest, ARightPressOnTheStripRollsItAndHitTestingFollows) {
    TUiDesktop desktop;
    auto* window = desktop.Add(std::make_unique<TUiRollableWindow>());
    window->Left = 0;
    window->Top = 0;
    window->MarginTop = 16;
    window->SetHeight(80);
    EXPECT_EQ(window->GetHeight(), 16);
    desktop.MouseDown(10, 40, mbRight);
    EXPECT_EQ(desktop.Focused, &desktop) << "below the strip of a closed window";

    desktop.MouseDown(10, 8, mbRight);
    EXPECT_TRUE(window->Open);
    EXPECT_EQ(window->GetHeight(), 80);
    EXPECT_EQ(desktop.DragWindow, nullptr);
    desktop.MouseDown(10, 40, mbRight);
    EXPECT_TRUE(window->Open) << "below the strip";
    EXPECT_EQ(desktop.Focused, window);
    desktop.MouseDown(10, 8, mbLeft);
    EXPECT_TRUE(window->Open) << "a left press drags";
    EXPECT_EQ(desktop.DragWindow, window);
}

TEST(LayeredTest, SetActiveRaisesTheNamedLayerIgnoringCase) {
    TUiLayered layered;
    for (const char* name : {"One", "Two", "Three"})
        layered.Add(std::make_unique<TUiPage>())->Name = name;
    auto order = [&] {
        std::string names;
        for (int32_t i = 0; i < layered.ChildCount(); ++i)
            names += layered.Child(i)->Name + " ";
        return names;
    };
    layered.SetActive("two");
    EXPECT_EQ(order(), "One Three Two ");
    EXPECT_EQ(layered.Active, "two");
    layered.Child(0)->Name = "TWO"; // the same name in another case changes nothing
    layered.SetActive("Two");
    EXPECT_EQ(order(), "TWO Three Two ");
    EXPECT_EQ(layered.Active, "two");
    layered.SetActive("nothing");
    EXPECT_EQ(order(), "Three Two TWO ") << "an unknown name raises the first child";
    EXPECT_EQ(layered.IndexOfLayer("three"), 0);
    EXPECT_EQ(layered.IndexOfLayer("two"), 1);
    EXPECT_EQ(layered.IndexOfLayer("none"), 0);
}

} // namespace
