// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A password database of our own (nss_wrapper) for child processes, so the game's home
// directory is a throwaway folder and never the real user's.
#pragma once

#include <filesystem>
#include <map>
#include <string>

// The environment under which a child reads passwd and group from these files instead of
// the system's (the sanitizer preload stays in front).
std::map<std::string, std::string> FakePasswdEnvironment(const std::filesystem::path& passwd,
                                                         const std::filesystem::path& group);

// A passwd line for our real user id with this home directory.
std::string PasswdLineForMe(const std::string& home);

class TFakeHome {
public:
    // Creates dir/home and a passwd file in dir whose entry for us points there.
    explicit TFakeHome(const std::filesystem::path& dir);

    // FakePasswdEnvironment for those files, with HOME pointing elsewhere so that a game
    // reading HOME instead of the password database would miss the table, and without
    // XDG_CONFIG_HOME or XDG_STATE_HOME.
    std::map<std::string, std::string> Environment() const;

    std::filesystem::path Home;

private:
    std::filesystem::path FDir;
};
