#pragma once
// Components, controls and windowed controls: the framework layer the
// program's forms and controls are written against. Every windowed control has
// a Qt widget behind it; Qt events reach the control as the platform's
// messages through its WndProc, so a control overrides a message handler, or
// WndProc itself, as the program's code expects.

#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

class QWidget;
class TWinControl;
class TPopupMenu;
class TForm;
class TBasicAction;
class TControlActionLink;

using HWND = TWinControl*;

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents[static_cast<size_t>(index)]; }
    TComponent* FindComponent(const std::string& name) const;

    // True while the program's forms are being designed; never at run time here.
    bool Designing() const { return false; }
    bool Loading() const { return FLoading; }
    // True once this component or its owner has begun to go: it lays out and
    // paints nothing more.
    bool Destroying() const { return FDestroying; }
    void SetLoading(bool loading) { FLoading = loading; }

    // Told of components being added to or removed from the owner, and of any
    // component this one asked to be told about.
    virtual void Notification(TComponent* component, TOperation operation);
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Frees the owned components, newest first. A class whose components reach
    // back into its own members calls it from its destructor, while those
    // members still live.
    void DestroyComponents();
    // Marks this component and everything it owns as going.
    void MarkDestroying();

    std::string Name;
    int Tag = 0;

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    bool FLoading = false;
    bool FDestroying = false;
};

// The reading order of a control's text. Right to left also mirrors a
// left or right alignment (bdRightToLeft only).
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Whether the character (as CM_DIALOGCHAR carries it) is the accelerator
// that an "&" marks in caption, without regard to case; "&&" marks none.
bool IsAccel(WPARAM charCode, const std::string& caption);

// The shift keys and mouse buttons held, from the key flags of a mouse message.
TShiftState MouseShift(WPARAM keys);

enum class TCursor { crDefault, crArrow, crHandPoint, crIBeam, crHourGlass, crSizeWE, crSizeNS, crSizeAll };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientSize(int width, int height);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    // Anchors take effect when the parent is resized, measured from the bounds
    // last set in code and the parent's client size at that moment.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors);
    // Every size the control takes stays within these.
    const TSizeConstraints& Constraints() const { return FConstraints; }
    void SetConstraints(const TSizeConstraints& constraints);

    // The control's own flags; whether it shows or takes input also depends on its parents.
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);
    // Enabled here and in every parent below the top-level window.
    bool EffectivelyEnabled() const;

    // Caption and Text are one property of the control, as in the framework.
    virtual std::string GetText() const { return FText; }
    virtual void SetText(const std::string& text);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }
    std::string Text() const { return GetText(); }

    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& font) { FFont.Assign(font); }
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    // Takes the parent's BiDiMode and follows its changes.
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftReading() const { return FBiDiMode != TBiDiMode::bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == TBiDiMode::bdRightToLeft; }
    // Text-drawing flags as the reading order asks: DT_RTLREADING, and a
    // left or right alignment mirrored (a centred one stays).
    unsigned DrawTextBiDiModeFlags(unsigned flags) const;

    std::string Hint;
    bool ShowHint = false;
    bool ParentShowHint = true;
    TPopupMenu* PopupMenu = nullptr;
    TCursor Cursor = TCursor::crDefault;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Messages. WndProc is the one entry; Dispatch sends a message to the
    // handler of its number, and messages no handler takes go to DefaultHandler.
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // A click runs OnClick when it is the control's own handler beside a
    // linked action, else the linked action, else OnClick.
    virtual void Click();
    virtual void DblClick();
    virtual void Invalidate();
    void Repaint();
    // Paints what is invalid now: a window its own, a windowless control its parent's.
    virtual void Update();
    void Refresh() { Repaint(); }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void BringToFront();
    void SendToBack();

    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The position of p (in this control's coordinates) in the parent form's client area.
    TPoint ClientToForm(TPoint p) const;
    TForm* ParentForm() const;

    // Whether the mouse is over the control, as CM_MOUSEENTER/CM_MOUSELEAVE last said.
    bool MouseInControl() const { return FMouseInControl; }

    // Changes whenever the control's window is invalidated (all of it or a
    // part): a picture of its look taken at one stamp is still right while the
    // stamp is. Stamps are never reused, not even by another control.
    uint64_t LookStamp() const { return FLookStamp; }

    // The action the control follows; the control lets go of it when it is freed.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    // The control's look changed in a way its parent draws (windowless controls).
    virtual void Changed() { Invalidate(); }
    virtual void BoundsChanged(bool /*moved*/, bool /*resized*/) {}
    virtual void ConstraintsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void TextChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() {}
    virtual void BiDiModeChanged() { Invalidate(); }
    // The linked action (Sender) changed, or was just linked: the control takes
    // its caption, enabled state, hint, visibility and handler; with
    // CheckDefaults only where the control still has its default.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // OnClick is the linked action's handler, copied in by ActionChange.
    bool ClickRunsAction() const;
    void Notification(TComponent* component, TOperation operation) override;

    // Handlers of the framework's messages; an override calls the base for "inherited".
    virtual void WMLButtonDown(TMessage& m);
    virtual void WMLButtonUp(TMessage& m);
    virtual void WMLButtonDblClk(TMessage& m);
    virtual void WMRButtonDown(TMessage& m);
    virtual void WMRButtonUp(TMessage& m);
    virtual void WMMouseMove(TMessage& m);
    virtual void CMMouseEnter(TMessage& m);
    virtual void CMMouseLeave(TMessage& m);
    virtual void CMEnabledChanged(TMessage& m);
    virtual void CMVisibleChanged(TMessage& m);
    virtual void CMTextChanged(TMessage& m);
    virtual void CMFontChanged(TMessage& m);
    virtual void CMColorChanged(TMessage& m);
    virtual void CMHitTest(TMessage& m);

    void RequestAlign();
    void TouchLook();
    bool FClicked = false;

private:
    friend class TWinControl;
    friend class TBasicAction;
    void ParentFontOrColorChanged();
    // Stores the mode and hands it to the children that follow this control.
    void TakeBiDiMode(TBiDiMode value);
    void RememberAnchorBounds();
    void FollowAnchors(int parentWidth, int parentHeight);

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = TAlign::alNone;
    TAnchors FAnchors = akLeft | akTop;
    TSizeConstraints FConstraints;
    TRect FAnchorBounds;
    TPoint FAnchorParentSize;
    bool FAnchoring = false;
    bool FVisible = true;
    bool FEnabled = true;
    bool FParentColor = true;
    bool FParentFont = true;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FMouseInControl = false;
    // Controls whose native widget reports clicks themselves clear the click styles.
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;
    uint64_t FLookStamp = 0;
    std::string FText;
    TFont FFont;
    TColor FColor = clBtnFace;
    std::unique_ptr<TControlActionLink> FActionLink;
};

// A control without a window: its parent paints it onto its own canvas, in
// z-order, and hands it the mouse messages over its rectangle.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    TCanvas& Canvas() { return FCanvas; }
    void Invalidate() override;

protected:
    friend class TWinControl;
    virtual void Paint() {}
    virtual void WMPaint(TMessage& m);
    void Dispatch(TMessage& message) override;

private:
    TCanvas FCanvas;
};

class TWinControl : public TControl {
public:
    friend class TControl;
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle() { return this; }
    // Where the window's top-left corner is on the screen.
    TPoint ScreenOrigin() const;
    bool HandleAllocated() const { return FWidget != nullptr; }
    // For a native widget: messages the control does not handle fall through to Qt.
    bool NativeDefault() const { return FNativeDefault; }
    // The window-class style the window was created with (CS_DBLCLKS...).
    uint32_t ClassStyle() const { return FClassStyle; }
    QWidget* Widget() const { return FWidget; }

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls[static_cast<size_t>(index)]; }
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child (windowless ones included) at a client point.
    TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;
    void Broadcast(TMessage& message);
    // Lays out the aligned children in the client area.
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    // The part of the client area the aligned children share; all of it unless
    // a control keeps a border or caption for itself.
    virtual void AdjustClientRect(TRect& /*Rect*/) {}

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    int TabOrder = 0;
    bool Focused() const;
    // Whether the control's own look marks its focus; the others get a ring.
    virtual bool ShowsOwnFocus() const { return false; }
    virtual bool CanFocus() const;
    virtual void SetFocus();

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void Invalidate() override;
    void InvalidateRect(const TRect& r);
    // Paints now what was invalidated (all of the window when nothing was).
    void Update() override;
    // A paint has covered what was invalid.
    void Validate();
    // A region of the window's area that shows the window; nullptr for all of it.
    // The window takes ownership of the region.
    void SetWindowRgn(HRGN region, bool redraw);
    HRGN WindowRgn() const { return FRegion; }

    // The frame band round the client area, as the widths of its four sides
    // (WM_NCCALCSIZE decides them); no band for most windows.
    const TRect& NonClientBand() const { return FBand; }
    // Asks the window for its band again, as after a change of what it answers
    // to WM_NCCALCSIZE; the client area, children and painting follow.
    void RecalcNonClient();
    // The client area inside the band.
    TRect ClientRect() const override;
    // The window's class name; native controls answer the platform's names.
    virtual std::string WindowClassName() const;

    // Paints the control and its windowless children into a canvas, as they
    // look on screen (for tests and for drawing into device contexts).
    void PaintTo(TCanvas& canvas, int x, int y);
    // Only the control's own window painting, without its children (for
    // painting what lies behind a child).
    void PaintWindowTo(TCanvas& canvas) { PaintWindow(canvas); }

    // Window timers with identifiers, delivered as WM_TIMER with the identifier in WParam.
    void SetTimer(int id, int intervalMs);
    void KillTimer(int id);

protected:
    friend class TControl;
    friend class TQtBridge;

    // Frees the child controls, newest first, as the destructor does; for a
    // derived window whose children reach back into its own members.
    void DestroyControls();

    // The Qt widget behind the control. The default is a widget that leaves
    // painting and input to the control; native controls return their own.
    virtual QWidget* CreateWidget();
    // What the window is created with; the widget follows it when created.
    virtual void CreateParams(TCreateParams& Params);
    // The window has just been made; an override calls the base first.
    virtual void CreateWnd() {}
    void SetNativeDefault(bool value) { FNativeDefault = value; }

    void DefaultHandler(TMessage& message) override;
    void Dispatch(TMessage& message) override;

    virtual void PaintWindow(TCanvas& canvas);
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void AlignControls(TControl* control, TRect& rect);
    void BoundsChanged(bool moved, bool resized) override;
    void FontChanged() override { ApplyFontAndColor(); }
    void ColorChanged() override { ApplyFontAndColor(); }
    virtual void ZOrderChanged(TControl* control, bool toFront);

    virtual void WMPaint(TMessage& m);
    virtual void WMEraseBkgnd(TMessage& m);
    virtual void WMSize(TMessage& m);
    virtual void WMMove(TMessage& m);
    virtual void WMSetFocus(TMessage& m);
    virtual void WMKillFocus(TMessage& m);
    virtual void WMKeyDown(TMessage& m);
    virtual void WMKeyUp(TMessage& m);
    virtual void WMChar(TMessage& m);
    virtual void WMGetDlgCode(TMessage& m);
    virtual void WMTimer(TMessage& m);
    virtual void CMDialogKey(TMessage& m);
    virtual void CMDialogChar(TMessage& m);
    // The form's focus moved to the control in LParam; passed on to every child.
    virtual void CMFocusChanged(TMessage& m);
    virtual void CMWantSpecialKey(TMessage& m);
    void CMEnabledChanged(TMessage& m) override;
    void CMVisibleChanged(TMessage& m) override;

    // The canvas bound to the widget during WM_PAINT.
    TCanvas& PaintCanvas() { return FPaintCanvas; }

    // Creates the widget now (constructors of native controls call it to set it up).
    void EnsureWidget();
    // Lets go of a widget that another widget owns: it is no longer the
    // control's, and is not deleted with it.
    void ReleaseWidget();
    void ApplyFontAndColor();

private:
    void ApplyEnabled(bool enabled);
    friend class TGraphicControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void UpdateWidgetGeometry();
    // The widget's mask: its window region, cut to the parent's client area.
    void ApplyMask();
    bool CalcNonClient();
    void PaintGraphicChildren(TCanvas& canvas, const TRect& clip);
    void PaintWindowAroundOpaqueChildren(TCanvas& canvas);

    QWidget* FWidget = nullptr;
    bool FNativeDefault = false;
    bool FPassToNative = false;
    bool FTabStop = false;
    std::vector<TControl*> FControls;
    TCanvas FPaintCanvas;
    HRGN FRegion = nullptr;
    TRect FBand;
    int FAlignLevel = 0;
    uint32_t FClassStyle = 0;
    // What was invalidated since the last paint, for Update: all of the
    // window, or the rectangles' bounds (empty: nothing asked).
    bool FInvalidAll = false;
    TRect FInvalidBounds;
    std::vector<std::pair<int, int>> FTimers;  // window timer id -> service id
};

// A windowed control that draws itself on a canvas in Paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas() { return PaintCanvas(); }

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;
};

// Sends a message to a window now; returns its result. A handle of a control
// that no longer exists is ignored and gives 0.
LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues a message for the window; it is delivered when messages are next processed.
bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
bool IsWindow(HWND window);

// The control under the mouse that the next click will go to, and capture.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

