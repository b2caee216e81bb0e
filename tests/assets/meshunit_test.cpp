// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/meshunit.h"

#include "assets/xmlhelperunit.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace {

class TTestMesh : public TMesh {
public:
    void Draw() override {}
};

std::string Group(std::initializer_list<std::pair<const char*, const char*>> children) {
    std::string xml;
    for (const auto& [name, text] : children)
        xml += std::string("\n    <") + name + ">" + text + "</" + name + ">";
    return xml;
}

std::string Vertex(int id, const std::string& children) {
    return "\n  <VERTEX id=\"" + std::to_string(id) + "\">" + children + "</VERTEX>";
}

std::string Face(int id, const std::string& children) {
    return "\n  <FACE id=\"" + std::to_string(id) + "\">" + children + "</FACE>";
}

std::string MeshXml(int points, int faces, const std::string& vertices,
                    const std::string& faceElements) {
    return "<?xml version=\"1.0\"?>\n<MESH>\n <NAME>box</NAME>\n <FACECOUNT>" +
           std::to_string(faces) + "</FACECOUNT>\n <POINTCOUNT>" + std::to_string(points) +
           "</POINTCOUNT>\n <POINTS>" + vertices + "\n </POINTS>\n <FACES>" + faceElements +
           "\n </FACES>\n</MESH>\n";
}

std::string At(float x, float y, float z) {
    return Group(
        {{"X", FloatToStr(x).c_str()}, {"Y", FloatToStr(y).c_str()}, {"Z", FloatToStr(z).c_str()}});
}

std::string Corners(int a, int b, int c) {
    return Group({{"A", std::to_string(a).c_str()},
                  {"B", std::to_string(b).c_str()},
                  {"C", std::to_string(c).c_str()}});
}

// Three points of a unit right triangle and one face over them.
std::string Triangle(const std::string& faceExtra = "") {
    return MeshXml(3, 1, Vertex(0, At(0, 0, 0)) + Vertex(1, At(1, 0, 0)) + Vertex(2, At(0, 1, 0)),
                   Face(0, Corners(0, 1, 2) + faceExtra));
}

std::unique_ptr<TTestMesh> LoadMesh(const std::string& xml) {
    auto mesh = std::make_unique<TTestMesh>();
    TMemoryStream stream(xml);
    mesh->LoadFromStream(stream);
    return mesh;
}

std::string LoadError(const std::string& xml) {
    try {
        LoadMesh(xml);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(loaded)";
}

TEST(MeshLoad, ReadsEveryFieldByIdNotByOrder) {
    const std::string vertices =
        Vertex(1, At(1, 2, 3) + Group({{"NX", "0"}, {"NY", "1"}, {"NZ", "0"}}) +
                      Group({{"U", "0.25"}, {"V", "0.75"}})) +
        "\n  <COMMENT>skipped</COMMENT>" + Vertex(0, At(-1, -2, -3));
    const std::string face =
        Face(0, Corners(1, 0, 2) +
                    Group({{"AU", "0.1"},
                           {"AV", "0.2"},
                           {"BU", "0.3"},
                           {"BV", "0.4"},
                           {"CU", "0.5"},
                           {"CV", "0.6"}}) +
                    Group({{"NX", "1"}, {"NY", "0"}, {"NZ", "0"}, {"SMOOTH", "0"}}));
    auto mesh = LoadMesh(MeshXml(3, 2, vertices, face));
    EXPECT_EQ(mesh->Name(), "box");
    ASSERT_EQ(mesh->PointCount(), 3);
    ASSERT_EQ(mesh->FaceCount(), 2);
    const TVertex& v1 = mesh->Vertices()[1];
    EXPECT_EQ(v1.x, 1.0f);
    EXPECT_EQ(v1.z, 3.0f);
    EXPECT_EQ(v1.ny, 1.0f);
    EXPECT_EQ(v1.v, 0.75f);
    // Vertex 0 has no normal or texture group: it carries vertex 1's values.
    const TVertex& v0 = mesh->Vertices()[0];
    EXPECT_EQ(v0.x, -1.0f);
    EXPECT_EQ(v0.ny, 1.0f);
    EXPECT_EQ(v0.u, 0.25f);
    // Named by no element: zeroed.
    EXPECT_EQ(mesh->Vertices()[2].x, 0.0f);
    EXPECT_FALSE(mesh->Faces()[1].smooth);
    const TFace& f = mesh->Faces()[0];
    EXPECT_EQ(f.a, 1);
    EXPECT_EQ(f.b, 0);
    EXPECT_EQ(f.cv, 0.6f);
    EXPECT_EQ(f.nx, 1.0f);
    EXPECT_FALSE(f.smooth);
}

TEST(MeshLoad, SmoothUnlessTheTextIsExactlyZero) {
    EXPECT_TRUE(LoadMesh(Triangle())->Faces()[0].smooth);
    EXPECT_FALSE(LoadMesh(Triangle(Group({{"SMOOTH", "0"}})))->Faces()[0].smooth);
    for (const char* text : {"", "1", "00", " 0", "false"})
        EXPECT_TRUE(LoadMesh(Triangle(Group({{"SMOOTH", text}})))->Faces()[0].smooth) << text;
    // SMOOTH is written for every face, so a flat face does not make the next one flat.
    auto mesh = LoadMesh(
        MeshXml(3, 2, Vertex(0, At(0, 0, 0)),
                Face(0, Corners(0, 0, 0) + Group({{"SMOOTH", "0"}})) + Face(1, Corners(0, 0, 0))));
    EXPECT_TRUE(mesh->Faces()[1].smooth);
}

TEST(MeshLoad, FaceGroupsCarryOverToTheNextFace) {
    auto mesh = LoadMesh(MeshXml(1, 2, Vertex(0, At(0, 0, 0)),
                                 Face(1, Corners(0, 0, 0) + Group({{"AU", "1"},
                                                                   {"AV", "2"},
                                                                   {"BU", "3"},
                                                                   {"BV", "4"},
                                                                   {"CU", "5"},
                                                                   {"CV", "6"},
                                                                   {"NX", "0.5"},
                                                                   {"NY", "0"},
                                                                   {"NZ", "0"}})) +
                                     Face(0, Corners(0, 0, 0))));
    const TFace& second = mesh->Faces()[0];
    EXPECT_EQ(second.bu, 3.0f);
    EXPECT_EQ(second.cv, 6.0f);
    EXPECT_EQ(second.nx, 0.5f);
}

TEST(MeshLoad, RejectsInconsistentFiles) {
    const std::string point = Vertex(0, At(0, 0, 0));
    EXPECT_EQ(LoadError(MeshXml(1, 0, Vertex(1, At(0, 0, 0)), "")), "VERTEX id 1 outside 0..0");
    EXPECT_EQ(LoadError(MeshXml(1, 0, Vertex(-1, At(0, 0, 0)), "")), "VERTEX id -1 outside 0..0");
    EXPECT_EQ(LoadError(MeshXml(1, 1, point, Face(1, Corners(0, 0, 0)))), "FACE id 1 outside 0..0");
    EXPECT_EQ(LoadError(MeshXml(1, 1, point, Face(0, Corners(0, 1, 0)))),
              "FACE 0 point index 1 outside 0..0");
    EXPECT_EQ(LoadError(MeshXml(0, 1, "", "")), "FACE 0 point index 0 outside 0..-1");
    EXPECT_EQ(LoadError(MeshXml(-1, 0, "", "")), "POINTCOUNT -1 outside 0..1000000");
    EXPECT_EQ(LoadError(MeshXml(1, 2000000000, "", "")), "FACECOUNT 2000000000 outside 0..1000000");
    EXPECT_EQ(LoadError(MeshXml(1, 0, "<VERTEX>" + At(0, 0, 0) + "</VERTEX>", "")),
              "VERTEX without id");
    EXPECT_EQ(LoadError(MeshXml(1, 0, Vertex(0, Group({{"X", "1"}, {"Y", "1"}})), "")),
              "Missing element Z in VERTEX");
    EXPECT_EQ(LoadError(MeshXml(1, 1, point, Face(0, Corners(0, 0, 0) + Group({{"AU", "1"}})))),
              "Missing element AV in FACE");
    EXPECT_EQ(
        LoadError(MeshXml(1, 0, Vertex(0, Group({{"X", "1,5"}, {"Y", "1"}, {"Z", "1"}})), "")),
        "'1,5' is not a valid floating point value");
    EXPECT_EQ(LoadError("<MESH><FACECOUNT>0</FACECOUNT></MESH>"), "Missing element NAME in MESH");
    EXPECT_EQ(LoadError("<MESH><NAME>n</NAME><FACECOUNT>0</FACECOUNT>"
                        "<POINTCOUNT>x</POINTCOUNT></MESH>"),
              "'x' is not a valid integer value");
    EXPECT_EQ(LoadError("<MESH><NAME>n</NAME><FACECOUNT>0</FACECOUNT>"
                        "<POINTCOUNT>0</POINTCOUNT><FACES/></MESH>"),
              "Missing element POINTS in MESH");
    EXPECT_EQ(LoadError("<MESH><NAME>n</NAME>"), "Fine stream!");
}

TEST(MeshLoad, LogsBeforeOpeningTheFile) {
    TTestDir dir;
    TTestMesh mesh;
    EXPECT_THROW(mesh.LoadFromFile("media/none.mesh"), EStreamError);
    EXPECT_NE(dir.ReadFile("log").find("Loading media/none.mesh\n"), std::string::npos);

    dir.WriteFile("media/tri.mesh", Triangle());
    mesh.LoadFromFile("media/tri.mesh");
    EXPECT_EQ(mesh.FaceCount(), 1);
    EXPECT_NE(dir.ReadFile("log").find("Loading media/tri.mesh\n"), std::string::npos);
}

// Numbers keep their "." even when the C library would write a comma.
TEST(MeshLoad, IgnoresTheProcessLocale) {
    TTestDir dir;
    const char* name = "de_DE.UTF-8";
    if (std::setlocale(LC_NUMERIC, name) == nullptr) {
        // Build the locale into the test directory when the system has not generated it.
        std::string command = "env -u LD_PRELOAD localedef -i de_DE -f UTF-8 '" +
                              dir.Path().string() + "/" + name + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            setenv("LOCPATH", dir.Path().c_str(), 1);
            std::setlocale(LC_NUMERIC, name);
        }
    }
    bool comma = std::string(std::localeconv()->decimal_point) == ",";
    std::unique_ptr<TTestMesh> mesh;
    if (comma) mesh = LoadMesh(MeshXml(1, 0, Vertex(0, At(1.5f, 0, 0)), ""));
    std::string written = FloatToStr(2.25f);
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma available";
    EXPECT_EQ(mesh->Vertices()[0].x, 1.5f);
    EXPECT_EQ(written, "2.25");
}

TEST(MeshGeometry, ScaleAndTranslateMovePositionsOnlyAndKeepARadiusAlreadyComputed) {
    const std::string xml =
        MeshXml(2, 0,
                Vertex(0, At(3, 4, 0) + Group({{"NX", "0"}, {"NY", "0"}, {"NZ", "1"}})) +
                    Vertex(1, At(1, 0, 0)),
                "");
    auto mesh = LoadMesh(xml);
    EXPECT_EQ(mesh->BoundingRadius(), 5.0f);
    mesh->Scale(2);
    mesh->Translate(1, 0, -1);
    EXPECT_EQ(mesh->Vertices()[0].x, 7.0f);
    EXPECT_EQ(mesh->Vertices()[0].z, -1.0f);
    EXPECT_EQ(mesh->Vertices()[1].nz, 1.0f);
    EXPECT_EQ(mesh->BoundingRadius(), 5.0f);
    // Asked first after the scaling, the radius is the scaled one.
    auto scaled = LoadMesh(xml);
    scaled->Scale(2);
    EXPECT_EQ(scaled->BoundingRadius(), 10.0f);
}

TEST(MeshGeometry, ComputeNormalsAveragesWithoutRenormalising) {
    // Two faces sharing points 0 and 1: one in the z = 0 plane, one in the y = 0 plane.
    auto mesh = LoadMesh(MeshXml(4, 2,
                                 Vertex(0, At(0, 0, 0)) + Vertex(1, At(2, 0, 0)) +
                                     Vertex(2, At(0, 2, 0)) + Vertex(3, At(0, 0, 2)),
                                 Face(0, Corners(0, 1, 2)) + Face(1, Corners(0, 3, 1))));
    mesh->ComputeNormals();
    const TFace& f0 = mesh->Faces()[0];
    const TFace& f1 = mesh->Faces()[1];
    EXPECT_EQ(f0.nz, 1.0f);
    EXPECT_EQ(f1.ny, 1.0f);
    const TVertex& shared = mesh->Vertices()[1];
    EXPECT_EQ(shared.nx, 0.0f);
    EXPECT_EQ(shared.ny, 0.5f);
    EXPECT_EQ(shared.nz, 0.5f);
    EXPECT_EQ(mesh->Vertices()[3].ny, 1.0f);
}

TEST(MeshGeometry, ComputeNormalsCountsAFaceOncePerPoint) {
    // Face 1 names point 0 twice; its zero normal is averaged in once, not twice.
    auto mesh = LoadMesh(
        MeshXml(3, 2, Vertex(0, At(0, 0, 0)) + Vertex(1, At(1, 0, 0)) + Vertex(2, At(0, 1, 0)),
                Face(0, Corners(0, 1, 2)) + Face(1, Corners(0, 0, 1))));
    mesh->ComputeNormals();
    EXPECT_EQ(mesh->Faces()[1].nz, 0.0f);
    EXPECT_EQ(mesh->Vertices()[0].nz, 0.5f);
    EXPECT_EQ(mesh->Vertices()[1].nz, 0.5f);
    EXPECT_EQ(mesh->Vertices()[2].nz, 1.0f);
}

TEST(MeshSave, LoadsBackEveryFieldOfEveryPointAndFace) {
    // Distinct values in every slot, a flat face after a smooth one, and a name that needs
    // escaping, so that a dropped or swapped field shows.
    std::vector<TVertex> vertices{{1.5f, -2, 3, 0, 1, 0, 0.25f, 0.75f},
                                  {-4, 5.125f, -6, 1, 0, 0, 0.5f, 1},
                                  {7, 8, 9.5f, 0, 0, -1, 1, 0}};
    std::vector<TFace> faces{{0, 1, 2, 0.1f, 0.2f, 0.3f, 1, 2, 3, 4, 5, 6, true},
                             {2, 1, 0, -1, 0, 0, 0.6f, 0.5f, 0.4f, 0.3f, 0.2f, 0.1f, false}};
    TTestMesh original;
    original.Assign("fence <post> & rail", vertices, faces);
    TMemoryStream stream;
    original.SaveToStream(stream);
    auto copy = LoadMesh(stream.Data());
    EXPECT_EQ(copy->Name(), "fence <post> & rail");
    ASSERT_EQ(copy->PointCount(), 3);
    ASSERT_EQ(copy->FaceCount(), 2);
    for (size_t i = 0; i < vertices.size(); ++i)
        EXPECT_EQ(std::memcmp(&copy->Vertices()[i], &vertices[i], sizeof(TVertex)), 0) << i;
    for (size_t i = 0; i < faces.size(); ++i) {
        const TFace& f = copy->Faces()[i];
        const TFace& g = faces[i];
        EXPECT_EQ(std::tie(f.a, f.b, f.c, f.nx, f.ny, f.nz, f.smooth),
                  std::tie(g.a, g.b, g.c, g.nx, g.ny, g.nz, g.smooth))
            << i;
        EXPECT_EQ(std::tie(f.au, f.av, f.bu, f.bv, f.cu, f.cv),
                  std::tie(g.au, g.av, g.bu, g.bv, g.cu, g.cv))
            << i;
    }
}

TEST(MeshSave, AssignRecomputesTheRadius) {
    TTestMesh mesh;
    mesh.Assign("a", {{3, 4, 0, 0, 0, 0, 0, 0}}, {});
    EXPECT_EQ(mesh.BoundingRadius(), 5.0f);
    mesh.Assign("b", {{0, 0, 2, 0, 0, 0, 0, 0}}, {});
    EXPECT_EQ(mesh.BoundingRadius(), 2.0f);
}

TEST(MeshSave, FileThatCannotBeCreatedRaises) {
    TTestDir dir;
    TTestMesh mesh;
    EXPECT_THROW(mesh.SaveToFile("missing/folder/x.mesh"), EStreamError);
    mesh.Assign("t", {{0, 0, 0, 0, 0, 0, 0, 0}}, {});
    mesh.SaveToFile("t.mesh");
    EXPECT_NE(dir.ReadFile("t.mesh").find("<NAME>t</NAME>"), std::string::npos);
}

TEST(MeshList, FindsTheFirstExactName) {
    TMeshList list;
    EXPECT_EQ(list.Find("box"), nullptr);
    auto first = LoadMesh(Triangle());
    auto second = LoadMesh(Triangle());
    list.Add(first.get());
    list.Add(second.get());
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1), second.get());
    EXPECT_EQ(list.Find("box"), first.get());
    EXPECT_EQ(list.Find("Box"), nullptr);
}

TEST(MeshKinds, FactoryMakesRegisteredKinds) {
    RegisterMeshKind("TTestMesh", [] { return std::make_unique<TTestMesh>(); });
    auto mesh = CreateMesh("TTestMesh");
    ASSERT_NE(dynamic_cast<TTestMesh*>(mesh.get()), nullptr);
    EXPECT_EQ(mesh->Name(), "");
    EXPECT_EQ(mesh->BoundingRadius(), 0.0f);
    EXPECT_THROW(CreateMesh("TNoMesh"), EMeshError);
}

} // namespace
