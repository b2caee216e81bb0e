// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The short warm flash that shows a blow has counted: on the struck sheep or ram, and on the
// heart of the heads-up display when the viking is bitten.
#pragma once

class TBase;
class TRealTimeModel;
class TTexture;

// How long a flash lasts after the blow.
constexpr float HitFlashSeconds = 0.15f;

// Whether the entity is in the first moments of the reeling a counted blow starts. A blow
// while it reels does not count, restarts nothing and so shows nothing.
bool HitFlashing(const TBase& entity);

// The model drawn again, as posed and placed, tinted towards the flash colour over its visible
// surface only: its shape and shading still show through. Leaves the GL state as it found it.
void DrawModelFlash(const TRealTimeModel& model);

// A glow of the flash colour over the icon's own shape, in the 2-D overlay.
void DrawIconFlash(const TTexture* icon, float x, float y, float w, float h);
