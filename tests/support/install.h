// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Installs the built game into a staging folder, as a packager's DESTDIR install would.
#pragma once

#include <filesystem>
#include <string>

// Runs `cmake --install` of the test build with prefix /usr into destDir; returns
// destDir/usr, the staged prefix. Throws std::runtime_error with cmake's output on failure.
std::filesystem::path StageInstall(const std::filesystem::path& destDir);

// Runs a shell command (without the sanitizer preload) and returns its exit status, with
// standard output and error together in output.
int RunStatus(const std::string& command, std::string& output);
