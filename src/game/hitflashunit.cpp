// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/hitflashunit.h"

#include "assets/animationhandlerunit.h"
#include "assets/modelunit.h"
#include "assets/textureunit.h"
#include "game/gameunit.h"
#include "gui/guidrawerunit.h"

#include <SDL_opengl.h>

namespace {

// #FF5A3C, the warm red of a blow.
constexpr GLfloat Flash[4] = {1.0f, 90 / 255.0f, 60 / 255.0f, 1.0f};
// How far a struck model's colour moves towards the flash; enough to see, not to hide.
constexpr GLfloat ModelMix = 0.55f;
constexpr GLfloat IconGlow = 0.8f;

} // namespace

bool HitFlashing(const TBase& entity) {
    const TAnimationHandler& animation = *entity.Animation;
    return animation.Animation == eaHit && animation.Time * animation.Duration < HitFlashSeconds;
}

void DrawModelFlash(const TRealTimeModel& model) {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT |
                 GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Only where the model itself is the nearest surface; the depth buffer stays as it is.
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1, -1);
    glColor4f(Flash[0], Flash[1], Flash[2], ModelMix);
    model.Render();
    glPopAttrib();
}

void DrawIconFlash(const TTexture* icon, float x, float y, float w, float h) {
    if (icon == nullptr) return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    icon->Bind();
    // The icon's alpha gives the shape, the flash its colour, added on top.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, Flash);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(Flash[0], Flash[1], Flash[2], IconGlow);
    DrawTexturePiece(x, y, w, h, 0, 0, 1, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopAttrib();
}
