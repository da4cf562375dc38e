// The combo box: a native Qt combo behind the control, items kept as 8-bit text.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "platform/gui/NativeText.h"
#include "platform/gui/StdCtrls.h"

namespace {

class TComboWidget : public QComboBox {
public:
    int* DropDownCount = nullptr;

    void showPopup() override {
        if (DropDownCount) setMaxVisibleItems(std::max(1, *DropDownCount));
        QComboBox::showPopup();
    }
};

}  // namespace

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
