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

bool TTokenTable::Find(std::string_view text, uint32_t& id) const {
    if (FSlots.empty()) return false;
    const size_t hash = std::hash<std::string_view>{}(text);
    const uint32_t check = static_cast<uint32_t>(hash >> 32);
    const size_t mask = FSlots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const TSlot& s = FSlots[slot];
        if (s.id == 0) return false;
        if (s.check == check && Text(s.id - 1) == text) {
            id = s.id - 1;
            return true;
        }
    }
}

TTokenTable TTokenTable::WithEmptyText() {
    TTokenTable table;
    table.Intern(std::string_view());
    return table;
}

void TTokenTable::Rehash(size_t slotCount) {
    std::vector<TSlot> slots(slotCount, TSlot{0, 0});
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

std::vector<std::vector<uint32_t>> TTokenTable::InternAll(const std::vector<const TTokenTable*>& others) {
    // Below this many texts the threads cost more than they save.
    constexpr size_t kSideBySideTexts = 1 << 16;
    size_t texts = 0;
    for (const TTokenTable* other : others) texts += other->Size();
    if (texts >= kSideBySideTexts && EngineThreads() > 1) return InternAllSideBySide(others);
    std::vector<std::vector<uint32_t>> maps;
    for (const TTokenTable* other : others) maps.push_back(InternAll(*other));
    return maps;
}

std::vector<std::vector<uint32_t>> TTokenTable::InternAllSideBySide(const std::vector<const TTokenTable*>& others) {
    // Each text belongs to one shard by its hash, and each shard finds where
    // its texts first appear on its own. The texts new to this table are then
    // numbered in order of table and of id within the table, which is the
    // order entering them one by one gives.
    constexpr size_t kShards = 256;
    auto shardOf = [](size_t hash) { return (hash >> 24) & (kShards - 1); };
    std::vector<const TTokenTable*> parts{this};
    parts.insert(parts.end(), others.begin(), others.end());

    // Per table its ids by shard, so that a shard reads only its own.
    struct TByShard {
        std::vector<uint32_t> ids;
        std::vector<uint32_t> starts;
    };
    std::vector<TByShard> byShard(parts.size());
    ParallelFor(parts.size(), [&](size_t p, size_t) {
        const TTokenTable& part = *parts[p];
        TByShard& out = byShard[p];
        out.starts.assign(kShards + 1, 0);
        for (uint32_t id = 0; id < part.Size(); ++id) ++out.starts[shardOf(part.FHashes[id]) + 1];
        for (size_t s = 0; s < kShards; ++s) out.starts[s + 1] += out.starts[s];
        out.ids.resize(part.Size());
        std::vector<uint32_t> at(out.starts.begin(), out.starts.end() - 1);
        for (uint32_t id = 0; id < part.Size(); ++id) out.ids[at[shardOf(part.FHashes[id])]++] = id;
    });

    // maps[p][id]: first the text's number within its shard, in the end its id here.
    std::vector<std::vector<uint32_t>> maps(parts.size());
    std::vector<std::vector<uint8_t>> first(parts.size());
    for (size_t p = 0; p < parts.size(); ++p) {
        maps[p].resize(parts[p]->Size());
        first[p].assign(parts[p]->Size(), 0);
    }
    struct TOrigin {
        uint32_t part, id;
    };
    std::vector<std::vector<TOrigin>> origins(kShards);
    ParallelFor(kShards, [&](size_t s, size_t) {
        TTokenTable shard;
        for (size_t p = 0; p < parts.size(); ++p) {
            const TTokenTable& part = *parts[p];
            for (uint32_t k = byShard[p].starts[s]; k < byShard[p].starts[s + 1]; ++k) {
                const uint32_t id = byShard[p].ids[k];
                const uint32_t local = shard.Intern(part.Text(id), part.FHashes[id]);
                if (local == origins[s].size()) {
                    origins[s].push_back({static_cast<uint32_t>(p), id});
                    first[p][id] = 1;
                }
                maps[p][id] = local;
            }
        }
    });

    TTokenTable joined;
    for (size_t p = 0; p < parts.size(); ++p) {
        const TTokenTable& part = *parts[p];
        for (uint32_t id = 0; id < part.Size(); ++id) {
            if (!first[p][id]) continue;
            maps[p][id] = joined.Size();
            joined.FBytes.append(part.Text(id));
            joined.FStarts.push_back(joined.FBytes.size());
            joined.FHashes.push_back(part.FHashes[id]);
        }
    }
    ParallelFor(kShards, [&](size_t s, size_t) {
        std::vector<uint32_t> idOf(origins[s].size());
        for (size_t local = 0; local < idOf.size(); ++local)
            idOf[local] = maps[origins[s][local].part][origins[s][local].id];
        for (size_t p = 0; p < parts.size(); ++p)
            for (uint32_t k = byShard[p].starts[s]; k < byShard[p].starts[s + 1]; ++k) {
                const uint32_t id = byShard[p].ids[k];
                if (!first[p][id]) maps[p][id] = idOf[maps[p][id]];
            }
    });

    size_t slots = 1024;
    while (slots <= size_t(joined.Size()) * 2) slots *= 2;
    joined.Rehash(slots);
    *this = std::move(joined);
    maps.erase(maps.begin());
    return maps;
}

void TTokenList::AppendAll(const std::vector<TPart>& parts) {
    // The tables are entered as if in turn, which numbers their texts as
    // adding the tokens one by one does.
    std::vector<const TTokenTable*> tables;
    for (const TPart& part : parts) tables.push_back(part.Table);
    const std::vector<std::vector<uint32_t>> maps = FTable.InternAll(tables);
    std::vector<size_t> at(parts.size());
    size_t count = FIds.size();
    for (size_t p = 0; p < parts.size(); ++p) {
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

std::string_view TFrequencyIndex::Key(std::string_view item, std::string& buffer) const {
    if (FCaseSensitive) return item;
    buffer.assign(item);
    for (char& c : buffer) c = AsciiLower(c);
    return buffer;
}

void TFrequencyIndex::Add(std::string_view item, int count, bool first, std::string& buffer) {
    const uint32_t id = FItems.Intern(Key(item, buffer));
    if (id == FCounts.size()) {
        FCounts.push_back(count);
    } else if (!first) {
        FCounts[id] += count;
    }
}

void TFrequencyIndex::Build(const TStringList& lines, bool caseSensitive) {
    Clear();
    FCaseSensitive = caseSensitive;
    std::string buffer;
    for (const std::string& line : lines.Items()) {
        // A line ends in " =" and the count, whatever the item holds.
        size_t p = line.rfind(" =");
        if (p == std::string::npos) continue;
        int count = 0;
        if (!TryStrToInt(std::string_view(line).substr(p + 2), count)) continue;
        // The first line of an item gives its count.
        Add(std::string_view(line).substr(0, p), count, true, buffer);
    }
}

void TFrequencyIndex::Build(const TTokenTable& items, const std::vector<uint32_t>& counts, bool caseSensitive) {
    Clear();
    FCaseSensitive = caseSensitive;
    std::string buffer;
    for (uint32_t i = 0; i < items.Size(); ++i)
        if (counts[i] != 0) Add(TrimView(items.Text(i)), static_cast<int>(counts[i]), false, buffer);
}

void TFrequencyIndex::Clear() {
    FItems.Clear();
    FCounts.clear();
}

bool TFrequencyIndex::Find(std::string_view item, int& count) const {
    std::string buffer;
    uint32_t id = 0;
    if (!FItems.Find(Key(item, buffer), id)) return false;
    count = FCounts[id];
    return true;
}
