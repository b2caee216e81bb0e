// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/highscoreunit.h"

#include "app/filesaveunit.h"
#include "app/logunit.h"
#include "app/userdirectoryunit.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

} // namespace

THighscore::THighscore(std::string homeDirectory, std::string fileName)
    : FKnown(!homeDirectory.empty()), FDirectory(homeDirectory + "/.quelmark/"),
      FFileName(std::move(fileName)) {}

THighscore::THighscore() : THighscore(HomeDirectory()) {}

THighscore THighscore::InDirectory(std::string directory, std::string fileName) {
    THighscore table("", std::move(fileName));
    table.FKnown = !directory.empty();
    table.FDirectory = std::move(directory);
    return table;
}

void THighscore::Load() {
    FEntries.clear();
    if (FKnown) {
        const std::string path = Directory() + FFileName;
        WaitForSaveOf(path);
        std::error_code error;
        if (std::filesystem::exists(path, error)) {
            try {
                LoadScores(path);
                return;
            } catch (const THighscoreError& e) {
                WriteLog(e.what());
            }
        }
    }
    FEntries.clear();
    for (int i = 0; i < MaxEntries; ++i)
        Add("no one", 0);
}

void THighscore::Save() {
    std::cout << Directory() << std::endl;
    // The table on the screen is this one; the file follows off the frame.
    SaveSoon({Directory() + FFileName}, [table = *this] { table.Write(); });
}

void THighscore::Write() const {
    const std::string dir = Directory();
    if (!ReadySaveDirectory(FKnown ? dir : "", "highscores")) return;
    std::ostringstream text;
    WriteScores(text);
    SaveFileLogged(dir + FFileName, text.str());
}

void THighscore::Add(const std::string& name, int32_t score) {
    FEntries.push_back({CleanName(name), score});
    SortScores();
    while (Count() > MaxEntries)
        FEntries.erase(FEntries.begin() + MaxEntries);
}

bool THighscore::Admits(int32_t score) const {
    int rank = 0;
    for (const TEntry& entry : FEntries)
        rank += entry.Score >= score;
    return rank < MaxEntries;
}

void THighscore::SortScores() {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i + 1 < Count(); ++i) {
            if (Score(i) < Score(i + 1)) {
                std::swap(FEntries[i], FEntries[i + 1]);
                changed = true;
                break;
            }
        }
    }
}

void THighscore::LoadScores(const std::string& fileName) {
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        throw THighscoreError("Cannot read " + fileName + ": " + Reason(EISDIR));
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw THighscoreError("Cannot read " + fileName + ": " + Reason(errno));
    ReadScores(in);
    if (in.bad()) throw THighscoreError("Cannot read " + fileName + ": " + Reason(EIO));
}

void THighscore::ReadScores(std::istream& in) {
    FEntries.clear();
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back(); // edited on Windows
        const size_t blank = line.find(' ');
        if (blank == std::string::npos) continue;
        int32_t score = 0;
        const char* first = line.data();
        const char* last = first + blank;
        const auto [end, result] = std::from_chars(first, last, score);
        if (blank == 0 || result != std::errc() || end != last) continue;
        Add(line.substr(blank + 1), score);
    }
}

void THighscore::WriteScores(std::ostream& out) const {
    for (const TEntry& entry : FEntries)
        out << entry.Score << ' ' << CleanName(entry.Name) << '\n';
}

void THighscore::SaveScores(const std::string& fileName) const {
    std::ostringstream text;
    WriteScores(text);
    try {
        SaveFileReplacing(fileName, text.str());
    } catch (const TFileSaveError& e) {
        throw THighscoreError(e.what());
    }
}

std::string CleanName(const std::string& name) {
    std::string clean;
    clean.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte != 127) clean += c;
    }
    return clean;
}
