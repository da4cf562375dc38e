// The zlib stream filters: what goes in comes out, they refuse what they
// cannot do, and damaged data is an error rather than a hang or silence.

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "skin/core/ZlibStreams.h"
#include "tests/skin/core/SkinFixtures.h"

namespace {

std::string Patterned(size_t size) {
    std::string s(size, '\0');
    uint32_t x = 12345;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245 + 12345;
        s[i] = static_cast<char>((i % 7 == 0) ? (x >> 16) : 'a' + i % 5);
    }
    return s;
}

}  // namespace

TEST(ZlibStreams, EverySizeAroundTheBufferComesBackUnchanged) {
    for (size_t size : {size_t(0), size_t(1), size_t(4095), size_t(4096), size_t(4097), size_t(100000)}) {
        SCOPED_TRACE(size);
        const std::string data = Patterned(size);
        const std::string packed = Deflate(data);
        EXPECT_EQ(static_cast<uint8_t>(packed[0]), 0x78);  // a zlib header
        EXPECT_EQ(Inflate(packed), data);
    }
}

TEST(ZlibStreams, FiltersRefuseTheOtherDirectionAndUnsupportedSeeks) {
    TMemoryStream sink;
    TCompressionStream zip(TCompressionLevel::clMax, sink);
    zip.WriteBuffer(std::string("hello world"));
    EXPECT_EQ(zip.Seek(0, TSeekOrigin::soCurrent), 11);
    char c;
    EXPECT_THROW(zip.Read(&c, 1), ECompressionError);
    EXPECT_THROW(zip.Seek(0, TSeekOrigin::soEnd), ECompressionError);
    EXPECT_THROW(zip.Seek(1, TSeekOrigin::soCurrent), ECompressionError);
    zip.Finish();

    TMemoryStream source(sink.Bytes());
    TDecompressionStream unzip(source);
    EXPECT_THROW(unzip.Write("x", 1), EDecompressionError);
    EXPECT_EQ(unzip.Seek(6, TSeekOrigin::soCurrent), 6);  // skipped by reading
    char word[5];
    unzip.ReadBuffer(word, 5);
    EXPECT_EQ(std::string(word, 5), "world");
    EXPECT_EQ(unzip.Seek(0, TSeekOrigin::soBeginning), 0);  // starts over
    unzip.ReadBuffer(word, 5);
    EXPECT_EQ(std::string(word, 5), "hello");
    EXPECT_THROW(unzip.Seek(-1, TSeekOrigin::soCurrent), EDecompressionError);
    EXPECT_THROW(unzip.Seek(0, TSeekOrigin::soEnd), EDecompressionError);
}

// Whatever follows the zlib stream is left unread, by the filter and by the
// whole-stream routine alike.
TEST(ZlibStreams, ReadingStopsAtTheEndOfTheZlibStream) {
    TMemoryStream source(Deflate("abc") + "trailing junk");
    TDecompressionStream unzip(source);
    char buf[64];
    EXPECT_EQ(unzip.Read(buf, sizeof buf), 3);
    EXPECT_EQ(unzip.Read(buf, sizeof buf), 0);

    const std::string data = Patterned(100000);
    for (const std::string& after : {std::string("x"), Deflate("another stream")})
        EXPECT_EQ(Inflate(Deflate(data) + after), data);
}

TEST(ZlibStreams, DamagedDataIsAnErrorNeverAHang) {
    const std::string good = Deflate(Patterned(20000));
    std::string badChecksum = good;
    badChecksum.back() = static_cast<char>(badChecksum.back() ^ 0x55);

    // A stream that needs a preset dictionary.
    std::string withDictionary(256, '\0');
    {
        z_stream z{};
        deflateInit(&z, 9);
        const char dict[] = "dictionary words";
        deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dict), sizeof dict);
        std::string input = "dictionary words dictionary";
        z.next_in = reinterpret_cast<Bytef*>(input.data());
        z.avail_in = static_cast<uInt>(input.size());
        z.next_out = reinterpret_cast<Bytef*>(withDictionary.data());
        z.avail_out = static_cast<uInt>(withDictionary.size());
        deflate(&z, Z_FINISH);
        withDictionary.resize(z.total_out);
        deflateEnd(&z);
    }
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"header only", good.substr(0, 2)},
        {"bad checksum", badChecksum},
        {"preset dictionary", withDictionary},
        {"not zlib", "this is plain text, not zlib"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Inflate(c.bytes), EDecompressionError);
    }
}

TEST(ZlibStreams, InflatingBeyondTheLimitStops) {
    const std::string packed = Deflate(std::string(1 << 20, '\0'));
    TMemoryStream in(packed), out;
    EXPECT_THROW(DecompressStream(out, in, 100000), EDecompressionError);
    EXPECT_LE(out.Size(), 100000);
}
