// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/gameunit.h"

#include "app/keyboardunit.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "math/randomunit.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace gameunit {

TVector Add(const TVector& a, const TVector& b) {
    return {a.x + b.x, a.z + b.z};
}

TVector Subtract(const TVector& a, const TVector& b) {
    return {a.x - b.x, a.z - b.z};
}

void ScaleInPlace(TVector& v, float s) {
    v.x *= s;
    v.z *= s;
}

float Length(const TVector& v) {
    return static_cast<float>(
        std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.z) * v.z));
}

void NormaliseInPlace(TVector& v) {
    double length = std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.z) * v.z);
    if (length == 0) {
        v = {1, 0};
        return;
    }
    v = {static_cast<float>(v.x / length), static_cast<float>(v.z / length)};
}

float Distance(const TVector& a, const TVector& b) {
    double dx = static_cast<float>(a.x - b.x);
    double dz = static_cast<float>(a.z - b.z);
    return static_cast<float>(std::sqrt(dx * dx + dz * dz));
}

TVector Rotate(const TVector& v, float angle) {
    double c = static_cast<float>(std::cos(static_cast<double>(angle)));
    double s = static_cast<float>(std::sin(static_cast<double>(angle)));
    return {static_cast<float>(c * v.x + s * v.z), static_cast<float>(c * v.z - s * v.x)};
}

float HeadingOf(const TVector& v) {
    return static_cast<float>(std::atan2(static_cast<double>(v.x), static_cast<double>(v.z)));
}

float TurnFrom(float a, float b) {
    // Wrapping only d + 2 pi sent a heading that had drifted below zero the long way round.
    constexpr double Pi = std::numbers::pi;
    double d = std::remainder(static_cast<double>(b) - a, 2 * Pi);
    if (d <= -Pi) d += 2 * Pi;
    return static_cast<float>(d);
}

} // namespace gameunit

using namespace gameunit;

namespace {

constexpr float VikingTurnRate = 4.0f;
constexpr float VikingWalkSpeed = 6.5f;
constexpr float GrazerWalkSpeed = 2.0f; // sheep and rams
constexpr float SheepDrift = 0.2f;
constexpr float RamTurnRate = 1.0f;
constexpr float HoldLastFrame = 0.999999f;

bool IsAttack(int32_t animation) {
    return animation == eaAttack || animation == eaAttack2;
}

bool IsReeling(int32_t animation) {
    return animation == eaHit || animation == eaDeath;
}

const TKeyState NoKeys;

const TKeyState& Keys() {
    return Global.KeyState != nullptr ? *Global.KeyState : NoKeys;
}

int Sign(float v) {
    return (v > 0) - (v < 0);
}

} // namespace

void PlaySound(const std::string& name) {
    if (Global.MediaManager == nullptr) return;
    if (TSound* sound = Global.MediaManager->GetSound(name)) sound->Play();
}

TBase::TBase(TBaseList& world, TRealTimeModel& model)
    : World(&world), Animation(std::make_unique<TAnimationHandler>(model)) {
    Animation->Start(eaIdle, 3.0f);
    Animation->Advance(Random(100) / 100.0f);
}

void TBase::Update(float dt) {
    Age += dt;
    Step = Rotate({0, dt * Speed}, Heading);
    Position = Add(Position, Step);
}

void TBase::TakeBlow(const char* lastSound) {
    if (IsReeling(Animation->Animation)) return;
    Speed = 0;
    Animation->Start(eaHit, 0.3f);
    Health -= 1;
    PlaySound("hit0");
    if (Health == 0) PlaySound(lastSound);
}

void TBase::ChooseNextActivity() {
    if (Random(10) == 9) {
        Animation->Start(eaIdle, 2.0f);
        Speed = 0;
    } else {
        Animation->Start(eaWalk, 1.0f);
        Speed = GrazerWalkSpeed;
    }
}

void TBase::FinishCycle(int32_t points) {
    switch (Animation->Animation) {
    case eaHit:
        if (Health != 0) {
            ChooseNextActivity();
        } else {
            Animation->Start(eaDeath, 0.3f);
            Speed = 0;
        }
        break;
    case eaDeath:
        Dead = true;
        World->Score += points;
        break;
    default:
        ChooseNextActivity();
    }
}

bool ReachTest(const TBase& attacker, const TBase& target) {
    if (!(Distance(attacker.Position, target.Position) < 5.0f)) return false;
    gameunit::TVector front =
        Add(attacker.Position, Rotate({0, attacker.Radius + 1}, attacker.Heading));
    return Distance(front, target.Position) < target.Radius;
}

void AttackPass(TBase& attacker) {
    TBaseList& world = *attacker.World;
    for (int i = 0; i < world.Count(); ++i) {
        TBase& target = world.Items(i);
        if (&target != &attacker && ReachTest(attacker, target)) target.Hit();
    }
}

void TViking::Hit() {
    if (Grace > 0) return;
    const int32_t before = Health;
    TakeBlow("scream");
    // A killing bite gives none: the fallen viking must not blink out of sight for good.
    if (Health < before && Health > 0) Grace = BiteGraceSeconds(World->Difficulty);
}

bool TViking::BlinkedOut() const {
    // Five blinks a second: off for the second tenth of each fifth.
    return Grace > 0 && static_cast<int>(Grace * 10) % 2 == 1;
}

void TViking::Update(float dt) {
    if (Dead) return;
    Grace = Grace > dt ? Grace - dt : 0;
    const TKeyState& keys = Keys();
    if (keys.Left) Heading += VikingTurnRate * dt;
    if (keys.Right) Heading -= VikingTurnRate * dt;

    int32_t animation = Animation->Animation;
    auto walk = [&](float speed) {
        if (IsAttack(animation) || IsReeling(animation)) return;
        if (animation != eaWalk) Animation->Start(eaWalk, 1.0f);
        Speed = speed;
    };
    if (keys.Control) {
        if (!IsReeling(animation)) {
            Speed = 0;
            if (!IsAttack(animation)) Animation->Start(Random(2) == 1 ? eaAttack : eaAttack2, 0.6f);
        }
    } else if (keys.Up) {
        walk(VikingWalkSpeed);
    } else if (keys.Down) {
        walk(-VikingWalkSpeed);
    } else if (!IsReeling(animation)) {
        Speed = 0;
        if (animation != eaIdle) Animation->Start(eaIdle, 3.0f);
    }

    if (IsAttack(Animation->Animation) && Animation->CheckTrigger()) {
        PlaySound("swhoosh0");
        AttackPass(*this);
    }

    if (Animation->Advance(dt)) {
        if (Animation->Animation == eaHit && Health == 0) {
            Animation->Start(eaDeath, 1.0f);
        } else if (Animation->Animation != eaDeath) {
            Animation->Start(eaIdle, 3.0f);
        } else {
            // Keep the last frame of the fall on screen.
            Dead = true;
            Animation->Time = HoldLastFrame;
        }
    }
    TBase::Update(dt);
}

void TSheep::Hit() {
    TakeBlow("sheep");
}

void TSheep::Update(float dt) {
    if (Animation->Animation == eaWalk) Heading -= SheepDrift * dt;
    if (Animation->Advance(dt)) FinishCycle(5);
    TBase::Update(dt);
}

void TWolf::Hit() {
    TakeBlow("ramdie");
}

void TWolf::Update(float dt) {
    const TViking* player = World->Player;
    if (Animation->Animation == eaWalk && player != nullptr) {
        gameunit::TVector target =
            Distance(player->Position, Home) <= ChaseRadius ? player->Position : Home;
        float desired = HeadingOf(Subtract(target, Position));
        float d = TurnFrom(Heading, desired);
        float t = static_cast<float>(Sign(d)) * RamTurnRate * dt;
        if (std::abs(t) > std::abs(d)) t = d;
        Heading += t;
        if (ReachTest(*this, *player)) {
            Animation->Start(eaAttack, 1.0f);
            Speed = 0;
        }
    }
    if (Animation->Animation == eaAttack && Animation->CheckTrigger()) {
        PlaySound("rambite");
        AttackPass(*this);
    }
    if (Animation->Advance(dt)) FinishCycle(15);
    TBase::Update(dt);
}

TBaseList::TBaseList()
    : VikingModel(std::make_unique<TRealTimeModel>()),
      SheepModel(std::make_unique<TRealTimeModel>()), TreeModel(std::make_unique<TRealTimeModel>()),
      RamModel(std::make_unique<TRealTimeModel>()) {
    TNullMediaManager noMedia;
    TGenericMediaManager& media = Global.MediaManager != nullptr
                                      ? *Global.MediaManager
                                      : static_cast<TGenericMediaManager&>(noMedia);
    VikingModel->LoadFromFile("media/viking_weapon.model", media);
    SheepModel->LoadFromFile("media/sheep.model", media);
    TreeModel->LoadFromFile("media/tree1.model", media);
    RamModel->LoadFromFile("media/ram.model", media);
}

TBaseList::TBaseList(std::unique_ptr<TRealTimeModel> viking, std::unique_ptr<TRealTimeModel> sheep,
                     std::unique_ptr<TRealTimeModel> tree, std::unique_ptr<TRealTimeModel> ram)
    : VikingModel(std::move(viking)), SheepModel(std::move(sheep)), TreeModel(std::move(tree)),
      RamModel(std::move(ram)) {}

TBaseList::~TBaseList() = default;

TBase& TBaseList::Add(std::unique_ptr<TBase> entity) {
    if (dynamic_cast<TSheep*>(entity.get()) != nullptr) SheepCount += 1;
    FItems.push_back(std::move(entity));
    return *FItems.back();
}

void TBaseList::Clear() {
    FItems.clear();
}

void TBaseList::NewGame() {
    Clear();
    SheepCount = 0;
    Player = nullptr;
    Level = 0;
    Lives = 5;
    Score = 0;
    NewLevel();
}

namespace {

// A whole-numbered point of the field; the two coordinates are drawn x first.
gameunit::TVector RandomPoint() {
    float x = static_cast<float>(Random(48));
    float z = static_cast<float>(Random(48));
    return {x, z};
}

float RandomHeading() {
    return static_cast<float>(Random(360) * std::numbers::pi / 180);
}

} // namespace

void TBaseList::NewLevel() {
    if (Player != nullptr) Lives = HealthAfterClearing(Difficulty, Player->Health);
    Player = nullptr;
    Clear();
    SheepCount = 0;
    Level += 1;

    auto viking = std::make_unique<TViking>(*this, *VikingModel);
    viking->Position = RandomPoint();
    viking->Radius = 1.1f;
    viking->Height = 2.0f;
    viking->Health = Lives;
    Player = viking.get();
    Add(std::move(viking));

    for (int i = 0; i < 4; ++i) {
        auto tree = std::make_unique<TTree>(*this, *TreeModel);
        tree->Position = RandomPoint();
        tree->Radius = 1.1f;
        tree->Height = 4.0f;
        tree->Movable = false;
        Add(std::move(tree));
    }
    for (int i = 0; i < 2 * Level + 2; ++i) {
        auto sheep = std::make_unique<TSheep>(*this, *SheepModel);
        sheep->Position = RandomPoint();
        sheep->Radius = 1.4f;
        sheep->Height = 1.8f;
        sheep->Heading = RandomHeading();
        Add(std::move(sheep));
    }
    for (int i = 0; i < RamsOnLevel(Difficulty, Level); ++i) {
        auto ram = std::make_unique<TWolf>(*this, *RamModel);
        ram->Position = RandomPoint();
        ram->Home = RandomPoint();
        ram->ChaseRadius = GuardChaseRadius;
        ram->Radius = 1.4f;
        ram->Height = 1.8f;
        ram->Health = 8;
        ram->Heading = RandomHeading();
        Add(std::move(ram));
    }
    // The last two rams hunt the player wherever it goes.
    for (int i = Count() - 2; i < Count(); ++i)
        if (auto* ram = dynamic_cast<TWolf*>(&Items(i))) ram->Hunter = true;
    SetDifficulty(Difficulty);
}

void TBaseList::SetDifficulty(TDifficulty difficulty) {
    Difficulty = difficulty;
    const float radius = HuntersOnLevel(Difficulty, Level) ? HunterChaseRadius : GuardChaseRadius;
    for (const auto& entity : FItems)
        if (auto* ram = dynamic_cast<TWolf*>(entity.get()); ram != nullptr && ram->Hunter)
            ram->ChaseRadius = radius;
}

void TBaseList::Update(float dt) {
    // A stalled frame (or a clock gone backwards) must not fling anyone to infinity.
    if (!(dt > 0)) dt = 0;
    if (dt > MaxStep) dt = MaxStep;
    for (size_t i = 0; i < FItems.size(); ++i)
        FItems[i]->Update(dt);
    Collide();
    RemoveDead();
    SortPass();
}

namespace {

void Separate(TBase& a, TBase& b, float overlap) {
    gameunit::TVector n = Subtract(a.Position, b.Position);
    NormaliseInPlace(n);
    if (a.Movable == b.Movable) {
        ScaleInPlace(n, overlap / 2);
        a.Position = Subtract(a.Position, n);
        b.Position = Add(b.Position, n);
    } else if (a.Movable) {
        ScaleInPlace(n, overlap);
        a.Position = Subtract(a.Position, n);
    } else {
        ScaleInPlace(n, overlap);
        b.Position = Add(b.Position, n);
    }
}

void ClampAxis(float& v, float radius) {
    if (v < radius) v = radius;
    if (v > TBaseList::FieldSize - radius) v = TBaseList::FieldSize - radius;
}

} // namespace

void TBaseList::Collide() {
    for (auto& a : FItems) {
        for (auto& b : FItems) {
            if (a == b) continue;
            float overlap = Distance(a->Position, b->Position) - (a->Radius + b->Radius);
            if (overlap < 0) Separate(*a, *b, overlap);
        }
        ClampAxis(a->Position.x, a->Radius);
        ClampAxis(a->Position.z, a->Radius);
    }
}

void TBaseList::RemoveDead() {
    for (size_t i = FItems.size(); i-- > 0;) {
        TBase* entity = FItems[i].get();
        if (!entity->Dead || entity == Player) continue;
        if (dynamic_cast<TSheep*>(entity) != nullptr) SheepCount -= 1;
        FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TBaseList::SortPass() {
    for (size_t i = 0; i + 1 < FItems.size(); ++i)
        if (FItems[i]->Position.x > FItems[i + 1]->Position.x) std::swap(FItems[i], FItems[i + 1]);
}

TLevelOutcome StepLevel(TBaseList& world, float& endTimer, double dt) {
    constexpr float DecisionSeconds = 5;
    world.Update(static_cast<float>(dt));
    const TViking& player = *world.Player;
    if (world.SheepCount == 0 || player.Dead) endTimer += static_cast<float>(dt);
    if (endTimer <= DecisionSeconds) return TLevelOutcome::Playing;
    if (player.Dead || player.Animation->Animation == eaDeath || player.Health < 1)
        return TLevelOutcome::Lost;
    if (world.SheepCount == 0) return TLevelOutcome::Cleared;
    return TLevelOutcome::Playing;
}

bool Animated(const TBaseList& world) {
    for (const TRealTimeModel* model :
         {world.VikingModel.get(), world.SheepModel.get(), world.RamModel.get()})
        if (model->Animations.size() <= static_cast<size_t>(eaDeath)) return false;
    return world.VikingModel->Animations.size() > static_cast<size_t>(eaAttack2);
}
