// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/gameoverstatusunit.h"

#include "app/openglmainloop.h"
#include "game/gameunit.h"
#include "gui/guiunit.h"
#include "support/gamescreen.h"
#include "support/pixelcheck.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A white picture with a transparent window over the name entry, as the game's has.
TPngImage GameOverPicture() {
    TPngImage picture = SolidPicture(800, 600, {255, 255, 255, 255});
    for (int y = 380; y < 420; ++y)
        for (int x = 290; x < 510; ++x)
            picture.Pixels[(y * 800 + x) * 4 + 3] = 0;
    return picture;
}

// The footer bands: saving or going back, and going back only.
TPngImage HintsPicture() {
    TPngImage picture = SolidPicture(512, 64, {255, 0, 0, 255});
    for (size_t i = 512 * 32 * 4; i < picture.Pixels.size(); i += 4)
        picture.Pixels[i] = 0, picture.Pixels[i + 2] = 255;
    return picture;
}
const TRgba SaveOrBack{255, 0, 0, 255}, BackOnly{0, 0, 255, 255};
const TRgba FocusedField{153, 230, 230, 255}, Parchment{251, 243, 220, 255};
using TFooter = TGameOverStatus::TFooter;

// Coded black text read back over the parchment rather than over white.
std::string ReadOnParchment(const TGameScreen& s, int x, int y, size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        const double green = s.Window.Pixel(x + 7 * static_cast<int>(i) + 3, y + 4)[1];
        int best = 0;
        double off = 1.5;
        for (int code = 32; code < 128; ++code) {
            const double expected =
                Parchment[1] * (255 - GlyphAlpha(static_cast<uint8_t>(code))) / 255.0;
            if (std::abs(expected - green) < off) best = code, off = std::abs(expected - green);
        }
        text += static_cast<char>(best);
    }
    return text;
}

struct TKey {
    SDLKey Sym;
    uint16_t Unicode;
};

TKey Char(char c) {
    return {static_cast<SDLKey>(c), static_cast<uint16_t>(c)};
}
const TKey Return{SDLK_RETURN, 13};
const TKey Space{SDLK_SPACE, 32};
const TKey Escape{SDLK_ESCAPE, 27};
const TKey Backspace{SDLK_BACKSPACE, 8};

std::vector<TKey> Typed(const std::string& text) {
    std::vector<TKey> keys;
    for (char c : text)
        keys.push_back(Char(c));
    return keys;
}

std::vector<TKey> operator+(std::vector<TKey> a, const std::vector<TKey>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class GameOverScreen : public testing::Test {
protected:
    GameOverScreen() {
        WritePicture(S.Dir, "font", CodedFont());
        WritePicture(S.Dir, "numbers", CodedNumbers());
        WritePicture(S.Dir, "gameover", GameOverPicture());
        WritePicture(S.Dir, "gameoverhints", HintsPicture());
        S.Dir.WriteFile("home/.quelmark/highscore", "60 top\n40 low\n");
        Screen = std::make_unique<TGameOverStatus>(World, (S.Dir.Path() / "home").string());
        GameOverStatus = Screen.get();
        World.Score = 50;
        SetCurrentListener(Screen.get(), &S.Loop);
    }

    // Pressed the given time after the screen opened: by default once it has settled.
    void Press(const std::vector<TKey>& keys, uint32_t after = 1000) {
        for (const TKey& key : keys) {
            SDL_KeyboardEvent event = TGameScreen::Key(key.Sym);
            event.keysym.unicode = key.Unicode;
            Screen->KeyDownAt(event, Screen->FreshKeys.OpenedAt() + after);
        }
    }

    std::string Table() const { return S.Dir.ReadFile("home/.quelmark/highscore"); }

    TGameScreen S;
    TBaseList World;
    std::unique_ptr<TGameOverStatus> Screen;
};

struct TKeyCase {
    const char* Title;
    std::vector<TKey> Keys;
    std::string Text;  // left in the name field
    bool FieldShown;   // name field and prompt
    int IntroEntered;  // visits of the title screen
    bool Terminated;   // the program ends
    std::string Table; // the file afterwards
};

void PrintTo(const TKeyCase& c, std::ostream* out) {
    *out << c.Title;
}

class GameOverKeys : public GameOverScreen, public testing::WithParamInterface<TKeyCase> {};

const std::string Untouched = "60 top\n40 low\n";
const std::string WithAb = "60 top\n50 ab\n40 low\n";

INSTANTIATE_TEST_SUITE_P(
    Rules, GameOverKeys,
    testing::Values(
        TKeyCase{"ReturnOnAnEmptyFieldLeavesAtOnce", {Return}, "", true, 1, false, Untouched},
        TKeyCase{"ReturnStoresTheNameAtItsRank", Typed("ab") + std::vector{Return}, "", false, 0,
                 false, WithAb},
        TKeyCase{"ASecondReturnDoesNothing", Typed("ab") + std::vector{Return, Return}, "", false,
                 0, false, WithAb},
        TKeyCase{"SpaceAfterStoringGoesToTheTitle", Typed("ab") + std::vector{Return, Space}, "",
                 false, 1, false, WithAb},
        TKeyCase{"SpaceWhileTypingIsABlank", Typed("a") + std::vector{Space} + Typed("b"), "a b",
                 true, 0, false, Untouched},
        TKeyCase{"TwentyCharactersAtMost", Typed(std::string(21, 'x')), std::string(20, 'x'), true,
                 0, false, Untouched},
        TKeyCase{"BackspaceRemovesTheLastAndNothingWhenEmpty",
                 std::vector{Backspace} + Typed("ab") + std::vector{Backspace}, "a", true, 0, false,
                 Untouched},
        TKeyCase{"EscapeQuitsWithoutSaving", Typed("ab") + std::vector{Escape}, "ab", true, 0, true,
                 Untouched},
        TKeyCase{
            "OnlyTheLowByteOfTheCharacterCounts",
            {{SDLK_UNKNOWN, 0x0141}, {SDLK_UNKNOWN, 0x00E9}, {SDLK_TAB, 9}, {SDLK_UNKNOWN, 0x017E}},
            "A~",
            true,
            0,
            false,
            Untouched}),
    [](const auto& info) { return info.param.Title; });

TEST_P(GameOverKeys, FollowTheRules) {
    const TKeyCase& c = GetParam();
    Press(c.Keys);
    EXPECT_EQ(Screen->NameEdit->Text, c.Text);
    EXPECT_EQ(Screen->NameEdit->Visible, c.FieldShown);
    EXPECT_EQ(Screen->PromptLabel->Visible, c.FieldShown);
    EXPECT_EQ(S.Intro.Entered, c.IntroEntered);
    EXPECT_EQ(S.Loop.Terminated, c.Terminated);
    EXPECT_EQ(Table(), c.Table);
}

TEST_F(GameOverScreen, LeavingStartsANewGameAndReenteringShowsTheFieldAgain) {
    Press(Typed("ab") + std::vector{Return, Space});
    EXPECT_EQ(World.Score, 0);
    EXPECT_EQ(World.Level, 1);
    EXPECT_EQ(Screen->Highscores, nullptr);

    SetCurrentListener(Screen.get(), &S.Loop);
    EXPECT_TRUE(Screen->NameEdit->Visible);
    EXPECT_TRUE(Screen->NameEdit->IsFocused());
    EXPECT_EQ(Screen->Highscores->Count(), 3);
}

TEST_F(GameOverScreen, ShowsScoreTableAndTheFocusedField) {
    Screen->Draw();
    EXPECT_TRUE(NearColour(S.Window.Pixel(360 + 16, 300 + 32), DigitColour(5)));
    EXPECT_TRUE(NearColour(S.Window.Pixel(392 + 16, 300 + 32), DigitColour(0)));
    EXPECT_EQ(S.ReadText(350, 430, 12), "*HIGHSCORES*");
    EXPECT_EQ(S.ReadText(320, 450, 2), "60");
    EXPECT_EQ(S.ReadText(390, 450, 3), "top");
    EXPECT_EQ(S.ReadText(320, 460, 2), "40");
    EXPECT_EQ(S.ReadText(390, 460, 3), "low");
    EXPECT_EQ(S.ReadText(320, 470, 2), std::string(2, '\0')) << "only two rows";
    EXPECT_TRUE(NearColour(S.Window.Pixel(303, 413), FocusedField));
    EXPECT_EQ(Screen->Footer(), TFooter::SaveOrBack);
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 590), SaveOrBack));
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 599), SaveOrBack));

    Press(Typed("Erik") + std::vector{Return});
    Screen->Draw();
    EXPECT_EQ(Screen->Footer(), TFooter::Back);
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 590), BackOnly)) << "Return has nothing to save";
    EXPECT_TRUE(NearColour(S.Window.Pixel(291, 381), Parchment)) << "no empty field is left";
    EXPECT_EQ(S.ReadText(320, 460, 2), "50");
    EXPECT_EQ(S.ReadText(390, 460, 4), "Erik");
    EXPECT_EQ(S.ReadText(390, 470, 3), "low");
    EXPECT_FALSE(NearColour(S.Window.Pixel(303, 413), FocusedField)) << "the field is gone";
}

TEST_F(GameOverScreen, AGentleGameEntersTheGentleTableAndSaysSo) {
    S.Dir.WriteFile("home/.quelmark/highscore-gentle", "20 kind\n");
    World.Difficulty = TDifficulty::Gentle;
    SetCurrentListener(Screen.get(), &S.Loop);
    World.Score = 50;
    Press(Typed("Erik") + std::vector{Return});
    Screen->Draw();
    EXPECT_EQ(S.ReadText(326, 430, 19), "*GENTLE HIGHSCORES*");
    EXPECT_EQ(S.ReadText(390, 450, 4), "Erik");
    EXPECT_EQ(S.ReadText(390, 460, 4), "kind");
    EXPECT_EQ(S.Dir.ReadFile("home/.quelmark/highscore-gentle"), "50 Erik\n20 kind\n");
    EXPECT_EQ(Table(), Untouched);
}

TEST_F(GameOverScreen, FirstRunShowsTenDefaultRows) {
    std::filesystem::remove_all(S.Dir.Path() / "home");
    SetCurrentListener(Screen.get(), &S.Loop);
    Screen->Draw();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(S.ReadText(320, 450 + 10 * i, 1), "0");
        EXPECT_EQ(S.ReadText(390, 450 + 10 * i, 6), "no one");
    }
}

TEST_F(GameOverScreen, OnlyKeysPressedOnceTheScreenHasSettledType) {
    // P held down from play, as the viking fell.
    Screen->FreshKeys.Open(Screen->FreshKeys.OpenedAt(), {SDLK_p});
    Press(Typed("p"), 1000);
    Press(Typed("a"), 399);
    Press(Typed("b"), 401);
    Press(Typed("a"), 1000);
    EXPECT_EQ(Screen->NameEdit->Text, "b") << "held P and the early A (still held) typed";
    SDL_KeyboardEvent release = TGameScreen::Key(SDLK_p);
    Screen->KeyUp(release);
    Press(Typed("p"), 1100);
    EXPECT_EQ(Screen->NameEdit->Text, "bp");
    Press({Return}, 100);
    EXPECT_TRUE(Screen->NameEdit->Visible) << "an early Return stores nothing";
    Press({Escape}, 0);
    EXPECT_TRUE(S.Loop.Terminated) << "Escape always quits";
}

TEST_F(GameOverScreen, AScoreTheTableDropsIsNotAskedForAName) {
    S.Dir.WriteFile("home/.quelmark/highscore",
                    "90 a\n80 b\n70 c\n60 d\n50 e\n40 f\n30 g\n20 h\n10 i\n5 j\n");
    SetCurrentListener(&S.Play, &S.Loop); // leaving starts a new game
    World.Score = 5;
    SetCurrentListener(Screen.get(), &S.Loop);
    EXPECT_FALSE(Screen->NameEdit->Visible);
    EXPECT_FALSE(Screen->NameEdit->IsFocused());
    Screen->Draw();
    EXPECT_EQ(ReadOnParchment(S, 300, 398, 25), "Score 5: missed the table");
    EXPECT_FALSE(Screen->PromptLabel->Visible);
    EXPECT_TRUE(NearColour(S.Window.Pixel(291, 381), Parchment)) << "no box around the line";
    EXPECT_TRUE(NearColour(S.Window.Pixel(508, 422), Parchment));
    EXPECT_EQ(Screen->Footer(), TFooter::Back);
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 590), BackOnly)) << "no Return to save with";
    Press(Typed("ab") + std::vector{Return});
    EXPECT_EQ(Screen->NameEdit->Text, "");
    EXPECT_EQ(S.Intro.Entered, 0);
    Press({Space});
    EXPECT_EQ(S.Intro.Entered, 1);
    EXPECT_EQ(Table(), "90 a\n80 b\n70 c\n60 d\n50 e\n40 f\n30 g\n20 h\n10 i\n5 j\n");
}

} // namespace
