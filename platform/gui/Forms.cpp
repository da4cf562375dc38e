#include "platform/gui/Forms.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/core/Messages.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/QtGlue.h"

TApplication* Application = nullptr;

namespace {

// The loops wait for events: a change of their condition made outside an
// event must wake them, or they would sleep on until the next one.
void WakeEventLoop() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

TScreen gScreen;

}  // namespace

TScreen* Screen = &gScreen;

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    Screen->FForms.push_back(this);
    SetVisible(false);
    SetColor(clBtnFace);
    EnsureWidget();
}

TForm::~TForm() {
    // What the form owns or holds may still use its hooks, focus and other
    // members as it goes: it goes while the form is whole.
    MarkDestroying();
    DestroyComponents();
    DestroyControls();
    std::erase(Screen->FForms, this);
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

QWidget* TForm::CreateWidget() {
    QWidget* widget = TQtBridge::CreateWindowWidget(this);
    widget->setWindowFlag(Qt::Window);
    widget->hide();
    return widget;
}

void TForm::BoundsChanged(bool moved, bool resized) {
    // A top-level window: the window manager places it; we only pass our wish on.
    if (Widget() && !Parent()) {
        if (resized && FixedSize())
            Widget()->setFixedSize(Width(), Height());
        else if (resized && Widget()->size() != QSize(Width(), Height()))
            Widget()->resize(Width(), Height());
        if (moved && Widget()->pos() != QPoint(Left(), Top())) Widget()->move(Left(), Top());
    }
    TWinControl::BoundsChanged(moved, resized);
}

// The window manager must not make the window smaller than its controls allow.
void TForm::ConstraintsChanged() {
    if (!Widget() || FixedSize()) return;
    const TSizeConstraints& c = Constraints();
    Widget()->setMinimumSize(c.MinWidth, c.MinHeight);
    Widget()->setMaximumSize(c.MaxWidth > 0 ? c.MaxWidth : QWIDGETSIZE_MAX, c.MaxHeight > 0 ? c.MaxHeight : QWIDGETSIZE_MAX);
}

void TForm::DoCreate() {
    GuardedCall([&] {
        if (OnCreate) OnCreate(this);
    });
}

void TForm::SetText(const std::string& text) {
    TControl::SetText(text);
    if (Widget()) Widget()->setWindowTitle(ToQString(text));
}

void TForm::SetWindowState(TWindowState state) {
    if (!Widget() || !Visible()) {
        FWindowState = state;
        return;
    }
    if (state == TWindowState::wsMaximized)
        Widget()->showMaximized();
    else if (state == TWindowState::wsMinimized)
        Widget()->showMinimized();
    else
        Widget()->showNormal();
    // Where the window system tells no change of state, the form still takes it.
    WindowStateChanged(state);
}

void TForm::WindowStateChanged(TWindowState state) {
    if (state == FWindowState) return;
    FWindowState = state;
    const WPARAM kind = state == TWindowState::wsMaximized   ? SIZE_MAXIMIZED
                        : state == TWindowState::wsMinimized ? SIZE_MINIMIZED
                                                             : SIZE_RESTORED;
    Perform(WM_SIZE, kind, MAKELPARAM(Width(), Height()));
}

void TForm::SetVisible(bool visible) {
    if (!Widget()) {
        TWinControl::SetVisible(visible);
        return;
    }
    if (visible == Visible()) return;
    if (visible && !FShown) {
        FShown = true;
        DoShow();
    }
    TControl::SetVisible(visible);
    if (!visible) {
        Widget()->hide();
        if (OnHide) GuardedCall([&] { OnHide(this); });
        return;
    }
    ApplyBorderStyle();
    Widget()->resize(Width(), Height());
    if (Position == TPosition::poScreenCenter || Position == TPosition::poMainFormCenter) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect area = screen->availableGeometry();
            TControl::SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2,
                                Width(), Height());
            Widget()->move(Left(), Top());
        }
    }
    if (FWindowState == TWindowState::wsMaximized)
        Widget()->showMaximized();
    else
        Widget()->show();
    if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
}

bool TForm::FixedSize() const { return BorderStyle == TBorderStyle::bsDialog; }

// A dialog's frame has a title and a close button only, and its size is
// fixed, so the window manager gives it no minimise, maximise or resize
// handle (whose grips show as marks along the bottom edge).
void TForm::ApplyBorderStyle() {
    if (!FixedSize()) return;
    const Qt::WindowFlags dialog = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (Widget()->windowFlags() != dialog) Widget()->setWindowFlags(dialog);
    Widget()->setFixedSize(Width(), Height());
}

void TForm::DoShow() {
    GuardedCall([&] {
        if (OnShow) OnShow(this);
    });
}

void TForm::HookMessages(const TComponent* component, TMessageHook hook) {
    UnhookMessages(component);
    FHooks.emplace_back(component, std::move(hook));
}

void TForm::UnhookMessages(const TComponent* component) {
    std::erase_if(FHooks, [component](const auto& h) { return h.first == component; });
}

void TForm::Dispatch(TMessage& m) {
    // A hook may unhook itself or others: walk a copy.
    if (!FHooks.empty()) {
        const auto hooks = FHooks;
        for (const auto& [component, hook] : hooks)
            if (hook(m)) return;
    }
    if (m.Msg == WM_CLOSE) {
        Close();
        return;
    }
    TWinControl::Dispatch(m);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) GuardedCall([&] { OnCloseQuery(this, canClose); });
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) GuardedCall([&] { OnClose(this, action); });
}

void TForm::Close() {
    if (FModal) {
        if (FModalResult == mrNone) FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = (Application && Application->MainForm == this) ? TCloseAction::caFree : TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm == this) {
        SetVisible(false);
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caMinimize) {
        SetWindowState(TWindowState::wsMinimized);
        return;
    }
    SetVisible(false);
}

void TForm::SetModalResult(TModalResult result) {
    FModalResult = result;
    WakeEventLoop();
}

int TForm::ShowModal() {
    if (TDialogScript::Active()) {
        TDialogScript::Record({TShownDialog::Kind::Question, GetText(), ""});
        FModalResult = TDialogScript::NextResult();
        return FModalResult;
    }
    FModalResult = mrNone;
    FModal = true;
    Widget()->setWindowModality(Qt::ApplicationModal);
    SetVisible(true);
    QEventLoop loop;
    while (FModalResult == mrNone && Visible()) {
        // Without a time limit: with one, Qt never waits and the loop spins.
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
        if (FModalResult != mrNone) {
            TCloseAction action = TCloseAction::caHide;
            if (!CloseQuery()) {
                FModalResult = mrNone;
                continue;
            }
            DoClose(action);
            if (action == TCloseAction::caNone) FModalResult = mrNone;
        }
    }
    FModal = false;
    SetVisible(false);
    Widget()->setWindowModality(Qt::NonModal);
    return FModalResult;
}

void TForm::SetActiveControl(TWinControl* control) { FocusChanged(control); }

// Controls whose look depends on where the focus is (default buttons) hear of every move.
void TForm::FocusChanged(TWinControl* control) {
    if (control == FActiveControl) return;
    FActiveControl = control;
    Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
}

namespace {

// Windowed descendants in tab order: by TabOrder within each parent, depth first.
void TabList(TWinControl* parent, std::vector<TWinControl*>& list) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) children.push_back(w);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (TWinControl* w : children) {
        list.push_back(w);
        TabList(w, list);
    }
}

}  // namespace

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    TabList(this, list);
    if (list.empty()) return;
    auto it = std::find(list.begin(), list.end(), current);
    size_t start = it == list.end() ? (forward ? list.size() - 1 : 0) : size_t(it - list.begin());
    for (size_t step = 1; step <= list.size(); ++step) {
        size_t i = forward ? (start + step) % list.size() : (start + list.size() - step % list.size()) % list.size();
        TWinControl* w = list[i];
        if (w->CanFocus() && (!checkTabStop || w->TabStop())) {
            w->SetFocus();
            return;
        }
    }
}

void TForm::CMDialogKey(TMessage& m) {
    TShiftState shift = KeyDataToShiftState(m.LParam);
    switch (m.WParam) {
        case VK_TAB:
            if (shift & ssCtrl) break;
            SelectNext(FActiveControl, !(shift & ssShift));
            m.Result = 1;
            return;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (FActiveControl) {
                SelectNext(FActiveControl, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
                m.Result = 1;
            }
            return;
        default:
            break;
    }
    TWinControl::CMDialogKey(m);
}

bool TForm::SaveScreenshot(const std::string& pngFileName) {
    // Pending layout and paint work first, so the picture shows the form as it is.
    QCoreApplication::processEvents();
    QPixmap pixmap = Widget()->grab();
    return pixmap.save(ToQString(pngFileName), "PNG");
}

namespace {

// argv[0] is only what the shell was given: a bare name found through PATH, or
// a link. The program's own files sit beside the executable itself.
std::string RunningExecutable(int argc, char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && self.is_absolute()) return self.native();
    return argc > 0 ? argv[0] : "";
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
    if (!qApp) FOwnedApp = std::make_unique<QApplication>(argc, argv);
    ExeName = RunningExecutable(argc, argv);
    Application = this;
    SetMessagePump([] { QCoreApplication::processEvents(); });
    SetMessageSink([](const std::string& text) { ShowMessage(text); });
}

TApplication::~TApplication() {
    SetMessagePump(nullptr);
    SetMessageSink(nullptr);
    // Forms go before the Qt application they live in.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    if (Application == this) Application = nullptr;
}

void TApplication::Run() {
    if (MainForm && !MainForm->Visible()) MainForm->SetVisible(true);
    while (!FTerminated && MainForm && MainForm->Visible()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
}

void TApplication::Terminate() {
    FTerminated = true;
    WakeEventLoop();
}

void TApplication::ProcessMessages() { ProcessMessagesSlow(); }

void TApplication::HandleException(const std::exception& e) {
    if (OnException) {
        OnException(e);
        return;
    }
    ShowMessage(e.what());
}

void GuardedCall(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        if (Application)
            Application->HandleException(e);
        else
            throw;
    }
}

namespace {

bool HintsEnabledFor(const TControl* control) {
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c->ShowHint) return true;
        if (!c->ParentShowHint) return false;
    }
    return false;
}

}  // namespace

std::string TApplication::ActivateHint(TControl* control, TPoint pos) {
    if (!ShowHint || !control || !HintsEnabledFor(control)) return std::string();
    std::string hint = control->Hint;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = pos;
    info.HideTimeout = HintHidePause;
    bool canShow = true;
    if (OnShowHint) GuardedCall([&] { OnShowHint(hint, canShow, info); });
    if (!canShow || hint.empty()) return std::string();
    TPoint screen = control->ClientToScreen(pos);
    QToolTip::showText(QPoint(screen.X, screen.Y + 16), ToQString(hint), nullptr, QRect(), info.HideTimeout);
    return hint;
}
