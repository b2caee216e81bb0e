// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Posing and drawing one shared 20-node animated model for 300 entities per frame, as the
// play state does, with the heap allocations made while posing. Needs an X display (xvfb-run).
#include "assets/animationhandlerunit.h"
#include "assets/glmeshunit.h"
#include "assets/modelunit.h"

#include "allocationcounter.h"

#include <GL/glu.h>
#include <SDL.h>
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

constexpr int Entities = 300;
constexpr double FrameMs = 1000.0 / 60;

// A small tetrahedron, so drawing costs a display-list call rather than fill rate.
std::unique_ptr<TMesh> SmallMesh() {
    std::string points;
    const float corners[4][3] = {{0, 0, 0}, {0.3f, 0, 0}, {0, 0.3f, 0}, {0, 0, 0.3f}};
    for (int i = 0; i < 4; ++i)
        points += "<VERTEX id=\"" + std::to_string(i) + "\"><X>" + std::to_string(corners[i][0]) +
                  "</X><Y>" + std::to_string(corners[i][1]) + "</Y><Z>" +
                  std::to_string(corners[i][2]) + "</Z></VERTEX>";
    std::string faces;
    const int corner[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    for (int i = 0; i < 4; ++i)
        faces += "<FACE id=\"" + std::to_string(i) + "\"><A>" + std::to_string(corner[i][0]) +
                 "</A><B>" + std::to_string(corner[i][1]) + "</B><C>" +
                 std::to_string(corner[i][2]) + "</C></FACE>";
    TMemoryStream stream("<MESH><NAME>part</NAME><FACECOUNT>4</FACECOUNT><POINTCOUNT>4"
                         "</POINTCOUNT><POINTS>" +
                         points + "</POINTS><FACES>" + faces + "</FACES></MESH>");
    std::unique_ptr<TMesh> mesh = CreateMesh(GlMeshKind());
    mesh->LoadFromStream(stream);
    return mesh;
}

// A body with four limbs of four nodes and three more parts: 20 nodes, 4 poses, a walk
// of five keys and a swing of three.
TModel MakeModel(TMesh* mesh) {
    TModel model;
    auto add = [mesh](TModelTreeNode& parent, const std::string& name) -> TModelTreeNode& {
        TModelTreeNode& node = parent.Children.Add(std::make_unique<TModelTreeNode>());
        node.Name = name;
        node.Element = {geMesh, mesh, nullptr, 0};
        node.Transformation.Position = MakeVector(0, 0.3f, 0);
        return node;
    };
    model.Root->Element = {geMesh, mesh, nullptr, 0};
    for (int limb = 0; limb < 4; ++limb) {
        TModelTreeNode* node = model.Root.get();
        for (int part = 0; part < 4; ++part)
            node = &add(*node, "limb" + std::to_string(limb) + "_" + std::to_string(part));
    }
    for (const char* name : {"head", "tail", "weapon"})
        add(*model.Root, name);
    for (int p = 0; p < 4; ++p) {
        TPose& pose = model.Poses.Add(std::make_unique<TPose>());
        pose.Name = "pose" + std::to_string(p);
        for (int limb = 0; limb < 4; ++limb)
            pose.FindDelta("limb" + std::to_string(limb) + "_1", true)->Rotation.x = 10.0f * p;
        pose.FindDelta("head", true)->Rotation.y = -15.0f * p;
    }
    auto animate = [&model](std::initializer_list<std::pair<int, int>> keys) {
        TAnimation& animation = model.Animations.Add(std::make_unique<TAnimation>());
        for (auto [pose, time] : keys) {
            TAnimationKey& key = animation.Keys.Add(std::make_unique<TAnimationKey>());
            key.PoseName = "pose" + std::to_string(pose);
            key.Time = time;
        }
    };
    animate({{0, 0}, {1, 25}, {2, 50}, {3, 75}, {0, 100}});
    animate({{0, 0}, {3, 40}, {0, 100}});
    return model;
}

class TScene {
public:
    TScene() {
        if (SDL_Init(SDL_INIT_VIDEO) < 0 || !SDL_SetVideoMode(160, 120, 0, SDL_OPENGL)) {
            std::fprintf(stderr, "No OpenGL window: %s\n", SDL_GetError());
            std::exit(1);
        }
        glMatrixMode(GL_PROJECTION);
        gluPerspective(45, 160.0 / 120, 2, 200);
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        Mesh = SmallMesh();
        Instance.Init(MakeModel(Mesh.get()));
        for (int i = 0; i < Entities; ++i) {
            Handlers.emplace_back(Instance);
            Handlers.back().Start(i % 2, 1.0f + (i % 3));
            Handlers.back().Advance((i % 100) / 100.0f);
        }
    }
    ~TScene() { SDL_Quit(); }

    void Pose(TAnimationHandler& handler) {
        handler.Advance(0.016f);
        handler.Apply();
    }
    void Draw(int i) {
        glPushMatrix();
        glTranslatef(static_cast<float>(i % 20) * 2 - 20, -5, -30 - static_cast<float>(i / 20));
        glRotatef(static_cast<float>(i) * 7, 0, 1, 0);
        Instance.Render();
        glPopMatrix();
    }

    std::unique_ptr<TMesh> Mesh;
    TRealTimeModel Instance;
    std::vector<TAnimationHandler> Handlers;
};

TScene& Scene() {
    static TScene scene;
    return scene;
}

void ReportFrame(benchmark::State& state, double seconds, long allocations) {
    double perFrameMs = seconds * 1000 / static_cast<double>(state.iterations());
    state.counters["ms_per_frame"] = perFrameMs;
    state.counters["share_of_60Hz_frame"] = perFrameMs / FrameMs;
    state.counters["allocs_per_frame"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}

void BM_PoseOnly(benchmark::State& state) {
    TScene& scene = Scene();
    long allocations = 0;
    double seconds = 0;
    for (auto _ : state) {
        long before = AllocationCount();
        auto start = std::chrono::steady_clock::now();
        for (TAnimationHandler& handler : scene.Handlers)
            scene.Pose(handler);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        allocations += AllocationCount() - before;
        benchmark::DoNotOptimize(scene.Instance.Tree->Transformation);
    }
    ReportFrame(state, seconds, allocations);
}
BENCHMARK(BM_PoseOnly);

void BM_PoseAndRender(benchmark::State& state) {
    TScene& scene = Scene();
    long allocations = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int i = 0; i < Entities; ++i) {
            long before = AllocationCount();
            scene.Pose(scene.Handlers[static_cast<size_t>(i)]);
            allocations += AllocationCount() - before;
            scene.Draw(i);
        }
        glFinish();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    ReportFrame(state, seconds, allocations);
}
BENCHMARK(BM_PoseAndRender)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
