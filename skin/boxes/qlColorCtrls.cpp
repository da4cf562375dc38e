#include "skin/boxes/qlColorCtrls.h"

TqlSkinColorComboBox::TqlSkinColorComboBox(TComponent* owner) : TqlSkinCustomComboBox(owner) {
    SetStyle(TComboBoxStyle::csDropDownList);
    const std::pair<const char*, TColor> standard[] = {
        {"Red", clRed},       {"Blue", clBlue},     {"Green", clGreen}, {"Fuchsia", clFuchsia},
        {"Olive", clOlive},   {"Purple", clPurple}, {"Teal", clTeal},   {"Maroon", clMaroon},
        {"Navy", clNavy},     {"Gray", clGray},     {"Lime", clLime},   {"Aqua", clAqua},
    };
    for (auto [name, color] : standard) AddColor(name, color);
    TComboBox::SetItemIndex(0);
}

void TqlSkinColorComboBox::AddColor(const std::string& name, TColor color) {
    FColors.push_back(color);
    Items().Add(name);
}

TColor TqlSkinColorComboBox::Selected() const {
    int i = ItemIndex();
    return i >= 0 && i < static_cast<int>(FColors.size()) ? FColors[static_cast<size_t>(i)] : clBlack;
}

void TqlSkinColorComboBox::SetSelected(TColor color) {
    for (size_t i = 0; i < FColors.size(); ++i)
        if (FColors[i] == color) {
            SetItemIndex(static_cast<int>(i));
            return;
        }
}
