// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/xmlparser.h"

#include <charconv>
#include <optional>

namespace {

enum TTagKind { ttOpen, ttClose, ttUnique };

// Name views the bytes of the tag, which stay put until the next tag is read.
struct TTag {
    std::string_view Name;
    TTagKind Kind = ttOpen;
    std::optional<TXMLAttributes> Attributes;
};

enum TWhatsNext { wnComment, wnCData, wnText, wnTagOpen, wnTagClose, wnTagUnique, wnSkippable };

// Deeper element nesting is refused, so a hostile file cannot exhaust the stack.
constexpr int MaxDepth = 256;

const char* const FineStream = "Fine stream!";

std::string_view FixedName(TNodeType kind) {
    using namespace std::string_view_literals;
    return kind == ndComment ? "#comment"sv : kind == ndText ? "#text"sv : "#cdata"sv;
}

// Strings are cleared and appended to rather than assigned: the same result, but
// assignment takes the general replace path, which shows on large files.
void SetKind(TXMLNode& node, TNodeType kind) {
    node.NodeType = kind;
    node.Name.clear();
    node.Name.append(FixedName(kind));
    node.Text.clear();
}

// Equality with a cheap first-byte test: look-ups mostly meet names that differ early.
bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && (a.empty() || a[0] == b[0]) && a == b;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
    size_t first = 0, last = s.size();
    while (first < last && IsBlank(s[first]))
        ++first;
    while (last > first && IsBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

// A byte search without a library call: the pieces searched are mostly a few bytes long.
size_t FindByte(std::string_view s, char c, size_t from = 0) {
    for (size_t i = from; i < s.size(); ++i)
        if (s[i] == c) return i;
    return std::string_view::npos;
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

// Reads one construct at a time, byte by byte as the format allows nothing smarter: a
// text ends at the first "<", which is put back for the next construct. Where the stream
// holds its bytes in memory, delimiters are searched there in one go and the look-ahead
// peeks without moving; the outcome is the same as reading byte after byte.
class TXMLReader {
public:
    explicit TXMLReader(TStream& stream) : Stream(stream) {}

    void ReadNode(TXMLNode& node, int depth) {
        TWhatsNext next;
        while ((next = WhatsNext()) == wnSkippable)
            Skip();
        ReadConstruct(node, next, depth);
    }

private:
    TStream& Stream;
    std::string Buffer; // the bytes of the tag being read, kept to save allocations

    char NextOr(const char* message) {
        char c;
        if (!Stream.ReadByte(c)) throw EXMLError(message);
        return c;
    }

    void ReadConstruct(TXMLNode& node, TWhatsNext next, int depth) {
        switch (next) {
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
            break;
        }
    }

    // Looks at the next construct without consuming it.
    TWhatsNext WhatsNext() {
        TWhatsNext result;
        if (PeekNext(result)) return result;
        int64_t start = Stream.GetPosition();
        result = ClassifyNext();
        Stream.SetPosition(start);
        return result;
    }

    // The look-ahead on the bytes in memory; false when they do not suffice to tell.
    bool PeekNext(TWhatsNext& result) const {
        std::string_view ahead = Stream.Buffered();
        if (ahead.empty()) return false;
        if (ahead[0] != '<') return result = wnText, true;
        if (ahead.size() < 2) return false;
        char c = ahead[1];
        if (c == '/') return result = wnTagClose, true;
        if (c == '?') return result = wnSkippable, true;
        if (c == '!') {
            if (ahead.size() < 3) return false;
            c = ahead[2];
            return result = c == '[' ? wnCData : c == '-' ? wnComment : wnSkippable, true;
        }
        size_t close = FindByte(ahead, '>', 1);
        if (close == std::string_view::npos) return false;
        result = ahead[close - 1] == '/' ? wnTagUnique : wnTagOpen;
        return true;
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
        if (c == '>') return wnTagOpen;
        Buffer.assign(1, c);
        CollectUntil('>', Buffer, "Stream end while reading tag!");
        return Buffer.back() == '/' ? wnTagUnique : wnTagOpen;
    }

    // Appends the bytes up to the next stop byte to text and consumes the stop byte.
    void CollectUntil(char stop, std::string& text, const char* endMessage) {
        for (;;) {
            std::string_view buffered = Stream.Buffered();
            size_t at = buffered.find(stop);
            text.append(buffered.substr(0, at));
            if (at != std::string_view::npos) return Stream.Consume(at + 1);
            Stream.Consume(buffered.size());
            char c = NextOr(endMessage);
            if (c == stop) return;
            text += c;
        }
    }

    // The bytes between the next "<" and the following ">", consumed.
    std::string_view TagText() {
        std::string_view ahead = Stream.Buffered();
        if (ahead.size() >= 2 && ahead[0] == '<') {
            size_t close = FindByte(ahead, '>', 1);
            if (close != std::string_view::npos) {
                Stream.Consume(close + 1);
                return ahead.substr(1, close - 1);
            }
        }
        if (NextOr("End stream while tag expected!") != '<')
            throw EXMLError("No tag while expected!");
        char c = NextOr("End stream after \"<\"!");
        Buffer.clear();
        if (c != '>') {
            Buffer += c;
            CollectUntil('>', Buffer, "End stream before finding \">\" !");
        }
        return Buffer;
    }

    TTag ReadTag() {
        std::string_view text = TagText();
        TTag tag;
        if (!text.empty() && text.back() == '/') {
            tag.Kind = ttUnique;
            text.remove_suffix(1);
        } else if (!text.empty() && text.front() == '/') {
            tag.Kind = ttClose;
            text.remove_prefix(1);
        }
        size_t space = FindByte(text, ' ');
        tag.Name = text.substr(0, space);
        if (tag.Name.empty()) throw EXMLError("Empty tag!");
        if (space != std::string_view::npos && space + 1 < text.size())
            ParseAttributes(text.substr(space + 1), tag.Attributes.emplace());
        return tag;
    }

    static void ParseAttributes(std::string_view text, TXMLAttributes& list) {
        size_t at = 0;
        do {
            size_t equals = text.find('=', at);
            if (equals == std::string_view::npos) {
                // White space after the last attribute ends the list; anything else is a
                // name without a value.
                std::string_view rest = Trim(text.substr(at));
                if (rest.empty()) break;
                throw EXMLError("Expected = after attribute name! Found:" + std::string(rest));
            }
            std::string name(Trim(text.substr(at, equals - at)));
            if (equals + 1 >= text.size())
                throw EXMLError("Expected \" or ' as attribute value begin! Found:");
            char quote = text[equals + 1];
            if (quote != '"' && quote != '\'')
                throw EXMLError(std::string("Expected \" or ' as attribute value begin! Found:") +
                                quote);
            size_t close = text.find(quote, equals + 2);
            if (close == std::string_view::npos)
                throw EXMLError("Expected " + std::string(1, quote) +
                                " as attribute value end! Attribute:" + name);
            list.Add(name, std::string(text.substr(equals + 2, close - equals - 2)));
            at = close + 2;
        } while (at + 2 <= text.size());
    }

    void ReadElement(TXMLNode& node, int depth) {
        node.NodeType = ndTag;
        node.Text.clear();
        TTag tag = ReadTag();
        if (tag.Attributes) node.Attributes = std::move(*tag.Attributes);
        node.Name.clear();
        node.Name.append(tag.Name);
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
                    throw EXMLError("Close tag different from open! " + std::string(close.Name) +
                                    "<>" + node.Name);
                return;
            } else {
                auto child = std::make_unique<TXMLNode>();
                ReadConstruct(*child, next, depth + 1);
                node.Children.Add(std::move(child));
            }
        }
    }

    // A comment or CDATA section: everything up to the terminator t, t, ">", which must
    // start with prefix; the prefix is dropped and the terminator not kept.
    void ReadDelimited(TXMLNode& node, TNodeType kind, char t, const std::string& prefix,
                       const char* prefixError) {
        SetKind(node, kind);
        std::string& text = node.Text;
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
        text.erase(0, prefix.size());
    }

    void ReadText(TXMLNode& node) {
        SetKind(node, ndText);
        std::string& text = node.Text;
        std::string_view buffered = Stream.Buffered();
        size_t at = 0;
        bool entities = false;
        for (; at < buffered.size() && buffered[at] != '<'; ++at)
            entities |= buffered[at] == '&';
        if (at < buffered.size()) {
            // The "<" stays in the stream for the next construct.
            text.append(buffered.data(), at);
            Stream.Consume(at);
        } else {
            CollectUntil('<', text, FineStream);
            Stream.SetPosition(Stream.GetPosition() - 1);
            entities = text.find('&') != std::string::npos;
        }
        if (entities) text = UnescapeText(text);
    }

    // The skipped bytes are not wanted; without the clear they would pile up in the buffer.
    void Skip() {
        Buffer.clear();
        CollectUntil('>', Buffer, FineStream);
    }
};

} // namespace

int32_t StrToInt(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
    int32_t value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
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
        if (SameName(item->Name, name)) return item.get();
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
        if (SameName(item->Name, name)) return item.get();
    return nullptr;
}

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define QUELMARK_PLAIN_NODES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUELMARK_PLAIN_NODES 1
#endif
#endif

// Blocks of one size handed out and taken back per thread. They are carved from chunks
// that are never returned to the system; a block freed on another thread than the one
// that took it simply joins that thread's list. Sanitizer builds use the plain allocator
// so that they still see every use after free.
template <size_t Size, size_t Align> class TBlockPool {
public:
    void* Take() {
        if (FFree == nullptr) Grow();
        TBlock* block = FFree;
        FFree = block->Next;
        // The next block is likely cold by now; fetch it while this one is filled.
        __builtin_prefetch(FFree, 1);
        return block;
    }

    void Give(void* storage) {
        auto* block = static_cast<TBlock*>(storage);
        block->Next = FFree;
        FFree = block;
    }

private:
    union TBlock {
        TBlock* Next;
        alignas(Align) unsigned char Bytes[Size];
    };
    static constexpr size_t ChunkBlocks = 1024;
    TBlock* FFree = nullptr;

    void Grow() {
        auto* chunk = static_cast<TBlock*>(::operator new(ChunkBlocks * sizeof(TBlock)));
        for (size_t i = 0; i < ChunkBlocks; ++i)
            Give(&chunk[i]);
    }
};

#ifndef QUELMARK_PLAIN_NODES
// Most lists hold one to four nodes (an element's text, say).
constexpr size_t ShortList = 4 * sizeof(void*);

thread_local TBlockPool<sizeof(TXMLNode), alignof(TXMLNode)> NodePool;
thread_local TBlockPool<ShortList, alignof(void*)> ListPool;
#endif

} // namespace

void* xmlpool::AllocateList(size_t bytes) {
#ifndef QUELMARK_PLAIN_NODES
    if (bytes <= ShortList) return ListPool.Take();
#endif
    return ::operator new(bytes);
}

void xmlpool::FreeList(void* storage, [[maybe_unused]] size_t bytes) {
#ifndef QUELMARK_PLAIN_NODES
    if (bytes <= ShortList) return ListPool.Give(storage);
#endif
    ::operator delete(storage);
}

void* TXMLNode::operator new(size_t size) {
#ifndef QUELMARK_PLAIN_NODES
    if (size == sizeof(TXMLNode)) return NodePool.Take();
#endif
    return ::operator new(size);
}

void TXMLNode::operator delete(void* node, [[maybe_unused]] size_t size) {
#ifndef QUELMARK_PLAIN_NODES
    if (size == sizeof(TXMLNode)) return NodePool.Give(node);
#endif
    ::operator delete(node);
}

TXMLNode::TXMLNode(const std::string& name, TNodeType nodeType)
    : NodeType(nodeType), Name(nodeType == ndTag ? name : std::string(FixedName(nodeType))) {}

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
