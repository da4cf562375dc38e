#pragma once
// Perl-style regular expressions over byte strings (PCRE2, JIT when the
// machine has it). A subject that holds UTF-8 characters beyond ASCII is
// matched character by character (a class of Chinese characters never takes
// half of one, "." takes a whole character); any other subject byte by byte.
// Case is ignored for ASCII letters only, as the program folds case
// everywhere. Positions are 1-based byte positions, as the program's string
// code counts them; a sub-expression that did not take part has position -1.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/SysUtils.h"

struct pcre2_real_code_8;
struct pcre2_real_match_data_8;
class TStringList;

// What "\b" is for text beyond ASCII: "\b" sees only ASCII word characters
// and finds no edge at "café" or "中文". Here every character beyond ASCII
// counts as a word character too, in either matching mode; in ASCII text the
// edges are exactly those of "\b". The class is every character but ASCII's
// non-word ones.
inline constexpr std::string_view kWordBoundary =
    "(?:(?<=[^\\x00-\\x2F\\x3A-\\x40\\x5B-\\x5E\\x60\\x7B-\\x7F])(?![^\\x00-\\x2F\\x3A-\\x40\\x5B-\\x5E\\x60\\x7B-\\x7F])"
    "|(?<![^\\x00-\\x2F\\x3A-\\x40\\x5B-\\x5E\\x60\\x7B-\\x7F])(?=[^\\x00-\\x2F\\x3A-\\x40\\x5B-\\x5E\\x60\\x7B-\\x7F]))";

// expression as a whole word: between word edges.
inline std::string WholeWord(std::string_view expression) {
    return std::string(kWordBoundary) + std::string(expression) + std::string(kWordBoundary);
}

class ERegExpr : public Exception { using Exception::Exception; };
// A match given up at the library's limits: the subject, not the pattern, is
// at fault, so the next subject may well be searched.
class ERegExprLimit : public ERegExpr { using ERegExpr::ERegExpr; };

class TRegExpr {
public:
    TRegExpr() = default;
    explicit TRegExpr(std::string expression);
    ~TRegExpr();
    TRegExpr(TRegExpr&& other) noexcept;
    TRegExpr& operator=(TRegExpr&& other) noexcept;
    TRegExpr(const TRegExpr&) = delete;
    TRegExpr& operator=(const TRegExpr&) = delete;

    const std::string& Expression() const { return FExpression; }
    void SetExpression(std::string expression);
    // Case-insensitive matching (ASCII letters).
    bool ModifierI() const { return FCaseless; }
    void SetModifierI(bool value);

    // Compiles now; Exec compiles on first use. Raises ERegExpr with the library's message.
    void Compile();

    // Searches input from its first character. A named string is searched
    // where it stands, without a copy, and must stay unchanged while matches
    // are read from it; a temporary one is kept.
    bool Exec(const std::string& input);
    bool Exec(std::string&& input);
    // Searches the kept input from 1-based position offset.
    bool ExecPos(int offset);
    // Searches input, kept as Exec keeps a named string, from position offset.
    bool ExecPos(const std::string& input, int offset);
    // Keeps input, as Exec keeps a named string, for ExecPos(offset): a
    // subject searched from many positions is looked at once.
    void SetSubject(const std::string& input);
    // The same for text known to be UTF-8, told whether it holds a byte
    // above 127: a subject that several expressions search is looked at once.
    void SetSubject(const std::string& utf8, bool beyondAscii);
    // Continues after the last match (one character further after an empty match).
    bool ExecNext();

    const std::string& InputString() const { return *FSubject; }
    // The highest group number a back reference of the pattern names (0 for none).
    int BackReferenceMax();
    // The highest sub-expression number that took part in the last match (0 for none).
    int SubExprMatchCount() const { return FMatchedGroups - 1; }
    int MatchPos(int index = 0) const;
    int MatchLen(int index = 0) const;
    std::string Match(int index = 0) const;
    // The same text where it stands in the subject, valid while the subject is.
    std::string_view MatchView(int index = 0) const;

    // Adds the pieces of input between matches to pieces, the tail always last.
    void Split(const std::string& input, TStringList& pieces);
    // Every match replaced by replacement taken literally.
    std::string Replace(const std::string& input, std::string_view replacement);

private:
    bool Run(size_t offset);
    void Free();
    // The character-wise form of the pattern, made on first need; nullptr
    // when the pattern has none (it is not UTF-8, or the library refuses it
    // so), and then every subject is matched byte by byte.
    pcre2_real_code_8* UtfCode();

    std::string FExpression;
    bool FCaseless = false;
    pcre2_real_code_8* FCode = nullptr;
    pcre2_real_match_data_8* FMatchData = nullptr;
    pcre2_real_code_8* FUtfCode = nullptr;
    pcre2_real_match_data_8* FUtfMatchData = nullptr;
    bool FUtfTried = false;
    // Compile has run: either form, or both, is there.
    bool FCompiled = false;
    // The subject is UTF-8 (ASCII included), and it holds characters beyond ASCII.
    bool FSubjectUtf8 = true, FBeyondAscii = false;
    // The match data of the last match, of either form.
    pcre2_real_match_data_8* FLastMatch = nullptr;
    std::string FInput;
    const std::string* FSubject = &FInput;
    int FMatchedGroups = 0;
};
