// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A throwaway working directory for tests that write files (the log, media, saves).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class TTestDir {
public:
    // Creates a fresh directory under the system temp dir and makes it the working directory.
    TTestDir();
    // Returns to the previous working directory and removes the directory with its contents.
    ~TTestDir();
    TTestDir(const TTestDir&) = delete;
    TTestDir& operator=(const TTestDir&) = delete;

    const std::filesystem::path& Path() const { return Dir; }
    // Writes a file (relative to the directory) with the given bytes, creating parent folders.
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    // The whole content of a file, or "" when it does not exist.
    std::string ReadFile(const std::string& relative) const;
    // The messages of the game's log in the directory, without their time stamps.
    std::vector<std::string> LogMessages() const;

private:
    std::filesystem::path Dir;
    std::filesystem::path Previous;
};
