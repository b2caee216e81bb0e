// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's one uniform random generator; seedable so runs can be repeated, and open to a
// test that installs its own source of draws.
#pragma once

#include <cstdint>
#include <optional>

// A replacement for the generator, installed by tests to script or record draws.
class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    // The draw for Random(n), n > 0; the source should keep it in 0..n - 1.
    virtual int Next(int n) = 0;
};

// A uniform integer in 0..n - 1; 0 when n <= 0 (the installed source is not asked then).
int Random(int n);
void RandomSeed(uint32_t seed);
// A seed from the clock, different on every call (nanoseconds folded into 32 bits).
uint32_t ClockSeed();
// The seed a decimal text names (0..4294967295, nothing else around it), or none.
std::optional<uint32_t> ParseSeed(const char* text);
// The seed QUELMARK_SEED names when it is set and readable, else ClockSeed(); a value that
// cannot be read is named in one line on standard error.
uint32_t ChooseSeed();
// Routes every draw to source until another call; nullptr restores the generator. Returns the
// source installed before.
TRandomSource* SetRandomSource(TRandomSource* source);
