// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A game world in one number, for replays to check that a game played again is the game
// recorded.
#pragma once

#include <cstdint>

class TBaseList;

// What the world is: every entity's kind, place, heading, health and animation, and the
// level, lives, sheep and score; equal worlds have equal digests.
uint64_t WorldDigest(const TBaseList& world);
