// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/screenshot.h"

#include "support/process.h"

#include <fstream>
#include <sstream>

bool ShootWindow(const std::string& window, const std::filesystem::path& png) {
    std::filesystem::remove(png);
    RunCommand("import -silent -window " + window + " '" + png.string() + "' 2>/dev/null");
    return std::filesystem::exists(png);
}

std::string PictureRegion(const std::filesystem::path& png, int x, int y, int w, int h) {
    const std::filesystem::path raw = png.string() + ".rgb";
    RunCommand("convert '" + png.string() + "' -crop " + std::to_string(w) + "x" +
               std::to_string(h) + "+" + std::to_string(x) + "+" + std::to_string(y) +
               " +repage -depth 8 'rgb:" + raw.string() + "'");
    std::ifstream in(raw, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::filesystem::remove(raw);
    return bytes.str();
}

std::array<uint8_t, 3> PicturePixel(const std::filesystem::path& png, int x, int y) {
    const std::string rgb = PictureRegion(png, x, y, 1, 1);
    if (rgb.size() != 3) return {0, 0, 0};
    return {static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]),
            static_cast<uint8_t>(rgb[2])};
}
