// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Meshes drawn by OpenGL through a display list compiled on first use.
#pragma once

#include "assets/meshunit.h"

#include <cstdint>
#include <string>

// Receives the immediate-mode calls that draw a mesh's triangles, in order.
class TTriangleSink {
public:
    virtual ~TTriangleSink() = default;
    virtual void Normal(float x, float y, float z) = 0;
    virtual void TexCoord(float u, float v) = 0;
    virtual void Vertex(float x, float y, float z) = 0;
};

// Sends every face: a flat face its face normal once, then per corner its texture
// coordinate, its vertex normal when smooth, and its position. Faces naming a point
// outside the vertex array are skipped.
void EmitTriangles(const TMesh& mesh, TTriangleSink& sink);

class TGlMesh : public TMesh {
public:
    TGlMesh() = default;
    // Deletes the display list when one was made; an undrawn mesh touches no OpenGL.
    ~TGlMesh() override;

    // Builds the display list on first use (needs a current context), then calls it.
    void Draw() override;
    // 0 until the first Draw.
    uint32_t DisplayList() const { return FDisplayList; }

private:
    void BuildDisplayList();
    void DeleteDisplayList();

    uint32_t FDisplayList = 0;
};

// The kind name TGlMesh is registered under for CreateMesh (registers it on first call).
const std::string& GlMeshKind();
