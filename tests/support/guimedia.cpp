// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/guimedia.h"

#include "app/stateunit.h"
#include "support/pngwriter.h"

namespace {

// An RGB picture whose texel (x, y) has the colour colourAt(x, y).
template <typename F> std::string Picture(int size, F colourAt) {
    TPngImage image;
    image.Width = size;
    image.Height = size;
    image.Pixels.reserve(static_cast<size_t>(size) * size * 3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const TRgbBytes c = colourAt(x, y);
            image.Pixels.insert(image.Pixels.end(), c.begin(), c.end());
        }
    return EncodePng(image);
}

} // namespace

TRgbBytes FontCellColour(int column, int row) {
    return {static_cast<uint8_t>(8 + column * 16), static_cast<uint8_t>(8 + row * 32), 128};
}

TRgbBytes DigitCellColour(int column, int row) {
    return {static_cast<uint8_t>(16 + column * 32), static_cast<uint8_t>(16 + row * 64), 64};
}

std::string FontPng() {
    return Picture(128, [](int x, int y) {
        return y < 64 ? TRgbBytes{0, 0, 0} : FontCellColour(x / 8, (y - 64) / 8);
    });
}

std::string NumbersPng() {
    return Picture(256, [](int x, int y) { return DigitCellColour(x / 32, y / 64); });
}

TRgbBytes SkinCellColour(TRgbBytes base, int column, int row) {
    return {static_cast<uint8_t>(base[0] + 12 * column), static_cast<uint8_t>(base[1] + 12 * row),
            base[2]};
}

std::string SkinPng(TRgbBytes base, bool clearCentre) {
    TPngImage image;
    image.Width = 64;
    image.Height = 64;
    image.Colour = TPngColour::Rgba;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const TRgbBytes c = SkinCellColour(base, x / 16, y / 16);
            const bool clear = clearCentre && x / 16 == 1 && y / 16 == 1;
            image.Pixels.insert(image.Pixels.end(), {c[0], c[1], c[2], uint8_t(clear ? 0 : 255)});
        }
    return EncodePng(image);
}

std::string SolidPng(TRgbBytes colour, int size) {
    return Picture(size, [colour](int, int) { return colour; });
}

TGuiTestMedia::TGuiTestMedia() : FPrevious(Global.MediaManager) {
    Global.MediaManager = &Manager;
}

TGuiTestMedia::~TGuiTestMedia() {
    Global.MediaManager = FPrevious;
}

void TGuiTestMedia::AddPicture(const std::string& name, const std::string& png) const {
    Dir.WriteFile("media/" + name + ".png", png);
}
