// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/mediamanagerunit.h"
#include "assets/textureunit.h"
#include "support/glwindow.h"
#include "support/process.h"
#include "support/testdir.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

const std::string MediaDir = QUELMARK_MEDIA_DIR;

// One decoded picture with RGBA pixel access.
class TPicture {
public:
    explicit TPicture(const std::string& name)
        : Image(DecodeTextureFile(MediaDir + "/" + name + ".png")) {}
    int Width() const { return Image.Width; }
    int Height() const { return Image.Height; }
    std::array<int, 4> At(int x, int y) const {
        const uint8_t* p = Image.Pixels.data() + y * Image.RowBytes() + x * Image.BytesPerPixel();
        return {p[0], p[1], p[2], Image.HasAlpha ? p[3] : 255};
    }
    int Alpha(int x, int y) const { return At(x, y)[3]; }
    double Lightness(int x, int y) const {
        const auto p = At(x, y);
        return 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
    }
    // Extremes of alpha and lightness over a texel rectangle.
    int MaxAlpha(int x0, int y0, int x1, int y1) const {
        int result = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                result = std::max(result, Alpha(x, y));
        return result;
    }
    int MinAlpha(int x0, int y0, int x1, int y1) const {
        int result = 255;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                result = std::min(result, Alpha(x, y));
        return result;
    }
    double MinLightness(int x0, int y0, int x1, int y1) const {
        double result = 255;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                result = std::min(result, Lightness(x, y));
        return result;
    }
    TTextureImage Image;
};

// A window-space rectangle of a picture the game stretches over x0..x0+w, y0..y0+h,
// converted to the texels it covers.
struct TWindowMap {
    double X0, Y0, W, H;
    int TexX(const TPicture& p, double x) const {
        return static_cast<int>(std::floor((x - X0) * p.Width() / W));
    }
    int TexY(const TPicture& p, double y) const {
        return static_cast<int>(std::floor((y - Y0) * p.Height() / H));
    }
};
const TWindowMap FullWindow{0, 0, 800, 600};
const TWindowMap HudTitle{0, -20, 200, 200};

struct TPictureSize {
    const char* Name;
    int Width, Height;
    bool Opaque = false; // written as RGB
};
void PrintTo(const TPictureSize& size, std::ostream* out) {
    *out << size.Name;
}

class PictureFiles : public ::testing::TestWithParam<TPictureSize> {};

TEST_P(PictureFiles, DecodeThroughTheGameLoaderWithAlphaAtTheirSize) {
    const TPicture picture(GetParam().Name);
    EXPECT_EQ(picture.Width(), GetParam().Width);
    EXPECT_EQ(picture.Height(), GetParam().Height);
    EXPECT_EQ(picture.Image.HasAlpha, !GetParam().Opaque);
}

const TPictureSize AllPictures[] = {
    {"loading", 256, 256},    {"intro", 1024, 1024},      {"wri", 128, 256},
    {"gameover", 1024, 1024}, {"title", 256, 256},        {"heart", 64, 64},
    {"sheep", 64, 64},        {"point", 64, 64},          {"tile1", 256, 256, true},
    {"font", 128, 128},       {"numbers", 256, 256},      {"interf3", 64, 64},
    {"interf3b", 64, 64},     {"interf4", 64, 64},        {"interf4g", 64, 64},
    {"interf6", 64, 64},      {"interftick", 64, 64},     {"demo", 512, 64},
    {"paused", 512, 256},     {"volume", 256, 64},        {"keycard", 1024, 64},
    {"scores", 512, 256},     {"gameoverhints", 512, 64}, {"gentle", 128, 32},
    {"daily", 512, 32}};
INSTANTIATE_TEST_SUITE_P(Every, PictureFiles, ::testing::ValuesIn(AllPictures),
                         [](const auto& info) { return std::string(info.param.Name); });

// Rows of a glyph of the Linux console font Lat15-VGA8, top row first, bit 7 leftmost.
struct TGlyph {
    int Code;
    std::array<uint8_t, 8> Rows;
};
void PrintTo(const TGlyph& glyph, std::ostream* out) {
    *out << "code " << glyph.Code;
}

// Texel origin of a code's cell: from code 32, 16 a row, half-way down; codes past the
// bottom edge wrap to the top (the game's textures repeat).
std::pair<int, int> GlyphCell(int code) {
    const int c = (code - 32) & 0xFF;
    return {(c % 16) * 8, ((c / 16) * 8 + 64) % 128};
}

class FontGlyphs : public ::testing::TestWithParam<TGlyph> {};

TEST_P(FontGlyphs, AreTheConsoleFontsBitmapInWhiteOnClear) {
    const TPicture font("font");
    const auto [left, top] = GlyphCell(GetParam().Code);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool set = (GetParam().Rows[y] >> (7 - x)) & 1;
            const auto p = font.At(left + x, top + y);
            EXPECT_EQ(p[3], set ? 255 : 0) << "code " << GetParam().Code << " at " << x << "," << y;
            if (set) {
                EXPECT_EQ(p[0] + p[1] + p[2], 3 * 255);
            }
        }
}

const TGlyph SampleGlyphs[] = {
    {' ', {0, 0, 0, 0, 0, 0, 0, 0}},
    {'A', {0x38, 0x6c, 0xc6, 0xfe, 0xc6, 0xc6, 0xc6, 0x00}},
    {'_', {0, 0, 0, 0, 0, 0, 0, 0xff}},
    {'|', {0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x00}},
    // Latin-1 e acute, found through the font's Unicode table (it is not glyph 233).
    {0xE9, {0x0c, 0x18, 0x7c, 0xc6, 0xfe, 0xc0, 0x7c, 0x00}}};
INSTANTIATE_TEST_SUITE_P(Sample, FontGlyphs, ::testing::ValuesIn(SampleGlyphs),
                         [](const auto& info) { return "code" + std::to_string(info.param.Code); });

TEST(Font, EveryPrintableCodeHasInkAndControlCodesNone) {
    const TPicture font("font");
    for (int code = 0; code < 256; ++code) {
        const auto [left, top] = GlyphCell(code);
        const bool printable = (code > 32 && code < 127) || code > 160;
        EXPECT_EQ(font.MaxAlpha(left, top, left + 8, top + 8) > 0, printable) << "code " << code;
    }
}

TEST(Numbers, DigitsFillTheirCellsWhiteAndNothingElse) {
    const TPicture numbers("numbers");
    for (int cell = 0; cell < 32; ++cell) {
        const int left = (cell % 8) * 32, top = (cell / 8) * 64;
        const int ink = numbers.MaxAlpha(left, top, left + 32, top + 64);
        if (cell >= 10) {
            EXPECT_EQ(ink, 0) << "cell " << cell;
            continue;
        }
        EXPECT_EQ(ink, 255) << "digit " << cell;
        // Each digit is at least 40 texels tall and stays inside its cell.
        int firstRow = 64, lastRow = -1;
        for (int y = 0; y < 64; ++y)
            if (numbers.MaxAlpha(left, top + y, left + 32, top + y + 1) > 128) {
                firstRow = std::min(firstRow, y);
                lastRow = y;
            }
        EXPECT_GE(lastRow - firstRow, 40) << "digit " << cell;
        EXPECT_EQ(numbers.MaxAlpha(left, top, left + 32, top + 1), 0) << "digit " << cell;
        EXPECT_EQ(numbers.MaxAlpha(left, top + 63, left + 32, top + 64), 0) << "digit " << cell;
    }
    // White faces with a dark rim: "0" is hollow at its centre, "8" crossed there.
    EXPECT_EQ(numbers.Alpha(16, 32), 0);
    EXPECT_EQ(numbers.Alpha(16, 64 + 32), 255);
    int white = 0, dark = 0;
    for (int x = 0; x < 32; ++x) {
        if (numbers.Alpha(x, 32) < 255) continue;
        if (numbers.Lightness(x, 32) > 250) ++white;
        if (numbers.Lightness(x, 32) < 80) ++dark;
    }
    EXPECT_GE(white, 4); // both sides of the ring
    EXPECT_GE(dark, 4);  // each side outlined inside and out
}

TEST(Intro, LeavesTheFrameRateCornerClearAndCoversTheRest) {
    const TPicture intro("intro");
    const TWindowMap& m = FullWindow;
    EXPECT_EQ(intro.MaxAlpha(0, 0, m.TexX(intro, 130), m.TexY(intro, 22)), 0);
    EXPECT_EQ(intro.MinAlpha(0, m.TexY(intro, 80), intro.Width(), intro.Height()), 255);
    EXPECT_EQ(intro.MinAlpha(m.TexX(intro, 300), 0, intro.Width(), intro.Height()), 255);
}

TEST(GameOver, IsClearOverTheNameFieldAndLightUnderTheBlackText) {
    const TPicture over("gameover");
    const TWindowMap& m = FullWindow;
    EXPECT_EQ(
        over.MaxAlpha(m.TexX(over, 300), m.TexY(over, 388), m.TexX(over, 500), m.TexY(over, 418)),
        0);
    const int rows[] = {m.TexX(over, 320), m.TexY(over, 428), m.TexX(over, 560), m.TexY(over, 550)};
    EXPECT_EQ(over.MinAlpha(rows[0], rows[1], rows[2], rows[3]), 255);
    EXPECT_GT(over.MinLightness(rows[0], rows[1], rows[2], rows[3]), 200);
    const int score[] = {m.TexX(over, 360), m.TexY(over, 300), m.TexX(over, 560),
                         m.TexY(over, 364)};
    EXPECT_EQ(over.MinAlpha(score[0], score[1], score[2], score[3]), 255);
    EXPECT_GT(over.MinLightness(score[0], score[1], score[2], score[3]), 200);
    // Outside the field the picture covers the window.
    EXPECT_EQ(over.MinAlpha(0, 0, over.Width(), m.TexY(over, 380)), 255);
}

TEST(ScoresBoard, IsLightUnderTheRowsTheGameOverScreenWrites) {
    const TPicture board("scores");
    const TWindowMap m{144, 330, 512, 256};
    const int rows[] = {m.TexX(board, 318), m.TexY(board, 428), m.TexX(board, 532),
                        m.TexY(board, 550)};
    EXPECT_EQ(board.MinAlpha(rows[0], rows[1], rows[2], rows[3]), 255);
    EXPECT_GT(board.MinLightness(rows[0], rows[1], rows[2], rows[3]), 200);
}

TEST(KeyCard, FitsBetweenTheVikingAndThePromptAndIsClearBeyond) {
    // Drawn 1:1 from (16, 394): the card may use 768 x 52, up to the prompt at y 450.
    const TPicture card("keycard");
    EXPECT_EQ(card.MaxAlpha(770, 0, card.Width(), card.Height()), 0);
    EXPECT_EQ(card.MaxAlpha(0, 54, card.Width(), card.Height()), 0);
    EXPECT_EQ(card.MinAlpha(20, 10, 740, 40), 255);
}

TEST(HudTitle, LeavesTheTextStripClearAndShowsBelowIt) {
    const TPicture title("title");
    const TWindowMap& m = HudTitle;
    EXPECT_EQ(title.MaxAlpha(m.TexX(title, 8), m.TexY(title, 8), title.Width(), m.TexY(title, 20)),
              0);
    EXPECT_EQ(
        title.MaxAlpha(m.TexX(title, 8), m.TexY(title, 30), m.TexX(title, 180), m.TexY(title, 70)),
        255);
}

TEST(LevelBanner, LiesInTheShownBandAndReachesItsRightEdge) {
    const TPicture banner("wri");
    const int top = static_cast<int>(0.3 * banner.Height()),
              bottom = static_cast<int>(0.65 * banner.Height());
    EXPECT_EQ(banner.MaxAlpha(0, 0, banner.Width(), top + 1), 0);
    EXPECT_EQ(banner.MaxAlpha(0, bottom, banner.Width(), banner.Height()), 0);
    // Opaque against the right edge across the digits' height (the middle of the band).
    const int middle = (top + bottom) / 2;
    EXPECT_EQ(banner.MinAlpha(banner.Width() - 2, middle - 20, banner.Width(), middle + 20), 255);
    // "LEVEL" in light letters on the darker ribbon.
    int light = 0;
    for (int x = 0; x < banner.Width(); ++x)
        if (banner.Alpha(x, middle) == 255 && banner.Lightness(x, middle) > 240) ++light;
    EXPECT_GT(light, 10);
}

TEST(GroundTile, IsOpaqueGrassThatRepeatsWithoutSeams) {
    const TPicture tile("tile1");
    const int n = tile.Width();
    double inner = 0, seamX = 0, seamY = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j + 1 < n; ++j)
            inner += std::abs(tile.Lightness(j, i) - tile.Lightness(j + 1, i));
        seamX += std::abs(tile.Lightness(n - 1, i) - tile.Lightness(0, i));
        seamY += std::abs(tile.Lightness(i, n - 1) - tile.Lightness(i, 0));
        const auto p = tile.At(i, i);
        EXPECT_GT(p[1], p[0]);
        EXPECT_GT(p[1], p[2]);
    }
    inner /= n - 1;
    EXPECT_LT(seamX, 1.5 * inner);
    EXPECT_LT(seamY, 1.5 * inner);
    EXPECT_EQ(tile.MinAlpha(0, 0, n, n), 255);
}

class HudIcons : public ::testing::TestWithParam<const char*> {};

TEST_P(HudIcons, AreOutlinedSilhouettesOnClear) {
    const TPicture icon(GetParam());
    // Drawn 32 x 32: two texels make one screen pixel.
    EXPECT_EQ(icon.Alpha(0, 0), 0);
    EXPECT_EQ(icon.Alpha(icon.Width() - 1, 0), 0);
    for (const int y : {icon.Height() / 2, icon.Height() * 2 / 3}) {
        int x = 0;
        while (x < icon.Width() && icon.Alpha(x, y) < 250)
            ++x;
        ASSERT_LT(x + 4, icon.Width()) << GetParam() << " row " << y;
        // The outline: about 2 screen pixels of dark before the lighter body.
        EXPECT_LT(icon.Lightness(x + 1, y), 70) << GetParam() << " row " << y;
        EXPECT_LT(icon.Lightness(x + 2, y), 70) << GetParam() << " row " << y;
        int body = x;
        while (body < icon.Width() && icon.Lightness(body, y) < 70)
            ++body;
        EXPECT_LE(body - x, 7) << GetParam() << " row " << y;
    }
}
INSTANTIATE_TEST_SUITE_P(Every, HudIcons, ::testing::Values("heart", "sheep", "point"));

class SkinFrames : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinFrames, StretchWithoutSeams) {
    const TPicture skin(GetParam());
    ASSERT_EQ(skin.Width(), 64);
    for (int i = 0; i < 48; ++i)
        for (int along = 16; along < 32; ++along) {
            // Edge cells vary only across their edge; they join the corners seamlessly.
            const int across = i;
            EXPECT_EQ(skin.At(along, across), skin.At(15, across))
                << GetParam() << " top/bottom at " << along << "," << across;
            EXPECT_EQ(skin.At(across, along), skin.At(across, 15))
                << GetParam() << " left/right at " << across << "," << along;
        }
    // Rounded outer corners.
    EXPECT_LT(skin.Alpha(0, 0), 64);
    EXPECT_LT(skin.Alpha(47, 47), 64);
    EXPECT_EQ(skin.Alpha(24, 0), 255);
}
INSTANTIATE_TEST_SUITE_P(Every, SkinFrames,
                         ::testing::Values("interf3", "interf3b", "interf4", "interf4g",
                                           "interf6"));

TEST(Skin, PanelsAreOpaqueExceptTheBarsAndDisabledOnesGrey) {
    for (const char* name : {"interf3", "interf3b", "interf4", "interf4g"})
        EXPECT_EQ(TPicture(name).Alpha(24, 24), 255) << name;
    // The bar's fill is drawn first and shows through its frame.
    EXPECT_EQ(TPicture("interf6").Alpha(24, 24), 0);
    for (const char* name : {"interf3b", "interf4g"}) {
        const TPicture skin(name);
        for (int x = 0; x < 48; ++x) {
            const auto p = skin.At(x, 24);
            EXPECT_LE(std::abs(p[0] - p[2]), 2) << name << " at " << x;
        }
    }
    // White text goes on the panels: the controls' is darker than mid-grey, the windows'
    // (labels) no lighter than mid-tone, and still lighter than the controls.
    const double control = TPicture("interf4").Lightness(24, 24);
    const double window = TPicture("interf3").Lightness(24, 24);
    EXPECT_LT(control, 128);
    EXPECT_LT(window, 160);
    EXPECT_GT(window, control + 20);
    const TPicture tick("interftick");
    EXPECT_EQ(tick.Alpha(0, 0), 0);
    EXPECT_EQ(tick.MaxAlpha(16, 16, 48, 48), 255);
}

// The game's own path: media manager, upload, and quads as the HUD draws them.
class UploadedPictures : public ::testing::Test {
protected:
    UploadedPictures() {
        std::filesystem::create_directory_symlink(MediaDir, Dir.Path() / "media");
    }
    void DrawQuad(float s0, float t0, float s1, float t1, float x, float y, float w, float h) {
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(s0, t0);
        glVertex2f(x, y);
        glTexCoord2f(s0, t1);
        glVertex2f(x, y + h);
        glTexCoord2f(s1, t0);
        glVertex2f(x + w, y);
        glTexCoord2f(s1, t1);
        glVertex2f(x + w, y + h);
        glEnd();
    }
    TTestDir Dir;
    TGlTestWindow Window{128, 128};
    TFileMediaManager Media;
};

TEST_F(UploadedPictures, EveryPictureBecomesATexture) {
    for (const auto& picture : AllPictures) {
        const TTexture* texture = Media.GetTexture(picture.Name);
        ASSERT_NE(texture, nullptr) << picture.Name;
        EXPECT_NE(texture->TextureId(), 0u) << picture.Name;
    }
}

TEST_F(UploadedPictures, GlyphsAndDigitsDrawWhereTheTextCodeExpectsThem) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor3f(1, 1, 1);
    // "A" (code 65): column 1, row 2 of the grid, 8 x 8 at (0, 0).
    Media.GetTexture("font")->Bind();
    DrawQuad(1 / 16.0f, 0.5f + 2 / 16.0f, 2 / 16.0f, 0.5f + 3 / 16.0f, 0, 0, 8, 8);
    // Digit "8": second row, first cell, 32 x 64 at (40, 0).
    Media.GetTexture("numbers")->Bind();
    DrawQuad(0, 0.25f, 0.125f, 0.5f, 40, 0, 32, 64);
    const std::array<uint8_t, 8> a = {0x38, 0x6c, 0xc6, 0xfe, 0xc6, 0xc6, 0xc6, 0x00};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(Window.Pixel(x, y)[0], (a[y] >> (7 - x)) & 1 ? 255 : 0) << x << "," << y;
    EXPECT_GT(Window.Pixel(56, 32)[0], 200); // the crossing in the middle of the 8
    EXPECT_EQ(Window.Pixel(56, 1)[0], 0);    // clear above it
}

// Another font would change every picture with text: the generator refuses to go on.
TEST(Generator, StopsWhenTheTextFontIsMissing) {
    const TTestDir dir;
    dir.WriteFile("fonts.conf", "<?xml version=\"1.0\"?><fontconfig><cachedir>" +
                                    (dir.Path() / "cache").string() + "</cachedir></fontconfig>");
    const std::string output = RunCommand(
        "FONTCONFIG_FILE='" + (dir.Path() / "fonts.conf").string() +
        "' ASAN_OPTIONS=detect_leaks=0 '" QUELMARK_MEDIAGEN "' out 2>&1; echo \"status $?\"");
    EXPECT_NE(output.find("DejaVu Sans Bold is missing"), std::string::npos) << output;
    EXPECT_NE(output.find("status 1"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "out" / "intro.png"));
}

} // namespace
