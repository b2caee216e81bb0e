// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The generated models and meshes, loaded through the game's own loaders, against what the
// game relies on: names, animation indices and triggers, sizes, outward faces, loops.
#include "assets/mediamanagerunit.h"
#include "assets/modelunit.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <numeric>
#include <set>

namespace {

namespace fs = std::filesystem;

struct TPoint {
    double x = 0, y = 0, z = 0;
};

// A model node's placement: the columns of a 3 x 3 matrix and a translation.
struct TFrame {
    std::array<std::array<double, 3>, 3> M{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    TPoint T;

    TPoint Apply(TPoint p) const {
        return {M[0][0] * p.x + M[0][1] * p.y + M[0][2] * p.z + T.x,
                M[1][0] * p.x + M[1][1] * p.y + M[1][2] * p.z + T.y,
                M[2][0] * p.x + M[2][1] * p.y + M[2][2] * p.z + T.z};
    }
    TFrame Then(const TFrame& child) const {
        TFrame r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.M[i][j] =
                    M[i][0] * child.M[0][j] + M[i][1] * child.M[1][j] + M[i][2] * child.M[2][j];
        r.T = Apply(child.T);
        return r;
    }
};

// What glTranslate, glRotate about X, Y, Z and glScale make of a node's transformation.
TFrame NodeFrame(const TTransformation& t) {
    const auto rotation = [](int axis, double degrees) {
        const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
        TFrame f;
        const int i = (axis + 1) % 3, j = (axis + 2) % 3;
        f.M[i][i] = c;
        f.M[i][j] = -s;
        f.M[j][i] = s;
        f.M[j][j] = c;
        return f;
    };
    TFrame f;
    f.T = {t.Position.x, t.Position.y, t.Position.z};
    f = f.Then(rotation(0, t.Rotation.x))
            .Then(rotation(1, t.Rotation.y))
            .Then(rotation(2, t.Rotation.z));
    TFrame scale;
    for (int i = 0; i < 3; ++i)
        scale.M[i][i] = t.Scale[i];
    return f.Then(scale);
}

struct TPlacedNode {
    std::string Name;
    TFrame Frame;
    const TMesh* Mesh;
};

struct TBounds {
    TPoint Lo{1e9, 1e9, 1e9};
    TPoint Hi{-1e9, -1e9, -1e9};

    void Add(TPoint p) {
        Lo = {std::min(Lo.x, p.x), std::min(Lo.y, p.y), std::min(Lo.z, p.z)};
        Hi = {std::max(Hi.x, p.x), std::max(Hi.y, p.y), std::max(Hi.z, p.z)};
    }
};

// The generated media, read from a scratch working directory that links to it.
class TGeneratedModels : public ::testing::Test {
protected:
    TTestDir Dir;
    TFileMediaManager Media;

    void SetUp() override {
        fs::create_directory_symlink(QUELMARK_MEDIA_DIR, Dir.Path() / "media");
    }

    std::unique_ptr<TModel> Load(const std::string& name) {
        auto model = std::make_unique<TModel>();
        EXPECT_TRUE(model->LoadFromFile("media/" + name + ".model", Media)) << name;
        return model;
    }
};

struct TLoaded {
    std::unique_ptr<TModel> Model;
    TRealTimeModel Animated;
};

void Place(const TModelTreeNode& named, const TModelTreeNode& posed, const TFrame& parent,
           std::vector<TPlacedNode>& out) {
    const TFrame frame = parent.Then(NodeFrame(posed.Transformation));
    out.push_back({named.Name, frame, named.Element.Mesh});
    for (int i = 0; i < named.Children.Count(); ++i)
        Place(named.Children.Items(i), posed.Children.Items(i), frame, out);
}

// Every node placed as the game draws it for the animation at that phase.
std::vector<TPlacedNode> Posed(TLoaded& m, int animation, float time) {
    m.Animated.Animate(animation, time);
    std::vector<TPlacedNode> nodes;
    Place(*m.Model->Root, *m.Animated.Tree, TFrame(), nodes);
    return nodes;
}

TBounds BoundsOf(const std::vector<TPlacedNode>& nodes, const std::string& only = "") {
    TBounds b;
    for (const TPlacedNode& n : nodes)
        if (n.Mesh != nullptr && (only.empty() || n.Name == only))
            for (const TVertex& v : n.Mesh->Vertices())
                b.Add(n.Frame.Apply({v.x, v.y, v.z}));
    return b;
}

const TPlacedNode& Find(const std::vector<TPlacedNode>& nodes, const std::string& name) {
    for (const TPlacedNode& n : nodes)
        if (n.Name == name) return n;
    throw std::runtime_error("no node " + name);
}

// What each model must measure, by the game's numbers.
struct TModelFacts {
    std::string Name;
    int Animations; // animation indices the game plays
    double MinHeight, MaxHeight;
    double MinLength, MaxLength; // along z, the facing
    std::vector<int> Attacks;
    double WalkSpeed; // units per second over a 1.0 s walk cycle, 0 when it does not walk
    // Faces drawn for one of it: llvmpipe pays for each about as much as for a few dozen
    // pixels, and level 10 puts some forty models in view.
    int MaxFaces;
};

void PrintTo(const TModelFacts& facts, std::ostream* out) {
    *out << facts.Name;
}

const std::vector<TModelFacts> AllModels{
    {"viking_weapon", 6, 3.6, 4.6, 1.2, 3.5, {2, 5}, 6.5, 600},
    {"sheep", 5, 1.6, 2.6, 2.5, 3.1, {2}, 2.0, 450},
    {"ram", 5, 1.6, 2.6, 2.5, 3.1, {2}, 2.0, 700},
    {"tree1", 1, 7.0, 9.0, 4.5, 7.0, {}, 0, 400},
    {"fence", 0, 1.3, 1.7, 4.0, 4.4, {}, 0, 48},
};

class TEachModel : public TGeneratedModels, public ::testing::WithParamInterface<TModelFacts> {
protected:
    TLoaded Loaded;

    void SetUp() override {
        TGeneratedModels::SetUp();
        Loaded.Model = Load(GetParam().Name);
        Loaded.Animated.Init(*Loaded.Model);
    }
    TModel& Model() { return *Loaded.Model; }
};

void CollectNodes(const TModelTreeNode& node, std::vector<const TModelTreeNode*>& out) {
    out.push_back(&node);
    for (int i = 0; i < node.Children.Count(); ++i)
        CollectNodes(node.Children.Items(i), out);
}

TEST_P(TEachModel, NamesItsMeshesByTheirFileNamesAndItsNodesOnce) {
    EXPECT_EQ(Model().Name, GetParam().Name);
    std::vector<const TModelTreeNode*> nodes;
    CollectNodes(*Model().Root, nodes);
    std::set<std::string> names;
    int meshes = 0;
    for (const TModelTreeNode* node : nodes) {
        EXPECT_TRUE(names.insert(node->Name).second) << "node name twice: " << node->Name;
        EXPECT_EQ(node->Texture, nullptr) << node->Name;
        EXPECT_NE(node->Element.ElementType, geModel) << node->Name;
        if (node->Element.ElementType != geMesh) continue;
        ++meshes;
        ASSERT_NE(node->Element.Mesh, nullptr) << "mesh of node " << node->Name << " missing";
        // Found again by its file name: the cache holds it, so nothing is loaded twice.
        EXPECT_EQ(Media.GetMesh(node->Element.Mesh->Name()), node->Element.Mesh);
    }
    EXPECT_GE(meshes, 2);
}

TEST_P(TEachModel, DrawsNoMoreFacesThanItsBudget) {
    std::vector<const TModelTreeNode*> nodes;
    CollectNodes(*Model().Root, nodes);
    int faces = 0;
    for (const TModelTreeNode* node : nodes)
        if (node->Element.Mesh != nullptr) faces += node->Element.Mesh->FaceCount();
    EXPECT_LE(faces, GetParam().MaxFaces);
}

TEST_P(TEachModel, PosesMoveOnlyNodesThatExist) {
    // The animated copy finds nodes by name: a misspelt one would silently stay put.
    std::vector<const TModelTreeNode*> nodes;
    CollectNodes(*Model().Root, nodes);
    std::set<std::string> names;
    for (const TModelTreeNode* node : nodes)
        names.insert(node->Name);
    for (int p = 0; p < Model().Poses.Count(); ++p) {
        const TPose& pose = Model().Poses.Items(p);
        for (int i = 0; i < pose.Items.Count(); ++i)
            EXPECT_TRUE(names.count(pose.Items.Items(i).MovedNode))
                << pose.Name << " moves " << pose.Items.Items(i).MovedNode;
    }
}

TEST_P(TEachModel, PlaysEveryAnimationIndexWithKeysOnExistingPoses) {
    ASSERT_GE(Model().Animations.Count(), GetParam().Animations);
    for (int a = 0; a < Model().Animations.Count(); ++a) {
        const TAnimation& animation = Model().Animations.Items(a);
        ASSERT_GE(animation.Keys.Count(), 2) << animation.Name;
        EXPECT_EQ(Loaded.Animated.Animations[a].Keys.front().Time, 0) << animation.Name;
        EXPECT_EQ(Loaded.Animated.Animations[a].Keys.back().Time, 100) << animation.Name;
        for (int k = 0; k < animation.Keys.Count(); ++k)
            EXPECT_TRUE(Model().HasPose(animation.Keys.Items(k).PoseName))
                << animation.Name << " key " << k;
    }
}

TEST_P(TEachModel, StrikesAtATriggerKeyInsideTheAttack) {
    for (int a = 0; a < Model().Animations.Count(); ++a) {
        const TAnimation& animation = Model().Animations.Items(a);
        int triggers = 0;
        for (int k = 0; k < animation.Keys.Count(); ++k)
            if (animation.Keys.Items(k).Trigger) {
                ++triggers;
                EXPECT_GT(animation.Keys.Items(k).Time, 20) << animation.Name;
                EXPECT_LT(animation.Keys.Items(k).Time, 90) << animation.Name;
            }
        const auto& attacks = GetParam().Attacks;
        EXPECT_EQ(triggers, std::count(attacks.begin(), attacks.end(), a)) << animation.Name;
    }
}

TEST_P(TEachModel, StandsOnTheGroundAtItsSize) {
    const TBounds b = BoundsOf(Posed(Loaded, 0, 0));
    EXPECT_NEAR(b.Lo.y, 0, 0.05);
    EXPECT_GE(b.Hi.y, GetParam().MinHeight);
    EXPECT_LE(b.Hi.y, GetParam().MaxHeight);
    EXPECT_GE(b.Hi.z - b.Lo.z, GetParam().MinLength);
    EXPECT_LE(b.Hi.z - b.Lo.z, GetParam().MaxLength);
    // Centred on its origin, so collisions and turning fit what is drawn.
    EXPECT_LT(std::fabs(b.Hi.x + b.Lo.x), 0.6);
}

TEST_P(TEachModel, LeavesScaleAloneSinceLightingTakesTheNormalsAsTheyAre) {
    std::vector<const TModelTreeNode*> nodes;
    CollectNodes(*Model().Root, nodes);
    for (const TModelTreeNode* node : nodes)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(node->Transformation.Scale[i], 1.0f) << node->Name;
    for (int p = 0; p < Model().Poses.Count(); ++p)
        for (int i = 0; i < Model().Poses.Items(p).Items.Count(); ++i)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(Model().Poses.Items(p).Items.Items(i).Transformation.Scale[c], 0.0f);
}

TEST_P(TEachModel, LoopsIdleAndWalkWithoutASeam) {
    for (int a = 0; a < std::min(2, Model().Animations.Count()); ++a) {
        const TAnimation& animation = Model().Animations.Items(a);
        EXPECT_EQ(animation.Keys.Items(0).PoseName,
                  animation.Keys.Items(animation.Keys.Count() - 1).PoseName)
            << animation.Name;
    }
}

// The viking, sheep and ram: they walk, fight and die.
class TEachCreature : public TEachModel {};

TEST_P(TEachCreature, DiesLyingLowOnTheGround) {
    const double standing = BoundsOf(Posed(Loaded, 0, 0)).Hi.y;
    // The game holds the death on its last frame with this phase.
    const auto nodes = Posed(Loaded, 4, 0.999999f);
    const TBounds b = BoundsOf(nodes);
    EXPECT_LT(b.Hi.y, 0.8 * standing);
    EXPECT_GT(b.Lo.y, -0.2);
    // Its figure, the node under the root, no longer stands upright.
    const TFrame& figure = nodes.at(1).Frame;
    EXPECT_LT(figure.M[1][1], 0.5);
}

TEST_P(TEachCreature, WalksWithoutSlidingItsFeet) {
    const double speed = GetParam().WalkSpeed;
    for (int i = 0; i <= 20; ++i) {
        const TBounds b = BoundsOf(Posed(Loaded, 1, static_cast<float>(i) / 20));
        EXPECT_NEAR(b.Lo.y, 0, 0.25) << "phase " << i / 20.0;
    }
    // A foot on the ground moves back under the body at the walking speed: from one
    // stride's contact to the next, a quarter of the cycle.
    const auto rest = Posed(Loaded, 0, 0);
    const auto first = Posed(Loaded, 1, 0);
    const auto second = Posed(Loaded, 1, 0.25f);
    int planted = 0;
    for (const TPlacedNode& leg : rest) {
        if (leg.Name.rfind("leg_", 0) != 0) continue;
        const TPoint sole{0, -leg.Frame.T.y, 0};
        const TPoint a = Find(first, leg.Name).Frame.Apply(sole);
        const TPoint b = Find(second, leg.Name).Frame.Apply(sole);
        if (b.z >= a.z) continue;
        ++planted;
        EXPECT_NEAR(a.z - b.z, speed * 0.25, speed * 0.25 * 0.2) << leg.Name;
        EXPECT_NEAR(a.y, 0, 0.2) << leg.Name;
        EXPECT_NEAR(b.y, 0, 0.2) << leg.Name;
    }
    EXPECT_GE(planted, 1);
}

const auto ModelName = [](const auto& info) { return info.param.Name; };
INSTANTIATE_TEST_SUITE_P(Models, TEachModel, ::testing::ValuesIn(AllModels), ModelName);
INSTANTIATE_TEST_SUITE_P(Creatures, TEachCreature,
                         ::testing::ValuesIn(AllModels.begin(), AllModels.begin() + 3), ModelName);

TEST_F(TGeneratedModels, VikingAxeReachesTwoToThreeUnitsAhead) {
    TLoaded viking{Load("viking_weapon"), {}};
    viking.Animated.Init(*viking.Model);
    for (int attack : {2, 5}) {
        const float trigger = viking.Animated.Animations.at(attack).TriggerTime / 100.0f;
        const TBounds head = BoundsOf(Posed(viking, attack, trigger), "axehead");
        EXPECT_GE(head.Hi.z, 2.0) << "attack " << attack;
        EXPECT_LE(head.Hi.z, 3.2) << "attack " << attack;
        EXPECT_LT(head.Lo.y, 2.0) << "attack " << attack; // low enough to meet a sheep
    }
}

TEST_F(TGeneratedModels, RamIsToldFromSheepByDarkerFleeceAndHorns) {
    auto sheep = Load("sheep");
    auto ram = Load("ram");
    const auto brightness = [](const TModelTreeNode& n) {
        return n.Color.Red + n.Color.Green + n.Color.Blue;
    };
    const TModelTreeNode& sheepBody = sheep->Root->Children.Items(0).Children.Items(0);
    const TModelTreeNode& ramBody = ram->Root->Children.Items(0).Children.Items(0);
    EXPECT_LT(brightness(ramBody), brightness(sheepBody) - 0.5f);
    std::vector<const TModelTreeNode*> nodes;
    CollectNodes(*ram->Root, nodes);
    EXPECT_TRUE(std::any_of(nodes.begin(), nodes.end(),
                            [](const auto* n) { return n->Name.rfind("horn", 0) == 0; }));
}

TEST_F(TGeneratedModels, FencePiecesJoinEndToEnd) {
    TLoaded fence{Load("fence"), {}};
    fence.Animated.Init(*fence.Model);
    const auto nodes = Posed(fence, 0, 0);
    const TBounds rails = BoundsOf(nodes, "rails");
    EXPECT_FLOAT_EQ(static_cast<float>(rails.Lo.z), -2.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(rails.Hi.z), 2.0f);
    // One post per piece, at its start: the next piece's post closes the far end.
    const TBounds post = BoundsOf(nodes, "post");
    EXPECT_NEAR((post.Lo.z + post.Hi.z) / 2, -2.0, 1e-5);
    EXPECT_LT(post.Hi.z - post.Lo.z, 0.5);
}

TEST_F(TGeneratedModels, TreeHasAThinTrunkUnderABroadCrown) {
    TLoaded tree{Load("tree1"), {}};
    tree.Animated.Init(*tree.Model);
    for (float phase : {0.0f, 0.3f, 0.55f, 0.9f}) {
        const auto nodes = Posed(tree, 0, phase);
        const TBounds trunk = BoundsOf(nodes, "trunk");
        EXPECT_LE(std::max(trunk.Hi.x, -trunk.Lo.x), 1.1 + 0.5) << phase; // branches included
        const TBounds all = BoundsOf(nodes);
        EXPECT_NEAR(all.Hi.y, 8, 0.6) << phase;
        EXPECT_GE(all.Hi.x - all.Lo.x, 4.5) << phase;
    }
}

// A quantised position, so that faces are matched by where their corners lie.
using TKeyPoint = std::array<long, 3>;

TKeyPoint Key(const TVertex& v) {
    return {std::lround(v.x * 1e4), std::lround(v.y * 1e4), std::lround(v.z * 1e4)};
}

TEST_F(TGeneratedModels, EveryMeshIsMadeOfClosedOutwardFacingParts) {
    int meshes = 0;
    for (const auto& entry : fs::directory_iterator(QUELMARK_MEDIA_DIR)) {
        if (entry.path().extension() != ".mesh") continue;
        ++meshes;
        const std::string name = entry.path().stem().string();
        TMesh* mesh = Media.GetMesh(name);
        ASSERT_NE(mesh, nullptr) << name;
        EXPECT_EQ(mesh->Name(), name);
        // Parts: faces joined through corners at the same place.
        const auto& v = mesh->Vertices();
        const auto& faces = mesh->Faces();
        std::map<TKeyPoint, int> points;
        for (const TVertex& vertex : v)
            points.emplace(Key(vertex), static_cast<int>(points.size()));
        std::vector<int> parent(points.size());
        std::iota(parent.begin(), parent.end(), 0);
        const auto root = [&](int i) {
            while (parent[i] != i)
                i = parent[i] = parent[parent[i]];
            return i;
        };
        const auto id = [&](int32_t corner) { return points.at(Key(v.at(corner))); };
        for (const TFace& f : faces) {
            parent[root(id(f.a))] = root(id(f.b));
            parent[root(id(f.b))] = root(id(f.c));
        }
        std::map<int, double> volume;
        std::map<std::pair<int, int>, int> edges;
        for (const TFace& f : faces) {
            const TVertex &a = v[f.a], &b = v[f.b], &c = v[f.c];
            // Six times the signed volume of the tetrahedron from the origin.
            volume[root(id(f.a))] += a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                                     a.z * (b.x * c.y - b.y * c.x);
            ++edges[{id(f.a), id(f.b)}];
            ++edges[{id(f.b), id(f.c)}];
            ++edges[{id(f.c), id(f.a)}];
            const double nx = (b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y);
            const double ny = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
            const double nz = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
            EXPECT_GT(nx * f.nx + ny * f.ny + nz * f.nz, 0)
                << name << ": face normal against its winding";
            if (f.smooth) {
                for (const TVertex* corner : {&a, &b, &c})
                    EXPECT_NEAR(std::hypot(corner->nx, corner->ny, corner->nz), 1, 1e-3) << name;
            }
        }
        for (const auto& [part, sixVolume] : volume)
            EXPECT_GT(sixVolume, 0) << name << ": a part faces inwards";
        // Closed: every edge is met once the other way round by the neighbouring face.
        for (const auto& [edge, count] : edges)
            EXPECT_EQ(count, edges.count({edge.second, edge.first})
                                 ? edges.at({edge.second, edge.first})
                                 : 0)
                << name << ": open or doubled edge";
    }
    EXPECT_GE(meshes, 10);
}

TEST_F(TGeneratedModels, WritesNoMeshThatNoModelNames) {
    std::set<std::string> named;
    for (const TModelFacts& facts : AllModels) {
        auto model = Load(facts.Name);
        std::vector<const TModelTreeNode*> nodes;
        CollectNodes(*model->Root, nodes);
        for (const auto* node : nodes)
            if (node->Element.Mesh != nullptr) named.insert(node->Element.Mesh->Name());
    }
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(QUELMARK_MEDIA_DIR))
        if (entry.path().extension() == ".mesh") files.insert(entry.path().stem().string());
    EXPECT_EQ(files, named);
}

} // namespace
