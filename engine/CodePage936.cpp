#include "engine/CodePage936.h"

#include "platform/core/TextCodec.h"

bool IsGbkText(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return !IsValidUtf8(text);
    return false;
}

size_t TaggedSeparatorAt(std::string_view token, const std::array<bool, 256>& separators) {
    auto isSeparator = [&](char c) { return separators[static_cast<unsigned char>(c)]; };
    size_t first = 0;
    while (first < token.size() && !isSeparator(token[first])) ++first;
    if (first == token.size()) return std::string_view::npos;
    // Only a lead byte right before it can take the separator as its trail byte.
    if (first == 0 || !IsGbkLeadByte(token[first - 1]) || !IsGbkText(token)) return first;
    for (size_t p = 0; p < token.size(); p += GbkCharLength(token, p))
        if (isSeparator(token[p])) return p;
    return first;
}

bool HoldsCharacter(std::string_view text, char c) {
    if (!IsGbkText(text)) return text.find(c) != std::string_view::npos;
    for (size_t p = 0; p < text.size(); p += GbkCharLength(text, p))
        if (text[p] == c) return true;
    return false;
}
