// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// layout_sheet [FOLDER]: loads docs/gui-layout.xml (every widget kind), adds what only code
// can set (focus, a list selection, multi-tracker cursors, an image, an error window) and
// draws it at 800 x 600 with the game's GL state in both skins through the game's own
// drawers: FOLDER/gui-flat.png and FOLDER/gui-textured.png (docs/ of the source tree by
// default). The textured skin is skipped while its pictures are missing from the media.
// Needs a display (xvfb-run) and ImageMagick's convert for the PNG.
#include "app/mainunit.h"
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiextraunit.h"
#include "gui/guiunit.h"
#include "gui/simpleguidrawerunit.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int Width = 800, Height = 600;

template <class T> T& Find(TUiDesktop& desktop, const std::string& name) {
    auto* widget = dynamic_cast<T*>(desktop.FindByName(name));
    if (widget == nullptr) throw std::runtime_error("gui-layout.xml has no " + name);
    return *widget;
}

// The layout plus what a program sets by code.
void BuildDesktop(TUiDesktop& desktop, TGenericMediaManager& media) {
    if (!LoadLayoutFile(desktop, std::string(QUELMARK_SOURCE_DIR) + "/docs/gui-layout.xml"))
        throw std::runtime_error("gui-layout.xml names a kind that does not exist (see log)");
    Find<TUiList>(desktop, "Levels").ItemIndex = 1;
    auto& range = Find<TUiMultiTracker>(desktop, "Range");
    for (int32_t position : {85, 50, 20})
        range.AddCursor().Position = position;
    range.Selected = 0;
    if (TTexture* heart = media.GetTexture("heart"))
        Find<TUiImage>(desktop, "Picture").Texture = heart->TextureId();
    auto error = std::make_unique<TUiErrorWindow>("The error window: Close removes it");
    error->Left = 480;
    error->Top = 380;
    desktop.ShowModal(std::move(error));
    Find<TUiEdit>(desktop, "Name").SetFocus(); // showing a window modally clears the focus
}

// The back buffer as a PNG through a binary PPM; false when either step fails.
bool SaveFrame(const fs::path& file) {
    std::vector<unsigned char> rgb(static_cast<size_t>(Width) * Height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const fs::path ppm = fs::temp_directory_path() / ("quelmark-" + file.stem().string() + ".ppm");
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << Width << ' ' << Height << "\n255\n";
        // OpenGL's rows run bottom to top.
        for (int row = Height - 1; row >= 0; --row)
            out.write(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(row) * Width * 3]),
                      Width * 3);
        if (!out) return false;
    }
    const std::string command = "convert '" + ppm.string() + "' -strip '" + file.string() + "'";
    const bool written = std::system(command.c_str()) == 0;
    fs::remove(ppm);
    return written;
}

// One frame drawn by a drawer of either skin, saved to file.
template <class Drawer> bool DrawSkin(Drawer& drawer, TUiDesktop& desktop, const fs::path& file) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BeginOverlay2D(Width, Height);
    drawer.Draw(desktop);
    EndOverlay2D();
    if (!SaveFrame(file)) {
        std::cerr << "layout_sheet: cannot write " << file.string() << '\n';
        return false;
    }
    std::cout << file.string() << '\n';
    return true;
}

bool HasTexturedSkin() {
    for (const char* name :
         {"font", "interf3", "interf3b", "interf4", "interf4g", "interf6", "interftick"})
        if (!fs::exists(fs::path("media") / (std::string(name) + ".png"))) return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path folder =
        fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::path(QUELMARK_SOURCE_DIR) / "docs");
    // The game reads "media/" under the working directory; a scratch one links to the build's.
    const fs::path work = fs::temp_directory_path() / "quelmark-layout-sheet";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::create_directories(folder);
    fs::create_directory_symlink(QUELMARK_MEDIA_DIR, work / "media");
    fs::current_path(work);

    TScreen screen("Quelmark layout sheet", Width, Height, 24, false, 500);
    if (!screen.Open()) {
        std::cerr << "layout_sheet: no window: " << SDL_GetError() << '\n';
        return 1;
    }
    TProg prog({});
    prog.SetupOpenGl(); // the game's GL state: blending, texturing, culling
    glClearColor(0.30f, 0.42f, 0.36f, 1);
    bool ok = true;
    try {
        TFileMediaManager media;
        Global.MediaManager = &media;
        TUiDesktop desktop;
        BuildDesktop(desktop, media);
        simpleguidrawerunit::TGuiDrawer flat(media);
        ok = DrawSkin(flat, desktop, folder / "gui-flat.png");
        if (HasTexturedSkin()) {
            TGuiDrawer textured(media);
            ok = DrawSkin(textured, desktop, folder / "gui-textured.png") && ok;
        } else {
            std::cerr << "layout_sheet: skin pictures missing, textured skin skipped\n";
        }
        Global.MediaManager = nullptr;
    } catch (const std::exception& error) {
        std::cerr << "layout_sheet: " << error.what() << '\n';
        ok = false;
    }
    screen.Close();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return ok ? 0 : 1;
}
