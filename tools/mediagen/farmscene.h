// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The toy farm in Cairo for the pictures: sky, hills, fence, trees, sheep, rams, the viking.
#pragma once

#include <cairo.h>

namespace mediagen {

// Palette shared by the pictures.
namespace colour {
constexpr unsigned Grass = 0x6DBE45, GrassDark = 0x4E9A2F, Sky = 0xB2FFFF, SkyHigh = 0x5CC8F0;
constexpr unsigned Fleece = 0xF4F1E8, SheepFace = 0x3A3A3A, RamFleece = 0x7A6A58, Horn = 0xD9C7A0;
constexpr unsigned Tunic = 0x2F5DA8, Belt = 0x5A3A1E, Skin = 0xF0C8A0, Helmet = 0xB8BCC4,
                   HelmetHorn = 0xF2EBD9, Beard = 0xD9822B, AxeHead = 0xC9CDD2, Haft = 0x8A5A2B;
constexpr unsigned Trunk = 0x6B4A2B, Crown = 0x2E8B3A, CrownLight = 0x3FA34D;
constexpr unsigned Wood = 0xA97C50, WoodDark = 0x8A6238, WoodDeep = 0x5E4128, Ink = 0x2B2118;
constexpr unsigned Cream = 0xF2EBD9, Parchment = 0xFBF3DC, Focus = 0xFFD23F;
} // namespace colour

// The same scatter of positions on every run (a plain linear congruential generator).
class TScatter {
public:
    explicit TScatter(unsigned seed) : FSeed(seed) {}
    // Uniform in 0..1.
    double Next() {
        FSeed = FSeed * 1103515245u + 12345u;
        return ((FSeed >> 16) & 0x7FFF) / 32767.0;
    }

private:
    unsigned FSeed;
};

// Sky from y0 to y1 over the width, pale towards the horizon.
void DrawSky(cairo_t* cr, double width, double y0, double y1);
// A sun with a soft glow.
void DrawSun(cairo_t* cr, double cx, double cy, double radius);
void DrawCloud(cairo_t* cr, double cx, double cy, double size, unsigned rgb = 0xFFFFFF);
// Rolling hills whose tops lie near horizonY, filled down to bottom.
void DrawHills(cairo_t* cr, double width, double horizonY, double bottom);
// A flat meadow from y0 down with darker tufts and a few flowers.
void DrawMeadow(cairo_t* cr, double width, double y0, double y1);
// A wooden fence along groundY from x0 to x1, posts every spacing units.
void DrawFence(cairo_t* cr, double x0, double x1, double groundY, double height, double spacing);
void DrawTree(cairo_t* cr, double x, double groundY, double size);
// A sheep (or ram) standing on groundY, about 1.2 size wide; facing +1 right, -1 left.
void DrawSheep(cairo_t* cr, double x, double groundY, double size, double facing);
void DrawRam(cairo_t* cr, double x, double groundY, double size, double facing);
// The viking, feet on groundY, about 2 size tall, axe raised in his right hand.
void DrawViking(cairo_t* cr, double x, double groundY, double size);
// The viking's horned helmet alone, centred on (x, y), about size wide.
void DrawHelmet(cairo_t* cr, double x, double y, double size);
// A soft shadow ellipse on the ground.
void DrawGroundShadow(cairo_t* cr, double x, double groundY, double rx);

} // namespace mediagen
