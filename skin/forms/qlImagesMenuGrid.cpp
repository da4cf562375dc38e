#include "skin/forms/qlImagesMenuGrid.h"

#include <algorithm>
#include <cmath>

#include "skin/core/qlUtils.h"

TqlImagesMenuGrid::TqlImagesMenuGrid(TqlSkinImagesMenu& Menu) : TPopupWindow(&Menu), FMenu(Menu) {}

void TqlImagesMenuGrid::Open(const TRect& R) {
    const int n = ItemCount();
    FColumns = FMenu.ColumnsCount > 0 ? FMenu.ColumnsCount : int(std::ceil(std::sqrt(double(n))));
    FColumns = std::clamp(FColumns, 1, std::max(1, n));
    const int rows = (n + FColumns - 1) / FColumns;
    const int cellW = FMenu.Images()->Width() + 2 * kPadding, cellH = FMenu.Images()->Height() + 2 * kPadding;
    // Put where it opens first: the monitor showing most of it there (or the
    // nearest one) is the one it is kept on.
    SetBounds(R.Left, R.Bottom, FColumns * cellW + 2 * kBorder, rows * cellH + 2 * kBorder);
    EnsureWidget();
    TRect work;
    GetWorkAreaOfWindow(this, true, work);
    FHotIndex = FMenu.ItemIndex() >= 0 && FMenu.ItemIndex() < n ? FMenu.ItemIndex() : -1;
    PopupBelow(R, work);
    Invalidate();
}

TRect TqlImagesMenuGrid::CellRect(int Index) const {
    const int cellW = FMenu.Images()->Width() + 2 * kPadding, cellH = FMenu.Images()->Height() + 2 * kPadding;
    const int x = kBorder + (Index % FColumns) * cellW, y = kBorder + (Index / FColumns) * cellH;
    return Rect(x, y, x + cellW, y + cellH);
}

int TqlImagesMenuGrid::CellAt(int X, int Y) const {
    if (!FMenu.Images()) return -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (CellRect(i).Contains({X, Y})) return i;
    return -1;
}

void TqlImagesMenuGrid::SetHotIndex(int Index) {
    if (Index == FHotIndex) return;
    // Only the two cells that change are painted again.
    if (FHotIndex >= 0) InvalidateRect(CellRect(FHotIndex));
    FHotIndex = Index;
    if (FHotIndex >= 0) InvalidateRect(CellRect(FHotIndex));
}

void TqlImagesMenuGrid::Paint() {
    TCanvas& C = Canvas();
    const TqlSkinData* skin = FMenu.SkinData();
    const bool skinned = skin && !skin->Empty;
    const TColor face = skinned ? skin->SkinColors.cWindow : clWindow;
    const TColor frame = skinned ? skin->SkinColors.cBtnShadow : clBtnShadow;
    const TColor accent = skinned ? skin->SkinColors.cHighLight : clHighlight;
    C.Brush().Style = TBrushStyle::bsSolid;
    C.Brush().Color = face;
    C.FillRect(ClientRect());
    C.Brush().Color = frame;
    C.FrameRect(ClientRect());
    for (int i = 0; i < ItemCount(); ++i) {
        const TRect cell = CellRect(i);
        if (i == FMenu.ItemIndex()) {
            C.Brush().Color = accent;
            C.FillRect(cell);
        }
        if (i == FHotIndex) {
            C.Brush().Color = accent;
            C.FrameRect(cell);
            C.FrameRect(Rect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1));
        }
        FMenu.Images()->Draw(C, cell.Left + kPadding, cell.Top + kPadding, FMenu.Items[size_t(i)].ImageIndex);
    }
}

void TqlImagesMenuGrid::KeyDownMessage(uint16_t Key) {
    const int n = ItemCount(), last = n - 1;
    const int at = FHotIndex < 0 ? 0 : FHotIndex;
    switch (Key) {
        case VK_LEFT: SetHotIndex(FHotIndex < 0 ? 0 : std::max(0, at - 1)); break;
        case VK_RIGHT: SetHotIndex(FHotIndex < 0 ? 0 : std::min(last, at + 1)); break;
        case VK_UP: SetHotIndex(FHotIndex < 0 ? 0 : (at - FColumns >= 0 ? at - FColumns : at)); break;
        case VK_DOWN: SetHotIndex(FHotIndex < 0 ? 0 : (at + FColumns <= last ? at + FColumns : at)); break;
        case VK_HOME: SetHotIndex(0); break;
        case VK_END: SetHotIndex(last); break;
        case VK_RETURN:
        case VK_SPACE: FMenu.CloseUp(FHotIndex); break;
        case VK_ESCAPE: FMenu.CloseUp(-1); break;
        default: break;
    }
}

void TqlImagesMenuGrid::WndProc(TMessage& M) {
    switch (M.Msg) {
        case WM_MOUSEMOVE: {
            const int cell = CellAt(LoWordSigned(M.LParam), HiWordSigned(M.LParam));
            if (cell >= 0) SetHotIndex(cell);
            break;
        }
        case WM_LBUTTONUP: {
            // A release outside every cell (a drag from the opener) picks nothing and keeps the grid.
            const int cell = CellAt(LoWordSigned(M.LParam), HiWordSigned(M.LParam));
            if (cell >= 0) {
                FMenu.CloseUp(cell);
                M.Result = 1;
                return;
            }
            break;
        }
        case WM_KEYDOWN:
            KeyDownMessage(uint16_t(M.WParam));
            M.Result = 1;
            return;
        case WM_GETDLGCODE:
            M.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
            return;
        case WM_CANCELMODE:
            FMenu.CloseUp(-1);
            return;
        default: break;
    }
    TPopupWindow::WndProc(M);
}
