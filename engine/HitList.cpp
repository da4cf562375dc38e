// The compact stores of a search's hits and matrix rows.

#include <algorithm>
#include <atomic>

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
    FText.append(left).append(center).append(right);
}

void THitList::Truncate(size_t count) {
    if (count >= size()) return;
    FText.resize(count == 0 ? 0 : FHits[count].Start);
    FHits.resize(count);
}

void THitList::clear() {
    std::string().swap(FText);
    std::vector<THit>().swap(FHits);
    FFileNames.clear();
}

void THitList::Reserve(size_t hits, size_t textBytes) {
    FHits.reserve(hits);
    FText.reserve(textBytes);
}

void THitList::Append(THitList& other) {
    std::vector<uint32_t> fileMap;
    fileMap.reserve(other.FFileNames.size());
    for (const std::string& name : other.FFileNames) {
        if (FFileNames.empty() || FFileNames.back() != name) FFileNames.push_back(name);
        fileMap.push_back(static_cast<uint32_t>(FFileNames.size() - 1));
    }
    const uint64_t base = FText.size();
    FText.append(other.FText);
    for (THit hit : other.FHits) {
        hit.Start += base;
        hit.File = fileMap[hit.File];
        FHits.push_back(hit);
    }
    other.clear();
}

uint64_t TWordMatrix::NextRevision() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

TWordArray TWordMatrix::operator[](size_t i) const {
    TWordArray row;
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
    std::vector<uint32_t>().swap(FIds);
    FStarts.assign(1, 0);
    FStarts.shrink_to_fit();
    std::vector<TLengths>().swap(FLengths);
    Touch();
}

void TWordMatrix::Reserve(size_t rows, size_t ids) {
    FIds.reserve(ids);
    FStarts.reserve(rows + 1);
    FLengths.reserve(rows);
}

void TWordMatrix::Append(TWordMatrix& other) {
    if (other.empty()) return;
    std::vector<uint32_t> idMap;
    if (other.FTable && other.FTable != FTable) idMap = FTable->InternAll(*other.FTable);
    const uint64_t base = FIds.size();
    for (uint32_t id : other.FIds) FIds.push_back(idMap.empty() ? id : idMap[id]);
    for (size_t i = 1; i < other.FStarts.size(); ++i) FStarts.push_back(base + other.FStarts[i]);
    FLengths.insert(FLengths.end(), other.FLengths.begin(), other.FLengths.end());
    Touch();
    other.clear();
}
