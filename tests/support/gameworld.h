// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A game world without window, files or audio: meshless entity models, a media manager that
// records the sounds played, a scripted source of random draws.
#pragma once

#include "app/keyboardunit.h"
#include "assets/mediamanagerunit.h"
#include "game/gameunit.h"
#include "math/randomunit.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An entity model of one bare node: animations 0 to 5, each a two-key run whose trigger
// lies at triggerTime hundredths.
std::unique_ptr<TRealTimeModel> MakeEntityModel(int triggerTime = 50);
// A world holding four such models and no entities yet.
std::unique_ptr<TBaseList> MakeHeadlessWorld();

// Serves silent sounds and no meshes or textures. The world fetches a sound right before
// playing it, so the requests are the plays.
class TRecordingMediaManager : public TGenericMediaManager {
public:
    TMesh* GetMesh(const std::string&) override { return nullptr; }
    TTexture* GetTexture(const std::string&) override { return nullptr; }
    TSound* GetSound(const std::string& name) override;

    std::vector<std::string> Played;

private:
    std::map<std::string, std::unique_ptr<TSound>> FSounds;
};

// Answers draws from a script while it lives, recording each call; an empty script answers 0.
class TScriptedRandom : public TRandomSource {
public:
    explicit TScriptedRandom(std::vector<int> script = {});
    ~TScriptedRandom() override;
    TScriptedRandom(const TScriptedRandom&) = delete;
    TScriptedRandom& operator=(const TScriptedRandom&) = delete;

    int Next(int n) override;
    void Append(std::initializer_list<int> values) { Script.insert(Script.end(), values); }

    std::deque<int> Script;
    std::vector<std::pair<int, int>> Calls; // (n, value)

private:
    TRandomSource* FPrevious;
};

// Installs a key state and the recording media manager in Global for its lifetime.
class TGlobalWorldScope {
public:
    TGlobalWorldScope();
    ~TGlobalWorldScope();
    TGlobalWorldScope(const TGlobalWorldScope&) = delete;
    TGlobalWorldScope& operator=(const TGlobalWorldScope&) = delete;

    TKeyState Keys;
    TRecordingMediaManager Media;

private:
    TKeyState* FPreviousKeys;
    TGenericMediaManager* FPreviousMedia;
};
