// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gui/guiextraunit.h"

#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"

#include <SDL_opengl.h>
#include <cmath>
#include <memory>

namespace {

// Digit cells are 32x64 texels in a texture addressed as 256 texels square, 8 to a row.
constexpr float DigitS = 0.125f;
constexpr float DigitT = 0.25f;
constexpr float DigitWidth = 32.0f;
constexpr float DigitHeight = 64.0f;

} // namespace

TTexCoord DigitOrigin(uint8_t ch) {
    const uint8_t c = static_cast<uint8_t>(ch - '0');
    return {static_cast<float>(c % 8) * DigitS, static_cast<float>(c / 8) * DigitT};
}

int32_t NumberAdvance(float scale) {
    return static_cast<int32_t>(std::lround(scale * DigitWidth));
}

void DrawNumbers(int32_t x, int32_t y, const std::string& s, float scale) {
    glColor3f(1, 1, 1);
    // A missing picture leaves the bound texture as it is rather than failing the frame.
    TTexture* numbers = Global.MediaManager ? Global.MediaManager->GetTexture("numbers") : nullptr;
    if (numbers != nullptr) numbers->Bind();
    const int64_t advance = NumberAdvance(scale);
    int64_t at = x;
    for (const char ch : s) {
        DrawNumberChar(static_cast<int32_t>(at), y, static_cast<uint8_t>(ch), scale);
        at += advance;
    }
}

void DrawNumberChar(int32_t x, int32_t y, uint8_t ch, float scale) {
    if (ch == ' ') return;
    const TTexCoord o = DigitOrigin(ch);
    const TTexCoord in = CellInset(DigitS, DigitT, DigitWidth, DigitHeight);
    DrawTexturePiece(static_cast<float>(x), static_cast<float>(y), scale * DigitWidth,
                     scale * DigitHeight, o.S + in.S, o.T + in.T, DigitS - 2 * in.S,
                     DigitT - 2 * in.T);
}

TUiErrorWindow::TUiErrorWindow(const std::string& message) {
    Title = "Error";
    MarginLeft = 5;
    MarginTop = 16;
    SetWidth(300);
    SetHeight(100);
    Left = 300;
    Top = 200;

    auto button = std::make_unique<TUiButton>();
    button->Caption = "Close";
    button->Left = 190;
    button->Top = 40;
    button->SetWidth(84);
    button->SetHeight(32);
    button->OnClick = [this](TUiWidget& sender) { CloseClick(sender); };
    AddChild(std::move(button));

    auto label = std::make_unique<TUiLabel>();
    label->Caption = message;
    label->Left = 10;
    label->Top = 10;
    label->SetWidth(200);
    label->SetHeight(10);
    AddChild(std::move(label));
}

void TUiErrorWindow::CloseClick(TUiWidget&) {
    // The desktop routes nothing to a widget after a handler destroyed it.
    Destroy();
}
