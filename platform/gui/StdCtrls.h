#pragma once
// Standard controls. Labels, buttons, check and radio boxes and group boxes
// paint themselves (with the desktop style's look); edits, combo and list
// boxes are native Qt widgets behind the control.

#include <string>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/gui/Controls.h"
#include "platform/gui/PropertyField.h"

class QLineEdit;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QObject;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A caption drawn by its parent. AutoSize fits the bounds to the text as it
// is drawn. With ShowAccelChar an "&" marks the next letter as the label's
// accelerator (and "&&" shows one "&"): pressed with Alt, it gives the focus
// to FocusControl.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // Written, each repaints the label; WordWrap and ShowAccelChar also
    // measure the caption again when AutoSize.
    TPropertyField<TAlignment> Alignment{TAlignment::taLeftJustify, [this](TAlignment value) { SetAlignment(value); }};
    void SetAlignment(TAlignment value);
    TPropertyField<TTextLayout> Layout{TTextLayout::tlTop, [this](TTextLayout value) { SetLayout(value); }};
    void SetLayout(TTextLayout value);
    TPropertyField<bool> WordWrap{false, [this](bool value) { SetWordWrap(value); }};
    void SetWordWrap(bool value);
    bool Transparent = true;
    TPropertyField<bool> ShowAccelChar{true, [this](bool value) { SetShowAccelChar(value); }};
    void SetShowAccelChar(bool value);
    // Not owned: let go of when it is freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void BiDiModeChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& m) override;
    void AdjustBounds();
    // The caption's text is laid out another way: measured again with
    // AutoSize, and repainted.
    void CaptionLookChanged();
    // Draws the caption into r on Canvas with flags, or, with DT_CALCRECT,
    // measures it into r: both ways read the same text with the same flags.
    virtual void DoDrawText(TRect& r, unsigned flags);
    // Fills the background unless transparent, takes the font, and places the
    // caption's rectangle by Layout; gives the text flags to draw it with.
    unsigned PrepareCaption(TCanvas& canvas, TRect& r);
    // The font the caption is measured and drawn with.
    virtual void SelectCaptionFont(TCanvas& canvas) const { canvas.Font().Assign(Font()); }
    // The caption as DoDrawText reads it: a measured label keeps one line's
    // height when empty or only an accelerator mark.
    std::string LabelText(unsigned flags) const;
    // What DoDrawText adds to the flags it is given: no accelerator marks
    // unless ShowAccelChar, and the reading order.
    unsigned TextFlags(unsigned flags) const;

private:
    bool FAutoSize = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// A push button. A click sets the form's ModalResult when ModalResult is not
// mrNone. Enter clicks the focused button, or the Default button when the
// focused control does not want Enter; Escape clicks the Cancel button; Space
// clicks the focused button when released.
class TButton : public TCustomControl {
public:
    bool ShowsOwnFocus() const override { return true; }
    explicit TButton(TComponent* owner);
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    void Click() override;
    // Pressed with the mouse or the space bar and not yet released.
    bool Down() const { return FDown; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void WMLButtonUp(TMessage& m) override;
    void WMGetDlgCode(TMessage& m) override;
    void CMDialogKey(TMessage& m) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void CMMouseEnter(TMessage& m) override;
    void CMMouseLeave(TMessage& m) override;
    void DoExit() override;

private:
    // The button Enter clicks: the focused one, or the Default one while no button has the focus.
    bool IsActive() const;
    void SetDown(bool down);
    bool FDown = false;
    bool FSpaceDown = false;
    bool FMouseDown = false;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box; a click or Space toggles it (through grayed when AllowGrayed).
// Changing Checked or State fires OnClick.
class TCheckBox : public TCustomControl {
public:
    bool ShowsOwnFocus() const override { return true; }
    explicit TCheckBox(TComponent* owner);
    bool Checked() const { return FState == TCheckBoxState::cbChecked; }
    virtual void SetChecked(bool value);
    TCheckBoxState State() const { return FState; }
    virtual void SetState(TCheckBoxState state);
    bool AllowGrayed = false;
    TAlignment Alignment = TAlignment::taRightJustify;
    // Clicks change the state through Toggle.
    virtual void Toggle();

protected:
    void Paint() override;
    void WMLButtonUp(TMessage& m) override;
    void WMGetDlgCode(TMessage& m) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void CMMouseEnter(TMessage& m) override;
    void CMMouseLeave(TMessage& m) override;
    void DoExit() override;
    // Draws the box (or, for radio buttons, the circle); Paint adds the caption.
    virtual void PaintIndicator(TCanvas& canvas, const TRect& box);
    TCheckBoxState FState = TCheckBoxState::cbUnchecked;
    // Space went down on this control and is not yet released.
    bool FSpaceDown = false;
};

// A radio button: checking it unchecks the other radio buttons of its parent;
// a click on a checked one changes nothing.
class TRadioButton : public TCheckBox {
public:
    explicit TRadioButton(TComponent* owner);
    // Only checking fires OnClick; the siblings it unchecks stay silent.
    void SetChecked(bool value) override;
    // A radio button is never grayed: cbGrayed unchecks it.
    void SetState(TCheckBoxState state) override;
    void Toggle() override;

protected:
    void PaintIndicator(TCanvas& canvas, const TRect& box) override;
};

// A framed box with a caption in its top edge; its children sit inside the frame.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* owner);
    TRect ClientRect() const override;

protected:
    void Paint() override;
};

// A one-line edit (native).
class TEdit : public TWinControl {
public:
    bool ShowsOwnFocus() const override { return true; }
    explicit TEdit(TComponent* owner);
    ~TEdit() override;
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    int MaxLength() const;
    void SetMaxLength(int value);
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    void SelectAll();
    void Clear() { SetText(""); }
    // Fired by every change of the text, by the user or by code.
    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;
    QLineEdit* LineEdit() const;
    virtual void Change();

private:
    void FontChanged() override;
    void ColorChanged() override;
    std::string FBytes;      // the text as code last set it, kept byte for byte
    std::string FShownUtf8;  // what the widget shows of it, read back
    int FMaxLength = 0;
    QObject* FReceiver = nullptr;  // context of the widget's signal connections
};

// A multi-line plain-text edit (native).
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;
    // The lines; changing the list changes the text shown.
    TStringList& Lines();
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;

private:
    void CMWantSpecialKey(TMessage& m) override;
    void FontChanged() override;
    void ColorChanged() override;
    QPlainTextEdit* Editor() const;
    void Change();
    class TMemoLines;
    std::unique_ptr<TMemoLines> FLines;
    QObject* FReceiver = nullptr;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

// A combo box (native). Items, ItemIndex and Text as the framework gives them;
// setting ItemIndex from code fires no OnChange here (skinned boxes add theirs).
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    // The item list; any change to it updates the drop-down list.
    TStringList& Items();
    int ItemIndex() const;
    virtual void SetItemIndex(int index);
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount = 8;
    void Clear();

    // Fired when the user changes the text or picks an item; a pick fires
    // OnChange, then OnSelect.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;
    QComboBox* Box() const;
    virtual void Change();

private:
    void WMChar(TMessage& m) override;
    void FontChanged() override;
    void ColorChanged() override;
    void ConfigureEditor();
    void SetEditText(const std::string& text);
    void UserPicked(int index);
    class TComboItems;
    std::unique_ptr<TComboItems> FItems;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    std::string FEditBytes;      // the edit text as code last set it
    std::string FEditShownUtf8;  // what the line edit shows of it, read back
    QObject* FReceiver = nullptr;
};

// A list of lines (native).
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStringList& Items();
    int ItemIndex() const;
    void SetItemIndex(int index);
    int Count() const { return const_cast<TListBox*>(this)->Items().Count(); }
    bool MultiSelect() const;
    void SetMultiSelect(bool value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    void Clear();
    // The user's clicks on items and key presses that move the selection fire
    // OnClick; OnChange follows when the selection did move. Code fires neither.
    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;
    QListWidget* List() const;

private:
    friend class TCheckListBox;
    void FontChanged() override;
    void ColorChanged() override;
    class TListItems;
    std::unique_ptr<TListItems> FItems;
    QObject* FReceiver = nullptr;
    bool FCheckable = false;
    bool FUpdating = false;  // the widget is being changed by code, not by the user
};

// A list box whose items carry check marks the user toggles by clicking the box
// or pressing Space.
class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* owner);
    bool Checked(int index) const;
    void SetChecked(int index, bool value);
    // Fired after the user toggled a check mark (not when code sets one).
    TNotifyEvent OnClickCheck;
};
