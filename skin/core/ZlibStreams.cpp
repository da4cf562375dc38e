#include "skin/core/ZlibStreams.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

const char* const kInvalidOperation = "Invalid stream operation";

int ZlibLevel(TCompressionLevel level) {
    switch (level) {
        case TCompressionLevel::clNone:
            return Z_NO_COMPRESSION;
        case TCompressionLevel::clFastest:
            return Z_BEST_SPEED;
        case TCompressionLevel::clDefault:
            return Z_DEFAULT_COMPRESSION;
        case TCompressionLevel::clMax:
            return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

int Deflated(int result) {
    if (result < 0) throw ECompressionError("error");
    return result;
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream& strm)
    : FStrm(strm), FStrmPos(strm.Position()), FZRec(std::make_unique<z_stream_s>()) {
    std::memset(FZRec.get(), 0, sizeof(z_stream_s));
}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::RestorePosition() {
    if (FStrm.Position() != FStrmPos) FStrm.SetPosition(FStrmPos);
}

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& dest) : TCustomZlibStream(dest) {
    FZRec->next_out = reinterpret_cast<Bytef*>(FBuffer);
    FZRec->avail_out = kBufferSize;
    Deflated(deflateInit(FZRec.get(), ZlibLevel(level)));
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (...) {
        // A destructor must not throw; callers that care call Finish first.
    }
    deflateEnd(FZRec.get());
}

void TCompressionStream::FlushBuffer(int64_t count) {
    FStrm.WriteBuffer(FBuffer, count);
    FZRec->next_out = reinterpret_cast<Bytef*>(FBuffer);
    FZRec->avail_out = kBufferSize;
    FStrmPos = FStrm.Position();
    if (OnProgress) OnProgress();
}

int64_t TCompressionStream::Read(void*, int64_t) { throw ECompressionError(kInvalidOperation); }

int64_t TCompressionStream::Write(const void* buffer, int64_t count) {
    if (FFinished) throw ECompressionError(kInvalidOperation);
    FZRec->next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    int64_t left = count;
    RestorePosition();
    while (left > 0) {
        // zlib counts in 32 bits; feed very large buffers in slices.
        const uInt slice = static_cast<uInt>(std::min<int64_t>(left, 1 << 30));
        FZRec->avail_in = slice;
        while (FZRec->avail_in > 0) {
            Deflated(deflate(FZRec.get(), Z_NO_FLUSH));
            if (FZRec->avail_out == 0) FlushBuffer(kBufferSize);
        }
        left -= slice;
    }
    return count;
}

void TCompressionStream::Finish() {
    if (FFinished) return;
    FFinished = true;
    FZRec->next_in = nullptr;
    FZRec->avail_in = 0;
    RestorePosition();
    while (Deflated(deflate(FZRec.get(), Z_FINISH)) != Z_STREAM_END)
        if (FZRec->avail_out == 0) FlushBuffer(kBufferSize);
    if (FZRec->avail_out < kBufferSize) FlushBuffer(kBufferSize - FZRec->avail_out);
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == TSeekOrigin::soCurrent) return static_cast<int64_t>(FZRec->total_in);
    throw ECompressionError(kInvalidOperation);
}

namespace {

int Inflated(int result) {
    // A stream that asks for a preset dictionary cannot be a stored skin.
    if (result < 0 || result == Z_NEED_DICT) throw EDecompressionError("compression error");
    return result;
}

}  // namespace

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
    FZRec->next_in = reinterpret_cast<Bytef*>(FBuffer);
    FZRec->avail_in = 0;
    Inflated(inflateInit(FZRec.get()));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(FZRec.get()); }

int64_t TDecompressionStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FEnded) return 0;
    const uInt wanted = static_cast<uInt>(std::min<int64_t>(count, 1 << 30));
    FZRec->next_out = static_cast<Bytef*>(buffer);
    FZRec->avail_out = wanted;
    RestorePosition();
    while (FZRec->avail_out > 0) {
        if (FZRec->avail_in == 0) {
            const int64_t got = FStrm.Read(FBuffer, kBufferSize);
            if (got == 0) throw EDecompressionError("compression error");  // cut short
            FZRec->next_in = reinterpret_cast<Bytef*>(FBuffer);
            FZRec->avail_in = static_cast<uInt>(got);
            FStrmPos = FStrm.Position();
            if (OnProgress) OnProgress();
        }
        if (Inflated(inflate(FZRec.get(), Z_NO_FLUSH)) == Z_STREAM_END) {
            FEnded = true;
            break;
        }
    }
    return wanted - FZRec->avail_out;
}

int64_t TDecompressionStream::Write(const void*, int64_t) { throw EDecompressionError(kInvalidOperation); }

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t produced = static_cast<int64_t>(FZRec->total_out);
    if (offset == 0 && origin == TSeekOrigin::soBeginning) {
        Inflated(inflateReset(FZRec.get()));
        FZRec->next_in = reinterpret_cast<Bytef*>(FBuffer);
        FZRec->avail_in = 0;
        FEnded = false;
        FStrm.SetPosition(0);
        FStrmPos = 0;
        return 0;
    }
    int64_t skip;
    if (origin == TSeekOrigin::soCurrent && offset >= 0)
        skip = offset;
    else if (origin == TSeekOrigin::soBeginning && offset > produced)
        skip = offset - produced;
    else
        throw EDecompressionError(kInvalidOperation);
    char scratch[kBufferSize];
    while (skip > 0) {
        const int64_t n = Read(scratch, std::min<int64_t>(skip, kBufferSize));
        if (n == 0) break;
        skip -= n;
    }
    return static_cast<int64_t>(FZRec->total_out);
}

void CompressStream(TStream& source, TStream& dest) {
    source.SetPosition(0);
    TCompressionStream zip(TCompressionLevel::clMax, dest);
    char buffer[4096];
    int64_t n;
    while ((n = source.Read(buffer, sizeof buffer)) > 0) zip.WriteBuffer(buffer, n);
    zip.Finish();
}

void DecompressStream(TStream& dest, TStream& source, int64_t maxBytes) {
    source.SetPosition(0);
    TDecompressionStream unzip(source);
    char buffer[4096];
    int64_t total = 0, n;
    while ((n = unzip.Read(buffer, sizeof buffer)) > 0) {
        total += n;
        if (total > maxBytes)
            throw EDecompressionError("compressed data inflates to more than " + std::to_string(maxBytes) + " bytes");
        dest.WriteBuffer(buffer, n);
    }
}
