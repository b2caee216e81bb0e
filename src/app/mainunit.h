// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Program entry and the order in which the game comes up and goes down.
#pragma once

#include "game/replayrecorderunit.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TScreen;
class TKeyState;
class TOpenGlRealTimeLoop;
class TGenericMediaManager;
class TEventListener;
class TGamepad;
union SDL_Event;
class TComforts;
class TVolumeIndicator;
class TSaveQueue;

class TProg {
public:
    explicit TProg(std::vector<std::string> arguments);
    ~TProg();
    TProg(const TProg&) = delete;
    TProg& operator=(const TProg&) = delete;

    // Start-up and the main loop. False when the window or the audio device could not be
    // opened, or an error ended start-up or the loop; Failure() then says why, for the
    // terminal.
    bool Run();
    // Releases what start-up made and closes the screen, always as the very last step.
    void Shutdown();
    void SetupOpenGl();
    void ShowLoadingPicture();

    const std::string& Failure() const { return FFailure; }

    // A game to watch in place of the title, read before the window opens.
    std::optional<TReplay> Replay;

private:
    // Opens the screen and the audio, makes the shared objects and the states, then runs the
    // loop until it ends; false when the screen or the audio could not be opened.
    bool RunGame();
    // Opens the joystick for the pad's event filter.
    void StartGamepad();

    std::vector<std::string> FArguments;
    std::string FFailure;
    std::unique_ptr<TSaveQueue> FSaves;
    std::unique_ptr<TScreen> FScreen;
    std::unique_ptr<TKeyState> FKeyState;
    std::unique_ptr<TGenericMediaManager> FMediaManager;
    std::unique_ptr<TOpenGlRealTimeLoop> FLoop;
    std::unique_ptr<TComforts> FComforts;
    std::unique_ptr<TVolumeIndicator> FVolumeIndicator;
    std::vector<std::unique_ptr<TEventListener>> FStates;
    std::unique_ptr<TGamepad> FGamepad;
    // What holds on every screen, asked in order until one takes the event.
    std::vector<std::function<bool(SDL_Event&)>> FFilters;
};

// Full screen is asked for by "-fs", exactly, as the first argument only.
bool WantsFullScreen(const std::vector<std::string>& arguments);
// "--demo" anywhere runs demos one after another from the start, until Escape.
bool WantsDemo(const std::vector<std::string>& arguments);

// The file after "--replay", none without "--replay"; "" when no file follows it.
std::optional<std::string> ReplayFile(const std::vector<std::string>& arguments);

// The arguments the game does not know ("-fs" after the first place, "--check" without
// "--replay" included), in their order.
std::vector<std::string> UnknownArguments(const std::vector<std::string>& arguments);
// The one line standard error gets about them (without the newline), "" when there are none.
std::string UnknownArgumentsLine(const std::vector<std::string>& arguments);

// The process entry: runs the game and returns the exit status (1 when start-up failed).
int QuelmarkMain(int argc, char** argv);
