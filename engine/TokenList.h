#pragma once
// Compact token storage for corpus counting: a corpus of tens of millions of
// tokens is held as 32-bit numbers of distinct texts, not as strings.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TStringList;

// Distinct byte strings numbered from 0 in order of first appearance, their
// texts kept end to end in one buffer rather than one allocation each.
class TTokenTable {
public:
    TTokenTable() = default;
    // A table whose id 0 is the empty text, as token slots expect.
    static TTokenTable WithEmptyText();

    uint32_t Intern(std::string_view text) { return Intern(text, std::hash<std::string_view>{}(text)); }
    // The id of text, false when the table does not hold it. Safe beside
    // other readers, as it enters nothing.
    bool Find(std::string_view text, uint32_t& id) const;
    // Valid until the next text is entered.
    std::string_view Text(uint32_t id) const {
        return std::string_view(FBytes.data() + FStarts[id], FStarts[id + 1] - FStarts[id]);
    }
    uint32_t Size() const { return static_cast<uint32_t>(FStarts.size() - 1); }
    void Clear();
    // The ids in this table of every text of other, in other's order.
    std::vector<uint32_t> InternAll(const TTokenTable& other);
    // InternAll of each of others in turn; many texts are entered side by side.
    std::vector<std::vector<uint32_t>> InternAll(const std::vector<const TTokenTable*>& others);
    // The same, always side by side.
    std::vector<std::vector<uint32_t>> InternAllSideBySide(const std::vector<const TTokenTable*>& others);

private:
    uint32_t Intern(std::string_view text, size_t hash);
    // A table starts small: a search makes one per piece of the corpus, and
    // a corpus of many tiny files has as many pieces.
    void Grow() { Rehash(FSlots.empty() ? 16 : FSlots.size() * 2); }
    void Rehash(size_t slotCount);

    // A slot holds id + 1 (0: empty) and the hash's upper half, so that a
    // probe reads one array and compares text only on a likely match.
    struct TSlot {
        uint32_t id;
        uint32_t check;
    };
    std::string FBytes;
    std::vector<size_t> FStarts{0};  // text id runs from FStarts[id] to FStarts[id + 1]
    std::vector<size_t> FHashes;
    std::vector<TSlot> FSlots;
};

// Every token of the loaded files in order; entry i reads as the token framed
// by one blank on each side.
class TTokenList {
public:
    int Count() const { return static_cast<int>(FIds.size()); }
    std::string Strings(int index) const;
    void Add(std::string_view token) { FIds.push_back(FTable.Intern(token)); }
    // Adds the tokens ids of table, numbered as if each had been added in turn.
    void Append(const TTokenTable& table, const std::vector<uint32_t>& ids) { AppendAll({{&table, &ids}}); }
    // Append of each table's tokens in turn, the ids copied side by side.
    struct TPart {
        const TTokenTable* Table;
        const std::vector<uint32_t>* Ids;
    };
    void AppendAll(const std::vector<TPart>& parts);
    void Clear();

    std::vector<uint32_t>& Ids() { return FIds; }
    const std::vector<uint32_t>& Ids() const { return FIds; }
    const TTokenTable& Table() const { return FTable; }

private:
    TTokenTable FTable;
    std::vector<uint32_t> FIds;
};

// Item -> count of the frequency lines "item =count", found by the item itself,
// so that an item holding "=" is found too.
class TFrequencyIndex {
public:
    void Build(const TStringList& lines, bool caseSensitive);
    // The same counts straight from item i of items occurring counts[i]
    // times: items are trimmed as the lines' are, and items equal under the
    // case rule add up.
    void Build(const TTokenTable& items, const std::vector<uint32_t>& counts, bool caseSensitive);
    void Clear();
    // False when the item has no line.
    bool Find(std::string_view item, int& count) const;

private:
    // The item as it is looked up: folded unless case counts.
    std::string_view Key(std::string_view item, std::string& buffer) const;
    // Counts item, or with first only when it has no count yet.
    void Add(std::string_view item, int count, bool first, std::string& buffer);

    bool FCaseSensitive = true;
    // Items end to end in one table rather than a string each: a corpus
    // has hundreds of thousands of them.
    TTokenTable FItems;
    std::vector<int> FCounts;
};
