// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/mainstatusunit.h"

#include "assets/animationhandlerunit.h"
#include "assets/meshunit.h"
#include "assets/modelunit.h"
#include "assets/textureunit.h"
#include "game/gameunit.h"
#include "game/hitflashunit.h"
#include "game/levelstatusunit.h"
#include "game/screenkitunit.h"
#include "math/randomunit.h"
#include "support/gamescreen.h"
#include "support/pixelcheck.h"

#include <SDL_opengl.h>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <optional>

namespace {

const TRgba Heart{255, 0, 0, 255}, Sheep{0, 255, 0, 255}, Point{0, 0, 255, 255};
const TRgba Title{255, 160, 0, 255}, Ground{40, 40, 40, 255};

// The play screen over test media: coded font and digits, one-colour icons, a title picture
// that is transparent in its top half, and box models where a test gives them.
class PlayScreen : public ::testing::Test {
protected:
    PlayScreen() {
        WritePicture(S.Dir, "font", CodedFont());
        WritePicture(S.Dir, "numbers", CodedNumbers());
        WritePicture(S.Dir, "heart", SolidPicture(4, 4, Heart));
        WritePicture(S.Dir, "sheep", SolidPicture(4, 4, Sheep));
        WritePicture(S.Dir, "point", SolidPicture(4, 4, Point));
        WritePicture(S.Dir, "tile1", SolidPicture(4, 4, Ground));
        TPngImage title = SolidPicture(8, 8, Title);
        for (size_t i = 0; i < title.Pixels.size() / 2; i += 4)
            title.Pixels[i + 3] = 0;
        WritePicture(S.Dir, "title", title);
        Play = std::make_unique<TMainStatus>();
        MainStatus = Play.get();
        SetCurrentListener(Play.get(), &S.Loop);
    }

    TBaseList& World() const { return Play->World(); }
    TViking& Viking() const { return *World().Player; }
    // Where a world point lands in window pixels (y from the top) after DrawScene.
    static std::array<double, 2> Project(double x, double y, double z) {
        GLdouble model[16], projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx, wy, wz;
        gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
        return {wx, viewport[3] - wy};
    }
    TRgba PixelAt(const std::array<double, 2>& p) const {
        return S.Window.Pixel(static_cast<int>(p[0]), static_cast<int>(p[1]));
    }
    // Every sheep hit with its last health point.
    void StrikeAllSheep() const {
        for (int i = 0; i < World().Count(); ++i)
            if (auto* sheep = dynamic_cast<TSheep*>(&World().Items(i))) {
                sheep->Health = 1;
                sheep->Hit();
            }
    }
    // Frames of a quarter second until the condition holds; false after a minute.
    bool RunUntil(const std::function<bool()>& done) const {
        for (int i = 0; i < 240; ++i) {
            if (done()) return true;
            Play->Frame(0.25, 0);
        }
        return false;
    }

    TGameScreen S;
    std::unique_ptr<TMesh> Box = BoxMesh("box", 1, 2);
    std::unique_ptr<TMesh> TallBox = BoxMesh("tall", 1, 8);
    std::unique_ptr<TMainStatus> Play;
};

TEST(PlayFormat, ClockShowsMinutesAndSecondsWithLeadingZeros) {
    const std::pair<uint32_t, const char*> cases[] = {{0, "TIME: 00:00"},
                                                      {59999, "TIME: 00:59"},
                                                      {60000, "TIME: 01:00"},
                                                      {187000, "TIME: 03:07"},
                                                      {6000000, "TIME: 100:00"}};
    std::string text;
    for (const auto& [ms, expected] : cases) {
        FormatClock(ms, text);
        EXPECT_EQ(text, expected) << ms;
    }
}

TEST(PlayFormat, FrameRateStaysFiniteForFramesWithinOneMillisecond) {
    std::string text;
    for (double dt : {1e-11, 0.0, -1.0, std::nan("")}) {
        FormatFps(dt, TFpsRounding::Truncate, text);
        EXPECT_EQ(text, "FPS: 100000000000") << dt;
    }
    FormatFps(0.15, TFpsRounding::Truncate, text);
    EXPECT_EQ(text, "FPS: 6");
    FormatFps(0.15, TFpsRounding::Nearest, text);
    EXPECT_EQ(text, "FPS: 7");
}

TEST(PlayFormat, TreesOnTheSightLineHideTheVikingWhereverTheyStand) {
    const TVector eye = MakeVector(44, 20, 44), viking = MakeVector(24, 2, 24);
    EXPECT_TRUE(HidesViking(eye, viking, MakeVector(30, 4, 30), 4));  // between
    EXPECT_TRUE(HidesViking(eye, viking, MakeVector(20, 0, 20), 4));  // behind the viking
    EXPECT_TRUE(HidesViking(eye, viking, MakeVector(50, 25, 50), 4)); // behind the camera
    EXPECT_FALSE(HidesViking(eye, viking, MakeVector(18, 4, 30), 4)); // beside
}

TEST_F(PlayScreen, OnlyAGentleGameMarksTheDisplayUnderTheTitle) {
    const TRgba Mark{200, 0, 200, 255};
    WritePicture(S.Dir, "gentle", SolidPicture(4, 4, Mark));
    Play = std::make_unique<TMainStatus>();
    for (const TDifficulty difficulty : {TDifficulty::Classic, TDifficulty::Gentle}) {
        Play->World().Difficulty = difficulty;
        S.Fill({0, 0, 0, 255});
        Play->DrawHud(0.02, 0);
        const bool gentle = difficulty == TDifficulty::Gentle;
        EXPECT_EQ(NearColour(S.Window.Pixel(12, 82), Mark), gentle);
        EXPECT_EQ(NearColour(S.Window.Pixel(136, 110), Mark), gentle);
        EXPECT_FALSE(NearColour(S.Window.Pixel(140, 96), Mark)) << "128 wide, from x 10";
        EXPECT_TRUE(NearColour(S.Window.Pixel(100, 150), Title));
    }
}

TEST_F(PlayScreen, HudShowsIconsWithHealthSheepAndScoreBesideThem) {
    World().Score = 15;
    S.Fill({0, 0, 0, 255});
    Play->DrawHud(0.02, 0);
    const auto at = [&](int x, int y) { return S.Window.Pixel(x, y); };
    EXPECT_TRUE(NearColour(at(16, 496), Heart));
    EXPECT_TRUE(NearColour(at(16, 536), Sheep));
    EXPECT_TRUE(NearColour(at(16, 576), Point));
    EXPECT_TRUE(NearColour(at(100, 150), Title));
    EXPECT_TRUE(NearColour(at(48, 496), DigitColour(5))); // health
    EXPECT_TRUE(NearColour(at(48, 536), DigitColour(4))); // sheep left
    EXPECT_TRUE(NearColour(at(48, 576), DigitColour(1))); // score, two digits 16 apart
    EXPECT_TRUE(NearColour(at(64, 576), DigitColour(5)));
    // Nothing beyond the quads: 32 x 32 icons, 16 x 32 digits.
    EXPECT_TRUE(NearColour(at(16, 470), 0, 0, 0));
    EXPECT_TRUE(NearColour(at(34, 496), 0, 0, 0));
    EXPECT_TRUE(NearColour(at(80, 576), 0, 0, 0));
}

TEST_F(PlayScreen, HudClockTurnsFromFiftyNineSecondsToOneMinute) {
    for (const auto& [ms, expected] :
         {std::pair<uint32_t, std::string>{59999, "TIME: 00:59"}, {60000, "TIME: 01:00"}}) {
        S.Fill({255, 255, 255, 255});
        Play->DrawHud(0.15, ms); // 6.67 frames a second, cut to 6
        EXPECT_EQ(S.ReadText(100, 10, expected.size()), expected) << ms;
        EXPECT_EQ(S.ReadText(10, 10, 6), "FPS: 6");
    }
}

TEST_F(PlayScreen, CameraOverAVikingAtTenTenPutsItsFeetInTheMiddle) {
    UseMeshModel(*World().VikingModel, *Box, 1, 0, 0);
    Viking().Position = {10, 10};
    Play->DrawScene();
    EXPECT_EQ(Play->Eye.x, 30);
    EXPECT_EQ(Play->Eye.y, 20);
    EXPECT_EQ(Play->Eye.z, 30);
    const auto feet = Project(10, 0, 10);
    EXPECT_NEAR(feet[0], 400, 0.5);
    EXPECT_NEAR(feet[1], 300, 0.5);
    // (12, 0, 8) lies 2 * sqrt(2) to the right of the feet at the same depth, 20 * sqrt(3)
    // from the eye: worked out from the 45 degree field of view of the 4:3 window.
    const double right = 400 + 400 * (2 * std::sqrt(2.0) / (20 * std::sqrt(3.0))) /
                                   (std::tan(std::numbers::pi / 8) * 4 / 3);
    const auto side = Project(12, 0, 8);
    EXPECT_NEAR(side[0], right, 0.5);
    EXPECT_NEAR(side[1], 300, 0.5);
    const TRgba middle = S.Window.Pixel(400, 300);
    EXPECT_GT(middle[0], 60);
    EXPECT_LT(middle[1], 10);
    // A little further off the viking, the ground.
    EXPECT_TRUE(NearColour(PixelAt(Project(4, 0, 10)), Ground));
}

TEST_F(PlayScreen, TreeBetweenCameraAndVikingIsSeeThroughAndATreeBesideIsNot) {
    UseMeshModel(*World().TreeModel, *TallBox, 0.2f, 0.9f, 0.2f);
    Viking().Position = {24, 24};
    std::vector<TBase*> trees;
    for (int i = 0; i < World().Count(); ++i)
        if (auto* tree = dynamic_cast<TTree*>(&World().Items(i))) trees.push_back(tree);
    ASSERT_EQ(trees.size(), 4u);
    trees[0]->Position = {30, 30}; // on the sight line
    for (size_t i = 1; i < trees.size(); ++i)
        trees[i]->Position = {18, 30}; // beside
    std::array<TRgba, 2> between{}, beside{};
    const TRgba grounds[2] = {Ground, {200, 200, 200, 255}};
    for (int pass = 0; pass < 2; ++pass) {
        // What lies behind a see-through tree shows in it; an opaque tree hides it.
        S.Media.GetTexture("tile1")->Bind();
        const TPngImage tile = SolidPicture(4, 4, grounds[pass]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     tile.Pixels.data());
        Play->DrawScene();
        between[pass] = PixelAt(Project(30, 4, 30));
        beside[pass] = PixelAt(Project(18, 4, 30));
    }
    EXPECT_TRUE(NearColour(beside[0], beside[1], 2));
    EXPECT_GT(between[1][0] - between[0][0], 60);
    EXPECT_FALSE(NearColour(beside[0], Ground, 20));
}

// The whole back buffer, bottom row first.
std::vector<uint8_t> BackBuffer() {
    std::vector<uint8_t> pixels(800 * 600 * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST_F(PlayScreen, ACountedBlowFlashesTheRamInsideItsBoxAndNowhereElse) {
    UseMeshModel(*World().RamModel, *Box, 0.48f, 0.42f, 0.35f);
    UseMeshModel(*World().SheepModel, *Box, 0.96f, 0.95f, 0.91f);
    Viking().Position = {24, 24};
    TWolf* ram = nullptr;
    for (int i = 0; i < World().Count(); ++i) {
        TBase& entity = World().Items(i);
        if (ram == nullptr && dynamic_cast<TWolf*>(&entity) != nullptr)
            ram = static_cast<TWolf*>(&entity);
        else if (&entity != &Viking())
            entity.Position = {24, 44}; // off the screen, behind the camera's view
    }
    ASSERT_NE(ram, nullptr);
    ram->Position = {20, 24};
    Play->DrawScene();
    const std::vector<uint8_t> calm = BackBuffer();
    // The ram's box in window pixels, bottom row first as read back.
    int left = 800, right = 0, bottom = 600, top = 0;
    for (const float x : {19.0f, 21.0f})
        for (const float y : {0.0f, 2.0f})
            for (const float z : {23.0f, 25.0f}) {
                const auto p = Project(x, y, z);
                left = std::min(left, static_cast<int>(p[0]) - 1);
                right = std::max(right, static_cast<int>(p[0]) + 1);
                bottom = std::min(bottom, 599 - static_cast<int>(p[1]) - 1);
                top = std::max(top, 599 - static_cast<int>(p[1]) + 1);
            }

    ram->Hit();
    Play->DrawScene();
    const std::vector<uint8_t> struck = BackBuffer();
    int inside = 0, outside = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const size_t at = (static_cast<size_t>(y) * 800 + x) * 4;
            const bool differs = std::abs(struck[at] - calm[at]) > 20 ||
                                 std::abs(struck[at + 1] - calm[at + 1]) > 20;
            const bool inBox = x >= left && x <= right && y >= bottom && y <= top;
            (inBox ? inside : outside) += differs;
        }
    EXPECT_GT(inside, 100) << "the struck ram shows no flash";
    EXPECT_EQ(outside, 0);

    // Past the flash, and a blow while reeling, which does not count: the calm frame again.
    ram->Animation->Advance(HitFlashSeconds + 0.01f);
    ram->Hit();
    EXPECT_EQ(ram->Health, 7);
    Play->DrawScene();
    EXPECT_TRUE(BackBuffer() == calm);
}

TEST_F(PlayScreen, ABiteFlashesTheHeartOnlyWhileItIsFresh) {
    S.Fill({0, 0, 0, 255});
    Play->DrawHud(0.02, 0);
    const TRgba calm = S.Window.Pixel(16, 496);
    Viking().Hit();
    Play->DrawHud(0.02, 0);
    const TRgba bitten = S.Window.Pixel(16, 496);
    EXPECT_GT(bitten[1], calm[1] + 40) << "the heart glows warm";
    EXPECT_TRUE(NearColour(S.Window.Pixel(34, 496), TRgba{0, 0, 0, 255}))
        << "nothing beyond the heart";
    Viking().Animation->Advance(HitFlashSeconds + 0.01f);
    Play->DrawHud(0.02, 0);
    EXPECT_TRUE(NearColour(S.Window.Pixel(16, 496), calm, 0));
}

TEST_F(PlayScreen, LevelIsWonFiveSecondsAfterTheLastSheepHasFinishedDying) {
    Viking().Health = 100; // no ram may end the game meanwhile
    StrikeAllSheep();
    ASSERT_TRUE(RunUntil([&] { return World().SheepCount == 0; }));
    // The frame that removed the last sheep counted a quarter second; 19 more make 5.0 s.
    for (int i = 0; i < 19; ++i)
        Play->Frame(0.25, 0);
    EXPECT_EQ(CurrentListener, Play.get());
    EXPECT_EQ(World().Level, 1);
    EXPECT_EQ(World().Score, 20);
    S.Fill({255, 0, 255, 255});
    Play->Frame(0.25, 0);
    EXPECT_EQ(CurrentListener, &S.LevelStart);
    EXPECT_EQ(S.GameOver.Entered, 0);
    EXPECT_EQ(World().Level, 2);
    EXPECT_EQ(World().SheepCount, 6);
    // Nothing was drawn in the deciding cycle.
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 300), 255, 0, 255));
    EXPECT_TRUE(NearColour(S.Window.Pixel(16, 496), 255, 0, 255));
}

TEST_F(PlayScreen, LevelStartScreenShowsTheNextLevelBuiltBeforeIt) {
    TLevelStatus levelStart;
    LevelStatus = &levelStart;
    Viking().Health = 100;
    StrikeAllSheep();
    ASSERT_TRUE(RunUntil([&] { return CurrentListener != Play.get(); }));
    ASSERT_EQ(CurrentListener, &levelStart);
    S.Fill({0, 0, 0, 255});
    levelStart.Draw(0.01);
    EXPECT_TRUE(NearColour(S.Window.Pixel(456, 212), DigitColour(2)));
    CurrentListener = nullptr;
}

// Defeat wins even over a cleared field.
class PlayDefeat : public PlayScreen, public ::testing::WithParamInterface<bool> {};

TEST_P(PlayDefeat, DeadVikingGoesToGameOverFiveSecondsAfterDying) {
    if (GetParam()) StrikeAllSheep();
    Viking().Health = 1;
    Viking().Hit();
    // The timer starts with the cleared field or, on a full field, with the viking's death.
    ASSERT_TRUE(RunUntil([&] { return World().SheepCount == 0 || Viking().Dead; }));
    for (int i = 0; i < 19; ++i)
        Play->Frame(0.25, 0);
    EXPECT_EQ(CurrentListener, Play.get());
    Play->Frame(0.25, 0);
    EXPECT_EQ(CurrentListener, &S.GameOver);
    EXPECT_TRUE(Viking().Dead);
    EXPECT_EQ(S.LevelStart.Entered, 0);
    EXPECT_EQ(World().Level, 1);
}

INSTANTIATE_TEST_SUITE_P(FieldCleared, PlayDefeat, ::testing::Bool());

TEST_F(PlayScreen, FirstCycleAfterEnterMeasuresFromEnterNotFromTheLastVisit) {
    Play->Cycle();
    SDL_Delay(400);
    SetCurrentListener(&S.LevelStart, &S.Loop);
    SetCurrentListener(Play.get(), &S.Loop);
    const float age = Viking().Age;
    Play->Cycle();
    EXPECT_LT(Viking().Age - age, 0.2f);
}

TEST_F(PlayScreen, EveryGameIsDealtFromTheSeedItsRecordingKeeps) {
    std::vector<TReplay> games;
    Play->GameRecorded = [&games](const TReplay& replay, TReplayEnd, int32_t) {
        games.push_back(replay);
    };
    const auto field = [this] {
        std::vector<float> places;
        for (int i = 0; i < World().Count(); ++i)
            places.insert(places.end(), {World().Items(i).Position.x, World().Items(i).Position.z,
                                         World().Items(i).Animation->Time});
        return places;
    };
    const auto visit = [this] {
        SetCurrentListener(&S.LevelStart, &S.Loop);
        SetCurrentListener(Play.get(), &S.Loop);
    };
    // The first game of a run from the run's seed, the next one from a seed of its own.
    const std::optional<uint32_t> firsts[] = {5489u, std::nullopt};
    for (const std::optional<uint32_t>& first : firsts) {
        Play->FinishGame(TReplayEnd::Quit);
        Play->FirstSeed = first;
        visit();
        const std::vector<float> dealt = field();
        const uint32_t seed = Play->Recorder.Replay().Seed;
        if (first) {
            EXPECT_EQ(seed, *first);
        }
        RandomSeed(seed);
        World().NewGame();
        EXPECT_EQ(field(), dealt);
        // Later levels of the same game are no new game.
        visit();
        EXPECT_EQ(Play->Recorder.Replay().Seed, seed);
        EXPECT_TRUE(Play->Recorder.Recording());
    }
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[1].Seed, 5489u);
    EXPECT_NE(games[0].Seed, games[1].Seed);
    // A replay watched before each game seeds the world's generator alike: the games differ.
    std::vector<std::vector<float>> afterReplays;
    for (int game = 0; game < 2; ++game) {
        Play->FinishGame(TReplayEnd::Quit);
        RandomSeed(7);
        visit();
        afterReplays.push_back(field());
    }
    EXPECT_NE(afterReplays[0], afterReplays[1]);
}

TEST_F(PlayScreen, TheWorldLentToTheDemoAndAReplayComesBackUnderThePlayersRules) {
    World().Difficulty = TDifficulty::Gentle;
    Play->LendWorld(TDifficulty::Classic); // the demo
    EXPECT_EQ(World().Difficulty, TDifficulty::Classic);
    EXPECT_EQ(Play->PlayersDifficulty(), TDifficulty::Gentle);
    Play->LendWorld(TDifficulty::Classic); // the best game, chosen before the demo hands back
    EXPECT_EQ(Play->PlayersDifficulty(), TDifficulty::Gentle);
    Play->TakeWorldBack();
    EXPECT_EQ(World().Difficulty, TDifficulty::Gentle);
    EXPECT_EQ(Play->PlayersDifficulty(), TDifficulty::Gentle);
}

TEST_F(PlayScreen, PauseFreezesWorldAndClockAndResumingDoesNotJump) {
    const uint32_t start = Play->StartTicks;
    Play->CycleAt(start + 500);
    S.Keys.Up = true;
    Play->Pause(start + 1000);
    EXPECT_FALSE(S.Keys.Up) << "held keys are forgotten";
    const float age = Viking().Age;
    const auto position = Viking().Position;
    for (const uint32_t later : {1000u, 4000u, 60000u})
        Play->CycleAt(start + later);
    EXPECT_EQ(Viking().Age, age);
    EXPECT_EQ(Viking().Position.x, position.x);
    EXPECT_EQ(Viking().Position.z, position.z);
    EXPECT_EQ(Play->LevelMilliseconds(start + 60000), 1000u);
    Play->Pause(start + 60000); // a second pause keeps the first moment
    Play->Resume(start + 61000);
    EXPECT_EQ(Play->LevelMilliseconds(start + 61000), 1000u);
    EXPECT_EQ(Play->LevelMilliseconds(start + 61001), 1001u);
    Play->CycleAt(start + 61020);
    EXPECT_NEAR(Viking().Age - age, 0.02f, 1e-4f);
}

TEST_F(PlayScreen, PauseKeyTogglesOncePerPressAndKeysWaitForPlay) {
    SDL_KeyboardEvent p = S.Key(SDLK_p), pause = S.Key(SDLK_PAUSE), up = S.Key(SDLK_UP);
    Play->KeyDown(p);
    EXPECT_TRUE(Play->Paused());
    Play->KeyDown(p); // the keyboard's repeat
    EXPECT_TRUE(Play->Paused());
    Play->KeyDown(up);
    EXPECT_FALSE(S.Keys.Up);
    Play->KeyUp(p);
    Play->KeyDown(pause);
    EXPECT_FALSE(Play->Paused());
    Play->KeyUp(pause);
    Play->KeyDown(up);
    EXPECT_TRUE(S.Keys.Up);
}

TEST_F(PlayScreen, LosingTheFocusPausesAndRegainingItDoesNotResume) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.gain = 0;
    event.active.state = SDL_APPINPUTFOCUS;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    S.Loop.Step();
    EXPECT_TRUE(Play->Paused());
    event.active.gain = 1;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    S.Loop.Step();
    EXPECT_TRUE(Play->Paused());
}

TEST_F(PlayScreen, PausedPictureIsTheSceneDimmed) {
    S.Fill({0, 0, 0, 255});
    Play->DrawScene();
    const TRgba lit = S.Window.Pixel(400, 500);
    Play->Pause(Play->StartTicks);
    S.Fill({0, 0, 0, 255});
    Play->DrawPaused();
    const TRgba dim = S.Window.Pixel(400, 500);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(dim[i], lit[i] * 0.55, 4) << i;
}

TEST(PlayMedia, MissingPicturesAndADamagedFenceAreSkippedAndLogged) {
    TGameScreen s;
    s.Dir.WriteFile("media/fence.model", "<MODEL><NAME>fence</NAME><NODE>");
    TMainStatus play;
    MainStatus = &play;
    for (const char* name : {"font", "title", "heart", "sheep", "point", "tile1", "numbers"})
        EXPECT_TRUE(s.Logged(std::string("Unable to load texture media/") + name + ".png")) << name;
    bool fenceLogged = false;
    for (const std::string& line : s.Dir.LogMessages())
        fenceLogged |= line.rfind("Unable to load model media/fence.model: ", 0) == 0;
    EXPECT_TRUE(fenceLogged);
    s.Fill({0, 0, 0, 255});
    play.DrawScene();
    s.Fill({0, 0, 0, 255});
    play.DrawHud(0.02, 1000);
    EXPECT_TRUE(NearColour(s.Window.Pixel(16, 496), 0, 0, 0));
    EXPECT_TRUE(NearColour(s.Window.Pixel(100, 150), 0, 0, 0));
}

} // namespace
