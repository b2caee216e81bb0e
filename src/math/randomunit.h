// The game's one uniform random generator; seedable so runs can be repeated, and open to a
// test that installs its own source of draws.
#pragma once

#include <cstdint>

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
// Routes every draw to source until another call; nullptr restores the generator. Returns the
// source installed before.
TRandomSource* SetRandomSource(TRandomSource* source);
