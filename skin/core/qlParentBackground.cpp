// Painting what lies behind a control, for skinned controls whose pictures
// have transparent or shaped parts.

#include <algorithm>
#include <cstdint>
#include <list>

#include "platform/gui/Forms.h"
#include "skin/core/qlUtils.h"

namespace {

// Marks a control as painting a copy of itself for another control's picture.
class TPaintCopy {
public:
    explicit TPaintCopy(TControl& Control) : FControl(Control), FWas(Control.ControlState() & csPaintCopy) {
        FControl.SetControlState(FControl.ControlState() | csPaintCopy);
    }
    ~TPaintCopy() { FControl.SetControlState((FControl.ControlState() & ~csPaintCopy) | FWas); }
    TPaintCopy(const TPaintCopy&) = delete;
    TPaintCopy& operator=(const TPaintCopy&) = delete;

private:
    TControl& FControl;
    TControlState FWas;
};

// The parent's own look: its background and its window painting, without its children.
void PaintParentLook(TWinControl& Parent, TCanvas& Canvas) {
    TPaintCopy parentCopy(Parent);
    Parent.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&Canvas));
    if (!dynamic_cast<TForm*>(&Parent)) Parent.PaintWindowTo(Canvas);
}

// Pictures of parents' own looks, each kept while neither the parent nor a
// window around it (whose look may show through it) has been invalidated:
// every transparent control on a parent paints through the same picture.
class TParentLooks {
public:
    static TParentLooks& Instance() {
        static TParentLooks looks;
        return looks;
    }

    const TBitmap& LookOf(TWinControl& Parent) {
        const int w = Parent.ClientWidth(), h = Parent.ClientHeight();
        uint64_t stamp = 0;
        for (const TControl* c = &Parent; c; c = c->Parent()) stamp = std::max(stamp, c->LookStamp());
        ++FUses;
        for (TEntry& e : FEntries)
            if (e.Parent == &Parent && e.Stamp == stamp && e.Picture.Width() == w && e.Picture.Height() == h) {
                e.Used = FUses;
                return e.Picture;
            }
        std::erase_if(FEntries, [&](const TEntry& e) { return e.Parent == &Parent && !e.Busy; });
        Evict(int64_t(w) * h);
        TEntry& e = FEntries.emplace_back();
        e.Parent = &Parent;
        e.Used = FUses;
        e.Picture.SetPixelFormat(TPixelFormat::pfDevice);
        e.Picture.SetSize(w, h);
        // A parent that paints through its own parent asks for that picture
        // meanwhile; this one must stay where it is until it is painted.
        e.Busy = true;
        PaintParentLook(Parent, e.Picture.Canvas());
        e.Busy = false;
        // The paint may have invalidated the parent again; the picture holds what it painted.
        e.Stamp = stamp;
        return e.Picture;
    }

private:
    struct TEntry {
        const TWinControl* Parent = nullptr;
        uint64_t Stamp = 0;
        uint64_t Used = 0;
        bool Busy = false;
        TBitmap Picture;
    };
    // Keeps the pictures under a few screens' worth, the least recently used going first.
    void Evict(int64_t Coming) {
        constexpr int64_t kMaxPixels = 4'000'000;
        auto pixels = [this] {
            int64_t n = 0;
            for (const TEntry& e : FEntries) n += int64_t(e.Picture.Width()) * e.Picture.Height();
            return n;
        };
        while (pixels() + Coming > kMaxPixels) {
            auto oldest = FEntries.end();
            for (auto it = FEntries.begin(); it != FEntries.end(); ++it)
                if (!it->Busy && (oldest == FEntries.end() || it->Used < oldest->Used)) oldest = it;
            if (oldest == FEntries.end()) return;
            FEntries.erase(oldest);
        }
    }

    std::list<TEntry> FEntries;
    uint64_t FUses = 0;
};

void PaintBehind(TControl* Control, int X0, int Y0, TCanvas& Canvas) {
    if (!Control || !Control->Parent()) return;
    TWinControl* parent = Control->Parent();
    const int count = parent->ControlCount();
    TPaintCopy parentCopy(*parent);

    Canvas.SaveState();
    Canvas.SetOrigin(X0, Y0);
    Canvas.IntersectClipRect(Rect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
    // A native window paints through its widget, which no picture follows.
    if (parent->NativeDefault() || parent->ClientWidth() < 1 || parent->ClientHeight() < 1)
        PaintParentLook(*parent, Canvas);
    else
        Canvas.Draw(0, 0, TParentLooks::Instance().LookOf(*parent));
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
