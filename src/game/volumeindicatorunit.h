// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The small plaque that shows the volume for a moment after it changes, over any screen.
#pragma once

#include <cstdint>
#include <string>

class TTexture;
struct TSettings;

class TVolumeIndicator {
public:
    // Where the plaque sits in the 800 x 600 overlay: the top right corner, clear of the HUD.
    static constexpr float Left = 534, Top = 10, Width = 256, Height = 64;
    // The bars' place on the plaque, one per 10 %.
    static constexpr float BarsLeft = 62, BarsRight = 194, BarsBottom = 50, BarsTop = 14;

    // The notice plaque: a line of text on the plaque's colours, in the middle of the volume
    // plaque's place, clear of the title's name; below it while the volume shows too.
    static constexpr float NoticeHeight = 24, NoticeTop = Top + (Height - NoticeHeight) / 2,
                           NoticeTopBelow = Top + Height + 6;
    static constexpr const char* FullScreenRefused = "Full screen is not available here";

    // Fetches the plaque picture and the font; without them the bars are still drawn.
    TVolumeIndicator();

    // The plaque with as many lit bars as the volume has tens, and the music note crossed
    // out when the music is muted. Leaves the GL state as it found it.
    void Draw(const TSettings& settings) const;
    // The notice plaque with text, centred; as Draw, over any screen.
    void DrawNotice(const std::string& text, bool belowVolume = false) const;

private:
    TTexture* FPlaque;
    TTexture* FFont;
};
