// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/pilotunit.h"

#include "app/keyboardunit.h"

#include <cmath>

using namespace gameunit;
using Ground = gameunit::TVector;

namespace {

// A ram nearer than this is fought before any sheep: it would butt a viking busy elsewhere.
constexpr float RamThreat = 6.0f;
// Headings closer than this count as faced; a wider dead band would zig-zag.
constexpr float AimTolerance = 0.05f;
// Walking only while roughly facing the target keeps the path short.
constexpr float WalkCone = 0.8f;
// A walking sheep draws away during the swing, so the blow starts just before contact.
constexpr float SwingMargin = 0.3f;

bool Living(const TBase& entity) {
    return !entity.Dead && entity.Animation->Animation != eaDeath;
}

// The nearest other of the kind, or nullptr; the first of equals.
const TPilotView::TOther* Nearest(const TPilotView& view, bool ram) {
    const TPilotView::TOther* nearest = nullptr;
    float best = 0;
    for (const TPilotView::TOther& other : view.Others) {
        if (other.Ram != ram) continue;
        const float distance = Distance(other.Position, view.Position);
        if (nearest == nullptr || distance < best) {
            best = distance;
            nearest = &other;
        }
    }
    return nearest;
}

} // namespace

template <typename T> const TBase* NearestLiving(const TBaseList& world) {
    const TBase* nearest = nullptr;
    float best = 0;
    const Ground from = world.Player->Position;
    for (int i = 0; i < world.Count(); ++i) {
        const TBase& entity = world.Items(i);
        if (dynamic_cast<const T*>(&entity) == nullptr || !Living(entity)) continue;
        const float distance = Distance(entity.Position, from);
        if (nearest == nullptr || distance < best) {
            best = distance;
            nearest = &entity;
        }
    }
    return nearest;
}

template const TBase* NearestLiving<TSheep>(const TBaseList& world);
template const TBase* NearestLiving<TWolf>(const TBaseList& world);

bool LookAt(const TBaseList& world, TPilotView& view) {
    view.Others.clear();
    const TViking* viking = world.Player;
    if (viking == nullptr || viking->Dead) return false;
    view.Position = viking->Position;
    view.Heading = viking->Heading;
    view.Radius = viking->Radius;
    for (int i = 0; i < world.Count(); ++i) {
        const TBase& entity = world.Items(i);
        const bool ram = dynamic_cast<const TWolf*>(&entity) != nullptr;
        if ((ram || dynamic_cast<const TSheep*>(&entity) != nullptr) && Living(entity))
            view.Others.push_back({&entity, ram, entity.Position, entity.Radius});
    }
    return true;
}

const TBase* SteerBy(const TPilotView& view, TKeyState& keys, float aimError) {
    const TPilotView::TOther* sheep = Nearest(view, false);
    const TPilotView::TOther* ram = Nearest(view, true);
    const bool ramNear = ram != nullptr && Distance(ram->Position, view.Position) <
                                               RamThreat + view.Radius + ram->Radius;
    const TPilotView::TOther* target = ramNear ? ram : sheep;

    Ground way;
    if (target != nullptr) {
        way = Subtract(target->Position, view.Position);
    } else if (ram != nullptr) {
        // Nothing left to win: away from the rams, drawn a little towards the middle so the
        // fence does not corner the viking.
        way = Subtract(view.Position, ram->Position);
        NormaliseInPlace(way);
        const float middle = TBaseList::FieldSize / 2;
        Ground centre = Subtract({middle, middle}, view.Position);
        ScaleInPlace(centre, 0.1f);
        way = Add(way, centre);
    } else {
        return nullptr;
    }
    const float turn = TurnFrom(view.Heading, HeadingOf(way) + aimError);
    keys.Left = turn > AimTolerance;
    keys.Right = turn < -AimTolerance;
    if (target != nullptr && Length(way) < view.Radius + target->Radius + SwingMargin)
        keys.Control = true;
    else if (std::abs(turn) < WalkCone)
        keys.Up = true;
    return target != nullptr ? target->Entity : nullptr;
}

void SteerViking(const TBaseList& world, TKeyState& keys) {
    // Kept between frames so that the demo's pilot allocates nothing once warmed up.
    static thread_local TPilotView view;
    keys.Clear();
    if (LookAt(world, view)) SteerBy(view, keys);
}

TNovicePilot::TNovicePilot(uint32_t seed) : FState(seed) {}

float TNovicePilot::Draw() {
    // splitmix64: the same draws on every platform and library.
    uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<float>(z >> 40) / static_cast<float>(1u << 24);
}

float TNovicePilot::AimErrorAfter(float first, float seconds) {
    return first * std::exp2(-seconds / AimHalfLife);
}

size_t TNovicePilot::SeenIndex(const std::deque<double>& times, double now) {
    size_t seen = 0;
    while (seen + 1 < times.size() && times[seen + 1] <= now - Delay)
        ++seen;
    return seen;
}

void TNovicePilot::Steer(const TBaseList& world, float dt, TKeyState& keys) {
    keys.Clear();
    if (world.Level != FLevel) {
        // A new field: nothing seen of it yet.
        FLevel = world.Level;
        FTimes.clear();
        FViews.clear();
        FTarget = nullptr;
    }
    FNow += dt;
    TPilotView now;
    if (!LookAt(world, now)) return;
    FTimes.push_back(FNow);
    FViews.push_back(now);
    for (size_t drop = SeenIndex(FTimes, FNow); drop > 0; --drop) {
        FTimes.pop_front();
        FViews.pop_front();
    }
    const TPilotView& seen = FViews.front();

    FAimAge += dt;
    TKeyState wanted;
    const TBase* target = SteerBy(seen, wanted, AimErrorAfter(FAimFirst, FAimAge));
    if (target != FTarget) {
        FTarget = target;
        FAimFirst = (2 * Draw() - 1) * MaxAimError;
        FAimAge = 0;
        wanted.Clear();
        SteerBy(seen, wanted, FAimFirst);
    }

    if (FWait > 0) {
        FWait -= dt;
        wanted.Control = false;
    } else if (wanted.Control) {
        if (!FSwinging) {
            FSwinging = true;
            FHeld = 0;
            FHoldFor = Draw() * EarlyReleaseOneIn < 1
                           ? EarlyHoldMin + Draw() * (EarlyHoldMax - EarlyHoldMin)
                           : 0;
        } else {
            FHeld += dt;
        }
        if (FHoldFor > 0 && FHeld >= FHoldFor) {
            wanted.Control = false;
            FWait = ReleasePause;
        }
    }
    if (!wanted.Control) FSwinging = false;
    keys.Left = wanted.Left;
    keys.Right = wanted.Right;
    keys.Up = wanted.Up;
    keys.Control = wanted.Control;
}
