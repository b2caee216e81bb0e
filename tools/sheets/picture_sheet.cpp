// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Contact sheet of every generated picture, drawn through the game's texture loader, media
// manager and text procedures, and placed as the screens place them.
//   xvfb-run -a -s "-screen 0 1280x1024x24" picture_sheet sheet.bmp
//   convert sheet.bmp -resize 80% docs/pictures.png
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiextraunit.h"
#include "gui/guiunit.h"
#include "gui/simpleguidrawerunit.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int SheetWidth = 1200, SheetHeight = 1010;

class TSheet {
public:
    explicit TSheet(TFileMediaManager& media) : FMedia(media) {}
    TFileMediaManager& Media() const { return FMedia; }

    void Bind(const char* name) const {
        TTexture* texture = FMedia.GetTexture(name);
        if (texture == nullptr) throw std::runtime_error(std::string("no picture ") + name);
        texture->Bind();
    }
    // The whole texture, or the part (s, t, ds, dt), over a rectangle in white.
    void Picture(const char* name, float x, float y, float w, float h, float s = 0, float t = 0,
                 float ds = 1, float dt = 1) const {
        Bind(name);
        glColor3f(1, 1, 1);
        DrawTexturePiece(x, y, w, h, s, t, ds, dt);
    }
    void Label(int x, int y, const std::string& text) const {
        Bind("font");
        glColor3f(0, 0, 0);
        DrawText(x, y, text);
    }
    static void Fill(float x, float y, float w, float h, float r, float g, float b) {
        glDisable(GL_TEXTURE_2D);
        DrawTexturedRect(x, y, w, h, r, g, b);
        glEnable(GL_TEXTURE_2D);
    }
    static void Clip(int x, int y, int w, int h) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, SheetHeight - y - h, w, h);
    }
    static void NoClip() { glDisable(GL_SCISSOR_TEST); }

private:
    TFileMediaManager& FMedia;
};

// The intro and game-over screens at 60 %, drawn in window coordinates as the game does.
void Screens(const TSheet& sheet) {
    // Behind both screens the game's clear colour, the pale sky.
    TSheet::Fill(10, 20, 480, 360, 0.7f, 1, 1);
    TSheet::Fill(500, 20, 480, 360, 0.7f, 1, 1);
    glPushMatrix();
    glTranslatef(10, 20, 0);
    glScalef(0.6f, 0.6f, 1);
    sheet.Label(10, 10, "FPS: 60");
    sheet.Picture("intro", 0, 0, 800, 600);
    glPopMatrix();
    sheet.Label(10, 384, "intro (60 %)");

    glPushMatrix();
    glTranslatef(500, 20, 0);
    glScalef(0.6f, 0.6f, 1);
    // The name entry as the game-over screen builds and draws it.
    TUiDesktop desktop;
    auto* edit = desktop.Add(std::make_unique<TUiEdit>());
    edit->SetWidth(200);
    edit->SetHeight(16);
    edit->Top = 400;
    edit->Left = 300;
    edit->Text = "Astrid";
    edit->SetFocus();
    auto* prompt = desktop.Add(std::make_unique<TUiLabel>());
    prompt->Caption = "Insert your name!";
    prompt->SetWidth(200);
    prompt->SetHeight(8);
    prompt->Top = 390;
    prompt->Left = 300;
    simpleguidrawerunit::TGuiDrawer(sheet.Media()).Draw(desktop);
    sheet.Picture("gameover", 0, 0, 800, 600);
    DrawNumbers(360, 300, "1250", 1);
    sheet.Bind("font");
    simpleguidrawerunit::DrawText(350, 430, "*HIGHSCORES*");
    const char* rows[][2] = {{"1250", "Astrid"}, {"860", "Bjorn"}, {"415", "Sigrun"}};
    for (int i = 0; i < 3; ++i) {
        simpleguidrawerunit::DrawText(320, 450 + 10 * i, rows[i][0]);
        simpleguidrawerunit::DrawText(390, 450 + 10 * i, rows[i][1]);
    }
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
    sheet.Label(500, 384, "gameover (60 %, name field and table as the game draws them)");

    sheet.Picture("loading", 990, 20, 200, 200);
    sheet.Label(990, 224, "loading (80 %)");
    sheet.Picture("paused", 990, 244, 200, 100);
    sheet.Label(990, 348, "paused (39 %)");
    sheet.Picture("demo", 990, 364, 200, 25);
    sheet.Label(990, 393, "demo (39 %)");
}

// The HUD corners over grass, the level-start banner, the tile and the glyph grid, 1:1.
void Hud(const TSheet& sheet) {
    TSheet::Clip(10, 410, 260, 200);
    for (int x = 0; x < 260; x += 128)
        for (int y = 0; y < 200; y += 128)
            sheet.Picture("tile1", 10 + x, 410 + y, 128, 128);
    glPushMatrix();
    glTranslatef(10, 410, 0);
    sheet.Label(10, 10, "FPS: 60");
    sheet.Label(100, 10, "TIME: 01:23");
    sheet.Picture("title", 0, -20, 200, 200);
    glPopMatrix();
    TSheet::NoClip();
    sheet.Label(10, 614, "title over the HUD text");

    TSheet::Fill(280, 410, 300, 120, 0.7f, 1, 1);
    sheet.Picture("wri", 290, 420, 140, 70, 0, 0.3f, 1, 0.35f);
    DrawNumbers(430, 420, "3", 1);
    sheet.Label(320, 505, "Press space to start!");
    sheet.Label(280, 534, "wri band and level digits");

    TSheet::Clip(280, 550, 300, 110);
    for (int x = 0; x < 300; x += 128)
        sheet.Picture("tile1", 280 + x, 550, 128, 128);
    TSheet::NoClip();
    const char* icons[] = {"heart", "sheep", "point"};
    const char* values[] = {"5", "12", "340"};
    for (int i = 0; i < 3; ++i) {
        sheet.Picture(icons[i], 290, 555 + 36 * i, 32, 32);
        DrawNumbers(330, 555 + 36 * i, values[i], 0.5f);
    }
    sheet.Picture("heart", 430, 560, 64, 64);
    sheet.Picture("sheep", 500, 560, 64, 64);
    sheet.Label(410, 640, "icons 32 and 64");

    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y)
            sheet.Picture("tile1", 590 + 64 * x, 410 + 64 * y, 64, 64);
    sheet.Label(590, 542, "tile1, 2 x 2 at 25 %");
    sheet.Picture("volume", 590, 560, 256, 64);
    sheet.Label(590, 628, "volume");

    TSheet::Fill(856, 410, 256, 256, 0.15f, 0.15f, 0.2f);
    sheet.Picture("font", 856, 410, 256, 256);
    sheet.Label(856, 670, "font (2x; Latin-1 160-255 wrap to the top)");
}

// Digits, raw skin pictures and widgets framed with them.
void Skins(const TSheet& sheet) {
    TSheet::Fill(10, 690, 256, 192, 0.15f, 0.15f, 0.2f);
    sheet.Picture("numbers", 10, 690, 256, 192, 0, 0, 1, 0.75f);
    sheet.Label(10, 886, "numbers (top three rows)");

    const char* skins[] = {"interf3", "interf3b", "interf4", "interf4g", "interf6", "interftick"};
    for (int i = 0; i < 6; ++i) {
        TSheet::Fill(280 + 70 * (i % 3), 690 + 90 * (i / 3), 64, 64, 0.5f, 0.5f, 0.5f);
        sheet.Picture(skins[i], 280 + 70 * (i % 3), 690 + 90 * (i / 3), 64, 64);
        sheet.Label(280 + 70 * (i % 3), 756 + 90 * (i / 3), skins[i]);
    }

    // Windows of widgets drawn by the textured skin's drawer.
    TUiDesktop desktop;
    const auto window = [&](int x, int y, const char* title, bool enabled) {
        auto* w = desktop.Add(std::make_unique<TUiWindow>());
        w->Left = x;
        w->Top = y;
        w->SetWidth(330);
        w->SetHeight(190);
        w->MarginLeft = 12;
        w->MarginTop = 24;
        w->Title = title;
        w->Enabled = enabled;
        return w;
    };
    const auto add = [](TUiWindow* w, auto widget, int x, int y, int width, int height) {
        widget->Left = x;
        widget->Top = y;
        widget->SetWidth(width);
        widget->SetHeight(height);
        return w->Add(std::move(widget));
    };
    TUiWindow* active = window(510, 690, "Window", true);
    add(active, std::make_unique<TUiButton>(), 0, 0, 96, 32)->Caption = "Button";
    auto* focused = add(active, std::make_unique<TUiButton>(), 102, 0, 96, 32);
    focused->Caption = "Focused";
    auto* disabled = add(active, std::make_unique<TUiButton>(), 204, 0, 96, 32);
    disabled->Caption = "Disabled";
    disabled->Enabled = false;
    add(active, std::make_unique<TUiEdit>(), 0, 42, 300, 32)->Text = "Edit field";
    auto* check = add(active, std::make_unique<TUiCheckBox>(), 0, 86, 32, 32);
    check->Caption = "Check";
    check->Checked = true;
    auto* bar = add(active, std::make_unique<TUiBar>(), 110, 86, 190, 32);
    bar->Position = 60;
    focused->SetFocus();
    TUiWindow* inactive = window(860, 690, "Disabled window", false);
    add(inactive, std::make_unique<TUiButton>(), 0, 0, 96, 32)->Enabled = false;
    TGuiDrawer(sheet.Media()).Draw(desktop);
}

// What a newcomer is shown: the level-1 key card and the table seen from the title.
void Guides(const TSheet& sheet) {
    TSheet::Fill(10, 905, 400, 40, 0.7f, 1, 1);
    sheet.Picture("keycard", 18, 912, 384, 26, 0, 0, 0.75f, 52 / 64.0f);
    sheet.Label(10, 950, "keycard (50 %, level 1 only; the game adds its keys)");
    sheet.Picture("scores", 430, 900, 200, 100);
    sheet.Label(640, 940, "scores (39 %, the table over the title)");
}

void SaveBmp(const char* path) {
    std::vector<unsigned char> pixels(SheetWidth * SheetHeight * 3), flipped(pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, SheetWidth, SheetHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    const size_t row = SheetWidth * 3;
    for (int y = 0; y < SheetHeight; ++y)
        std::copy_n(pixels.data() + (SheetHeight - 1 - y) * row, row, flipped.data() + y * row);
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceFrom(flipped.data(), SheetWidth, SheetHeight, 24, static_cast<int>(row),
                                 0x0000FF, 0x00FF00, 0xFF0000, 0);
    const int status = surface ? SDL_SaveBMP(surface, path) : -1;
    SDL_FreeSurface(surface);
    if (status != 0) throw std::runtime_error(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_sheet OUT.bmp\n");
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[1]);
    try {
        if (SDL_Init(SDL_INIT_VIDEO) < 0 ||
            SDL_SetVideoMode(SheetWidth, SheetHeight, 0, SDL_OPENGL | SDL_DOUBLEBUF) == nullptr)
            throw std::runtime_error(std::string("no OpenGL window: ") + SDL_GetError());
        // The media manager reads media/ under the working directory.
        std::filesystem::current_path(std::filesystem::path(QUELMARK_MEDIA_DIR).parent_path());
        TFileMediaManager media;
        Global.MediaManager = &media;
        glViewport(0, 0, SheetWidth, SheetHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, SheetWidth, SheetHeight, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glClearColor(0.93f, 0.93f, 0.9f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        const TSheet sheet(media);
        Screens(sheet);
        Hud(sheet);
        Skins(sheet);
        Guides(sheet);
        SaveBmp(out.c_str());
        Global.MediaManager = nullptr;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "picture_sheet: %s\n", error.what());
        SDL_Quit();
        return 1;
    }
    SDL_Quit();
    return 0;
}
