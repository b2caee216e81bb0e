// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas.h"

#include "mediagen.h"
#include "png/pngencoder.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace mediagen {
namespace {

double Channel(unsigned rgb, int shift) {
    return ((rgb >> shift) & 0xFF) / 255.0;
}

void DrawText(cairo_t* cr, std::string_view text, double x, double y, const TTextStyle& style) {
    const std::string copy(text);
    cairo_save(cr);
    SelectTextFont(cr, style.Size, style.Size);
    if (style.Shadow > 0) {
        cairo_move_to(cr, x + style.Shadow, y + style.Shadow);
        cairo_text_path(cr, copy.c_str());
        SetHex(cr, 0x000000, 0.35);
        cairo_set_line_width(cr, style.OutlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(cr);
        if (style.OutlineWidth > 0) cairo_stroke(cr);
        cairo_new_path(cr);
    }
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, copy.c_str());
    if (style.OutlineWidth > 0) {
        SetHex(cr, style.Outline);
        cairo_set_line_width(cr, style.OutlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetHex(cr, style.Fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace

void SelectTextFont(cairo_t* cr, double width, double height) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, width, height);
    cairo_set_font_matrix(cr, &matrix);
    // The same glyph shapes on every machine: no hinting, grey antialiasing.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void RequireTextFont() {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:bold"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* family = nullptr;
    int weight = 0;
    const bool found = match != nullptr &&
                       FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                       std::string(reinterpret_cast<const char*>(family)) == "DejaVu Sans" &&
                       FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
                       weight >= FC_WEIGHT_BOLD;
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    if (!found)
        throw std::runtime_error(
            "the font DejaVu Sans Bold is missing (Debian package fonts-dejavu-core)");
}

TCanvas::TCanvas(int width, int height)
    : FWidth(width), FHeight(height),
      FSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      FCr(cairo_create(FSurface)) {}

TCanvas::~TCanvas() {
    cairo_destroy(FCr);
    cairo_surface_destroy(FSurface);
}

void TCanvas::UseDesignSize(double designWidth, double designHeight) const {
    cairo_scale(FCr, FWidth / designWidth, FHeight / designHeight);
}

void TCanvas::Plot(int x, int y, uint32_t argb) {
    cairo_surface_flush(FSurface);
    unsigned char* row = cairo_image_surface_get_data(FSurface) +
                         static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(FSurface);
    reinterpret_cast<uint32_t*>(row)[x] = argb;
    cairo_surface_mark_dirty(FSurface);
}

std::string TCanvas::Png(std::string_view name) const {
    cairo_surface_flush(FSurface);
    const cairo_status_t status = cairo_status(FCr);
    if (status != CAIRO_STATUS_SUCCESS)
        throw EWriteError("cannot draw " + std::string(name) + ": " +
                          cairo_status_to_string(status));
    return EncodeArgbPng(cairo_image_surface_get_data(FSurface), FWidth, FHeight,
                         cairo_image_surface_get_stride(FSurface));
}

void SetHex(cairo_t* cr, unsigned rgb, double alpha) {
    cairo_set_source_rgba(cr, Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0), alpha);
}

void SetVerticalGradient(cairo_t* cr, double y0, unsigned top, double y1, unsigned bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(gradient, 0, Channel(top, 16), Channel(top, 8),
                                     Channel(top, 0));
    cairo_pattern_add_color_stop_rgb(gradient, 1, Channel(bottom, 16), Channel(bottom, 8),
                                     Channel(bottom, 0));
    cairo_set_source(cr, gradient);
    cairo_pattern_destroy(gradient);
}

void FillOutlined(cairo_t* cr, unsigned rgb, double outline, unsigned outlineRgb) {
    SetHex(cr, rgb);
    cairo_fill_preserve(cr);
    SetHex(cr, outlineRgb);
    cairo_set_line_width(cr, outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

double TextWidth(cairo_t* cr, std::string_view text, double size) {
    const std::string copy(text);
    cairo_save(cr);
    SelectTextFont(cr, size, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, copy.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void CentredText(cairo_t* cr, std::string_view text, double x, double y, const TTextStyle& style) {
    DrawText(cr, text, x - TextWidth(cr, text, style.Size) / 2, y, style);
}

void LeftText(cairo_t* cr, std::string_view text, double x, double y, const TTextStyle& style) {
    DrawText(cr, text, x, y, style);
}

} // namespace mediagen
