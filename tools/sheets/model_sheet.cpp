// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// model_sheet [FOLDER]: draws every model in every animation at several phases through the
// game's own model drawing, GL state and light, one grid per model, and writes
// FOLDER/models-<model>.png (docs/ of the source tree by default). Needs a display (xvfb-run)
// and ImageMagick's convert for the PNG.
#include "app/mainunit.h"
#include "app/screenunit.h"
#include "assets/mediamanagerunit.h"
#include "assets/modelunit.h"
#include "assets/textureunit.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int Cell = 200;
constexpr int PlayWidth = 800, PlayHeight = 600;
constexpr int Phases = 6;

struct TSheet {
    std::string Model;
    double TargetY;  // the height the camera looks at
    double Distance; // camera offset along each axis, as in play (20, 20, 20) but nearer
    bool FenceCorner;
};

const std::vector<TSheet> Sheets{{"viking_weapon", 1.8, 4.6, false},
                                 {"sheep", 1.0, 3.0, false},
                                 {"ram", 1.0, 3.0, false},
                                 {"tree1", 3.8, 8.0, false},
                                 {"fence", 0.6, 5.5, true}};

struct TImage {
    int Width, Height;
    std::vector<unsigned char> Rgb;
};

// Grass from lo to hi in x and z: the field in play, the whole view behind single models.
void DrawGround(float lo = -60, float hi = 60) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0x6D / 255.0f, 0xBE / 255.0f, 0x45 / 255.0f);
    glBegin(GL_QUADS);
    glVertex3f(lo, 0, hi);
    glVertex3f(hi, 0, hi);
    glVertex3f(hi, 0, lo);
    glVertex3f(lo, 0, lo);
    glEnd();
    glEnable(GL_LIGHTING);
    SetMaterialColorF(1, 1, 1);
}

// The field's corner at the origin, pieces placed as the play screen places them.
void DrawFenceCorner(const TRealTimeModel& fence, int pieces) {
    glPushMatrix();
    glTranslatef(0, 0, 2);
    for (int i = 0; i < pieces; ++i) {
        fence.Render();
        glTranslatef(0, 0, 4);
    }
    glPopMatrix();
    glPushMatrix();
    glTranslatef(2, 0, 0);
    glRotatef(-90, 0, 1, 0);
    for (int i = 0; i < pieces; ++i) {
        fence.Render();
        glTranslatef(0, 0, -4);
    }
    glPopMatrix();
}

// Phases spread over the run; an attack shows its blow at the trigger, a death its held end.
std::vector<float> PhasesOf(const TRealTimeModel& model, int animation) {
    std::vector<float> phases;
    for (int i = 0; i < Phases; ++i)
        phases.push_back(static_cast<float>(i) / Phases);
    const int trigger = model.Animations[animation].TriggerTime;
    bool hasTrigger = false;
    for (const auto& key : model.Animations[animation].Keys)
        hasTrigger = hasTrigger || (key.Time == trigger && trigger != 50);
    if (hasTrigger) phases[3] = trigger / 100.0f;
    if (animation == 4) phases.back() = 0.999999f;
    return phases;
}

void DrawCell(const TSheet& sheet, TRealTimeModel& model, int animation, float phase) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const double d = sheet.Distance;
    const double cx = sheet.FenceCorner ? 3 : 0, cz = sheet.FenceCorner ? 3 : 0;
    gluLookAt(cx + d, sheet.TargetY + d, cz + d, cx, sheet.TargetY, cz, 0, 1, 0);
    DrawGround();
    glDisable(GL_TEXTURE_2D);
    if (sheet.FenceCorner) {
        DrawFenceCorner(model, 3);
        return;
    }
    model.Animate(animation, phase);
    model.Render();
}

// The lower left width x height pixels of the frame, top row first, into the image at (x, y).
void CopyFrame(TImage& image, int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = &pixels[static_cast<size_t>(height - 1 - row) * width * 3];
        unsigned char* to = &image.Rgb[(static_cast<size_t>(y + row) * image.Width + x) * 3];
        std::copy(from, from + width * 3, to);
    }
}

// One entity as the play screen draws it: posed, placed at (x, z), turned by the heading.
struct TActor {
    TRealTimeModel* Model;
    float X, Z, Heading; // heading in degrees
    int Animation;
    float Phase;
};

// The field's grass tiles as the play screen lays them; plain grass without the picture.
void DrawField(TGenericMediaManager& media) {
    TTexture* tile = media.GetTexture("tile1");
    if (tile == nullptr) {
        DrawGround(0, 48);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    tile->Bind();
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
            const float x0 = 4.0f * i, z0 = 4.0f * j;
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(0, 0);
            glVertex3f(x0, 0, z0);
            glTexCoord2f(0, 1);
            glVertex3f(x0, 0, z0 + 4);
            glTexCoord2f(1, 0);
            glVertex3f(x0 + 4, 0, z0);
            glTexCoord2f(1, 1);
            glVertex3f(x0 + 4, 0, z0 + 4);
            glEnd();
        }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    SetMaterialColorF(1, 1, 1);
}

// A corner of the field as the play camera sees it, from (20, 20, 20) away.
TImage DrawPlayView(TScreen& screen, TGenericMediaManager& media, TRealTimeModel& fence,
                    const std::vector<TActor>& actors) {
    screen.SetPerspective(PlayWidth, PlayHeight, 500);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const float tx = 9, tz = 9;
    gluLookAt(tx + 20, 20, tz + 20, tx, 0, tz, 0, 1, 0);
    DrawField(media);
    glDisable(GL_TEXTURE_2D);
    DrawFenceCorner(fence, 12);
    for (const TActor& actor : actors) {
        actor.Model->Animate(actor.Animation, actor.Phase);
        glPushMatrix();
        glTranslatef(actor.X, 0, actor.Z);
        glRotatef(actor.Heading, 0, 1, 0);
        actor.Model->Render();
        glPopMatrix();
    }
    TImage image{PlayWidth, PlayHeight, {}};
    image.Rgb.resize(static_cast<size_t>(PlayWidth) * PlayHeight * 3);
    CopyFrame(image, 0, 0, PlayWidth, PlayHeight);
    screen.SetPerspective(Cell, Cell, 500);
    return image;
}

bool WritePng(const TImage& image, const fs::path& file) {
    const fs::path ppm = fs::temp_directory_path() / ("quelmark-" + file.stem().string() + ".ppm");
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << image.Width << ' ' << image.Height << "\n255\n";
        out.write(reinterpret_cast<const char*>(image.Rgb.data()),
                  static_cast<std::streamsize>(image.Rgb.size()));
        if (!out) return false;
    }
    // A small palette keeps the committed pictures small; the toy colours survive it.
    const std::string command =
        "convert '" + ppm.string() + "' -colors 128 -strip 'PNG8:" + file.string() + "'";
    const bool written = std::system(command.c_str()) == 0;
    fs::remove(ppm);
    return written;
}

// Every animation of one model, a row each, at several phases.
TImage DrawSheet(const TSheet& sheet, TRealTimeModel& model) {
    const int rows = std::max<int>(1, static_cast<int>(model.Animations.size()));
    // The fence does not move: one view of a corner says it all.
    const int columns = sheet.FenceCorner ? 1 : Phases;
    TImage image{Cell * columns, Cell * rows, {}};
    image.Rgb.resize(static_cast<size_t>(image.Width) * image.Height * 3);
    for (int row = 0; row < rows; ++row) {
        const auto phases =
            model.Animations.empty() ? std::vector<float>(Phases, 0.0f) : PhasesOf(model, row);
        for (int column = 0; column < columns; ++column) {
            DrawCell(sheet, model, row, phases[column]);
            CopyFrame(image, column * Cell, row * Cell, Cell, Cell);
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path folder =
        fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::path(QUELMARK_SOURCE_DIR) / "docs");
    // The game reads "media/" under the working directory; a scratch one links to the build's.
    const fs::path work = fs::temp_directory_path() / "quelmark-model-sheet";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::create_directories(folder);
    fs::create_directory_symlink(QUELMARK_MEDIA_DIR, work / "media");
    fs::current_path(work);

    TScreen screen("Quelmark model sheet", PlayWidth, PlayHeight, 24, false, 500);
    if (!screen.Open()) {
        std::cerr << "model_sheet: no window: " << SDL_GetError() << '\n';
        return 1;
    }
    TProg prog({});
    prog.SetupOpenGl(); // the game's GL state and its light
    screen.SetPerspective(Cell, Cell, 500);
    int status = 0;
    const auto write = [&](const TImage& image, const std::string& name) {
        const fs::path file = folder / ("models-" + name + ".png");
        if (WritePng(image, file)) {
            std::cout << file.string() << '\n';
        } else {
            std::cerr << "model_sheet: cannot write " << file.string() << '\n';
            status = 1;
        }
    };
    {
        TFileMediaManager media;
        std::map<std::string, TRealTimeModel> models;
        for (const TSheet& sheet : Sheets) {
            TRealTimeModel& model = models[sheet.Model];
            model.LoadFromFile("media/" + sheet.Model + ".model", media);
            write(DrawSheet(sheet, model), sheet.Model);
        }
        write(DrawPlayView(screen, media, models["fence"],
                           {{&models["tree1"], 4, 5, 0, 0, 0.3f},
                            {&models["sheep"], 14, 5, 250, 0, 0.35f},
                            {&models["sheep"], 12, 9.5f, 200, 1, 0.2f},
                            {&models["sheep"], 5, 14, 120, 4, 0.999999f},
                            {&models["ram"], 16, 12, 280, 2, 0.6f},
                            {&models["viking_weapon"], 11, 13, 100, 2, 0.6f},
                            {&models["ram"], 7, 18, 160, 1, 0.6f}}),
              "in-play");
    }
    screen.Close();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return status;
}
