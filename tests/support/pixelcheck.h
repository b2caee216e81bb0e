// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Comparing read-back pixels with expected colours, allowing for rounding in the rasteriser.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>

// Within 3 of each of the three colour bytes.
inline ::testing::AssertionResult NearColour(const std::array<uint8_t, 4>& pixel, uint8_t r,
                                             uint8_t g, uint8_t b) {
    const int want[3] = {r, g, b};
    for (int i = 0; i < 3; ++i)
        if (std::abs(pixel[i] - want[i]) > 3)
            return ::testing::AssertionFailure()
                   << "pixel (" << int(pixel[0]) << ", " << int(pixel[1]) << ", " << int(pixel[2])
                   << ") is not near (" << want[0] << ", " << want[1] << ", " << want[2] << ")";
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult NearColour(const std::array<uint8_t, 4>& pixel,
                                             const std::array<uint8_t, 3>& rgb) {
    return NearColour(pixel, rgb[0], rgb[1], rgb[2]);
}
