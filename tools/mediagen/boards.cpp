// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The wooden boards, signs and keycaps the screens' pictures are built from.
#include "boards.h"

#include "canvas.h"
#include "farmscene.h"

namespace mediagen {

TTextStyle Outlined(double size, unsigned fill, double outlineWidth, unsigned outline,
                    double shadow) {
    TTextStyle style;
    style.Size = size;
    style.Fill = fill;
    style.OutlineWidth = outlineWidth;
    style.Outline = outline;
    style.Shadow = shadow;
    return style;
}

void KeyCap(cairo_t* cr, double x, double y, double w, const char* label, double size, double h) {
    const double r = h * 7 / 34;
    RoundedRect(cr, x, y + h * 3 / 34, w, h, r);
    SetHex(cr, 0x8C8372);
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, r);
    SetVerticalGradient(cr, y, 0xFFFDF6, y + h, 0xE4DCC8);
    cairo_fill_preserve(cr);
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, h < 30 ? 1.5 : 2);
    cairo_stroke(cr);
    TTextStyle style;
    style.Size = size;
    style.Fill = colour::Ink;
    CentredText(cr, label, x + w / 2, y + h / 2 + size * 0.36, style);
}

void WoodPanel(cairo_t* cr, double x, double y, double w, double h, double r, unsigned bottom,
               double frame) {
    RoundedRect(cr, x, y, w, h, r);
    SetVerticalGradient(cr, y, 0xB88A5A, y + h, bottom);
    cairo_fill_preserve(cr);
    SetHex(cr, colour::WoodDeep);
    cairo_set_line_width(cr, frame);
    cairo_stroke(cr);
}

void Board(cairo_t* cr, double x, double y, double w, double h, double r) {
    RoundedRect(cr, x + 4, y + 6, w, h, r);
    SetHex(cr, 0x000000, 0.25);
    cairo_fill(cr);
    WoodPanel(cr, x, y, w, h, r, 0x9A6E42, 4);
    // Plank seams and grain.
    cairo_save(cr);
    RoundedRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    SetHex(cr, 0x7A5430, 0.45);
    cairo_set_line_width(cr, 1.5);
    for (double seam = y + 34; seam < y + h - 8; seam += 34) {
        cairo_move_to(cr, x, seam);
        cairo_line_to(cr, x + w, seam);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void SignBoard(cairo_t* cr, double x, double y, double w, double h) {
    RoundedRect(cr, x + 2, y + 2, w, h, 10);
    SetHex(cr, 0x000000, 0.3);
    cairo_fill(cr);
    WoodPanel(cr, x, y, w, h, 10, 0x94683E, 3);
}

void ParchmentPlate(cairo_t* cr, double x, double y, double w, double h, double r) {
    RoundedRect(cr, x, y, w, h, r);
    SetHex(cr, colour::Parchment);
    cairo_fill_preserve(cr);
    SetHex(cr, colour::WoodDeep);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

} // namespace mediagen
