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

class TBaseList;
class TKeyState;

// A replay that cannot be read; what() is one line saying why.
class TReplayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr uint16_t ReplayFormatVersion = 1;
// More steps than this (hours of play at any frame rate) is no game a player made.
inline constexpr uint64_t MaxReplaySteps = uint64_t{1} << 24;

// The game's own version, as --version prints it.
const std::string& GameVersion();

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

// What the world is: every entity's kind, place, heading, health and animation, and the
// level, lives, sheep and score; equal worlds have equal digests.
uint64_t WorldDigest(const TBaseList& world);

// Writes down a game as it is played.
class TReplayRecorder {
public:
    // A new game dealt from seed under the rules of difficulty; what was recorded before is
    // dropped.
    void Begin(uint32_t seed, uint8_t difficulty);
    // One world step of the given time with these keys held.
    void Step(uint32_t milliseconds, uint8_t keys);
    // The world has just been decided cleared, before the next level is built.
    void LevelEnd(const TBaseList& world);
    // The game ends here; the recording is handed over and recording stops.
    TReplay Finish(TReplayEnd end, const TBaseList& world);
    bool Recording() const { return FRecording; }
    const TReplay& Replay() const { return FReplay; }

private:
    bool FRecording = false;
    TReplay FReplay;
};

// Plays a replay on a world, one step at a time, checking each digest on the way.
class TReplayPlayer {
public:
    enum class TResult { Playing, LevelCleared, Matches, Diverges };

    // Sets the replay's difficulty on world, seeds the generator and deals the first level.
    TReplayPlayer(const TReplay& replay, TBaseList& world, TKeyState& keys);

    // One recorded step (the next level is built when this one was cleared), or the end.
    TResult Step();
    bool Finished() const { return FDone; }
    // Time of the step Step() plays next; 0 at the end.
    uint32_t NextMilliseconds() const;
    // Steps played so far; at a divergence, the step after which it was found.
    uint64_t StepsDone() const { return FStepsDone; }
    // The level being played, or where the divergence was found.
    int32_t Level() const { return FLevel; }
    // Time of the last step played, in seconds, as play measured it.
    double LastDt() const { return FLastDt; }
    // Recorded milliseconds played on the current level.
    uint64_t LevelMilliseconds() const { return FLevelMilliseconds; }

private:
    TResult Diverged();
    TResult CheckEnd(bool lost);

    const TReplay& FReplay;
    TBaseList& FWorld;
    TKeyState& FKeys;
    size_t FRun = 0;
    uint32_t FInRun = 0;
    size_t FNextLevelEnd = 0;
    uint64_t FStepsDone = 0;
    uint64_t FLevelMilliseconds = 0;
    int32_t FLevel = 1;
    float FEndTimer = 0;
    double FLastDt = 0;
    bool FDone = false;
    TResult FResult = TResult::Playing;
};

// Plays the whole replay as fast as it can; Matches or Diverges.
TReplayPlayer::TResult CheckReplay(TReplayPlayer& player);
