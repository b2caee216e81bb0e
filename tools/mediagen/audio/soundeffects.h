// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's sound effects, synthesized: a screen blip, a swing, a blow, a scream, bleats
// and a butt.
#pragma once

#include "audio/synth.h"

#include <string>
#include <vector>

namespace mediagen {

// Sample rate of every sound effect, the mixer's own rate.
constexpr int SoundEffectRate = 22050;

struct TSoundEffect {
    std::string Name; // the file is Name + ".wav"
    TSignal (*Make)();
};

// Every sound the game asks for, finished: dry, faded in and out over 5 ms, peaking at -3 dBFS.
const std::vector<TSoundEffect>& SoundEffects();

} // namespace mediagen
