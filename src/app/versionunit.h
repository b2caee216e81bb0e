// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The game's own version, as the build names it; replays carry it.
const std::string& GameVersion();
