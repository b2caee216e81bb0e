// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/hitflashunit.h"

#include "game/gameunit.h"
#include "support/gameworld.h"

#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>

namespace {

// A hit animation of some length, at a phase of its run; the flash lasts 0.15 s whatever the
// length. Phases are chosen so that phase x length is 0.15 exactly in floats.
struct TFlashCase {
    float Duration;
    float Time;
    int32_t Animation;
    bool Flashing;
};

void PrintTo(const TFlashCase& c, std::ostream* out) {
    *out << "animation " << c.Animation << " of " << c.Duration << " s at phase "
         << std::setprecision(9) << c.Time;
}

class HitFlash : public ::testing::TestWithParam<TFlashCase> {};

TEST_P(HitFlash, LastsTheSameSecondsForEveryLength) {
    const TFlashCase& c = GetParam();
    TGlobalWorldScope scope;
    auto world = MakeHeadlessWorld();
    world->NewGame();
    TAnimationHandler& animation = *world->Player->Animation;
    animation.Start(c.Animation, c.Duration);
    animation.Time = c.Time;
    EXPECT_EQ(HitFlashing(*world->Player), c.Flashing);
}

float Before(float time) {
    return std::nextafter(time, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, HitFlash,
    ::testing::Values(TFlashCase{0.5f, 0, eaHit, true}, TFlashCase{0.5f, Before(0.3f), eaHit, true},
                      TFlashCase{0.5f, 0.3f, eaHit, false}, TFlashCase{0.25f, 0.59f, eaHit, true},
                      TFlashCase{0.25f, 0.6f, eaHit, false},
                      TFlashCase{2.0f, Before(0.075f), eaHit, true},
                      TFlashCase{2.0f, 0.075f, eaHit, false}, TFlashCase{0.5f, 0, eaIdle, false}));

} // namespace
