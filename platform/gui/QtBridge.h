#pragma once
// Where Qt meets the control layer: the widget of self-painting controls, the
// watcher of native widgets, and the one function that turns Qt events into
// the messages a control handles. No control sees a QEvent.

#include "platform/gui/Controls.h"

class QEvent;
class QWheelEvent;
class QWidget;

class TQtBridge {
public:
    // A widget that leaves painting and input to the control.
    static QWidget* CreateWindowWidget(TWinControl* control);
    // Starts delivering the widget's events to the control.
    static void Attach(TWinControl* control, QWidget* widget);
    // Stops all delivery to the control (it is being destroyed).
    static void Detach(TWinControl* control);
    static TWinControl* ControlOf(const QWidget* widget);

    // Delivers one Qt event; true when the control consumed it. An exception
    // from a handler goes to the application's default handler, as in the
    // framework's message loop.
    static bool Deliver(TWinControl* control, QWidget* widget, QEvent* event);

    // The keyboard path of a key press on control: special keys the control
    // does not want go to its form as CM_DIALOGKEY, the rest as WM_KEYDOWN and
    // WM_CHAR. Returns true when consumed. (Tests call it to press keys.)
    static bool KeyPressed(TWinControl* control, uint16_t key, TShiftState shift, char character);
    static bool KeyReleased(TWinControl* control, uint16_t key, TShiftState shift);

    // The mouse path: routes to a windowless child under the point or holding
    // the capture, keeps enter/leave for windowless children, and keeps
    // enter/leave for the window itself during a capture.
    static bool MouseMessage(TWinControl* control, UINT msg, WPARAM keys, int x, int y);
    static void MouseLeftWindow(TWinControl* control);
    static void MouseEnteredWindow(TWinControl* control);

    // A disabled top-level window takes no input but keeps its look.
    static void GateDisabledWindows();

private:
    static bool DeliverUnguarded(TWinControl* control, QWidget* widget, QEvent* event);
    static bool Wheel(TWinControl* control, QWidget* widget, QWheelEvent* event);
    static bool Send(TWinControl* control, TMessage& m, bool native);
};

TShiftState KeyDataToShiftState(LPARAM keyData);
LPARAM ShiftStateToKeyData(TShiftState shift);
