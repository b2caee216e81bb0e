// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/mainstatusunit.h"

#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "app/screenunit.h"
#include "assets/animationhandlerunit.h"
#include "assets/modelunit.h"
#include "assets/textureunit.h"
#include "game/facingmarkerunit.h"
#include "game/gameunit.h"
#include "game/hitflashunit.h"
#include "game/screenkitunit.h"
#include "game/worlddigestunit.h"
#include "gui/guiextraunit.h"
#include "math/randomunit.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <numbers>

namespace {

const float CameraOffset = 20;
// Every entity is taken as this sphere, centred this high above its ground point.
const float CullCentreHeight = 3;
const float CullRadius = 3;
// While paused the picture stands still: a few redraws a second are plenty.
const uint32_t PausedCycleMilliseconds = 30;
const int FieldTiles = 12;
const float TileSize = 4;

// One side of the fence: twelve pieces, 4 units apart.
void DrawFenceSide(const TRealTimeModel& fence, float x, float z, float turn, float step) {
    glPushMatrix();
    glTranslatef(x, 0, z);
    if (turn != 0) glRotatef(turn, 0, 1, 0);
    for (int i = 0; i < FieldTiles; ++i) {
        fence.Render();
        glTranslatef(0, 0, step);
    }
    glPopMatrix();
}

} // namespace

TVector CameraEye(float vikingX, float vikingZ) {
    return MakeVector(vikingX + CameraOffset, CameraOffset, vikingZ + CameraOffset);
}

TVector CameraTarget(float vikingX, float vikingZ) {
    return MakeVector(vikingX, 0, vikingZ);
}

bool HidesViking(const TVector& eye, const TVector& vikingPoint, const TVector& treeCentre,
                 float radius) {
    TVector dir;
    VectorSub(vikingPoint, eye, dir);
    VectorNormalise(dir);
    return LineHitsSphere(eye, dir, treeCentre, radius);
}

void FormatClock(uint32_t milliseconds, std::string& out) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "TIME: %2u:%2u", milliseconds / 60000,
                                milliseconds / 1000 % 60);
    for (int i = 0; i < n; ++i)
        if (text[i] == ' ' && i > 5) text[i] = '0';
    out.assign(text, static_cast<size_t>(n));
}

TMainStatus::TMainStatus()
    : FWorld(std::make_unique<TBaseList>()), FFont(FetchTexture("font")),
      FTitle(FetchTexture("title")), FHeart(FetchTexture("heart")), FSheep(FetchTexture("sheep")),
      FPoint(FetchTexture("point")), FGround(FetchTexture("tile1")),
      FNumbers(FetchTexture("numbers")), FPausedPanel(FetchTexture("paused")),
      FGentle(FetchTexture("gentle")) {
    FWorld->NewGame();
    FFenceModel = FetchModel("media/fence.model");
    // The texts are rewritten every frame into the same storage.
    FFpsText.reserve(32);
    FClockText.reserve(32);
    FNumberText.reserve(16);
}

TMainStatus::~TMainStatus() = default;

void TMainStatus::Enter() {
    // Only the first level of a game comes here without a recording.
    if (!Recorder.Recording()) StartGame();
    BeginVisit();
}

void TMainStatus::StartGame() {
    if (FField) {
        // The player's own sequence of seeds stays as it was.
        const uint32_t seed = FieldSeed(*FField);
        RandomSeed(seed);
        FWorld->NewGame();
        Recorder.Begin(seed, static_cast<uint8_t>(TDifficulty::Classic), FField->Text());
        // The digest of the field as dealt: two players' logs show that they met the same one.
        char digest[24];
        std::snprintf(digest, sizeof digest, "%016llx",
                      static_cast<unsigned long long>(WorldDigest(*FWorld)));
        WriteLog("Today's field " + FField->Text() + ": seed " + std::to_string(seed) +
                 ", field digest " + digest);
        return;
    }
    const uint32_t seed = FirstSeed ? *FirstSeed : static_cast<uint32_t>(FGameSeeds());
    FirstSeed.reset();
    RandomSeed(seed);
    FWorld->NewGame();
    Recorder.Begin(seed, static_cast<uint8_t>(FWorld->Difficulty));
}

void TMainStatus::PlayField(const TFieldDate& date) {
    FField = date;
    LendWorld(TDifficulty::Classic);
}

void TMainStatus::LeaveField() {
    if (!FField) return;
    FField.reset();
    TakeWorldBack();
}

void TMainStatus::LendWorld(TDifficulty difficulty) {
    if (!FLentFrom) FLentFrom = FWorld->Difficulty;
    FWorld->Difficulty = difficulty;
}

void TMainStatus::TakeWorldBack() {
    if (FLentFrom) FWorld->Difficulty = *FLentFrom;
    FLentFrom.reset();
    FWorld->NewGame();
}

TDifficulty TMainStatus::PlayersDifficulty() const {
    return FLentFrom.value_or(FWorld->Difficulty);
}

void TMainStatus::SeedGames(uint32_t seed) {
    FirstSeed = seed;
    FGameSeeds.seed(seed);
}

void TMainStatus::FinishGame(TReplayEnd end) {
    if (!Recorder.Recording()) return;
    const TReplay replay = Recorder.Finish(end, *FWorld);
    if (GameRecorded) GameRecorded(replay, end, FWorld->Score);
}

void TMainStatus::BeginVisit() {
    EndTimer = 0;
    FPaused = false;
    FPauseKeyHeld = false;
    Global.KeyState->Clear();
    Culler = TFrustumCuller();
    StartTicks = SDL_GetTicks();
    // The world must not jump by the time spent on the other screens.
    LastTicks = StartTicks;
}

void TMainStatus::Leave() {
    PlaySound("x2");
}

void TMainStatus::Cycle() {
    CycleAt(SDL_GetTicks());
    if (FPaused) SDL_Delay(PausedCycleMilliseconds);
}

void TMainStatus::CycleAt(uint32_t now) {
    if (FPaused) {
        DrawPaused();
        PresentFrame();
        return;
    }
    if (PlayAt(now)) return;
    DrawFrame(FLastDt, LevelMilliseconds(now));
}

bool TMainStatus::PlayAt(uint32_t now) {
    if (FPaused) return false;
    // The replay keeps the milliseconds, from which it gets the same dt.
    const uint32_t milliseconds = FrameMilliseconds(LastTicks, now);
    const double dt = StepSeconds(milliseconds);
    Recorder.Step(*FWorld, milliseconds, HeldPlayKeys(*Global.KeyState));
    LastTicks = now;
    FLastDt = dt;
    return AdvanceWorld(dt);
}

void TMainStatus::Pause(uint32_t now) {
    if (FPaused) return;
    FPaused = true;
    FPausedAt = now;
    Global.KeyState->Clear();
}

void TMainStatus::Resume(uint32_t now) {
    if (!FPaused) return;
    FPaused = false;
    // Both clocks skip the paused span: the next frame measures from here.
    StartTicks += now - FPausedAt;
    LastTicks = now;
}

uint32_t TMainStatus::LevelMilliseconds(uint32_t now) const {
    return (FPaused ? FPausedAt : now) - StartTicks;
}

void TMainStatus::FocusLost() {
    FPauseKeyHeld = false;
    if (Active) Pause(SDL_GetTicks());
}

void TMainStatus::Frame(double dt, uint32_t levelMilliseconds) {
    if (!AdvanceWorld(dt)) DrawFrame(dt, levelMilliseconds);
}

void TMainStatus::DrawFrame(double dt, uint32_t levelMilliseconds) {
    DrawScene();
    DrawHud(dt, levelMilliseconds);
    PresentFrame();
}

bool TMainStatus::AdvanceWorld(double dt) {
    switch (StepWorld(dt)) {
    case TLevelOutcome::Lost:
        FinishGame(TReplayEnd::Lost);
        SetCurrentListener(GameOverStatus, Global.Loop);
        return true;
    case TLevelOutcome::Cleared:
        Recorder.LevelEnd(*FWorld);
        FWorld->NewLevel();
        SetCurrentListener(LevelStatus, Global.Loop);
        return true;
    case TLevelOutcome::Playing:
        break;
    }
    return false;
}

TLevelOutcome TMainStatus::StepWorld(double dt) {
    return StepLevel(*FWorld, EndTimer, dt);
}

void TMainStatus::DrawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const TViking& player = *FWorld->Player;
    Eye = CameraEye(player.Position.x, player.Position.z);
    Target = CameraTarget(player.Position.x, player.Position.z);
    gluLookAt(Eye.x, Eye.y, Eye.z, Target.x, Target.y, Target.z, 0, 1, 0);
    Culler.ExtractFrustum();
    // The field is opaque: blending it would only cost time (the HUD turns it on again).
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    SetMaterialColorF(1, 1, 1);
    DrawFenceAndGround();
    if (ShowsFacingMarker(FWorld->Difficulty, Global.FacingMarker) && !player.Dead &&
        player.Animation->Animation != eaDeath)
        DrawFacingMarker(player.Position, player.Heading);
    DrawEntities();
}

void TMainStatus::DrawFenceAndGround() const {
    const TRealTimeModel& fence = *FFenceModel;
    DrawFenceSide(fence, 0, 2, 0, 4);
    DrawFenceSide(fence, 2, 0, -90, -4);
    DrawFenceSide(fence, 48, 2, 180, -4);
    DrawFenceSide(fence, 2, 48, 90, 4);
    if (FGround == nullptr) return;
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor3f(1, 1, 1);
    FGround->Bind();
    for (int i = 0; i < FieldTiles; ++i)
        for (int j = 0; j < FieldTiles; ++j) {
            const float x0 = TileSize * i;
            const float z0 = TileSize * j;
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(0, 0);
            glVertex3f(x0, 0, z0);
            glTexCoord2f(0, 1);
            glVertex3f(x0, 0, z0 + TileSize);
            glTexCoord2f(1, 0);
            glVertex3f(x0 + TileSize, 0, z0);
            glTexCoord2f(1, 1);
            glVertex3f(x0 + TileSize, 0, z0 + TileSize);
            glEnd();
        }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
}

void TMainStatus::DrawEntities() {
    const TViking* player = FWorld->Player;
    const TVector vikingPoint = MakeVector(player->Position.x, player->Height, player->Position.z);
    for (int i = 0; i < FWorld->Count(); ++i) {
        TBase& entity = FWorld->Items(i);
        const float x = entity.Position.x;
        const float z = entity.Position.z;
        if (!Culler.SphereInView(x, CullCentreHeight, z, CullRadius)) continue;
        if (&entity == player && player->BlinkedOut()) continue;
        entity.Animation->Apply();
        glPushMatrix();
        glTranslatef(x, 0, z);
        glRotatef(entity.Heading * 180 / std::numbers::pi_v<float>, 0, 1, 0);
        const TRealTimeModel& model = *entity.Animation->Model;
        const bool seeThrough =
            &entity != player && dynamic_cast<const TTree*>(&entity) != nullptr &&
            HidesViking(Eye, vikingPoint, MakeVector(x, entity.Height, z), entity.Height);
        if (seeThrough) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_COLOR, GL_DST_COLOR);
            model.Render();
            glDisable(GL_BLEND);
        } else {
            model.Render();
            if (&entity != player && HitFlashing(entity)) DrawModelFlash(model);
        }
        glPopMatrix();
    }
}

void TMainStatus::DrawHud(double dt, uint32_t levelMilliseconds) {
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (Global.ShowFps) {
        FormatFps(dt, TFpsRounding::Truncate, FFpsText);
        DrawFontText(FFont, 10, 10, FFpsText, 0, 0, 0);
    }
    FormatClock(levelMilliseconds, FClockText);
    DrawFontText(FFont, 100, 10, FClockText, 0, 0, 0);
    DrawPicture(FTitle, 0, -20, 200, 200);
    const TBaseList& world = *FWorld;
    // Under the title board, where nothing else of the display stands.
    if (world.Difficulty == TDifficulty::Gentle) DrawPicture(FGentle, 10, 80, 128, 32);
    DrawIcon(FHeart, 480, world.Player->Health);
    if (HitFlashing(*world.Player)) DrawIconFlash(FHeart, 0, 480, 32, 32);
    DrawIcon(FSheep, 520, world.SheepCount);
    DrawIcon(FPoint, 560, world.Score);
    EndOverlay2D();
}

void TMainStatus::DrawPaused() {
    DrawScene();
    DrawHud(FLastDt, LevelMilliseconds(FPausedAt));
    BeginOverlay2D(800, 600);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawPausedPanel(FPausedPanel);
    EndOverlay2D();
}

void TMainStatus::DrawIcon(const TTexture* icon, int32_t y, int32_t value) {
    DrawPicture(icon, 0, static_cast<float>(y), 32, 32);
    if (FNumbers == nullptr) return;
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    FNumberText.assign(digits, end);
    DrawNumbers(40, y, FNumberText, 0.5f);
}

void TMainStatus::KeyDown(SDL_KeyboardEvent& event) {
    if (event.keysym.sym == SDLK_ESCAPE) Global.Loop->Terminate();
    if (Global.KeyState->ActionOf(event) == TPlayAction::Pause) {
        if (FPauseKeyHeld) return;
        FPauseKeyHeld = true;
        if (FPaused)
            Resume(SDL_GetTicks());
        else
            Pause(SDL_GetTicks());
        return;
    }
    // A key pressed while paused acts only once it is pressed again in play.
    if (!FPaused) Global.KeyState->Press(event);
}

void TMainStatus::KeyUp(SDL_KeyboardEvent& event) {
    if (Global.KeyState->ActionOf(event) == TPlayAction::Pause) FPauseKeyHeld = false;
    Global.KeyState->Release(event);
}

TMainStatus* PlayScreen() {
    return dynamic_cast<TMainStatus*>(MainStatus);
}

TBaseList* PlayWorld() {
    auto* play = dynamic_cast<TMainStatus*>(MainStatus);
    return play != nullptr ? &play->World() : nullptr;
}
