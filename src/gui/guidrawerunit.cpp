#include "gui/guidrawerunit.h"

#include <SDL_opengl.h>

namespace {

// The font texture is addressed as 128 texels square; glyphs fill its lower half.
constexpr float FontTexels = 128.0f;
constexpr float GlyphS = CharWidth / FontTexels;
constexpr float GlyphT = CharHeight / FontTexels;

} // namespace

TTexCoord GlyphOrigin(uint8_t ch) {
    const uint8_t c = static_cast<uint8_t>(ch - 32); // control codes wrap to the end
    return {static_cast<float>(c % 16) * GlyphS, static_cast<float>(c / 16) * GlyphT + 0.5f};
}

void DrawTexturePiece(float x, float y, float w, float h, float s, float t, float ds, float dt) {
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(s, t);
    glVertex2f(x, y);
    glTexCoord2f(s, t + dt);
    glVertex2f(x, y + h);
    glTexCoord2f(s + ds, t);
    glVertex2f(x + w, y);
    glTexCoord2f(s + ds, t + dt);
    glVertex2f(x + w, y + h);
    glEnd();
}

void DrawChar(int32_t x, int32_t y, uint8_t ch) {
    const TTexCoord o = GlyphOrigin(ch);
    DrawTexturePiece(static_cast<float>(x), static_cast<float>(y), CharWidth, CharHeight, o.S, o.T,
                     GlyphS, GlyphT);
}

void DrawText(int32_t x, int32_t y, const std::string& s) {
    // Glyphs overlap by one column; 64-bit sums keep absurd positions from overflowing.
    int64_t at = x;
    for (const char ch : s) {
        DrawChar(static_cast<int32_t>(at), y, static_cast<uint8_t>(ch));
        at += CharWidth - 1;
    }
}
