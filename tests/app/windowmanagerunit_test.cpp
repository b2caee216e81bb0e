// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/windowmanagerunit.h"

#include <gtest/gtest.h>

namespace {

struct TOnScreenCase {
    const char* Title;
    TWindowGeometry Window;
    bool OnScreen;
};

class WindowOnScreen : public testing::TestWithParam<TOnScreenCase> {};

TEST_P(WindowOnScreen, OnlyAWindowWhollyOnItsScreenStays) {
    EXPECT_EQ(IsOnScreen(GetParam().Window), GetParam().OnScreen);
}

// An 800 x 600 window on a 1024 x 768 screen; each edge just inside and one pixel over.
INSTANTIATE_TEST_SUITE_P(
    Edges, WindowOnScreen,
    testing::Values(TOnScreenCase{"TopLeft", {0, 0, 800, 600, 1024, 768}, true},
                    TOnScreenCase{"BottomRight", {224, 168, 800, 600, 1024, 768}, true},
                    TOnScreenCase{"LeftOver", {-1, 0, 800, 600, 1024, 768}, false},
                    TOnScreenCase{"TopOver", {0, -1, 800, 600, 1024, 768}, false},
                    TOnScreenCase{"RightOver", {225, 0, 800, 600, 1024, 768}, false},
                    TOnScreenCase{"BottomOver", {0, 169, 800, 600, 1024, 768}, false}),
    [](const testing::TestParamInfo<TOnScreenCase>& info) { return info.param.Title; });

} // namespace
