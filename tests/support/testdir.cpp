// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/testdir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

TTestDir::TTestDir() : Previous(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quelmark-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    Dir = pattern;
    std::filesystem::current_path(Dir);
}

TTestDir::~TTestDir() {
    std::error_code ignored;
    std::filesystem::current_path(Previous, ignored);
    std::filesystem::remove_all(Dir, ignored);
}

void TTestDir::WriteFile(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path path = Dir / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TTestDir::ReadFile(const std::string& relative) const {
    std::ifstream in(Dir / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> TTestDir::LogMessages() const {
    std::vector<std::string> messages;
    std::istringstream in(ReadFile("log"));
    for (std::string line; std::getline(in, line);)
        messages.push_back(line.substr(6));
    return messages;
}
