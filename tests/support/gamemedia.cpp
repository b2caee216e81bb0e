// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/gamemedia.h"

#include "assets/glmeshunit.h"
#include "assets/meshunit.h"
#include "assets/modelunit.h"
#include "assets/streamunit.h"
#include "support/testdir.h"

#include <cstdlib>
#include <sstream>

TPngImage SolidPicture(int width, int height, TRgba colour) {
    TPngImage image;
    image.Width = width;
    image.Height = height;
    image.Colour = TPngColour::Rgba;
    for (int i = 0; i < width * height; ++i)
        image.Pixels.insert(image.Pixels.end(), colour.begin(), colour.end());
    return image;
}

void WritePicture(const TTestDir& dir, const std::string& name, const TPngImage& image) {
    dir.WriteFile("media/" + name + ".png", EncodePng(image));
}

uint8_t GlyphAlpha(uint8_t code) {
    // Codes 32..127 spread over alpha 64..254, two steps apart.
    return static_cast<uint8_t>(64 + 2 * (code - 32));
}

uint8_t GlyphFromGrey(uint8_t grey) {
    for (int code = 32; code < 128; ++code)
        if (std::abs((255 - GlyphAlpha(static_cast<uint8_t>(code))) - grey) <= 1)
            return static_cast<uint8_t>(code);
    return 0;
}

TPngImage CodedFont() {
    TPngImage image = SolidPicture(128, 128, {0, 0, 0, 0});
    for (int code = 32; code < 128; ++code) {
        const int c = code - 32;
        const int left = c % 16 * 8;
        const int top = 64 + c / 16 * 8;
        for (int y = top; y < top + 8; ++y)
            for (int x = left; x < left + 8; ++x)
                image.Pixels[(static_cast<size_t>(y) * 128 + x) * 4 + 3] =
                    GlyphAlpha(static_cast<uint8_t>(code));
    }
    return image;
}

TRgba DigitColour(int digit) {
    return {static_cast<uint8_t>(20 + 23 * digit), static_cast<uint8_t>(230 - 20 * digit),
            static_cast<uint8_t>(digit % 2 == 0 ? 40 : 200), 255};
}

TPngImage CodedNumbers() {
    TPngImage image = SolidPicture(256, 256, {0, 0, 0, 0});
    for (int digit = 0; digit < 10; ++digit) {
        const TRgba colour = DigitColour(digit);
        const int left = digit % 8 * 32;
        const int top = digit / 8 * 64;
        for (int y = top; y < top + 64; ++y)
            for (int x = left; x < left + 32; ++x)
                for (int k = 0; k < 4; ++k)
                    image.Pixels[(static_cast<size_t>(y) * 256 + x) * 4 + k] = colour[k];
    }
    return image;
}

std::unique_ptr<TMesh> BoxMesh(const std::string& name, float half, float height) {
    const float corner[8][3] = {{-half, 0, -half},    {half, 0, -half},       {half, 0, half},
                                {-half, 0, half},     {-half, height, -half}, {half, height, -half},
                                {half, height, half}, {-half, height, half}};
    // Two triangles per side with its outward normal.
    const int quads[6][4] = {{0, 1, 2, 3}, {4, 7, 6, 5}, {0, 4, 5, 1},
                             {1, 5, 6, 2}, {2, 6, 7, 3}, {3, 7, 4, 0}};
    const float normals[6][3] = {{0, -1, 0}, {0, 1, 0}, {0, 0, -1},
                                 {1, 0, 0},  {0, 0, 1}, {-1, 0, 0}};
    std::ostringstream xml;
    xml << "<MESH><NAME>" << name << "</NAME><FACECOUNT>12</FACECOUNT><POINTCOUNT>8</POINTCOUNT>"
        << "<POINTS>";
    for (int i = 0; i < 8; ++i)
        xml << "<VERTEX id=\"" << i << "\"><X>" << corner[i][0] << "</X><Y>" << corner[i][1]
            << "</Y><Z>" << corner[i][2] << "</Z></VERTEX>";
    xml << "</POINTS><FACES>";
    int face = 0;
    for (int q = 0; q < 6; ++q)
        for (const auto& tri : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
            xml << "<FACE id=\"" << face++ << "\"><A>" << quads[q][tri[0]] << "</A><B>"
                << quads[q][tri[1]] << "</B><C>" << quads[q][tri[2]] << "</C><NX>" << normals[q][0]
                << "</NX><NY>" << normals[q][1] << "</NY><NZ>" << normals[q][2]
                << "</NZ><SMOOTH>0</SMOOTH></FACE>";
        }
    xml << "</FACES></MESH>";
    TMemoryStream stream(xml.str());
    std::unique_ptr<TMesh> mesh = CreateMesh(GlMeshKind());
    mesh->LoadFromStream(stream);
    return mesh;
}

void UseMeshModel(TRealTimeModel& model, TMesh& mesh, float r, float g, float b) {
    TModel source;
    source.Root->Element.ElementType = geMesh;
    source.Root->Element.Mesh = &mesh;
    source.Root->Color = {r, g, b};
    model.Init(source);
}
