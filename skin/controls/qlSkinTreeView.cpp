#include "skin/controls/qlSkinTreeView.h"

#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/FieldLook.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/controls/SkinControlBases.h"
#include "skin/controls/qlSkinTextViewLook.h"

TqlSkinCustomTreeView::TqlSkinCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {
    SetSkinDataName("treeview");
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    SetFrameVisible(false);
    ShowNativeScrollBars(*this, false);
    LinkSkinData(*this, *this, FormSkinData(AOwner));
    // Folders arrive and branches open without a message the view sees.
    WatchScrollState(*this, [this, alive = std::weak_ptr<bool>(FAlive)] {
        if (!alive.expired()) SynchronizeLater();
    });
    ChangeSkinData();
}

TqlSkinCustomTreeView::~TqlSkinCustomTreeView() { FAlive.reset(); }

void TqlSkinCustomTreeView::SetSkinData(TqlSkinData* Value) {
    LinkSkinData(*this, *this, Value);
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqlSkinCustomTreeView::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    if (FIndex == -1) Font().Assign(FDefaultFont);
}

void TqlSkinCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == SkinData()) TqlSkinLink::SetSkinData(nullptr);
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TqlSkinCustomTreeView::ChangeSkinData() {
    if (Loading()) return;
    const TqlSkinData* skin = SkinData();
    FIndex = skin && !skin->Empty ? skin->IndexOfControlData(SkinDataName()) : -1;
    const auto* look =
        FIndex >= 0 ? dynamic_cast<const TqlDataSkinTreeView*>(skin->CtrlList[size_t(FIndex)].get()) : nullptr;
    ApplyTextViewLook(*this, skin, FIndex, look, UseSkinFont, FDefaultFont, DefaultColor);
    if (FIndex == -1) {
        ClearFieldLook(*this);
    } else if (look) {
        // The selection as the skin's other fields show it.
        SetFieldLook(*this, {look->BGColor, look->FontColor, skin->SkinColors.cHighLight,
                             skin->SkinColors.cHighLightText, clNone});
    }
    // Images keep the view's background round their shapes.
    for (TCustomImageList* list : {Images(), StateImages()})
        if (list) list->BkColor = Color();
    Invalidate();
    Synchronize();
    RealignViewBars(FVScrollBar, FHScrollBar);
}

void TqlSkinCustomTreeView::AttachBar(TqlSkinScrollBar*& Field, TqlSkinScrollBar* Value, UINT ScrollMessage) {
    if (Field && Field != Value) RemoveFreeNotification(Field);
    Field = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetEnabled(true);
        ShowBar(Value, false);
        Value->OnChange = [this, Value, ScrollMessage](TObject*) {
            if (ScrollMessage == WM_VSCROLL) {
                // The native state takes the bar's position first, so the view
                // scrolls from where the bar says, not where it was.
                SCROLLINFO si;
                si.fMask = SIF_ALL;
                GetScrollInfo(this, SB_VERT, &si);
                si.nPos = Value->Position();
                SetScrollInfo(this, SB_VERT, &si, true);
            }
            Perform(ScrollMessage, MakeScrollWParam(SB_THUMBPOSITION, Value->Position()));
        };
    }
    Synchronize();
}

void TqlSkinCustomTreeView::SetVScrollBar(TqlSkinScrollBar* Value) { AttachBar(FVScrollBar, Value, WM_VSCROLL); }

void TqlSkinCustomTreeView::SetHScrollBar(TqlSkinScrollBar* Value) { AttachBar(FHScrollBar, Value, WM_HSCROLL); }

bool TqlSkinCustomTreeView::ShowBar(TqlSkinScrollBar* Bar, bool Show) { return ShowViewBar(Bar, Show, FSyncing); }

void TqlSkinCustomTreeView::Synchronize() {
    if (FSyncing || Loading()) return;
    bool changed = false;
    if (FVScrollBar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(this, SB_VERT, &si);
        const int page = int(Perform(TVM_GETVISIBLECOUNT));
        const bool show = si.nMax >= 1 && page <= si.nMax && si.nMax < Perform(TVM_GETCOUNT) && Visible();
        changed |= ShowBar(FVScrollBar, show);
        if (show) FVScrollBar->SetRange(si.nMin, si.nMax, si.nPos, page);
    }
    if (FHScrollBar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        GetScrollInfo(this, SB_HORZ, &si);
        const bool show = si.nMax > Width() && Visible();
        changed |= ShowBar(FHScrollBar, show);
        // The page is what the view shows of the row, its client width.
        if (show) FHScrollBar->SetRange(si.nMin, si.nMax, si.nPos, si.nPage > 0 ? int(si.nPage) : Width());
    }
    if (FVScrollBar && FHScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (changed && Align() != TAlign::alNone && Parent()) {
        FSyncing = true;
        Parent()->Realign();
        FSyncing = false;
    }
}

void TqlSkinCustomTreeView::SynchronizeLater() {
    if (FPending.Running()) return;
    FPending.Start(0, [this] {
        FPending.Stop();
        Synchronize();
    });
}

void TqlSkinCustomTreeView::WndProc(TMessage& M) {
    if (AnswerPaintRequest(M)) return;
    TCustomTreeView::WndProc(M);
    switch (M.Msg) {
        case WM_SIZE:
        case WM_PAINT: Synchronize(); break;
        // The view moves after the message: the bars follow on the next tick too.
        case WM_KEYDOWN:
        case WM_LBUTTONUP:
            Synchronize();
            SynchronizeLater();
            break;
        default: break;
    }
}

void TqlSkinCustomTreeView::Change() {
    TCustomTreeView::Change();
    Synchronize();
}

void TqlSkinCustomTreeView::SetVisible(bool Value) {
    TCustomTreeView::SetVisible(Value);
    for (TqlSkinScrollBar* bar : {FVScrollBar, FHScrollBar})
        if (bar) ShowBar(bar, Value);
}
