#include "math/randomunit.h"

#include <random>

namespace {

std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}

} // namespace

int Random(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

void RandomSeed(uint32_t seed) {
    Generator().seed(seed);
}
