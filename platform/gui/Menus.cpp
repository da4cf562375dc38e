#include "platform/gui/Menus.h"

#include <QAction>
#include <QMenu>
#include <QPalette>
#include <algorithm>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtGlue.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    if (FParent) FParent->Remove(this);
    for (TMenuItem* item : FItems) item->FParent = nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->FParent) item->FParent->Remove(item);
    item->FParent = this;
    FItems.push_back(item);
}

void TMenuItem::Remove(TMenuItem* item) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    item->FParent = nullptr;
}

void TMenuItem::Click() {
    if (Enabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), FItems(nullptr) {}

namespace {

void FillMenu(QMenu& menu, TMenuItem& parent, std::vector<std::pair<QAction*, TMenuItem*>>& actions) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible) continue;
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(ToQString(item->Caption));
            sub->setEnabled(item->Enabled);
            FillMenu(*sub, *item, actions);
            continue;
        }
        QAction* action = menu.addAction(ToQString(item->Caption));
        action->setEnabled(item->Enabled);
        action->setCheckable(item->Checked);
        action->setChecked(item->Checked);
        actions.emplace_back(action, item);
    }
}

TMenuItem* FindByCaption(TMenuItem& parent, const std::string& caption) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (item->Caption == caption) return item;
        if (TMenuItem* found = FindByCaption(*item, caption)) return found;
    }
    return nullptr;
}

void ApplyLook(QMenu& menu, const TMenuLook& look) {
    QPalette palette = menu.palette();
    auto set = [&](QPalette::ColorRole role, TColor enabled, TColor disabled) {
        if (enabled != clNone) SetEnabledColor(palette, role, ToQColor(ColorToRGB(enabled)));
        if (disabled != clNone) palette.setColor(QPalette::Disabled, role, ToQColor(ColorToRGB(disabled)));
    };
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base}) set(role, look.Face, look.Face);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        set(role, look.Text, look.DisabledText);
    set(QPalette::Highlight, look.Selection, clNone);
    set(QPalette::HighlightedText, look.SelectionText, clNone);
    menu.setPalette(palette);
}

}  // namespace

void TPopupMenu::Popup(int x, int y) {
    GuardedCall([&] {
        if (OnPopup) OnPopup(this);
    });
    if (TDialogScript::Active()) {
        std::string caption = TDialogScript::NextMenuChoice();
        TDialogScript::Record({TShownDialog::Kind::Menu, "", caption});
        TMenuItem* item = caption.empty() ? nullptr : FindByCaption(FItems, caption);
        if (item && item->Enabled && item->Visible) GuardedCall([&] { item->Click(); });
        return;
    }
    QMenu menu;
    std::vector<std::pair<QAction*, TMenuItem*>> actions;
    FillMenu(menu, FItems, actions);
    ApplyLook(menu, Look);
    QAction* chosen = menu.exec(QPoint(x, y));
    // The item is copied in: clang before 16 cannot capture a structured binding.
    for (auto& [action, item] : actions)
        if (action == chosen) GuardedCall([item = item] { item->Click(); });
}
