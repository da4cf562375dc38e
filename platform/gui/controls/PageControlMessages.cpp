// The platform's tab-control messages on the page control: the tab row as the
// platform's tab control holds it, with only the visible tabs in it.

#include <algorithm>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"

int TPageControl::VisibleIndexOf(const TTabSheet* page) const {
    if (!page || !page->TabVisible()) return -1;
    int index = 0;
    for (const TTabSheet* p : FPages) {
        if (p == page) return index;
        index += p->TabVisible();
    }
    return -1;
}

TTabSheet* TPageControl::VisiblePage(int visibleIndex) const {
    if (visibleIndex < 0) return nullptr;
    for (TTabSheet* p : FPages)
        if (p->TabVisible() && visibleIndex-- == 0) return p;
    return nullptr;
}

int TPageControl::VisibleTabAt(TPoint p) const {
    // Where the tabs are drawn, which a subclass may correct, so that a hit
    // test answers as a click does.
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).Contains(p)) return VisibleIndexOf(Pages(i));
    return -1;
}

void TPageControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case TCM_GETITEMCOUNT: m.Result = LRESULT(VisibleTabRects().size()); return;
        case TCM_GETROWCOUNT: m.Result = RowCount(); return;
        case TCM_GETCURSEL: m.Result = VisibleIndexOf(FActivePage); return;
        case TCM_SETCURSEL: {
            m.Result = VisibleIndexOf(FActivePage);
            if (TTabSheet* page = VisiblePage(int(m.WParam))) SetActivePage(page);
            return;
        }
        case TCM_GETITEMRECT: {
            const std::vector<TRect> tabs = VisibleTabRects();
            auto* rect = reinterpret_cast<TRect*>(m.LParam);
            m.Result = rect && m.WParam < tabs.size();
            if (m.Result) *rect = tabs[m.WParam];
            return;
        }
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(m.LParam);
            if (!info) return;
            const int tab = VisibleTabAt(info->pt);
            info->flags = tab < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
            m.Result = tab;
            return;
        }
        case TCM_ADJUSTRECT: {
            // The page area lies inside the control by the insets of ClientRect.
            auto* rect = reinterpret_cast<TRect*>(m.LParam);
            if (!rect) return;
            const TRect client = ClientRect();
            const int sign = m.WParam ? -1 : 1;  // true: from a page area to the control's rectangle
            rect->Left += sign * client.Left;
            rect->Top += sign * client.Top;
            rect->Right -= sign * (Width() - client.Right);
            rect->Bottom -= sign * (Height() - client.Bottom);
            return;
        }
        case TCM_SETITEMSIZE: {
            m.Result = MAKELPARAM(TabWidth, TabHeight);
            TabWidth = std::max(0, int(LoWordSigned(m.LParam)));
            if (HiWordSigned(m.LParam) > 0) TabHeight.Store(HiWordSigned(m.LParam));
            LayoutPages();
            Invalidate();
            return;
        }
        case WM_HSCROLL: {
            // The row scrolls by whole tabs, as the platform's scroller moves it;
            // rows that wrap have nothing to scroll.
            if (MultiLine()) return;
            const int last = std::max(0, int(VisibleTabRects().size()) - 1);
            switch (ScrollCodeOf(m.WParam)) {
                case SB_THUMBPOSITION: FFirstTab = ScrollPosOf(m.WParam); break;
                case SB_LINELEFT: --FFirstTab; break;
                case SB_LINERIGHT: ++FFirstTab; break;
                default: return;
            }
            FFirstTab = std::clamp(FFirstTab, 0, last);
            Invalidate();
            return;
        }
        default: TCustomControl::Dispatch(m);
    }
}
