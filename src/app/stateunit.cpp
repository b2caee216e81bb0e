// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/stateunit.h"

#include "app/openglmainloop.h"
#include "app/screenunit.h"

#include <SDL_opengl.h>
#include <algorithm>

TGlobal Global;
TEventListener* MainStatus = nullptr;
TEventListener* IntroStatus = nullptr;
TEventListener* LevelStatus = nullptr;
TEventListener* GameOverStatus = nullptr;
TEventListener* DemoStatus = nullptr;
TEventListener* OptionsStatus = nullptr;
TEventListener* CurrentListener = nullptr;

void SetCurrentListener(TEventListener* listener, TOpenGlGenericLoop* loop) {
    if (CurrentListener != nullptr) {
        CurrentListener->Leave();
        CurrentListener->Active = false;
    }
    listener->Active = true;
    CurrentListener = listener;
    listener->Enter();
    ConnectListener(listener, loop);
}

void ConnectListener(TEventListener* listener, TOpenGlGenericLoop* loop) {
    loop->OnCycle = [listener] { listener->Cycle(); };
    loop->OnMouseButtonDown = [listener](SDL_MouseButtonEvent& e) { listener->MouseButtonDown(e); };
    loop->OnMouseButtonUp = [listener](SDL_MouseButtonEvent& e) { listener->MouseButtonUp(e); };
    loop->OnMouseMove = [listener](SDL_MouseMotionEvent& e) { listener->MouseMove(e); };
    loop->OnKeyDown = [listener](SDL_KeyboardEvent& e) { listener->KeyDown(e); };
    loop->OnKeyUp = [listener](SDL_KeyboardEvent& e) { listener->KeyUp(e); };
    loop->OnFocusLost = [listener] { listener->FocusLost(); };
}

void PresentFrame() {
    if (Global.FrameOverlay) Global.FrameOverlay();
    if (Global.Screen != nullptr) Global.Screen->ClearBars();
    SDL_GL_SwapBuffers();
}

void BeginOverlay2D(float width, float height) {
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, 0, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void EndOverlay2D() {
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void RecordMousePosition(const SDL_MouseMotionEvent& event) {
    Global.MouseX = event.x;
    Global.MouseY = event.y;
}

uint32_t FrameMilliseconds(uint32_t lastTicks, uint32_t nowTicks) {
    return static_cast<uint32_t>(std::max(static_cast<int32_t>(nowTicks - lastTicks), 0));
}

double StepSeconds(uint32_t milliseconds) {
    return std::max(milliseconds / 1000.0, 1e-11);
}

double FrameSeconds(uint32_t lastTicks, uint32_t nowTicks) {
    return StepSeconds(FrameMilliseconds(lastTicks, nowTicks));
}

double TFrameTimer::Tick() {
    return Tick(SDL_GetTicks());
}

double TFrameTimer::Tick(uint32_t nowTicks) {
    const double dt = FrameSeconds(LastTicks, nowTicks);
    LastTicks = nowTicks;
    return dt;
}
