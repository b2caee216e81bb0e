// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/wavwriter.h"

#include <cstdint>

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string MakeWav(double seconds, int frequency) {
    const uint32_t rate = 22050, channels = 2, bytesPerSample = 2;
    const auto frames = static_cast<uint32_t>(seconds * rate);
    const uint32_t dataSize = frames * channels * bytesPerSample;
    std::string out = "RIFF";
    Put(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    Put(out, 16, 4);
    Put(out, 1, 2); // PCM
    Put(out, channels, 2);
    Put(out, rate, 4);
    Put(out, rate * channels * bytesPerSample, 4);
    Put(out, channels * bytesPerSample, 2);
    Put(out, 8 * bytesPerSample, 2);
    out += "data";
    Put(out, dataSize, 4);
    const uint32_t half = rate / (2 * static_cast<uint32_t>(frequency));
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<uint16_t>((i / half) % 2 == 0 ? 8000 : -8000);
        Put(out, sample, 2);
        Put(out, sample, 2);
    }
    return out;
}
