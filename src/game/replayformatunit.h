// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A recorded game: its seed, every world step's time and held play keys, a digest of the
// world at each level's end and at the last step. The world is deterministic, so these are
// enough to play the game again exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class TKeyState;

// A replay that cannot be read; what() is one line saying why.
class TReplayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Format 3 added the date of today's field; format 2 files still play (no date).
inline constexpr uint16_t ReplayFormatVersion = 3;
inline constexpr uint16_t OldestReplayFormat = 2;
// What one replay may hold. The recorder stops at the first limit it meets (the file says
// so), the reader refuses more. Runs bound the memory: decoding any bytes, accepted or not,
// holds at most 12 bytes a run and 36 a level end beside the bytes themselves, under 25 MiB,
// and under 57 MiB with the largest file's bytes.
inline constexpr uint64_t MaxReplaySteps = uint64_t{1} << 24;
inline constexpr size_t MaxReplayRuns = size_t{1} << 21;
// Far beyond any level a player reaches.
inline constexpr size_t MaxReplayLevelEnds = 10000;
// Bigger than any file the recorder can write (at most 12 bytes a run and 11 a level end).
inline constexpr size_t MaxReplayBytes = size_t{32} << 20;
// The longest version or build text a file holds.
inline constexpr size_t MaxReplayNameLength = 64;

// The play keys, one bit each.
enum TReplayKey : uint8_t { rkLeft = 1, rkRight = 2, rkUp = 4, rkDown = 8, rkControl = 16 };
uint8_t HeldPlayKeys(const TKeyState& keys);
void HoldPlayKeys(uint8_t bits, TKeyState& keys);

// How the game ended; Cut: the recording stopped at a limit while the game went on.
enum class TReplayEnd : uint8_t { Lost = 1, Quit = 2, Cut = 3 };

// Count steps in a row with the same time and keys.
struct TReplayRun {
    uint32_t Count;
    uint32_t Milliseconds;
    uint8_t Keys;
    bool operator==(const TReplayRun&) const = default;
};

// A level ended after Step steps of the game, with the world as the digest says.
struct TReplayLevelEnd {
    uint64_t Step;
    int32_t Level;
    uint64_t Digest;
    bool operator==(const TReplayLevelEnd&) const = default;
};

struct TReplay {
    uint16_t Format = ReplayFormatVersion;
    std::string Version{};
    // Which compiler, standard library and processor made the game that recorded it.
    std::string Build{};
    uint32_t Seed = 0;
    // The rules: a TDifficulty, 0 the classic game.
    uint8_t Difficulty = 0;
    // "YYYY-MM-DD" for a game on that day's field, dealt from its seed on Classic rules; ""
    // for any other game. Format 3 on.
    std::string FieldDate{};
    std::vector<TReplayRun> Runs{};
    std::vector<TReplayLevelEnd> LevelEnds{};
    TReplayEnd End = TReplayEnd::Quit;
    // At the last step recorded.
    int32_t Level = 0;
    int32_t Score = 0;
    int32_t Health = 0;
    uint64_t Digest = 0;

    uint64_t Steps() const;
    bool operator==(const TReplay&) const = default;
};

// Appends one step, extending the last run when time and keys are the same.
void AppendStep(std::vector<TReplayRun>& runs, uint32_t milliseconds, uint8_t keys);

std::string EncodeReplay(const TReplay& replay);
// The replay the bytes hold; throws TReplayError for anything else, including a replay of
// another game or format version (the message names both versions), and a game that claims
// a day's field it was not dealt from. Another build of the same version is read.
TReplay DecodeReplay(const std::string& bytes);
// The version and build text as a file holds them.
std::string RecordedName(const std::string& name);

// What the start of a file says, read without its steps: a replay of another version is
// described too, as far as its format goes.
struct TReplayHeader {
    uint16_t Format = 0;
    std::string Version{};
    // Known from format 2 on.
    std::optional<int32_t> Score{};
    // Known from format 3 on; "" for a game not on a day's field.
    std::string FieldDate{};
};
// Throws TReplayError when the bytes do not start as a replay.
TReplayHeader ReadReplayHeader(const std::string& bytes);
