// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real game binary in a throwaway directory and home, played with keys on the test
// display, its sound captured by SDL's disk audio driver.
#pragma once

#include "assets/textureunit.h"
#include "support/fakehome.h"
#include "support/process.h"
#include "support/testdir.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Samples = std::vector<float>;

std::string ReadBytes(const std::filesystem::path& path);
// The little-endian unsigned number of size bytes at the offset.
uint32_t Le(const std::string& bytes, size_t at, int size);
// Signed 16-bit frames of the given channel count, averaged to mono.
Samples Mono(const std::string& bytes, size_t from, size_t to, int channels);
// The root mean square of samples from..to.
double Rms(const Samples& samples, size_t from, size_t to);

struct TShot {
    TTextureImage Image;
    const uint8_t* At(int x, int y) const {
        return &Image.Pixels[static_cast<size_t>(y) * Image.RowBytes() + x * Image.BytesPerPixel()];
    }
    std::array<uint8_t, 3> Colour(int x, int y) const {
        const uint8_t* p = At(x, y);
        return {p[0], p[1], p[2]};
    }
};

// The colour bytes of a rectangle: equal for two pictures that show the same there.
std::string Region(const TShot& shot, int left, int top, int width, int height);
// The screen's middle, away from the frame-rate text and the heads-up icons.
inline std::string Middle(const TShot& shot) {
    return Region(shot, 100, 100, 600, 400);
}

// Share of pixels that differ noticeably between two screenshots in a rectangle; by default
// below the title picture and right of the heads-up icons.
double Changed(const TShot& a, const TShot& b, int left = 100, int top = 200, int right = 800,
               int bottom = 600);

class TGameSession {
public:
    // Starts the game in dir (the media linked in) with the arguments, with a fake home inside
    // it, the disk audio driver writing audio.raw, and the extra environment on top.
    explicit TGameSession(const TTestDir& dir, std::map<std::string, std::string> extra = {},
                          const std::vector<std::string>& arguments = {});

    // A screenshot of the window, kept in QUELMARK_SCREENSHOT_DIR when that is set.
    TShot Shot(const std::string& name) const;
    // Screenshots until one passes the check (a loaded machine can lag a second or more
    // behind the keys); the last one taken when none does within the time.
    TShot ShotWhen(const std::string& name, const std::function<bool(const TShot&)>& check,
                   double seconds = 15) const;
    // The RMS of the capture's last 22050 samples once it passes the check (polled every
    // 200 ms), or as it is when the time is up.
    double LastSecondRmsWhen(const std::function<bool(double)>& check, double seconds = 15) const;
    // Focuses the window and runs the xdotool commands on it.
    void Keys(const std::string& xdotoolCommands) const;
    // Waits until the log holds the line (without its time stamp); false after the timeout.
    bool WaitForLog(const std::string& message, double seconds) const;
    size_t CaptureBytes() const;
    // The captured sound so far, mono.
    Samples Capture() const;
    static void Pause(int milliseconds);

    const TTestDir& Dir;
    TFakeHome Home;
    std::unique_ptr<TChildProcess> Game;
    std::string Window;

private:
    void ReportMissingWindow() const;
};
