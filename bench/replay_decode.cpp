// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Hostile replays: the time and the peak heap the reader spends before it answers
// (replay_decode [MIB]), or small ones written for the fuzz corpus (replay_decode --write DIR).
#include "allocationcounter.h"

#include "game/replayformatunit.h"
#include "support/hostilereplays.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const double mib = 1 << 20;
    if (argc > 2 && std::string(argv[1]) == "--write") {
        for (const auto& [name, bytes] : HostileReplays(64 << 10))
            std::ofstream(std::string(argv[2]) + "/hostile_" + name + ".qrp", std::ios::binary)
                << bytes;
        return 0;
    }
    const auto size = static_cast<size_t>((argc > 1 ? std::strtod(argv[1], nullptr) : 31) * mib);
    for (const auto& [name, bytes] : HostileReplays(size)) {
        ResetPeakAllocatedBytes();
        const long long before = AllocatedBytes();
        const auto start = std::chrono::steady_clock::now();
        std::string says = "read";
        try {
            DecodeReplay(bytes);
        } catch (const TReplayError& e) {
            says = e.what();
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-28s %5.1f MiB: %6.3f s, peak %6.1f MiB beside the bytes; %s\n", name.c_str(),
                    bytes.size() / mib, seconds, (PeakAllocatedBytes() - before) / mib,
                    says.c_str());
    }
}
