#include "skin/core/SkinDataComponent.h"

#include <algorithm>

#include "platform/core/IniFiles.h"
#include "platform/gui/Forms.h"

TqlSkinData::TqlSkinData(TComponent* owner) : TComponent(owner) {}

TqlSkinData::~TqlSkinData() {
    Empty = true;
    ClearDescriptors();
}

void TqlSkinData::SetSkinnableForm(bool value) {
    if (value == FSkinnableForm) return;
    FSkinnableForm = value;
    if (!Designing() && !Loading()) BroadcastSkinMessage(WM_CHANGESKINNABLEFORM);
}

void TqlSkinData::SetCompressedStoredSkin(TqlCompressedStoredSkin* value) {
    FCompressedStoredSkin = value;
    if (value) FreeNotification(value);
    if (!Designing() && value) LoadFromStoredSkin(*value);
}

void TqlSkinData::SetResourceStrData(TqlResourceStrData* value) {
    FResourceStrData = value;
    if (value) FreeNotification(value);
    if (!Designing()) BroadcastSkinMessage(WM_CHANGERESOURCESTRDATA);
}

void TqlSkinData::SetSkinList(TqlCompressedSkinList* value) {
    FSkinList = value;
    if (value) FreeNotification(value);
    if (!Designing() && value && FSkinIndex >= 0 && FSkinIndex < value->Skins().Count())
        LoadFromStoredSkin(value->Skins().Items(FSkinIndex).Skin());
}

void TqlSkinData::SetSkinIndex(int value) {
    if (value == FSkinIndex) return;
    if (!FSkinList) {
        FSkinIndex = value;
        return;
    }
    if (value < 0 || value >= FSkinList->Skins().Count()) return;
    FSkinIndex = value;
    if (!Designing()) LoadFromStoredSkin(FSkinList->Skins().Items(value).Skin());
}

void TqlSkinData::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
    if (component == FResourceStrData) FResourceStrData = nullptr;
    if (component == FSkinList) FSkinList = nullptr;
}

namespace {

template <class List>
int IndexOfName(const List& list, std::string_view name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

}  // namespace

int TqlSkinData::IndexOfControlData(std::string_view name) const { return IndexOfName(CtrlList, name); }

int TqlSkinData::IndexOfObjectData(std::string_view name) const { return IndexOfName(ObjectList, name); }

void TqlSkinData::BroadcastSkinMessage(UINT msg) {
    auto* ownerForm = dynamic_cast<TForm*>(Owner());
    auto send = [&](TForm* form) { SendMessage(form, msg, reinterpret_cast<WPARAM>(this), kSkinMessageLParam); };
    if (ownerForm) send(ownerForm);
    // A handler may free forms: walk a copy and skip the ones gone since.
    std::vector<TForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i) forms.push_back(Screen->Forms(i));
    for (TForm* form : forms) {
        if (form == ownerForm) continue;
        bool alive = false;
        for (int i = 0; i < Screen->FormCount() && !alive; ++i) alive = Screen->Forms(i) == form;
        if (alive) send(form);
    }
}

void TqlSkinData::ClearDescriptors() {
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
    ActivePicturesNames.Clear();
    SkinColors.SetDefaults();
}

void TqlSkinData::ClearSkin() {
    ClearDescriptors();
    Picture = TBitmap();
    Mask = TBitmap();
    InActivePicture = TBitmap();
    PictureName.clear();
    InActivePictureName.clear();
    MaskName.clear();
    Empty = true;
}

void TqlSkinData::SplitNameType(const std::string& entry, std::string& idName, std::string& typeWord) {
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
        idName.clear();
        typeWord.clear();
        return;
    }
    idName = entry.substr(0, colon);
    typeWord = entry.substr(colon + 1);
}

namespace {

// Calls add for each "name:type" entry of a section below its count; an
// entry missing would name no descriptor anyway.
template <class Add>
void ForEachEntry(const TMemIniFile& ini, const char* section, Add add) {
    std::string idName, typeWord;
    for (const std::string& entry : ReadNumberedKeys(ini, section, ini.ReadInteger(section, "count", 0))) {
        TqlSkinData::SplitNameType(entry, idName, typeWord);
        add(idName, typeWord);
    }
}

}  // namespace

void TqlSkinData::LoadControlDescriptors(const TMemIniFile& ini) {
    ForEachEntry(ini, "SKINCONTROLS", [&](const std::string& idName, const std::string& typeWord) {
        if (auto d = CreateControlDescriptor(typeWord, idName)) {
            d->ReadFromIni(ini);
            CtrlList.push_back(std::move(d));
        }
    });
}

void TqlSkinData::LoadObjectDescriptors(const TMemIniFile& ini) {
    ForEachEntry(ini, "SKINOBJECTS", [&](const std::string& idName, const std::string& typeWord) {
        if (auto d = CreateObjectDescriptor(typeWord, idName)) {
            d->ReadFromIni(ini);
            ObjectList.push_back(std::move(d));
        }
    });
}

namespace {

// Visits only the picture indexes of a descriptor and drops those that name
// no loaded picture, so no part ever draws from a picture that is not there.
class PictureIndexCheck : public TqlSkinKeyFilter {
public:
    explicit PictureIndexCheck(int count) : FCount(count) {}
    void Integer(const char* key, int& field, int) override {
        if (std::string_view(key).ends_with("pictureindex")) Check(field);
    }
    void Check(int& index) const {
        if (index < -1 || index >= FCount) index = -1;
    }

private:
    int FCount;
};

}  // namespace

void TqlSkinData::DropUnknownPictureIndexes() {
    PictureIndexCheck check(static_cast<int>(ActivePictures.size()));
    for (auto& d : CtrlList) d->Keys(check);
    for (auto& d : ObjectList) d->Keys(check);
    PopupWindow.Keys(check);
    HintWindow.Keys(check);
    check.Check(BGPictureIndex);
    check.Check(MDIBGPictureIndex);
}

void TqlSkinData::Install(TqlSkinContainer& container) {
    Picture = container.Picture;
    InActivePicture = container.InActivePicture;
    Mask = container.Mask;
    ActivePictures = std::move(container.ActivePictures);

    TStringList lines;
    lines.SetText(container.IniText);
    TMemIniFile ini;
    ini.SetStrings(lines);
    SkinName = ini.ReadString("VERSION", "skinname", "");
    SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
    AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
    AuthorURL = ini.ReadString("VERSION", "authorurl", "");
    SkinComments = ini.ReadString("VERSION", "skincomments", "");
    PictureName = ini.ReadString("PICTURES", "picture", "");
    InActivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
    MaskName = ini.ReadString("PICTURES", "mask", "");
    ReadStringListKey(ini, "PICTURES", "activepictures", ActivePicturesNames);
    ReadFormInfo(ini);
    PopupWindow.ReadFromIni(ini);
    HintWindow.ReadFromIni(ini);
    SkinColors.ReadFromIni(ini);
    LoadObjectDescriptors(ini);
    LoadControlDescriptors(ini);
    DropUnknownPictureIndexes();
}

void TqlSkinData::LoadFromStoredSkin(const TqlCompressedStoredSkin& skin) {
    if (skin.IsEmpty()) return;
    TqlSkinContainer container;
    std::string error;
    try {
        TMemoryStream inflated;
        skin.DecompressTo(inflated);
        inflated.SetPosition(0);
        container.ReadFrom(inflated);
    } catch (const Exception& e) {
        error = e.Message.empty() ? "The skin cannot be read" : e.Message;
    }

    Empty = true;
    Changing = true;
    BroadcastSkinMessage(WM_BEFORECHANGESKINDATA);
    ClearSkin();
    if (error.empty()) {
        Install(container);
        Empty = false;
    }
    // Told even of a failed load, so that controls fall back to their plain look.
    BroadcastSkinMessage(WM_CHANGESKINDATA);
    Changing = false;
    BroadcastSkinMessage(WM_AFTERCHANGESKINDATA);
    if (!error.empty()) throw EqlSkinError(error);
}
