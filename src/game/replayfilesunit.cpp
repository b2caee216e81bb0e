// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replayfilesunit.h"

#include "app/filesaveunit.h"
#include "app/logunit.h"
#include "app/userdirectoryunit.h"
#include "app/versionunit.h"
#include "game/dailyfieldunit.h"
#include "game/highscoreunit.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// The name an unreadable best file is kept under: best-1.0.9.qrp for one of Quelmark 1.0.9,
// best-damaged.qrp when even the version cannot be read; -2, -3... when that name is taken.
std::string KeptName(const std::string& directory, const std::string& bestName,
                     const std::string& bytes) {
    std::string why = "damaged";
    try {
        const TReplayHeader header = ReadReplayHeader(bytes);
        const bool plain = !header.Version.empty() &&
                           std::all_of(header.Version.begin(), header.Version.end(), [](char c) {
                               return std::isalnum(static_cast<unsigned char>(c)) || c == '.' ||
                                      c == '-' || c == '+';
                           });
        if (plain && header.Version != RecordedName(GameVersion()))
            why = header.Version;
        else if (plain)
            why = header.Version + "-format-" + std::to_string(header.Format);
    } catch (const TReplayError&) {
    }
    const std::string stem = bestName.substr(0, bestName.size() - 4) + "-" + why;
    std::string name = stem + ".qrp";
    for (int n = 2; std::filesystem::exists(directory + name); ++n)
        name = stem + "-" + std::to_string(n) + ".qrp";
    return name;
}

std::optional<std::string> ReadWhole(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Whether this game can play the file; its steps are not read.
bool Readable(const std::string& bytes) {
    try {
        const TReplayHeader header = ReadReplayHeader(bytes);
        return header.Format >= OldestReplayFormat && header.Format <= ReplayFormatVersion &&
               header.Version == RecordedName(GameVersion());
    } catch (const TReplayError&) {
        return false;
    }
}

void KeepBest(const std::string& bytes, const std::string& directory, const std::string& bestName) {
    // A best game this version cannot play is still someone's best game: it is moved aside.
    if (const auto old = ReadWhole(directory + bestName); old && !Readable(*old)) {
        const std::string kept = KeptName(directory, bestName, *old);
        std::error_code error;
        std::filesystem::rename(directory + bestName, directory + kept, error);
        if (error) {
            WriteLog("Cannot keep " + directory + bestName + " as " + kept + ": " +
                     error.message() + "; the new best game is not saved");
            return;
        }
        WriteLog("Kept the best game this version cannot play as " + directory + kept);
    }
    SaveFileLogged(directory + bestName, bytes);
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
    WaitForSaveOf(fileName);
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) throw TReplayError(std::strerror(errno));
    const std::streamoff size = in.tellg();
    if (size < 0 || size > static_cast<std::streamoff>(MaxReplayBytes))
        throw TReplayError("not a Quelmark replay (too big)");
    in.seekg(0);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) throw TReplayError("cannot be read");
    return DecodeReplay(bytes);
}

std::optional<TReplayHeader> LoadReplayFileHeader(const std::string& fileName) {
    WaitForSaveOf(fileName);
    const std::optional<std::string> bytes = ReadWhole(fileName);
    if (!bytes) return std::nullopt;
    try {
        return ReadReplayHeader(*bytes);
    } catch (const TReplayError&) {
        return std::nullopt;
    }
}

std::string BestReplayFileName(TDifficulty difficulty) {
    return difficulty == TDifficulty::Classic
               ? "best.qrp"
               : std::string("best-") + DifficultySettingName(difficulty) + ".qrp";
}

bool RanksFirst(TReplayEnd end, int32_t score, const THighscore& table) {
    return end == TReplayEnd::Lost && table.Admits(score) &&
           (table.Count() == 0 || score > table.Score(0));
}

void KeepReplay(const TReplay& replay, const std::string& directory, bool best) {
    if (!ReadySaveDirectory(directory, "replay")) return;
    const std::string bytes = EncodeReplay(replay);
    SaveFileLogged(directory + "last.qrp", bytes);
    if (best)
        KeepBest(bytes, directory, BestReplayFileName(static_cast<TDifficulty>(replay.Difficulty)));
}

void KeepBestReplay(const TReplay& replay, const std::string& directory,
                    const std::string& bestName) {
    if (ReadySaveDirectory(directory, "replay"))
        KeepBest(EncodeReplay(replay), directory, bestName);
}

void KeepFieldGame(const TReplay& replay, TReplayEnd end, int32_t score,
                   const std::string& replayDirectory, const std::string& dailyDirectory) {
    const std::optional<TFieldDate> date = ParseFieldDate(replay.FieldDate);
    KeepReplay(replay, replayDirectory, false);
    if (!date || dailyDirectory.empty()) return;
    THighscore table = THighscore::InDirectory(dailyDirectory, DailyTableName(*date));
    table.Load();
    std::error_code error;
    if (!std::filesystem::exists(dailyDirectory + DailyTableName(*date), error)) table.Save();
    if (RanksFirst(end, score, table))
        KeepBestReplay(replay, dailyDirectory, DailyReplayName(*date));
}

std::optional<TReplay> BestReplay(const std::string& directory, TDifficulty difficulty) {
    if (directory.empty()) return std::nullopt;
    try {
        return LoadReplayFile(directory + BestReplayFileName(difficulty));
    } catch (const TReplayError&) {
        return std::nullopt;
    }
}
