// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/modelunit.h"

#include "assets/glmeshunit.h"
#include "support/glwindow.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

namespace {

// Notes the front-face winding in force whenever it is drawn.
class TWindingProbe : public TMesh {
public:
    void Draw() override {
        GLint frontFace = 0;
        glGetIntegerv(GL_FRONT_FACE, &frontFace);
        Seen.push_back(frontFace);
    }
    std::vector<GLint> Seen;
};

// Notes where the model-view matrix in force takes a few points of the mesh.
class TMatrixProbe : public TMesh {
public:
    void Draw() override {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (const TVector& p : {MakeVector(1, 0, 0), MakeVector(0, 1, 0), MakeVector(0, 0, 1)})
            Seen.push_back(MakeVector(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                                      m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                                      m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]));
    }
    std::vector<TVector> Seen;
};

// One triangle over the top-left of the 64 x 64 overlay, counter-clockwise on screen.
std::unique_ptr<TMesh> Triangle() {
    auto vertex = [](int id, int x, int y) {
        return "<VERTEX id=\"" + std::to_string(id) + "\"><X>" + std::to_string(x) + "</X><Y>" +
               std::to_string(y) + "</Y><Z>0</Z></VERTEX>";
    };
    TMemoryStream stream("<MESH><NAME>tri</NAME><FACECOUNT>1</FACECOUNT><POINTCOUNT>3</POINTCOUNT>"
                         "<POINTS>" +
                         vertex(0, 8, 8) + vertex(1, 8, 56) + vertex(2, 56, 8) +
                         "</POINTS><FACES><FACE id=\"0\"><A>0</A><B>1</B><C>2</C></FACE>"
                         "</FACES></MESH>");
    std::unique_ptr<TMesh> mesh = CreateMesh(GlMeshKind());
    mesh->LoadFromStream(stream);
    return mesh;
}

TModelTreeNode& AddChild(TModelTreeNode& parent, TMesh* mesh) {
    TModelTreeNode& child = parent.Children.Add(std::make_unique<TModelTreeNode>());
    child.Element.ElementType = geMesh;
    child.Element.Mesh = mesh;
    return child;
}

class ModelDrawing : public ::testing::Test {
protected:
    ModelDrawing() {
        Window.ResetToOverlay();
        // Unlit except for a full white ambient: a pixel shows the material colour as it is.
        const GLfloat white[4] = {1, 1, 1, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
        glEnable(GL_LIGHTING);
        glFrontFace(GL_CCW);
    }
    ~ModelDrawing() override { glDisable(GL_LIGHTING); }
    bool Lit(int x, int y) const { return Window.Pixel(x, y)[0] > 0; }
    TGlTestWindow Window;
    std::unique_ptr<TMesh> Mesh = Triangle();
};

TEST_F(ModelDrawing, MirroredNodesTurnTheWindingForTheirSubtree) {
    TModel model;
    TWindingProbe probe;
    model.Root->Element = {geMesh, &probe, nullptr, 0};
    TModelTreeNode& mirrored = AddChild(*model.Root, &probe);
    mirrored.Transformation.Scale = MakeVector(-1, 1, 1);
    AddChild(mirrored, &probe);
    AddChild(mirrored, &probe).Transformation.Scale = MakeVector(1, -1, 1);
    AddChild(*model.Root, &probe).Transformation.Scale = MakeVector(-1, -1, 1);
    model.Render();
    EXPECT_EQ(probe.Seen, (std::vector<GLint>{GL_CCW, GL_CW, GL_CW, GL_CCW, GL_CCW}));
    GLint frontFace = 0;
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    EXPECT_EQ(frontFace, GL_CCW);
}

// Scaled first, then turned about Z, Y and X, then moved: the points below were worked
// out by hand, and any other order puts them elsewhere.
TEST_F(ModelDrawing, NodesScaleThenRotateZYXThenTranslate) {
    TModel model;
    TMatrixProbe probe;
    model.Root->Transformation = {MakeVector(10, 20, 30), MakeVector(90, 90, 90),
                                  MakeVector(2, 3, 4)};
    model.Root->Element = {geMesh, &probe, nullptr, 0};
    AddChild(*model.Root, &probe).Transformation.Position = MakeVector(1, 0, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    model.Render();
    const std::vector<TVector> expected = {MakeVector(10, 20, 32), MakeVector(10, 17, 30),
                                           MakeVector(14, 20, 30), MakeVector(10, 20, 34),
                                           MakeVector(10, 17, 32), MakeVector(14, 20, 32)};
    ASSERT_EQ(probe.Seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(probe.Seen[i].x, expected[i].x, 1e-4) << i;
        EXPECT_NEAR(probe.Seen[i].y, expected[i].y, 1e-4) << i;
        EXPECT_NEAR(probe.Seen[i].z, expected[i].z, 1e-4) << i;
    }
}

TEST_F(ModelDrawing, MirroredTriangleStaysVisibleWithBackFacesCulled) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    TModel model;
    model.Root->Element = {geMesh, Mesh.get(), nullptr, 0};
    TModelTreeNode& mirrored = AddChild(*model.Root, Mesh.get());
    mirrored.Transformation.Position = MakeVector(64, 0, 0);
    mirrored.Transformation.Scale = MakeVector(-1, 1, 1);
    model.Render();
    EXPECT_TRUE(Lit(16, 16));
    EXPECT_TRUE(Lit(48, 16));
    EXPECT_FALSE(Lit(32, 56));
    glDisable(GL_CULL_FACE);
}

TEST_F(ModelDrawing, NodesDrawTheirMeshInTheirColourUntextured) {
    TModel model;
    model.Root->Color = {1, 0.5f, 0.25f};
    model.Root->Element = {geMesh, Mesh.get(), nullptr, 0};
    glEnable(GL_TEXTURE_2D);
    model.Render();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    auto pixel = Window.Pixel(16, 16);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_NEAR(pixel[2], 64, 1);
    EXPECT_EQ(Window.Pixel(48, 48)[0], 0);
}

TEST_F(ModelDrawing, MissingMeshesAndSubModelsDrawNothingButTheirChildren) {
    TModel model;
    model.Root->Element.ElementType = geModel;
    TModelTreeNode& noMesh = AddChild(*model.Root, nullptr);
    AddChild(noMesh, Mesh.get()).Transformation.Position = MakeVector(40, 40, 0);
    model.Render();
    EXPECT_FALSE(Lit(16, 16));
    EXPECT_TRUE(Lit(56, 56));

    TModel part;
    part.Root->Element = {geMesh, Mesh.get(), nullptr, 0};
    model.Root->Element.Model = &part;
    model.Render();
    EXPECT_TRUE(Lit(16, 16));
}

TEST_F(ModelDrawing, PosesMoveNodesWhenDrawn) {
    TModel model;
    AddChild(*model.Root, Mesh.get()).Name = "arm";
    TPose& pose = model.Poses.Add(std::make_unique<TPose>());
    pose.FindDelta("arm", true)->Position.x = 40;
    model.RenderPose(pose);
    EXPECT_FALSE(Lit(12, 12));
    EXPECT_TRUE(Lit(52, 12));

    Window.ResetToOverlay();
    glEnable(GL_LIGHTING);
    TRealTimeModel animated;
    TAnimation& animation = model.Animations.Add(std::make_unique<TAnimation>());
    for (int time : {0, 100}) {
        TAnimationKey& key = animation.Keys.Add(std::make_unique<TAnimationKey>());
        key.PoseName = pose.Name;
        key.Time = time;
    }
    animated.Init(model);
    animated.Animate(0, 0.5f);
    animated.Render();
    EXPECT_FALSE(Lit(12, 12));
    EXPECT_TRUE(Lit(52, 12));
}

} // namespace
