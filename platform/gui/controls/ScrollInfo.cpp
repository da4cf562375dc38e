#include "platform/gui/controls/ScrollInfo.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/gui/QtGlue.h"

int TScrollRange::MaxPos() const {
    const int64_t last = int64_t(Max) - (Page > 0 ? int64_t(Page) - 1 : 0);
    return int(std::max<int64_t>(Min, last));
}

int TScrollRange::Apply(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        Min = info.nMin;
        Max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) Page = info.nPage;
    if (info.fMask & SIF_POS) Pos = info.nPos;
    const int64_t length = int64_t(Max) - Min + 1;
    if (int64_t(Page) > length) Page = UINT(length);
    Pos = std::clamp(Pos, Min, MaxPos());
    return Pos;
}

void TScrollRange::Fill(SCROLLINFO& info) const {
    if (info.fMask & SIF_RANGE) {
        info.nMin = Min;
        info.nMax = Max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = Page;
    if (info.fMask & SIF_POS) info.nPos = Pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = Pos;
}

namespace {

QScrollBar* QtBar(const TWinControl& window, int bar) {
    auto* area = qobject_cast<QAbstractScrollArea*>(window.Widget());
    if (!area) return nullptr;
    QEvent current(kScrollStateEvent);
    QCoreApplication::sendEvent(area, &current);
    return bar == SB_VERT ? area->verticalScrollBar() : bar == SB_HORZ ? area->horizontalScrollBar() : nullptr;
}

// Qt measures the range the thumb's start covers; the platform the whole
// document, of which the page is the part shown.
TScrollRange RangeOf(const QScrollBar& q) {
    TScrollRange r;
    r.Min = q.minimum();
    r.Page = UINT(std::max(0, q.pageStep()));
    r.Max = q.maximum() + (r.Page > 0 ? int(r.Page) - 1 : 0);
    r.Pos = q.value();
    return r;
}

void PutRange(QScrollBar& q, const TScrollRange& r) {
    q.setPageStep(int(r.Page));
    q.setRange(r.Min, r.MaxPos());
    q.setValue(r.Pos);
}

// The state of windows that keep it themselves, forgotten with the window.
class TPlainRanges : public TComponent {
public:
    TPlainRanges() : TComponent(nullptr) {}
    std::array<TScrollRange, 2>& Of(TWinControl* window) {
        auto [it, added] = FRanges.try_emplace(window);
        if (added) window->FreeNotification(this);
        return it->second;
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) FRanges.erase(component);
    }

private:
    std::unordered_map<const TComponent*, std::array<TScrollRange, 2>> FRanges;
};

TPlainRanges& PlainRanges() {
    static TPlainRanges* ranges = new TPlainRanges;
    return *ranges;
}

}  // namespace

bool GetScrollInfo(HWND window, int bar, SCROLLINFO* info) {
    if (!IsWindow(window) || !info || (bar != SB_HORZ && bar != SB_VERT)) return false;
    if (QScrollBar* q = QtBar(*window, bar))
        RangeOf(*q).Fill(*info);
    else
        PlainRanges().Of(window)[size_t(bar)].Fill(*info);
    return true;
}

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, bool /*redraw*/) {
    if (!IsWindow(window) || !info || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    if (QScrollBar* q = QtBar(*window, bar)) {
        TScrollRange r = RangeOf(*q);
        r.Apply(*info);
        PutRange(*q, r);
        return r.Pos;
    }
    return PlainRanges().Of(window)[size_t(bar)].Apply(*info);
}

int GetScrollPos(HWND window, int bar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(window, bar, &info) ? info.nPos : 0;
}

void ShowNativeScrollBars(TWinControl& view, bool show) {
    auto* area = qobject_cast<QAbstractScrollArea*>(view.Widget());
    if (!area) return;
    const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    area->setVerticalScrollBarPolicy(policy);
    area->setHorizontalScrollBarPolicy(policy);
}

bool NativeScrollBarsShown(const TWinControl& view) {
    auto* area = qobject_cast<QAbstractScrollArea*>(view.Widget());
    return area && area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void SetScrollBarRoom(TWinControl& view, int right, int bottom) {
    // A scroll area lays out its viewport inside its contents rectangle.
    auto* area = qobject_cast<QAbstractScrollArea*>(view.Widget());
    // Setting the same margins again would still lay the view out anew, and
    // tell its watchers so.
    if (area && area->contentsMargins() != QMargins(0, 0, right, bottom)) area->setContentsMargins(0, 0, right, bottom);
}

namespace {

// Tells of geometry and visibility changes of the widget it watches.
class TGeometryWatch : public QObject {
public:
    TGeometryWatch(QObject* parent, std::function<void()> onChange) : QObject(parent), FOnChange(std::move(onChange)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            // Resize and move events also come for the size and place a widget
            // already has; answering those would never let the view rest.
            case QEvent::Move: {
                auto* move = static_cast<QMoveEvent*>(event);
                if (move->oldPos() != move->pos()) FOnChange();
                break;
            }
            case QEvent::Resize: {
                auto* resize = static_cast<QResizeEvent*>(event);
                if (resize->oldSize() != resize->size()) FOnChange();
                break;
            }
            case QEvent::Show:
            case QEvent::Hide: FOnChange(); break;
            default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> FOnChange;
};

}  // namespace

void WatchScrollState(TWinControl& view, std::function<void()> OnChange) {
    auto* area = qobject_cast<QAbstractScrollArea*>(view.Widget());
    if (!area) return;
    auto* watch = new TGeometryWatch(area, OnChange);
    area->installEventFilter(watch);
    for (QScrollBar* bar : {area->verticalScrollBar(), area->horizontalScrollBar()}) {
        QObject::connect(bar, &QAbstractSlider::rangeChanged, watch, [OnChange](int, int) { OnChange(); });
        QObject::connect(bar, &QAbstractSlider::valueChanged, watch, [OnChange](int) { OnChange(); });
    }
}

namespace scrolling {

bool DefaultHandler(TWinControl& window, TMessage& m) {
    if (m.Msg != WM_HSCROLL && m.Msg != WM_VSCROLL) return false;
    QScrollBar* q = QtBar(window, m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ);
    if (!q) return false;
    switch (ScrollCodeOf(m.WParam)) {
        case SB_LINEUP: q->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
        case SB_LINEDOWN: q->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case SB_PAGEUP: q->triggerAction(QAbstractSlider::SliderPageStepSub); break;
        case SB_PAGEDOWN: q->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: q->setValue(ScrollPosOf(m.WParam)); break;
        case SB_TOP: q->setValue(q->minimum()); break;
        case SB_BOTTOM: q->setValue(q->maximum()); break;
        default: break;
    }
    m.Result = 0;
    return true;
}

}  // namespace scrolling
