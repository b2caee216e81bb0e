#include "app/mainunit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(FullScreenArgument, OnlyAnExactFirstArgument) {
    EXPECT_TRUE(WantsFullScreen({"-fs"}));
    EXPECT_TRUE(WantsFullScreen({"-fs", "more"}));
    EXPECT_FALSE(WantsFullScreen({}));
    EXPECT_FALSE(WantsFullScreen({"-FS"}));
    EXPECT_FALSE(WantsFullScreen({"x", "-fs"}));
    EXPECT_FALSE(WantsFullScreen({"-fs "}));
    EXPECT_FALSE(WantsFullScreen({"--fs"}));
}

} // namespace
