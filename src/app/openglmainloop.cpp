// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/openglmainloop.h"

namespace {

// A handler may replace its own slot (a state switch from inside a key handler), so the
// slot is copied before the call: the running function must outlive the reassignment.
template <typename Slot, typename... Args> void CallSlot(const Slot& slot, Args&... args) {
    if (!slot) return;
    Slot handler = slot;
    handler(args...);
}

} // namespace

bool IsFocusLoss(const SDL_ActiveEvent& event) {
    return event.gain == 0 && (event.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
}

void TOpenGlGenericLoop::Run() {
    Terminated = false;
    while (!Terminated)
        Step();
}

void TOpenGlGenericLoop::Dispatch(SDL_Event& event) {
    if (OnEvent) {
        TEventFilter filter = OnEvent;
        if (filter(event)) return;
    }
    switch (event.type) {
    case SDL_KEYDOWN:
        CallSlot(OnKeyDown, event.key);
        break;
    case SDL_KEYUP:
        CallSlot(OnKeyUp, event.key);
        break;
    case SDL_MOUSEMOTION:
        CallSlot(OnMouseMove, event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
        CallSlot(OnMouseButtonDown, event.button);
        break;
    case SDL_MOUSEBUTTONUP:
        CallSlot(OnMouseButtonUp, event.button);
        break;
    case SDL_ACTIVEEVENT:
        if (IsFocusLoss(event.active)) CallSlot(OnFocusLost);
        break;
    case SDL_QUIT:
        Terminated = true;
        break;
    default:
        break;
    }
}

void TOpenGlRealTimeLoop::Terminate() {
    Terminated = true;
}

void TOpenGlRealTimeLoop::Step() {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1)
        Dispatch(event);
    CallSlot(OnCycle);
}

void TOpenGlStaticLoop::Terminate() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void TOpenGlStaticLoop::Step() {
    SDL_Event event;
    if (SDL_WaitEvent(&event) != 1) return;
    Dispatch(event);
    if (event.type == SDL_VIDEOEXPOSE) CallSlot(OnCycle);
    if (CycleAfterEvent) CallSlot(OnCycle);
}
