// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// HUD pictures: icons, the ground tile, the bitmap font and the large digits.
#include "canvas.h"
#include "farmscene.h"
#include "pictures.h"

#include <cmath>
#include <string>

namespace mediagen {
namespace {

// Icons are drawn on a 32-unit grid at twice the size, so the game's 32 x 32 quads
// average 2 x 2 texels: a 2-unit outline is 2 screen pixels.
constexpr int IconSize = 64;
constexpr double IconOutline = 2.0;

} // namespace

std::string HeartIcon() {
    TCanvas canvas(IconSize, IconSize);
    canvas.UseDesignSize(32, 32);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 16, 28.5);
    cairo_curve_to(cr, 6, 21, 2.5, 15.5, 2.5, 10.5);
    cairo_curve_to(cr, 2.5, 3, 12, 1.5, 16, 8);
    cairo_curve_to(cr, 20, 1.5, 29.5, 3, 29.5, 10.5);
    cairo_curve_to(cr, 29.5, 15.5, 26, 21, 16, 28.5);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 3, 0xF4604A, 28, 0xC8281E);
    cairo_fill_preserve(cr);
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, IconOutline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    Ellipse(cr, 9, 9.5, 3, 2);
    SetHex(cr, 0xFFFFFF, 0.7);
    cairo_fill(cr);
    return canvas.Png("heart");
}

std::string SheepIcon() {
    TCanvas canvas(IconSize, IconSize);
    canvas.UseDesignSize(32, 32);
    cairo_t* cr = canvas.Cr();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const double x : {9.0, 13.5, 18.5}) {
        cairo_rectangle(cr, x, 20, 3, 9);
        FillOutlined(cr, colour::SheepFace, IconOutline, colour::Ink);
    }
    // Fleece: puffs around an oval, outlined once around the outside.
    cairo_new_path(cr);
    Ellipse(cr, 13.5, 16, 10, 6.5);
    const double puffs[][2] = {{5, 15},  {7, 10.5},  {12, 8.5}, {17, 8.5}, {21.5, 11},
                               {22, 17}, {18, 21.5}, {12, 22},  {6.5, 20}};
    for (const auto& p : puffs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, p[0], p[1], 3.6, 0, 2 * M_PI);
    }
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, 2 * IconOutline);
    cairo_stroke_preserve(cr);
    SetHex(cr, colour::Fleece);
    cairo_fill(cr);
    // Head.
    Ellipse(cr, 25, 13, 4.5, 5.5);
    FillOutlined(cr, colour::SheepFace, IconOutline, colour::Ink);
    Ellipse(cr, 21.5, 10, 2.8, 1.6);
    FillOutlined(cr, colour::SheepFace, 1, colour::Ink);
    cairo_arc(cr, 26.3, 12, 1.2, 0, 2 * M_PI);
    SetHex(cr, 0xFFFFFF);
    cairo_fill(cr);
    return canvas.Png("sheep");
}

std::string PointIcon() {
    TCanvas canvas(IconSize, IconSize);
    canvas.UseDesignSize(32, 32);
    cairo_t* cr = canvas.Cr();
    // A gold star.
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? 14.5 : 6.5;
        const double x = 16 + r * std::cos(a), y = 17 + r * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    SetVerticalGradient(cr, 3, 0xFFE36E, 30, 0xF0A818);
    cairo_fill_preserve(cr);
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, IconOutline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, 16, 8);
    cairo_line_to(cr, 13.5, 14);
    cairo_line_to(cr, 16, 14.5);
    cairo_close_path(cr);
    SetHex(cr, 0xFFFFFF, 0.6);
    cairo_fill(cr);
    return canvas.Png("point");
}

std::string GrassTile() {
    constexpr int size = 256;
    TCanvas canvas(size, size);
    cairo_t* cr = canvas.Cr();
    SetHex(cr, colour::Grass);
    cairo_paint(cr);
    TScatter scatter(2024);
    const auto next = [&scatter] { return scatter.Next(); };
    // Everything is drawn at its place and at the eight neighbouring tile positions,
    // so what leaves one edge comes back in at the opposite one.
    const auto wrapped = [&](auto draw) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                cairo_save(cr);
                cairo_translate(cr, dx * size, dy * size);
                draw();
                cairo_restore(cr);
            }
    };
    // Soft light and dark patches.
    for (int i = 0; i < 26; ++i) {
        const double x = next() * size, y = next() * size, r = 14 + next() * 30;
        const bool light = next() < 0.5;
        wrapped([&] {
            cairo_pattern_t* patch = cairo_pattern_create_radial(x, y, 0, x, y, r);
            const double g = light ? 1.0 : 0.0;
            cairo_pattern_add_color_stop_rgba(patch, 0, light ? 0.55 : 0.25, light ? 0.82 : 0.5,
                                              light ? 0.35 : 0.15, 0.35 * g + 0.25 * (1 - g));
            cairo_pattern_add_color_stop_rgba(patch, 1, 0.4, 0.7, 0.3, 0);
            cairo_set_source(cr, patch);
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(patch);
        });
    }
    // Tufts of blades, dark and light.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 150; ++i) {
        const double x = next() * size, y = next() * size, h = 5 + next() * 7;
        const bool light = next() < 0.3;
        const double lean = (next() - 0.5) * 4;
        wrapped([&] {
            SetHex(cr, light ? 0x8ED65E : colour::GrassDark, light ? 0.8 : 0.9);
            cairo_set_line_width(cr, 1.6);
            for (int blade = -1; blade <= 1; ++blade) {
                cairo_move_to(cr, x + blade * 1.5, y);
                cairo_curve_to(cr, x + blade * 2, y - h * 0.5, x + blade * 3 + lean,
                               y - h * (blade == 0 ? 1.0 : 0.75), x + blade * 3.5 + lean,
                               y - h * (blade == 0 ? 1.1 : 0.8));
            }
            cairo_stroke(cr);
        });
    }
    // A few clover flowers: big and soft, since the far tiles shrink to a few pixels
    // (no mipmaps) and tiny bright specks would twinkle as the camera moves.
    for (int i = 0; i < 4; ++i) {
        const double x = next() * size, y = next() * size;
        wrapped([&] {
            for (int p = 0; p < 5; ++p) {
                const double a = p * 2 * M_PI / 5;
                cairo_arc(cr, x + 3.4 * std::cos(a), y + 3.4 * std::sin(a), 2.8, 0, 2 * M_PI);
                SetHex(cr, 0xEAF5D8, 0.85);
                cairo_fill(cr);
            }
            cairo_arc(cr, x, y, 2, 0, 2 * M_PI);
            SetHex(cr, 0xF2C94C);
            cairo_fill(cr);
        });
    }
    return canvas.Png("tile1");
}

std::string FontPicture(const TConsoleFont& font) {
    constexpr int size = 128, cell = 8;
    TCanvas canvas(size, size);
    // Codes 32..159 sit from half-way down; the game's texture repeat wraps codes 160..255
    // (Latin-1 letters typed into names) past the bottom edge into rows 0..5.
    for (int code = 32; code < 256; ++code) {
        const int glyph = font.GlyphFor(static_cast<char32_t>(code));
        if (glyph < 0) continue;
        const int c = code - 32;
        const int left = (c % 16) * cell, top = ((c / 16) * cell + size / 2) % size;
        for (int y = 0; y < std::min(cell, font.Height()); ++y)
            for (int x = 0; x < std::min(cell, font.Width()); ++x)
                if (font.Pixel(glyph, x, y)) canvas.Plot(left + x, top + y, 0xFFFFFFFFu);
    }
    return canvas.Png("font");
}

std::string NumbersPicture() {
    constexpr int cellWidth = 32, cellHeight = 64;
    TCanvas canvas(256, 256);
    cairo_t* cr = canvas.Cr();
    // Narrowed so a bold digit with its outline fits the tall cell.
    SelectTextFont(cr, 42, 66);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int digit = 0; digit < 10; ++digit) {
        const char text[2] = {static_cast<char>('0' + digit), 0};
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text, &extents);
        const double left = (digit % 8) * cellWidth, top = (digit / 8) * cellHeight;
        const double x = left + (cellWidth - extents.width) / 2 - extents.x_bearing;
        const double y = top + (cellHeight - extents.height) / 2 - extents.y_bearing;
        cairo_move_to(cr, x, y);
        cairo_text_path(cr, text);
        SetHex(cr, colour::Ink);
        cairo_set_line_width(cr, 4.5);
        cairo_stroke_preserve(cr);
        SetHex(cr, 0xFFFFFF);
        cairo_fill(cr);
    }
    return canvas.Png("numbers");
}

} // namespace mediagen
