#include "assets/xmlparser.h"

#include <charconv>

namespace {

enum TTagKind { ttOpen, ttClose, ttUnique };

struct TTag {
    std::string Name;
    TTagKind Kind = ttOpen;
    std::unique_ptr<TXMLAttributes> Attributes;
};

enum TWhatsNext { wnComment, wnCData, wnText, wnTagOpen, wnTagClose, wnTagUnique, wnSkippable };

// Deeper element nesting is refused, so a hostile file cannot exhaust the stack.
constexpr int MaxDepth = 256;

const char* const FineStream = "Fine stream!";

const char* FixedName(TNodeType kind) {
    return kind == ndComment ? "#comment" : kind == ndText ? "#text" : "#cdata";
}

void SetKind(TXMLNode& node, TNodeType kind) {
    node.NodeType = kind;
    node.Name.assign(FixedName(kind));
    node.Text.clear();
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& s) {
    size_t first = 0, last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to) {
    size_t at = s.find(from);
    if (at == std::string::npos) return s;
    std::string result;
    size_t done = 0;
    for (; at != std::string::npos; at = s.find(from, done)) {
        result.append(s, done, at - done).append(to);
        done = at + from.size();
    }
    return result.append(s, done, std::string::npos);
}

// Reads one construct at a time, one byte per read, as the file format allows nothing
// smarter: a text ends at the first "<", which is put back for the next construct.
class TXMLReader {
public:
    explicit TXMLReader(TStream& stream) : Stream(stream) {}

    void ReadNode(TXMLNode& node, int depth) {
        for (;;) {
            switch (WhatsNext()) {
            case wnComment:
                return ReadDelimited(node, ndComment, '-', "<!--", "Error reading comment!");
            case wnCData:
                return ReadDelimited(node, ndCData, ']', "<![CDATA[", "Error reading cdata!");
            case wnText:
                return ReadText(node);
            case wnTagOpen:
            case wnTagUnique:
                return ReadElement(node, depth);
            case wnTagClose:
                throw EXMLError("Close tag in wrong place!");
            case wnSkippable:
                Skip();
                break;
            }
        }
    }

private:
    TStream& Stream;
    std::string Buffer; // the bytes of the construct being read, kept to save allocations

    bool Next(char& c) { return Stream.ReadByte(c); }

    char NextOr(const char* message) {
        char c;
        if (!Next(c)) throw EXMLError(message);
        return c;
    }

    // Looks at the next construct without consuming it.
    TWhatsNext WhatsNext() {
        int64_t start = Stream.GetPosition();
        TWhatsNext result = ClassifyNext();
        Stream.SetPosition(start);
        return result;
    }

    TWhatsNext ClassifyNext() {
        if (NextOr(FineStream) != '<') return wnText;
        char c = NextOr(FineStream);
        if (c == '/') return wnTagClose;
        if (c == '?') return wnSkippable;
        if (c == '!') {
            c = NextOr(FineStream);
            return c == '[' ? wnCData : c == '-' ? wnComment : wnSkippable;
        }
        char before = '<';
        while (c != '>') {
            before = c;
            c = NextOr("Stream end while reading tag!");
        }
        return before == '/' ? wnTagUnique : wnTagOpen;
    }

    TTag ReadTag() {
        if (NextOr("End stream while tag expected!") != '<')
            throw EXMLError("No tag while expected!");
        char c = NextOr("End stream after \"<\"!");
        std::string& text = Buffer;
        text.clear();
        while (c != '>') {
            text += c;
            c = NextOr("End stream before finding \">\" !");
        }
        TTag tag;
        if (!text.empty() && text.back() == '/') {
            tag.Kind = ttUnique;
            text.pop_back();
        } else if (!text.empty() && text.front() == '/') {
            tag.Kind = ttClose;
            text.erase(0, 1);
        }
        size_t space = text.find(' ');
        tag.Name = text.substr(0, space);
        if (tag.Name.empty()) throw EXMLError("Empty tag!");
        if (space != std::string::npos && space + 1 < text.size())
            tag.Attributes = ParseAttributes(text.substr(space + 1));
        return tag;
    }

    static std::unique_ptr<TXMLAttributes> ParseAttributes(const std::string& text) {
        auto list = std::make_unique<TXMLAttributes>();
        size_t at = 0;
        do {
            size_t equals = text.find('=', at);
            if (equals == std::string::npos) {
                // White space after the last attribute ends the list; anything else is a
                // name without a value.
                std::string rest = Trim(text.substr(at));
                if (rest.empty()) break;
                throw EXMLError("Expected = after attribute name! Found:" + rest);
            }
            std::string name = Trim(text.substr(at, equals - at));
            if (equals + 1 >= text.size())
                throw EXMLError("Expected \" or ' as attribute value begin! Found:");
            char quote = text[equals + 1];
            if (quote != '"' && quote != '\'')
                throw EXMLError(std::string("Expected \" or ' as attribute value begin! Found:") +
                                quote);
            size_t close = text.find(quote, equals + 2);
            if (close == std::string::npos)
                throw EXMLError("Expected " + std::string(1, quote) +
                                " as attribute value end! Attribute:" + name);
            list->Add(name, text.substr(equals + 2, close - equals - 2));
            at = close + 2;
        } while (at + 2 <= text.size());
        return list;
    }

    void ReadElement(TXMLNode& node, int depth) {
        node.NodeType = ndTag;
        node.Text.clear();
        TTag tag = ReadTag();
        if (tag.Attributes) node.Attributes = std::move(*tag.Attributes);
        node.Name = std::move(tag.Name);
        if (tag.Kind == ttClose) throw EXMLError("Close tag find in wrong place!");
        if (tag.Kind == ttUnique) return;
        if (depth >= MaxDepth) throw EXMLError("Tags nested too deeply!");
        for (;;) {
            TWhatsNext next = WhatsNext();
            if (next == wnSkippable) {
                Skip();
            } else if (next == wnTagClose) {
                TTag close = ReadTag();
                if (close.Name != node.Name)
                    throw EXMLError("Close tag different from open! " + close.Name + "<>" +
                                    node.Name);
                return;
            } else {
                auto child = std::make_unique<TXMLNode>();
                ReadNode(*child, depth + 1);
                node.Children.Add(std::move(child));
            }
        }
    }

    // A comment or CDATA section: everything up to the terminator t, t, ">", which must
    // start with prefix; the prefix is dropped and the terminator not kept.
    void ReadDelimited(TXMLNode& node, TNodeType kind, char t, const std::string& prefix,
                       const char* prefixError) {
        SetKind(node, kind);
        std::string& text = Buffer;
        text.clear();
        for (;;) {
            char c = NextOr(FineStream);
            if (c == t) {
                int64_t after = Stream.GetPosition();
                if (NextOr(FineStream) == t && NextOr(FineStream) == '>') break;
                Stream.SetPosition(after);
            }
            text += c;
        }
        if (text.compare(0, prefix.size(), prefix) != 0) throw EXMLError(prefixError);
        node.Text.assign(text, prefix.size());
    }

    void ReadText(TXMLNode& node) {
        SetKind(node, ndText);
        std::string& text = Buffer;
        text.clear();
        char c;
        while ((c = NextOr(FineStream)) != '<')
            text += c;
        Stream.SetPosition(Stream.GetPosition() - 1);
        node.Text = UnescapeText(text);
    }

    void Skip() {
        while (NextOr(FineStream) != '>') {
        }
    }
};

} // namespace

int32_t StrToInt(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
    int32_t value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

std::string IntToStr(int32_t value) {
    return std::to_string(value);
}

TXMLAttribute& TXMLAttributes::Add(const std::string& name, const std::string& value) {
    FItems.push_back(std::make_unique<TXMLAttribute>(TXMLAttribute{name, value}));
    return *FItems.back();
}

TXMLAttribute* TXMLAttributes::Find(const std::string& name) const {
    for (const auto& item : FItems)
        if (item->Name == name) return item.get();
    return nullptr;
}

std::string TXMLAttributes::GetValue(const std::string& name) const {
    TXMLAttribute* item = Find(name);
    return item != nullptr ? item->Value : std::string();
}

void TXMLAttributes::SetValue(const std::string& name, const std::string& value) {
    if (TXMLAttribute* item = Find(name))
        item->Value = value;
    else
        Add(name, value);
}

TXMLNodes::~TXMLNodes() {
    for (auto& item : FItems)
        item.reset();
}

void TXMLNodes::SetItems(int index, std::unique_ptr<TXMLNode> node) {
    FItems.at(static_cast<size_t>(index)) = std::move(node);
}

TXMLNode& TXMLNodes::Add(std::unique_ptr<TXMLNode> node) {
    FItems.push_back(std::move(node));
    return *FItems.back();
}

TXMLNode* TXMLNodes::Find(const std::string& name) const {
    for (const auto& item : FItems)
        if (item->Name == name) return item.get();
    return nullptr;
}

TXMLNode::TXMLNode(const std::string& name, TNodeType nodeType)
    : NodeType(nodeType), Name(nodeType == ndTag ? name : FixedName(nodeType)) {}

TXMLNode* TXMLNode::FindChild(const std::string& name) const {
    return Children.Find(name);
}

void TXMLNode::FindAll(const std::string& name, std::vector<TXMLNode*>& list) const {
    for (int i = 0; i < Children.Count(); ++i) {
        TXMLNode& child = Children.Items(i);
        if (child.Name == name) list.push_back(&child);
        child.FindAll(name, list);
    }
}

std::string TXMLNode::GetText() const {
    if (NodeType != ndTag) return Text;
    if (Children.Count() == 1 && Children.Items(0).NodeType != ndTag) return Children.Items(0).Text;
    return std::string();
}

void TXMLNode::SetText(const std::string& value) {
    if (NodeType != ndTag)
        Text = value;
    else if (Children.Count() == 1 && Children.Items(0).NodeType != ndTag)
        Children.Items(0).Text = value;
    else if (Children.Count() == 0)
        Children.Add(std::make_unique<TXMLNode>("", ndText)).Text = value;
    else
        throw EXMLError("Can't put text in a tag without text.");
}

int32_t TXMLNode::GetTextAsInteger() const {
    return StrToInt(GetText());
}

void TXMLNode::SetTextAsInteger(int32_t value) {
    SetText(IntToStr(value));
}

TXMLNode& TXMLNode::AddChild(const std::string& name, const std::string& text) {
    TXMLNode& child = Children.Add(std::make_unique<TXMLNode>(name, ndTag));
    child.SetText(text);
    return child;
}

TXMLNode& TXMLNode::AddChild(const std::string& name, int32_t value) {
    return AddChild(name, IntToStr(value));
}

void TXMLNode::LoadFromStream(TStream& stream) {
    TXMLReader(stream).ReadNode(*this, 0);
}

namespace {

void Put(TStream& stream, const std::string& piece) {
    if (stream.Write(piece.data(), piece.size()) != piece.size())
        throw EXMLError("Cannot write to stream!");
}

} // namespace

void TXMLNode::SaveToStream(TStream& stream) const {
    switch (NodeType) {
    case ndTag: {
        std::string head = "<" + Name;
        for (int i = 0; i < Attributes.Count(); ++i) {
            const TXMLAttribute& attribute = Attributes.Items(i);
            head += " " + attribute.Name + "=\"" + attribute.Value + "\"";
        }
        if (Children.Count() == 0) return Put(stream, head + "/>");
        Put(stream, head + ">");
        for (int i = 0; i < Children.Count(); ++i)
            Children.Items(i).SaveToStream(stream);
        return Put(stream, "</" + Name + ">");
    }
    case ndText:
        return Put(stream, EscapeText(Text));
    case ndComment:
        return Put(stream, "<!--" + Text + "-->");
    case ndCData:
        return Put(stream, "<![CDATA[" + Text + "]]>");
    }
}

TXMLDocument::TXMLDocument() : FRoot(std::make_unique<TXMLNode>("Main", ndTag)) {}

void TXMLDocument::SetRoot(std::unique_ptr<TXMLNode> root) {
    if (!root) throw EXMLError("A document needs a root!");
    FRoot = std::move(root);
}

TXMLNode* TXMLDocument::FindRoot(const std::string& name) const {
    return FRoot->Name == name ? FRoot.get() : nullptr;
}

void TXMLDocument::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::fmOpenRead);
    LoadFromStream(stream);
}

void TXMLDocument::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, TFileStream::fmCreate);
    SaveToStream(stream);
    stream.Close();
}

void TXMLDocument::LoadFromStream(TStream& stream) {
    FRoot.reset();
    FRoot = std::make_unique<TXMLNode>("", ndText);
    // Leading text, comments and declarations land in the root and are overwritten.
    TXMLReader reader(stream);
    while (FRoot->NodeType != ndTag)
        reader.ReadNode(*FRoot, 0);
}

void TXMLDocument::SaveToStream(TStream& stream) const {
    FRoot->SaveToStream(stream);
}

std::string EscapeText(const std::string& s) {
    if (s.find_first_of("&<>\"'") == std::string::npos) return s;
    std::string r = ReplaceAll(s, "&", "&amp;");
    r = ReplaceAll(r, "<", "&lt;");
    r = ReplaceAll(r, ">", "&gt;");
    r = ReplaceAll(r, "\"", "&quot;");
    return ReplaceAll(r, "'", "&apos;");
}

std::string UnescapeText(const std::string& s) {
    if (s.find('&') == std::string::npos) return s;
    std::string r = ReplaceAll(s, "&apos;", "'");
    r = ReplaceAll(r, "&quot;", "\"");
    r = ReplaceAll(r, "&gt;", ">");
    r = ReplaceAll(r, "&lt;", "<");
    return ReplaceAll(r, "&amp;", "&");
}
