// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The options window's layout: the file media/options.xml, which players may edit, and the
// layout the game was built with, which stands in when the file is missing or unusable.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TUiWindow;

// The layout the game was built with, as the text of a layout file.
const std::string& BuiltInOptionsLayout();
// The widgets the options screen finds by name, every one required (and of its kind).
const std::vector<std::string>& OptionsWidgetNames();

// The window "options" of the file, every named widget in it; when the file cannot be read,
// or lacks the window or a widget, the log says why and the built-in layout is used.
std::unique_ptr<TUiWindow> LoadOptionsWindow(const std::string& fileName);
