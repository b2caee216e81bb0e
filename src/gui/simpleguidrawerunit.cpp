#include "gui/simpleguidrawerunit.h"

#include "gui/guidrawerunit.h"

#include <SDL_opengl.h>

namespace simpleguidrawerunit {

void DrawChar(int32_t x, int32_t y, uint8_t ch) {
    ::DrawChar(x, y, ch);
}

void DrawText(int32_t x, int32_t y, const std::string& s) {
    glEnable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    ::DrawText(x, y, s);
    glDisable(GL_TEXTURE_2D);
}

} // namespace simpleguidrawerunit
