// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Builds small PCM WAV files for sound tests.
#pragma once

#include <string>

// A 16-bit stereo 22050 Hz WAV holding a square wave of the given length.
std::string MakeWav(double seconds, int frequency = 440);
