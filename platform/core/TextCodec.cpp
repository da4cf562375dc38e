#include "platform/core/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iconv.h>

namespace {

// Where the first byte above 127 of s from i is, or s.size(): 32 bytes at a
// time, as English corpora hold little else.
size_t NextByteAbove127(std::string_view s, size_t i) {
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    for (; i + 32 <= s.size(); i += 32) {
        uint64_t w[4];
        std::memcpy(w, s.data() + i, 32);
        if (((w[0] | w[1] | w[2] | w[3]) & kHigh) != 0) break;
    }
    for (; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80) return i;
    return s.size();
}

}  // namespace

bool HasByteAbove127(std::string_view text) { return NextByteAbove127(text, 0) < text.size(); }

bool IsValidUtf8(std::string_view s) {
    for (size_t i = NextByteAbove127(s, 0); i < s.size(); i = NextByteAbove127(s, i)) {
        const size_t length = Utf8CharLength(s, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string CodePage936ToUtf8(std::string_view s) {
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(s);
    std::string out(s.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(s.data());
    size_t inLeft = s.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
        if (outLeft < 3) break;
        std::memcpy(dst, "\xEF\xBF\xBD", 3);
        dst += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
}

std::string ToUtf8(const std::string& text) { return IsValidUtf8(text) ? text : CodePage936ToUtf8(text); }

namespace {

// The bytes of the UTF-8 sequence its lead byte starts.
size_t Utf8SequenceLength(char lead) {
    const unsigned char c = static_cast<unsigned char>(lead);
    return c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
}

// The code point of the len bytes of s from i.
char32_t DecodeUtf8(std::string_view s, size_t i, size_t len) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

}  // namespace

std::u16string ToUtf16(const std::string& text) {
    std::string utf8 = ToUtf8(text);
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const size_t len = Utf8SequenceLength(utf8[i]);
        if (i + len > utf8.size()) break;
        uint32_t cp = DecodeUtf8(utf8, i, len);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string FromUtf16(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] < 0xE000;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;  // a lone surrogate
        AppendUtf8(out, c);
    }
    return out;
}

namespace {

struct TCodeRange {
    char32_t first, last;
};

// East Asian wide and fullwidth characters.
constexpr TCodeRange kWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

// Combining marks, drawn over the character before them.
constexpr TCodeRange kCombining[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE20, 0xFE2F},
};

template <size_t N>
bool InRanges(const TCodeRange (&ranges)[N], char32_t c) {
    for (const TCodeRange& r : ranges)
        if (c >= r.first && c <= r.last) return true;
    return false;
}

}  // namespace

int TextColumns(std::string_view text, bool utf8) {
    if (!utf8) return static_cast<int>(text.size());
    int columns = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t len = std::min(Utf8SequenceLength(text[i]), text.size() - i);
        const char32_t cp = DecodeUtf8(text, i, len);
        columns += InRanges(kCombining, cp) ? 0 : InRanges(kWide, cp) ? 2 : 1;
        i += len;
    }
    return columns;
}

size_t Utf8CharLength(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return 1;
    const size_t extra = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    if (extra == 0 || s.size() - i <= extra) return 0;
    // The second byte's range is narrower after some leads: no overlong form,
    // no surrogate, nothing beyond U+10FFFF.
    const auto second = static_cast<unsigned char>(s[i + 1]);
    const unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high) return 0;
    for (size_t k = 2; k <= extra; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return extra + 1;
}

std::pair<char32_t, size_t> DecodeCodePage936Char(std::string_view s, size_t i) {
    // Only the thread that shows text decodes this way, so one converter serves.
    static iconv_t cd = iconv_open("UTF-32LE", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {static_cast<unsigned char>(s[i]), 1};
    char* in = const_cast<char*>(s.data() + i);
    size_t inLeft = std::min<size_t>(2, s.size() - i);
    char out[4];
    char* dst = out;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &in, &inLeft, &dst, &outLeft);  // one character fits: E2BIG after it is expected
    const auto used = static_cast<size_t>(in - (s.data() + i));
    if (dst != out + 4 || used == 0) return {0xFFFD, 1};
    auto b = [&](int k) { return char32_t(static_cast<unsigned char>(out[k])); };
    return {b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24, used};
}

std::pair<char32_t, size_t> ShownCharacterAt(std::string_view line, size_t i, bool utf8) {
    if ((line[i] & 0x80) == 0) return {static_cast<unsigned char>(line[i]), 1};
    if (!utf8) return DecodeCodePage936Char(line, i);
    const size_t length = std::max<size_t>(Utf8CharLength(line, i), 1);
    const char32_t c = DecodeUtf8(line, i, length);
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0xFFFD, length};
    return {c, length};
}
