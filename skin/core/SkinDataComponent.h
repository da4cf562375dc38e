#pragma once
// The decoded skin of the application: pictures, descriptors, colours, popup
// and hint frames and the form frame data, loaded from a stored skin, with
// every form told before, after and at the end of each load.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "skin/core/ControlDescriptors.h"
#include "skin/core/ObjectDescriptors.h"
#include "skin/core/ResourceStrings.h"
#include "skin/core/SkinFrames.h"
#include "skin/core/SkinList.h"
#include "skin/core/StoredSkin.h"

// Sent to every form with WPARAM the skin data component and LPARAM 1000.
enum : UINT {
    WM_BEFORECHANGESKINDATA = 1225,
    WM_CHANGESKINDATA = 1226,
    WM_AFTERCHANGESKINDATA = 1227,
    WM_CHANGERESOURCESTRDATA = 1274,
    WM_CHANGESKINNABLEFORM = 1294,
};
constexpr LPARAM kSkinMessageLParam = 1000;

class TqlSkinData : public TComponent {
public:
    explicit TqlSkinData(TComponent* owner);
    ~TqlSkinData() override;

    bool SkinnableForm() const { return FSkinnableForm; }
    void SetSkinnableForm(bool value);
    bool EnableSkinEffects = true;
    TqlCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    // Loads the stored skin at once (see LoadFromStoredSkin).
    void SetCompressedStoredSkin(TqlCompressedStoredSkin* value);
    TqlResourceStrData* ResourceStrData() const { return FResourceStrData; }
    void SetResourceStrData(TqlResourceStrData* value);
    TqlCompressedSkinList* SkinList() const { return FSkinList; }
    void SetSkinList(TqlCompressedSkinList* value);
    int SkinIndex() const { return FSkinIndex; }
    void SetSkinIndex(int value);

    TqlSkinColors SkinColors;
    TRect ButtonsRect, CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool AutoRenderingInActiveImage = false;
    TqlInActiveEffect InActiveEffect = TqlInActiveEffect::ieBrightness;
    TqlDataSkinPopupWindow PopupWindow;
    TqlDataSkinHintWindow HintWindow;
    // True while no skin is loaded.
    bool Empty = true;
    TBitmap Picture, InActivePicture, Mask;
    // Addressed by index from every descriptor's picture indexes.
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;
    std::string PictureName, InActivePictureName, MaskName;
    TStringList ActivePicturesNames;
    std::vector<std::unique_ptr<TqlDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TqlDataSkinControl>> CtrlList;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int BGPictureIndex = -1, MDIBGPictureIndex = -1;
    bool MainMenuPopupUp = false;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TRect ClientRect;
    int BorderWidth = 0, FormMinWidth = 0;
    bool MDITabsTransparent = false, MainMenuBarTransparent = false;
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TqlStretchType StretchType = TqlStretchType::stFull;
    bool MDIBGStretchEffect = false;
    TqlStretchType MDIBGStretchType = TqlStretchType::stFull;
    std::string SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;
    // True from the start of a load until it has completed.
    bool Changing = false;

    // The index of the first descriptor whose IDName equals name exactly, or -1.
    int IndexOfControlData(std::string_view name) const;
    int IndexOfObjectData(std::string_view name) const;

    // Loads a stored skin; an empty one changes nothing. The skin is decoded
    // completely before the old one is cleared. A skin that cannot be read
    // leaves this component empty and not changing, the forms still told
    // that the change is over, and then raises.
    void LoadFromStoredSkin(const TqlCompressedStoredSkin& skin);
    // Sends msg to the owner form, then to every other form.
    void BroadcastSkinMessage(UINT msg);
    void ClearDescriptors();
    void ClearSkin();
    // "name:type" into its two parts; without a colon both are empty.
    static void SplitNameType(const std::string& entry, std::string& idName, std::string& typeWord);
    void LoadControlDescriptors(const TMemIniFile& ini);
    void LoadObjectDescriptors(const TMemIniFile& ini);
    void ReadFormInfo(const TMemIniFile& ini);
    // The [FORMINFO] keys as read, without the normalisation reading applies.
    void WriteFormInfo(TMemIniFile& ini);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The [FORMINFO] keys in two groups, each normalised after it is read.
    void FrameKeys(TqlSkinKeys& keys);
    void FrameButtonKeys(TqlSkinKeys& keys);
    void Install(TqlSkinContainer& container);
    void DropUnknownPictureIndexes();

    bool FSkinnableForm = true;
    TqlCompressedStoredSkin* FCompressedStoredSkin = nullptr;
    TqlResourceStrData* FResourceStrData = nullptr;
    TqlCompressedSkinList* FSkinList = nullptr;
    int FSkinIndex = 0;
};
