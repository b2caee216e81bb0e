// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "math/frustumunit.h"
#include "support/glwindow.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

using TMatrix4 = std::array<float, 16>;

// The matrix gluPerspective builds, column-major.
TMatrix4 Perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double f = 1 / std::tan(fovyDegrees * std::numbers::pi / 360);
    TMatrix4 p{};
    p[0] = float(f / aspect);
    p[5] = float(f);
    p[10] = float((zFar + zNear) / (zNear - zFar));
    p[11] = -1;
    p[14] = float(2 * zFar * zNear / (zNear - zFar));
    return p;
}

TMatrix4 Translation(float x, float y, float z) {
    TMatrix4 m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
    return m;
}

// Camera at the origin looking down -z, near 1, far 100, 90 degrees each way.
TFrustumCuller StandardCuller() {
    TFrustumCuller culler;
    culler.ExtractPlanes(Perspective(90, 1, 1, 100).data(), Translation(0, 0, 0).data());
    return culler;
}

} // namespace

TEST(FrustumTest, PlanesAreUnitInwardAndInOrder) {
    const TFrustumCuller culler = StandardCuller();
    const auto& planes = culler.Planes();
    for (const TFrustumPlane& p : planes)
        EXPECT_NEAR(std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c), 1, 1e-6);
    EXPECT_LT(planes[TFrustumCuller::Right].a, 0);
    EXPECT_GT(planes[TFrustumCuller::Left].a, 0);
    EXPECT_GT(planes[TFrustumCuller::Bottom].b, 0);
    EXPECT_LT(planes[TFrustumCuller::Top].b, 0);
    const TFrustumPlane& farPlane = planes[TFrustumCuller::Far];
    const TFrustumPlane& nearPlane = planes[TFrustumCuller::Near];
    EXPECT_NEAR(farPlane.c, 1, 1e-6);
    EXPECT_NEAR(farPlane.d, 100, 1e-3);
    EXPECT_NEAR(nearPlane.c, -1, 1e-6);
    EXPECT_NEAR(nearPlane.d, -1, 1e-5);
}

TEST(FrustumTest, PointsOnAndOffTheViewAxis) {
    const TFrustumCuller culler = StandardCuller();
    EXPECT_TRUE(culler.PointInView(0, 0, -10));
    EXPECT_FALSE(culler.PointInView(0, 0, 10)); // behind the camera
    EXPECT_FALSE(culler.PointInView(0, 0, -0.5f));
    EXPECT_FALSE(culler.PointInView(0, 0, -150));
    EXPECT_TRUE(culler.PointInView(9, 0, -10));
    EXPECT_FALSE(culler.PointInView(11, 0, -10));
    EXPECT_FALSE(culler.PointInView(0, -11, -10));
}

TEST(FrustumTest, SpheresCrossingAPlaneAreVisible) {
    const TFrustumCuller culler = StandardCuller();
    // Centre 0.5 in front of the near plane's outside.
    EXPECT_TRUE(culler.SphereInView(0, 0, -0.5f, 1));
    EXPECT_FALSE(culler.SphereInView(0, 0, -0.5f, 0.4f));
    EXPECT_TRUE(culler.SphereInView(0, 0, 5, 7));
    EXPECT_FALSE(culler.SphereInView(0, 0, 5, 5));
}

TEST(FrustumTest, BoxesStraddlingAPlaneAreVisible) {
    const TFrustumCuller culler = StandardCuller();
    EXPECT_TRUE(culler.BoxInView(0, 0, -0.5f, 1, 1, 1));
    EXPECT_FALSE(culler.BoxInView(0, 0, 5, 1, 1, 1));
    // Only a far corner reaches past the right plane (x = -z).
    EXPECT_TRUE(culler.BoxInView(12, 0, -10, 1.5f, 0, 1.5f));
    EXPECT_FALSE(culler.BoxInView(12, 0, -10, 0.9f, 0, 0.9f));
}

TEST(FrustumTest, ModelViewMovesTheVolume) {
    // The world shifted by -10 along z: the camera now sits at z = +10.
    TFrustumCuller culler;
    culler.ExtractPlanes(Perspective(60, 4.0 / 3, 1, 50).data(), Translation(0, 0, -10).data());
    EXPECT_TRUE(culler.PointInView(0, 0, 0));
    EXPECT_TRUE(culler.PointInView(0, 0, -39));
    EXPECT_FALSE(culler.PointInView(0, 0, -41));
    EXPECT_FALSE(culler.PointInView(0, 0, 9.5f));
    EXPECT_TRUE(culler.PointInView(0, 0, 8.5f));
}

TEST(FrustumTest, NeverExtractedOrDegenerateCullerRejectsPointsNotSpheres) {
    const TFrustumCuller fresh;
    EXPECT_FALSE(fresh.PointInView(0, 0, -10));
    EXPECT_TRUE(fresh.SphereInView(1e6f, 0, 0, 0.01f));
    EXPECT_FALSE(fresh.SphereInView(0, 0, -10, 0));
    EXPECT_FALSE(fresh.BoxInView(0, 0, -10, 1, 1, 1));

    // A degenerate projection replaces earlier planes with zero ones.
    TFrustumCuller culler = StandardCuller();
    const TMatrix4 zero{};
    culler.ExtractPlanes(zero.data(), Translation(0, 0, 0).data());
    for (const TFrustumPlane& p : culler.Planes()) {
        EXPECT_EQ(p.a, 0);
        EXPECT_EQ(p.d, 0);
    }
    EXPECT_FALSE(culler.PointInView(0, 0, -10));
    EXPECT_TRUE(culler.SphereInView(0, 0, -10, 1));
}

TEST(FrustumTest, ReadsTheMatricesFromOpenGl) {
    TGlTestWindow window;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 1, 1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -10);
    TFrustumCuller fromGl;
    fromGl.ExtractFrustum();
    TFrustumCuller expected;
    expected.ExtractPlanes(Perspective(60, 1, 1, 100).data(), Translation(0, 0, -10).data());
    for (int i = 0; i < TFrustumCuller::PlaneCount; ++i) {
        const TFrustumPlane& a = fromGl.Planes()[i];
        const TFrustumPlane& b = expected.Planes()[i];
        EXPECT_NEAR(a.a, b.a, 1e-5) << "plane " << i;
        EXPECT_NEAR(a.b, b.b, 1e-5) << "plane " << i;
        EXPECT_NEAR(a.c, b.c, 1e-5) << "plane " << i;
        EXPECT_NEAR(a.d, b.d, 1e-3) << "plane " << i;
    }
}
