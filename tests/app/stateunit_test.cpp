// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/openglmainloop.h"
#include "app/stateunit.h"
#include "support/glwindow.h"

#include <SDL_opengl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Calls;

class TRecorder : public TEventListener {
public:
    explicit TRecorder(std::string name) : Name(std::move(name)) {}
    void Enter() override { Calls.push_back(Name + ".Enter"); }
    void Leave() override { Calls.push_back(Name + ".Leave"); }
    void Cycle() override { Calls.push_back(Name + ".Cycle"); }
    void KeyDown(SDL_KeyboardEvent&) override {
        Calls.push_back(Name + ".KeyDown");
        if (OnKey) OnKey();
        Calls.push_back(Name + ".KeyDown done");
    }
    void KeyUp(SDL_KeyboardEvent&) override { Calls.push_back(Name + ".KeyUp"); }
    void MouseButtonDown(SDL_MouseButtonEvent&) override { Calls.push_back(Name + ".Button"); }
    void MouseButtonUp(SDL_MouseButtonEvent&) override {}
    void MouseMove(SDL_MouseMotionEvent& event) override { RecordMousePosition(event); }

    std::string Name;
    std::function<void()> OnKey;
};

class StateTest : public ::testing::Test {
protected:
    void SetUp() override {
        Calls.clear();
        CurrentListener = nullptr;
    }
    void TearDown() override { CurrentListener = nullptr; }
};

TEST_F(StateTest, SwitchLeavesOldBeforeEnteringNewAndRewiresTheLoop) {
    TOpenGlRealTimeLoop loop;
    TRecorder a("a"), b("b");
    SetCurrentListener(&a, &loop);
    EXPECT_EQ(Calls, (std::vector<std::string>{"a.Enter"}));
    EXPECT_TRUE(a.Active);
    SetCurrentListener(&b, &loop);
    EXPECT_EQ(Calls, (std::vector<std::string>{"a.Enter", "a.Leave", "b.Enter"}));
    EXPECT_FALSE(a.Active);
    EXPECT_TRUE(b.Active);
    EXPECT_EQ(CurrentListener, &b);
    loop.OnCycle();
    EXPECT_EQ(Calls.back(), "b.Cycle");
}

TEST_F(StateTest, ReenteringTheCurrentListenerLeavesThenEnters) {
    TOpenGlRealTimeLoop loop;
    TRecorder a("a");
    SetCurrentListener(&a, &loop);
    SetCurrentListener(&a, &loop);
    EXPECT_EQ(Calls, (std::vector<std::string>{"a.Enter", "a.Leave", "a.Enter"}));
    EXPECT_TRUE(a.Active);
}

TEST_F(StateTest, ExactlyOneListenerIsActive) {
    TOpenGlRealTimeLoop loop;
    TRecorder states[4] = {TRecorder("main"), TRecorder("intro"), TRecorder("level"),
                           TRecorder("over")};
    for (int step : {1, 2, 0, 2, 3, 1, 1}) {
        SetCurrentListener(&states[step], &loop);
        int active = 0;
        for (const auto& s : states)
            active += s.Active ? 1 : 0;
        EXPECT_EQ(active, 1);
        EXPECT_TRUE(states[step].Active);
    }
}

TEST_F(StateTest, SwitchFromInsideKeyDownReachesTheNewListenerInTheSameStep) {
    TGlTestWindow window;
    SDL_Event e{};
    while (SDL_PollEvent(&e) == 1) {
    }
    TOpenGlRealTimeLoop loop;
    TRecorder a("a"), b("b");
    a.OnKey = [&] { SetCurrentListener(&b, &loop); };
    SetCurrentListener(&a, &loop);
    Calls.clear();
    for (int i = 0; i < 2; ++i) {
        e = SDL_Event{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = SDLK_SPACE;
        SDL_PushEvent(&e);
    }
    loop.Step();
    EXPECT_EQ(Calls, (std::vector<std::string>{"a.KeyDown", "a.Leave", "b.Enter", "a.KeyDown done",
                                               "b.KeyDown", "b.KeyDown done", "b.Cycle"}));
}

TEST(FrameTime, DifferenceOfTicksInSeconds) {
    EXPECT_DOUBLE_EQ(FrameSeconds(1000, 1016), 0.016);
    EXPECT_DOUBLE_EQ(FrameSeconds(0, 60000), 60.0); // long absence: one long frame
}

TEST(FrameTime, NeverZeroOrNegative) {
    EXPECT_EQ(FrameSeconds(500, 500), 1e-11);
    EXPECT_EQ(FrameSeconds(500, 400), 1e-11);
    // The milliseconds a replay keeps give the same time back.
    EXPECT_EQ(FrameMilliseconds(500, 400), 0u);
    EXPECT_EQ(FrameMilliseconds(500, 501), 1u);
    EXPECT_EQ(StepSeconds(0), 1e-11);
    EXPECT_DOUBLE_EQ(StepSeconds(1), 0.001);
}

TEST(FrameTime, CounterWrapIsASmallStep) {
    EXPECT_DOUBLE_EQ(FrameSeconds(0xFFFFFFF0u, 0x00000010u), 0.032);
}

TEST(FrameTime, TimerMeasuresFromItsPreviousTick) {
    TFrameTimer timer;
    EXPECT_DOUBLE_EQ(timer.Tick(250), 0.25); // first visit counts from SDL start
    EXPECT_DOUBLE_EQ(timer.Tick(300), 0.05);
    EXPECT_EQ(timer.LastTicks, 300u);
}

TEST(Overlay, EndRestoresDepthTestProjectionAndIdentityModelView) {
    TGlTestWindow window;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 2, 500);
    GLfloat before[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, 4, 5);
    glEnable(GL_DEPTH_TEST);

    BeginOverlay2D(800, 600);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat ortho[16];
    glGetFloatv(GL_PROJECTION_MATRIX, ortho);
    EXPECT_FLOAT_EQ(ortho[0], 2.0f / 800);
    EXPECT_FLOAT_EQ(ortho[5], -2.0f / 600); // y grows downwards
    glTranslatef(7, 8, 9);
    glDisable(GL_DEPTH_TEST);
    EndOverlay2D();

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat modelView[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(modelView[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
        EXPECT_FLOAT_EQ(after[i], before[i]) << i;
    }
}

} // namespace
