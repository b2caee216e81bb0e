// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The demo's player: reads the world and holds the keys a player would, so the viking obeys
// exactly the rules it obeys under the keyboard.
#pragma once

class TBase;
class TBaseList;
class TKeyState;

// The living entity of kind T nearest to the viking (a dying one counts as gone), or nullptr.
template <typename T> const TBase* NearestLiving(const TBaseList& world);

// Sets the keys for the next frame: faces a ram that comes close, otherwise the nearest
// sheep; walks up to it and swings on contact. With the field cleared it keeps away from the
// rams until the level ends.
void SteerViking(const TBaseList& world, TKeyState& keys);
