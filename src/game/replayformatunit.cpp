// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replayformatunit.h"

#include "app/keyboardunit.h"
#include "app/versionunit.h"
#include "game/dailyfieldunit.h"
#include "game/difficultyunit.h"

#include <algorithm>
#include <limits>

// The file: "QRPL", format (u16), game version and build (u8 length and bytes each), seed
// (u32), difficulty (u8), how the game ended (u8), level, score and health at the last step
// (zigzag), from format 3 the date of today's field (u8 length, 0 or 10, and "YYYY-MM-DD"),
// all little-endian; then one record after another, each opened by a tag byte:
//   0x00-0x7F  one step, its time the last step's plus the zigzag-coded delta -64..63
//   0x80-0x9F  the keys held from now on (the low five bits)
//   0xA0 n     n more steps like the last one
//   0xA1 ms    one step of ms milliseconds
//   0xB0 l d   level l ended here, the world's digest d (u64); levels rise, one a step at most
//   0xFF       the end: the last digest (u64)
// Numbers without a stated width are unsigned LEB128 varints. A steady frame rate costs one
// byte per step, and keys cost a byte only when they change.
namespace {

const char Magic[4] = {'Q', 'R', 'P', 'L'};
constexpr uint8_t TagKeys = 0x80, TagRepeat = 0xA0, TagAbsolute = 0xA1, TagLevelEnd = 0xB0,
                  TagEnd = 0xFF;
constexpr uint8_t KeyBits = 0x1F;

void PutVarint(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void PutFixed(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

uint64_t ZigZag(int64_t value) {
    return (static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63);
}

int64_t UnZigZag(uint64_t value) {
    return static_cast<int64_t>(value >> 1) ^ -static_cast<int64_t>(value & 1);
}

class TReader {
public:
    explicit TReader(const std::string& bytes) : FBytes(bytes) {}

    bool AtEnd() const { return FAt == FBytes.size(); }
    size_t At() const { return FAt; }

    uint8_t Byte() {
        if (AtEnd()) throw TReplayError("truncated at byte " + std::to_string(FAt));
        return static_cast<uint8_t>(FBytes[FAt++]);
    }
    uint64_t Fixed(int bytes) {
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint64_t{Byte()} << (8 * i);
        return value;
    }
    uint64_t Varint(uint64_t limit) {
        const size_t start = FAt;
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const uint8_t byte = Byte();
            const uint64_t bits = byte & 0x7F;
            if (shift == 63 && bits > 1) break;
            value |= bits << shift;
            if ((byte & 0x80) == 0) {
                if (value > limit) break;
                return value;
            }
        }
        throw Corrupt(start, "number out of range");
    }
    int32_t Signed() {
        const int64_t value = UnZigZag(Varint(std::numeric_limits<uint32_t>::max()));
        return static_cast<int32_t>(value);
    }
    std::string Text(size_t length) {
        if (FBytes.size() - FAt < length)
            throw TReplayError("truncated at byte " + std::to_string(FBytes.size()));
        std::string text = FBytes.substr(FAt, length);
        FAt += length;
        return text;
    }
    static TReplayError Corrupt(size_t at, const std::string& what) {
        return TReplayError("corrupt at byte " + std::to_string(at) + ": " + what);
    }

private:
    const std::string& FBytes;
    size_t FAt = 0;
};

std::string Printable(const std::string& text) {
    std::string out;
    for (const char c : text)
        out.push_back(c >= 32 && c < 127 ? c : '?');
    return out;
}

void AppendSteps(std::vector<TReplayRun>& runs, uint32_t milliseconds, uint8_t keys,
                 uint64_t count) {
    while (count > 0) {
        if (runs.empty() || runs.back().Milliseconds != milliseconds || runs.back().Keys != keys ||
            runs.back().Count == std::numeric_limits<uint32_t>::max())
            runs.push_back({0, milliseconds, keys});
        const uint64_t room = std::numeric_limits<uint32_t>::max() - runs.back().Count;
        const uint64_t take = std::min(room, count);
        runs.back().Count += static_cast<uint32_t>(take);
        count -= take;
    }
}

// A game on a day's field was dealt from that day's seed under the classic rules; a file that
// says otherwise claims a field it was not played on.
void CheckFieldDate(const TReplay& replay, size_t at) {
    const std::optional<TFieldDate> date = ParseFieldDate(replay.FieldDate);
    if (!date) throw TReader::Corrupt(at, "not a date");
    if (replay.Difficulty != 0)
        throw TReplayError("claims today's field of " + date->Text() +
                           ", which is played on Classic rules, but was played on " +
                           DifficultyLabel(static_cast<TDifficulty>(replay.Difficulty)));
    if (replay.Seed != FieldSeed(*date))
        throw TReplayError("claims today's field of " + date->Text() + " (seed " +
                           std::to_string(FieldSeed(*date)) + ") but was dealt from seed " +
                           std::to_string(replay.Seed));
}

} // namespace

uint8_t HeldPlayKeys(const TKeyState& keys) {
    return static_cast<uint8_t>((keys.Left ? rkLeft : 0) | (keys.Right ? rkRight : 0) |
                                (keys.Up ? rkUp : 0) | (keys.Down ? rkDown : 0) |
                                (keys.Control ? rkControl : 0));
}

void HoldPlayKeys(uint8_t bits, TKeyState& keys) {
    keys.Clear();
    keys.Left = (bits & rkLeft) != 0;
    keys.Right = (bits & rkRight) != 0;
    keys.Up = (bits & rkUp) != 0;
    keys.Down = (bits & rkDown) != 0;
    keys.Control = (bits & rkControl) != 0;
}

uint64_t TReplay::Steps() const {
    uint64_t steps = 0;
    for (const TReplayRun& run : Runs)
        steps += run.Count;
    return steps;
}

void AppendStep(std::vector<TReplayRun>& runs, uint32_t milliseconds, uint8_t keys) {
    AppendSteps(runs, milliseconds, keys, 1);
}

std::string EncodeReplay(const TReplay& replay) {
    std::string out(Magic, sizeof Magic);
    PutFixed(out, replay.Format, 2);
    for (const std::string& name : {RecordedName(replay.Version), RecordedName(replay.Build)}) {
        out.push_back(static_cast<char>(name.size()));
        out += name;
    }
    PutFixed(out, replay.Seed, 4);
    out.push_back(static_cast<char>(replay.Difficulty));
    out.push_back(static_cast<char>(replay.End));
    PutVarint(out, ZigZag(replay.Level));
    PutVarint(out, ZigZag(replay.Score));
    PutVarint(out, ZigZag(replay.Health));
    if (replay.Format >= 3) {
        const std::string date = replay.FieldDate.substr(0, 255);
        out.push_back(static_cast<char>(date.size()));
        out += date;
    }

    uint64_t position = 0;
    size_t nextEnd = 0;
    const auto levelEndsHere = [&] {
        for (; nextEnd < replay.LevelEnds.size() && replay.LevelEnds[nextEnd].Step <= position;
             ++nextEnd) {
            out.push_back(static_cast<char>(TagLevelEnd));
            PutVarint(out, static_cast<uint32_t>(replay.LevelEnds[nextEnd].Level));
            PutFixed(out, replay.LevelEnds[nextEnd].Digest, 8);
        }
    };
    uint8_t keys = 0;
    uint32_t last = 0;
    levelEndsHere();
    for (const TReplayRun& run : replay.Runs) {
        if ((run.Keys & KeyBits) != keys) {
            keys = run.Keys & KeyBits;
            out.push_back(static_cast<char>(TagKeys | keys));
        }
        uint64_t left = run.Count;
        while (left > 0) {
            uint64_t chunk = left;
            if (nextEnd < replay.LevelEnds.size())
                chunk = std::min(chunk, replay.LevelEnds[nextEnd].Step - position);
            const int64_t delta = int64_t{run.Milliseconds} - last;
            if (delta >= -64 && delta <= 63) {
                out.push_back(static_cast<char>(ZigZag(delta)));
            } else {
                out.push_back(static_cast<char>(TagAbsolute));
                PutVarint(out, run.Milliseconds);
            }
            last = run.Milliseconds;
            // A repeat costs two bytes or more; a few steps are cheaper one byte each.
            if (chunk > 3) {
                out.push_back(static_cast<char>(TagRepeat));
                PutVarint(out, chunk - 1);
            } else {
                out.append(static_cast<size_t>(chunk - 1), '\0');
            }
            position += chunk;
            left -= chunk;
            levelEndsHere();
        }
    }
    out.push_back(static_cast<char>(TagEnd));
    PutFixed(out, replay.Digest, 8);
    return out;
}

std::string RecordedName(const std::string& name) {
    return name.substr(0, MaxReplayNameLength);
}

namespace {

// A reader past the magic, which both the header and the whole file begin with.
TReader ReaderAfterMagic(const std::string& bytes) {
    if (bytes.size() < sizeof Magic || bytes.compare(0, sizeof Magic, Magic, sizeof Magic) != 0)
        throw TReplayError("not a Quelmark replay");
    TReader in(bytes);
    in.Text(sizeof Magic);
    return in;
}

} // namespace

TReplayHeader ReadReplayHeader(const std::string& bytes) {
    TReader in = ReaderAfterMagic(bytes);
    TReplayHeader header;
    header.Format = static_cast<uint16_t>(in.Fixed(2));
    header.Version = in.Text(in.Byte());
    if (header.Format >= 2) {
        in.Text(in.Byte()); // build
        in.Fixed(4 + 1 + 1);
        in.Signed(); // level
        header.Score = in.Signed();
    }
    if (header.Format >= 3) {
        in.Signed(); // health
        header.FieldDate = in.Text(in.Byte());
    }
    return header;
}

TReplay DecodeReplay(const std::string& bytes) {
    if (bytes.size() > MaxReplayBytes) throw TReplayError("not a Quelmark replay (too big)");
    TReader in = ReaderAfterMagic(bytes);
    TReplay replay;
    replay.Format = static_cast<uint16_t>(in.Fixed(2));
    replay.Version = in.Text(in.Byte());
    if (replay.Format < OldestReplayFormat || replay.Format > ReplayFormatVersion ||
        replay.Version != RecordedName(GameVersion()))
        throw TReplayError("made by Quelmark " + Printable(replay.Version) + " (replay format " +
                           std::to_string(replay.Format) + "), this is Quelmark " + GameVersion() +
                           " (replay format " + std::to_string(ReplayFormatVersion) + ")");
    const size_t buildAt = in.At();
    replay.Build = in.Text(in.Byte());
    // The writer cuts it there; a longer one is no file it made.
    if (replay.Build.size() > MaxReplayNameLength)
        throw TReader::Corrupt(buildAt, "build too long");
    replay.Seed = static_cast<uint32_t>(in.Fixed(4));
    replay.Difficulty = in.Byte();
    if (replay.Difficulty > static_cast<uint8_t>(TDifficulty::Gentle))
        throw TReader::Corrupt(in.At() - 1, "unknown difficulty");
    const size_t endAt = in.At();
    const uint8_t end = in.Byte();
    if (end < static_cast<uint8_t>(TReplayEnd::Lost) || end > static_cast<uint8_t>(TReplayEnd::Cut))
        throw TReader::Corrupt(endAt, "unknown end of game");
    replay.End = static_cast<TReplayEnd>(end);
    replay.Level = in.Signed();
    replay.Score = in.Signed();
    replay.Health = in.Signed();
    if (replay.Format >= 3) {
        const size_t dateAt = in.At();
        replay.FieldDate = in.Text(in.Byte());
        if (!replay.FieldDate.empty()) CheckFieldDate(replay, dateAt);
    }

    // Every run costs a byte at least, so this is all the memory the runs will take.
    replay.Runs.reserve(std::min(bytes.size(), MaxReplayRuns));
    uint64_t steps = 0, levelEndStep = 0;
    int32_t endedLevel = 0;
    uint32_t last = 0;
    uint8_t keys = 0;
    const auto addSteps = [&](uint32_t milliseconds, uint64_t count, size_t at) {
        if (count > MaxReplaySteps - steps) throw TReader::Corrupt(at, "too many steps");
        const bool extends = !replay.Runs.empty() &&
                             replay.Runs.back().Milliseconds == milliseconds &&
                             replay.Runs.back().Keys == keys;
        if (!extends && replay.Runs.size() == MaxReplayRuns)
            throw TReader::Corrupt(at, "too many runs");
        AppendSteps(replay.Runs, milliseconds, keys, count);
        steps += count;
        last = milliseconds;
    };
    for (;;) {
        const size_t at = in.At();
        const uint8_t tag = in.Byte();
        if (tag < TagKeys) {
            const int64_t time = int64_t{last} + UnZigZag(tag);
            if (time < 0) throw TReader::Corrupt(at, "negative step time");
            addSteps(static_cast<uint32_t>(time), 1, at);
        } else if ((tag & ~KeyBits) == TagKeys) {
            keys = tag & KeyBits;
        } else if (tag == TagRepeat) {
            addSteps(last, in.Varint(MaxReplaySteps), at);
        } else if (tag == TagAbsolute) {
            addSteps(static_cast<uint32_t>(in.Varint(std::numeric_limits<uint32_t>::max())), 1, at);
        } else if (tag == TagLevelEnd) {
            const auto level = static_cast<int32_t>(in.Varint(std::numeric_limits<int32_t>::max()));
            const uint64_t digest = in.Fixed(8);
            // A level ends after a step, once, and the next one ends later with a higher level.
            if (steps <= levelEndStep || level <= endedLevel)
                throw TReader::Corrupt(at, "level end out of order");
            if (replay.LevelEnds.size() == MaxReplayLevelEnds)
                throw TReader::Corrupt(at, "too many level ends");
            replay.LevelEnds.push_back({steps, level, digest});
            levelEndStep = steps;
            endedLevel = level;
        } else if (tag == TagEnd) {
            break;
        } else {
            throw TReader::Corrupt(at, "unknown record");
        }
    }
    replay.Digest = in.Fixed(8);
    if (!in.AtEnd()) throw TReader::Corrupt(in.At(), "bytes after the end");
    return replay;
}
