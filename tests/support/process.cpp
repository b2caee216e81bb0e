// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/process.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

TChildProcess::TChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                             const std::map<std::string, std::string>& environment,
                             const std::string& workingDirectory) {
    FPid = fork();
    if (FPid < 0) throw std::runtime_error("fork failed");
    if (FPid > 0) return;
    for (const auto& [name, value] : environment) {
        if (value.empty())
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
    if (chdir(workingDirectory.c_str()) != 0) _exit(126);
    int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err >= 0) dup2(err, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

TChildProcess::~TChildProcess() {
    if (FPid > 0) {
        kill(FPid, SIGKILL);
        waitpid(FPid, nullptr, 0);
    }
}

bool TChildProcess::Exited() {
    if (FPid <= 0) return true;
    int status = 0;
    if (waitpid(FPid, &status, WNOHANG) != FPid) return false;
    FPid = -1;
    FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

int TChildProcess::Wait(double timeoutSeconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (true) {
        if (Exited()) return FStatus;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
            FPid = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string RunCommand(const std::string& command) {
    std::string full = "env -u LD_PRELOAD " + command;
    std::string output;
    FILE* pipe = popen(full.c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 256> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    pclose(pipe);
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

std::string WaitForWindow(const std::string& title, double timeoutSeconds,
                          const std::function<bool()>& giveUp) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline && !(giveUp && giveUp())) {
        std::string ids = RunCommand("xdotool search --name '^" + title + "$' 2>/dev/null");
        if (!ids.empty()) return ids.substr(0, ids.find('\n'));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
}

void SendKeys(const std::string& window, const std::string& keys) {
    RunCommand("xdotool windowfocus --sync " + window + " key --delay 30 " + keys);
}

bool WaitUntil(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return false;
}
