// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/keycapsunit.h"

#include "app/logunit.h"
#include "gui/guidrawerunit.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

using namespace keyparts;

namespace {

size_t Index(TCapSize size) {
    return size == TCapSize::Card ? 0 : 1;
}

double Advance(const TTextureImage& image, int x, int y) {
    const uint8_t* row = image.Pixels.data() + static_cast<size_t>(y) * image.RowBytes();
    return (row[x * 4 + 3] * 256 + row[(x + 1) * 4 + 3]) / 8.0;
}

// Texels (s, t, w, h) of the parts picture onto window pixels (x, y, w', h').
void Piece(double x, double y, double w, double h, double s, double t, double sw, double th) {
    DrawTexturePiece(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                     static_cast<float>(h), static_cast<float>(s / Width),
                     static_cast<float>(t / Height), static_cast<float>(sw / Width),
                     static_cast<float>(th / Height));
}

} // namespace

std::vector<double> CentredRow(const std::vector<double>& widths, double gap, double x) {
    double total = gap * static_cast<double>(widths.empty() ? 0 : widths.size() - 1);
    for (double w : widths)
        total += w;
    std::vector<double> starts;
    double at = x - total / 2;
    for (double w : widths) {
        starts.push_back(at);
        at += w + gap;
    }
    return starts;
}

TKeyCaps::TKeyCaps(const std::string& file) {
    try {
        TTextureImage image = DecodeTextureFile(file);
        if (image.Width != Width || image.Height != Height || !image.HasAlpha)
            throw TTextureError("not the keycap parts");
        for (TCapSize size : {TCapSize::Card, TCapSize::Title}) {
            const TGlyphGrid& grid = Grid(size);
            for (int i = 0; i < CaptionGlyphCount; ++i)
                FAdvances[Index(size)][static_cast<size_t>(i)] =
                    Advance(image, i % grid.PerRow * grid.CellWidth,
                            grid.Top + i / grid.PerRow * grid.CellHeight);
        }
        for (int i = 0; i < LabelCount; ++i)
            FLabels[static_cast<size_t>(i)] = Advance(image, 0, LabelTop + i * LabelRowHeight);
        FTexture.LoadFromImage(file, std::move(image));
        FLoaded = true;
    } catch (const TTextureError&) {
        WriteLog("Unable to load texture " + file);
    }
}

double TKeyCaps::CaptionWidth(TCapSize size, const std::string& caption) const {
    double width = 0;
    for (int glyph : CaptionGlyphs(caption))
        if (glyph >= 0) width += FAdvances[Index(size)][static_cast<size_t>(glyph)];
    return width;
}

double TKeyCaps::CapWidth(TCapSize size, const std::string& caption) const {
    const double h = Cap(size).CapHeight;
    return std::max(h, CaptionWidth(size, caption) + h * 0.7);
}

void TKeyCaps::DrawCaption(TCapSize glyphs, double centreX, double baseline,
                           const std::string& caption) const {
    const TGlyphGrid& grid = Grid(glyphs);
    double pen = centreX - CaptionWidth(glyphs, caption) / 2;
    for (int glyph : CaptionGlyphs(caption)) {
        if (glyph < 0) continue;
        const int s = glyph % grid.PerRow * grid.CellWidth;
        const int t = grid.Top + glyph / grid.PerRow * grid.CellHeight;
        // Whole pixels, as the glyph was drawn: its top row holds the advance, not ink.
        Piece(std::round(pen) - PenOffset, std::round(baseline) - grid.Baseline + 1, grid.CellWidth,
              grid.CellHeight - 1, s, t + 1, grid.CellWidth, grid.CellHeight - 1);
        pen += FAdvances[Index(glyphs)][static_cast<size_t>(glyph)];
    }
}

void TKeyCaps::DrawCap(TCapSize size, double x, double y, double w,
                       const std::string& caption) const {
    if (!FLoaded) return;
    FTexture.Bind();
    glColor3f(1, 1, 1);
    const TCapPicture& cap = Cap(size);
    x = std::round(x);
    y = std::round(y);
    w = std::round(w);
    const double rows = CapRows(cap), end = 8;
    // The cap's rounded ends as drawn, its plain middle stretched between them.
    Piece(x - 1, y - 1, end + 1, rows, cap.Left - 1, cap.Top - 1, end + 1, rows);
    Piece(x + end, y - 1, w - 2 * end, rows, cap.Left + cap.Width / 2.0 - 0.5, cap.Top - 1, 1,
          rows);
    Piece(x + w - end, y - 1, end + 1, rows, cap.Left + cap.Width - end, cap.Top - 1, end + 1,
          rows);
    // A name too long for the title's cap takes the card's smaller letters.
    const TCapSize glyphs = CaptionWidth(size, caption) + 8 > w ? TCapSize::Card : size;
    const bool arrow = caption.size() == 3 && CaptionGlyphs(caption).front() >= 95;
    const double letters = arrow ? Grid(glyphs).ArrowSize : Grid(glyphs).Size;
    DrawCaption(glyphs, x + w / 2, y + cap.CapHeight / 2 + letters * 0.36, caption);
}

void TKeyCaps::DrawLabel(int label, double x, double baseline) const {
    if (!FLoaded) return;
    FTexture.Bind();
    glColor3f(1, 1, 1);
    const double w = std::ceil(LabelWidth(label)) + 2 * PenOffset + 2;
    Piece(std::round(x) - PenOffset, std::round(baseline) - LabelBaseline + 1, w,
          LabelRowHeight - 1, 0, LabelTop + label * LabelRowHeight + 1, w, LabelRowHeight - 1);
}

void TKeyCaps::DrawCardRow(const TKeyBindings& keys, double x, double y) const {
    if (!FLoaded) return;
    using A = TPlayAction;
    const std::vector<std::vector<TPlayAction>> hints{
        {A::TurnLeft, A::TurnRight}, {A::Forwards, A::Backwards}, {A::Swing}, {A::Pause}};
    std::vector<std::vector<std::string>> captions;
    for (const auto& hint : hints) {
        captions.emplace_back();
        for (TPlayAction action : hint)
            captions.back().push_back(KeyCapCaption(keys.Key(action)));
    }
    captions.push_back({"Esc"});
    std::vector<double> widths;
    for (size_t i = 0; i < captions.size(); ++i) {
        double width = 4 + LabelWidth(static_cast<int>(i));
        for (const std::string& caption : captions[i])
            width += CapWidth(TCapSize::Card, caption) + 4;
        widths.push_back(width);
    }
    const std::vector<double> starts = CentredRow(widths, 22, x);
    const double h = CardCap.CapHeight;
    for (size_t i = 0; i < captions.size(); ++i) {
        double at = starts[i];
        for (const std::string& caption : captions[i]) {
            const double w = CapWidth(TCapSize::Card, caption);
            DrawCap(TCapSize::Card, at, y, w, caption);
            at += w + 4;
        }
        DrawLabel(static_cast<int>(i), at + 4, y + h / 2 + LabelSize * 0.36);
    }
}

void TKeyCaps::DrawTitleKeys(const TKeyBindings& keys) const {
    if (!FLoaded) return;
    using A = TPlayAction;
    struct TSlot {
        std::vector<TPlayAction> Actions;
        double Centre, Width, Widest;
    };
    // The design's caps: two 40 wide 6 apart over "turn" and "walk", one 76 wide over the swing.
    const TSlot slots[] = {{{A::TurnLeft, A::TurnRight}, 105, 40, 64},
                           {{A::Forwards, A::Backwards}, 243, 40, 64},
                           {{A::Swing}, 378, 76, 120}};
    for (const TSlot& slot : slots) {
        std::vector<double> widths;
        for (TPlayAction action : slot.Actions) {
            const std::string caption = KeyCapCaption(keys.Key(action));
            widths.push_back(
                std::clamp(CaptionWidth(TCapSize::Title, caption) + 16, slot.Width, slot.Widest));
        }
        const std::vector<double> starts = CentredRow(widths, 6, slot.Centre);
        for (size_t i = 0; i < widths.size(); ++i)
            DrawCap(TCapSize::Title, starts[i], 504, widths[i],
                    KeyCapCaption(keys.Key(slot.Actions[i])));
    }
}
