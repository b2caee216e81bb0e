// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/optionsstatusunit.h"

#include "app/comfortsunit.h"
#include "app/screenunit.h"
#include "game/gameunit.h"
#include "game/introstatusunit.h"
#include "game/mainstatusunit.h"
#include "gui/guiunit.h"
#include "support/gamescreen.h"
#include "support/pixelcheck.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

const TRgba Background{30, 60, 200, 255};
const TRgba Focus{255, 210, 63, 255};

// The options window with the game's own skin and layout over a one-colour title, its
// changes made through the comforts as in the game.
class OptionsScreen : public ::testing::Test {
protected:
    OptionsScreen() {
        std::filesystem::create_directories(S.Dir.Path() / "media");
        for (const char* name : {"interf3", "interf4", "interf6", "interftick"})
            std::filesystem::copy_file(std::string(QUELMARK_MEDIA_DIR) + "/" + name + ".png",
                                       S.Dir.Path() / "media" / (std::string(name) + ".png"));
        WritePicture(S.Dir, "font", CodedFont());
        Comforts.emplace(TSettings{}, (S.Dir.Path() / "settings").string(), nullptr);
        Options.emplace(std::string(QUELMARK_MEDIA_DIR) + "/options.xml");
        ConnectOptions(*Options, *Comforts, [] { return 1000u; });
        Options->DrawBackground = [this](double) { S.Fill(Background); };
        SetCurrentListener(&*Options, &S.Loop);
    }
    ~OptionsScreen() override {
        CurrentListener = nullptr;
        Global.ShowFps = true;
        Global.Screen = nullptr;
    }

    void Press(SDLKey key) {
        SDL_KeyboardEvent event = TGameScreen::Key(key);
        Options->KeyDown(event);
        Options->KeyUp(event);
    }
    // The top-left corner of the focus outline around a row.
    std::array<uint8_t, 4> OutlineOf(const TUiWidget& row) const {
        const TUiWindow& w = *Options->Window;
        return S.Window.Pixel(w.Left + w.MarginLeft + row.Left - 2,
                              w.Top + w.MarginTop + row.Top - 2);
    }
    const TKeyBindings& Keys() const { return Comforts->Settings().Keys; }
    // The settings file once the waiting change is written, as on the way out.
    TSettings Saved() {
        Comforts->SaveNow();
        return LoadSettings((S.Dir.Path() / "settings").string());
    }

    TGameScreen S;
    std::optional<TComforts> Comforts;
    std::optional<TOptionsStatus> Options;
};

TEST_F(OptionsScreen, TheWindowLiesOverTheTitleAndTheFocusFollowsDown) {
    Options->Draw(0.02);
    EXPECT_TRUE(NearColour(S.Window.Pixel(100, 300), Background));
    EXPECT_FALSE(NearColour(S.Window.Pixel(400, 300), Background));
    EXPECT_FALSE(NearColour(OutlineOf(*Options->Volume), Focus)) << "no row before a key";
    Press(SDLK_DOWN);
    Options->Draw(0.02);
    EXPECT_TRUE(NearColour(OutlineOf(*Options->Volume), Focus));
    Press(SDLK_DOWN);
    Options->Draw(0.02);
    EXPECT_FALSE(NearColour(OutlineOf(*Options->Volume), Focus));
    EXPECT_TRUE(NearColour(OutlineOf(*Options->Music), Focus));
    Press(SDLK_UP);
    Press(SDLK_UP);
    EXPECT_EQ(Options->Desktop->Focused, Options->Back) << "the rows wrap round";
}

TEST_F(OptionsScreen, AHeldKeyMovesTheFocusOnceButStepsTheVolumeAgain) {
    SDL_KeyboardEvent down = TGameScreen::Key(SDLK_DOWN);
    Options->KeyDown(down);
    Options->KeyDown(down); // the keyboard's repeat
    EXPECT_EQ(Options->Desktop->Focused, Options->Volume);
    SDL_KeyboardEvent left = TGameScreen::Key(SDLK_LEFT);
    Options->KeyDown(left);
    Options->KeyDown(left);
    EXPECT_EQ(Comforts->Settings().Volume, 80);
    Options->KeyUp(down);
    Options->KeyDown(down);
    EXPECT_EQ(Options->Desktop->Focused, Options->Music);
}

TEST_F(OptionsScreen, LeftAndRightStepTheVolumeAndTheFileKeepsIt) {
    Press(SDLK_DOWN);
    Press(SDLK_LEFT);
    Press(SDLK_LEFT);
    EXPECT_EQ(Comforts->Settings().Volume, 80);
    EXPECT_EQ(Saved().Volume, 80);
    Press(SDLK_RIGHT);
    EXPECT_EQ(Options->Volume->Position, 90);
    EXPECT_TRUE(Comforts->ShowsVolume(1000)) << "the plaque shows the change";
}

TEST_F(OptionsScreen, TheCounterCheckBoxHidesTheCounterOfTheScreenBelow) {
    TIntroStatus title;
    Options->DrawBackground = [&title](double dt) { title.Draw(dt); };
    Options->Draw(0.15);
    EXPECT_EQ(S.ReadText(10, 10, 6), "FPS: 7");
    Options->Activate(*Options->Fps);
    EXPECT_FALSE(Global.ShowFps);
    Options->Draw(0.15);
    EXPECT_EQ(S.ReadText(10, 10, 6), std::string(6, '\0'));
}

TEST_F(OptionsScreen, TheSharpBoxShowsWhatAutoMeansHereAndSavesAChoice) {
    EXPECT_FALSE(Options->Sharp->Checked) << "auto, with no screen to ask, is 800 x 600";
    bool hardware = true;
    Options->ResolvesAutoToSharp = [&hardware] { return hardware; };
    Options->Refresh();
    EXPECT_TRUE(Options->Sharp->Checked);
    Options->Activate(*Options->Sharp);
    EXPECT_EQ(Saved().RenderSize, TRenderSize::Design);
    hardware = false;
    Options->Activate(*Options->Sharp);
    EXPECT_TRUE(Options->Sharp->Checked) << "a choice outweighs the renderer";
    EXPECT_EQ(Saved().RenderSize, TRenderSize::Native);
}

TEST_F(OptionsScreen, TheSharpAndFacingBoxesComeBetweenDifficultyAndTheKeys) {
    Options->Difficulty->SetFocus();
    Press(SDLK_DOWN);
    Options->Draw(0.02);
    EXPECT_TRUE(NearColour(OutlineOf(*Options->Sharp), Focus));
    EXPECT_FALSE(NearColour(OutlineOf(*Options->Difficulty), Focus));
    Press(SDLK_RIGHT);
    EXPECT_EQ(Comforts->Settings().RenderSize, TRenderSize::Native);
    Press(SDLK_DOWN);
    EXPECT_EQ(Options->Desktop->Focused, Options->Facing);
    Press(SDLK_DOWN);
    EXPECT_EQ(Options->Desktop->Focused, Options->KeyRows[0]);
}

// Unchosen, the box shows what the difficulty gives; a tick or untick is kept as a choice.
TEST_F(OptionsScreen, TheFacingBoxFollowsTheDifficultyUntilChosen) {
    EXPECT_FALSE(Options->Facing->Checked);
    Options->Activate(*Options->Difficulty);
    EXPECT_TRUE(Options->Facing->Checked) << "Gentle shows the marker";
    Options->Activate(*Options->Facing);
    EXPECT_EQ(Saved().FacingMarker, false);
    Options->Activate(*Options->Difficulty);
    Options->Activate(*Options->Facing);
    EXPECT_EQ(Comforts->Settings().FacingMarker, true);
    EXPECT_EQ(Comforts->Settings().Difficulty, TDifficulty::Classic);
}

TEST_F(OptionsScreen, ARowTakesTheNextKeyAndAHeldKeySwapsTheTwo) {
    Options->KeyRows[static_cast<int>(TPlayAction::Swing)]->SetFocus();
    SDL_KeyboardEvent enter = TGameScreen::Key(SDLK_RETURN);
    Options->KeyDown(enter);
    Options->KeyDown(enter); // its repeat is no key to bind
    EXPECT_TRUE(Options->Capturing);
    EXPECT_EQ(Options->Message->Caption, "Press a key for Swing (Escape cancels)");
    Options->KeyUp(enter);
    EXPECT_TRUE(Options->TakesText()) << "M and the volume keys may not act meanwhile";
    Press(SDLK_UP);
    EXPECT_EQ(Keys().Key(TPlayAction::Swing), SDLK_UP);
    EXPECT_EQ(Keys().Key(TPlayAction::Forwards), SDLK_LCTRL);
    EXPECT_FALSE(Options->Capturing);
    EXPECT_EQ(Saved().Keys, Keys());
    Options->Activate(*Options->Defaults);
    EXPECT_EQ(Keys(), TKeyBindings());
}

TEST_F(OptionsScreen, AReservedKeyIsRefusedWithAWordAndEscapeCancels) {
    Options->Activate(*Options->KeyRows[0]);
    Press(SDLK_SPACE);
    EXPECT_EQ(Options->Message->Caption, "space works on every screen: choose another key");
    EXPECT_EQ(Keys(), TKeyBindings());
    Options->Activate(*Options->KeyRows[0]);
    Press(SDLK_ESCAPE);
    EXPECT_EQ(Keys(), TKeyBindings());
    EXPECT_EQ(CurrentListener, &*Options) << "Escape only ended the capture";
    EXPECT_EQ(Options->Message->Caption, "");
    Press(SDLK_ESCAPE);
    EXPECT_EQ(CurrentListener, &S.Intro);
}

TEST_F(OptionsScreen, ThePadMovesWithTheDpadAndGoesBackWithBack) {
    SDL_KeyboardEvent south = TGameScreen::Key(SDLK_LCTRL);
    Options->KeyDown(south);
    EXPECT_EQ(Options->Desktop->Focused, nullptr) << "Ctrl from the keyboard does nothing";
    Options->KeyUp(south);
    Press(SDLK_DOWN);
    Press(SDLK_DOWN);
    south.which = PadKeyboard;
    Options->KeyDown(south);
    EXPECT_TRUE(Comforts->Settings().MusicMuted);
    SDL_KeyboardEvent back = TGameScreen::Key(SDLK_p);
    back.which = PadKeyboard;
    Options->KeyDown(back);
    EXPECT_EQ(CurrentListener, &S.Intro);
}

// A key another action holds: the two swap, and the message names the key the other action
// gets back, the one the chosen action gave up.
struct TSwapCase {
    TPlayAction Action;
    SDLKey Pressed;
    TPlayAction Other; // held the pressed key
    std::string Message;
};

void PrintTo(const TSwapCase& c, std::ostream* out) {
    *out << ActionLabel(c.Action) << " to " << KeyName(c.Pressed);
}

class OptionsSwap : public OptionsScreen, public ::testing::WithParamInterface<TSwapCase> {};

TEST_P(OptionsSwap, NamesTheKeyTheOtherActionTakes) {
    const TSwapCase& c = GetParam();
    const SDLKey given = Keys().Key(c.Action);
    Options->Activate(*Options->KeyRows[static_cast<int>(c.Action)]);
    Press(c.Pressed);
    EXPECT_EQ(Keys().Key(c.Action), c.Pressed);
    EXPECT_EQ(Options->Message->Caption, c.Message);
    EXPECT_EQ(Keys().Key(c.Other), given);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OptionsSwap,
    ::testing::Values(TSwapCase{TPlayAction::Swing, SDLK_UP, TPlayAction::Forwards,
                                "Walk forwards takes left ctrl in exchange"},
                      TSwapCase{TPlayAction::TurnLeft, SDLK_RIGHT, TPlayAction::TurnRight,
                                "Turn right takes left in exchange"},
                      TSwapCase{TPlayAction::Pause, SDLK_DOWN, TPlayAction::Backwards,
                                "Walk backwards takes p in exchange"}));

TEST_F(OptionsScreen, TheChosenDifficultyReachesTheFieldBeingPlayed) {
    TMainStatus play;
    MainStatus = &play;
    TBaseList& world = play.World();
    const auto hunterRadius = [&world] {
        for (int i = 0; i < world.Count(); ++i)
            if (const auto* ram = dynamic_cast<const TWolf*>(&world.Items(i)); ram && ram->Hunter)
                return ram->ChaseRadius;
        return -1.0f;
    };
    ASSERT_EQ(hunterRadius(), HunterChaseRadius) << "a hunter on the first level";
    Options->Activate(*Options->Difficulty);
    EXPECT_EQ(Comforts->Settings().Difficulty, TDifficulty::Gentle);
    EXPECT_EQ(world.Difficulty, TDifficulty::Gentle);
    EXPECT_EQ(hunterRadius(), GuardChaseRadius) << "Gentle keeps the first levels' rams near";
    Options->Activate(*Options->Difficulty);
    EXPECT_EQ(world.Difficulty, TDifficulty::Classic);
    EXPECT_EQ(hunterRadius(), HunterChaseRadius);
    MainStatus = &S.Play;
}

// A player with only a pad must not be held in a capture it cannot end.
TEST_F(OptionsScreen, ThePadsBackOrBCancelsAKeyCapture) {
    for (const SDLKey padKey : {SDLK_p, SDLK_UNKNOWN}) {
        Options->Activate(*Options->KeyRows[0]);
        SDL_KeyboardEvent event = TGameScreen::Key(padKey);
        event.which = PadKeyboard;
        Options->KeyDown(event);
        Options->KeyUp(event);
        EXPECT_FALSE(Options->Capturing) << KeyName(padKey);
        EXPECT_EQ(Keys(), TKeyBindings());
        EXPECT_EQ(CurrentListener, &*Options) << "only the capture ended";
    }
    Options->Activate(*Options->KeyRows[0]);
    SDL_KeyboardEvent south = TGameScreen::Key(SDLK_LCTRL);
    south.which = PadKeyboard;
    Options->KeyDown(south);
    EXPECT_TRUE(Options->Capturing) << "the pad's other buttons are no keys";
    EXPECT_EQ(Keys(), TKeyBindings());
}

// After -fs the screen is full while the file says a window; after a failed full-screen start,
// the other way round. The box shows the screen, and the file keeps the player's choice.
TEST_F(OptionsScreen, TheFullScreenBoxShowsTheScreenNotTheFile) {
    const std::string file = (S.Dir.Path() / "settings").string();
    for (const bool full : {true, false}) {
        TSettings settings;
        settings.FullScreen = !full;
        Comforts.emplace(settings, file, nullptr);
        TScreen screen("", 800, 600, 16, full, 500.0f);
        Global.Screen = &screen;
        Options->Refresh();
        EXPECT_EQ(Options->FullScreen->Checked, full);
        Options->Activate(*Options->Fps);
        EXPECT_EQ(Options->FullScreen->Checked, full);
        EXPECT_EQ(Saved().FullScreen, !full);
        Global.Screen = nullptr;
    }
}

// A press on the tracker takes the value under it, and only the focused row looks focused.
TEST_F(OptionsScreen, AClickOnTheTrackerSetsTheVolumeUnderItAndLabelsStayPlain) {
    const TUiTracker& t = *Options->Volume;
    const int left = Options->Window->Left + Options->Window->MarginLeft + t.Left;
    const int top = Options->Window->Top + Options->Window->MarginTop + t.Top;
    for (const auto& [percent, expected] : {std::pair{30, 30}, {70, 70}, {0, 0}, {100, 100}}) {
        SDL_MouseButtonEvent click{SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT, SDL_PRESSED, 0, 0};
        click.x =
            static_cast<Uint16>(left + t.PositionToX(t.Min + percent * (t.Max - t.Min) / 100));
        click.y = static_cast<Uint16>(top + 5);
        Options->MouseButtonDown(click);
        Options->MouseButtonUp(click);
        EXPECT_EQ(Comforts->Settings().Volume, expected) << percent;
    }
    const TUiWidget& label = *Options->Window->FindByName("keyslabel");
    const auto labelPixels = [&] {
        Options->Draw(0.02);
        std::vector<std::array<uint8_t, 4>> pixels;
        for (int x = 0; x < 360; ++x)
            pixels.push_back(
                S.Window.Pixel(left - t.Left + label.Left + x, top - t.Top + label.Top + 3));
        return pixels;
    };
    Options->Desktop->ClearFocus();
    const auto plain = labelPixels();
    for (TUiWidget* row :
         {static_cast<TUiWidget*>(Options->Sharp), static_cast<TUiWidget*>(Options->Facing)}) {
        row->SetFocus();
        EXPECT_EQ(labelPixels(), plain) << row->Name;
    }
}

} // namespace
