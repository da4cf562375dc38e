#include "skin/controls/SkinPanels.h"

#include <algorithm>

#include "platform/gui/controls/NonClient.h"

void SelectSkinFont(TCanvas& C, const std::string& Name, int Height, TFontStyles Style, bool UseSkin,
                    const TFont& DefaultFont, const TqlSkinData* Skin) {
    if (UseSkin) {
        C.Font().SetName(Name);
        C.Font().SetHeight(Height);
        C.Font().SetStyle(Style);
    } else {
        C.Font().Assign(DefaultFont);
    }
    const TqlResourceStrData* strings = Skin ? Skin->ResourceStrData() : nullptr;
    C.Font().SetCharset(strings ? strings->CharSet : DefaultFont.Charset());
}

TqlSkinPanel::TqlSkinPanel(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    FramePaintMode = true;
    SetSkinDataName("panel");
    SetBounds(Left(), Top(), 150, 150);
}

void TqlSkinPanel::SetTransparentMode(bool Value) {
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    Invalidate();
    BroadcastParentLookChanged();
}

void TqlSkinPanel::SetCaptionMode(bool Value) {
    FCaptionMode = Value;
    Invalidate();
    Realign();
}

void TqlSkinPanel::SetCheckedMode(bool Value) {
    FCheckedMode = Value;
    Invalidate();
}

void TqlSkinPanel::SetChecked(bool Value) {
    FChecked = Value;
    if (FCheckedMode) Invalidate();
    if (AutoEnabledControls && FCheckedMode)
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Value);
    if (OnChecked) OnChecked(this);
}

void TqlSkinPanel::SetRollUpMode(bool Value) {
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TqlSkinPanel::SetBorderStyle(TqlSkinBorderStyle Value) {
    FBorderStyle = Value;
    if (FIndex == -1) {
        Invalidate();
        Realign();
    }
}

void TqlSkinPanel::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (FIndex == -1 && FCaptionMode) {
        Invalidate();
        Realign();
    }
}

// Rolling up keeps the user's constraints aside once and gives them back on
// the way down, so a second roll-up cannot overwrite them with the cleared ones.
void TqlSkinPanel::SetRollUpState(bool Value) {
    if (Value == FRollUpState) return;
    if (!FRollUpMode) {
        if (FConstraintsSaved) SetConstraints(FSavedConstraints);
        FConstraintsSaved = false;
        FRollUpState = false;
        return;
    }
    if (Value && !FConstraintsSaved) {
        FSavedConstraints = Constraints();
        FConstraintsSaved = true;
        SetConstraints(TSizeConstraints{});
    }
    FRollUpState = Value;
    ApplyRollUp();
    if (!Value && FConstraintsSaved) {
        SetConstraints(FSavedConstraints);
        FConstraintsSaved = false;
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TqlSkinPanel::ApplyRollUp() {
    if (FRollUpState) {
        if (FRealHeight != -1) return;
        FRealHeight = Height();
        DisableAlign();
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
        SetHeight(RolledHeight());
        return;
    }
    if (FRealHeight == -1) return;
    SetHeight(FRealHeight);
    FRealHeight = -1;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
    EnableAlign();
}

void TqlSkinPanel::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex == -1) return;
    auto* d = dynamic_cast<const TqlDataSkinPanelControl*>(Descriptor());
    if (!d) return;
    CaptionRect = d->CaptionRect;
    FontName = d->FontName;
    FontHeight = d->FontHeight;
    FontStyle = d->FontStyle;
    FontColor = d->FontColor;
    BGPictureIndex = d->BGPictureIndex;
    CheckImageRect = d->CheckImageRect;
    UnCheckImageRect = d->UnCheckImageRect;
}

// A skin change while rolled up measures the caption against the height the
// panel had before the roll-up, not against the rolled-up one.
void TqlSkinPanel::ChangeSkinData() {
    if (FRollUpState && FRealHeight != -1) {
        SetHeight(FRealHeight);
        TqlSkinCustomControl::ChangeSkinData();
        SetHeight(RolledHeight());
        return;
    }
    TqlSkinCustomControl::ChangeSkinData();
    Realign();
}

// Only the caption and the skin's frame remain when rolled up.
int TqlSkinPanel::RolledHeight() const {
    if (FIndex == -1) return FDefaultCaptionHeight + 1;
    const TRect cl = MappedClientRect();
    return Height() - (cl.Bottom - cl.Top);
}

void TqlSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TqlSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1) Invalidate();
}

TRect TqlSkinPanel::MappedClientRect() const { return MapRectToSize(ClRect); }

void TqlSkinPanel::AlignControls(TControl* AControl, TRect& R) {
    R = Rect(0, 0, Width(), Height());
    if (FIndex != -1) {
        const bool wholeArea =
            BGPictureIndex != -1 || (FBorderStyle == TqlSkinBorderStyle::bvNone && !FCaptionMode && ResizeMode == 1);
        if (!wholeArea) R = MappedClientRect();
    } else {
        if (FBorderStyle != TqlSkinBorderStyle::bvNone) R = Rect(1, 1, Width() - 1, Height() - 1);
        if (FCaptionMode) R.Top += FDefaultCaptionHeight;
    }
    TqlSkinCustomControl::AlignControls(AControl, R);
}

TRect TqlSkinPanel::CaptionHotRect() const {
    if (FIndex == -1) return Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
    if (FTransparentMode) return Rect(0, 0, Width(), FTextHeight);
    if (ResizeMode <= 0) return CaptionRect;
    return MapRectToSize(CaptionRect);
}

TColor TqlSkinPanel::FrameLineColor() const {
    if (!Picture) return SkinData()->SkinColors.cBtnShadow;
    return Picture->Pixel((SkinRect.Left + SkinRect.Right) / 2, SkinRect.Bottom - 1);
}

void TqlSkinPanel::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (FIndex == -1 || !FTransparentMode) {
        const TqlSkinData* skin = SkinData();
        if (FIndex != -1 && BGPictureIndex != -1 && SkinPicture(*skin, BGPictureIndex)) {
            const TBitmap& bg = *SkinPicture(*skin, BGPictureIndex);
            for (int y = 0; y < Height(); y += bg.Height())
                for (int x = 0; x < Width(); x += bg.Width()) Canvas().Draw(x, y, bg);
            return;
        }
        TqlSkinCustomControl::Paint();
        return;
    }
    TBitmap B(Width(), Height());
    TCanvas& C = B.Canvas();
    PaintParentBackground(this, C);
    if (FCaptionMode) {
        PaintTransparentCaption(C);
    } else if (FBorderStyle != TqlSkinBorderStyle::bvNone) {
        C.Brush().Style = TBrushStyle::bsClear;
        C.Pen().Color = FrameLineColor();
        C.Rectangle(0, 0, Width(), Height());
    }
    PaintHook(C);
    Canvas().Draw(0, 0, B);
}

// The group-box look over the parent's background: the caption at the top
// left and a line box whose top runs through the caption's middle.
void TqlSkinPanel::PaintTransparentCaption(TCanvas& C) {
    const TqlSkinData* skin = SkinData();
    SelectSkinFont(C, FontName, FontHeight, FontStyle, UseSkinFont, DefaultFont(), skin);
    const int labelIndex = skin->IndexOfControlData("stdlabel");
    auto* label = labelIndex < 0 ? nullptr
                                 : dynamic_cast<const TqlDataSkinStdLabelControl*>(skin->CtrlList[labelIndex].get());
    C.Font().SetColor(label ? label->FontColor : skin->SkinColors.cBtnText);
    const std::string text = Caption();
    FTextHeight = std::max(C.TextHeight(text.empty() ? std::string("Wg") : text), 1);
    int x = 5;
    if (FCheckedMode) {
        const TRect& r = FChecked ? CheckImageRect : UnCheckImageRect;
        if (Picture && !RectIsEmpty(r)) {
            const int h = r.Bottom - r.Top, w = r.Right - r.Left;
            const int y = (FTextHeight - h) / 2;
            C.CopyRect(Rect(x, y, x + w, y + h), *Picture, r);
            x += w + 3;
        }
    }
    C.Brush().Style = TBrushStyle::bsClear;
    if (!text.empty()) C.TextOut(x, 0, text);
    x += text.empty() ? 0 : C.TextWidth(text);
    if (FRollUpMode) {
        DrawDirectionArrow(C, Rect(x + 2, 0, x + 12, FTextHeight), C.Font().Color(), FRollUpState ? 4 : 3);
        x += 12;
    }
    const int mid = FTextHeight / 2;
    C.Pen().Color = FrameLineColor();
    C.Pen().Width = 1;
    C.MoveTo(0, mid);
    C.LineTo(x == 5 ? Width() : 4, mid);
    if (x != 5) {
        C.MoveTo(x + 2, mid);
        C.LineTo(Width(), mid);
    }
    C.MoveTo(Width() - 1, mid);
    C.LineTo(Width() - 1, Height() - 1);
    C.LineTo(0, Height() - 1);
    C.LineTo(0, mid);
}

void TqlSkinPanel::CreateControlDefaultImage(TBitmap& B) {
    TqlSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& C = B.Canvas();
    const int W = Width(), H = Height();
    auto edges = [&](const TRect& r, TColor topLeft, TColor bottomRight) {
        C.Pen().Color = topLeft;
        C.MoveTo(r.Left, r.Bottom - 1);
        C.LineTo(r.Left, r.Top);
        C.LineTo(r.Right - 1, r.Top);
        C.Pen().Color = bottomRight;
        C.LineTo(r.Right - 1, r.Bottom - 1);
        C.LineTo(r.Left - 1, r.Bottom - 1);
    };
    const TRect all = Rect(0, 0, W, H);
    switch (FBorderStyle) {
        case TqlSkinBorderStyle::bvFrame: edges(all, clBtnShadow, clBtnShadow); break;
        case TqlSkinBorderStyle::bvRaised: edges(all, clBtnHighlight, clBtnShadow); break;
        case TqlSkinBorderStyle::bvLowered: edges(all, clBtnShadow, clBtnHighlight); break;
        case TqlSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode) return;
    TRect bar = FBorderStyle == TqlSkinBorderStyle::bvNone ? Rect(0, 0, W, FDefaultCaptionHeight)
                                                           : Rect(1, 1, W - 1, FDefaultCaptionHeight);
    edges(bar, clBtnShadow, clBtnHighlight);
    edges(Rect(bar.Left + 1, bar.Top + 1, bar.Right - 1, bar.Bottom - 1), clBtnHighlight, clBtnShadow);
    TRect area = Rect(bar.Left + 2, bar.Top + 2, bar.Right - 2, bar.Bottom - 2);
    if (FCheckedMode) area.Left += 20;
    if (FRollUpMode) area.Right -= 10;
    C.Font().Assign(DefaultFont());
    if (const TqlSkinData* skin = SkinData(); skin && skin->ResourceStrData())
        C.Font().SetCharset(skin->ResourceStrData()->CharSet);
    const std::string text = Caption();
    const int tw = C.TextWidth(text);
    int x = area.Left + 2;
    if (DefaultAlignment == TAlignment::taRightJustify) x = area.Right - tw;
    if (DefaultAlignment == TAlignment::taCenter) x = area.Left + 2 + (area.Right - area.Left) / 2 - tw / 2;
    if (FCheckedMode) {
        const int top = (area.Top + area.Bottom) / 2 - 7;
        C.Pen().Color = clBtnShadow;
        C.Brush().Style = TBrushStyle::bsClear;
        C.Rectangle(5, top, 19, top + 14);
        if (FChecked) DrawCheckTick(C, 5 + 3, top + 2, clBtnText);
    }
    C.Brush().Style = TBrushStyle::bsClear;
    C.TextRect(area, x, (area.Top + area.Bottom - C.TextHeight(text)) / 2, text);
    if (FRollUpMode)
        DrawDirectionArrow(C, Rect(area.Right, area.Top, area.Right + 10, area.Bottom), clBtnText,
                           FRollUpState ? 4 : 3);
}

void TqlSkinPanel::RedrawChildren() {
    if (!FTransparentMode) return;
    Invalidate();
    BroadcastParentLookChanged();
}

void TqlSkinPanel::ParentLookChanged() { RedrawChildren(); }

void TqlSkinPanel::WMMove(TMessage& M) {
    TqlSkinCustomControl::WMMove(M);
    RedrawChildren();
}

void TqlSkinPanel::CMEnabledChanged(TMessage& M) {
    TqlSkinCustomControl::CMEnabledChanged(M);
    Invalidate();
}

void TqlSkinPanel::CMTextChanged(TMessage& M) {
    TqlSkinCustomControl::CMTextChanged(M);
    if (FCaptionMode) Invalidate();
}

void TqlSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == TMouseButton::mbLeft) {
        GetSkinData();
        const TRect r = CaptionHotRect();
        if (X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom) {
            if (FCheckedMode) SetChecked(!FChecked);
            if (FRollUpMode) SetRollUpState(!FRollUpState);
        }
    }
    TqlSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// TqlSkinGroupBox

TqlSkinGroupBox::TqlSkinGroupBox(TComponent* AOwner) : TqlSkinPanel(AOwner) {
    SetSkinDataName("groupbox");
    SetCaptionMode(true);
}

// TqlSkinStatusBar

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

void TqlSkinStatusBar::AlignControls(TControl* AControl, TRect& R) {
    R = ClientArea();
    TqlSkinCustomControl::AlignControls(AControl, R);
}

TRect TqlSkinStatusBar::ClientArea() const {
    TRect r = Rect(0, 0, Width(), Height());
    if (FIndex != -1 && !(BorderStyle() == TqlSkinBorderStyle::bvNone && !CaptionMode() && ResizeMode == 1))
        r = MapRectToSize(ClRect);
    if (ShowsGrip()) r.Right -= HasGripPicture() ? GripWidth() : (r.Bottom - r.Top);
    return r;
}

TRect TqlSkinStatusBar::GripRect() const {
    const TRect cl = ClientArea();
    if (HasGripPicture())
        return Rect(cl.Right, cl.Bottom - (FGripperRect.Bottom - FGripperRect.Top), cl.Right + GripWidth(), cl.Bottom);
    return Rect(cl.Right + 2, cl.Top, cl.Right + (cl.Bottom - cl.Top), cl.Bottom - 2);
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
