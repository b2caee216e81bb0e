// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/animationhandlerunit.h"

#include "assets/mediamanagerunit.h"
#include "assets/modelunit.h"

#include <gtest/gtest.h>

namespace {

std::string Offset(float x) {
    std::string v = "<X>" + std::to_string(x) + "</X><Y>0</Y><Z>0</Z>";
    std::string zero = "<X>0</X><Y>0</Y><Z>0</Z>";
    return "<POS>" + v + "</POS><ROT>" + zero + "</ROT><SCA>" + zero + "</SCA>";
}

std::string Pose(const std::string& name, float x) {
    return "<POSE><NAME>" + name + "</NAME><POSEITEM><MOVEDNODE>root</MOVEDNODE>" + Offset(x) +
           "</POSEITEM></POSE>";
}

std::string Key(const std::string& pose, int time, bool trigger = false) {
    return "<ANIMITEM><POSENAME>" + pose + "</POSENAME><TIME>" + std::to_string(time) + "</TIME>" +
           (trigger ? "<TRIGGER>true</TRIGGER>" : "") + "</ANIMITEM>";
}

// Animation 0 swings the root from x = 0 to 10 with its trigger at 30; animation 1 has
// no trigger key.
const std::string ModelFile =
    "<MODEL><NAME>swing</NAME><NODE><NAME>root</NAME><TEXTURE>nil</TEXTURE>" + Offset(0) +
    "<COLOR><RED>0</RED><GREEN>0</GREEN><BLUE>0</BLUE></COLOR>"
    "<GRAPHICALELEMENT><TYPE>none</TYPE></GRAPHICALELEMENT></NODE>" +
    Pose("low", 0) + Pose("high", 10) + "<ANIMATION><NAME>swing</NAME>" + Key("low", 0) +
    Key("high", 30, true) + Key("low", 100) + "</ANIMATION><ANIMATION><NAME>idle</NAME>" +
    Key("low", 0) + Key("high", 100) + "</ANIMATION></MODEL>";

class AnimationHandler : public ::testing::Test {
protected:
    AnimationHandler() {
        TModel source;
        TMemoryStream stream(ModelFile);
        source.LoadFromStream(stream, Media);
        Model.Init(source);
    }
    float RootX() const { return Model.Tree->Transformation.Position.x; }
    TNullMediaManager Media;
    TRealTimeModel Model;
};

TEST_F(AnimationHandler, StartsAtTheBeginningOfAnimationZero) {
    TAnimationHandler handler(Model);
    EXPECT_EQ(handler.Animation, 0);
    EXPECT_EQ(handler.Duration, 1.0f);
    EXPECT_EQ(handler.Time, 0.0f);
    EXPECT_FALSE(handler.Triggered);
    EXPECT_EQ(handler.Model, &Model);
}

TEST_F(AnimationHandler, AdvanceMeasuresInDurationsAndWrapsOnce) {
    TAnimationHandler handler(Model);
    handler.Start(2, 0.5f);
    EXPECT_FALSE(handler.Advance(0.25f));
    EXPECT_EQ(handler.Time, 0.5f);
    handler.Start(1, 2.0f);
    EXPECT_TRUE(handler.Advance(4.0f));
    EXPECT_EQ(handler.Time, 1.0f);
    EXPECT_TRUE(handler.Advance(0));
    EXPECT_EQ(handler.Time, 0.0f);
    EXPECT_FALSE(handler.Advance(0));
}

TEST_F(AnimationHandler, TriggerIsReportedOncePerRun) {
    TAnimationHandler handler(Model);
    handler.Start(0, 1.0f);
    std::vector<int> hits;
    for (int step = 0; step < 32; ++step) {
        handler.Advance(0.0625f);
        if (handler.CheckTrigger()) hits.push_back(step);
    }
    // Phase 0.3 is first passed after five steps of each sixteen-step run.
    EXPECT_EQ(hits, (std::vector<int>{4, 20}));
}

TEST_F(AnimationHandler, TriggerWithoutKeyIsHalfway) {
    TAnimationHandler handler(Model);
    handler.Start(1, 1.0f);
    handler.Time = 0.49f;
    EXPECT_FALSE(handler.CheckTrigger());
    handler.Time = 0.5f;
    EXPECT_TRUE(handler.CheckTrigger());
    EXPECT_FALSE(handler.CheckTrigger());
    handler.Reset();
    EXPECT_EQ(handler.Time, 0.0f);
    handler.Time = 0.7f;
    EXPECT_TRUE(handler.CheckTrigger());
}

TEST_F(AnimationHandler, SwitchingAnimationKeepsTheClock) {
    TAnimationHandler handler(Model);
    handler.Start(1, 3.0f);
    handler.Advance(1.5f);
    handler.Triggered = true;
    handler.SetAnimationIndex(0);
    EXPECT_EQ(handler.Animation, 0);
    EXPECT_EQ(handler.Time, 0.5f);
    EXPECT_EQ(handler.Duration, 3.0f);
    EXPECT_TRUE(handler.Triggered);
}

TEST_F(AnimationHandler, ApplyPosesTheSharedModelAtItsOwnPhase) {
    TAnimationHandler early(Model);
    TAnimationHandler late(Model);
    early.Start(1, 1.0f);
    late.Start(1, 1.0f);
    early.Advance(0.25f);
    late.Advance(0.75f);
    early.Apply();
    EXPECT_FLOAT_EQ(RootX(), 2.5f);
    late.Apply();
    EXPECT_FLOAT_EQ(RootX(), 7.5f);
    TAnimationHandler lost(Model);
    lost.Start(-3, 1.0f);
    lost.Apply();
    EXPECT_FALSE(lost.CheckTrigger());
    EXPECT_FLOAT_EQ(RootX(), 7.5f);
}

} // namespace
