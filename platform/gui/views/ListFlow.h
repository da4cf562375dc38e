#pragma once
// Where the items of a list view stand when they are not rows of a report:
// in list style they run down columns and the view scrolls by whole columns
// across; in the icon styles they fill rows of a grid and the view scrolls by
// pixels down. Every item takes a cell of one size, so any item's place, and
// the item at any point, is found by arithmetic, however many there are.

#include <QPoint>
#include <QRect>
#include <QSize>

class TListFlow {
public:
    // Down columns (list style), or across rows (icon styles).
    bool Columns = false;
    QSize Cell{1, 1};
    int Count = 0;
    // The area the items are shown in.
    QSize Viewport;

    // Items in one column (list style) or one row (icon styles).
    int PerLine() const;
    // Columns (list style) or rows (icon styles) the items fill.
    int Lines() const;
    // Whole columns or rows the viewport shows.
    int LinesPerPage() const;
    // Where item index stands in the whole layout, the first cell at (0, 0).
    QRect CellRect(int index) const;
    // The item whose cell holds point p of the whole layout, or -1.
    int IndexAt(QPoint p) const;
    // Calls visit(index) for every item whose cell meets r, in order.
    template <class Visit>
    void ForEachIn(const QRect& r, Visit visit) const {
        int lineFrom, lineTo, placeFrom, placeTo;
        if (!Span(r, lineFrom, lineTo, placeFrom, placeTo)) return;
        for (int line = lineFrom; line <= lineTo; ++line)
            for (int place = placeFrom; place <= placeTo; ++place) {
                const long long index = static_cast<long long>(line) * PerLine() + place;
                if (index >= Count) return;
                visit(static_cast<int>(index));
            }
    }
    // The size of the whole layout.
    QSize Extent() const;

private:
    // The lines and the places along them whose cells meet r; false for none.
    bool Span(const QRect& r, int& lineFrom, int& lineTo, int& placeFrom, int& placeTo) const;
};
