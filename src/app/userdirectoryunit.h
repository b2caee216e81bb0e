// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the player's files go: the home directory and the XDG base directories below it.
#pragma once

#include <string>

// The real user's home from the password database; HOME when there is no entry; "" when
// neither is known.
std::string HomeDirectory();

// An XDG base directory: the variable's value when it is an absolute path (a relative one is
// ignored), else home + "/" + homeRelative; "" when neither is known.
std::string XdgBaseDirectory(const char* value, const std::string& home,
                             const std::string& homeRelative);
