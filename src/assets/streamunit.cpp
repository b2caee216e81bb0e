#include "assets/streamunit.h"

#include <algorithm>
#include <cstring>

size_t TMemoryStream::Read(void* buffer, size_t count) {
    auto size = static_cast<int64_t>(FData.size());
    if (FPosition >= size) return 0;
    size_t n = std::min(count, static_cast<size_t>(size - FPosition));
    std::memcpy(buffer, FData.data() + FPosition, n);
    FPosition += static_cast<int64_t>(n);
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    auto end = static_cast<size_t>(FPosition) + count;
    if (end > FData.size()) FData.resize(end);
    std::memcpy(FData.data() + FPosition, buffer, count);
    FPosition = static_cast<int64_t>(end);
    return count;
}

void TMemoryStream::SetPosition(int64_t position) {
    if (position < 0) throw EStreamError("Invalid stream position " + std::to_string(position));
    FPosition = position;
}

TFileStream::TFileStream(const std::string& fileName, TMode mode) : FFileName(fileName) {
    FFile = std::fopen(fileName.c_str(), mode == fmCreate ? "wb" : "rb");
    if (FFile == nullptr) throw EStreamError("Cannot open file " + fileName);
    if (mode == fmCreate) return;
    std::string data;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, FFile)) > 0)
        data.append(chunk, n);
    bool failed = std::ferror(FFile) != 0;
    std::fclose(FFile);
    FFile = nullptr;
    if (failed) throw EStreamError("Cannot read file " + fileName);
    FContent = TMemoryStream(std::move(data));
}

TFileStream::~TFileStream() {
    if (FFile != nullptr) std::fclose(FFile);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    return FFile != nullptr ? 0 : FContent.Read(buffer, count);
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    return FFile != nullptr ? std::fwrite(buffer, 1, count, FFile) : 0;
}

int64_t TFileStream::GetPosition() const {
    return FFile != nullptr ? static_cast<int64_t>(std::ftell(FFile)) : FContent.GetPosition();
}

void TFileStream::SetPosition(int64_t position) {
    if (FFile == nullptr) return FContent.SetPosition(position);
    if (position < 0 || std::fseek(FFile, static_cast<long>(position), SEEK_SET) != 0)
        throw EStreamError("Invalid stream position " + std::to_string(position));
}

void TFileStream::Close() {
    if (FFile == nullptr) return;
    bool failed = std::fflush(FFile) != 0 || std::ferror(FFile) != 0;
    failed = std::fclose(FFile) != 0 || failed;
    FFile = nullptr;
    if (failed) throw EStreamError("Cannot write file " + FFileName);
}
