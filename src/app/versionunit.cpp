// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/versionunit.h"

const std::string& GameVersion() {
    static const std::string version = QUELMARK_VERSION;
    return version;
}
