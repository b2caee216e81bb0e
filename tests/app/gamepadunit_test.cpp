// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/gamepadunit.h"

#include "assets/animationhandlerunit.h"
#include "game/gameunit.h"
#include "game/mainstatusunit.h"
#include "support/gamescreen.h"

#include <gtest/gtest.h>

namespace {

using TKeys = std::vector<std::pair<SDLKey, bool>>;

SDL_Event Axis(uint8_t axis, int16_t value) {
    SDL_Event event{};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = axis;
    event.jaxis.value = value;
    return event;
}

SDL_Event Hat(uint8_t value) {
    SDL_Event event{};
    event.type = SDL_JOYHATMOTION;
    event.jhat.value = value;
    return event;
}

SDL_Event Button(uint8_t button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.button = button;
    event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

struct TStep {
    SDL_Event Event;
    TKeys Keys; // what this event turns into
    bool NameEntry = false;
    bool Title = false;
};

struct TScript {
    const char* Name;
    std::vector<TStep> Steps;
};

void PrintTo(const TScript& script, std::ostream* out) {
    *out << script.Name;
}

class PadMapping : public ::testing::TestWithParam<TScript> {};

TEST_P(PadMapping, EventsBecomeKeyPressesAndReleases) {
    TGamepadMapper mapper;
    int step = 0;
    for (const TStep& s : GetParam().Steps) {
        TKeys keys;
        for (const TPadKey& key : mapper.Translate(s.Event, s.NameEntry, s.Title))
            keys.emplace_back(key.Key, key.Pressed);
        EXPECT_EQ(keys, s.Keys) << "step " << step;
        ++step;
    }
}

using B = TGamepadMapper::TButton;
constexpr int16_t Zone = 8192; // a quarter of the stick's travel either way

const TScript Scripts[] = {
    {"StickDeadZoneIsAQuarter",
     {{Axis(0, -(Zone - 1)), {}},
      {Axis(0, -Zone), {{SDLK_LEFT, true}}},
      {Axis(0, 0), {{SDLK_LEFT, false}}},
      {Axis(0, Zone - 1), {}},
      {Axis(0, Zone), {{SDLK_RIGHT, true}}},
      {Axis(0, -32768), {{SDLK_LEFT, true}, {SDLK_RIGHT, false}}},
      {Axis(1, -Zone), {{SDLK_UP, true}}},
      {Axis(1, 32767), {{SDLK_UP, false}, {SDLK_DOWN, true}}},
      {Axis(2, 32767), {}}}},
    {"HatDiagonalsHoldTwoArrows",
     {{Hat(SDL_HAT_LEFTUP), {{SDLK_LEFT, true}, {SDLK_UP, true}}},
      {Hat(SDL_HAT_UP), {{SDLK_LEFT, false}}},
      {Hat(SDL_HAT_CENTERED), {{SDLK_UP, false}}}}},
    {"HatDiagonalBackToCentreReleasesBothArrows",
     {{Hat(SDL_HAT_LEFTUP), {{SDLK_LEFT, true}, {SDLK_UP, true}}},
      {Hat(SDL_HAT_CENTERED), {{SDLK_LEFT, false}, {SDLK_UP, false}}},
      {Hat(SDL_HAT_RIGHTDOWN), {{SDLK_RIGHT, true}, {SDLK_DOWN, true}}},
      {Hat(SDL_HAT_CENTERED), {{SDLK_RIGHT, false}, {SDLK_DOWN, false}}}}},
    {"SourcesHoldTheirOwnArrows",
     {{Axis(0, -32768), {{SDLK_LEFT, true}}},
      {Button(B::DpadLeft, true), {}},
      {Hat(SDL_HAT_LEFT), {}},
      {Axis(0, 0), {}},
      {Button(B::DpadLeft, false), {}},
      {Hat(SDL_HAT_CENTERED), {{SDLK_LEFT, false}}}}},
    {"SouthAndWestShareTheSwing",
     {{Button(B::South, true), {{SDLK_LCTRL, true}}},
      {Button(B::West, true), {}},
      {Button(B::South, false), {}},
      {Button(B::West, false), {{SDLK_LCTRL, false}}}}},
    // Pressed on the title, it stays D until released, wherever that happens.
    {"WestIsDOnTheTitleOnly",
     {{Button(B::West, true), {{SDLK_d, true}}, false, true},
      {Button(B::South, true), {{SDLK_LCTRL, true}}},
      {Button(B::West, false), {{SDLK_d, false}}},
      {Button(B::West, true), {}, false, false},
      {Button(B::South, false), {}},
      {Button(B::West, false), {{SDLK_LCTRL, false}}, false, true}}},
    {"StartIsSpaceOrReturnOnTheNameEntry",
     {{Button(B::Start, true), {{SDLK_SPACE, true}}},
      {Button(B::Start, false), {{SDLK_SPACE, false}}},
      {Button(B::Start, true), {{SDLK_RETURN, true}}, true},
      {Button(B::Start, false), {{SDLK_RETURN, false}}, false}}},
    {"BackIsPAndGuideNothing",
     {{Button(B::Back, true), {{SDLK_p, true}}},
      {Button(B::Back, false), {{SDLK_p, false}}},
      {Button(B::Guide, true), {}},
      {Button(B::Guide, false), {}}}},
    {"NorthIsHWhileEastIsHeld",
     {{Button(B::East, true), {{SDLK_UNKNOWN, true}}},
      {Button(B::North, true), {{SDLK_h, true}}},
      {Button(B::North, false), {{SDLK_h, false}}},
      {Button(B::East, false), {{SDLK_UNKNOWN, false}}}}},
    {"OtherButtonsAreKeysOfNoMeaning",
     {{Button(9, true), {{SDLK_UNKNOWN, true}}},
      {Button(B::East, true), {}},
      {Button(9, false), {}},
      {Button(B::East, false), {{SDLK_UNKNOWN, false}}}}},
};

INSTANTIATE_TEST_SUITE_P(Scripts, PadMapping, ::testing::ValuesIn(Scripts),
                         [](const auto& info) { return std::string(info.param.Name); });

// Pushed joystick events through the real loop, its filter and the play screen.
class PadInPlay : public ::testing::Test {
protected:
    PadInPlay() {
        // Other tests' windows on the shared display may take the focus, and a focus loss
        // would pause play under the test.
        S.Loop.OnEvent = [this](SDL_Event& event) {
            return event.type == SDL_ACTIVEEVENT || Pad.Filter(event);
        };
        MainStatus = &Play;
        SetCurrentListener(&Play, &S.Loop);
    }
    ~PadInPlay() override { CurrentListener = nullptr; }

    void Push(SDL_Event event) {
        SDL_PushEvent(&event);
        S.Loop.Step();
    }
    int32_t Animation() { return Play.World().Player->Animation->Animation; }

    TGameScreen S;
    TGamepad Pad;
    TMainStatus Play;
};

TEST_F(PadInPlay, ReleasingTheSwingButtonEndsTheSwingAsCtrlDoes) {
    Push(Button(B::West, true));
    EXPECT_TRUE(S.Keys.Control);
    EXPECT_TRUE(Animation() == eaAttack || Animation() == eaAttack2);
    Push(Button(B::West, false));
    EXPECT_FALSE(S.Keys.Control);
    EXPECT_EQ(Animation(), eaIdle);
}

TEST_F(PadInPlay, StickWalksAndTurnsTheViking) {
    const float heading = Play.World().Player->Heading;
    Push(Axis(1, -32768));
    Push(Axis(0, -32768));
    EXPECT_TRUE(S.Keys.Up);
    EXPECT_TRUE(S.Keys.Left);
    EXPECT_EQ(Animation(), eaWalk);
    EXPECT_GT(Play.World().Player->Heading, heading);
    Push(Axis(0, 0));
    Push(Axis(1, 0));
    EXPECT_FALSE(S.Keys.Up || S.Keys.Left);
}

} // namespace
