// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/gamesession.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

uint32_t Le(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

Samples Mono(const std::string& bytes, size_t from, size_t to, int channels) {
    Samples out;
    const size_t frame = 2 * static_cast<size_t>(channels);
    for (size_t at = from; at + frame <= to; at += frame) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += static_cast<int16_t>(Le(bytes, at + 2 * c, 2));
        out.push_back(sum / channels);
    }
    return out;
}

double Rms(const Samples& samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to && i < samples.size(); ++i)
        sum += samples[i] * samples[i];
    return to > from ? std::sqrt(sum / (to - from)) : 0;
}

double Changed(const TShot& a, const TShot& b, int left, int top, int right, int bottom) {
    int changed = 0, total = 0;
    for (int y = top; y < bottom; y += 2)
        for (int x = left; x < right; x += 2) {
            const uint8_t *p = a.At(x, y), *q = b.At(x, y);
            changed += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 30;
            ++total;
        }
    return static_cast<double>(changed) / total;
}

std::string Region(const TShot& shot, int left, int top, int width, int height) {
    std::string bytes;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const uint8_t* p = shot.At(x, y);
            bytes.append(p, p + 3);
        }
    return bytes;
}

TGameSession::TGameSession(const TTestDir& dir, std::map<std::string, std::string> extra,
                           const std::vector<std::string>& arguments)
    : Dir(dir), Home(dir.Path()) {
    const auto media = Dir.Path() / "media";
    if (!std::filesystem::exists(media)) std::filesystem::create_symlink(QUELMARK_MEDIA_DIR, media);
    // Nothing may reach the real user's home.
    auto environment = Home.Environment();
    environment["SDL_AUDIODRIVER"] = "disk";
    environment["SDL_DISKAUDIOFILE"] = (Dir.Path() / "audio.raw").string();
    for (const auto& [name, value] : extra)
        environment[name] = value;
    Game = std::make_unique<TChildProcess>(QUELMARK_BINARY, arguments, environment,
                                           Dir.Path().string());
    Window = WaitForWindow("Quelmark!", 90, [this] { return Game->Exited(); });
    if (Window.empty()) ReportMissingWindow();
}

// Says what became of a game whose window never showed, for the failure that follows: the
// last lines of its log other than file loads.
void TGameSession::ReportMissingWindow() const {
    std::istringstream log(Dir.ReadFile("log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        if (line.find(" Loading ") == std::string::npos) lines.push_back(line);
    std::string tail;
    for (size_t i = lines.size() - std::min<size_t>(lines.size(), 8); i < lines.size(); ++i)
        tail += "\n  " + lines[i];
    std::fprintf(stderr, "No game window; the game %s. Its log ends:%s\n",
                 Game->Exited() ? ("ended with status " + std::to_string(Game->Wait(0))).c_str()
                                : "is still running",
                 tail.c_str());
}

TShot TGameSession::Shot(const std::string& name) const {
    const auto file = Dir.Path() / (name + ".png");
    RunCommand("import -window " + Window + " png:" + file.string());
    if (const char* keep = std::getenv("QUELMARK_SCREENSHOT_DIR"))
        std::filesystem::copy_file(file, std::filesystem::path(keep) / (name + ".png"),
                                   std::filesystem::copy_options::overwrite_existing);
    return {DecodeTextureFile(file.string())};
}

TShot TGameSession::ShotWhen(const std::string& name,
                             const std::function<bool(const TShot&)>& check, double seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    TShot shot = Shot(name);
    while (!check(shot) && std::chrono::steady_clock::now() < deadline) {
        Pause(200);
        shot = Shot(name);
    }
    return shot;
}

double TGameSession::LastSecondRmsWhen(const std::function<bool(double)>& check,
                                       double seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    const auto last = [this] {
        const Samples sound = Capture();
        return sound.size() < 22050 ? 0.0 : Rms(sound, sound.size() - 22050, sound.size());
    };
    double rms = last();
    while (!check(rms) && std::chrono::steady_clock::now() < deadline) {
        Pause(200);
        rms = last();
    }
    return rms;
}

void TGameSession::Keys(const std::string& xdotoolCommands) const {
    RunCommand("xdotool windowfocus --sync " + Window + " " + xdotoolCommands);
}

bool TGameSession::WaitForLog(const std::string& message, double seconds) const {
    for (double waited = 0; waited < seconds; waited += 0.1) {
        if (Dir.ReadFile("log").find(" " + message + "\n") != std::string::npos) return true;
        Pause(100);
    }
    return false;
}

size_t TGameSession::CaptureBytes() const {
    std::error_code error;
    const auto size = std::filesystem::file_size(Dir.Path() / "audio.raw", error);
    return error ? 0 : static_cast<size_t>(size);
}

Samples TGameSession::Capture() const {
    const std::string bytes = ReadBytes(Dir.Path() / "audio.raw");
    return Mono(bytes, 0, bytes.size(), 2);
}

void TGameSession::Pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
