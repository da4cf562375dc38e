#include "skin/forms/qlCorvane.h"

#include <functional>

#include "skin/boxes/qlSkinFieldLook.h"
#include "skin/controls/SkinControlBases.h"
#include "skin/controls/qlSkinCtrls.h"
#include "skin/controls/qlSkinTabs.h"
#include "skin/controls/qlSkinTreeView.h"
#include "skin/controls/qlSkinListView.h"
#include "skin/controls/qlSkinViews.h"

namespace {

// Every control below Parent, children after their parent.
void ForEachControl(TWinControl* Parent, const std::function<void(TControl*)>& Visit) {
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        Visit(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachControl(w, Visit);
    }
}

}  // namespace

TqlCorvane::TqlCorvane(TForm* AOwner) : TComponent(AOwner), FForm(AOwner) {
    SetSkinData(FormSkinData(AOwner));
    if (FSkinData) FFormSkinning = FSkinData->SkinnableForm();
    TakeCaptionHints();
    FForm->HookMessages(this, [this](TMessage& M) { return HandleMessage(M); });
}

TqlCorvane::~TqlCorvane() { FForm->UnhookMessages(this); }

void TqlCorvane::SetSkinData(TqlSkinData* Value) {
    if (FSkinData && FSkinData != Value) RemoveFreeNotification(FSkinData);
    FSkinData = Value;
    if (FSkinData) FSkinData->FreeNotification(this);
}

void TqlCorvane::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

bool TqlCorvane::HandleMessage(TMessage& M) {
    if (M.Msg == WM_SIZE) {
        UpdateSizeGrips();
        return false;
    }
    if (M.LParam != kSkinMessageLParam) return false;
    const auto* sender = reinterpret_cast<const TqlSkinData*>(M.WParam);
    switch (M.Msg) {
        case WM_BEFORECHANGESKINDATA:
            if (sender && sender == FSkinData) BeforeChange(sender);
            return true;
        case WM_CHANGESKINDATA:
            FChanging = false;
            ChangeControls(sender);
            return true;
        case WM_AFTERCHANGESKINDATA:
            if (OnAfterChangeSkinData) OnAfterChangeSkinData(this);
            return true;
        case WM_CHANGERESOURCESTRDATA:
            TakeCaptionHints();
            return true;
        case WM_CHANGESKINNABLEFORM:
            if (sender && sender == FSkinData && FSkinData->SkinnableForm() != FFormSkinning) {
                FFormSkinning = FSkinData->SkinnableForm();
                FForm->Invalidate();
            }
            return true;
        default: return false;
    }
}

void TqlCorvane::BeforeChange(const TqlSkinData* Sender) {
    FChanging = true;
    // The old descriptors and pictures go away before the new ones arrive.
    // Windowless controls look theirs up again at every paint and are left be.
    ForEachControl(FForm, [Sender](TControl* c) {
        if (auto* s = dynamic_cast<TqlSkinControl*>(c); s && s->SkinData() == Sender) s->BeforeChangeSkinData();
        if (auto* p = dynamic_cast<TqlSkinPageControl*>(c); p && p->SkinData() == Sender) p->BeforeChangeSkinData();
    });
    if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
}

void TqlCorvane::ChangeControls(const TqlSkinData* Sender) {
    auto takes = [Sender](const TqlSkinDataLink& l) { return !Sender || l.SkinData() == Sender; };
    ForEachControl(FForm, [&](TControl* c) {
        if (auto* s = dynamic_cast<TqlSkinControl*>(c); s && takes(*s)) s->ChangeSkinData();
        if (auto* g = dynamic_cast<TqlGraphicSkinControl*>(c); g && takes(*g)) g->ChangeSkinData();
        if (auto* b = dynamic_cast<TqlSkinBevel*>(c); b && takes(*b)) b->GetSkinData();
        if (auto* p = dynamic_cast<TqlSkinPageControl*>(c); p && takes(*p)) p->ChangeSkinData();
        if (auto* t = dynamic_cast<TqlSkinCustomTreeView*>(c); t && takes(*t)) t->ChangeSkinData();
        if (auto* l = dynamic_cast<TqlSkinCustomListView*>(c); l && takes(*l)) l->ChangeSkinData();
    });
    ApplySkinFieldLooks(FForm, Sender ? Sender : FSkinData);
    // Bars attached to views may have changed their thickness.
    ForEachControl(FForm, [](TControl* c) {
        for (int i = 0; i < c->ComponentCount(); ++i)
            if (auto* bars = dynamic_cast<TqlAttachedScrollBars*>(c->Components(i))) bars->Update();
    });
}

void TqlCorvane::TakeCaptionHints() {
    static constexpr const char* kKeys[] = {"MINBUTTON_HINT",  "MAXBUTTON_HINT",    "CLOSEBUTTON_HINT",
                                            "TRAYBUTTON_HINT", "ROLLUPBUTTON_HINT", "MENUBUTTON_HINT"};
    const TqlResourceStrData* table = FSkinData ? FSkinData->ResourceStrData() : nullptr;
    for (size_t i = 0; i < FHints.size(); ++i)
        FHints[i] = table ? table->LookupResString(kKeys[i]) : BuiltInResString(kKeys[i]);
}

void TqlCorvane::UpdateSizeGrips() {
    const bool sizeable = FForm->WindowState() != TWindowState::wsMaximized;
    ForEachControl(FForm, [sizeable](TControl* c) {
        if (auto* bar = dynamic_cast<TqlSkinStatusBar*>(c); bar && bar->GripActive() != sizeable)
            bar->SetGripActive(sizeable);
    });
}
