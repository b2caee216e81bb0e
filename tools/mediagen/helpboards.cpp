// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures that tell a newcomer what to do: the key line of the title, the key card of
// the first level and the board of the high-score table seen from the title.
#include "boards.h"
#include "canvas.h"
#include "farmscene.h"
#include "pictures.h"

#include <algorithm>
#include <vector>

namespace mediagen {

namespace {

// A key (or two) and what it does, in a row of such.
struct TKeyHint {
    std::vector<const char*> Keys;
    const char* Does;
};

struct TKeyRowStyle {
    double CapHeight, CapSize, LabelSize, Gap;
    TTextStyle Label;
};

double CapWidth(cairo_t* cr, const char* key, const TKeyRowStyle& style) {
    return std::max(style.CapHeight, TextWidth(cr, key, style.CapSize) + style.CapHeight * 0.7);
}

double HintWidth(cairo_t* cr, const TKeyHint& hint, const TKeyRowStyle& style) {
    double width = 0;
    for (const char* key : hint.Keys)
        width += CapWidth(cr, key, style) + 4;
    return width + 4 + TextWidth(cr, hint.Does, style.LabelSize);
}

// The hints side by side, centred on x, the caps' tops at y.
void KeyRow(cairo_t* cr, const std::vector<TKeyHint>& hints, double x, double y,
            const TKeyRowStyle& style) {
    double total = style.Gap * static_cast<double>(hints.size() - 1);
    for (const TKeyHint& hint : hints)
        total += HintWidth(cr, hint, style);
    double at = x - total / 2;
    for (const TKeyHint& hint : hints) {
        for (const char* key : hint.Keys) {
            const double w = CapWidth(cr, key, style);
            KeyCap(cr, at, y, w, key, style.CapSize, style.CapHeight);
            at += w + 4;
        }
        at += 4;
        LeftText(cr, hint.Does, at, y + style.CapHeight / 2 + style.LabelSize * 0.36, style.Label);
        at += TextWidth(cr, hint.Does, style.LabelSize) + style.Gap;
    }
}

} // namespace

void TitleKeyLine(cairo_t* cr) {
    const TKeyRowStyle style{28, 15, 18, 34, Outlined(18, 0xFFFFFF, 4, colour::Ink)};
    KeyRow(cr, {{{"Space"}, "play"}, {{"H"}, "high scores"}, {{"O"}, "options"}}, 400, 214, style);
}

std::string DailyLinePicture() {
    // Drawn 1:1 at (144, 246), under the title's own keys; the game writes the player's best
    // on the parchment, centred on (344, 16).
    TCanvas canvas(512, 32);
    cairo_t* cr = canvas.Cr();
    const TKeyRowStyle style{28, 15, 18, 34, Outlined(18, 0xFFFFFF, 4, colour::Ink)};
    const TKeyHint hint{{"D"}, "today's field"};
    KeyRow(cr, {hint}, 262 - HintWidth(cr, hint, style) / 2, 2, style);
    ParchmentPlate(cr, 270, 4, 148, 24, 8);
    return canvas.Png("daily");
}

std::string KeyCardPicture() {
    // Drawn 1:1 from the window's left edge plus 16; the card fills 768 x 52 of it.
    TCanvas canvas(1024, 64);
    cairo_t* cr = canvas.Cr();
    // The row of keys and what they do is drawn by the game, from the player's keys.
    SignBoard(cr, 2, 2, 762, 47);
    CentredText(cr, "Clear the field of sheep; rams fight back.", 384, 43,
                Outlined(13, colour::Focus, 3, colour::Ink));
    return canvas.Png("keycard");
}

std::string GentleBadgePicture() {
    // Drawn 1:1; the sign fits the width of its word.
    TCanvas canvas(128, 32);
    cairo_t* cr = canvas.Cr();
    const double width = TextWidth(cr, "Gentle", 14) + 22;
    SignBoard(cr, 2, 2, width, 25);
    LeftText(cr, "Gentle", 13, 20, Outlined(14, colour::Focus, 3, colour::Ink));
    return canvas.Png("gentle");
}

std::string ScoresPicture() {
    // Drawn 1:1 at (144, 330); the game writes the table's rows on the parchment, where the
    // game-over screen writes them (x 320 to 530, y 430 to 548).
    TCanvas canvas(512, 256);
    cairo_t* cr = canvas.Cr();
    Board(cr, 52, 6, 408, 242, 18);
    CentredText(cr, "HIGH SCORES", 256, 46, Outlined(34, colour::Focus, 6, colour::Ink));
    CentredText(cr, "any key goes back to the title", 256, 68,
                Outlined(13, colour::Cream, 3, colour::WoodDeep));
    ParchmentPlate(cr, 68, 80, 376, 154, 10);
    return canvas.Png("scores");
}

} // namespace mediagen
