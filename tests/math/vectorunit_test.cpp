// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "math/randomunit.h"
#include "math/vectorunit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <set>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr float Inf = std::numeric_limits<float>::infinity();

void ExpectNear(const TVector& a, const TVector& b, float eps = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

// q and -q are the same rotation.
void ExpectSameRotation(const TQuaternion& a, const TQuaternion& b, float eps = 1e-5f) {
    const float sign = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w < 0 ? -1.0f : 1.0f;
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(a[i], sign * b[i], eps) << "component " << i;
}

TQuaternion AxisAngle(float x, float y, float z, float angle) {
    TQuaternion q;
    QuaternionFromAxisAngle(x, y, z, angle, q);
    return q;
}

TVector Rotated(const TVector& v, const TQuaternion& q) {
    TVector r;
    QuaternionRotate(v, q, r);
    return r;
}

TVector Column(const TMatrix3& m, std::size_t c) {
    return {m[c], m[3 + c], m[6 + c]};
}

} // namespace

TEST(VectorTest, ElementAccessFollowsStorageOrder) {
    TVector v{1, 2, 3};
    v[2] = 7;
    EXPECT_EQ(v.z, 7);
    TQuaternion q{1, 2, 3, 4};
    EXPECT_EQ(q[3], 4);
    TMatrix3 m{};
    m[5] = 9; // row 1, column 2
    EXPECT_EQ(m.Rows[1].z, 9);
}

TEST(VectorTest, BasicArithmeticAndAliasedOutputs) {
    TVector a{1, 2, 3};
    const TVector b{4, 5, 6};
    ExpectNear(VectorCross(MakeVector(1, 0, 0), MakeVector(0, 1, 0)), {0, 0, 1});
    EXPECT_FLOAT_EQ(VectorDot(a, b), 32);
    EXPECT_FLOAT_EQ(VectorLength(MakeVector(3, 4, 12)), 13);
    EXPECT_FLOAT_EQ(VectorDistance(a, b), std::sqrt(27.0f));
    VectorCross(a, b, a); // output is also an input
    ExpectNear(a, {-3, 6, -3});
    VectorNegateInPlace(a);
    VectorScaleInPlace(a, 2);
    ExpectNear(a, {6, -12, 6});
    TVector mid;
    VectorMidpoint(MakeVector(0, 2, -4), MakeVector(2, 4, 4), mid);
    ExpectNear(mid, {1, 3, 0});
}

TEST(VectorTest, LerpIsExactAtEndsAndNotClamped) {
    const TVector a{0.1f, -3.7f, 1e6f};
    const TVector b{2.3f, 5.9f, -1e-3f};
    const TVector atA = VectorLerp(a, b, 0);
    const TVector atB = VectorLerp(a, b, 1);
    EXPECT_EQ(atA.x, a.x);
    EXPECT_EQ(atA.z, a.z);
    EXPECT_EQ(atB.y, b.y);
    EXPECT_EQ(atB.z, b.z);
    ExpectNear(VectorLerp(MakeVector(0, 0, 0), MakeVector(1, 2, 3), 2), {2, 4, 6});
}

TEST(VectorTest, NormalisingZeroVectorKeepsItZero) {
    TVector v{0, 0, 0};
    VectorNormalise(v);
    ExpectNear(v, {0, 0, 0}, 0);
    ExpectNear(VectorNormalised(MakeVector(0, -3, 4)), {0, -0.6f, 0.8f});
}

TEST(VectorTest, PointLineDistance) {
    EXPECT_FLOAT_EQ(PointLineDistance({0, 5, 0}, {-1, 0, 0}, {3, 0, 0}), 5);
    // The whole line counts, not just the segment.
    EXPECT_FLOAT_EQ(PointLineDistance({10, 0, 2}, {0, 0, 0}, {1, 0, 0}), 2);
    EXPECT_EQ(PointLineDistance({7, 8, 9}, {1, 1, 1}, {1, 1, 1}), 0);
}

TEST(VectorTest, LineAgainstSphere) {
    const TVector origin{0, 0, 0};
    const TVector dir{1, 0, 0};
    float t1 = 0, t2 = 0;
    LineSphereDistances(origin, dir, {5, 0, 0}, 1, t1, t2);
    EXPECT_FLOAT_EQ(t1, 4);
    EXPECT_FLOAT_EQ(t2, 6);
    // A sphere wholly behind the origin is still on the line.
    EXPECT_TRUE(LineHitsSphere(origin, dir, {-5, 0.5f, 0}, 1));
    LineSphereDistances(origin, dir, {-5, 0, 0}, 1, t1, t2);
    EXPECT_FLOAT_EQ(t1, -6);
    EXPECT_FLOAT_EQ(t2, -4);
    // A grazing line touches; a miss leaves both distances at +infinity.
    EXPECT_TRUE(LineHitsSphere(origin, dir, {3, 1, 0}, 1));
    EXPECT_FALSE(LineHitsSphere(origin, dir, {3, 1.01f, 0}, 1));
    LineSphereDistances(origin, dir, {3, 2, 0}, 1, t1, t2);
    EXPECT_EQ(t1, Inf);
    EXPECT_EQ(t2, Inf);
}

TEST(QuaternionTest, HamiltonProductAndInPlaceAliasing) {
    TQuaternion q{1, 0, 0, 0}; // i
    QuaternionMultiplyInPlace(q, {0, 1, 0, 0});
    ExpectSameRotation(q, {0, 0, 1, 0}); // i * j = k
    EXPECT_EQ(q.z, 1);
    QuaternionMultiply({0, 1, 0, 0}, {1, 0, 0, 0}, q);
    EXPECT_EQ(q.z, -1); // j * i = -k
}

TEST(QuaternionTest, ZeroQuaternionNormalisesToIdentity) {
    const TQuaternion zero{0, 0, 0, 0};
    TQuaternion q;
    QuaternionNormalised(zero, q);
    ExpectSameRotation(q, QuaternionIdentity(), 0);
    QuaternionInverse(zero, q);
    EXPECT_EQ(q.w, 1);
    const TVector r = Rotated({1, 2, 3}, zero);
    EXPECT_FALSE(std::isnan(r.x) || std::isnan(r.y) || std::isnan(r.z));
}

TEST(QuaternionTest, AxisAngleConversions) {
    const TQuaternion q = AxisAngle(0, 0, 0, 1.2f);
    EXPECT_EQ(q.x, 0);
    EXPECT_EQ(q.y, 0);
    EXPECT_EQ(q.z, 0);
    EXPECT_FLOAT_EQ(q.w, std::cos(0.6f));

    TVector axis{};
    float angle = -1;
    QuaternionToAxisAngle(QuaternionIdentity(), axis, angle);
    ExpectNear(axis, {1, 0, 0}, 0);
    EXPECT_EQ(angle, 0);
    // w rounded just above 1 must not give NaN.
    QuaternionToAxisAngle({1e-3f, 0, 0, std::nextafter(1.0f, 2.0f)}, axis, angle);
    EXPECT_EQ(angle, 0);

    QuaternionToAxisAngle(AxisAngle(0, 2, 0, 1.0f), axis, angle);
    ExpectNear(axis, {0, 1, 0});
    EXPECT_NEAR(angle, 1.0f, 1e-5f);
    TQuaternion y;
    QuaternionRotationY(1.0f, y);
    ExpectSameRotation(y, AxisAngle(0, 1, 0, 1.0f));
}

TEST(QuaternionTest, RotationDirectionsAndEulerOrder) {
    // Turning about y by +90 degrees takes +z to +x (headings grow towards +x).
    ExpectNear(Rotated({0, 0, 1}, AxisAngle(0, 1, 0, Pi / 2)), {1, 0, 0});
    // The y rotation acts on the vector first, then the x rotation.
    TQuaternion e;
    QuaternionFromEuler(Pi / 2, Pi / 2, 0, e);
    ExpectNear(Rotated({0, 0, 1}, e), {1, 0, 0});
    QuaternionFromEuler(0, 0, Pi / 2, e);
    ExpectNear(Rotated({1, 0, 0}, e), {0, 1, 0});
}

TEST(QuaternionTest, SlerpTakesTheShortWay) {
    const TQuaternion a = AxisAngle(1, 2, 3, 0.7f);
    const TQuaternion minusA{-a.x, -a.y, -a.z, -a.w};
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f}) {
        TQuaternion r;
        QuaternionSlerp(a, minusA, t, r);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(r[i], a[i], 1e-6f) << "t = " << t;
    }
    TQuaternion half;
    QuaternionSlerp(QuaternionIdentity(), AxisAngle(0, 1, 0, Pi / 2), 0.5f, half);
    ExpectSameRotation(half, AxisAngle(0, 1, 0, Pi / 4));
}

TEST(QuaternionTest, MatrixAgreesWithRotateAndRoundTrips) {
    RandomSeed(7);
    for (int n = 0; n < 50; ++n) {
        TQuaternion q;
        QuaternionRandom(q);
        ASSERT_NEAR(QuaternionNorm(q), 1, 1e-6f);
        ASSERT_TRUE(q.x >= 0 && q.y >= 0 && q.z >= 0 && q.w >= 0);
        TMatrix3 m;
        QuaternionToMatrix(q, m);
        const TVector v{0.3f, -1.2f, 2.5f};
        ExpectNear(Rotated(v, q),
                   {VectorDot(m.Rows[0], v), VectorDot(m.Rows[1], v), VectorDot(m.Rows[2], v)});
    }
    // Half and near-half turns go through the branches that pick the largest diagonal.
    const TQuaternion cases[] = {AxisAngle(1, 0, 0, Pi),       AxisAngle(0, 1, 0, Pi),
                                 AxisAngle(0, 0, 1, Pi),       AxisAngle(1, 1, 0, Pi),
                                 AxisAngle(0.2f, 1, -3, 3.0f), AxisAngle(-2, 0.5f, 0.1f, 2.9f),
                                 AxisAngle(1, -1, 1, 0.4f),    QuaternionIdentity()};
    for (const TQuaternion& q : cases) {
        TMatrix3 m;
        QuaternionToMatrix(q, m);
        MatrixTranspose(m);
        TQuaternion back;
        QuaternionFromMatrix(m, back);
        ExpectSameRotation(back, q);
    }
}

TEST(QuaternionTest, FramesAndDirections) {
    const TQuaternion turn = AxisAngle(0, 1, 0, Pi / 2);
    TVector p;
    PointAhead({1, 0, 0}, turn, 2, p);
    ExpectNear(p, {3, 0, 0});
    TVector local, world;
    const TQuaternion q = AxisAngle(1, 2, -1, 0.8f);
    ToLocal({4, 5, 6}, {1, 1, 1}, q, local);
    ToWorld({1, 1, 1}, q, local, world);
    ExpectNear(world, {4, 5, 6});

    const TVector dir{1, 0.5f, -2};
    TQuaternion look;
    QuaternionFromDirection(dir, {0, 1, 0}, look);
    TVector forward, up;
    QuaternionBasisVectors(look, forward, up);
    ExpectNear(forward, VectorNormalised(dir));
    EXPECT_NEAR(VectorDot(forward, up), 0, 1e-5f);
    EXPECT_GT(up.y, 0);
}

TEST(MatrixTest, LookMatrixIsOrthonormalRightHanded) {
    const TVector dir{1, 2, 3};
    TMatrix3 m;
    LookMatrix(dir, {0, 1, 0}, m);
    const TVector s = Column(m, 0), u = Column(m, 1), f = Column(m, 2);
    for (const TVector& c : {s, u, f})
        EXPECT_NEAR(VectorLength(c), 1, 1e-6f);
    EXPECT_NEAR(VectorDot(s, u), 0, 1e-6f);
    EXPECT_NEAR(VectorDot(u, f), 0, 1e-6f);
    EXPECT_NEAR(VectorDot(s, f), 0, 1e-6f);
    ExpectNear(f, VectorNormalised(dir));
    ExpectNear(VectorCross(s, u), f);
    // Parallel dir and up leave the undefined axes at zero rather than NaN.
    LookMatrix({0, 2, 0}, {0, 1, 0}, m);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_FALSE(std::isnan(m[i]));
    EXPECT_EQ(m[4], 0);
}

TEST(RandomTest, SeededRangeAndEmptyRange) {
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-4), 0);
    RandomSeed(42);
    std::set<int> seen;
    int first[5];
    for (int& v : first)
        v = Random(1000);
    for (int n = 0; n < 200; ++n) {
        const int v = Random(3);
        ASSERT_TRUE(v >= 0 && v < 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 3u);
    RandomSeed(42);
    for (int v : first)
        EXPECT_EQ(Random(1000), v);
}
