// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/simpleguidrawerunit.h"

#include "assets/mediamanagerunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiunit.h"

#include <SDL_opengl.h>
#include <string>

namespace simpleguidrawerunit {

namespace {

constexpr TRgb Black{0, 0, 0};
constexpr TRgb White{1, 1, 1};
constexpr TRgb Grey{0.6f, 0.6f, 0.6f};
constexpr TRgb Green{0, 1, 0};
constexpr TRgb Red{1, 0, 0};

float F(int32_t value) {
    return static_cast<float>(value);
}

void FillBody(const TUiWidget& w) {
    FillRect(F(w.Left), F(w.Top), F(w.GetWidth()), F(w.GetHeight()));
}

// The rectangle of a tracker cursor at the given value.
template <class Tracker> void FillCursor(const Tracker& t, int32_t value) {
    const int64_t x = int64_t{t.Left} + t.PositionToX(value) - t.CursorWidth / 2;
    FillRect(static_cast<float>(x), F(t.Top), F(t.CursorWidth), F(t.GetHeight()));
}

} // namespace

void SetColor(const TRgb& c) {
    glColor3f(c[0], c[1], c[2]);
}

void FillRect(float x, float y, float w, float h) {
    DrawTexturePiece(x, y, w, h, 0, 0, 1, 1);
}

void OutlineRect(float x, float y, float w, float h) {
    glBegin(GL_LINE_LOOP);
    glVertex2f(x, y);
    glVertex2f(x, y + h);
    glVertex2f(x + w, y + h);
    glVertex2f(x + w, y);
    glEnd();
}

void DrawChar(int32_t x, int32_t y, uint8_t ch) {
    ::DrawChar(x, y, ch);
}

void DrawText(int32_t x, int32_t y, const std::string& s) {
    glEnable(GL_TEXTURE_2D);
    SetColor(Black);
    ::DrawText(x, y, s);
    glDisable(GL_TEXTURE_2D);
}

TRgb BodyColor(const TUiWidget& widget, const TRgb& enabled) {
    if (widget.IsFocused()) return ColorFocused;
    return widget.Enabled ? enabled : ColorDisabled;
}

void TGuiDrawer::Draw(TUiDesktop& desktop) {
    glDisable(GL_TEXTURE_2D);
    for (int32_t i = 0; i < desktop.ChildCount(); ++i)
        DrawWidget(*desktop.Child(i));
    glEnable(GL_TEXTURE_2D);
}

void TGuiDrawer::DrawWidget(TUiWidget& widget) {
    if (auto* w = dynamic_cast<TUiRollableWindow*>(&widget)) return DrawRollableWindow(*w);
    if (auto* w = dynamic_cast<TUiWindow*>(&widget)) return DrawWindow(*w);
    if (auto* w = dynamic_cast<TUiButton*>(&widget)) return DrawButton(*w);
    if (auto* w = dynamic_cast<TUiLayered*>(&widget)) return DrawLastChild(*w);
    if (auto* w = dynamic_cast<TUiPage*>(&widget)) return DrawPage(*w);
    if (auto* w = dynamic_cast<TUiEdit*>(&widget)) return DrawEdit(*w);
    if (auto* w = dynamic_cast<TUiList*>(&widget)) return DrawList(*w);
    if (auto* w = dynamic_cast<TUiTracker*>(&widget)) return DrawTracker(*w);
    if (auto* w = dynamic_cast<TUiMultiTracker*>(&widget)) return DrawMultiTracker(*w);
    if (auto* w = dynamic_cast<TUiImage*>(&widget)) return DrawImage(*w);
    if (auto* w = dynamic_cast<TUiCheckBox*>(&widget)) return DrawCheckBox(*w);
    if (dynamic_cast<TUiBar*>(&widget)) return; // a bar has no flat look
    if (auto* w = dynamic_cast<TUiLabel*>(&widget)) return DrawLabel(*w);
}

void TGuiDrawer::DrawCaption(const TUiWidget& w, int64_t dx, int64_t dy, const std::string& s) {
    if (TTexture* font = Media.GetTexture("font")) font->Bind();
    DrawText(static_cast<int32_t>(w.Left + dx), static_cast<int32_t>(w.Top + dy), s);
}

void TGuiDrawer::DrawChildren(TUiContainer& container) {
    DrawInside(container, 0, [this](TUiWidget& w) { DrawWidget(w); });
}

void TGuiDrawer::DrawLastChild(TUiLayered& layered) {
    DrawInside(layered, layered.ChildCount() - 1, [this](TUiWidget& w) { DrawWidget(w); });
}

void TGuiDrawer::DrawRollableWindow(TUiRollableWindow& window) {
    if (!window.Visible) return;
    if (window.Open) return DrawWindow(window);
    const float x = F(window.Left), y = F(window.Top);
    const float w = F(window.GetWidth()), h = F(window.MarginTop);
    SetColor(ColorControl);
    FillRect(x, y, w, h);
    SetColor(Black);
    OutlineRect(x, y, w, h);
    DrawCaption(window, 10, 5, window.Title);
}

void TGuiDrawer::DrawWindow(TUiWindow& window) {
    SetColor(window.Enabled ? ColorWindow : ColorDisabled);
    FillBody(window);
    SetColor(ColorControl);
    FillRect(F(window.Left), F(window.Top), F(window.GetWidth()), F(window.MarginTop));
    SetColor(Black);
    OutlineRect(F(window.Left), F(window.Top), F(window.GetWidth()), F(window.GetHeight()));
    DrawCaption(window, 10, 5, window.Title);
    DrawChildren(window);
}

void TGuiDrawer::DrawButton(TUiButton& button) {
    SetColor(BodyColor(button, ColorControl));
    FillBody(button);
    DrawCaption(button, 8, (button.Down ? 6 : 4), button.Caption);
}

void TGuiDrawer::DrawPage(TUiPage& page) {
    if (page.DrawBack) {
        SetColor(page.Enabled ? ColorPage : ColorDisabled);
        FillBody(page);
    }
    DrawChildren(page);
}

void TGuiDrawer::DrawEdit(TUiEdit& edit) {
    if (!edit.Visible) return;
    SetColor(BodyColor(edit, ColorEdit));
    FillBody(edit);
    DrawCaption(edit, 8, 4, ShownEditText(edit));
}

void TGuiDrawer::DrawList(TUiList& list) {
    SetColor(BodyColor(list, ColorControl));
    FillBody(list);
    const int64_t rowHeight = TUiList::RowHeight;
    if (list.ItemIndex >= 0 && !list.Simple) {
        SetColor(White);
        const int64_t y = int64_t{list.Top} + list.MarginTop + rowHeight * list.ItemIndex;
        FillRect(F(list.Left) + 1, static_cast<float>(y), F(list.GetWidth()) - 2, 13);
    }
    int64_t y = int64_t{list.MarginTop} + 3;
    for (const std::string& item : list.Items) {
        DrawCaption(list, 1, y, item);
        y += rowHeight;
    }
}

void TGuiDrawer::DrawTracker(TUiTracker& tracker) {
    SetColor(BodyColor(tracker, ColorControl));
    FillBody(tracker);
    SetColor(White);
    FillCursor(tracker, tracker.Position);
    if (tracker.ShowPosition) DrawCaption(tracker, 8, 4, std::to_string(tracker.Position));
}

void TGuiDrawer::DrawMultiTracker(TUiMultiTracker& tracker) {
    SetColor(BodyColor(tracker, ColorControl));
    FillBody(tracker);
    for (int32_t i = tracker.Cursors.Count() - 1; i >= 0; --i) {
        SetColor(i == tracker.Selected ? White : Grey);
        FillCursor(tracker, tracker.Cursor(i).Position);
    }
    // Selected is the owner's to set: an index past the cursors shows no value.
    if (tracker.Selected >= 0 && tracker.Selected < tracker.Cursors.Count())
        DrawCaption(tracker, 8, 4, std::to_string(tracker.Cursor(tracker.Selected).Position));
}

void TGuiDrawer::DrawImage(TUiImage& image) {
    SetColor(White);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, image.Texture);
    FillBody(image);
    glDisable(GL_TEXTURE_2D);
}

void TGuiDrawer::DrawCheckBox(TUiCheckBox& box) {
    if (!box.Enabled)
        SetColor(ColorDisabled);
    else
        SetColor(box.Checked ? Green : Red);
    FillRect(F(box.Left), F(box.Top), 8, 8);
    DrawCaption(box, 10, 1, box.Caption);
}

void TGuiDrawer::DrawLabel(TUiLabel& label) {
    if (!label.Visible) return;
    DrawCaption(label, 0, 0, label.Caption);
}

} // namespace simpleguidrawerunit
