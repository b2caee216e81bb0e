// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Mono 16-bit PCM WAV files built in memory with libsndfile.
#pragma once

#include "audio/synth.h"

#include <string>

namespace mediagen {

// The whole WAV file for the signal (clamped to -1..1) at the given sample rate.
std::string EncodeWav(const TSignal& signal, int rate);

} // namespace mediagen
