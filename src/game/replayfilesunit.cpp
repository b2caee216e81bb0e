// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replayfilesunit.h"

#include "app/filesaveunit.h"
#include "app/logunit.h"
#include "game/highscoreunit.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// Far beyond any real game (a step is about a byte); a bigger file is not read.
constexpr std::streamoff MaxFileBytes = std::streamoff{64} << 20;

bool Save(const std::string& fileName, const std::string& bytes) {
    try {
        SaveFileReplacing(fileName, bytes);
        return true;
    } catch (const TFileSaveError& e) {
        WriteLog(e.what());
        return false;
    }
}

} // namespace

std::string ReplayDirectory(const char* stateHome, const std::string& home) {
    const std::string base = XdgBaseDirectory(stateHome, home, ".local/state");
    return base.empty() ? "" : base + "/quelmark/replays/";
}

std::string ReplayDirectory() {
    return ReplayDirectory(std::getenv("XDG_STATE_HOME"), HomeDirectory());
}

TReplay LoadReplayFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) throw TReplayError(std::strerror(errno));
    const std::streamoff size = in.tellg();
    if (size < 0 || size > MaxFileBytes) throw TReplayError("not a Quelmark replay (too big)");
    in.seekg(0);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) throw TReplayError("cannot be read");
    return DecodeReplay(bytes);
}

std::string BestReplayFileName(TDifficulty difficulty) {
    return difficulty == TDifficulty::Classic
               ? "best.qrp"
               : std::string("best-") + DifficultySettingName(difficulty) + ".qrp";
}

void KeepReplay(const TReplay& replay, const std::string& directory) {
    if (directory.empty()) {
        WriteLog("No home directory: replay not saved");
        return;
    }
    if (const std::string reason = EnsureDirectory(directory); !reason.empty()) {
        WriteLog("Cannot create " + directory + ": " + reason);
        return;
    }
    const std::string bytes = EncodeReplay(replay);
    Save(directory + "last.qrp", bytes);
    const auto difficulty = static_cast<TDifficulty>(replay.Difficulty);
    const std::optional<TReplay> best = BestReplay(directory, difficulty);
    if (!best || replay.Score > best->Score)
        Save(directory + BestReplayFileName(difficulty), bytes);
}

std::optional<TReplay> BestReplay(const std::string& directory, TDifficulty difficulty) {
    if (directory.empty()) return std::nullopt;
    try {
        return LoadReplayFile(directory + BestReplayFileName(difficulty));
    } catch (const TReplayError&) {
        return std::nullopt;
    }
}
