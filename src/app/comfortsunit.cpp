// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/comfortsunit.h"

#include "app/filesaveunit.h"
#include "app/keyboardunit.h"
#include "app/openglmainloop.h"
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "assets/soundunit.h"

#include <algorithm>
#include <utility>

namespace {

// After a switch, SDL (sdl12-compat) can go on repeating the key that made it although the key
// was released, and the repeats would then hold back its next real press; setting the repeat
// anew stops them.
void RestartKeyRepeat() {
    int delay = 0, interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    SDL_EnableKeyRepeat(0, 0);
    SDL_EnableKeyRepeat(delay, interval);
}

} // namespace

TComfort ComfortOf(const SDL_keysym& key, bool takingText) {
    const bool alt = (key.mod & KMOD_ALT) != 0;
    if (key.sym == SDLK_F11 || (alt && (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER)))
        return TComfort::FullScreen;
    if (takingText || alt || (key.mod & KMOD_CTRL) != 0) return TComfort::None;
    switch (key.sym) {
    case SDLK_m:
        return TComfort::MuteMusic;
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        return TComfort::VolumeDown;
    case SDLK_PLUS:
    case SDLK_EQUALS: // the plus key without shift
    case SDLK_KP_PLUS:
        return TComfort::VolumeUp;
    default:
        return TComfort::None;
    }
}

TComforts::TComforts(TSettings settings, std::string settingsFile, TScreen* screen)
    : FSettings(settings), FFile(std::move(settingsFile)), FScreen(screen) {
    Publish();
}

TComforts::~TComforts() {
    SaveNow();
}

void TComforts::Change(const TSettings& settings, uint32_t now) {
    // Full screen is asked of the screen as it is, which a -fs start may have made full
    // although the file says otherwise.
    const bool full = FScreen != nullptr ? FScreen->FullScreen : FSettings.FullScreen;
    if (settings.FullScreen != full) Apply(TComfort::FullScreen, now);
    if (settings.RenderSize != FSettings.RenderSize && FScreen != nullptr)
        FScreen->SetRenderSize(settings.RenderSize);
    const bool sound =
        settings.Volume != FSettings.Volume || settings.MusicMuted != FSettings.MusicMuted;
    const bool fullScreen = FSettings.FullScreen;
    const TSettings before = FSettings;
    FSettings = settings;
    // Full screen is what the window became, not what was asked.
    FSettings.FullScreen = fullScreen;
    if (sound) {
        FIndicatorShown = true;
        FChangedAt = now;
        SetMixVolume(FSettings.Volume, FSettings.MusicMuted);
    }
    Publish();
    if (FSettings != before) Changed(now);
}

void TComforts::Publish() const {
    Global.ShowFps = FSettings.ShowFps;
    Global.FacingMarker = FSettings.FacingMarker;
    if (Global.KeyState != nullptr) Global.KeyState->Bindings = FSettings.Keys;
}

bool TComforts::Filter(SDL_Event& event) {
    if (event.type == SDL_KEYUP) {
        std::erase(FHeldToggles, event.key.keysym.sym);
        return false;
    }
    if (event.type == SDL_VIDEORESIZE) {
        Resize(event.resize.w, event.resize.h, SDL_GetTicks());
        return true;
    }
    // Key releases may never come while another window has the focus.
    if (event.type == SDL_ACTIVEEVENT && IsFocusLoss(event.active)) FHeldToggles.clear();
    if (event.type != SDL_KEYDOWN) return false;
    const bool takingText = CurrentListener != nullptr && CurrentListener->TakesText();
    const TComfort comfort = ComfortOf(event.key.keysym, takingText);
    if (comfort == TComfort::None) return false;
    const bool toggle = comfort == TComfort::FullScreen || comfort == TComfort::MuteMusic;
    if (!toggle || FirstPress(event.key.keysym.sym)) Apply(comfort, SDL_GetTicks());
    return true;
}

bool TComforts::FirstPress(SDLKey key) {
    if (std::find(FHeldToggles.begin(), FHeldToggles.end(), key) != FHeldToggles.end())
        return false;
    FHeldToggles.push_back(key);
    return true;
}

void TComforts::Apply(TComfort comfort, uint32_t now) {
    const TSettings before = FSettings;
    switch (comfort) {
    case TComfort::FullScreen:
        if (FSwitched && now - FSwitchedAt < FullScreenSettleMilliseconds) return;
        if (FScreen == nullptr) return;
        FRefused = false;
        if (!FScreen->ToggleFullScreen()) {
            // The log says why; the player, who may never read it, sees that it failed.
            FRefused = true;
            FRefusalShownFrom.reset();
            return;
        }
        RestartKeyRepeat();
        FSettings.FullScreen = FScreen->FullScreen;
        FSwitched = true;
        FSwitchedAt = now;
        break;
    case TComfort::MuteMusic:
        FSettings.MusicMuted = !FSettings.MusicMuted;
        break;
    case TComfort::VolumeDown:
        FSettings.Volume = StepVolume(FSettings.Volume, -1);
        break;
    case TComfort::VolumeUp:
        FSettings.Volume = StepVolume(FSettings.Volume, 1);
        break;
    case TComfort::None:
        return;
    }
    if (comfort != TComfort::FullScreen) {
        // Shown even at the end of the range, so the player sees why nothing changed.
        FIndicatorShown = true;
        FChangedAt = now;
        SetMixVolume(FSettings.Volume, FSettings.MusicMuted);
    }
    if (FSettings != before) Changed(now);
}

void TComforts::ShowMutedStart(uint32_t now) {
    if (!FSettings.MusicMuted) return;
    FIndicatorShown = true;
    FChangedAt = now;
}

void TComforts::Resize(int width, int height, uint32_t now) {
    if (FScreen == nullptr) return;
    FScreen->Resize(width, height);
    if (FScreen->FullScreen) return;
    const TSettings before = FSettings;
    FSettings.WindowWidth =
        std::clamp(FScreen->WindowWidth, TSettings::MinWindowWidth, TSettings::MaxWindowSide);
    FSettings.WindowHeight =
        std::clamp(FScreen->WindowHeight, TSettings::MinWindowHeight, TSettings::MaxWindowSide);
    if (FSettings != before) Changed(now);
}

bool TComforts::ShowsVolume(uint32_t now) const {
    return FIndicatorShown && now - FChangedAt < IndicatorMilliseconds;
}

bool TComforts::ShowsRefusal(uint32_t now) {
    if (!FRefused) return false;
    if (!FRefusalShownFrom) FRefusalShownFrom = now;
    return now - *FRefusalShownFrom < RefusalMilliseconds;
}

void TComforts::Changed(uint32_t now) {
    FUnsaved = true;
    FLastChangeAt = now;
}

void TComforts::SaveWhenSettled(uint32_t now) {
    if (FUnsaved && now - FLastChangeAt >= SaveQuietMilliseconds) SaveNow();
}

void TComforts::SaveNow() {
    if (!FUnsaved) return;
    FUnsaved = false;
    if (FFile.empty()) return;
    SaveSoon({FFile}, [file = FFile, settings = FSettings] { SaveSettings(file, settings); });
}
