#pragma once
// The column header of a list view as a window of its own, answering the
// platform's header messages. Its widget is the list view's Qt header, which
// the list view keeps: the window only speaks for it, and changes nothing of
// its look or input.

#include <string>

#include "platform/gui/Controls.h"

class QHeaderView;

class THeaderWindow : public TWinControl {
public:
    explicit THeaderWindow(QHeaderView* header);
    ~THeaderWindow() override;
    std::string WindowClassName() const override { return "SysHeader32"; }

protected:
    QWidget* CreateWidget() override;
    void Dispatch(TMessage& m) override;

private:
    QHeaderView* FHeader;
};
