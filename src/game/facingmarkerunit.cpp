// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/facingmarkerunit.h"

#include <SDL_opengl.h>

using Ground = gameunit::TVector;

namespace {

// Past the viking's own radius (1.1), so his body never hides it, and short of where his blow
// lands, so it does not read as a target.
constexpr float BackDistance = 1.5f;
constexpr float TipDistance = 2.5f;
constexpr float HalfWidth = 0.55f;
// Just above the ground, so the ground never covers it.
constexpr float Lift = 0.03f;
// #F2EBD9, the pale cream of the helmet's horns, kept faint.
constexpr GLfloat Colour[4] = {242 / 255.0f, 235 / 255.0f, 217 / 255.0f, 0.45f};

} // namespace

std::array<Ground, 3> FacingMarkerCorners(Ground feet, float heading) {
    return {gameunit::Add(feet, gameunit::Rotate({0, TipDistance}, heading)),
            gameunit::Add(feet, gameunit::Rotate({-HalfWidth, BackDistance}, heading)),
            gameunit::Add(feet, gameunit::Rotate({HalfWidth, BackDistance}, heading))};
}

void DrawFacingMarker(Ground feet, float heading) {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4fv(Colour);
    glBegin(GL_TRIANGLES);
    for (const Ground& corner : FacingMarkerCorners(feet, heading))
        glVertex3f(corner.x, Lift, corner.z);
    glEnd();
    glPopAttrib();
}
