// The self-painted standard controls: labels, buttons, check and radio boxes
// and group boxes. Behaviour comes first in each control, then its picture,
// which the desktop style draws from the state.

#include "platform/gui/StdCtrls.h"

#include <QPainter>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/StdPaint.h"
#include "platform/gui/QtGlue.h"

using namespace stdpaint;

namespace {

constexpr TShiftState kModifiers = ssShift | ssCtrl | ssAlt;

// Whether focused is a button among parent's descendants. Only pointers are
// compared, so a stale focus record of the form is harmless.
bool IsButtonWithin(const TWinControl* parent, const TWinControl* focused) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<const TWinControl*>(parent->Controls(i));
        if (!child) continue;
        if (child == focused) return dynamic_cast<const TButton*>(child) != nullptr;
        if (IsButtonWithin(child, focused)) return true;
    }
    return false;
}

bool HasFocus(const TWinControl& control) {
    if (control.Focused()) return true;
    const TForm* form = control.ParentForm();
    return form && form->ActiveControl() == &control;
}

}  // namespace

// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

namespace {

// Stores a published label field; whether it changed.
template <class T>
bool StoreChange(TPropertyField<T>& field, T value) {
    if (value == T(field)) return false;
    field.Store(value);
    return true;
}

}  // namespace

// Neither changes the caption's measured size: only the drawing moves.
void TCustomLabel::SetAlignment(TAlignment value) {
    if (StoreChange(Alignment, value)) Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (StoreChange(Layout, value)) Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (StoreChange(WordWrap, value)) CaptionLookChanged();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (StoreChange(ShowAccelChar, value)) CaptionLookChanged();
}

void TCustomLabel::CaptionLookChanged() {
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (FFocusControl && FFocusControl != value) RemoveFreeNotification(FFocusControl);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Dispatch(TMessage& m) {
    // The accelerator gives the focus away: the label itself never takes it.
    if (m.Msg == CM_DIALOGCHAR) {
        if (FFocusControl && EffectivelyEnabled() && ShowAccelChar && IsAccel(m.WParam, Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            m.Result = 1;
        }
        return;
    }
    TGraphicControl::Dispatch(m);
}

void TCustomLabel::TextChanged() { AdjustBounds(); }

void TCustomLabel::FontChanged() { AdjustBounds(); }

void TCustomLabel::BiDiModeChanged() {
    AdjustBounds();
    Invalidate();
}

// A label whose text keeps to its right edge (right-justified, or
// left-justified and mirrored by a right-to-left alignment) keeps that edge
// as it grows or shrinks.
void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || Loading()) return;
    TRect r = Rect(0, 0, WordWrap ? Width() : 0, 0);
    DoDrawText(r, DT_CALCRECT | DT_EXPANDTABS | (WordWrap ? unsigned(DT_WORDBREAK) : 0u));
    int left = Left();
    if (Alignment != TAlignment::taCenter &&
        (Alignment == TAlignment::taRightJustify) != UseRightToLeftAlignment())
        left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}

std::string TCustomLabel::LabelText(unsigned flags) const {
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar && text == "&"))) text += ' ';
    return text;
}

unsigned TCustomLabel::TextFlags(unsigned flags) const {
    if (!ShowAccelChar) flags |= DT_NOPREFIX;
    return DrawTextBiDiModeFlags(flags);
}

void TCustomLabel::DoDrawText(TRect& r, unsigned flags) {
    const std::string text = LabelText(flags);
    flags = TextFlags(flags);
    TCanvas& canvas = Canvas();
    SelectCaptionFont(canvas);
    if (flags & DT_CALCRECT)
        canvas.DrawText(text, r, flags);
    else
        DrawCaption(canvas, text, r, flags, EffectivelyEnabled());
}

unsigned TCustomLabel::PrepareCaption(TCanvas& canvas, TRect& r) {
    r = ClientRect();
    if (!Transparent) Fill(canvas, r, Color());
    SelectCaptionFont(canvas);
    unsigned flags = DT_EXPANDTABS | (WordWrap ? unsigned(DT_WORDBREAK) : 0u);
    if (Alignment == TAlignment::taCenter) flags |= DT_CENTER;
    if (Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
    if (Layout != TTextLayout::tlTop) {
        TRect needed = r;
        DoDrawText(needed, flags | DT_CALCRECT);
        const int spare = r.Height() - needed.Height();
        r.Top += Layout == TTextLayout::tlBottom ? spare : spare / 2;
    }
    return flags;
}

void TCustomLabel::Paint() {
    TRect r;
    const unsigned flags = PrepareCaption(Canvas(), r);
    DoDrawText(r, flags);
}

// TButton
//
//   input                          Down   click
//   mouse down                     yes    -
//   mouse up inside                no     one
//   mouse up outside               no     none
//   Space down                     yes    -
//   Space up                       no     one
//   focus lost while down          no     none
//   Enter (focused, or Default
//     while no button is focused)  -      one, through CM_DIALOGKEY
//   Escape (Cancel)                -      one, through CM_DIALOGKEY

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDown(bool down) {
    if (down == FDown) return;
    FDown = down;
    Invalidate();
}

void TButton::Click() {
    if (ModalResult != mrNone)
        if (TForm* form = ParentForm()) form->SetModalResult(ModalResult);
    TCustomControl::Click();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        FMouseDown = true;
        SetDown(true);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

// While the mouse is held the button shows down only with the pointer over it.
void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (FMouseDown) SetDown(FSpaceDown || ClientRect().Contains({x, y}));
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::WMLButtonUp(TMessage& m) {
    FMouseDown = false;
    SetDown(FSpaceDown);
    TCustomControl::WMLButtonUp(m);
}

void TButton::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && !(shift & kModifiers)) {
        FSpaceDown = true;
        SetDown(true);
    }
}

void TButton::KeyUp(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        SetDown(FMouseDown);
        Click();
    }
}

void TButton::DoExit() {
    FSpaceDown = false;
    SetDown(false);
    TCustomControl::DoExit();
}

void TButton::WMGetDlgCode(TMessage& m) { m.Result = DLGC_BUTTON | (Default ? LRESULT(DLGC_DEFPUSHBUTTON) : 0); }

bool TButton::IsActive() const {
    if (HasFocus(*this)) return true;
    if (!Default) return false;
    const TForm* form = ParentForm();
    return !form || !IsButtonWithin(form, form->ActiveControl());
}

void TButton::CMDialogKey(TMessage& m) {
    const bool plain = (KeyDataToShiftState(m.LParam) & kModifiers) == 0;
    const bool mine = (m.WParam == VK_RETURN && IsActive()) || (m.WParam == VK_ESCAPE && Cancel);
    if (plain && mine && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(m);
}

void TButton::CMMouseEnter(TMessage& m) {
    TCustomControl::CMMouseEnter(m);
    Invalidate();
}

void TButton::CMMouseLeave(TMessage& m) {
    TCustomControl::CMMouseLeave(m);
    Invalidate();
}

void TButton::Paint() {
    TCanvas& canvas = Canvas();
    Fill(canvas, ClientRect(), Color());
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    const bool enabled = EffectivelyEnabled();
    const bool focused = HasFocus(*this);
    QStyleOptionButton option;
    InitOption(option, *this, ClientRect(), enabled);
    option.text = ToQString(Caption());
    option.state |= FDown ? QStyle::State_Sunken : QStyle::State_Raised;
    if (enabled && MouseInControl()) option.state |= QStyle::State_MouseOver;
    if (focused) option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    if (IsActive()) option.features |= QStyleOptionButton::DefaultButton;
    painter->save();
    painter->setFont(Font().ToQFont());
    Style().drawControl(QStyle::CE_PushButton, &option, painter, nullptr);
    painter->restore();
}

// TCheckBox
//
//   click or Space   AllowGrayed   state
//   unchecked        no            checked
//   checked          either        unchecked
//   unchecked        yes           grayed
//   grayed           yes           checked
// Every change of state fires OnClick once.

TCheckBox::TCheckBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == FState) return;
    FState = state;
    Invalidate();
    Click();
}

void TCheckBox::Toggle() {
    switch (FState) {
        case TCheckBoxState::cbUnchecked:
            SetState(AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
            break;
        case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
        case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
    }
}

// The click of a check box is the change of its state, so the base's Click
// on release is replaced by Toggle (which clicks through SetState).
void TCheckBox::WMLButtonUp(TMessage& m) {
    const bool pressed = FClicked;
    FClicked = false;
    TCustomControl::WMLButtonUp(m);
    if (pressed && ClientRect().Contains({LoWordSigned(m.LParam), HiWordSigned(m.LParam)})) Toggle();
}

void TCheckBox::WMGetDlgCode(TMessage& m) { m.Result = DLGC_BUTTON; }

void TCheckBox::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && !(shift & kModifiers)) FSpaceDown = true;
}

void TCheckBox::KeyUp(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        Toggle();
    }
}

void TCheckBox::DoExit() {
    FSpaceDown = false;
    TCustomControl::DoExit();
}

void TCheckBox::CMMouseEnter(TMessage& m) {
    TCustomControl::CMMouseEnter(m);
    Invalidate();
}

void TCheckBox::CMMouseLeave(TMessage& m) {
    TCustomControl::CMMouseLeave(m);
    Invalidate();
}

void TCheckBox::Paint() {
    TCanvas& canvas = Canvas();
    const TRect all = ClientRect();
    Fill(canvas, all, Color());
    const int size = Style().pixelMetric(QStyle::PM_IndicatorWidth);
    const int gap = 4;
    const int top = (all.Height() - size) / 2;
    const bool boxLeft = Alignment == TAlignment::taRightJustify;
    const TRect box = boxLeft ? Bounds(0, top, size, size) : Bounds(all.Right - size, top, size, size);
    PaintIndicator(canvas, box);

    canvas.Font().Assign(Font());
    TRect text = boxLeft ? Rect(size + gap, 0, all.Right, all.Bottom) : Rect(0, 0, all.Right - size - gap, all.Bottom);
    DrawCaption(canvas, Caption(), text, DT_SINGLELINE | DT_VCENTER, EffectivelyEnabled());
    if (HasFocus(*this) && !Caption().empty()) {
        TRect needed = text;
        canvas.DrawText(Caption(), needed, DT_SINGLELINE | DT_CALCRECT);
        const int h = needed.Height();
        const TRect frame = Rect(text.Left - 1, (all.Height() - h) / 2 - 1,
                                 std::min(text.Left + needed.Width() + 1, all.Right), (all.Height() + h) / 2 + 1);
        canvas.DrawFocusRect(frame);
    }
}

namespace {

void PaintButtonIndicator(TCanvas& canvas, const TCheckBox& control, const TRect& box, QStyle::PrimitiveElement element) {
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    const bool enabled = control.EffectivelyEnabled();
    QStyleOptionButton option;
    InitOption(option, control, box, enabled);
    switch (control.State()) {
        case TCheckBoxState::cbChecked: option.state |= QStyle::State_On; break;
        case TCheckBoxState::cbGrayed: option.state |= QStyle::State_NoChange; break;
        case TCheckBoxState::cbUnchecked: option.state |= QStyle::State_Off; break;
    }
    if (enabled && control.MouseInControl()) option.state |= QStyle::State_MouseOver;
    painter->save();
    Style().drawPrimitive(element, &option, painter, nullptr);
    painter->restore();
}

}  // namespace

void TCheckBox::PaintIndicator(TCanvas& canvas, const TRect& box) {
    PaintButtonIndicator(canvas, *this, box, QStyle::PE_IndicatorCheckBox);
}

// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TCheckBox(owner) { SetBounds(Left(), Top(), 113, 17); }

void TRadioButton::SetChecked(bool value) {
    if (value == Checked()) return;
    FState = value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
    Invalidate();
    if (!value) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Click();
}

void TRadioButton::SetState(TCheckBoxState state) { SetChecked(state == TCheckBoxState::cbChecked); }

void TRadioButton::Toggle() {
    if (!Checked()) SetChecked(true);
}

void TRadioButton::PaintIndicator(TCanvas& canvas, const TRect& box) {
    PaintButtonIndicator(canvas, *this, box, QStyle::PE_IndicatorRadioButton);
}

// TGroupBox

namespace {

int CaptionHeight(const TControl& control) { return QFontMetrics(control.Font().ToQFont()).height(); }

}  // namespace

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

TRect TGroupBox::ClientRect() const {
    return Rect(2, CaptionHeight(*this) + 2, std::max(2, Width() - 2), std::max(CaptionHeight(*this) + 2, Height() - 2));
}

void TGroupBox::Paint() {
    TCanvas& canvas = Canvas();
    const TRect all = Rect(0, 0, Width(), Height());
    Fill(canvas, all, Color());
    const int captionHeight = CaptionHeight(*this);
    // The classic etched frame: a shadow box with a highlight box one pixel
    // to the right and below; the caption sits on its top edge.
    TRect shadow = Rect(0, captionHeight / 2, all.Right - 1, all.Bottom - 1);
    TRect light = Rect(1, captionHeight / 2 + 1, all.Right, all.Bottom);
    Frame3D(canvas, light, clBtnHighlight, clBtnHighlight, 1);
    Frame3D(canvas, shadow, clBtnShadow, clBtnShadow, 1);
    if (Caption().empty()) return;
    canvas.Font().Assign(Font());
    TRect text = Rect(8, 0, all.Right - 8, captionHeight);
    canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
    text = Rect(6, 0, std::min(text.Right + 2, all.Right - 6), captionHeight);
    Fill(canvas, text, Color());
    DrawCaption(canvas, Caption(), text, DT_SINGLELINE | DT_CENTER, EffectivelyEnabled());
}
