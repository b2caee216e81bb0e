// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/xmlparser.h"

#include "support/testdir.h"

#include <gtest/gtest.h>

namespace {

// A memory stream that can misbehave: end after a number of reads, ignore seeks (so the
// look-ahead is not undone) or accept only a number of written bytes.
class TFaultyStream : public TStream {
public:
    explicit TFaultyStream(std::string data = {}) : Inner(std::move(data)) {}
    TMemoryStream Inner;
    int ReadsLeft = -1;
    bool IgnoreSeeks = false;
    size_t WriteRoom = SIZE_MAX;

    size_t Read(void* buffer, size_t count) override {
        if (ReadsLeft == 0) return 0;
        if (ReadsLeft > 0) --ReadsLeft;
        return Inner.Read(buffer, count);
    }
    size_t Write(const void* buffer, size_t count) override {
        size_t n = std::min(count, WriteRoom);
        WriteRoom -= n;
        return Inner.Write(buffer, n);
    }
    int64_t GetPosition() const override { return Inner.GetPosition(); }
    void SetPosition(int64_t position) override {
        if (!IgnoreSeeks) Inner.SetPosition(position);
    }
};

std::unique_ptr<TXMLDocument> Load(const std::string& xml) {
    auto document = std::make_unique<TXMLDocument>();
    TMemoryStream stream(xml);
    document->LoadFromStream(stream);
    return document;
}

std::string Save(const TXMLNode& node) {
    TMemoryStream stream;
    node.SaveToStream(stream);
    return stream.Data();
}

std::string LoadError(TStream& stream, TXMLDocument& document) {
    try {
        document.LoadFromStream(stream);
    } catch (const EXMLError& e) {
        return e.what();
    }
    return "(loaded)";
}

std::string LoadError(TStream& stream) {
    TXMLDocument document;
    return LoadError(stream, document);
}

std::string LoadError(const std::string& xml) {
    TMemoryStream stream(xml);
    return LoadError(stream);
}

TEST(XMLNode, CreateGivesFixedNamesToNonTags) {
    EXPECT_EQ(TXMLNode("x", ndTag).Name, "x");
    EXPECT_EQ(TXMLNode("x", ndComment).Name, "#comment");
    EXPECT_EQ(TXMLNode("x", ndText).Name, "#text");
    EXPECT_EQ(TXMLNode("x", ndCData).Name, "#cdata");
    TXMLDocument document;
    EXPECT_EQ(document.Root().Name, "Main");
    EXPECT_EQ(document.FindRoot("Main"), &document.Root());
    EXPECT_EQ(document.FindRoot("main"), nullptr);
}

TEST(XMLNode, EmptyElementsLoadWithoutChildrenAndSaveShort) {
    auto document = Load("<r><a/><b></b></r>");
    const TXMLNode& root = document->Root();
    ASSERT_EQ(root.Children.Count(), 2);
    EXPECT_EQ(root.Children.Items(0).Children.Count(), 0);
    EXPECT_EQ(root.Children.Items(1).Children.Count(), 0);
    EXPECT_EQ(Save(root), "<r><a/><b/></r>");
}

TEST(XMLNode, GetTextKeepsBlanksAndNeedsASingleTextChild) {
    auto document = Load("<r><n> 5 </n><m>x<!--c--></m><e/></r>");
    const TXMLNode& root = document->Root();
    EXPECT_EQ(root.FindChild("n")->GetText(), " 5 ");
    EXPECT_EQ(root.FindChild("m")->GetText(), "");
    EXPECT_EQ(root.FindChild("e")->GetText(), "");
    EXPECT_EQ(root.FindChild("m")->Children.Items(1).GetText(), "c");
    EXPECT_THROW(root.FindChild("n")->GetTextAsInteger(), EConvertError);
}

TEST(XMLNode, SetTextFillsOrAddsTheTextChild) {
    TXMLNode tag("t", ndTag);
    tag.SetText("one");
    ASSERT_EQ(tag.Children.Count(), 1);
    EXPECT_EQ(tag.Children.Items(0).NodeType, ndText);
    tag.SetTextAsInteger(-42);
    EXPECT_EQ(tag.Children.Count(), 1);
    EXPECT_EQ(tag.GetTextAsInteger(), -42);

    TXMLNode parent("p", ndTag);
    parent.AddChild("child", 7);
    try {
        parent.SetText("x");
        FAIL();
    } catch (const EXMLError& e) {
        EXPECT_STREQ(e.what(), "Can't put text in a tag without text.");
    }
}

TEST(XMLNode, IntegerTextMustBeWhollyANumber) {
    TXMLNode tag("t", ndTag);
    for (const char* good : {"0", "-2147483648", "2147483647", "+12"}) {
        tag.SetText(good);
        EXPECT_EQ(tag.GetTextAsInteger(), std::stoll(good)) << good;
    }
    for (const char* bad : {"", "12x", "1.5", "2147483648", "+", "+-1", " 1", "0x10"}) {
        tag.SetText(bad);
        EXPECT_THROW(tag.GetTextAsInteger(), EConvertError) << bad;
    }
}

TEST(XMLNode, FindChildLooksOneLevelAndFindAllGoesPreOrder) {
    auto document = Load("<r><a id='1'><b><a id='2'/></b></a><a id='3'/><c><a id='4'/></c></r>");
    const TXMLNode& root = document->Root();
    EXPECT_EQ(root.FindChild("b"), nullptr);
    EXPECT_EQ(root.FindChild("a")->Attributes.GetValue("id"), "1");
    std::vector<TXMLNode*> found;
    root.FindAll("a", found);
    ASSERT_EQ(found.size(), 4u);
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(found[i]->Attributes.GetValue("id"), std::to_string(i + 1));
}

TEST(XMLNode, ChildrenCanBeReplacedAndFound) {
    TXMLNode root("r", ndTag);
    root.AddChild("a", "1");
    root.Children.SetItems(0, std::make_unique<TXMLNode>("b", ndTag));
    EXPECT_EQ(root.Children.Find("a"), nullptr);
    EXPECT_EQ(root.Children.Find("b"), &root.Children.Items(0));
    EXPECT_THROW(root.Children.Items(1), std::out_of_range);
}

TEST(XMLEscape, OrderOfReplacements) {
    EXPECT_EQ(UnescapeText("&amp;lt;"), "&lt;");
    EXPECT_EQ(UnescapeText("&apos;&quot;&gt;&lt;&amp;&nbsp;&#65;"), "'\"><&&nbsp;&#65;");
    EXPECT_EQ(EscapeText("a<b>&\"'"), "a&lt;b&gt;&amp;&quot;&apos;");
    EXPECT_EQ(EscapeText("&lt;"), "&amp;lt;");
    auto document = Load("<r>&amp;lt;</r>");
    EXPECT_EQ(document->Root().GetText(), "&lt;");
}

TEST(XMLAttributes, TrimmedNamesQuotesKeptLiterally) {
    auto document = Load("<a  x=\"1\"  y='it\"s &amp;' />");
    const TXMLAttributes& attributes = document->Root().Attributes;
    ASSERT_EQ(attributes.Count(), 2);
    EXPECT_EQ(attributes.Items(0).Name, "x");
    EXPECT_EQ(attributes.Items(1).Name, "y");
    EXPECT_EQ(attributes.GetValue("y"), "it\"s &amp;");
    EXPECT_EQ(attributes.GetValue("z"), "");
}

TEST(XMLAttributes, FirstOfDuplicatesWinsAndSetValueAppends) {
    auto document = Load("<a k='1' k='2'/>");
    TXMLAttributes& attributes = document->Root().Attributes;
    EXPECT_EQ(attributes.GetValue("k"), "1");
    attributes.SetValue("k", "3");
    attributes.SetValue("n", "4");
    EXPECT_EQ(Save(document->Root()), "<a k=\"3\" k=\"2\" n=\"4\"/>");
}

TEST(XMLAttributes, TrailingBlanksAreSkipped) {
    for (const char* xml : {"<a   />", "<a x='1'    >t</a>", "<a x='1'\n\t  />"}) {
        auto document = Load(xml);
        EXPECT_EQ(document->Root().Name, "a") << xml;
        EXPECT_LE(document->Root().Attributes.Count(), 1) << xml;
    }
}

TEST(XMLTags, OnlyASpaceEndsTheName) {
    auto document = Load("<a\tb='1'/>");
    EXPECT_EQ(document->Root().Name, "a\tb='1'");
    EXPECT_EQ(document->Root().Attributes.Count(), 0);
    EXPECT_EQ(Load("<a><b></b ></a>")->Root().Children.Items(0).Name, "b");
}

TEST(XMLDocument, SkipsDeclarationCommentsAndTrailingText) {
    auto document = Load("<?xml version=\"1.0\"?>\n<!-- c -->\n<!DOCTYPE r>"
                         "<r><a/><?pi x?><b/></r> trailing <junk");
    const TXMLNode& root = document->Root();
    EXPECT_EQ(root.Name, "r");
    ASSERT_EQ(root.Children.Count(), 2);
    EXPECT_EQ(root.Children.Items(1).Name, "b");
}

TEST(XMLDocument, BlanksBetweenTagsAreTextChildren) {
    auto document = Load("<r>\n  <a/>\n</r>");
    const TXMLNodes& children = document->Root().Children;
    ASSERT_EQ(children.Count(), 3);
    EXPECT_EQ(children.Items(0).NodeType, ndText);
    EXPECT_EQ(children.Items(0).Text, "\n  ");
}

TEST(XMLDocument, CommentAndCDataKeepTheirBytes) {
    auto document = Load("<r><!-- a - b -- c --><![CDATA[x]y]]z<&amp;]]></r>");
    const TXMLNodes& children = document->Root().Children;
    ASSERT_EQ(children.Count(), 2);
    EXPECT_EQ(children.Items(0).NodeType, ndComment);
    EXPECT_EQ(children.Items(0).Text, " a - b -- c ");
    EXPECT_EQ(children.Items(1).NodeType, ndCData);
    EXPECT_EQ(children.Items(1).Text, "x]y]]z<&amp;");
}

TEST(XMLDocument, SaveLoadRoundTrip) {
    const std::string xml = "<m a=\"1\" b=\"x'y\"><n>a &lt; b &amp;&amp; c&apos;s</n><!--note-->"
                            "<![CDATA[<raw>]]><e/><deep><deeper k=\"v\">7</deeper></deep></m>";
    auto first = Load(xml);
    EXPECT_EQ(first->Root().FindChild("n")->GetText(), "a < b && c's");
    std::string saved = Save(first->Root());
    EXPECT_EQ(saved, xml);
    EXPECT_EQ(Save(Load(saved)->Root()), saved);
}

// A value is read back literally up to the quote that opened it.
TEST(XMLDocument, AttributeValuesOfEveryQuotingReadBackAsWritten) {
    const std::pair<std::string, std::string> table[] = {
        {"plain", "<a y=\"plain\"/>"},     {"", "<a y=\"\"/>"},   {"it's", "<a y=\"it's\"/>"},
        {"it\"s", "<a y='it\"s'/>"},       {"\"", "<a y='\"'/>"}, {"&quot;", "<a y=\"&quot;\"/>"},
        {"\"x\" \"", "<a y='\"x\" \"'/>"},
    };
    for (const auto& [value, written] : table) {
        TXMLNode node("a");
        node.Attributes.Add("y", value);
        EXPECT_EQ(Save(node), written);
        EXPECT_EQ(Load(Save(node))->Root().Attributes.GetValue("y"), value) << written;
    }
}

TEST(XMLDocument, ValueHoldingBothQuotesFailsToSaveNamingTheAttribute) {
    TXMLNode node("a");
    node.Attributes.Add("x", "fine");
    node.Attributes.Add("title", "it's \"x\"");
    TMemoryStream stream;
    try {
        node.SaveToStream(stream);
        ADD_FAILURE() << "saved as " << stream.Data();
    } catch (const EXMLError& e) {
        EXPECT_STREQ(e.what(), "Can't write attribute title holding both quotes!");
    }
    EXPECT_EQ(stream.Data(), "");
}

TEST(XMLDocument, UnwritableValueDeepInTheTreeLeavesAnExistingFileAsItWas) {
    TTestDir dir;
    const std::string file = (dir.Path() / "kept.xml").string();
    dir.WriteFile("kept.xml", "<old/>");
    auto root = std::make_unique<TXMLNode>("m", ndTag);
    root->AddChild("n", "text");
    root->AddChild("deep", "").Attributes.Add("q", "it's \"x\"");
    TXMLDocument doc;
    doc.SetRoot(std::move(root));
    EXPECT_THROW(doc.SaveToFile(file), EXMLError);
    EXPECT_EQ(dir.ReadFile("kept.xml"), "<old/>");
}

TEST(XMLDocument, BuiltTreeSavesToFileAndLoadsBack) {
    TTestDir dir;
    auto root = std::make_unique<TXMLNode>("MODEL", ndTag);
    root->AddChild("NAME", "a<b");
    root->AddChild("TIME", 25).Attributes.Add("unit", "s");
    TXMLDocument document;
    document.SetRoot(std::move(root));
    document.SaveToFile("out.xml");
    EXPECT_EQ(dir.ReadFile("out.xml"),
              "<MODEL><NAME>a&lt;b</NAME><TIME unit=\"s\">25</TIME></MODEL>");
    TXMLDocument loaded;
    loaded.LoadFromFile("out.xml");
    EXPECT_EQ(loaded.Root().FindChild("NAME")->GetText(), "a<b");
    EXPECT_EQ(loaded.Root().FindChild("TIME")->GetTextAsInteger(), 25);
    EXPECT_THROW(loaded.LoadFromFile("missing.xml"), EStreamError);
}

TEST(XMLDocument, LoadingStopsAfterTheRoot) {
    TMemoryStream stream("<a/><b/>");
    TXMLDocument document;
    document.LoadFromStream(stream);
    EXPECT_EQ(stream.GetPosition(), 4);
    document.LoadFromStream(stream);
    EXPECT_EQ(document.Root().Name, "b");
}

// Streams holding their bytes in memory are scanned, others read byte by byte: both must
// give the same tree (the part read so far, after a failure), message and stream position.
TEST(XMLDocument, InMemoryAndByteWiseReadingAgree) {
    struct TCase {
        const char* Xml;
        const char* Outcome;
        int64_t Position;
    };
    const TCase cases[] = {
        {"<a/><b/>", "(loaded)", 4},
        {"<?x?><!--c--><a>t</a>tail", "(loaded)", 21},
        {"<r><a>1</a><!x y><b k='v'>2</b ></r>", "(loaded)", 36},
        {"<r><a>1</a><b>2", "Fine stream!", 15},
        {"<r><a><b></a>", "Close tag different from open! a<>b", 13},
        {"<r><!-- x --", "Fine stream!", 12},
        {"<r><![CDATA[x]]", "Fine stream!", 15},
        {"<r><a b=c></r>", "Expected \" or ' as attribute value begin! Found:c", 10},
        {"</a>", "Close tag in wrong place!", 0},
        {"<r><a", "Stream end while reading tag!", 5},
        {"<r></r", "End stream before finding \">\" !", 6},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Xml);
        TMemoryStream inMemory(c.Xml);
        TFaultyStream byteWise(c.Xml);
        TXMLDocument fromMemory, fromBytes;
        EXPECT_EQ(LoadError(inMemory, fromMemory), c.Outcome);
        EXPECT_EQ(LoadError(byteWise, fromBytes), c.Outcome);
        EXPECT_EQ(inMemory.GetPosition(), c.Position);
        EXPECT_EQ(byteWise.GetPosition(), c.Position);
        EXPECT_EQ(Save(fromMemory.Root()), Save(fromBytes.Root()));
    }
}

TEST(XMLDocument, DeepNestingIsRefused) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_EQ(LoadError(deep), "Tags nested too deeply!");
    std::string fine;
    for (int i = 0; i < 200; ++i)
        fine += "<a>";
    for (int i = 0; i < 200; ++i)
        fine += "</a>";
    EXPECT_EQ(LoadError(fine), "(loaded)");
}

TEST(XMLErrors, EveryMessageOfTheReader) {
    EXPECT_EQ(LoadError(""), "Fine stream!");
    EXPECT_EQ(LoadError(" \n\t "), "Fine stream!");
    EXPECT_EQ(LoadError("<a>text"), "Fine stream!");
    EXPECT_EQ(LoadError("<a><!-- open"), "Fine stream!");
    EXPECT_EQ(LoadError("<a><![CDATA[ open"), "Fine stream!");
    EXPECT_EQ(LoadError("<?xml "), "Fine stream!");
    EXPECT_EQ(LoadError("<a"), "Stream end while reading tag!");
    EXPECT_EQ(LoadError("</a>"), "Close tag in wrong place!");
    EXPECT_EQ(LoadError("<A><B></A>"), "Close tag different from open! A<>B");
    EXPECT_EQ(LoadError("<a b= \"1\"/>"), "Expected \" or ' as attribute value begin! Found: ");
    EXPECT_EQ(LoadError("<a><!-x--></a>"), "Error reading comment!");
    EXPECT_EQ(LoadError("<a><![x]]></a>"), "Error reading cdata!");
}

TEST(XMLErrors, MalformedTagsAndAttributes) {
    EXPECT_EQ(LoadError("<>"), "Empty tag!");
    EXPECT_EQ(LoadError("< a/>"), "Empty tag!");
    EXPECT_EQ(LoadError("<a b/>"), "Expected = after attribute name! Found:b");
    EXPECT_EQ(LoadError("<a b=x>"), "Expected \" or ' as attribute value begin! Found:x");
    EXPECT_EQ(LoadError("<a b=/>"), "Expected \" or ' as attribute value begin! Found:");
    EXPECT_EQ(LoadError("<a b=\"1/>"), "Expected \" as attribute value end! Attribute:b");
}

TEST(XMLErrors, StreamsThatEndOrCannotSeek) {
    // "<a/>" costs four reads of look-ahead before the tag itself is read.
    const std::pair<int, const char*> ends[] = {{4, "End stream while tag expected!"},
                                                {5, "End stream after \"<\"!"},
                                                {6, "End stream before finding \">\" !"}};
    for (const auto& [reads, message] : ends) {
        TFaultyStream stream("<a/>");
        stream.ReadsLeft = reads;
        EXPECT_EQ(LoadError(stream), message);
    }
    TFaultyStream text("<a>b</a>");
    text.IgnoreSeeks = true;
    EXPECT_EQ(LoadError(text), "No tag while expected!");
    TFaultyStream closing("<a></b>");
    closing.IgnoreSeeks = true;
    EXPECT_EQ(LoadError(closing), "Close tag find in wrong place!");
}

TEST(XMLErrors, ShortWriteFails) {
    auto document = Load("<a><b>text</b></a>");
    TFaultyStream stream;
    stream.WriteRoom = 5;
    try {
        document->SaveToStream(stream);
        FAIL();
    } catch (const EXMLError& e) {
        EXPECT_STREQ(e.what(), "Cannot write to stream!");
    }
}

} // namespace
