#pragma once
// Corpus files cut into pieces of whole lines, so that the work on a few
// large files shares out over every core.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lines of file File from byte Begin up to End, or the whole file.
struct TFilePiece {
    size_t File;
    uint64_t Begin, End;
    bool Whole;
    // The file starts with a UTF-16 byte-order mark, as cutting it found.
    bool Utf16 = false;
    // For a file cut into pieces: it is not valid UTF-8 throughout, so all of
    // it is code page 936. A whole file is told by its own bytes when read.
    bool CodePage936 = false;
};

// The files in order, each cut after line feeds into pieces of at least
// minBytes and about half a core's share of the corpus, so that a piece splits
// into the lines the whole file has there (a CR LF is never parted). A file
// with no line feed to cut at, or that cannot be opened, stays whole, and
// reading it whole reports why. The encoding of a file cut into pieces is
// decided here, once for all its pieces.
std::vector<TFilePiece> CutFiles(const std::vector<std::string>& fileNames, uint64_t minBytes);
// Every file as one piece.
std::vector<TFilePiece> WholeFiles(const std::vector<std::string>& fileNames);
// Where the runs of neighbouring pieces start that are worked on as one, so
// that many small files cost a run each rather than a task and a result per
// file: whole files are joined up to about a quarter of a core's share of
// the corpus, while a cut piece is a run of its own. The last entry is
// pieces.size().
std::vector<size_t> JoinPieces(const std::vector<TFilePiece>& pieces);
bool AnyCut(const std::vector<TFilePiece>& pieces);
// The bytes of a piece as corpus text, always UTF-8: a code page 936 file is
// decoded, so that its words are the same characters as in a UTF-8 file and
// no rule for single bytes meets half a character. Ideographic spaces are
// blanks. Failures raise as ReadFileBytes does. A UTF-8 byte-order mark at
// the start of a file is no text. A file that starts with a UTF-16 byte-order mark holds no 8-bit text
// at all: its pieces give nothing, and utf16 (when given) is set.
std::string ReadPiece(const std::vector<std::string>& fileNames, const TFilePiece& piece, bool* utf16 = nullptr);
// U+3000, the space of Chinese typography, in UTF-8.
inline constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
// Every ideographic space of UTF-8 text as one blank, so that it parts words
// (and an indent made of it is trimmed) as an ASCII blank does.
void IdeographicSpacesToBlanks(std::string& text);
// A whole corpus file read as ReadPiece reads it.
std::string ReadCorpusFile(const std::string& fileName, bool* utf16 = nullptr);
