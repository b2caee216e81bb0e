// The real binary on the test display, driven with keys like a player would.
#include "support/process.h"
#include "support/testdir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

// The log's messages without their time stamps.
std::vector<std::string> LogMessages(const TTestDir& dir) {
    std::vector<std::string> messages;
    std::istringstream in(dir.ReadFile("log"));
    for (std::string line; std::getline(in, line);)
        messages.push_back(line.substr(6));
    return messages;
}

TEST(Program, OpensTheWindowAndEndsCleanlyOnEscape) {
    TTestDir dir;
    TChildProcess game(QUELMARK_BINARY, {"-FS"}, {{"SDL_AUDIODRIVER", "dummy"}},
                       dir.Path().string());
    const std::string window = WaitForWindow("Quelmark!", 60);
    ASSERT_FALSE(window.empty()) << dir.ReadFile("stderr.txt");
    const std::string info = RunCommand("xwininfo -id " + window);
    EXPECT_NE(info.find("Width: 800\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 600\n"), std::string::npos) << info;

    SendKeys(window, "Escape");
    EXPECT_EQ(game.Wait(60), 0) << dir.ReadFile("stderr.txt");
    const auto log = LogMessages(dir);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "Initializing SDL");
    EXPECT_EQ(log[1], "Initializing Sound and Mixer");
    EXPECT_EQ(log[2], "Loading media/loading.png"); // missing here: skipped, start-up goes on
    EXPECT_EQ(log.back(), "Finalizing SDL");
}

TEST(Program, AudioThatCannotOpenEndsWithStatusOneAndSaysHowToPlay) {
    TTestDir dir;
    TChildProcess game(QUELMARK_BINARY, {}, {{"SDL_AUDIODRIVER", "no-such-driver"}},
                       dir.Path().string());
    EXPECT_EQ(game.Wait(60), 1);
    const std::string err = dir.ReadFile("stderr.txt");
    EXPECT_NE(err.find("audio"), std::string::npos) << err;
    EXPECT_NE(err.find("SDL_AUDIODRIVER=dummy"), std::string::npos) << err;
    const auto log = LogMessages(dir);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "Initializing SDL");
    EXPECT_EQ(log[1], "Initializing Sound and Mixer");
    EXPECT_EQ(log[2].rfind("No sdl audio: ", 0), 0u) << log[2];
    EXPECT_EQ(log[3], "Finalizing SDL");
}

TEST(Program, WindowThatCannotOpenEndsWithStatusOne) {
    TTestDir dir;
    TChildProcess game(QUELMARK_BINARY, {}, {{"SDL_VIDEODRIVER", "no-such-video"}},
                       dir.Path().string());
    EXPECT_EQ(game.Wait(60), 1);
    EXPECT_NE(dir.ReadFile("stderr.txt").find("window"), std::string::npos);
    const auto log = LogMessages(dir);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Initializing SDL");
    EXPECT_EQ(log[1], "Finalizing SDL");
}

} // namespace
