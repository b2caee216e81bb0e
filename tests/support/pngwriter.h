// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A tiny PNG encoder for tests: 8-bit channels, no filtering, uncompressed deflate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG colour types; the value is the one written into the header.
enum class TPngColour : uint8_t { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

struct TPngImage {
    int Width = 0;
    int Height = 0;
    TPngColour Colour = TPngColour::Rgb;
    std::vector<uint8_t> Pixels;       // tightly packed rows, top row first
    std::vector<uint8_t> Palette;      // R, G, B triples (palette images only)
    std::vector<uint8_t> Transparency; // alpha per palette entry (optional tRNS chunk)
};

// The bytes of a complete PNG file.
std::string EncodePng(const TPngImage& image);
