#define PCRE2_CODE_UNIT_WIDTH 8
#include "platform/core/RegExpr.h"

#include <pcre2.h>

#include <algorithm>
#include <cstring>

#include "platform/core/Classes.h"
#include "platform/core/TextCodec.h"

TRegExpr::TRegExpr(std::string expression) : FExpression(std::move(expression)) {}

TRegExpr::~TRegExpr() { Free(); }

TRegExpr::TRegExpr(TRegExpr&& other) noexcept { *this = std::move(other); }

TRegExpr& TRegExpr::operator=(TRegExpr&& other) noexcept {
    if (this == &other) return *this;
    Free();
    FExpression = std::move(other.FExpression);
    FCaseless = other.FCaseless;
    FCode = other.FCode;
    FMatchData = other.FMatchData;
    FUtfCode = other.FUtfCode;
    FUtfMatchData = other.FUtfMatchData;
    FUtfTried = other.FUtfTried;
    FCompiled = other.FCompiled;
    FLastMatch = other.FLastMatch;
    FSubjectUtf8 = other.FSubjectUtf8;
    FBeyondAscii = other.FBeyondAscii;
    bool ownInput = other.FSubject == &other.FInput;
    FInput = std::move(other.FInput);
    FSubject = ownInput ? &FInput : other.FSubject;
    other.FSubject = &other.FInput;
    FMatchedGroups = other.FMatchedGroups;
    other.FCode = nullptr;
    other.FMatchData = nullptr;
    other.FUtfCode = nullptr;
    other.FUtfMatchData = nullptr;
    other.FUtfTried = false;
    other.FCompiled = false;
    other.FLastMatch = nullptr;
    other.FMatchedGroups = 0;
    return *this;
}

void TRegExpr::Free() {
    if (FMatchData) pcre2_match_data_free(FMatchData);
    if (FCode) pcre2_code_free(FCode);
    if (FUtfMatchData) pcre2_match_data_free(FUtfMatchData);
    if (FUtfCode) pcre2_code_free(FUtfCode);
    FMatchData = nullptr;
    FCode = nullptr;
    FUtfMatchData = nullptr;
    FUtfCode = nullptr;
    FUtfTried = false;
    FCompiled = false;
    FLastMatch = nullptr;
    FMatchedGroups = 0;
}

void TRegExpr::SetExpression(std::string expression) {
    Free();
    FExpression = std::move(expression);
}

void TRegExpr::SetModifierI(bool value) {
    if (value == FCaseless) return;
    Free();
    FCaseless = value;
}

void TRegExpr::Compile() {
    Free();
    int error = 0;
    PCRE2_SIZE offset = 0;
    FCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(FExpression.data()), FExpression.size(),
                          FCaseless ? PCRE2_CASELESS : 0, &error, &offset, nullptr);
    if (FCode) {
        // Without JIT support the interpreter runs the same pattern, only slower.
        pcre2_jit_compile(FCode, PCRE2_JIT_COMPLETE);
        FMatchData = pcre2_match_data_create_from_pattern(FCode, nullptr);
    } else if (!UtfCode()) {
        // Code points beyond a byte ("[\x{4E00}-\x{9FA5}]") make sense character by
        // character only; what neither form takes is refused.
        PCRE2_UCHAR buffer[256];
        pcre2_get_error_message(error, buffer, sizeof buffer);
        throw ERegExpr("Regular expression error: " + std::string(reinterpret_cast<char*>(buffer)) +
                       " at offset " + std::to_string(offset) + " in \"" + FExpression + "\"");
    }
    FCompiled = true;
}

namespace {

// The pattern with every character beyond ASCII written outside a class made
// case-sensitive: in UTF mode the library would fold such letters by Unicode
// ("é" taking "É"), while the program folds ASCII letters only. Escapes,
// quoted text, comments and verbs are copied as they stand; letters inside a
// class keep the library's folding.
std::string CaseSensitiveBeyondAscii(const std::string& expr) {
    std::string out;
    out.reserve(expr.size() * 2);
    auto copyThrough = [&](size_t& i, std::string_view end) {
        const size_t stop = expr.find(end, i);
        const size_t last = stop == std::string::npos ? expr.size() : stop + end.size();
        out.append(expr, i, last - i);
        i = last;
    };
    bool inClass = false;
    for (size_t i = 0; i < expr.size();) {
        const char c = expr[i];
        const std::string_view rest = std::string_view(expr).substr(i);
        if (rest.starts_with("\\Q")) {
            copyThrough(i, "\\E");
        } else if (c == '\\') {
            const size_t next = i + 1 < expr.size() ? std::max<size_t>(Utf8CharLength(expr, i + 1), 1) : 0;
            out.append(expr, i, 1 + next);
            i += 1 + next;
        } else if (inClass) {
            if (rest.starts_with("[:")) {
                copyThrough(i, ":]");
                continue;
            }
            inClass = c != ']';
            out += c;
            ++i;
        } else if (c == '[') {
            // A "]" first in the class (after any "^") is a member, not its end.
            size_t open = 1 + (rest.starts_with("[^") ? 1 : 0);
            if (open < rest.size() && rest[open] == ']') ++open;
            out.append(rest.substr(0, open));
            i += open;
            inClass = true;
        } else if (rest.starts_with("(?#") || rest.starts_with("(*")) {
            copyThrough(i, ")");
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            const size_t length = std::max<size_t>(Utf8CharLength(expr, i), 1);
            out.append("(?-i:").append(expr, i, length).append(")");
            i += length;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// Limits that end a runaway match on one subject within a few milliseconds,
// far above what a match of an ordinary pattern on a corpus line takes.
constexpr uint32_t kMatchLimit = 1000000;
constexpr uint32_t kDepthLimit = 10000;
constexpr uint32_t kHeapLimitKiB = 16 * 1024;

pcre2_match_context* LimitedContext() {
    static pcre2_match_context* context = [] {
        pcre2_match_context* c = pcre2_match_context_create(nullptr);
        pcre2_set_match_limit(c, kMatchLimit);
        pcre2_set_depth_limit(c, kDepthLimit);
        pcre2_set_heap_limit(c, kHeapLimitKiB);
        return c;
    }();
    return context;
}

bool IsLimitError(int rc) {
    return rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
           rc == PCRE2_ERROR_JIT_STACKLIMIT || rc == PCRE2_ERROR_NOMEMORY;
}

}  // namespace

pcre2_code* TRegExpr::UtfCode() {
    if (FUtfTried) return FUtfCode;
    FUtfTried = true;
    if (!IsValidUtf8(FExpression)) return nullptr;
    const std::string pattern = FCaseless && HasByteAbove127(FExpression) ? CaseSensitiveBeyondAscii(FExpression)
                                                                        : FExpression;
    int error = 0;
    PCRE2_SIZE offset = 0;
    FUtfCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                             PCRE2_UTF | (FCaseless ? PCRE2_CASELESS : 0), &error, &offset, nullptr);
    if (!FUtfCode) return nullptr;
    pcre2_jit_compile(FUtfCode, PCRE2_JIT_COMPLETE);
    FUtfMatchData = pcre2_match_data_create_from_pattern(FUtfCode, nullptr);
    return FUtfCode;
}

void TRegExpr::SetSubject(const std::string& input) {
    const bool beyondAscii = HasByteAbove127(input);
    SetSubject(input, beyondAscii);
    FSubjectUtf8 = !beyondAscii || IsValidUtf8(input);
}

void TRegExpr::SetSubject(const std::string& utf8, bool beyondAscii) {
    FSubject = &utf8;
    FMatchedGroups = 0;
    FSubjectUtf8 = true;
    FBeyondAscii = beyondAscii;
}

bool TRegExpr::Run(size_t offset) {
    if (!FCompiled) Compile();
    FMatchedGroups = 0;
    const std::string& subject = *FSubject;
    if (offset > subject.size()) return false;
    // Character by character where the subject has characters beyond ASCII
    // and the pattern has that form; ASCII reads alike either way, so the
    // byte-wise form serves it where there is one. A pattern that has only
    // the character-wise form reads no other bytes.
    const bool characterWise = FSubjectUtf8 && (FBeyondAscii || !FCode) && UtfCode();
    if (!characterWise && !FCode) return false;
    pcre2_code* code = FCode;
    FLastMatch = FMatchData;
    uint32_t options = 0;
    // The subject was checked once, so that the library need not check it at every call.
    if (characterWise) {
        code = FUtfCode;
        FLastMatch = FUtfMatchData;
        options = PCRE2_NO_UTF_CHECK;
        // A search from inside a character starts at the next one.
        while (offset < subject.size() && (static_cast<unsigned char>(subject[offset]) & 0xC0) == 0x80) ++offset;
    }
    int rc = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), offset, options,
                         FLastMatch, LimitedContext());
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    if (rc < 0) {
        PCRE2_UCHAR buffer[256];
        pcre2_get_error_message(rc, buffer, sizeof buffer);
        std::string message = "Regular expression error: " + std::string(reinterpret_cast<char*>(buffer));
        if (IsLimitError(rc)) throw ERegExprLimit(message);
        throw ERegExpr(message);
    }
    // rc == 0 would mean the vector was too small, which a vector made from the pattern never is.
    FMatchedGroups = rc;
    return true;
}

bool TRegExpr::Exec(const std::string& input) {
    SetSubject(input);
    return Run(0);
}

bool TRegExpr::Exec(std::string&& input) {
    FInput = std::move(input);
    SetSubject(FInput);
    return Run(0);
}

int TRegExpr::BackReferenceMax() {
    if (!FCompiled) Compile();
    uint32_t value = 0;
    pcre2_pattern_info(FCode ? FCode : FUtfCode, PCRE2_INFO_BACKREFMAX, &value);
    return static_cast<int>(value);
}

bool TRegExpr::ExecPos(int offset) { return offset >= 1 && Run(static_cast<size_t>(offset - 1)); }

bool TRegExpr::ExecPos(const std::string& input, int offset) {
    SetSubject(input);
    return ExecPos(offset);
}

bool TRegExpr::ExecNext() {
    if (FMatchedGroups <= 0) return false;
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(FLastMatch);
    size_t next = ov[1] == ov[0] ? ov[1] + 1 : ov[1];
    return Run(next);
}

int TRegExpr::MatchPos(int index) const {
    if (index < 0 || index >= FMatchedGroups) return -1;
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(FLastMatch);
    if (ov[2 * index] == PCRE2_UNSET) return -1;
    return static_cast<int>(ov[2 * index]) + 1;
}

int TRegExpr::MatchLen(int index) const {
    if (index < 0 || index >= FMatchedGroups) return -1;
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(FLastMatch);
    if (ov[2 * index] == PCRE2_UNSET) return -1;
    return static_cast<int>(ov[2 * index + 1] - ov[2 * index]);
}

std::string TRegExpr::Match(int index) const { return std::string(MatchView(index)); }

std::string_view TRegExpr::MatchView(int index) const {
    int pos = MatchPos(index);
    if (pos < 0) return std::string_view();
    return std::string_view(*FSubject).substr(static_cast<size_t>(pos - 1), static_cast<size_t>(MatchLen(index)));
}

void TRegExpr::Split(const std::string& input, TStringList& pieces) {
    size_t prev = 0;
    if (Exec(input)) {
        do {
            size_t start = static_cast<size_t>(MatchPos(0) - 1);
            pieces.Add(input.substr(prev, start - prev));
            prev = start + static_cast<size_t>(MatchLen(0));
        } while (ExecNext());
    }
    pieces.Add(input.substr(prev));
}

std::string TRegExpr::Replace(const std::string& input, std::string_view replacement) {
    std::string out;
    size_t prev = 0;
    if (Exec(input)) {
        do {
            size_t start = static_cast<size_t>(MatchPos(0) - 1);
            out.append(input, prev, start - prev);
            out.append(replacement);
            prev = start + static_cast<size_t>(MatchLen(0));
        } while (ExecNext());
    }
    out.append(input, prev, std::string::npos);
    return out;
}
