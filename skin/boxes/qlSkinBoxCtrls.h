#pragma once
// The skinned edits, combo boxes and list boxes of the main window, built on
// the platform's native controls until their skinned look arrives.

#include <string>
#include <vector>

#include "platform/gui/StdCtrls.h"
#include "skin/controls/qlSkinCtrls.h"
#include "skin/controls/qlSkinUpDown.h"

class TqlSkinEdit : public TEdit, public TqlSkinLink {
public:
    explicit TqlSkinEdit(TComponent* owner);
};

enum class TqlValueType { vtInteger, vtFloat };

// An edit of a number: Value reads and writes the text as a number with
// Decimal places (integer type: none); Up and Down step by Increment.
class TqlSkinNumericEdit : public TEdit, public TqlSkinLink {
public:
    explicit TqlSkinNumericEdit(TComponent* owner);
    double Value() const;
    void SetValue(double value);
    TqlValueType ValueType = TqlValueType::vtInteger;
    int Decimal = 2;
    double Increment = 1;
    double MinValue = 0;
    double MaxValue = 0;  // no limits while MinValue == MaxValue

protected:
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoExit() override;

private:
    double Clamp(double value) const;
};

// A combo box whose ItemIndex assignment selects and shows the item and then,
// outside form loading, fires OnChange.
class TqlSkinCustomComboBox : public TComboBox, public TqlSkinLink {
public:
    explicit TqlSkinCustomComboBox(TComponent* owner);
    void SetItemIndex(int index) override;
};

class TqlSkinComboBox : public TqlSkinCustomComboBox {
public:
    using TqlSkinCustomComboBox::TqlSkinCustomComboBox;
};

class TqlSkinCheckListBox : public TCheckListBox, public TqlSkinLink {
public:
    explicit TqlSkinCheckListBox(TComponent* owner);
};

class TqlSkinListBox : public TListBox, public TqlSkinLink {
public:
    explicit TqlSkinListBox(TComponent* owner);
};

// A list of checkable items whose Text is the checked items joined with ",";
// OnChange runs after the user changed the checked items.
class TqlSkinCheckComboBox : public TCheckListBox, public TqlSkinLink {
public:
    explicit TqlSkinCheckComboBox(TComponent* owner);
    std::string GetText() const override;
    TNotifyEvent OnChange;
};

