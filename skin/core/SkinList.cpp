#include "skin/core/SkinList.h"

#include "platform/core/SysUtils.h"

TqlSkinListItem::TqlSkinListItem(TqlSkinListItems& collection)
    : Name("qlSkin" + IntToStr(collection.Count())), FSkin(std::make_unique<TqlCompressedStoredSkin>(nullptr)) {}

TqlSkinListItem& TqlSkinListItems::Add() {
    FItems.push_back(std::make_unique<TqlSkinListItem>(*this));
    return *FItems.back();
}
