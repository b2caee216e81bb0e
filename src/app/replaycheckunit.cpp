// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/replaycheckunit.h"

#include "app/failureunit.h"
#include "app/keyboardunit.h"
#include "app/stateunit.h"
#include "game/gameunit.h"
#include "game/replayfilesunit.h"
#include "game/replayplayerunit.h"

#include <memory>
#include <optional>
#include <ostream>
#include <utility>

int RunReplayCheck(const std::string& fileName, std::ostream& out, std::ostream& err) {
    TReplay replay;
    try {
        replay = LoadReplayFile(fileName);
    } catch (const TReplayError& e) {
        err << "quelmark: replay " << fileName << ": " << e.what() << '\n';
        return 1;
    }
    // No sound, no pictures: the models alone, read without their meshes.
    TKeyState keys;
    TKeyState* const previousKeys = std::exchange(Global.KeyState, &keys);
    std::unique_ptr<TBaseList> world;
    std::optional<TReplayPlayer> player;
    bool matches = false;
    try {
        world = std::make_unique<TBaseList>();
        player.emplace(replay, *world, keys);
        matches = CheckReplay(*player) == TReplayPlayer::TResult::Matches;
    } catch (...) {
        Global.KeyState = previousKeys;
        err << "quelmark: " << DescribeFailure(std::current_exception()) << '\n';
        return 1;
    }
    Global.KeyState = previousKeys;
    if (!matches) {
        out << "replay " << fileName << ": diverges at step " << player->StepsDone() << " (level "
            << player->Level() << ")\n";
        return 2;
    }
    out << "replay " << fileName << ": level " << world->Level << ", score " << world->Score << ", "
        << player->StepsDone() << " steps, matches\n";
    return 0;
}
