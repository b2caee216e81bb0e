// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the real game binary (or any program) as a child process for end-to-end tests.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

class TChildProcess {
public:
    // Starts program with arguments in the working directory, with extra environment
    // variables on top of ours (an empty value removes the variable). Standard error goes
    // to the file "stderr.txt" in that directory.
    TChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                  const std::map<std::string, std::string>& environment,
                  const std::string& workingDirectory);
    // Kills the child if it is still running.
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // Waits up to timeoutSeconds; the exit status, or -1 on timeout (the child is killed)
    // and 128 + signal when it was killed by a signal.
    int Wait(double timeoutSeconds);
    // Whether the child has ended, without waiting; Wait then answers its status at once.
    bool Exited();
    pid_t Pid() const { return FPid; }

private:
    pid_t FPid = -1;
    int FStatus = -1;
};

// Runs a shell command to completion and returns its standard output (trailing newline cut).
// The sanitizer preload of the test environment is dropped for the command.
std::string RunCommand(const std::string& command);
// The X window id of the first window with this exact title, waiting up to timeoutSeconds
// or until giveUp answers true; "" when none appears.
std::string WaitForWindow(const std::string& title, double timeoutSeconds,
                          const std::function<bool()>& giveUp = {});
// Gives the window the keyboard focus and sends it key presses (xdotool key names, e.g.
// "Escape", "space").
void SendKeys(const std::string& window, const std::string& keys);

// Asks the condition every half second until it holds; false when seconds have passed.
bool WaitUntil(const std::function<bool()>& condition, double seconds);
