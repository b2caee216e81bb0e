// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A faint arrow on the ground just ahead of the viking's feet: the camera does not turn with
// him, so which way he faces is otherwise hard to read.
#pragma once

#include "game/gameunit.h"

#include <array>

// The arrow's three corners on the ground: the tip ahead of the viking along his heading,
// the two back corners either side of that line, nearer his feet.
std::array<gameunit::TVector, 3> FacingMarkerCorners(gameunit::TVector feet, float heading);

// The arrow in the world's current view, blended over the ground; leaves the GL state as it
// found it.
void DrawFacingMarker(gameunit::TVector feet, float heading);
