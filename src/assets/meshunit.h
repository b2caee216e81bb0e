// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Static triangle meshes: the data, loading and saving the XML mesh format, a list by name.
#pragma once

#include "assets/namedlistunit.h"
#include "assets/streamunit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Raised when a mesh file is inconsistent (missing element, index or count out of range).
class EMeshError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TVertex {
    float x, y, z;    // position
    float nx, ny, nz; // normal of smooth faces
    float u, v;       // texture coordinate (faces carry their own per corner)
};

struct TFace {
    int32_t a, b, c;              // corner indices into the vertex array, in drawing order
    float nx, ny, nz;             // normal of a flat face
    float au, av, bu, bv, cu, cv; // texture coordinates of corners a, b, c
    bool smooth;                  // corners use their vertex normals
};

// The data of a mesh; drawing is left to a subclass.
class TMesh {
public:
    TMesh() = default;
    virtual ~TMesh() = default;
    TMesh(const TMesh&) = delete;
    TMesh& operator=(const TMesh&) = delete;

    virtual void Draw() = 0;

    // Logs "Loading <fileName>" (before opening, so a missing file is logged too) and
    // loads the file. Errors of the file, the XML reader or the content propagate.
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);
    // What LoadFromFile gives when loaded has read that file ahead of time: the same log
    // line, and loaded's contents moved over.
    void TakeOver(const std::string& fileName, TMesh& loaded);
    // Writes every field of every point and face, so that loading gives the same mesh.
    // Stream and file errors propagate.
    void SaveToFile(const std::string& fileName) const;
    void SaveToStream(TStream& stream) const;
    // Replaces the content (for meshes made by code); the radius is computed anew.
    void Assign(std::string name, std::vector<TVertex> vertices, std::vector<TFace> faces);

    const std::string& Name() const { return FName; }
    int32_t FaceCount() const { return static_cast<int32_t>(FFaces.size()); }
    int32_t PointCount() const { return static_cast<int32_t>(FVertices.size()); }
    const std::vector<TVertex>& Vertices() const { return FVertices; }
    const std::vector<TFace>& Faces() const { return FFaces; }

    // Largest distance of a vertex from the origin; computed on first use (while 0).
    float BoundingRadius();
    // Scale and translate move positions only; normals stay.
    void Scale(float factor);
    void Translate(float dx, float dy, float dz);
    // Face normals from the corner positions; vertex normals as the mean of the normals
    // of the faces using them.
    void ComputeNormals();

protected:
    std::string FName;
    float FRadius = 0;
    std::vector<TVertex> FVertices;
    std::vector<TFace> FFaces;
};

// Virtual construction: each drawable kind registers a maker under its class name
// (e.g. "TGlMesh"); CreateMesh raises EMeshError for an unknown kind.
using TMeshMaker = std::function<std::unique_ptr<TMesh>()>;
void RegisterMeshKind(const std::string& kind, TMeshMaker maker);
std::unique_ptr<TMesh> CreateMesh(const std::string& kind);

// The meshes the media manager has loaded, found by name; it owns none of them.
class TMeshList : public TNamedList<TMesh> {};
