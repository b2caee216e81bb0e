// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The parts the game builds keycaps from at run time: caption glyphs, empty caps and the key
// card's labels, each drawn at the size it is shown.
#include "app/keybindingsunit.h"
#include "boards.h"
#include "canvas.h"
#include "farmscene.h"
#include "game/keypartsunit.h"
#include "pictures.h"

#include <cmath>

namespace mediagen {

namespace {

std::string Utf8(char32_t code) {
    if (code < 0x80) return std::string(1, static_cast<char>(code));
    // Only the arrows are above ASCII: three bytes.
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 63)),
            static_cast<char>(0x80 | (code & 63))};
}

void WriteAdvance(TCanvas& canvas, int x, int y, double advance) {
    const auto eighths = static_cast<uint32_t>(std::lround(advance * 8));
    canvas.Plot(x, y, (eighths >> 8) << 24);
    canvas.Plot(x + 1, y, (eighths & 255) << 24);
}

} // namespace

const std::vector<const char*>& KeyCardLabels() {
    static const std::vector<const char*> labels{
        "turn", "walk", "swing: hold until the axe strikes", "pause", "quit"};
    return labels;
}

std::string KeyPartsPicture() {
    using namespace keyparts;
    TCanvas canvas(Width, Height);
    cairo_t* cr = canvas.Cr();
    std::vector<std::pair<std::array<int, 2>, double>> advances;
    for (const TGlyphGrid* grid : {&CardGlyphs, &TitleGlyphs}) {
        TTextStyle style;
        style.Fill = colour::Ink;
        for (int i = 0; i < CaptionGlyphCount; ++i) {
            const int x = i % grid->PerRow * grid->CellWidth;
            const int y = grid->Top + i / grid->PerRow * grid->CellHeight;
            const std::string glyph = Utf8(CaptionGlyphCode(i));
            style.Size = i < 95 ? grid->Size : grid->ArrowSize;
            LeftText(cr, glyph, x + PenOffset, y + grid->Baseline, style);
            advances.push_back({{x, y}, TextWidth(cr, glyph, style.Size)});
        }
    }
    for (const TCapPicture* cap : {&CardCap, &TitleCap})
        KeyCap(cr, cap->Left, cap->Top, cap->Width, "", cap->Size, cap->CapHeight);
    const TTextStyle label = Outlined(LabelSize, colour::Cream, 3, colour::WoodDeep);
    for (int i = 0; i < LabelCount; ++i) {
        const int y = LabelTop + i * LabelRowHeight;
        LeftText(cr, KeyCardLabels()[i], PenOffset, y + LabelBaseline, label);
        advances.push_back({{0, y}, TextWidth(cr, KeyCardLabels()[i], LabelSize)});
    }
    for (const auto& [at, advance] : advances)
        WriteAdvance(canvas, at[0], at[1], advance);
    return canvas.Png("keyparts");
}

} // namespace mediagen
