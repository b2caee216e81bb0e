// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The ten best scores with their players' names, kept in ~/.quelmark/highscore.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

// A table file that cannot be read or written; what() names the file and the reason.
class THighscoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class THighscore {
public:
    static constexpr int MaxEntries = 10;

    // The table lives under homeDirectory + "/.quelmark/", in the file of that name ("highscore"
    // unless told); an empty home means no home is known.
    explicit THighscore(std::string homeDirectory, std::string fileName = "highscore");
    THighscore();
    // A table in that directory (ending in '/'; "" when none is known) instead.
    static THighscore InDirectory(std::string directory, std::string fileName);

    // Fills the table from the file, or with ten ("no one", 0) entries when there is none.
    // An unreadable file is logged and also gives the defaults.
    void Load();
    // Prints the directory on stdout, creates it when needed and writes the table (on the
    // installed save queue, if any). Failures are logged; the game goes on without the file.
    void Save();
    // Inserts at the entry's rank (below equal scores) and keeps the best ten.
    void Add(const std::string& name, int32_t score);
    // Whether Add would keep an entry of this score: it ranks below every equal score, so
    // a full table admits only a score above its last.
    bool Admits(int32_t score) const;

    int32_t Score(int index) const { return FEntries.at(index).Score; }
    const std::string& Strings(int index) const { return FEntries.at(index).Name; }
    int Count() const { return static_cast<int>(FEntries.size()); }

    // Replaces the table with the file's entries; throws THighscoreError when unreadable.
    void LoadScores(const std::string& fileName);
    // Writes the table beside the file and renames it over, so the old table survives any
    // crash mid-save; throws THighscoreError when that fails.
    void SaveScores(const std::string& fileName) const;
    // Best first; equal scores keep their order.
    void SortScores();

    // The parsing and printing behind LoadScores and SaveScores: one "score name" per line.
    // Lines that do not hold a decimal 32-bit score, a blank and a name are skipped.
    void ReadScores(std::istream& in);
    void WriteScores(std::ostream& out) const;

    // homeDirectory + "/.quelmark/", or the directory it was made for.
    const std::string& Directory() const { return FDirectory; }

private:
    // Save's writing part: directory, file and the log.
    void Write() const;

    struct TEntry {
        std::string Name;
        int32_t Score;
    };
    bool FKnown;
    std::string FDirectory;
    std::string FFileName;
    std::vector<TEntry> FEntries;
};

// The name without control bytes (0-31 and 127), so no name can break the table's lines.
std::string CleanName(const std::string& name);
