// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Cairo drawing helpers shared by the generated pictures: canvases, colours, outlined text.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace mediagen {

// An ARGB image surface with its drawing context, encoded to PNG when done.
class TCanvas {
public:
    TCanvas(int width, int height);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    cairo_t* Cr() const { return FCr; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Scales drawing so that a designWidth x designHeight layout fills the canvas: the
    // full-window pictures are laid out in window pixels and stretched back by the game.
    void UseDesignSize(double designWidth, double designHeight) const;
    // Writes one pixel directly (premultiplied 0xAARRGGBB), for pixel-exact pictures.
    void Plot(int x, int y, uint32_t argb);
    // The finished picture as PNG bytes; name appears in the error text.
    std::string Png(std::string_view name) const;

private:
    int FWidth;
    int FHeight;
    cairo_surface_t* FSurface;
    cairo_t* FCr;
};

// 0xRRGGBB as the current source.
void SetHex(cairo_t* cr, unsigned rgb, double alpha = 1.0);
// A linear gradient between two 0xRRGGBB colours as the current source.
void SetVerticalGradient(cairo_t* cr, double y0, unsigned top, double y1, unsigned bottom);
// Fills the current path, then strokes it with a dark outline of the given width.
void FillOutlined(cairo_t* cr, unsigned rgb, double outline, unsigned outlineRgb = 0x2B2118);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Throws unless fontconfig finds DejaVu Sans Bold: a stand-in font would change the pictures.
void RequireTextFont();

// DejaVu Sans Bold at the given em width and height, unhinted.
void SelectTextFont(cairo_t* cr, double width, double height);

// Text in DejaVu Sans Bold.
struct TTextStyle {
    double Size = 20;
    unsigned Fill = 0xFFFFFF;
    unsigned Outline = 0x2B2118;
    double OutlineWidth = 0; // 0: no outline
    double Shadow = 0;       // offset of a soft dark drop shadow; 0: none
};
// Width of the text's ink in user units.
double TextWidth(cairo_t* cr, std::string_view text, double size);
// Draws text with its baseline at y, horizontally centred on x.
void CentredText(cairo_t* cr, std::string_view text, double x, double y, const TTextStyle& style);
// Draws text with its baseline at y, starting at x.
void LeftText(cairo_t* cr, std::string_view text, double x, double y, const TTextStyle& style);

} // namespace mediagen
