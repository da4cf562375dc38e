// The painting half of the skinned page control: the frame round the pages,
// the strip behind the tabs and each tab, drawn unturned in a bitmap of the
// tab's length and thickness, then flipped or turned to its side.

#include "skin/controls/SkinTabParts.h"
#include "skin/controls/qlSkinTabs.h"
#include "skin/core/qlEffects.h"
#include "skin/core/qlPictureOps.h"

namespace {

// The plain look's colours.
constexpr TColor kPlainHot = 0xD2BDB6, kPlainActiveFocused = 0xB59385, kPlainActiveFrame = 0x800000;

}  // namespace

void TqlSkinPageControl::Paint() {
    GetSkinData();
    TCanvas& c = Canvas();
    bool anyTab = false;
    for (int i = 0; i < PageCount(); ++i) anyTab = anyTab || Pages(i)->TabVisible();
    const int active = ActivePage() && ActivePage()->TabVisible() ? ActivePageIndex() : -1;
    if (!Skinned()) {
        c.Brush().Color = clBtnFace;
        c.FillRect(Rect(0, 0, Width(), Height()));
        const TRect d = ClientRect();
        c.Brush().Color = clBtnShadow;
        c.FrameRect(Rect(d.Left - 1, d.Top - 1, d.Right + 1, d.Bottom + 1));
        for (int i = 0; i < PageCount(); ++i)
            if (Pages(i)->TabVisible()) PaintTab(c, i, TabRect(i), i == active, i == FHotPage);
        return;
    }
    // Without a tab shown nothing covers the control before the frame: the
    // pages' background goes under it, as an erase would put it.
    if (!anyTab) PaintPageBackground(c, Width(), Height());
    const TRect frame = FrameRect();
    PaintFrame(c, frame);
    if (PageCount() > 0) PaintStrip(c, frame, active);
    // The selected tab comes last: it may reach over the frame to join its page.
    if (active >= 0) PaintTab(c, active, TabRect(active), true, active == FHotPage);
}

// The strip behind the tabs, the band between the frame and the tabs' side,
// with every tab but the selected one drawn into it: a face taller than the
// row is cut at the strip's edge and never covers the frame.
void TqlSkinPageControl::PaintStrip(TCanvas& c, const TRect& frame, int active) {
    TRect band;
    switch (TabPosition()) {
        case TTabPosition::tpTop: band = Rect(0, 0, Width(), frame.Top); break;
        case TTabPosition::tpBottom: band = Rect(0, frame.Bottom, Width(), Height()); break;
        case TTabPosition::tpLeft: band = Rect(0, 0, frame.Left, Height()); break;
        case TTabPosition::tpRight: band = Rect(frame.Right, 0, Width(), Height()); break;
    }
    if (band.Width() < 1 || band.Height() < 1) return;
    TBitmap strip(band.Width(), band.Height());
    if (FTabsBGTransparent) {
        PaintParentBackgroundAt(this, band, strip.Canvas());
    } else {
        TRect bg = FLook.TabsBGRect;
        if (RectIsEmpty(bg)) bg = Moved(FLook.ClientRect, FLook.SkinRect.Left, FLook.SkinRect.Top);
        qlPictureOps::Tile(strip, Rect(0, 0, strip.Width(), strip.Height()), *FPicture, bg, true, true);
    }
    for (int i = 0; i < PageCount(); ++i)
        if (i != active && Pages(i)->TabVisible())
            PaintTab(strip.Canvas(), i, Moved(TabRect(i), -band.Left, -band.Top), false, i == FHotPage);
    c.Draw(band.Left, band.Top, strip);
}

void TqlSkinPageControl::BuildTabFace(TBitmap& tab, bool active, bool focused, bool mouseIn, int length,
                                      int thickness) const {
    TRect src = active ? (focused ? FLook.FocusTabRect : FLook.ActiveTabRect) : FLook.TabRect;
    if (mouseIn && !active && !RectIsEmpty(FLook.MouseInTabRect)) src = FLook.MouseInTabRect;
    if (FTabHeight <= 0) {
        BuildHThreePart(FLook.TabLeftOffset, FLook.TabRightOffset, tab, *FPicture, src, length, thickness,
                        FLook.TabStretchEffect);
    } else {
        // A tab of the user's height: nine parts, the corners a quarter of the face high.
        const int sw = WidthOfRect(src), sh = HeightOfRect(src), q = sh / 4;
        const int taller = HeightOfRect(FLook.ActiveTabRect) - HeightOfRect(FLook.TabRect);
        const int h = thickness + (active && taller > 0 ? taller : 0);
        const int l = FLook.TabLeftOffset, r = FLook.TabRightOffset;
        BuildNinePart({l, q}, {sw - r, q}, {l, sh - q}, {sw - r, sh - q}, Rect(l, q, sw - r, sh - q), {l, q},
                      {length - r, q}, {l, h - q}, {length - r, h - q}, Rect(l, q, length - r, h - q), tab, *FPicture,
                      src, length, h, true, true, true, true, true, true, stFull);
    }
    // A bottom tab opens upward into its page: its face upside down, its caption upright.
    if (TabPosition() == TTabPosition::tpBottom) {
        TqlEffectBmp flipped(0, 0);
        TqlEffectBmp(tab).FlipVertical(flipped);
        flipped.CopyTo(tab);
    }
}

void TqlSkinPageControl::PlainTabFace(TBitmap& tab, bool active, bool focused, bool mouseIn, int length,
                                      int thickness) const {
    tab.SetSize(length, thickness);
    TCanvas& c = tab.Canvas();
    const TRect all = Rect(0, 0, length, thickness);
    c.Brush().Color = active ? (focused ? kPlainActiveFocused : kPlainHot) : mouseIn ? kPlainHot : clBtnFace;
    c.FillRect(all);
    if (!active) return;
    c.Brush().Color = kPlainActiveFrame;
    c.FrameRect(all);
}

void TqlSkinPageControl::DrawTabContent(TCanvas& canvas, int page, const TRect& text, int thickness,
                                        int shift) const {
    const std::string& caption = Pages(page)->Caption();
    const auto* sheet = dynamic_cast<const TqlSkinCustomTabSheet*>(Pages(page));
    if (!FImages || !sheet || sheet->ImageIndex < 0 || sheet->ImageIndex >= FImages->Count()) {
        TRect area = text;
        canvas.DrawText(caption, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const int tw = canvas.TextWidth(caption), iw = FImages->Width();
    const int x0 = text.Right / 2 - (iw + tw + 4) / 2;
    FImages->Draw(canvas, x0, (thickness - FImages->Height()) / 2 + shift, sheet->ImageIndex);
    TRect box = Rect(x0 + iw + 2, text.Top, x0 + iw + 2 + tw + 2, text.Bottom);
    canvas.DrawText(caption, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TqlSkinPageControl::PaintTab(TCanvas& canvas, int page, const TRect& r, bool active, bool mouseIn) {
    if (page >= PageCount()) return;
    // Drawn as a top tab of the row's length and thickness, then flipped or turned to its side.
    const int length = SideTabs() ? r.Height() : r.Width(), thickness = SideTabs() ? r.Width() : r.Height();
    if (length < 1 || thickness < 1) return;
    const bool skinned = Skinned(), focused = active && Focused();
    TBitmap tab;
    if (skinned)
        BuildTabFace(tab, active, focused, mouseIn, length, thickness);
    else
        PlainTabFace(tab, active, focused, mouseIn, length, thickness);
    TCanvas& tc = tab.Canvas();
    tc.Font().Assign(Font());
    if (skinned)
        tc.Font().SetColor(mouseIn && !active ? FLook.MouseInFontColor
                           : focused          ? FLook.FocusFontColor
                           : !active          ? FLook.FontColor
                                              : FLook.ActiveFontColor);
    // The tab of a disabled page does not answer a click, so it shows that it will not.
    if (!Pages(page)->Enabled()) tc.Font().SetColor(clGrayText);
    // Where the selected tab stands taller, the others keep their caption clear of the page.
    const bool awayIsDown = TabPosition() == TTabPosition::tpTop || TabPosition() == TTabPosition::tpLeft;
    const int away = skinned && !active && HeightOfRect(FLook.TabRect) != HeightOfRect(FLook.ActiveTabRect) ? 2 : 0;
    const int shift = awayIsDown ? away : -away;
    TRect text = Rect(0, shift, length, thickness + shift);
    auto* sheet = dynamic_cast<TqlSkinCustomTabSheet*>(Pages(page));
    TRect button;
    if (FShowCloseButtons && sheet) {
        // Only a tab the pointer is not over loses its button's hover face.
        if (page != FHotPage) sheet->CloseMouseIn = false;
        button = ClosePlace(length, text.Top, text.Bottom);
        text.Right = button.Left;
    }
    if (OnDrawSkinTab) {
        OnDrawSkinTab(page, Rect(0, 0, length, thickness), active, mouseIn, tc);
        button = TRect{};
    } else {
        tc.Brush().Style = TBrushStyle::bsClear;
        DrawTabContent(tc, page, text, thickness, shift);
        if (!RectIsEmpty(button)) DrawCloseButton(tc, *sheet, button);
    }
    // Hit-tests take the button where the turned tab shows it.
    if (sheet && FShowCloseButtons) sheet->CloseRect = RectIsEmpty(button) ? TRect{} : TurnedForTab(button, length, thickness);
    if (skinned && FLook.ShowFocus && focused)
        tc.DrawFocusRect(Rect(FLook.FocusOffsetX, FLook.FocusOffsetY, length - FLook.FocusOffsetX,
                              thickness - FLook.FocusOffsetY));
    // A face taller than the row (the selected one) reaches over the frame
    // into its page, on whichever side the page lies.
    const int over = tab.Height() - thickness;
    switch (TabPosition()) {
        case TTabPosition::tpTop: canvas.Draw(r.Left, r.Top, tab); break;
        case TTabPosition::tpBottom: canvas.Draw(r.Left, r.Top - over, tab); break;
        case TTabPosition::tpLeft:
        case TTabPosition::tpRight: {
            TqlEffectBmp turned(0, 0);
            if (TabPosition() == TTabPosition::tpLeft)
                TqlEffectBmp(tab).RotateLeft(turned);
            else
                TqlEffectBmp(tab).RotateRight(turned);
            turned.Draw(canvas, TabPosition() == TTabPosition::tpLeft ? r.Left : r.Left - over, r.Top);
            break;
        }
    }
}

TRect TqlSkinPageControl::ClosePlace(int length, int top, int bottom) const {
    const int size = CloseButtonSize();
    const int left = length - size - (Skinned() ? 5 : 2), y = top + (bottom - top - size) / 2;
    return Rect(left, y, left + size, y + size);
}

TRect TqlSkinPageControl::TurnedForTab(const TRect& b, int length, int thickness) const {
    if (TabPosition() == TTabPosition::tpLeft) return Rect(b.Top, length - b.Right, b.Bottom, length - b.Left);
    if (TabPosition() == TTabPosition::tpRight) return Rect(thickness - b.Bottom, b.Left, thickness - b.Top, b.Right);
    return b;
}

void TqlSkinPageControl::DrawCloseButton(TCanvas& canvas, TqlSkinCustomTabSheet& sheet, const TRect& r) {
    const bool down = sheet.CloseMouseIn && sheet.CloseDown;
    if (!Skinned()) {
        DrawCloseGlyph(canvas, r.Left + 2, r.Top + 2, sheet.CloseMouseIn ? clWhite : clBlack);
        return;
    }
    if (!RectIsEmpty(FLook.CloseButtonRect)) {
        TRect src = FLook.CloseButtonRect;
        const TRect hot = RectIsEmpty(FLook.CloseButtonActiveRect) ? src : FLook.CloseButtonActiveRect;
        if (sheet.CloseMouseIn) src = down && !RectIsEmpty(FLook.CloseButtonDownRect) ? FLook.CloseButtonDownRect : hot;
        TBitmap b(WidthOfRect(src), HeightOfRect(src));
        qlPictureOps::Copy(b, Rect(0, 0, b.Width(), b.Height()), *FPicture, src);
        b.Transparent = FLook.ButtonTransparent;
        b.TransparentColor = FLook.ButtonTransparentColor;
        canvas.Draw(r.Left, r.Top, b);
        return;
    }
    // No close button in the tab skin: a small tool button's face with the cross.
    const int index = SkinData()->IndexOfControlData("resizetoolbutton");
    const auto* face =
        index >= 0 ? dynamic_cast<const TqlDataSkinButtonControl*>(SkinData()->CtrlList[size_t(index)].get()) : nullptr;
    const TBitmap* picture = face ? SkinPicture(*SkinData(), face->PictureIndex) : nullptr;
    TColor ink = clBlack;
    if (picture) {
        const TRect hover = RectIsEmpty(face->ActiveSkinRect) ? face->SkinRect : face->ActiveSkinRect;
        const TRect pressed = RectIsEmpty(face->DownSkinRect) ? hover : face->DownSkinRect;
        TBitmap b(r.Width(), r.Height());
        BuildNinePartSized(b, *picture, down ? pressed : sheet.CloseMouseIn ? hover : face->SkinRect, face->ClientRect,
                           true);
        canvas.Draw(r.Left, r.Top, b);
        ink = down ? face->DownFontColor : sheet.CloseMouseIn ? face->ActiveFontColor : face->FontColor;
    }
    DrawCloseGlyph(canvas, r.Left + 2, r.Top + 2, ink);
}
