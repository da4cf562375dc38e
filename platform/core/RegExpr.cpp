#define PCRE2_CODE_UNIT_WIDTH 8
#include "platform/core/RegExpr.h"

#include <pcre2.h>

#include "platform/core/Classes.h"

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
    FInput = std::move(other.FInput);
    FMatchedGroups = other.FMatchedGroups;
    other.FCode = nullptr;
    other.FMatchData = nullptr;
    other.FMatchedGroups = 0;
    return *this;
}

void TRegExpr::Free() {
    if (FMatchData) pcre2_match_data_free(FMatchData);
    if (FCode) pcre2_code_free(FCode);
    FMatchData = nullptr;
    FCode = nullptr;
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
    if (!FCode) {
        PCRE2_UCHAR buffer[256];
        pcre2_get_error_message(error, buffer, sizeof buffer);
        throw ERegExpr("Regular expression error: " + std::string(reinterpret_cast<char*>(buffer)) +
                       " at offset " + std::to_string(offset) + " in \"" + FExpression + "\"");
    }
    // Without JIT support the interpreter runs the same pattern, only slower.
    pcre2_jit_compile(FCode, PCRE2_JIT_COMPLETE);
    FMatchData = pcre2_match_data_create_from_pattern(FCode, nullptr);
}

bool TRegExpr::Run(size_t offset) {
    if (!FCode) Compile();
    FMatchedGroups = 0;
    if (offset > FInput.size()) return false;
    int rc = pcre2_match(FCode, reinterpret_cast<PCRE2_SPTR>(FInput.data()), FInput.size(), offset, 0, FMatchData,
                         nullptr);
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    if (rc < 0) {
        PCRE2_UCHAR buffer[256];
        pcre2_get_error_message(rc, buffer, sizeof buffer);
        throw ERegExpr("Regular expression error: " + std::string(reinterpret_cast<char*>(buffer)));
    }
    // rc == 0 would mean the vector was too small, which a vector made from the pattern never is.
    FMatchedGroups = rc;
    return true;
}

bool TRegExpr::Exec(std::string input) {
    FInput = std::move(input);
    return Run(0);
}

bool TRegExpr::ExecPos(int offset) { return offset >= 1 && Run(static_cast<size_t>(offset - 1)); }

bool TRegExpr::ExecNext() {
    if (FMatchedGroups <= 0) return false;
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(FMatchData);
    size_t next = ov[1] == ov[0] ? ov[1] + 1 : ov[1];
    return Run(next);
}

int TRegExpr::MatchPos(int index) const {
    if (index < 0 || index >= FMatchedGroups) return -1;
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(FMatchData);
    if (ov[2 * index] == PCRE2_UNSET) return -1;
    return static_cast<int>(ov[2 * index]) + 1;
}

int TRegExpr::MatchLen(int index) const {
    if (index < 0 || index >= FMatchedGroups) return -1;
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(FMatchData);
    if (ov[2 * index] == PCRE2_UNSET) return -1;
    return static_cast<int>(ov[2 * index + 1] - ov[2 * index]);
}

std::string TRegExpr::Match(int index) const {
    int pos = MatchPos(index);
    if (pos < 0) return std::string();
    return FInput.substr(static_cast<size_t>(pos - 1), static_cast<size_t>(MatchLen(index)));
}

void TRegExpr::Split(const std::string& input, TStringList& pieces) {
    size_t prev = 0;
    if (Exec(input)) {
        do {
            size_t start = static_cast<size_t>(MatchPos(0) - 1);
            pieces.Add(FInput.substr(prev, start - prev));
            prev = start + static_cast<size_t>(MatchLen(0));
        } while (ExecNext());
    }
    pieces.Add(FInput.substr(prev));
}

std::string TRegExpr::Replace(const std::string& input, std::string_view replacement) {
    std::string out;
    size_t prev = 0;
    if (Exec(input)) {
        do {
            size_t start = static_cast<size_t>(MatchPos(0) - 1);
            out.append(FInput, prev, start - prev);
            out.append(replacement);
            prev = start + static_cast<size_t>(MatchLen(0));
        } while (ExecNext());
    }
    out.append(FInput, prev, std::string::npos);
    return out;
}
