// The compact stores of a search's hits and matrix rows.

#include <algorithm>
#include <atomic>
#include <cstring>

#include "engine/Parallel.h"

#include "engine/Query.h"

TResultStr THitList::operator[](size_t i) const {
    TResultStr hit;
    hit.Left = Left(i);
    hit.Center = Center(i);
    hit.Right = Right(i);
    hit.FileName = FileName(i);
    return hit;
}

TArrResultStr THitList::ToArray() const {
    TArrResultStr hits;
    hits.reserve(size());
    for (size_t i = 0; i < size(); ++i) hits.push_back((*this)[i]);
    return hits;
}

void THitList::Add(std::string_view left, std::string_view center, std::string_view right,
                   const std::string& fileName) {
    // A search adds the hits of one file after another.
    if (FFileNames.empty() || FFileNames.back() != fileName) FFileNames.push_back(fileName);
    FHits.push_back({FText.size(), static_cast<uint32_t>(left.size()), static_cast<uint32_t>(center.size()),
                     static_cast<uint32_t>(right.size()), static_cast<uint32_t>(FFileNames.size() - 1)});
    for (std::string_view part : {left, center, right}) FText.insert(FText.end(), part.begin(), part.end());
}

void THitList::Truncate(size_t count) {
    if (count >= size()) return;
    FText.resize(count == 0 ? 0 : FHits[count].Start);
    FHits.resize(count);
}

void THitList::clear() {
    TBuffer<char>().swap(FText);
    TBuffer<THit>().swap(FHits);
    FFileNames.clear();
}

void THitList::AppendAll(const std::vector<THitList*>& others) {
    // Where each list's hits and texts go, and its file numbers here.
    std::vector<std::vector<uint32_t>> fileMaps(others.size());
    std::vector<uint64_t> textAt(others.size());
    std::vector<size_t> hitAt(others.size());
    uint64_t text = FText.size();
    size_t hits = FHits.size();
    for (size_t o = 0; o < others.size(); ++o) {
        for (const std::string& name : others[o]->FFileNames) {
            if (FFileNames.empty() || FFileNames.back() != name) FFileNames.push_back(name);
            fileMaps[o].push_back(static_cast<uint32_t>(FFileNames.size() - 1));
        }
        textAt[o] = text;
        hitAt[o] = hits;
        text += others[o]->FText.size();
        hits += others[o]->FHits.size();
    }
    FText.resize(text);
    FHits.resize(hits);
    ParallelFor(others.size(), [&](size_t o, size_t) {
        THitList& other = *others[o];
        if (!other.FText.empty()) std::memcpy(FText.data() + textAt[o], other.FText.data(), other.FText.size());
        for (size_t i = 0; i < other.FHits.size(); ++i) {
            THit hit = other.FHits[i];
            hit.Start += textAt[o];
            hit.File = fileMaps[o][hit.File];
            FHits[hitAt[o] + i] = hit;
        }
        other.clear();
    });
}

uint64_t TWordMatrix::NextRevision() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

TWordArray TWordMatrix::operator[](size_t i) const {
    TWordArray row;
    row.Texts = FTexts;
    row.Row = i;
    const uint32_t* ids = FIds.data() + FStarts[i];
    const size_t lengths[] = {FLengths[i].Left, FLengths[i].Center,
                              FStarts[i + 1] - FStarts[i] - FLengths[i].Left - FLengths[i].Center};
    TMyArray* parts[] = {&row.LeftWords, &row.CenterWords, &row.RightWords};
    for (size_t p = 0; p < 3; ++p) {
        parts[p]->FTable = FTable;
        std::copy(ids, ids + lengths[p], parts[p]->FIds.begin());
        ids += lengths[p];
    }
    return row;
}

void TWordMatrix::push_back(const TWordArray& row) {
    const TMyArray* parts[] = {&row.LeftWords, &row.CenterWords, &row.RightWords};
    if (!FTable)
        for (const TMyArray* part : parts)
            if (!FTable) FTable = part->Table();
    uint8_t lengths[3];
    for (size_t p = 0; p < 3; ++p) {
        const TMyArray& part = *parts[p];
        size_t length = TMyArray::Size;
        while (length > 0 && part.Id(static_cast<int>(length - 1)) == 0) --length;
        lengths[p] = static_cast<uint8_t>(length);
        for (size_t k = 0; k < length; ++k) {
            uint32_t id = part.FIds[k];
            if (id != 0 && part.Table() != FTable) id = FTable->Intern(part[static_cast<int>(k)]);
            FIds.push_back(id);
        }
    }
    FStarts.push_back(FIds.size());
    FLengths.push_back({lengths[0], lengths[1]});
    Touch();
}

void TWordMatrix::Truncate(size_t count) {
    if (count >= size()) return;
    FIds.resize(FStarts[count]);
    FStarts.resize(count + 1);
    FLengths.resize(count);
    Touch();
}

void TWordMatrix::clear() {
    TBuffer<uint32_t>().swap(FIds);
    FStarts.assign(1, 0);
    FStarts.shrink_to_fit();
    TBuffer<TLengths>().swap(FLengths);
    Touch();
}

void TWordMatrix::AppendAll(const std::vector<TWordMatrix*>& others) {
    // The texts of each matrix are entered in turn, which numbers them as
    // appending one matrix after another does; the rows are copied side by side.
    std::vector<std::vector<uint32_t>> idMaps(others.size());
    std::vector<uint64_t> idAt(others.size());
    std::vector<size_t> rowAt(others.size());
    uint64_t ids = FIds.size();
    size_t rows = size();
    std::vector<const TTokenTable*> tables;
    std::vector<size_t> mapped;
    for (size_t o = 0; o < others.size(); ++o) {
        const TWordMatrix& other = *others[o];
        if (other.empty() || !other.FTable || other.FTable == FTable) continue;
        tables.push_back(other.FTable);
        mapped.push_back(o);
    }
    std::vector<std::vector<uint32_t>> maps;
    if (!tables.empty()) maps = FTable->InternAll(tables);
    for (size_t m = 0; m < mapped.size(); ++m) idMaps[mapped[m]] = std::move(maps[m]);
    for (size_t o = 0; o < others.size(); ++o) {
        const TWordMatrix& other = *others[o];
        if (other.empty()) continue;
        idAt[o] = ids;
        rowAt[o] = rows;
        ids += other.FIds.size();
        rows += other.size();
    }
    FIds.resize(ids);
    FStarts.resize(rows + 1);
    FLengths.resize(rows);
    ParallelFor(others.size(), [&](size_t o, size_t) {
        TWordMatrix& other = *others[o];
        if (other.empty()) return;
        const std::vector<uint32_t>& idMap = idMaps[o];
        for (size_t i = 0; i < other.FIds.size(); ++i)
            FIds[idAt[o] + i] = idMap.empty() ? other.FIds[i] : idMap[other.FIds[i]];
        for (size_t i = 1; i < other.FStarts.size(); ++i) FStarts[rowAt[o] + i] = idAt[o] + other.FStarts[i];
        std::copy(other.FLengths.begin(), other.FLengths.end(), FLengths.begin() + static_cast<std::ptrdiff_t>(rowAt[o]));
        other.clear();
    });
    Touch();
}
