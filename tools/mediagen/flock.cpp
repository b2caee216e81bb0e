// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Sheep and ram: one fluffy body on four short legs, 2.8 long; the ram darker, with curled
// horns.
#include "models.h"

#include <cmath>
#include <numbers>
#include <tuple>

namespace mediagen {

namespace {

constexpr TColor Fleece = 0xF4F1E8, Face = 0x3A3A3A, RamFleece = 0x7A6A58, RamHorn = 0xD9C7A0,
                 RamFace = 0x4A4038, Eye = 0xFFFFFF;

// The leg swing of a trot: the hoof moves 2 x 0.8 x sin(18) = 0.49 under the hip, a quarter
// of the 2.0 units walked per second, and a stride takes a quarter second.
constexpr double Swing = 18;

struct TFlockMeshes {
    TMesh *Body, *Head, *Cap, *Ears, *Eyes, *Tail, *Leg, *HornL, *HornR;
};

// A horn curling back, down and forward round the ear, widening out from the head.
TShapeBuilder CurledHorn() {
    std::vector<TRing> rings;
    const int steps = 9;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double angle = std::numbers::pi * (0.5 + 1.75 * t);
        const double radius = 0.34 * (1 - 0.45 * t);
        rings.push_back(
            {{0.05 + 0.24 * t, radius * std::sin(angle) - 0.34, radius * std::cos(angle)},
             0.15 * (1 - 0.7 * t)});
    }
    TShapeBuilder s;
    s.Tube(rings, 6, true);
    return s;
}

// Few sides and bands: seen from the play camera a creature is some 50 pixels long, and on a
// software renderer each face costs about as much as a few dozen of those pixels.
TFlockMeshes BuildMeshes(TMeshSet& set) {
    TFlockMeshes m{};
    TShapeBuilder s;
    s.Ellipsoid({0, 0, 0}, {0.8, 0.62, 0.98}, 8, 5, true);
    s.Ellipsoid({0, 0.36, 0.32}, {0.56, 0.4, 0.55}, 7, 4, true);
    s.Ellipsoid({0, 0.32, -0.42}, {0.58, 0.4, 0.55}, 7, 4, true);
    s.Ellipsoid({0, 0.05, 0.72}, {0.6, 0.52, 0.4}, 7, 4, true); // the chest
    m.Body = set.Add("flock_body", s);

    s = {};
    s.Ellipsoid({0, 0, 0.3}, {0.3, 0.33, 0.45}, 6, 4, false);
    m.Head = set.Add("flock_head", s);

    s = {};
    s.Ellipsoid({0, 0.24, 0.12}, {0.34, 0.2, 0.32}, 6, 3, true);
    m.Cap = set.Add("flock_cap", s);

    s = {};
    s.Ellipsoid({0.38, 0.1, 0.12}, {0.22, 0.07, 0.12}, 4, 3, false);
    s.Ellipsoid({-0.38, 0.1, 0.12}, {0.22, 0.07, 0.12}, 4, 3, false);
    m.Ears = set.Add("flock_ears", s);

    s = {};
    s.Ellipsoid({0.17, 0.1, 0.6}, {0.08, 0.08, 0.06}, 4, 2, false);
    s.Ellipsoid({-0.17, 0.1, 0.6}, {0.08, 0.08, 0.06}, 4, 2, false);
    m.Eyes = set.Add("flock_eyes", s);

    s = {};
    s.Ellipsoid({0, 0, -0.1}, {0.2, 0.2, 0.2}, 5, 3, true);
    m.Tail = set.Add("flock_tail", s);

    s = {};
    s.Lathe({{0.17, -0.8}, {0.18, -0.6}, {0.17, 0.1}}, 5, false);
    m.Leg = set.Add("flock_leg", s);

    const TShapeBuilder horn = CurledHorn();
    m.HornL = set.Add("ram_horn_l", horn);
    m.HornR = set.Add("ram_horn_r", horn.MirroredX());
    return m;
}

void BuildTree(TModelKit& kit, const TFlockMeshes& m, const std::string& kind, bool ram) {
    TModelTreeNode& figure = kit.Node(kit.Root(), kind, {});
    const TColor fleece = ram ? RamFleece : Fleece;
    const TColor face = ram ? RamFace : Face;
    TModelTreeNode& body = kit.Node(figure, "body", {0, 1.25, -0.08}, m.Body, fleece);
    TModelTreeNode& head = kit.Node(body, "head", {0, 0.3, 0.92}, m.Head, face);
    kit.Node(head, "cap", {}, m.Cap, fleece);
    kit.Node(head, "ears", {}, m.Ears, face);
    kit.Node(head, "eyes", {}, m.Eyes, Eye);
    if (ram) {
        kit.Node(head, "horn_l", {0.2, 0.3, 0.12}, m.HornL, RamHorn);
        kit.Node(head, "horn_r", {-0.2, 0.3, 0.12}, m.HornR, RamHorn);
    }
    kit.Node(body, "tail", {0, 0.15, -0.92}, m.Tail, fleece);
    for (const auto& [name, x, z] :
         {std::tuple{"leg_fl", 0.42, 0.55}, std::tuple{"leg_fr", -0.42, 0.55},
          std::tuple{"leg_bl", 0.42, -0.6}, std::tuple{"leg_br", -0.42, -0.6}})
        kit.Node(body, name, {x, -0.45, z}, m.Leg, face);
}

void BuildPoses(TModelKit& kit, const std::string& kind) {
    kit.Pose("stand", {});
    kit.Pose("graze", {{"head", {0, -0.2, 0.05}, {55, 0, 0}}, {"tail", {}, {0, 25, 0}}});
    kit.Pose("chew", {{"head", {0, -0.2, 0.05}, {48, 10, 0}}, {"tail", {}, {0, -25, 0}}});

    // Trotting: diagonal legs move together.
    const auto contact = [&](const std::string& name, double a) {
        kit.Pose(name, {{"body", {0, -0.04, 0}, {}},
                        {"head", {}, {4, 0, 0}},
                        {"leg_fl", {}, {-a, 0, 0}},
                        {"leg_br", {}, {-a, 0, 0}},
                        {"leg_fr", {}, {a, 0, 0}},
                        {"leg_bl", {}, {a, 0, 0}}});
    };
    const auto passing = [&](const std::string& name, const char* front, const char* back) {
        kit.Pose(name, {{"head", {}, {-2, 0, 0}},
                        {"tail", {}, {0, 15, 0}},
                        {front, {0, 0.16, 0}, {-5, 0, 0}},
                        {back, {0, 0.16, 0}, {-5, 0, 0}}});
    };
    contact("trot_a", Swing);
    passing("pass_a", "leg_fr", "leg_bl");
    contact("trot_b", -Swing);
    passing("pass_b", "leg_fl", "leg_br");

    // A head butt: rear back, then lunge with the head down.
    kit.Pose("rear", {{kind, {0, 0.12, -0.3}, {-12, 0, 0}}, {"head", {}, {-15, 0, 0}}});
    kit.Pose("butt", {{kind, {0, 0.05, 0.5}, {6, 0, 0}},
                      {"head", {}, {35, 0, 0}},
                      {"leg_fl", {}, {-15, 0, 0}},
                      {"leg_fr", {}, {-15, 0, 0}},
                      {"leg_bl", {}, {20, 0, 0}},
                      {"leg_br", {}, {20, 0, 0}}});

    kit.Pose("recoil", {{kind, {0, 0.15, -0.35}, {-10, 0, 0}}, {"head", {}, {-25, 0, 0}}});

    // Toppled onto its side, legs stiff.
    kit.Pose("topple", {{kind, {0.3, 0.25, 0}, {0, 0, 40}}, {"head", {}, {-10, 0, 0}}});
    kit.Pose("dead", {{kind, {1.25, 0.8, 0}, {0, 0, 90}},
                      {"head", {}, {0, 0, -20}},
                      {"leg_fl", {}, {-20, 0, 0}},
                      {"leg_fr", {}, {-20, 0, 0}},
                      {"leg_bl", {}, {20, 0, 0}},
                      {"leg_br", {}, {20, 0, 0}}});
}

void BuildAnimations(TModelKit& kit) {
    kit.Animation("idle",
                  {{"stand", 0}, {"graze", 30}, {"chew", 50}, {"graze", 70}, {"stand", 100}});
    kit.Animation("walk", StrideKeys("trot_a", "pass_a", "trot_b", "pass_b"));
    kit.Animation("attack",
                  {{"stand", 0}, {"rear", 40}, {"butt", 60, true}, {"butt", 70}, {"stand", 100}});
    kit.Animation("hit", {{"stand", 0}, {"recoil", 30}, {"stand", 100}});
    kit.Animation("death", {{"stand", 0}, {"topple", 40}, {"dead", 100}});
}

void MakeFlock(TMeshSet& meshes, const TOutput& out, const std::string& kind, bool ram) {
    TModelKit kit(kind);
    BuildTree(kit, BuildMeshes(meshes), kind, ram);
    BuildPoses(kit, kind);
    BuildAnimations(kit);
    kit.Write(out, kind);
}

} // namespace

void MakeSheep(TMeshSet& meshes, const TOutput& out) {
    MakeFlock(meshes, out, "sheep", false);
}

void MakeRam(TMeshSet& meshes, const TOutput& out) {
    MakeFlock(meshes, out, "ram", true);
}

} // namespace mediagen
