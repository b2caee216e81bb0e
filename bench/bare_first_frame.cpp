// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor of the start-up path: SDL video with the game's OpenGL window, the game's audio
// format, one cleared frame presented.
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_opengl.h>

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
    SDL_WM_SetCaption("Quelmark!", nullptr);
    if (SDL_SetVideoMode(800, 600, 16, SDL_OPENGL | SDL_DOUBLEBUF | SDL_HWPALETTE) == nullptr)
        return 1;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 1;
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) != 0) return 1;
    glClearColor(0.7f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    SDL_Quit();
    return 0;
}
