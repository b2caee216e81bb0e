// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of frustum culling and of the vector and quaternion operations the game leans on.
#include "math/frustumunit.h"
#include "math/randomunit.h"
#include "math/vectorunit.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int SphereCount = 1024;

// gluPerspective(45, 4/3, 1, 100) and a camera 20 units back, both column-major.
TFrustumCuller GameLikeCuller() {
    const double f = 1 / std::tan(45 * std::numbers::pi / 360);
    const float projection[16] = {
        float(f * 3 / 4),   0, 0, 0, 0, float(f), 0, 0, 0, 0, float(-101.0 / 99), -1, 0, 0,
        float(-200.0 / 99), 0};
    const float modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -24, -5, -20, 1};
    TFrustumCuller culler;
    culler.ExtractPlanes(projection, modelview);
    return culler;
}

std::vector<TVector> FieldPoints() {
    RandomSeed(1);
    std::vector<TVector> points(SphereCount);
    for (TVector& p : points)
        p = {float(Random(48)), float(Random(4)), float(Random(48) - 40)};
    return points;
}

void BM_SphereInView(benchmark::State& state) {
    const TFrustumCuller culler = GameLikeCuller();
    const std::vector<TVector> points = FieldPoints();
    for (auto _ : state)
        for (const TVector& p : points)
            benchmark::DoNotOptimize(culler.SphereInView(p.x, p.y, p.z, 1.4f));
    state.SetItemsProcessed(state.iterations() * SphereCount);
}
BENCHMARK(BM_SphereInView);

void BM_ExtractPlanes(benchmark::State& state) {
    TFrustumCuller culler = GameLikeCuller();
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (auto _ : state) {
        culler.ExtractPlanes(identity, identity);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExtractPlanes);

void BM_VectorNormalise(benchmark::State& state) {
    const std::vector<TVector> points = FieldPoints();
    TVector out;
    for (auto _ : state)
        for (const TVector& p : points) {
            VectorNormalised(p, out);
            benchmark::DoNotOptimize(out);
        }
    state.SetItemsProcessed(state.iterations() * SphereCount);
}
BENCHMARK(BM_VectorNormalise);

void BM_QuaternionSlerpAndRotate(benchmark::State& state) {
    TQuaternion a, b, q;
    QuaternionFromAxisAngle(1, 2, 3, 0.4f, a);
    QuaternionFromAxisAngle(-1, 0.5f, 2, 2.1f, b);
    const std::vector<TVector> points = FieldPoints();
    TVector out;
    for (auto _ : state)
        for (int i = 0; i < SphereCount; ++i) {
            QuaternionSlerp(a, b, float(i) / SphereCount, q);
            QuaternionRotate(points[std::size_t(i)], q, out);
            benchmark::DoNotOptimize(out);
        }
    state.SetItemsProcessed(state.iterations() * SphereCount);
}
BENCHMARK(BM_QuaternionSlerpAndRotate);

} // namespace

BENCHMARK_MAIN();
