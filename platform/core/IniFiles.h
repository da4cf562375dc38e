#pragma once
// An INI text held in memory, read the framework's way: section and key names
// without regard to case, blanks around names and values dropped, ";" lines
// and lines outside any section ignored, the first of two equal keys wins.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TStringList;

class TMemIniFile {
public:
    // Loads fileName when it exists; an empty name or a missing file gives an empty INI.
    explicit TMemIniFile(const std::string& fileName = "");
    ~TMemIniFile();
    TMemIniFile(const TMemIniFile&) = delete;
    TMemIniFile& operator=(const TMemIniFile&) = delete;

    const std::string& FileName() const { return FFileName; }

    // Replaces everything with the INI text in list; a repeated section header
    // continues the section first opened under that name.
    void SetStrings(const TStringList& list);
    // Every section as "[name]", its "key=value" lines and an empty line.
    void GetStrings(TStringList& list) const;
    void Clear();
    // Writes GetStrings to FileName.
    void UpdateFile() const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // The key names of a section in their order (none for a missing section).
    void ReadSection(std::string_view section, TStringList& keys) const;
    void ReadSections(TStringList& sections) const;
    int KeyCount(std::string_view section) const;

    // The value, which may be empty, or def when the key is missing.
    std::string ReadString(std::string_view section, std::string_view ident, const std::string& def) const;
    // A decimal number or 0x hexadecimal (up to 32 bits, so 0xFFFFFFFF is -1);
    // def when the key is missing or holds no such number.
    int ReadInteger(std::string_view section, std::string_view ident, int def) const;

    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view ident);

private:
    struct Section;
    Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);

    std::string FFileName;
    std::vector<std::unique_ptr<Section>> FSections;
    // Lower-case section name to its section.
    std::unordered_map<std::string, Section*> FSectionIndex;
};
