// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The options window's layout: the file media/options.xml, which players may edit, and the
// layout the game was built with, which stands in when the file is missing or unusable.
#pragma once

#include "app/keybindingsunit.h"

#include <memory>
#include <string>

class TUiWindow;
class TUiLabel;
class TUiTracker;
class TUiCheckBox;
class TUiButton;

// The layout the game was built with, as the text of a layout file.
const std::string& BuiltInOptionsLayout();

// The widgets of the options window the screen works with, each named in the layout.
struct TOptionsWidgets {
    TUiLabel* VolumeLabel = nullptr;
    TUiTracker* Volume = nullptr;
    TUiCheckBox* Music = nullptr;
    TUiCheckBox* FullScreen = nullptr;
    TUiCheckBox* Fps = nullptr;
    TUiButton* Difficulty = nullptr;
    // Checked: drawn with the window's own pixels; unchecked: at 800 x 600, scaled.
    TUiCheckBox* Sharp = nullptr;
    // Checked: the facing marker shows in play (by default on Gentle only).
    TUiCheckBox* Facing = nullptr;
    // One row per play action, named "key." and the action's settings word.
    TUiButton* KeyRows[PlayActionCount] = {};
    TUiLabel* Message = nullptr;
    TUiButton* Defaults = nullptr;
    TUiButton* Back = nullptr;
};

// Every one of them in the window, each of its kind; throws naming the first that is missing
// or of another kind.
TOptionsWidgets FindOptionsWidgets(TUiWindow& window);

// The window "options" of the file, every named widget in it; when the file cannot be read,
// or lacks the window or a widget, the log says why and the built-in layout is used.
std::unique_ptr<TUiWindow> LoadOptionsWindow(const std::string& fileName);
