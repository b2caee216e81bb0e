// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Keycaps with the player's keys on them, put together at run time from the parts the media
// generator draws at their final size, so that every caption stays crisp.
#pragma once

#include "app/keybindingsunit.h"
#include "assets/textureunit.h"
#include "game/keypartsunit.h"

#include <array>
#include <string>
#include <vector>

// Where each hint of a key row starts, for hints of the given widths side by side with gap
// pixels between them, the whole row centred on x.
std::vector<double> CentredRow(const std::vector<double>& widths, double gap, double x);

class TKeyCaps {
public:
    // Reads the parts from the file; a missing or damaged one is logged as
    // "Unable to load texture <file>" and leaves the caps undrawn.
    explicit TKeyCaps(const std::string& file = "media/keyparts.png");

    bool Loaded() const { return FLoaded; }
    double CaptionWidth(keyparts::TCapSize size, const std::string& caption) const;
    // The cap's width for the caption: at least square, the caption with room on both sides.
    double CapWidth(keyparts::TCapSize size, const std::string& caption) const;
    double LabelWidth(int label) const { return FLabels[static_cast<size_t>(label)]; }

    // The cap's top-left corner at (x, y), the caption centred on it; the overlay mode on.
    void DrawCap(keyparts::TCapSize size, double x, double y, double w,
                 const std::string& caption) const;
    // Draws with the glyphs of one size on a cap of another's: a long name on the title.
    void DrawCaption(keyparts::TCapSize glyphs, double centreX, double baseline,
                     const std::string& caption) const;
    void DrawLabel(int label, double x, double baseline) const;

    // The level-1 card's row: turn, walk, swing, pause and quit with their keys, centred on x
    // with the caps' tops at y.
    void DrawCardRow(const TKeyBindings& keys, double x, double y) const;
    // The play keys of the title's key bar, in the slots over their words.
    void DrawTitleKeys(const TKeyBindings& keys) const;

private:
    TTexture FTexture;
    bool FLoaded = false;
    std::array<std::array<double, CaptionGlyphCount>, 2> FAdvances{};
    std::array<double, keyparts::LabelCount> FLabels{};
};
