// The main form: program state, the Settings page and the life cycle.

#include "app/Unit1.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/Dialogs.h"

namespace {

const char* const kHistoryFile = "query_history.ini";
const char* const kTagSetFile = "Tagset.ini";

std::string CurrentFolder() {
    std::error_code ec;
    std::string path = std::filesystem::current_path(ec).string();
    return ec ? std::string(".") : path;
}

// Regular files of a folder whose names hold a ".", in name order (case ignored).
std::vector<std::string> CorpusFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        ProcessMessages();
        std::string name = entry.path().filename().string();
        if (name == "." || name == ".." || name.find('.') == std::string::npos) continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int r = CompareText(a, b);
        return r != 0 ? r < 0 : a < b;
    });
    return names;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Name = "Form1";
    BuildForm();
    ConnectHandlers();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    DoCreate();
}

TForm1::~TForm1() = default;

void TForm1::ConnectHandlers() {
    btnChoseDir->OnClick = [this](TObject* s) { btnChoseDirClick(s); };
    btnFilter->OnClick = [this](TObject* s) { btnFilterClick(s); };
    clbFileList->OnClickCheck = [this](TObject* s) { clbFileListClickCheck(s); };
    edtFilterStr->OnChange = [this](TObject* s) { edtFilterStrChange(s); };
    edtFilterStr->OnKeyPress = [this](TObject* s, char& k) { edtFilterStrKeyPress(s, k); };
    btnAddSplitter->OnClick = [this](TObject* s) { btnAddSplitterClick(s); };
    edtSplitterStr->OnChange = [this](TObject* s) { edtSplitterStrChange(s); };
    cblSplitterList->OnClick = [this](TObject* s) { cblSplitterListListBoxClick(s); };
    cblSplitterList->OnClickCheck = [this](TObject* s) { cblSplitterListListBoxClick(s); };
    rdoRaw->OnClick = [this](TObject* s) { rdoRawClick(s); };
    qlSkinCheckRadioBox1->OnClick = [this](TObject* s) { qlSkinCheckRadioBox1Click(s); };
    cbxLeftRangeNum->OnChange = [this](TObject* s) { cbxLeftRangeNumChange(s); };
    cbxRightRangeNum->OnChange = [this](TObject* s) { cbxRightRangeNumChange(s); };
    lblDir->OnDblClick = [this](TObject* s) { lblDirDblClick(s); };
    btnClearHistory->OnClick = [this](TObject* s) { btnClearHistoryClick(s); };
    sldFontSize->OnChange = [this](TObject* s) { sldFontSizeChange(s); };
    htTagSet->OnShowHint = [this](std::string& h, THintInfo& i) { htTagSetShowHint(h, i); };
    Image1->OnClick = [this](TObject* s) { Image1Click(s); };
    KvLabel2->OnClick = [this](TObject* s) { KvLabel2Click(s); };
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    Timer2->OnTimer = [this](TObject* s) { Timer2Timer(s); };
    Timer3->OnTimer = [this](TObject* s) { Timer3Timer(s); };
    Timer4->OnTimer = [this](TObject* s) { Timer4Timer(s); };
    ConnectCollocateDetails();
    ConnectCollocatePage();
    ConnectQueryPage();
    ConnectListPanel();
    ConnectCountPage();
}

void TForm1::FormCreate(TObject* /*sender*/) {
    gQuery = std::make_unique<TQuery>();
    gQuery2 = std::make_unique<TQuery>();
    gStat = std::make_unique<TStat>();
    gTagSet = std::make_unique<THashedStringList>();
    gTagSet->SetNameValueSeparator('\t');
    gListReady = false;
}

void TForm1::FormShow(TObject* /*sender*/) {
    lblFileInfo->SetCaption("");
    lblDir->SetCaption("");
    gLastView.clear();
    gFileCount = gSortColumn = gSortClicks = 0;
    for (TqlSkinStdLabel* label : {lblInfo, lblInfoN1, lblInfoN2}) label->SetCaption("");

    for (TqlSkinComboBox* range : {cbxLeftRangeNum, cbxRightRangeNum}) {
        range->Items().Clear();
        for (int i = 0; i <= 15; ++i) range->Items().Add(IntToStr(i));
        range->SetItemIndex(5);
    }
    FillSpanCombos();

    if (cblSplitterList->Items().Count() > 0) cblSplitterList->SetChecked(0, true);
    lblFontSize->SetCaption("Font Size: " + IntToStr(sldFontSize->Value()));
    gSplitters = SplitterClass(cblSplitterList);

    // A tag set or history written in code page 936 is read as its characters, as corpus files are.
    auto loadText = [](TStringList& lines, const char* path) { lines.SetText(ToUtf8(ReadFileBytes(path))); };
    if (FileExists(kHistoryFile)) loadText(cbxNode->Items(), kHistoryFile);
    if (FileExists(kTagSetFile)) loadText(*gTagSet, kTagSetFile);
    if (ccbxClusterLen->Items().Count() > 0) ccbxClusterLen->SetChecked(0, true);
    gParam = TParamInfo();
}

void TForm1::FormClose(TObject* /*sender*/, TCloseAction& /*action*/) {
    // The engines stay until the form itself goes: a workflow still pumping
    // messages when the window closes must not lose them under its feet.
    try {
        cbxNode->Items().SaveToFile(kHistoryFile);
    } catch (const Exception&) {
        ShowMessage(IncludeTrailingPathDelimiter(CurrentFolder()) + " is not writable!");
    }
}

bool TForm1::ChooseSaveTarget(const std::string& filter, std::string& fileName) {
    SaveDialog1->Filter = filter;
    if (!SaveDialog1->Execute()) return false;
    fileName = SaveDialog1->FileName;
    if (!PathExists(fileName)) return true;
    if (qlSkinMessage1->MessageDlg(ExtractFileName(fileName) + " already exists, do you want to overwrite it?",
                                   TMsgDlgType::mtWarning, mbYes | mbNo) != mrYes)
        return false;
    if (FileExists(fileName)) return true;
    ShowMessage(ExtractFileName(fileName) +
                " is not a regular file (a device, a pipe, a folder or a link that leads nowhere) and cannot be "
                "overwritten: nothing was saved.");
    return false;
}

std::string TForm1::ProgramFolder() const {
    return Application ? ExtractFilePath(Application->ExeName) : std::string();
}

std::string TForm1::SplitterClass(TqlSkinCheckListBox* list) {
    std::string chars;
    for (int i = 0; i < list->Items().Count(); ++i) {
        if (!list->Checked(i)) continue;
        for (char c : list->Items()[i]) {
            // Characters with a meaning inside a class are taken literally.
            if (c == '\\' || c == ']' || c == '^' || c == '-' || c == '[') chars += '\\';
            chars += c;
        }
    }
    return chars.empty() ? std::string() : "[" + chars + "]";
}

void TForm1::SetAllChecked(TqlSkinCheckListBox* list, bool checked) {
    for (int i = 0; i < list->Items().Count(); ++i) list->SetChecked(i, checked);
}

int TForm1::CountChecked(TqlSkinCheckListBox* list) {
    int n = 0;
    for (int i = 0; i < list->Items().Count(); ++i)
        if (list->Checked(i)) ++n;
    return n;
}

bool TForm1::NameMatches(const std::string& expr, const std::string& text) {
    TRegExpr re(expr);
    re.SetModifierI(true);
    return re.Exec(text);
}

bool TForm1::ExpressionIsUsable(const std::string& expr) {
    if (expr.empty()) return true;
    try {
        TRegExpr(expr).Compile();
        return true;
    } catch (const ERegExpr& e) {
        ShowMessage(e.Message);
        return false;
    }
}

void TForm1::ShowFileCount() {
    lblFileInfo->SetCaption(IntToStr(CountChecked(clbFileList)) + " file(s) selected, " +
                            IntToStr(clbFileList->Items().Count()) + " file(s) in the list.");
}

void TForm1::EnableCorpusPages(bool enabled) {
    for (TqlSkinTabSheet* page : {tsQuery, tsCount, tsColligate}) page->SetEnabled(enabled);
}

void TForm1::btnChoseDirClick(TObject* /*sender*/) {
    if (!SelectDirectoryDialog1->Execute()) return;
    std::string filter = Trim(edtFilterStr->GetText());
    if (!ExpressionIsUsable(filter)) return;
    std::string folder = SelectDirectoryDialog1->Directory;
    lblDir->SetCaption(folder);
    clbFileList->Items().Clear();
    for (const std::string& name : CorpusFileNames(folder)) {
        if (!filter.empty() && !NameMatches(filter, name)) continue;
        int index = clbFileList->Items().Add(name);
        clbFileList->SetChecked(index, true);
    }
    bool any = clbFileList->Items().Count() > 0;
    clbFileList->SetEnabled(any);
    EnableCorpusPages(any);
    gFileCount = clbFileList->Items().Count();
    if (any)
        ShowFileCount();
    else
        lblFileInfo->SetCaption("");
    edtFilterStrChange(edtFilterStr);
}

void TForm1::btnFilterClick(TObject* /*sender*/) {
    if (clbFileList->Items().Count() == 0) return;
    std::string filter = Trim(edtFilterStr->GetText());
    if (!ExpressionIsUsable(filter)) return;
    SetAllChecked(clbFileList, false);
    for (int i = 0; i < clbFileList->Items().Count(); ++i)
        if (NameMatches(filter, clbFileList->Items()[i])) clbFileList->SetChecked(i, true);
    clbFileListClickCheck(clbFileList);
}

void TForm1::clbFileListClickCheck(TObject* /*sender*/) {
    gFileCount = CountChecked(clbFileList);
    ShowFileCount();
    EnableCorpusPages(gFileCount > 0);
}

void TForm1::edtFilterStrChange(TObject* /*sender*/) {
    btnFilter->SetEnabled(!Trim(edtFilterStr->GetText()).empty() && clbFileList->Items().Count() > 0);
}

void TForm1::edtFilterStrKeyPress(TObject* /*sender*/, char& key) {
    if (key == '\r' && !Trim(edtFilterStr->GetText()).empty()) {
        key = 0;
        btnFilterClick(btnFilter);
    }
}

void TForm1::btnAddSplitterClick(TObject* /*sender*/) {
    std::string typed = edtSplitterStr->GetText();
    std::string s = Trim(typed);
    int existing = cblSplitterList->Items().IndexOf(s);
    // The separator class is matched and split byte by byte, and a character
    // beyond ASCII is several bytes that other characters share.
    if (HasByteAbove127(s)) {
        qlSkinMessage1->MessageDlg(
            "'" + typed + "' cannot be a separator: only an ASCII character can part a word from its tag.",
            TMsgDlgType::mtInformation, mbOK);
    } else if (existing >= 0) {
        qlSkinMessage1->MessageDlg("'" + typed + "' already exists!", TMsgDlgType::mtInformation, mbOK);
        cblSplitterList->SetItemIndex(existing);
    } else {
        int index = cblSplitterList->Items().Add(s);
        cblSplitterList->SetChecked(index, true);
        edtSplitterStr->SetText("");
    }
    UpdateSplitters();
}

void TForm1::edtSplitterStrChange(TObject* /*sender*/) {
    btnAddSplitter->SetEnabled(!Trim(edtSplitterStr->GetText()).empty());
}

void TForm1::cblSplitterListListBoxClick(TObject* /*sender*/) { UpdateSplitters(); }

void TForm1::UpdateSplitters() { gSplitters = SplitterClass(cblSplitterList); }

void TForm1::rdoRawClick(TObject* /*sender*/) { ApplyTextMode(); }

void TForm1::qlSkinCheckRadioBox1Click(TObject* /*sender*/) { ApplyTextMode(); }

void TForm1::cbxLeftRangeNumChange(TObject* /*sender*/) { FillSpanCombos(); }

void TForm1::cbxRightRangeNumChange(TObject* /*sender*/) { FillSpanCombos(); }

void TForm1::FillSpanCombos() {
    auto fill = [](TqlSkinComboBox* span, TqlSkinComboBox* range) {
        span->Items().Clear();
        // Twice the context words, but no more than a context's token slots:
        // a wider span would be shown and scored without being counted.
        int n = std::min(2 * StrToIntDef(range->GetText(), 0), TMyArray::Size);
        for (int i = 0; i <= n; ++i) span->Items().Add(IntToStr(i));
        span->SetItemIndex(0);
    };
    fill(cbxLeftSpan, cbxLeftRangeNum);
    fill(cbxRightSpan, cbxRightRangeNum);
}

void TForm1::ApplyTextMode() {
    bool raw = rdoRaw->Checked();
    gbSep->SetEnabled(!raw);
    TqlSkinComboBox* columnModes[] = {cbxL, cbxC, cbxR, cbxLN1, cbxCN1, cbxRN1,
                                      cbxLN2, cbxCN2, cbxRN2, cbxLCol, cbxCCol, cbxRCol};
    TqlSkinCheckRadioBox* queryKinds[] = {crbxByLit, crbxByPOS, crbxByLitN, crbxByPOSN};
    TqlSkinCheckRadioBox* showPos[] = {crbxPOS, crbxPOSN, crbxPosCol};
    if (raw) {
        SetAllChecked(cblSplitterList, false);
        for (auto* box : queryKinds) {
            box->SetChecked(false);
            box->SetEnabled(false);
        }
        for (auto* box : columnModes) {
            box->SetItemIndex(2);
            box->SetEnabled(false);
        }
        for (auto* box : showPos) {
            box->SetChecked(true);
            box->SetEnabled(false);
        }
        cbxNodeMode->SetItemIndex(0);
        cbxNodeMode->SetEnabled(false);
        cbxCollMode->SetItemIndex(2);
        cbxCollMode->SetEnabled(false);
    } else {
        if (cblSplitterList->Items().Count() > 0) cblSplitterList->SetChecked(0, true);
        for (auto* box : queryKinds) box->SetEnabled(true);
        const int tagged[] = {0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1};
        for (size_t i = 0; i < std::size(columnModes); ++i) {
            columnModes[i]->SetItemIndex(tagged[i]);
            columnModes[i]->SetEnabled(true);
        }
        cbxNodeMode->SetItemIndex(1);
        cbxNodeMode->SetEnabled(true);
        cbxCollMode->SetItemIndex(1);
        cbxCollMode->SetEnabled(true);
        for (auto* box : showPos) {
            box->SetChecked(true);
            box->SetEnabled(true);
        }
    }
    UpdateSplitters();
}

void TForm1::lblDirDblClick(TObject* /*sender*/) {
    if (!lblDir->Caption().empty()) ShellExecute("open", lblDir->Caption());
}

void TForm1::btnClearHistoryClick(TObject* /*sender*/) {
    if (qlSkinMessage1->MessageDlg("Do you want to clear all the query history?", TMsgDlgType::mtWarning,
                                   mbYes | mbNo) != mrYes)
        return;
    for (TqlSkinComboBox* box : {cbxNode, cbxInputStr, cbxInputStrN}) box->Items().Clear();
    cbxNode->Items().SaveToFile(kHistoryFile);
}

void TForm1::sldFontSizeChange(TObject* /*sender*/) {
    lblFontSize->SetCaption("Font Size: " + IntToStr(sldFontSize->Value()));
}

void TForm1::htTagSetShowHint(std::string& hintStr, THintInfo& hintInfo) {
    bool longHint = hintStr.find('@') != std::string::npos || hintStr.find("Cluster") != std::string::npos;
    hintInfo.HideTimeout = longHint ? 5000 : 800;
}

void TForm1::Image1Click(TObject* /*sender*/) { ShellExecute("open", "https://orvale.example/lexmoor"); }

void TForm1::KvLabel2Click(TObject* /*sender*/) {
    ShellExecute("open", "mailto:lexmoor@orvale.example?subject=Orvale%20Lexmoor%201.0");
}

void TForm1::Timer1Timer(TObject* /*sender*/) {
    ggCurLine->SetValue(gProgress + 1);
    ggCurLineN->SetValue(gProgress + 1);
}

namespace {

void Marquee(TqlSkinGauge* gauge) {
    if (Application) Application->ProcessMessages();
    gauge->SetMinValue(0);
    gauge->SetMaxValue(10);
    gauge->SetValue((gauge->Value() + 1) % 10);
}

}  // namespace

void TForm1::Timer2Timer(TObject* /*sender*/) { Marquee(ggFreList); }

void TForm1::Timer3Timer(TObject* /*sender*/) { Marquee(ggCurLine); }

void TForm1::Timer4Timer(TObject* /*sender*/) {
    int max = std::max(ggColPro->MaxValue(), 1);
    ggColPro->SetValue((ggColPro->Value() + 1) % max);
}
