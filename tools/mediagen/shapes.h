// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Low-poly primitives for generated meshes: each one a closed surface, counter-clockwise
// seen from outside, flat or smooth, placed by a rotation and an offset.
#pragma once

#include "assets/meshunit.h"

#include <string>
#include <vector>

namespace mediagen {

struct TVec {
    double x = 0, y = 0, z = 0;
};

TVec operator+(TVec a, TVec b);
TVec operator-(TVec a, TVec b);
TVec operator*(TVec a, double s);
TVec Cross(TVec a, TVec b);
double Dot(TVec a, TVec b);
TVec Normalised(TVec a);

// Where a primitive goes: rotated by degrees about X, then Y, then Z as a model node
// turns its mesh, then moved by the offset.
struct TPlace {
    TVec Offset;
    TVec Rotation;
};

// A point of a swept tube: centre and radius of its ring.
struct TRing {
    TVec Centre;
    double Radius = 0;
};

// One profile point of a lathe: radius at height y (a radius of 0 at either end is a pole).
struct TProfile {
    double Radius = 0;
    double Y = 0;
};

// Collects the triangles of one mesh.
class TShapeBuilder {
public:
    // An axis-aligned box from lo to hi.
    void Box(TVec lo, TVec hi, const TPlace& place = {});
    // A box whose top face (at height top) is narrowed to half sizes topX, topZ and moved
    // by shiftZ; the bottom face at height bottom has half sizes halfX, halfZ.
    void Frustum(double bottom, double top, double halfX, double halfZ, double topX, double topZ,
                 double shiftZ = 0, const TPlace& place = {});
    // A surface of revolution about y, the profile listed bottom to top; ends that do not
    // close in a pole get a flat cap. scaleX and scaleZ stretch it into an ellipse.
    void Lathe(const std::vector<TProfile>& profile, int sides, bool smooth,
               const TPlace& place = {}, double scaleX = 1, double scaleZ = 1);
    // An ellipsoid of the given radii around the centre.
    void Ellipsoid(TVec centre, TVec radii, int sides, int bands, bool smooth,
                   const TPlace& place = {});
    // A tube along the rings, with flat caps at both ends.
    void Tube(const std::vector<TRing>& rings, int sides, bool smooth, const TPlace& place = {});

    // The same shapes mirrored in x (the winding is turned over so faces stay outward).
    TShapeBuilder MirroredX() const;
    // A mesh ready to be saved.
    void Build(TMesh& mesh, const std::string& name) const;

private:
    struct TTriangle {
        int a, b, c;
        bool smooth;
    };
    std::vector<TVec> FPoints;
    std::vector<TVec> FNormals; // for smooth faces
    std::vector<TTriangle> FTriangles;

    int Point(TVec p, const TPlace& place);
    void Triangle(int a, int b, int c, bool smooth);
    void Quad(int a, int b, int c, int d, bool smooth);
    // A flat fan closing a ring; it faces the way the ring turns counter-clockwise when
    // forwards, the other way otherwise.
    void Cap(TVec centre, const std::vector<TVec>& rim, bool forwards, const TPlace& place);
    // Smooth normals of the points from first on, from the faces that use them.
    void SmoothNormals(int first);
};

} // namespace mediagen
