// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The textured skin: bitmap-font text without colour or binding, nine-slice frames, and the
// drawer that renders a desktop with skin pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

constexpr int32_t CharWidth = 8;
constexpr int32_t CharHeight = 8;

// A point of a texture, 0..1 across (S) and down (T).
struct TTexCoord {
    float S;
    float T;
};

// Top-left corner of a glyph cell in the 128-texel font texture.
TTexCoord GlyphOrigin(uint8_t ch);

// One triangle strip over the pixel rectangle (x, y, w, h) showing the texture rectangle from
// (s, t) to (s + ds, t + dt), each texture coordinate given before its vertex.
void DrawTexturePiece(float x, float y, float w, float h, float s, float t, float ds, float dt);

// Where the overlay is scaled by a fraction and its small pictures are filtered smoothly, a
// cell of the font or the digits is read from half a texel inside its edges, so that the
// filter never blends in the neighbouring cell; elsewhere cells are read whole.
void SetSmoothCells(bool smooth);
bool SmoothCells();
// How far inside a cell of ds x dt of the texture, width x height texels, reading starts.
TTexCoord CellInset(float ds, float dt, float width, float height);

// One 8x8 glyph with its top-left corner at (x, y), from the bound texture in the
// current colour.
void DrawChar(int32_t x, int32_t y, uint8_t ch);
// The bytes of s advancing by CharWidth - 1; the caller binds "font" and sets the colour.
void DrawText(int32_t x, int32_t y, const std::string& s);

// One skin tile: the pixel rectangle with the texture square from (s, t) to
// (s + 0.25, t + 0.25).
void DrawTile(int32_t x, int32_t y, int32_t w, int32_t h, float s, float t);
// Nine-slice frame of the bound skin over the rectangle: 16-pixel corners, stretched edges
// and centre. Under 32 pixels across or down the corners get half each and the edges none.
void DrawFrame(int32_t x, int32_t y, int32_t w, int32_t h);

class TUiBar;
class TUiEdit;
class TUiWidget;
class TUiContainer;
// Children from index first to the last, drawn by draw with the model-view moved to the
// container's inner origin (and back afterwards), so nesting accumulates.
void DrawInside(const TUiContainer& container, int32_t first,
                const std::function<void(TUiWidget&)>& draw);

// Width of a bar's fill quad: none when nothing is reached or the bar has no range.
std::optional<int32_t> BarFillWidth(const TUiBar& bar);
// The "position/max" text of a bar.
std::string BarPositionText(const TUiBar& bar);
// What an edit shows: its text or one "*" per byte, and "_" as the cursor while focused.
std::string ShownEditText(const TUiEdit& edit);

class TGenericMediaManager;
class TUiDesktop;
class TUiWindow;
class TUiButton;
class TUiLayered;
class TUiPage;
class TUiList;
class TUiTracker;
class TUiImage;
class TUiLabel;
class TUiCheckBox;

class TAbstractGuiDrawer {
public:
    virtual ~TAbstractGuiDrawer() = default;
    virtual void Draw(TUiDesktop& desktop) = 0;
};

// Draws with 2-D texturing on, as the game keeps it, and leaves it so.
class TGuiDrawer : public TAbstractGuiDrawer {
public:
    explicit TGuiDrawer(TGenericMediaManager& media) : Media(media) {}
    // The desktop's children in list order; the desktop itself is not drawn.
    void Draw(TUiDesktop& desktop) override;
    // The rule of the first kind the widget is, in the textured skin's order; widgets of no
    // drawn kind (multi-trackers among them) are skipped with their children.
    void DrawWidget(TUiWidget& widget);

    TGenericMediaManager& Media;

private:
    void Bind(const char* name);
    // "interf4", or "interf4g" for a disabled widget.
    void BindSkin(const TUiWidget& w);
    // Text at an offset from the widget's top-left corner in the current colour.
    void DrawCaption(const TUiWidget& w, int64_t dx, int64_t dy, const std::string& s);
    void DrawChildren(TUiContainer& container);
    void DrawLastChild(TUiLayered& layered);
    void DrawWindow(TUiWindow& window);
    void DrawButton(TUiButton& button);
    void DrawPage(TUiPage& page);
    void DrawEdit(TUiEdit& edit);
    void DrawList(TUiList& list);
    void DrawTracker(TUiTracker& tracker);
    void DrawImage(TUiImage& image);
    void DrawLabel(TUiLabel& label);
    void DrawCheckBox(TUiCheckBox& box);
    void DrawBar(TUiBar& bar);
};
