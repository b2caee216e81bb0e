// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The sampled instruments of the hoedown: fiddle, upright bass, banjo and a small drum kit.
#pragma once

#include "audio/xmwriter.h"

namespace mediagen {

TXmInstrument MakeFiddle();
TXmInstrument MakeUprightBass();
TXmInstrument MakeBanjo();
TXmInstrument MakeKick();
TXmInstrument MakeSnare();
TXmInstrument MakeHat();

} // namespace mediagen
