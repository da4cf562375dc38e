#pragma once
// Corpus files cut into pieces of whole lines, so that the work on a few
// large files shares out over every core.

#include <cstdint>
#include <string>
#include <vector>

// Lines of file File from byte Begin up to End, or the whole file.
struct TFilePiece {
    size_t File;
    uint64_t Begin, End;
    bool Whole;
};

// The files in order, each cut after line feeds into pieces of at least
// minBytes and about half a core's share of the corpus, so that a piece splits
// into the lines the whole file has there (a CR LF is never parted). A file
// with no line feed to cut at, or that cannot be opened, stays whole, and
// reading it whole reports why.
std::vector<TFilePiece> CutFiles(const std::vector<std::string>& fileNames, uint64_t minBytes);
// Every file as one piece.
std::vector<TFilePiece> WholeFiles(const std::vector<std::string>& fileNames);
bool AnyCut(const std::vector<TFilePiece>& pieces);
// The bytes of a piece; failures raise as ReadFileBytes does.
std::string ReadPiece(const std::vector<std::string>& fileNames, const TFilePiece& piece);
