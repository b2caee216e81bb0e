// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The tree (about 8 tall, a thin trunk under a broad crown) and the post-and-rail fence.
#include "models.h"

namespace mediagen {

namespace {

constexpr TColor Trunk = 0x6B4A2B, CrownDark = 0x2E8B3A, CrownLight = 0x3FA34D,
                 FenceWood = 0xA97C50, FencePost = 0x8A6340;

// Fence pieces stand 4 apart along their local z: each owns the post at its start and the
// rails up to the next piece's post, so pieces meet without a gap or a doubled post.
constexpr double PieceLength = 4;

} // namespace

// As few faces as keep the crown round at the play camera's distance (see the flock's).
void MakeTree(TMeshSet& meshes, const TOutput& out) {
    TShapeBuilder s;
    s.Lathe({{0.75, 0}, {0.55, 0.35}, {0.45, 1.5}, {0.38, 4.2}, {0.28, 5.2}}, 6, false);
    s.Tube({{{0, 3.0, 0}, 0.17}, {{0.7, 3.7, 0.15}, 0.13}, {{1.2, 4.3, 0.3}, 0.09}}, 5, false);
    s.Tube({{{0, 3.4, 0}, 0.16}, {{-0.7, 4.1, -0.2}, 0.12}, {{-1.1, 4.7, -0.4}, 0.08}}, 5, false);
    TMesh* trunk = meshes.Add("tree_trunk", s);

    s = {};
    s.Ellipsoid({0, 1.1, 0}, {2.3, 1.9, 2.3}, 8, 5, true);
    s.Ellipsoid({-1.7, 0.5, -0.9}, {1.2, 1.0, 1.2}, 7, 4, true);
    TMesh* crown = meshes.Add("tree_crown", s);

    // Lighter clumps standing out of the crown towards the light and the camera.
    s = {};
    s.Ellipsoid({0.5, 2.35, 0.55}, {1.4, 1.05, 1.4}, 7, 4, true);
    s.Ellipsoid({1.6, 1.0, 1.2}, {1.25, 1.05, 1.25}, 6, 4, true);
    s.Ellipsoid({-1.2, 1.3, 1.6}, {1.1, 0.95, 1.1}, 6, 4, true);
    s.Ellipsoid({1.7, 0.2, -1.0}, {1.1, 0.9, 1.1}, 6, 4, true);
    TMesh* tufts = meshes.Add("tree_tufts", s);

    TModelKit kit("tree1");
    TModelTreeNode& tree = kit.Node(kit.Root(), "tree", {});
    kit.Node(tree, "trunk", {}, trunk, Trunk);
    TModelTreeNode& top = kit.Node(tree, "crown", {0, 4.6, 0}, crown, CrownDark);
    kit.Node(top, "tufts", {}, tufts, CrownLight);
    // A gentle sway: the tree is never advanced in play and keeps whatever phase it got,
    // so every phase is a calm pose.
    kit.Pose("calm", {});
    kit.Pose("sway_a", {{"crown", {}, {1.5, 0, 3}}});
    kit.Pose("sway_b", {{"crown", {}, {-2, 0, -2}}});
    kit.Animation("idle", {{"calm", 0}, {"sway_a", 30}, {"sway_b", 70}, {"calm", 100}});
    kit.Write(out, "tree1");
}

void MakeFence(TMeshSet& meshes, const TOutput& out) {
    const double start = -PieceLength / 2, end = PieceLength / 2;
    TShapeBuilder s;
    s.Box({-0.17, 0, start - 0.17}, {0.17, 1.32, start + 0.17});
    s.Frustum(1.32, 1.52, 0.17, 0.17, 0.05, 0.05, 0, {{0, 0, start}, {}});
    TMesh* post = meshes.Add("fence_post", s);

    s = {};
    s.Box({-0.07, 0.45, start}, {0.07, 0.72, end});
    s.Box({-0.07, 0.95, start}, {0.07, 1.22, end});
    TMesh* rails = meshes.Add("fence_rails", s);

    TModelKit kit("fence");
    kit.Node(kit.Root(), "post", {}, post, FencePost);
    kit.Node(kit.Root(), "rails", {}, rails, FenceWood);
    kit.Write(out, "fence");
}

} // namespace mediagen
