// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "math/frustumunit.h"

#include <GL/gl.h>

#include <cmath>

namespace {

double Distance(const TFrustumPlane& p, double x, double y, double z) {
    return p.a * x + p.b * y + p.c * z + p.d;
}

} // namespace

void TFrustumCuller::ExtractFrustum() {
    float projection[16];
    float modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    ExtractPlanes(projection, modelview);
}

void TFrustumCuller::ExtractPlanes(const float projection[16], const float modelview[16]) {
    double c[16];
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 4; ++k) {
            c[r * 4 + k] = 0;
            for (int i = 0; i < 4; ++i)
                c[r * 4 + k] += double(modelview[r * 4 + i]) * projection[i * 4 + k];
        }
    // Column 3 plus or minus columns 0, 1, 2 in the order right, left, bottom, top, far, near.
    static constexpr int column[PlaneCount] = {0, 0, 1, 1, 2, 2};
    static constexpr double sign[PlaneCount] = {-1, 1, 1, -1, -1, 1};
    for (int p = 0; p < PlaneCount; ++p) {
        double v[4];
        for (int e = 0; e < 4; ++e)
            v[e] = c[e * 4 + 3] + sign[p] * c[e * 4 + column[p]];
        const double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (!(len > 0)) {
            FPlanes[p] = {};
            continue;
        }
        FPlanes[p] = {float(v[0] / len), float(v[1] / len), float(v[2] / len), float(v[3] / len)};
    }
}

bool TFrustumCuller::PointInView(float x, float y, float z) const {
    for (const TFrustumPlane& p : FPlanes)
        if (!(Distance(p, x, y, z) > 0)) return false;
    return true;
}

bool TFrustumCuller::SphereInView(float x, float y, float z, float radius) const {
    for (const TFrustumPlane& p : FPlanes)
        if (Distance(p, x, y, z) <= -radius) return false;
    return true;
}

bool TFrustumCuller::BoxInView(float x, float y, float z, float sx, float sy, float sz) const {
    for (const TFrustumPlane& p : FPlanes) {
        // The corner farthest along the normal decides whether all eight are outside.
        const double best = Distance(p, x, y, z) + std::abs(p.a * double(sx)) +
                            std::abs(p.b * double(sy)) + std::abs(p.c * double(sz));
        if (best <= 0) return false;
    }
    return true;
}
