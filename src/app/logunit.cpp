// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/logunit.h"

#include <cstdio>
#include <utility>

std::string FormatLogLine(const std::string& message, const std::tm& localTime) {
    char stamp[8];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d", localTime.tm_hour % 100,
                  localTime.tm_min % 100);
    return std::string(stamp) + " " + message;
}

namespace {

bool Logging = true;

} // namespace

bool SetLogging(bool on) {
    return std::exchange(Logging, on);
}

void WriteLog(const std::string& message) {
    if (!Logging) return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string line = FormatLogLine(message, local);
    line += '\n';
    // Opened and closed per line so the file is complete even if the game dies later.
    std::FILE* file = std::fopen("log", "ab");
    if (file == nullptr) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}
