// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "math/randomunit.h"

#include "support/gameworld.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <random>
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

// Replays recorded before the game mapped its own draws were dealt by GCC's
// std::uniform_int_distribution over the same engine; every value must still come out the same.
// The sizes include ones where about a third and a quarter of the draws are redrawn.
TEST(Random, DealsWhatTheStandardLibraryDealtHere) {
    for (uint32_t seed : {0u, 1u, 5489u, 20261210u, 4294967295u})
        for (int n :
             {1, 2, 3, 7, 10, 48, 100, 360, 1024, 1000003, (1 << 30) + 1, 1431655766, 2147483647}) {
            RandomSeed(seed);
            std::mt19937 engine(seed);
            for (int i = 0; i < 3000; ++i)
                ASSERT_EQ(Random(n), std::uniform_int_distribution<int>(0, n - 1)(engine))
                    << "seed " << seed << ", n " << n << ", draw " << i;
        }
}

// The same values wherever the game is built, whatever its standard library does.
struct TFixedDraws {
    uint32_t Seed;
    int N;
    std::array<int, 4> Values;
};

TEST(Random, DealsTheSameFixedValuesEverywhere) {
    const TFixedDraws table[] = {
        {1, 2, {0, 1, 1, 1}},
        {1, 48, {20, 47, 34, 44}},
        {1, 360, {150, 358, 259, 335}},
        {1, 1431655766, {597031948, 1031256708, 163754, 183430104}},
        {1, 2147483647, {895547922, 2141438068, 1546885061, 2002651683}},
        {2026, 2, {0, 1, 0, 1}},
        {2026, 48, {10, 36, 19, 46}},
        {2026, 360, {78, 275, 148, 346}},
        {2026, 1431655766, {1097520258, 591290632, 1376091112, 1398205807}},
    };
    for (const TFixedDraws& row : table) {
        RandomSeed(row.Seed);
        std::array<int, 4> values{};
        for (int& value : values)
            value = Random(row.N);
        EXPECT_EQ(values, row.Values) << "seed " << row.Seed << ", n " << row.N;
    }
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

struct TSeedText {
    const char* Text;
    std::optional<uint32_t> Seed;
};

void PrintTo(const TSeedText& c, std::ostream* out) {
    *out << '"' << (c.Text != nullptr ? c.Text : "(unset)") << '"';
}

class SeedText : public ::testing::TestWithParam<TSeedText> {};

TEST_P(SeedText, IsADecimalThirtyTwoBitNumberAndNothingElse) {
    EXPECT_EQ(ParseSeed(GetParam().Text), GetParam().Seed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SeedText,
    ::testing::Values(TSeedText{"7", 7u}, TSeedText{"0", 0u}, TSeedText{"4294967295", 4294967295u},
                      TSeedText{"4294967296", std::nullopt}, TSeedText{"-1", std::nullopt},
                      TSeedText{"7x", std::nullopt}, TSeedText{" 7", std::nullopt},
                      TSeedText{"abc", std::nullopt}, TSeedText{"+7", std::nullopt},
                      TSeedText{"", std::nullopt}, TSeedText{nullptr, std::nullopt}));

// Where the first level's entities stand after a new game from the seed.
std::vector<std::pair<float, float>> FirstField(uint32_t seed) {
    TGlobalWorldScope scope;
    const auto world = MakeHeadlessWorld();
    RandomSeed(seed);
    world->NewGame();
    std::vector<std::pair<float, float>> field;
    for (int i = 0; i < world->Count(); ++i)
        field.emplace_back(world->Items(i).Position.x, world->Items(i).Position.z);
    return field;
}

TEST(Seed, TheSameSeedDealsTheSameFieldAndTwoClockSeedsDifferentOnes) {
    EXPECT_EQ(FirstField(7), FirstField(7));
    const uint32_t first = ClockSeed();
    const uint32_t second = ClockSeed();
    ASSERT_NE(first, second);
    EXPECT_NE(FirstField(first), FirstField(second));
}

TEST(Seed, TheEnvironmentChoosesTheSeedUnlessItIsUnreadable) {
    setenv("QUELMARK_SEED", "4294967295", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ChooseSeed(), 4294967295u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    setenv("QUELMARK_SEED", "4294967296", 1);
    testing::internal::CaptureStderr();
    const uint32_t first = ChooseSeed();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "quelmark: QUELMARK_SEED \"4294967296\" is not a number from 0 to 4294967295; the "
              "clock seeds the game\n");
    testing::internal::CaptureStderr();
    EXPECT_NE(first, ChooseSeed()) << "from the clock";
    testing::internal::GetCapturedStderr();
    unsetenv("QUELMARK_SEED");
    testing::internal::CaptureStderr();
    ChooseSeed();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no seed asked for, nothing said";
}
