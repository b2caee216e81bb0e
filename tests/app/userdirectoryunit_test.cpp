// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/userdirectoryunit.h"

#include "support/fakehome.h"
#include "support/process.h"
#include "support/testdir.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Started again as a child with QUELMARK_HOME_PROBE set, the test program writes the home
// directory it finds into that file and ends before any test runs.
[[maybe_unused]] const bool HomeProbe = [] {
    if (const char* out = std::getenv("QUELMARK_HOME_PROBE")) {
        std::ofstream(out) << HomeDirectory();
        std::_Exit(0);
    }
    return false;
}();

TEST(HomeDirectory, IsThePasswdHomeThenHome) {
    struct TCase {
        const char* Title;
        std::string Passwd;
        std::string Home;
        std::string Expected;
    };
    const std::string other = "other:x:" + std::to_string(getuid() + 1) + ":0::/o:/bin/sh\n";
    const std::vector<TCase> cases = {
        {"passwd entry wins over HOME", PasswdLineForMe("/from/passwd"), "/from/env",
         "/from/passwd"},
        {"no entry: HOME", other, "/from/env", "/from/env"},
        {"empty passwd home: HOME", PasswdLineForMe(""), "/from/env", "/from/env"},
        {"neither", other, "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        TTestDir dir;
        dir.WriteFile("passwd", c.Passwd);
        dir.WriteFile("group", "root:x:0:\n");
        auto environment = FakePasswdEnvironment(dir.Path() / "passwd", dir.Path() / "group");
        environment["HOME"] = c.Home;
        environment["QUELMARK_HOME_PROBE"] = (dir.Path() / "found").string();
        TChildProcess probe("/proc/self/exe", {}, environment, dir.Path().string());
        ASSERT_EQ(probe.Wait(30), 0) << dir.ReadFile("stderr.txt");
        EXPECT_EQ(dir.ReadFile("found"), c.Expected);
    }
}

} // namespace
