// The game's one uniform random generator; seedable so runs can be repeated.
#pragma once

#include <cstdint>

// A uniform integer in 0..n - 1; 0 when n <= 0.
int Random(int n);
void RandomSeed(uint32_t seed);
