// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// View-frustum culling: the six planes of the current view volume and visibility tests.
#pragma once

#include <array>

// a*x + b*y + c*z + d = 0 with (a, b, c) of unit length, pointing into the view volume.
struct TFrustumPlane {
    float a, b, c, d;
};

// Holds zero planes until the first extraction: they reject every point and box and no
// sphere of positive radius. A plane that comes out degenerate (a zero-length normal, from a
// degenerate projection) is likewise kept at zero, with the same effect.
class TFrustumCuller {
public:
    enum { Right, Left, Bottom, Top, Far, Near, PlaneCount };

    // Reads the current OpenGL projection and model-view matrices and extracts the planes.
    void ExtractFrustum();
    // The planes for two matrices in OpenGL's column-major order.
    void ExtractPlanes(const float projection[16], const float modelview[16]);

    // A point exactly on a plane is outside.
    bool PointInView(float x, float y, float z) const;
    // Spheres touching or crossing a plane count as visible.
    bool SphereInView(float x, float y, float z, float radius) const;
    // Box centred at (x, y, z) with half-extents sx, sy, sz.
    bool BoxInView(float x, float y, float z, float sx, float sy, float sz) const;

    const std::array<TFrustumPlane, PlaneCount>& Planes() const { return FPlanes; }

private:
    std::array<TFrustumPlane, PlaneCount> FPlanes{};
};
