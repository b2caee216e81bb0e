// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/textureunit.h"

#include "support/glwindow.h"
#include "support/pngwriter.h"
#include "support/testdir.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <tuple>

namespace {

using TRgba = std::array<uint8_t, 4>;

TPngImage MakePng(int width, int height, TPngColour colour, std::vector<uint8_t> pixels) {
    TPngImage image;
    image.Width = width;
    image.Height = height;
    image.Colour = colour;
    image.Pixels = std::move(pixels);
    return image;
}

// Texel (x, y) of a decoded image as RGBA (alpha 255 for RGB images).
TRgba Texel(const TTextureImage& image, int x, int y) {
    const uint8_t* p = image.Pixels.data() + image.RowBytes() * y + image.BytesPerPixel() * x;
    return {p[0], p[1], p[2], image.HasAlpha ? p[3] : uint8_t{255}};
}

// Draws the texture one texel per pixel at the top left, first file row at the top.
void DrawOneToOne(const TTexture& texture, int width, int height) {
    glEnable(GL_TEXTURE_2D);
    texture.Bind();
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(0, 0);
    glTexCoord2f(1, 0);
    glVertex2i(width, 0);
    glTexCoord2f(1, 1);
    glVertex2i(width, height);
    glTexCoord2f(0, 1);
    glVertex2i(0, height);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

void ExpectColour(const TRgba& actual, int r, int g, int b) {
    EXPECT_LE(std::abs(actual[0] - r), 4) << "red";
    EXPECT_LE(std::abs(actual[1] - g), 4) << "green";
    EXPECT_LE(std::abs(actual[2] - b), 4) << "blue";
}

class TextureFiles : public ::testing::Test {
protected:
    void Write(const std::string& name, const TPngImage& image) {
        Dir.WriteFile(name, EncodePng(image));
    }
    TTestDir Dir;
};

// 3 x 2 RGB: rows of 9 bytes exercise the padding to 4 bytes.
const std::vector<uint8_t> Rgb3x2 = {255, 0,   0, 0, 255, 0,   0,   0, 255,
                                     255, 255, 0, 0, 255, 255, 255, 0, 255};

TEST_F(TextureFiles, DecodesTrueColourInRgbOrderWithPaddedRows) {
    Write("rgb.png", MakePng(3, 2, TPngColour::Rgb, Rgb3x2));
    const TTextureImage image = DecodeTextureFile("rgb.png");
    EXPECT_FALSE(image.HasAlpha);
    ASSERT_EQ(image.RowBytes(), 12u);
    ASSERT_EQ(image.Pixels.size(), 24u);
    EXPECT_EQ(Texel(image, 2, 0), (TRgba{0, 0, 255, 255}));
    EXPECT_EQ(Texel(image, 0, 1), (TRgba{255, 255, 0, 255}));

    Write("rgba.png", MakePng(2, 1, TPngColour::Rgba, {10, 20, 30, 0, 40, 50, 60, 200}));
    const TTextureImage alpha = DecodeTextureFile("rgba.png");
    EXPECT_TRUE(alpha.HasAlpha);
    EXPECT_EQ(Texel(alpha, 0, 0), (TRgba{10, 20, 30, 0}));
    EXPECT_EQ(Texel(alpha, 1, 0), (TRgba{40, 50, 60, 200}));
}

TEST_F(TextureFiles, ConvertsPaletteAndGreyImagesToRgba) {
    TPngImage palette = MakePng(2, 2, TPngColour::Palette, {0, 1, 2, 1});
    palette.Palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    Write("palette.png", palette);
    const TTextureImage fromPalette = DecodeTextureFile("palette.png");
    EXPECT_TRUE(fromPalette.HasAlpha);
    EXPECT_EQ(Texel(fromPalette, 1, 0), (TRgba{0, 255, 0, 255}));
    EXPECT_EQ(Texel(fromPalette, 0, 1), (TRgba{0, 0, 255, 255}));

    Write("grey.png", MakePng(3, 1, TPngColour::Grey, {0, 100, 255}));
    const TTextureImage grey = DecodeTextureFile("grey.png");
    EXPECT_TRUE(grey.HasAlpha);
    EXPECT_EQ(Texel(grey, 1, 0), (TRgba{100, 100, 100, 255}));

    Write("greyalpha.png", MakePng(1, 1, TPngColour::GreyAlpha, {70, 30}));
    EXPECT_EQ(Texel(DecodeTextureFile("greyalpha.png"), 0, 0), (TRgba{70, 70, 70, 30}));
}

TEST(TextureSurfaces, SixteenBitAndBgrSurfacesComeOutInFileOrder) {
    // RGB565 rows 8 bytes apart: red, blue / green, white.
    std::vector<uint16_t> rgb565 = {0xf800, 0x001f, 0, 0, 0x07e0, 0xffff, 0, 0};
    SDL_Surface* wide =
        SDL_CreateRGBSurfaceFrom(rgb565.data(), 2, 2, 16, 8, 0xf800, 0x07e0, 0x001f, 0);
    ASSERT_NE(wide, nullptr);
    const TTextureImage fromWide = TextureImageFromSurface(*wide);
    SDL_FreeSurface(wide);
    EXPECT_TRUE(fromWide.HasAlpha);
    EXPECT_EQ(Texel(fromWide, 1, 0), (TRgba{0, 0, 255, 255}));
    // Six-bit green widens to 8 bits with SDL's own rounding.
    EXPECT_GE(Texel(fromWide, 0, 1)[1], 250);
    EXPECT_EQ(Texel(fromWide, 0, 1)[0] + Texel(fromWide, 0, 1)[2], 0);
    EXPECT_EQ(Texel(fromWide, 1, 1)[2], 255);

    // 24-bit with blue in the first byte of each pixel, rows 8 bytes apart.
    std::vector<uint8_t> bgr = {0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 7, 8, 9, 0, 0};
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    const Uint32 red = 0x0000ff, blue = 0xff0000;
#else
    const Uint32 red = 0xff0000, blue = 0x0000ff;
#endif
    SDL_Surface* swapped = SDL_CreateRGBSurfaceFrom(bgr.data(), 2, 2, 24, 8, red, 0xff00, blue, 0);
    ASSERT_NE(swapped, nullptr);
    const TTextureImage fromSwapped = TextureImageFromSurface(*swapped);
    SDL_FreeSurface(swapped);
    EXPECT_FALSE(fromSwapped.HasAlpha);
    EXPECT_EQ(Texel(fromSwapped, 0, 0), (TRgba{255, 0, 0, 255}));
    EXPECT_EQ(Texel(fromSwapped, 1, 0), (TRgba{0, 0, 255, 255}));
    EXPECT_EQ(Texel(fromSwapped, 1, 1), (TRgba{9, 8, 7, 255}));
}

TEST_F(TextureFiles, PaletteTransparencyBecomesAlpha) {
    TPngImage palette = MakePng(2, 1, TPngColour::Palette, {0, 1});
    palette.Palette = {255, 0, 0, 0, 255, 0};
    palette.Transparency = {0, 255};
    Write("keyed.png", palette);
    const TTextureImage image = DecodeTextureFile("keyed.png");
    EXPECT_EQ(image.Pixels[3], 0);
    EXPECT_EQ(Texel(image, 1, 0), (TRgba{0, 255, 0, 255}));
}

std::string DecodeError(const std::string& fileName) {
    try {
        DecodeTextureFile(fileName);
    } catch (const TTextureError& error) {
        return error.what();
    }
    return "no error";
}

TEST_F(TextureFiles, BadFilesRaiseClearErrors) {
    EXPECT_EQ(DecodeError("media/none.png"), "file media/none.png not found");
    Dir.WriteFile("junk.png", "\x89PNG\r\n\x1a\n but not really");
    EXPECT_EQ(DecodeError("junk.png").rfind("file junk.png cannot be decoded: ", 0), 0u);
    Dir.WriteFile("gif.png", "GIF89a and so on");
    EXPECT_EQ(DecodeError("gif.png"), "file gif.png is not a PNG image");
    Write("wide.png", MakePng(8193, 1, TPngColour::Grey, std::vector<uint8_t>(8193, 0)));
    EXPECT_EQ(DecodeError("wide.png"), "file wide.png is larger than 8192 x 8192 pixels");
    Write("widest.png", MakePng(8192, 1, TPngColour::Grey, std::vector<uint8_t>(8192, 0)));
    EXPECT_EQ(DecodeTextureFile("widest.png").Width, 8192);
}

TEST(TextureList, FindsTheFirstExactName) {
    TTextureList list;
    EXPECT_EQ(list.FindByName("font"), nullptr);
    TTexture first, second, other;
    first.SetName("font");
    second.SetName("font");
    other.SetName("Font");
    list.Add(&other);
    list.Add(&first);
    list.Add(&second);
    EXPECT_EQ(list.FindByName("font"), &first);
    EXPECT_EQ(list.FindByName("Font"), &other);
    EXPECT_EQ(list.FindByName("fon"), nullptr);
    EXPECT_EQ(list.Items(2), &second);
}

class TextureDrawing : public TextureFiles {
protected:
    TGlTestWindow Window;
};

TEST_F(TextureDrawing, EveryImageKindDrawsTheColoursOfItsFile) {
    Write("rgb.png", MakePng(3, 2, TPngColour::Rgb, Rgb3x2));
    TPngImage palette = MakePng(2, 1, TPngColour::Palette, {1, 0});
    palette.Palette = {0, 0, 255, 255, 128, 0};
    Write("palette.png", palette);
    Write("grey.png", MakePng(2, 1, TPngColour::Grey, {255, 60}));

    TTexture rgb, fromPalette, grey;
    rgb.LoadFromFile("rgb.png");
    fromPalette.LoadFromFile("palette.png");
    grey.LoadFromFile("grey.png");
    DrawOneToOne(rgb, 3, 2);
    ExpectColour(Window.Pixel(0, 0), 255, 0, 0);
    ExpectColour(Window.Pixel(2, 0), 0, 0, 255);
    ExpectColour(Window.Pixel(1, 1), 0, 255, 255);
    DrawOneToOne(fromPalette, 2, 1);
    ExpectColour(Window.Pixel(0, 0), 255, 128, 0);
    ExpectColour(Window.Pixel(1, 0), 0, 0, 255);
    DrawOneToOne(grey, 2, 1);
    ExpectColour(Window.Pixel(1, 0), 60, 60, 60);
    EXPECT_NE(Dir.ReadFile("log").find(" Loading rgb.png\n"), std::string::npos);
}

// The level-0 format and the filters of the texture bound by Bind.
GLint BoundParameter(GLenum name) {
    GLint value = 0;
    if (name == GL_TEXTURE_INTERNAL_FORMAT || name == GL_TEXTURE_WIDTH)
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    else
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

TEST_F(TextureDrawing, UploadsRgbOrRgbaWithLinearFiltering) {
    Write("rgb.png", MakePng(3, 2, TPngColour::Rgb, Rgb3x2));
    Write("rgba.png", MakePng(2, 1, TPngColour::Rgba, {0, 0, 255, 0, 0, 255, 0, 255}));
    Write("grey.png", MakePng(2, 1, TPngColour::Grey, {255, 60}));
    for (const auto& [file, format, width] :
         {std::tuple<std::string, GLint, GLint>{"rgb.png", GL_RGB, 3},
          {"rgba.png", GL_RGBA, 2},
          {"grey.png", GL_RGBA, 2}}) {
        TTexture texture;
        texture.LoadFromFile(file);
        glBindTexture(GL_TEXTURE_2D, 0);
        texture.Bind();
        EXPECT_EQ(BoundParameter(GL_TEXTURE_INTERNAL_FORMAT), format) << file;
        EXPECT_EQ(BoundParameter(GL_TEXTURE_WIDTH), width) << file;
        EXPECT_EQ(BoundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR) << file;
        EXPECT_EQ(BoundParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR) << file;
        EXPECT_EQ(BoundParameter(GL_TEXTURE_WRAP_S), GL_REPEAT) << file;
    }
}

// Loading names the texture; its pixels reach OpenGL at the first Bind, those of the last
// load when a second one came first.
TEST_F(TextureDrawing, PixelsGoUpAtTheFirstBindFromTheLastLoad) {
    Write("wide.png", MakePng(3, 2, TPngColour::Rgb, Rgb3x2));
    Write("rgba.png", MakePng(2, 1, TPngColour::Rgba, {0, 0, 255, 0, 0, 255, 0, 255}));
    TTexture texture;
    texture.LoadFromFile("wide.png");
    texture.LoadFromImage("rgba.png", DecodeTextureFile("rgba.png"));
    ASSERT_NE(texture.TextureId(), 0u);
    glBindTexture(GL_TEXTURE_2D, texture.TextureId());
    EXPECT_EQ(BoundParameter(GL_TEXTURE_WIDTH), 0) << "nothing uploaded before Bind";
    glBindTexture(GL_TEXTURE_2D, 0);
    texture.Bind();
    EXPECT_EQ(BoundParameter(GL_TEXTURE_WIDTH), 2);
    EXPECT_EQ(BoundParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    DrawOneToOne(texture, 2, 1);
    DrawOneToOne(texture, 2, 1);
    ExpectColour(Window.Pixel(1, 0), 0, 255, 0);
}

TEST_F(TextureDrawing, AlphaBlendsWhereBlendingIsOn) {
    Write("rgba.png", MakePng(2, 1, TPngColour::Rgba, {0, 0, 255, 0, 0, 255, 0, 255}));
    TTexture texture;
    texture.LoadFromFile("rgba.png");
    glColor3f(1, 0, 0);
    glRecti(0, 0, 4, 4);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawOneToOne(texture, 2, 1);
    glDisable(GL_BLEND);
    ExpectColour(Window.Pixel(0, 0), 255, 0, 0);
    ExpectColour(Window.Pixel(1, 0), 0, 255, 0);
}

TEST_F(TextureDrawing, EachLoadMakesItsOwnTextureAndFailuresKeepNone) {
    Write("rgb.png", MakePng(3, 2, TPngColour::Rgb, Rgb3x2));
    uint32_t firstId = 0;
    {
        TTexture first, second;
        first.LoadFromFile("rgb.png");
        second.LoadFromFile("rgb.png");
        firstId = first.TextureId();
        EXPECT_NE(firstId, 0u);
        EXPECT_NE(second.TextureId(), firstId);
        EXPECT_TRUE(glIsTexture(firstId));
    }
    EXPECT_FALSE(glIsTexture(firstId));

    TTexture missing;
    EXPECT_THROW(missing.LoadFromFile("media/none.png"), TTextureError);
    EXPECT_EQ(missing.TextureId(), 0u);
    EXPECT_NE(Dir.ReadFile("log").find(" Loading media/none.png\n"), std::string::npos);
}

} // namespace
