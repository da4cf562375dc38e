// The report-style list view over a QTreeView. The view keeps no rows of its
// own: its model reads TListItems, and every visible cell asks the custom-draw
// events for its colours when it is painted, so a table of 50,000 rows costs
// what the thirty on screen cost. The items' Selected flags are the truth;
// Qt's selection model follows them, and what the user changes there is
// copied back into them.
//
// The program deletes selected rows one at a time, asking each time for the
// first selected one. So that this stays linear, an item's position is only
// renumbered when asked for, the search for the first selected item starts
// where the last one ended, and Qt's selection is cleared while rows are
// deleted or selected in code (Qt would carry every selected range through
// every step): it is made again from the flags at the next turn of the event
// loop, or before the user's next click or key, whichever comes first.
//
// In the list and icon styles the same view stops being a tree: it lays the
// items out in cells of one size (TListFlow), paints, hit-tests, scrolls and
// moves the cursor by them, and sets its bars' units itself (columns across
// in list style, pixels in the icon styles). The report rows' paths are left
// as they are, so the table loses nothing to the other styles.
//
// In owner-data mode there are no items: the program keeps the rows and
// OnData fills an item on demand. A paint fills one item per row it draws;
// what the program reads is filled into a few items kept in turn, so that an
// item it holds stays valid while it reads a few more. Selection flags are
// kept by row, made only when a row is first selected.

#include "platform/gui/ListView.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/QtGlue.h"
#include "platform/gui/controls/NonClient.h"
#include "platform/gui/views/HeaderWindow.h"
#include "platform/gui/views/ListFlow.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/gui/Forms.h"

namespace {

Qt::Alignment AlignmentOf(TAlignment alignment) {
    switch (alignment) {
        case TAlignment::taRightJustify: return Qt::AlignRight;
        case TAlignment::taCenter: return Qt::AlignHCenter;
        default: return Qt::AlignLeft;
    }
}

// Handlers called from Qt's signals and paints: no exception may unwind through Qt.
void CallHandler(const std::function<void()>& handler) {
    try {
        GuardedCall(handler);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
}

const std::string& CellText(const TListItem& item, int column) {
    static const std::string none;
    if (column == 0) return item.Caption;
    const size_t sub = static_cast<size_t>(column - 1);
    return sub < item.SubItems.size() ? item.SubItems[sub] : none;
}

constexpr int kTextMargin = 4;
// Icon style: the least room for a caption under its picture, the margin
// around the cell's content, and the gap between picture and caption.
constexpr int kIconCaptionWidth = 64;
constexpr int kIconMargin = 6;
constexpr int kIconGap = 4;
// List and small-icon styles: space between neighbouring cells.
constexpr int kCellGap = 6;
// Owner-data items the program has read and may still hold.
constexpr size_t kReadItems = 32;

}  // namespace

struct TListView::TImpl {
    class TModel;
    class TView;
    class THeader;
    class TDelegate;
    class TInputWatcher;

    explicit TImpl(TListView& owner) : Owner(owner) {}

    bool OwnerData() const { return Owner.FItems.FOwnerData; }
    bool IsSelected(int row) const {
        if (!OwnerData()) return Owner.FItems.FItems[static_cast<size_t>(row)]->FSelected;
        return row >= 0 && static_cast<size_t>(row) < RowFlags.size() && RowFlags[static_cast<size_t>(row)];
    }
    // Marks row; SelCount follows.
    void SetFlag(int row, bool selected);
    int IndexOf(const TListItem& item);
    // The first selected row, or -1.
    int FirstSelectedRow();
    TListItem* FirstSelected() {
        const int row = FirstSelectedRow();
        return row < 0 ? nullptr : Owner.FItems.Item(row);
    }
    // Owner-data items: the one a paint draws, and those the program reads.
    void Fill(TListItem& item, int row);
    TListItem* ItemShown(int row);
    TListItem* ItemRead(int row);
    // The items read so far are asked for again when next read.
    void ForgetRows() { std::fill(ReadRows.begin(), ReadRows.end(), -1); }
    // Empties the rows and their selection while change sets up the new ones.
    void ResetRows(const std::function<void()>& change);
    // Outside paints the canvas measures in the control's font, whatever a handler set last.
    void RestoreCanvas() { Owner.FDrawCanvas.Font().Assign(Owner.Font()); }
    // Makes Qt's selection that of the items' flags.
    void ShowSelection();
    // Qt's selection is made again from the flags at the next turn of the
    // event loop, or before the user's next click or key.
    void ShowSelectionLater();
    // Qt's selection is cleared for a change of rows and shown again later.
    void PutSelectionAside();
    void ShowSelectionIfAside() {
        if (SelectionAside) ShowSelection();
    }
    void UserSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    // Sets the canvas as a paint of the cell starts and lets the custom-draw
    // handlers change it: the item drawn, or nullptr when the cell stays blank.
    TListItem* PrepareCell(int row, int column);
    void PaintCell(QPainter& painter, const QRect& rect, int row, int column, bool focused);
    // Column widths set in code reach the header.
    void SyncColumnWidths();
    int RowHeight() const;
    // The widest text of column over rows from .. to - 1, in the fonts the
    // custom-draw handlers give the cells.
    qreal WidestText(int column, int from, int to);

    // The list and icon styles.
    bool Flowing() const { return Owner.ViewStyle != TViewStyle::vsReport; }
    // Qt's items are cells: the list and icon styles need a column for the
    // captions even when the program made none.
    int ModelColumns() const { return std::max(Owner.ColumnCount(), Flowing() ? 1 : 0); }
    // The items' pictures in the current style, or nullptr.
    TCustomImageList* FlowImages() const {
        return Owner.ViewStyle == TViewStyle::vsIcon ? Owner.FLargeImages : Owner.FSmallImages;
    }
    // A cell's size in the current style. The widest caption is measured over
    // the rows added since it was last measured; captions changed in place
    // count from the next Invalidate().
    QSize FlowCell();
    void ForgetCaptionWidths() { WidestCaption = CaptionsMeasured = 0; }
    void PaintItem(QPainter& painter, const QRect& cell, int row, bool focused, bool current);

    TListView& Owner;
    TModel* Model = nullptr;
    TView* View = nullptr;
    TInputWatcher* Watcher = nullptr;
    THeader* Header = nullptr;
    int SelCount = 0;
    // No selected item lies before this row.
    int FirstSelectedFrom = 0;
    // The items before this row know their positions.
    int IndexedBelow = 0;
    bool SelectionAside = false;
    // Above 0 while we change Qt's rows or selection ourselves: what Qt reports
    // then is not the user's doing.
    int Syncing = 0;
    std::vector<QMetaObject::Connection> Connections;
    // Where the items stand in the list and icon styles, as last laid out.
    TListFlow Flow;
    qreal WidestCaption = 0;
    int CaptionsMeasured = 0;
    // Owner-data mode.
    std::vector<bool> RowFlags;
    TListItem ShownItem;
    int ShownRow = -1;
    std::vector<std::unique_ptr<TListItem>> ReadItems;
    std::vector<int> ReadRows;
    size_t NextRead = 0;
};

// A flat table over the items; the views learn of every change as it happens.
class TListView::TImpl::TModel : public QAbstractItemModel {
public:
    explicit TModel(TListView* owner, QObject* parent) : QAbstractItemModel(parent), FOwner(owner) {}

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
        if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return {};
        return createIndex(row, column);
    }
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !FOwner ? 0 : FOwner->FItems.Count();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !FOwner ? 0 : FOwner->FImpl->ModelColumns();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
        QVariant text;
        CallHandler([&] {
            text = ToQString(CellText(*FOwner->FImpl->ItemShown(index.row()), index.column()));
        });
        return text;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || !FOwner || section >= FOwner->ColumnCount()) return {};
        const TListColumn& column = *FOwner->Column(section);
        if (role == Qt::DisplayRole) return ToQString(column.Caption);
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(AlignmentOf(column.Alignment) | Qt::AlignVCenter);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void BeginAppendRow(int row) { beginInsertRows({}, row, row); }
    void EndAppendRow() { endInsertRows(); }
    void BeginAppendColumn(int column) { beginInsertColumns({}, column, column); }
    void EndAppendColumn() { endInsertColumns(); }
    void BeginRemoveColumn(int column) { beginRemoveColumns({}, column, column); }
    void EndRemoveColumn() { endRemoveColumns(); }
    // The caption column stands in for the first column the program adds.
    void ColumnFilled(int column) { emit headerDataChanged(Qt::Horizontal, column, column); }
    void BeginRemoveRow(int row) { beginRemoveRows({}, row, row); }
    void EndRemoveRow() { endRemoveRows(); }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    // The owner goes: from now on the model is empty.
    void Release() {
        beginResetModel();
        FOwner = nullptr;
        endResetModel();
    }
    // A reordering of the rows; newRow maps each row before it to its row after it.
    template <class NewRow>
    void Reorder(NewRow newRow, const std::function<void()>& reorder) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before) after.append(createIndex(newRow(index.row()), index.column()));
        reorder();
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

private:
    TListView* FOwner;
};

// Hands its painting to the list view's header handler when one is set.
class TListView::TImpl::THeader : public QHeaderView {
public:
    THeader(TListView& owner, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), FOwner(owner) {}
    // Cleared when the control goes before its widget.
    bool Alive = true;

protected:
    void paintEvent(QPaintEvent* e) override {
        if (Alive && FOwner.FHeader && FOwner.FHeader->Subclassed()) {
            // Whoever took the header's window paints it, given the canvas as the device context.
            QPainter painter(viewport());
            TCanvas canvas;
            canvas.BeginPaint(&painter);
            canvas.Font().Assign(FOwner.Font());
            FOwner.FHeader->Perform(WM_PAINT, WPARAM(&canvas), 0);
            canvas.EndPaint();
            return;
        }
        if (!Alive || !FOwner.OnDrawHeaderSection) {
            QHeaderView::paintEvent(e);
            return;
        }
        QPainter painter(viewport());
        TCanvas canvas;
        canvas.BeginPaint(&painter);
        canvas.Font().Assign(FOwner.Font());
        int right = 0;
        for (int visual = 0; visual < count(); ++visual) {
            const int column = logicalIndex(visual);
            if (isSectionHidden(column)) continue;
            const int x = sectionViewportPosition(column), w = sectionSize(column);
            if (w <= 0) continue;
            FOwner.OnDrawHeaderSection(canvas, Rect(x, 0, x + w, height()), column, column == FPressed);
            right = std::max(right, x + w);
        }
        if (right < viewport()->width())
            FOwner.OnDrawHeaderSection(canvas, Rect(right, 0, viewport()->width() + 1, height()), -1, false);
        canvas.EndPaint();
    }
    void mousePressEvent(QMouseEvent* e) override {
        const int x = int(e->position().x()), column = logicalIndexAt(x);
        // A press on a divider resizes the column: no section goes down.
        const bool divider = column >= 0 && (x - sectionViewportPosition(column) < kDividerGrip ||
                                             sectionViewportPosition(column) + sectionSize(column) - x <= kDividerGrip);
        FPressed = e->button() == Qt::LeftButton && !divider ? column : -1;
        QHeaderView::mousePressEvent(e);
        viewport()->update();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        FPressed = -1;
        QHeaderView::mouseReleaseEvent(e);
        viewport()->update();
    }

private:
    static constexpr int kDividerGrip = 4;
    TListView& FOwner;
    int FPressed = -1;
};

// Paints rows cell by cell itself: Qt's own row painting would ask the
// selection model about every cell, and ours knows the flags already.
class TListView::TImpl::TView : public QTreeView {
public:
    TImpl* Impl = nullptr;
    using QTreeView::executeDelayedItemsLayout;
    using QTreeView::scheduleDelayedItemsLayout;

    bool Flowing() const { return Impl && Impl->Flowing(); }
    // The point of the whole layout at the viewport's top left.
    QPoint FlowOffset() const {
        const TListFlow& flow = Impl->Flow;
        if (flow.Columns) return QPoint(horizontalScrollBar()->value() * flow.Cell.width(), 0);
        return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    }
    // Where row stands in the viewport.
    QRect FlowRect(int row) const { return Impl->Flow.CellRect(row).translated(-FlowOffset()); }
    // The first item shown.
    int FlowTop() const {
        const TListFlow& flow = Impl->Flow;
        const int line =
            flow.Columns ? horizontalScrollBar()->value() : verticalScrollBar()->value() / flow.Cell.height();
        return line * flow.PerLine();
    }
    void ScrollFlowTo(int row) {
        const TListFlow& flow = Impl->Flow;
        const QRect cell = flow.CellRect(row);
        if (cell.isEmpty()) return;
        if (flow.Columns) {
            QScrollBar* across = horizontalScrollBar();
            const int column = cell.left() / flow.Cell.width(), page = flow.LinesPerPage();
            if (column < across->value()) across->setValue(column);
            else if (column >= across->value() + page) across->setValue(column - page + 1);
            return;
        }
        QScrollBar* down = verticalScrollBar();
        const int height = viewport()->height();
        if (cell.top() < down->value()) down->setValue(cell.top());
        else if (cell.bottom() >= down->value() + height) down->setValue(cell.bottom() + 1 - height);
    }
    QRect visualRect(const QModelIndex& index) const override {
        if (!Flowing()) return QTreeView::visualRect(index);
        return index.isValid() ? FlowRect(index.row()) : QRect();
    }
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        if (!Flowing()) QTreeView::scrollTo(index, hint);
        else if (index.isValid()) ScrollFlowTo(index.row());
    }
    // Cells for the style and the viewport's size, and the bars in their units.
    void LayOutFlow() {
        TListFlow& flow = Impl->Flow;
        flow.Columns = Impl->Owner.ViewStyle == TViewStyle::vsList;
        flow.Cell = Impl->FlowCell();
        flow.Count = model()->rowCount();
        flow.Viewport = viewport()->size();
        QScrollBar* across = horizontalScrollBar();
        QScrollBar* down = verticalScrollBar();
        if (flow.Columns) {
            const int page = flow.LinesPerPage();
            down->setRange(0, 0);
            across->setSingleStep(1);
            across->setPageStep(page);
            across->setRange(0, std::max(0, flow.Lines() - page));
            return;
        }
        const QSize extent = flow.Extent();
        across->setSingleStep(std::max(1, flow.Cell.width() / 2));
        across->setPageStep(flow.Viewport.width());
        across->setRange(0, std::max(0, extent.width() - flow.Viewport.width()));
        down->setSingleStep(std::max(1, flow.Cell.height() / 2));
        down->setPageStep(flow.Viewport.height());
        down->setRange(0, std::max(0, extent.height() - flow.Viewport.height()));
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() != kScrollStateEvent) return QTreeView::event(e);
        executeDelayedItemsLayout();
        return true;
    }

    // The list and icon styles answer from the cells; the report from the tree.
    QModelIndex indexAt(const QPoint& p) const override {
        if (!Flowing()) return QTreeView::indexAt(p);
        const int row = Impl->Flow.IndexAt(p + FlowOffset());
        return row < 0 ? QModelIndex() : model()->index(row, 0);
    }
    int horizontalOffset() const override { return Flowing() ? FlowOffset().x() : QTreeView::horizontalOffset(); }
    int verticalOffset() const override { return Flowing() ? FlowOffset().y() : QTreeView::verticalOffset(); }
    void scrollContentsBy(int dx, int dy) override {
        if (!Flowing()) QTreeView::scrollContentsBy(dx, dy);
        else viewport()->update();
    }
    QRegion visualRegionForSelection(const QItemSelection& selection) const override {
        return Flowing() ? QRegion(viewport()->rect()) : QTreeView::visualRegionForSelection(selection);
    }
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        if (!Flowing()) {
            QTreeView::currentChanged(current, previous);
            return;
        }
        QAbstractItemView::currentChanged(current, previous);
        viewport()->update();
    }
    // In list style nothing scrolls down: the wheel turns the columns.
    void wheelEvent(QWheelEvent* e) override {
        if (Flowing() && Impl->Flow.Columns) QCoreApplication::sendEvent(horizontalScrollBar(), e);
        else QTreeView::wheelEvent(e);
    }
    // The tree finds the row of a double click by its own rows.
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (Flowing()) QAbstractItemView::mouseDoubleClickEvent(e);
        else QTreeView::mouseDoubleClickEvent(e);
    }
    // Arrows move along the flow and across it: in list style up and down
    // step by one item and left and right by a column; in the icon styles
    // left and right by one item and up and down by a row.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (!Flowing()) return QTreeView::moveCursor(action, modifiers);
        const TListFlow& flow = Impl->Flow;
        const int count = model()->rowCount();
        if (count == 0 || model()->columnCount() == 0) return {};
        const QModelIndex current = currentIndex();
        if (!current.isValid()) return model()->index(0, 0);
        const int row = current.row(), line = flow.PerLine();
        const int across = flow.Columns ? line : 1, down = flow.Columns ? 1 : line;
        const int page = line * flow.LinesPerPage();
        int target = row;
        switch (action) {
            case MoveLeft: target = row - across; break;
            case MoveRight: target = row + across; break;
            case MoveUp: target = row - down; break;
            case MoveDown: target = row + down; break;
            case MovePrevious: target = row - 1; break;
            case MoveNext: target = row + 1; break;
            case MovePageUp: target = std::max(0, row - page); break;
            case MovePageDown: target = std::min(count - 1, row + page); break;
            case MoveHome: target = 0; break;
            case MoveEnd: target = count - 1; break;
        }
        if (target < 0 || target >= count) target = row;
        return model()->index(target, current.column());
    }
    // A click or a key selects from the item at one corner to the item at the
    // other in the items' order; a rubber band selects the cells it meets.
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override {
        if (!Flowing()) {
            QTreeView::setSelection(rect, command);
            return;
        }
        const int last = model()->columnCount() - 1;
        if (last < 0) return;
        QItemSelection selection;
        auto add = [&](int from, int to) {
            selection.append(QItemSelectionRange(model()->index(from, 0), model()->index(to, last)));
        };
        const QPoint offset = FlowOffset();
        if (state() == DragSelectingState) {
            int from = -1, to = -1;
            Impl->Flow.ForEachIn(rect.normalized().translated(offset), [&](int row) {
                if (from >= 0 && row == to + 1) {
                    to = row;
                    return;
                }
                if (from >= 0) add(from, to);
                from = to = row;
            });
            if (from >= 0) add(from, to);
        } else {
            const int a = Impl->Flow.IndexAt(rect.topLeft() + offset);
            const int b = Impl->Flow.IndexAt(rect.bottomRight() + offset);
            if (a >= 0 && b >= 0) add(std::min(a, b), std::max(a, b));
        }
        selectionModel()->select(selection, command);
    }
    void PaintFlow(const QRect& area) {
        QPainter painter(viewport());
        const QPoint offset = FlowOffset();
        const bool focused = hasFocus();
        const int current = currentIndex().isValid() ? currentIndex().row() : -1;
        Impl->Flow.ForEachIn(area.translated(offset), [&](int row) {
            Impl->PaintItem(painter, FlowRect(row), row, focused, row == current);
        });
    }
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!Impl) return;
        const QHeaderView* h = header();
        const int viewWidth = viewport()->width();
        const bool focused = hasFocus();
        const QRect& row = option.rect;
        for (int column = 0; column < h->count(); ++column) {
            const int x = h->sectionViewportPosition(column), width = h->sectionSize(column);
            if (h->isSectionHidden(column) || width <= 0 || x + width <= 0 || x >= viewWidth) continue;
            Impl->PaintCell(*painter, QRect(x, row.top(), width, row.height()), index.row(), column, focused);
        }
        if (focused && currentIndex().row() == index.row() && index.row() < Impl->Owner.FItems.Count() &&
            h->count() > 0) {
            const int left = h->sectionViewportPosition(0);
            const bool selected = Impl->IsSelected(index.row());
            painter->setPen(QPen(ToQColor(selected ? clHighlightText : clWindowText), 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRect(left, row.top(), h->length(), row.height()).adjusted(0, 0, -1, -1));
        }
    }

    // The header's window may change where it goes, as the platform's header
    // answers WM_WINDOWPOSCHANGING.
    void updateGeometries() override {
        // Widening the header resizes it, which asks for the geometries again.
        if (FPlacing) return;
        FPlacing = true;
        if (Flowing()) {
            // The tree would set the bars in its own units, clamping ours.
            setViewportMargins(0, 0, 0, 0);
            QAbstractItemView::updateGeometries();
            LayOutFlow();
        } else {
            QTreeView::updateGeometries();
            PlaceHeaderWindow();
        }
        FPlacing = false;
    }
    void PlaceHeaderWindow() {
        THeaderWindow* window = Impl ? Impl->Owner.FHeader.get() : nullptr;
        if (!window || isHeaderHidden()) return;
        const QRect g = header()->geometry();
        WINDOWPOS pos;
        pos.hwnd = window;
        pos.x = g.x();
        pos.y = g.y();
        pos.cx = g.width();
        pos.cy = g.height();
        window->Perform(WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
        if (QRect(pos.x, pos.y, pos.cx, pos.cy) != g) header()->setGeometry(pos.x, pos.y, pos.cx, pos.cy);
        window->SetBounds(pos.x, pos.y, pos.cx, pos.cy);
    }

    bool FPlacing = false;

    // Typing would search the texts of all rows: in owner-data mode, every row asked for.
    void keyboardSearch(const QString& search) override {
        if (Impl && !Impl->OwnerData()) QTreeView::keyboardSearch(search);
    }

    void paintEvent(QPaintEvent* e) override {
        if (Impl) {
            Impl->SyncColumnWidths();
            // Each paint asks for the rows it shows.
            Impl->ShownRow = -1;
        }
        if (Flowing()) {
            // The tree's paint would lay out rows added since the last turn first: so do the cells.
            executeDelayedItemsLayout();
            PaintFlow(e->rect());
            Impl->RestoreCanvas();
            return;
        }
        QTreeView::paintEvent(e);
        if (Impl) Impl->RestoreCanvas();
        if (!Impl || !Impl->Owner.GridLines()) return;
        // Lines over the whole area, below the last row too, as the platform draws them.
        QPainter painter(viewport());
        painter.setPen(ToQColor(clBtnFace));
        const int width = viewport()->width(), height = viewport()->height();
        const QHeaderView* h = header();
        for (int column = 0; column < h->count(); ++column) {
            if (h->isSectionHidden(column)) continue;
            const int x = h->sectionViewportPosition(column) + h->sectionSize(column) - 1;
            if (x >= 0 && x < width) painter.drawLine(x, 0, x, height - 1);
        }
        int top = 0, step = Impl->RowHeight();
        if (model()->rowCount() > 0) {
            const int topRow = std::min(verticalScrollBar()->value(), model()->rowCount() - 1);
            const QRect first = visualRect(model()->index(topRow, 0));
            if (first.height() > 0) {
                top = first.top();
                step = first.height();
            }
        }
        for (int y = top + step - 1; y < height; y += step) painter.drawLine(0, y, width - 1, y);
    }
};

// Sizes rows; painting goes through the view's drawRow.
class TListView::TImpl::TDelegate : public QStyledItemDelegate {
public:
    TDelegate(TImpl& impl, QObject* parent) : QStyledItemDelegate(parent), FImpl(impl) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), FImpl.RowHeight());
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        FImpl.PaintCell(*painter, option.rect, index.row(), index.column(), option.state & QStyle::State_HasFocus);
    }

private:
    TImpl& FImpl;
};

// Before the user's clicks and keys reach Qt, Qt's selection must be the items'.
class TListView::TImpl::TInputWatcher : public QObject {
public:
    TInputWatcher(TImpl& impl, QObject* parent) : QObject(parent), FImpl(&impl) {}
    void Release() { FImpl = nullptr; }
    void ShowSelectionIfAside() {
        if (FImpl) FImpl->ShowSelectionIfAside();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::ContextMenu:
                ShowSelectionIfAside();
                break;
            default:
                break;
        }
        return false;
    }

private:
    TImpl* FImpl;
};

int TListView::TImpl::IndexOf(const TListItem& item) {
    auto& items = Owner.FItems.FItems;
    const size_t at = static_cast<size_t>(item.FIndex);
    if (item.FIndex >= 0 && at < items.size() && items[at].get() == &item) return item.FIndex;
    for (size_t i = static_cast<size_t>(IndexedBelow); i < items.size(); ++i) items[i]->FIndex = static_cast<int>(i);
    IndexedBelow = static_cast<int>(items.size());
    return item.FIndex;
}

void TListView::TImpl::SetFlag(int row, bool selected) {
    if (IsSelected(row) == selected) return;
    if (OwnerData()) {
        if (RowFlags.size() <= static_cast<size_t>(row)) RowFlags.resize(static_cast<size_t>(Owner.FItems.Count()));
        RowFlags[static_cast<size_t>(row)] = selected;
    } else {
        Owner.FItems.FItems[static_cast<size_t>(row)]->FSelected = selected;
    }
    SelCount += selected ? 1 : -1;
    if (selected) FirstSelectedFrom = std::min(FirstSelectedFrom, row);
}

int TListView::TImpl::FirstSelectedRow() {
    if (SelCount == 0) return -1;
    if (OwnerData()) {
        for (int i = std::max(FirstSelectedFrom, 0); i < Owner.FItems.Count(); ++i)
            if (IsSelected(i)) return FirstSelectedFrom = i;
        return -1;
    }
    auto& items = Owner.FItems.FItems;
    for (int i = std::max(FirstSelectedFrom, 0); i < static_cast<int>(items.size()); ++i) {
        TListItem& item = *items[static_cast<size_t>(i)];
        // Positions are known from the scan; they extend what is numbered when they join it.
        if (i == IndexedBelow) {
            item.FIndex = i;
            ++IndexedBelow;
        }
        if (item.FSelected) return FirstSelectedFrom = i;
    }
    return -1;
}

void TListView::TImpl::Fill(TListItem& item, int row) {
    item.Caption.clear();
    item.SubItems.clear();
    item.Data = nullptr;
    item.FOwner = &Owner;
    item.FVirtual = true;
    item.FIndex = row;
    if (Owner.OnData) Owner.OnData(&Owner, &item);
}

TListItem* TListView::TImpl::ItemShown(int row) {
    if (!OwnerData()) return Owner.FItems.FItems[static_cast<size_t>(row)].get();
    // Marked first: a handler that fails is not asked again for every cell of its row.
    if (ShownRow != row) {
        ShownRow = row;
        Fill(ShownItem, row);
    }
    return &ShownItem;
}

TListItem* TListView::TImpl::ItemRead(int row) {
    for (size_t i = 0; i < ReadRows.size(); ++i)
        if (ReadRows[i] == row) return ReadItems[i].get();
    size_t slot = NextRead;
    if (ReadItems.size() < kReadItems) {
        slot = ReadItems.size();
        ReadItems.push_back(std::make_unique<TListItem>());
        ReadRows.push_back(-1);
    } else {
        NextRead = (NextRead + 1) % kReadItems;
    }
    TListItem* item = ReadItems[slot].get();
    ReadRows[slot] = -1;
    Fill(*item, row);
    ReadRows[slot] = row;
    return item;
}

void TListView::TImpl::ResetRows(const std::function<void()>& change) {
    ++Syncing;
    Model->BeginReset();
    change();
    RowFlags.clear();
    RowFlags.shrink_to_fit();
    SelCount = FirstSelectedFrom = IndexedBelow = 0;
    SelectionAside = false;
    ShownRow = -1;
    ForgetRows();
    ForgetCaptionWidths();
    Model->EndReset();
    --Syncing;
}

void TListView::TImpl::ShowSelectionLater() {
    if (SelectionAside) return;
    SelectionAside = true;
    QTimer::singleShot(0, Watcher, [watcher = Watcher] { watcher->ShowSelectionIfAside(); });
}

void TListView::TImpl::PutSelectionAside() {
    if (View->selectionModel()->hasSelection()) {
        ++Syncing;
        View->selectionModel()->clearSelection();
        --Syncing;
    }
    if (SelCount > 0) ShowSelectionLater();
}

int TListView::TImpl::RowHeight() const { return QFontMetrics(View->font()).height() + 4; }

TListItem* TListView::TImpl::PrepareCell(int row, int column) {
    TListItems& items = Owner.FItems;
    // The caption is shown in the list and icon styles with no column at all.
    if (row < 0 || row >= items.Count() || (column > 0 && column >= Owner.ColumnCount())) return nullptr;
    TCanvas& canvas = Owner.FDrawCanvas;
    canvas.Brush().Color = clWindow;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Font().Assign(Owner.Font());
    canvas.Font().SetColor(clWindowText);
    canvas.Font().SetStyle(0);
    // The handlers cannot draw (the canvas is not bound to the screen), so a
    // handler that turns default drawing off leaves the cell blank.
    TListItem* item = nullptr;
    bool defaultDraw = true;
    CallHandler([&] {
        item = ItemShown(row);
        if (Owner.OnCustomDrawItem) Owner.OnCustomDrawItem(&Owner, item, defaultDraw);
        if (defaultDraw && column > 0 && Owner.OnCustomDrawSubItem)
            Owner.OnCustomDrawSubItem(&Owner, item, column, defaultDraw);
    });
    // The handlers may have deleted rows.
    if (!item || !defaultDraw || row >= items.Count() || (!OwnerData() && items.Item(row) != item)) return nullptr;
    return item;
}

void TListView::TImpl::PaintCell(QPainter& painter, const QRect& rect, int row, int column, bool focused) {
    TListItem* item = PrepareCell(row, column);
    if (!item) return;
    TCanvas& canvas = Owner.FDrawCanvas;
    const bool selected = IsSelected(row);
    QColor background = ToQColor(canvas.Brush().Color), ink = ToQColor(canvas.Font().Color());
    const bool fill = selected || canvas.Brush().Style != TBrushStyle::bsClear;
    if (selected) {
        background = ToQColor(focused ? clHighlight : clBtnFace);
        if (focused) ink = ToQColor(clHighlightText);
    }
    if (fill) painter.fillRect(rect, background);
    const QFont font = canvas.Font().ToQFont();
    const QRect textRect = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    if (textRect.width() <= 0) return;
    const QString text =
        QFontMetrics(font).elidedText(ToQString(CellText(*item, column)), Qt::ElideRight, textRect.width());
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(textRect,
                     AlignmentOf(Owner.Column(column)->Alignment) | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

QSize TListView::TImpl::FlowCell() {
    const TCustomImageList* images = FlowImages();
    const int imageWidth = images ? images->Width() : 0, imageHeight = images ? images->Height() : 0;
    if (Owner.ViewStyle == TViewStyle::vsIcon) {
        const int lines = 2 * QFontMetrics(View->font()).height();
        return QSize(std::max(imageWidth, kIconCaptionWidth) + 2 * kIconMargin,
                     2 * kIconMargin + imageHeight + (images ? kIconGap : 0) + lines);
    }
    const int count = Owner.FItems.Count();
    if (CaptionsMeasured > count) ForgetCaptionWidths();
    if (CaptionsMeasured < count) {
        WidestCaption = std::max(WidestCaption, WidestText(0, CaptionsMeasured, count));
        CaptionsMeasured = count;
    }
    const int picture = images ? imageWidth + kIconGap : 0;
    return QSize(picture + static_cast<int>(std::ceil(WidestCaption)) + 2 * kTextMargin + kCellGap,
                 std::max(RowHeight(), imageHeight + 2));
}

// An item of the list and icon styles: its picture, and its caption in the
// colours and font the custom-draw handlers chose; the selection and the
// focus mark the caption only.
void TListView::TImpl::PaintItem(QPainter& painter, const QRect& cell, int row, bool focused, bool current) {
    TListItem* item = PrepareCell(row, 0);
    if (!item) return;
    TCanvas& look = Owner.FDrawCanvas;
    const TCustomImageList* images = FlowImages();
    const bool icon = Owner.ViewStyle == TViewStyle::vsIcon;
    const int imageWidth = images ? images->Width() : 0, imageHeight = images ? images->Height() : 0;
    QRect picture, label;
    if (icon) {
        picture = QRect(cell.left() + (cell.width() - imageWidth) / 2, cell.top() + kIconMargin, imageWidth,
                        imageHeight);
        const int top = picture.bottom() + 1 + (images ? kIconGap : 0);
        label = QRect(cell.left() + kIconMargin / 2, top, cell.width() - kIconMargin,
                      cell.bottom() + 1 - kIconMargin - top);
    } else {
        picture = QRect(cell.left() + kCellGap / 2, cell.top() + (cell.height() - imageHeight) / 2, imageWidth,
                        imageHeight);
        const int left = images ? picture.right() + 1 + kIconGap : cell.left() + kCellGap / 2;
        label = QRect(left, cell.top(), cell.right() + 1 - kCellGap / 2 - left, cell.height());
    }
    if (images && item->ImageIndex >= 0 && item->ImageIndex < images->Count()) {
        TCanvas canvas;
        canvas.BeginPaint(&painter);
        images->Draw(canvas, picture.left(), picture.top(), item->ImageIndex);
        canvas.EndPaint();
    }
    if (label.width() <= 2 * kTextMargin || label.height() <= 0) return;
    const QFont font = look.Font().ToQFont();
    const QFontMetrics metrics(font);
    const QString caption = ToQString(item->Caption);
    const QRect textArea = label.adjusted(kTextMargin, 0, -kTextMargin, 0);
    // Under an icon a caption too long for one line wraps onto a second.
    const bool wraps = icon && metrics.horizontalAdvance(caption) > textArea.width();
    const int flags = icon ? Qt::AlignHCenter | Qt::AlignTop | (wraps ? Qt::TextWordWrap : Qt::TextSingleLine)
                           : Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const QString text = wraps ? caption : metrics.elidedText(caption, Qt::ElideRight, textArea.width());
    QRect mark =
        metrics.boundingRect(textArea, flags, text).intersected(textArea).adjusted(-kTextMargin, 0, kTextMargin, 0);
    if (!icon) mark = QRect(mark.left(), label.top(), mark.width(), label.height());
    const bool selected = IsSelected(row);
    QColor ink = ToQColor(look.Font().Color());
    if (selected) {
        painter.fillRect(mark, ToQColor(focused ? clHighlight : clBtnFace));
        if (focused) ink = ToQColor(clHighlightText);
    } else if (look.Brush().Style != TBrushStyle::bsClear && look.Brush().Color != clWindow &&
               look.Brush().Color != Owner.Color()) {
        // Only a colour a handler chose: on a coloured view the default would box every caption.
        painter.fillRect(mark, ToQColor(look.Brush().Color));
    }
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(textArea, flags, text);
    if (focused && current) {
        painter.setPen(QPen(ToQColor(selected ? clHighlightText : clWindowText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(mark.adjusted(0, 0, -1, -1));
    }
}

void TListView::TImpl::SyncColumnWidths() {
    QHeaderView* header = View->header();
    for (int i = 0; i < Owner.ColumnCount() && i < header->count(); ++i) {
        TListColumn& column = *Owner.Column(i);
        column.Index = i;
        if (column.Width >= 0 && header->sectionSize(i) != column.Width) header->resizeSection(i, column.Width);
    }
}

void TListView::TImpl::ShowSelection() {
    QItemSelectionModel* selection = View->selectionModel();
    SelectionAside = false;
    const int count = Owner.FItems.Count(), last = ModelColumns() - 1;
    ++Syncing;
    selection->clearSelection();
    if (SelCount > 0 && last >= 0) {
        QItemSelection runs;
        for (int i = 0; i < count; ++i) {
            if (!IsSelected(i)) continue;
            int j = i;
            while (j + 1 < count && IsSelected(j + 1)) ++j;
            runs.append(QItemSelectionRange(Model->index(i, 0), Model->index(j, last)));
            i = j;
        }
        selection->select(runs, QItemSelectionModel::Select);
    }
    --Syncing;
}

void TListView::TImpl::UserSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    if (Syncing > 0) return;
    const int count = Owner.FItems.Count();
    for (bool select : {false, true})
        for (const QItemSelectionRange& range : select ? selected : deselected)
            for (int row = std::max(range.top(), 0); row <= range.bottom() && row < count; ++row)
                SetFlag(row, select);
    if (Owner.OnSelectItem) CallHandler([this] { Owner.OnSelectItem(&Owner); });
}

// Items.

// An owner-data item kept by the program after its list left owner-data mode stands for no row.
bool TListItem::Selected() const {
    if (!FVirtual) return FSelected;
    return FOwner && FOwner->OwnerData() && FOwner->FImpl->IsSelected(FIndex);
}

void TListItem::SetSelected(bool value) {
    if (value == Selected()) return;
    if (!FOwner) {
        FSelected = value;
        return;
    }
    if (FVirtual && (!FOwner->OwnerData() || FIndex >= FOwner->FItems.Count())) return;
    const int row = Index();
    FOwner->FImpl->SetFlag(row, value);
    FOwner->SelectionChanged(row);
}

int TListItem::Index() const { return FOwner && !FVirtual ? FOwner->FImpl->IndexOf(*this) : FIndex; }

void TListItem::Delete() {
    if (FOwner && (!FVirtual || FOwner->OwnerData())) FOwner->Items().Delete(Index());
}

TListItem* TListItems::Fetch(int index) const {
    if (index < 0 || index >= FVirtualCount)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    return FOwner.FImpl->ItemRead(index);
}

void TListItems::SetCount(int count) {
    if (FOwnerData)
        FOwner.FImpl->ResetRows([&] { FVirtualCount = std::max(count, 0); });
    else
        FItems.reserve(static_cast<size_t>(std::max(count, 0)));
}

TListItem* TListItems::Add() {
    if (FOwnerData) throw Exception("An owner-data list view gets its rows from OnData");
    TListView::TImpl& impl = *FOwner.FImpl;
    auto item = std::make_unique<TListItem>();
    TListItem* added = item.get();
    added->FOwner = &FOwner;
    added->FIndex = Count();
    // Room first: nothing may fail between telling the views and adding the row.
    if (FItems.size() == FItems.capacity()) FItems.reserve(2 * FItems.size() + 16);
    ++impl.Syncing;
    impl.Model->BeginAppendRow(added->FIndex);
    FItems.push_back(std::move(item));
    impl.Model->EndAppendRow();
    --impl.Syncing;
    if (impl.IndexedBelow == added->FIndex) ++impl.IndexedBelow;
    return added;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    TListView::TImpl& impl = *FOwner.FImpl;
    impl.PutSelectionAside();
    ++impl.Syncing;
    impl.Model->BeginRemoveRow(index);
    impl.SetFlag(index, false);
    if (FOwnerData) {
        // The program has dropped the row from its data: the rows below move up.
        if (static_cast<size_t>(index) < impl.RowFlags.size()) impl.RowFlags.erase(impl.RowFlags.begin() + index);
        --FVirtualCount;
        impl.ShownRow = -1;
        impl.ForgetRows();
    } else {
        // Rotating the item to the end shifts the rest by swaps, which costs half
        // of what erase's move assignments do.
        std::rotate(FItems.begin() + index, FItems.begin() + index + 1, FItems.end());
        const std::unique_ptr<TListItem> doomed = std::move(FItems.back());
        FItems.pop_back();
    }
    impl.IndexedBelow = std::min(impl.IndexedBelow, index);
    impl.ForgetCaptionWidths();
    if (index < impl.FirstSelectedFrom) --impl.FirstSelectedFrom;
    impl.Model->EndRemoveRow();
    --impl.Syncing;
    // A single-selection view selects the next row when the current one goes;
    // the platform's list selects nothing.
    impl.PutSelectionAside();
}

void TListItems::Clear() {
    FOwner.FImpl->ResetRows([this] {
        FItems.clear();
        FVirtualCount = 0;
    });
}

void TListItems::BeginUpdate() {
    if (FUpdating++ == 0) FOwner.FImpl->View->setUpdatesEnabled(false);
}

void TListItems::EndUpdate() {
    if (FUpdating == 0 || --FUpdating > 0) return;
    FOwner.FImpl->View->setUpdatesEnabled(true);
    FOwner.ItemsChanged();
}

// The view.

TListView::TListView(TComponent* owner)
    : TWinControl(owner), FItems(*this), FImpl(std::make_unique<TImpl>(*this)) {
    SetNativeDefault(true);
    EnsureWidget();
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 250, 150);
    FImpl->RestoreCanvas();
}

TListView::~TListView() {
    // The header window speaks for a widget of the view: it goes first.
    FHeader.reset();
    for (const QMetaObject::Connection& connection : FImpl->Connections) QObject::disconnect(connection);
    // The widget outlives this part of the control; it must find no rows to draw.
    FImpl->View->Impl = nullptr;
    FImpl->Header->Alive = false;
    FImpl->Watcher->Release();
    FImpl->Model->Release();
}

QWidget* TListView::CreateWidget() {
    auto* view = new TImpl::TView;
    TImpl& impl = *FImpl;
    impl.View = view;
    impl.Model = new TImpl::TModel(this, view);
    view->setModel(impl.Model);
    view->setItemDelegate(new TImpl::TDelegate(impl, view));
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setExpandsOnDoubleClick(false);
    view->setIndentation(0);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    impl.Watcher = new TImpl::TInputWatcher(impl, view);
    view->installEventFilter(impl.Watcher);
    view->viewport()->installEventFilter(impl.Watcher);
    impl.Header = new TImpl::THeader(*this, view);
    view->setHeader(impl.Header);
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(0);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    impl.Connections.push_back(QObject::connect(header, &QHeaderView::sectionClicked, view, [this](int section) {
        if (section >= 0 && section < ColumnCount() && OnColumnClick)
            CallHandler([&] { OnColumnClick(this, Column(section)); });
    }));
    impl.Connections.push_back(
        QObject::connect(header, &QHeaderView::sectionResized, view, [this](int section, int, int size) {
            if (section >= 0 && section < ColumnCount()) Column(section)->Width = size;
        }));
    impl.Connections.push_back(QObject::connect(
        view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
        [&impl](const QItemSelection& selected, const QItemSelection& deselected) {
            impl.UserSelectionChanged(selected, deselected);
        }));
    view->Impl = &impl;
    return view;
}

void TListView::SetFrameVisible(bool value) {
    FImpl->View->setFrameShape(value ? QFrame::StyledPanel : QFrame::NoFrame);
}

TListColumn* TListView::AddColumn(const std::string& caption, int width, TAlignment alignment) {
    auto column = std::make_unique<TListColumn>();
    column->Caption = caption;
    column->Width = width;
    column->Alignment = alignment;
    column->Index = ColumnCount();
    TListColumn* added = column.get();
    ++FImpl->Syncing;
    if (FImpl->ModelColumns() > added->Index) {
        FColumns.push_back(std::move(column));
        FImpl->Model->ColumnFilled(added->Index);
    } else {
        FImpl->Model->BeginAppendColumn(added->Index);
        FColumns.push_back(std::move(column));
        FImpl->Model->EndAppendColumn();
    }
    --FImpl->Syncing;
    if (width >= 0) FImpl->View->header()->resizeSection(added->Index, width);
    // Rows selected before the column existed are selected across it too.
    if (FImpl->SelCount > 0) FImpl->ShowSelection();
    return added;
}

namespace {

// Shaping every cell of a table of tens of thousands of rows costs more than
// the run that filled it. A number's width is the sum of its characters'
// advances and of the kerning of each neighbouring pair, each measured once;
// no ligature joins digits, signs or points. Any other text is shaped whole.
class TWidestText {
public:
    explicit TWidestText(const TFont& font)
        : FName(font.Name()), FHeight(font.Height()), FStyle(font.Style()), FMetrics(font.ToQFont()) {
        FAdvance.fill(kUnknown);
        for (auto& row : FKerning) row.fill(kUnknown);
    }

    // Only what the shape of the letters depends on; colours do not count.
    bool Measures(const TFont& font) const {
        return font.Height() == FHeight && font.Style() == FStyle && font.Name() == FName;
    }

    qreal Width(const std::string& text) {
        qreal width = 0;
        int before = -1;
        for (const char c : text) {
            const int k = NumberCharacter(c);
            if (k < 0) return FMetrics.horizontalAdvance(ToQString(text));
            width += Advance(k) + (before < 0 ? 0 : Kerning(before, k));
            before = k;
        }
        return width;
    }

private:
    static constexpr qreal kUnknown = -1e9;
    static constexpr std::string_view kNumberCharacters = "0123456789.-+ ";

    static int NumberCharacter(char c) {
        const size_t k = kNumberCharacters.find(c);
        return k == std::string_view::npos ? -1 : int(k);
    }
    qreal Advance(int k) {
        qreal& advance = FAdvance[size_t(k)];
        if (advance == kUnknown) advance = FMetrics.horizontalAdvance(QChar(kNumberCharacters[size_t(k)]));
        return advance;
    }
    qreal Kerning(int a, int b) {
        qreal& kerning = FKerning[size_t(a)][size_t(b)];
        if (kerning == kUnknown) {
            QString pair(2, QChar(kNumberCharacters[size_t(a)]));
            pair[1] = QChar(kNumberCharacters[size_t(b)]);
            kerning = FMetrics.horizontalAdvance(pair) - Advance(a) - Advance(b);
        }
        return kerning;
    }

    std::string FName;
    int FHeight;
    TFontStyles FStyle;
    // Fractional widths: a whole-pixel one may fall short of what eliding measures.
    QFontMetricsF FMetrics;
    std::array<qreal, kNumberCharacters.size()> FAdvance;
    std::array<std::array<qreal, kNumberCharacters.size()>, kNumberCharacters.size()> FKerning;
};

}  // namespace

qreal TListView::TImpl::WidestText(int column, int from, int to) {
    qreal widest = 0;
    // Rows mostly share one or two fonts (bold for a marked column, say).
    std::vector<std::unique_ptr<TWidestText>> fonts;
    for (int row = from; row < to; ++row) {
        TListItem* item = PrepareCell(row, column);
        if (!item) continue;
        const TFont& cellFont = Owner.FDrawCanvas.Font();
        auto measurer = std::find_if(fonts.begin(), fonts.end(), [&](const auto& m) { return m->Measures(cellFont); });
        if (measurer == fonts.end()) measurer = fonts.insert(fonts.end(), std::make_unique<TWidestText>(cellFont));
        widest = std::max(widest, (*measurer)->Width(CellText(*item, column)));
    }
    RestoreCanvas();
    return widest;
}

int TListView::ContentWidth(int column) {
    return static_cast<int>(std::ceil(FImpl->WidestText(column, 0, FItems.Count()))) + 2 * kTextMargin;
}

void TListView::SetColumnWidth(int index, int width) {
    Column(index)->Width = width;
    FImpl->SyncColumnWidths();
}

int TListView::SelCount() const { return FImpl->SelCount; }

TListItem* TListView::Selected() const { return FImpl->FirstSelected(); }

TListItem* TListView::ItemFocused() const {
    const QModelIndex current = FImpl->View->currentIndex();
    return current.isValid() && current.row() < FItems.Count() ? FItems.Item(current.row()) : nullptr;
}

void TListView::SetItemFocused(TListItem* item) {
    QItemSelectionModel* selection = FImpl->View->selectionModel();
    ++FImpl->Syncing;
    if (item && item->FOwner == this)
        selection->setCurrentIndex(FImpl->Model->index(item->Index(), 0), QItemSelectionModel::NoUpdate);
    else
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    --FImpl->Syncing;
}

void TListView::ClearSelection() {
    if (OwnerData())
        FImpl->RowFlags.clear();
    else
        for (auto& item : FItems.FItems) item->FSelected = false;
    FImpl->SelCount = 0;
    FImpl->SelectionAside = false;
    ++FImpl->Syncing;
    FImpl->View->selectionModel()->clearSelection();
    --FImpl->Syncing;
    FImpl->View->viewport()->update();
}

void TListView::SelectAll() {
    if (!FMultiSelect) return;
    if (OwnerData())
        FImpl->RowFlags.assign(static_cast<size_t>(FItems.Count()), true);
    else
        for (auto& item : FItems.FItems) item->FSelected = true;
    FImpl->SelCount = FItems.Count();
    FImpl->FirstSelectedFrom = 0;
    FImpl->ShowSelection();
}

void TListView::SelectionChanged(int row) {
    if (FImpl->IsSelected(row) && !FMultiSelect)
        for (int i = 0; i < FItems.Count() && FImpl->SelCount > 1; ++i)
            if (i != row) FImpl->SetFlag(i, false);
    // Qt would take time in the number of selected ranges for each item a loop selects.
    FImpl->ShowSelectionLater();
    FImpl->View->viewport()->update();
}

void TListView::ItemsChanged() {
    if (FItems.FUpdating == 0) Invalidate();
}

void TListView::SetSmallImages(TCustomImageList* value) {
    if (value == FSmallImages) return;
    FSmallImages = value;
    if (value) value->FreeNotification(this);
    Invalidate();
    // The sections' images are drawn in the header's own window.
    if (FHeader) FHeader->Invalidate();
}

void TListView::SetLargeImages(TCustomImageList* value) {
    if (value == FLargeImages) return;
    FLargeImages = value;
    if (value) value->FreeNotification(this);
    Invalidate();
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FSmallImages) SetSmallImages(nullptr);
    if (component == FLargeImages) SetLargeImages(nullptr);
}

void TListView::SetViewStyle(TViewStyle value) {
    if (value == ViewStyle) return;
    TImpl::TView* view = FImpl->View;
    // The bars count rows, columns or pixels by style: each style starts at the top.
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    // Without columns, the caption column comes and goes with the style.
    const int columns = FImpl->ModelColumns();
    const bool flowing = value != TViewStyle::vsReport;
    ++FImpl->Syncing;
    if (columns == 0 && flowing) FImpl->Model->BeginAppendColumn(0);
    if (columns == 1 && ColumnCount() == 0 && !flowing) FImpl->Model->BeginRemoveColumn(0);
    ViewStyle.Store(value);
    if (columns == 0 && flowing) FImpl->Model->EndAppendColumn();
    if (columns == 1 && ColumnCount() == 0 && !flowing) FImpl->Model->EndRemoveColumn();
    --FImpl->Syncing;
    if (FImpl->SelCount > 0) FImpl->ShowSelection();
    FImpl->ForgetCaptionWidths();
    view->setHeaderHidden(!FShowColumnHeaders || value != TViewStyle::vsReport);
    view->doItemsLayout();
    const QModelIndex current = view->currentIndex();
    if (current.isValid()) view->scrollTo(current);
}

void TListView::Invalidate() {
    TWinControl::Invalidate();
    if (!FImpl || !FImpl->View) return;
    FImpl->ForgetRows();
    FImpl->SyncColumnWidths();
    // The rows live in the scroll area's viewport, which an update of the area leaves alone.
    FImpl->View->viewport()->update();
    // Captions and pictures set the cells' size.
    if (FImpl->Flowing()) {
        FImpl->ForgetCaptionWidths();
        FImpl->View->scheduleDelayedItemsLayout();
    }
}

void TListView::SetOwnerData(bool value) {
    if (value == OwnerData()) return;
    FImpl->ResetRows([&] {
        FItems.FItems.clear();
        FItems.FOwnerData = value;
        FItems.FVirtualCount = 0;
    });
}

void TListView::FontChanged() {
    TWinControl::FontChanged();
    if (!FImpl) return;
    FImpl->RestoreCanvas();
    if (FImpl->View && FImpl->Flowing()) {
        FImpl->ForgetCaptionWidths();
        FImpl->View->scheduleDelayedItemsLayout();
    }
}

void TListView::SetGridLines(bool value) {
    FGridLines = value;
    ItemsChanged();
}

void TListView::SetMultiSelect(bool value) {
    FMultiSelect = value;
    FImpl->View->setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    if (value || FImpl->SelCount <= 1) return;
    const int first = FImpl->FirstSelectedRow();
    for (int i = first + 1; i < FItems.Count(); ++i) FImpl->SetFlag(i, false);
    FImpl->ShowSelection();
}

void TListView::CustomSort(int data) {
    auto& owned = FItems.FItems;
    if (owned.size() < 2) return;
    std::vector<TListItem*> order;
    order.reserve(owned.size());
    for (auto& item : owned) {
        item->FIndex = static_cast<int>(order.size());
        order.push_back(item.get());
    }
    FImpl->IndexedBelow = static_cast<int>(order.size());
    // Sorted apart from the items, so that a compare handler that throws leaves them as they were.
    std::stable_sort(order.begin(), order.end(), [this, data](TListItem* a, TListItem* b) {
        if (!OnCompare) return a->Caption < b->Caption;
        int compare = 0;
        OnCompare(this, a, b, data, compare);
        return compare < 0;
    });
    std::vector<int> newRow(order.size());
    for (size_t i = 0; i < order.size(); ++i) newRow[static_cast<size_t>(order[i]->FIndex)] = static_cast<int>(i);
    ++FImpl->Syncing;
    // Cleared first so that Qt need not carry a large selection through the reordering.
    FImpl->View->selectionModel()->clearSelection();
    FImpl->Model->Reorder([&newRow](int row) { return newRow[static_cast<size_t>(row)]; },
                          [&] {
                              for (auto& item : owned) item.release();
                              for (size_t i = 0; i < order.size(); ++i) {
                                  owned[i].reset(order[i]);
                                  order[i]->FIndex = static_cast<int>(i);
                              }
                          });
    --FImpl->Syncing;
    FImpl->FirstSelectedFrom = 0;
    FImpl->ShowSelection();
}

int TListView::TopIndex() const {
    FImpl->View->executeDelayedItemsLayout();
    if (FItems.Count() == 0) return 0;
    if (FImpl->Flowing()) return std::min(FImpl->View->FlowTop(), FItems.Count() - 1);
    return std::clamp(FImpl->View->verticalScrollBar()->value(), 0, FItems.Count() - 1);
}

int TListView::VisibleRowCount() const {
    FImpl->View->executeDelayedItemsLayout();
    if (FImpl->Flowing()) return FImpl->Flow.PerLine() * FImpl->Flow.LinesPerPage();
    return std::max(1, FImpl->View->verticalScrollBar()->pageStep());
}

void TListView::Scroll(int dx, int dy) {
    TImpl::TView* view = FImpl->View;
    view->executeDelayedItemsLayout();
    if (FImpl->Flowing() && FImpl->Flow.Columns) {
        // Columns move whole, at least one when dx is not 0.
        const int width = FImpl->Flow.Cell.width();
        const int columns = dx / width != 0 ? dx / width : (dx > 0 ? 1 : dx < 0 ? -1 : 0);
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + columns);
        return;
    }
    if (FImpl->Flowing()) {
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + dx);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + dy);
        return;
    }
    if (dy != 0) {
        const int rowHeight = std::max(1, view->sizeHintForRow(0));
        const int rows = dy / rowHeight != 0 ? dy / rowHeight : (dy > 0 ? 1 : -1);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + rows);
    }
    if (dx != 0) view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + dx);
}

TRect TListView::ItemRect(int index, bool firstColumnOnly) const {
    if (index < 0 || index >= FItems.Count()) return {};
    TImpl::TView* view = FImpl->View;
    if (FImpl->Flowing()) {
        view->executeDelayedItemsLayout();
        const QRect r = view->FlowRect(index).translated(view->viewport()->geometry().topLeft());
        return Bounds(r.x(), r.y(), r.width(), r.height());
    }
    if (ColumnCount() == 0) return {};
    view->executeDelayedItemsLayout();
    QRect r = view->visualRect(FImpl->Model->index(index, 0));
    if (!firstColumnOnly) {
        r.setLeft(-view->horizontalScrollBar()->value());
        r.setWidth(view->header()->length());
    }
    r.translate(view->viewport()->geometry().topLeft());
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

HWND TListView::Header() {
    if (!FHeader) {
        FHeader = std::make_unique<THeaderWindow>(FImpl->View->header());
        Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), LPARAM(FHeader.get()));
    }
    return FHeader.get();
}

bool TListView::FullDrag() const { return FImpl->View->header()->sectionsMovable(); }

void TListView::SetFullDrag(bool value) { FImpl->View->header()->setSectionsMovable(value); }

void TListView::SetShowColumnHeaders(bool value) {
    if (value == FShowColumnHeaders) return;
    FShowColumnHeaders = value;
    FImpl->View->setHeaderHidden(!value || ViewStyle != TViewStyle::vsReport);
    // The platform makes its header window anew for the new style.
    if (FHeader) Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, 0), LPARAM(FHeader.get()));
    FHeader.reset();
    if (!value) return;
    Header();
    FImpl->View->executeDelayedItemsLayout();
}

void TListView::MakeVisible(TListItem* item) {
    if (!item || item->FOwner != this) return;
    if (FImpl->Flowing()) {
        FImpl->View->executeDelayedItemsLayout();
        FImpl->View->ScrollFlowTo(item->Index());
        return;
    }
    if (ColumnCount() == 0) return;
    // Only the rows scroll: the columns stay where the user put them.
    QScrollBar* across = FImpl->View->horizontalScrollBar();
    const int x = across->value();
    FImpl->View->scrollTo(FImpl->Model->index(item->Index(), 0), QAbstractItemView::EnsureVisible);
    across->setValue(x);
}

void TListView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

// The second press of a double click is the double click, not another click:
// one OnClick and one OnDblClick, as the platform's list reports them.
void TListView::WMLButtonDblClk(TMessage& m) {
    TWinControl::WMLButtonDblClk(m);
    FClicked = false;
}

void TListView::ColorChanged() {
    TWinControl::ColorChanged();
    if (!FImpl || !FImpl->View) return;
    QPalette palette = FImpl->View->palette();
    SetEnabledColor(palette, QPalette::Base, ToQColor(Color()));
    FImpl->View->setPalette(palette);
}
