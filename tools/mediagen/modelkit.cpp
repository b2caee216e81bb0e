// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modelkit.h"

#include "assets/streamunit.h"

namespace mediagen {

namespace {

TVector ToVector(TVec v) {
    return MakeVector(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

// The writer truncates component x 255: a quarter step above the byte keeps rounding in
// float from writing the byte below.
float ColorComponent(TColor byte) {
    return static_cast<float>(((byte & 0xFF) + 0.25) / 255.0);
}

} // namespace

TMesh* TMeshSet::Add(const std::string& name, const TShapeBuilder& shapes) {
    auto& mesh = FMeshes[name];
    if (!mesh) {
        mesh = std::make_unique<TDataMesh>();
        shapes.Build(*mesh, name);
    }
    return mesh.get();
}

void TMeshSet::Write(const TOutput& out) const {
    for (const auto& [name, mesh] : FMeshes) {
        TMemoryStream stream;
        mesh->SaveToStream(stream);
        out.WriteBytes(name + ".mesh", stream.Data());
    }
}

TModelKit::TModelKit(const std::string& name) {
    FModel.Name = name;
}

TModelTreeNode& TModelKit::Node(TModelTreeNode& parent, const std::string& name, TVec position,
                                TMesh* mesh, TColor color, TVec rotation) {
    TModelTreeNode& node = parent.Children.Add(std::make_unique<TModelTreeNode>());
    node.Name = name;
    node.Transformation.Position = ToVector(position);
    node.Transformation.Rotation = ToVector(rotation);
    node.Color.Red = ColorComponent(color >> 16);
    node.Color.Green = ColorComponent(color >> 8);
    node.Color.Blue = ColorComponent(color);
    if (mesh != nullptr) {
        node.Element.ElementType = geMesh;
        node.Element.Mesh = mesh;
    }
    return node;
}

void TModelKit::Pose(const std::string& name, const std::vector<TMove>& moves) {
    TPose& pose = FModel.Poses.Add(std::make_unique<TPose>());
    pose.Name = name;
    for (const TMove& move : moves) {
        TTransformation& delta = *pose.FindDelta(move.Node, true);
        delta.Position = ToVector(move.Position);
        delta.Rotation = ToVector(move.Rotation);
    }
}

void TModelKit::Animation(const std::string& name, const std::vector<TKey>& keys) {
    TAnimation& animation = FModel.Animations.Add(std::make_unique<TAnimation>());
    animation.Name = name;
    for (const TKey& key : keys) {
        TAnimationKey& item = animation.Keys.Add(std::make_unique<TAnimationKey>());
        item.PoseName = key.Pose;
        item.Time = key.Time;
        item.Trigger = key.Trigger;
    }
}

void TModelKit::Write(const TOutput& out, const std::string& file) const {
    TMemoryStream stream;
    FModel.SaveToStream(stream);
    out.WriteBytes(file + ".model", stream.Data());
}

} // namespace mediagen
