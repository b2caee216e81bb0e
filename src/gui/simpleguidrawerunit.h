// The flat skin: plain coloured rectangles, black outlines and black bitmap text, and the
// drawer that renders a desktop with them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Its drawer and text procedures share their names with the textured skin's.
namespace simpleguidrawerunit {

constexpr int32_t CharWidth = 8;
constexpr int32_t CharHeight = 8;

// One glyph from the bound font texture in the current colour, as the textured skin's.
void DrawChar(int32_t x, int32_t y, uint8_t ch);
// Black text: enables texturing, draws, disables it again. The caller binds "font".
void DrawText(int32_t x, int32_t y, const std::string& s);

} // namespace simpleguidrawerunit
