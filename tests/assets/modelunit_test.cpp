// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/modelunit.h"

#include "assets/mediamanagerunit.h"
#include "assets/xmlparser.h"
#include "support/testdir.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class TNamedMesh : public TMesh {
public:
    explicit TNamedMesh(const std::string& name) { FName = name; }
    void Draw() override {}
};

// Serves a named mesh or texture for every name except "missing"; uploads nothing.
class TStubMedia : public TCachedMediaManager {
protected:
    std::unique_ptr<TMesh> LoadMesh(const std::string& name) override {
        if (name == "missing") return nullptr;
        return std::make_unique<TNamedMesh>(name);
    }
    std::unique_ptr<TTexture> LoadTexture(const std::string& name) override {
        if (name == "missing") return nullptr;
        auto texture = std::make_unique<TTexture>();
        texture->SetName(name);
        return texture;
    }
    std::unique_ptr<TSound> LoadSound(const std::string&) override { return nullptr; }
};

std::string Tag(const std::string& name, const std::string& content) {
    return "<" + name + ">" + content + "</" + name + ">";
}

std::string Vec(const std::string& name, const std::string& x, const std::string& y,
                const std::string& z) {
    return Tag(name, Tag("X", x) + Tag("Y", y) + Tag("Z", z));
}

std::string Node(const std::string& name, const std::string& texture, const std::string& color,
                 const std::string& element, const std::string& children = "") {
    return Tag("NODE", Tag("NAME", name) + Tag("TEXTURE", texture) + Vec("POS", "0", "1.5", "-2") +
                           Vec("ROT", "90", "0", "0") + Vec("SCA", "1", "1", "1") +
                           Tag("COLOR", color) + Tag("GRAPHICALELEMENT", element) + children);
}

std::string Rgb(int r, int g, int b) {
    return Tag("RED", std::to_string(r)) + Tag("GREEN", std::to_string(g)) +
           Tag("BLUE", std::to_string(b));
}

std::string Key(const std::string& pose, int time, const std::string& trigger) {
    return Tag("ANIMITEM",
               Tag("POSENAME", pose) + Tag("TIME", std::to_string(time)) + Tag("TRIGGER", trigger));
}

// Exactly the shape the writer produces.
const std::string Canonical =
    Tag("MODEL",
        Tag("NAME", "sheep") +
            Node("body", "wool", Rgb(255, 128, 0), Tag("TYPE", "mesh") + Tag("MESH", "box"),
                 Node("head", "nil", Rgb(1, 2, 3), Tag("TYPE", "none")) +
                     Node("leg", "nil", Rgb(0, 0, 0),
                          Tag("TYPE", "reference") + Tag("REFERENCE", "0")) +
                     Node("ghost", "nil", Rgb(9, 9, 9), Tag("TYPE", "model") + Tag("MODEL", ""))) +
            Tag("POSE",
                Tag("NAME", "up") +
                    Tag("POSEITEM", Tag("MOVEDNODE", "head") + Vec("POS", "0.25", "0", "0") +
                                        Vec("ROT", "0", "-45", "0") + Vec("SCA", "0", "0", "0"))) +
            Tag("POSE", Tag("NAME", "rest")) +
            Tag("ANIMATION", Tag("NAME", "nod") + Key("rest", 0, "false") + Key("up", 50, "true") +
                                 Key("rest", 100, "false")));

std::string Save(const TModel& model) {
    TMemoryStream stream;
    model.SaveToStream(stream);
    return stream.Data();
}

void Load(TModel& model, const std::string& text, TGenericMediaManager& media) {
    TMemoryStream stream(text);
    ASSERT_TRUE(model.LoadFromStream(stream, media));
}

TEST(ModelFile, LoadsTheTreePosesAndAnimations) {
    TStubMedia media;
    TModel model;
    Load(model, Canonical, media);
    EXPECT_EQ(model.Name, "sheep");
    const TModelTreeNode& body = *model.Root;
    EXPECT_EQ(body.Name, "body");
    ASSERT_NE(body.Texture, nullptr);
    EXPECT_EQ(body.Texture->Name(), "wool");
    EXPECT_EQ(body.Element.ElementType, geMesh);
    EXPECT_EQ(body.Element.Mesh, media.GetMesh("box"));
    EXPECT_EQ(body.Transformation.Position.y, 1.5f);
    EXPECT_EQ(body.Transformation.Rotation.x, 90.0f);
    EXPECT_EQ(body.Color.Red, 1.0f);
    EXPECT_EQ(body.Color.Green, 128 / 255.0f);
    EXPECT_EQ(body.Color.Blue, 0.0f);
    ASSERT_EQ(body.Children.Count(), 3);
    EXPECT_EQ(body.Children.Items(0).Texture, nullptr);
    EXPECT_EQ(body.Children.Items(1).Element.ElementType, geReference);
    EXPECT_EQ(body.Children.Items(2).Element.ElementType, geModel);
    EXPECT_EQ(body.Children.Items(2).Element.Model, nullptr);

    ASSERT_EQ(model.Poses.Count(), 2);
    EXPECT_EQ(model.IndexOfPose("rest"), 1);
    EXPECT_EQ(model.IndexOfPose("Rest"), -1);
    EXPECT_TRUE(model.Poses.Items(0).IsNodeMoved("head"));
    EXPECT_FALSE(model.Poses.Items(0).IsNodeMoved("body"));
    ASSERT_EQ(model.Animations.Count(), 1);
    const TAnimationKeyList& keys = model.Animations.Items(0).Keys;
    ASSERT_EQ(keys.Count(), 3);
    EXPECT_EQ(keys.Items(1).PoseName, "up");
    EXPECT_EQ(keys.Items(1).Time, 50);
    EXPECT_TRUE(keys.Items(1).Trigger);
    EXPECT_FALSE(keys.Items(2).Trigger);
}

TEST(ModelFile, SavesExactlyTheWrittenShape) {
    TStubMedia media;
    TModel model;
    Load(model, Canonical, media);
    EXPECT_EQ(Save(model), Canonical);
}

TEST(ModelFile, LooseFileSettlesAfterOneSave) {
    // Comments, white space and unknown elements are dropped; a REFERENCE value is not read.
    std::string loose = "<?xml version=\"1.0\"?>\n<model><!-- a ram -->\n" +
                        Node("root", "missing", Rgb(10, 20, 30),
                             Tag("TYPE", "reference") + Tag("REFERENCE", "7") + Tag("EXTRA", "x")) +
                        "\n  " + Tag("NAME", "ram") + Tag("POSE", Tag("NAME", "p")) +
                        Tag("ANIMATION", Tag("NAME", "a") + Key("p", 0, "TRUE")) + "</model>";
    TStubMedia media;
    TModel first;
    Load(first, loose, media);
    std::string saved = Save(first);
    TModel second;
    Load(second, saved, media);
    EXPECT_EQ(Save(second), saved);
    EXPECT_NE(saved.find("<TEXTURE>nil</TEXTURE>"), std::string::npos);
    EXPECT_NE(saved.find("<REFERENCE>0</REFERENCE>"), std::string::npos);
    EXPECT_NE(saved.find("<TRIGGER>true</TRIGGER>"), std::string::npos);
}

TEST(ModelFile, ColorIsTruncatedOnWrite) {
    TModel model;
    model.Root->Color = {0.5f, 1.0f, 0.999f};
    EXPECT_NE(Save(model).find(Tag("COLOR", Rgb(127, 255, 254))), std::string::npos);
    model.Root->Color = {1e30f, -1e30f, std::nanf("")};
    EXPECT_NE(Save(model).find(Tag("COLOR", Rgb(2147483647, -2147483648, 0))), std::string::npos);
}

TEST(ModelFile, OnlyExactLowerCaseTypesMakeElements) {
    TStubMedia media;
    for (const auto& [type, expected] :
         {std::pair<std::string, TGraphicElementType>{"Mesh", geNone},
          {"mesh ", geNone},
          {"mesh", geMesh},
          {"model", geModel},
          {"reference", geReference},
          {"none", geNone}}) {
        TModel model;
        Load(model,
             Tag("M", Tag("NAME", "m") +
                          Node("n", "nil", Rgb(0, 0, 0), Tag("TYPE", type) + Tag("MESH", "box"))),
             media);
        EXPECT_EQ(model.Root->Element.ElementType, expected) << type;
    }
}

TEST(ModelFile, TriggerSpellings) {
    std::string keys = Key("p", 0, "TRUE") + Key("p", 1, "True") + Key("p", 2, "yes") +
                       Key("p", 3, " true") +
                       Tag("ANIMITEM", Tag("POSENAME", "p") + Tag("TIME", "4"));
    TStubMedia media;
    TModel model;
    Load(model,
         Tag("M", Tag("NAME", "m") + Node("n", "nil", Rgb(0, 0, 0), Tag("TYPE", "none")) +
                      Tag("ANIMATION", Tag("NAME", "a") + keys)),
         media);
    const TAnimationKeyList& list = model.Animations.Items(0).Keys;
    ASSERT_EQ(list.Count(), 5);
    EXPECT_TRUE(list.Items(0).Trigger);
    EXPECT_TRUE(list.Items(1).Trigger);
    EXPECT_FALSE(list.Items(2).Trigger);
    EXPECT_FALSE(list.Items(3).Trigger);
    EXPECT_FALSE(list.Items(4).Trigger);
}

TEST(ModelFile, PoseWithOnlyZeroOffsetsSavesItsName) {
    TModel model;
    TPose& pose = model.Poses.Add(std::make_unique<TPose>());
    pose.Name = "still";
    pose.FindDelta("root", true);
    pose.FindDelta("arm", true)->Position.x = 0;
    EXPECT_EQ(pose.Items.Count(), 2);
    EXPECT_FALSE(pose.IsNodeMoved("root"));
    EXPECT_NE(Save(model).find(Tag("POSE", Tag("NAME", "still"))), std::string::npos);
    pose.FindDelta("arm", true)->Scale.z = -1;
    EXPECT_EQ(pose.Items.Count(), 2);
    EXPECT_NE(Save(model).find("<MOVEDNODE>arm</MOVEDNODE>"), std::string::npos);
}

TEST(ModelFile, MissingRequiredElementNamesIt) {
    TStubMedia media;
    std::string noColor = Tag(
        "M", Tag("NAME", "m") +
                 Tag("NODE", Tag("NAME", "n") + Tag("TEXTURE", "nil") + Vec("POS", "0", "0", "0") +
                                 Vec("ROT", "0", "0", "0") + Vec("SCA", "1", "1", "1")));
    TModel model;
    TMemoryStream stream(noColor);
    EXPECT_THROW(
        {
            try {
                model.LoadFromStream(stream, media);
            } catch (const std::exception& error) {
                EXPECT_STREQ(error.what(), "Missing element COLOR in NODE");
                throw;
            }
        },
        EXMLError);
    TMemoryStream noMesh(
        Tag("M", Tag("NAME", "m") + Node("n", "nil", Rgb(0, 0, 0), Tag("TYPE", "mesh"))));
    EXPECT_THROW(model.LoadFromStream(noMesh, media), EXMLError);
}

TEST(ModelFile, ColourValuesOutsideOneByteAreClampedAndStayPut) {
    TStubMedia media;
    TModel model;
    Load(model,
         Tag("M", Tag("NAME", "m") + Node("n", "nil", Rgb(659, 256, -1), Tag("TYPE", "none"))),
         media);
    EXPECT_EQ(model.Root->Color.Red, 1.0f);
    EXPECT_EQ(model.Root->Color.Green, 1.0f);
    EXPECT_EQ(model.Root->Color.Blue, 0.0f);
    const std::string saved = Save(model);
    EXPECT_NE(saved.find(Rgb(255, 255, 0)), std::string::npos) << saved;
    TModel again;
    Load(again, saved, media);
    EXPECT_EQ(Save(again), saved);
}

TEST(ModelFile, MissingMeshLeavesAnEmptyMeshElement) {
    TStubMedia media;
    TModel model;
    Load(model,
         Tag("M", Tag("NAME", "m") +
                      Node("n", "nil", Rgb(0, 0, 0), Tag("TYPE", "mesh") + Tag("MESH", "missing"))),
         media);
    EXPECT_EQ(model.Root->Element.ElementType, geMesh);
    EXPECT_EQ(model.Root->Element.Mesh, nullptr);
}

TEST(ModelFile, FilesRoundTripAndMissingFilesAreNoError) {
    TTestDir dir;
    TStubMedia media;
    TModel model;
    EXPECT_FALSE(model.LoadFromFile("media/none.model", media));
    EXPECT_EQ(model.Name, "Amodel");
    EXPECT_EQ(model.Root->Name, "root");
    dir.WriteFile("sheep.model", Canonical);
    EXPECT_TRUE(model.LoadFromFile("sheep.model", media));
    EXPECT_TRUE(model.SaveToFile("copy.model"));
    EXPECT_EQ(dir.ReadFile("copy.model"), Canonical);
}

// root > arm > hand, with poses that move the arm along x by 0, 10 and 20.
class RealTimeModel : public ::testing::Test {
protected:
    RealTimeModel() {
        Model.Root->Transformation.Position = MakeVector(1, 2, 3);
        TModelTreeNode& arm = Model.Root->Children.Add(std::make_unique<TModelTreeNode>());
        arm.Name = "arm";
        arm.Transformation.Position.x = 100;
        arm.Children.Add(std::make_unique<TModelTreeNode>()).Name = "hand";
        for (const auto& [name, x] : {std::pair<std::string, float>{"A", 0}, {"B", 10}, {"C", 20}})
            AddPose(name).FindDelta("arm", true)->Position.x = x;
    }
    TPose& AddPose(const std::string& name) {
        TPose& pose = Model.Poses.Add(std::make_unique<TPose>());
        pose.Name = name;
        return pose;
    }
    // Keys as "pose@time", a trailing "!" marks a trigger.
    void AddAnimation(std::initializer_list<std::string> keys) {
        TAnimation& animation = Model.Animations.Add(std::make_unique<TAnimation>());
        for (const std::string& text : keys) {
            TAnimationKey& key = animation.Keys.Add(std::make_unique<TAnimationKey>());
            size_t at = text.find('@');
            key.PoseName = text.substr(0, at);
            key.Time = std::stoi(text.substr(at + 1));
            key.Trigger = text.back() == '!';
        }
    }
    float ArmAt(int32_t animation, float time) {
        Instance.Animate(animation, time);
        return Instance.Tree->Children.Items(0).Transformation.Position.x;
    }
    TModel Model;
    TRealTimeModel Instance;
};

TEST_F(RealTimeModel, PoseTreesHoldCompleteTransformations) {
    Model.Poses.Items(1).FindDelta("hand", true)->Scale = MakeVector(1, 0, -2);
    TTexture texture;
    Model.Root->Texture = &texture;
    Instance.Init(Model);
    ASSERT_EQ(Instance.PoseTrees.Count(), 3);
    const TTransfTreeNode& b = Instance.PoseTrees.Items(1);
    EXPECT_EQ(b.Transformation.Position.z, 3);
    EXPECT_EQ(b.Children.Items(0).Transformation.Position.x, 110);
    const TTransformation& hand = b.Children.Items(0).Children.Items(0).Transformation;
    EXPECT_EQ(hand.Scale.x, 2);
    EXPECT_EQ(hand.Scale.y, 1);
    EXPECT_EQ(hand.Scale.z, -1);
    EXPECT_EQ(Instance.Tree->Texture, nullptr);
    EXPECT_EQ(Instance.Tree->Name, "");
    EXPECT_EQ(Instance.Tree->Children.Items(0).Children.Count(), 1);
}

TEST_F(RealTimeModel, BlendsBetweenKeysByTheExactPhase) {
    AddAnimation({"A@0", "B@50", "C@100"});
    AddAnimation({"C@100", "A@0", "B@50"});
    AddAnimation({"A@0", "C@100"});
    Instance.Init(Model);
    for (int32_t animation : {0, 1}) {
        EXPECT_FLOAT_EQ(ArmAt(animation, 0.25f), 105) << animation;
        EXPECT_FLOAT_EQ(ArmAt(animation, 0.5f), 110) << animation;
        EXPECT_FLOAT_EQ(ArmAt(animation, 0.75f), 115) << animation;
    }
    EXPECT_FLOAT_EQ(ArmAt(2, 0.123f), 100 + 20 * 0.123f);
    EXPECT_FLOAT_EQ(ArmAt(2, 0.999f), 100 + 20 * 0.999f);
    EXPECT_EQ(Instance.Tree->Transformation.Position.y, 2);
}

TEST_F(RealTimeModel, KeysAreSortedStablyAndTheLastTriggerWins) {
    AddAnimation({"B@50", "A@0!", "C@50", "A@30!"});
    AddAnimation({"A@0", "nobody@100"});
    Instance.Init(Model);
    const TRealTimeAnimation& first = Instance.Animations[0];
    ASSERT_EQ(first.Keys.size(), 4u);
    EXPECT_EQ(first.Keys[0].Time, 0);
    EXPECT_EQ(first.Keys[2].PoseIndex, 1);
    EXPECT_EQ(first.Keys[3].PoseIndex, 2);
    EXPECT_EQ(first.TriggerTime, 30);
    EXPECT_EQ(Instance.Animations[1].TriggerTime, 50);
    EXPECT_EQ(Instance.Animations[1].Keys[1].PoseIndex, -1);
    EXPECT_FALSE(Instance.IsPastTrigger(0, 0.29f));
    EXPECT_TRUE(Instance.IsPastTrigger(0, 0.3f));
    EXPECT_FALSE(Instance.IsPastTrigger(1, 0.49f));
    EXPECT_TRUE(Instance.IsPastTrigger(1, 0.5f));
    EXPECT_FALSE(Instance.IsPastTrigger(2, 0.9f));
    EXPECT_FALSE(Instance.IsPastTrigger(-1, 0.9f));
}

TEST_F(RealTimeModel, UnusableAnimationsLeaveThePoseAlone) {
    AddAnimation({"B@0"});
    AddAnimation({"A@0", "nobody@100"});
    AddAnimation({"A@0", "B@100"});
    Instance.Init(Model);
    for (int32_t animation : {0, 1, 3, -1, 1 << 30})
        EXPECT_EQ(ArmAt(animation, 0.5f), 100) << animation;
    EXPECT_EQ(ArmAt(2, 1.0f), 110);
}

TEST_F(RealTimeModel, KeysSharingATimeHoldTheLaterPose) {
    AddAnimation({"A@0", "B@50", "C@50"});
    AddAnimation({"A@20", "B@20", "C@100"});
    Instance.Init(Model);
    EXPECT_EQ(ArmAt(0, 0.75f), 120);
    EXPECT_EQ(ArmAt(1, 0.1f), 110);
    EXPECT_FLOAT_EQ(ArmAt(1, 0.6f), 115);
}

TEST_F(RealTimeModel, RefusesPoseTreesOfAbsurdSize) {
    for (int i = 0; i < 1024; ++i)
        Model.Root->Children.Add(std::make_unique<TModelTreeNode>());
    for (int i = 0; i < 1024; ++i)
        AddPose("p");
    EXPECT_THROW(Instance.Init(Model), EModelError);
}

TEST(RealTimeModelFile, MissingFileGivesAModelThatNeverAnimates) {
    TTestDir dir;
    TStubMedia media;
    TRealTimeModel model;
    model.LoadFromFile("media/nothing.model", media);
    EXPECT_NE(dir.ReadFile("log").find("Loading media/nothing.model"), std::string::npos);
    ASSERT_NE(model.Tree, nullptr);
    EXPECT_EQ(model.Tree->Children.Count(), 0);
    EXPECT_EQ(model.PoseTrees.Count(), 0);
    EXPECT_TRUE(model.Animations.empty());
    model.Animate(0, 0.5f);
    EXPECT_FALSE(model.IsPastTrigger(0, 0.9f));
}

} // namespace
