// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Seekable byte streams: the common interface of the XML reader/writer and the loaders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a file cannot be opened or a position is invalid.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TStream {
public:
    TStream() = default;
    virtual ~TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to count bytes into buffer; returns how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes count bytes; returns how many were written.
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t GetPosition() const = 0;
    virtual void SetPosition(int64_t position) = 0;

    // Reads one byte; false at the end. The same as a one-byte Read, but a stream that
    // holds its bytes in memory serves it without a virtual call: the XML reader takes
    // its input one byte at a time.
    bool ReadByte(char& c) {
        if (FNext != FEnd) {
            c = *FNext++;
            return true;
        }
        return Read(&c, 1) == 1;
    }

    // The bytes from the current position to the end of the stream when the stream holds
    // them all in memory, otherwise none: readers scan them for delimiters instead of
    // taking byte after byte. Consume moves past count of them (at most all).
    std::string_view Buffered() const { return {FNext, static_cast<size_t>(FEnd - FNext)}; }
    void Consume(size_t count) { FNext += count; }

protected:
    // The bytes from the current position on that ReadByte may take directly. A stream
    // that sets them must count FNext as its position.
    const char* FNext = nullptr;
    const char* FEnd = nullptr;
};

// A stream over bytes held in memory; writing past the end grows it.
class TMemoryStream : public TStream {
public:
    explicit TMemoryStream(std::string data = {});

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t GetPosition() const override { return (FNext - FData.data()) + FBeyond; }
    void SetPosition(int64_t position) override;

    const std::string& Data() const { return FData; }

protected:
    void Assign(std::string data);

private:
    std::string FData;
    int64_t FBeyond = 0; // how far the position lies past the end of the data

    void Place(int64_t position);
};

// A file as a stream, held in memory. Opened for reading, the whole file is read at once,
// so the byte-at-a-time reader and its look-ahead seeks cost no system call. Created for
// writing, the file is truncated at once and the bytes are stored by Close (or, without
// a report, by the destructor).
class TFileStream : public TMemoryStream {
public:
    enum TMode { fmOpenRead, fmCreate };

    // Raises EStreamError "Cannot open file <name>" when the file cannot be opened.
    TFileStream(const std::string& fileName, TMode mode);
    ~TFileStream() override;

    // Nothing can be written to a file opened for reading, nor after Close.
    size_t Write(const void* buffer, size_t count) override;

    // Stores what was written and closes the file; raises EStreamError "Cannot write file
    // <name>" when the data could not be stored.
    void Close();

private:
    std::FILE* FFile = nullptr; // the file while open for writing
    std::string FFileName;
};
