#pragma once
// Several stored skins in one component, so that a skin data component can
// switch between them by index.

#include <memory>
#include <string>
#include <vector>

#include "skin/core/StoredSkin.h"

class TqlSkinListItems;

class TqlSkinListItem {
public:
    // Named "qlSkin" and its index in the collection.
    explicit TqlSkinListItem(TqlSkinListItems& collection);

    TqlCompressedStoredSkin& Skin() { return *FSkin; }
    const TqlCompressedStoredSkin& Skin() const { return *FSkin; }
    std::string Description;
    std::string FileName;
    std::string CompressedFileName;
    std::string Name;
    const std::string& GetDisplayName() const { return Name; }
    // Takes source's texts and a copy of its stored skin.
    void Assign(const TqlSkinListItem& source);

    // The stored "Skin" property: the packed envelope of the stored skin.
    void ReadSkin(TStream& stream) { FSkin->LoadFromStream(stream); }
    void WriteSkin(TStream& stream) const { FSkin->SaveToStream(stream); }

private:
    std::unique_ptr<TqlCompressedStoredSkin> FSkin;
};

class TqlSkinListItems {
public:
    explicit TqlSkinListItems(TComponent* owner) : FOwner(owner) {}
    TComponent* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TqlSkinListItem& Items(int index) { return *FItems.at(static_cast<size_t>(index)); }
    TqlSkinListItem& Add();
    void Clear() { FItems.clear(); }
    // Becomes a copy of source, item for item; the owner stays.
    void Assign(const TqlSkinListItems& source);

private:
    TComponent* FOwner;
    std::vector<std::unique_ptr<TqlSkinListItem>> FItems;
};

class TqlCompressedSkinList : public TComponent {
public:
    explicit TqlCompressedSkinList(TComponent* owner) : TComponent(owner), FSkins(this) {}
    TqlSkinListItems& Skins() { return FSkins; }
    // The list keeps its own items: the given ones are copied.
    void SetSkins(const TqlSkinListItems& value) { FSkins.Assign(value); }

private:
    TqlSkinListItems FSkins;
};
