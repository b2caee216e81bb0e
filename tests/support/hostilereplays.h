// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Replay files made to cost the reader as much as they can, each about the size asked.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// (name, bytes): level ends alone, one-step runs alone, one-step runs each followed by a
// level end of a higher level, and the most steps one repeat can ask for.
std::vector<std::pair<std::string, std::string>> HostileReplays(size_t bytes);
