#include "skin/controls/qlSkinViews.h"

#include "platform/gui/ListView.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/core/qlPictureOps.h"

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
        auto place = [](TqlSkinScrollBar* bar, const TRect& to) {
            if (bar->BoundsRect() != to) bar->SetBoundsRect(to);
        };
        if (v) place(FVBar, Rect(r.Right - vw, r.Top, r.Right, r.Bottom - hh));
        if (h) place(FHBar, Rect(r.Left, r.Bottom - hh, r.Right, r.Bottom));
        FVBar->SetVisible(v);
        FHBar->SetVisible(h);
    }
    FUpdating = false;
}

// TqlSkinHeader

TqlSkinHeader::TqlSkinHeader(TListView* AView) : TComponent(AView), FView(AView) {
    FView->OnDrawHeaderSection = [this](TCanvas& C, const TRect& R, int Column, bool Pressed) {
        DrawSection(C, R, Column, Pressed);
    };
}

void TqlSkinHeader::DrawSection(TCanvas& Canvas, const TRect& R, int Column, bool Pressed) {
    const int w = R.Width(), h = R.Height();
    if (w < 1 || h < 1) return;
    const TqlSkinData* skin = FormSkinData(FView);
    const int index = skin && !skin->Empty ? skin->IndexOfControlData(HeaderSkinDataName) : -1;
    const auto* look = index >= 0 ? dynamic_cast<const TqlDataSkinButtonControl*>(skin->CtrlList[size_t(index)].get())
                                  : nullptr;
    const TBitmap* picture = look ? SkinPicture(*skin, look->PictureIndex) : nullptr;
    TBitmap face(w, h);
    TCanvas& c = face.Canvas();
    if (picture) {
        TRect src = look->SkinRect;
        if (Pressed) {
            if (!RectIsEmpty(look->DownSkinRect))
                src = look->DownSkinRect;
            else if (!RectIsEmpty(look->ActiveSkinRect))
                src = look->ActiveSkinRect;
        }
        BuildNinePartSized(face, *picture, src, look->ClientRect, true);
    } else {
        c.Brush().Color = Pressed ? TColor(0xB59385) : clBtnFace;
        c.FillRect(Rect(0, 0, w, h));
        c.Brush().Color = Pressed ? TColor(0x800000) : clBtnShadow;
        c.FrameRect(Rect(0, 0, w, h));
    }
    if (Column >= 0 && Column < FView->ColumnCount()) {
        const TListColumn* column = FView->Column(Column);
        c.Font().Assign(Canvas.Font());
        c.Font().SetColor(picture ? (Pressed ? look->DownFontColor : look->FontColor) : clBtnText);
        c.Brush().Style = TBrushStyle::bsClear;
        // Text goes 5 pixels in from either edge, cut with an ellipsis where it does not fit.
        const TRect t = Rect(5, 0, w - 5, h);
        std::string caption = column->Caption;
        FitTextEllipsis(c, caption, t.Width());
        const int tw = c.TextWidth(caption);
        int x = t.Left;
        if (column->Alignment == TAlignment::taRightJustify) x = t.Right - tw;
        if (column->Alignment == TAlignment::taCenter) x = t.Left + t.Width() / 2 - tw / 2;
        c.TextOut(x, h / 2 - c.TextHeight(caption) / 2, caption);
    }
    Canvas.Draw(R.Left, R.Top, face);
}
