// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The sample layout with every widget kind (docs/gui-layout.xml), and finding its widgets
// on the screen.
#pragma once

#include "gui/guiunit.h"

#include <stdexcept>
#include <string>
#include <utility>

// Loads docs/gui-layout.xml of the source tree into the desktop.
void LoadEveryKindLayout(TUiDesktop& desktop);

// Screen position of a widget's top-left corner.
std::pair<int32_t, int32_t> ScreenCorner(const TUiWidget& w);

// The widget of that name and kind; throws when the layout has none.
template <class T> T& Named(TUiContainer& root, const std::string& name) {
    auto* widget = dynamic_cast<T*>(root.FindByName(name));
    if (widget == nullptr) throw std::runtime_error("no widget " + name);
    return *widget;
}
