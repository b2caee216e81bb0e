// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/facingmarkerunit.h"

#include "game/difficultyunit.h"

#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

struct TCase {
    float Heading;
    gameunit::TVector Tip, Back1, Back2; // from feet at (10, 20)
};

class MarkerCorners : public ::testing::TestWithParam<TCase> {};

// Heading 0 faces +z and a quarter turn faces +x: the tip lies 2.5 ahead, the back corners
// 1.5 ahead and 0.55 to either side.
TEST_P(MarkerCorners, PointAlongTheHeadingAheadOfTheFeet) {
    const TCase& c = GetParam();
    const auto corners = FacingMarkerCorners({10, 20}, c.Heading);
    const gameunit::TVector expected[] = {c.Tip, c.Back1, c.Back2};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(corners[i].x, expected[i].x, 1e-5f) << i;
        EXPECT_NEAR(corners[i].z, expected[i].z, 1e-5f) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headings, MarkerCorners,
    ::testing::Values(TCase{0, {10, 22.5f}, {9.45f, 21.5f}, {10.55f, 21.5f}},
                      TCase{Pi / 2, {12.5f, 20}, {11.5f, 20.55f}, {11.5f, 19.45f}},
                      TCase{Pi, {10, 17.5f}, {10.55f, 18.5f}, {9.45f, 18.5f}},
                      TCase{-Pi / 2, {7.5f, 20}, {8.5f, 19.45f}, {8.5f, 20.55f}}));

TEST(FacingMarker, ShowsOnGentleUnlessThePlayerChose) {
    using enum TDifficulty;
    EXPECT_FALSE(ShowsFacingMarker(Classic, std::nullopt));
    EXPECT_TRUE(ShowsFacingMarker(Gentle, std::nullopt));
    EXPECT_TRUE(ShowsFacingMarker(Classic, true));
    EXPECT_FALSE(ShowsFacingMarker(Gentle, false));
    EXPECT_TRUE(ShowsFacingMarker(Gentle, true));
    EXPECT_FALSE(ShowsFacingMarker(Classic, false));
}

} // namespace
