#pragma once
// Byte streams with the framework's semantics: a position, a size, Read and
// Write that move as far as they can, and ReadBuffer / WriteBuffer that raise
// when they cannot move the whole count.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/SysUtils.h"

class EStreamError : public Exception {
    using Exception::Exception;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Move up to count bytes; the result is how many moved.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // The new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t value) { Seek(value, TSeekOrigin::soBeginning); }
    virtual int64_t Size();

    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    void WriteBuffer(std::string_view bytes) { WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); }
    // Copies count bytes from source's position, or all of source from its
    // start when count is 0; raises when source ends early.
    int64_t CopyFrom(TStream& source, int64_t count);

    // Little-endian 32-bit integers as the stored skin lays them out.
    int32_t ReadInt32();
    void WriteInt32(int32_t value);
};

// A stream over bytes in memory; writing past the end grows it.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : FData(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }

    // Shortens or lengthens (with zero bytes); the position stays unless it lay beyond the new end.
    void SetSize(int64_t size);
    void Clear();
    // Replaces the contents and moves to 0.
    void SetBytes(std::string bytes) {
        FData = std::move(bytes);
        FPosition = 0;
    }
    const std::string& Bytes() const { return FData; }
    const char* Memory() const { return FData.data(); }

    // Replaces the contents with all of source (from its start) and moves to 0.
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    std::string FData;
    int64_t FPosition = 0;
};

enum class TFileMode { fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite };

// A stream over a file. Opening failures raise EFOpenError, creating ones
// EFCreateError, both naming the file.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    int FHandle = -1;
};
