// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A recorded game: its seed, every world step's time and held play keys, a digest of the
// world at each level's end and at the last step. The world is deterministic, so these are
// enough to play the game again exactly.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class TKeyState;

// A replay that cannot be read; what() is one line saying why.
class TReplayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr uint16_t ReplayFormatVersion = 1;
// More steps than this (hours of play at any frame rate) is no game a player made.
inline constexpr uint64_t MaxReplaySteps = uint64_t{1} << 24;

// The play keys, one bit each.
enum TReplayKey : uint8_t { rkLeft = 1, rkRight = 2, rkUp = 4, rkDown = 8, rkControl = 16 };
uint8_t HeldPlayKeys(const TKeyState& keys);
void HoldPlayKeys(uint8_t bits, TKeyState& keys);

// How the game ended.
enum class TReplayEnd : uint8_t { Lost = 1, Quit = 2 };

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
    uint32_t Seed = 0;
    // The rules: a TDifficulty, 0 the classic game.
    uint8_t Difficulty = 0;
    std::vector<TReplayRun> Runs{};
    std::vector<TReplayLevelEnd> LevelEnds{};
    TReplayEnd End = TReplayEnd::Quit;
    int32_t Level = 0;
    int32_t Score = 0;
    int32_t Health = 0;
    uint64_t Digest = 0; // after the last step

    uint64_t Steps() const;
    bool operator==(const TReplay&) const = default;
};

// Appends one step, extending the last run when time and keys are the same.
void AppendStep(std::vector<TReplayRun>& runs, uint32_t milliseconds, uint8_t keys);

std::string EncodeReplay(const TReplay& replay);
// The replay the bytes hold; throws TReplayError for anything else, including a replay of
// another game or format version (the message names both versions).
TReplay DecodeReplay(const std::string& bytes);
