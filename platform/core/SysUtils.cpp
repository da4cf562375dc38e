#include "platform/core/SysUtils.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

std::string_view TrimView(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsTrimChar(s[b])) ++b;
    while (e > b && IsTrimChar(s[e - 1])) --e;
    return s.substr(b, e - b);
}

void SingleBlanks(std::string& s) {
    size_t out = 0;
    for (size_t i = 0; i < s.size();) {
        if (!IsRegexSpace(s[i])) {
            s[out++] = s[i++];
            continue;
        }
        s[out++] = ' ';
        while (i < s.size() && IsRegexSpace(s[i])) ++i;
    }
    s.resize(out);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsTrimChar(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsTrimChar(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiUpper(c);
    return r;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

namespace {

bool ParseInt(std::string_view s, int& out) {
    std::string_view t = s;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    bool negative = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (!t.empty() && t.front() == '$') {
        base = 16;
        t.remove_prefix(1);
    } else if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    // from_chars takes a sign of its own; only digits may follow ours.
    if (t.empty() || t.front() == '-' || t.front() == '+') return false;
    int64_t value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value, base);
    if (ec != std::errc() || end != t.data() + t.size()) return false;
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

int StrToInt(std::string_view s) {
    int v = 0;
    if (!ParseInt(s, v)) throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    return v;
}

bool TryStrToInt(std::string_view s, int& value) { return ParseInt(s, value); }

int StrToIntDef(std::string_view s, int defaultValue) {
    int v = 0;
    return ParseInt(s, v) ? v : defaultValue;
}

int CompareStr(std::string_view a, std::string_view b) {
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(AsciiLower(a[i]));
        unsigned char y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

namespace {

// Primary weights: controls and punctuation by code, then digits, then letters
// with both cases on one weight, then the bytes above 127 by code.
struct Collation {
    std::array<uint16_t, 256> primary{};
    Collation() {
        uint16_t w = 1;
        for (int c = 0; c < 128; ++c)
            if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z')) primary[c] = w++;
        for (int c = '0'; c <= '9'; ++c) primary[c] = w++;
        for (int c = 'a'; c <= 'z'; ++c) {
            primary[c] = w;
            primary[c - 32] = w;
            ++w;
        }
        for (int c = 128; c < 256; ++c) primary[c] = w++;
    }
};

const Collation& collation() {
    static const Collation table;
    return table;
}

int ComparePrimary(std::string_view a, std::string_view b) {
    const auto& p = collation().primary;
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        uint16_t x = p[static_cast<unsigned char>(a[i])], y = p[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) { return ComparePrimary(a, b); }

int AnsiCompareStr(std::string_view a, std::string_view b) {
    if (int r = ComparePrimary(a, b)) return r;
    // Same letters: the first case difference decides, lower case first.
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return (a[i] >= 'a' && a[i] <= 'z') ? -1 : 1;
    }
    return 0;
}

int Pos(std::string_view sub, std::string_view s) {
    size_t p = s.find(sub);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          unsigned flags) {
    if (oldPattern.empty()) return std::string(s);
    std::string folded, pattern;
    std::string_view hay = s, needle = oldPattern;
    if (flags & rfIgnoreCase) {
        folded = LowerCase(s);
        pattern = LowerCase(oldPattern);
        hay = folded;
        needle = pattern;
    }
    std::string out;
    size_t from = 0;
    while (true) {
        size_t p = hay.find(needle, from);
        if (p == std::string_view::npos) break;
        out.append(s.substr(from, p - from));
        out.append(newPattern);
        from = p + needle.size();
        if (!(flags & rfReplaceAll)) break;
    }
    if (from == 0) return std::string(s);
    out.append(s.substr(from));
    return out;
}

// Only "/" separates folders here; ":" and "\\" are ordinary characters of a
// file name.
std::string ExtractFileName(std::string_view path) {
    size_t p = path.rfind('/');
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string ExtractFilePath(std::string_view path) {
    size_t p = path.rfind('/');
    return std::string(p == std::string_view::npos ? std::string_view() : path.substr(0, p + 1));
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string r(path);
    if (r.empty() || r.back() != '/') r.push_back('/');
    return r;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ReadFileBytes(const std::string& path) {
    if (DirectoryExists(path)) throw EFOpenError("Cannot open file \"" + path + "\". It is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    std::string bytes(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0 && !in.read(bytes.data(), size))
        throw EInOutError("Read error in file \"" + path + "\"");
    return bytes;
}

std::string ReadFileRange(const std::string& path, uint64_t begin, uint64_t end) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    std::string bytes(end > begin ? static_cast<size_t>(end - begin) : 0, '\0');
    in.seekg(static_cast<std::streamoff>(begin));
    if (!bytes.empty() && !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw EInOutError("Read error in file \"" + path + "\"");
    return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw EFCreateError("Cannot create file \"" + path + "\". " + std::strerror(errno));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw EInOutError("Write error in file \"" + path + "\"");
}

namespace {

// The mode a new file gets from the process: 0666 less the umask.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    // The rename below would put a file in the place of whatever stands there.
    if (PathExists(path) && !FileExists(path))
        throw EFCreateError("Cannot create file \"" + path + "\". It is not a regular file");
    std::error_code ec;
    // A link stays a link: its target is what gets replaced.
    fs::path target = fs::is_symlink(path, ec) ? fs::canonical(path, ec) : fs::path(path);
    if (ec) target = path;
    fs::path folder = target.parent_path();
    // A name of our own in the target's folder, so that the rename never crosses
    // file systems and never takes a file the user owns.
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw EFCreateError("Cannot create file \"" + path + "\". " + std::strerror(errno));

    auto fail = [&](bool created) {
        int error = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        if (created) throw EFCreateError("Cannot create file \"" + path + "\". " + std::strerror(error));
        throw EInOutError("Write error in file \"" + path + "\". " + std::strerror(error));
    };
    struct stat st;
    bool replacing = ::stat(target.c_str(), &st) == 0;
    if (::fchmod(fd, replacing ? (st.st_mode & 07777) : NewFileMode()) != 0) fail(true);
    // Its owner too, where the process may give it away; elsewhere the file is the writer's anyway.
    if (replacing && ::fchown(fd, st.st_uid, st.st_gid) != 0) errno = 0;
    for (size_t written = 0; written < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) fail(false);
        written += static_cast<size_t>(n);
    }
    // On disk before it takes the user's name: a crash leaves the old file or the new one.
    if (::fsync(fd) != 0) fail(false);
    int closing = ::close(fd);
    fd = -1;
    if (closing != 0) fail(false);
    if (::rename(temporary.c_str(), target.c_str()) != 0) fail(true);
    // The new name on disk too; a folder that cannot be synced has still been renamed in.
    int directory = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
}

int64_t TickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string FloatToStr(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string FormatFixed(long double value, int decimals) {
    decimals = std::max(decimals, 0);
    char small[128];
    auto [end, ec] = std::to_chars(small, small + sizeof small, value, std::chars_format::fixed, decimals);
    if (ec == std::errc()) return std::string(small, end);
    // The fixed form of the largest long double has some 4,933 digits.
    std::string big(4940 + static_cast<size_t>(decimals), '\0');
    auto [bigEnd, bigEc] =
        std::to_chars(big.data(), big.data() + big.size(), value, std::chars_format::fixed, decimals);
    big.resize(bigEc == std::errc() ? static_cast<size_t>(bigEnd - big.data()) : 0);
    return big;
}
