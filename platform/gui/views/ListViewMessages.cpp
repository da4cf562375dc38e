// The platform's list-view messages, answered from what the view shows.

#include "platform/gui/ListView.h"
#include "platform/gui/controls/CommonControlMessages.h"

void TListView::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case LVM_GETITEMCOUNT: m.Result = FItems.Count(); return;
        case LVM_GETCOUNTPERPAGE: m.Result = VisibleRowCount(); return;
        case LVM_GETTOPINDEX: m.Result = TopIndex(); return;
        case LVM_SCROLL:
            Scroll(int(intptr_t(m.WParam)), int(m.LParam));
            m.Result = 1;
            return;
        case LVM_GETITEMRECT: {
            auto* rect = reinterpret_cast<TRect*>(m.LParam);
            if (!rect) return;
            const TRect item = ItemRect(int(m.WParam), rect->Left == LVIR_LABEL || rect->Left == LVIR_ICON);
            m.Result = !item.IsEmpty();
            if (m.Result) *rect = item;
            return;
        }
        default: TWinControl::Dispatch(m);
    }
}
