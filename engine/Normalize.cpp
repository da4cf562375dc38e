// Raw-text normalisation: full-width punctuation (code page 936's, in either
// encoding) to ASCII, punctuation split off words, contractions expanded,
// runs of blanks shortened.

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <iterator>
#include <span>
#include <vector>

#include "engine/CodePage936.h"
#include "engine/Query.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"

namespace {

// Where the characters of a line start. In code page 936 text a lead byte
// takes a trail byte with it, and that trail byte may equal an ASCII
// character ("@", "n") or the lead byte of a full-width pair, so a match is
// taken only where a character starts. Bytes of any other text, UTF-8
// included, match as they stand.
class TCharStarts {
public:
    TCharStarts(const std::string& text, bool gbk) {
        if (!gbk) return;
        FStarts.assign(text.size(), false);
        for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) FStarts[i] = true;
    }
    bool At(size_t pos) const { return FStarts.empty() || FStarts[pos]; }

private:
    std::vector<bool> FStarts;
};

struct Rule {
    std::string_view from;
    std::string_view to;
    bool anyCase = false;
};

// Every line of a corpus passes through every rule, and most lines hold none of
// the searched texts: the memchr test of the first byte keeps that cheap.
// Every text searched regardless of case holds an apostrophe: the search
// jumps from apostrophe to apostrophe and compares around each.
size_t FindAnyCase(const std::string& text, std::string_view lowerNeedle, size_t from) {
    size_t anchor = lowerNeedle.find('\'');
    for (size_t q = text.find('\'', from + anchor); q != std::string::npos; q = text.find('\'', q + 1)) {
        size_t p = q - anchor;
        if (p + lowerNeedle.size() > text.size()) return std::string::npos;
        size_t k = 0;
        while (k < lowerNeedle.size() && AsciiLower(text[p + k]) == lowerNeedle[k]) ++k;
        if (k == lowerNeedle.size()) return p;
    }
    return std::string::npos;
}

size_t Find(const std::string& text, const Rule& rule, size_t from, const TCharStarts& starts) {
    for (;; ++from) {
        from = rule.anyCase ? FindAnyCase(text, rule.from, from) : text.find(rule.from, from);
        if (from == std::string::npos || starts.At(from)) return from;
    }
}

void Apply(std::string& text, const Rule& rule, bool gbk) {
    if (!rule.anyCase && !std::memchr(text.data(), rule.from[0], text.size())) return;
    const TCharStarts starts(text, gbk);
    size_t p = Find(text, rule, 0, starts);
    if (p == std::string::npos) return;
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    size_t from = 0;
    do {
        out.append(text, from, p - from);
        out.append(rule.to);
        from = p + rule.from.size();
        p = Find(text, rule, from, starts);
    } while (p != std::string::npos);
    out.append(text, from, std::string::npos);
    text.swap(out);
}

// The three passes that shorten blanks (two to one, three to one, two to one,
// each left to right without overlaps) act on every run of blanks alone, so
// one pass can give each run its final length.
void ShortenBlankRuns(std::string& text) {
    size_t run = text.find("  ");
    if (run == std::string::npos) return;
    auto pairsToOne = [](size_t k) { return k / 2 + k % 2; };
    auto triplesToOne = [](size_t k) { return k / 3 + k % 3; };
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    while (run != std::string::npos) {
        size_t end = run;
        while (end < text.size() && text[end] == ' ') ++end;
        out.append(text, from, run - from);
        out.append(pairsToOne(triplesToOne(pairsToOne(end - run))), ' ');
        from = end;
        run = text.find("  ", from);
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
}

constexpr Rule kPunctuation[] = {
    {"\t", " "},  {".", " . "}, {"\"", " \" "}, {",", " , "}, {"!", " ! "}, {";", " ; "},
    {":", " : "}, {"?", " ? "}, {"(", " ( "},   {")", " ) "}, {"@", " @ "}, {"&", " & "},
};

// All of these contain an apostrophe, so a line without one skips them at once.
constexpr Rule kContractions[] = {
    {"won't", " will not ", true}, {"n't", " not ", true},  {"'ll", " will ", true},
    {"'ve", " have ", true},       {"'re", " are ", true},  {"'m", " am ", true},
    {"'", " ' "},                  {"o ' clock", "o'clock", true},
};

constexpr Rule kBeforeSplit[] = {
    {"\xA1\xAA", " --- "}, {"\xA3\xBB", " ; "}, {"\xA1\xEA", "L"},         {"\xA1\xEC", "??"},
    {"\xA1\xF9", "??"},    {"\xA3\xC0", "@"},   {"\xA3\xA6", "&"},         {"\xA3\xA3", "#"},
    {"\xA3\xA4", "Y"},     {"\xA1\xE6", "\xA1\xE3" "C"}, {"\xA8\x48", "\xA1\xE3" "F"},
};

constexpr Rule kAfterSplit[] = {
    {"\xA3\xBA", " : "}, {"\xA1\xAE", " ' "}, {"\xA1\xB0", " \" "}, {"\xA1\xB1", " \" "}, {"\xA1\xAF", " ' "},
    {"\xA3\xAC", " , "}, {"\xA1\xA3", " . "}, {"\xA3\xBF", " ? "},  {"\xA1\xA2", " , "},  {"\xA3\xA1", " ! "},
    {"\xA3\xA8", " ( "}, {"\xA3\xA9", " ) "}, {"\xA1\xBE", " [ "},  {"\xA1\xBF", " ] "},
};


// The punctuation rules each put blanks around one character, and no
// replacement holds another rule's character, so applying them one after
// another is the same as one pass that replaces each character by its text.
void SplitPunctuation(std::string& text, bool gbk) {
    static const auto table = [] {
        std::array<std::string_view, 256> t{};
        for (const Rule& rule : kPunctuation) t[static_cast<unsigned char>(rule.from[0])] = rule.to;
        return t;
    }();
    // The length of the character at i: a trail byte is never split off.
    auto width = [&](size_t i) -> size_t { return gbk ? GbkCharLength(text, i) : 1; };
    auto nextPunctuation = [&](size_t i) {
        while (i < text.size() && table[static_cast<unsigned char>(text[i])].empty()) i += width(i);
        return std::min(i, text.size());
    };
    size_t i = nextPunctuation(0);
    if (i == text.size()) return;
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    size_t from = 0;
    while (i < text.size()) {
        out.append(text, from, i - from);
        out.append(table[static_cast<unsigned char>(text[i])]);
        from = i + 1;
        i = nextPunctuation(from);
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
}

void SplitPunctAndContractions(std::string& text, bool gbk) {
    SplitPunctuation(text, gbk);
    if (text.find('\'') != std::string::npos)
        for (const Rule& rule : kContractions) Apply(text, rule, gbk);
}


// The full-width rules for the same characters in UTF-8 text, each text
// decoded from code page 936, so that a corpus counts alike in either
// encoding. Replacements are kept as they are, "??" and "L" included.
struct TUtf8Rules {
    std::deque<std::string> Texts;  // never moved: the rules view them
    std::vector<Rule> Before, After;
};

const TUtf8Rules& Utf8Rules() {
    static const TUtf8Rules rules = [] {
        TUtf8Rules r;
        auto decode = [&](const Rule* first, const Rule* last, std::vector<Rule>& out) {
            for (const Rule* rule = first; rule != last; ++rule) {
                r.Texts.push_back(CodePage936ToUtf8(rule->from));
                const std::string_view from = r.Texts.back();
                r.Texts.push_back(CodePage936ToUtf8(rule->to));
                out.push_back({from, r.Texts.back(), rule->anyCase});
            }
        };
        decode(std::begin(kBeforeSplit), std::end(kBeforeSplit), r.Before);
        decode(std::begin(kAfterSplit), std::end(kAfterSplit), r.After);
        return r;
    }();
    return rules;
}

// Every rule but the shortening of blanks.
void ReplaceRaw(std::string& text) {
    // Text without a byte above 127 holds no full-width punctuation; other
    // text is UTF-8 when valid, else code page 936, and meets that
    // encoding's forms of the characters only.
    const bool high = HasByteAbove127(text);
    const bool gbk = high && IsGbkText(text);
    std::span<const Rule> before, after;
    if (gbk) {
        before = kBeforeSplit;
        after = kAfterSplit;
    } else if (high) {
        before = Utf8Rules().Before;
        after = Utf8Rules().After;
    }
    for (const Rule& rule : before) Apply(text, rule, gbk);
    SplitPunctAndContractions(text, gbk);
    for (const Rule& rule : after) Apply(text, rule, gbk);
}

}  // namespace

std::string TDisplay::SplitPunctAndContractions(std::string text) {
    ::SplitPunctAndContractions(text, HasByteAbove127(text) && IsGbkText(text));
    return text;
}

std::string TDisplay::NormalizeRaw(std::string text) {
    ReplaceRaw(text);
    ShortenBlankRuns(text);
    return text;
}

std::string TDisplay::NormalizeRawPadded(std::string_view leftPad, std::string line, std::string_view rightPad) {
    // No rule finds anything in a pad or across its edge, but the blanks at
    // an edge join the line's into one run.
    ReplaceRaw(line);
    std::string text;
    text.reserve(leftPad.size() + line.size() + rightPad.size());
    text.append(leftPad).append(line).append(rightPad);
    ShortenBlankRuns(text);
    return text;
}

std::string TDisplay::ReplaceNonAscii(const std::u16string& s, char c) {
    std::string out;
    out.reserve(s.size());
    // Code 128 survives the replacement but has no place in the 8-bit code page.
    for (char16_t unit : s) out.push_back(unit > 128 ? c : (unit == 128 ? '?' : static_cast<char>(unit)));
    return out;
}
