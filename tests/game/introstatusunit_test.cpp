// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/introstatusunit.h"

#include "game/gameunit.h"
#include "game/mainstatusunit.h"

#include "support/gamescreen.h"
#include "support/pixelcheck.h"
#include "support/wavwriter.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

// The mixer opened on SDL's silent driver, and closed again before the process ends.
class IntroScreen : public ::testing::Test {
protected:
    IntroScreen() {
        SDL_InitSubSystem(SDL_INIT_AUDIO);
        Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024);
    }
    ~IntroScreen() override {
        Mix_HaltMusic();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    TGameScreen S;
};

TEST_F(IntroScreen, MusicLoopsFromConstructionAndThePictureCoversTheWindow) {
    // The mixer plays a WAV file as music just as it plays a tracker module.
    S.Dir.WriteFile("media/yeeha.xm", MakeWav(0.2));
    WritePicture(S.Dir, "intro", SolidPicture(8, 8, {30, 60, 200, 255}));
    TIntroStatus intro;
    EXPECT_TRUE(intro.MusicPlaying());
    SDL_Delay(400); // longer than the piece: it starts over
    EXPECT_TRUE(intro.MusicPlaying());
    intro.Draw(0.02);
    for (const auto& [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}, {400, 300}})
        EXPECT_TRUE(NearColour(S.Window.Pixel(x, y), 30, 60, 200)) << x << "," << y;
}

TEST_F(IntroScreen, MissingMusicAndPicturesLeaveASilentSkyAndSayWhichFiles) {
    TIntroStatus intro;
    EXPECT_FALSE(intro.MusicPlaying());
    bool musicLogged = false;
    for (const std::string& line : S.Dir.LogMessages())
        musicLogged |= line.rfind("Unable to load music media/yeeha.xm: ", 0) == 0;
    EXPECT_TRUE(musicLogged);
    EXPECT_TRUE(S.Logged("Unable to load texture media/intro.png"));
    EXPECT_TRUE(S.Logged("Unable to load texture media/font.png"));
    intro.Draw(0.02);
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 300), 178, 255, 255));
}

TEST_F(IntroScreen, FrameRateShowsWhereThePictureIsTransparent) {
    WritePicture(S.Dir, "font", CodedFont());
    TIntroStatus intro;
    intro.Draw(0.15); // 6.67 frames a second, rounded
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += static_cast<char>(GlyphFromGrey(S.Window.Pixel(10 + 7 * i + 3, 14)[1]));
    EXPECT_EQ(text, "FPS: 7");
}

TEST_F(IntroScreen, OnlyAGentleGameMarksTheTitleUnderTheFrameRate) {
    const TRgba Mark{200, 0, 200, 255};
    WritePicture(S.Dir, "gentle", SolidPicture(4, 4, Mark));
    WritePicture(S.Dir, "intro", SolidPicture(8, 8, {30, 60, 200, 255}));
    TMainStatus play;
    MainStatus = &play;
    TIntroStatus intro;
    for (const TDifficulty difficulty : {TDifficulty::Classic, TDifficulty::Gentle}) {
        play.World().Difficulty = difficulty;
        intro.Draw(0.02);
        const bool gentle = difficulty == TDifficulty::Gentle;
        EXPECT_EQ(NearColour(S.Window.Pixel(11, 27), Mark), gentle);
        EXPECT_EQ(NearColour(S.Window.Pixel(137, 57), Mark), gentle);
        EXPECT_TRUE(NearColour(S.Window.Pixel(400, 300), 30, 60, 200));
    }
    MainStatus = &S.Play;
}

TEST_F(IntroScreen, SpaceAndEscapeInOneStepStartTheGameAndQuit) {
    TIntroStatus intro;
    SetCurrentListener(&intro, &S.Loop);
    SDL_KeyboardEvent space = TGameScreen::Key(SDLK_SPACE);
    intro.KeyDown(space);
    EXPECT_EQ(CurrentListener, &S.LevelStart);
    EXPECT_FALSE(S.Loop.Terminated);
    SDL_KeyboardEvent escape = TGameScreen::Key(SDLK_ESCAPE);
    intro.KeyDown(escape);
    EXPECT_TRUE(S.Loop.Terminated);
}

TEST_F(IntroScreen, HShowsTheTableUntilAnotherKeyAndEscapeStillQuits) {
    WritePicture(S.Dir, "font", CodedFont());
    WritePicture(S.Dir, "scores", SolidPicture(8, 8, {255, 255, 255, 255}));
    S.Dir.WriteFile("home/.quelmark/highscore", "70 Ulf\n30 Ada\n");
    TIntroStatus intro((S.Dir.Path() / "home").string());
    SetCurrentListener(&intro, &S.Loop);
    const auto press = [&](SDLKey key) {
        SDL_KeyboardEvent event = TGameScreen::Key(key);
        intro.KeyDown(event);
    };
    intro.Idle.Reset(SDL_GetTicks() - TIdleClock::DemoAfterMilliseconds + 100);
    press(SDLK_h);
    ASSERT_TRUE(intro.ShowsTable());
    EXPECT_FALSE(intro.Idle.Expired(SDL_GetTicks() + 1000)) << "the table restarts the idle clock";
    intro.Draw(0.02);
    EXPECT_EQ(S.ReadText(350, 430, 12), "*HIGHSCORES*");
    EXPECT_EQ(S.ReadText(320, 450, 2), "70");
    EXPECT_EQ(S.ReadText(390, 450, 3), "Ulf");
    EXPECT_EQ(S.ReadText(320, 460, 2), "30");
    EXPECT_EQ(S.ReadText(390, 460, 3), "Ada");
    press(SDLK_h); // the keyboard's repeat
    EXPECT_TRUE(intro.ShowsTable());
    press(SDLK_SPACE);
    EXPECT_FALSE(intro.ShowsTable());
    press(SDLK_SPACE); // its repeat starts no game
    EXPECT_EQ(CurrentListener, &intro);
    press(SDLK_h);
    ASSERT_TRUE(intro.ShowsTable());
    press(SDLK_ESCAPE);
    EXPECT_TRUE(S.Loop.Terminated);
}

TEST_F(IntroScreen, OOrThePadsBackButOnlyThePadsOpensTheOptions) {
    TVisitRecorder options;
    OptionsStatus = &options;
    TIntroStatus intro;
    SetCurrentListener(&intro, &S.Loop);
    SDL_KeyboardEvent p = TGameScreen::Key(SDLK_p);
    intro.KeyDown(p);
    EXPECT_EQ(CurrentListener, &intro);
    p.which = PadKeyboard;
    intro.KeyDown(p);
    EXPECT_EQ(CurrentListener, &options);
    SetCurrentListener(&intro, &S.Loop);
    SDL_KeyboardEvent o = TGameScreen::Key(SDLK_o);
    intro.KeyDown(o);
    EXPECT_EQ(CurrentListener, &options);
    OptionsStatus = nullptr;
}

} // namespace
