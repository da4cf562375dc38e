#include "skin/controls/qlSkinViews.h"

#include "platform/gui/controls/ScrollInfo.h"

TqlAttachedScrollBars::TqlAttachedScrollBars(TWinControl* AView) : TComponent(AView), FView(AView) {
    FVBar = new TqlSkinScrollBar(this);
    FVBar->SetKind(sbVertical);
    FHBar = new TqlSkinScrollBar(this);
    for (TqlSkinScrollBar* bar : {FVBar, FHBar}) {
        bar->SetSkinData(FormSkinData(AView));
        bar->SetVisible(false);
        bar->SetParent(AView->Parent());
    }
    FVBar->OnChange = [this](TObject*) { Scroll(FVBar, WM_VSCROLL); };
    FHBar->OnChange = [this](TObject*) { Scroll(FHBar, WM_HSCROLL); };
    ShowNativeScrollBars(*AView, false);
    WatchScrollState(*AView, [this, alive = std::weak_ptr<bool>(FAlive)] {
        if (alive.expired() || FPending.Running()) return;
        FPending.Start(0, [this] {
            FPending.Stop();
            Update();
        });
    });
    Update();
}

TqlAttachedScrollBars::~TqlAttachedScrollBars() { FAlive.reset(); }

void TqlAttachedScrollBars::ChangeSkinData() {
    for (TqlSkinScrollBar* bar : {FVBar, FHBar}) {
        bar->SetSkinData(FormSkinData(FView));
        bar->ChangeSkinData();
    }
    Update();
}

void TqlAttachedScrollBars::Scroll(TqlSkinScrollBar* Bar, UINT Msg) {
    if (FUpdating) return;
    FView->Perform(Msg, MakeScrollWParam(SB_THUMBPOSITION, Bar->Position()));
}

bool TqlAttachedScrollBars::Mirror(TqlSkinScrollBar* Bar, int Which) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(FView->Handle(), Which, &si)) return false;
    Bar->SetRange(si.nMin, si.nMax, si.nPos, int(si.nPage));
    Bar->SetSmallChange(1);
    Bar->SetLargeChange(si.nPage > 1 ? int(si.nPage) : 1);
    return si.nPage > 0 && int64_t(si.nMax) - si.nMin + 1 > int64_t(si.nPage);
}

void TqlAttachedScrollBars::Update() {
    // Giving the bars room resizes the viewport, which reports back here.
    if (FUpdating || !FView->Parent()) return;
    FUpdating = true;
    for (int pass = 0; pass < 2; ++pass) {
        const bool shown = FView->Visible();
        const bool v = Mirror(FVBar, SB_VERT) && shown;
        const bool h = Mirror(FHBar, SB_HORZ) && shown;
        FHBar->SetBoth(v && h);
        const int vw = v ? FVBar->Width() : 0, hh = h ? FHBar->Height() : 0;
        SetScrollBarRoom(*FView, vw, hh);
        const TRect r = FView->BoundsRect();
        if (v) FVBar->SetBounds(r.Right - vw, r.Top, vw, r.Height() - hh);
        if (h) FHBar->SetBounds(r.Left, r.Bottom - hh, r.Width(), hh);
        FVBar->SetVisible(v);
        FHBar->SetVisible(h);
    }
    FUpdating = false;
}
