// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts/consolefont.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace mediagen {
namespace {

constexpr size_t MaxFontBytes = 16 << 20;

// Inflates gzip data; plain data is returned as it is.
std::string Gunzip(const std::string& bytes, const std::string& name) {
    if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != 0x1F ||
        static_cast<uint8_t>(bytes[1]) != 0x8B)
        return bytes;
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        throw EFontError(name + ": cannot start decompression");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    std::string result;
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        result.append(buffer, sizeof buffer - stream.avail_out);
        if (result.size() > MaxFontBytes) status = Z_MEM_ERROR;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END) throw EFontError(name + ": damaged gzip data");
    return result;
}

uint32_t Le32(const std::string& data, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(data[at + i]);
    return value;
}

// One code point from UTF-8 at pos (advanced); -1 on a malformed sequence.
long NextUtf8(const std::string& data, size_t& pos, size_t end) {
    const auto lead = static_cast<uint8_t>(data[pos++]);
    int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0) return -1;
    long code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (; extra > 0; --extra) {
        if (pos >= end) return -1;
        const auto next = static_cast<uint8_t>(data[pos++]);
        if ((next & 0xC0) != 0x80) return -1;
        code = code << 6 | (next & 0x3F);
    }
    return code;
}

} // namespace

TConsoleFont::TConsoleFont(const std::string& bytes, const std::string& name) {
    const std::string data = Gunzip(bytes, name);
    if (data.size() >= 4 && static_cast<uint8_t>(data[0]) == 0x36 &&
        static_cast<uint8_t>(data[1]) == 0x04)
        ParsePsf1(data, name);
    else if (data.size() >= 32 && Le32(data, 0) == 0x864AB572)
        ParsePsf2(data, name);
    else
        throw EFontError(name + ": not a PC screen font");
}

void TConsoleFont::ParsePsf1(const std::string& data, const std::string& name) {
    const auto mode = static_cast<uint8_t>(data[2]);
    FWidth = 8;
    FHeight = static_cast<uint8_t>(data[3]);
    FRowBytes = 1;
    const size_t count = (mode & 1) ? 512 : 256;
    const size_t glyphBytes = static_cast<size_t>(FHeight);
    size_t pos = 4;
    if (FHeight == 0 || data.size() < pos + count * glyphBytes)
        throw EFontError(name + ": glyphs cut short");
    for (size_t i = 0; i < count; ++i, pos += glyphBytes)
        FGlyphs.push_back(data.substr(pos, glyphBytes));
    if ((mode & 2) == 0) return;
    // Unicode table: per glyph, 16-bit codes up to 0xFFFF; 0xFFFE starts multi-code
    // sequences, which name composed characters and are not needed here.
    for (size_t glyph = 0; glyph < count; ++glyph) {
        bool sequence = false;
        for (;;) {
            if (pos + 2 > data.size()) throw EFontError(name + ": Unicode table cut short");
            const unsigned code =
                static_cast<uint8_t>(data[pos]) | static_cast<uint8_t>(data[pos + 1]) << 8;
            pos += 2;
            if (code == 0xFFFF) break;
            if (code == 0xFFFE)
                sequence = true;
            else if (!sequence)
                FUnicode.emplace(code, static_cast<int>(glyph));
        }
    }
}

void TConsoleFont::ParsePsf2(const std::string& data, const std::string& name) {
    const uint32_t headerSize = Le32(data, 8), flags = Le32(data, 12), count = Le32(data, 16),
                   glyphBytes = Le32(data, 20);
    FHeight = static_cast<int>(Le32(data, 24));
    FWidth = static_cast<int>(Le32(data, 28));
    if (FWidth <= 0 || FHeight <= 0 || FWidth > 64 || FHeight > 64 || count > 65536)
        throw EFontError(name + ": implausible glyph size or count");
    FRowBytes = (FWidth + 7) / 8;
    if (glyphBytes != static_cast<uint32_t>(FRowBytes * FHeight) || headerSize > data.size() ||
        (data.size() - headerSize) / glyphBytes < count)
        throw EFontError(name + ": glyphs cut short");
    size_t pos = headerSize;
    for (uint32_t i = 0; i < count; ++i, pos += glyphBytes)
        FGlyphs.push_back(data.substr(pos, glyphBytes));
    if ((flags & 1) == 0) return;
    // Unicode table in UTF-8: 0xFF ends a glyph's entry, 0xFE starts sequences.
    for (uint32_t glyph = 0; glyph < count; ++glyph) {
        bool sequence = false;
        for (;;) {
            if (pos >= data.size()) throw EFontError(name + ": Unicode table cut short");
            const auto byte = static_cast<uint8_t>(data[pos]);
            if (byte == 0xFF) {
                ++pos;
                break;
            }
            if (byte == 0xFE) {
                ++pos;
                sequence = true;
                continue;
            }
            const long code = NextUtf8(data, pos, data.size());
            if (code < 0) throw EFontError(name + ": damaged Unicode table");
            if (!sequence) FUnicode.emplace(static_cast<char32_t>(code), static_cast<int>(glyph));
        }
    }
}

int TConsoleFont::GlyphFor(char32_t code) const {
    if (FUnicode.empty()) return code < FGlyphs.size() ? static_cast<int>(code) : -1;
    const auto found = FUnicode.find(code);
    return found == FUnicode.end() ? -1 : found->second;
}

bool TConsoleFont::Pixel(int glyph, int x, int y) const {
    const auto byte = static_cast<uint8_t>(
        FGlyphs.at(static_cast<size_t>(glyph)).at(static_cast<size_t>(y * FRowBytes + x / 8)));
    return (byte >> (7 - x % 8)) & 1;
}

TConsoleFont LoadConsoleFont(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw EFontError("cannot read the console font " + path.string());
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    return TConsoleFont(bytes, path.string());
}

} // namespace mediagen
