// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "math/randomunit.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}

// Only tests set it; the game pays one predictable branch per draw.
TRandomSource* InstalledSource = nullptr;

// A 32-bit draw scaled into 0..range - 1 by a 64-bit product, the few products whose low half
// would favour some values drawn again (Lemire's method). The engine is the same everywhere;
// this mapping is ours, so a replay deals the same field whatever standard library built the
// game. It gives exactly what GCC's std::uniform_int_distribution gave before, so older
// replays still play.
uint32_t UniformBelow(std::mt19937& generator, uint32_t range) {
    uint64_t product = uint64_t{static_cast<uint32_t>(generator())} * range;
    auto low = static_cast<uint32_t>(product);
    if (low < range) {
        const uint32_t threshold = (0u - range) % range; // 2^32 mod range
        while (low < threshold) {
            product = uint64_t{static_cast<uint32_t>(generator())} * range;
            low = static_cast<uint32_t>(product);
        }
    }
    return static_cast<uint32_t>(product >> 32);
}

} // namespace

int Random(int n) {
    if (n <= 0) return 0;
    if (InstalledSource != nullptr) [[unlikely]]
        return InstalledSource->Next(n);
    return static_cast<int>(UniformBelow(Generator(), static_cast<uint32_t>(n)));
}

void RandomSeed(uint32_t seed) {
    Generator().seed(seed);
}

uint32_t ClockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto nanoseconds =
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    return static_cast<uint32_t>(nanoseconds ^ (nanoseconds >> 32));
}

std::optional<uint32_t> ParseSeed(const char* text) {
    if (text == nullptr) return std::nullopt;
    const char* last = text + std::strlen(text);
    uint32_t seed = 0;
    const auto [end, result] = std::from_chars(text, last, seed);
    if (text == last || result != std::errc() || end != last) return std::nullopt;
    return seed;
}

uint32_t ChooseSeed() {
    const char* text = std::getenv("QUELMARK_SEED");
    if (text == nullptr) return ClockSeed();
    if (const auto seed = ParseSeed(text)) return *seed;
    // Said once, so that a mistyped seed does not pass for a repeatable run.
    std::fprintf(stderr,
                 "quelmark: QUELMARK_SEED \"%s\" is not a number from 0 to 4294967295; the clock "
                 "seeds the game\n",
                 text);
    return ClockSeed();
}

TRandomSource* SetRandomSource(TRandomSource* source) {
    TRandomSource* previous = InstalledSource;
    InstalledSource = source;
    return previous;
}
