// Panels, bevels, splitters and images, drawn in the classic 3-D manner.

#include "platform/gui/ExtCtrls.h"

#include <algorithm>

#include "platform/gui/StdPaint.h"

using namespace stdpaint;

namespace {

// Top-left and bottom-right colours of a raised or lowered edge.
std::pair<TColor, TColor> EdgeColors(bool raised) {
    return raised ? std::pair{clBtnHighlight, clBtnShadow} : std::pair{clBtnShadow, clBtnHighlight};
}

}  // namespace

// TPanel

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

int TPanel::FrameWidth() const {
    int width = BorderWidth;
    if (BevelOuter != TBevelCut::bvNone) width += BevelWidth;
    if (BevelInner != TBevelCut::bvNone) width += BevelWidth;
    return width;
}

TRect TPanel::ClientRect() const {
    const int f = FrameWidth();
    return Rect(f, f, std::max(f, Width() - f), std::max(f, Height() - f));
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    Fill(canvas, r, Color());
    if (BevelOuter != TBevelCut::bvNone) {
        auto [light, dark] = EdgeColors(BevelOuter == TBevelCut::bvRaised);
        Frame3D(canvas, r, light, dark, BevelWidth);
    }
    Frame3D(canvas, r, Color(), Color(), BorderWidth);
    if (BevelInner != TBevelCut::bvNone) {
        auto [light, dark] = EdgeColors(BevelInner == TBevelCut::bvRaised);
        Frame3D(canvas, r, light, dark, BevelWidth);
    }
    if (Caption().empty()) return;
    canvas.Font().Assign(Font());
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (Alignment == TAlignment::taCenter) flags |= DT_CENTER;
    if (Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
    DrawCaption(canvas, Caption(), r, flags, EffectivelyEnabled());
}

// TBevel

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::Paint() {
    TCanvas& canvas = Canvas();
    auto [first, second] = EdgeColors(Style == TBevelStyle::bsRaised);
    const int w = Width(), h = Height();
    auto line = [&](TColor color, const TRect& r) { Fill(canvas, r, color); };
    switch (Shape) {
        case TBevelShape::bsBox: {
            TRect r = Rect(0, 0, w, h);
            Frame3D(canvas, r, first, second, 1);
            break;
        }
        case TBevelShape::bsFrame: {
            // Two boxes, one pixel apart, in opposite colours: an etched line.
            TRect outer = Rect(1, 1, w, h);
            Frame3D(canvas, outer, second, second, 1);
            TRect inner = Rect(0, 0, w - 1, h - 1);
            Frame3D(canvas, inner, first, first, 1);
            break;
        }
        case TBevelShape::bsTopLine:
            line(first, Rect(0, 0, w, 1));
            line(second, Rect(0, 1, w, 2));
            break;
        case TBevelShape::bsBottomLine:
            line(first, Rect(0, h - 2, w, h - 1));
            line(second, Rect(0, h - 1, w, h));
            break;
        case TBevelShape::bsLeftLine:
            line(first, Rect(0, 0, 1, h));
            line(second, Rect(1, 0, 2, h));
            break;
        case TBevelShape::bsRightLine:
            line(first, Rect(w - 2, 0, w - 1, h));
            line(second, Rect(w - 1, 0, w, h));
            break;
        case TBevelShape::bsSpacer: break;
    }
}

// TSplitter

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetAlign(TAlign::alLeft);
    SetBounds(0, 0, 3, 100);
    Cursor = TCursor::crSizeWE;
}

void TSplitter::Paint() { Fill(Canvas(), ClientRect(), Color()); }

// The visible control of the same alignment that touches the splitter on the
// side it is aligned to.
TControl* TSplitter::FindControl() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    TPoint p;
    switch (Align()) {
        case TAlign::alLeft: p = {Left() - 1, Top()}; break;
        case TAlign::alRight: p = {Left() + Width(), Top()}; break;
        case TAlign::alTop: p = {Left(), Top() - 1}; break;
        case TAlign::alBottom: p = {Left(), Top() + Height()}; break;
        default: return nullptr;
    }
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c != this && c->Visible() && c->Align() == Align() && c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    FControl = FindControl();
    if (!FControl) return;
    FDownPos = {x + Left(), y + Top()};
    FDownSize = Horizontal() ? FControl->Width() : FControl->Height();
    // Whatever the controls of this axis leave over may go to FControl, but
    // the rest of the client area keeps MinSize.
    TWinControl* parent = Parent();
    FMaxSize = (Horizontal() ? parent->ClientWidth() : parent->ClientHeight()) - MinSize + FDownSize;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        if (Horizontal() && (c->Align() == TAlign::alLeft || c->Align() == TAlign::alRight)) FMaxSize -= c->Width();
        if (!Horizontal() && (c->Align() == TAlign::alTop || c->Align() == TAlign::alBottom)) FMaxSize -= c->Height();
    }
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    Cursor = Horizontal() ? TCursor::crSizeWE : TCursor::crSizeNS;
    if (!FControl) return;
    // In the parent's coordinates: the splitter itself moves as the control resizes.
    const TPoint p{x + Left(), y + Top()};
    int delta = Horizontal() ? p.X - FDownPos.X : p.Y - FDownPos.Y;
    if (Align() == TAlign::alRight || Align() == TAlign::alBottom) delta = -delta;
    const int size = std::max(MinSize, std::min(FDownSize + delta, FMaxSize));
    const TRect r = FControl->BoundsRect();
    switch (Align()) {
        case TAlign::alLeft: FControl->SetWidth(size); break;
        case TAlign::alTop: FControl->SetHeight(size); break;
        case TAlign::alRight: FControl->SetBounds(r.Right - size, r.Top, size, r.Height()); break;
        case TAlign::alBottom: FControl->SetBounds(r.Left, r.Bottom - size, r.Width(), size); break;
        default: break;
    }
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !FControl) return;
    const int size = Horizontal() ? FControl->Width() : FControl->Height();
    FControl = nullptr;
    if (size != FDownSize && OnMoved) OnMoved(this);
}

// TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::Paint() {
    if (FPicture.Empty()) return;
    TCanvas& canvas = Canvas();
    if (Stretch) {
        canvas.StretchDraw(ClientRect(), FPicture);
    } else if (Center) {
        canvas.Draw((Width() - FPicture.Width()) / 2, (Height() - FPicture.Height()) / 2, FPicture);
    } else {
        canvas.Draw(0, 0, FPicture);
    }
}
