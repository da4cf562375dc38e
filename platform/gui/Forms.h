#pragma once
// The application object and forms.

#include <functional>
#include <utility>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"

class QApplication;

enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };

// What a hint about to be shown is about; the handler may change the time-out.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    int HideTimeout = 2500;
};

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Lets a component on the form see the form's messages before the form
    // does (a form-skinning component, for one); a hook that returns true
    // consumes the message. One hook per component.
    using TMessageHook = std::function<bool(TMessage&)>;
    void HookMessages(const TComponent* component, TMessageHook hook);
    void UnhookMessages(const TComponent* component);

    void SetVisible(bool visible) override;
    void SetText(const std::string& text) override;

    // The framework calls these once: OnCreate after construction, OnShow before the first showing.
    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;

    TPosition Position = TPosition::poDesigned;
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState state);
    TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
    bool KeyPreview = false;

    // Runs OnCreate; a form built in code calls it when its controls are in place.
    void DoCreate();

    // Shows the form modally and returns its ModalResult. With the dialog script
    // of the test seam active, the scripted answer is taken instead.
    virtual int ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result);
    bool Modal() const { return FModal; }
    void Close();

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop = true);

    // The window as it looks now, for tests and screenshots.
    bool SaveScreenshot(const std::string& pngFileName);

protected:
    void CMDialogKey(TMessage& m) override;
    void Dispatch(TMessage& m) override;
    virtual void DoShow();
    virtual void DoClose(TCloseAction& action);
    virtual bool CloseQuery();
    QWidget* CreateWidget() override;
    void BoundsChanged(bool moved, bool resized) override;
    void ConstraintsChanged() override;

private:
    friend class TQtBridge;
    friend class TWinControl;
    void FocusChanged(TWinControl* control);
    // The window's state changed, by the program or the window manager: the
    // form tells itself so by WM_SIZE with the state in WParam.
    void WindowStateChanged(TWindowState state);
    // The border style's frame: a dialog's is fixed in size, without
    // minimise and maximise buttons.
    bool FixedSize() const;
    void ApplyBorderStyle();

    TWindowState FWindowState = TWindowState::wsNormal;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FShown = false;
    TWinControl* FActiveControl = nullptr;
    std::vector<std::pair<const TComponent*, TMessageHook>> FHooks;
};

// The program's forms, in the order they were created.
class TScreen {
public:
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const { return FForms[static_cast<size_t>(index)]; }

private:
    friend class TForm;
    std::vector<TForm*> FForms;
};

extern TScreen* Screen;

class TApplication : public TComponent {
public:
    // Attaches to the process's QApplication, creating one when there is none.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    std::string Title;
    std::string ExeName;
    TForm* MainForm = nullptr;

    template <class Form>
    Form* CreateForm() {
        auto* form = new Form(this);
        if (!MainForm) MainForm = form;
        return form;
    }

    // Runs the message loop until the main form closes.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Processes pending events now. The engine reaches this through its
    // throttled pump, so it runs at most every 20 ms however often it is asked.
    void ProcessMessages();
    // The default handler for an exception that left an event handler: shows its message.
    void HandleException(const std::exception& e);
    std::function<void(const std::exception&)> OnException;

    bool ShowHint = true;
    int HintHidePause = 2500;
    // Runs before a control's hint shows; canShow false suppresses it.
    std::function<void(std::string& hint, bool& canShow, THintInfo& info)> OnShowHint;
    // Shows the hint of control for the mouse at a point of the control, as
    // when the mouse rests there. Returns the text shown (empty: none).
    std::string ActivateHint(TControl* control, TPoint pos);

private:
    std::unique_ptr<QApplication> FOwnedApp;
    bool FTerminated = false;
};

extern TApplication* Application;

// Runs handler, giving any exception it raises to the application's default handler.
void GuardedCall(const std::function<void()>& handler);
