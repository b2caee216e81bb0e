// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/userdirectoryunit.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

std::string HomeDirectory() {
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] != '\0')
        return entry->pw_dir;
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

std::string XdgBaseDirectory(const char* value, const std::string& home,
                             const std::string& homeRelative) {
    if (value != nullptr && value[0] == '/') return value;
    if (home.empty()) return "";
    return home + "/" + homeRelative;
}
