#pragma once
// The form-skinning component: it listens to its form's skin messages and
// re-skins every skinned part of the form when the skin data component
// announces a new skin.

#include <array>
#include <string>

#include "platform/gui/Forms.h"
#include "skin/core/qlSkinData.h"

// The caption buttons whose hints come from the skin string table.
enum class TqlCaptionButton { Minimize, Maximize, Close, Tray, RollUp, Menu };

class TqlCorvane : public TComponent {
public:
    // Hooks the form that owns it; it takes the form's skin data component.
    explicit TqlCorvane(TForm* AOwner);
    ~TqlCorvane() override;
    TqlSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TqlSkinData* Value);
    TNotifyEvent OnBeforeChangeSkinData, OnAfterChangeSkinData;
    bool Changing() const { return FChanging; }
    // The hint a caption button shows, as the skin string table had it at
    // the last take (on creation and on each change of the table).
    const std::string& CaptionButtonHint(TqlCaptionButton Button) const { return FHints[size_t(Button)]; }
    // Whether the form is skinned: its skin data's SkinnableForm at the last switch.
    bool FormSkinning() const { return FFormSkinning; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool HandleMessage(TMessage& M);
    void BeforeChange(const TqlSkinData* Sender);
    // Re-skins every part of the form that takes its skin from Sender (all of
    // them when Sender is null).
    void ChangeControls(const TqlSkinData* Sender);
    // A maximised form cannot be sized: its status bars show no size grip then.
    void UpdateSizeGrips();
    void TakeCaptionHints();

    TForm* FForm;
    TqlSkinData* FSkinData = nullptr;
    bool FChanging = false;
    bool FFormSkinning = true;
    std::array<std::string, 6> FHints;
};
