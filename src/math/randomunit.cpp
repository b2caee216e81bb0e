#include "math/randomunit.h"

#include <random>

namespace {

std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}

// Only tests set it; the game pays one predictable branch per draw.
TRandomSource* InstalledSource = nullptr;

} // namespace

int Random(int n) {
    if (n <= 0) return 0;
    if (InstalledSource != nullptr) [[unlikely]]
        return InstalledSource->Next(n);
    return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

void RandomSeed(uint32_t seed) {
    Generator().seed(seed);
}

TRandomSource* SetRandomSource(TRandomSource* source) {
    TRandomSource* previous = InstalledSource;
    InstalledSource = source;
    return previous;
}
