// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/meshunit.h"

#include "app/logunit.h"
#include "assets/xmlhelperunit.h"
#include "math/vectorunit.h"

#include <cmath>
#include <map>

namespace {

// More points or faces than any game asset could need; a larger count is a broken file.
constexpr int32_t MaxCount = 1000000;

int32_t ReadCount(const TXMLNode& root, const std::string& name) {
    int32_t count = ReadInteger(root, name);
    if (count < 0 || count > MaxCount)
        throw EMeshError(name + " " + std::to_string(count) + " outside 0.." +
                         std::to_string(MaxCount));
    return count;
}

size_t ReadIndex(const TXMLNode& element, size_t count) {
    const TXMLAttribute* attribute = element.Attributes.Find("id");
    if (attribute == nullptr) throw EMeshError(element.Name + " without id");
    int32_t id = StrToInt(attribute->Value);
    if (id < 0 || static_cast<size_t>(id) >= count)
        throw EMeshError(element.Name + " id " + std::to_string(id) + " outside 0.." +
                         std::to_string(static_cast<int64_t>(count) - 1));
    return static_cast<size_t>(id);
}

void CheckCorner(int32_t face, int32_t point, size_t count) {
    if (point < 0 || static_cast<size_t>(point) >= count)
        throw EMeshError("FACE " + std::to_string(face) + " point index " + std::to_string(point) +
                         " outside 0.." + std::to_string(static_cast<int64_t>(count) - 1));
}

TVector Position(const TVertex& v) {
    return MakeVector(v.x, v.y, v.z);
}

std::map<std::string, TMeshMaker>& MeshKinds() {
    static std::map<std::string, TMeshMaker> kinds;
    return kinds;
}

} // namespace

void TMesh::LoadFromFile(const std::string& fileName) {
    WriteLog("Loading " + fileName);
    TFileStream stream(fileName, TFileStream::fmOpenRead);
    LoadFromStream(stream);
}

void TMesh::TakeOver(const std::string& fileName, TMesh& loaded) {
    WriteLog("Loading " + fileName);
    Assign(std::move(loaded.FName), std::move(loaded.FVertices), std::move(loaded.FFaces));
}

void TMesh::LoadFromStream(TStream& stream) {
    TXMLDocument document;
    document.LoadFromStream(stream);
    const TXMLNode& root = document.Root();
    FName = RequireChild(root, "NAME").GetText();
    FFaces.assign(static_cast<size_t>(ReadCount(root, "FACECOUNT")), TFace{});
    FVertices.assign(static_cast<size_t>(ReadCount(root, "POINTCOUNT")), TVertex{});
    FRadius = 0;

    // One working record per list: an element that leaves out an optional group keeps
    // the values of the previous element.
    const TXMLNodes& points = RequireChild(root, "POINTS").Children;
    TVertex vertex{};
    for (int i = 0; i < points.Count(); ++i) {
        const TXMLNode& element = points.Items(i);
        if (element.Name != "VERTEX") continue;
        ReadVertex(element, vertex);
        FVertices[ReadIndex(element, FVertices.size())] = vertex;
    }
    const TXMLNodes& faces = RequireChild(root, "FACES").Children;
    TFace face{};
    for (int i = 0; i < faces.Count(); ++i) {
        const TXMLNode& element = faces.Items(i);
        if (element.Name != "FACE") continue;
        ReadFace(element, face);
        FFaces[ReadIndex(element, FFaces.size())] = face;
    }
    // Faces named by no element point at point 0, which must exist as well.
    for (size_t i = 0; i < FFaces.size(); ++i)
        for (int32_t corner : {FFaces[i].a, FFaces[i].b, FFaces[i].c})
            CheckCorner(static_cast<int32_t>(i), corner, FVertices.size());
}

void TMesh::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, TFileStream::fmCreate);
    SaveToStream(stream);
    stream.Close();
}

void TMesh::SaveToStream(TStream& stream) const {
    auto root = std::make_unique<TXMLNode>("MESH", ndTag);
    root->AddChild("NAME", FName);
    root->AddChild("FACECOUNT", FaceCount());
    root->AddChild("POINTCOUNT", PointCount());
    TXMLNode& points = root->Children.Add(std::make_unique<TXMLNode>("POINTS", ndTag));
    for (size_t i = 0; i < FVertices.size(); ++i)
        points.Children.Add(WriteVertex(FVertices[i], static_cast<int32_t>(i)));
    TXMLNode& faces = root->Children.Add(std::make_unique<TXMLNode>("FACES", ndTag));
    for (size_t i = 0; i < FFaces.size(); ++i)
        faces.Children.Add(WriteFace(FFaces[i], static_cast<int32_t>(i)));
    TXMLDocument document;
    document.SetRoot(std::move(root));
    document.SaveToStream(stream);
}

void TMesh::Assign(std::string name, std::vector<TVertex> vertices, std::vector<TFace> faces) {
    FName = std::move(name);
    FVertices = std::move(vertices);
    FFaces = std::move(faces);
    FRadius = 0;
}

float TMesh::BoundingRadius() {
    if (FRadius == 0)
        for (const TVertex& v : FVertices)
            FRadius = std::fmax(FRadius, VectorLength(Position(v)));
    return FRadius;
}

void TMesh::Scale(float factor) {
    for (TVertex& v : FVertices) {
        v.x *= factor;
        v.y *= factor;
        v.z *= factor;
    }
}

void TMesh::Translate(float dx, float dy, float dz) {
    for (TVertex& v : FVertices) {
        v.x += dx;
        v.y += dy;
        v.z += dz;
    }
}

void TMesh::ComputeNormals() {
    std::vector<TVector> sums(FVertices.size(), TVector{0, 0, 0});
    std::vector<int> uses(FVertices.size(), 0);
    for (TFace& f : FFaces) {
        TVector a = Position(FVertices.at(static_cast<size_t>(f.a)));
        TVector b = Position(FVertices.at(static_cast<size_t>(f.b)));
        TVector c = Position(FVertices.at(static_cast<size_t>(f.c)));
        TVector n = VectorNormalised(VectorCross(VectorSub(b, a), VectorSub(c, a)));
        f.nx = n.x;
        f.ny = n.y;
        f.nz = n.z;
        const auto use = [&](int32_t corner) {
            auto i = static_cast<size_t>(corner);
            VectorAdd(sums[i], n, sums[i]);
            ++uses[i];
        };
        // A face counts once for each point it uses, even when it names the point twice.
        use(f.a);
        if (f.b != f.a) use(f.b);
        if (f.c != f.a && f.c != f.b) use(f.c);
    }
    // A point used by no face keeps its normal.
    for (size_t i = 0; i < FVertices.size(); ++i) {
        if (uses[i] == 0) continue;
        auto count = static_cast<float>(uses[i]);
        FVertices[i].nx = sums[i].x / count;
        FVertices[i].ny = sums[i].y / count;
        FVertices[i].nz = sums[i].z / count;
    }
}

void RegisterMeshKind(const std::string& kind, TMeshMaker maker) {
    MeshKinds()[kind] = std::move(maker);
}

std::unique_ptr<TMesh> CreateMesh(const std::string& kind) {
    auto found = MeshKinds().find(kind);
    if (found == MeshKinds().end()) throw EMeshError("Unknown mesh kind " + kind);
    return found->second();
}
