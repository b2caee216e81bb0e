// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The options screen: a window over the title where the player sets the volume, the music,
// full screen, the frame-rate counter, the difficulty, the picture's sharpness, the facing
// marker and the play keys.
// Every change takes effect and is saved at once.
#pragma once

#include "app/keybindingsunit.h"
#include "app/settingsunit.h"
#include "app/stateunit.h"
#include "game/optionslayoutunit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TComforts;
class TUiDesktop;
class TUiWindow;
class TUiWidget;
class TGuiDrawer;
class TTexture;

class TOptionsStatus : public TEventListener, public TOptionsWidgets {
public:
    // layoutFile: the window's layout (media/options.xml).
    explicit TOptionsStatus(const std::string& layoutFile);
    ~TOptionsStatus() override;
    TOptionsStatus(const TOptionsStatus&) = delete;
    TOptionsStatus& operator=(const TOptionsStatus&) = delete;

    // Shows the pointer; no row has the focus until one is chosen.
    void Enter() override;
    // Hides the pointer again.
    void Leave() override;
    void Cycle() override;
    // Up, Down and Tab move the focus, Left and Right change a value, Return and space
    // activate, Back (the pad's too), Backspace and Escape return to the title; only Left and
    // Right repeat while held. While a key is awaited the next press is the key, and Escape
    // cancels.
    void KeyDown(SDL_KeyboardEvent& event) override;
    void KeyUp(SDL_KeyboardEvent& event) override;
    void MouseButtonDown(SDL_MouseButtonEvent& event) override;
    void MouseButtonUp(SDL_MouseButtonEvent& event) override;
    void MouseMove(SDL_MouseMotionEvent& event) override;
    // While a key is awaited, M, - and + are keys like any other.
    bool TakesText() const override { return Capturing.has_value(); }

    // One frame into the back buffer: the screen under the window, then the window.
    void Draw(double dt);
    // Moves the focus by steps along the rows, wrapping round.
    void MoveFocus(int steps);
    // Left (-1) or Right (+1) on the focused row.
    void ChangeFocused(int direction);
    // Return, space or a click on the row.
    void Activate(TUiWidget& widget);
    // The widgets shown as the settings say.
    void Refresh();

    // The settings as they are, and how a change is made; unset, they live here only.
    std::function<const TSettings&()> Settings;
    std::function<void(const TSettings&)> Change;
    // Draws the screen under the window; none leaves the sky.
    std::function<void(double)> DrawBackground;
    // Asks whether the picture is drawn with the window's own pixels when the settings leave
    // it to the renderer; none says no.
    std::function<bool()> ResolvesAutoToSharp;

    std::unique_ptr<TUiDesktop> Desktop;
    TUiWindow* Window = nullptr;
    // The rows in focus order.
    std::vector<TUiWidget*> Rows;
    // The action whose new key is awaited.
    std::optional<TPlayAction> Capturing;
    TFrameTimer Timer;

private:
    const TSettings& Current() const;
    // The settings as the rows show them: full screen as the screen is.
    TSettings Shown() const;
    void Apply(const TSettings& settings);
    void Capture(SDL_KeyboardEvent& event);
    void DrawFocus() const;
    void DrawKeycaps() const;

    TSettings FOwnSettings;
    // The key of the event being handled, none for the mouse.
    SDLKey FKey = SDLK_UNKNOWN;
    // Whether that event came from the pad.
    bool FFromPad = false;
    // Keys pressed here and not yet released.
    std::vector<SDLKey> FHeld;
    std::unique_ptr<TGuiDrawer> FDrawer;
    TTexture* FFont;
};

// The game's wiring of the screen: it shows the comforts' settings and makes every change
// through them (they act on it and save it) at the tick the clock reads; the field being
// played takes the difficulty chosen.
void ConnectOptions(TOptionsStatus& options, TComforts& comforts, std::function<uint32_t()> clock);
