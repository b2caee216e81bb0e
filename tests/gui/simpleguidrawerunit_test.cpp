#include "gui/simpleguidrawerunit.h"

#include "support/glwindow.h"
#include "support/guimedia.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

namespace {

class FlatText : public ::testing::Test {
protected:
    void SetUp() override {
        Media.AddPicture("font", FontPng());
        Media.Manager.GetTexture("font")->Bind();
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
    }
    TGlTestWindow Window{64, 32};
    TGuiTestMedia Media;
};

TEST_F(FlatText, BlackGlyphsWithTexturingSwitchedOnOnlyWhileDrawing) {
    simpleguidrawerunit::DrawText(0, 0, "AB");
    for (int x : {0, 7, 14})
        EXPECT_TRUE(NearColour(Window.Pixel(x, 4), 0, 0, 0)) << x;
    EXPECT_TRUE(NearColour(Window.Pixel(15, 4), 255, 255, 255));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

} // namespace
