// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the keycap parts sit in media/keyparts.png: the caption glyphs at the card's and the
// title's size, an empty cap of each height, and the key card's labels. Each glyph cell and
// label row keeps its advance in its top row: eighths of a pixel, the alpha of pixel 0 the
// high byte and of pixel 1 the low one.
#pragma once

namespace keyparts {

constexpr int Width = 512, Height = 512;

enum class TCapSize { Card, Title };

struct TGlyphGrid {
    int Top, CellWidth, CellHeight, Baseline, PerRow;
    double Size, ArrowSize; // the arrows are drawn larger on the title
};
constexpr TGlyphGrid CardGlyphs{0, 16, 16, 12, 32, 11, 11};
constexpr TGlyphGrid TitleGlyphs{64, 24, 28, 21, 21, 17, 22};
// The glyph's pen position from its cell's left edge.
constexpr int PenOffset = 2;

// An empty cap with its top-left corner at (Left, Top), its shadow below.
struct TCapPicture {
    int Left, Top, Width;
    double CapHeight, Size;
};
constexpr TCapPicture CardCap{4, 212, 40, 19, 11}, TitleCap{64, 212, 80, 34, 17};
// Rows the cap, its frame and its shadow take from a pixel above its top.
constexpr int CapRows(const TCapPicture& cap) {
    return static_cast<int>(cap.CapHeight * 37 / 34) + 3;
}

// The key card's labels (turn, walk, swing, pause, quit), one row each, baseline at row 15.
constexpr int LabelTop = 256, LabelRowHeight = 20, LabelBaseline = 15, LabelCount = 5;
constexpr double LabelSize = 13;

constexpr const TGlyphGrid& Grid(TCapSize size) {
    return size == TCapSize::Card ? CardGlyphs : TitleGlyphs;
}
constexpr const TCapPicture& Cap(TCapSize size) {
    return size == TCapSize::Card ? CardCap : TitleCap;
}

} // namespace keyparts
