// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/windowsize.h"

#include <chrono>
#include <optional>

std::string WindowSize(const std::string& window) {
    const std::string info = RunCommand("xwininfo -id " + window);
    const auto number = [&info](const std::string& label) {
        const size_t at = info.find(label);
        return at == std::string::npos
                   ? std::string("?")
                   : info.substr(at + label.size(), info.find('\n', at) - at - label.size());
    };
    return number("Width: ") + "x" + number("Height: ");
}

bool WaitForSettledSize(const std::string& window, const std::string& size) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    std::optional<Clock::time_point> since;
    while (Clock::now() < deadline) {
        if (WindowSize(window) != size)
            since.reset();
        else if (!since)
            since = Clock::now();
        else if (Clock::now() - *since >= std::chrono::milliseconds(1500))
            return true;
        TGameSession::Pause(200);
    }
    return false;
}

TWindowManager::TWindowManager(const TTestDir& dir)
    : FProcess("/usr/bin/evilwm", {"-fn", "fixed"}, {}, dir.Path().string()) {
    for (int tries = 0; tries < 100; ++tries) {
        if (RunCommand("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
            std::string::npos)
            return;
        TGameSession::Pause(100);
    }
}

double AlikeScaled(const TShot& window, const TShot& large) {
    const double sx = large.Image.Width / 800.0, sy = large.Image.Height / 600.0;
    int alike = 0, total = 0;
    for (int y = 40; y < 600; y += 8)
        for (int x = 0; x < 800; x += 8) {
            const uint8_t* p = window.At(x, y);
            const uint8_t* q = large.At(static_cast<int>(x * sx), static_cast<int>(y * sy));
            alike += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) < 90;
            ++total;
        }
    return static_cast<double>(alike) / total;
}
