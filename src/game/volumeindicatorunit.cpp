// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/volumeindicatorunit.h"

#include "app/settingsunit.h"
#include "app/stateunit.h"
#include "game/screenkitunit.h"
#include "gui/guidrawerunit.h"

#include <SDL_opengl.h>

namespace {

constexpr int Bars = 10;
// The music note on the plaque, which a cross covers while the music is muted.
constexpr float NoteLeft = 206, NoteTop = 12, NoteSize = 40;

void Colour(unsigned rgb) {
    glColor3ub(static_cast<GLubyte>(rgb >> 16), static_cast<GLubyte>(rgb >> 8),
               static_cast<GLubyte>(rgb));
}

// A thick line as a quad, for the cross.
void Stroke(float x0, float y0, float x1, float y1, float halfWidth) {
    glBegin(GL_QUADS);
    glVertex2f(x0 - halfWidth, y0);
    glVertex2f(x0 + halfWidth, y0);
    glVertex2f(x1 + halfWidth, y1);
    glVertex2f(x1 - halfWidth, y1);
    glEnd();
}

// Both plaques draw blended and unlit over the finished frame; EndOverlay2D and glPopAttrib undo
// it.
void BeginPlaqueOverlay() {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
}

} // namespace

TVolumeIndicator::TVolumeIndicator()
    : FPlaque(FetchTexture("volume")), FFont(FetchTexture("font")) {}

void TVolumeIndicator::Draw(const TSettings& settings) const {
    BeginPlaqueOverlay();
    glTranslatef(Left, Top, 0);
    DrawPicture(FPlaque, 0, 0, Width, Height);
    glDisable(GL_TEXTURE_2D);
    // Bars rising from a third of the height to the full height, lit up to the volume.
    const float pitch = (BarsRight - BarsLeft) / Bars;
    const int lit = settings.Volume / 10;
    for (int i = 0; i < Bars; ++i) {
        const float x = BarsLeft + i * pitch;
        const float top = BarsBottom - (BarsBottom - BarsTop) * (i + 3) / (Bars + 2);
        Colour(0x2B2118);
        glRectf(x, top, x + pitch - 2, BarsBottom);
        Colour(i < lit ? 0xFFD23F : 0x5E4128);
        glRectf(x + 1, top + 1, x + pitch - 3, BarsBottom - 1);
    }
    if (settings.MusicMuted) {
        Colour(0xC8281E);
        Stroke(NoteLeft + 2, NoteTop, NoteLeft + NoteSize - 2, NoteTop + NoteSize, 3);
        Stroke(NoteLeft + NoteSize - 2, NoteTop, NoteLeft + 2, NoteTop + NoteSize, 3);
    }
    EndOverlay2D();
    glPopAttrib();
}

void TVolumeIndicator::DrawNotice(const std::string& text, bool belowVolume) const {
    BeginPlaqueOverlay();
    glTranslatef(Left, belowVolume ? NoticeTopBelow : NoticeTop, 0);
    // The volume plaque's rim and panel colours.
    FillOverlayRect(0, 0, Width, NoticeHeight, 0x2B / 255.0f, 0x21 / 255.0f, 0x18 / 255.0f);
    FillOverlayRect(2, 2, Width - 4, NoticeHeight - 4, 0x8B / 255.0f, 0x5E / 255.0f, 0x3C / 255.0f);
    const auto textWidth = static_cast<float>(text.size() * (CharWidth - 1) + 1);
    DrawFontText(FFont, static_cast<int32_t>((Width - textWidth) / 2),
                 static_cast<int32_t>((NoticeHeight - CharHeight) / 2), text, 1.0f, 0.9f, 0.7f);
    EndOverlay2D();
    glPopAttrib();
}
