#include "skin/controls/qlSkinTabs.h"

#include "skin/controls/SkinTabParts.h"

#include <algorithm>
#include <vector>

#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/core/qlEffects.h"
#include "skin/core/qlPictureOps.h"

namespace {

// Covers Dest with Src's rectangle S the way a page background asks: tiled,
// stretched once, or stretched along one side and repeated along the other.
void LayOver(TBitmap& Dest, const TBitmap& Src, const TRect& S, bool Stretch, int StretchType) {
    const TRect all = Rect(0, 0, Dest.Width(), Dest.Height());
    if (!Stretch)
        qlPictureOps::Tile(Dest, all, Src, S, true, true);
    else if (StretchType == stHorz || StretchType == stVert) {
        const bool columns = StretchType == stHorz;
        TBitmap band(columns ? WidthOfRect(S) : all.Right, columns ? all.Bottom : HeightOfRect(S));
        qlPictureOps::Stretch(band, Rect(0, 0, band.Width(), band.Height()), Src, S);
        qlPictureOps::Tile(Dest, all, band, Rect(0, 0, band.Width(), band.Height()), columns, !columns);
    } else {
        qlPictureOps::Stretch(Dest, all, Src, S);
    }
}

}  // namespace

// TqlSkinCustomTabSheet

TqlSkinCustomTabSheet::TqlSkinCustomTabSheet(TComponent* owner) : TTabSheet(owner) { SetSkinDataName("tab"); }

void TqlSkinCustomTabSheet::Paint() {
    if (Width() < 1 || Height() < 1) return;
    TCanvas& c = Canvas();
    if (!WallPaper.Empty()) {
        TBitmap b(Width(), Height());
        qlPictureOps::Tile(b, Rect(0, 0, Width(), Height()), WallPaper, Rect(0, 0, WallPaper.Width(), WallPaper.Height()),
                       true, true);
        c.Draw(0, 0, b);
        return;
    }
    if (auto* pc = dynamic_cast<TqlSkinPageControl*>(PageControl()))
        pc->PaintPageBackground(c, Width(), Height());
    else
        TTabSheet::Paint();
}

void TqlSkinCustomTabSheet::BoundsChanged(bool moved, bool resized) {
    TTabSheet::BoundsChanged(moved, resized);
    if (!resized) return;
    Invalidate();
    // Transparent children draw through a background that has just been
    // stretched anew; a tiled one stays where it was under them.
    auto* pc = dynamic_cast<TqlSkinPageControl*>(PageControl());
    if (!pc || !pc->StretchedBackground()) return;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) child->Perform(WM_PARENTLOOKCHANGED);
}

// TqlSkinPageControl

TqlSkinPageControl::TqlSkinPageControl(TComponent* owner) : TPageControl(owner) {
    SetSkinDataName("tab");
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.SetColor(clBtnText);
    Font().Assign(FDefaultFont);
    ApplyTabHeight(FDefaultItemHeight);
    SetSkinData(FormSkinData(owner));
}

void TqlSkinPageControl::SetSkinData(TqlSkinData* value) {
    if (SkinData() && SkinData() != value) RemoveFreeNotification(SkinData());
    TqlSkinLookup::SetSkinData(value);
    if (value) value->FreeNotification(this);
    ChangeSkinData();
}

void TqlSkinPageControl::Notification(TComponent* component, TOperation operation) {
    TPageControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
    if (operation == TOperation::opRemove && component == FImages) SetImages(nullptr);
    if (operation == TOperation::opRemove && component == SkinData()) {
        TqlSkinLookup::SetSkinData(nullptr);
        ChangeSkinData();
    }
}

void TqlSkinPageControl::GetSkinData() {
    LookUp();
    const auto* d = dynamic_cast<const TqlDataSkinTabControl*>(Descriptor());
    FPicture = d ? SkinPicture(*SkinData(), d->PictureIndex) : nullptr;
    if (!d || !FPicture) {
        FIndex = -1;
        FBackground = nullptr;
        return;
    }
    FLook = *d;
    if (RectIsEmpty(FLook.ActiveTabRect)) FLook.ActiveTabRect = FLook.TabRect;
    if (RectIsEmpty(FLook.FocusTabRect)) FLook.FocusTabRect = FLook.ActiveTabRect;
    FBackground = SkinPicture(*SkinData(), FLook.BGPictureIndex);
}

void TqlSkinPageControl::ChangeSkinData() {
    FPageBackgroundValid = false;
    FFrameSize = {-1, -1};
    GetSkinData();
    if (Skinned()) {
        ApplyTabHeight(FTabHeight > 0 ? FTabHeight : HeightOfRect(FLook.TabRect));
        if (UseSkinFont) {
            if (!FLook.FontName.empty()) Font().SetName(FLook.FontName);
            if (FLook.FontHeight > 0) Font().SetHeight(FLook.FontHeight);
            Font().SetStyle(FLook.FontStyle);
        } else {
            Font().Assign(FDefaultFont);
        }
        Font().SetColor(FLook.FontColor);
    } else {
        ApplyTabHeight(FTabHeight > 0 ? FTabHeight : FDefaultItemHeight);
        Font().Assign(FDefaultFont);
    }
    const TqlResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    Font().SetCharset(strings ? strings->CharSet : FDefaultFont.Charset());
    UpdateTabRoom();
    LayoutSheets();
    // The arrows are made again in the new skin's up-down descriptor.
    delete FUpDown;
    FUpDown = nullptr;
    CheckTabOverflow();
    Invalidate();
    if (ActivePage()) ActivePage()->Invalidate();
}

void TqlSkinPageControl::BoundsChanged(bool moved, bool resized) {
    TPageControl::BoundsChanged(moved, resized);
    if (resized) CheckTabOverflow();
}

void TqlSkinPageControl::SetTabPosition(TTabPosition value) {
    TPageControl::SetTabPosition(value);
    CheckTabOverflow();
}

void TqlSkinPageControl::SetMultiLine(bool value) {
    TPageControl::SetMultiLine(value);
    CheckTabOverflow();
}

int TqlSkinPageControl::HiddenTabs(int* scrolledOut) const {
    const int room = Width() - 3 - (FUpDown ? FUpDown->Width() : 0);
    int hidden = 0;
    if (scrolledOut) *scrolledOut = 0;
    for (int i = 0; i < PageCount() && !SideTabs() && !MultiLine(); ++i) {
        if (!Pages(i)->TabVisible()) continue;
        const TRect r = TabRect(i);
        if (r.Right < 1 && scrolledOut) ++*scrolledOut;
        if (r.Right < 1 || r.Right > room) ++hidden;
    }
    return hidden;
}

void TqlSkinPageControl::CheckTabOverflow() {
    int scrolledOut = 0;
    const int hidden = HiddenTabs(&scrolledOut);
    if (hidden == 0) {
        delete FUpDown;
        FUpDown = nullptr;
        return;
    }
    if (!FUpDown) {
        FUpDown = new TqlSkinUpDown(this);
        FUpDown->SetParent(this);
        FUpDown->SetSkinDataName(FLook.UpDown.empty() ? "hupdown" : FLook.UpDown);
        FUpDown->SetSkinData(SkinData());
        FUpDown->SetMin(0);
        FUpDown->SetIncrement(1);
        FUpDown->OnChange = [this](TObject*) {
            // The row may have changed since the last check: captions, widths, tabs shown.
            FUpDown->SetMax(HiddenTabs(nullptr));
            Perform(WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, FUpDown->Position()));
            Invalidate();
        };
    }
    PlaceUpDown();
    FUpDown->SetMax(hidden);
    if (FUpDown->Position() != scrolledOut) FUpDown->SetPosition(scrolledOut);
}

void TqlSkinPageControl::PlaceUpDown() {
    const int top = TabPosition() == TTabPosition::tpTop ? 0 : Height() - FDefaultItemHeight;
    FUpDown->SetBounds(Width() - 2 * FDefaultItemHeight, top, 2 * FDefaultItemHeight, FDefaultItemHeight);
}

void TqlSkinPageControl::TabRowChanged() {
    if (!Destroying()) CheckTabOverflow();
}

void TqlSkinPageControl::ActivePageChanged() {
    if (Destroying()) return;
    CheckTabOverflow();
    ScrollToActiveTab();
}

void TqlSkinPageControl::ScrollToActiveTab() {
    const int active = int(Perform(TCM_GETCURSEL));
    if (!FUpDown || active < 0) return;
    std::vector<TRect> tabs(size_t(Perform(TCM_GETITEMCOUNT)));
    for (size_t i = 0; i < tabs.size(); ++i) Perform(TCM_GETITEMRECT, WPARAM(i), LPARAM(&tabs[i]));
    // The row starts with the first tab that is not scrolled out on the left;
    // scrolling to tab k moves every tab by the distance between k and that one.
    const int first = int(std::count_if(tabs.begin(), tabs.end(), [](const TRect& r) { return r.Right < 1; }));
    if (first >= int(tabs.size())) return;
    const int room = Width() - 3 - FUpDown->Width();
    const int from = tabs[size_t(first)].Left;
    int target = std::min(first, active);
    while (target < active && tabs[size_t(active)].Right - (tabs[size_t(target)].Left - from) > room) ++target;
    if (target == first) return;
    Perform(WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, target));
    CheckTabOverflow();
}

void TqlSkinPageControl::SetTabHeight(int value) {
    FTabHeight = value;
    ChangeSkinData();
}

void TqlSkinPageControl::ApplyTabHeight(int height) { Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(TabWidth, height)); }

void TqlSkinPageControl::SetDefaultItemHeight(int value) {
    FDefaultItemHeight = value;
    // The arrows are this tall and twice as wide, skinned or not.
    if (FUpDown) PlaceUpDown();
    if (!Skinned() && FTabHeight <= 0) {
        ApplyTabHeight(value);
        LayoutSheets();
        Invalidate();
    }
    CheckTabOverflow();
}

TRect TqlSkinPageControl::TabRect(int pageIndex) const {
    TRect r = TPageControl::TabRect(pageIndex);
    if (MultiLine() || SideTabs() || RectIsEmpty(r)) return r;
    int first = 0;
    while (first < PageCount() && !Pages(first)->TabVisible()) ++first;
    if (pageIndex == first) ++r.Left;
    return r;
}

void TqlSkinPageControl::LayoutSheets() {
    const TRect area = ClientRect();
    for (int i = 0; i < PageCount(); ++i) Pages(i)->SetBoundsRect(area);
}

TRect TqlSkinPageControl::ClientRect() const {
    // The plain look's frame runs one pixel round the pages: along the
    // control's edges and right beside the row of tabs.
    if (!Skinned()) return WithoutTabRow(Rect(1, 1, Width() - 1, Height() - 1));
    // The pages fill the skin's client area of a frame that stands beside the tabs.
    const TRect& cl = FLook.ClientRect;
    const int dx = WidthOfRect(FLook.SkinRect) - cl.Right, dy = HeightOfRect(FLook.SkinRect) - cl.Bottom;
    return WithoutTabRow(Rect(cl.Left, cl.Top, Width() - dx, Height() - dy));
}

TRect TqlSkinPageControl::FrameRect() const {
    const TRect d = ClientRect();
    const TRect& cl = FLook.ClientRect;
    return Rect(d.Left - cl.Left, d.Top - cl.Top, d.Right + WidthOfRect(FLook.SkinRect) - cl.Right,
                d.Bottom + HeightOfRect(FLook.SkinRect) - cl.Bottom);
}

void TqlSkinPageControl::PaintPageBackground(TCanvas& canvas, int width, int height) {
    if (width < 1 || height < 1) return;
    GetSkinData();
    TBitmap& b = FPageBackground;
    if (FPageBackgroundValid && b.Width() == width && b.Height() == height && FPageBackgroundSkinned == Skinned()) {
        canvas.Draw(0, 0, b);
        return;
    }
    // Kept in the screen's layout, it is drawn without a conversion each time.
    b.SetPixelFormat(TPixelFormat::pfDevice);
    b.SetSize(width, height);
    FPageBackgroundValid = true;
    FPageBackgroundSkinned = Skinned();
    if (!Skinned()) {
        b.Canvas().Brush().Color = clBtnFace;
        b.Canvas().FillRect(Rect(0, 0, width, height));
    } else if (FBackground) {
        LayOver(b, *FBackground, Rect(0, 0, FBackground->Width(), FBackground->Height()), FLook.StretchEffect,
                int(FLook.StretchType));
    } else {
        LayOver(b, *FPicture, Moved(FLook.ClientRect, FLook.SkinRect.Left, FLook.SkinRect.Top), FLook.StretchEffect,
                int(FLook.StretchType));
    }
    canvas.Draw(0, 0, b);
}

void TqlSkinPageControl::PaintFrame(TCanvas& canvas, const TRect& f) {
    TBitmap &left = FFrameLeft, &top = FFrameTop, &right = FFrameRight, &bottom = FFrameBottom;
    if (FFrameSize != TPoint{f.Width(), f.Height()}) {
        const int dx = f.Width() - WidthOfRect(FLook.SkinRect), dy = f.Height() - HeightOfRect(FLook.SkinRect);
        TRect grown = FLook.ClientRect;
        grown.Right += dx;
        grown.Bottom += dy;
        BuildFrameImage(FLook.LTPoint, FLook.RTPoint, FLook.LBPoint, FLook.RBPoint, FLook.ClientRect, FLook.LTPoint,
                        Moved(FLook.RTPoint, dx, 0), Moved(FLook.LBPoint, 0, dy), Moved(FLook.RBPoint, dx, dy), grown,
                        left, top, right, bottom, *FPicture, FLook.SkinRect, f.Width(), f.Height(), FLook.LeftStretch,
                        FLook.TopStretch, FLook.RightStretch, FLook.BottomStretch);
        for (TBitmap* band : {&left, &top, &right, &bottom}) band->SetPixelFormat(TPixelFormat::pfDevice);
        FFrameSize = {f.Width(), f.Height()};
    }
    canvas.Draw(f.Left, f.Top, top);
    canvas.Draw(f.Left, f.Top + top.Height(), left);
    canvas.Draw(f.Right - right.Width(), f.Top + top.Height(), right);
    canvas.Draw(f.Left, f.Bottom - bottom.Height(), bottom);
}

int TqlSkinPageControl::CloseButtonSize() const {
    return Skinned() && !RectIsEmpty(FLook.CloseButtonRect) ? WidthOfRect(FLook.CloseButtonRect) : 14;
}

void TqlSkinPageControl::SetShowCloseButtons(bool value) {
    if (value == FShowCloseButtons) return;
    FShowCloseButtons = value;
    UpdateTabRoom();
}

void TqlSkinPageControl::SetImages(TCustomImageList* value) {
    if (value == FImages) return;
    FImages = value;
    WatchImageList(*this, value);
    UpdateTabRoom();
}

void TqlSkinPageControl::UpdateTabRoom() {
    const int image = FImages ? (SideTabs() ? FImages->Height() : FImages->Width()) : 0;
    const int extra = image + (FShowCloseButtons ? CloseButtonSize() + 5 : 0);
    if (extra == TabExtraWidth) return;
    TabExtraWidth = extra;
    LayoutSheets();
    CheckTabOverflow();
    Invalidate();
}

void TqlSkinPageControl::SetDefaultFont(const TFont& value) {
    FDefaultFont.Assign(value);
    if (!Skinned()) Font().Assign(FDefaultFont);
}

void TqlSkinPageControl::SetTabsBGTransparent(bool value) {
    if (value == FTabsBGTransparent) return;
    FTabsBGTransparent = value;
    Invalidate();
}

void TqlSkinPageControl::Change() {
    CheckTabOverflow();
    TPageControl::Change();
    Invalidate();
    if (ActivePage()) ActivePage()->Invalidate();
}

int TqlSkinPageControl::CloseButtonAt(int x, int y) const {
    if (!FShowCloseButtons) return -1;
    for (int i = 0; i < PageCount(); ++i) {
        auto* sheet = dynamic_cast<TqlSkinCustomTabSheet*>(Pages(i));
        const TRect tab = TabRect(i);
        if (!sheet || !Pages(i)->TabVisible() || RectIsEmpty(sheet->CloseRect)) continue;
        if (Moved(sheet->CloseRect, tab.Left, tab.Top).Contains({x, y})) return i;
    }
    return -1;
}

void TqlSkinPageControl::ClosePage(TTabSheet* page) {
    if (!page) return;
    bool canClose = true;
    if (OnClose) OnClose(page, canClose);
    if (!canClose) {
        // The pointer may still rest on the button: it keeps its hover face then.
        if (MouseInControl()) return;
        if (auto* sheet = dynamic_cast<TqlSkinCustomTabSheet*>(page)) sheet->CloseMouseIn = sheet->CloseDown = false;
        Invalidate();
        return;
    }
    page->SetTabVisible(false);
    if (FreeOnClose) delete page;
    if (OnAfterClose) OnAfterClose(this);
    Invalidate();
}

void TqlSkinPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const int closing = button == TMouseButton::mbLeft ? CloseButtonAt(x, y) : -1;
    if (closing < 0) {
        TPageControl::MouseDown(button, shift, x, y);
        return;
    }
    // A press on a close button closes that page on release; it does not select it.
    FClosingPage = closing;
    auto* sheet = static_cast<TqlSkinCustomTabSheet*>(Pages(closing));
    sheet->CloseMouseIn = sheet->CloseDown = true;
    Invalidate();
}

void TqlSkinPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TPageControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft) HoverTest(x, y);
    const int closing = FClosingPage;
    FClosingPage = -1;
    if (closing < 0 || closing >= PageCount()) return;
    auto* sheet = static_cast<TqlSkinCustomTabSheet*>(Pages(closing));
    sheet->CloseDown = false;
    sheet->CloseMouseIn = CloseButtonAt(x, y) == closing;
    Invalidate();
    if (sheet->CloseMouseIn && button == TMouseButton::mbLeft) ClosePage(sheet);
}

void TqlSkinPageControl::SetHotPage(int page) {
    if (page == FHotPage) return;
    FHotPage = page;
    Invalidate();
}

void TqlSkinPageControl::MouseMove(TShiftState shift, int x, int y) {
    TPageControl::MouseMove(shift, x, y);
    HoverTest(x, y);
}

void TqlSkinPageControl::HoverTest(int x, int y) {
    int hot = -1;
    for (int i = 0; i < PageCount() && hot < 0; ++i)
        if (Pages(i)->TabVisible() && TabRect(i).Contains({x, y})) hot = i;
    SetHotPage(hot);
    const int over = CloseButtonAt(x, y);
    for (int i = 0; i < PageCount(); ++i)
        if (auto* sheet = dynamic_cast<TqlSkinCustomTabSheet*>(Pages(i)); sheet && sheet->CloseMouseIn != (i == over)) {
            // Leaving a button lets go of its press too; coming back shows it hovered.
            if (sheet->CloseMouseIn) sheet->CloseDown = false;
            sheet->CloseMouseIn = i == over;
            Invalidate();
        }
}

void TqlSkinPageControl::CMMouseLeave(TMessage& m) {
    TPageControl::CMMouseLeave(m);
    SetHotPage(-1);
}

void TqlSkinCustomTabSheet::WndProc(TMessage& m) {
    if (AnswerPaintRequest(m)) return;
    TTabSheet::WndProc(m);
}

void TqlSkinPageControl::WndProc(TMessage& m) {
    if (AnswerPaintRequest(m)) return;
    if (m.Msg == WM_PARENTLOOKCHANGED && FTabsBGTransparent) Invalidate();
    TPageControl::WndProc(m);
    // A single row along the top or bottom starts two pixels further out than
    // the platform lays it; across the row our tabs already sit at the control's edge.
    if (m.Msg == TCM_GETITEMRECT && m.Result && !MultiLine() && !SideTabs()) {
        auto* r = reinterpret_cast<TRect*>(m.LParam);
        r->Left -= 2;
        r->Right -= 2;
    }
}
