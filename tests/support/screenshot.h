// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures of a running game's window, taken from the X server like a player would see them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// Saves the window's current picture as a PNG file; false when it cannot be taken.
bool ShootWindow(const std::string& window, const std::filesystem::path& png);

// The RGB bytes (rows top first) of the rectangle x, y, w, h of a picture file.
std::string PictureRegion(const std::filesystem::path& png, int x, int y, int w, int h);

// The RGB colour of one pixel of a picture file.
std::array<uint8_t, 3> PicturePixel(const std::filesystem::path& png, int x, int y);
