// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The game's own version, as the build names it; replays carry it.
const std::string& GameVersion();
// The compiler, standard library and processor of this build: another build of the same
// version may deal or compute differently.
const std::string& BuildIdentity();
