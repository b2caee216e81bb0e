// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Building widget trees from XML layouts.
#include "assets/streamunit.h"
#include "assets/xmlparser.h"
#include "gui/guiunit.h"
#include "support/testdir.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <tuple>

namespace {

// Loads the definitions (wrapped in a root element) into a fresh desktop.
struct TLoaded {
    TUiDesktop Desktop;
    bool Result = false;

    explicit TLoaded(const std::string& definitions) {
        TMemoryStream stream("<Layout>" + definitions + "</Layout>");
        Result = LoadLayoutStream(Desktop, stream, "test.xml");
    }
    template <class T> T& At(int32_t index) {
        auto* widget = dynamic_cast<T*>(Desktop.Child(index));
        if (widget == nullptr) throw std::runtime_error("not of the expected kind");
        return *widget;
    }
};

TEST(LayoutTest, AbsentValuesKeepTheDefaults) {
    TLoaded loaded("<BUTTON><CAPTION>OK</CAPTION></BUTTON>");
    ASSERT_TRUE(loaded.Result);
    ASSERT_EQ(loaded.Desktop.ChildCount(), 1);
    auto& button = loaded.At<TUiButton>(0);
    EXPECT_EQ(button.Name, "Button1");
    EXPECT_EQ(button.Caption, "OK");
    EXPECT_EQ(button.Left, 0);
    EXPECT_EQ(button.Top, 0);
    EXPECT_EQ(button.GetWidth(), 100);
    EXPECT_EQ(button.GetHeight(), 50);
    EXPECT_EQ(button.Parent, &loaded.Desktop);
}

struct TBooleanCase {
    const char* Text;
    bool Value;
    friend void PrintTo(const TBooleanCase& c, std::ostream* os) { *os << "\"" << c.Text << "\""; }
};

class BooleanTest : public ::testing::TestWithParam<TBooleanCase> {};

TEST_P(BooleanTest, OnlyTrueInAnyCaseIsTrue) {
    const std::string text = GetParam().Text;
    TLoaded loaded("<CHECKBOX><VISIBLE>" + text + "</VISIBLE><CHECKED>" + text +
                   "</CHECKED></CHECKBOX>");
    auto& box = loaded.At<TUiCheckBox>(0);
    EXPECT_EQ(box.Visible, GetParam().Value);
    EXPECT_EQ(box.Checked, GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Spellings, BooleanTest,
                         ::testing::Values(TBooleanCase{"true", true}, TBooleanCase{"TRUE", true},
                                           TBooleanCase{"True", true}, TBooleanCase{"False", false},
                                           TBooleanCase{"yes", false}, TBooleanCase{"1", false},
                                           TBooleanCase{"", false}, TBooleanCase{" true", false}));

TEST(LayoutTest, TheNameElementWinsOverTheAttributeAndNamesAreCut) {
    TLoaded loaded("<LABEL name=\"attribute\"><NAME>element</NAME></LABEL>"
                   "<LABEL name=\"attribute\"/>"
                   "<LABEL name=\"" +
                   std::string(300, 'a') + "\"><NAME>" + std::string(400, 'b') + "</NAME></LABEL>");
    EXPECT_EQ(loaded.At<TUiLabel>(0).Name, "element");
    EXPECT_EQ(loaded.At<TUiLabel>(1).Name, "attribute");
    EXPECT_EQ(loaded.At<TUiLabel>(2).Name, std::string(255, 'b'));
}

TEST(LayoutTest, EveryKindReadsItsValues) {
    TLoaded loaded(R"(
<WINDOW name="w"><LEFT>1</LEFT><TOP>2</TOP><WIDTH>300</WIDTH><HEIGHT>200</HEIGHT>
  <HINT>hint</HINT><ENABLED>false</ENABLED><TITLE>Title</TITLE>
  <MARGINLEFT>3</MARGINLEFT><MARGINTOP>16</MARGINTOP>
  <CHILDREN>
    <EDIT><TEXT>abc</TEXT><MAXLENGTH>8</MAXLENGTH><MASK>true</MASK></EDIT>
    <LIST><TEXT>one
two</TEXT><MARGINTOP>4</MARGINTOP><SIMPLE>true</SIMPLE></LIST>
    <PAGE><DRAWBACK>true</DRAWBACK><CHILDREN><IMAGE><LEFT>-5</LEFT></IMAGE></CHILDREN></PAGE>
  </CHILDREN>
</WINDOW>
<ROLLABLEWINDOW><OPEN>TRUE</OPEN><TITLE>Roll</TITLE><HEIGHT>90</HEIGHT></ROLLABLEWINDOW>
<BAR><CAPTION>Bar</CAPTION><SHOWCAPTION>true</SHOWCAPTION><SHOWPOSITION>false</SHOWPOSITION>
  <MIN>-1</MIN><MAX>7</MAX><POSITION>3</POSITION></BAR>
<TRACKER><CAPTION>T</CAPTION><MIN>2</MIN><MAX>9</MAX><POSITION>4</POSITION>
  <CURSORWIDTH>6</CURSORWIDTH><MARGIN>10</MARGIN></TRACKER>
<MULTITRACKER><MIN>5</MIN><MAX>15</MAX><CURSORWIDTH>4</CURSORWIDTH><MARGIN>2</MARGIN></MULTITRACKER>
)");
    ASSERT_EQ(loaded.Desktop.ChildCount(), 5);
    auto& window = loaded.At<TUiWindow>(0);
    EXPECT_EQ(std::tie(window.Name, window.Hint, window.Title), std::tuple("w", "hint", "Title"));
    EXPECT_EQ(std::tuple(window.Left, window.Top, window.GetWidth(), window.GetHeight(),
                         window.MarginLeft, window.MarginTop, window.Enabled),
              std::tuple(1, 2, 300, 200, 3, 16, false));
    ASSERT_EQ(window.ChildCount(), 3);
    auto& edit = dynamic_cast<TUiEdit&>(*window.Child(0));
    EXPECT_EQ(std::tie(edit.Text, edit.MaxLength, edit.Mask), std::tuple("abc", 8, true));
    auto& list = dynamic_cast<TUiList&>(*window.Child(1));
    EXPECT_EQ(list.Items, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(std::tie(list.MarginTop, list.Simple), std::tuple(4, true));
    auto& page = dynamic_cast<TUiPage&>(*window.Child(2));
    EXPECT_TRUE(page.DrawBack);
    ASSERT_EQ(page.ChildCount(), 1);
    EXPECT_EQ(page.Child(0)->Left, -5);
    EXPECT_EQ(loaded.Desktop.FindByName("image1"), page.Child(0));

    auto& rollable = loaded.At<TUiRollableWindow>(1);
    EXPECT_EQ(std::tuple(rollable.Open, rollable.Title, rollable.GetHeight()),
              std::tuple(true, "Roll", 90));
    auto& bar = loaded.At<TUiBar>(2);
    EXPECT_EQ(
        std::tie(bar.Caption, bar.ShowCaption, bar.ShowPosition, bar.Min, bar.Max, bar.Position),
        std::tuple("Bar", true, false, -1, 7, 3));
    auto& tracker = loaded.At<TUiTracker>(3);
    EXPECT_EQ(std::tie(tracker.Caption, tracker.Min, tracker.Max, tracker.Position,
                       tracker.CursorWidth, tracker.Margin),
              std::tuple("T", 2, 9, 4, 6, 10));
    auto& multi = loaded.At<TUiMultiTracker>(4);
    EXPECT_EQ(std::tie(multi.Min, multi.Max, multi.CursorWidth, multi.Margin),
              std::tuple(5, 15, 4, 2));
}

TEST(LayoutTest, ListTextSplitsAtEveryKindOfLineEnd) {
    TXMLNode list("LIST");
    list.AddChild("TEXT", "a\r\nb\rc\n\nd\n");
    TUiList widget;
    widget.LoadFromXml(list);
    EXPECT_EQ(widget.Items, (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

TEST(LayoutTest, AnUnknownElementStopsItsSiblingsButNotTheContainer) {
    TTestDir dir; // the stop is logged
    TXMLDocument document;
    TMemoryStream stream(R"(<WINDOW><CHILDREN><BUTTON name="first"/><SLIDER/>
        <BUTTON name="second"/></CHILDREN><TITLE>Still read</TITLE></WINDOW>)");
    document.LoadFromStream(stream);
    TUiWindow window;
    EXPECT_TRUE(window.LoadFromXml(document.Root()));
    ASSERT_EQ(window.ChildCount(), 1);
    EXPECT_EQ(window.Child(0)->Name, "first");
    EXPECT_EQ(window.Title, "Still read");

    TUiDesktop desktop;
    EXPECT_FALSE(LoadChildren(desktop, *document.Root().FindChild("CHILDREN")));
    EXPECT_EQ(desktop.ChildCount(), 1);
    EXPECT_TRUE(LoadChildren(desktop, document.Root().FindChild("CHILDREN")->Children.Items(0)))
        << "no element children at all";
}

// Names of the widgets under a container, depth first.
std::string BuiltNames(const TUiContainer& container) {
    std::string names;
    for (int32_t i = 0; i < container.ChildCount(); ++i) {
        const TUiWidget* child = container.Child(i);
        names += " " + child->Name;
        if (const auto* inner = dynamic_cast<const TUiContainer*>(child))
            names += BuiltNames(*inner);
    }
    return names;
}

struct TUnknownCase {
    const char* Label;
    const char* Definitions;
    bool Result;
    const char* Built;
    const char* Logged; // after "Layout test.xml: "; "" for no log line
    friend void PrintTo(const TUnknownCase& c, std::ostream* os) { *os << c.Label; }
};

class UnknownElementTest : public ::testing::TestWithParam<TUnknownCase> {};

TEST_P(UnknownElementTest, KeepsWhatCameBeforeAndLogsTheElement) {
    TTestDir dir;
    TLoaded loaded(GetParam().Definitions);
    EXPECT_EQ(loaded.Result, GetParam().Result);
    EXPECT_EQ(BuiltNames(loaded.Desktop), GetParam().Built);
    const std::string log = dir.ReadFile("log");
    const std::string logged = GetParam().Logged;
    if (logged.empty()) {
        EXPECT_EQ(log, "");
    } else {
        // One line, "hh:nn " and the message.
        ASSERT_EQ(log.find('\n'), log.size() - 1) << log;
        EXPECT_EQ(log.substr(6), "Layout test.xml: " + logged +
                                     ": no widget kind of that name; it and the elements after "
                                     "it are not built\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, UnknownElementTest,
    ::testing::Values(
        TUnknownCase{"first at the top", R"(<SLIDER name="s"/><BUTTON name="b"/>)", false, "",
                     R"(SLIDER "s")"},
        TUnknownCase{"between two at the top", R"(<BUTTON name="a"/><SLIDER/><BUTTON name="b"/>)",
                     false, " a", "SLIDER"},
        TUnknownCase{"last, lower case", R"(<BUTTON name="a"/><LABEL name="l"/><button/>)", false,
                     " a l", "button"},
        TUnknownCase{"first child of a window",
                     R"(<WINDOW name="w"><CHILDREN><SLIDER name="s"/><BUTTON name="b"/>)"
                     R"(</CHILDREN></WINDOW><BUTTON name="after"/>)",
                     true, " w after", R"(WINDOW "w"/SLIDER "s")"},
        TUnknownCase{"two containers deep",
                     R"(<PAGE name="p"><CHILDREN><LAYERED name="l"><CHILDREN><PAGE name="one"/>)"
                     R"(<GADGET/><PAGE name="two"/></CHILDREN></LAYERED><LABEL name="x"/>)"
                     R"(</CHILDREN></PAGE>)",
                     true, " p l one x", R"(PAGE "p"/LAYERED "l"/GADGET)"},
        TUnknownCase{"text and comments are no elements",
                     R"(<BUTTON name="a"/>text<!-- note --><BUTTON name="b"/>)", true, " a b",
                     ""}));

TEST(LayoutTest, ActiveIsReadAfterTheLayers) {
    TLoaded loaded("<LAYERED><ACTIVE>SECOND</ACTIVE><CHILDREN><PAGE name=\"first\"/>"
                   "<PAGE name=\"second\"/><PAGE name=\"third\"/></CHILDREN></LAYERED>");
    auto& layered = loaded.At<TUiLayered>(0);
    ASSERT_EQ(layered.ChildCount(), 3);
    EXPECT_EQ(layered.Child(2)->Name, "second");
    EXPECT_EQ(layered.Active, "SECOND");
}

// The message of the error a load raises, or "" when it raises none.
template <class E> std::string FailureOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const E& e) {
        return e.what();
    }
    return "";
}

TEST(LayoutFileTest, ABadIntegerFailsTheLoadNamingFileAndElement) {
    TTestDir dir;
    dir.WriteFile("bad.xml", R"(<Layout><BUTTON name="ok"/><WINDOW name="main"><CHILDREN>
        <EDIT name="Edit1"><MAXLENGTH>ten</MAXLENGTH></EDIT></CHILDREN></WINDOW>
        <BUTTON name="never"/></Layout>)");
    TUiDesktop desktop;
    EXPECT_EQ(FailureOf<EConvertError>([&] { LoadLayoutFile(desktop, "bad.xml"); }),
              "Layout bad.xml: WINDOW \"main\"/EDIT \"Edit1\"/MAXLENGTH: 'ten' is not a valid "
              "integer value");
    ASSERT_EQ(desktop.ChildCount(), 1) << "what was attached stays, the failed one is not";
    EXPECT_EQ(desktop.Child(0)->Name, "ok");
}

TEST(LayoutFileTest, UnknownKindsLoadWhatTheyCanAndBrokenFilesRaiseClearErrors) {
    TTestDir dir;
    dir.WriteFile("unknown.xml", R"(<Layout><BUTTON/><PAGE name="p"><CHILDREN>
        <SLIDER name="s"/></CHILDREN></PAGE><SLIDER/><BUTTON name="never"/></Layout>)");
    dir.WriteFile("broken.xml", "<Layout><BUTTON></Layout>");
    TUiDesktop desktop;
    EXPECT_FALSE(LoadLayoutFile(desktop, "unknown.xml"));
    EXPECT_EQ(BuiltNames(desktop), " Button1 p");
    EXPECT_EQ(FailureOf<EXMLError>([&] {
                  LoadLayoutFile(desktop, "broken.xml");
              }).rfind("Layout broken.xml: ", 0),
              0u);
    EXPECT_FALSE(FailureOf<EStreamError>([&] { LoadLayoutFile(desktop, "missing.xml"); }).empty());
    EXPECT_EQ(desktop.ChildCount(), 2);
}

TEST(LayoutFileTest, LoadWidgetFromFileBuildsTheFirstExactMatchUnattached) {
    TTestDir dir;
    dir.WriteFile("widgets.xml", R"(<Layout>
        <LABEL name="Greeting"><CAPTION>lower</CAPTION></LABEL>
        <LABEL name="greeting"><CAPTION>first</CAPTION></LABEL>
        <BUTTON name="greeting"><CAPTION>second</CAPTION></BUTTON>
        <GADGET name="odd"/><LABEL name="odd"/></Layout>)");
    std::unique_ptr<TUiWidget> widget = LoadWidgetFromFile("widgets.xml", "greeting");
    auto* label = dynamic_cast<TUiLabel*>(widget.get());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption, "first");
    EXPECT_EQ(label->Parent, nullptr);
    EXPECT_EQ(LoadWidgetFromFile("widgets.xml", "nobody"), nullptr);
    EXPECT_EQ(dir.ReadFile("log"), "");
    EXPECT_EQ(LoadWidgetFromFile("widgets.xml", "odd"), nullptr) << "found, but of no kind";
    EXPECT_EQ(dir.ReadFile("log").substr(6),
              "Layout widgets.xml: GADGET \"odd\": no widget kind of that name; not built\n");
}

} // namespace
