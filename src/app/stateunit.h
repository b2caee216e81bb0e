// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Game screens as event listeners, switching between them, and the shared globals.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <functional>
#include <optional>

class TKeyState;
class TScreen;
class TOpenGlGenericLoop;
class TOpenGlRealTimeLoop;
class TGenericMediaManager;

// The objects every part of the game reaches; the record owns none of them.
struct TGlobal {
    TKeyState* KeyState = nullptr;
    TScreen* Screen = nullptr;
    TOpenGlRealTimeLoop* Loop = nullptr;
    TGenericMediaManager* MediaManager = nullptr;
    int32_t MouseX = 0;
    int32_t MouseY = 0;
    // Drawn over every screen's frame just before it is shown (the volume indicator).
    std::function<void()> FrameOverlay;
    // Whether the screens draw their frame-rate counter (a setting).
    bool ShowFps = true;
    // The player's choice of the facing marker in play; none leaves it to the difficulty.
    std::optional<bool> FacingMarker = std::nullopt;
};

extern TGlobal Global;

class TEventListener {
public:
    virtual ~TEventListener() = default;

    virtual void Enter() = 0;
    virtual void Leave() = 0;
    virtual void Cycle() = 0;
    virtual void KeyDown(SDL_KeyboardEvent& event) = 0;
    virtual void KeyUp(SDL_KeyboardEvent& event) = 0;
    virtual void MouseButtonDown(SDL_MouseButtonEvent& event) = 0;
    virtual void MouseButtonUp(SDL_MouseButtonEvent& event) = 0;
    virtual void MouseMove(SDL_MouseMotionEvent& event) = 0;
    // The window lost the focus or was iconified; only play has something to pause.
    virtual void FocusLost() {}
    // True while typed characters go into a text field, not to the keys that hold everywhere.
    virtual bool TakesText() const { return false; }

    bool Active = false; // true exactly while this is the current listener
};

// The four screens of the game, made once at start-up; none until then.
extern TEventListener* MainStatus;
extern TEventListener* IntroStatus;
extern TEventListener* LevelStatus;
extern TEventListener* GameOverStatus;
// The self-playing demo the title turns into when left alone; none where it is not made.
extern TEventListener* DemoStatus;
// The options window over the title; none where it is not made.
extern TEventListener* OptionsStatus;
extern TEventListener* CurrentListener;

// Leaves the current listener, enters the new one and wires it to the loop.
void SetCurrentListener(TEventListener* listener, TOpenGlGenericLoop* loop);
// Points the loop's handler slots at the listener's handlers.
void ConnectListener(TEventListener* listener, TOpenGlGenericLoop* loop);

// Draws Global.FrameOverlay, when set, and shows the back buffer: every screen's frame ends here.
void PresentFrame();

// Switches to a pixel overlay: origin top left, y down, depth test off.
void BeginOverlay2D(float width, float height);
// Restores the perspective projection, depth test on, model-view at identity.
void EndOverlay2D();

// Copies the event's position into Global.MouseX/MouseY, as every state does.
void RecordMousePosition(const SDL_MouseMotionEvent& event);

// The one rule for a frame's time, shared by the loop, the play screen and the replays (which
// keep the milliseconds): the signed millisecond difference of two tick readings, 0 when
// negative, as seconds never below 1e-11 so that no state ever sees a zero frame time.
uint32_t FrameMilliseconds(uint32_t lastTicks, uint32_t nowTicks);
double StepSeconds(uint32_t milliseconds);
// StepSeconds(FrameMilliseconds(lastTicks, nowTicks)).
double FrameSeconds(uint32_t lastTicks, uint32_t nowTicks);

// Each state's frame clock: measures from its previous cycle (or from SDL start).
class TFrameTimer {
public:
    // Reads SDL_GetTicks and returns the seconds since the previous call.
    double Tick();
    // The same from a given tick reading.
    double Tick(uint32_t nowTicks);

    uint32_t LastTicks = 0;
};
