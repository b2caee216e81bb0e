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
