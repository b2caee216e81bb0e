// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Counts heap allocations: the program's global operator new is replaced to count each call.
#pragma once

// Allocations made so far by operator new and new[] in the whole program.
long AllocationCount();
