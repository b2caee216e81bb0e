// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/modelunit.h"

#include "app/failureunit.h"
#include "app/logunit.h"
#include "app/screenunit.h"
#include "assets/mediamanagerunit.h"
#include "assets/xmlhelperunit.h"
#include "assets/xmlparser.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <utility>

namespace {

// Every pose keeps a full copy of the node tree, so their product bounds the memory an
// animated instance takes; real models stay far below.
constexpr int64_t MaxPoseTreeNodes = 1 << 20;

const char* const ElementTypeNames[] = {"none", "mesh", "model", "reference"};

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A colour component as the byte written to file: truncated, and kept in range so that
// odd values set by code cannot overflow the conversion.
int32_t ColorToInteger(float component) {
    double value = std::trunc(static_cast<double>(component) * 255);
    if (std::isnan(value)) return 0;
    return static_cast<int32_t>(std::clamp<double>(value, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
}

// Only bytes are colours: a value beyond them would drift by one on every save and load.
// Components outside 0..255 are clamped: the model still loads, and the colour then
// survives save and load unchanged (an unclamped 659 would drift down by one each time).
float ReadColorComponent(const TXMLNode& color, const std::string& name) {
    const int32_t value = std::clamp(ReadInteger(color, name), 0, 255);
    return static_cast<float>(value / 255.0);
}

template <typename F> void ForEachChild(const TXMLNode& node, const std::string& name, F read) {
    for (int i = 0; i < node.Children.Count(); ++i)
        if (node.Children.Items(i).Name == name) read(node.Children.Items(i));
}

void ReadTransformation(const TXMLNode& node, TTransformation& transformation) {
    transformation.Position = ReadVector(RequireChild(node, "POS"));
    transformation.Rotation = ReadVector(RequireChild(node, "ROT"));
    transformation.Scale = ReadVector(RequireChild(node, "SCA"));
}

void ReadElement(const TXMLNode& node, TGraphicElement& element, TGenericMediaManager& media) {
    std::string type = RequireChild(node, "TYPE").GetText();
    element = TGraphicElement();
    if (type == "mesh") {
        element.ElementType = geMesh;
        element.Mesh = media.GetMesh(RequireChild(node, "MESH").GetText());
    } else if (type == "model") {
        element.ElementType = geModel;
    } else if (type == "reference") {
        element.ElementType = geReference;
    }
}

// Nesting depth is bounded by the XML reader, which refuses deeply nested tags.
void ReadNode(const TXMLNode& xml, TModelTreeNode& node, TGenericMediaManager& media) {
    node.Name = RequireChild(xml, "NAME").GetText();
    std::string texture = RequireChild(xml, "TEXTURE").GetText();
    node.Texture = texture == "nil" ? nullptr : media.GetTexture(texture);
    ReadTransformation(xml, node.Transformation);
    const TXMLNode& color = RequireChild(xml, "COLOR");
    node.Color.Red = ReadColorComponent(color, "RED");
    node.Color.Green = ReadColorComponent(color, "GREEN");
    node.Color.Blue = ReadColorComponent(color, "BLUE");
    ReadElement(RequireChild(xml, "GRAPHICALELEMENT"), node.Element, media);
    ForEachChild(xml, "NODE", [&](const TXMLNode& child) {
        ReadNode(child, node.Children.Add(std::make_unique<TModelTreeNode>()), media);
    });
}

void ReadPose(const TXMLNode& xml, TPose& pose) {
    pose.Name = RequireChild(xml, "NAME").GetText();
    pose.Items.Clear();
    ForEachChild(xml, "POSEITEM", [&](const TXMLNode& itemXml) {
        TPoseItem& item = pose.Items.Add(std::make_unique<TPoseItem>());
        item.MovedNode = RequireChild(itemXml, "MOVEDNODE").GetText();
        ReadTransformation(itemXml, item.Transformation);
    });
}

void ReadAnimation(const TXMLNode& xml, TAnimation& animation) {
    animation.Name = RequireChild(xml, "NAME").GetText();
    animation.Keys.Clear();
    ForEachChild(xml, "ANIMITEM", [&](const TXMLNode& keyXml) {
        TAnimationKey& key = animation.Keys.Add(std::make_unique<TAnimationKey>());
        key.PoseName = RequireChild(keyXml, "POSENAME").GetText();
        key.Time = ReadInteger(keyXml, "TIME");
        const TXMLNode* trigger = keyXml.FindChild("TRIGGER");
        key.Trigger = trigger != nullptr && LowerCase(trigger->GetText()) == "true";
    });
}

void AddVector(TXMLNode& parent, const std::string& name, const TVector& vector) {
    std::unique_ptr<TXMLNode> node = WriteVector(vector);
    node->Name = name;
    parent.Children.Add(std::move(node));
}

void WriteTransformation(TXMLNode& parent, const TTransformation& transformation) {
    AddVector(parent, "POS", transformation.Position);
    AddVector(parent, "ROT", transformation.Rotation);
    AddVector(parent, "SCA", transformation.Scale);
}

TXMLNode& AddElement(TXMLNode& parent, const std::string& name) {
    return parent.Children.Add(std::make_unique<TXMLNode>(name, ndTag));
}

void WriteNode(TXMLNode& parent, const TModelTreeNode& node) {
    TXMLNode& xml = AddElement(parent, "NODE");
    xml.AddChild("NAME", node.Name);
    xml.AddChild("TEXTURE", node.Texture != nullptr ? node.Texture->Name() : "nil");
    WriteTransformation(xml, node.Transformation);
    TXMLNode& color = AddElement(xml, "COLOR");
    color.AddChild("RED", ColorToInteger(node.Color.Red));
    color.AddChild("GREEN", ColorToInteger(node.Color.Green));
    color.AddChild("BLUE", ColorToInteger(node.Color.Blue));
    TXMLNode& element = AddElement(xml, "GRAPHICALELEMENT");
    const TGraphicElement& ge = node.Element;
    element.AddChild("TYPE", ElementTypeNames[ge.ElementType]);
    if (ge.ElementType == geMesh)
        element.AddChild("MESH", ge.Mesh != nullptr ? ge.Mesh->Name() : "");
    else if (ge.ElementType == geModel)
        element.AddChild("MODEL", ge.Model != nullptr ? ge.Model->Name : "");
    else if (ge.ElementType == geReference)
        element.AddChild("REFERENCE", ge.Reference);
    for (int i = 0; i < node.Children.Count(); ++i)
        WriteNode(xml, node.Children.Items(i));
}

void WritePose(TXMLNode& parent, const TPose& pose) {
    TXMLNode& xml = AddElement(parent, "POSE");
    xml.AddChild("NAME", pose.Name);
    for (int i = 0; i < pose.Items.Count(); ++i) {
        const TPoseItem& item = pose.Items.Items(i);
        if (item.Transformation.IsZero()) continue;
        TXMLNode& itemXml = AddElement(xml, "POSEITEM");
        itemXml.AddChild("MOVEDNODE", item.MovedNode);
        WriteTransformation(itemXml, item.Transformation);
    }
}

void WriteAnimation(TXMLNode& parent, const TAnimation& animation) {
    TXMLNode& xml = AddElement(parent, "ANIMATION");
    xml.AddChild("NAME", animation.Name);
    for (int i = 0; i < animation.Keys.Count(); ++i) {
        const TAnimationKey& key = animation.Keys.Items(i);
        TXMLNode& keyXml = AddElement(xml, "ANIMITEM");
        keyXml.AddChild("POSENAME", key.PoseName);
        keyXml.AddChild("TIME", key.Time);
        keyXml.AddChild("TRIGGER", key.Trigger ? "true" : "false");
    }
}

void FlipFrontFace() {
    GLint frontFace = 0;
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glFrontFace(frontFace == GL_CCW ? GL_CW : GL_CCW);
}

void DrawNode(const TModelTreeNode& node, const TPose* pose) {
    TTransformation transformation = node.Transformation;
    if (pose != nullptr)
        if (const TTransformation* delta = pose->FindDelta(node.Name))
            transformation = transformation.Sum(*delta);
    glPushMatrix();
    const TTransformation& t = transformation;
    glTranslatef(t.Position.x, t.Position.y, t.Position.z);
    glRotatef(t.Rotation.x, 1, 0, 0);
    glRotatef(t.Rotation.y, 0, 1, 0);
    glRotatef(t.Rotation.z, 0, 0, 1);
    glScalef(t.Scale.x, t.Scale.y, t.Scale.z);
    bool mirrored = t.IsMirrored();
    if (mirrored) FlipFrontFace();
    if (node.Texture == nullptr) {
        glDisable(GL_TEXTURE_2D);
    } else {
        glEnable(GL_TEXTURE_2D);
        node.Texture->Bind();
    }
    SetMaterialColorF(node.Color.Red, node.Color.Green, node.Color.Blue);
    const TGraphicElement& element = node.Element;
    // A mesh or sub-model that could not be found draws nothing.
    if (element.ElementType == geMesh && element.Mesh != nullptr)
        element.Mesh->Draw();
    else if (element.ElementType == geModel && element.Model != nullptr)
        element.Model->Root->Render();
    for (int i = 0; i < node.Children.Count(); ++i)
        DrawNode(node.Children.Items(i), pose);
    if (mirrored) FlipFrontFace();
    glPopMatrix();
}

int64_t CountNodes(const TModelTreeNode& node) {
    int64_t count = 1;
    for (int i = 0; i < node.Children.Count(); ++i)
        count += CountNodes(node.Children.Items(i));
    return count;
}

std::unique_ptr<TTransfTreeNode> BuildPoseTree(const TModelTreeNode& node, const TPose& pose) {
    auto tree = std::make_unique<TTransfTreeNode>();
    const TTransformation* delta = pose.FindDelta(node.Name);
    tree->Transformation =
        delta != nullptr ? node.Transformation.Sum(*delta) : node.Transformation.Clone();
    for (int i = 0; i < node.Children.Count(); ++i)
        tree->Children.Add(BuildPoseTree(node.Children.Items(i), pose));
    return tree;
}

TRealTimeAnimation BuildAnimation(const TAnimation& animation, const TModel& model) {
    TRealTimeAnimation result;
    result.Keys.reserve(static_cast<size_t>(animation.Keys.Count()));
    for (int i = 0; i < animation.Keys.Count(); ++i) {
        const TAnimationKey& key = animation.Keys.Items(i);
        result.Keys.push_back({model.IndexOfPose(key.PoseName), key.Time});
        if (key.Trigger) result.TriggerTime = key.Time;
    }
    // Stable, so keys sharing a time keep their file order.
    std::stable_sort(result.Keys.begin(), result.Keys.end(),
                     [](const auto& a, const auto& b) { return a.Time < b.Time; });
    return result;
}

// Interpolates every node's transformation between two pose trees of the same shape.
// The same tree on both sides is copied as it is.
void BlendTree(const TTransfTreeNode& lower, const TTransfTreeNode& upper, float f,
               TModelTreeNode& node) {
    if (&lower == &upper) {
        node.Transformation = upper.Transformation;
    } else {
        const TTransformation& a = lower.Transformation;
        const TTransformation& b = upper.Transformation;
        VectorLerp(a.Position, b.Position, f, node.Transformation.Position);
        VectorLerp(a.Rotation, b.Rotation, f, node.Transformation.Rotation);
        VectorLerp(a.Scale, b.Scale, f, node.Transformation.Scale);
    }
    int count = std::min({lower.Children.Count(), upper.Children.Count(), node.Children.Count()});
    for (int i = 0; i < count; ++i)
        BlendTree(lower.Children.Items(i), upper.Children.Items(i), f, node.Children.Items(i));
}

} // namespace

bool TTransformation::IsZero() const {
    for (size_t i = 0; i < 3; ++i)
        if (Position[i] != 0 || Rotation[i] != 0 || Scale[i] != 0) return false;
    return true;
}

bool TTransformation::IsMirrored() const {
    return static_cast<double>(Scale.x) * Scale.y * Scale.z < 0;
}

TTransformation TTransformation::Sum(const TTransformation& other) const {
    TTransformation result;
    VectorAdd(Position, other.Position, result.Position);
    VectorAdd(Rotation, other.Rotation, result.Rotation);
    VectorAdd(Scale, other.Scale, result.Scale);
    return result;
}

void TModelTreeNode::Render() const {
    DrawNode(*this, nullptr);
}

void TModelTreeNode::RenderPose(const TPose& pose) const {
    DrawNode(*this, &pose);
}

std::unique_ptr<TModelTreeNode> TModelTreeNode::CopyUntextured() const {
    auto copy = std::make_unique<TModelTreeNode>();
    copy->Transformation = Transformation.Clone();
    copy->Color = Color;
    copy->Element = Element;
    for (int i = 0; i < Children.Count(); ++i)
        copy->Children.Add(Children.Items(i).CopyUntextured());
    return copy;
}

TTransformation* TPose::FindDelta(const std::string& nodeName, bool create) {
    if (const TTransformation* delta = std::as_const(*this).FindDelta(nodeName))
        return const_cast<TTransformation*>(delta);
    if (!create) return nullptr;
    TPoseItem& item = Items.Add(std::make_unique<TPoseItem>());
    item.MovedNode = nodeName;
    return &item.Transformation;
}

const TTransformation* TPose::FindDelta(const std::string& nodeName) const {
    for (int i = 0; i < Items.Count(); ++i)
        if (Items.Items(i).MovedNode == nodeName) return &Items.Items(i).Transformation;
    return nullptr;
}

bool TPose::IsNodeMoved(const std::string& nodeName) const {
    const TTransformation* delta = FindDelta(nodeName);
    return delta != nullptr && !delta->IsZero();
}

TModel::TModel() : Root(std::make_unique<TModelTreeNode>()) {
    Root->Name = "root";
}

bool TModel::LoadFromFile(const std::string& fileName, TGenericMediaManager& media) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) return false;
    try {
        TFileStream stream(fileName, TFileStream::fmOpenRead);
        return LoadFromStream(stream, media);
    } catch (...) {
        NoteFailingFile(fileName);
        throw;
    }
}

bool TModel::LoadFromStream(TStream& stream, TGenericMediaManager& media) {
    TXMLDocument document;
    document.LoadFromStream(stream);
    const TXMLNode& xml = document.Root();
    Name = RequireChild(xml, "NAME").GetText();
    Root = std::make_unique<TModelTreeNode>();
    ReadNode(RequireChild(xml, "NODE"), *Root, media);
    Poses.Clear();
    ForEachChild(xml, "POSE", [&](const TXMLNode& pose) {
        ReadPose(pose, Poses.Add(std::make_unique<TPose>()));
    });
    Animations.Clear();
    ForEachChild(xml, "ANIMATION", [&](const TXMLNode& animation) {
        ReadAnimation(animation, Animations.Add(std::make_unique<TAnimation>()));
    });
    return true;
}

bool TModel::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, TFileStream::fmCreate);
    SaveToStream(stream);
    stream.Close();
    return true;
}

bool TModel::SaveToStream(TStream& stream) const {
    auto xml = std::make_unique<TXMLNode>("MODEL", ndTag);
    xml->AddChild("NAME", Name);
    WriteNode(*xml, *Root);
    for (int i = 0; i < Poses.Count(); ++i)
        WritePose(*xml, Poses.Items(i));
    for (int i = 0; i < Animations.Count(); ++i)
        WriteAnimation(*xml, Animations.Items(i));
    TXMLDocument document;
    document.SetRoot(std::move(xml));
    document.SaveToStream(stream);
    return true;
}

void TModel::Render() const {
    Root->Render();
}

void TModel::RenderPose(const TPose& pose) const {
    Root->RenderPose(pose);
}

int32_t TModel::IndexOfPose(const std::string& name) const {
    for (int i = 0; i < Poses.Count(); ++i)
        if (Poses.Items(i).Name == name) return i;
    return -1;
}

void TRealTimeModel::LoadFromFile(const std::string& fileName, TGenericMediaManager& media) {
    WriteLog("Loading " + fileName);
    try {
        TModel model;
        model.LoadFromFile(fileName, media);
        Init(model);
    } catch (...) {
        NoteFailingFile(fileName);
        throw;
    }
}

void TRealTimeModel::Init(const TModel& model) {
    if (model.Poses.Count() * CountNodes(*model.Root) > MaxPoseTreeNodes)
        throw EModelError("Model " + model.Name + " has too many poses for its nodes");
    PoseTrees.Clear();
    for (int i = 0; i < model.Poses.Count(); ++i)
        PoseTrees.Add(BuildPoseTree(*model.Root, model.Poses.Items(i)));
    Tree = model.Root->CopyUntextured();
    Animations.clear();
    for (int i = 0; i < model.Animations.Count(); ++i)
        Animations.push_back(BuildAnimation(model.Animations.Items(i), model));
}

void TRealTimeModel::Animate(int32_t animation, float time) {
    if (animation < 0 || static_cast<size_t>(animation) >= Animations.size() || !Tree) return;
    const std::vector<TRealTimeAnimationKey>& keys = Animations[animation].Keys;
    if (keys.size() < 2) return;
    // The truncated phase only picks the key pair; the blend uses the exact phase.
    double t100 = std::trunc(static_cast<double>(time) * 100);
    size_t upper = 1;
    while (upper < keys.size() - 1 && !(keys[upper].Time > t100))
        ++upper;
    const TRealTimeAnimationKey& low = keys[upper - 1];
    const TRealTimeAnimationKey& high = keys[upper];
    auto valid = [&](int32_t pose) { return pose >= 0 && pose < PoseTrees.Count(); };
    if (!valid(low.PoseIndex) || !valid(high.PoseIndex)) return;
    const TTransfTreeNode& upperTree = PoseTrees.Items(high.PoseIndex);
    double span = (static_cast<double>(high.Time) - low.Time) / 100;
    if (span == 0) {
        // Two keys at one time: hold the later one.
        BlendTree(upperTree, upperTree, 0, *Tree);
        return;
    }
    double f = (time - low.Time / 100.0) / span;
    BlendTree(PoseTrees.Items(low.PoseIndex), upperTree, static_cast<float>(f), *Tree);
}

bool TRealTimeModel::IsPastTrigger(int32_t animation, float time) const {
    if (animation < 0 || static_cast<size_t>(animation) >= Animations.size()) return false;
    return time >= Animations[animation].TriggerTime / 100.0;
}

void TRealTimeModel::Render() const {
    if (Tree) Tree->Render();
}
