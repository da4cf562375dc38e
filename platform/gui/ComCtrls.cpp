// Page controls, progress bars, track bars and status bars, drawn by the
// desktop style.

#include "platform/gui/ComCtrls.h"

#include <QPainter>
#include <QSlider>
#include <QTabBar>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/StdPaint.h"
#include "platform/gui/QtGlue.h"
#include "platform/gui/controls/CommonControlMessages.h"

using namespace stdpaint;

namespace {

constexpr int kTabsLeft = 2;
constexpr int kPaneInset = 4;
constexpr int kDefaultTabHeight = 22;

bool IsWithin(const TWinControl* parent, const TWinControl* control) {
    if (parent == control) return true;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* child = dynamic_cast<const TWinControl*>(parent->Controls(i)); child && IsWithin(child, control))
            return true;
    return false;
}

}  // namespace

// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    // Only the active page of a page control shows.
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(pageControl);
    if (pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == FTabVisible) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->TabVisibilityChanged(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::TextChanged() {
    if (!FPageControl) return;
    // A longer caption may wrap the tabs into another row.
    if (FPageControl->MultiLine()) FPageControl->LayoutPages();
    FPageControl->Invalidate();
    if (FTabVisible) FPageControl->RowChanged();
}

void TTabSheet::EnabledChanged() {
    if (FPageControl) FPageControl->Invalidate();
}

// TPageControl
//
//   user action                          page changes?   events
//   click on an enabled page's tab       yes             OnChanging, then OnChange
//   click on a disabled page's tab       no              none
//   OnChanging answers false             no              OnChanging only
//   Ctrl+Tab / Ctrl+Shift+Tab            next / previous enabled visible tab, wrapping
//   Right, Down / Left, Up               next / previous enabled visible tab, no wrapping
//   SetActivePage from code              yes (hidden tab too)   none

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

// The pages are children and go with the base class; they must not call back
// into this half-destroyed control.
TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    page->SetBoundsRect(ClientRect());
    if (!FActivePage && page->TabVisible()) SetActivePage(page);
    if (FMultiLine) LayoutPages();
    Invalidate();
    if (page->TabVisible()) RowChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    const size_t index = static_cast<size_t>(it - FPages.begin());
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        // The tab that slides into the removed one's place, else the one before it.
        TTabSheet* next = nullptr;
        for (size_t i = index; i < FPages.size() && !next; ++i)
            if (FPages[i]->TabVisible()) next = FPages[i];
        for (size_t i = index; i > 0 && !next; --i)
            if (FPages[i - 1]->TabVisible()) next = FPages[i - 1];
        SetActivePage(next);
    }
    if (FMultiLine) LayoutPages();
    Invalidate();
    if (page->TabVisible()) RowChanged();
}

void TPageControl::TabVisibilityChanged(TTabSheet* page) {
    if (!page->TabVisible() && page == FActivePage) {
        const auto at = std::find(FPages.begin(), FPages.end(), page);
        auto next = std::find_if(at + 1, FPages.end(), [](TTabSheet* p) { return p->TabVisible(); });
        if (next != FPages.end()) {
            SetActivePage(*next);
        } else {
            auto before = std::find_if(std::make_reverse_iterator(at), FPages.rend(),
                                       [](TTabSheet* p) { return p->TabVisible(); });
            SetActivePage(before != FPages.rend() ? *before : nullptr);
        }
    } else if (page->TabVisible() && !FActivePage) {
        SetActivePage(page);
    }
    if (FMultiLine) LayoutPages();
    Invalidate();
    RowChanged();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    if (page == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = page;
    if (page) {
        page->SetBoundsRect(ClientRect());
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old) old->SetVisible(false);
    Invalidate();
    ActivePageChanged();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

bool TPageControl::ChangeActivePage(TTabSheet* page) {
    if (!page || page == FActivePage) return false;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return false;
    SetActivePage(page);
    Change();
    return true;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* from, bool forward, bool wrap) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    int index = from ? from->PageIndex() : (forward ? -1 : count);
    for (int step = 0; step < count; ++step) {
        index += forward ? 1 : -1;
        if (index < 0 || index >= count) {
            if (!wrap) return nullptr;
            index = (index + count) % count;
        }
        TTabSheet* page = FPages[static_cast<size_t>(index)];
        if (page->TabVisible() && page->Enabled()) return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool forward) {
    if (TTabSheet* page = FindNextPage(FActivePage, forward, true)) ChangeActivePage(page);
}

TRect TPageControl::TabRect(int pageIndex) const {
    if (pageIndex < 0 || pageIndex >= PageCount() || !Pages(pageIndex)->TabVisible()) return {};
    int visibleIndex = 0;
    for (int i = 0; i < pageIndex; ++i) visibleIndex += Pages(i)->TabVisible();
    TRect r;
    // Through the message, so that a control correcting the row's places corrects them here too.
    const_cast<TPageControl*>(this)->Perform(TCM_GETITEMRECT, WPARAM(visibleIndex), LPARAM(&r));
    return r;
}

void TPageControl::SetTabHeight(int value) {
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(TabWidth, value > 0 ? value : kDefaultTabHeight));
}

std::vector<TRect> TPageControl::VisibleTabRects() const { return LayTabs(nullptr); }

int TPageControl::RowCount() const {
    int rows = 0;
    LayTabs(&rows);
    return rows;
}

std::vector<TRect> TPageControl::LayTabs(int* rowCount) const {
    const QFontMetrics metrics(Font().ToQFont());
    // As wide as the style wants a tab around its caption, unless a width is set.
    QStyleOptionTab option;
    InitOption(option, *this, Rect(0, 0, 0, TabHeight), true);
    option.shape = QTabBar::RoundedNorth;
    const int space = Style().pixelMetric(QStyle::PM_TabBarTabHSpace, &option, nullptr);
    // Spans along the row, each tab's row counted from the first, and how far
    // each row stands out from the page.
    struct Place {
        int from, to, row;
    };
    std::vector<Place> places;
    const int limit = (SideTabs() ? Height() : Width()) - kTabsLeft;
    int at = kTabsLeft, row = 0, activeRow = 0;
    for (const TTabSheet* page : FPages) {
        if (!page->TabVisible()) continue;
        int length = TabWidth;
        if (length <= 0) {
            option.text = ToQString(page->Caption());
            const QSize text(metrics.size(Qt::TextShowMnemonic, option.text).width() + space, TabHeight);
            length = Style().sizeFromContents(QStyle::CT_TabBarTab, &option, text, nullptr).width() + TabExtraWidth;
        }
        if (FMultiLine && at > kTabsLeft && at + length > limit) at = kTabsLeft, ++row;
        if (page == FActivePage) activeRow = row;
        places.push_back({at, at + length, row});
        at += length;
    }
    const int rows = row + 1;
    if (rowCount) *rowCount = rows;
    if (rows > 1) {
        // Every row stretched to the full length, its tabs sharing the room left.
        for (size_t first = 0; first < places.size();) {
            size_t end = first;
            while (end < places.size() && places[end].row == places[first].row) ++end;
            const int room = std::max(0, limit - places[end - 1].to), n = int(end - first);
            for (int j = 0; j < n; ++j) {
                places[first + j].from += room * j / n;
                places[first + j].to += room * (j + 1) / n;
            }
            first = end;
        }
    } else if (FFirstTab > 0 && !places.empty()) {
        // A row scrolled by tabs starts its first shown tab where an unscrolled
        // row starts, so the tabs scrolled out end before that.
        const int shift = places[std::min(size_t(FFirstTab), places.size() - 1)].from - kTabsLeft;
        for (Place& p : places) p.from -= shift, p.to -= shift;
    }
    std::vector<TRect> tabs;
    for (const Place& p : places) {
        // The active tab's row next to the page, the others outward in turn.
        const int out = rows - 1 - (p.row - activeRow + rows) % rows;
        const int near = out * TabHeight, far = near + TabHeight;
        switch (FTabPosition) {
            case TTabPosition::tpTop: tabs.push_back(Rect(p.from, near, p.to, far)); break;
            case TTabPosition::tpBottom: tabs.push_back(Rect(p.from, Height() - far, p.to, Height() - near)); break;
            case TTabPosition::tpLeft: tabs.push_back(Rect(near, p.from, far, p.to)); break;
            case TTabPosition::tpRight: tabs.push_back(Rect(Width() - far, p.from, Width() - near, p.to)); break;
        }
    }
    return tabs;
}

TRect TPageControl::ClientRect() const {
    // The page area inside the insets, beside the row of tabs.
    return WithoutTabRow(Rect(kPaneInset, kPaneInset, Width() - kPaneInset, Height() - kPaneInset));
}

TRect TPageControl::WithoutTabRow(TRect r) const {
    const int rows = FMultiLine ? RowCount() * TabHeight : TabHeight;
    switch (FTabPosition) {
        case TTabPosition::tpTop: r.Top += rows; break;
        case TTabPosition::tpBottom: r.Bottom -= rows; break;
        case TTabPosition::tpLeft: r.Left += rows; break;
        case TTabPosition::tpRight: r.Right -= rows; break;
    }
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

void TPageControl::SetTabPosition(TTabPosition value) {
    if (value == FTabPosition) return;
    FTabPosition = value;
    LayoutPages();
    Invalidate();
}

void TPageControl::SetMultiLine(bool value) {
    if (value == FMultiLine) return;
    FMultiLine = value;
    FFirstTab = 0;
    LayoutPages();
    Invalidate();
}

void TPageControl::SetHotTrack(bool value) {
    if (value == FHotTrack) return;
    FHotTrack = value;
    Invalidate();
}

void TPageControl::SetOwnerDraw(bool value) {
    if (value == FOwnerDraw) return;
    FOwnerDraw = value;
    Invalidate();
}

void TPageControl::LayoutPages() {
    StartRowIfItFits();
    for (TTabSheet* page : FPages) page->SetBoundsRect(ClientRect());
}

// As the platform's tab control does each time it lays its row out anew: a
// scrolled row that now fits whole starts from its first tab again. A scroll
// asked for by itself is left alone, so that an owner's own arrows may still
// move a row that the owner has less room for.
void TPageControl::StartRowIfItFits() {
    if (FFirstTab == 0 || FMultiLine) return;
    const std::vector<TRect> tabs = VisibleTabRects();
    const int limit = (SideTabs() ? Height() : Width()) - kTabsLeft;
    const auto along = [this](const TRect& r) { return SideTabs() ? r.Height() : r.Width(); };
    int length = 0;
    for (const TRect& r : tabs) length += along(r);
    if (kTabsLeft + length <= limit) FFirstTab = 0;
}

void TPageControl::RowChanged() {
    StartRowIfItFits();
    TabRowChanged();
}

void TPageControl::BoundsChanged(bool moved, bool resized) {
    TCustomControl::BoundsChanged(moved, resized);
    if (resized) LayoutPages();
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).Contains({x, y})) {
            if (Pages(i)->Enabled()) ChangeActivePage(Pages(i));
            return;
        }
}

void TPageControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const int hot = VisibleTabAt({x, y});
    if (hot == FHotTab) return;
    FHotTab = hot;
    if (FHotTrack) Invalidate();
}

void TPageControl::CMMouseLeave(TMessage& m) {
    TCustomControl::CMMouseLeave(m);
    if (FHotTab < 0) return;
    FHotTab = -1;
    if (FHotTrack) Invalidate();
}

void TPageControl::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS; }

bool TPageControl::HasFocusWithin() const {
    if (Focused()) return true;
    const TForm* form = ParentForm();
    return form && form->ActiveControl() && IsWithin(this, form->ActiveControl());
}

void TPageControl::CMDialogKey(TMessage& m) {
    const TShiftState shift = KeyDataToShiftState(m.LParam);
    if (m.WParam == VK_TAB && (shift & ssCtrl) && HasFocusWithin()) {
        SelectNextPage(!(shift & ssShift));
        m.Result = 1;
        return;
    }
    TCustomControl::CMDialogKey(m);
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const bool back = key == VK_LEFT || key == VK_UP;
    if (!back && key != VK_RIGHT && key != VK_DOWN) return;
    if (TTabSheet* page = FindNextPage(FActivePage, !back, false)) ChangeActivePage(page);
    key = 0;
}

void TPageControl::Paint() {
    TCanvas& canvas = Canvas();
    Fill(canvas, Rect(0, 0, Width(), Height()), Color());
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    const bool enabled = EffectivelyEnabled();
    painter->save();
    painter->setFont(Font().ToQFont());

    std::vector<int> visible;
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible()) visible.push_back(i);
    const int active = FActivePage && FActivePage->TabVisible() ? FActivePage->PageIndex() : -1;

    const QTabBar::Shape shape = FTabPosition == TTabPosition::tpBottom ? QTabBar::RoundedSouth
                                 : FTabPosition == TTabPosition::tpLeft   ? QTabBar::RoundedWest
                                 : FTabPosition == TTabPosition::tpRight  ? QTabBar::RoundedEast
                                                                          : QTabBar::RoundedNorth;
    // The pane reaches one pixel under the tabs, which stand on its edge.
    const int rows = (FMultiLine ? RowCount() : 1) * TabHeight;
    TRect paneRect = Rect(0, 0, Width(), Height());
    switch (FTabPosition) {
        case TTabPosition::tpTop: paneRect.Top = rows - 1; break;
        case TTabPosition::tpBottom: paneRect.Bottom = Height() - rows + 1; break;
        case TTabPosition::tpLeft: paneRect.Left = rows - 1; break;
        case TTabPosition::tpRight: paneRect.Right = Width() - rows + 1; break;
    }
    QStyleOptionTabWidgetFrame pane;
    InitOption(pane, *this, paneRect, enabled);
    pane.shape = shape;
    pane.lineWidth = 1;
    const std::vector<TRect> tabs = VisibleTabRects();
    if (!tabs.empty()) {
        TRect all = tabs.front();
        for (const TRect& r : tabs)
            all = Rect(std::min(all.Left, r.Left), std::min(all.Top, r.Top), std::max(all.Right, r.Right),
                       std::max(all.Bottom, r.Bottom));
        pane.tabBarSize = QSize(all.Width(), all.Height());
        pane.tabBarRect = ToRect(all);
    }
    if (active >= 0) pane.selectedTabRect = ToRect(TabRect(active));
    Style().drawPrimitive(QStyle::PE_FrameTabWidget, &pane, painter, nullptr);

    // Neighbours count within a row only.
    auto sameRow = [&](size_t a, size_t b) {
        return SideTabs() ? tabs[a].Left == tabs[b].Left : tabs[a].Top == tabs[b].Top;
    };
    auto drawTab = [&](size_t k) {
        const int i = visible[k];
        const TTabSheet* page = Pages(i);
        QStyleOptionTab tab;
        InitOption(tab, *this, tabs[k], enabled && page->Enabled());
        tab.shape = shape;
        if (!FOwnerDraw) tab.text = ToQString(page->Caption());
        tab.documentMode = false;
        const bool first = k == 0 || !sameRow(k - 1, k), last = k + 1 == visible.size() || !sameRow(k + 1, k);
        tab.position = first && last ? QStyleOptionTab::OnlyOneTab
                       : first       ? QStyleOptionTab::Beginning
                       : last        ? QStyleOptionTab::End
                                     : QStyleOptionTab::Middle;
        if (!first && visible[k - 1] == active) tab.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        if (!last && visible[k + 1] == active) tab.selectedPosition = QStyleOptionTab::NextIsSelected;
        if (i == active) {
            tab.state |= QStyle::State_Selected;
            if (Focused()) tab.state |= QStyle::State_HasFocus;
        }
        if (FHotTrack && int(k) == FHotTab && tab.state & QStyle::State_Enabled) {
            tab.state |= QStyle::State_MouseOver;
            tab.palette.setColor(QPalette::WindowText, ToColor(clHotLight));
            tab.palette.setColor(QPalette::ButtonText, ToColor(clHotLight));
        }
        Style().drawControl(QStyle::CE_TabBarTab, &tab, painter, nullptr);
        if (FOwnerDraw && OnDrawTab) OnDrawTab(this, int(k), tabs[k], i == active);
    };
    // The selected tab overlaps its neighbours, so it goes last.
    size_t selected = visible.size();
    for (size_t k = 0; k < visible.size(); ++k) {
        // Tabs scrolled out of a single row are not shown.
        if (!FMultiLine && (SideTabs() ? tabs[k].Bottom : tabs[k].Right) <= kTabsLeft) continue;
        if (visible[k] == active)
            selected = k;
        else
            drawTab(k);
    }
    if (selected < visible.size()) drawTab(selected);
    painter->restore();
}

// TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetMin(int value) {
    FMin = value;
    FMax = std::max(FMax, FMin);
    SetPosition(FPosition);
    Invalidate();
}

void TProgressBar::SetMax(int value) {
    FMax = value;
    FMin = std::min(FMin, FMax);
    SetPosition(FPosition);
    Invalidate();
}

void TProgressBar::SetPosition(int value) {
    value = std::clamp(value, FMin, FMax);
    if (value == FPosition) return;
    FPosition = value;
    Invalidate();
}

void TProgressBar::SetProgressText(const std::string& text) {
    if (text == FProgressText) return;
    FProgressText = text;
    Invalidate();
}

void TProgressBar::Paint() {
    TCanvas& canvas = Canvas();
    Fill(canvas, ClientRect(), Color());
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    QStyleOptionProgressBar option;
    InitOption(option, *this, ClientRect(), EffectivelyEnabled());
    if (!Vertical) option.state |= QStyle::State_Horizontal;
    option.minimum = FMin;
    option.maximum = FMax;
    option.progress = FPosition;
    option.text = ToQString(FProgressText);
    option.textVisible = !FProgressText.empty();
    option.textAlignment = Qt::AlignCenter;
    painter->save();
    painter->setFont(Font().ToQFont());
    Style().drawControl(QStyle::CE_ProgressBar, &option, painter, nullptr);
    painter->restore();
}

// TTrackBar
//
//   input                 position
//   click on the track    the value under the pointer, then follows a drag
//   drag of the thumb     follows the pointer, keeping where the thumb was grabbed
//   Left, Up / Right, Down    -LineSize / +LineSize
//   Page Up / Page Down       -PageSize / +PageSize
//   Home / End                Min / Max
// Every change of the position fires OnChange once.

namespace {

// Room for tick marks next to the slider, as the style's own slider leaves.
constexpr int kTickSpace = 5;

// The slider with its ticks is a band across the middle of the control.
QStyleOptionSlider SliderOption(const TTrackBar& bar) {
    QStyleOptionSlider option;
    InitOption(option, bar, bar.ClientRect(), bar.EffectivelyEnabled());
    if (!bar.Vertical) option.state |= QStyle::State_Horizontal;
    const int band = Style().pixelMetric(QStyle::PM_SliderThickness, &option, nullptr) + kTickSpace;
    const TRect all = bar.ClientRect();
    option.rect = bar.Vertical ? QRect(std::max(0, (all.Width() - band) / 2), 0, std::min(band, all.Width()), all.Height())
                               : QRect(0, std::max(0, (all.Height() - band) / 2), all.Width(), std::min(band, all.Height()));
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle | QStyle::SC_SliderTickmarks;
    option.orientation = bar.Vertical ? Qt::Vertical : Qt::Horizontal;
    // The style puts a vertical slider's minimum at the bottom unless told
    // otherwise; the platform's track bars have it at the top.
    option.upsideDown = false;
    option.minimum = bar.Min();
    option.maximum = bar.Max();
    option.sliderPosition = bar.Position();
    option.sliderValue = bar.Position();
    option.singleStep = bar.LineSize;
    option.pageStep = bar.PageSize;
    option.tickPosition = QSlider::TicksBelow;
    option.tickInterval = 1;
    return option;
}

}  // namespace

TTrackBar::TTrackBar(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::SetMin(int value) {
    FMin = value;
    FMax = std::max(FMax, FMin);
    Invalidate();
    SetPosition(FPosition);
}

void TTrackBar::SetMax(int value) {
    FMax = value;
    FMin = std::min(FMin, FMax);
    Invalidate();
    SetPosition(FPosition);
}

void TTrackBar::SetPosition(int value) {
    value = std::clamp(value, FMin, FMax);
    if (value == FPosition) return;
    FPosition = value;
    Invalidate();
    if (OnChange) OnChange(this);
}

int TTrackBar::PositionAt(int x, int y) const {
    const QStyleOptionSlider option = SliderOption(*this);
    const QRect groove = Style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, nullptr);
    const QRect handle = Style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, nullptr);
    // The thumb's centre follows the pointer; its travel is the groove less its own length.
    if (!Vertical) {
        const int span = groove.width() - handle.width();
        return QStyle::sliderValueFromPosition(FMin, FMax, x - groove.x() - handle.width() / 2, span, option.upsideDown);
    }
    const int span = groove.height() - handle.height();
    return QStyle::sliderValueFromPosition(FMin, FMax, y - groove.y() - handle.height() / 2, span, option.upsideDown);
}

void TTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    const QStyleOptionSlider option = SliderOption(*this);
    const QRect handle = Style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, nullptr);
    FDragging = true;
    if (handle.contains(x, y)) {
        FGrabOffset = Vertical ? y - handle.center().y() : x - handle.center().x();
        Invalidate();
        return;
    }
    FGrabOffset = 0;
    SetPosition(PositionAt(x, y));
}

void TTrackBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (FDragging) SetPosition(Vertical ? PositionAt(x, y - FGrabOffset) : PositionAt(x - FGrabOffset, y));
}

void TTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft && FDragging) {
        FDragging = false;
        Invalidate();
    }
}

void TTrackBar::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS; }

void TTrackBar::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
        case VK_LEFT: case VK_UP: SetPosition(FPosition - LineSize); break;
        case VK_RIGHT: case VK_DOWN: SetPosition(FPosition + LineSize); break;
        case VK_PRIOR: SetPosition(FPosition - PageSize); break;
        case VK_NEXT: SetPosition(FPosition + PageSize); break;
        case VK_HOME: SetPosition(FMin); break;
        case VK_END: SetPosition(FMax); break;
        default: return;
    }
    key = 0;
}

void TTrackBar::Paint() {
    TCanvas& canvas = Canvas();
    Fill(canvas, ClientRect(), Color());
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    QStyleOptionSlider option = SliderOption(*this);
    if (Focused()) option.state |= QStyle::State_HasFocus;
    if (FDragging) {
        option.activeSubControls = QStyle::SC_SliderHandle;
        option.state |= QStyle::State_Sunken;
    }
    painter->save();
    Style().drawComplexControl(QStyle::CC_Slider, &option, painter, nullptr);
    painter->restore();
}

// TStatusBar

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner) {
    SetAlign(TAlign::alBottom);
    SetBounds(0, 0, 200, 19);
}

void TStatusBar::Paint() {
    TCanvas& canvas = Canvas();
    const TRect all = ClientRect();
    Fill(canvas, all, Color());
    canvas.Font().Assign(Font());
    const int grip = SizeGrip ? all.Height() : 0;
    const bool enabled = EffectivelyEnabled();
    auto panel = [&](TRect r, const std::string& text) {
        if (r.IsEmpty()) return;
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        r.Left += 3;
        DrawCaption(canvas, text, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX, enabled);
    };
    const int top = 2;
    if (SimplePanel || Panels.empty()) {
        panel(Rect(0, top, all.Right - grip, all.Bottom), SimpleText());
    } else {
        int x = 0;
        for (size_t i = 0; i < Panels.size(); ++i) {
            // The last panel reaches the grip whatever its width.
            const int right = i + 1 == Panels.size() ? all.Right - grip : std::min(x + Panels[i].Width, all.Right - grip);
            panel(Rect(x, top, right - 2, all.Bottom), Panels[i].Text);
            x = right;
        }
    }
    if (!SizeGrip) return;
    QPainter* painter = canvas.Painter();
    if (!painter) return;
    QStyleOptionSizeGrip option;
    InitOption(option, *this, Rect(all.Right - grip, all.Bottom - grip, all.Right, all.Bottom), enabled);
    option.corner = Qt::BottomRightCorner;
    painter->save();
    Style().drawControl(QStyle::CE_SizeGrip, &option, painter, nullptr);
    painter->restore();
}
