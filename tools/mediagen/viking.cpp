// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The viking: a chunky blue-tunicked warrior about 4 tall with a horned helmet and a big axe.
#include "models.h"

#include <utility>

namespace mediagen {

namespace {

constexpr TColor Tunic = 0x2F5DA8, Belt = 0x5A3A1E, Skin = 0xF0C8A0, Helmet = 0xB8BCC4,
                 Horn = 0xF2EBD9, Beard = 0xD9822B, AxeHead = 0xC9CDD2, Haft = 0x8A5A2B,
                 Trousers = 0x6E5238, Dark = 0x3A3A3A;

// The leg swing of a stride: the sole moves 2 x 1.4 x sin(35) = 1.6 under the hip, a quarter
// of the 6.5 units walked per second, and a stride takes a quarter second.
constexpr double Swing = 35;

struct TVikingMeshes {
    TMesh *Hips, *Leg, *Boot, *Torso, *Belt, *Buckle, *Head, *Helmet, *HornL, *HornR, *Beard, *Nose,
        *Eyes, *Arm, *Hand, *Haft, *AxeHead;
};

TVikingMeshes BuildMeshes(TMeshSet& set) {
    TVikingMeshes m{};
    TShapeBuilder s;
    s.Box({-0.55, -0.2, -0.38}, {0.55, 0.25, 0.38});
    m.Hips = set.Add("viking_hips", s);

    s = {};
    s.Box({-0.22, -1.02, -0.24}, {0.22, 0.1, 0.24});
    m.Leg = set.Add("viking_leg", s);

    s = {};
    s.Box({-0.27, -0.38, -0.24}, {0.27, 0.04, 0.36});
    s.Box({-0.3, -0.12, -0.27}, {0.3, 0.06, 0.27}); // turned-down cuff
    m.Boot = set.Add("viking_boot", s);

    s = {};
    s.Frustum(-0.35, 1.1, 0.68, 0.44, 0.85, 0.5);
    s.Frustum(-0.62, -0.1, 0.76, 0.5, 0.7, 0.46); // the tunic's hem
    m.Torso = set.Add("viking_torso", s);

    s = {};
    s.Box({-0.76, -0.12, -0.5}, {0.76, 0.12, 0.5});
    m.Belt = set.Add("viking_belt", s);

    s = {};
    s.Box({-0.17, -0.15, 0.42}, {0.17, 0.15, 0.56});
    m.Buckle = set.Add("viking_buckle", s);

    s = {};
    s.Box({-0.5, 0, -0.46}, {0.5, 0.9, 0.46});
    m.Head = set.Add("viking_head", s);

    s = {};
    s.Lathe({{0.76, 0.74}, {0.78, 0.9}, {0.68, 1.08}, {0.46, 1.25}, {0, 1.32}}, 8, false);
    s.Box({-0.07, 0.4, 0.46}, {0.07, 0.8, 0.58}); // nose guard
    m.Helmet = set.Add("viking_helmet", s);

    s = {};
    s.Tube({{{0.55, 0.95, 0}, 0.17},
            {{0.85, 1.03, 0.02}, 0.15},
            {{1.08, 1.22, 0.04}, 0.12},
            {{1.18, 1.48, 0.07}, 0.08},
            {{1.15, 1.7, 0.1}, 0.03}},
           8, true);
    m.HornL = set.Add("viking_horn_l", s);
    m.HornR = set.Add("viking_horn_r", s.MirroredX());

    s = {};
    s.Frustum(-0.55, 0.34, 0.24, 0.13, 0.5, 0.14, -0.12, {{0, 0, 0.58}, {}});
    s.Box({-0.34, 0.25, 0.44}, {0.34, 0.37, 0.62}); // moustache
    m.Beard = set.Add("viking_beard", s);

    s = {};
    s.Box({-0.1, 0.3, 0.44}, {0.1, 0.52, 0.66});
    m.Nose = set.Add("viking_nose", s);

    s = {};
    s.Box({0.13, 0.52, 0.44}, {0.3, 0.68, 0.5});
    s.Box({-0.3, 0.52, 0.44}, {-0.13, 0.68, 0.5});
    m.Eyes = set.Add("viking_eyes", s);

    s = {};
    s.Box({-0.21, -0.85, -0.23}, {0.21, 0.15, 0.23});
    m.Arm = set.Add("viking_arm", s);

    s = {};
    s.Box({-0.19, -0.34, -0.2}, {0.19, 0.02, 0.2});
    m.Hand = set.Add("viking_hand", s);

    s = {};
    s.Lathe({{0.09, -0.35}, {0.08, 1.72}}, 6, false);
    m.Haft = set.Add("viking_haft", s);

    // The blade leads on the haft's +z side, the side a chop swings towards; its bearded
    // edge reaches down along the haft.
    s = {};
    s.Box({-0.1, 1.3, -0.18}, {0.1, 1.76, 0.2});
    s.Frustum(0.15, 0.95, 0.08, 0.22, 0.05, 0.66, 0.22, {{0, 1.56, 0}, {90, 0, 0}});
    s.Frustum(-0.15, 0.15, 0.08, 0.12, 0.05, 0.08, 0, {{0, 1.53, -0.3}, {-90, 0, 0}});
    m.AxeHead = set.Add("viking_axehead", s);
    return m;
}

void BuildTree(TModelKit& kit, const TVikingMeshes& m) {
    TModelTreeNode& figure = kit.Node(kit.Root(), "viking", {});
    TModelTreeNode& hips = kit.Node(figure, "hips", {0, 1.4, 0}, m.Hips, Trousers);
    for (const auto& [side, x] : {std::pair{"l", 0.3}, std::pair{"r", -0.3}}) {
        TModelTreeNode& leg =
            kit.Node(hips, std::string("leg_") + side, {x, 0, 0}, m.Leg, Trousers);
        kit.Node(leg, std::string("boot_") + side, {0, -1.02, 0}, m.Boot, Belt);
    }
    TModelTreeNode& torso = kit.Node(hips, "torso", {0, 0.15, 0}, m.Torso, Tunic);
    kit.Node(torso, "belt", {0, 0, 0}, m.Belt, Belt);
    kit.Node(torso, "buckle", {0, 0, 0}, m.Buckle, AxeHead);
    TModelTreeNode& head = kit.Node(torso, "head", {0, 1.1, 0.02}, m.Head, Skin);
    kit.Node(head, "helmet", {}, m.Helmet, Helmet);
    kit.Node(head, "horn_l", {}, m.HornL, Horn);
    kit.Node(head, "horn_r", {}, m.HornR, Horn);
    kit.Node(head, "beard", {}, m.Beard, Beard);
    kit.Node(head, "nose", {}, m.Nose, Skin);
    kit.Node(head, "eyes", {}, m.Eyes, Dark);
    TModelTreeNode& armL = kit.Node(torso, "arm_l", {0.98, 0.95, 0}, m.Arm, Tunic, {-5, 0, 8});
    kit.Node(armL, "hand_l", {0, -0.85, 0}, m.Hand, Skin);
    TModelTreeNode& armR = kit.Node(torso, "arm_r", {-0.98, 0.95, 0}, m.Arm, Tunic, {-20, 0, -6});
    TModelTreeNode& handR = kit.Node(armR, "hand_r", {0, -0.85, 0}, m.Hand, Skin);
    // Held forward and a little down, ready to swing.
    TModelTreeNode& axe = kit.Node(handR, "axe", {0, -0.17, 0}, nullptr, 0xFFFFFF, {130, 0, 0});
    kit.Node(axe, "haft", {}, m.Haft, Haft);
    kit.Node(axe, "axehead", {}, m.AxeHead, AxeHead);
}

void BuildPoses(TModelKit& kit) {
    kit.Pose("rest", {});
    kit.Pose("breathe", {{"hips", {0, 0.03, 0}, {}},
                         {"torso", {}, {-3, 0, 0}},
                         {"head", {}, {-4, 0, 0}},
                         {"arm_l", {}, {0, 0, 5}},
                         {"arm_r", {}, {-10, 0, -4}}});
    kit.Pose("look_l", {{"head", {}, {0, 25, 0}}, {"torso", {}, {0, 5, 0}}});
    kit.Pose("look_r", {{"head", {}, {0, -25, 0}}, {"torso", {}, {0, -5, 0}}});

    // Walking: at contact one foot is forward and the other back, the hips sink a little;
    // passing, the free leg is lifted.
    const auto contact = [&](const std::string& name, double left) {
        kit.Pose(name, {{"hips", {0, -0.12, 0}, {}},
                        {"torso", {}, {7, 0, 0}},
                        {"leg_l", {}, {-left, 0, 0}},
                        {"leg_r", {}, {left, 0, 0}},
                        {"arm_l", {}, {left * 0.9, 0, 0}},
                        {"arm_r", {}, {-left * 0.4, 0, 0}},
                        {"axe", {}, {-45, 0, 0}}});
    };
    // The axe is carried higher while walking, clear of the ground.
    const auto passing = [&](const std::string& name, const std::string& lifted) {
        kit.Pose(name, {{"torso", {}, {7, 0, 0}},
                        {"axe", {}, {-45, 0, 0}},
                        {lifted, {0, 0.32, 0}, {-8, 0, 0}}});
    };
    contact("walk_a", Swing);
    passing("pass_a", "leg_r");
    contact("walk_b", -Swing);
    passing("pass_b", "leg_l");

    // An overhead chop: raised behind the head, brought down in front.
    kit.Pose("chop_up", {{"hips", {0, 0, -0.1}, {}},
                         {"torso", {}, {-10, 0, 0}},
                         {"head", {}, {-10, 0, 0}},
                         {"arm_r", {}, {-180, 0, 0}},
                         {"arm_l", {}, {-140, 0, 0}},
                         {"leg_l", {}, {-8, 0, 0}}});
    kit.Pose("chop_down", {{"hips", {0, -0.1, 0.15}, {}},
                           {"torso", {}, {18, 0, 0}},
                           {"head", {}, {8, 0, 0}},
                           {"arm_r", {}, {-60, 0, 0}},
                           {"axe", {}, {55, 0, 0}},
                           {"arm_l", {}, {-50, 0, 0}},
                           {"leg_l", {}, {-22, 0, 0}},
                           {"leg_r", {}, {12, 0, 0}}});

    // A flat sweep from right to left, blade turned to lead sideways.
    const auto sweep = [&](const std::string& name, double twist) {
        kit.Pose(name, {{"torso", {}, {0, twist, 0}},
                        {"head", {}, {0, -twist * 0.4, 0}},
                        {"arm_r", {}, {-50, 0, 6}},
                        {"axe", {}, {50, 90, 0}},
                        {"arm_l", {}, {-30, 0, 10}},
                        {"leg_l", {}, {-12, 0, 0}},
                        {"leg_r", {}, {10, 0, 0}}});
    };
    sweep("sweep_back", -70);
    sweep("sweep_hit", 5);
    sweep("sweep_through", 65);

    kit.Pose("recoil", {{"hips", {0, 0, -0.3}, {}},
                        {"torso", {}, {-18, 0, 0}},
                        {"head", {}, {-14, 0, 0}},
                        {"arm_l", {}, {-20, 0, 25}},
                        {"arm_r", {}, {-10, 0, -20}}});

    // Falling on his back, arms flung out, the axe lying flat beside him.
    kit.Pose("stagger", {{"viking", {0, 0, 0}, {-22, 0, 0}},
                         {"hips", {0, -0.15, 0}, {}},
                         {"head", {}, {-15, 0, 0}},
                         {"arm_l", {}, {-30, 0, 35}},
                         {"arm_r", {}, {-30, 0, -35}}});
    kit.Pose("dead", {{"viking", {0, 0.52, 1.8}, {-90, 0, 0}},
                      {"head", {}, {0, 25, 0}},
                      {"arm_l", {}, {0, 0, 75}},
                      {"arm_r", {}, {20, 0, -75}},
                      {"axe", {}, {50, 90, 0}},
                      {"leg_l", {}, {0, 0, 12}},
                      {"leg_r", {}, {0, 0, -12}}});
}

void BuildAnimations(TModelKit& kit) {
    kit.Animation("idle",
                  {{"rest", 0}, {"look_l", 25}, {"breathe", 50}, {"look_r", 75}, {"rest", 100}});
    kit.Animation("walk", StrideKeys("walk_a", "pass_a", "walk_b", "pass_b"));
    kit.Animation(
        "chop",
        {{"rest", 0}, {"chop_up", 35}, {"chop_down", 60, true}, {"chop_down", 75}, {"rest", 100}});
    kit.Animation("hit", {{"rest", 0}, {"recoil", 30}, {"rest", 100}});
    kit.Animation("death", {{"rest", 0}, {"stagger", 35}, {"dead", 100}});
    kit.Animation("sweep", {{"rest", 0},
                            {"sweep_back", 30},
                            {"sweep_hit", 55, true},
                            {"sweep_through", 78},
                            {"rest", 100}});
}

} // namespace

void MakeViking(TMeshSet& meshes, const TOutput& out) {
    TModelKit kit("viking_weapon");
    BuildTree(kit, BuildMeshes(meshes));
    BuildPoses(kit);
    BuildAnimations(kit);
    kit.Write(out, "viking_weapon");
}

} // namespace mediagen
