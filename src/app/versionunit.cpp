// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/versionunit.h"

#include <version>

const std::string& GameVersion() {
    static const std::string version = QUELMARK_VERSION;
    return version;
}

const std::string& BuildIdentity() {
    static const std::string build = [] {
        std::string text;
#if defined(__clang__)
        text = "clang " __clang_version__;
#elif defined(__GNUC__)
        text = "gcc " __VERSION__;
#else
        text = "unknown compiler";
#endif
#if defined(_LIBCPP_VERSION)
        text += ", libc++ " + std::to_string(_LIBCPP_VERSION);
#elif defined(__GLIBCXX__)
        text += ", libstdc++ " + std::to_string(__GLIBCXX__);
#endif
#if defined(__x86_64__)
        text += ", x86_64";
#elif defined(__aarch64__)
        text += ", aarch64";
#elif defined(__i386__)
        text += ", i386";
#else
        text += ", other processor";
#endif
        return text;
    }();
    return build;
}
