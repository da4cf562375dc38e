#include "skin/dialogs/qlDialogs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/dialogs/qlDialogLook.h"
#include "skin/dialogs/qlMessages.h"
#include "skin/dialogs/qlSkinShellCtrls.h"

namespace fs = std::filesystem;

namespace {

constexpr int kButtonWidth = 80, kButtonHeight = 25, kEditHeight = 23, kMargin = 12;

template <class Control>
Control* AddControl(TForm* form, const std::string& name, int left, int top, int width, int height, int tabOrder) {
    auto* control = new Control(form);
    control->Name = name;
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    control->SetTabStop(true);
    control->TabOrder = tabOrder;
    return control;
}

TqlSkinButton* AddButton(TForm* form, const std::string& name, const std::string& caption, TModalResult result,
                         int left, int top, int tabOrder) {
    auto* button = AddControl<TqlSkinButton>(form, name, left, top, kButtonWidth, kButtonHeight, tabOrder);
    button->SetCaption(caption);
    button->ModalResult = result;
    button->SetDefault(result == mrOk);
    button->Cancel = result == mrCancel;
    return button;
}

// Measured in the skin's label font, which it takes before its caption.
TqlSkinStdLabel* AddLabel(TForm* form, TqlSkinData* skin, const std::string& caption, int left, int top) {
    auto* label = new TqlSkinStdLabel(form);
    label->SetParent(form);
    label->SetSkinData(skin);
    label->SetCaption(caption);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

// The frame round a field made of several controls (a tree and its bars), in
// the skin's field and shadow colours; what it holds is aligned inside the line.
class TFieldFrame : public TCustomControl, public TqlSkinDataLink {
public:
    using TCustomControl::TCustomControl;
    void SetSkinData(TqlSkinData* value) override {
        TqlSkinDataLink::SetSkinData(value);
        Invalidate();
    }

protected:
    void Paint() override {
        const TqlSkinData* skin = SkinData();
        const bool skinned = skin && !skin->Empty;
        Canvas().Brush().Color = skinned ? skin->SkinColors.cWindow : clWindow;
        Canvas().FillRect(ClientRect());
        Canvas().Brush().Color = skinned ? skin->SkinColors.cBtnShadow : clBtnShadow;
        Canvas().FrameRect(ClientRect());
    }
    void AlignControls(TControl* control, TRect& rect) override {
        rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
        TCustomControl::AlignControls(control, rect);
    }
};

// A view in its frame, with the skinned bars it scrolls by (the frame and
// bars named after it: "tvFolders" gets "plFolders", "sbFoldersV", "sbFoldersH").
template <class View>
View* AddFramedView(TForm* form, const std::string& name, int left, int top, int width, int height, int tabOrder) {
    const std::string stem = name.substr(2);
    auto* frame = new TFieldFrame(form);
    frame->Name = "pl" + stem;
    frame->SetParent(form);
    frame->SetBounds(left, top, width, height);
    auto* vertical = new TqlSkinScrollBar(form);
    vertical->Name = "sb" + stem + "V";
    vertical->SetKind(sbVertical);
    vertical->SetParent(frame);
    vertical->SetAlign(TAlign::alRight);
    auto* horizontal = new TqlSkinScrollBar(form);
    horizontal->Name = "sb" + stem + "H";
    horizontal->SetParent(frame);
    horizontal->SetAlign(TAlign::alBottom);
    auto* view = AddControl<View>(form, name, 0, 0, width, height, tabOrder);
    view->SetParent(frame);
    view->SetAlign(TAlign::alClient);
    view->SetVScrollBar(vertical);
    view->SetHScrollBar(horizontal);
    return view;
}

TqlSkinShellTreeView* AddFolderTree(TForm* form, int left, int top, int width, int height, int tabOrder) {
    return AddFramedView<TqlSkinShellTreeView>(form, "tvFolders", left, top, width, height, tabOrder);
}

int TextWidthIn(const TFont& font, const std::string& text) {
    TBitmap measure(1, 1);
    measure.Canvas().Font() = font;
    return measure.Canvas().TextWidth(text);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// A typed path made absolute: "~" stands for the home folder, and a relative
// path starts at base.
std::string ResolvePath(const std::string& typed, const std::string& base) {
    std::string text = Trim(typed);
    if (text == "~" || text.rfind("~/", 0) == 0) text = HomeFolder() + text.substr(1);
    fs::path path(text);
    if (path.is_relative()) path = fs::path(base) / path;
    return WithoutTrailingSlash(path.lexically_normal().string());
}

struct TFilterPair {
    std::string description;
    std::vector<std::string> masks;
};

// "desc|mask|desc|mask", a mask being one or more patterns separated by ";".
std::vector<TFilterPair> ParseFilter(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size() && !filter.empty()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos) bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<TFilterPair> pairs;
    for (size_t i = 0; i < parts.size(); i += 2) {
        TFilterPair pair{parts[i], {}};
        std::string masks = i + 1 < parts.size() ? parts[i + 1] : "";
        if (Trim(pair.description).empty() && Trim(masks).empty()) continue;
        size_t from = 0;
        while (from <= masks.size()) {
            size_t semi = masks.find(';', from);
            if (semi == std::string::npos) semi = masks.size();
            std::string mask = Trim(std::string_view(masks).substr(from, semi - from));
            if (!mask.empty()) pair.masks.push_back(mask);
            from = semi + 1;
        }
        if (pair.masks.empty()) pair.masks.push_back("*");
        if (pair.description.empty()) pair.description = masks;
        pairs.push_back(pair);
    }
    if (pairs.empty()) pairs.push_back({"All files (*)", {"*"}});
    return pairs;
}

// "*" and "?" wildcards, ASCII case ignored; "*.*" takes names without a dot too.
bool MatchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*") return true;
    size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

// The extension a mask gives a name typed without one: "*.xls" gives "xls",
// "*" and "*.*" give none.
std::string MaskExtension(const std::string& mask) {
    if (mask.size() < 3 || mask.compare(0, 2, "*.") != 0) return std::string();
    std::string ext = mask.substr(2);
    if (ext.find_first_of("*?") != std::string::npos) return std::string();
    return ext;
}

void WarnMissingFolder(const std::string& title, const std::string& folder) {
    TqlSkinMessage message(nullptr);
    message.Caption = title;
    message.MessageDlg("The folder \"" + folder + "\" does not exist.", TMsgDlgType::mtWarning, mbOK);
}

// A path line: Enter takes the user to the typed folder when the text is not
// where the dialog already is; otherwise Enter is the dialog's.
class TPathEdit : public TqlSkinEdit {
public:
    TPathEdit(TComponent* owner) : TqlSkinEdit(owner) {
        OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) {
            if (key != VK_RETURN || !Folder || !Go) return;
            key = 0;
            std::string target = ResolvePath(Text(), Folder());
            if (IsFolder(target))
                Go(target);
            else
                SelectAll();
        };
    }
    // The folder the dialog shows, and the way to another.
    std::function<std::string()> Folder;
    std::function<void(const std::string&)> Go;

protected:
    void CMWantSpecialKey(TMessage& m) override {
        if (m.WParam == VK_RETURN && Folder && Trim(Text()) != Folder()) {
            m.Result = 1;
            return;
        }
        TqlSkinEdit::CMWantSpecialKey(m);
    }
};

class TSaveForm : public TForm {
public:
    TSaveForm(TqlSkinSaveDialog& dialog, const std::string& lastFolder);

private:
    void Navigate(const std::string& folder);
    void RefreshFiles();
    void Accept();
    const TFilterPair& CurrentFilter() const;

    TqlSkinSaveDialog& FDialog;
    std::vector<TFilterPair> FFilters;
    std::string FFolder;
    bool FNavigating = false;
    TPathEdit* FPath;
    TqlSkinButton* FUp;
    TqlSkinShellTreeView* FTree;
    TqlSkinShellListView* FFiles;
    TqlSkinEdit* FName;
    TqlSkinComboBox* FTypes;
};

TSaveForm::TSaveForm(TqlSkinSaveDialog& dialog, const std::string& lastFolder)
    : TForm(&dialog), FDialog(dialog), FFilters(ParseFilter(dialog.Filter)) {
    SetText(dialog.Title.empty() ? "Save As" : dialog.Title);
    Position = TPosition::poScreenCenter;
    BorderStyle = TBorderStyle::bsDialog;
    TqlSkinData* skin = DialogSkinData(dialog);
    const int w = 640, h = 430;
    const int nameTop = h - 68, typeTop = h - 36;
    const TqlSkinStdLabel* labels[] = {AddLabel(this, skin, DialogString(skin, "FLV_LOOKIN"), kMargin, kMargin + 4),
                                       AddLabel(this, skin, DialogString(skin, "MSG_FILENAME"), kMargin, nameTop + 4),
                                       AddLabel(this, skin, DialogString(skin, "MSG_FILETYPE"), kMargin, typeTop + 4)};
    int labelWidth = 0;
    for (const TqlSkinStdLabel* label : labels) labelWidth = std::max(labelWidth, label->Width() + 10);
    const int fieldLeft = kMargin + labelWidth;
    const int fieldWidth = w - fieldLeft - kMargin - kButtonWidth - 8;

    FPath = AddControl<TPathEdit>(this, "edtFolder", fieldLeft, kMargin, fieldWidth, kEditHeight, 4);
    FUp = AddButton(this, "btnUp", "&Up", mrNone, w - kMargin - kButtonWidth, kMargin - 1, 5);
    FUp->Hint = DialogString(skin, "MSG_BTN_UP_HINT");
    FUp->ShowHint = true;
    const int listTop = kMargin + kEditHeight + 10, listHeight = h - listTop - 80;
    FTree = AddFolderTree(this, kMargin, listTop, 230, listHeight, 6);
    FFiles = AddFramedView<TqlSkinShellListView>(this, "lvFiles", kMargin + 238, listTop, w - 2 * kMargin - 238,
                                                 listHeight, 7);
    FFiles->SetColumnCaptions(DialogString(skin, "FLV_NAME"), DialogString(skin, "FLV_SIZE"));

    FName = AddControl<TqlSkinEdit>(this, "edtFileName", fieldLeft, nameTop, fieldWidth, kEditHeight, 0);
    FTypes = AddControl<TqlSkinComboBox>(this, "cbxFileType", fieldLeft, typeTop, fieldWidth, kEditHeight, 1);
    TqlSkinButton* save =
        AddButton(this, "btnOk", DialogString(skin, "MSG_BTN_SAVE"), mrNone, w - kMargin - kButtonWidth, nameTop - 1, 2);
    save->SetDefault(true);
    AddButton(this, "btnCancel", DialogString(skin, "MSG_BTN_CANCEL"), mrCancel, w - kMargin - kButtonWidth, typeTop - 1,
              3);
    SetClientSize(w, h);
    SkinDialogForm(*this, skin);

    FTypes->SetStyle(TComboBoxStyle::csDropDownList);
    for (const TFilterPair& pair : FFilters) FTypes->Items().Add(pair.description);
    FTypes->SetItemIndex(std::clamp(dialog.FilterIndex, 1, int(FFilters.size())) - 1);

    std::string start;
    fs::path given(dialog.FileName);
    if (IsFolder(dialog.InitialDir))
        start = ResolvePath(dialog.InitialDir, fs::current_path().string());
    else if (given.is_absolute() && IsFolder(given.parent_path().string()))
        start = WithoutTrailingSlash(given.parent_path().string());
    else if (IsFolder(lastFolder))
        start = lastFolder;
    else
        start = HomeFolder();
    FName->SetText(given.filename().string());

    FTree->OnChange = [this](TObject*) {
        std::string selected = FTree->SelectedPath();
        if (!FNavigating && !selected.empty() && selected != FFolder) Navigate(selected);
    };
    FPath->Folder = [this] { return FFolder; };
    FPath->Go = [this](const std::string& folder) { Navigate(folder); };
    FUp->OnClick = [this](TObject*) { Navigate(WithoutTrailingSlash(fs::path(FFolder).parent_path().string())); };
    FFiles->OnSelectItem = [this](TObject*) {
        if (const TListItem* item = FFiles->Selected()) FName->SetText(item->Caption);
    };
    FFiles->OnDblClick = [this](TObject*) { Accept(); };
    FTypes->OnChange = [this](TObject*) { RefreshFiles(); };
    save->OnClick = [this](TObject*) { Accept(); };

    Navigate(start);
    FName->SelectAll();
    SetActiveControl(FName);
}

const TFilterPair& TSaveForm::CurrentFilter() const {
    int index = std::clamp(FTypes->ItemIndex(), 0, int(FFilters.size()) - 1);
    return FFilters[size_t(index)];
}

void TSaveForm::Navigate(const std::string& folder) {
    FFolder = folder;
    FPath->SetText(folder);
    FUp->SetEnabled(folder != "/");
    if (FTree->SelectedPath() != folder) {
        FNavigating = true;
        FTree->SetSelectedPath(folder);
        FNavigating = false;
    }
    RefreshFiles();
}

void TSaveForm::RefreshFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(FFolder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.empty() || name[0] == '.' || !it->is_regular_file(typeError)) continue;
        const auto& masks = CurrentFilter().masks;
        if (std::any_of(masks.begin(), masks.end(), [&](const std::string& m) { return MatchesMask(name, m); }))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    FFiles->ShowFiles(FFolder, names);
}

void TSaveForm::Accept() {
    std::string typed = Trim(FName->Text());
    if (typed.empty()) {
        FName->SetFocus();
        return;
    }
    std::string full = ResolvePath(typed, FFolder);
    // A folder typed as the name is opened, as in the system's dialogs.
    if (IsFolder(full)) {
        Navigate(full);
        FName->SetText("");
        FName->SetFocus();
        return;
    }
    if (fs::path(full).filename().string().find('.') == std::string::npos) {
        std::string ext = FDialog.DefaultExt;
        if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
        if (ext.empty()) ext = MaskExtension(CurrentFilter().masks.front());
        if (!ext.empty()) full += "." + ext;
    }
    std::string folder = WithoutTrailingSlash(fs::path(full).parent_path().string());
    if (!IsFolder(folder)) {
        WarnMissingFolder(Caption(), folder);
        FName->SetFocus();
        return;
    }
    FDialog.FileName = full;
    FDialog.FilterIndex = FTypes->ItemIndex() + 1;
    SetModalResult(mrOk);
}

class TFolderForm : public TForm {
public:
    explicit TFolderForm(TqlSkinSelectDirectoryDialog& dialog);

private:
    void Navigate(const std::string& folder);
    void Accept();

    TqlSkinSelectDirectoryDialog& FDialog;
    std::string FFolder;
    bool FNavigating = false;
    TPathEdit* FPath;
    TqlSkinShellTreeView* FTree;
};

TFolderForm::TFolderForm(TqlSkinSelectDirectoryDialog& dialog) : TForm(&dialog), FDialog(dialog) {
    SetText(dialog.Title.empty() ? "Select Folder" : dialog.Title);
    Position = TPosition::poScreenCenter;
    BorderStyle = TBorderStyle::bsDialog;
    TqlSkinData* skin = DialogSkinData(dialog);
    const int w = 460, h = 470;
    const int labelWidth = AddLabel(this, skin, "Folder:", kMargin, kMargin + 4)->Width() + 10;

    FPath = AddControl<TPathEdit>(this, "edtFolder", kMargin + labelWidth, kMargin, w - 2 * kMargin - labelWidth,
                                  kEditHeight, 0);
    const int treeTop = kMargin + kEditHeight + 10, buttonTop = h - kMargin - kButtonHeight;
    FTree = AddFolderTree(this, kMargin, treeTop, w - 2 * kMargin, buttonTop - 12 - treeTop, 1);
    TqlSkinButton* ok = AddButton(this, "btnOk", DialogString(skin, "MSG_BTN_OK"), mrNone,
                                  w - kMargin - 2 * kButtonWidth - 8, buttonTop, 2);
    ok->SetDefault(true);
    AddButton(this, "btnCancel", DialogString(skin, "MSG_BTN_CANCEL"), mrCancel, w - kMargin - kButtonWidth, buttonTop,
              3);
    SetClientSize(w, h);
    SkinDialogForm(*this, skin);

    FTree->OnChange = [this](TObject*) {
        std::string selected = FTree->SelectedPath();
        if (FNavigating || selected.empty()) return;
        FFolder = selected;
        FPath->SetText(selected);
    };
    FPath->Folder = [this] { return FFolder; };
    FPath->Go = [this](const std::string& folder) { Navigate(folder); };
    ok->OnClick = [this](TObject*) { Accept(); };

    std::string start = dialog.Directory.empty() ? std::string()
                                                 : ResolvePath(dialog.Directory, fs::current_path().string());
    Navigate(IsFolder(start) ? start : HomeFolder());
    SetActiveControl(FTree);
}

void TFolderForm::Navigate(const std::string& folder) {
    FFolder = folder;
    FPath->SetText(folder);
    FNavigating = true;
    FTree->SetSelectedPath(folder);
    FNavigating = false;
}

void TFolderForm::Accept() {
    std::string target = ResolvePath(FPath->Text(), FFolder);
    if (!IsFolder(target)) {
        WarnMissingFolder(Caption(), target);
        FPath->SetFocus();
        FPath->SelectAll();
        return;
    }
    FDialog.Directory = target;
    SetModalResult(mrOk);
}

}  // namespace

TqlSkinInputDialog::TqlSkinInputDialog(TComponent* owner) : TComponent(owner) {}

bool TqlSkinInputDialog::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    if (TDialogScript::Active()) {
        TDialogScript::Record({TShownDialog::Kind::Input, caption, prompt});
        return TDialogScript::NextInput(value);
    }
    std::unique_ptr<TForm> form(new TForm(this));
    form->SetText(caption);
    form->Position = TPosition::poScreenCenter;
    form->BorderStyle = TBorderStyle::bsDialog;
    TqlSkinData* skin = DialogSkinData(*this);

    auto* label = AddLabel(form.get(), skin, prompt, kMargin, kMargin);
    label->Name = "lblPrompt";
    // Wide enough for the prompt and the title, within reason.
    const int w = std::clamp(std::max(label->Width(), TextWidthIn(form->Font(), caption) + 80) + 2 * kMargin + 8,
                             360, 640);
    if (label->Width() > w - 2 * kMargin) {
        // A long prompt wraps: the label keeps the width and takes the height it needs.
        label->WordWrap = true;
        label->SetAutoSize(false);
        label->SetWidth(w - 2 * kMargin);
        label->SetAutoSize(true);
    }
    const int editTop = kMargin + std::max(label->Height(), 13) + 6;
    auto* edit = AddControl<TqlSkinEdit>(form.get(), "edtValue", kMargin, editTop, w - 2 * kMargin, kEditHeight, 0);
    const int buttonTop = editTop + kEditHeight + 16;
    AddButton(form.get(), "btnOk", DialogString(skin, "MSG_BTN_OK"), mrOk, w - kMargin - 2 * kButtonWidth - 8,
              buttonTop, 1);
    AddButton(form.get(), "btnCancel", DialogString(skin, "MSG_BTN_CANCEL"), mrCancel, w - kMargin - kButtonWidth,
              buttonTop, 2);
    form->SetClientSize(w, buttonTop + kButtonHeight + kMargin);
    SkinDialogForm(*form, skin);

    edit->SetText(value);
    edit->SelectAll();
    form->SetActiveControl(edit);
    if (form->ShowModal() != mrOk) return false;
    value = edit->Text();
    return true;
}

TqlSkinSaveDialog::TqlSkinSaveDialog(TComponent* owner) : TComponent(owner) {}

bool TqlSkinSaveDialog::Execute() {
    if (TDialogScript::Active()) {
        TDialogScript::Record({TShownDialog::Kind::Save, Title, Filter});
        std::string path;
        int filterIndex = FilterIndex;
        if (!TDialogScript::NextFile(path, filterIndex)) return false;
        FileName = path;
        FilterIndex = filterIndex;
        return true;
    }
    std::unique_ptr<TSaveForm> form(new TSaveForm(*this, FLastFolder));
    if (form->ShowModal() != mrOk) return false;
    FLastFolder = WithoutTrailingSlash(fs::path(FileName).parent_path().string());
    return true;
}

TqlSkinSelectDirectoryDialog::TqlSkinSelectDirectoryDialog(TComponent* owner) : TComponent(owner) {}

bool TqlSkinSelectDirectoryDialog::Execute() {
    if (TDialogScript::Active()) {
        TDialogScript::Record({TShownDialog::Kind::Folder, Title, ""});
        std::string path;
        int ignored = 0;
        if (!TDialogScript::NextFile(path, ignored)) return false;
        Directory = WithoutTrailingSlash(path);
        return true;
    }
    std::unique_ptr<TFolderForm> form(new TFolderForm(*this));
    return form->ShowModal() == mrOk;
}
