// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Small media for screen tests: pictures whose pixels say what was drawn, and box models.
#pragma once

#include "support/pngwriter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TTestDir;
class TMesh;
class TRealTimeModel;

using TRgba = std::array<uint8_t, 4>;

// A picture of one colour.
TPngImage SolidPicture(int width, int height, TRgba colour);
// Writes media/<name>.png into the test directory.
void WritePicture(const TTestDir& dir, const std::string& name, const TPngImage& image);

// A "font" texture whose glyph cell for code c is opaque black with alpha GlyphAlpha(c), so
// text drawn in black over white reads back as 255 - GlyphAlpha(c).
TPngImage CodedFont();
uint8_t GlyphAlpha(uint8_t code);
// The code whose glyph leaves this grey level over white, or 0 when none is close.
uint8_t GlyphFromGrey(uint8_t grey);

// A "numbers" texture whose digit cell d is filled with DigitColour(d).
TPngImage CodedNumbers();
TRgba DigitColour(int digit);

// A box mesh from (-half, 0, -half) to (half, height, half) with flat face normals.
std::unique_ptr<TMesh> BoxMesh(const std::string& name, float half, float height);
// Makes the animated model one coloured node drawing the mesh.
void UseMeshModel(TRealTimeModel& model, TMesh& mesh, float r, float g, float b);
