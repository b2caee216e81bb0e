// The textured skin: bitmap-font text without colour or binding, nine-slice frames, and the
// drawer that renders a desktop with skin pictures.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t CharWidth = 8;
constexpr int32_t CharHeight = 8;

// A point of a texture, 0..1 across (S) and down (T).
struct TTexCoord {
    float S;
    float T;
};

// Top-left corner of a glyph cell in the 128-texel font texture.
TTexCoord GlyphOrigin(uint8_t ch);

// One triangle strip over the pixel rectangle (x, y, w, h) showing the texture rectangle from
// (s, t) to (s + ds, t + dt), each texture coordinate given before its vertex.
void DrawTexturePiece(float x, float y, float w, float h, float s, float t, float ds, float dt);

// One 8x8 glyph with its top-left corner at (x, y), from the bound texture in the
// current colour.
void DrawChar(int32_t x, int32_t y, uint8_t ch);
// The bytes of s advancing by CharWidth - 1; the caller binds "font" and sets the colour.
void DrawText(int32_t x, int32_t y, const std::string& s);
