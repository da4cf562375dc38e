#pragma once
// String lists with the framework semantics the program relies on: an ordered
// list of byte strings with name=value access, case-insensitive by default,
// sorted by the framework's unstable quicksort, loaded from CR, LF or CR LF
// text and saved with CR LF.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TStringList;
using TStrings = TStringList;

// Compares the items at two indexes of a list: negative, zero or positive.
using TStringListSortCompare = int (*)(TStringList& list, int index1, int index2);

// The lines of a text as a string list reads them: ended by CR, LF or CR LF,
// the last one also without an end.
std::vector<std::string_view> SplitLines(std::string_view text);

class TStringList {
public:
    TStringList() = default;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;
    virtual ~TStringList() = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    void SetStrings(int index, std::string value);

    int Add(std::string s);
    void Insert(int index, std::string s);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);
    void Assign(const TStringList& source);
    void AddStrings(const TStringList& source);
    void Reserve(int capacity) { FItems.reserve(static_cast<size_t>(capacity)); }

    // Every item followed by CR LF.
    std::string Text() const;
    // Replaces the items with the lines of text (CR, LF or CR LF end a line;
    // a final line end adds no empty item).
    void SetText(std::string_view text);

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char value);

    // The part before the first separator, or "" when the item has none.
    std::string Names(int index) const;
    // The part after the first separator of the item at index.
    std::string ValueFromIndex(int index) const;
    // The value of the first item whose name is name, or "".
    std::string Values(std::string_view name) const;

    virtual int IndexOf(std::string_view s) const;
    virtual int IndexOfName(std::string_view name) const;

    // Sorts with AnsiCompareStr, or AnsiCompareText when not case-sensitive.
    void Sort();
    void CustomSort(TStringListSortCompare compare);

    // Compares two strings the way this list's case sensitivity says.
    int CompareStrings(std::string_view a, std::string_view b) const;

    const std::vector<std::string>& Items() const { return FItems; }

protected:
    // Every change of the items or of how they compare ends in one of these.
    virtual void Changed() {}
    virtual void Appended() { Changed(); }
    bool SameString(std::string_view a, std::string_view b) const;
    size_t SeparatorPos(const std::string& s) const { return s.find(FNameValueSeparator); }

    std::vector<std::string> FItems;

private:
    void CheckIndex(int index) const;

    bool FCaseSensitive = false;
    char FNameValueSeparator = '=';
};

// A string list that answers IndexOf and IndexOfName from hash tables built on
// first use after a change. Appending keeps the tables valid, so a list that
// grows by Add while it is being looked up stays O(1).
class THashedStringList : public TStringList {
public:
    THashedStringList();
    ~THashedStringList() override;
    int IndexOf(std::string_view s) const override;
    int IndexOfName(std::string_view name) const override;

protected:
    void Changed() override;

private:
    struct Tables;
    void Rebuild() const;
    void Index(int index) const;
    void Appended() override;

    mutable std::unique_ptr<Tables> FTables;
};
