// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/filesaveunit.h"

#include "app/logunit.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The whole buffer goes out, or errno says why not.
bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncDirectoryOf(const std::string& fileName) {
    const std::string dir = std::filesystem::path(fileName).parent_path().string();
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

TSaveQueue* InstalledQueue = nullptr;

} // namespace

void SaveFileReplacing(const std::string& fileName, const std::string& bytes) {
    const auto fail = [&fileName](int error) {
        return TFileSaveError("Cannot save " + fileName + ": " + std::strerror(error));
    };
    // A fresh temporary beside the file, so a concurrent save never shares it.
    std::string temporary = fileName + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw fail(errno);
    struct stat old {};
    ::fchmod(fd, ::stat(fileName.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const int error = !written ? writeError : errno;
        ::unlink(temporary.c_str());
        throw fail(error);
    }
    SyncDirectoryOf(fileName);
}

std::string EnsureDirectory(const std::string& directory) {
    std::error_code error;
    if (std::filesystem::is_directory(directory, error)) return "";
    std::filesystem::create_directories(directory, error);
    return error ? error.message() : "";
}

bool ReadySaveDirectory(const std::string& directory, const std::string& what) {
    if (directory.empty()) {
        WriteLog("No home directory: " + what + " not saved");
        return false;
    }
    if (const std::string reason = EnsureDirectory(directory); !reason.empty()) {
        WriteLog("Cannot create " + directory + ": " + reason);
        return false;
    }
    return true;
}

bool SaveFileLogged(const std::string& fileName, const std::string& bytes) {
    try {
        SaveFileReplacing(fileName, bytes);
        return true;
    } catch (const TFileSaveError& e) {
        WriteLog(e.what());
        return false;
    }
}

TSaveQueue::TSaveQueue() : FThread([this] { Work(); }) {}

TSaveQueue::~TSaveQueue() {
    {
        const std::lock_guard lock(FMutex);
        FStopping = true;
    }
    FChanged.notify_all();
    FThread.join();
}

void TSaveQueue::Post(std::vector<std::string> files, std::function<void()> save) {
    {
        const std::lock_guard lock(FMutex);
        FJobs.push_back({std::move(files), std::move(save)});
    }
    FChanged.notify_all();
}

bool TSaveQueue::Writes(const std::string& fileName) const {
    for (const TJob& job : FJobs)
        for (const std::string& file : job.Files)
            if (file == fileName) return true;
    return false;
}

void TSaveQueue::WaitFor(const std::string& fileName) {
    // A save reading a file finds the saves handed over before it done already.
    if (std::this_thread::get_id() == FThread.get_id()) return;
    std::unique_lock lock(FMutex);
    FChanged.wait(lock, [&] { return !Writes(fileName); });
}

void TSaveQueue::WaitForAll() {
    std::unique_lock lock(FMutex);
    FChanged.wait(lock, [&] { return FJobs.empty(); });
}

void TSaveQueue::Work() {
    std::unique_lock lock(FMutex);
    for (;;) {
        // Stopping only once the queue is empty: nothing handed over is lost.
        FChanged.wait(lock, [&] { return !FJobs.empty() || FStopping; });
        if (FJobs.empty()) return;
        // The job stays queued while it runs, so that its readers wait for it.
        const std::function<void()> save = FJobs.front().Save;
        lock.unlock();
        try {
            save();
        } catch (const std::exception& e) {
            WriteLog(std::string("A save failed: ") + e.what());
        }
        lock.lock();
        FJobs.pop_front();
        FChanged.notify_all();
    }
}

TSaveQueue* InstallSaveQueue(TSaveQueue* queue) {
    return std::exchange(InstalledQueue, queue);
}

void SaveSoon(std::vector<std::string> files, std::function<void()> save) {
    if (InstalledQueue != nullptr)
        InstalledQueue->Post(std::move(files), std::move(save));
    else
        save();
}

void WaitForSaveOf(const std::string& fileName) {
    if (InstalledQueue != nullptr) InstalledQueue->WaitFor(fileName);
}
