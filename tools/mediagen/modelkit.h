// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Building generated models: meshes by name, node trees, poses and keyed animations, and
// writing them through the game's own model and mesh writers.
#pragma once

#include "assets/modelunit.h"
#include "mediagen.h"
#include "shapes.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mediagen {

// A mesh that only carries data; the generator never draws.
class TDataMesh : public TMesh {
public:
    void Draw() override {}
};

// The meshes of all models, each written once as "<name>.mesh".
class TMeshSet {
public:
    // The mesh of that name, built from the shapes when first asked for.
    TMesh* Add(const std::string& name, const TShapeBuilder& shapes);
    void Write(const TOutput& out) const;

private:
    std::map<std::string, std::unique_ptr<TDataMesh>> FMeshes;
};

// An sRGB colour as written in the palette, e.g. 0x2F5DA8.
using TColor = unsigned;

// One pose offset of a node: position and rotation (degrees) added to its own.
struct TMove {
    std::string Node;
    TVec Position;
    TVec Rotation;
};

// One animation key: the pose shown at a time in hundredths of the run.
struct TKey {
    std::string Pose;
    int Time = 0;
    bool Trigger = false;
};

class TModelKit {
public:
    explicit TModelKit(const std::string& name);

    TModelTreeNode& Root() { return *FModel.Root; }
    // A child node at position (relative to the parent), drawing the mesh in the colour.
    // Scale stays 1: lighting uses the mesh normals as they are.
    TModelTreeNode& Node(TModelTreeNode& parent, const std::string& name, TVec position,
                         TMesh* mesh = nullptr, TColor color = 0xFFFFFF, TVec rotation = {});
    // A pose of offsets; nodes not listed keep their own transformation.
    void Pose(const std::string& name, const std::vector<TMove>& moves);
    void Animation(const std::string& name, const std::vector<TKey>& keys);

    // Writes "<file>.model".
    void Write(const TOutput& out, const std::string& file) const;

private:
    TModel FModel;
};

} // namespace mediagen
