// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Counts heap allocations and their bytes: the program's global operator new is replaced to
// count each call.
#pragma once

// Allocations made so far by operator new and new[] in the whole program.
long AllocationCount();
// Bytes held now by blocks from operator new, and the most held since the last reset.
long long AllocatedBytes();
long long PeakAllocatedBytes();
void ResetPeakAllocatedBytes();
