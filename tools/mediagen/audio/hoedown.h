// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// "Yeeha", the game's music: a 32-bar hoedown in G major at 140 beats a minute, in AABB form,
// that loops back to its start.
#pragma once

#include "audio/xmwriter.h"

namespace mediagen {

TXmModule ComposeHoedown();

} // namespace mediagen
