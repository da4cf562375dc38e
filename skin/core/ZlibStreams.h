#pragma once
// Stream filters over zlib: a write-only compressor and a read-only
// decompressor that exchange data with the underlying stream in 4096-byte
// buffers, and the two whole-stream routines of the stored skin.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/core/Streams.h"

struct z_stream_s;

class EZlibError : public Exception {
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
    using EZlibError::EZlibError;
};

class TCustomZlibStream : public TStream {
public:
    ~TCustomZlibStream() override;
    // Fired after each buffer exchanged with the underlying stream.
    std::function<void()> OnProgress;

protected:
    explicit TCustomZlibStream(TStream& strm);
    // Puts the underlying stream back where this filter last left it.
    void RestorePosition();

    static constexpr int kBufferSize = 4096;
    TStream& FStrm;
    int64_t FStrmPos;
    std::unique_ptr<z_stream_s> FZRec;
    char FBuffer[kBufferSize];
};

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel level, TStream& dest);
    // Finishes the zlib stream when Finish was not called; errors are lost then.
    ~TCompressionStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Only Seek(0, soCurrent): the count of bytes taken in so far.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Flushes everything and writes the end of the zlib stream.
    void Finish();

private:
    void FlushBuffer(int64_t count);
    bool FFinished = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;

    // Inflates into buffer; stops at the end of the zlib stream. A source
    // that ends before the zlib stream does, a preset dictionary or corrupt
    // data raise EDecompressionError.
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    // Seek(0, soBeginning) starts over; forward moves skip by reading.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    bool FEnded = false;
};

// Deflates all of source (from its start) into dest at the max level.
void CompressStream(TStream& source, TStream& dest);
// Inflates the zlib stream at the start of source into dest, up to its end:
// bytes after it are left unread. The stream must be complete and inflate to
// at most maxBytes.
void DecompressStream(TStream& dest, TStream& source, int64_t maxBytes);
