// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Files made to cost the reader most, as big as it reads: it answers holding at most 12
// bytes a run and 24 a level end beside the bytes (under 25 MiB).
#include "allocationcounter.h"

#include "game/replayformatunit.h"

#include "support/hostilereplays.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplayReaderMemory, StaysWithinItsBoundOnHostileFiles) {
    // Runs reserved at once; level ends grown by doubling, the old block held while copied.
    const long long bound = 12 * static_cast<long long>(MaxReplayRuns) + 24 * (16384 + 8192);
    ASSERT_LT(bound, 25ll << 20);
    for (const auto& [name, bytes] : HostileReplays(MaxReplayBytes - 64)) {
        ASSERT_LE(bytes.size(), MaxReplayBytes) << name;
        ResetPeakAllocatedBytes();
        const long long before = AllocatedBytes();
        try {
            DecodeReplay(bytes);
        } catch (const TReplayError&) {
        }
        EXPECT_LE(PeakAllocatedBytes() - before, bound) << name;
        EXPECT_GT(PeakAllocatedBytes() - before, 0) << name;
    }
}

} // namespace
