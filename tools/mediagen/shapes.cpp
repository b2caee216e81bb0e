// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mediagen {

TVec operator+(TVec a, TVec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

TVec operator-(TVec a, TVec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

TVec operator*(TVec a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

TVec Cross(TVec a, TVec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(TVec a, TVec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

TVec Normalised(TVec a) {
    const double length = std::sqrt(Dot(a, a));
    return length > 0 ? a * (1 / length) : a;
}

namespace {

constexpr double Pi = std::numbers::pi;

double Radians(double degrees) {
    return degrees * Pi / 180;
}

// The rotation a model node applies: X, then Y, then Z as matrices, so Z acts first.
TVec Rotate(TVec p, TVec degrees) {
    const double cz = std::cos(Radians(degrees.z)), sz = std::sin(Radians(degrees.z));
    p = {p.x * cz - p.y * sz, p.x * sz + p.y * cz, p.z};
    const double cy = std::cos(Radians(degrees.y)), sy = std::sin(Radians(degrees.y));
    p = {p.x * cy + p.z * sy, p.y, -p.x * sy + p.z * cy};
    const double cx = std::cos(Radians(degrees.x)), sx = std::sin(Radians(degrees.x));
    return {p.x, p.y * cx - p.z * sx, p.y * sx + p.z * cx};
}

// Any unit vector at right angles to t.
TVec Perpendicular(TVec t) {
    const TVec axis = std::fabs(t.y) < 0.9 ? TVec{0, 1, 0} : TVec{1, 0, 0};
    return Normalised(Cross(Cross(t, axis), t));
}

} // namespace

int TShapeBuilder::Point(TVec p, const TPlace& place) {
    FPoints.push_back(Rotate(p, place.Rotation) + place.Offset);
    FNormals.push_back({});
    return static_cast<int>(FPoints.size()) - 1;
}

void TShapeBuilder::Triangle(int a, int b, int c, bool smooth) {
    FTriangles.push_back({a, b, c, smooth});
}

void TShapeBuilder::Quad(int a, int b, int c, int d, bool smooth) {
    Triangle(a, b, c, smooth);
    Triangle(a, c, d, smooth);
}

void TShapeBuilder::SmoothNormals(int first) {
    for (const TTriangle& t : FTriangles) {
        if (!t.smooth || t.a < first) continue;
        // Area-weighted: the cross product's length is twice the area.
        const TVec n = Cross(FPoints[t.b] - FPoints[t.a], FPoints[t.c] - FPoints[t.a]);
        for (int i : {t.a, t.b, t.c})
            FNormals[i] = FNormals[i] + n;
    }
    for (size_t i = first; i < FNormals.size(); ++i)
        FNormals[i] = Normalised(FNormals[i]);
}

void TShapeBuilder::Cap(TVec centre, const std::vector<TVec>& rim, bool forwards,
                        const TPlace& place) {
    const int middle = Point(centre, place);
    const int first = static_cast<int>(FPoints.size());
    for (const TVec& p : rim)
        Point(p, place);
    const int count = static_cast<int>(rim.size());
    for (int k = 0; k < count; ++k) {
        const int a = first + k, b = first + (k + 1) % count;
        if (forwards)
            Triangle(middle, a, b, false);
        else
            Triangle(middle, b, a, false);
    }
}

void TShapeBuilder::Box(TVec lo, TVec hi, const TPlace& place) {
    const TVec c = (lo + hi) * 0.5, h = (hi - lo) * 0.5;
    TPlace moved = place;
    moved.Offset = place.Offset + Rotate(c, place.Rotation);
    Frustum(-h.y, h.y, h.x, h.z, h.x, h.z, 0, moved);
}

void TShapeBuilder::Frustum(double bottom, double top, double halfX, double halfZ, double topX,
                            double topZ, double shiftZ, const TPlace& place) {
    const int p0 = Point({-halfX, bottom, -halfZ}, place);
    Point({halfX, bottom, -halfZ}, place);
    Point({halfX, bottom, halfZ}, place);
    Point({-halfX, bottom, halfZ}, place);
    Point({-topX, top, shiftZ - topZ}, place);
    Point({topX, top, shiftZ - topZ}, place);
    Point({topX, top, shiftZ + topZ}, place);
    Point({-topX, top, shiftZ + topZ}, place);
    const auto q = [&](int a, int b, int c, int d) { Quad(p0 + a, p0 + b, p0 + c, p0 + d, false); };
    q(0, 1, 2, 3); // bottom
    q(4, 7, 6, 5); // top
    q(3, 2, 6, 7); // front (+z)
    q(1, 0, 4, 5); // back
    q(2, 1, 5, 6); // +x
    q(0, 3, 7, 4); // -x
}

void TShapeBuilder::Lathe(const std::vector<TProfile>& profile, int sides, bool smooth,
                          const TPlace& place, double scaleX, double scaleZ) {
    const int first = static_cast<int>(FPoints.size());
    const auto ringPoint = [&](const TProfile& p, int k) {
        const double a = 2 * Pi * k / sides;
        return TVec{p.Radius * scaleX * std::sin(a), p.Y, p.Radius * scaleZ * std::cos(a)};
    };
    // One ring (or pole) per profile point; a ring's points follow each other round y.
    std::vector<int> start;
    for (const TProfile& p : profile) {
        start.push_back(static_cast<int>(FPoints.size()));
        if (p.Radius == 0) {
            Point({0, p.Y, 0}, place);
        } else {
            for (int k = 0; k < sides; ++k)
                Point(ringPoint(p, k), place);
        }
    }
    const auto at = [&](size_t ring, int k) {
        return profile[ring].Radius == 0 ? start[ring] : start[ring] + (k % sides);
    };
    for (size_t i = 0; i + 1 < profile.size(); ++i)
        for (int k = 0; k < sides; ++k) {
            const int a = at(i, k), b = at(i, k + 1), c = at(i + 1, k + 1), d = at(i + 1, k);
            if (a == b)
                Triangle(a, c, d, smooth);
            else if (c == d)
                Triangle(a, b, c, smooth);
            else
                Quad(a, b, c, d, smooth);
        }
    SmoothNormals(first);
    // Flat caps on open ends, with their own points so the rim keeps its smooth normals.
    const auto cap = [&](const TProfile& p, bool upwards) {
        if (p.Radius == 0) return;
        std::vector<TVec> rim;
        for (int k = 0; k < sides; ++k)
            rim.push_back(ringPoint(p, k));
        Cap({0, p.Y, 0}, rim, upwards, place);
    };
    cap(profile.front(), false);
    cap(profile.back(), true);
}

void TShapeBuilder::Ellipsoid(TVec centre, TVec radii, int sides, int bands, bool smooth,
                              const TPlace& place) {
    std::vector<TProfile> profile;
    for (int i = 0; i <= bands; ++i) {
        const double a = Pi * i / bands;
        profile.push_back({i == 0 || i == bands ? 0 : std::sin(a), -std::cos(a) * radii.y});
    }
    TPlace moved = place;
    moved.Offset = place.Offset + Rotate(centre, place.Rotation);
    Lathe(profile, sides, smooth, moved, radii.x, radii.z);
}

void TShapeBuilder::Tube(const std::vector<TRing>& rings, int sides, bool smooth,
                         const TPlace& place) {
    const int first = static_cast<int>(FPoints.size());
    const size_t n = rings.size();
    std::vector<TVec> tangents(n);
    for (size_t i = 0; i < n; ++i)
        tangents[i] =
            Normalised(rings[std::min(i + 1, n - 1)].Centre - rings[i > 0 ? i - 1 : 0].Centre);
    // Frames carried along the path so the rings do not twist.
    std::vector<TVec> sideA(n), sideB(n);
    for (size_t i = 0; i < n; ++i) {
        const TVec t = tangents[i];
        TVec a = i == 0 ? Perpendicular(t) : sideA[i - 1];
        sideA[i] = Normalised(a - t * Dot(a, t));
        sideB[i] = Cross(t, sideA[i]);
    }
    const auto ringPoint = [&](size_t i, int k) {
        const double angle = 2 * Pi * k / sides;
        return rings[i].Centre +
               (sideA[i] * std::cos(angle) + sideB[i] * std::sin(angle)) * rings[i].Radius;
    };
    for (size_t i = 0; i < n; ++i)
        for (int k = 0; k < sides; ++k)
            Point(ringPoint(i, k), place);
    const auto at = [&](size_t i, int k) {
        return first + static_cast<int>(i) * sides + k % sides;
    };
    for (size_t i = 0; i + 1 < n; ++i)
        for (int k = 0; k < sides; ++k)
            Quad(at(i, k), at(i, k + 1), at(i + 1, k + 1), at(i + 1, k), smooth);
    SmoothNormals(first);
    const auto cap = [&](size_t i, bool forwards) {
        std::vector<TVec> rim;
        for (int k = 0; k < sides; ++k)
            rim.push_back(ringPoint(i, k));
        Cap(rings[i].Centre, rim, forwards, place);
    };
    cap(0, false);
    cap(n - 1, true);
}

TShapeBuilder TShapeBuilder::MirroredX() const {
    TShapeBuilder mirror = *this;
    for (TVec& p : mirror.FPoints)
        p.x = -p.x;
    for (TVec& n : mirror.FNormals)
        n.x = -n.x;
    for (TTriangle& t : mirror.FTriangles)
        std::swap(t.b, t.c);
    return mirror;
}

void TShapeBuilder::Build(TMesh& mesh, const std::string& name) const {
    std::vector<TVertex> vertices;
    for (size_t i = 0; i < FPoints.size(); ++i) {
        const TVec& p = FPoints[i];
        const TVec& n = FNormals[i];
        vertices.push_back({static_cast<float>(p.x), static_cast<float>(p.y),
                            static_cast<float>(p.z), static_cast<float>(n.x),
                            static_cast<float>(n.y), static_cast<float>(n.z), 0, 0});
    }
    std::vector<TFace> faces;
    for (const TTriangle& t : FTriangles) {
        const TVec n = Normalised(Cross(FPoints[t.b] - FPoints[t.a], FPoints[t.c] - FPoints[t.a]));
        faces.push_back({t.a, t.b, t.c, static_cast<float>(n.x), static_cast<float>(n.y),
                         static_cast<float>(n.z), 0, 0, 0, 0, 0, 0, t.smooth});
    }
    mesh.Assign(name, std::move(vertices), std::move(faces));
}

} // namespace mediagen
