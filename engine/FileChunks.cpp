#include "engine/FileChunks.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string_view>

#include "engine/Parallel.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"

namespace {

bool StartsAsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

void CutFile(const std::string& name, size_t file, uint64_t size, uint64_t pieceBytes,
             std::vector<TFilePiece>& pieces) {
    std::ifstream in;
    std::string block;
    if (size > pieceBytes) {
        in.open(name, std::ios::binary);
        block.resize(size_t(1) << 16);
    }
    if (in) {
        // A UTF-16 file is never cut: it is left out whole.
        char mark[2] = {};
        if (in.read(mark, 2) && StartsAsUtf16(std::string_view(mark, 2))) {
            pieces.push_back({file, 0, size, true, true});
            return;
        }
        in.clear();
    }
    uint64_t begin = 0;
    while (in && size - begin > pieceBytes) {
        // The piece ends after the first line feed from about pieceBytes on.
        uint64_t at = begin + pieceBytes - 1, cut = 0;
        in.seekg(static_cast<std::streamoff>(at));
        while (cut == 0 && at < size &&
               in.read(block.data(), static_cast<std::streamsize>(block.size())).gcount() > 0) {
            const size_t got = static_cast<size_t>(in.gcount());
            if (const void* feed = std::memchr(block.data(), '\n', got))
                cut = at + static_cast<uint64_t>(static_cast<const char*>(feed) - block.data()) + 1;
            at += got;
        }
        in.clear();
        if (cut == 0 || cut >= size) break;
        pieces.push_back({file, begin, cut, false});
        begin = cut;
    }
    pieces.push_back({file, begin, size, begin == 0});
}

// The bytes at the end of block[0, n) that begin a character the block cuts short.
size_t CutCharacterAtEnd(const char* block, size_t n) {
    for (size_t k = 1; k <= std::min<size_t>(3, n); ++k) {
        const auto c = static_cast<unsigned char>(block[n - k]);
        if (c < 0x80) return 0;
        if (c >= 0xC0) return (c >= 0xF0 ? 4u : c >= 0xE0 ? 3u : 2u) > k ? k : 0;
    }
    return 0;
}

// Whether bytes begin to end of a file are valid UTF-8, read a block at a
// time: a piece of a large file need not be held whole to be judged.
bool RangeIsValidUtf8(const std::string& name, uint64_t begin, uint64_t end) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return true;  // reading the piece itself reports why it cannot be read
    in.seekg(static_cast<std::streamoff>(begin));
    constexpr size_t kBlock = size_t(1) << 18;
    std::unique_ptr<char[]> block(new char[kBlock + 3]);
    size_t carried = 0;
    for (uint64_t left = end - begin; left > 0;) {
        const size_t got = static_cast<size_t>(
            in.read(block.get() + carried, static_cast<std::streamsize>(std::min<uint64_t>(left, kBlock))).gcount());
        if (got == 0) break;
        left -= got;
        const size_t n = carried + got;
        carried = left > 0 ? CutCharacterAtEnd(block.get(), n) : 0;
        if (!IsValidUtf8(std::string_view(block.get(), n - carried))) return false;
        std::memmove(block.get(), block.get() + n - carried, carried);
    }
    return true;
}

// Reads the pieces of cut files side by side: such a file is code page 936
// when one of its pieces is not valid UTF-8. Pieces end after line feeds,
// which no UTF-8 character holds, so the pieces are valid exactly when the
// whole file is. A whole file is told when it is read, at no extra cost.
void DecideEncodings(const std::vector<std::string>& fileNames, std::vector<TFilePiece>& pieces) {
    if (std::all_of(pieces.begin(), pieces.end(), [](const TFilePiece& piece) { return piece.Whole; })) return;
    std::vector<char> invalid(pieces.size(), 0);
    ParallelFor(pieces.size(), [&](size_t k, size_t) {
        const TFilePiece& piece = pieces[k];
        if (!piece.Utf16 && !piece.Whole) invalid[k] = !RangeIsValidUtf8(fileNames[piece.File], piece.Begin, piece.End);
    });
    std::vector<char> codePage936(fileNames.size(), 0);
    for (size_t k = 0; k < pieces.size(); ++k) codePage936[pieces[k].File] |= invalid[k];
    for (TFilePiece& piece : pieces) piece.CodePage936 = codePage936[piece.File] != 0;
}

}  // namespace

std::vector<TFilePiece> CutFiles(const std::vector<std::string>& fileNames, uint64_t minBytes) {
    std::vector<uint64_t> sizes(fileNames.size());
    uint64_t total = 0;
    for (size_t i = 0; i < fileNames.size(); ++i) {
        std::error_code error;
        sizes[i] = std::filesystem::file_size(fileNames[i], error);
        if (error) sizes[i] = 0;
        total += sizes[i];
    }
    // Two pieces per core balance the cores; smaller ones would leave more
    // results in the heaps of the threads that made them, and more tables to join.
    const uint64_t pieceBytes =
        std::max({minBytes, uint64_t(1), total / (static_cast<uint64_t>(EngineThreads()) * 2)});
    std::vector<TFilePiece> pieces;
    for (size_t i = 0; i < fileNames.size(); ++i) CutFile(fileNames[i], i, sizes[i], pieceBytes, pieces);
    DecideEncodings(fileNames, pieces);
    return pieces;
}

std::vector<TFilePiece> WholeFiles(const std::vector<std::string>& fileNames) {
    return CutFiles(fileNames, std::numeric_limits<uint64_t>::max());
}

std::vector<size_t> JoinPieces(const std::vector<TFilePiece>& pieces) {
    uint64_t total = 0;
    for (const TFilePiece& piece : pieces) total += piece.End - piece.Begin;
    // About four runs per core, as loading makes them: the cores stay busy
    // to the end.
    const uint64_t runBytes = std::max<uint64_t>(1, total / (static_cast<uint64_t>(EngineThreads()) * 4));
    std::vector<size_t> starts;
    uint64_t inRun = 0;
    for (size_t k = 0; k < pieces.size(); ++k) {
        const uint64_t bytes = pieces[k].End - pieces[k].Begin;
        if (k == 0 || !pieces[k].Whole || !pieces[k - 1].Whole || inRun + bytes > runBytes) {
            starts.push_back(k);
            inRun = 0;
        }
        inRun += bytes;
    }
    starts.push_back(pieces.size());
    return starts;
}

bool AnyCut(const std::vector<TFilePiece>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(), [](const TFilePiece& piece) { return !piece.Whole; });
}

std::string ReadPiece(const std::vector<std::string>& fileNames, const TFilePiece& piece, bool* utf16) {
    const std::string& name = fileNames[piece.File];
    bool wide = piece.Utf16;
    std::string bytes;
    if (!wide) bytes = piece.Whole ? ReadFileBytes(name) : ReadFileRange(name, piece.Begin, piece.End);
    if (piece.Begin == 0 && !wide) {
        wide = StartsAsUtf16(bytes);
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    }
    if (utf16) *utf16 = wide;
    if (wide) bytes.clear();
    const bool codePage936 = piece.Whole ? !IsValidUtf8(bytes) : piece.CodePage936;
    std::string text = codePage936 ? CodePage936ToUtf8(bytes) : std::move(bytes);
    IdeographicSpacesToBlanks(text);
    return text;
}

void IdeographicSpacesToBlanks(std::string& text) {
    size_t out = text.find(kIdeographicSpace);
    if (out == std::string::npos) return;
    // In UTF-8 the space's lead byte starts a character wherever it stands.
    for (size_t in = out; in < text.size();) {
        if (text.compare(in, kIdeographicSpace.size(), kIdeographicSpace) == 0) {
            text[out++] = ' ';
            in += kIdeographicSpace.size();
        } else {
            text[out++] = text[in++];
        }
    }
    text.resize(out);
}

std::string ReadCorpusFile(const std::string& fileName, bool* utf16) {
    return ReadPiece({fileName}, TFilePiece{0, 0, 0, true}, utf16);
}
