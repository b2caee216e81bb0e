// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving a small file so that a crash mid-save never loses the old one.
#pragma once

#include <stdexcept>
#include <string>

// A save that failed; what() is "Cannot save <file>: <reason>".
class TFileSaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the bytes to a fresh temporary file beside fileName and renames it over, keeping the
// old file's permissions (0644 for a new one); throws TFileSaveError when any step fails, and
// then leaves no temporary behind.
void SaveFileReplacing(const std::string& fileName, const std::string& bytes);

// Creates the directory and its parents when missing; "" when it is there, else the reason.
std::string EnsureDirectory(const std::string& directory);

// What every file the game keeps does before its save: a directory of "" (no home known) logs
// "No home directory: <what> not saved", one that cannot be made logs "Cannot create
// <directory>: <reason>"; true when the save may go ahead.
bool ReadySaveDirectory(const std::string& directory, const std::string& what);

// SaveFileReplacing, its failure logged rather than thrown: the game goes on without the file.
// True when saved.
bool SaveFileLogged(const std::string& fileName, const std::string& bytes);
