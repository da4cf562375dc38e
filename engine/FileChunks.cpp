#include "engine/FileChunks.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "engine/Parallel.h"
#include "platform/core/SysUtils.h"

namespace {

void CutFile(const std::string& name, size_t file, uint64_t size, uint64_t pieceBytes,
             std::vector<TFilePiece>& pieces) {
    std::ifstream in;
    if (size > pieceBytes) in.open(name, std::ios::binary);
    uint64_t begin = 0;
    std::string block(size_t(1) << 16, '\0');
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
    return pieces;
}

std::vector<TFilePiece> WholeFiles(const std::vector<std::string>& fileNames) {
    return CutFiles(fileNames, std::numeric_limits<uint64_t>::max());
}

bool AnyCut(const std::vector<TFilePiece>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(), [](const TFilePiece& piece) { return !piece.Whole; });
}

std::string ReadPiece(const std::vector<std::string>& fileNames, const TFilePiece& piece) {
    const std::string& name = fileNames[piece.File];
    return piece.Whole ? ReadFileBytes(name) : ReadFileRange(name, piece.Begin, piece.End);
}
