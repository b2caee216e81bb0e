// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's icon at the desktop's usual sizes: a horned viking helmet on a grass disc.
#include "canvas.h"
#include "mediagen.h"

#include <cairo.h>

#include <cmath>
#include <string>

namespace mediagen {
namespace {

// One curved horn from the helmet's side, mirrored by side = -1.
void Horn(cairo_t* cr, double side, double outline) {
    cairo_save(cr);
    cairo_translate(cr, 128, 0);
    cairo_scale(cr, side, 1);
    cairo_move_to(cr, 66, 168);
    cairo_curve_to(cr, 112, 162, 126, 104, 104, 36);
    cairo_curve_to(cr, 98, 88, 84, 116, 58, 126);
    cairo_close_path(cr);
    cairo_restore(cr);
    FillOutlined(cr, 0xF2EBD9, outline);
}

// Draws the icon on a 256-unit design grid scaled to size pixels.
void DrawIcon(cairo_t* cr, int size) {
    const double scale = size / 256.0;
    // Thin outlines vanish at 16 px: keep them at least about one pixel wide.
    const double outline = std::max(8.0, 1.3 / scale);
    cairo_scale(cr, scale, scale);

    cairo_arc(cr, 128, 128, 118, 0, 2 * M_PI);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, 10, 0, 246);
    cairo_pattern_add_color_stop_rgb(grass, 0, 0xB2 / 255.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(grass, 0.55, 0xB2 / 255.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(grass, 0.56, 0x6D / 255.0, 0xBE / 255.0, 0x45 / 255.0);
    cairo_pattern_add_color_stop_rgb(grass, 1, 0x4E / 255.0, 0x9A / 255.0, 0x2F / 255.0);
    cairo_set_source(cr, grass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(grass);
    SetHex(cr, 0x2B2118);
    cairo_set_line_width(cr, outline);
    cairo_stroke(cr);

    Horn(cr, -1, outline);
    Horn(cr, 1, outline);
    // The dome, its rim band and the nose guard.
    cairo_arc(cr, 128, 170, 78, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillOutlined(cr, 0xB8BCC4, outline);
    cairo_rectangle(cr, 44, 160, 168, 30);
    FillOutlined(cr, 0x8C919A, outline);
    cairo_rectangle(cr, 118, 160, 20, 56);
    FillOutlined(cr, 0x8C919A, outline);
    // A highlight gives the dome its roundness at the larger sizes.
    cairo_arc(cr, 104, 128, 16, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_fill(cr);
}

std::string IconPng(int size) {
    const TCanvas canvas(size, size);
    DrawIcon(canvas.Cr(), size);
    return canvas.Png("the icon");
}

} // namespace

void GenerateIcons(const TOutput& out) {
    std::filesystem::create_directories(out.Path("icons"));
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        out.WriteBytes("icons/quelmark-" + std::to_string(size) + ".png", IconPng(size));
}

} // namespace mediagen
