// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/settingsunit.h"

#include "app/filesaveunit.h"
#include "app/userdirectoryunit.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int VolumeStep = 10;

// A whole decimal number and nothing else.
bool ParseInt(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, result] = std::from_chars(first, last, value);
    return !text.empty() && result == std::errc() && end == last;
}

bool ParseFlag(const std::string& text, bool& flag) {
    if (text != "0" && text != "1") return false;
    flag = text == "1";
    return true;
}

// "auto" (none) or a flag.
void ParseChoice(const std::string& text, std::optional<bool>& choice) {
    bool flag = false;
    if (text == "auto")
        choice.reset();
    else if (ParseFlag(text, flag))
        choice = flag;
}

// "WxH" with both sides within the window's bounds.
bool ParseWindow(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    int w = 0, h = 0;
    if (x == std::string::npos || !ParseInt(text.substr(0, x), w) ||
        !ParseInt(text.substr(x + 1), h))
        return false;
    if (w < TSettings::MinWindowWidth || h < TSettings::MinWindowHeight ||
        w > TSettings::MaxWindowSide || h > TSettings::MaxWindowSide)
        return false;
    width = w;
    height = h;
    return true;
}

const struct {
    TRenderSize Size;
    const char* Name;
} RenderNames[] = {
    {TRenderSize::Auto, "auto"}, {TRenderSize::Native, "native"}, {TRenderSize::Design, "800x600"}};

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The action of a "key.<action>" setting.
std::optional<TPlayAction> ActionOfSetting(const std::string& key) {
    const std::string prefix = "key.";
    if (!key.starts_with(prefix)) return std::nullopt;
    for (int i = 0; i < PlayActionCount; ++i)
        if (key.substr(prefix.size()) == ActionSettingName(static_cast<TPlayAction>(i)))
            return static_cast<TPlayAction>(i);
    return std::nullopt;
}

} // namespace

TSettings ReadSettings(std::istream& in) {
    TSettings settings;
    for (std::string line; std::getline(in, line);) {
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        int volume = 0;
        if (key == "volume" && ParseInt(value, volume) && volume >= 0 && volume <= 100)
            settings.Volume = (volume + VolumeStep / 2) / VolumeStep * VolumeStep;
        else if (key == "music_muted")
            ParseFlag(value, settings.MusicMuted);
        else if (key == "fullscreen")
            ParseFlag(value, settings.FullScreen);
        else if (key == "show_fps")
            ParseFlag(value, settings.ShowFps);
        else if (key == "difficulty")
            settings.Difficulty = DifficultyOfName(value).value_or(settings.Difficulty);
        else if (const auto action = ActionOfSetting(key); action && KeyOfName(value))
            settings.Keys.Rebind(*action, *KeyOfName(value));
        else if (key == "window")
            ParseWindow(value, settings.WindowWidth, settings.WindowHeight);
        else if (key == "facing_marker")
            ParseChoice(value, settings.FacingMarker);
        else if (key == "render")
            for (const auto& render : RenderNames)
                if (value == render.Name) settings.RenderSize = render.Size;
    }
    return settings;
}

std::string FormatSettings(const TSettings& settings) {
    std::ostringstream out;
    out << "# Quelmark settings: volume 0-100 (steps of 10), music_muted, fullscreen and show_fps "
           "0 or 1,\n# difficulty classic or gentle, key.<action> an SDL key name, window WxH,\n"
           "# render auto, native or 800x600, facing_marker auto (on Gentle only), 0 or 1\n"
        << "volume=" << settings.Volume << '\n'
        << "music_muted=" << (settings.MusicMuted ? 1 : 0) << '\n'
        << "fullscreen=" << (settings.FullScreen ? 1 : 0) << '\n'
        << "show_fps=" << (settings.ShowFps ? 1 : 0) << '\n'
        << "difficulty=" << DifficultySettingName(settings.Difficulty) << '\n';
    for (int i = 0; i < PlayActionCount; ++i) {
        const auto action = static_cast<TPlayAction>(i);
        out << "key." << ActionSettingName(action) << '=' << KeyName(settings.Keys.Key(action))
            << '\n';
    }
    out << "window=" << settings.WindowWidth << 'x' << settings.WindowHeight << '\n';
    for (const auto& render : RenderNames)
        if (render.Size == settings.RenderSize) out << "render=" << render.Name << '\n';
    out << "facing_marker="
        << (settings.FacingMarker ? (*settings.FacingMarker ? "1" : "0") : "auto") << '\n';
    return out.str();
}

std::string SettingsFile(const char* configHome, const std::string& home) {
    const std::string base = XdgBaseDirectory(configHome, home, ".config");
    return base.empty() ? "" : base + "/quelmark/settings";
}

std::string SettingsFile() {
    return SettingsFile(std::getenv("XDG_CONFIG_HOME"), HomeDirectory());
}

TSettings LoadSettings(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {};
    return ReadSettings(in);
}

bool SaveSettings(const std::string& fileName, const TSettings& settings) {
    const std::string dir =
        fileName.empty() ? "" : std::filesystem::path(fileName).parent_path().string();
    return ReadySaveDirectory(dir, "settings") &&
           SaveFileLogged(fileName, FormatSettings(settings));
}

int StepVolume(int volume, int steps) {
    return std::clamp(volume + steps * VolumeStep, 0, 100);
}
