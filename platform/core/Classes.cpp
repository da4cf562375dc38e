#include "platform/core/Classes.h"

#include "platform/core/QuickSort.h"
#include "platform/core/SysUtils.h"

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)];
}

void TStringList::SetStrings(int index, std::string value) {
    CheckIndex(index);
    FItems[static_cast<size_t>(index)] = std::move(value);
    Changed();
}

int TStringList::Add(std::string s) {
    FItems.push_back(std::move(s));
    Appended();
    return Count() - 1;
}

void TStringList::Insert(int index, std::string s) {
    if (index < 0 || index > Count()) throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems.insert(FItems.begin() + index, std::move(s));
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Assign(const TStringList& source) {
    if (&source == this) return;
    FItems = source.FItems;
    FCaseSensitive = source.FCaseSensitive;
    FNameValueSeparator = source.FNameValueSeparator;
    Changed();
}

void TStringList::AddStrings(const TStringList& source) {
    FItems.insert(FItems.end(), source.FItems.begin(), source.FItems.end());
    Changed();
}

std::string TStringList::Text() const {
    size_t size = 0;
    for (const auto& s : FItems) size += s.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& s : FItems) {
        text += s;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0, i = 0, n = text.size();
    while (i < n) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.push_back(text.substr(start));
    return lines;
}

void TStringList::SetText(std::string_view text) {
    FItems.clear();
    std::vector<std::string_view> lines = SplitLines(text);
    FItems.reserve(lines.size());
    for (std::string_view line : lines) FItems.emplace_back(line);
    Changed();
}

void TStringList::LoadFromFile(const std::string& fileName) { SetText(ReadFileBytes(fileName)); }

void TStringList::SaveToFile(const std::string& fileName) const { WriteFileReplacing(fileName, Text()); }

void TStringList::SetCaseSensitive(bool value) {
    if (value == FCaseSensitive) return;
    FCaseSensitive = value;
    Changed();
}

void TStringList::SetNameValueSeparator(char value) {
    if (value == FNameValueSeparator) return;
    FNameValueSeparator = value;
    Changed();
}

std::string TStringList::Names(int index) const {
    const std::string& s = Strings(index);
    size_t p = SeparatorPos(s);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& s = Strings(index);
    size_t p = SeparatorPos(s);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStringList::Values(std::string_view name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

bool TStringList::SameString(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && CompareStrings(a, b) == 0;
}

int TStringList::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameString(FItems[static_cast<size_t>(i)], s)) return i;
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = FItems[static_cast<size_t>(i)];
        size_t p = SeparatorPos(s);
        if (p != std::string::npos && SameString(std::string_view(s).substr(0, p), name)) return i;
    }
    return -1;
}

void TStringList::Sort() {
    if (FCaseSensitive)
        CustomSort([](TStringList& l, int a, int b) { return AnsiCompareStr(l.FItems[a], l.FItems[b]); });
    else
        CustomSort([](TStringList& l, int a, int b) { return AnsiCompareText(l.FItems[a], l.FItems[b]); });
}

void TStringList::CustomSort(TStringListSortCompare compare) {
    if (Count() < 2) return;
    // The sort exchanges nothing in a strictly ascending list (every scan
    // stops at the pivot), so one pass that finds the list so spares it.
    bool ascending = true;
    for (int i = 1; ascending && i < Count(); ++i) ascending = compare(*this, i - 1, i) < 0;
    if (ascending) {
        Changed();
        return;
    }
    FrameworkQuickSort(
        0, Count() - 1, [&](int i, int p) { return compare(*this, i, p); },
        [&](int i, int j) { std::swap(FItems[static_cast<size_t>(i)], FItems[static_cast<size_t>(j)]); });
    Changed();
}

struct THashedStringList::Tables {
    std::unordered_map<std::string, int> values;
    std::unordered_map<std::string, int> names;
};

THashedStringList::THashedStringList() = default;
THashedStringList::~THashedStringList() = default;

void THashedStringList::Changed() { FTables.reset(); }

void THashedStringList::Index(int index) const {
    // Lookups answer the first match, so a later duplicate leaves the tables as they are.
    const std::string& s = FItems[static_cast<size_t>(index)];
    std::string key = CaseSensitive() ? s : LowerCase(s);
    size_t p = SeparatorPos(s);
    if (p != std::string::npos) FTables->names.try_emplace(key.substr(0, p), index);
    FTables->values.try_emplace(std::move(key), index);
}

void THashedStringList::Appended() {
    if (FTables) Index(Count() - 1);
}

void THashedStringList::Rebuild() const {
    FTables = std::make_unique<Tables>();
    FTables->values.reserve(FItems.size());
    FTables->names.reserve(FItems.size());
    for (int i = 0; i < Count(); ++i) Index(i);
}

int THashedStringList::IndexOf(std::string_view s) const {
    if (!FTables) Rebuild();
    auto it = FTables->values.find(CaseSensitive() ? std::string(s) : LowerCase(s));
    return it == FTables->values.end() ? -1 : it->second;
}

int THashedStringList::IndexOfName(std::string_view name) const {
    if (!FTables) Rebuild();
    auto it = FTables->names.find(CaseSensitive() ? std::string(name) : LowerCase(name));
    return it == FTables->names.end() ? -1 : it->second;
}
