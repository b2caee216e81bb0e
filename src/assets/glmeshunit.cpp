// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/glmeshunit.h"

#include <SDL_opengl.h>

namespace {

class TGlSink : public TTriangleSink {
public:
    void Normal(float x, float y, float z) override { glNormal3f(x, y, z); }
    void TexCoord(float u, float v) override { glTexCoord2f(u, v); }
    void Vertex(float x, float y, float z) override { glVertex3f(x, y, z); }
};

void EmitCorner(const TVertex& point, float u, float v, bool smooth, TTriangleSink& sink) {
    sink.TexCoord(u, v);
    if (smooth) sink.Normal(point.nx, point.ny, point.nz);
    sink.Vertex(point.x, point.y, point.z);
}

} // namespace

void EmitTriangles(const TMesh& mesh, TTriangleSink& sink) {
    const std::vector<TVertex>& points = mesh.Vertices();
    const auto inRange = [&](int32_t i) {
        return i >= 0 && static_cast<size_t>(i) < points.size();
    };
    for (const TFace& face : mesh.Faces()) {
        if (!inRange(face.a) || !inRange(face.b) || !inRange(face.c)) continue;
        if (!face.smooth) sink.Normal(face.nx, face.ny, face.nz);
        EmitCorner(points[static_cast<size_t>(face.a)], face.au, face.av, face.smooth, sink);
        EmitCorner(points[static_cast<size_t>(face.b)], face.bu, face.bv, face.smooth, sink);
        EmitCorner(points[static_cast<size_t>(face.c)], face.cu, face.cv, face.smooth, sink);
    }
}

TGlMesh::~TGlMesh() {
    DeleteDisplayList();
}

void TGlMesh::Draw() {
    BuildDisplayList();
    glCallList(FDisplayList);
}

void TGlMesh::BuildDisplayList() {
    if (FDisplayList != 0) return;
    FDisplayList = glGenLists(1);
    glNewList(FDisplayList, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    TGlSink sink;
    EmitTriangles(*this, sink);
    glEnd();
    glEndList();
}

void TGlMesh::DeleteDisplayList() {
    if (FDisplayList == 0) return;
    glDeleteLists(FDisplayList, 1);
    FDisplayList = 0;
}

const std::string& GlMeshKind() {
    static const std::string kind = [] {
        RegisterMeshKind("TGlMesh", [] { return std::make_unique<TGlMesh>(); });
        return std::string("TGlMesh");
    }();
    return kind;
}

namespace {
// Registers the kind when the program starts, for code that names it directly.
[[maybe_unused]] const std::string& RegisteredKind = GlMeshKind();
} // namespace
