#include "platform/gui/views/HeaderWindow.h"

#include <QFont>
#include <QHeaderView>
#include <QPalette>
#include <QStyle>
#include <cstdlib>

#include "platform/gui/controls/CommonControlMessages.h"

namespace {

TRect SectionRect(const QHeaderView& header, int index) {
    const int x = header.sectionViewportPosition(index);
    return Rect(x, 0, x + header.sectionSize(index), header.height());
}

// Where a press starts resizing a column: the grip margin either side of a
// section's right edge, as the Qt header itself decides.
HDHITTESTINFO HitTest(const QHeaderView& header, TPoint p) {
    HDHITTESTINFO info{p, HHT_NOWHERE, -1};
    if (p.Y < 0 || p.Y >= header.height()) return info;
    const int grip = header.style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, &header);
    for (int visual = 0; visual < header.count(); ++visual) {
        const int index = header.logicalIndex(visual);
        if (header.isSectionHidden(index)) continue;
        const TRect r = SectionRect(header, index);
        if (std::abs(p.X - r.Right) <= grip && header.sectionResizeMode(index) == QHeaderView::Interactive)
            return {p, HHT_ONDIVIDER, index};
        if (r.Contains(p)) info = {p, HHT_ONHEADER, index};
    }
    return info;
}

}  // namespace

THeaderWindow::THeaderWindow(QHeaderView* header) : TWinControl(nullptr), FHeader(header) {
    SetNativeDefault(true);
    EnsureWidget();
    // Taking the widget must not change it: it keeps the list's font,
    // colours and focus as before.
    header->setFocusPolicy(Qt::NoFocus);
    header->setFont(QFont());
    header->setPalette(QPalette());
}

THeaderWindow::~THeaderWindow() { ReleaseWidget(); }

void THeaderWindow::CallWindowProc(const TWndMethod& proc, TMessage& m) {
    if (proc)
        proc(m);
    else
        TWinControl::WndProc(m);
}

void THeaderWindow::WndProc(TMessage& m) { CallWindowProc(FWindowProc, m); }

void THeaderWindow::Invalidate() {
    TWinControl::Invalidate();
    FHeader->viewport()->update();
}

QWidget* THeaderWindow::CreateWidget() { return FHeader; }

void THeaderWindow::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case HDM_GETITEMCOUNT: m.Result = FHeader->count(); return;
        case HDM_GETITEMRECT: {
            auto* rect = reinterpret_cast<TRect*>(m.LParam);
            const int index = int(m.WParam);
            m.Result = rect && index >= 0 && index < FHeader->count() && !FHeader->isSectionHidden(index);
            if (m.Result) *rect = SectionRect(*FHeader, index);
            return;
        }
        case HDM_GETORDERARRAY: {
            auto* order = reinterpret_cast<int*>(m.LParam);
            m.Result = order && int(m.WParam) == FHeader->count();
            if (m.Result)
                for (int visual = 0; visual < FHeader->count(); ++visual) order[visual] = FHeader->logicalIndex(visual);
            return;
        }
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(m.LParam);
            if (!info) return;
            *info = HitTest(*FHeader, info->pt);
            m.Result = info->iItem;
            return;
        }
        default: TWinControl::Dispatch(m);
    }
}
