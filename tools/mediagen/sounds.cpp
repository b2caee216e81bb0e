// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Generated sounds: every effect the game plays, as 22050 Hz 16-bit WAV.
#include "audio/soundeffects.h"
#include "audio/wavencoder.h"
#include "mediagen.h"

namespace mediagen {

void GenerateSounds(const TOutput& out) {
    for (const auto& effect : SoundEffects())
        out.WriteBytes(effect.Name + ".wav", EncodeWav(effect.Make(), SoundEffectRate));
}

} // namespace mediagen
