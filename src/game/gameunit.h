// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game world: the viking, sheep, rams and trees on the fenced field, and their rules.
#pragma once

#include "assets/animationhandlerunit.h"
#include "assets/modelunit.h"
#include "game/difficultyunit.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gameunit {

// A point or direction on the ground plane; kept apart from the 3-D vector on purpose.
struct TVector {
    float x, z;
};
static_assert(sizeof(TVector) == 8);

TVector Add(const TVector& a, const TVector& b);
TVector Subtract(const TVector& a, const TVector& b);
void ScaleInPlace(TVector& v, float s);
float Length(const TVector& v);
// A zero vector becomes (1, 0), so coincident things still get a direction.
void NormaliseInPlace(TVector& v);
float Distance(const TVector& a, const TVector& b);
// Heading 0 faces +z; growing angles turn towards +x.
TVector Rotate(const TVector& v, float angle);
// The heading that faces along v; 0 for the zero vector.
float HeadingOf(const TVector& v);
// The shortest turn from heading a to heading b, in (-pi, pi], however far either has
// wandered from 0 (headings accumulate freely).
float TurnFrom(float a, float b);

} // namespace gameunit

class TBaseList;

// Animation indices every entity model provides.
enum TEntityAnimation : int32_t {
    eaIdle = 0,
    eaWalk = 1,
    eaAttack = 2,
    eaHit = 3,
    eaDeath = 4,
    eaAttack2 = 5, // the viking's second swing
};

// Anything on the field. Every kind shares its model; the animation clock is its own.
class TBase {
public:
    // Health 4, idle for 3 s from a random phase so that a flock does not move in step.
    TBase(TBaseList& world, TRealTimeModel& model);
    virtual ~TBase() = default;
    TBase(const TBase&) = delete;
    TBase& operator=(const TBase&) = delete;

    // What the kind does when struck.
    virtual void Hit() = 0;
    // Ages the entity and moves it along its heading at its speed.
    virtual void Update(float dt);

    gameunit::TVector Step{0, 0}; // displacement of the last update
    float Radius = 0;
    float Height = 0; // centre height for the see-through test of trees
    int32_t Health = 4;
    bool Dead = false;
    gameunit::TVector Position{0, 0};
    float Heading = 0;
    float Speed = 0;
    TBaseList* World; // not owned
    std::unique_ptr<TAnimationHandler> Animation;
    bool Movable = true;
    float Age = 0;

protected:
    // The blow shared by the viking, sheep and rams; lastSound is played on the killing one.
    void TakeBlow(const char* lastSound);
    // Sheep and rams: idle one time in ten, otherwise walk.
    void ChooseNextActivity();
    // Sheep and rams after a completed cycle; points are scored when the death has run.
    void FinishCycle(int32_t points);
};

// True when target stands within the blow of attacker: close, and the point just before
// the attacker's front lies inside the target.
bool ReachTest(const TBase& attacker, const TBase& target);
// Strikes every other entity in reach, in list order, the attacker's own kind included.
void AttackPass(TBase& attacker);
// Plays a sound of the media manager once; silent when there is no manager or sound.
void PlaySound(const std::string& name);

// The player's character, steered with the arrows and Ctrl.
class TViking : public TBase {
public:
    using TBase::TBase;
    void Hit() override;
    void Update(float dt) override;
    // While the grace after a bite lasts, blinking: true for the moments it is not drawn.
    bool BlinkedOut() const;

    // Seconds left in which a bite does not count (Gentle, after a bite).
    float Grace = 0;
};

// The prey: wanders in slow circles.
class TSheep : public TBase {
public:
    using TBase::TBase;
    void Hit() override;
    void Update(float dt) override;
};

// How near the player a ram guarding its home must come to be hunted, and the reach of a hunter
// (the whole field).
inline constexpr float GuardChaseRadius = 20;
inline constexpr float HunterChaseRadius = 1000;

// The ram: guards its home point, hunts the player who comes near it, butts what is before it.
class TWolf : public TBase {
public:
    using TBase::TBase;
    void Hit() override;
    void Update(float dt) override;

    gameunit::TVector Home{0, 0};
    float ChaseRadius = GuardChaseRadius;
    // One of the level's last two rams, which may hunt across the whole field.
    bool Hunter = false;
};

// A fixed obstacle: never moves, never animates, shrugs off blows.
class TTree : public TBase {
public:
    using TBase::TBase;
    void Hit() override {}
};

// The world: owns the entities and the four shared models, and keeps level, lives and score.
class TBaseList {
public:
    static constexpr float FieldSize = 48;
    // The longest step one update takes; a longer frame is simulated as this long.
    static constexpr float MaxStep = 1.0f;

    // Loads the four models from media/ with the media manager of Global.
    TBaseList();
    // Uses the given models (for a world without files, meshes or window).
    TBaseList(std::unique_ptr<TRealTimeModel> viking, std::unique_ptr<TRealTimeModel> sheep,
              std::unique_ptr<TRealTimeModel> tree, std::unique_ptr<TRealTimeModel> ram);
    ~TBaseList();
    TBaseList(const TBaseList&) = delete;
    TBaseList& operator=(const TBaseList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TBase& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    // Appends the entity, counting sheep.
    TBase& Add(std::unique_ptr<TBase> entity);
    // Frees every entity.
    void Clear();

    // Level 1 with five lives and no score.
    void NewGame();
    // Builds the next level; the viking's health carries over (Gentle gives a point back).
    void NewLevel();
    // One frame: every entity, collisions, fence, removal of the dead, one sorting pass by x.
    void Update(float dt);

    int32_t SheepCount = 0;
    TViking* Player = nullptr; // also held in the list
    std::unique_ptr<TRealTimeModel> VikingModel, SheepModel, TreeModel, RamModel;
    int32_t Level = 0;
    int32_t Lives = 5;
    int32_t Score = 0;
    // Read as each level is built and cleared; a new game keeps it.
    TDifficulty Difficulty = TDifficulty::Classic;
    // Changes the difficulty of the level already built too (its hunters).
    void SetDifficulty(TDifficulty difficulty);

private:
    void Collide();
    void RemoveDead();
    void SortPass();

    std::vector<std::unique_ptr<TBase>> FItems;
};

// What a frame of play decided: play goes on, or the level is over one way or the other.
enum class TLevelOutcome { Playing, Cleared, Lost };

// One frame of play: advances the world by dt and decides the level five seconds after the
// last sheep or the viking fell, counting those seconds in endTimer.
TLevelOutcome StepLevel(TBaseList& world, float& endTimer, double dt);

// Whether the world's models carry their animations. Without the media the world still loads,
// but its models do not move: no blow would land, and a game played or checked so is not the
// game.
bool Animated(const TBaseList& world);
