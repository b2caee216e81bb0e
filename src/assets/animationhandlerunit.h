// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The per-entity clock that poses a shared animated model at the entity's own phase.
#pragma once

#include <cstdint>

class TRealTimeModel;

class TAnimationHandler {
public:
    // Starts animation 0 with a run of one time unit.
    explicit TAnimationHandler(TRealTimeModel& model);

    // Plays animation from the start of its run, one run lasting duration.
    void Start(int32_t animation, float duration);
    // Switches the animation without touching the clock.
    void SetAnimationIndex(int32_t animation);
    // Moves the phase on by elapsed; true when the run ended (the phase wraps at most once).
    bool Advance(float elapsed);
    // True the first time in a run that the phase is at or past the animation's trigger.
    bool CheckTrigger();
    void Reset();
    // Poses the shared model for this handler's animation and phase.
    void Apply() const;

    bool Triggered = false;
    float Time = 0;
    float Duration = 1;
    int32_t Animation = 0;
    TRealTimeModel* Model; // shared with other handlers, never owned
};
