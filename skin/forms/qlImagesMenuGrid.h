#pragma once
// The window of an images menu: its items' images in a grid, the menu's
// ItemIndex marked, the cell under the pointer or the keys lit. A click or
// Enter picks the lit cell, Esc or a click elsewhere closes without a pick.

#include "platform/gui/PopupWindow.h"
#include "skin/forms/qlSkinMenus.h"

class TqlImagesMenuGrid : public TPopupWindow {
public:
    static constexpr int kPadding = 4;   // around an image in its cell
    static constexpr int kBorder = 2;    // between the window's edge and the cells

    explicit TqlImagesMenuGrid(TqlSkinImagesMenu& Menu);
    // Sizes the grid for the menu's items and shows it below R.
    void Open(const TRect& R);
    int Columns() const { return FColumns; }
    int HotIndex() const { return FHotIndex; }
    TRect CellRect(int Index) const;
    // The cell at a client point, -1 outside every cell.
    int CellAt(int X, int Y) const;

protected:
    void Paint() override;
    void WndProc(TMessage& M) override;

private:
    int ItemCount() const { return int(FMenu.Items.size()); }
    void SetHotIndex(int Index);
    void KeyDownMessage(uint16_t Key);

    TqlSkinImagesMenu& FMenu;
    int FColumns = 1;
    int FHotIndex = -1;
};
