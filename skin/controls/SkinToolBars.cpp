#include "skin/controls/SkinToolBars.h"

#include <algorithm>

#include "platform/gui/controls/NonClient.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/qlSkinCtrls.h"

TqlSkinToolBar::TqlSkinToolBar(TComponent* AOwner) : TqlSkinPanel(AOwner) {
    SetSkinDataName("toolpanel");
    SetBorderStyle(TqlSkinBorderStyle::bvNone);
    FramePaintMode = false;
    SetDefaultHeight(0);
    SetHeight(25);
}

template <class F>
void TqlSkinToolBar::ForEachSpeedButton(F Apply) {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TqlSkinSpeedButton*>(Controls(i))) Apply(*button);
}

void TqlSkinToolBar::SetImages(const TCustomImageList* Value) {
    FImages = Value;
    WatchImageList(*this, Value);
    ForEachSpeedButton([&](TqlSkinSpeedButton& b) { b.SetImageList(Value); });
}

void TqlSkinToolBar::SetHotImages(const TCustomImageList* Value) {
    FHotImages = Value;
    WatchImageList(*this, Value);
    RepaintButtons();
}

void TqlSkinToolBar::SetDisabledImages(const TCustomImageList* Value) {
    FDisabledImages = Value;
    WatchImageList(*this, Value);
    RepaintButtons();
}

void TqlSkinToolBar::RepaintButtons() {
    ForEachSpeedButton([](TqlSkinSpeedButton& b) { b.Repaint(); });
}

void TqlSkinToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TqlSkinPanel::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FHotImages) FHotImages = nullptr;
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

void TqlSkinToolBar::AdjustClientRect(TRect& R) {
    TqlSkinPanel::AdjustClientRect(R);
    if (!FButtonsShown) return;
    const TRect inner = R;
    R = Rect(-FScrollPos, 0, FContentWidth - FScrollPos, ClientHeight());
    if (FIndex == -1) {
        R.Top = 1;
        R.Bottom -= 1;
    } else if (!(BorderStyle() == TqlSkinBorderStyle::bvNone && !CaptionMode() && ResizeMode == 1)) {
        R.Top = inner.Top;
        R.Bottom = inner.Bottom;
    }
}

void TqlSkinToolBar::CreateControlSkinImage(TBitmap& B) {
    if (!FButtonsShown || ResizeMode != 2 || !Picture) {
        TqlSkinPanel::CreateControlSkinImage(B);
        return;
    }
    TBitmap whole(Width(), Height());
    BuildFace(whole, SkinRect, Width(), Height(), true);
    B.Canvas().CopyRect(Rect(0, 0, B.Width(), B.Height()), whole,
                        Rect(kButtonWidth, 0, kButtonWidth + B.Width(), B.Height()));
}

void TqlSkinToolBar::SetFlat(bool Value) {
    FFlat = Value;
    ForEachSpeedButton([&](TqlSkinSpeedButton& b) { b.SetFlat(Value); });
}

void TqlSkinToolBar::SetShowCaptions(bool Value) {
    FShowCaptions = Value;
    if (AutoShowHideCaptions) ForEachSpeedButton([&](TqlSkinSpeedButton& b) { b.SetShowCaption(Value); });
    if (WidthWithCaptions != 0 && WidthWithoutCaptions != 0)
        SetWidth(Value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TqlSkinToolBar::SetSkinData(TqlSkinData* Value) {
    TqlSkinPanel::SetSkinData(Value);
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TqlSkinSpeedButton*>(Controls(i)) || dynamic_cast<TqlSkinBevel*>(Controls(i)))
            dynamic_cast<TqlSkinLink*>(Controls(i))->SetSkinData(Value);
}

void TqlSkinToolBar::GetSkinData() {
    TqlSkinPanel::GetSkinData();
    FButtonLook = nullptr;
    if (const TqlSkinData* skin = SkinData(); skin && !skin->Empty) {
        const int i = skin->IndexOfControlData("resizebutton");
        if (i >= 0) FButtonLook = dynamic_cast<const TqlDataSkinButtonControl*>(skin->CtrlList[size_t(i)].get());
    }
}

void TqlSkinToolBar::SetCanScroll(bool Value) {
    FCanScroll = Value;
    UpdateFit();
}

void TqlSkinToolBar::SetScrollOffset(int Value) {
    if (Value >= 0) FScrollOffset = Value;
}

void TqlSkinToolBar::SetScrollTimerInterval(int Value) {
    if (Value >= 1) FScrollTimerInterval = Value;
}

void TqlSkinToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TqlSkinPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FCanScroll) UpdateFit();
    if (AdjustControls) CentreChildren();
}

int ToolBarCentredTop(const TControl& C, int ATop, int AHeight) {
    auto* bar = dynamic_cast<const TqlSkinToolBar*>(C.Parent());
    if (!bar || !bar->AdjustControls) return ATop;
    const TRect cl = bar->ClientRect();
    return cl.Top + cl.Height() / 2 - AHeight / 2;
}

// Skinned children and bevels centre themselves in their own SetBounds; the
// others are put in the middle.
void TqlSkinToolBar::CentreChildren() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() != TAlign::alNone) continue;
        const bool selfCentring = dynamic_cast<TqlSkinLookup*>(c) || dynamic_cast<TqlSkinBevel*>(c);
        const int top = selfCentring ? c->Top() : ToolBarCentredTop(*c, c->Top(), c->Height());
        c->SetBounds(c->Left(), top, c->Width(), c->Height());
    }
}

void TqlSkinToolBar::ScrollChildren(int DX) {
    if (DX == 0) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + DX, c->Top(), c->Width(), c->Height());
    }
    Invalidate();
}

void TqlSkinToolBar::UpdateFit() {
    if (!FCanScroll || Width() == 0) {
        FFitClientWidth = 0;
        if (FButtonsShown) {
            FButtonsShown = false;
            RecalcNonClient();
        }
        return;
    }
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Visible()) extent = std::max(extent, Controls(i)->Left() + Controls(i)->Width());
    if (Width() >= extent + FScrollPos) {
        ScrollChildren(FScrollPos);
        FScrollPos = 0;
        FContentWidth = 0;
        FFitClientWidth = 0;
        StopTimer();
        if (FButtonsShown) {
            FButtonsShown = false;
            RecalcNonClient();
        }
        return;
    }
    FContentWidth = extent + FScrollPos;
    if (!FButtonsShown) {
        FButtonsShown = true;
        RecalcNonClient();
    }
    // A bar that grew while scrolled gives the growth back to the children,
    // and never leaves room beyond the last of them.
    const int growth = FFitClientWidth > 0 ? ClientWidth() - FFitClientWidth : 0;
    FFitClientWidth = ClientWidth();
    const int most = std::max(FContentWidth - ClientWidth(), 0);
    const int pos = std::min(growth > 0 ? std::max(FScrollPos - growth, 0) : FScrollPos, most);
    ScrollChildren(FScrollPos - pos);
    FScrollPos = pos;
}

void TqlSkinToolBar::ScrollStep(bool Left) {
    const int step = FScrollOffset > 0 ? FScrollOffset : ClientWidth();
    const int most = std::max(FContentWidth - ClientWidth(), 0);
    const int pos = Left ? std::max(FScrollPos - step, 0) : std::min(FScrollPos + step, most);
    if (pos == FScrollPos) {
        StopTimer();
        return;
    }
    ScrollChildren(FScrollPos - pos);
    FScrollPos = pos;
}

void TqlSkinToolBar::StartTimer(int Direction) {
    FTimerDir = Direction;
    SetTimer(1, FScrollTimerInterval);
}

void TqlSkinToolBar::StopTimer() {
    if (FTimerDir == 0) return;
    FTimerDir = 0;
    KillTimer(1);
}

void TqlSkinToolBar::ClearHot() {
    if (!FHot[0] && !FHot[1]) return;
    FHot[0] = FHot[1] = false;
    StopTimer();
    Invalidate();
}

void TqlSkinToolBar::CMMouseLeave(TMessage& M) {
    TqlSkinPanel::CMMouseLeave(M);
    ClearHot();
}

bool TqlSkinToolBar::PaintSkinButton(TCanvas& C, const TRect& R, bool Down, bool Hot) const {
    if (!FButtonLook) return false;
    const TBitmap* picture = SkinPicture(*SkinData(), FButtonLook->PictureIndex);
    if (!picture || RectIsEmpty(FButtonLook->SkinRect)) return false;
    const TqlDataSkinButtonControl& d = *FButtonLook;
    const TRect active = RectIsEmpty(d.ActiveSkinRect) ? d.SkinRect : d.ActiveSkinRect;
    const TRect down = RectIsEmpty(d.DownSkinRect) ? active : d.DownSkinRect;
    TBitmap face(WidthOfRect(R), HeightOfRect(R));
    BuildNinePartSized(face, *picture, Down ? down : Hot ? active : d.SkinRect, d.ClientRect, true);
    C.Draw(R.Left, R.Top, face);
    return true;
}

void TqlSkinToolBar::PaintButtons(TCanvas& C) {
    GetSkinData();
    for (int b = 0; b < 2; ++b) {
        const TRect r = b == 0 ? Rect(0, 0, kButtonWidth, Height()) : Rect(Width() - kButtonWidth, 0, Width(), Height());
        const bool down = FHot[b] && (FPressed[b] || HotScroll);
        TColor arrow = clBtnText;
        if (PaintSkinButton(C, r, down, FHot[b])) {
            arrow = down ? FButtonLook->DownFontColor : FHot[b] ? FButtonLook->ActiveFontColor : FButtonLook->FontColor;
        } else {
            DrawPlainFace(C, r, down ? TqlPlainFace::Down : FHot[b] ? TqlPlainFace::Hot : TqlPlainFace::Idle);
        }
        DrawDirectionArrow(C, r, arrow, b == 0 ? 1 : 2);
    }
}

void TqlSkinToolBar::WndProc(TMessage& M) {
    if (FButtonsShown) {
        const int code = int(M.WParam);
        switch (M.Msg) {
            case WM_NCCALCSIZE: {
                auto& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(M.LParam)->rgrc[0];
                r.Left += kButtonWidth;
                r.Right -= kButtonWidth;
                return;
            }
            case WM_NCHITTEST: {
                const TPoint p = ScreenToClient({LoWordSigned(M.LParam), HiWordSigned(M.LParam)});
                M.Result = p.X < 0 ? LRESULT(HTSCROLLLEFT) : p.X >= ClientWidth() ? LRESULT(HTSCROLLRIGHT) : LRESULT(HTCLIENT);
                return;
            }
            case WM_SETCURSOR:
                if (LoWord(uintptr_t(M.LParam)) == HTSCROLLLEFT || LoWord(uintptr_t(M.LParam)) == HTSCROLLRIGHT)
                    M.LParam = MAKELPARAM(int(HTCLIENT), HiWord(uintptr_t(M.LParam)));
                break;
            case WM_NCPAINT:
                if (M.WParam) PaintButtons(*reinterpret_cast<TCanvas*>(M.WParam));
                return;
            case WM_NCMOUSEMOVE:
                if (code == HTSCROLLLEFT || code == HTSCROLLRIGHT) {
                    const int b = code == HTSCROLLLEFT ? 0 : 1;
                    if (!FHot[b]) {
                        FHot[b] = true;
                        FHot[1 - b] = false;
                        Invalidate();
                        if (HotScroll) StartTimer(b + 1);
                    }
                    return;
                }
                break;
            case WM_NCLBUTTONDOWN:
                if (code == HTSCROLLLEFT || code == HTSCROLLRIGHT) {
                    const int b = code == HTSCROLLLEFT ? 0 : 1;
                    FHot[b] = FPressed[b] = true;
                    Invalidate();
                    StartTimer(b + 1);
                    return;
                }
                break;
            case WM_NCLBUTTONUP:
                if (code == HTSCROLLLEFT || code == HTSCROLLRIGHT) {
                    const int b = code == HTSCROLLLEFT ? 0 : 1;
                    FPressed[b] = false;
                    StopTimer();
                    Invalidate();
                    ScrollStep(b == 0);
                    return;
                }
                break;
            case WM_TIMER:
                if (M.WParam == 1 && FTimerDir != 0) {
                    ScrollStep(FTimerDir == 1);
                    return;
                }
                break;
            case WM_MOUSEMOVE: ClearHot(); break;
            default: break;
        }
    }
    TqlSkinPanel::WndProc(M);
    if (M.Msg == WM_WINDOWPOSCHANGING && HandleAllocated() && AdjustControls) CentreChildren();
}
