// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the high-score reader: whatever the file held, the table must come
// out best first, at most ten entries, with names that cannot break a line, and a save of it
// must read back as the same table.
#include "game/highscoreunit.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

bool Equal(const THighscore& a, const THighscore& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i)
        if (a.Score(i) != b.Score(i) || a.Strings(i) != b.Strings(i)) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    THighscore table("");
    table.ReadScores(in);
    if (table.Count() > THighscore::MaxEntries) std::abort();
    for (int i = 0; i < table.Count(); ++i) {
        if (i > 0 && table.Score(i - 1) < table.Score(i)) std::abort();
        if (CleanName(table.Strings(i)) != table.Strings(i)) std::abort();
    }
    std::ostringstream out;
    table.WriteScores(out);
    std::istringstream back(out.str());
    THighscore again("");
    again.ReadScores(back);
    if (!Equal(table, again)) std::abort();
    return 0;
}
