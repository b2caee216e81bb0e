// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The textured GUI skin: wooden nine-slice frames and the check-box tick.
//
// The game cuts each 64 x 64 skin into 16 x 16 cells and uses the top-left 3 x 3 of them:
// corners are drawn as they are, the edge cells are stretched along their edge and the
// centre cell both ways. So every edge cell varies only across its edge (wood grain runs
// along it) and the centre cell is one colour; only the corner cells are shaped.
#include "canvas.h"
#include "farmscene.h"
#include "mediagen.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace mediagen {
namespace {

constexpr int SkinSize = 64, Cell = 16, FrameSize = 3 * Cell;

struct TRgba {
    double R, G, B, A;
};

TRgba FromHex(unsigned rgb, double alpha = 1) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

TRgba Shade(TRgba c, double factor) {
    return {std::clamp(c.R * factor, 0.0, 1.0), std::clamp(c.G * factor, 0.0, 1.0),
            std::clamp(c.B * factor, 0.0, 1.0), c.A};
}

TRgba Grey(TRgba c) {
    const double y = 0.3 * c.R + 0.59 * c.G + 0.11 * c.B;
    return {y, y, y, c.A};
}

// How a frame looks as a function of the distance (in texels) from its outer edge.
struct TFrameStyle {
    int Outline; // dark outer line
    int Band;    // wooden band up to here (grain along the edge)
    bool Inset;  // a light line after the band, then a dark one: a carved-in panel
    TRgba Edge, Wood, Light, Panel;
    double Radius; // rounded outer corners
    bool Greyed;
};

TRgba FrameColour(const TFrameStyle& style, int d) {
    if (d < style.Outline) return style.Edge;
    if (d < style.Band) {
        // Grain: lighter and darker stripes that run along the edge.
        const double grain = 1.0 + 0.07 * std::sin(d * 2.3) + 0.05 * std::sin(d * 5.1 + 1.0);
        return Shade(style.Wood, grain);
    }
    if (d == style.Band) return style.Light;
    if (d == style.Band + 1 && style.Inset) return Shade(style.Wood, 0.6);
    return style.Panel;
}

// Fraction of texel (x, y) inside the rounded outer outline of the 48 x 48 frame.
double Coverage(int x, int y, double radius) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
            const double cx = std::clamp(px, radius, FrameSize - radius);
            const double cy = std::clamp(py, radius, FrameSize - radius);
            if (std::hypot(px - cx, py - cy) <= radius) ++inside;
        }
    return inside / 16.0;
}

uint32_t Premultiplied(TRgba c) {
    const auto channel = [&](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v * c.A, 0.0, 1.0) * 255));
    };
    return channel(1) << 24 | channel(c.R) << 16 | channel(c.G) << 8 | channel(c.B);
}

std::string Frame(const TFrameStyle& given, const char* name) {
    TFrameStyle style = given;
    if (style.Greyed) {
        style.Edge = Grey(style.Edge);
        style.Wood = Grey(style.Wood);
        style.Light = Shade(Grey(style.Light), 0.8);
        style.Panel = Grey(style.Panel);
    }
    TCanvas canvas(SkinSize, SkinSize);
    for (int y = 0; y < FrameSize; ++y)
        for (int x = 0; x < FrameSize; ++x) {
            const int d = std::min({x, y, FrameSize - 1 - x, FrameSize - 1 - y});
            TRgba colour = FrameColour(style, d);
            colour.A *= Coverage(x, y, style.Radius);
            canvas.Plot(x, y, Premultiplied(colour));
        }
    return canvas.Png(name);
}

// White text goes on every panel (window labels too), so even the light wood is mid-toned.
const TFrameStyle WindowStyle{.Outline = 2,
                              .Band = 13,
                              .Inset = true,
                              .Edge = FromHex(colour::Ink),
                              .Wood = FromHex(0x7A5430),
                              .Light = FromHex(colour::Cream),
                              .Panel = FromHex(0xBC9060),
                              .Radius = 6,
                              .Greyed = false};
const TFrameStyle ControlStyle{.Outline = 2,
                               .Band = 4,
                               .Inset = true,
                               .Edge = FromHex(colour::Ink),
                               .Wood = FromHex(0x6E4A28),
                               .Light = FromHex(colour::Cream),
                               .Panel = FromHex(0x946A3E),
                               .Radius = 5,
                               .Greyed = false};
// The bar's frame has no panel: the fill drawn before it shows through.
const TFrameStyle BarStyle{.Outline = 2,
                           .Band = 4,
                           .Inset = false,
                           .Edge = FromHex(colour::Ink),
                           .Wood = FromHex(0x6E4A28),
                           .Light = FromHex(colour::Cream),
                           .Panel = FromHex(0x000000, 0),
                           .Radius = 5,
                           .Greyed = false};

std::string Tick() {
    TCanvas canvas(SkinSize, SkinSize);
    canvas.UseDesignSize(32, 32);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 7, 16);
    cairo_line_to(cr, 13.5, 23);
    cairo_line_to(cr, 25.5, 8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    SetHex(cr, 0x7ED957);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    return canvas.Png("interftick");
}

} // namespace

const std::vector<std::string>& SkinNames() {
    static const std::vector<std::string> names = {"interf3",  "interf3b", "interf4",
                                                   "interf4g", "interf6",  "interftick"};
    return names;
}

std::string SkinPicture(const std::string& name) {
    if (name == "interf3") return Frame(WindowStyle, "interf3");
    if (name == "interf3b") {
        TFrameStyle disabled = WindowStyle;
        disabled.Greyed = true;
        return Frame(disabled, "interf3b");
    }
    if (name == "interf4") return Frame(ControlStyle, "interf4");
    if (name == "interf4g") {
        TFrameStyle disabled = ControlStyle;
        disabled.Greyed = true;
        return Frame(disabled, "interf4g");
    }
    if (name == "interf6") return Frame(BarStyle, "interf6");
    if (name == "interftick") return Tick();
    throw EWriteError("no skin picture called " + name);
}

} // namespace mediagen
