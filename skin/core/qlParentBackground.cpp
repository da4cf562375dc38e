// Painting what lies behind a control, for skinned controls whose pictures
// have transparent or shaped parts.

#include "platform/gui/Forms.h"
#include "skin/core/qlUtils.h"

namespace {

// Marks a control as painting a copy of itself for another control's picture.
class TPaintCopy {
public:
    explicit TPaintCopy(TControl& Control) : FControl(Control) {
        FControl.SetControlState(FControl.ControlState() | csPaintCopy);
    }
    ~TPaintCopy() { FControl.SetControlState(FControl.ControlState() & ~csPaintCopy); }
    TPaintCopy(const TPaintCopy&) = delete;
    TPaintCopy& operator=(const TPaintCopy&) = delete;

private:
    TControl& FControl;
};

void PaintBehind(TControl* Control, int X0, int Y0, TCanvas& Canvas) {
    if (!Control || !Control->Parent()) return;
    TWinControl* parent = Control->Parent();
    const int count = parent->ControlCount();
    TPaintCopy parentCopy(*parent);

    Canvas.SaveState();
    Canvas.SetOrigin(X0, Y0);
    Canvas.IntersectClipRect(Rect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&Canvas));
    if (!dynamic_cast<TForm*>(parent)) parent->PaintWindowTo(Canvas);
    Canvas.RestoreState();

    // Windowless controls lie beneath every windowed one, and beneath a
    // windowless one when listed before it.
    const bool windowless = dynamic_cast<TGraphicControl*>(Control) != nullptr;
    const TRect bounds = Control->BoundsRect();
    for (int i = 0; i < count && i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (child == Control && windowless) break;
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (!graphic || !graphic->Visible()) continue;
        const TRect b = graphic->BoundsRect();
        if (b.Right <= bounds.Left || bounds.Right <= b.Left || b.Bottom <= bounds.Top || bounds.Bottom <= b.Top)
            continue;
        TPaintCopy siblingCopy(*graphic);
        Canvas.SaveState();
        Canvas.SetOrigin(b.Left + X0, b.Top + Y0);
        Canvas.IntersectClipRect(Rect(0, 0, b.Width(), b.Height()));
        graphic->Canvas().BeginPaint(Canvas.Painter());
        graphic->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&Canvas));
        graphic->Canvas().EndPaint();
        Canvas.RestoreState();
    }
}

}  // namespace

void PaintParentBackground(TControl* Control, TCanvas& Canvas) {
    if (!Control) return;
    PaintBehind(Control, -Control->Left(), -Control->Top(), Canvas);
}

void PaintParentBackgroundAt(TControl* Control, const TRect& R, TCanvas& Canvas) {
    if (!Control) return;
    PaintBehind(Control, -Control->Left() - R.Left, -Control->Top() - R.Top, Canvas);
}
