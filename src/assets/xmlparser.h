// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A small XML reader and writer: byte streams to node trees and back.
//
// Only the subset the game's data files use: elements, attributes, text, comments and
// CDATA. Declarations and processing instructions are skipped; no DTDs, namespaces,
// character references or encodings. All text is bytes and names compare exactly.
#pragma once

#include "assets/streamunit.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised by the reader and writer; what() is the message text.
class EXMLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a text is not a number of the expected kind.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Signed decimal 32-bit integer (an optional sign, then digits, nothing else);
// independent of the locale. Raises EConvertError otherwise.
int32_t StrToInt(std::string_view text);
std::string IntToStr(int32_t value);

enum TNodeType { ndTag, ndComment, ndText, ndCData };

namespace xmlpool {
// Most node lists hold one to four nodes and a large file makes hundreds of thousands of
// them, so short lists take their storage from a free list.
void* AllocateList(size_t bytes);
void FreeList(void* storage, size_t bytes);

template <class T> struct TListAllocator {
    using value_type = T;
    TListAllocator() = default;
    template <class U> TListAllocator(const TListAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(AllocateList(n * sizeof(T))); }
    void deallocate(T* p, size_t n) { FreeList(p, n * sizeof(T)); }
    friend bool operator==(const TListAllocator&, const TListAllocator&) { return true; }
};
} // namespace xmlpool

struct TXMLAttribute {
    std::string Name;
    std::string Value;

    // Every element of a large file may carry one: they come from a free list.
    static void* operator new(size_t size);
    static void operator delete(void* attribute, size_t size);
};

// Owns its attributes; several may share a name, look-ups find the first.
class TXMLAttributes {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TXMLAttribute& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    TXMLAttribute& Add(std::string_view name, std::string_view value);
    TXMLAttribute* Find(const std::string& name) const;
    // The value of the first attribute of that name, or "" when there is none.
    std::string GetValue(const std::string& name) const;
    // Sets the first attribute of that name, or appends one.
    void SetValue(const std::string& name, const std::string& value);

private:
    using TItem = std::unique_ptr<TXMLAttribute>;
    std::vector<TItem, xmlpool::TListAllocator<TItem>> FItems;
};

class TXMLNode;

// Owns its nodes, in document order.
class TXMLNodes {
public:
    TXMLNodes() = default;
    ~TXMLNodes();
    TXMLNodes(const TXMLNodes&) = delete;
    TXMLNodes& operator=(const TXMLNodes&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TXMLNode& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    // Replaces the node at index; the old one is destroyed.
    void SetItems(int index, std::unique_ptr<TXMLNode> node);
    TXMLNode& Add(std::unique_ptr<TXMLNode> node);
    // Makes room for count more nodes, so that adding them allocates nothing.
    void Reserve(int count);
    // The first node whose Name matches, or nullptr.
    TXMLNode* Find(const std::string& name) const;

private:
    using TItem = std::unique_ptr<TXMLNode>;
    std::vector<TItem, xmlpool::TListAllocator<TItem>> FItems;
};

class TXMLNode {
public:
    // For ndTag the node is called name; the other kinds take their fixed names
    // "#comment", "#text" and "#cdata" and ignore it.
    TXMLNode() {} // an unnamed tag; user-provided, so that a new node is not zeroed first
    explicit TXMLNode(const std::string& name, TNodeType nodeType = ndTag);
    TXMLNode(const TXMLNode&) = delete;
    TXMLNode& operator=(const TXMLNode&) = delete;

    // A large file makes hundreds of thousands of nodes: they come from a free list.
    static void* operator new(size_t size);
    static void operator delete(void* node, size_t size);

    // Direct children only, of any kind; nullptr when none matches.
    TXMLNode* FindChild(const std::string& name) const;
    // Appends every node of the subtree below with that name, depth-first pre-order.
    void FindAll(const std::string& name, std::vector<TXMLNode*>& list) const;

    // A tag's text is the Text of its only child when that child is not a tag.
    std::string GetText() const;
    // Raises "Can't put text in a tag without text." on a tag with other content.
    void SetText(const std::string& value);
    int32_t GetTextAsInteger() const;
    void SetTextAsInteger(int32_t value);

    // Appends a tag child holding one text node; returns the new child.
    TXMLNode& AddChild(const std::string& name, const std::string& text);
    TXMLNode& AddChild(const std::string& name, int32_t value);

    // Reads the next node of the stream into this node (skipping declarations).
    void LoadFromStream(TStream& stream);
    // Writes this node and its subtree. Raises "Can't write attribute <name> holding both
    // quotes!" for a value that no quoting lets the reader read back.
    void SaveToStream(TStream& stream) const;

    // Destroyed in reverse order: Children (the whole subtree) first, then Attributes.
    std::string Text;
    TNodeType NodeType = ndTag;
    std::string Name;
    TXMLAttributes Attributes;
    TXMLNodes Children;
};

// A document always has a root element; a new one is an empty tag called "Main".
class TXMLDocument {
public:
    TXMLDocument();

    TXMLNode& Root() const { return *FRoot; }
    // Hands the document a tree built by the caller; the previous root is destroyed.
    void SetRoot(std::unique_ptr<TXMLNode> root);
    // The root when its Name matches, otherwise nullptr.
    TXMLNode* FindRoot(const std::string& name) const;

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // Replaces the tree by the first element of the stream. A failed load leaves the part
    // read so far, and the stream where reading stopped.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

private:
    std::unique_ptr<TXMLNode> FRoot;
};

// Entities: &amp; &lt; &gt; &quot; &apos; only.
std::string EscapeText(const std::string& s);
std::string UnescapeText(const std::string& s);
