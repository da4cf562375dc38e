#pragma once
// String, number and file helpers with the semantics the program's code expects
// of its runtime library. Strings are 8-bit byte strings; "case" means ASCII case.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};

class EConvertError : public Exception { using Exception::Exception; };
class EStringListError : public Exception { using Exception::Exception; };
class EFOpenError : public Exception { using Exception::Exception; };
class EFCreateError : public Exception { using Exception::Exception; };
class EInOutError : public Exception { using Exception::Exception; };

// Characters with codes 0 to 32 count as blanks for trimming.
inline bool IsTrimChar(char c) { return static_cast<unsigned char>(c) <= 32; }
// What "\s" matches in the program's regular expressions.
inline bool IsRegexSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// Makes every run of white space in s one blank: words are parted at any run,
// while the search and cluster patterns step over one character.
void SingleBlanks(std::string& s);
std::string Trim(std::string_view s);
// Trim without a copy: the part of s it would keep.
std::string_view TrimView(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);

std::string IntToStr(int64_t value);
// Decimal with optional sign and surrounding blanks, or "$"/"0x" hexadecimal;
// anything else (or a value outside 32 bits) raises EConvertError.
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int defaultValue);
bool TryStrToInt(std::string_view s, int& value);

// Ordinal byte comparison, and the same after ASCII case folding.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Dictionary order for lists shown to people: punctuation, then digits, then
// letters alphabetically; case only breaks ties (lower before upper) in
// AnsiCompareStr and is ignored by AnsiCompareText.
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);

// 1-based position of sub in s, 0 when absent.
int Pos(std::string_view sub, std::string_view s);

enum TReplaceFlags : unsigned { rfNone = 0, rfReplaceAll = 1, rfIgnoreCase = 2 };
// Left-to-right, non-overlapping; inserted text is not searched again.
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          unsigned flags);

// Paths: "/" is the separator; "\" and ":" are honoured too when cutting a name off.
std::string ExtractFileName(std::string_view path);
std::string ExtractFilePath(std::string_view path);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// A regular file, through a link if the path is one.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Anything at all under the name: a file, a folder, a device, a FIFO, or a
// link, even one that leads nowhere.
bool PathExists(const std::string& path);

// Whole-file byte access; failures raise EFOpenError / EFCreateError naming the file.
std::string ReadFileBytes(const std::string& path);
// Bytes begin up to end of a file, for reading a large one in pieces.
std::string ReadFileRange(const std::string& path, uint64_t begin, uint64_t end);
void WriteFileBytes(const std::string& path, std::string_view bytes);
// Writes a temporary file of its own in the target's folder, flushes it to
// disk and renames it over the target, keeping the target's mode: a failed
// write leaves the old file as it was and no temporary behind. Only a regular
// file (or a link to one) is ever replaced: a device, a FIFO, a folder or a
// link to one, or a link that leads nowhere, is left as it is and
// EFCreateError raised. Failures raise EFCreateError / EInOutError naming the target.
void WriteFileReplacing(const std::string& path, std::string_view bytes);
// Milliseconds on a clock that never jumps: for measuring how long something took.
int64_t TickCount();
// Numbers are written with "." whatever the user's locale: a decimal comma
// would change saved files and the order of sorted texts.
// The shortest decimal text of a number, as the framework's general format gives it.
std::string FloatToStr(double value);
// A number with a fixed count of decimals, rounded as printf's "%.*f" does.
std::string FormatFixed(long double value, int decimals);
