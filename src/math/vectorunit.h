// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Vectors, quaternions and 3x3 matrices of the 3-D code, with free functions on them.
//
// Every operation writes its result into an output argument supplied by the caller (or into
// its first argument for the in-place forms); value-returning inline conveniences wrap them.
// Components are stored as float; arithmetic is done in double and rounded on store.
//
// Zero lengths never produce NaN:
// - normalising a zero vector leaves it zero (so does a look matrix built from parallel
//   vectors: the degenerate axes stay zero);
// - normalising (or inverting) a zero quaternion gives the identity; rotating by a zero
//   quaternion gives the zero vector.
#pragma once

#include <cstddef>

struct TVector {
    float x, y, z;

    float& operator[](std::size_t i) { return i == 0 ? x : i == 1 ? y : z; }
    float operator[](std::size_t i) const { return i == 0 ? x : i == 1 ? y : z; }
};

// Vector part first, scalar w last; the identity is (0, 0, 0, 1).
struct TQuaternion {
    float x, y, z, w;

    float& operator[](std::size_t i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
    float operator[](std::size_t i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
};

// Three rows; element i (0..8) is row i / 3, column i % 3.
struct TMatrix3 {
    TVector Rows[3];

    float& operator[](std::size_t i) { return Rows[i / 3][i % 3]; }
    float operator[](std::size_t i) const { return Rows[i / 3][i % 3]; }
};

static_assert(sizeof(TVector) == 12 && sizeof(TQuaternion) == 16 && sizeof(TMatrix3) == 36);

// Vectors.
void MakeVector(float x, float y, float z, TVector& out);
void VectorAdd(const TVector& a, const TVector& b, TVector& out);
void VectorSub(const TVector& a, const TVector& b, TVector& out);
void VectorCross(const TVector& a, const TVector& b, TVector& out);
void VectorNegate(const TVector& a, TVector& out);
void VectorNegateInPlace(TVector& a);
void VectorScale(const TVector& a, float s, TVector& out);
void VectorScaleInPlace(TVector& a, float s);
float VectorDot(const TVector& a, const TVector& b);
float VectorLength(const TVector& a);
void VectorNormalised(const TVector& a, TVector& out);
void VectorNormalise(TVector& a);
// Each difference is rounded to float before squaring.
float VectorDistance(const TVector& a, const TVector& b);
// Distance from p to the infinite line through a and b; 0 when a = b.
float PointLineDistance(const TVector& p, const TVector& a, const TVector& b);
void VectorMidpoint(const TVector& a, const TVector& b, TVector& out);
// t is not clamped.
void VectorLerp(const TVector& a, const TVector& b, float t, TVector& out);
// dir must be of unit length; the whole line counts, including behind origin.
bool LineHitsSphere(const TVector& origin, const TVector& dir, const TVector& centre, float r);
// Line parameters of the two crossings (t1 <= t2); both +infinity when the line misses.
void LineSphereDistances(const TVector& origin, const TVector& dir, const TVector& centre, float r,
                         float& t1, float& t2);

inline TVector MakeVector(float x, float y, float z) {
    TVector r;
    MakeVector(x, y, z, r);
    return r;
}
inline TVector VectorAdd(const TVector& a, const TVector& b) {
    TVector r;
    VectorAdd(a, b, r);
    return r;
}
inline TVector VectorSub(const TVector& a, const TVector& b) {
    TVector r;
    VectorSub(a, b, r);
    return r;
}
inline TVector VectorCross(const TVector& a, const TVector& b) {
    TVector r;
    VectorCross(a, b, r);
    return r;
}
inline TVector VectorScale(const TVector& a, float s) {
    TVector r;
    VectorScale(a, s, r);
    return r;
}
inline TVector VectorNormalised(const TVector& a) {
    TVector r;
    VectorNormalised(a, r);
    return r;
}
inline TVector VectorLerp(const TVector& a, const TVector& b, float t) {
    TVector r;
    VectorLerp(a, b, t, r);
    return r;
}

// Quaternions.
void QuaternionIdentity(TQuaternion& out);
void QuaternionAdd(const TQuaternion& a, const TQuaternion& b, TQuaternion& out);
// Hamilton product a * b.
void QuaternionMultiply(const TQuaternion& a, const TQuaternion& b, TQuaternion& out);
void QuaternionMultiplyInPlace(TQuaternion& a, const TQuaternion& b);
void QuaternionConjugate(const TQuaternion& q, TQuaternion& out);
void QuaternionConjugateInPlace(TQuaternion& q);
float QuaternionNorm(const TQuaternion& q);
void QuaternionNormalised(const TQuaternion& q, TQuaternion& out);
void QuaternionNormalise(TQuaternion& q);
// Normalised conjugate: the exact inverse of a unit quaternion.
void QuaternionInverse(const TQuaternion& q, TQuaternion& out);
void QuaternionInvert(TQuaternion& q);
// Vector part of q * (v, 0) * inverse(q).
void QuaternionRotate(const TVector& v, const TQuaternion& q, TVector& out);
void QuaternionRotateInPlace(TVector& v, const TQuaternion& q);
// A zero axis gives (0, 0, 0, cos(angle / 2)).
void QuaternionFromAxisAngle(const TVector& axis, float angle, TQuaternion& out);
void QuaternionFromAxisAngle(float ax, float ay, float az, float angle, TQuaternion& out);
void QuaternionRotationY(float angle, TQuaternion& out);
// Rotation about x, then y, then z multiplied in that order: qx * qy * qz.
void QuaternionFromEuler(float ax, float ay, float az, TQuaternion& out);
// A rotation too small to have an axis gives axis (1, 0, 0) and angle 0.
void QuaternionToAxisAngle(const TQuaternion& q, TVector& axis, float& angle);
// Takes the short way round (b is negated when a . b < 0).
void QuaternionSlerp(const TQuaternion& a, const TQuaternion& b, float t, TQuaternion& out);
// Drawn from the game-wide random generator; all components non-negative.
void QuaternionRandom(TQuaternion& out);
void QuaternionToMatrix(const TQuaternion& q, TMatrix3& out);
// Reads m with the rotated x, y, z axes as its rows, i.e. the transpose of what
// QuaternionToMatrix writes: QuaternionFromMatrix(transpose(QuaternionToMatrix(q))) is +-q.
void QuaternionFromMatrix(const TMatrix3& m, TQuaternion& out);
// Up is the rotated y axis, forward the rotated z axis.
void QuaternionBasisVectors(const TQuaternion& q, TVector& forward, TVector& up);
void QuaternionFromDirection(const TVector& dir, const TVector& up, TQuaternion& out);
// p seen from a frame at origin turned by q.
void ToLocal(const TVector& p, const TVector& origin, const TQuaternion& q, TVector& out);
void ToWorld(const TVector& origin, const TQuaternion& q, const TVector& v, TVector& out);
// The point d units along the frame's z axis.
void PointAhead(const TVector& origin, const TQuaternion& q, float d, TVector& out);

inline TQuaternion QuaternionIdentity() {
    TQuaternion r;
    QuaternionIdentity(r);
    return r;
}

// Matrices.
void MatrixTranspose(TMatrix3& m);
// Columns s, u, f: s = normalised(up x dir), u = normalised(dir x s), f = normalised(dir).
void LookMatrix(const TVector& dir, const TVector& up, TMatrix3& out);
