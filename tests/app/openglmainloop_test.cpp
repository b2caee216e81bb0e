// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/openglmainloop.h"
#include "support/glwindow.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_Event e;
        while (SDL_PollEvent(&e) == 1) {
        }
    }
    void TearDown() override { SetUp(); }

    static void PushKey(Uint8 type, SDLKey sym) {
        SDL_Event e{};
        e.type = type;
        e.key.type = type;
        e.key.keysym.sym = sym;
        ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    static void PushType(Uint8 type) {
        SDL_Event e{};
        e.type = type;
        ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    // Records every call as a short word, in order.
    void Record(TOpenGlGenericLoop& loop) {
        loop.OnCycle = [this] { Calls.push_back("cycle"); };
        loop.OnKeyDown = [this](SDL_KeyboardEvent& e) {
            Calls.push_back("down" + std::to_string(e.keysym.sym));
        };
        loop.OnKeyUp = [this](SDL_KeyboardEvent& e) {
            Calls.push_back("up" + std::to_string(e.keysym.sym));
        };
    }

    TGlTestWindow Window;
    std::vector<std::string> Calls;
};

TEST_F(MainLoopTest, StepDrainsEveryEventBeforeTheCycle) {
    TOpenGlRealTimeLoop loop;
    Record(loop);
    PushKey(SDL_KEYDOWN, SDLK_a);
    PushKey(SDL_KEYUP, SDLK_a);
    PushKey(SDL_KEYDOWN, SDLK_b);
    loop.Step();
    EXPECT_EQ(Calls, (std::vector<std::string>{"down97", "up97", "down98", "cycle"}));
    loop.Step();
    EXPECT_EQ(Calls.back(), "cycle");
    EXPECT_EQ(Calls.size(), 5u);
}

TEST_F(MainLoopTest, EmptySlotsIgnoreTheirEvents) {
    TOpenGlRealTimeLoop loop;
    int cycles = 0;
    loop.OnCycle = [&] { ++cycles; };
    PushKey(SDL_KEYDOWN, SDLK_a);
    PushType(SDL_MOUSEMOTION);
    PushType(SDL_MOUSEBUTTONDOWN);
    loop.Step();
    EXPECT_EQ(cycles, 1);
    EXPECT_FALSE(loop.Terminated);
}

TEST_F(MainLoopTest, QuitStillDeliversPendingKeysThenCyclesOnce) {
    TOpenGlRealTimeLoop loop;
    Record(loop);
    PushKey(SDL_KEYDOWN, SDLK_a);
    PushType(SDL_QUIT);
    PushKey(SDL_KEYDOWN, SDLK_b);
    loop.Run();
    EXPECT_EQ(Calls, (std::vector<std::string>{"down97", "down98", "cycle"}));
}

TEST_F(MainLoopTest, TerminateFromKeyHandlerFinishesTheStep) {
    TOpenGlRealTimeLoop loop;
    Record(loop);
    loop.OnKeyDown = [&](SDL_KeyboardEvent& e) {
        Calls.push_back("down" + std::to_string(e.keysym.sym));
        if (e.keysym.sym == SDLK_ESCAPE) loop.Terminate();
    };
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    PushKey(SDL_KEYUP, SDLK_a);
    loop.Run();
    EXPECT_EQ(Calls, (std::vector<std::string>{"down27", "up97", "cycle"}));
}

TEST_F(MainLoopTest, RunClearsAnEarlierTerminate) {
    TOpenGlRealTimeLoop loop;
    int cycles = 0;
    loop.OnCycle = [&] {
        if (++cycles == 3) loop.Terminate();
    };
    loop.Terminate();
    loop.Run();
    EXPECT_EQ(cycles, 3);
}

TEST_F(MainLoopTest, HandlerReplacedDuringDrainTakesTheNextEvent) {
    TOpenGlRealTimeLoop loop;
    Record(loop);
    loop.OnKeyDown = [&](SDL_KeyboardEvent& e) {
        Calls.push_back("first" + std::to_string(e.keysym.sym));
        // Replaces the very function that is running.
        loop.OnKeyDown = [&](SDL_KeyboardEvent& next) {
            Calls.push_back("second" + std::to_string(next.keysym.sym));
        };
    };
    PushKey(SDL_KEYDOWN, SDLK_a);
    PushKey(SDL_KEYDOWN, SDLK_b);
    loop.Step();
    EXPECT_EQ(Calls, (std::vector<std::string>{"first97", "second98", "cycle"}));
}

TEST_F(MainLoopTest, StaticLoopWakesOnTerminateFromAnotherThread) {
    TOpenGlStaticLoop loop;
    Record(loop);
    std::thread waker([&] {
        SDL_Delay(100);
        loop.Terminate();
    });
    loop.Run();
    waker.join();
    EXPECT_TRUE(loop.Terminated); // Run returned: the pushed quit woke the sleeping loop
}

TEST_F(MainLoopTest, StaticLoopCyclesOnExposeAndOptionallyAfterEveryEvent) {
    TOpenGlStaticLoop loop;
    Record(loop);
    PushType(SDL_VIDEOEXPOSE);
    loop.Step();
    EXPECT_EQ(Calls, (std::vector<std::string>{"cycle"}));

    Calls.clear();
    loop.CycleAfterEvent = true;
    PushKey(SDL_KEYDOWN, SDLK_a);
    loop.Step();
    PushType(SDL_VIDEOEXPOSE);
    loop.Step();
    EXPECT_EQ(Calls, (std::vector<std::string>{"down97", "cycle", "cycle", "cycle"}));
}

} // namespace
