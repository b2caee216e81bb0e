// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "math/vectorunit.h"

#include "math/randomunit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Working copies in double; results are rounded to float only when stored.
struct TVec {
    double x, y, z;
};
struct TQuat {
    double x, y, z, w;
};

TVec Widen(const TVector& v) {
    return {v.x, v.y, v.z};
}
TQuat Widen(const TQuaternion& q) {
    return {q.x, q.y, q.z, q.w};
}

void Store(const TVec& v, TVector& out) {
    out.x = static_cast<float>(v.x);
    out.y = static_cast<float>(v.y);
    out.z = static_cast<float>(v.z);
}

void Store(const TQuat& q, TQuaternion& out) {
    out.x = static_cast<float>(q.x);
    out.y = static_cast<float>(q.y);
    out.z = static_cast<float>(q.z);
    out.w = static_cast<float>(q.w);
}

TVec Sub(const TVec& a, const TVec& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(const TVec& a, const TVec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Length(const TVec& a) {
    return std::sqrt(Dot(a, a));
}

TVec Cross(const TVec& a, const TVec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A zero vector stays zero instead of turning into NaN.
TVec Normalised(const TVec& a) {
    const double len = Length(a);
    if (len == 0) return {0, 0, 0};
    return {a.x / len, a.y / len, a.z / len};
}

TQuat Multiply(const TQuat& a, const TQuat& b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
            a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

// A zero quaternion becomes the identity instead of turning into NaN.
TQuat Normalised(const TQuat& q) {
    const double n = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    if (n == 0) return {0, 0, 0, 1};
    return {q.x / n, q.y / n, q.z / n, q.w / n};
}

TQuat Inverse(const TQuat& q) {
    return Normalised(TQuat{-q.x, -q.y, -q.z, q.w});
}

TVec Rotate(const TVec& v, const TQuat& q) {
    const TQuat r = Multiply(Multiply(q, TQuat{v.x, v.y, v.z, 0}), Inverse(q));
    return {r.x, r.y, r.z};
}

TQuat FromAxisAngle(double ax, double ay, double az, double angle) {
    double n = ax * ax + ay * ay + az * az;
    if (n == 0) n = 1e-12;
    const double k = std::sin(angle / 2) / std::sqrt(n);
    return {ax * k, ay * k, az * k, std::cos(angle / 2)};
}

// With L = origin - centre and b = L . dir: b^2 - (L . L - r^2), the line hits when >= 0.
double SphereDiscriminant(const TVector& origin, const TVector& dir, const TVector& centre, float r,
                          double& b) {
    const TVec l = Sub(Widen(origin), Widen(centre));
    b = Dot(l, Widen(dir));
    return b * b - (Dot(l, l) - double(r) * r);
}

} // namespace

void MakeVector(float x, float y, float z, TVector& out) {
    out = {x, y, z};
}

void VectorAdd(const TVector& a, const TVector& b, TVector& out) {
    Store({double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z}, out);
}

void VectorSub(const TVector& a, const TVector& b, TVector& out) {
    Store(Sub(Widen(a), Widen(b)), out);
}

void VectorCross(const TVector& a, const TVector& b, TVector& out) {
    Store(Cross(Widen(a), Widen(b)), out);
}

void VectorNegate(const TVector& a, TVector& out) {
    out = {-a.x, -a.y, -a.z};
}

void VectorNegateInPlace(TVector& a) {
    VectorNegate(a, a);
}

void VectorScale(const TVector& a, float s, TVector& out) {
    Store({double(a.x) * s, double(a.y) * s, double(a.z) * s}, out);
}

void VectorScaleInPlace(TVector& a, float s) {
    VectorScale(a, s, a);
}

float VectorDot(const TVector& a, const TVector& b) {
    return static_cast<float>(Dot(Widen(a), Widen(b)));
}

float VectorLength(const TVector& a) {
    return static_cast<float>(Length(Widen(a)));
}

void VectorNormalised(const TVector& a, TVector& out) {
    Store(Normalised(Widen(a)), out);
}

void VectorNormalise(TVector& a) {
    VectorNormalised(a, a);
}

float VectorDistance(const TVector& a, const TVector& b) {
    const TVec d{static_cast<float>(double(b.x) - a.x), static_cast<float>(double(b.y) - a.y),
                 static_cast<float>(double(b.z) - a.z)};
    return static_cast<float>(Length(d));
}

float PointLineDistance(const TVector& p, const TVector& a, const TVector& b) {
    const TVec ab = Sub(Widen(b), Widen(a));
    const double len = Length(ab);
    if (len == 0) return 0;
    return static_cast<float>(Length(Cross(ab, Sub(Widen(a), Widen(p)))) / len);
}

void VectorMidpoint(const TVector& a, const TVector& b, TVector& out) {
    Store({(double(a.x) + b.x) / 2, (double(a.y) + b.y) / 2, (double(a.z) + b.z) / 2}, out);
}

void VectorLerp(const TVector& a, const TVector& b, float t, TVector& out) {
    const auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    Store({lerp(a.x, b.x), lerp(a.y, b.y), lerp(a.z, b.z)}, out);
}

bool LineHitsSphere(const TVector& origin, const TVector& dir, const TVector& centre, float r) {
    double b;
    return SphereDiscriminant(origin, dir, centre, r, b) >= 0;
}

void LineSphereDistances(const TVector& origin, const TVector& dir, const TVector& centre, float r,
                         float& t1, float& t2) {
    t1 = t2 = std::numeric_limits<float>::infinity();
    double b;
    const double d = SphereDiscriminant(origin, dir, centre, r, b);
    if (!(d >= 0)) return;
    t1 = static_cast<float>(-b - std::sqrt(d));
    t2 = static_cast<float>(-b + std::sqrt(d));
}

void QuaternionIdentity(TQuaternion& out) {
    out = {0, 0, 0, 1};
}

void QuaternionAdd(const TQuaternion& a, const TQuaternion& b, TQuaternion& out) {
    Store({double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z, double(a.w) + b.w}, out);
}

void QuaternionMultiply(const TQuaternion& a, const TQuaternion& b, TQuaternion& out) {
    Store(Multiply(Widen(a), Widen(b)), out);
}

void QuaternionMultiplyInPlace(TQuaternion& a, const TQuaternion& b) {
    QuaternionMultiply(a, b, a);
}

void QuaternionConjugate(const TQuaternion& q, TQuaternion& out) {
    out = {-q.x, -q.y, -q.z, q.w};
}

void QuaternionConjugateInPlace(TQuaternion& q) {
    QuaternionConjugate(q, q);
}

float QuaternionNorm(const TQuaternion& q) {
    const TQuat d = Widen(q);
    return static_cast<float>(std::sqrt(d.w * d.w + d.x * d.x + d.y * d.y + d.z * d.z));
}

void QuaternionNormalised(const TQuaternion& q, TQuaternion& out) {
    Store(Normalised(Widen(q)), out);
}

void QuaternionNormalise(TQuaternion& q) {
    QuaternionNormalised(q, q);
}

void QuaternionInverse(const TQuaternion& q, TQuaternion& out) {
    Store(Inverse(Widen(q)), out);
}

void QuaternionInvert(TQuaternion& q) {
    QuaternionInverse(q, q);
}

void QuaternionRotate(const TVector& v, const TQuaternion& q, TVector& out) {
    Store(Rotate(Widen(v), Widen(q)), out);
}

void QuaternionRotateInPlace(TVector& v, const TQuaternion& q) {
    QuaternionRotate(v, q, v);
}

void QuaternionFromAxisAngle(const TVector& axis, float angle, TQuaternion& out) {
    Store(FromAxisAngle(axis.x, axis.y, axis.z, angle), out);
}

void QuaternionFromAxisAngle(float ax, float ay, float az, float angle, TQuaternion& out) {
    Store(FromAxisAngle(ax, ay, az, angle), out);
}

void QuaternionRotationY(float angle, TQuaternion& out) {
    Store({0, std::sin(double(angle) / 2), 0, std::cos(double(angle) / 2)}, out);
}

void QuaternionFromEuler(float ax, float ay, float az, TQuaternion& out) {
    const TQuat qx = FromAxisAngle(1, 0, 0, ax);
    const TQuat qy = FromAxisAngle(0, 1, 0, ay);
    const TQuat qz = FromAxisAngle(0, 0, 1, az);
    Store(Multiply(Multiply(qx, qy), qz), out);
}

void QuaternionToAxisAngle(const TQuaternion& q, TVector& axis, float& angle) {
    const TQuat d = Widen(q);
    const double n = d.x * d.x + d.y * d.y + d.z * d.z;
    if (!(n >= 1e-12)) {
        axis = {1, 0, 0};
        angle = 0;
        return;
    }
    const double len = std::sqrt(n);
    Store({d.x / len, d.y / len, d.z / len}, axis);
    angle = static_cast<float>(2 * std::acos(std::clamp(d.w, -1.0, 1.0)));
}

void QuaternionSlerp(const TQuaternion& a, const TQuaternion& b, float t, TQuaternion& out) {
    const TQuat qa = Widen(a);
    TQuat qb = Widen(b);
    double c = static_cast<float>(qa.x * qb.x + qa.y * qb.y + qa.z * qb.z + qa.w * qb.w);
    if (c < 0) {
        c = -c;
        qb = {-qb.x, -qb.y, -qb.z, -qb.w};
    }
    double k0 = 1 - double(t);
    double k1 = t;
    if (1 - c > 1e-12) {
        const double theta = static_cast<float>(std::acos(c));
        k0 = std::sin((1 - double(t)) * theta) / std::sin(theta);
        k1 = std::sin(t * theta) / std::sin(theta);
    }
    Store({k0 * qa.x + k1 * qb.x, k0 * qa.y + k1 * qb.y, k0 * qa.z + k1 * qb.z,
           k0 * qa.w + k1 * qb.w},
          out);
}

void QuaternionRandom(TQuaternion& out) {
    TQuat q;
    q.x = Random(1024) / 1024.0;
    q.y = Random(1024) / 1024.0;
    q.z = Random(1024) / 1024.0;
    q.w = Random(1024) / 1024.0;
    Store(Normalised(q), out);
}

void QuaternionToMatrix(const TQuaternion& q, TMatrix3& out) {
    const TQuat d = Widen(q);
    const double xx = 2 * d.x * d.x, yy = 2 * d.y * d.y, zz = 2 * d.z * d.z;
    const double xy = 2 * d.x * d.y, xz = 2 * d.x * d.z, yz = 2 * d.y * d.z;
    const double wx = 2 * d.w * d.x, wy = 2 * d.w * d.y, wz = 2 * d.w * d.z;
    Store({1 - yy - zz, xy - wz, xz + wy}, out.Rows[0]);
    Store({xy + wz, 1 - xx - zz, yz - wx}, out.Rows[1]);
    Store({xz - wy, yz + wx, 1 - xx - yy}, out.Rows[2]);
}

void QuaternionFromMatrix(const TMatrix3& m, TQuaternion& out) {
    const auto at = [&m](int i) { return double(m[static_cast<std::size_t>(i)]); };
    const double trace = at(0) + at(4) + at(8);
    if (trace > 0) {
        const double s = std::sqrt(trace + 1);
        const double k = 0.5 / s;
        Store({(at(5) - at(7)) * k, (at(6) - at(2)) * k, (at(1) - at(3)) * k, s / 2}, out);
        return;
    }
    int i = 0;
    if (at(4) > at(0)) i = 1;
    if (!(at(i * 4) >= at(8))) i = 2;
    static constexpr int next[3] = {1, 2, 0};
    const int j = next[i];
    const int k = next[j];
    double s = std::sqrt(at(i * 4) - (at(k * 4) + at(j * 4)) + 1);
    double v[3];
    v[i] = s * 0.5;
    if (s != 0) s = 0.5 / s;
    v[j] = (at(j * 3 + i) + at(i * 3 + j)) * s;
    v[k] = (at(k * 3 + i) + at(i * 3 + k)) * s;
    Store({v[0], v[1], v[2], (at(j * 3 + k) - at(k * 3 + j)) * s}, out);
}

void QuaternionBasisVectors(const TQuaternion& q, TVector& forward, TVector& up) {
    TMatrix3 m;
    QuaternionToMatrix(q, m);
    Store(Normalised(TVec{m[1], m[4], m[7]}), up);
    Store(Normalised(TVec{m[2], m[5], m[8]}), forward);
}

void QuaternionFromDirection(const TVector& dir, const TVector& up, TQuaternion& out) {
    TMatrix3 m;
    LookMatrix(dir, up, m);
    MatrixTranspose(m);
    QuaternionFromMatrix(m, out);
}

void ToLocal(const TVector& p, const TVector& origin, const TQuaternion& q, TVector& out) {
    Store(Rotate(Sub(Widen(p), Widen(origin)), Inverse(Widen(q))), out);
}

void ToWorld(const TVector& origin, const TQuaternion& q, const TVector& v, TVector& out) {
    const TVec r = Rotate(Widen(v), Widen(q));
    Store({origin.x + r.x, origin.y + r.y, origin.z + r.z}, out);
}

void PointAhead(const TVector& origin, const TQuaternion& q, float d, TVector& out) {
    ToWorld(origin, q, TVector{0, 0, d}, out);
}

void MatrixTranspose(TMatrix3& m) {
    std::swap(m[1], m[3]);
    std::swap(m[2], m[6]);
    std::swap(m[5], m[7]);
}

void LookMatrix(const TVector& dir, const TVector& up, TMatrix3& out) {
    const TVec f = Normalised(Widen(dir));
    const TVec s = Normalised(Cross(Widen(up), Widen(dir)));
    const TVec u = Normalised(Cross(Widen(dir), s));
    Store({s.x, u.x, f.x}, out.Rows[0]);
    Store({s.y, u.y, f.y}, out.Rows[1]);
    Store({s.z, u.z, f.z}, out.Rows[2]);
}
