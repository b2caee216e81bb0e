// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/gameworld.h"

#include "app/stateunit.h"

std::unique_ptr<TRealTimeModel> MakeEntityModel(int triggerTime) {
    TModel model;
    model.Root->Name = "body";
    TPose& rest = model.Poses.Add(std::make_unique<TPose>());
    rest.Name = "rest";
    TPose& lean = model.Poses.Add(std::make_unique<TPose>());
    lean.Name = "lean";
    lean.FindDelta("body", true)->Rotation.x = 20;
    for (int animation = eaIdle; animation <= eaAttack2; ++animation) {
        TAnimation& run = model.Animations.Add(std::make_unique<TAnimation>());
        for (auto [pose, time] : {std::pair{"rest", 0}, {"lean", triggerTime}, {"rest", 100}}) {
            TAnimationKey& key = run.Keys.Add(std::make_unique<TAnimationKey>());
            key.PoseName = pose;
            key.Time = time;
            key.Trigger = time == triggerTime;
        }
    }
    auto instance = std::make_unique<TRealTimeModel>();
    instance->Init(model);
    return instance;
}

std::unique_ptr<TBaseList> MakeHeadlessWorld() {
    return std::make_unique<TBaseList>(MakeEntityModel(), MakeEntityModel(), MakeEntityModel(),
                                       MakeEntityModel());
}

TSound* TRecordingMediaManager::GetSound(const std::string& name) {
    Played.push_back(name);
    std::unique_ptr<TSound>& sound = FSounds[name];
    if (!sound) {
        sound = std::make_unique<TSound>();
        sound->SetName(name);
    }
    return sound.get();
}

TScriptedRandom::TScriptedRandom(std::vector<int> script)
    : Script(script.begin(), script.end()), FPrevious(SetRandomSource(this)) {}

TScriptedRandom::~TScriptedRandom() {
    SetRandomSource(FPrevious);
}

int TScriptedRandom::Next(int n) {
    int value = 0;
    if (!Script.empty()) {
        value = Script.front();
        Script.pop_front();
    }
    Calls.emplace_back(n, value);
    return value;
}

TGlobalWorldScope::TGlobalWorldScope()
    : FPreviousKeys(Global.KeyState), FPreviousMedia(Global.MediaManager) {
    Global.KeyState = &Keys;
    Global.MediaManager = &Media;
}

TGlobalWorldScope::~TGlobalWorldScope() {
    Global.KeyState = FPreviousKeys;
    Global.MediaManager = FPreviousMedia;
}
