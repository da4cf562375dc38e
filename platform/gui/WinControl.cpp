// Windowed controls: children, alignment, focus, keys and painting.

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/QtGlue.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/NonClient.h"
#include "platform/gui/controls/ScrollInfo.h"

#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

namespace {

// A drawn control takes the focus on a click through the bridge, and only when
// it is the one clicked. Qt would also hand a click on a control that takes no
// focus (a bar, a label, a sheet) to the nearest focusable control around it.
Qt::FocusPolicy WidgetFocusPolicy(bool native, bool tabStop) {
    if (native) return tabStop ? Qt::StrongFocus : Qt::ClickFocus;
    return tabStop ? Qt::TabFocus : Qt::NoFocus;
}

// Qt hands the focus of a control being turned off to the next one; the
// platform leaves it where it was. Per turned-off control: the widget that
// had the focus and the one Qt gave it to.
struct TFocusAside {
    QPointer<QWidget> owner;
    QPointer<QWidget> stand;
};
std::unordered_map<const TWinControl*, TFocusAside>& FocusAside() {
    static std::unordered_map<const TWinControl*, TFocusAside> aside;
    return aside;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    FocusAside().erase(this);
    TQtBridge::Detach(this);
    for (auto [id, serviceId] : FTimers) TTimerService::Instance().Stop(serviceId);
    FTimers.clear();
    MarkDestroying();
    DestroyControls();
    if (FRegion) DeleteObject(FRegion);
    delete FWidget;
    FWidget = nullptr;
}

// Child controls go with their parent, as in the framework.
void TWinControl::DestroyControls() {
    while (!FControls.empty()) delete FControls.back();
}

QWidget* TWinControl::CreateWidget() { return TQtBridge::CreateWindowWidget(this); }

void TWinControl::CreateParams(TCreateParams& /*Params*/) {}

void TWinControl::EnsureWidget() {
    if (FWidget) return;
    TCreateParams params;
    CreateParams(params);
    FClassStyle = params.WindowClass.style;
    FWidget = CreateWidget();
    // Without the redraw styles a resize repaints only what it uncovers.
    if (!(FClassStyle & (CS_HREDRAW | CS_VREDRAW))) FWidget->setAttribute(Qt::WA_StaticContents);
    TQtBridge::Attach(this, FWidget);
    if (Parent()) {
        Parent()->EnsureWidget();
        FWidget->setParent(Parent()->FWidget);
    }
    FWidget->setFocusPolicy(WidgetFocusPolicy(FNativeDefault, FTabStop));
    UpdateWidgetGeometry();
    ApplyEnabled(Enabled());
    ApplyFontAndColor();
    if (Parent()) FWidget->setVisible(Visible());
    CreateWnd();
}

void TWinControl::ReleaseWidget() {
    TQtBridge::Detach(this);
    FWidget = nullptr;
}

void TWinControl::ApplyFontAndColor() {
    if (!FWidget) return;
    FWidget->setFont(Font().ToQFont());
    if (FNativeDefault) {
        QPalette palette = FWidget->palette();
        SetEnabledColor(palette, QPalette::Text, ToQColor(Font().Color()));
        SetEnabledColor(palette, QPalette::WindowText, ToQColor(Font().Color()));
        FWidget->setPalette(palette);
    }
}

void TWinControl::UpdateWidgetGeometry() {
    // Children sit in the parent's client area, inside its frame band.
    if (FWidget && Parent())
        FWidget->setGeometry(Left() + Parent()->FBand.Left, Top() + Parent()->FBand.Top, Width(), Height());
    ApplyMask();
}

// A child shows no more than the part of it inside its parent's client area,
// so it never paints over (or takes the mouse from) the parent's frame band;
// within that, its own window region holds.
void TWinControl::ApplyMask() {
    if (!FWidget) return;
    std::optional<QRegion> mask;
    if (FRegion) mask = RegionOf(FRegion);
    if (Parent() && Parent()->FBand != TRect{}) {
        const TRect client = Parent()->ClientRect();
        const QRect own(0, 0, Width(), Height());
        const QRect visible = QRect(client.Left - Left(), client.Top - Top(), client.Width(), client.Height()) & own;
        if (visible != own) {
            // An empty mask would show the whole widget: a point outside it shows none.
            const QRegion shown = visible.isEmpty() ? QRegion(-1, -1, 1, 1) : QRegion(visible);
            mask = mask ? mask->intersected(shown) : shown;
            if (mask->isEmpty()) mask = QRegion(-1, -1, 1, 1);
        }
    }
    if (mask)
        FWidget->setMask(*mask);
    else
        FWidget->clearMask();
}

void TWinControl::SetParent(TWinControl* parent) {
    TControl::SetParent(parent);
    if (!FWidget) return;
    if (parent) {
        parent->EnsureWidget();
        FWidget->setParent(parent->FWidget);
        UpdateWidgetGeometry();
        FWidget->setVisible(Visible());
    } else {
        FWidget->hide();
        FWidget->setParent(nullptr);
    }
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    FControls.push_back(control);
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        EnsureWidget();
        window->EnsureWidget();
        window->FWidget->setParent(FWidget);
        window->UpdateWidgetGeometry();
        window->FWidget->setVisible(window->Visible());
        Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), LPARAM(window));
    }
    control->ParentFontOrColorChanged();
    if (control->FParentBiDiMode) control->TakeBiDiMode(FBiDiMode);
    if (control->Align() != TAlign::alNone) Realign();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    control->Invalidate();
    // The form must not keep a control that leaves it as its active control.
    if (TForm* form = ParentForm(); form && form->FActiveControl) {
        for (TControl* c = form->FActiveControl; c; c = c->Parent())
            if (c == control) {
                form->FActiveControl = nullptr;
                break;
            }
    }
    if (auto* window = dynamic_cast<TWinControl*>(control))
        Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, 0), LPARAM(window));
    FControls.erase(it);
    control->FParent = nullptr;
    if (control->Align() != TAlign::alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    EnsureWidget();
    const bool move = left != Left() || top != Top(), size = width != Width() || height != Height();
    if (move || size) {
        // The window may still change where it goes.
        WINDOWPOS pos{this, nullptr, left, top, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0u : UINT(SWP_NOMOVE)) | (size ? 0u : UINT(SWP_NOSIZE))};
        Perform(WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
        if (!(pos.flags & SWP_NOMOVE)) left = pos.x, top = pos.y;
        if (!(pos.flags & SWP_NOSIZE)) width = pos.cx, height = pos.cy;
    }
    TControl::SetBounds(left, top, width, height);
}

TRect TWinControl::ClientRect() const {
    return Rect(0, 0, std::max(0, Width() - FBand.Left - FBand.Right), std::max(0, Height() - FBand.Top - FBand.Bottom));
}

bool TWinControl::CalcNonClient() {
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = BoundsRect();
    params.rgrc[1] = params.rgrc[2] = params.rgrc[0];
    Perform(WM_NCCALCSIZE, 1, LPARAM(&params));
    const TRect& client = params.rgrc[0];
    const TRect band{std::max(0, client.Left - Left()), std::max(0, client.Top - Top()),
                     std::max(0, Left() + Width() - client.Right), std::max(0, Top() + Height() - client.Bottom)};
    if (band == FBand) return false;
    FBand = band;
    for (TControl* c : FControls)
        if (auto* window = dynamic_cast<TWinControl*>(c)) window->UpdateWidgetGeometry();
    return true;
}

void TWinControl::RecalcNonClient() {
    EnsureWidget();
    if (!CalcNonClient()) return;
    Perform(WM_SIZE, 0, MAKELPARAM(Width(), Height()));
    TouchLook();
    if (FWidget) FWidget->update();
}

std::string TWinControl::WindowClassName() const {
    // The class of the control, as the framework names its window classes.
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* name = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string result = status == 0 && name ? name : mangled;
    std::free(name);
    const size_t scope = result.rfind("::");
    return scope == std::string::npos ? result : result.substr(scope + 2);
}

void TWinControl::BoundsChanged(bool moved, bool resized) {
    if (resized && !CalcNonClient() && FBand != TRect{})
        for (TControl* c : FControls)
            if (auto* window = dynamic_cast<TWinControl*>(c)) window->ApplyMask();
    UpdateWidgetGeometry();
    if (moved) Perform(WM_MOVE, 0, MAKELPARAM(Left(), Top()));
    if (resized) Perform(WM_SIZE, 0, MAKELPARAM(Width(), Height()));
}

void TWinControl::SetVisible(bool visible) {
    EnsureWidget();
    if (visible == Visible()) return;
    TControl::SetVisible(visible);
    if (Parent()) FWidget->setVisible(visible);
}

void TWinControl::SetEnabled(bool enabled) {
    EnsureWidget();
    if (enabled == Enabled()) return;
    ApplyEnabled(enabled);
    TControl::SetEnabled(enabled);
}

void TWinControl::ApplyEnabled(bool enabled) {
    // Children take the look of their own state only; a top-level window just
    // stops taking input, as on the platform the program was written for.
    if (Parent()) {
        QWidget* window = FWidget->window();
        if (!enabled) {
            QWidget* owner = window->focusWidget();
            FWidget->setEnabled(false);
            if (owner && (owner == FWidget || FWidget->isAncestorOf(owner)))
                FocusAside()[this] = {owner, window->focusWidget()};
            return;
        }
        FWidget->setEnabled(true);
        auto aside = FocusAside().find(this);
        if (aside == FocusAside().end()) return;
        const TFocusAside was = aside->second;
        FocusAside().erase(aside);
        // Only while nothing else took the focus in the meantime.
        if (was.owner && was.owner->isEnabled() && was.owner->isVisible() && window->focusWidget() == was.stand)
            was.owner->setFocus(Qt::OtherFocusReason);
    } else {
        FWidget->setEnabled(true);
        if (!enabled) TQtBridge::GateDisabledWindows();
    }
}

void TWinControl::SetTabStop(bool value) {
    FTabStop = value;
    if (FWidget) FWidget->setFocusPolicy(WidgetFocusPolicy(FNativeDefault, FTabStop));
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        if (!c->BoundsRect().Contains(p)) continue;
        if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - c->Left(), p.Y - c->Top())) != 0) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* c : std::vector<TControl*>(FControls)) {
        c->WndProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::ZOrderChanged(TControl* control, bool toFront) {
    if (auto* window = dynamic_cast<TWinControl*>(control); window && window->FWidget) {
        if (toFront)
            window->FWidget->raise();
        else
            window->FWidget->lower();
    }
    Invalidate();
}

void TWinControl::Realign() {
    // A window that goes takes its children along: laying them out again as
    // each leaves would only paint for handlers whose form is half gone.
    if (FAlignLevel > 0 || Destroying()) return;
    TRect rect = ClientRect();
    AlignControls(nullptr, rect);
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::AlignControls(TControl* /*control*/, TRect& rect) {
    AdjustClientRect(rect);
    ++FAlignLevel;
    auto aligned = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        // Controls of one side keep their order by position, as the user placed them.
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
                case TAlign::alTop: return a->Top() < b->Top();
                case TAlign::alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
                case TAlign::alLeft: return a->Left() < b->Left();
                case TAlign::alRight: return a->Left() + a->Width() > b->Left() + b->Width();
                default: return false;
            }
        });
        return list;
    };
    for (TControl* c : aligned(TAlign::alTop)) {
        c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
        rect.Top += c->Height();
    }
    for (TControl* c : aligned(TAlign::alBottom)) {
        c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
        rect.Bottom -= c->Height();
    }
    for (TControl* c : aligned(TAlign::alLeft)) {
        c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
        rect.Left += c->Width();
    }
    for (TControl* c : aligned(TAlign::alRight)) {
        c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
        rect.Right -= c->Width();
    }
    for (TControl* c : aligned(TAlign::alClient)) c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    const TRect client = ClientRect();
    for (TControl* c : FControls) c->FollowAnchors(client.Width(), client.Height());
    --FAlignLevel;
}

bool TWinControl::Focused() const { return FWidget && FWidget->hasFocus(); }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    EnsureWidget();
    if (TForm* form = ParentForm(); form && form != this) form->SetActiveControl(this);
    FWidget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::Invalidate() {
    TouchLook();
    if (!FWidget) return;
    FInvalidAll = true;
    // A scroll area paints its content in its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(FWidget))
        area->viewport()->update();
    else
        FWidget->update();
}

void TWinControl::InvalidateRect(const TRect& r) {
    TouchLook();
    if (!FWidget || r.Width() <= 0 || r.Height() <= 0) return;
    const TRect& b = FInvalidBounds;
    FInvalidBounds = b.Width() <= 0 || b.Height() <= 0
                         ? r
                         : Rect(std::min(b.Left, r.Left), std::min(b.Top, r.Top), std::max(b.Right, r.Right),
                                std::max(b.Bottom, r.Bottom));
    FWidget->update(r.Left + FBand.Left, r.Top + FBand.Top, r.Width(), r.Height());
}

void TWinControl::Update() {
    if (!FWidget || !FWidget->isVisible()) return;
    // A windowless child's change paints its rectangle, not the whole parent.
    const TRect r = FInvalidBounds;
    if (!FInvalidAll && r.Width() > 0 && r.Height() > 0)
        FWidget->repaint(r.Left + FBand.Left, r.Top + FBand.Top, r.Width(), r.Height());
    else
        FWidget->repaint();
    Validate();
}

void TWinControl::Validate() {
    FInvalidAll = false;
    FInvalidBounds = TRect{};
}

void TWinControl::SetWindowRgn(HRGN region, bool redraw) {
    EnsureWidget();
    if (FRegion && FRegion != region) DeleteObject(FRegion);
    FRegion = region;
    ApplyMask();
    if (redraw) Invalidate();
}

TPoint TWinControl::ScreenOrigin() const {
    if (!FWidget) return {Left(), Top()};
    QPoint p = FWidget->mapToGlobal(QPoint(0, 0));
    return {p.x(), p.y()};
}

void TWinControl::PaintTo(TCanvas& canvas, int x, int y) {
    EnsureWidget();
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    FWidget->render(painter, QPoint(x, y), QRegion(), QWidget::DrawChildren);
}

void TWinControl::SetTimer(int id, int intervalMs) {
    KillTimer(id);
    int serviceId = TTimerService::Instance().Start(intervalMs, [this, id] { Perform(WM_TIMER, WPARAM(id), 0); });
    FTimers.emplace_back(id, serviceId);
}

void TWinControl::KillTimer(int id) {
    for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
        if (it->first == id) {
            TTimerService::Instance().Stop(it->second);
            FTimers.erase(it);
            return;
        }
}

void TWinControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT: WMPaint(m); return;
        case WM_ERASEBKGND: WMEraseBkgnd(m); return;
        case WM_SIZE: WMSize(m); return;
        case WM_MOVE: WMMove(m); return;
        case WM_SETFOCUS: WMSetFocus(m); return;
        case WM_KILLFOCUS: WMKillFocus(m); return;
        case WM_KEYDOWN: WMKeyDown(m); return;
        case WM_KEYUP: WMKeyUp(m); return;
        case WM_CHAR: WMChar(m); return;
        case WM_GETDLGCODE: WMGetDlgCode(m); return;
        case WM_TIMER: WMTimer(m); return;
        case CM_DIALOGKEY: CMDialogKey(m); return;
        case CM_DIALOGCHAR: CMDialogChar(m); return;
        case CM_FOCUSCHANGED: CMFocusChanged(m); return;
        case CM_WANTSPECIALKEY: CMWantSpecialKey(m); return;
        default: TControl::Dispatch(m);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (non_client::DefaultHandler(*this, message) || scrolling::DefaultHandler(*this, message)) return;
    // A wheel turn no control uses goes up to the parent, as the platform's default does.
    if (message.Msg == WM_MOUSEWHEEL && !FNativeDefault && Parent()) {
        message.Result = Parent()->Perform(message.Msg, message.WParam, message.LParam);
        return;
    }
    if (FNativeDefault) FPassToNative = true;
}

void TWinControl::WMPaint(TMessage& m) {
    TCanvas& canvas = m.WParam ? *reinterpret_cast<TCanvas*>(m.WParam) : FPaintCanvas;
    PaintWindowAroundOpaqueChildren(canvas);
    PaintGraphicChildren(canvas, ClientRect());
}

void TWinControl::PaintWindowAroundOpaqueChildren(TCanvas& canvas) {
    QPainter* painter = canvas.Painter();
    QRegion covered;
    if (painter)
        for (TControl* c : FControls)
            if ((c->ControlStyle() & csOpaque) && c->Visible() && dynamic_cast<TGraphicControl*>(c))
                covered += QRect(c->Left(), c->Top(), c->Width(), c->Height());
    if (covered.isEmpty()) {
        PaintWindow(canvas);
        return;
    }
    // What an opaque windowless child covers is painted by that child alone.
    painter->save();
    const QRegion clip = painter->hasClipping() ? painter->clipRegion() : QRegion(QRect(0, 0, Width(), Height()));
    painter->setClipRegion(clip - covered);
    PaintWindow(canvas);
    painter->restore();
}

void TWinControl::PaintWindow(TCanvas& /*canvas*/) {}

void TWinControl::PaintGraphicChildren(TCanvas& canvas, const TRect& /*clip*/) {
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    const QRectF clip = painter->hasClipping() ? painter->clipBoundingRect() : QRectF();
    for (TControl* c : FControls) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (!graphic || !graphic->Visible() || graphic->Width() <= 0 || graphic->Height() <= 0) continue;
        if (!clip.isNull() && !clip.intersects(QRectF(graphic->Left(), graphic->Top(), graphic->Width(), graphic->Height())))
            continue;
        painter->save();
        painter->translate(graphic->Left(), graphic->Top());
        painter->setClipRect(0, 0, graphic->Width(), graphic->Height(), Qt::IntersectClip);
        graphic->Canvas().BeginPaint(painter);
        graphic->Perform(WM_PAINT);
        graphic->Canvas().EndPaint();
        painter->restore();
    }
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    if (FNativeDefault) {
        DefaultHandler(m);
        return;
    }
    TCanvas& canvas = m.WParam ? *reinterpret_cast<TCanvas*>(m.WParam) : FPaintCanvas;
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(ClientRect());
    m.Result = 1;
}

void TWinControl::WMSize(TMessage& m) {
    Realign();
    DefaultHandler(m);
}

void TWinControl::WMMove(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMSetFocus(TMessage& m) {
    if (TForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
    DoEnter();
    DefaultHandler(m);
}

void TWinControl::WMKillFocus(TMessage& m) {
    DoExit();
    DefaultHandler(m);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

TShiftState KeyDataToShiftState(LPARAM keyData);

void TWinControl::WMKeyDown(TMessage& m) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    KeyDown(key, KeyDataToShiftState(m.LParam));
    if (key == 0) {
        m.Result = 1;
        return;
    }
    m.WParam = key;
    DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    uint16_t key = static_cast<uint16_t>(m.WParam);
    KeyUp(key, KeyDataToShiftState(m.LParam));
    if (key == 0) {
        m.Result = 1;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    char key = static_cast<char>(m.WParam);
    KeyPress(key);
    if (key == 0) {
        m.Result = 1;
        return;
    }
    m.WParam = static_cast<unsigned char>(key);
    DefaultHandler(m);
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    TForm* form = ParentForm();
    if (form && form != this && form->KeyPreview) {
        form->KeyDown(key, shift);
        if (key == 0) return;
    }
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    TForm* form = ParentForm();
    if (form && form != this && form->KeyPreview) {
        form->KeyUp(key, shift);
        if (key == 0) return;
    }
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    TForm* form = ParentForm();
    if (form && form != this && form->KeyPreview) {
        form->KeyPress(key);
        if (key == 0) return;
    }
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMGetDlgCode(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMTimer(TMessage& m) { DefaultHandler(m); }

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }

void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

void TWinControl::CMFocusChanged(TMessage& m) { Broadcast(m); }

void TWinControl::CMWantSpecialKey(TMessage& m) { m.Result = 0; }

void TWinControl::CMEnabledChanged(TMessage& m) { TControl::CMEnabledChanged(m); }

void TWinControl::CMVisibleChanged(TMessage& m) { TControl::CMVisibleChanged(m); }

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    if (&canvas == &PaintCanvas()) {
        Paint();
        return;
    }
    // Painting into another canvas (PaintTo, device contexts): Paint draws on
    // Canvas, so bind it to that canvas' painter for the call.
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    PaintCanvas().BeginPaint(painter);
    Paint();
    PaintCanvas().EndPaint();
}
