// Turning tokens and clusters into counted lines: the lines of the frequency
// and cluster list files and of the corpus frequency lists.

#include <array>
#include <cctype>
#include <ctime>
#include <unordered_map>

#include "engine/CodePage936.h"
#include "engine/FileChunks.h"
#include "engine/Query.h"
#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"

namespace {

// The integer in s, 0 when s holds none: a sort must not stop half-way.
int CountIn(std::string_view s) {
    int n = 0;
    return TryStrToInt(Trim(s), n) ? n : 0;
}

int Descending(int a, int b) { return a > b ? -1 : (a < b ? 1 : 0); }

// The bytes a separator class matches.
const std::array<bool, 256>& SeparatorBytes(const std::string& splitters) {
    static std::unordered_map<std::string, std::array<bool, 256>> known;
    if (known.size() > 32) known.clear();
    auto it = known.find(splitters);
    if (it != known.end()) return it->second;
    std::array<bool, 256> bytes{};
    try {
        TRegExpr re(splitters);
        for (int c = 1; c < 256; ++c) bytes[static_cast<size_t>(c)] = re.Exec(std::string(1, static_cast<char>(c)));
    } catch (const ERegExpr&) {
        // A class the library rejects matches nothing here, as in the patterns.
    }
    return known.emplace(splitters, bytes).first->second;
}

// Separator bytes that are trail bytes of code page 936 characters before a
// token's own separator, each standing in as a control byte the text lacks,
// so that the patterns part word and tag where counting parts them.
class THiddenTrailBytes {
public:
    THiddenTrailBytes(std::string& text, const std::string& splitters) {
        if (!IsGbkText(text)) return;
        const std::array<bool, 256>& separators = SeparatorBytes(splitters);
        std::array<bool, 256> present{};
        for (char c : text) present[static_cast<unsigned char>(c)] = true;
        for (size_t start = 0; start < text.size();) {
            size_t end = start;
            while (end < text.size() && !IsRegexSpace(text[end])) ++end;
            const size_t at = TaggedSeparatorAt(std::string_view(text).substr(start, end - start), separators);
            for (size_t p = start; at != std::string_view::npos && p < start + at; ++p)
                if (separators[static_cast<unsigned char>(text[p])]) text[p] = StandIn(text[p], present);
            start = end + 1;
        }
    }
    // The text with the bytes given back.
    std::string Restore(std::string text) const {
        if (FFor.empty()) return text;
        for (char& c : text)
            for (const auto& [original, standIn] : FFor)
                if (c == standIn) c = original;
        return text;
    }

private:
    char StandIn(char original, std::array<bool, 256>& present) {
        for (const auto& [known, standIn] : FFor)
            if (known == original) return standIn;
        for (char c = 1; c < '\t'; ++c) {
            if (present[static_cast<unsigned char>(c)]) continue;
            present[static_cast<unsigned char>(c)] = true;
            FFor.emplace_back(original, c);
            return c;
        }
        return original;
    }

    std::vector<std::pair<char, char>> FFor;
};

// Where a tagged item parts into word and tag, as counting parts a token at "_".
size_t TagSeparatorAt(std::string_view item) {
    static const std::array<bool, 256> underscore = [] {
        std::array<bool, 256> bytes{};
        bytes[static_cast<unsigned char>('_')] = true;
        return bytes;
    }();
    return TaggedSeparatorAt(item, underscore);
}

}  // namespace

int CompareAlpha(TStringList& list, int index1, int index2) {
    return list.CompareStrings(list[index1], list[index2]);
}

// The count is the last field of a count line; an item may hold the separator
// itself (a cluster joined by a TAB), so the count is read after the last one.
int CompareByCount(TStringList& list, int index1, int index2) {
    auto count = [&](const std::string& s) {
        size_t p = s.rfind(list.NameValueSeparator());
        return p == std::string::npos ? 0 : CountIn(std::string_view(s).substr(p + 1));
    };
    return Descending(count(list[index1]), count(list[index2]));
}

int CompareByCountField(TStringList& list, int index1, int index2) {
    auto count = [&](const std::string& s) {
        char sep = list.NameValueSeparator();
        size_t first = s.find(sep);
        if (first == std::string::npos) return 0;
        size_t second = s.find(sep, first + 1);
        return CountIn(std::string_view(s).substr(first + 1, second == std::string::npos ? std::string::npos
                                                                                          : second - first - 1));
    };
    return Descending(count(list[index1]), count(list[index2]));
}

int CompareTagged(TStringList& list, int index1, int index2) {
    auto tag = [](const std::string& s) {
        size_t p = TagSeparatorAt(s);
        return p == std::string::npos ? std::string() : s.substr(p + 1);
    };
    return AnsiCompareText(tag(list[index1]), tag(list[index2]));
}

void TDisplay::ExtractClusters(const std::string& text, int n, TStringList& list) {
    if (n <= 0) return;
    // The same clusters as the expression (\s(\S+)){n} searched over the text
    // framed by blanks, each search starting one character after the last match:
    // n tokens that follow each other with exactly one white-space character
    // between them, one cluster starting at every token.
    std::string framed = " " + text + " ";
    std::vector<std::pair<size_t, size_t>> tokens;  // [start, end) in framed
    for (size_t i = 0; i < framed.size();) {
        if (IsRegexSpace(framed[i])) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < framed.size() && !IsRegexSpace(framed[i])) ++i;
        tokens.emplace_back(start, i);
    }
    for (size_t k = 0; k + static_cast<size_t>(n) <= tokens.size(); ++k) {
        bool joined = true;
        for (size_t t = k + 1; t < k + static_cast<size_t>(n) && joined; ++t)
            joined = tokens[t].first == tokens[t - 1].second + 1;
        if (!joined) continue;
        ProcessMessages();
        size_t begin = tokens[k].first - 1, end = tokens[k + static_cast<size_t>(n) - 1].second;
        list.Add(" " + Trim(std::string_view(framed).substr(begin, end - begin)) + " ");
    }
}

// The last run ends at the last entry, also when its text is empty: the
// framework's empty sentinel entry would otherwise swallow it.
void TDisplay::CountRuns(TStringList& source, TStringList& dest, const std::string& order, bool ignoreCase) {
    if (source.Count() == 0) return;
    source.SetCaseSensitive(!ignoreCase);
    source.CustomSort(CompareAlpha);
    std::string separator(1, dest.NameValueSeparator());
    int runStart = 0, last = source.Count() - 1;
    std::string current = Trim(source[0]), next;
    for (int i = 0; i <= last; ++i) {
        ProcessMessages();
        bool same = false;
        if (i < last) {
            next = Trim(source[i + 1]);
            same = ignoreCase ? SameText(current, next) : current == next;
        }
        if (!same) {
            dest.Add(current + " " + separator + IntToStr(i + 1 - runStart));
            runStart = i + 1;
        }
        current.swap(next);
    }
    dest.CustomSort(order == "Freq." ? CompareByCount : CompareAlpha);
}

void TDisplay::BuildCrossList(TStringList& source, TStringList& dest, bool byWord, const std::string& order,
                              const std::string& subOrder, bool ignoreCase) {
    TStringList subItems, counts;
    counts.SetNameValueSeparator('(');
    if (source.Count() == 0) return;
    source.CustomSort(byWord ? CompareAlpha : CompareTagged);
    auto split = [byWord](const std::string& entry, std::string& key, std::string& sub) {
        size_t p = TagSeparatorAt(entry);
        std::string word = p == std::string::npos ? std::string() : entry.substr(0, p);
        std::string tag = p == std::string::npos ? entry : entry.substr(p + 1);
        key = Trim(byWord ? word : tag);
        sub = Trim(byWord ? tag : word);
    };
    std::string separator(1, dest.NameValueSeparator());
    std::string key, sub, nextKey, nextSub;
    int last = source.Count() - 1;
    for (int i = 0; i <= last; ++i) {
        ProcessMessages();
        split(source[i], key, sub);
        subItems.Add(sub);
        if (i < last) {
            split(source[i + 1], nextKey, nextSub);
            if (ignoreCase ? SameText(key, nextKey) : key == nextKey) continue;
        }
        int groupSize = subItems.Count();
        counts.Clear();
        CountRuns(subItems, counts, subOrder, ignoreCase);
        std::string text = Trim(StringReplace(counts.Text(), "\r\n", ") \t", rfReplaceAll));
        dest.Add(key + " " + separator + IntToStr(groupSize) + "\t" + text);
        subItems.Clear();
    }
    dest.CustomSort(order == "Freq." ? CompareByCountField : CompareAlpha);
}

std::string TDisplay::FormatToken(const std::string& text, const std::string& splitters, const std::string& mode) {
    std::string pattern;
    if (mode == "WORD")
        pattern = splitters + "(.*?)\\s";
    else if (mode == "POS")
        pattern = "\\s(.*?)" + splitters;
    else
        pattern = "##" + splitters + "##";
    // Lists and displays format every token or hit with the same few
    // patterns: each is compiled once, not once per call.
    static std::unordered_map<std::string, TRegExpr> compiled;
    if (compiled.size() > 32) compiled.clear();
    auto it = compiled.find(pattern);
    if (it == compiled.end()) it = compiled.emplace(pattern, TRegExpr(pattern)).first;
    std::string framed = " " + Trim(text) + " ";
    const THiddenTrailBytes hidden(framed, splitters);
    std::string result = Trim(hidden.Restore(it->second.Replace(framed, " ")));
    if (result.find("##") == std::string::npos) return result;
    return Trim(StringReplace(result, "##", " ", rfReplaceAll));
}

std::string TDisplay::ReplaceSeparators(const std::string& text, const std::string& splitters,
                                       const std::string& replacement) {
    if (!IsGbkText(text)) {
        // A list run replaces in every line of its files with the same class.
        static std::unordered_map<std::string, TRegExpr> compiled;
        if (compiled.size() > 32) compiled.clear();
        auto it = compiled.find(splitters);
        if (it == compiled.end()) {
            TRegExpr re(splitters);
            re.SetModifierI(true);
            it = compiled.emplace(splitters, std::move(re)).first;
        }
        return Trim(it->second.Replace(text, replacement));
    }
    const std::array<bool, 256>& separators = SeparatorBytes(splitters);
    // Case is ignored as the expression ignores it.
    auto isSeparator = [&](char c) {
        const auto b = static_cast<unsigned char>(c);
        const int other = b < 0x80 && std::isalpha(b) ? (std::islower(b) ? std::toupper(b) : std::tolower(b)) : b;
        return separators[b] || separators[static_cast<unsigned char>(other)];
    };
    std::string result;
    result.reserve(text.size());
    for (size_t start = 0; start < text.size();) {
        size_t end = start;
        while (end < text.size() && !IsRegexSpace(text[end])) ++end;
        const std::string_view token = std::string_view(text).substr(start, end - start);
        const size_t at = TaggedSeparatorAt(token, separators);
        // A token counting reads byte by byte (its separators all follow lead
        // bytes) has every separator byte replaced, as in Latin-1 text.
        bool byBytes = at != std::string_view::npos && !IsGbkText(token);
        if (at != std::string_view::npos && !byBytes) {
            size_t p = 0;
            while (p < at) p += GbkCharLength(token, p);
            byBytes = p != at;
        }
        for (size_t p = 0; p < token.size();) {
            const size_t n = byBytes ? 1 : GbkCharLength(token, p);
            if (n == 1 && isSeparator(token[p]))
                result += replacement;
            else
                result.append(token.substr(p, n));
            p += n;
        }
        if (end < text.size()) result += text[end];
        start = end + 1;
    }
    return Trim(result);
}

std::string TDisplay::RegexReplace(const std::string& text, const std::string& expr, const std::string& replacement,
                                   bool ignoreCase) {
    TRegExpr re(expr);
    re.SetModifierI(ignoreCase);
    return Trim(re.Replace(text, replacement));
}

int TDisplay::RegexMatchPos(const std::string& expr, const std::string& text) {
    TRegExpr re(expr);
    re.SetModifierI(true);
    return re.Exec(text) ? re.MatchPos(0) : 0;
}

namespace {

// A typed node's words part as a corpus line's do: at every run of white
// space, the ideographic space included.
std::string NodeWords(const std::string& query) {
    std::string words = query;
    IdeographicSpacesToBlanks(words);
    SingleBlanks(words);
    return Trim(words);
}

}  // namespace

std::string TDisplay::ConvertQuery(const std::string& query, const std::string& splitters, bool literal) {
    if (literal) {
        std::string q = NodeWords(query) + " ";
        return Trim(StringReplace(q, " ", splitters + "\\S+ ", rfReplaceAll)) + "\\b";
    }
    std::string q = " " + NodeWords(query);
    return Trim(StringReplace(q, " ", " \\S+" + splitters, rfReplaceAll)) + "\\b";
}

std::string TDisplay::RepeatStr(const std::string& s, int count) {
    std::string result;
    if (count <= 0) return result;
    result.reserve(s.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) result += s;
    return result;
}

std::string TDisplay::TimeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H.%M.%S", &local);
    return buffer;
}
