// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The demo's player: reads the world and holds the keys a player would, so the viking obeys
// exactly the rules it obeys under the keyboard. A novice beside it plays as a new player does,
// for measuring how hard a difficulty is.
#pragma once

#include "game/gameunit.h"

#include <cstdint>
#include <deque>
#include <vector>

class TKeyState;

// The living entity of kind T nearest to the viking (a dying one counts as gone), or nullptr.
template <typename T> const TBase* NearestLiving(const TBaseList& world);

// What the pilot steers by: the viking, and the living sheep and rams as seen at one moment.
struct TPilotView {
    struct TOther {
        const TBase* Entity; // only told apart, never read: it may be gone by now
        bool Ram;
        gameunit::TVector Position;
        float Radius;
    };
    gameunit::TVector Position{0, 0};
    float Heading = 0;
    float Radius = 0;
    std::vector<TOther> Others; // in the world's order
};

// The world as it stands now; false when there is no living viking to steer.
bool LookAt(const TBaseList& world, TPilotView& view);
// Sets the keys for the next frame: faces a ram that comes close, otherwise the nearest
// sheep, aiming aimError radians to the left of it; walks up to it and swings on contact. With
// the field cleared it keeps away from the rams until the level ends. Returns the target.
const TBase* SteerBy(const TPilotView& view, TKeyState& keys, float aimError = 0);
// The demo's pilot: SteerBy on the world as it stands, every key released for a dead viking.
void SteerViking(const TBaseList& world, TKeyState& keys);

// A new player at the keys. Steers as the demo's pilot does, but by the field as it stood a
// quarter of a second ago, the viking's own place and heading included (so it turns past its
// mark, as a new player does), aims off and corrects that slowly, and now and then lets go of
// the swing before the blow. Its draws come from its own seed, never
// from the world's generator, so a game with it repeats and its replay checks.
class TNovicePilot {
public:
    static constexpr float Delay = 0.25f;
    // Each new target is aimed at with an error drawn from -MaxAimError..MaxAimError, which
    // halves every AimHalfLife seconds.
    static constexpr float MaxAimError = 0.3f;
    static constexpr float AimHalfLife = 1.0f;
    // One press of the swing key in EarlyReleaseOneIn lets go after EarlyHold seconds and
    // waits ReleasePause before pressing again.
    static constexpr uint32_t EarlyReleaseOneIn = 4;
    static constexpr float EarlyHoldMin = 0.05f, EarlyHoldMax = 0.25f;
    static constexpr float ReleasePause = 0.2f;

    explicit TNovicePilot(uint32_t seed);
    // Keys for the frame that follows one of dt seconds.
    void Steer(const TBaseList& world, float dt, TKeyState& keys);
    // The error left of one drawn as first, seconds after it was drawn.
    static float AimErrorAfter(float first, float seconds);
    // Which of the views kept, taken at times (oldest first), the frame at now steers by: the
    // newest at least Delay old, or the oldest while none is that old.
    static size_t SeenIndex(const std::deque<double>& times, double now);

private:
    // A uniform draw in 0..1.
    float Draw();

    uint64_t FState;
    int32_t FLevel = -1;
    double FNow = 0;
    std::deque<double> FTimes;
    std::deque<TPilotView> FViews;
    const TBase* FTarget = nullptr;
    float FAimFirst = 0, FAimAge = 0;
    // The swing key: held since FHeld seconds, to be let go after FHoldFor (never when 0);
    // let go, it stays up for FWait seconds more.
    bool FSwinging = false;
    float FHeld = 0, FHoldFor = 0, FWait = 0;
};
