#include "skin/boxes/qlSkinBoxCtrls.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/core/SysUtils.h"

TqlSkinEdit::TqlSkinEdit(TComponent* owner) : TEdit(owner) { SetSkinDataName("edit"); }

TqlSkinNumericEdit::TqlSkinNumericEdit(TComponent* owner) : TEdit(owner) {
    SetSkinDataName("edit");
    SetValue(0);
}

double TqlSkinNumericEdit::Value() const {
    // The number the text begins with, read with "." whatever the locale.
    const std::string text = Trim(GetText());
    double v = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), v).ec != std::errc()) return 0;
    return ValueType == TqlValueType::vtInteger ? std::trunc(v) : v;
}

double TqlSkinNumericEdit::Clamp(double value) const {
    if (MinValue == MaxValue) return value;
    return std::clamp(value, MinValue, MaxValue);
}

void TqlSkinNumericEdit::SetValue(double value) {
    value = Clamp(value);
    SetText(ValueType == TqlValueType::vtInteger ? FormatFixed(std::trunc(value), 0) : FormatFixed(value, Decimal));
}

void TqlSkinNumericEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        SetValue(Value() + (key == VK_UP ? Increment : -Increment));
        key = 0;
    }
}

void TqlSkinNumericEdit::KeyPress(char& key) {
    TEdit::KeyPress(key);
    // Digits, one sign, one decimal point and editing keys only.
    bool allowed = (key >= '0' && key <= '9') || key == '-' || key == 8 || key == 13 || key == 27 ||
                   (key == '.' && ValueType == TqlValueType::vtFloat);
    if (!allowed) key = 0;
}

void TqlSkinNumericEdit::DoExit() {
    SetValue(Value());
    TEdit::DoExit();
}

TqlSkinCustomComboBox::TqlSkinCustomComboBox(TComponent* owner) : TComboBox(owner) { SetSkinDataName("combobox"); }

void TqlSkinCustomComboBox::SetItemIndex(int index) {
    TComboBox::SetItemIndex(index);
    if (!Loading() && OnChange) OnChange(this);
}

TqlSkinCheckListBox::TqlSkinCheckListBox(TComponent* owner) : TCheckListBox(owner) { SetSkinDataName("checklistbox"); }

TqlSkinListBox::TqlSkinListBox(TComponent* owner) : TListBox(owner) { SetSkinDataName("listbox"); }

TqlSkinCheckComboBox::TqlSkinCheckComboBox(TComponent* owner) : TCheckListBox(owner) {
    SetSkinDataName("combobox");
    OnClickCheck = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
}

std::string TqlSkinCheckComboBox::GetText() const {
    std::string text;
    auto& self = const_cast<TqlSkinCheckComboBox&>(*this);
    for (int i = 0; i < self.Items().Count(); ++i) {
        if (!Checked(i)) continue;
        if (!text.empty()) text += ",";
        text += self.Items()[i];
    }
    return text;
}
