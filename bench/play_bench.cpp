// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Frame rate of the play screen at levels 1 and 10 against a bare clear-and-swap loop and
// against the fill floor (the bare loop that also textures the whole window once) on the
// same window and renderer, measured in one run; CPU time per frame split into world
// update, culling and posing, and drawing; heap allocations per steady play frame.
#include "allocationcounter.h"
#include "app/keyboardunit.h"
#include "app/mainunit.h"
#include "app/openglmainloop.h"
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "assets/animationhandlerunit.h"
#include "assets/mediamanagerunit.h"
#include "assets/soundunit.h"
#include "game/gameunit.h"
#include "game/mainstatusunit.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

double WallSeconds() {
    return Seconds(CLOCK_MONOTONIC);
}

double CpuSeconds() {
    return Seconds(CLOCK_PROCESS_CPUTIME_ID);
}

// The other screens, never shown: the bench keeps the game on the play screen.
class TIdle : public TEventListener {
public:
    void Enter() override {}
    void Leave() override {}
    void Cycle() override {}
    void KeyDown(SDL_KeyboardEvent&) override {}
    void KeyUp(SDL_KeyboardEvent&) override {}
    void MouseButtonDown(SDL_MouseButtonEvent&) override {}
    void MouseButtonUp(SDL_MouseButtonEvent&) override {}
    void MouseMove(SDL_MouseMotionEvent&) override {}
};

const int Rounds = 6;
const int FramesPerRound = 60;
const double Dt = 1.0 / 60;

// Keeps the level going: the viking never dies and the level is never decided.
void KeepPlaying(TMainStatus& play) {
    play.World().Player->Health = 1000;
    play.EndTimer = 0;
}

// Wall and CPU seconds for a round of bare frames: clear and swap, nothing else.
std::pair<double, double> BareRound() {
    const double start = WallSeconds(), cpu = CpuSeconds();
    for (int i = 0; i < FramesPerRound; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
    }
    return {WallSeconds() - start, CpuSeconds() - cpu};
}

// The fill floor's picture: 1024 x 1024 RGB with linear filtering, as the screens use.
class TFillTexture {
public:
    TFillTexture() {
        std::vector<uint8_t> pixels(1024 * 1024 * 3);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 7 + i / 3072);
        glGenTextures(1, &FId);
        glBindTexture(GL_TEXTURE_2D, FId);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1024, 1024, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    ~TFillTexture() { glDeleteTextures(1, &FId); }
    TFillTexture(const TFillTexture&) = delete;
    TFillTexture& operator=(const TFillTexture&) = delete;

    GLuint Id() const { return FId; }

private:
    GLuint FId = 0;
};

// Wall and CPU seconds for a round of fill-floor frames: clear, one full-window textured
// quad, swap.
std::pair<double, double> FillRound(const TFillTexture& texture) {
    const double start = WallSeconds(), cpu = CpuSeconds();
    for (int i = 0; i < FramesPerRound; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture.Id());
        glColor3f(1, 1, 1);
        BeginOverlay2D(800, 600);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0, 0);
        glVertex2f(0, 0);
        glTexCoord2f(0, 1);
        glVertex2f(0, 600);
        glTexCoord2f(1, 0);
        glVertex2f(800, 0);
        glTexCoord2f(1, 1);
        glVertex2f(800, 600);
        glEnd();
        EndOverlay2D();
        glPopAttrib();
        SDL_GL_SwapBuffers();
    }
    return {WallSeconds() - start, CpuSeconds() - cpu};
}

struct TPlayFigures {
    double Fps = 0;
    double BareFps = 0;
    double FillFps = 0;
    double AllocationsPerFrame = 0;
    double BareCpuMs = 0, FillCpuMs = 0, PlayCpuMs = 0;
    double UpdateMs = 0, CullPoseMs = 0, DrawMs = 0;
};

// Rounds of play frames alternate with rounds of bare frames, so that both see the same
// machine load.
TPlayFigures MeasurePlay(TMainStatus& play, const TFillTexture& fill) {
    TPlayFigures figures;
    for (int i = 0; i < 30; ++i) {
        KeepPlaying(play);
        play.Frame(Dt, 1000);
    }
    double bareTime = 0, fillTime = 0, playTime = 0, bareCpu = 0, fillCpu = 0, playCpu = 0;
    long allocations = 0;
    for (int round = 0; round < Rounds; ++round) {
        const auto [wall, cpu] = BareRound();
        bareTime += wall;
        bareCpu += cpu;
        const auto [fillWall, fillCpuTime] = FillRound(fill);
        fillTime += fillWall;
        fillCpu += fillCpuTime;
        const long before = AllocationCount();
        const double start = WallSeconds(), startCpu = CpuSeconds();
        for (int i = 0; i < FramesPerRound; ++i) {
            KeepPlaying(play);
            play.Frame(Dt, 1000 + i * 16);
        }
        playTime += WallSeconds() - start;
        playCpu += CpuSeconds() - startCpu;
        allocations += AllocationCount() - before;
    }
    const int frames = Rounds * FramesPerRound;
    figures.Fps = frames / playTime;
    figures.BareFps = frames / bareTime;
    figures.FillFps = frames / fillTime;
    figures.AllocationsPerFrame = static_cast<double>(allocations) / frames;
    figures.BareCpuMs = bareCpu * 1000 / frames;
    figures.FillCpuMs = fillCpu * 1000 / frames;
    figures.PlayCpuMs = playCpu * 1000 / frames;

    // The same frames taken apart, in CPU time of the whole process (the renderer's threads
    // included). DrawScene culls and poses as it draws, so culling and posing are timed once
    // more on their own and taken out of its time.
    double update = 0, cullPose = 0, draw = 0;
    for (int i = 0; i < frames; ++i) {
        KeepPlaying(play);
        const double t0 = CpuSeconds();
        play.AdvanceWorld(Dt);
        const double t1 = CpuSeconds();
        play.DrawScene();
        play.DrawHud(Dt, 1000);
        SDL_GL_SwapBuffers();
        const double t2 = CpuSeconds();
        TBaseList& world = play.World();
        for (int e = 0; e < world.Count(); ++e) {
            TBase& entity = world.Items(e);
            if (play.Culler.SphereInView(entity.Position.x, 3, entity.Position.z, 3))
                entity.Animation->Apply();
        }
        const double t3 = CpuSeconds();
        update += t1 - t0;
        cullPose += t3 - t2;
        draw += (t2 - t1) - (t3 - t2);
    }
    figures.UpdateMs = update * 1000 / frames;
    figures.CullPoseMs = cullPose * 1000 / frames;
    figures.DrawMs = draw * 1000 / frames;
    return figures;
}

void Report(const char* name, const TPlayFigures& f) {
    std::printf("%s: %.1f fps, bare clear+swap %.1f fps: ratio %.2f (by CPU time per frame: "
                "%.2f ms against %.2f ms, ratio %.2f)\n",
                name, f.Fps, f.BareFps, f.Fps / f.BareFps, f.PlayCpuMs, f.BareCpuMs,
                f.BareCpuMs / f.PlayCpuMs);
    std::printf("  fill floor (bare + one full-window 1024^2 RGB linear quad) %.1f fps: "
                "play / fill floor %.2f (by CPU time per frame: %.2f ms, ratio %.2f)\n",
                f.FillFps, f.Fps / f.FillFps, f.FillCpuMs, f.FillCpuMs / f.PlayCpuMs);
    std::printf("  CPU per frame: update %.3f ms, culling+posing %.3f ms, drawing %.3f ms; "
                "heap allocations per frame %.2f\n",
                f.UpdateMs, f.CullPoseMs, f.DrawMs, f.AllocationsPerFrame);
}

} // namespace

int main() {
    // The game's own media, in a scratch working directory (the log goes there too).
    char scratch[] = "/tmp/quelmark-play-bench-XXXXXX";
    if (mkdtemp(scratch) == nullptr || chdir(scratch) != 0) return 1;
    std::filesystem::create_symlink(QUELMARK_MEDIA_DIR, "media");

    TScreen screen("Quelmark!", 800, 600, 16, false, 500);
    if (!screen.Open() || !InitSound()) {
        std::fprintf(stderr, "play_bench: no window or no audio (SDL_AUDIODRIVER=dummy?)\n");
        return 1;
    }
    {
        TKeyState keys;
        TFileMediaManager media;
        TOpenGlRealTimeLoop loop;
        Global.Screen = &screen;
        Global.KeyState = &keys;
        Global.MediaManager = &media;
        Global.Loop = &loop;
        TProg({}).SetupOpenGl();
        TIdle intro, levelStart, gameOver;
        TMainStatus play;
        MainStatus = &play;
        IntroStatus = &intro;
        LevelStatus = &levelStart;
        GameOverStatus = &gameOver;
        SetCurrentListener(&play, &loop);

        TFillTexture fill;
        Report("level 1", MeasurePlay(play, fill));
        play.World().Level = 9;
        const long beforeLevel = AllocationCount();
        play.World().NewLevel();
        // Shows that the counter counts: building a level allocates every creature.
        std::printf("(building level 10 made %ld heap allocations)\n",
                    AllocationCount() - beforeLevel);
        Report("level 10", MeasurePlay(play, fill));
        CurrentListener = nullptr;
        MainStatus = IntroStatus = LevelStatus = GameOverStatus = nullptr;
    }
    screen.Close();
    std::filesystem::remove_all(scratch);
    return 0;
}
