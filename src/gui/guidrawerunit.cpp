// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/guidrawerunit.h"

#include "app/screenunit.h"
#include "assets/mediamanagerunit.h"
#include "gui/guiunit.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The font texture is addressed as 128 texels square; glyphs fill its lower half.
constexpr float FontTexels = 128.0f;
constexpr float GlyphS = CharWidth / FontTexels;
constexpr float GlyphT = CharHeight / FontTexels;

} // namespace

namespace {
bool Smooth = false;
} // namespace

void SetSmoothCells(bool smooth) {
    Smooth = smooth;
}

bool SmoothCells() {
    return Smooth;
}

TTexCoord CellInset(float ds, float dt, float width, float height) {
    if (!Smooth) return {0, 0};
    return {ds * 0.5f / width, dt * 0.5f / height};
}

TTexCoord GlyphOrigin(uint8_t ch) {
    const uint8_t c = static_cast<uint8_t>(ch - 32); // control codes wrap to the end
    return {static_cast<float>(c % 16) * GlyphS, static_cast<float>(c / 16) * GlyphT + 0.5f};
}

void DrawTexturePiece(float x, float y, float w, float h, float s, float t, float ds, float dt) {
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(s, t);
    glVertex2f(x, y);
    glTexCoord2f(s, t + dt);
    glVertex2f(x, y + h);
    glTexCoord2f(s + ds, t);
    glVertex2f(x + w, y);
    glTexCoord2f(s + ds, t + dt);
    glVertex2f(x + w, y + h);
    glEnd();
}

void DrawChar(int32_t x, int32_t y, uint8_t ch) {
    const TTexCoord o = GlyphOrigin(ch);
    const TTexCoord in = CellInset(GlyphS, GlyphT, CharWidth, CharHeight);
    DrawTexturePiece(static_cast<float>(x), static_cast<float>(y), CharWidth, CharHeight,
                     o.S + in.S, o.T + in.T, GlyphS - 2 * in.S, GlyphT - 2 * in.T);
}

void DrawText(int32_t x, int32_t y, const std::string& s) {
    // Glyphs overlap by one column; 64-bit sums keep absurd positions from overflowing.
    int64_t at = x;
    for (const char ch : s) {
        DrawChar(static_cast<int32_t>(at), y, static_cast<uint8_t>(ch));
        at += CharWidth - 1;
    }
}

namespace {

constexpr float TileSize = 0.25f;
constexpr float Corner = 16;

float F(int32_t value) {
    return static_cast<float>(value);
}

void FrameTile(float x, float y, float w, float h, float s, float t) {
    DrawTexturePiece(x, y, w, h, s, t, TileSize, TileSize);
}

void Tint(const TUiWidget& w) {
    if (w.IsFocused())
        glColor3f(1, 1, 0);
    else
        glColor3f(1, 1, 1);
}

void Frame(const TUiWidget& w) {
    DrawFrame(w.Left, w.Top, w.GetWidth(), w.GetHeight());
}

// A plain coloured quad with texturing off for it alone.
void FlatQuad(float x, float y, float w, float h, float r, float g, float b) {
    glDisable(GL_TEXTURE_2D);
    DrawTexturedRect(x, y, w, h, r, g, b);
    glEnable(GL_TEXTURE_2D);
}

constexpr float Grey = 0.6f;

template <class Tracker> void CursorQuad(const Tracker& t, int32_t value) {
    const int64_t x = int64_t{t.Left} + t.PositionToX(value) - t.CursorWidth / 2;
    FlatQuad(static_cast<float>(x), F(t.Top), F(t.CursorWidth), F(t.GetHeight()), Grey, Grey, Grey);
}

} // namespace

void DrawTile(int32_t x, int32_t y, int32_t w, int32_t h, float s, float t) {
    FrameTile(F(x), F(y), F(w), F(h), s, t);
}

void DrawFrame(int32_t x, int32_t y, int32_t w, int32_t h) {
    // Below 32 pixels the corners share what there is, instead of the edges turning over.
    const float cw = std::clamp(F(w) / 2, 0.0f, Corner), ch = std::clamp(F(h) / 2, 0.0f, Corner);
    const float left = F(x), top = F(y);
    const float right = left + F(w) - cw, bottom = top + F(h) - ch;
    const float midW = F(w) - 2 * cw, midH = F(h) - 2 * ch;
    FrameTile(left, top, cw, ch, 0, 0);
    FrameTile(left, bottom, cw, ch, 0, 0.5f);
    FrameTile(right, top, cw, ch, 0.5f, 0);
    FrameTile(right, bottom, cw, ch, 0.5f, 0.5f);
    FrameTile(left + cw, top, midW, ch, 0.25f, 0);
    FrameTile(left + cw, bottom, midW, ch, 0.25f, 0.5f);
    FrameTile(left, top + ch, cw, midH, 0, 0.25f);
    FrameTile(right, top + ch, cw, midH, 0.5f, 0.25f);
    FrameTile(left + cw, top + ch, midW, midH, 0.25f, 0.25f);
}

void DrawInside(const TUiContainer& container, int32_t first,
                const std::function<void(TUiWidget&)>& draw) {
    const float dx = F(container.Left) + F(container.MarginLeft);
    const float dy = F(container.Top) + F(container.MarginTop);
    glTranslatef(dx, dy, 0);
    for (int32_t i = first < 0 ? 0 : first; i < container.ChildCount(); ++i)
        draw(*container.Child(i));
    glTranslatef(-dx, -dy, 0);
}

std::optional<int32_t> BarFillWidth(const TUiBar& bar) {
    // A bar with no range has nothing to fill (and would divide by zero).
    if (bar.Position <= 0 || bar.Max == 0) return std::nullopt;
    const int32_t reached = bar.Position > bar.Max ? bar.Max : bar.Position;
    const double m = reached <= 0 ? 1 : reached;
    const double ratio = bar.GetWidth() / (bar.Max / m);
    // Widths near the int32 limits must not wrap when the border is taken off.
    const int64_t fill = static_cast<int64_t>(std::trunc(ratio)) - 2;
    return static_cast<int32_t>(std::clamp<int64_t>(fill, INT32_MIN, INT32_MAX));
}

std::string ShownEditText(const TUiEdit& edit) {
    std::string shown = edit.Mask ? std::string(edit.Text.size(), '*') : edit.Text;
    if (edit.IsFocused()) shown += '_';
    return shown;
}

std::string BarPositionText(const TUiBar& bar) {
    return std::to_string(bar.Position) + "/" + std::to_string(bar.Max);
}

void TGuiDrawer::Draw(TUiDesktop& desktop) {
    for (int32_t i = 0; i < desktop.ChildCount(); ++i)
        DrawWidget(*desktop.Child(i));
}

void TGuiDrawer::DrawWidget(TUiWidget& widget) {
    if (auto* w = dynamic_cast<TUiWindow*>(&widget)) return DrawWindow(*w);
    if (auto* w = dynamic_cast<TUiButton*>(&widget)) return DrawButton(*w);
    if (auto* w = dynamic_cast<TUiLayered*>(&widget)) return DrawLastChild(*w);
    if (auto* w = dynamic_cast<TUiPage*>(&widget)) return DrawPage(*w);
    if (auto* w = dynamic_cast<TUiEdit*>(&widget)) return DrawEdit(*w);
    if (auto* w = dynamic_cast<TUiList*>(&widget)) return DrawList(*w);
    if (auto* w = dynamic_cast<TUiTracker*>(&widget)) return DrawTracker(*w);
    if (auto* w = dynamic_cast<TUiImage*>(&widget)) return DrawImage(*w);
    if (auto* w = dynamic_cast<TUiLabel*>(&widget)) return DrawLabel(*w);
    if (auto* w = dynamic_cast<TUiCheckBox*>(&widget)) return DrawCheckBox(*w);
    if (auto* w = dynamic_cast<TUiBar*>(&widget)) return DrawBar(*w);
}

void TGuiDrawer::Bind(const char* name) {
    if (TTexture* texture = Media.GetTexture(name)) texture->Bind();
}

void TGuiDrawer::BindSkin(const TUiWidget& w) {
    Bind(w.Enabled ? "interf4" : "interf4g");
}

void TGuiDrawer::DrawCaption(const TUiWidget& w, int64_t dx, int64_t dy, const std::string& s) {
    Bind("font");
    DrawText(static_cast<int32_t>(w.Left + dx), static_cast<int32_t>(w.Top + dy), s);
}

void TGuiDrawer::DrawChildren(TUiContainer& container) {
    DrawInside(container, 0, [this](TUiWidget& w) { DrawWidget(w); });
}

void TGuiDrawer::DrawLastChild(TUiLayered& layered) {
    DrawInside(layered, layered.ChildCount() - 1, [this](TUiWidget& w) { DrawWidget(w); });
}

void TGuiDrawer::DrawWindow(TUiWindow& window) {
    Bind(window.Enabled ? "interf3" : "interf3b");
    Tint(window);
    Frame(window);
    DrawCaption(window, 10, 5, window.Title);
    // A rolled-up window is only its title strip: its children would hang below it, where
    // they cannot be reached either.
    if (auto* rollable = dynamic_cast<TUiRollableWindow*>(&window); rollable && !rollable->Open)
        return;
    DrawChildren(window);
}

void TGuiDrawer::DrawButton(TUiButton& button) {
    BindSkin(button);
    Tint(button);
    Frame(button);
    DrawCaption(button, 12, button.Down ? 13 : 10, button.Caption);
}

void TGuiDrawer::DrawPage(TUiPage& page) {
    if (page.DrawBack) {
        BindSkin(page);
        glColor3f(1, 1, 1);
        Frame(page);
    }
    DrawChildren(page);
}

void TGuiDrawer::DrawEdit(TUiEdit& edit) {
    BindSkin(edit);
    Tint(edit);
    Frame(edit);
    DrawCaption(edit, 12, 10, ShownEditText(edit));
}

void TGuiDrawer::DrawList(TUiList& list) {
    BindSkin(list);
    glColor3f(1, 1, 1);
    Frame(list);
    const int64_t rowHeight = TUiList::RowHeight;
    if (list.ItemIndex >= 0 && !list.Simple) {
        const int64_t y = int64_t{list.Top} + 12 + rowHeight * list.ItemIndex;
        FlatQuad(F(list.Left) + 10, static_cast<float>(y), F(list.GetWidth()) - 20, 13, Grey, Grey,
                 Grey);
        glColor3f(1, 1, 1); // grey text would vanish on the grey highlight
    }
    int64_t y = 16;
    for (const std::string& item : list.Items) {
        DrawCaption(list, 10, y, item);
        y += rowHeight;
    }
}

void TGuiDrawer::DrawTracker(TUiTracker& tracker) {
    BindSkin(tracker);
    glColor3f(1, 1, 1);
    Frame(tracker);
    CursorQuad(tracker, tracker.Position);
    if (tracker.ShowPosition) DrawCaption(tracker, 12, 10, std::to_string(tracker.Position));
}

void TGuiDrawer::DrawImage(TUiImage& image) {
    glBindTexture(GL_TEXTURE_2D, image.Texture);
    DrawTexturedRect(F(image.Left), F(image.Top), F(image.GetWidth()), F(image.GetHeight()), 1, 1,
                     1);
}

void TGuiDrawer::DrawLabel(TUiLabel& label) {
    DrawCaption(label, 0, 0, label.Caption);
}

void TGuiDrawer::DrawCheckBox(TUiCheckBox& box) {
    BindSkin(box);
    Tint(box);
    DrawFrame(box.Left, box.Top, 32, 32);
    if (box.Checked) {
        Bind("interftick");
        DrawTexturedRect(F(box.Left), F(box.Top), 32, 32, 1, 1, 1);
    }
    DrawCaption(box, 34, 10, box.Caption);
}

void TGuiDrawer::DrawBar(TUiBar& bar) {
    if (const std::optional<int32_t> fill = BarFillWidth(bar))
        FlatQuad(F(bar.Left) + 1, F(bar.Top) + 1, F(*fill), F(bar.GetHeight()) - 2, 1, 1, 0);
    Bind("interf6");
    glColor3f(1, 1, 1);
    Frame(bar);
    if (bar.ShowCaption) DrawCaption(bar, 4, 4, bar.Caption);
    if (bar.ShowPosition) {
        const std::string text = BarPositionText(bar);
        const int64_t length = static_cast<int64_t>(text.size());
        DrawCaption(bar, bar.GetWidth() / 2 - (length * CharWidth) / 2,
                    bar.GetHeight() / 2 - CharHeight / 2, text);
    }
}
