#include "skin/dialogs/qlSkinShellCtrls.h"

#include <filesystem>

#include "platform/gui/views/HeaderWindow.h"

namespace {

// The size as the desktop's file lists give it: whole kilobytes, rounded up.
std::string SizeText(std::uintmax_t bytes) { return std::to_string((bytes + 1023) / 1024) + " KB"; }

}  // namespace

TqlSkinShellListView::TqlSkinShellListView(TComponent* AOwner) : TqlSkinCustomListView(AOwner) {
    AddColumn("Name", 240);
    AddColumn("Size", 90, TAlignment::taRightJustify);
    RowSelect = true;
}

void TqlSkinShellListView::SetColumnCaptions(const std::string& Name, const std::string& Size) {
    Column(0)->Caption = Name;
    Column(1)->Caption = Size;
    Invalidate();
    if (THeaderWindow* header = HeaderWindow()) header->Invalidate();
}

void TqlSkinShellListView::ShowFiles(const std::string& Folder, const std::vector<std::string>& Names) {
    Items().BeginUpdate();
    Items().Clear();
    for (const std::string& name : Names) {
        TListItem* item = Items().Add();
        item->Caption = name;
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(Folder) / name, error);
        item->SubItems.push_back(error ? std::string() : SizeText(size));
    }
    Items().EndUpdate();
}
