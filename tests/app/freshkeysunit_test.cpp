// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/freshkeysunit.h"

#include <gtest/gtest.h>

namespace {

struct TFreshCase {
    const char* Name;
    uint32_t OpenedAt;
    uint32_t PressedAfter;
    bool Held; // down as the screen opened, not released since
    bool Counts;
};

void PrintTo(const TFreshCase& c, std::ostream* out) {
    *out << c.Name;
}

class FreshKeys : public ::testing::TestWithParam<TFreshCase> {};

TEST_P(FreshKeys, APressCountsOnceTheScreenHasSettled) {
    const TFreshCase& c = GetParam();
    TFreshKeys keys;
    keys.Open(c.OpenedAt, c.Held ? std::vector{SDLK_a} : std::vector<SDLKey>{});
    EXPECT_EQ(keys.Accept(SDLK_a, c.OpenedAt + c.PressedAfter), c.Counts);
}

constexpr uint32_t Settle = TFreshKeys::SettleMilliseconds;
// Just after the clock wraps round, a little under 50 days after SDL started.
constexpr uint32_t LateClock = 0xFFFFFF00u;

INSTANTIATE_TEST_SUITE_P(
    Times, FreshKeys,
    ::testing::Values(TFreshCase{"AtOnce", 1000, 0, false, false},
                      TFreshCase{"JustBeforeSettling", 1000, Settle - 1, false, false},
                      TFreshCase{"AsItSettles", 1000, Settle, false, true},
                      TFreshCase{"AfterSettling", 1000, Settle + 1, false, true},
                      TFreshCase{"HeldFromBefore", 1000, 10 * Settle, true, false},
                      TFreshCase{"AcrossTheClocksWrap", LateClock, Settle, false, true},
                      TFreshCase{"EarlyAcrossTheClocksWrap", LateClock, Settle - 1, false, false}),
    [](const auto& info) { return info.param.Name; });

TEST(FreshKeysHeld, AnEarlyPressAndItsRepeatsCountOnlyAfterARelease) {
    TFreshKeys keys;
    keys.Open(1000, {});
    EXPECT_FALSE(keys.Accept(SDLK_a, 1100));
    EXPECT_FALSE(keys.Accept(SDLK_a, 1000 + 2 * Settle)) << "a repeat of the early press";
    EXPECT_TRUE(keys.Accept(SDLK_b, 1000 + 2 * Settle)) << "another key";
    keys.Release(SDLK_a);
    EXPECT_TRUE(keys.Accept(SDLK_a, 1000 + 2 * Settle));
}

} // namespace
