// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/optionsstatusunit.h"

#include "app/comfortsunit.h"
#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "app/screenunit.h"
#include "game/gameunit.h"
#include "game/introstatusunit.h"
#include "game/mainstatusunit.h"
#include "game/optionslayoutunit.h"
#include "game/screenkitunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiunit.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <utility>

namespace {

// The focus colour of the wooden skin, #FFD23F.
constexpr float FocusR = 1.0f, FocusG = 0.824f, FocusB = 0.247f;

// The volume a tracker position stands for, in the settings' steps.
int VolumeOfTracker(const TUiTracker& tracker) {
    const int percent = (tracker.Position - tracker.Min) * 100 / (tracker.Max - tracker.Min);
    return (percent + 5) / 10 * 10; // the settings keep steps of 10 %
}

TMouseButton ButtonOf(const SDL_MouseButtonEvent& event) {
    switch (event.button) {
    case SDL_BUTTON_LEFT:
        return mbLeft;
    case SDL_BUTTON_MIDDLE:
        return mbMiddle;
    case SDL_BUTTON_RIGHT:
        return mbRight;
    default:
        return mbNone;
    }
}

} // namespace

TOptionsStatus::TOptionsStatus(const std::string& layoutFile)
    : Desktop(std::make_unique<TUiDesktop>()),
      FDrawer(std::make_unique<TGuiDrawer>(*Global.MediaManager)), FFont(FetchTexture("font")) {
    Window = Desktop->Add(LoadOptionsWindow(layoutFile));
    static_cast<TOptionsWidgets&>(*this) = FindOptionsWidgets(*Window);
    Rows = {Volume, Music, FullScreen, Fps, Difficulty, Sharp, Facing};
    Rows.insert(Rows.end(), std::begin(KeyRows), std::end(KeyRows));
    Rows.insert(Rows.end(), {Defaults, Back});
    // The layout gives the tracker's range; an empty one would divide by nothing.
    if (Volume->Max <= Volume->Min) {
        WriteLog("The volume tracker's range is empty: 0 to 100 stands in");
        Volume->Min = 0;
        Volume->Max = 100;
    }
    Volume->ShowPosition = false; // the label beside it says the volume

    Volume->OnChange = [this](TUiWidget&) {
        TSettings s = Shown();
        s.Volume = VolumeOfTracker(*Volume);
        Apply(s);
    };
    for (TUiCheckBox* box : {Music, FullScreen, Fps})
        box->OnClick = [this](TUiWidget&) {
            TSettings s = Shown();
            s.MusicMuted = !Music->Checked;
            s.FullScreen = FullScreen->Checked;
            s.ShowFps = Fps->Checked;
            Apply(s);
        };
    Sharp->OnClick = [this](TUiWidget&) {
        TSettings s = Shown();
        s.RenderSize = Sharp->Checked ? TRenderSize::Native : TRenderSize::Design;
        Apply(s);
    };
    Facing->OnClick = [this](TUiWidget&) {
        TSettings s = Shown();
        s.FacingMarker = Facing->Checked;
        Apply(s);
    };
    for (TUiButton* button : {Difficulty, Defaults, Back})
        button->OnClick = [this](TUiWidget& sender) { Activate(sender); };
    for (TUiButton* row : KeyRows)
        row->OnClick = [this](TUiWidget& sender) { Activate(sender); };
}

TOptionsStatus::~TOptionsStatus() = default;

void TOptionsStatus::Enter() {
    SDL_ShowCursor(SDL_ENABLE);
    FHeld.clear();
    Capturing.reset();
    Message->Caption.clear();
    Desktop->ClearFocus();
    Refresh();
    Timer.LastTicks = SDL_GetTicks();
}

void TOptionsStatus::Leave() {
    SDL_ShowCursor(SDL_DISABLE);
    Capturing.reset();
    PlaySound("x2");
}

void TOptionsStatus::Cycle() {
    Draw(Timer.Tick());
    PresentFrame();
}

const TSettings& TOptionsStatus::Current() const {
    return Settings ? Settings() : FOwnSettings;
}

TSettings TOptionsStatus::Shown() const {
    TSettings s = Current();
    // The file keeps the player's choice; a -fs start or a failed switch is no choice.
    if (Global.Screen != nullptr) s.FullScreen = Global.Screen->FullScreen;
    return s;
}

void TOptionsStatus::Apply(const TSettings& settings) {
    if (Change)
        Change(settings);
    else
        FOwnSettings = settings;
    Refresh();
}

void TOptionsStatus::Refresh() {
    const TSettings s = Shown();
    Volume->Position = Volume->Min + s.Volume * (Volume->Max - Volume->Min) / 100;
    Music->Checked = !s.MusicMuted;
    FullScreen->Checked = s.FullScreen;
    Fps->Checked = s.ShowFps;
    Sharp->Checked = ResolvesNative(s.RenderSize, !ResolvesAutoToSharp || !ResolvesAutoToSharp());
    Facing->Checked = ShowsFacingMarker(s.Difficulty, s.FacingMarker);
    Difficulty->Caption = std::string("Difficulty: ") + DifficultyLabel(s.Difficulty);
    VolumeLabel->Caption = "Volume " + std::to_string(s.Volume) + "%";
}

void TOptionsStatus::MoveFocus(int steps) {
    const auto at = std::find(Rows.begin(), Rows.end(), Desktop->Focused);
    const int count = static_cast<int>(Rows.size());
    // With no row focused, Down comes to the first row and Up to the last.
    const int from = at != Rows.end() ? static_cast<int>(at - Rows.begin())
                     : steps > 0      ? -1
                                      : count;
    Rows[static_cast<size_t>(((from + steps) % count + count) % count)]->SetFocus();
}

void TOptionsStatus::ChangeFocused(int direction) {
    TUiWidget* focused = Desktop->Focused;
    if (focused == Volume) {
        TSettings s = Shown();
        s.Volume = StepVolume(s.Volume, direction);
        Apply(s);
    } else if (focused == Music || focused == FullScreen || focused == Fps ||
               focused == Difficulty || focused == Sharp || focused == Facing) {
        Activate(*focused);
    }
}

void TOptionsStatus::Activate(TUiWidget& widget) {
    widget.SetFocus();
    if (auto* box = dynamic_cast<TUiCheckBox*>(&widget)) {
        box->Checked = !box->Checked;
        box->OnClick(*box);
    } else if (&widget == Difficulty) {
        TSettings s = Shown();
        s.Difficulty =
            s.Difficulty == TDifficulty::Classic ? TDifficulty::Gentle : TDifficulty::Classic;
        Apply(s);
    } else if (&widget == Defaults) {
        TSettings s = Shown();
        s.Keys = TKeyBindings();
        Apply(s);
        Message->Caption = "Every play key is back to its default";
    } else if (&widget == Back) {
        ReturnToTitle(FKey);
    } else if (const auto row = std::find(std::begin(KeyRows), std::end(KeyRows), &widget);
               row != std::end(KeyRows)) {
        Capturing = static_cast<TPlayAction>(row - std::begin(KeyRows));
        Message->Caption = std::string("Press a key for ") + ActionLabel(*Capturing) +
                           (FFromPad ? " (B cancels)" : " (Escape cancels)");
    }
}

void TOptionsStatus::Capture(SDL_KeyboardEvent& event) {
    // The key that chose the row may still be repeating.
    if (std::find(FHeld.begin(), FHeld.end(), event.keysym.sym) != FHeld.end()) return;
    const TPlayAction action = *Capturing;
    const SDLKey key = event.keysym.sym;
    // The pad has no keys to give: its Back and B (a key of no meaning) only cancel.
    const bool padCancels = FromPad(event) && (key == SDLK_p || key == SDLK_UNKNOWN);
    if (FromPad(event) && !padCancels) return;
    Capturing.reset();
    if (key == SDLK_ESCAPE || padCancels) {
        Message->Caption.clear();
        return;
    }
    TSettings s = Shown();
    const SDLKey old = s.Keys.Key(action);
    switch (s.Keys.Rebind(action, key)) {
    case TRebind::Refused:
        Message->Caption = KeyName(key) + " works on every screen: choose another key";
        return;
    case TRebind::Swapped:
        Message->Caption = std::string(ActionLabel(*s.Keys.ActionOf(old))) + " takes " +
                           KeyName(old) + " in exchange";
        break;
    case TRebind::Bound:
        Message->Caption.clear();
        break;
    }
    Apply(s);
}

void TOptionsStatus::KeyDown(SDL_KeyboardEvent& event) {
    if (Capturing) return Capture(event);
    FKey = event.keysym.sym;
    const bool pad = FromPad(event);
    FFromPad = pad;
    // Only Left and Right repeat while held: a held key moves the focus, or ticks a box, once.
    const bool stepsValue = FKey == SDLK_LEFT || FKey == SDLK_RIGHT;
    if (!stepsValue && std::find(FHeld.begin(), FHeld.end(), FKey) != FHeld.end()) return;
    if (!stepsValue) FHeld.push_back(FKey);
    switch (event.keysym.sym) {
    case SDLK_ESCAPE:
    case SDLK_BACKSPACE:
        return Activate(*Back);
    case SDLK_UP:
        return MoveFocus(-1);
    case SDLK_DOWN:
        return MoveFocus(1);
    case SDLK_TAB:
        return MoveFocus((event.keysym.mod & KMOD_SHIFT) != 0 ? -1 : 1);
    case SDLK_LEFT:
        return ChangeFocused(-1);
    case SDLK_RIGHT:
        return ChangeFocused(1);
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        if (Desktop->Focused != nullptr) Activate(*Desktop->Focused);
        return;
    case SDLK_LCTRL: // the pad's south button
        if (pad && Desktop->Focused != nullptr) Activate(*Desktop->Focused);
        return;
    case SDLK_p: // the pad's Back button
        if (pad) Activate(*Back);
        return;
    default:
        return;
    }
}

void TOptionsStatus::KeyUp(SDL_KeyboardEvent& event) {
    std::erase(FHeld, event.keysym.sym);
}

void TOptionsStatus::MouseButtonDown(SDL_MouseButtonEvent& event) {
    if (Capturing) {
        Capturing.reset();
        Message->Caption.clear();
    }
    TUiWidget* before = Desktop->Focused;
    FKey = SDLK_UNKNOWN;
    FFromPad = false;
    // A press on the volume tracker takes the value under it and holds it for a drag, instead
    // of the toolkit's one step towards it.
    const int x = event.x - (Window->Left + Window->MarginLeft + Volume->Left);
    const int y = event.y - (Window->Top + Window->MarginTop + Volume->Top);
    if (x >= 0 && x < Volume->GetWidth() && y >= 0 && y < Volume->GetHeight()) {
        const int track = Volume->GetWidth() - 2 * Volume->Margin;
        const int half = track / std::max(2 * (Volume->Max - Volume->Min), 1);
        Volume->SetFocus();
        Volume->Position = std::clamp(Volume->XToPosition(x + half), Volume->Min, Volume->Max);
        Volume->Dragging = true;
        Volume->OnChange(*Volume);
        return;
    }
    Desktop->MouseDown(event.x, event.y, ButtonOf(event));
    // Only the rows take the focus; a click elsewhere leaves it where it was.
    if (std::find(Rows.begin(), Rows.end(), Desktop->Focused) == Rows.end())
        Desktop->SetFocused(before);
}

void TOptionsStatus::MouseButtonUp(SDL_MouseButtonEvent& event) {
    Desktop->MouseUp(event.x, event.y, ButtonOf(event));
}

void TOptionsStatus::MouseMove(SDL_MouseMotionEvent& event) {
    RecordMousePosition(event);
    Desktop->MouseMove(event.x, event.y);
}

void TOptionsStatus::Draw(double dt) {
    if (DrawBackground)
        DrawBackground(dt);
    else
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    Refresh();
    FDrawer->Draw(*Desktop);
    DrawFocus();
    DrawKeycaps();
    EndOverlay2D();
}

void TOptionsStatus::DrawFocus() const {
    const TUiWidget* focused = Desktop->Focused;
    if (focused == nullptr) return;
    const float x = static_cast<float>(Window->Left + Window->MarginLeft + focused->Left) - 3;
    const float y = static_cast<float>(Window->Top + Window->MarginTop + focused->Top) - 3;
    const float w = static_cast<float>(focused->GetWidth()) + 6;
    const float h = static_cast<float>(focused->GetHeight()) + 6;
    FillOverlayRect(x, y, w, 2, FocusR, FocusG, FocusB);
    FillOverlayRect(x, y + h - 2, w, 2, FocusR, FocusG, FocusB);
    FillOverlayRect(x, y, 2, h, FocusR, FocusG, FocusB);
    FillOverlayRect(x + w - 2, y, 2, h, FocusR, FocusG, FocusB);
}

void TOptionsStatus::DrawKeycaps() const {
    const TKeyBindings& keys = Current().Keys;
    for (int i = 0; i < PlayActionCount; ++i) {
        const TUiButton& row = *KeyRows[i];
        const auto action = static_cast<TPlayAction>(i);
        const bool waiting = Capturing == action;
        const std::string text = waiting ? "press a key" : KeyName(keys.Key(action));
        const float w = static_cast<float>(std::max<size_t>(24, text.size() * 7 + 12));
        const float x =
            static_cast<float>(Window->Left + Window->MarginLeft + row.Left + row.GetWidth()) - w -
            12;
        const float y = static_cast<float>(Window->Top + Window->MarginTop + row.Top) + 6;
        // A light cap on a darker rim, its corners cut round.
        FillOverlayRect(x + 1, y, w - 2, 20, 0.35f, 0.23f, 0.12f);
        FillOverlayRect(x, y + 1, w, 18, 0.35f, 0.23f, 0.12f);
        if (waiting)
            FillOverlayRect(x + 1, y + 1, w - 2, 18, FocusR, FocusG, FocusB);
        else
            FillOverlayRect(x + 1, y + 1, w - 2, 18, 0.95f, 0.92f, 0.85f);
        DrawFontText(FFont, static_cast<int32_t>(x) + 6, static_cast<int32_t>(y) + 6, text, 0.23f,
                     0.23f, 0.23f);
    }
}

void ConnectOptions(TOptionsStatus& options, TComforts& comforts, std::function<uint32_t()> clock) {
    options.Settings = [&comforts]() -> const TSettings& { return comforts.Settings(); };
    options.Change = [&comforts, clock = std::move(clock)](const TSettings& changed) {
        comforts.Change(changed, clock());
        if (TBaseList* world = PlayWorld();
            world != nullptr && world->Difficulty != changed.Difficulty)
            world->SetDifficulty(changed.Difficulty);
    };
}
