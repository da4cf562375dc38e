// List boxes and check list boxes: native Qt lists behind the controls.

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

}  // namespace

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
    SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
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
    // Rows that touch run an underscore into the top of the next row's text.
    list->setSpacing(1);
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
