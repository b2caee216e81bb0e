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
const char* FindByte(const char* from, const char* end, char c) {
    for (; from != end; ++from)
        if (*from == c) return from;
    return nullptr;
}

size_t FindByte(std::string_view s, char c) {
    const char* at = FindByte(s.data(), s.data() + s.size(), c);
    return at != nullptr ? static_cast<size_t>(at - s.data()) : std::string_view::npos;
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

// The reader takes its bytes from one of two sources, which agree byte for byte on what
// they find and on where they leave the stream, errors included.
//
// A stream without its bytes in memory is read one byte at a time, and the look-ahead
// seeks back to where it started.
class TStreamSource {
public:
    explicit TStreamSource(TStream& stream) : Stream(stream) {}

    // What the next construct is, consuming nothing.
    TWhatsNext WhatsNext() {
        int64_t start = Stream.GetPosition();
        TWhatsNext result = ClassifyNext();
        Stream.SetPosition(start);
        return result;
    }

    // The bytes between the next "<" and the following ">", consumed; valid until the next
    // call.
    std::string_view TagText() {
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

    // Up to and including the next ">".
    void Skip() {
        Buffer.clear();
        CollectUntil('>', Buffer, FineStream);
    }

    // Appends everything up to the terminator (two stop bytes and ">") to text, and
    // consumes the terminator.
    void Delimited(std::string& text, std::string_view terminator) {
        const char t = terminator[0];
        for (;;) {
            char c = NextOr(FineStream);
            if (c == t) {
                int64_t after = Stream.GetPosition();
                if (NextOr(FineStream) == t && NextOr(FineStream) == '>') return;
                Stream.SetPosition(after);
            }
            text += c;
        }
    }

    // Appends the bytes up to the next "<", which stays in the stream; true when they hold
    // an entity.
    bool Text(std::string& text) {
        size_t from = text.size();
        CollectUntil('<', text, FineStream);
        Stream.SetPosition(Stream.GetPosition() - 1);
        return text.find('&', from) != std::string::npos;
    }

private:
    TStream& Stream;
    std::string Buffer; // the bytes of the tag being read, kept to save allocations

    char NextOr(const char* message) {
        char c;
        if (!Stream.ReadByte(c)) throw EXMLError(message);
        return c;
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
        for (char c; (c = NextOr(endMessage)) != stop;)
            text += c;
    }
};

// Bytes held in memory, from the stream's position to its end: each delimiter is found by
// one scan, and the look-ahead only looks. Consumed() tells how far reading got.
class TBufferSource {
public:
    explicit TBufferSource(std::string_view bytes)
        : Begin(bytes.data()), Next(Begin), End(Begin + bytes.size()) {}

    size_t Consumed() const { return static_cast<size_t>(Next - Begin); }

    TWhatsNext WhatsNext() {
        TagClose = nullptr;
        if (Next == End) FailAtEnd(FineStream);
        if (*Next != '<') return wnText;
        if (End - Next < 2) FailAtEnd(FineStream);
        char c = Next[1];
        if (c == '/') return wnTagClose;
        if (c == '?') return wnSkippable;
        if (c == '!') {
            if (End - Next < 3) FailAtEnd(FineStream);
            c = Next[2];
            return c == '[' ? wnCData : c == '-' ? wnComment : wnSkippable;
        }
        TagClose = FindByte(Next + 1, End, '>');
        if (TagClose == nullptr) FailAtEnd("Stream end while reading tag!");
        return TagClose[-1] == '/' ? wnTagUnique : wnTagOpen;
    }

    // Called right after the look-ahead has seen "<" and one more byte; an opening tag's
    // ">" is already known.
    std::string_view TagText() {
        const char* close = TagClose != nullptr ? TagClose : FindByte(Next + 1, End, '>');
        if (close == nullptr) FailAtEnd("End stream before finding \">\" !");
        std::string_view text(Next + 1, static_cast<size_t>(close - Next - 1));
        Next = close + 1;
        return text;
    }

    void Skip() {
        const char* close = FindByte(Next, End, '>');
        if (close == nullptr) FailAtEnd(FineStream);
        Next = close + 1;
    }

    void Delimited(std::string& text, std::string_view terminator) {
        std::string_view rest(Next, static_cast<size_t>(End - Next));
        size_t at = rest.find(terminator);
        if (at == std::string_view::npos) {
            // Read byte by byte, the stop bytes that the end cuts short are not kept.
            const char t = terminator[0];
            size_t keep = rest.size();
            if (keep >= 1 && rest[keep - 1] == t) keep -= keep >= 2 && rest[keep - 2] == t ? 2 : 1;
            text.append(rest.substr(0, keep));
            FailAtEnd(FineStream);
        }
        text.append(rest.substr(0, at));
        Next += at + terminator.size();
    }

    bool Text(std::string& text) {
        const char* stop = Next;
        bool entities = false;
        for (; stop != End && *stop != '<'; ++stop)
            entities |= *stop == '&';
        text.append(Next, stop);
        if (stop == End) FailAtEnd(FineStream);
        Next = stop;
        return entities;
    }

private:
    const char* Begin;
    const char* Next;
    const char* End;
    const char* TagClose = nullptr; // the ">" of the opening tag the look-ahead found

    [[noreturn]] void FailAtEnd(const char* message) {
        Next = End;
        throw EXMLError(message);
    }
};

// Reads one construct at a time: a text ends at the first "<", which is left for the
// next construct.
template <class TSource> class TXMLReader {
public:
    explicit TXMLReader(TSource& source) : Source(source) {}

    void ReadNode(TXMLNode& node, int depth) {
        TWhatsNext next;
        while ((next = Source.WhatsNext()) == wnSkippable)
            Source.Skip();
        ReadConstruct(node, next, depth);
    }

private:
    TSource& Source;
    // The children read so far of every element being read, innermost last: an element
    // takes its own in one go at its end, into a list of the right size.
    std::vector<std::unique_ptr<TXMLNode>> Pending;

    void ReadConstruct(TXMLNode& node, TWhatsNext next, int depth) {
        switch (next) {
        case wnComment:
            return ReadDelimited(node, ndComment, "-->", "<!--", "Error reading comment!");
        case wnCData:
            return ReadDelimited(node, ndCData, "]]>", "<![CDATA[", "Error reading cdata!");
        case wnText:
            SetKind(node, ndText);
            if (Source.Text(node.Text)) node.Text = UnescapeText(node.Text);
            return;
        case wnTagOpen:
        case wnTagUnique:
            return ReadElement(node, depth);
        case wnTagClose:
            throw EXMLError("Close tag in wrong place!");
        case wnSkippable:
            break;
        }
    }

    TTag ReadTag() {
        std::string_view text = Source.TagText();
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
            std::string_view name = Trim(text.substr(at, equals - at));
            if (equals + 1 >= text.size())
                throw EXMLError("Expected \" or ' as attribute value begin! Found:");
            char quote = text[equals + 1];
            if (quote != '"' && quote != '\'')
                throw EXMLError(std::string("Expected \" or ' as attribute value begin! Found:") +
                                quote);
            size_t close = text.find(quote, equals + 2);
            if (close == std::string_view::npos)
                throw EXMLError("Expected " + std::string(1, quote) +
                                " as attribute value end! Attribute:" + std::string(name));
            list.Add(name, text.substr(equals + 2, close - equals - 2));
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
        const size_t first = Pending.size();
        try {
            ReadChildren(node, depth);
        } catch (...) {
            // A failed load keeps what was read: the children read so far stay.
            Adopt(node, first);
            throw;
        }
        Adopt(node, first);
    }

    void ReadChildren(const TXMLNode& node, int depth) {
        for (;;) {
            TWhatsNext next = Source.WhatsNext();
            if (next == wnSkippable) {
                Source.Skip();
            } else if (next == wnTagClose) {
                TTag close = ReadTag();
                if (close.Name != node.Name)
                    throw EXMLError("Close tag different from open! " + std::string(close.Name) +
                                    "<>" + node.Name);
                return;
            } else {
                // A child that fails to read is not kept.
                auto child = std::make_unique<TXMLNode>();
                ReadConstruct(*child, next, depth + 1);
                Pending.push_back(std::move(child));
            }
        }
    }

    void Adopt(TXMLNode& node, size_t first) {
        node.Children.Reserve(static_cast<int>(Pending.size() - first));
        for (size_t i = first; i < Pending.size(); ++i)
            node.Children.Add(std::move(Pending[i]));
        Pending.resize(first);
    }

    void ReadDelimited(TXMLNode& node, TNodeType kind, std::string_view terminator,
                       std::string_view prefix, const char* prefixError) {
        SetKind(node, kind);
        Source.Delimited(node.Text, terminator);
        if (node.Text.compare(0, prefix.size(), prefix) != 0) throw EXMLError(prefixError);
        node.Text.erase(0, prefix.size());
    }
};

// Runs read with a reader over the stream: over the bytes in memory when it holds them,
// leaving the stream just after the last byte read, as a byte-at-a-time reader would.
template <class TRead> void WithReader(TStream& stream, TRead read) {
    std::string_view bytes = stream.Buffered();
    if (bytes.empty()) {
        TStreamSource source(stream);
        TXMLReader reader(source);
        return read(reader);
    }
    TBufferSource source(bytes);
    struct TCommit {
        TStream& Stream;
        TBufferSource& Source;
        ~TCommit() { Stream.Consume(Source.Consumed()); }
    } commit{stream, source};
    TXMLReader reader(source);
    read(reader);
}

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

TXMLAttribute& TXMLAttributes::Add(std::string_view name, std::string_view value) {
    TXMLAttribute& item = *FItems.emplace_back(std::make_unique<TXMLAttribute>());
    item.Name.append(name);
    item.Value.append(value);
    return item;
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

void TXMLNodes::Reserve(int count) {
    FItems.reserve(FItems.size() + static_cast<size_t>(count));
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

thread_local TBlockPool<ShortList, alignof(void*)> ListPool;

template <class T> TBlockPool<sizeof(T), alignof(T)>& PoolOf() {
    thread_local TBlockPool<sizeof(T), alignof(T)> pool;
    return pool;
}
#endif

// Objects of exactly T's size come from its pool; anything else (a derived class) from
// the plain allocator.
template <class T> void* TakeBlock(size_t size) {
#ifndef QUELMARK_PLAIN_NODES
    if (size == sizeof(T)) return PoolOf<T>().Take();
#endif
    return ::operator new(size);
}

template <class T> void GiveBlock(void* block, [[maybe_unused]] size_t size) {
#ifndef QUELMARK_PLAIN_NODES
    if (size == sizeof(T)) return PoolOf<T>().Give(block);
#endif
    ::operator delete(block);
}

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
    return TakeBlock<TXMLNode>(size);
}

void TXMLNode::operator delete(void* node, size_t size) {
    GiveBlock<TXMLNode>(node, size);
}

void* TXMLAttribute::operator new(size_t size) {
    return TakeBlock<TXMLAttribute>(size);
}

void TXMLAttribute::operator delete(void* attribute, size_t size) {
    GiveBlock<TXMLAttribute>(attribute, size);
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
    WithReader(stream, [this](auto& reader) { reader.ReadNode(*this, 0); });
}

namespace {

void Put(TStream& stream, const std::string& piece) {
    if (stream.Write(piece.data(), piece.size()) != piece.size())
        throw EXMLError("Cannot write to stream!");
}

// The reader takes a value literally up to the next quote of the kind that opened it: a value
// holding a double quote goes between single quotes, and one holding both cannot be read back.
char QuoteFor(const TXMLAttribute& attribute) {
    if (attribute.Value.find('"') == std::string::npos) return '"';
    if (attribute.Value.find('\'') == std::string::npos) return '\'';
    throw EXMLError("Can't write attribute " + attribute.Name + " holding both quotes!");
}

// Raises what saving would raise, before a file is truncated for it.
void CheckWritable(const TXMLNode& node) {
    for (int i = 0; i < node.Attributes.Count(); ++i)
        QuoteFor(node.Attributes.Items(i));
    for (int i = 0; i < node.Children.Count(); ++i)
        CheckWritable(node.Children.Items(i));
}

} // namespace

void TXMLNode::SaveToStream(TStream& stream) const {
    switch (NodeType) {
    case ndTag: {
        std::string head = "<" + Name;
        for (int i = 0; i < Attributes.Count(); ++i) {
            const TXMLAttribute& attribute = Attributes.Items(i);
            const char quote = QuoteFor(attribute);
            head += " " + attribute.Name + "=" + quote + attribute.Value + quote;
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
    CheckWritable(*FRoot);
    TFileStream stream(fileName, TFileStream::fmCreate);
    SaveToStream(stream);
    stream.Close();
}

void TXMLDocument::LoadFromStream(TStream& stream) {
    FRoot.reset();
    FRoot = std::make_unique<TXMLNode>("", ndText);
    // Leading text, comments and declarations land in the root and are overwritten.
    WithReader(stream, [this](auto& reader) {
        while (FRoot->NodeType != ndTag)
            reader.ReadNode(*FRoot, 0);
    });
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
