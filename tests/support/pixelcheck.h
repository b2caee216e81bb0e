// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Comparing pixels with expected colours, allowing for rounding in the rasteriser.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>

// Within tolerance of each of the three colour bytes (alpha aside); the default of 3 allows
// for the rasteriser's rounding.
template <size_t N, size_t M>
::testing::AssertionResult NearColour(const std::array<uint8_t, N>& pixel,
                                      const std::array<uint8_t, M>& want, int tolerance = 3) {
    static_assert(N >= 3 && M >= 3);
    for (int i = 0; i < 3; ++i)
        if (std::abs(pixel[i] - want[i]) > tolerance)
            return ::testing::AssertionFailure()
                   << "pixel (" << int(pixel[0]) << ", " << int(pixel[1]) << ", " << int(pixel[2])
                   << ") is not within " << tolerance << " of (" << int(want[0]) << ", "
                   << int(want[1]) << ", " << int(want[2]) << ")";
    return ::testing::AssertionSuccess();
}

template <size_t N>
::testing::AssertionResult NearColour(const std::array<uint8_t, N>& pixel, uint8_t r, uint8_t g,
                                      uint8_t b, int tolerance = 3) {
    return NearColour(pixel, std::array<uint8_t, 3>{r, g, b}, tolerance);
}
