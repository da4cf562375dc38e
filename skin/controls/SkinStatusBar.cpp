#include "skin/controls/SkinPanels.h"

#include "platform/gui/controls/NonClient.h"

TqlSkinStatusBar::TqlSkinStatusBar(TComponent* AOwner) : TqlSkinPanel(AOwner) {
    SetSkinDataName("statusbar");
    SetAlign(TAlign::alBottom);
    SetHeight(21);
    SetBorderStyle(TqlSkinBorderStyle::bvNone);
    FramePaintMode = false;
}

void TqlSkinStatusBar::SetSizeGrip(bool Value) {
    FSizeGrip = Value;
    Invalidate();
    Realign();
}

void TqlSkinStatusBar::SetGripActive(bool Value) {
    FGripActive = Value;
    Invalidate();
    Realign();
}

void TqlSkinStatusBar::SetSkinData(TqlSkinData* Value) {
    TqlSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TqlSkinControl*>(Controls(i))) child->SetSkinData(Value);
}

void TqlSkinStatusBar::GetSkinData() {
    TqlSkinPanel::GetSkinData();
    FGripperRect = TRect{};
    if (FIndex == -1) return;
    if (auto* d = dynamic_cast<const TqlDataSkinPanelControl*>(Descriptor())) {
        FGripperRect = d->GripperRect;
        FGripperTransparent = d->GripperTransparent;
        FGripperTransparentColor = d->GripperTransparentColor;
    }
}

bool TqlSkinStatusBar::HasGripPicture() const { return FIndex != -1 && Picture && !RectIsEmpty(FGripperRect); }

int TqlSkinStatusBar::GripWidth() const {
    if (HasGripPicture()) return FGripperRect.Right - FGripperRect.Left;
    return Height();
}

void TqlSkinStatusBar::AdjustClientRect(TRect& R) { R = ClientArea(); }

TRect TqlSkinStatusBar::ClientArea() const {
    TRect r = PanelClientRect();
    if (ShowsGrip()) r.Right -= HasGripPicture() ? GripWidth() : (r.Bottom - r.Top);
    return r;
}

TRect TqlSkinStatusBar::GripRect() const {
    const TRect cl = ClientArea();
    if (HasGripPicture())
        return Rect(cl.Right, cl.Bottom - (FGripperRect.Bottom - FGripperRect.Top), cl.Right + GripWidth(), cl.Bottom);
    return Rect(cl.Right + 2, cl.Top, cl.Right + (cl.Bottom - cl.Top), cl.Bottom - 2);
}

void TqlSkinStatusBar::Paint() {
    TqlSkinPanel::Paint();
    if (Width() < 1 || Height() < 1 || (FIndex != -1 && TransparentMode())) return;
    PaintHook(Canvas());
}

void TqlSkinStatusBar::PaintHook(TCanvas& C) {
    if (!ShowsGrip()) return;
    const TRect g = GripRect();
    if (HasGripPicture()) {
        TBitmap grip(g.Right - g.Left, g.Bottom - g.Top);
        grip.Canvas().CopyRect(Rect(0, 0, grip.Width(), grip.Height()), *Picture, FGripperRect);
        grip.Transparent = FGripperTransparent;
        grip.TransparentColor = FGripperTransparentColor;
        C.Draw(g.Left, g.Top, grip);
        return;
    }
    const bool skinned = FIndex != -1;
    const TColor shadow = skinned ? SkinData()->SkinColors.cBtnShadow : clBtnShadow;
    const TColor light = skinned ? SkinData()->SkinColors.cBtnHighLight : clBtnHighlight;
    for (int k = 0; g.Left + k + 2 <= g.Right; k += 3) {
        C.Pen().Color = shadow;
        C.MoveTo(g.Left + k, g.Bottom);
        C.LineTo(g.Right, g.Top + k);
        C.Pen().Color = light;
        C.MoveTo(g.Left + k + 1, g.Bottom);
        C.LineTo(g.Right, g.Top + k + 1);
    }
}

void TqlSkinStatusBar::WndProc(TMessage& M) {
    if (M.Msg == WM_NCHITTEST && ShowsGrip()) {
        const TPoint p = ScreenToClient(Point(LoWordSigned(M.LParam), HiWordSigned(M.LParam)));
        const TRect g = GripRect();
        M.Result = p.X >= g.Left && p.X < g.Right && p.Y >= g.Top && p.Y < g.Bottom ? HTBOTTOMRIGHT : HTCLIENT;
        return;
    }
    TqlSkinPanel::WndProc(M);
}
