// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mainunit.h"

#include "app/comfortsunit.h"
#include "app/failureunit.h"
#include "app/filesaveunit.h"
#include "app/gamepadunit.h"
#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "app/replaycheckunit.h"
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "app/userdirectoryunit.h"
#include "assets/mediamanagerunit.h"
#include "assets/soundunit.h"
#include "assets/textureunit.h"
#include "game/dailyfieldunit.h"
#include "game/demostatusunit.h"
#include "game/gameoverstatusunit.h"
#include "game/gameunit.h"
#include "game/highscoreunit.h"
#include "game/introstatusunit.h"
#include "game/levelstatusunit.h"
#include "game/mainstatusunit.h"
#include "game/optionsstatusunit.h"
#include "game/replayfilesunit.h"
#include "game/replaystatusunit.h"
#include "game/volumeindicatorunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiunit.h"
#include "math/randomunit.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <cfenv>
#include <cstdio>
#include <iostream>
#include <utility>

TProg::TProg(std::vector<std::string> arguments) : FArguments(std::move(arguments)) {}

TProg::~TProg() = default;

bool TProg::Run() {
    // A damaged data file (or any other error) that reaches this far ends the game cleanly,
    // named in the log and on the terminal, instead of aborting it.
    try {
        return RunGame();
    } catch (...) {
        FFailure = DescribeFailure(std::current_exception());
        WriteLog("Fatal error: " + FFailure);
        return false;
    }
}

bool TProg::RunGame() {
    // Files are written off the frame from here on; Shutdown finishes them.
    FSaves = std::make_unique<TSaveQueue>();
    InstallSaveQueue(FSaves.get());
    const std::string settingsFile = SettingsFile();
    const TSettings settings = LoadSettings(settingsFile);
    // "-fs" decides for this run only; the file keeps the player's own choice.
    const bool fullScreen = WantsFullScreen(FArguments) || settings.FullScreen;
    FScreen = std::make_unique<TScreen>("Quelmark!", 800, 600, 16, fullScreen, 500.0f);
    FScreen->IconFile = "media/icons/quelmark-64.png";
    FScreen->WindowWidth = settings.WindowWidth;
    FScreen->WindowHeight = settings.WindowHeight;
    FScreen->RenderSize = settings.RenderSize;
    Global.Screen = FScreen.get();
    if (!FScreen->Open()) {
        FFailure = std::string("cannot open the 800x600 OpenGL window: ") + SDL_GetError();
        return false;
    }
    if (!InitSound()) {
        FFailure = std::string("cannot open the audio device: ") + SDL_GetError() +
                   " (to play without sound, start the game with SDL_AUDIODRIVER=dummy)";
        return false;
    }
    SetMixVolume(settings.Volume, settings.MusicMuted);
    FKeyState = std::make_unique<TKeyState>();
    Global.KeyState = FKeyState.get();
    auto media = std::make_unique<TFileMediaManager>();
    // The media come off the disk on a second thread while this one shows the loading picture.
    media->StartPreloading();
    TFileMediaManager& files = *media;
    FMediaManager = std::move(media);
    Global.MediaManager = FMediaManager.get();
    FLoop = std::make_unique<TOpenGlRealTimeLoop>();
    Global.Loop = FLoop.get();
    // Presses of keys nobody holds reach no screen.
    FFilters.push_back([](SDL_Event& event) { return IsStaleRepeat(event); });
    // Then the pad; it starts after the first frame (see below).
    FFilters.push_back([this](SDL_Event& event) { return FGamepad && FGamepad->Filter(event); });
    // Mouse positions reach the screens in the overlay's 800 x 600, whatever the window's size.
    FFilters.push_back([screen = FScreen.get()](SDL_Event& event) {
        screen->MapMouse(event);
        return false;
    });
    FLoop->OnEvent = [this](SDL_Event& event) {
        for (const auto& filter : FFilters)
            if (filter(event)) return true;
        return false;
    };
    SetupOpenGl();
    ShowLoadingPicture();
    FComforts = std::make_unique<TComforts>(settings, settingsFile, FScreen.get());
    FFilters.push_back(
        [comforts = FComforts.get()](SDL_Event& event) { return comforts->Filter(event); });
    FVolumeIndicator = std::make_unique<TVolumeIndicator>();
    Global.FrameOverlay = [comforts = FComforts.get(), indicator = FVolumeIndicator.get()] {
        const uint32_t now = SDL_GetTicks();
        comforts->SaveWhenSettled(now);
        const bool volume = comforts->ShowsVolume(now);
        if (volume) indicator->Draw(comforts->Settings());
        if (comforts->ShowsRefusal(now))
            indicator->DrawNotice(TVolumeIndicator::FullScreenRefused, volume);
    };

    // Every launch deals a fresh field; the log keeps the seed so that a run can be repeated.
    const uint32_t seed = ChooseSeed();
    RandomSeed(seed);
    WriteLog("Random seed " + std::to_string(seed));

    auto play = std::make_unique<TMainStatus>();
    play->SeedGames(seed);
    // Every game is kept, the one heading its table as the best; a failed save is logged and
    // the game goes on. The files are written off the frame.
    play->GameRecorded = [](const TReplay& replay, TReplayEnd end, int32_t score) {
        if (!replay.FieldDate.empty()) {
            const std::string replays = ReplayDirectory(), daily = DailyDirectory();
            std::vector<std::string> files{replays + "last.qrp"};
            if (const auto date = ParseFieldDate(replay.FieldDate))
                files.insert(files.end(),
                             {daily + DailyTableName(*date), daily + DailyReplayName(*date)});
            SaveSoon(std::move(files), [replay, end, score, replays, daily] {
                KeepFieldGame(replay, end, score, replays, daily);
            });
            return;
        }
        const auto difficulty = static_cast<TDifficulty>(replay.Difficulty);
        THighscore table(HomeDirectory(), HighscoreFileName(difficulty));
        table.Load();
        const bool best = RanksFirst(end, score, table);
        const std::string directory = ReplayDirectory();
        SaveSoon({directory + "last.qrp", directory + BestReplayFileName(difficulty)},
                 [replay, directory, best] { KeepReplay(replay, directory, best); });
    };
    TMainStatus& playing = *play;
    MainStatus = FStates.emplace_back(std::move(play)).get();
    PlayWorld()->SetDifficulty(settings.Difficulty);
    IntroStatus = FStates.emplace_back(std::make_unique<TIntroStatus>()).get();
    LevelStatus = FStates.emplace_back(std::make_unique<TLevelStatus>()).get();
    auto over = std::make_unique<TGameOverStatus>(*PlayWorld());
    over->Play = &playing;
    GameOverStatus = FStates.emplace_back(std::move(over)).get();
    auto demo = std::make_unique<TDemoStatus>(*static_cast<TMainStatus*>(MainStatus));
    demo->Endless = WantsDemo(FArguments);
    DemoStatus = FStates.emplace_back(std::move(demo)).get();
    auto options = std::make_unique<TOptionsStatus>("media/options.xml");
    ConnectOptions(*options, *FComforts, SDL_GetTicks);
    options->ResolvesAutoToSharp = [screen = FScreen.get()] {
        return ResolvesNative(TRenderSize::Auto, screen->IsSoftware());
    };
    options->DrawBackground = [intro = static_cast<TIntroStatus*>(IntroStatus)](double dt) {
        intro->Draw(dt);
    };
    OptionsStatus = FStates.emplace_back(std::move(options)).get();
    auto replay = std::make_unique<TReplayStatus>(playing);
    replay->Endless = WantsDemo(FArguments);
    ReplayStatus = replay.get();
    FStates.emplace_back(std::move(replay));
    files.Preload(nullptr);
    // The 8-pixel font and the HUD digits stay crisp where the overlay is scaled up whole, and
    // are filtered smoothly, each cell apart from its neighbours, where it is scaled by a
    // fraction: sampled nearest, their strokes came out one or two pixels wide at random.
    FScreen->OnPictureChanged = [screen = FScreen.get()] {
        const GLint filter = IsWholeScaleUp(screen->Picture) ? GL_NEAREST : GL_LINEAR;
        SetSmoothCells(IsFractionalScale(screen->Picture));
        for (const char* name : {"font", "numbers"})
            if (TTexture* texture = Global.MediaManager->GetTexture(name)) {
                texture->Bind();
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
            }
    };
    FScreen->OnPictureChanged();
    TEventListener* first = WantsDemo(FArguments) ? NextDemo(DemoStatus) : IntroStatus;
    if (Replay) {
        ReplayStatus->Show(std::move(*Replay), "");
        Replay.reset();
        first = ReplayStatus;
    }
    SetCurrentListener(first, Global.Loop);
    // Starting the joystick subsystem takes a few milliseconds: the player sees the title
    // first.
    Global.Loop->Terminated = false;
    FComforts->ShowMutedStart(SDL_GetTicks());
    Global.Loop->Step();
    StartGamepad();
    if (!Global.Loop->Terminated) Global.Loop->Run();
    // A game left by Escape, the window's close or a termination signal is kept as it stood,
    // and so is a settings change still waiting for its quiet moment.
    playing.FinishGame(TReplayEnd::Quit);
    FComforts->SaveNow();
    return true;
}

void TProg::StartGamepad() {
    FGamepad = std::make_unique<TGamepad>();
    FGamepad->NameEntryOpen = [] {
        const auto* over = dynamic_cast<const TGameOverStatus*>(GameOverStatus);
        return over != nullptr && over->Active && over->NameEdit != nullptr &&
               over->NameEdit->Visible;
    };
    FGamepad->TitleOpen = [] { return IntroStatus != nullptr && IntroStatus->Active; };
}

void TProg::Shutdown() {
    // States first (they borrow assets), then the assets, then SDL itself.
    CurrentListener = nullptr;
    MainStatus = IntroStatus = LevelStatus = GameOverStatus = DemoStatus = OptionsStatus = nullptr;
    ReplayStatus = nullptr;
    FStates.clear();
    Global.FrameOverlay = nullptr;
    FVolumeIndicator.reset();
    FComforts.reset();
    // Every save handed over is finished before the program ends.
    InstallSaveQueue(nullptr);
    FSaves.reset();
    FMediaManager.reset();
    Global.MediaManager = nullptr;
    FLoop.reset();
    Global.Loop = nullptr;
    FFilters.clear();
    FGamepad.reset();
    FKeyState.reset();
    Global.KeyState = nullptr;
    if (FScreen) FScreen->OnPictureChanged = nullptr;
    if (FScreen) FScreen->Close();
    FScreen.reset();
    Global.Screen = nullptr;
}

void TProg::SetupOpenGl() {
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glClearColor(0.7f, 1.0f, 1.0f, 0.0f);
    SDL_EnableKeyRepeat(500, 30);
    SDL_EnableUNICODE(1);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat diffuse[4] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat position[4] = {128.0f, 200.0f, 128.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);
}

void TProg::ShowLoadingPicture() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    // Without the picture the frame still shows the sky while the screens load.
    if (TTexture* picture = Global.MediaManager->GetTexture("loading")) {
        picture->Bind();
        DrawTexturedRect(250, 100, 256, 256, 1, 1, 1);
    }
    EndOverlay2D();
    if (Global.Screen != nullptr) Global.Screen->ClearBars();
    SDL_GL_SwapBuffers();
}

bool WantsFullScreen(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments[0] == "-fs";
}

bool WantsDemo(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--demo") != arguments.end();
}

std::optional<std::string> ReplayFile(const std::vector<std::string>& arguments) {
    const auto at = std::find(arguments.begin(), arguments.end(), "--replay");
    if (at == arguments.end()) return std::nullopt;
    return at + 1 != arguments.end() ? *(at + 1) : "";
}

std::vector<std::string> UnknownArguments(const std::vector<std::string>& arguments) {
    const bool replay = ReplayFile(arguments).has_value();
    std::vector<std::string> unknown;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if ((i == 0 && argument == "-fs") || argument == "--demo" ||
            (replay && argument == "--check"))
            continue;
        if (argument == "--replay" && replay) {
            ++i; // its file
            continue;
        }
        unknown.push_back(argument);
    }
    return unknown;
}

std::string UnknownArgumentsLine(const std::vector<std::string>& arguments) {
    const std::vector<std::string> unknown = UnknownArguments(arguments);
    if (unknown.empty()) return "";
    std::string line =
        unknown.size() == 1 ? "quelmark: unknown argument " : "quelmark: unknown arguments ";
    for (size_t i = 0; i < unknown.size(); ++i)
        line += (i == 0 ? "\"" : ", \"") + unknown[i] + '"';
    return line + " ignored; quelmark --help lists the ones it knows";
}

int QuelmarkMain(int argc, char** argv) {
    // Game arithmetic relies on infinities and NaNs instead of floating-point traps.
    fedisableexcept(FE_ALL_EXCEPT);
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::optional<TReplay> watched;
    if (const auto replay = ReplayFile(arguments)) {
        if (replay->empty()) {
            std::fprintf(stderr, "quelmark: --replay needs a file\n");
            return 1;
        }
        if (std::find(arguments.begin(), arguments.end(), "--check") != arguments.end())
            return RunReplayCheck(*replay, std::cout, std::cerr);
        // A bad file is refused before any window opens.
        try {
            watched = LoadReplayFile(*replay);
        } catch (const TReplayError& e) {
            std::fprintf(stderr, "quelmark: replay %s: %s\n", replay->c_str(), e.what());
            return 1;
        }
    }
    // The game still starts, as it always has whatever the arguments.
    if (const std::string unknown = UnknownArgumentsLine(arguments); !unknown.empty())
        std::fprintf(stderr, "%s\n", unknown.c_str());
    TProg prog(std::move(arguments));
    prog.Replay = std::move(watched);
    const bool ran = prog.Run();
    prog.Shutdown();
    if (!ran) {
        std::fprintf(stderr, "quelmark: %s\n", prog.Failure().c_str());
        return 1;
    }
    return 0;
}
