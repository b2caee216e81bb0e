// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/hostilereplays.h"

#include "app/versionunit.h"
#include "game/replayformatunit.h"

#include <cstdint>

namespace {

// A file that holds body in place of the steps of an empty game.
std::string WithBody(const std::string& body) {
    const std::string empty = EncodeReplay(TReplay{.Version = GameVersion()});
    const size_t end = empty.rfind('\xFF');
    return empty.substr(0, end) + body + empty.substr(end);
}

void PutVarint(std::string& out, uint64_t value) {
    for (; value >= 0x80; value >>= 7)
        out.push_back(static_cast<char>(0x80 | (value & 0x7F)));
    out.push_back(static_cast<char>(value));
}

// Steps of 1 and 0 ms in turn, each its own run, with a rising level end after each when asked.
std::string OneStepRuns(size_t bytes, bool levelEnds) {
    std::string body;
    bool up = true;
    for (uint64_t level = 1; body.size() + 16 <= bytes; ++level) {
        body.push_back(up ? '\x02' : '\x01'); // +1 ms, then -1 ms
        up = !up;
        if (levelEnds) {
            body.push_back('\xB0');
            PutVarint(body, level);
            body.append(8, '\0');
        }
    }
    return body;
}

} // namespace

std::vector<std::pair<std::string, std::string>> HostileReplays(size_t bytes) {
    const std::string levelEnd("\xB0\x01\0\0\0\0\0\0\0\0", 10);
    std::string levelEnds;
    while (levelEnds.size() + levelEnd.size() <= bytes)
        levelEnds += levelEnd;
    std::string repeat = "\x02\xA0";
    PutVarint(repeat, MaxReplaySteps);
    return {{"level_ends", WithBody(levelEnds)},
            {"one_step_runs", WithBody(OneStepRuns(bytes, false))},
            {"runs_and_rising_level_ends", WithBody(OneStepRuns(bytes, true))},
            {"huge_repeat", WithBody(repeat)}};
}
