#include "platform/gui/QtBridge.h"

#include <cctype>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "platform/gui/FocusRing.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/controls/NonClient.h"

namespace {

constexpr const char* kControlProperty = "lexmoorControl";

std::unordered_set<const TWinControl*>& LiveWindows() {
    static std::unordered_set<const TWinControl*> windows;
    return windows;
}

// Per window: the windowless child the mouse is over.
std::unordered_map<const TWinControl*, TControl*>& HoveredChild() {
    static std::unordered_map<const TWinControl*, TControl*> hovered;
    return hovered;
}

TControl* gCapture = nullptr;

class TWindowWidget : public QWidget {
public:
    explicit TWindowWidget(TWinControl* control) : FControl(control) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }
    void Release() { FControl = nullptr; }

protected:
    bool event(QEvent* e) override {
        if (FControl && TQtBridge::Deliver(FControl, this, e)) return true;
        return QWidget::event(e);
    }

private:
    TWinControl* FControl;
};

class TNativeWatcher : public QObject {
public:
    TNativeWatcher(TWinControl* control, QWidget* widget) : QObject(widget), FControl(control), FWidget(widget) {}
    void Release() { FControl = nullptr; }

protected:
    bool eventFilter(QObject* object, QEvent* e) override {
        if (!FControl) return false;
        if (object == FWidget) return TQtBridge::Deliver(FControl, FWidget, e);
        // A scroll area takes its clicks in an inner viewport: they reach the
        // control as clicks on the widget itself.
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove: {
                auto* me = static_cast<QMouseEvent*>(e);
                auto* inner = static_cast<QWidget*>(object);
                QPointF local = inner->mapTo(FWidget, me->position().toPoint());
                QMouseEvent mapped(me->type(), local, me->scenePosition(), me->globalPosition(), me->button(),
                                   me->buttons(), me->modifiers());
                return TQtBridge::Deliver(FControl, FWidget, &mapped);
            }
            case QEvent::Wheel: {
                // The wheel too goes by the control's rules before the view scrolls.
                if (TQtBridge::Deliver(FControl, FWidget, e)) return true;
                return false;
            }
            default:
                return false;
        }
    }

private:
    TWinControl* FControl;
    QWidget* FWidget;
};

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
    TShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= ssShift;
    if (modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (modifiers & Qt::AltModifier) s |= ssAlt;
    return s;
}

uint16_t VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<uint16_t>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<uint16_t>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return static_cast<uint16_t>(VK_F1 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        default: break;
    }
    // Punctuation has the key codes of a US keyboard: the shifted sign shares
    // its key with the plain one. Qt codes Latin-1 keys by their character, which
    // must never be read as a virtual key ('.' is VK_DELETE there).
    switch (qtKey) {
        case Qt::Key_Exclam: return '1';
        case Qt::Key_At: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_AsciiCircum: return '6';
        case Qt::Key_Ampersand: return '7';
        case Qt::Key_Asterisk: return '8';
        case Qt::Key_ParenLeft: return '9';
        case Qt::Key_ParenRight: return '0';
        case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
        case Qt::Key_Equal: case Qt::Key_Plus: return VK_OEM_PLUS;
        case Qt::Key_Comma: case Qt::Key_Less: return VK_OEM_COMMA;
        case Qt::Key_Minus: case Qt::Key_Underscore: return VK_OEM_MINUS;
        case Qt::Key_Period: case Qt::Key_Greater: return VK_OEM_PERIOD;
        case Qt::Key_Slash: case Qt::Key_Question: return VK_OEM_2;
        case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
        case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
        case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
        case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
        case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
        default: return 0;
    }
}

// The character a key gives, as the program's 8-bit text sees it: ASCII as
// itself, Enter as 13, Escape 27, Backspace 8, anything else none.
char CharacterOf(const QKeyEvent* e, uint16_t vk) {
    if (vk == VK_RETURN) return '\r';
    if (vk == VK_ESCAPE) return 27;
    if (vk == VK_BACK) return 8;
    if (vk == VK_TAB) return '\t';
    QString text = e->text();
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127) return static_cast<char>(text[0].unicode());
    return 0;
}

// The keys a control must ask for (WM_GETDLGCODE) before they reach it, and
// the answer bit that wants each: Tab, the arrows, and Enter and Escape.
LRESULT DialogCodeMask(uint16_t key) {
    switch (key) {
        case VK_TAB: return DLGC_WANTTAB;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: return DLGC_WANTARROWS;
        case VK_RETURN: case VK_ESCAPE: return DLGC_WANTALLKEYS;
        default: return 0;
    }
}

}  // namespace

// Sends msg to control and says whether the control consumed it: a native
// widget's control passes unhandled messages back to Qt through its default handler.
bool TQtBridge::Send(TWinControl* control, TMessage& m, bool native) {
    control->FPassToNative = false;
    control->WndProc(m);
    return !(native && control->FPassToNative);
}

TShiftState KeyDataToShiftState(LPARAM keyData) { return static_cast<TShiftState>((keyData >> 24) & 0x7F); }

LPARAM ShiftStateToKeyData(TShiftState shift) { return LPARAM(shift & 0x7F) << 24; }

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

// Keeps the user's input from a disabled top-level window and everything in
// it, which keep their look: a window turned off while it works must not turn
// its native parts grey and leave its drawn ones as they were.
class TDisabledWindowGate : public QObject {
protected:
    bool eventFilter(QObject* object, QEvent* e) override {
        if (!IsUserInput(e->type()) || !object->isWidgetType()) return false;
        // Only the window's own control: a box Qt shows over a busy form is a
        // window of its own, and walking on up to that form would swallow its keys.
        QVariant v = static_cast<QWidget*>(object)->window()->property(kControlProperty);
        if (!v.isValid()) return false;
        auto* window = static_cast<TWinControl*>(v.value<void*>());
        return LiveWindows().count(window) && !window->Parent() && !window->Enabled();
    }
};

}  // namespace

void TQtBridge::GateDisabledWindows() {
    static TDisabledWindowGate* gate = nullptr;
    if (gate || !qApp) return;
    gate = new TDisabledWindowGate;
    gate->setParent(qApp);
    qApp->installEventFilter(gate);
}

QWidget* TQtBridge::CreateWindowWidget(TWinControl* control) { return new TWindowWidget(control); }

void TQtBridge::Attach(TWinControl* control, QWidget* widget) {
    focus_ring::Install();
    LiveWindows().insert(control);
    widget->setProperty(kControlProperty, QVariant::fromValue<void*>(control));
    if (!dynamic_cast<TWindowWidget*>(widget)) {
        auto* watcher = new TNativeWatcher(control, widget);
        widget->installEventFilter(watcher);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) area->viewport()->installEventFilter(watcher);
        watcher->setObjectName("lexmoorWatcher");
    }
}

void TQtBridge::Detach(TWinControl* control) {
    LiveWindows().erase(control);
    HoveredChild().erase(control);
    for (auto& [window, child] : HoveredChild())
        if (child == control) child = nullptr;
    QWidget* widget = control->Widget();
    if (!widget) return;
    widget->setProperty(kControlProperty, QVariant());
    if (auto* own = dynamic_cast<TWindowWidget*>(widget)) own->Release();
    // A widget spoken for again after an earlier window let it go has a watcher per window.
    for (auto* watcher : widget->findChildren<TNativeWatcher*>("lexmoorWatcher", Qt::FindDirectChildrenOnly))
        watcher->Release();
}

TWinControl* TQtBridge::ControlOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        QVariant v = w->property(kControlProperty);
        if (v.isValid()) return static_cast<TWinControl*>(v.value<void*>());
    }
    return nullptr;
}

bool TQtBridge::KeyPressed(TWinControl* control, uint16_t key, TShiftState shift, char character) {
    bool native = control->NativeDefault();
    LPARAM keyData = ShiftStateToKeyData(shift);
    if (LRESULT mask = DialogCodeMask(key); mask != 0 && !(shift & ssAlt)) {
        bool wanted = control->Perform(CM_WANTSPECIALKEY, key, keyData) != 0 ||
                      (control->Perform(WM_GETDLGCODE, key, 0) & mask) != 0;
        if (!wanted) {
            TForm* form = control->ParentForm();
            if (form && form->Perform(CM_DIALOGKEY, key, keyData) != 0) return true;
        }
    }
    // Alt with a letter or digit is an accelerator of a control's caption first.
    const bool alnum = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (alnum && (shift & ssAlt) && !(shift & ssCtrl)) {
        TForm* form = control->ParentForm();
        if (form && form->Perform(CM_DIALOGCHAR, WPARAM(std::tolower(key)), keyData) != 0) return true;
    }
    if (!LiveWindows().count(control)) return true;
    TMessage down{WM_KEYDOWN, key, keyData, 0};
    bool consumed = Send(control, down, native);
    if (down.Result != 0) return true;
    if (character != 0 && LiveWindows().count(control)) {
        TMessage chr{WM_CHAR, static_cast<unsigned char>(character), keyData, 0};
        bool charConsumed = Send(control, chr, native);
        return chr.Result != 0 || (charConsumed && consumed);
    }
    return consumed;
}

bool TQtBridge::KeyReleased(TWinControl* control, uint16_t key, TShiftState shift) {
    TMessage up{WM_KEYUP, key, ShiftStateToKeyData(shift), 0};
    return Send(control, up, control->NativeDefault());
}

void TQtBridge::MouseEnteredWindow(TWinControl* control) {
    if (!control->MouseInControl()) control->Perform(CM_MOUSEENTER);
}

void TQtBridge::MouseLeftWindow(TWinControl* control) {
    auto it = HoveredChild().find(control);
    if (it != HoveredChild().end() && it->second) {
        TControl* child = it->second;
        it->second = nullptr;
        child->Perform(CM_MOUSELEAVE);
    }
    if (LiveWindows().count(control) && control->MouseInControl()) control->Perform(CM_MOUSELEAVE);
}

bool TQtBridge::MouseMessage(TWinControl* control, UINT msg, WPARAM keys, int x, int y) {
    bool native = control->NativeDefault();
    // A windowless child holding the capture, or under the point, takes the message.
    TControl* target = nullptr;
    if (gCapture && gCapture != control && gCapture->Parent() == control && !dynamic_cast<TWinControl*>(gCapture))
        target = gCapture;
    else if (!native)
        if (TControl* child = control->ControlAtPos({x, y}); child && !dynamic_cast<TWinControl*>(child))
            target = child;

    if (msg == WM_MOUSEMOVE) {
        bool buttonDown = keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
        // During a capture Qt sends no enter/leave: work them out from the point.
        if (buttonDown && gCapture == control) {
            bool inside = control->ClientRect().Contains({x, y});
            if (inside != control->MouseInControl()) control->Perform(inside ? CM_MOUSEENTER : CM_MOUSELEAVE);
        }
        TControl*& hovered = HoveredChild()[control];
        TControl* over = target;
        if (gCapture == target && target) {
            TPoint local{x - target->Left(), y - target->Top()};
            over = target->ClientRect().Contains(local) ? target : nullptr;
        }
        if (over != hovered) {
            TControl* old = hovered;
            hovered = over;
            if (old) old->Perform(CM_MOUSELEAVE);
            if (over) over->Perform(CM_MOUSEENTER);
        }
    }
    if (target) {
        target->Perform(msg, keys, MAKELPARAM(x - target->Left(), y - target->Top()));
        return true;
    }
    TMessage m{msg, keys, MAKELPARAM(x, y), 0};
    return Send(control, m, native);
}

bool TQtBridge::Deliver(TWinControl* control, QWidget* widget, QEvent* e) {
    bool consumed = true;
    try {
        GuardedCall([&] { consumed = DeliverUnguarded(control, widget, e); });
    } catch (const std::exception& ex) {
        // No application to show it: it must still not unwind through Qt.
        std::fprintf(stderr, "%s\n", ex.what());
    }
    return consumed;
}

bool TQtBridge::DeliverUnguarded(TWinControl* control, QWidget* widget, QEvent* e) {
    // A control turned off, itself or through a parent, takes no input at all:
    // Qt hands a click on it to the first enabled window above, as the
    // platform the program expects hands it to the parent. (A disabled
    // top-level window keeps its look and is gated apart.)
    if (IsUserInput(e->type()) && control->Parent() && !control->EffectivelyEnabled()) return false;
    bool native = control->NativeDefault();
    switch (e->type()) {
        case QEvent::Paint: {
            if (native) return false;
            QPainter painter(widget);
            // The region to paint, as a clip the painting can ask about (to
            // skip windowless children it does not touch).
            painter.setClipRegion(static_cast<QPaintEvent*>(e)->region());
            TCanvas& canvas = control->PaintCanvas();
            canvas.BeginPaint(&painter);
            if (const TRect band = control->NonClientBand(); band != TRect{}) {
                // The band first, on the whole window; then the client area inside it.
                control->Perform(WM_NCPAINT, WPARAM(&canvas), 0);
                const TRect client = control->TWinControl::ClientRect();
                painter.translate(band.Left, band.Top);
                painter.setClipRect(0, 0, client.Width(), client.Height(), Qt::IntersectClip);
            }
            // An opaque window covers all it is given: nothing to erase under it.
            if (!(control->ControlStyle() & csOpaque)) control->Perform(WM_ERASEBKGND, 0, 0);
            control->Perform(WM_PAINT, 0, 0);
            canvas.EndPaint();
            control->Validate();
            return true;
        }
        case QEvent::Resize: {
            // A top-level window is sized by the window manager; children by us.
            // The widget's own size is the one to follow: an event can arrive
            // late, after the window manager has already sized the window again.
            if (control->Parent()) return false;
            const QSize size = widget->size();
            if (size.width() != control->Width() || size.height() != control->Height())
                control->TControl::SetBounds(control->Left(), control->Top(), size.width(), size.height());
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            auto* me = static_cast<QMouseEvent*>(e);
            bool press = e->type() != QEvent::MouseButtonRelease;
            bool dbl = e->type() == QEvent::MouseButtonDblClick && (control->ClassStyle() & CS_DBLCLKS);
            UINT msg;
            switch (me->button()) {
                case Qt::LeftButton: msg = dbl ? WM_LBUTTONDBLCLK : press ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
                case Qt::RightButton: msg = dbl ? WM_RBUTTONDBLCLK : press ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
                case Qt::MiddleButton: msg = dbl ? WM_MBUTTONDBLCLK : press ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
                default: return false;
            }
            QPoint p = me->position().toPoint();
            if (press && !native && control->TabStop() && control->CanFocus() && !control->Focused())
                control->SetFocus();
            return non_client::RouteMouse(
                *control, msg, MouseKeys(me->buttons() | (press ? me->button() : Qt::NoButton), me->modifiers()),
                p.x(), p.y());
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            QPoint p = me->position().toPoint();
            return non_client::RouteMouse(*control, WM_MOUSEMOVE, MouseKeys(me->buttons(), me->modifiers()), p.x(),
                                          p.y());
        }
        case QEvent::Enter:
            MouseEnteredWindow(control);
            return false;
        case QEvent::Leave:
            MouseLeftWindow(control);
            return false;
        case QEvent::Wheel:
            return Wheel(control, widget, static_cast<QWheelEvent*>(e));
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(e);
            // Shift+F10 asks for the context menu, as the menu key does.
            if (ke->key() == Qt::Key_F10 && ke->modifiers() == Qt::ShiftModifier) {
                const QRect cursor = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
                const QPoint at = cursor.isValid() ? cursor.center() : widget->rect().center();
                QContextMenuEvent request(QContextMenuEvent::Keyboard, at, widget->mapToGlobal(at), ke->modifiers());
                QApplication::sendEvent(widget, &request);
                return true;
            }
            uint16_t vk = VirtualKey(ke->key());
            if (vk == 0 && ke->text().isEmpty()) return false;
            // Any other key that types text (letters of other alphabets, composed
            // dead keys) arrives as a packet: a key 0 would read as handled.
            if (vk == 0) vk = VK_PACKET;
            char ch = CharacterOf(ke, vk);
            TShiftState shift = ShiftOf(ke->modifiers());
            if (ke->key() == Qt::Key_Backtab) shift |= ssShift;
            return KeyPressed(control, vk, shift, ch);
        }
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(e);
            // A held key repeats as presses only, as on the platform the program expects.
            if (ke->isAutoRepeat()) return true;
            uint16_t vk = VirtualKey(ke->key());
            if (vk == 0) return false;
            return KeyReleased(control, vk, ShiftOf(ke->modifiers()));
        }
        case QEvent::FocusIn: {
            TMessage m{WM_SETFOCUS, 0, 0, 0};
            Send(control, m, native);
            return false;
        }
        case QEvent::FocusOut: {
            TMessage m{WM_KILLFOCUS, 0, 0, 0};
            Send(control, m, native);
            return false;
        }
        case QEvent::ToolTip: {
            auto* he = static_cast<QHelpEvent*>(e);
            TControl* target = control;
            const TRect& band = control->NonClientBand();
            TPoint pos{he->pos().x() - band.Left, he->pos().y() - band.Top};
            if (TControl* child = control->ControlAtPos(pos); child && !dynamic_cast<TWinControl*>(child)) {
                target = child;
                pos = {pos.X - child->Left(), pos.Y - child->Top()};
            }
            if (!Application || Application->ActivateHint(target, pos).empty()) QToolTip::hideText();
            return true;
        }
        case QEvent::ContextMenu: {
            if (!control->PopupMenu) return false;
            auto* ce = static_cast<QContextMenuEvent*>(e);
            control->PopupMenu->PopupComponent = control;
            control->PopupMenu->Popup(ce->globalPos().x(), ce->globalPos().y());
            return true;
        }
        case QEvent::WindowStateChange: {
            if (auto* form = dynamic_cast<TForm*>(control)) {
                const Qt::WindowStates state = widget->windowState();
                form->WindowStateChanged(state & Qt::WindowMinimized   ? TWindowState::wsMinimized
                                         : state & Qt::WindowMaximized ? TWindowState::wsMaximized
                                                                       : TWindowState::wsNormal);
            }
            return false;
        }
        case QEvent::Close: {
            if (auto* form = dynamic_cast<TForm*>(control)) {
                form->Close();
                // The form hides itself when it may close; Qt must not close it behind its back.
                e->ignore();
                return true;
            }
            // A popup closed by a click elsewhere: its mode ends.
            if (!control->Parent()) {
                TMessage m{WM_CANCELMODE, 0, 0, 0};
                Send(control, m, native);
            }
            return false;
        }
        default:
            return false;
    }
}

// The wheel turns for the control under the pointer, as desktops do today: a
// user reads the concordance pane with the wheel while the table keeps the
// focus. A control that does not use it passes it to its parent
// (TWinControl::DefaultHandler); a native control scrolls by its own rules when
// its message is not taken. Controls that answer the wheel only while focused
// check that themselves.
bool TQtBridge::Wheel(TWinControl* control, QWidget*, QWheelEvent* we) {
    // The message carries the pointer in screen coordinates, as the platform's does.
    const int delta = we->angleDelta().y();
    const QPoint at = we->globalPosition().toPoint();
    TMessage m{WM_MOUSEWHEEL, WPARAM(uint32_t(delta & 0xFFFF) << 16) | MouseKeys(we->buttons(), we->modifiers()),
               MAKELPARAM(at.x(), at.y()), 0};
    return Send(control, m, control->NativeDefault());
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window)) return 0;
    return window->Perform(msg, wParam, lParam);
}

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window)) return false;
    QTimer::singleShot(0, qApp, [window, msg, wParam, lParam] {
        if (IsWindow(window)) window->Perform(msg, wParam, lParam);
    });
    return true;
}

bool IsWindow(HWND window) { return window && LiveWindows().count(window) != 0; }

TControl* GetCaptureControl() { return gCapture; }

void SetCaptureControl(TControl* control) { gCapture = control; }
