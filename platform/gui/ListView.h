#pragma once
// A list view. In report style: columns with captions, widths and
// alignment; items with a caption and sub-items; whole-row and multiple
// selection; sorting through a compare event; per-item and per-sub-item
// colours and styles chosen by custom-draw events. In list and icon styles
// the items' captions and pictures, down columns or in a grid. It stays quick
// with tens of thousands of rows: only the visible rows are ever drawn. In
// owner-data mode it holds no rows at all, only their number, and asks OnData
// for the rows it shows.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/PropertyField.h"
#include "platform/gui/StdCtrls.h"

class TListView;
class THeaderWindow;
class TCustomImageList;

class TListColumn {
public:
    std::string Caption;
    int Width = 50;
    TAlignment Alignment = TAlignment::taLeftJustify;
    int Index = 0;
    // The header section's image in the view's SmallImages, -1 none.
    int ImageIndex = -1;
};

class TListItem {
public:
    std::string Caption;
    // Sub-item k is the text of column k + 1.
    std::vector<std::string> SubItems;
    bool Selected() const;
    void SetSelected(bool value);
    int Index() const;
    void Delete();
    void* Data = nullptr;
    // The item's picture: in LargeImages in icon style, in SmallImages in the
    // list and small-icon styles; -1 none. Report rows show none.
    int ImageIndex = -1;

private:
    friend class TListView;
class THeaderWindow;
    friend class TListItems;
    TListView* FOwner = nullptr;
    bool FSelected = false;
    // An owner-data item stands for row FIndex; its selection is the row's.
    bool FVirtual = false;
    // Position in the owner's items, kept current by every change of their order.
    int FIndex = -1;
};

class TListItems {
public:
    explicit TListItems(TListView& owner) : FOwner(owner) {}
    int Count() const { return FOwnerData ? FVirtualCount : static_cast<int>(FItems.size()); }
    // In owner-data mode the number of rows: a new count is new data, so the
    // selection and the focus go. Otherwise only room for that many items.
    void SetCount(int count);
    // In owner-data mode an item filled through OnData; it is kept, and stays
    // that row's, until the count changes, Invalidate() is called or 32 other
    // rows have been read.
    TListItem* Item(int index) const {
        return FOwnerData ? Fetch(index) : FItems[static_cast<size_t>(index)].get();
    }
    TListItem* operator[](int index) const { return Item(index); }
    // In owner-data mode the rows come from OnData: this throws Exception.
    TListItem* Add();
    void Delete(int index);
    void Clear();
    // Between these, changes are not shown; EndUpdate shows them all at once.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
class THeaderWindow;
    friend class TListItem;
    TListItem* Fetch(int index) const;
    TListView& FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdating = 0;
    bool FOwnerData = false;
    int FVirtualCount = 0;
};

// What a custom-draw handler may set: the row's or cell's background, and the font.
using TLVCustomDrawItemEvent = std::function<void(TObject* sender, TListItem* item, bool& defaultDraw)>;
// Draws one header section of column (-1: the part right of the last section),
// held down by the mouse when pressed.
using TLVDrawHeaderSectionEvent = std::function<void(TCanvas& canvas, const TRect& rect, int column, bool pressed)>;
using TLVCustomDrawSubItemEvent =
    std::function<void(TObject* sender, TListItem* item, int subItem, bool& defaultDraw)>;
using TLVCompareEvent = std::function<void(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
// Fills item (Caption, SubItems) for row item->Index(); they are empty on entry.
using TLVOwnerDataEvent = std::function<void(TObject* sender, TListItem* item)>;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// The framework's name for the list view that skinned views derive from.
using TCustomListView = TListView;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumn* AddColumn(const std::string& caption, int width, TAlignment alignment = TAlignment::taLeftJustify);
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    TListColumn* Column(int index) const { return FColumns[static_cast<size_t>(index)].get(); }
    // A column's Width set in code reaches the header at the next paint, or at
    // once with Invalidate(); SetColumnWidth sets it and shows it at once.
    void SetColumnWidth(int index, int width);
    // The width a column needs to show every cell's text whole, each in the
    // font and style its custom-draw handlers give it.
    int ContentWidth(int column);

    TListItems& Items() { return FItems; }
    int SelCount() const;
    // The first selected item, or nullptr.
    TListItem* Selected() const;
    // The item that has the keyboard focus, or nullptr.
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    void ClearSelection();
    void SelectAll();

    // Report: rows under the column header. List: the items' captions down
    // columns, scrolled across by whole columns. Icon and small icon: the
    // items in rows of a grid, captions under large pictures or beside small
    // ones, scrolled by pixels.
    TPropertyField<TViewStyle> ViewStyle{TViewStyle::vsReport, [this](TViewStyle value) { SetViewStyle(value); }};
    void SetViewStyle(TViewStyle value);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool RowSelect = true;
    bool ReadOnly = true;
    // Not owned: images for the header sections (a column's ImageIndex) and
    // the items' pictures in the list and small-icon styles; forgotten when
    // the list goes.
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* value);
    // Not owned: the items' pictures in icon style; forgotten when the list goes.
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* value);
    // Owner-data mode: Items().SetCount gives the number of rows and OnData
    // fills a row when it is painted or read. Switching either way empties the list.
    bool OwnerData() const { return FItems.FOwnerData; }
    void SetOwnerData(bool value);

    // Sorts the items with OnCompare (compare < 0: item1 first); items that
    // compare equal keep their order.
    void CustomSort(int data = 0);
    // The canvas custom-draw handlers set colours and font style on. Outside
    // paints it measures text (TextWidth) in the control's font.
    TCanvas& Canvas() { return FDrawCanvas; }

    TLVCompareEvent OnCompare;
    TLVColumnClickEvent OnColumnClick;
    TLVCustomDrawItemEvent OnCustomDrawItem;
    TLVCustomDrawSubItemEvent OnCustomDrawSubItem;
    // When set, the header is drawn by it in place of the platform's look.
    TLVDrawHeaderSectionEvent OnDrawHeaderSection;
    TNotifyEvent OnSelectItem;
    TLVOwnerDataEvent OnData;

    // The first visible row, and scrolling to show a row.
    int TopIndex() const;
    void MakeVisible(TListItem* item);
    // How many whole rows the view shows at once.
    int VisibleRowCount() const;
    // Scrolls by dx pixels across and dy pixels down (rows move whole: dy is
    // taken in rows of the view's height, at least one row when not 0).
    void Scroll(int dx, int dy);
    // Where row index lies in the control (all columns, or the first column's
    // cell only); empty for no such row. Rows out of view lie outside the control.
    TRect ItemRect(int index, bool firstColumnOnly = false) const;
    // The column header as a window (LVM_GETHEADER); made when first asked
    // for, which the list view hears as a child's creation (WM_PARENTNOTIFY).
    HWND Header();
    // Off, the header is hidden and its window destroyed (WM_PARENTNOTIFY
    // with WM_DESTROY first); on again, a new header window is made, which
    // the list view hears of as before.
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    // The user may drag the columns into another order.
    bool FullDrag() const;
    void SetFullDrag(bool value);
    void SetShowColumnHeaders(bool value);
    // Without its frame the header and rows fill the whole window.
    void SetFrameVisible(bool value);
    // Changes of an item's Caption or SubItems show at the next paint: this asks
    // for one. In owner-data mode the rows read so far are asked for again.
    void Invalidate() override;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;
    // The list-view messages of the platform, answered from the view.
    void Dispatch(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TListItems;
    friend class TListItem;
    struct TImpl;
    void ItemsChanged();
    void SelectionChanged(int row);
    void WMLButtonDblClk(TMessage& m) override;
    void ColorChanged() override;
    void FontChanged() override;
    std::vector<std::unique_ptr<TListColumn>> FColumns;
    TListItems FItems;
    TCanvas FDrawCanvas;
    bool FGridLines = false;
    bool FMultiSelect = false;
    bool FShowColumnHeaders = true;
    TCustomImageList* FSmallImages = nullptr;
    TCustomImageList* FLargeImages = nullptr;
    std::unique_ptr<TImpl> FImpl;
    std::unique_ptr<THeaderWindow> FHeader;
};
