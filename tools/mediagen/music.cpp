// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Generated music: the hoedown loop the intro starts, as a FastTracker 2 module.
#include "audio/hoedown.h"
#include "mediagen.h"

namespace mediagen {

void GenerateMusic(const TOutput& out) {
    out.WriteBytes("yeeha.xm", WriteXm(ComposeHoedown()));
}

} // namespace mediagen
