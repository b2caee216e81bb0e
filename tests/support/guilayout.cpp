// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/guilayout.h"

void LoadEveryKindLayout(TUiDesktop& desktop) {
    if (!LoadLayoutFile(desktop, std::string(QUELMARK_SOURCE_DIR) + "/docs/gui-layout.xml"))
        throw std::runtime_error("docs/gui-layout.xml names a kind that does not exist");
}

std::pair<int32_t, int32_t> ScreenCorner(const TUiWidget& w) {
    int32_t x = w.Left, y = w.Top;
    for (const TUiContainer* c = w.Parent; c != nullptr; c = c->Parent) {
        x += c->Left + c->MarginLeft;
        y += c->Top + c->MarginTop;
    }
    return {x, y};
}
