// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The wooden boards, signs and keycaps the screens' pictures are built from.
#pragma once

#include "canvas.h"
#include "farmscene.h"

#include <cairo.h>

namespace mediagen {

// DejaVu Sans Bold lettering with a dark outline and, when asked, a drop shadow.
TTextStyle Outlined(double size, unsigned fill, double outlineWidth, unsigned outline = colour::Ink,
                    double shadow = 0);

// A keyboard key with its label, h high (34 on the title's controls board).
void KeyCap(cairo_t* cr, double x, double y, double w, const char* label, double size,
            double h = 34);
// Light wood darkening downwards to the given colour, in a dark frame of the given width.
void WoodPanel(cairo_t* cr, double x, double y, double w, double h, double r, unsigned bottom,
               double frame);
// A wooden board with a darker frame.
void Board(cairo_t* cr, double x, double y, double w, double h, double r);
// A small wooden sign with a soft shadow below and to the right.
void SignBoard(cairo_t* cr, double x, double y, double w, double h);

// A parchment plate in a thin dark-wood frame, where the game writes its text.
void ParchmentPlate(cairo_t* cr, double x, double y, double w, double h, double r);

// The title's own keys, one line under its motto, in window pixels.
void TitleKeyLine(cairo_t* cr);

} // namespace mediagen
