#include "engine/TokenList.h"

#include <functional>

#include "engine/Parallel.h"
#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"

uint32_t TTokenTable::Intern(std::string_view text, size_t hash) {
    if (size_t(Size()) * 2 >= FSlots.size()) Grow();
    uint32_t check = static_cast<uint32_t>(hash >> 32);
    size_t mask = FSlots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        TSlot& s = FSlots[slot];
        if (s.id == 0) {
            uint32_t id = Size();
            s = {id + 1, check};
            FBytes.append(text);
            FStarts.push_back(FBytes.size());
            FHashes.push_back(hash);
            return id;
        }
        if (s.check == check && Text(s.id - 1) == text) return s.id - 1;
    }
}

TTokenTable TTokenTable::WithEmptyText() {
    TTokenTable table;
    table.Intern(std::string_view());
    return table;
}

void TTokenTable::Grow() {
    std::vector<TSlot> slots(FSlots.empty() ? 1024 : FSlots.size() * 2, TSlot{0, 0});
    size_t mask = slots.size() - 1;
    for (uint32_t id = 0; id < Size(); ++id) {
        size_t slot = FHashes[id] & mask;
        while (slots[slot].id != 0) slot = (slot + 1) & mask;
        slots[slot] = {id + 1, static_cast<uint32_t>(FHashes[id] >> 32)};
    }
    FSlots.swap(slots);
}

void TTokenTable::Clear() {
    FBytes.clear();
    FStarts.assign(1, 0);
    FHashes.clear();
    FSlots.clear();
}

std::vector<uint32_t> TTokenTable::InternAll(const TTokenTable& other) {
    // Texts enter in order of their first appearance in other, which keeps
    // this table's numbering what adding other's tokens one by one gives.
    std::vector<uint32_t> ids(other.Size());
    for (uint32_t id = 0; id < other.Size(); ++id) ids[id] = Intern(other.Text(id), other.FHashes[id]);
    return ids;
}

void TTokenList::AppendAll(const std::vector<TPart>& parts) {
    // The tables are entered in turn, which numbers their texts as adding
    // the tokens one by one does.
    std::vector<std::vector<uint32_t>> maps(parts.size());
    std::vector<size_t> at(parts.size());
    size_t count = FIds.size();
    for (size_t p = 0; p < parts.size(); ++p) {
        maps[p] = FTable.InternAll(*parts[p].Table);
        at[p] = count;
        count += parts[p].Ids->size();
    }
    FIds.resize(count);
    ParallelFor(parts.size(), [&](size_t p, size_t) {
        const std::vector<uint32_t>& ids = *parts[p].Ids;
        for (size_t i = 0; i < ids.size(); ++i) FIds[at[p] + i] = maps[p][ids[i]];
    });
}

std::string TTokenList::Strings(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    std::string_view text = FTable.Text(FIds[static_cast<size_t>(index)]);
    std::string framed;
    framed.reserve(text.size() + 2);
    return framed.append(" ").append(text).append(" ");
}

void TTokenList::Clear() {
    FIds.clear();
    FIds.shrink_to_fit();
    FTable.Clear();
}

void TFrequencyIndex::Build(const TStringList& lines, bool caseSensitive) {
    FCaseSensitive = caseSensitive;
    FCounts.clear();
    FCounts.reserve(static_cast<size_t>(lines.Count()));
    for (const std::string& line : lines.Items()) {
        // A line ends in " =" and the count, whatever the item holds.
        size_t p = line.rfind(" =");
        if (p == std::string::npos) continue;
        int count = 0;
        if (!TryStrToInt(std::string_view(line).substr(p + 2), count)) continue;
        std::string item = line.substr(0, p);
        FCounts.try_emplace(caseSensitive ? item : LowerCase(item), count);
    }
}

void TFrequencyIndex::Build(const std::vector<std::string>& items, const std::vector<uint32_t>& counts,
                            bool caseSensitive) {
    FCaseSensitive = caseSensitive;
    FCounts.clear();
    FCounts.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        if (counts[i] == 0) continue;
        std::string item = Trim(items[i]);
        FCounts[caseSensitive ? item : LowerCase(item)] += static_cast<int>(counts[i]);
    }
}

void TFrequencyIndex::Clear() { FCounts.clear(); }

bool TFrequencyIndex::Find(std::string_view item, int& count) const {
    auto it = FCounts.find(FCaseSensitive ? std::string(item) : LowerCase(item));
    if (it == FCounts.end()) return false;
    count = it->second;
    return true;
}
