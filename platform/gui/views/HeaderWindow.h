#pragma once
// The column header of a list view as a window of its own, answering the
// platform's header messages. Its widget is the list view's Qt header, which
// the list view keeps: the window only speaks for it, and changes nothing of
// its look or input.

#include <functional>
#include <string>

#include "platform/gui/Controls.h"

class QHeaderView;

class THeaderWindow : public TWinControl {
public:
    explicit THeaderWindow(QHeaderView* header);
    ~THeaderWindow() override;
    std::string WindowClassName() const override { return "SysHeader32"; }

    // Another object may take the header's messages in front of it: it puts
    // its procedure in, keeps the one it replaced and passes messages on to it
    // (CallWindowProc). An empty procedure is the header's own handling.
    using TWndMethod = std::function<void(TMessage&)>;
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod proc) { FWindowProc = std::move(proc); }
    bool Subclassed() const { return bool(FWindowProc); }
    void CallWindowProc(const TWndMethod& proc, TMessage& m);
    void WndProc(TMessage& m) override;
    // The sections live in the widget's viewport: it repaints with the window.
    void Invalidate() override;

protected:
    QWidget* CreateWidget() override;
    void Dispatch(TMessage& m) override;

private:
    QHeaderView* FHeader;
    TWndMethod FWindowProc;
};
