// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts/consolefont.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

using mediagen::EFontError;
using mediagen::TConsoleFont;

std::string Le16(unsigned value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(uint32_t value) {
    return Le16(value & 0xFFFF) + Le16(value >> 16);
}

// A PSF 1 font of 8-pixel rows: glyph g is filled with the byte g, except glyph 5, whose
// rows are 0x81 (the two edge columns).
std::string Psf1(int height, bool hasTable, const std::string& table = "") {
    std::string data = {0x36, 0x04, static_cast<char>(hasTable ? 2 : 0), static_cast<char>(height)};
    for (int glyph = 0; glyph < 256; ++glyph)
        data +=
            std::string(static_cast<size_t>(height), static_cast<char>(glyph == 5 ? 0x81 : glyph));
    return data + table;
}

// Unicode table entries of PSF 1: every glyph none, except the given ones.
std::string Psf1Table(const std::vector<std::pair<int, std::string>>& entries) {
    std::string table;
    for (int glyph = 0; glyph < 256; ++glyph) {
        for (const auto& [which, codes] : entries)
            if (which == glyph) table += codes;
        table += Le16(0xFFFF);
    }
    return table;
}

// A PSF 2 font of two glyphs, 10 x 12, rows of two bytes; glyph 1's row 3 sets column 9.
// The header may claim more glyphs than the two that follow it.
std::string Psf2(const std::string& table, uint32_t count = 2) {
    std::string data = Le32(0x864AB572) + Le32(0) + Le32(32) + Le32(table.empty() ? 0 : 1) +
                       Le32(count) + Le32(24) + Le32(12) + Le32(10);
    for (int glyph = 0; glyph < 2; ++glyph)
        for (int row = 0; row < 12; ++row)
            data += glyph == 1 && row == 3 ? std::string{0, 0x40} : std::string(2, '\0');
    return data + table;
}

std::string Gzip(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TEST(ConsoleFont, Psf1UnicodeTableNamesTheGlyphOfEachCode) {
    // Glyph 5 is "A" and e acute; glyph 7 is "C" and, as a sequence, "B" + combining mark.
    const std::string table = Psf1Table(
        {{5, Le16('A') + Le16(0xE9)}, {7, Le16('C') + Le16(0xFFFE) + Le16('B') + Le16(0x301)}});
    const TConsoleFont font(Psf1(8, true, table), "test.psf");
    EXPECT_EQ(font.Width(), 8);
    EXPECT_EQ(font.Height(), 8);
    EXPECT_EQ(font.GlyphCount(), 256);
    EXPECT_EQ(font.GlyphFor('A'), 5);
    EXPECT_EQ(font.GlyphFor(0xE9), 5);
    EXPECT_EQ(font.GlyphFor('C'), 7);
    EXPECT_EQ(font.GlyphFor('B'), -1);
    EXPECT_EQ(font.GlyphFor(65 + 1), -1);
    // Bit 7 is the leftmost column.
    EXPECT_TRUE(font.Pixel(5, 0, 0));
    EXPECT_FALSE(font.Pixel(5, 1, 0));
    EXPECT_TRUE(font.Pixel(5, 7, 7));
}

TEST(ConsoleFont, WithoutATableGlyphsAreInCodePageOrder) {
    std::string data = Psf1(14, false);
    const TConsoleFont font(data, "plain.psf");
    EXPECT_EQ(font.Height(), 14);
    EXPECT_EQ(font.GlyphFor('A'), 'A');
    EXPECT_EQ(font.GlyphFor(256), -1);
    // Mode bit 0: 512 glyphs.
    data[2] = 1;
    data += std::string(256 * 14, '\0');
    EXPECT_EQ(TConsoleFont(data, "wide.psf").GlyphCount(), 512);
}

TEST(ConsoleFont, Psf2ReadsWideRowsAndUtf8Table) {
    // Glyph 0: "x"; glyph 1: the left arrow (three UTF-8 bytes) and e acute (two).
    const std::string table = "x\xFF\xE2\x86\x90\xC3\xA9\xFE"
                              "ab\xFF";
    const TConsoleFont font(Psf2(table), "test.psfu");
    EXPECT_EQ(font.Width(), 10);
    EXPECT_EQ(font.Height(), 12);
    EXPECT_EQ(font.GlyphFor('x'), 0);
    EXPECT_EQ(font.GlyphFor(0x2190), 1);
    EXPECT_EQ(font.GlyphFor(0xE9), 1);
    EXPECT_EQ(font.GlyphFor('a'), -1);
    EXPECT_TRUE(font.Pixel(1, 9, 3));
    EXPECT_FALSE(font.Pixel(1, 8, 3));
    EXPECT_FALSE(font.Pixel(0, 9, 3));
}

TEST(ConsoleFont, GzipCompressedFilesReadAsPlainOnes) {
    const std::string plain = Psf1(8, true, Psf1Table({{5, Le16('A')}}));
    const TConsoleFont font(Gzip(plain), "test.psf.gz");
    EXPECT_EQ(font.GlyphFor('A'), 5);
    EXPECT_TRUE(font.Pixel(5, 0, 3));
}

struct TBadFont {
    const char* Case;
    std::string Bytes;
    const char* Reason;
};
void PrintTo(const TBadFont& bad, std::ostream* out) {
    *out << bad.Case;
}

class BadConsoleFont : public ::testing::TestWithParam<TBadFont> {};

TEST_P(BadConsoleFont, IsRefusedWithTheFileNameAndReason) {
    try {
        TConsoleFont(GetParam().Bytes, "bad.psf");
        FAIL() << "accepted";
    } catch (const EFontError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("bad.psf: ") + GetParam().Reason);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Every, BadConsoleFont,
    ::testing::Values(
        TBadFont{"Empty", "", "not a PC screen font"},
        TBadFont{"OtherMagic", "\x89PNG\r\n\x1a\n", "not a PC screen font"},
        TBadFont{"Psf1CutShort", Psf1(8, false).substr(0, 1000), "glyphs cut short"},
        TBadFont{"Psf1ZeroHeight", Psf1(0, false), "glyphs cut short"},
        TBadFont{"Psf1TableCutShort", Psf1(8, true, Le16('A')), "Unicode table cut short"},
        TBadFont{"Psf2CutShort", Psf2("").substr(0, 60), "glyphs cut short"},
        TBadFont{"Psf2Huge", Psf2("", 100000000), "implausible glyph size or count"},
        TBadFont{"Psf2TableCutShort", Psf2("x\xFF"), "Unicode table cut short"},
        TBadFont{"Psf2BadUtf8", Psf2("\x80\xFF\xFF"), "damaged Unicode table"},
        TBadFont{"DamagedGzip", Gzip(Psf1(8, false)).substr(0, 40), "damaged gzip data"}),
    [](const auto& info) { return std::string(info.param.Case); });

TEST(ConsoleFont, MissingFileIsNamed) {
    EXPECT_THROW(
        {
            try {
                mediagen::LoadConsoleFont("/nonexistent/font.psf");
            } catch (const EFontError& error) {
                EXPECT_NE(std::string(error.what()).find("/nonexistent/font.psf"),
                          std::string::npos);
                throw;
            }
        },
        EFontError);
}

} // namespace
