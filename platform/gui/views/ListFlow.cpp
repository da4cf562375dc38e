#include "platform/gui/views/ListFlow.h"

#include <algorithm>

int TListFlow::PerLine() const {
    const int room = Columns ? Viewport.height() / Cell.height() : Viewport.width() / Cell.width();
    return std::max(1, room);
}

int TListFlow::Lines() const { return Count <= 0 ? 0 : (Count + PerLine() - 1) / PerLine(); }

int TListFlow::LinesPerPage() const {
    return std::max(1, Columns ? Viewport.width() / Cell.width() : Viewport.height() / Cell.height());
}

QRect TListFlow::CellRect(int index) const {
    if (index < 0 || index >= Count) return {};
    const int line = index / PerLine(), place = index % PerLine();
    const int column = Columns ? line : place, row = Columns ? place : line;
    return QRect(QPoint(column * Cell.width(), row * Cell.height()), Cell);
}

int TListFlow::IndexAt(QPoint p) const {
    if (p.x() < 0 || p.y() < 0) return -1;
    const int column = p.x() / Cell.width(), row = p.y() / Cell.height();
    const int line = Columns ? column : row, place = Columns ? row : column;
    if (place >= PerLine()) return -1;
    const long long index = static_cast<long long>(line) * PerLine() + place;
    return index < Count ? static_cast<int>(index) : -1;
}

bool TListFlow::Span(const QRect& r, int& lineFrom, int& lineTo, int& placeFrom, int& placeTo) const {
    const QRect area = r.normalized().intersected(QRect(QPoint(0, 0), Extent()));
    if (area.isEmpty()) return false;
    const int across = Columns ? Cell.width() : Cell.height(), along = Columns ? Cell.height() : Cell.width();
    lineFrom = (Columns ? area.left() : area.top()) / across;
    lineTo = (Columns ? area.right() : area.bottom()) / across;
    placeFrom = (Columns ? area.top() : area.left()) / along;
    placeTo = std::min(PerLine() - 1, (Columns ? area.bottom() : area.right()) / along);
    return placeFrom <= placeTo;
}

QSize TListFlow::Extent() const {
    const int lines = Lines(), span = std::min(Count, PerLine());
    return Columns ? QSize(lines * Cell.width(), span * Cell.height())
                   : QSize(span * Cell.width(), lines * Cell.height());
}
