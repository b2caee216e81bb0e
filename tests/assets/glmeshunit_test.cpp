// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/glmeshunit.h"

#include "support/glwindow.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// A drawable mesh filled directly with points and faces.
class TTestGlMesh : public TGlMesh {
public:
    TTestGlMesh(std::vector<TVertex> points, std::vector<TFace> faces) {
        FVertices = std::move(points);
        FFaces = std::move(faces);
    }
};

class TRecordingSink : public TTriangleSink {
public:
    void Normal(float x, float y, float z) override { Calls << "N" << x << y << z << " "; }
    void TexCoord(float u, float v) override { Calls << "T" << u << v << " "; }
    void Vertex(float x, float y, float z) override { Calls << "V" << x << y << z << " "; }
    std::ostringstream Calls;
};

TVertex Point(float x, float y, float nz) {
    return TVertex{x, y, 0, 0, 0, nz, 0, 0};
}

TFace Face(int32_t a, int32_t b, int32_t c, float nz, bool smooth) {
    return TFace{a, b, c, 0, 0, nz, 1, 2, 3, 4, 5, 6, smooth};
}

TEST(GlMeshEmission, FlatFacesSendOneNormalSmoothFacesOnePerCorner) {
    TTestGlMesh mesh({Point(1, 2, 7), Point(3, 4, 8), Point(5, 6, 9)},
                     {Face(0, 1, 2, 5, false), Face(2, 1, 0, 5, true), Face(0, 1, 3, 5, false)});
    TRecordingSink sink;
    EmitTriangles(mesh, sink);
    EXPECT_EQ(sink.Calls.str(), "N005 T12 V120 T34 V340 T56 V560 "
                                "T12 N009 V560 T34 N008 V340 T56 N007 V120 ");
}

TEST(GlMeshKindTest, VirtualConstructionMakesAnUndrawnGlMesh) {
    std::unique_ptr<TMesh> mesh = CreateMesh(GlMeshKind());
    auto* glMesh = dynamic_cast<TGlMesh*>(mesh.get());
    ASSERT_NE(glMesh, nullptr);
    EXPECT_EQ(glMesh->DisplayList(), 0u);
}

class GlMeshDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0); // white light shining along -z, straight at the viewer's scene
    }
    TGlTestWindow Window;
};

// Two triangles whose face normals face the light and whose vertex normals face away
// (or the other way round): flat faces must light by the face normal, smooth by the corners.
TEST_F(GlMeshDrawing, FlatFacesLightByFaceNormalSmoothByVertexNormals) {
    TTestGlMesh flat({Point(0, 0, -1), Point(30, 0, -1), Point(0, 30, -1)},
                     {Face(0, 1, 2, 1, false)});
    TTestGlMesh smooth({Point(64, 64, -1), Point(34, 64, -1), Point(64, 34, -1)},
                       {Face(0, 1, 2, 1, true)});
    flat.Draw();
    smooth.Draw();
    const auto lit = Window.Pixel(5, 5);
    const auto unlit = Window.Pixel(58, 58);
    EXPECT_GT(lit[0], 150);
    EXPECT_GT(lit[1], 150);
    EXPECT_LT(unlit[0], 40);
    EXPECT_LT(unlit[2], 40) << "the smooth face is drawn (not the blue background)";
}

TEST_F(GlMeshDrawing, DisplayListIsMadeOnFirstDrawAndFreedWithTheMesh) {
    TTestGlMesh undrawn({Point(0, 0, 1), Point(9, 0, 1), Point(0, 9, 1)}, {Face(0, 1, 2, 1, true)});
    uint32_t list = 0;
    {
        TTestGlMesh drawn({Point(0, 0, 1), Point(9, 0, 1), Point(0, 9, 1)},
                          {Face(0, 1, 2, 1, true)});
        drawn.Draw();
        list = drawn.DisplayList();
        ASSERT_NE(list, 0u);
        EXPECT_TRUE(glIsList(list));
        drawn.Draw();
        EXPECT_EQ(drawn.DisplayList(), list) << "the list is built once";
        for (uint32_t id = 1; id < 64; ++id)
            EXPECT_EQ(glIsList(id) == GL_TRUE, id == list) << "only the drawn mesh owns a list";
    }
    EXPECT_FALSE(glIsList(list));
    EXPECT_EQ(undrawn.DisplayList(), 0u);
    EXPECT_GT(Window.Pixel(2, 2)[0], 150) << "the drawn mesh reached the frame";
}

} // namespace
