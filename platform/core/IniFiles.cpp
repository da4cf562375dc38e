#include "platform/core/IniFiles.h"

#include <charconv>
#include <unordered_map>
#include <utility>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"

struct TMemIniFile::Section {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;
    // Lower-case key name to the index of its first line.
    std::unordered_map<std::string, size_t> Index;

    const std::pair<std::string, std::string>* Find(std::string_view ident) const {
        auto it = Index.find(LowerCase(ident));
        return it == Index.end() ? nullptr : &Keys[it->second];
    }
    void Add(std::string name, std::string value) {
        Index.emplace(LowerCase(name), Keys.size());
        Keys.emplace_back(std::move(name), std::move(value));
    }
    void Reindex() {
        Index.clear();
        for (size_t i = 0; i < Keys.size(); ++i) Index.emplace(LowerCase(Keys[i].first), i);
    }
};

TMemIniFile::TMemIniFile(const std::string& fileName) : FFileName(fileName) {
    if (fileName.empty() || !FileExists(fileName)) return;
    TStringList lines;
    lines.LoadFromFile(fileName);
    SetStrings(lines);
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::Clear() {
    FSections.clear();
    FSectionIndex.clear();
}

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
    auto it = FSectionIndex.find(LowerCase(name));
    return it == FSectionIndex.end() ? nullptr : it->second;
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name) {
    if (Section* s = FindSection(name)) return *s;
    FSections.push_back(std::make_unique<Section>());
    FSections.back()->Name = std::string(name);
    FSectionIndex.emplace(LowerCase(name), FSections.back().get());
    return *FSections.back();
}

void TMemIniFile::SetStrings(const TStringList& list) {
    Clear();
    Section* current = nullptr;
    for (const std::string& line : list.Items()) {
        const std::string s = Trim(line);
        if (s.empty() || s.front() == ';') continue;
        if (s.front() == '[' && s.back() == ']' && s.size() >= 2) {
            current = &AddSection(Trim(std::string_view(s).substr(1, s.size() - 2)));
            continue;
        }
        const size_t eq = s.find('=');
        // A line without "=" names no key, so no lookup could ever reach it.
        if (!current || eq == std::string::npos) continue;
        current->Add(Trim(std::string_view(s).substr(0, eq)), Trim(std::string_view(s).substr(eq + 1)));
    }
}

void TMemIniFile::GetStrings(TStringList& list) const {
    list.Clear();
    for (const auto& s : FSections) {
        list.Add("[" + s->Name + "]");
        for (const auto& [name, value] : s->Keys) list.Add(name + "=" + value);
        list.Add("");
    }
}

void TMemIniFile::UpdateFile() const {
    TStringList lines;
    GetStrings(lines);
    lines.SaveToFile(FFileName);
}

bool TMemIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
    const Section* s = FindSection(section);
    return s && s->Find(ident);
}

void TMemIniFile::ReadSection(std::string_view section, TStringList& keys) const {
    keys.Clear();
    if (const Section* s = FindSection(section))
        for (const auto& kv : s->Keys) keys.Add(kv.first);
}

void TMemIniFile::ReadSections(TStringList& sections) const {
    sections.Clear();
    for (const auto& s : FSections) sections.Add(s->Name);
}

int TMemIniFile::KeyCount(std::string_view section) const {
    const Section* s = FindSection(section);
    return s ? static_cast<int>(s->Keys.size()) : 0;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident, const std::string& def) const {
    const Section* s = FindSection(section);
    const auto* kv = s ? s->Find(ident) : nullptr;
    return kv ? kv->second : def;
}

namespace {

// Hexadecimal takes all 32 bits, as colour values are written with the top
// byte set; decimal must fit a signed 32-bit integer.
bool ParseIniInteger(std::string_view text, int& value) {
    std::string_view t = text;
    bool negative = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        t.remove_prefix(2);
        if (t.empty() || t.size() > 8 || t.front() == '+' || t.front() == '-') return false;
        uint32_t u = 0;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), u, 16);
        if (ec != std::errc() || end != t.data() + t.size()) return false;
        value = static_cast<int>(negative ? 0u - u : u);
        return true;
    }
    return TryStrToInt(text, value);
}

}  // namespace

int TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const {
    int value = 0;
    return ParseIniInteger(ReadString(section, ident, ""), value) ? value : def;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    Section& s = AddSection(section);
    auto it = s.Index.find(LowerCase(ident));
    if (it != s.Index.end())
        s.Keys[it->second].second = std::string(value);
    else
        s.Add(std::string(ident), std::string(value));
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TMemIniFile::EraseSection(std::string_view section) {
    Section* found = FindSection(section);
    if (!found) return;
    FSectionIndex.erase(LowerCase(section));
    std::erase_if(FSections, [found](const auto& s) { return s.get() == found; });
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    Section* found = FindSection(section);
    if (!found) return;
    Section& s = *found;
    auto it = s.Index.find(LowerCase(ident));
    if (it == s.Index.end()) return;
    s.Keys.erase(s.Keys.begin() + static_cast<std::ptrdiff_t>(it->second));
    s.Reindex();
}
