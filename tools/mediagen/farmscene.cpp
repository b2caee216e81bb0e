// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "farmscene.h"

#include "canvas.h"

#include <cmath>

namespace mediagen {
namespace {

// Fills the current path with a darker rim: stroked twice as wide, then filled on top,
// so only the outer half of the stroke shows.
void FillWithRim(cairo_t* cr, unsigned fill, unsigned rim, double rimWidth) {
    SetHex(cr, rim);
    cairo_set_line_width(cr, 2 * rimWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetHex(cr, fill);
    cairo_fill(cr);
}

// Cloud-like fleece: a ring of puffs around an ellipse.
void FleecePath(cairo_t* cr, double cx, double cy, double rx, double ry, double puff) {
    Ellipse(cr, cx, cy, rx, ry);
    const int puffs = 11;
    for (int i = 0; i < puffs; ++i) {
        const double a = 2 * M_PI * i / puffs;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + rx * std::cos(a), cy + ry * std::sin(a), puff, 0, 2 * M_PI);
    }
}

// A spiral ram's horn around (cx, cy), drawn as a thick tapering stroke.
void CurledHorn(cairo_t* cr, double cx, double cy, double radius) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        const double steps = 40;
        double lastX = cx, lastY = cy;
        for (int i = 0; i <= steps; ++i) {
            const double t = i / steps;
            const double a = -M_PI / 2 + t * 1.75 * 2 * M_PI;
            const double r = radius * (1.0 - 0.72 * t);
            const double x = cx + r * std::cos(a) * 0.95, y = cy + r * std::sin(a);
            if (i > 0) {
                const double width = radius * (0.62 - 0.42 * t);
                cairo_move_to(cr, lastX, lastY);
                cairo_line_to(cr, x, y);
                cairo_set_line_width(cr, pass == 0 ? width + 3 : width);
                SetHex(cr, pass == 0 ? 0x8C7A56 : colour::Horn);
                cairo_stroke(cr);
            }
            lastX = x;
            lastY = y;
        }
    }
}

void Legs(cairo_t* cr, unsigned colour) {
    for (const double x : {-32.0, -16.0, 16.0, 30.0}) {
        RoundedRect(cr, x - 5, -34, 10, 34, 4);
        SetHex(cr, colour);
        cairo_fill(cr);
    }
}

void Eye(cairo_t* cr, double x, double y, double r) {
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetHex(cr, 0xFFFFFF);
    cairo_fill(cr);
    cairo_arc(cr, x + r * 0.3, y, r * 0.55, 0, 2 * M_PI);
    SetHex(cr, 0x111111);
    cairo_fill(cr);
}

// Sheep and ram share the body; the head differs. Drawn facing right on a 100-unit grid.
void WoollyBody(cairo_t* cr, unsigned fleece, unsigned rim, unsigned legs) {
    Legs(cr, legs);
    FleecePath(cr, 0, -50, 40, 20, 15);
    FillWithRim(cr, fleece, rim, 2.5);
    // A soft highlight on the back gives the fleece some roundness.
    cairo_pattern_t* light = cairo_pattern_create_radial(-10, -68, 2, -10, -68, 40);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(light, 1, 1, 1, 1, 0);
    cairo_set_source(cr, light);
    Ellipse(cr, -8, -60, 42, 24);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
}

void Begin(cairo_t* cr, double x, double y, double scale, double facing) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale * facing, scale);
}

} // namespace

void DrawGroundShadow(cairo_t* cr, double x, double groundY, double rx) {
    Ellipse(cr, x, groundY, rx, rx * 0.16);
    SetHex(cr, 0x000000, 0.18);
    cairo_fill(cr);
}

void DrawSky(cairo_t* cr, double width, double y0, double y1) {
    cairo_rectangle(cr, 0, y0, width, y1 - y0);
    SetVerticalGradient(cr, y0, colour::SkyHigh, y1, 0xE8FFF8);
    cairo_fill(cr);
}

void DrawSun(cairo_t* cr, double cx, double cy, double radius) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, radius, cx, cy, radius * 2.6);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.6, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.95, 0.6, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, radius * 2.6, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    SetHex(cr, 0xFFE873);
    cairo_fill(cr);
}

void DrawCloud(cairo_t* cr, double cx, double cy, double size, unsigned rgb) {
    cairo_new_path(cr);
    const double puffs[][3] = {{-0.9, 0.15, 0.45},
                               {-0.35, -0.2, 0.6},
                               {0.3, -0.3, 0.7},
                               {0.9, 0.05, 0.5},
                               {0.0, 0.2, 0.55}};
    for (const auto& p : puffs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + p[0] * size, cy + p[1] * size, p[2] * size, 0, 2 * M_PI);
    }
    SetHex(cr, rgb, 0.92);
    cairo_fill(cr);
}

void DrawHills(cairo_t* cr, double width, double horizonY, double bottom) {
    // Far hills first (paler), then nearer ones.
    const struct {
        double Lift, Amp, Freq, Phase;
        unsigned Top, Bottom;
    } layers[] = {{30, 22, 2.1, 0.4, 0x9BD77A, 0x86C965}, {8, 16, 3.3, 2.0, 0x7DCB55, 0x6DBE45}};
    for (const auto& layer : layers) {
        cairo_move_to(cr, 0, bottom);
        for (int i = 0; i <= 64; ++i) {
            const double x = width * i / 64.0;
            const double u = x / width * 2 * M_PI;
            const double y = horizonY - layer.Lift -
                             layer.Amp * std::sin(layer.Freq * u + layer.Phase) -
                             layer.Amp * 0.4 * std::sin(2.7 * layer.Freq * u + 1.3 * layer.Phase);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, width, bottom);
        cairo_close_path(cr);
        SetVerticalGradient(cr, horizonY - layer.Lift - layer.Amp, layer.Top, bottom, layer.Bottom);
        cairo_fill(cr);
    }
}

void DrawMeadow(cairo_t* cr, double width, double y0, double y1) {
    cairo_rectangle(cr, 0, y0, width, y1 - y0);
    SetVerticalGradient(cr, y0, colour::Grass, y1, 0x5DAE3A);
    cairo_fill(cr);
    // Tufts in a fixed scatter: a few short blades each.
    SetHex(cr, colour::GrassDark);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    TScatter scatter(12345);
    const int tufts = static_cast<int>(width * (y1 - y0) / 900);
    for (int i = 0; i < tufts; ++i) {
        const double x = scatter.Next() * width, y = y0 + 6 + scatter.Next() * (y1 - y0 - 6);
        const double h = 4 + 6 * (y - y0) / (y1 - y0);
        for (int blade = -1; blade <= 1; ++blade) {
            cairo_move_to(cr, x + blade * 2, y);
            cairo_line_to(cr, x + blade * 3.5, y - h * (blade == 0 ? 1.2 : 0.85));
        }
        cairo_stroke(cr);
    }
    // Flowers, larger nearer the front.
    const unsigned petals[] = {0xFFFFFF, 0xFFE066, 0xF7A8C4, 0xC9B3F2};
    const int flowers = static_cast<int>(width * (y1 - y0) / 2500);
    for (int i = 0; i < flowers; ++i) {
        const double x = scatter.Next() * width, y = y0 + 10 + scatter.Next() * (y1 - y0 - 10);
        const double r = 1.6 + 1.6 * (y - y0) / (y1 - y0);
        const unsigned petal = petals[static_cast<int>(scatter.Next() * 3.99)];
        for (int p = 0; p < 5; ++p) {
            const double a = p * 2 * M_PI / 5;
            cairo_arc(cr, x + 1.3 * r * std::cos(a), y + 1.3 * r * std::sin(a), r, 0, 2 * M_PI);
            SetHex(cr, petal);
            cairo_fill(cr);
        }
        cairo_arc(cr, x, y, r * 0.8, 0, 2 * M_PI);
        SetHex(cr, petal == 0xFFE066 ? 0xE08A1E : 0xF2C94C);
        cairo_fill(cr);
    }
}

void DrawFence(cairo_t* cr, double x0, double x1, double groundY, double height, double spacing) {
    const double post = height * 0.16;
    for (const double rail : {0.35, 0.72}) {
        cairo_rectangle(cr, x0, groundY - height * rail - post * 0.35, x1 - x0, post * 0.7);
        FillOutlined(cr, colour::Wood, 1.2, colour::WoodDeep);
    }
    for (double x = x0; x <= x1 + 0.1; x += spacing) {
        cairo_move_to(cr, x - post / 2, groundY);
        cairo_line_to(cr, x - post / 2, groundY - height);
        cairo_line_to(cr, x, groundY - height - post * 0.6);
        cairo_line_to(cr, x + post / 2, groundY - height);
        cairo_line_to(cr, x + post / 2, groundY);
        cairo_close_path(cr);
        FillOutlined(cr, colour::WoodDark, 1.2, colour::WoodDeep);
    }
}

void DrawTree(cairo_t* cr, double x, double groundY, double size) {
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_scale(cr, size / 100, size / 100);
    DrawGroundShadow(cr, 0, 0, 45);
    cairo_move_to(cr, -10, 0);
    cairo_line_to(cr, -7, -70);
    cairo_line_to(cr, 7, -70);
    cairo_line_to(cr, 10, 0);
    cairo_close_path(cr);
    FillOutlined(cr, colour::Trunk, 2, 0x4A3320);
    const double blobs[][3] = {{-26, -82, 28}, {24, -84, 28}, {0, -112, 34}, {-4, -78, 30}};
    cairo_new_path(cr);
    for (const auto& b : blobs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, b[0], b[1], b[2], 0, 2 * M_PI);
    }
    cairo_path_t* crown = cairo_copy_path(cr);
    FillWithRim(cr, colour::Crown, 0x22692C, 2);
    // Sunlit side of the crown, kept inside it.
    cairo_save(cr);
    cairo_append_path(cr, crown);
    cairo_clip(cr);
    cairo_path_destroy(crown);
    cairo_pattern_t* light = cairo_pattern_create_radial(-14, -118, 4, -14, -118, 46);
    cairo_pattern_add_color_stop_rgba(light, 0, 0x3F / 255.0, 0xA3 / 255.0, 0x4D / 255.0, 1);
    cairo_pattern_add_color_stop_rgba(light, 1, 0x3F / 255.0, 0xA3 / 255.0, 0x4D / 255.0, 0);
    cairo_set_source(cr, light);
    cairo_arc(cr, -10, -108, 40, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    cairo_restore(cr);
    cairo_restore(cr);
}

void DrawSheep(cairo_t* cr, double x, double groundY, double size, double facing) {
    Begin(cr, x, groundY, size / 100, facing);
    DrawGroundShadow(cr, 0, 0, 50);
    WoollyBody(cr, colour::Fleece, 0xC9C2B0, colour::SheepFace);
    // Head: a dark face with a woolly cap and a drooping ear.
    cairo_save(cr);
    cairo_translate(cr, 44, -60);
    cairo_rotate(cr, 0.45);
    Ellipse(cr, 0, 4, 12, 17);
    SetHex(cr, colour::SheepFace);
    cairo_fill(cr);
    cairo_restore(cr);
    Ellipse(cr, 34, -68, 10, 4.5);
    SetHex(cr, 0x2A2A2A);
    cairo_fill(cr);
    FleecePath(cr, 40, -74, 5, 3, 6);
    FillWithRim(cr, colour::Fleece, 0xC9C2B0, 1.5);
    Eye(cr, 48, -62, 3.6);
    cairo_restore(cr);
}

void DrawRam(cairo_t* cr, double x, double groundY, double size, double facing) {
    Begin(cr, x, groundY, size / 100, facing);
    DrawGroundShadow(cr, 0, 0, 52);
    WoollyBody(cr, colour::RamFleece, 0x564A3D, 0x2E2A26);
    // The horn curls beside the head; the long face juts out in front of it.
    CurledHorn(cr, 34, -66, 17);
    cairo_save(cr);
    cairo_translate(cr, 54, -54);
    cairo_rotate(cr, 0.55);
    Ellipse(cr, 0, 4, 12, 20);
    SetHex(cr, 0x4A3F35);
    cairo_fill(cr);
    cairo_restore(cr);
    // Angry brow over the eye.
    Eye(cr, 56, -60, 3.6);
    cairo_move_to(cr, 50, -67);
    cairo_line_to(cr, 62, -62);
    SetHex(cr, 0x1E1A16);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawHelmet(cairo_t* cr, double x, double y, double size) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 100, size / 100);
    for (const double side : {-1.0, 1.0}) {
        cairo_save(cr);
        cairo_scale(cr, side, 1);
        cairo_move_to(cr, 26, 6);
        cairo_curve_to(cr, 48, 4, 56, -22, 46, -48);
        cairo_curve_to(cr, 42, -26, 34, -12, 22, -8);
        cairo_close_path(cr);
        cairo_restore(cr);
        FillOutlined(cr, colour::HelmetHorn, 2.5, 0x6E675A);
    }
    cairo_arc(cr, 0, 10, 32, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillOutlined(cr, colour::Helmet, 2.5, 0x5C616B);
    cairo_rectangle(cr, -35, 4, 70, 10);
    FillOutlined(cr, 0x8C919A, 2.5, 0x5C616B);
    cairo_arc(cr, -11, -8, 7, 0, 2 * M_PI);
    SetHex(cr, 0xFFFFFF, 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawViking(cairo_t* cr, double x, double groundY, double size) {
    cairo_save(cr);
    cairo_translate(cr, x, groundY);
    cairo_scale(cr, size / 100, size / 100);
    DrawGroundShadow(cr, 0, 0, 42);
    const unsigned rim = 0x2B2118;
    // Boots and legs.
    for (const double side : {-1.0, 1.0}) {
        RoundedRect(cr, side * 14 - 8, -46, 16, 36, 3);
        FillOutlined(cr, 0x6B4A2B, 2, rim);
        RoundedRect(cr, side * 14 - 10 + side * 2, -14, 22, 14, 5);
        FillOutlined(cr, 0x3B2A1A, 2, rim);
    }
    // Left arm hanging down (the figure's right, our left).
    RoundedRect(cr, -46, -104, 16, 46, 7);
    FillOutlined(cr, colour::Tunic, 2, rim);
    cairo_arc(cr, -38, -56, 8, 0, 2 * M_PI);
    FillOutlined(cr, colour::Skin, 2, rim);
    // Tunic with belt and buckle.
    cairo_move_to(cr, -30, -110);
    cairo_line_to(cr, 30, -110);
    cairo_line_to(cr, 38, -40);
    cairo_line_to(cr, -38, -40);
    cairo_close_path(cr);
    FillOutlined(cr, colour::Tunic, 2, rim);
    cairo_rectangle(cr, -34, -72, 68, 11);
    FillOutlined(cr, colour::Belt, 2, rim);
    cairo_rectangle(cr, -7, -73, 14, 13);
    FillOutlined(cr, 0xE0B84A, 2, rim);
    // Axe held high in the right hand.
    cairo_save(cr);
    cairo_translate(cr, 46, -92);
    cairo_rotate(cr, 0.25);
    RoundedRect(cr, -4, -98, 8, 112, 3);
    FillOutlined(cr, colour::Haft, 2, rim);
    cairo_move_to(cr, 2, -92);
    cairo_curve_to(cr, 22, -100, 36, -96, 40, -84);
    cairo_curve_to(cr, 34, -70, 36, -58, 40, -48);
    cairo_curve_to(cr, 30, -42, 18, -46, 2, -56);
    cairo_close_path(cr);
    FillOutlined(cr, colour::AxeHead, 2, 0x555A60);
    cairo_restore(cr);
    // Raised right arm.
    cairo_move_to(cr, 24, -104);
    cairo_line_to(cr, 50, -98);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetHex(cr, rim);
    cairo_set_line_width(cr, 19);
    cairo_stroke_preserve(cr);
    SetHex(cr, colour::Tunic);
    cairo_set_line_width(cr, 15);
    cairo_stroke(cr);
    cairo_arc(cr, 50, -98, 8, 0, 2 * M_PI);
    FillOutlined(cr, colour::Skin, 2, rim);
    // Head, beard, face and helmet.
    cairo_arc(cr, 0, -134, 24, 0, 2 * M_PI);
    FillOutlined(cr, colour::Skin, 2, rim);
    cairo_move_to(cr, -24, -136);
    cairo_curve_to(cr, -26, -108, -14, -94, 0, -88);
    cairo_curve_to(cr, 14, -94, 26, -108, 24, -136);
    cairo_curve_to(cr, 14, -122, -14, -122, -24, -136);
    cairo_close_path(cr);
    FillOutlined(cr, colour::Beard, 2, rim);
    for (const double side : {-1.0, 1.0}) {
        cairo_arc(cr, side * 9, -138, 3.2, 0, 2 * M_PI);
        SetHex(cr, 0x1E1A16);
        cairo_fill(cr);
    }
    cairo_arc(cr, 0, -130, 4.5, 0, 2 * M_PI);
    SetHex(cr, 0xE3A982);
    cairo_fill(cr);
    DrawHelmet(cr, 0, -152, 80);
    cairo_restore(cr);
}

} // namespace mediagen
