#include "platform/gui/Dialogs.h"

#include <QMessageBox>
#include <QProcess>
#include <QStringList>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtGlue.h"

namespace {

struct Script {
    bool active = false;
    std::deque<TModalResult> results;
    std::deque<std::pair<bool, std::string>> inputs;
    struct File {
        bool confirmed;
        std::string path;
        int filterIndex;
    };
    std::deque<File> files;
    std::deque<std::string> menuChoices;
    std::vector<TShownDialog> shown;
};

Script& script() {
    static Script s;
    return s;
}

}  // namespace

void TDialogScript::Activate(bool active) { script().active = active; }
bool TDialogScript::Active() { return script().active; }

void TDialogScript::Clear() {
    bool active = script().active;
    script() = Script();
    script().active = active;
}

void TDialogScript::QueueResult(TModalResult result) { script().results.push_back(result); }
void TDialogScript::QueueInput(bool confirmed, const std::string& text) { script().inputs.emplace_back(confirmed, text); }
void TDialogScript::QueueFile(bool confirmed, const std::string& path, int filterIndex) {
    script().files.push_back({confirmed, path, filterIndex});
}
void TDialogScript::QueueMenuChoice(const std::string& caption) { script().menuChoices.push_back(caption); }

TModalResult TDialogScript::NextResult() {
    auto& q = script().results;
    if (q.empty()) return mrCancel;
    TModalResult r = q.front();
    q.pop_front();
    return r;
}

bool TDialogScript::NextInput(std::string& text) {
    auto& q = script().inputs;
    if (q.empty()) return false;
    auto [ok, value] = q.front();
    q.pop_front();
    if (ok) text = value;
    return ok;
}

bool TDialogScript::NextFile(std::string& path, int& filterIndex) {
    auto& q = script().files;
    if (q.empty()) return false;
    auto f = q.front();
    q.pop_front();
    if (f.confirmed) {
        path = f.path;
        filterIndex = f.filterIndex;
    }
    return f.confirmed;
}

std::string TDialogScript::NextMenuChoice() {
    auto& q = script().menuChoices;
    if (q.empty()) return std::string();
    std::string c = q.front();
    q.pop_front();
    return c;
}

void TDialogScript::Record(const TShownDialog& shown) { script().shown.push_back(shown); }
const std::vector<TShownDialog>& TDialogScript::Shown() { return script().shown; }

std::vector<std::string> TDialogScript::Texts(TShownDialog::Kind kind) {
    std::vector<std::string> texts;
    for (const auto& d : script().shown)
        if (d.kind == kind) texts.push_back(d.text);
    return texts;
}

void ShowMessage(const std::string& message) {
    std::string title = Application ? Application->Title : std::string();
    if (TDialogScript::Active()) {
        TDialogScript::Record({TShownDialog::Kind::Message, title, message});
        return;
    }
    QWidget* parent = Application && Application->MainForm ? Application->MainForm->Widget() : nullptr;
    QMessageBox::information(parent, ToQString(title), ToQString(message));
}

bool ShellExecute(const std::string& operation, const std::string& file, const std::string& parameters) {
    std::string target = parameters.empty() ? file : parameters;
    if (TDialogScript::Active()) {
        TDialogScript::Record({TShownDialog::Kind::Shell, operation, target});
        return true;
    }
    return QProcess::startDetached("xdg-open", QStringList{ToQString(target)});
}
