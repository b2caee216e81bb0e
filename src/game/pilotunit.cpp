// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/pilotunit.h"

#include "app/keyboardunit.h"
#include "game/gameunit.h"

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

void SteerViking(const TBaseList& world, TKeyState& keys) {
    keys.Clear();
    const TViking* viking = world.Player;
    if (viking == nullptr || viking->Dead) return;
    const TBase* sheep = NearestLiving<TSheep>(world);
    const TBase* ram = NearestLiving<TWolf>(world);
    const bool ramNear = ram != nullptr && Distance(ram->Position, viking->Position) <
                                               RamThreat + viking->Radius + ram->Radius;
    const TBase* target = ramNear ? ram : sheep;

    Ground way;
    if (target != nullptr) {
        way = Subtract(target->Position, viking->Position);
    } else if (ram != nullptr) {
        // Nothing left to win: away from the rams, drawn a little towards the middle so the
        // fence does not corner the viking.
        way = Subtract(viking->Position, ram->Position);
        NormaliseInPlace(way);
        const float middle = TBaseList::FieldSize / 2;
        Ground centre = Subtract({middle, middle}, viking->Position);
        ScaleInPlace(centre, 0.1f);
        way = Add(way, centre);
    } else {
        return;
    }
    const float turn = TurnFrom(viking->Heading, HeadingOf(way));
    keys.Left = turn > AimTolerance;
    keys.Right = turn < -AimTolerance;
    if (target != nullptr && Length(way) < viking->Radius + target->Radius + SwingMargin)
        keys.Control = true;
    else if (std::abs(turn) < WalkCone)
        keys.Up = true;
}
