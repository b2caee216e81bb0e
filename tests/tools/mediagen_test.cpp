// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The media generator as the build runs it: the same bytes every time, and a failed write
// that names the file.
#include "support/process.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

namespace fs = std::filesystem;

// Runs the generator into the folder; its standard error and exit status.
std::string Generate(const fs::path& folder) {
    return RunCommand("ASAN_OPTIONS=detect_leaks=0 '" QUELMARK_MEDIAGEN "' '" + folder.string() +
                      "' 2>&1; echo \"status $?\"");
}

// Every file under the folder, by its path relative to the folder.
std::map<std::string, std::string> Files(const TTestDir& dir, const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path() / folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), dir.Path() / folder).string();
        files[name] = dir.ReadFile(folder + "/" + name);
    }
    return files;
}

TEST(MediaGenerator, WritesTheSameBytesOnEveryRun) {
    TTestDir dir;
    ASSERT_EQ(Generate(dir.Path() / "one"), "status 0");
    ASSERT_EQ(Generate(dir.Path() / "two"), "status 0");
    const auto one = Files(dir, "one");
    const auto two = Files(dir, "two");
    EXPECT_TRUE(one.count("viking_weapon.model"));
    EXPECT_TRUE(one.count("fence.model"));
    ASSERT_EQ(one.size(), two.size());
    for (const auto& [name, bytes] : one) {
        ASSERT_TRUE(two.count(name)) << name;
        EXPECT_TRUE(bytes == two.at(name)) << name << " differs between runs";
        EXPECT_FALSE(bytes.empty()) << name;
    }
}

TEST(MediaGenerator, FailedWriteNamesTheFileAndFails) {
    TTestDir dir;
    // A folder where the model file should go: the file cannot be written.
    fs::create_directories(dir.Path() / "out" / "sheep.model");
    const std::string output = Generate(dir.Path() / "out");
    EXPECT_NE(output.find((dir.Path() / "out" / "sheep.model").string()), std::string::npos)
        << output;
    EXPECT_NE(output.find("status 1"), std::string::npos) << output;
}

} // namespace
