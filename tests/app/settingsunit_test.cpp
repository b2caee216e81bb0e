// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/settingsunit.h"

#include "support/printers.h"
#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

TSettings Read(const std::string& text) {
    std::istringstream in(text);
    return ReadSettings(in);
}

TSettings Rebound() {
    TSettings settings{70, false, true, false, TDifficulty::Gentle};
    // Every action moves: the keys of the design rotate, and swing and pause get new ones.
    const std::pair<TPlayAction, SDLKey> keys[] = {
        {TPlayAction::TurnLeft, SDLK_RIGHT}, {TPlayAction::TurnRight, SDLK_UP},
        {TPlayAction::Forwards, SDLK_DOWN},  {TPlayAction::Backwards, SDLK_LEFT},
        {TPlayAction::Swing, SDLK_KP0},      {TPlayAction::Pause, SDLK_COMMA}};
    for (const auto& [action, key] : keys)
        settings.Keys.Rebind(action, key);
    return settings;
}

TSettings Window(int width, int height) {
    TSettings settings;
    settings.WindowWidth = width;
    settings.WindowHeight = height;
    return settings;
}

TSettings Render(TRenderSize size) {
    TSettings settings;
    settings.RenderSize = size;
    return settings;
}

TSettings Facing(std::optional<bool> choice) {
    TSettings settings;
    settings.FacingMarker = choice;
    return settings;
}

TEST(Settings, WrittenTextReadsBackTheSame) {
    TSettings resized = Window(1366, 700);
    resized.RenderSize = TRenderSize::Design;
    for (const TSettings& settings :
         {TSettings{}, TSettings{0, true, true}, TSettings{70, false, true}, Rebound(), resized,
          Render(TRenderSize::Native), Facing(true), Facing(false)}) {
        const std::string text = FormatSettings(settings);
        EXPECT_EQ(text[0], '#');
        EXPECT_EQ(Read(text), settings) << text;
    }
}

// A failed comparison must show where two settings differ: each field changed alone prints
// differently.
TEST(Settings, ThePrinterShowsEveryField) {
    const auto changed = [](void (*change)(TSettings&)) {
        TSettings s;
        change(s);
        return testing::PrintToString(s);
    };
    const std::string plain = testing::PrintToString(TSettings{});
    const std::pair<const char*, void (*)(TSettings&)> fields[] = {
        {"Volume", [](TSettings& s) { s.Volume = 90; }},
        {"MusicMuted", [](TSettings& s) { s.MusicMuted = true; }},
        {"FullScreen", [](TSettings& s) { s.FullScreen = true; }},
        {"ShowFps", [](TSettings& s) { s.ShowFps = false; }},
        {"Difficulty", [](TSettings& s) { s.Difficulty = TDifficulty::Gentle; }},
        {"Keys", [](TSettings& s) { s.Keys.Rebind(TPlayAction::Pause, SDLK_q); }},
        {"WindowWidth", [](TSettings& s) { s.WindowWidth = 801; }},
        {"WindowHeight", [](TSettings& s) { s.WindowHeight = 601; }},
        {"RenderSize", [](TSettings& s) { s.RenderSize = TRenderSize::Native; }},
        {"FacingMarkerOff", [](TSettings& s) { s.FacingMarker = false; }},
        {"FacingMarkerOn", [](TSettings& s) { s.FacingMarker = true; }},
    };
    for (const auto& [name, change] : fields)
        EXPECT_NE(changed(change), plain) << name;
}

struct TLineCase {
    const char* Text;
    TSettings Expected;
};

void PrintTo(const TLineCase& c, std::ostream* out) {
    *out << '"' << c.Text << '"';
}

class SettingsLines : public ::testing::TestWithParam<TLineCase> {};

TEST_P(SettingsLines, KeepTheDefaultForWhatCannotBeRead) {
    EXPECT_EQ(Read(GetParam().Text), GetParam().Expected) << GetParam().Text;
}

const TSettings Defaults{};

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsLines,
    ::testing::Values(TLineCase{"", Defaults}, TLineCase{"volume=40\n", {40, false, false}},
                      TLineCase{"  volume = 40 \r\nmusic_muted=1\r\n", {40, true, false}},
                      TLineCase{"volume=0", {0, false, false}}, TLineCase{"volume=100", Defaults},
                      TLineCase{"volume=44", {40, false, false}},
                      TLineCase{"volume=45", {50, false, false}}, TLineCase{"volume=101", Defaults},
                      TLineCase{"volume=-1", Defaults}, TLineCase{"volume=", Defaults},
                      TLineCase{"volume=4O", Defaults}, TLineCase{"volume=40 %", Defaults},
                      TLineCase{"volume 40", Defaults},
                      TLineCase{"music_muted=2\nfullscreen=yes", Defaults},
                      TLineCase{"fullscreen=1\nfullscreen=0", Defaults},
                      TLineCase{"# volume=10\nloudness=10\nVOLUME=10", Defaults},
                      TLineCase{"fullscreen=1\nvolume=300\n", {100, false, true}},
                      // 100 and 101 after a line that set another volume, so that both
                      // sides of the limit show.
                      TLineCase{"volume=30\nvolume=100", Defaults},
                      TLineCase{"volume=30\nvolume=101", {30, false, false}},
                      TLineCase{"show_fps=0\ndifficulty=gentle",
                                {100, false, false, false, TDifficulty::Gentle}},
                      TLineCase{"show_fps=no\ndifficulty=Gentle\ndifficulty=", Defaults}));

TSettings WithKey(TPlayAction action, SDLKey key, TPlayAction other, SDLKey otherKey) {
    TSettings settings;
    settings.Keys.Rebind(action, key);
    settings.Keys.Rebind(other, otherKey);
    return settings;
}

TEST(Settings, KeyLinesBindInTheirOrderAndBadOnesLeaveTheDefault) {
    using enum TPlayAction;
    EXPECT_EQ(Read("key.swing=a\nkey.pause=left ctrl\n"),
              WithKey(Swing, SDLK_a, Pause, SDLK_LCTRL));
    EXPECT_EQ(Read("key.turn_left=right\nkey.turn_left=b\n"),
              WithKey(TurnLeft, SDLK_RIGHT, TurnLeft, SDLK_b));
    for (const char* text : {"key.swing=space", "key.swing=m", "key.swing=A", "key.swing=",
                             "key.jump=a", "KEY.swing=a", "key.=a", "key.swing=unknown key"})
        EXPECT_EQ(Read(text), Defaults) << text;
}

// The window's sides count from 320 x 240 to 16384 each; the render size has three names.
INSTANTIATE_TEST_SUITE_P(
    WindowAndRender, SettingsLines,
    ::testing::Values(TLineCase{"window=1200x900", Window(1200, 900)},
                      TLineCase{" window = 1024x768 \r", Window(1024, 768)},
                      TLineCase{"window=320x240", Window(320, 240)},
                      TLineCase{"window=319x240", Defaults}, TLineCase{"window=320x239", Defaults},
                      TLineCase{"window=16384x16384", Window(16384, 16384)},
                      TLineCase{"window=16385x600", Defaults},
                      TLineCase{"window=800x16385", Defaults},
                      TLineCase{"window=1024X768", Defaults}, TLineCase{"window=1024x", Defaults},
                      TLineCase{"window=x768", Defaults}, TLineCase{"window=1024x768x2", Defaults},
                      TLineCase{"window=-800x600", Defaults},
                      TLineCase{"window=1024 x 768", Defaults},
                      TLineCase{"render=native", Render(TRenderSize::Native)},
                      TLineCase{"render=800x600", Render(TRenderSize::Design)},
                      TLineCase{"render=native\nrender=auto", Defaults},
                      TLineCase{"render=Native", Defaults}, TLineCase{"render=1024x768", Defaults},
                      TLineCase{"render=800x600\nrender=sharp", Render(TRenderSize::Design)}));

// The facing marker: auto (none), 0 or 1; a later auto takes back an earlier choice.
INSTANTIATE_TEST_SUITE_P(
    FacingMarker, SettingsLines,
    ::testing::Values(TLineCase{"facing_marker=1", Facing(true)},
                      TLineCase{"facing_marker=0", Facing(false)},
                      TLineCase{"facing_marker=0\nfacing_marker=auto", Defaults},
                      TLineCase{"facing_marker=1\nfacing_marker=yes", Facing(true)},
                      TLineCase{"facing_marker=Auto", Defaults}));

TEST(Settings, FileFollowsXdgConfigHomeWhenItIsAnAbsolutePath) {
    EXPECT_EQ(SettingsFile("/x/cfg", "/home/p"), "/x/cfg/quelmark/settings");
    EXPECT_EQ(SettingsFile(nullptr, "/home/p"), "/home/p/.config/quelmark/settings");
    EXPECT_EQ(SettingsFile("", "/home/p"), "/home/p/.config/quelmark/settings");
    EXPECT_EQ(SettingsFile("cfg", "/home/p"), "/home/p/.config/quelmark/settings");
    EXPECT_EQ(SettingsFile(nullptr, ""), "");
}

TEST(Settings, SavedFileLoadsBackAndAMissingOneGivesTheDefaults) {
    TTestDir dir;
    const std::string file = (dir.Path() / "cfg/quelmark/settings").string();
    EXPECT_EQ(LoadSettings(file), Defaults);
    const TSettings settings{30, true, false};
    ASSERT_TRUE(SaveSettings(file, settings));
    EXPECT_EQ(LoadSettings(file), settings);
    EXPECT_EQ(dir.ReadFile("log"), "");
    // A directory in the file's place cannot be read either.
    std::filesystem::create_directories(dir.Path() / "other/settings");
    EXPECT_EQ(LoadSettings((dir.Path() / "other/settings").string()), Defaults);
}

TEST(Settings, UnwritablePlacesAreLoggedAndLeaveNothingBehind) {
    TTestDir dir;
    // A directory where the file should be, and a file where a directory should be: both
    // refuse even the superuser.
    std::filesystem::create_directories(dir.Path() / "cfg/quelmark/settings/inside");
    dir.WriteFile("plain", "not a directory");
    const std::string blocked = (dir.Path() / "cfg/quelmark/settings").string();
    EXPECT_FALSE(SaveSettings(blocked, Defaults));
    EXPECT_FALSE(SaveSettings((dir.Path() / "plain/quelmark/settings").string(), Defaults));
    EXPECT_FALSE(SaveSettings("", Defaults));
    const std::string log = dir.ReadFile("log");
    EXPECT_NE(log.find("Cannot save " + blocked + ": Is a directory"), std::string::npos) << log;
    EXPECT_NE(log.find("Cannot create " + (dir.Path() / "plain/quelmark").string()),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("No home directory: settings not saved"), std::string::npos) << log;
    int left = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path() / "cfg/quelmark"))
        left += entry.path().filename() != "settings";
    EXPECT_EQ(left, 0) << "a temporary file stayed";
}

TEST(Settings, VolumeStepsStayWithinTheRange) {
    EXPECT_EQ(StepVolume(100, 1), 100);
    EXPECT_EQ(StepVolume(90, 1), 100);
    EXPECT_EQ(StepVolume(10, -1), 0);
    EXPECT_EQ(StepVolume(0, -1), 0);
}

} // namespace
