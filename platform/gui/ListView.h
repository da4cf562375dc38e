#pragma once
// A report-style list view: columns with captions, widths and alignment;
// items with a caption and sub-items; whole-row and multiple selection;
// sorting through a compare event; per-item and per-sub-item colours and
// styles chosen by custom-draw events. It stays quick with tens of thousands
// of rows: only the visible rows are ever drawn.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"

class TListView;

class TListColumn {
public:
    std::string Caption;
    int Width = 50;
    TAlignment Alignment = TAlignment::taLeftJustify;
    int Index = 0;
};

class TListItem {
public:
    std::string Caption;
    // Sub-item k is the text of column k + 1.
    std::vector<std::string> SubItems;
    bool Selected() const { return FSelected; }
    void SetSelected(bool value);
    int Index() const;
    void Delete();
    void* Data = nullptr;

private:
    friend class TListView;
    friend class TListItems;
    TListView* FOwner = nullptr;
    bool FSelected = false;
    // Position in the owner's items, kept current by every change of their order.
    int FIndex = -1;
};

class TListItems {
public:
    explicit TListItems(TListView& owner) : FOwner(owner) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const { return FItems[static_cast<size_t>(index)].get(); }
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    void Delete(int index);
    void Clear();
    // Between these, changes are not shown; EndUpdate shows them all at once.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
    friend class TListItem;
    TListView& FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdating = 0;
};

// What a custom-draw handler may set: the row's or cell's background, and the font.
using TLVCustomDrawItemEvent = std::function<void(TObject* sender, TListItem* item, bool& defaultDraw)>;
using TLVCustomDrawSubItemEvent =
    std::function<void(TObject* sender, TListItem* item, int subItem, bool& defaultDraw)>;
using TLVCompareEvent = std::function<void(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumn* AddColumn(const std::string& caption, int width, TAlignment alignment = TAlignment::taLeftJustify);
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    TListColumn* Column(int index) const { return FColumns[static_cast<size_t>(index)].get(); }

    TListItems& Items() { return FItems; }
    int SelCount() const;
    // The first selected item, or nullptr.
    TListItem* Selected() const;
    // The item that has the keyboard focus, or nullptr.
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    void ClearSelection();
    void SelectAll();

    TViewStyle ViewStyle = TViewStyle::vsReport;
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool RowSelect = true;
    bool ReadOnly = true;

    // Sorts the items with OnCompare (compare < 0: item1 first); items that
    // compare equal keep their order.
    void CustomSort(int data = 0);
    // The canvas custom-draw handlers set colours and font style on.
    TCanvas& Canvas() { return FDrawCanvas; }

    TLVCompareEvent OnCompare;
    TLVColumnClickEvent OnColumnClick;
    TLVCustomDrawItemEvent OnCustomDrawItem;
    TLVCustomDrawSubItemEvent OnCustomDrawSubItem;
    TNotifyEvent OnSelectItem;

    // The first visible row, and scrolling to show a row.
    int TopIndex() const;
    void MakeVisible(TListItem* item);
    // Changes of an item's Caption or SubItems show at the next paint: this asks for one.
    void Invalidate() override;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;

private:
    friend class TListItems;
    friend class TListItem;
    struct TImpl;
    void ItemsChanged();
    void SelectionChanged(TListItem* item);
    void WMLButtonDblClk(TMessage& m) override;
    void ColorChanged() override;
    std::vector<std::unique_ptr<TListColumn>> FColumns;
    TListItems FItems;
    TCanvas FDrawCanvas;
    bool FGridLines = false;
    bool FMultiSelect = false;
    std::unique_ptr<TImpl> FImpl;
};
