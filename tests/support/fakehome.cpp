// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/fakehome.h"

#include <fstream>
#include <unistd.h>

std::map<std::string, std::string> FakePasswdEnvironment(const std::filesystem::path& passwd,
                                                         const std::filesystem::path& group) {
    const char* preload = std::getenv("LD_PRELOAD");
    return {{"LD_PRELOAD", std::string(preload ? preload : "") + ":libnss_wrapper.so"},
            // Without the sanitizer preload (a direct run) the wrapper would load first.
            {"ASAN_OPTIONS", "verify_asan_link_order=0"},
            // The sanitizers refuse libraries opened with RTLD_DEEPBIND.
            {"NSS_WRAPPER_DISABLE_DEEPBIND", "1"},
            {"NSS_WRAPPER_PASSWD", passwd.string()},
            {"NSS_WRAPPER_GROUP", group.string()}};
}

std::string PasswdLineForMe(const std::string& home) {
    return "player:x:" + std::to_string(getuid()) + ":" + std::to_string(getgid()) +
           ":Player:" + home + ":/bin/sh\n";
}

TFakeHome::TFakeHome(const std::filesystem::path& dir) : Home(dir / "home"), FDir(dir) {
    std::filesystem::create_directories(Home);
    std::ofstream(FDir / "passwd") << PasswdLineForMe(Home.string());
    std::ofstream(FDir / "group") << "player:x:" << getgid() << ":\n";
}

std::map<std::string, std::string> TFakeHome::Environment() const {
    auto environment = FakePasswdEnvironment(FDir / "passwd", FDir / "group");
    environment["HOME"] = (FDir / "not-the-home").string();
    // The settings then live in the fake home's ~/.config too.
    environment["XDG_CONFIG_HOME"] = "";
    // And the replays in its ~/.local/state.
    environment["XDG_STATE_HOME"] = "";
    return environment;
}
