// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/streamunit.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

TMemoryStream::TMemoryStream(std::string data) : FData(std::move(data)) {
    Place(0);
}

void TMemoryStream::Assign(std::string data) {
    FData = std::move(data);
    Place(0);
}

void TMemoryStream::Place(int64_t position) {
    auto size = static_cast<int64_t>(FData.size());
    FNext = FData.data() + std::min(position, size);
    FEnd = FData.data() + size;
    FBeyond = std::max<int64_t>(0, position - size);
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    size_t n = std::min(count, static_cast<size_t>(FEnd - FNext));
    if (n > 0) std::memcpy(buffer, FNext, n);
    FNext += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    int64_t position = GetPosition();
    auto end = static_cast<size_t>(position) + count;
    if (end > FData.size()) FData.resize(end);
    if (count > 0) std::memcpy(FData.data() + position, buffer, count);
    Place(static_cast<int64_t>(end));
    return count;
}

void TMemoryStream::SetPosition(int64_t position) {
    if (position < 0) throw EStreamError("Invalid stream position " + std::to_string(position));
    Place(position);
}

TFileStream::TFileStream(const std::string& fileName, TMode mode) : FFileName(fileName) {
    FFile = std::fopen(fileName.c_str(), mode == fmCreate ? "wb" : "rb");
    if (FFile == nullptr) throw EStreamError("Cannot open file " + fileName);
    if (mode == fmCreate) return;
    // Read straight into the string at the size the file has, then take whatever a file
    // that grows meanwhile (or one whose size is unknown) still holds.
    std::string data;
    struct stat info;
    if (fstat(fileno(FFile), &info) == 0 && info.st_size > 0) {
        data.resize(static_cast<size_t>(info.st_size));
        data.resize(std::fread(data.data(), 1, data.size(), FFile));
    }
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, FFile)) > 0)
        data.append(chunk, n);
    bool failed = std::ferror(FFile) != 0;
    std::fclose(FFile);
    FFile = nullptr;
    if (failed) throw EStreamError("Cannot read file " + fileName);
    Assign(std::move(data));
}

TFileStream::~TFileStream() {
    try {
        Close();
    } catch (const EStreamError&) {
        // A destructor cannot report it; callers who care call Close.
    }
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    return FFile != nullptr ? TMemoryStream::Write(buffer, count) : 0;
}

void TFileStream::Close() {
    if (FFile == nullptr) return;
    const std::string& data = Data();
    bool failed = std::fwrite(data.data(), 1, data.size(), FFile) != data.size();
    failed = std::fclose(FFile) != 0 || failed;
    FFile = nullptr;
    if (failed) throw EStreamError("Cannot write file " + FFileName);
}
