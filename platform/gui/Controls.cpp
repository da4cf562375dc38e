// Components and the control base: ownership, bounds, flags and the mouse
// messages every control understands.

#include "platform/gui/Controls.h"

#include <algorithm>
#include <cctype>

#include "platform/core/SysUtils.h"
#include "platform/gui/ActnList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtGlue.h"

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    MarkDestroying();
    // One told may free others on the list: each leaves it before it is told,
    // and the list is read again each time.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        RemoveFreeNotification(c);
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::MarkDestroying() {
    if (FDestroying) return;
    FDestroying = true;
    for (TComponent* c : FComponents) c->MarkDestroying();
}

// Each component leaves this list as it goes.
void TComponent::DestroyComponents() {
    while (!FComponents.empty()) delete FComponents.back();
}

void TComponent::InsertComponent(TComponent* component) {
    component->FOwner = this;
    FComponents.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    FComponents.erase(it);
    component->FOwner = nullptr;
    for (TComponent* c : std::vector<TComponent*>(FComponents)) c->Notification(component, TOperation::opRemove);
    Notification(component, TOperation::opRemove);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* c : FComponents)
        if (SameText(c->Name, name)) return c;
    return nullptr;
}

void TComponent::Notification(TComponent* /*component*/, TOperation /*operation*/) {}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
        component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    component->FFreeNotifies.erase(
        std::remove(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this),
        component->FFreeNotifies.end());
}

namespace {

uint64_t gLookStamps = 0;

}  // namespace

bool IsAccel(WPARAM charCode, const std::string& caption) {
    auto lower = [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); };
    for (size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') return lower(caption[i + 1]) == lower(char(charCode & 0xFF));
            ++i;
        }
    return false;
}

void TControl::TouchLook() { FLookStamp = ++gLookStamps; }

TControl::TControl(TComponent* owner) : TComponent(owner) {
    TouchLook();
    FFont.OnChange = [this](TFont*) {
        FParentFont = false;
        Perform(CM_FONTCHANGED);
    };
}

TControl::~TControl() {
    SetAction(nullptr);
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    if (FParent) FParent->RemoveControl(this);
    FFont.OnChange = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (FParent) FParent->RemoveControl(this);
    FParent = nullptr;
    if (parent) parent->InsertControl(this);
    RememberAnchorBounds();
}

namespace {

int Constrain(int size, int min, int max) {
    if (max > 0) size = std::min(size, max);
    return std::max({size, min, 0});
}

}  // namespace

void TControl::SetBounds(int left, int top, int width, int height) {
    width = Constrain(width, FConstraints.MinWidth, FConstraints.MaxWidth);
    height = Constrain(height, FConstraints.MinHeight, FConstraints.MaxHeight);
    if (!FAnchoring) {
        FAnchorBounds = Bounds(left, top, width, height);
        if (FParent) FAnchorParentSize = {FParent->ClientWidth(), FParent->ClientHeight()};
    }
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool resized = width != FWidth || height != FHeight;
    bool moved = left != FLeft || top != FTop;
    if (FParent && FVisible) Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged(moved, resized);
    if (FParent && FVisible) Invalidate();
    if (resized) Resize();
    if (FAlign != TAlign::alNone) RequestAlign();
}

void TControl::SetClientSize(int width, int height) {
    TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth + width - client.Width(), FHeight + height - client.Height());
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    RequestAlign();
}

void TControl::SetConstraints(const TSizeConstraints& constraints) {
    if (constraints == FConstraints) return;
    FConstraints = constraints;
    ConstraintsChanged();
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetAnchors(TAnchors anchors) {
    FAnchors = anchors;
    RememberAnchorBounds();
}

void TControl::RememberAnchorBounds() {
    FAnchorBounds = BoundsRect();
    if (FParent) FAnchorParentSize = {FParent->ClientWidth(), FParent->ClientHeight()};
}

void TControl::FollowAnchors(int parentWidth, int parentHeight) {
    if (FAlign != TAlign::alNone || (FAnchors & (akRight | akBottom)) == 0) return;
    const int dw = parentWidth - FAnchorParentSize.X, dh = parentHeight - FAnchorParentSize.Y;
    TRect r = FAnchorBounds;
    int left = r.Left, top = r.Top, width = r.Width(), height = r.Height();
    if (FAnchors & akRight) {
        if (FAnchors & akLeft)
            width = std::max(0, width + dw);
        else
            left += dw;
    }
    if (FAnchors & akBottom) {
        if (FAnchors & akTop)
            height = std::max(0, height + dh);
        else
            top += dh;
    }
    TFlagGuard anchoring(FAnchoring);
    SetBounds(left, top, width, height);
}

void TControl::RequestAlign() {
    if (FParent) FParent->Realign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    if (!visible) Invalidate();
    FVisible = visible;
    if (visible) Invalidate();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
    if (FAlign != TAlign::alNone) RequestAlign();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    // Turned off, it lets go of a press it holds, as a disabled window loses
    // the capture: the release, and every press after it, goes by the point.
    if (!enabled)
        for (const TControl* c = GetCaptureControl(); c; c = c->FParent)
            if (c == this) {
                SetCaptureControl(nullptr);
                break;
            }
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::EffectivelyEnabled() const {
    // A disabled top-level window only stops taking input; what it holds keeps its look.
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled && (c == this || c->FParent)) return false;
    return true;
}

void TControl::SetText(const std::string& text) {
    if (text == FText) return;
    FText = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    FParentColor = value;
    if (value && FParent) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetParentFont(bool value) {
    if (value && FParent) {
        auto handler = std::move(FFont.OnChange);
        FFont.Assign(FParent->Font());
        FFont.OnChange = std::move(handler);
        Perform(CM_FONTCHANGED);
    }
    FParentFont = value;
}

void TControl::SetBiDiMode(TBiDiMode value) {
    FParentBiDiMode = false;
    TakeBiDiMode(value);
}

void TControl::SetParentBiDiMode(bool value) {
    FParentBiDiMode = value;
    if (value && FParent) TakeBiDiMode(FParent->FBiDiMode);
}

void TControl::TakeBiDiMode(TBiDiMode value) {
    if (value == FBiDiMode) return;
    FBiDiMode = value;
    BiDiModeChanged();
    if (auto* window = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < window->ControlCount(); ++i)
            if (TControl* child = window->Controls(i); child->FParentBiDiMode) child->TakeBiDiMode(value);
}

unsigned TControl::DrawTextBiDiModeFlags(unsigned flags) const {
    if (UseRightToLeftAlignment() && !(flags & DT_CENTER)) flags ^= DT_RIGHT;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

void TControl::ParentFontOrColorChanged() {
    if (FParentFont) SetParentFont(true);
    if (FParentColor) SetParentColor(true);
}

void TControl::WndProc(TMessage& message) { Dispatch(message); }

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN: WMLButtonDown(m); return;
        case WM_LBUTTONUP: WMLButtonUp(m); return;
        case WM_LBUTTONDBLCLK:
            // Without double clicks of its own, a control takes the second press as a press.
            if (FControlStyle & csDoubleClicks)
                WMLButtonDblClk(m);
            else
                WMLButtonDown(m);
            return;
        case WM_RBUTTONDOWN: WMRButtonDown(m); return;
        case WM_RBUTTONUP: WMRButtonUp(m); return;
        case WM_MOUSEMOVE: WMMouseMove(m); return;
        case CM_MOUSEENTER: CMMouseEnter(m); return;
        case CM_MOUSELEAVE: CMMouseLeave(m); return;
        case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
        case CM_VISIBLECHANGED: CMVisibleChanged(m); return;
        case CM_TEXTCHANGED: CMTextChanged(m); return;
        case CM_FONTCHANGED: CMFontChanged(m); return;
        case CM_COLORCHANGED: CMColorChanged(m); return;
        case CM_HITTEST: CMHitTest(m); return;
        default: DefaultHandler(m);
    }
}

void TControl::DefaultHandler(TMessage& /*message*/) {}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

TShiftState MouseShift(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    return s;
}

void TControl::WMLButtonDown(TMessage& m) {
    if (FControlStyle & csCaptureMouse) SetCaptureControl(this);
    FClicked = true;
    MouseDown(TMouseButton::mbLeft, MouseShift(m.WParam), LoWordSigned(m.LParam), HiWordSigned(m.LParam));
    DefaultHandler(m);
}

void TControl::WMLButtonUp(TMessage& m) {
    int x = LoWordSigned(m.LParam), y = HiWordSigned(m.LParam);
    bool clicked = FClicked;
    FClicked = false;
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    MouseUp(TMouseButton::mbLeft, MouseShift(m.WParam), x, y);
    DefaultHandler(m);
    if (clicked && (FControlStyle & csClickEvents) && ClientRect().Contains({x, y})) Click();
}

void TControl::WMLButtonDblClk(TMessage& m) {
    if (FControlStyle & csCaptureMouse) SetCaptureControl(this);
    FClicked = true;
    DblClick();
    MouseDown(TMouseButton::mbLeft, MouseShift(m.WParam) | ssDouble, LoWordSigned(m.LParam), HiWordSigned(m.LParam));
    DefaultHandler(m);
}

void TControl::WMRButtonDown(TMessage& m) {
    MouseDown(TMouseButton::mbRight, MouseShift(m.WParam), LoWordSigned(m.LParam), HiWordSigned(m.LParam));
    DefaultHandler(m);
}

void TControl::WMRButtonUp(TMessage& m) {
    MouseUp(TMouseButton::mbRight, MouseShift(m.WParam), LoWordSigned(m.LParam), HiWordSigned(m.LParam));
    DefaultHandler(m);
}

void TControl::WMMouseMove(TMessage& m) {
    MouseMove(MouseShift(m.WParam), LoWordSigned(m.LParam), HiWordSigned(m.LParam));
    DefaultHandler(m);
}

void TControl::CMMouseEnter(TMessage& m) {
    FMouseInControl = true;
    if (OnMouseEnter) OnMouseEnter(this);
    DefaultHandler(m);
}

void TControl::CMMouseLeave(TMessage& m) {
    FMouseInControl = false;
    if (OnMouseLeave) OnMouseLeave(this);
    DefaultHandler(m);
}

void TControl::CMEnabledChanged(TMessage& m) {
    EnabledChanged();
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMVisibleChanged(TMessage& m) {
    VisibleChanged();
    DefaultHandler(m);
}

void TControl::CMTextChanged(TMessage& m) {
    TextChanged();
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMFontChanged(TMessage& m) {
    FontChanged();
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMColorChanged(TMessage& m) {
    ColorChanged();
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMHitTest(TMessage& m) { m.Result = 1; }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::Click() {
    if (OnClick && FActionLink && !ClickRunsAction())
        OnClick(this);
    else if (FActionLink && !Designing())
        FActionLink->Execute(this);
    else if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() {}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

TPoint TControl::ClientToScreen(TPoint p) const {
    // A window's client area starts inside its frame band.
    auto addBand = [&p](const TControl* c) {
        if (auto* w = dynamic_cast<const TWinControl*>(c)) {
            p.X += w->NonClientBand().Left;
            p.Y += w->NonClientBand().Top;
        }
    };
    const TControl* c = this;
    while (c->FParent) {
        addBand(c);
        p.X += c->FLeft;
        p.Y += c->FTop;
        c = c->FParent;
    }
    addBand(c);
    auto* window = dynamic_cast<const TWinControl*>(c);
    TPoint origin = window ? window->ScreenOrigin() : TPoint{};
    return {p.X + origin.X, p.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint zero = ClientToScreen({0, 0});
    return {p.X - zero.X, p.Y - zero.Y};
}

void TControl::BringToFront() {
    if (!FParent) return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    FParent->ZOrderChanged(this, true);
}

void TControl::SendToBack() {
    if (!FParent) return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    FParent->ZOrderChanged(this, false);
}

TPoint TControl::ClientToForm(TPoint p) const {
    for (const TControl* c = this; c && c->FParent; c = c->FParent) {
        if (auto* w = dynamic_cast<const TWinControl*>(c)) {
            p.X += w->NonClientBand().Left;
            p.Y += w->NonClientBand().Top;
        }
        p.X += c->FLeft;
        p.Y += c->FTop;
    }
    return p;
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::Invalidate() {
    if (Parent() && Visible()) Parent()->InvalidateRect(BoundsRect());
}

void TGraphicControl::Dispatch(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        WMPaint(m);
        return;
    }
    TControl::Dispatch(m);
}

void TGraphicControl::WMPaint(TMessage& /*m*/) { Paint(); }
