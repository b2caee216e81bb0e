// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/xmlhelperunit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(FloatText, ReadsOnlyWholeFiniteNumbersWithADot) {
    EXPECT_EQ(StrToFloat("1.5"), 1.5f);
    EXPECT_EQ(StrToFloat("-0.25"), -0.25f);
    EXPECT_EQ(StrToFloat("+2"), 2.0f);
    EXPECT_EQ(StrToFloat("1e3"), 1000.0f);
    // Below the smallest float: zero, keeping the sign.
    EXPECT_EQ(StrToFloat("1e-50"), 0.0f);
    EXPECT_TRUE(std::signbit(StrToFloat("-2.5e-60")));
    for (const char* bad : {"", "1,5", "abc", "1.5x", " 1", "1 ", "nan", "inf", "1e99", "+"}) {
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    }
    try {
        StrToFloat("1,5");
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'1,5' is not a valid floating point value");
    }
}

TEST(FloatText, WritesTheShortestTextThatReadsBack) {
    EXPECT_EQ(FloatToStr(1.5f), "1.5");
    EXPECT_EQ(FloatToStr(0.1f), "0.1");
    EXPECT_EQ(FloatToStr(-3.0f), "-3");
    for (float value : {0.0f, 1.0f / 3.0f, -123456.79f, 1e-7f, 3.4e38f, 2.5e-30f})
        EXPECT_EQ(StrToFloat(FloatToStr(value)), value) << FloatToStr(value);
}

TEST(VectorElement, WritesXYZInOrderAndReadsBack) {
    auto node = WriteVector(TVector{1.5f, -2.0f, 0.125f});
    EXPECT_EQ(node->Name, "VECTOR");
    ASSERT_EQ(node->Children.Count(), 3);
    EXPECT_EQ(node->Children.Items(0).Name, "X");
    EXPECT_EQ(node->Children.Items(1).Name, "Y");
    EXPECT_EQ(node->Children.Items(2).Name, "Z");
    EXPECT_EQ(node->Children.Items(1).GetText(), "-2");
    node->Name = "POS"; // the model writer renames it; the reader does not care
    TVector back = ReadVector(*node);
    EXPECT_EQ(back.x, 1.5f);
    EXPECT_EQ(back.y, -2.0f);
    EXPECT_EQ(back.z, 0.125f);
}

TEST(VectorElement, MissingComponentNamesTheElement) {
    TXMLNode node("POS", ndTag);
    node.AddChild("X", "1");
    node.AddChild("Y", "2");
    try {
        ReadVector(node);
        FAIL();
    } catch (const EXMLError& e) {
        EXPECT_STREQ(e.what(), "Missing element Z in POS");
    }
    node.AddChild("Z", "three");
    EXPECT_THROW(ReadVector(node), EConvertError);
}

TEST(RequiredChildren, ConvertTheirText) {
    TXMLNode node("N", ndTag);
    node.AddChild("I", 12);
    node.AddChild("F", "0.5");
    EXPECT_EQ(ReadInteger(node, "I"), 12);
    EXPECT_EQ(ReadFloat(node, "F"), 0.5f);
    EXPECT_THROW(ReadInteger(node, "F"), EConvertError);
    EXPECT_THROW(ReadInteger(node, "J"), EXMLError);
}

} // namespace
