// Seekable byte streams: the common interface of the XML reader/writer and the loaders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

// Raised when a file cannot be opened or a position is invalid.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes into buffer; returns how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes count bytes; returns how many were written.
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t GetPosition() const = 0;
    virtual void SetPosition(int64_t position) = 0;
};

// A stream over bytes held in memory; writing past the end grows it.
class TMemoryStream : public TStream {
public:
    explicit TMemoryStream(std::string data = {}) : FData(std::move(data)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t GetPosition() const override { return FPosition; }
    void SetPosition(int64_t position) override;

    const std::string& Data() const { return FData; }

private:
    std::string FData;
    int64_t FPosition = 0;
};

// A file as a stream. Opened for reading, the whole file is read into memory at once so
// that the byte-at-a-time XML reader and its look-ahead seeks cost no system call.
// Created for writing, the file is truncated and written through stdio's buffer.
class TFileStream : public TStream {
public:
    enum TMode { fmOpenRead, fmCreate };

    // Raises EStreamError "Cannot open file <name>" when the file cannot be opened.
    TFileStream(const std::string& fileName, TMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t GetPosition() const override;
    void SetPosition(int64_t position) override;

    // Flushes and closes a written file; raises EStreamError when the data could not be
    // stored. The destructor closes silently when this was not called.
    void Close();

private:
    TMemoryStream FContent;     // the file's bytes when opened for reading
    std::FILE* FFile = nullptr; // the file when created for writing
    std::string FFileName;
};
