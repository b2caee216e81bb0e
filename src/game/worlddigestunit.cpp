// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/worlddigestunit.h"

#include "assets/animationhandlerunit.h"
#include "game/gameunit.h"

#include <bit>

namespace {

class TDigest {
public:
    void Add(uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            FHash ^= (value >> (8 * i)) & 0xFF;
            FHash *= 0x100000001B3ull;
        }
    }
    void Add(float value) { Add(std::bit_cast<uint32_t>(value), 4); }
    void Add(int32_t value) { Add(static_cast<uint32_t>(value), 4); }
    uint64_t Value() const { return FHash; }

private:
    uint64_t FHash = 0xCBF29CE484222325ull;
};

uint8_t KindOf(const TBase& entity) {
    if (dynamic_cast<const TViking*>(&entity) != nullptr) return 1;
    if (dynamic_cast<const TSheep*>(&entity) != nullptr) return 2;
    if (dynamic_cast<const TWolf*>(&entity) != nullptr) return 3;
    return 4;
}

} // namespace

uint64_t WorldDigest(const TBaseList& world) {
    TDigest digest;
    digest.Add(world.Level);
    digest.Add(world.Lives);
    digest.Add(world.SheepCount);
    digest.Add(world.Score);
    digest.Add(world.Count());
    for (int i = 0; i < world.Count(); ++i) {
        const TBase& entity = world.Items(i);
        digest.Add(KindOf(entity), 1);
        digest.Add(entity.Position.x);
        digest.Add(entity.Position.z);
        digest.Add(entity.Heading);
        digest.Add(entity.Speed);
        digest.Add(entity.Health);
        digest.Add(entity.Dead ? 1 : 0, 1);
        const TAnimationHandler& animation = *entity.Animation;
        digest.Add(animation.Animation);
        digest.Add(animation.Time);
        digest.Add(animation.Duration);
        digest.Add(animation.Triggered ? 1 : 0, 1);
    }
    return digest.Value();
}
