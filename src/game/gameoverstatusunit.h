// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game-over screen: the final score, the ten best, and the name entry for the table.
#pragma once

#include "app/freshkeysunit.h"
#include "app/stateunit.h"
#include "app/userdirectoryunit.h"
#include "game/difficultyunit.h"
#include "game/highscoreunit.h"
#include "game/screenkitunit.h"

#include <memory>
#include <string>

class TBaseList;
class TMainStatus;
class TTexture;
class TUiDesktop;
class TUiEdit;
class TUiLabel;
namespace simpleguidrawerunit {
class TGuiDrawer;
} // namespace simpleguidrawerunit

// The table's heading ("*HIGHSCORES*", the gentle one, or the day's date for the table of a
// day's field) and its rows below it, in black, where the game-over screen shows them (the
// heading at y 430, rows from y 450, 10 apart).
void DrawHighscoreRows(const TTexture* font, const THighscore& table, TDifficulty difficulty,
                       const std::string& fieldDate = "");
// The heading of a day's table: "*TODAY'S FIELD 2026-12-10*".
std::string FieldTableHeading(const std::string& fieldDate);

class TGameOverStatus : public TKeyScreen {
public:
    // world: the play screen's world, whose score is shown and stored and which starts a new
    // game when this screen is left. home: where the table lives.
    explicit TGameOverStatus(TBaseList& world, std::string home = HomeDirectory());
    ~TGameOverStatus() override;
    TGameOverStatus(const TGameOverStatus&) = delete;
    TGameOverStatus& operator=(const TGameOverStatus&) = delete;

    // Loads the table: the day's own after a game on today's field. A score it admits gets the
    // focused name field; any other goes straight to the table, with a line saying so where the
    // prompt stands.
    void Enter() override;
    // Drops the table, starts a new game on the world (the player's own after today's field).
    void Leave() override;
    void Cycle() override;
    // Return stores the name (or leaves on an empty one), space leaves once it is stored,
    // Escape quits; every key's character then goes to the name field. Keys held from play
    // and presses in the screen's first moments do nothing but Escape.
    void KeyDown(SDL_KeyboardEvent& event) override;
    void KeyDownAt(SDL_KeyboardEvent& event, uint32_t now);
    void KeyUp(SDL_KeyboardEvent& event) override;
    // While the name field is shown, every typed character belongs to the name.
    bool TakesText() const override;

    // One frame into the back buffer: the name entry, the picture, the score and the table.
    void Draw();

    // The line shown instead of the name field when the score misses the table.
    static std::string MissedLine(int32_t score);

    // The footer under the board: Return only while the name field asks for a name.
    enum class TFooter { SaveOrBack, Back };
    TFooter Footer() const;

    std::unique_ptr<TUiDesktop> Desktop;
    std::unique_ptr<simpleguidrawerunit::TGuiDrawer> Drawer;
    TFrameTimer Timer;
    TUiEdit* NameEdit = nullptr;
    TUiLabel* PromptLabel = nullptr;
    std::unique_ptr<THighscore> Highscores; // only while the screen is current
    // The keys the name field takes: none held from play, none in its first moments.
    TFreshKeys FreshKeys;
    // The play screen, whose game on today's field has its own table; borrowed, may be null.
    TMainStatus* Play = nullptr;
    // Where the days' tables are kept.
    std::string DailyFolder;

private:
    TBaseList& FWorld;
    std::string FHome;
    TTexture* FPicture;
    TTexture* FFont;
    TTexture* FHints;
    bool FMissed = false;
    std::string FFieldDate; // of the game shown, "" for an ordinary one
};
