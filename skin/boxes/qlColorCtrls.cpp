#include "skin/boxes/qlColorCtrls.h"

TqlSkinColorComboBox::TqlSkinColorComboBox(TComponent* owner) : TqlSkinCustomComboBox(owner) {
    SetStyle(TComboBoxStyle::csDropDownList);
    // The sixteen standard colours; item 10, red, is where a form's colour boxes start.
    const std::pair<const char*, TColor> standard[] = {
        {"Black", clBlack}, {"Maroon", clMaroon}, {"Green", clGreen},     {"Olive", clOlive},
        {"Navy", clNavy},   {"Purple", clPurple}, {"Teal", clTeal},       {"Gray", clGray},
        {"Silver", clSilver}, {"Lime", clLime},   {"Red", clRed},         {"Blue", clBlue},
        {"Fuchsia", clFuchsia}, {"Aqua", clAqua}, {"Yellow", clYellow},   {"White", clWhite},
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
