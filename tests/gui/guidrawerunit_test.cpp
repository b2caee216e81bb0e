#include "gui/guidrawerunit.h"

#include "support/glwindow.h"
#include "support/guimedia.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <string>

namespace {

struct GlyphCase {
    uint8_t Ch;
    float S, T;
};

class GlyphOrigins : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(GlyphOrigins, CellOfTheCodeInTheLowerHalf) {
    const TTexCoord o = GlyphOrigin(GetParam().Ch);
    EXPECT_FLOAT_EQ(o.S, GetParam().S);
    EXPECT_FLOAT_EQ(o.T, GetParam().T);
}

INSTANTIATE_TEST_SUITE_P(Codes, GlyphOrigins,
                         ::testing::Values(GlyphCase{' ', 0, 0.5f}, GlyphCase{'!', 0.0625f, 0.5f},
                                           GlyphCase{'A', 0.0625f, 0.625f},
                                           GlyphCase{'~', 0.875f, 0.8125f},
                                           GlyphCase{159, 0.9375f, 0.9375f},
                                           // control codes and codes above 159 lie beyond the grid
                                           GlyphCase{0, 0, 1.375f}, GlyphCase{31, 0.9375f, 1.4375f},
                                           GlyphCase{255, 0.9375f, 1.3125f}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.Ch); });

class BitmapText : public ::testing::Test {
protected:
    void SetUp() override {
        Media.AddPicture("font", FontPng());
        Media.Manager.GetTexture("font")->Bind();
        glEnable(GL_TEXTURE_2D);
    }
    TGlTestWindow Window{64, 32};
    TGuiTestMedia Media;
};

TEST_F(BitmapText, GlyphsAdvanceBySevenAndOverlapByOneColumn) {
    glColor3f(1, 1, 1);
    DrawText(0, 0, "AB");
    const TRgbBytes a = FontCellColour(1, 2), b = FontCellColour(2, 2);
    for (int y : {0, 7}) {
        for (int x = 0; x <= 6; ++x)
            EXPECT_TRUE(NearColour(Window.Pixel(x, y), a)) << x << ", " << y;
        for (int x = 7; x <= 14; ++x)
            EXPECT_TRUE(NearColour(Window.Pixel(x, y), b)) << x << ", " << y;
    }
    EXPECT_TRUE(NearColour(Window.Pixel(15, 3), 0, 0, 0));
    EXPECT_TRUE(NearColour(Window.Pixel(3, 8), 0, 0, 0));
}

TEST_F(BitmapText, TopLeftCornerAtThePositionInTheCallersColour) {
    glColor3f(1, 0, 1);
    DrawText(20, 10, "!");
    const TRgbBytes bang = FontCellColour(1, 0);
    EXPECT_TRUE(NearColour(Window.Pixel(20, 10), bang[0], 0, bang[2]));
    EXPECT_TRUE(NearColour(Window.Pixel(27, 17), bang[0], 0, bang[2]));
    for (auto [x, y] : {std::pair{19, 10}, {28, 10}, {20, 9}, {20, 18}})
        EXPECT_TRUE(NearColour(Window.Pixel(x, y), 0, 0, 0)) << x << ", " << y;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.0f);
}

} // namespace
