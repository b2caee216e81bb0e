// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/streamunit.h"

#include "support/testdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string ReadAll(TStream& stream) {
    std::string result;
    char buffer[3];
    size_t n;
    while ((n = stream.Read(buffer, sizeof buffer)) > 0)
        result.append(buffer, n);
    return result;
}

TEST(MemoryStream, ReadsSeeksAndStopsAtTheEnd) {
    TMemoryStream stream("abcdef");
    char c = 0;
    EXPECT_EQ(stream.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'a');
    stream.SetPosition(4);
    EXPECT_EQ(ReadAll(stream), "ef");
    EXPECT_EQ(stream.GetPosition(), 6);
    EXPECT_EQ(stream.Read(&c, 1), 0u);
    stream.SetPosition(100);
    EXPECT_EQ(stream.Read(&c, 1), 0u);
    EXPECT_THROW(stream.SetPosition(-1), EStreamError);
}

TEST(MemoryStream, ByteReadsKeepThePosition) {
    TMemoryStream stream("xyz");
    char c = 0;
    ASSERT_TRUE(stream.ReadByte(c));
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(stream.GetPosition(), 1);
    stream.Write("Q", 1);
    ASSERT_TRUE(stream.ReadByte(c));
    EXPECT_EQ(c, 'z');
    EXPECT_FALSE(stream.ReadByte(c));
    EXPECT_EQ(stream.Data(), "xQz");
    stream.SetPosition(9);
    EXPECT_FALSE(stream.ReadByte(c));
    EXPECT_EQ(stream.GetPosition(), 9);
    stream.SetPosition(1);
    ASSERT_TRUE(stream.ReadByte(c));
    EXPECT_EQ(c, 'Q');
}

// A stream with no bytes in memory: ReadByte must go through Read.
class TCountingStream : public TStream {
public:
    int Reads = 0;
    size_t Read(void* buffer, size_t count) override {
        ++Reads;
        static_cast<char*>(buffer)[0] = 'k';
        return count > 0 ? 1 : 0;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t GetPosition() const override { return 0; }
    void SetPosition(int64_t) override {}
};

TEST(Stream, ByteReadsFallBackToRead) {
    TCountingStream stream;
    char c = 0;
    EXPECT_TRUE(stream.ReadByte(c));
    EXPECT_EQ(c, 'k');
    EXPECT_EQ(stream.Reads, 1);
}

TEST(MemoryStream, WritingOverwritesAndGrows) {
    TMemoryStream stream("abc");
    stream.SetPosition(1);
    EXPECT_EQ(stream.Write("XYZ", 3), 3u);
    EXPECT_EQ(stream.Data(), "aXYZ");
    stream.SetPosition(6);
    stream.Write("!", 1);
    EXPECT_EQ(stream.Data(), std::string("aXYZ\0\0!", 7));
}

TEST(FileStream, MissingFileNamesTheFile) {
    TTestDir dir;
    try {
        TFileStream stream("nothere.xml", TFileStream::fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file nothere.xml");
    }
}

TEST(FileStream, ReadsWhatWasWrittenAndTruncatesOnCreate) {
    TTestDir dir;
    dir.WriteFile("data", "a long old content");
    {
        TFileStream out("data", TFileStream::fmCreate);
        EXPECT_EQ(out.Write("hello", 5), 5u);
        EXPECT_EQ(out.GetPosition(), 5);
        out.Close();
        EXPECT_EQ(out.Write("x", 1), 0u); // closed
    }
    EXPECT_EQ(dir.ReadFile("data"), "hello");

    TFileStream in("data", TFileStream::fmOpenRead);
    char c = 0;
    ASSERT_TRUE(in.ReadByte(c));
    EXPECT_EQ(c, 'h');
    EXPECT_EQ(ReadAll(in), "ello");
    in.SetPosition(0);
    EXPECT_EQ(ReadAll(in), "hello");
    EXPECT_EQ(in.Write("x", 1), 0u); // read-only
}

TEST(FileStream, DestructorFlushesAnUnclosedFile) {
    TTestDir dir;
    { TFileStream("out", TFileStream::fmCreate).Write("abc", 3); }
    EXPECT_EQ(dir.ReadFile("out"), "abc");
}

TEST(MemoryStream, BufferedBytesAreTheRestAndConsumeMovesOn) {
    TMemoryStream stream("head<tail");
    stream.SetPosition(2);
    EXPECT_EQ(stream.Buffered(), "ad<tail");
    stream.Consume(3);
    EXPECT_EQ(stream.GetPosition(), 5);
    stream.SetPosition(20);
    EXPECT_TRUE(stream.Buffered().empty());
}

TEST(FileStream, ReadsALargeFileWhole) {
    TTestDir dir;
    std::string big(200000, 'x');
    big[123456] = 'y';
    dir.WriteFile("big", big);
    TFileStream in("big", TFileStream::fmOpenRead);
    EXPECT_EQ(ReadAll(in), big);
}

TEST(FileStream, CloseReportsDataThatCouldNotBeStored) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TFileStream out("/dev/full", TFileStream::fmCreate);
    out.Write("data", 4);
    try {
        out.Close();
        FAIL() << "a full device took the data";
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Cannot write file /dev/full");
    }
}

TEST(FileStream, CreateInMissingDirectoryFails) {
    TTestDir dir;
    EXPECT_THROW(TFileStream("no/such/dir", TFileStream::fmCreate), EStreamError);
}

} // namespace
