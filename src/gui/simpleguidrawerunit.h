// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The flat skin: plain coloured rectangles, black outlines and black bitmap text, and the
// drawer that renders a desktop with them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class TGenericMediaManager;
class TUiDesktop;
class TUiWidget;
class TUiWindow;
class TUiRollableWindow;
class TUiButton;
class TUiLayered;
class TUiPage;
class TUiEdit;
class TUiList;
class TUiTracker;
class TUiMultiTracker;
class TUiImage;
class TUiCheckBox;
class TUiLabel;
class TUiContainer;

// Its drawer and text procedures share their names with the textured skin's.
namespace simpleguidrawerunit {

constexpr int32_t CharWidth = 8;
constexpr int32_t CharHeight = 8;

// Red, green, blue, each 0..1.
using TRgb = std::array<float, 3>;

constexpr TRgb ColorWindow{0.7f, 0.7f, 0.7f};
constexpr TRgb ColorDisabled{0.3f, 0.3f, 0.3f};
constexpr TRgb ColorFocused{0.6f, 0.9f, 0.9f};
constexpr TRgb ColorControl{0.3f, 0.7f, 0.7f};
constexpr TRgb ColorPage{0.3f, 0.5f, 0.7f};
constexpr TRgb ColorEdit{0.7f, 0.3f, 0.7f};

void SetColor(const TRgb& c);
// A quad in the current colour, texture coordinates 0..1 with (0, 0) at the top left.
void FillRect(float x, float y, float w, float h);
// A line loop around the rectangle.
void OutlineRect(float x, float y, float w, float h);

// One glyph from the bound font texture in the current colour, as the textured skin's.
void DrawChar(int32_t x, int32_t y, uint8_t ch);
// Black text: enables texturing, draws, disables it again. The caller binds "font".
void DrawText(int32_t x, int32_t y, const std::string& s);

// The body colour of a control: enabled or disabled, replaced when it has the focus.
TRgb BodyColor(const TUiWidget& widget, const TRgb& enabled);

class TAbstractGuiDrawer {
public:
    virtual ~TAbstractGuiDrawer() = default;
    virtual void Draw(TUiDesktop& desktop) = 0;
};

class TGuiDrawer : public TAbstractGuiDrawer {
public:
    explicit TGuiDrawer(TGenericMediaManager& media) : Media(media) {}
    // The desktop's children in list order with texturing off; the desktop itself is not
    // drawn. Texturing is on again afterwards.
    void Draw(TUiDesktop& desktop) override;
    // The rule of the first kind the widget is, in the flat skin's order; widgets of no
    // drawn kind are skipped with their children.
    void DrawWidget(TUiWidget& widget);

    TGenericMediaManager& Media;

private:
    // Text at an offset from the widget's top-left corner.
    void DrawCaption(const TUiWidget& w, int64_t dx, int64_t dy, const std::string& s);
    void DrawChildren(TUiContainer& container);
    void DrawLastChild(TUiLayered& layered);
    void DrawRollableWindow(TUiRollableWindow& window);
    void DrawWindow(TUiWindow& window);
    void DrawButton(TUiButton& button);
    void DrawPage(TUiPage& page);
    void DrawEdit(TUiEdit& edit);
    void DrawList(TUiList& list);
    void DrawTracker(TUiTracker& tracker);
    void DrawMultiTracker(TUiMultiTracker& tracker);
    void DrawImage(TUiImage& image);
    void DrawCheckBox(TUiCheckBox& box);
    void DrawLabel(TUiLabel& label);
};

} // namespace simpleguidrawerunit
