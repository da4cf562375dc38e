#include "skin/boxes/qlSkinBoxCtrls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/core/SysUtils.h"

TqlSkinEdit::TqlSkinEdit(TComponent* owner) : TEdit(owner) { SetSkinDataName("edit"); }

TqlSkinNumericEdit::TqlSkinNumericEdit(TComponent* owner) : TEdit(owner) {
    SetSkinDataName("edit");
    SetValue(0);
}

double TqlSkinNumericEdit::Value() const {
    std::string text = Trim(GetText());
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end == text.c_str()) return 0;
    return ValueType == TqlValueType::vtInteger ? std::trunc(v) : v;
}

double TqlSkinNumericEdit::Clamp(double value) const {
    if (MinValue == MaxValue) return value;
    return std::clamp(value, MinValue, MaxValue);
}

void TqlSkinNumericEdit::SetValue(double value) {
    value = Clamp(value);
    char buffer[64];
    if (ValueType == TqlValueType::vtInteger)
        std::snprintf(buffer, sizeof buffer, "%.0f", std::trunc(value));
    else
        std::snprintf(buffer, sizeof buffer, "%.*f", std::max(Decimal, 0), value);
    SetText(buffer);
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

TqlSkinUpDown::TqlSkinUpDown(TComponent* owner) : TCustomControl(owner) {
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 50, 25);
}

void TqlSkinUpDown::SetPosition(int value) {
    if (value > FMax || value < FMin) return;
    FPosition = value;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TqlSkinUpDown::SetMax(int value) {
    FMax = value;
    if (FPosition > FMax) FPosition = FMax;
    Invalidate();
}

void TqlSkinUpDown::SetMin(int value) {
    FMin = value;
    if (FPosition < FMin) FPosition = FMin;
    Invalidate();
}

void TqlSkinUpDown::Paint() {
    TCanvas& c = Canvas();
    int half = Width() / 2;
    for (int part = 0; part < 2; ++part) {
        TRect r = Rect(part * half, 0, part == 0 ? half : Width(), Height());
        c.Brush().Color = clBtnFace;
        c.FillRect(r);
        c.Brush().Color = clBtnShadow;
        c.FrameRect(r);
        // A small arrow pointing left (first half) or right (second half).
        int cx = (r.Left + r.Right) / 2, cy = Height() / 2;
        c.Pen().Color = EffectivelyEnabled() ? clBlack : clBtnShadow;
        c.Brush().Color = c.Pen().Color;
        int d = part == 0 ? -1 : 1;
        c.Polygon({{cx - 2 * d, cy - 4}, {cx + 2 * d, cy}, {cx - 2 * d, cy + 4}});
    }
}

void TqlSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    int target = x < Width() / 2 ? FPosition - FIncrement : FPosition + FIncrement;
    SetPosition(target);
}
