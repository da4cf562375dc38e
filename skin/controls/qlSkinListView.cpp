#include "skin/controls/qlSkinListView.h"

#include <algorithm>
#include <vector>

#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/NonClient.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/controls/SkinControlBases.h"
#include "skin/controls/qlSkinTextViewLook.h"
#include "skin/core/qlPictureOps.h"

TqlSkinCustomListView::TqlSkinCustomListView(TComponent* AOwner) : TCustomListView(AOwner) {
    SetSkinDataName("listview");
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    Font().Assign(FDefaultFont);
    SetFrameVisible(false);
    ShowNativeScrollBars(*this, false);
    LinkSkinData(*this, *this, FormSkinData(AOwner));
    // Rows arrive and columns widen without a message the view sees.
    WatchScrollState(*this, [this, alive = std::weak_ptr<bool>(FAlive)] {
        if (!alive.expired()) SynchronizeLater();
    });
    // The report view makes its header now: this view hears of it and takes it.
    Perform(LVM_GETHEADER);
    ChangeSkinData();
}

TqlSkinCustomListView::~TqlSkinCustomListView() {
    FAlive.reset();
    GiveHeaderBack();
}

void TqlSkinCustomListView::SetSkinData(TqlSkinData* Value) {
    LinkSkinData(*this, *this, Value);
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqlSkinCustomListView::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    if (FIndex == -1) Font().Assign(FDefaultFont);
}

void TqlSkinCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TListView::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == SkinData()) TqlSkinLink::SetSkinData(nullptr);
    if (AComponent == FVScrollBar) FVScrollBar = nullptr;
    if (AComponent == FHScrollBar) FHScrollBar = nullptr;
}

void TqlSkinCustomListView::ChangeSkinData() {
    if (Loading()) return;
    const TqlSkinData* skin = SkinData();
    FIndex = skin && !skin->Empty ? skin->IndexOfControlData(SkinDataName()) : -1;
    const auto* look =
        FIndex >= 0 ? dynamic_cast<const TqlDataSkinListView*>(skin->CtrlList[size_t(FIndex)].get()) : nullptr;
    ApplyTextViewLook(*this, skin, FIndex, look, UseSkinFont, FDefaultFont, DefaultColor);
    Synchronize();
    RealignViewBars(FVScrollBar, FHScrollBar);
    if (ViewStyle == TViewStyle::vsReport && HeaderWindow()) FHeader->Invalidate();
}

// Bars

void TqlSkinCustomListView::AttachBar(TqlSkinScrollBar*& Field, TqlSkinScrollBar* Value, bool Vertical) {
    // A bar let go no longer scrolls this view.
    if (Field && Field != Value) {
        RemoveFreeNotification(Field);
        Field->OnChange = nullptr;
    }
    Field = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetEnabled(true);
        ShowBar(Value, false);
        Value->OnChange = [this, Vertical](TObject*) { Vertical ? VBarChanged() : HBarChanged(); };
    }
    Synchronize();
}

void TqlSkinCustomListView::SetVScrollBar(TqlSkinScrollBar* Value) { AttachBar(FVScrollBar, Value, true); }

void TqlSkinCustomListView::SetHScrollBar(TqlSkinScrollBar* Value) { AttachBar(FHScrollBar, Value, false); }

bool TqlSkinCustomListView::ShowBar(TqlSkinScrollBar* Bar, bool Show) { return ShowViewBar(Bar, Show, FSyncing); }

TRect TqlSkinCustomListView::ItemZeroRect() {
    TRect r;
    r.Left = LVIR_BOUNDS;
    return Perform(LVM_GETITEMRECT, 0, LPARAM(&r)) ? r : TRect{};
}

int TqlSkinCustomListView::ItemZeroHeight() { return ItemZeroRect().Height(); }

void TqlSkinCustomListView::Synchronize() {
    if (FSyncing || FBarScrolling || Loading() || !HandleAllocated() || Width() <= 5 || Height() <= 5) return;
    SCROLLINFO v, h;
    v.fMask = h.fMask = SIF_ALL;
    GetScrollInfo(this, SB_VERT, &v);
    GetScrollInfo(this, SB_HORZ, &h);
    const bool shown = Visible();
    const int perPage = int(Perform(LVM_GETCOUNTPERPAGE));
    const int step = std::max(1, ItemZeroHeight() / 2);
    bool changed = false;
    // Icons scroll by pixels: a step is half a row either way.
    auto pixelBar = [&](TqlSkinScrollBar* bar, const SCROLLINFO& si, int extent, int& last) {
        const bool show = si.nMax > extent && shown;
        changed |= ShowBar(bar, show);
        if (!show) return;
        bar->SetSmallChange(step);
        bar->SetLargeChange(step);
        bar->SetRange(si.nMin, si.nMax, si.nPos, extent);
        last = si.nPos;
    };
    switch (ViewStyle) {
        case TViewStyle::vsIcon:
        case TViewStyle::vsSmallIcon:
            if (FVScrollBar) pixelBar(FVScrollBar, v, Height(), FOldVPos);
            if (FHScrollBar) pixelBar(FHScrollBar, h, Width(), FOldHPos);
            break;
        case TViewStyle::vsList: {
            changed |= ShowBar(FVScrollBar, false);
            if (!FHScrollBar) break;
            const int column = Items().Count() > 0 ? std::max(1, ItemZeroRect().Width()) : 1;
            const bool show = perPage < Items().Count() && shown;
            changed |= ShowBar(FHScrollBar, show);
            if (show) {
                FHScrollBar->SetRange(h.nMin, h.nMax, h.nPos, Width() / column);
                FHScrollBar->SetSmallChange(1);
                FHScrollBar->SetLargeChange(1);
                FOldHPos = h.nPos;
            }
            break;
        }
        case TViewStyle::vsReport:
            if (FVScrollBar) {
                const bool show = perPage < v.nMax + 1 && shown;
                changed |= ShowBar(FVScrollBar, show);
                if (show) {
                    FVScrollBar->SetRange(v.nMin, v.nMax, v.nPos, perPage);
                    FVScrollBar->SetSmallChange(1);
                    FVScrollBar->SetLargeChange(std::max(1, perPage));
                    FOldVPos = v.nPos;
                }
            }
            if (FHScrollBar) pixelBar(FHScrollBar, h, Width(), FOldHPos);
            break;
    }
    if (FVScrollBar && FHScrollBar) FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (changed && Align() != TAlign::alNone && Parent()) {
        FSyncing = true;
        Parent()->Realign();
        FSyncing = false;
    }
}

void TqlSkinCustomListView::VBarChanged() {
    if (!FVScrollBar) return;
    FBarScrolling = true;
    const int delta = FVScrollBar->Position() - FOldVPos;
    const bool rows = ViewStyle == TViewStyle::vsList || ViewStyle == TViewStyle::vsReport;
    if (delta != 0) Perform(LVM_SCROLL, 0, LPARAM(rows ? delta * ItemZeroHeight() : delta));
    FOldVPos = FVScrollBar->Position();
    FBarScrolling = false;
}

void TqlSkinCustomListView::HBarChanged() {
    if (!FHScrollBar) return;
    FBarScrolling = true;
    const int delta = FHScrollBar->Position() - FOldHPos;
    if (ViewStyle == TViewStyle::vsList) {
        for (int i = 0; i < std::abs(delta); ++i)
            Perform(WM_HSCROLL, MakeScrollWParam(delta > 0 ? SB_LINERIGHT : SB_LINELEFT, 0));
    } else if (delta != 0) {
        Perform(LVM_SCROLL, WPARAM(intptr_t(delta)), 0);
    }
    FOldHPos = FHScrollBar->Position();
    FBarScrolling = false;
}

void TqlSkinCustomListView::SynchronizeLater() {
    if (FPending.Running()) return;
    FPending.Start(0, [this] {
        FPending.Stop();
        Synchronize();
    });
}

void TqlSkinCustomListView::SetVisible(bool Value) {
    TListView::SetVisible(Value);
    if (!Value)
        for (TqlSkinScrollBar* bar : {FVScrollBar, FHScrollBar}) ShowBar(bar, false);
    Synchronize();
}

void TqlSkinCustomListView::WndProc(TMessage& M) {
    if (AnswerPaintRequest(M)) return;
    if (M.Msg == WM_PAINTHEADERTODC) {
        if (HeaderWindow() && M.WParam) PaintHeader(*reinterpret_cast<TCanvas*>(M.WParam));
        return;
    }
    // A window made later may take the freed header's address: ours is forgotten when it goes.
    if (M.Msg == WM_PARENTNOTIFY && LoWord(M.WParam) == WM_DESTROY && HWND(M.LParam) == HWND(FHeader)) {
        FHeader = nullptr;
        FOldHeaderProc = nullptr;
    }
    if (M.Msg == WM_PARENTNOTIFY && LoWord(M.WParam) == WM_CREATE && ShowColumnHeaders()) {
        const auto child = reinterpret_cast<HWND>(M.LParam);
        if (IsWindow(child) && GetClassName(child) == "SysHeader32")
            if (auto* header = dynamic_cast<THeaderWindow*>(child)) TakeHeader(header);
    }
    TListView::WndProc(M);
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

// Header

THeaderWindow* TqlSkinCustomListView::HeaderWindow() const { return IsWindow(FHeader) ? FHeader : nullptr; }

void TqlSkinCustomListView::TakeHeader(THeaderWindow* Header) {
    GiveHeaderBack();
    FHeader = Header;
    FOldHeaderProc = Header->WindowProc();
    Header->SetWindowProc([this](TMessage& M) { HeaderWndProc(M); });
    FPressedSection = -1;
    FHeaderPressed = false;
    Header->Invalidate();
}

void TqlSkinCustomListView::GiveHeaderBack() {
    if (HeaderWindow()) FHeader->SetWindowProc(FOldHeaderProc);
    FHeader = nullptr;
    FOldHeaderProc = nullptr;
}

void TqlSkinCustomListView::HeaderWndProc(TMessage& M) {
    THeaderWindow* header = FHeader;
    switch (M.Msg) {
        case WM_WINDOWPOSCHANGING:
            // Wider than asked: the last section's right edge stays out of sight.
            if (auto* pos = reinterpret_cast<WINDOWPOS*>(M.LParam)) pos->cx += 4;
            header->CallWindowProc(FOldHeaderProc, M);
            return;
        case WM_PAINT:
            // Without a canvas the header is painted on its next turn, through Qt.
            if (M.WParam)
                PaintHeader(*reinterpret_cast<TCanvas*>(M.WParam));
            else
                header->Invalidate();
            return;
        case WM_ERASEBKGND: M.Result = 1; return;
        default: break;
    }
    header->CallWindowProc(FOldHeaderProc, M);
    if (M.Msg == WM_LBUTTONDOWN) {
        HDHITTESTINFO info{{int16_t(LoWord(M.LParam)), int16_t(HiWord(M.LParam))}, 0, -1};
        SendMessage(header, HDM_HITTEST, 0, LPARAM(&info));
        FPressedSection = info.iItem;
        // A press on a divider resizes the column: no section goes down.
        FHeaderPressed = info.iItem >= 0 && !(info.flags & HHT_ONDIVIDER);
        header->Invalidate();
    } else if (M.Msg == WM_LBUTTONUP) {
        FHeaderPressed = false;
        FPressedSection = -1;
        header->Invalidate();
    }
}

void TqlSkinCustomListView::GetHeaderSkinData() {
    const TqlSkinData* skin = SkinData();
    FHeaderIndex = skin && !skin->Empty ? skin->IndexOfControlData(HeaderSkinDataName) : -1;
    FHeaderLook = FHeaderIndex >= 0
                      ? dynamic_cast<const TqlDataSkinButtonControl*>(skin->CtrlList[size_t(FHeaderIndex)].get())
                      : nullptr;
    FHeaderPicture = FHeaderLook ? SkinPicture(*skin, FHeaderLook->PictureIndex) : nullptr;
}

void TqlSkinCustomListView::PaintHeader(TCanvas& Canvas) {
    THeaderWindow* header = HeaderWindow();
    if (!header) return;
    GetHeaderSkinData();
    const int count = int(SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<int> order(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) order[size_t(i)] = i;
    // Columns the user may drag are drawn in the order shown.
    if (FullDrag() && count > 0) SendMessage(header, HDM_GETORDERARRAY, WPARAM(count), LPARAM(order.data()));
    int right = 0, height = header->Height();
    for (int i = 0; i < count; ++i) {
        const int item = order[size_t(i)];
        TRect r;
        if (!SendMessage(header, HDM_GETITEMRECT, WPARAM(item), LPARAM(&r))) continue;
        height = r.Height();
        DrawHeaderSection(Canvas, r, item, item == FPressedSection && FHeaderPressed);
        right = std::max(right, r.Right);
    }
    DrawHeaderRest(Canvas, Rect(right, 0, header->Width() + 1, height));
}

// A face of W x H from the header skin's Source: nine parts when the
// descriptor sets a left-bottom corner, else three parts at the skin's height
// stretched to H.
void TqlSkinCustomListView::BuildHeaderFace(TBitmap& Face, const TRect& Source, int W, int H) const {
    const TqlDataSkinButtonControl& d = *FHeaderLook;
    const int sw = Source.Width(), sh = Source.Height();
    if (d.LBPoint == TPoint{0, 0}) {
        TBitmap strip;
        BuildHThreePart(d.LTPoint.X, sw - d.RTPoint.X, strip, *FHeaderPicture, Source, W, sh, d.StretchEffect);
        qlPictureOps::SizeFresh(Face, W, H);
        qlPictureOps::Stretch(Face, Rect(0, 0, W, H), strip, Rect(0, 0, strip.Width(), strip.Height()));
        return;
    }
    const int dw = W - sw, dh = H - sh;
    const TRect cr = Rect(d.ClientRect.Left, d.ClientRect.Top, d.ClientRect.Right + dw, d.ClientRect.Bottom + dh);
    BuildNinePart(d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ClientRect, d.LTPoint, {d.RTPoint.X + dw, d.RTPoint.Y},
                  {d.LBPoint.X, d.LBPoint.Y + dh}, {d.RBPoint.X + dw, d.RBPoint.Y + dh}, cr, Face, *FHeaderPicture,
                  Source, W, H, true, d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch, d.StretchEffect,
                  int(d.StretchType));
}

void TqlSkinCustomListView::DrawHeaderSection(TCanvas& Canvas, const TRect& R, int Column, bool Pressed) {
    const int w = R.Width(), h = R.Height();
    if (w < 1 || h < 1) return;
    const bool skinned = FHeaderLook && FHeaderPicture;
    TBitmap face(w, h);
    TCanvas& c = face.Canvas();
    if (skinned) {
        TRect source = FHeaderLook->SkinRect;
        if (Pressed) {
            const TRect hover = RectIsEmpty(FHeaderLook->ActiveSkinRect) ? source : FHeaderLook->ActiveSkinRect;
            source = RectIsEmpty(FHeaderLook->DownSkinRect) ? hover : FHeaderLook->DownSkinRect;
        }
        BuildHeaderFace(face, source, w, h);
    } else {
        c.Brush().Color = Pressed ? TColor(0xB59385) : clBtnFace;
        c.FillRect(Rect(0, 0, w, h));
        c.Brush().Color = Pressed ? TColor(0x800000) : clBtnShadow;
        c.FrameRect(Rect(0, 0, w, h));
    }
    if (Column >= 0 && Column < ColumnCount()) {
        const TListColumn& column = *this->Column(Column);
        c.Font().Assign(Font());
        c.Font().SetColor(skinned ? (Pressed ? FHeaderLook->DownFontColor : FHeaderLook->FontColor) : clBtnText);
        c.Brush().Style = TBrushStyle::bsClear;
        const TRect t = Rect(5, 0, w - 5, h);
        std::string caption = column.Caption;
        const bool image = SmallImages() && column.ImageIndex >= 0 && column.ImageIndex < SmallImages()->Count();
        if (!image) {
            FitTextEllipsis(c, caption, t.Width());
            const int tw = c.TextWidth(caption);
            int x = t.Left;
            if (column.Alignment == TAlignment::taRightJustify) x = t.Right - tw;
            if (column.Alignment == TAlignment::taCenter) x = t.Left + t.Width() / 2 - tw / 2;
            c.TextOut(x, h / 2 - c.TextHeight(caption) / 2, caption);
        } else {
            const int iw = SmallImages()->Width();
            const std::string whole = caption;
            FitTextEllipsis(c, caption, t.Width() - 10 - iw);
            const int tw = c.TextWidth(caption);
            int x0 = t.Left;
            if (caption == whole) {
                if (column.Alignment == TAlignment::taRightJustify) x0 = t.Right - tw - iw - 10;
                if (column.Alignment == TAlignment::taCenter) x0 = t.Left + t.Width() / 2 - (tw + iw + 10) / 2;
            }
            SmallImages()->Draw(c, x0, h / 2 - SmallImages()->Height() / 2, column.ImageIndex);
            c.TextOut(x0 + iw + 10, h / 2 - c.TextHeight(caption) / 2, caption);
        }
    }
    Canvas.Draw(R.Left, R.Top, face);
}

void TqlSkinCustomListView::DrawHeaderRest(TCanvas& Canvas, const TRect& R) {
    const int w = R.Width(), h = R.Height();
    if (w < 1 || h < 1) return;
    TBitmap face(w, h);
    if (FHeaderLook && FHeaderPicture) {
        BuildHeaderFace(face, FHeaderLook->SkinRect, w, h);
    } else {
        TCanvas& c = face.Canvas();
        c.Brush().Color = clBtnFace;
        c.FillRect(Rect(0, 0, w, h));
        c.Brush().Color = clBtnShadow;
        c.FrameRect(Rect(0, 0, w, h));
    }
    Canvas.Draw(R.Left, R.Top, face);
}
