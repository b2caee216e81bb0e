// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/replaycheckunit.h"

#include "app/failureunit.h"
#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/stateunit.h"
#include "app/versionunit.h"
#include "assets/modelunit.h"
#include "game/gameunit.h"
#include "game/replayfilesunit.h"
#include "game/replayplayerunit.h"

#include <memory>
#include <optional>
#include <ostream>
#include <utility>

namespace {

// The log stays off for the check: it belongs to the game, not to where a check was started.
class TNoLog {
public:
    TNoLog() : FWas(SetLogging(false)) {}
    ~TNoLog() { SetLogging(FWas); }
    TNoLog(const TNoLog&) = delete;
    TNoLog& operator=(const TNoLog&) = delete;

private:
    bool FWas;
};

} // namespace

int RunReplayCheck(const std::string& fileName, std::ostream& out, std::ostream& err) {
    const TNoLog noLog;
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
        if (!Animated(*world)) {
            Global.KeyState = previousKeys;
            err << "quelmark: replay " << fileName
                << ": cannot be checked without the game's media (media/ in the folder it runs "
                   "from)\n";
            return 1;
        }
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
            << player->Level() << ")";
        // Another compiler or processor may compute the same game differently.
        if (replay.Build != BuildIdentity())
            out << "; it was recorded by another build (" << replay.Build << "), this is "
                << BuildIdentity();
        out << '\n';
        return 2;
    }
    out << "replay " << fileName << ": ";
    if (!replay.FieldDate.empty()) out << "today's field " << replay.FieldDate << ", ";
    out << "level " << world->Level << ", score " << world->Score << ", " << player->StepsDone()
        << " steps, matches\n";
    return 0;
}
