// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/animationhandlerunit.h"

#include "assets/modelunit.h"

TAnimationHandler::TAnimationHandler(TRealTimeModel& model) : Model(&model) {
    Start(0, 1.0f);
}

void TAnimationHandler::Start(int32_t animation, float duration) {
    Time = 0;
    Animation = animation;
    Duration = duration;
    Triggered = false;
}

void TAnimationHandler::SetAnimationIndex(int32_t animation) {
    Animation = animation;
}

bool TAnimationHandler::Advance(float elapsed) {
    Time = static_cast<float>(Time + static_cast<double>(elapsed) / Duration);
    if (Time < 1) return false;
    Triggered = false;
    Time -= 1;
    return true;
}

bool TAnimationHandler::CheckTrigger() {
    if (Triggered || !Model->IsPastTrigger(Animation, Time)) return false;
    Triggered = true;
    return true;
}

void TAnimationHandler::Reset() {
    Time = 0;
    Triggered = false;
}

void TAnimationHandler::Apply() const {
    Model->Animate(Animation, Time);
}
