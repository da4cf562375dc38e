// Edits, memos, combo and list boxes: native Qt widgets behind the controls.
// The controls keep the program's 8-bit strings; only the widgets see Qt text.
// Text the program set in code reads back byte for byte as long as the widget
// still shows it; text the user typed reads back as UTF-8.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "platform/gui/StdCtrls.h"
#include "platform/gui/QtGlue.h"

namespace {

// Sets a flag for the lifetime of the guard.
void ApplyBaseColor(QWidget* widget, TColor color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    widget->setPalette(palette);
}

// Positions the program counts in bytes of its string, Qt in UTF-16 units of
// the text shown. Text in code page 936 takes two bytes per non-ASCII character.
int BytesOfUnits(const QString& shown, int units, bool gbk) {
    int bytes = 0;
    units = std::min<int>(units, static_cast<int>(shown.size()));
    for (int i = 0; i < units; ++i) {
        char16_t c = shown[i].unicode();
        if (c < 0x80) {
            bytes += 1;
        } else if (QChar::isHighSurrogate(c)) {
            bytes += 4;
            ++i;
        } else {
            bytes += gbk || c < 0x800 ? 2 : 3;
        }
    }
    return bytes;
}

int UnitsOfBytes(const QString& shown, int bytes, bool gbk) {
    int units = 0;
    while (units < shown.size() && BytesOfUnits(shown, units + 1, gbk) <= bytes) ++units;
    return units;
}

// A string list that mirrors itself into a widget's rows. An append adds one
// row; any other change is narrowed to the run of items that differ from the
// rows shown, so the rows around it keep their selection and check marks.
class TMirroredList : public TStringList {
protected:
    // Widget rows [first, first + removed) become items [first, first + inserted).
    virtual void ReplaceRows(int first, int removed, int inserted) = 0;
    // The widget gains a row for the last item.
    virtual void AppendRow() = 0;

    void Changed() override {
        const size_t oldCount = FShown.size(), newCount = FItems.size();
        size_t head = 0;
        while (head < oldCount && head < newCount && FShown[head] == FItems[head]) ++head;
        size_t tail = 0;
        while (tail < oldCount - head && tail < newCount - head &&
               FShown[oldCount - 1 - tail] == FItems[newCount - 1 - tail])
            ++tail;
        const size_t removed = oldCount - head - tail, inserted = newCount - head - tail;
        if (removed == 0 && inserted == 0) return;
        const auto at = static_cast<std::ptrdiff_t>(head);
        FShown.erase(FShown.begin() + at, FShown.begin() + at + static_cast<std::ptrdiff_t>(removed));
        FShown.insert(FShown.begin() + at, FItems.begin() + at, FItems.begin() + at + static_cast<std::ptrdiff_t>(inserted));
        ReplaceRows(static_cast<int>(head), static_cast<int>(removed), static_cast<int>(inserted));
    }

    void Appended() override {
        FShown.push_back(FItems.back());
        AppendRow();
    }

    // The items as the widget shows them.
    std::vector<std::string> FShown;
};

// The list widget reports the user's clicks and key presses to its control;
// code changes to the selection report nothing.
class TListWidget : public QListWidget {
public:
    TListBox* Owner = nullptr;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        int before = Owner ? Owner->ItemIndex() : -1;
        QListWidget::mousePressEvent(e);
        if (Owner && e->button() == Qt::LeftButton && itemAt(e->position().toPoint()))
            UserSelected(before, true);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QListWidget::mouseDoubleClickEvent(e);
        if (Owner && e->button() == Qt::LeftButton && itemAt(e->position().toPoint())) Owner->DblClick();
    }
    void keyPressEvent(QKeyEvent* e) override {
        int before = Owner ? Owner->ItemIndex() : -1;
        QListWidget::keyPressEvent(e);
        if (Owner) UserSelected(before, false);
    }

private:
    // A click on an item always counts as a click; a key only when it moved the selection.
    void UserSelected(int before, bool clicked) {
        TListBox* owner = Owner;
        bool changed = owner->ItemIndex() != before;
        if (clicked || changed) owner->Click();
        if (changed && owner->OnChange) owner->OnChange(owner);
    }
};

class TComboWidget : public QComboBox {
public:
    int* DropDownCount = nullptr;

    void showPopup() override {
        if (DropDownCount) setMaxVisibleItems(std::max(1, *DropDownCount));
        QComboBox::showPopup();
    }
};

}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetNativeDefault(true);
    EnsureWidget();
    FReceiver = new QObject(Widget());
    QObject::connect(LineEdit(), &QLineEdit::textChanged, FReceiver, [this] { Change(); });
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 121, 21);
}

TEdit::~TEdit() {
    delete FReceiver;
    FReceiver = nullptr;
}

QWidget* TEdit::CreateWidget() { return new QLineEdit; }

QLineEdit* TEdit::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

std::string TEdit::GetText() const {
    std::string shown = FromQString(LineEdit()->text());
    return shown == FShownUtf8 ? FBytes : shown;
}

void TEdit::SetText(const std::string& text) {
    if (text == GetText()) return;
    QString shown = ToQString(text);
    FBytes = text;
    FShownUtf8 = FromQString(shown);
    // Two byte strings can show alike; the change is still a change of Text.
    if (LineEdit()->text() == shown)
        Change();
    else
        LineEdit()->setText(shown);
    Perform(CM_TEXTCHANGED);
}

bool TEdit::ReadOnly() const { return LineEdit()->isReadOnly(); }

void TEdit::SetReadOnly(bool value) { LineEdit()->setReadOnly(value); }

int TEdit::MaxLength() const { return FMaxLength; }

void TEdit::SetMaxLength(int value) {
    FMaxLength = std::max(value, 0);
    LineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

int TEdit::SelStart() const {
    QLineEdit* edit = LineEdit();
    bool gbk = FromQString(edit->text()) != GetText();
    int units = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return BytesOfUnits(edit->text(), units, gbk);
}

void TEdit::SetSelStart(int value) {
    QLineEdit* edit = LineEdit();
    bool gbk = FromQString(edit->text()) != GetText();
    edit->setCursorPosition(UnitsOfBytes(edit->text(), std::max(value, 0), gbk));
}

int TEdit::SelLength() const {
    QLineEdit* edit = LineEdit();
    if (!edit->hasSelectedText()) return 0;
    bool gbk = FromQString(edit->text()) != GetText();
    int start = edit->selectionStart();
    return BytesOfUnits(edit->text(), start + edit->selectedText().size(), gbk) -
           BytesOfUnits(edit->text(), start, gbk);
}

void TEdit::SetSelLength(int value) {
    QLineEdit* edit = LineEdit();
    bool gbk = FromQString(edit->text()) != GetText();
    int startBytes = SelStart();
    int start = UnitsOfBytes(edit->text(), startBytes, gbk);
    int end = UnitsOfBytes(edit->text(), startBytes + std::max(value, 0), gbk);
    edit->setSelection(start, end - start);
}

void TEdit::SelectAll() { LineEdit()->selectAll(); }

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

// Tab, Enter and Escape go to the form as dialog keys.
void TEdit::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }

void TEdit::FontChanged() { ApplyFontAndColor(); }

void TEdit::ColorChanged() { ApplyBaseColor(Widget(), Color()); }

// The memo's lines. The widget is the truth for what the user typed: after an
// edit the lines are read back from it on next use, keeping the bytes of
// every line the edit did not touch.
class TMemo::TMemoLines : public TMirroredList {
public:
    explicit TMemoLines(TMemo* memo) : FMemo(memo) {}

    bool Stale = false;       // the user edited the text since the lines were read
    bool TrailingBreak = false;  // the text ends with a line break
    bool Pushing = false;     // the lines are being written into the widget
    bool Pushed = false;      // the widget was rewritten since this was last cleared

    void Pull() {
        if (!Stale) return;
        Stale = false;
        std::vector<QString> blocks;
        for (QTextBlock b = FMemo->Editor()->document()->begin(); b.isValid(); b = b.next()) blocks.push_back(b.text());
        // An empty last paragraph is the line break that ends the text, not a line.
        TrailingBreak = blocks.size() > 1 && blocks.back().isEmpty();
        if (!blocks.empty() && blocks.back().isEmpty()) blocks.pop_back();
        std::vector<std::string> lines(blocks.size());
        size_t head = 0;
        while (head < blocks.size() && head < FItems.size() && blocks[head] == ToQString(FItems[head])) {
            lines[head] = FItems[head];
            ++head;
        }
        size_t tail = 0;
        while (tail < blocks.size() - head && tail < FItems.size() - head &&
               blocks[blocks.size() - 1 - tail] == ToQString(FItems[FItems.size() - 1 - tail])) {
            lines[blocks.size() - 1 - tail] = FItems[FItems.size() - 1 - tail];
            ++tail;
        }
        for (size_t i = head; i < blocks.size() - tail; ++i) lines[i] = FromQString(blocks[i]);
        FItems = std::move(lines);
        FShown = FItems;
    }

    std::string Joined() const {
        std::string text;
        for (size_t i = 0; i < FItems.size(); ++i) {
            if (i) text += "\r\n";
            text += FItems[i];
        }
        if (TrailingBreak && !FItems.empty()) text += "\r\n";
        return text;
    }

    void Push() {
        Pushed = true;
        if (FItems.empty()) TrailingBreak = false;
        QString text;
        for (size_t i = 0; i < FItems.size(); ++i) {
            if (i) text += QChar('\n');
            text += ToQString(FItems[i]);
        }
        if (TrailingBreak) text += QChar('\n');
        {
            TFlagGuard guard(Pushing);
            FMemo->Editor()->setPlainText(text);
        }
        FMemo->Change();
    }

protected:
    void ReplaceRows(int, int, int) override { Push(); }

    void AppendRow() override {
        QTextCursor cursor(FMemo->Editor()->document());
        cursor.movePosition(QTextCursor::End);
        {
            TFlagGuard guard(Pushing);
            cursor.beginEditBlock();
            if (TrailingBreak) {
                cursor.insertText(ToQString(FItems.back()));
                cursor.insertBlock();
            } else {
                if (FItems.size() > 1) cursor.insertBlock();
                cursor.insertText(ToQString(FItems.back()));
            }
            cursor.endEditBlock();
        }
        FMemo->Change();
    }

private:
    TMemo* FMemo;
};

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    SetNativeDefault(true);
    EnsureWidget();
    FLines = std::make_unique<TMemoLines>(this);
    FReceiver = new QObject(Widget());
    QObject::connect(Editor(), &QPlainTextEdit::textChanged, FReceiver, [this] {
        if (FLines->Pushing) return;
        FLines->Stale = true;
        Change();
    });
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 185, 89);
}

TMemo::~TMemo() {
    delete FReceiver;
    FReceiver = nullptr;
}

QWidget* TMemo::CreateWidget() {
    auto* editor = new QPlainTextEdit;
    // Tab is a dialog key here; when the form does not take it, Qt moves the focus.
    editor->setTabChangesFocus(true);
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return editor;
}

QPlainTextEdit* TMemo::Editor() const { return static_cast<QPlainTextEdit*>(Widget()); }

TStringList& TMemo::Lines() {
    FLines->Pull();
    return *FLines;
}

std::string TMemo::GetText() const {
    FLines->Pull();
    return FLines->Joined();
}

void TMemo::SetText(const std::string& text) {
    if (text == GetText()) return;
    FLines->TrailingBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    FLines->Pushed = false;
    FLines->SetText(text);
    // Lines alike but for the final line break still change the text.
    if (!FLines->Pushed) FLines->Push();
    Perform(CM_TEXTCHANGED);
}

bool TMemo::ReadOnly() const { return Editor()->isReadOnly(); }

void TMemo::SetReadOnly(bool value) { Editor()->setReadOnly(value); }

bool TMemo::WordWrap() const { return Editor()->lineWrapMode() != QPlainTextEdit::NoWrap; }

void TMemo::SetWordWrap(bool value) {
    Editor()->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::Change() {
    if (OnChange) OnChange(this);
}

// Arrows and characters; Enter through CM_WANTSPECIALKEY so that Tab stays a dialog key.
void TMemo::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }

void TMemo::CMWantSpecialKey(TMessage& m) { m.Result = m.WParam == VK_RETURN ? 1 : 0; }

void TMemo::FontChanged() { ApplyFontAndColor(); }

void TMemo::ColorChanged() { ApplyBaseColor(Widget(), Color()); }

// Items change the drop-down list without touching the selection of the items
// that stay, nor the text of an editable box (as the framework's combo does).
class TComboBox::TComboItems : public TMirroredList {
public:
    explicit TComboItems(TComboBox* combo) : FCombo(combo) {}

protected:
    void ReplaceRows(int first, int removed, int inserted) override {
        QComboBox* box = FCombo->Box();
        int current = box->currentIndex();
        QString edit = box->isEditable() ? box->lineEdit()->text() : QString();
        if (removed == inserted) {
            for (int k = 0; k < inserted; ++k) box->setItemText(first + k, ToQString(FItems[size_t(first + k)]));
        } else {
            if (removed > 0) box->model()->removeRows(first, removed);
            QStringList texts;
            texts.reserve(inserted);
            for (int k = 0; k < inserted; ++k) texts << ToQString(FItems[size_t(first + k)]);
            if (inserted > 0) box->insertItems(first, texts);
        }
        int expected = current < first ? current : current >= first + removed ? current - removed + inserted : -1;
        Restore(expected, edit);
    }

    void AppendRow() override {
        QComboBox* box = FCombo->Box();
        int current = box->currentIndex();
        QString edit = box->isEditable() ? box->lineEdit()->text() : QString();
        box->addItem(ToQString(FItems.back()));
        Restore(current, edit);
    }

private:
    // Qt selects the first item put into an empty box and moves the selection
    // off removed items; here neither happens.
    void Restore(int index, const QString& edit) {
        QComboBox* box = FCombo->Box();
        if (box->currentIndex() != index) box->setCurrentIndex(index);
        if (box->isEditable() && box->lineEdit()->text() != edit) box->lineEdit()->setText(edit);
    }

    TComboBox* FCombo;
};

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    SetNativeDefault(true);
    EnsureWidget();
    FItems = std::make_unique<TComboItems>(this);
    FReceiver = new QObject(Widget());
    QObject::connect(Box(), &QComboBox::activated, FReceiver, [this](int index) { UserPicked(index); });
    ConfigureEditor();
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 145, 21);
}

TComboBox::~TComboBox() {
    delete FReceiver;
    FReceiver = nullptr;
}

QWidget* TComboBox::CreateWidget() {
    auto* box = new TComboWidget;
    box->DropDownCount = &DropDownCount;
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditable(FStyle == TComboBoxStyle::csDropDown);
    return box;
}

QComboBox* TComboBox::Box() const { return static_cast<QComboBox*>(Widget()); }

// Qt makes a new line edit each time the box becomes editable.
void TComboBox::ConfigureEditor() {
    QComboBox* box = Box();
    if (!box->isEditable()) return;
    // Inline completion would change what the user typed into the first matching item.
    box->setCompleter(nullptr);
    // Qt picks the item that the text names when the editor loses the focus; the
    // framework's box leaves text and selection as the user left them.
    QObject::disconnect(box->lineEdit(), SIGNAL(editingFinished()), box, nullptr);
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, FReceiver, [this] { Change(); });
}

TStringList& TComboBox::Items() { return *FItems; }

int TComboBox::ItemIndex() const {
    QComboBox* box = Box();
    int index = box->currentIndex();
    if (index < 0 || !box->isEditable()) return index;
    // Once the user has typed something else, no item is selected.
    return box->lineEdit()->text() == box->itemText(index) ? index : -1;
}

void TComboBox::SetItemIndex(int index) {
    QComboBox* box = Box();
    if (index < -1 || index >= box->count()) index = -1;
    box->setCurrentIndex(index);
    if (box->isEditable()) SetEditText(index >= 0 ? FItems->Strings(index) : std::string());
}

void TComboBox::SetEditText(const std::string& text) {
    QLineEdit* edit = Box()->lineEdit();
    QString shown = ToQString(text);
    FEditBytes = text;
    FEditShownUtf8 = FromQString(shown);
    if (edit->text() != shown) edit->setText(shown);
}

std::string TComboBox::GetText() const {
    QComboBox* box = Box();
    int index = ItemIndex();
    if (!box->isEditable()) return index >= 0 ? FItems->Strings(index) : std::string();
    std::string shown = FromQString(box->lineEdit()->text());
    if (shown == FEditShownUtf8) return FEditBytes;
    return index >= 0 ? FItems->Strings(index) : shown;
}

void TComboBox::SetText(const std::string& text) {
    if (text == GetText()) return;
    if (Box()->isEditable())
        SetEditText(text);
    else
        SetItemIndex(FItems->IndexOf(text));
    Perform(CM_TEXTCHANGED);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == FStyle) return;
    std::string text = GetText();
    FStyle = style;
    Box()->setEditable(style == TComboBoxStyle::csDropDown);
    ConfigureEditor();
    if (Box()->isEditable()) SetEditText(text);
}

void TComboBox::Clear() {
    FItems->Clear();
    if (Box()->isEditable()) SetEditText("");
}

void TComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TComboBox::UserPicked(int index) {
    if (Box()->isEditable() && index >= 0 && index < FItems->Count()) SetEditText(FItems->Strings(index));
    Change();
    if (OnSelect) OnSelect(this);
}

void TComboBox::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

// Enter reaches OnKeyPress but never the widget: Qt would take it as picking
// the current item (or adding the text as an item).
void TComboBox::WMChar(TMessage& m) {
    TWinControl::WMChar(m);
    if (m.WParam == '\r') m.Result = 1;
}

void TComboBox::FontChanged() { ApplyFontAndColor(); }

void TComboBox::ColorChanged() { ApplyBaseColor(Widget(), Color()); }

class TListBox::TListItems : public TMirroredList {
public:
    explicit TListItems(TListBox* owner) : FOwner(owner) {}

protected:
    // Rows replaced one for one keep their check marks, as items whose text
    // was set in place; rows inserted start unchecked.
    void ReplaceRows(int first, int removed, int inserted) override {
        QListWidget* list = FOwner->List();
        TFlagGuard guard(FOwner->FUpdating);
        if (removed == inserted) {
            for (int k = 0; k < inserted; ++k) list->item(first + k)->setText(ToQString(FItems[size_t(first + k)]));
            return;
        }
        if (removed == list->count())
            list->clear();
        else if (removed > 0)
            list->model()->removeRows(first, removed);
        for (int k = 0; k < inserted; ++k) list->insertItem(first + k, NewItem(FItems[size_t(first + k)]));
    }

    void AppendRow() override {
        TFlagGuard guard(FOwner->FUpdating);
        FOwner->List()->addItem(NewItem(FItems.back()));
    }

private:
    QListWidgetItem* NewItem(const std::string& text) const {
        auto* item = new QListWidgetItem(ToQString(text));
        if (FOwner->FCheckable) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        return item;
    }

    TListBox* FOwner;
};

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    // The list widget tells of the user's clicks on items itself.
    FClickEvents = false;
    FDoubleClickEvents = false;
    SetNativeDefault(true);
    EnsureWidget();
    FItems = std::make_unique<TListItems>(this);
    FReceiver = new QObject(Widget());
    static_cast<TListWidget*>(List())->Owner = this;
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 121, 97);
}

TListBox::~TListBox() {
    static_cast<TListWidget*>(List())->Owner = nullptr;
    delete FReceiver;
    FReceiver = nullptr;
}

QWidget* TListBox::CreateWidget() {
    auto* list = new TListWidget;
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QListWidget* TListBox::List() const { return static_cast<QListWidget*>(Widget()); }

TStringList& TListBox::Items() { return *FItems; }

int TListBox::ItemIndex() const {
    QListWidget* list = List();
    if (MultiSelect()) return list->currentRow();
    QModelIndexList selected = list->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TListBox::SetItemIndex(int index) {
    QListWidget* list = List();
    TFlagGuard guard(FUpdating);
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(index);
    if (!MultiSelect()) list->item(index)->setSelected(true);
}

bool TListBox::MultiSelect() const { return List()->selectionMode() != QAbstractItemView::SingleSelection; }

void TListBox::SetMultiSelect(bool value) {
    List()->setSelectionMode(value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
    QListWidgetItem* item = List()->item(index);
    return item && item->isSelected();
}

void TListBox::SetSelected(int index, bool value) {
    if (QListWidgetItem* item = List()->item(index)) {
        TFlagGuard guard(FUpdating);
        item->setSelected(value);
    }
}

void TListBox::Clear() { FItems->Clear(); }

void TListBox::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TListBox::FontChanged() { ApplyFontAndColor(); }

void TListBox::ColorChanged() { ApplyBaseColor(Widget(), Color()); }

TCheckListBox::TCheckListBox(TComponent* owner) : TListBox(owner) {
    FCheckable = true;
    // The item view toggles a mark on a click on its indicator or on Space.
    QObject::connect(List(), &QListWidget::itemChanged, FReceiver, [this](QListWidgetItem*) {
        if (!FUpdating && OnClickCheck) OnClickCheck(this);
    });
}

bool TCheckListBox::Checked(int index) const {
    QListWidgetItem* item = List()->item(index);
    return item && item->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int index, bool value) {
    QListWidgetItem* item = List()->item(index);
    if (!item) return;
    TFlagGuard guard(FUpdating);
    item->setCheckState(value ? Qt::Checked : Qt::Unchecked);
}
