// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/install.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>

int RunStatus(const std::string& command, std::string& output) {
    output.clear();
    const std::string full = "env -u LD_PRELOAD sh -c '" + command + "' 2>&1";
    FILE* pipe = popen(full.c_str(), "r");
    if (pipe == nullptr) return -1;
    std::array<char, 512> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::filesystem::path StageInstall(const std::filesystem::path& destDir) {
    std::string output;
    const int status = RunStatus("DESTDIR=" + destDir.string() + " cmake --install " +
                                     QUELMARK_BUILD_DIR + " --prefix /usr",
                                 output);
    if (status != 0) throw std::runtime_error("cmake --install failed:\n" + output);
    return destDir / "usr";
}
