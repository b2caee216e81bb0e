// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// PC screen fonts (PSF 1 and 2, gzip-compressed or not) as the Linux console ships them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace mediagen {

// A font file that is missing or damaged; the text names the file.
class EFontError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TConsoleFont {
public:
    // Parses the (possibly gzip-compressed) bytes of a PSF file; name appears in errors.
    TConsoleFont(const std::string& bytes, const std::string& name);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int GlyphCount() const { return static_cast<int>(FGlyphs.size()); }
    // The glyph drawn for a Unicode code point; -1 when the font has none. Fonts without
    // a Unicode table are taken to be in code page order (glyph n is code n).
    int GlyphFor(char32_t code) const;
    // Whether pixel (x, y) of glyph is set; x counts from the left, y from the top.
    bool Pixel(int glyph, int x, int y) const;

private:
    void ParsePsf1(const std::string& data, const std::string& name);
    void ParsePsf2(const std::string& data, const std::string& name);

    int FWidth = 0;
    int FHeight = 0;
    int FRowBytes = 0;
    std::vector<std::string> FGlyphs;
    std::map<char32_t, int> FUnicode;
};

// Reads and parses a font file.
TConsoleFont LoadConsoleFont(const std::filesystem::path& path);

} // namespace mediagen
