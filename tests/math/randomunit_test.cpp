#include "math/randomunit.h"

#include "support/gameworld.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> Draws(int n, int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(Random(n));
    return values;
}

TEST(Random, SeedRepeatsTheSequence) {
    RandomSeed(1234);
    std::vector<int> first = Draws(1000, 50);
    RandomSeed(1234);
    EXPECT_EQ(Draws(1000, 50), first);
    RandomSeed(4321);
    EXPECT_NE(Draws(1000, 50), first);
}

TEST(Random, StaysWithinRangeAndReachesBothEnds) {
    RandomSeed(7);
    for (int n : {1, 2, 10, 48, 360}) {
        std::vector<int> values = Draws(n, 4000);
        for (int v : values)
            ASSERT_TRUE(v >= 0 && v < n) << n;
        EXPECT_EQ(*std::min_element(values.begin(), values.end()), 0) << n;
        EXPECT_EQ(*std::max_element(values.begin(), values.end()), n - 1) << n;
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}

TEST(Random, InstalledSourceAnswersAndRecordsUntilItGoes) {
    RandomSeed(99);
    std::vector<int> expected = Draws(100, 3);
    RandomSeed(99);
    {
        TScriptedRandom script({7, 3});
        EXPECT_EQ(Random(10), 7);
        EXPECT_EQ(Random(0), 0); // not asked
        EXPECT_EQ(Random(48), 3);
        EXPECT_EQ(Random(2), 0); // the script has run out
        EXPECT_EQ(script.Calls, (std::vector<std::pair<int, int>>{{10, 7}, {48, 3}, {2, 0}}));
    }
    // The generator was left untouched meanwhile.
    EXPECT_EQ(Draws(100, 3), expected);
}

} // namespace
