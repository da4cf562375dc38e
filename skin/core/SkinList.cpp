#include "skin/core/SkinList.h"

#include "platform/core/SysUtils.h"

TqlSkinListItem::TqlSkinListItem(TqlSkinListItems& collection)
    : Name("qlSkin" + IntToStr(collection.Count())), FSkin(std::make_unique<TqlCompressedStoredSkin>(nullptr)) {}

TqlSkinListItem& TqlSkinListItems::Add() {
    FItems.push_back(std::make_unique<TqlSkinListItem>(*this));
    return *FItems.back();
}

void TqlSkinListItem::Assign(const TqlSkinListItem& source) {
    if (&source == this) return;
    Description = source.Description;
    FileName = source.FileName;
    CompressedFileName = source.CompressedFileName;
    Name = source.Name;
    FSkin->SetCompressedData(source.FSkin->CompressedStream.Bytes());
}

void TqlSkinListItems::Assign(const TqlSkinListItems& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.FItems) Add().Assign(*item);
}
