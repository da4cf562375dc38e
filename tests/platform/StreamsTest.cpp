// Memory and file streams: positions, growth, short reads and the byte layout of integers.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/Streams.h"
#include "tests/support/TempFolder.h"

using namespace std::string_literals;

TEST(MemoryStream, ReadsWritesAndSeeksLikeAFile) {
    TMemoryStream s;
    s.WriteBuffer("hello"s);
    EXPECT_EQ(s.Position(), 5);
    s.Seek(-3, TSeekOrigin::soEnd);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 3);  // only what is left
    EXPECT_EQ(std::string(buf, 3), "llo");
    EXPECT_EQ(s.Read(buf, 8), 0);

    s.SetPosition(7);  // past the end: a write fills the gap with zero bytes
    s.WriteBuffer("!"s);
    EXPECT_EQ(s.Bytes(), "hello\0\0!"s);

    s.SetPosition(1);
    s.WriteBuffer("EL"s);  // overwrites in place
    EXPECT_EQ(s.Bytes(), "hELlo\0\0!"s);
    EXPECT_EQ(s.Size(), 8);

    s.SetSize(2);
    EXPECT_EQ(s.Bytes(), "hE");
    EXPECT_EQ(s.Position(), 2);
    EXPECT_THROW(s.Seek(-3, TSeekOrigin::soCurrent), EStreamError);
}

TEST(MemoryStream, ShortReadsAndWritesOfWholeBuffersRaise) {
    TMemoryStream s("abc");
    char buf[4];
    EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
    s.SetPosition(0);
    EXPECT_NO_THROW(s.ReadBuffer(buf, 3));
    EXPECT_THROW(s.ReadInt32(), EReadError);
}

TEST(MemoryStream, Int32IsLittleEndianAndSigned) {
    TMemoryStream s;
    s.WriteInt32(3);
    s.WriteInt32(-2);
    s.WriteInt32(0x12345678);
    EXPECT_EQ(s.Bytes(), "\x03\0\0\0\xFE\xFF\xFF\xFF\x78\x56\x34\x12"s);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadInt32(), 3);
    EXPECT_EQ(s.ReadInt32(), -2);
    EXPECT_EQ(s.ReadInt32(), 0x12345678);
}

TEST(MemoryStream, CopyFromTakesACountOrTheWholeSource) {
    TMemoryStream source("0123456789");
    TMemoryStream dest;
    source.SetPosition(4);
    EXPECT_EQ(dest.CopyFrom(source, 3), 3);
    EXPECT_EQ(dest.Bytes(), "456");
    EXPECT_EQ(dest.CopyFrom(source, 0), 10);  // 0: all of it, from its start
    EXPECT_EQ(dest.Bytes(), "4560123456789");
    source.SetPosition(8);
    EXPECT_THROW(dest.CopyFrom(source, 5), EReadError);
}

TEST(FileStream, WritesReadsAndReportsFailuresWithTheName) {
    TempFolder folder;
    const std::string path = folder.Path() + "/data.bin";
    {
        TFileStream out(path, TFileMode::fmCreate);
        out.WriteInt32(7);
        out.WriteBuffer("tail"s);
        EXPECT_EQ(out.Size(), 8);
    }
    {
        TFileStream patch(path, TFileMode::fmOpenWrite);  // opening for writing keeps the bytes
        patch.SetPosition(4);
        patch.WriteBuffer("T"s);
    }
    TFileStream in(path, TFileMode::fmOpenRead);
    EXPECT_EQ(in.ReadInt32(), 7);
    char buf[8] = {};
    EXPECT_EQ(in.Read(buf, 8), 4);
    EXPECT_EQ(std::string(buf, 4), "Tail");
    EXPECT_EQ(in.Seek(0, TSeekOrigin::soEnd), 8);

    TMemoryStream copy;
    copy.LoadFromFile(path);
    EXPECT_EQ(copy.Size(), 8);

    try {
        TFileStream missing(folder.Path() + "/none.bin", TFileMode::fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find("none.bin"), std::string::npos);
    }
    EXPECT_THROW(TFileStream(folder.Path() + "/no/such/dir.bin", TFileMode::fmCreate), EFCreateError);
}
