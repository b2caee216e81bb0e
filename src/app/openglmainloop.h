// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Main loops: turn SDL events into calls on handler slots, then cycle.
#pragma once

#include <SDL.h>
#include <functional>

using TCycleEvent = std::function<void()>;
using TKeyEvent = std::function<void(SDL_KeyboardEvent&)>;
using TMouseMoveEvent = std::function<void(SDL_MouseMotionEvent&)>;
using TMouseButtonEvent = std::function<void(SDL_MouseButtonEvent&)>;
// Sees every event before the handler slots; true means it has taken the event, which then
// goes no further. Unset, every event is dispatched as usual.
using TEventFilter = std::function<bool(SDL_Event&)>;

// Whether an activation event tells of the input focus lost or the window iconified.
bool IsFocusLoss(const SDL_ActiveEvent& event);

class TOpenGlGenericLoop {
public:
    virtual ~TOpenGlGenericLoop() = default;

    // Clears Terminated, then steps until it is set.
    virtual void Run();
    virtual void Terminate() = 0;
    virtual void Step() = 0;

    bool Terminated = false;
    TCycleEvent OnCycle;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TMouseMoveEvent OnMouseMove;
    TMouseButtonEvent OnMouseButtonDown;
    TMouseButtonEvent OnMouseButtonUp;
    // The window lost the keyboard focus or was iconified.
    TCycleEvent OnFocusLost;
    // Not a listener's slot: the program's own comforts (volume, full screen, the gamepad)
    // that hold on every screen. State switches leave it alone.
    TEventFilter OnEvent;

protected:
    // Calls the slot for the event's type; a quit event sets Terminated.
    void Dispatch(SDL_Event& event);
};

// Polls events and cycles as fast as the current state's buffer swap allows.
class TOpenGlRealTimeLoop : public TOpenGlGenericLoop {
public:
    // The loop ends after the current step.
    void Terminate() override;
    // Drains every pending event, then calls OnCycle once (it must be set).
    void Step() override;
};

// Sleeps until an event arrives; cycles on expose events, or after every event when asked.
class TOpenGlStaticLoop : public TOpenGlGenericLoop {
public:
    // Pushes a quit event so that a loop asleep in SDL_WaitEvent wakes and ends.
    void Terminate() override;
    void Step() override;

    bool CycleAfterEvent = false;
};
