// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving a small file so that a crash mid-save never loses the old one.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// A save that failed; what() is "Cannot save <file>: <reason>".
class TFileSaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the bytes to a fresh temporary file beside fileName and renames it over, keeping the
// old file's permissions (0644 for a new one); throws TFileSaveError when any step fails, and
// then leaves no temporary behind.
void SaveFileReplacing(const std::string& fileName, const std::string& bytes);

// Creates the directory and its parents when missing; "" when it is there, else the reason.
std::string EnsureDirectory(const std::string& directory);

// What every file the game keeps does before its save: a directory of "" (no home known) logs
// "No home directory: <what> not saved", one that cannot be made logs "Cannot create
// <directory>: <reason>"; true when the save may go ahead.
bool ReadySaveDirectory(const std::string& directory, const std::string& what);

// SaveFileReplacing, its failure logged rather than thrown: the game goes on without the file.
// True when saved.
bool SaveFileLogged(const std::string& fileName, const std::string& bytes);

// Saves done one after another on a thread of their own, so that no frame waits for the disk
// (each fsync costs milliseconds). Each save names the files it writes; a reader of one of them
// waits for it, and the queue finishes every save handed to it before it goes.
class TSaveQueue {
public:
    TSaveQueue();
    ~TSaveQueue();
    TSaveQueue(const TSaveQueue&) = delete;
    TSaveQueue& operator=(const TSaveQueue&) = delete;

    void Post(std::vector<std::string> files, std::function<void()> save);
    // Returns once no save handed over before writes fileName any more.
    void WaitFor(const std::string& fileName);
    // Returns once every save handed over before has finished.
    void WaitForAll();

private:
    struct TJob {
        std::vector<std::string> Files;
        std::function<void()> Save;
    };
    void Work();
    bool Writes(const std::string& fileName) const;

    std::mutex FMutex;
    std::condition_variable FChanged;
    std::deque<TJob> FJobs;
    bool FStopping = false;
    std::thread FThread;
};

// The queue the program's saves go to; without one (tests, tools) a save is made at once.
TSaveQueue* InstallSaveQueue(TSaveQueue* queue);
// Hands the save to the installed queue, or makes it now.
void SaveSoon(std::vector<std::string> files, std::function<void()> save);
// Waits for the installed queue's saves of fileName; at once without a queue.
void WaitForSaveOf(const std::string& fileName);
