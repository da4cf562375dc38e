// The collocation run, the collocate table and its editing.

#include <algorithm>
#include <filesystem>

#include "app/RunScope.h"
#include "app/Unit1.h"
#include "platform/core/Messages.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"

namespace {

std::string Score(long double value) {
    if (value == 0) return "0";
    return FormatFixed(value, 4);
}

const std::string& SubItem(const TListItem* item, int index) {
    static const std::string empty;
    return index >= 0 && index < static_cast<int>(item->SubItems.size()) ? item->SubItems[static_cast<size_t>(index)]
                                                                         : empty;
}

// Each file's size and time of last change: a file edited between two runs
// is read again, an unchanged corpus is not.
std::string FileStamps(const std::vector<std::string>& paths) {
    std::string stamps;
    for (const std::string& path : paths) {
        std::error_code sizeError, timeError;
        const auto size = std::filesystem::file_size(path, sizeError);
        const auto changed = std::filesystem::last_write_time(path, timeError);
        stamps += sizeError || timeError ? std::string("?")
                                         : std::to_string(size) + "@" +
                                               std::to_string(changed.time_since_epoch().count());
        stamps += '\n';
    }
    return stamps;
}

}  // namespace

void TForm1::CollectParams(TParamInfo& p) {
    std::string files;
    for (int i = 0; i < clbFileList->Items().Count(); ++i)
        if (clbFileList->Checked(i)) files += " " + clbFileList->Items()[i];
    p.CorpusKey = Trim(lblDir->Caption() + " " + Trim(files));
    p.CaseSensitive = crbxColCase->Checked();
    p.NodeMode = cbxNodeMode->GetText();
    p.Node = Trim(cbxNode->GetText());
    if (rdoRaw->Checked()) p.Node = " " + p.Node + " ";
    p.CollocateMode = cbxCollMode->GetText();
    p.LeftSpanText = cbxLeftSpan->GetText();
    p.LeftContext = std::max(cbxLeftSpan->ItemIndex(), 5);
    p.RightSpanText = cbxRightSpan->GetText();
    p.RightContext = std::max(cbxRightSpan->ItemIndex(), 5);
    p.MinMeasure = cbxMinValue->GetText();
    p.MinValue = static_cast<long double>(edtMinValue->Value());
}

std::string TForm1::NodeExpression(const std::string& node, const std::string& nodeMode) const {
    if (nodeMode == "Literal") return ConvertQuery(node, gSplitters, true);
    if (nodeMode == "POS") return ConvertQuery(node, gSplitters, false);
    return node;
}

void TForm1::btnColClick(TObject* /*sender*/) {
    int64_t started = TickCount();
    ProcessMessages();
    std::string node = Trim(cbxNode->GetText());
    std::string expr = NodeExpression(node, cbxNodeMode->GetText());
    // A node that cannot compile would look like one without collocates; the last run stays on screen.
    if (!ExpressionIsUsable(expr)) return;

    // The run's moving gauge has no text of its own: the last concordance's must go.
    ggColPro->SetProgressText("");
    TRunScope scope(this, Timer4, ggColPro);
    ClearCollocateRun();
    if (cbxNode->Items().IndexOf(node) < 0) cbxNode->Items().Add(node);
    cbxInputStr->Items().Assign(cbxNode->Items());
    cbxInputStrN->Items().Assign(cbxNode->Items());

    gStat->SetSplitters(gSplitters);
    TParamInfo p;
    CollectParams(p);
    ResetPaneFont(rdtDetailCol);
    rdtDetailCol->Clear();
    lblInfoCol->SetCaption("");

    if (!PrepareEngines(p, expr)) return;
    gStat->ClearCounts();
    gStat->CountCollocates(gQuery2->Matrix, StrToIntDef(cbxLeftSpan->GetText(), 0),
                           StrToIntDef(cbxRightSpan->GetText(), 0), !p.CaseSensitive, p.CollocateMode);
    gStat->ComputeStats(node, p);

    scope.StopGauge();
    ShowCollocateRun(p, started);
}

void TForm1::ClearCollocateRun() {
    lsvColligate->Items().Clear();
    lsvColligate->PopupMenu = nullptr;
    lbColInfo->SetCaption("");
    lbColInfo->SetVisible(false);
    edtInfoCol->SetText("");
}

void TForm1::ShowCollocateRun(const TParamInfo& p, int64_t started) {
    FillCollocateList(lsvColligate, p);
    CollectParams(gParam);
    ShowCollocateInfo();
    lbColInfo->SetVisible(true);
    bool rows = lsvColligate->Items().Count() > 0;
    btnSaveCol->SetEnabled(rows);
    lsvColligate->PopupMenu = rows ? popMenuCol : nullptr;
    edtInfoCol->SetText(FormatFixed((TickCount() - started) / 1000.0L, 4) + " seconds used!");
}

bool TForm1::PrepareEngines(const TParamInfo& p, const std::string& expr) {
    std::vector<std::string> paths;
    for (int i = 0; i < clbFileList->Items().Count(); ++i)
        if (clbFileList->Checked(i)) paths.push_back(IncludeTrailingPathDelimiter(lblDir->Caption()) + clbFileList->Items()[i]);

    TRunRequest wanted;
    // The separator class decides how tagged tokens split, so it is part of what the counts hold.
    wanted.corpusKey = p.CorpusKey + "\n" + gSplitters + "\n" + FileStamps(paths);
    wanted.caseSensitive = p.CaseSensitive;
    wanted.node = p.Node;
    wanted.nodeMode = p.NodeMode;
    wanted.leftContext = p.LeftContext;
    wanted.rightContext = p.RightContext;
    TRecompute plan = PlanRecompute(FEngine, wanted);

    if (plan.load) {
        FEngine = TEngineState();
        gStat->Clear();
        gStat->LoadAndCountFiles(paths);
        ReportLeftOutFiles(gStat->LeftOutFiles);
        FEngine.corpusKey = wanted.corpusKey;
    }
    if (gStat->Tokens.Count() == 0) return false;

    if (plan.frequencies) {
        FEngine.frequencies = false;
        gStat->TokenFreq.Clear();
        gStat->WordFreq.Clear();
        gStat->TagFreq.Clear();
        gStat->BuildFrequency(!p.CaseSensitive, false);
        FEngine.frequencies = true;
        FEngine.caseSensitive = p.CaseSensitive;
    }

    if (plan.search) {
        FEngine.searched = false;
        gQuery2->Clear();
        gQuery2->SearchFiles(paths, gSplitters, expr, p.CaseSensitive, wanted.leftContext, wanted.rightContext,
                             gProgress, true);
        // The files a new load left out have been named already.
        if (!plan.load) ReportLeftOutFiles(gQuery2->LeftOutFiles);
        ReportSkippedLines(*gQuery2);
        FEngine.searched = true;
        FEngine.node = p.Node;
        FEngine.nodeMode = p.NodeMode;
        FEngine.searchCase = p.CaseSensitive;
        FEngine.leftContext = wanted.leftContext;
        FEngine.rightContext = wanted.rightContext;
    }
    return !gQuery2->Matrix.empty();
}

void TForm1::ShowCollocateInfo() {
    const TFreqInfo& f = gStat->Freq;
    lbColInfo->SetCaption("N = " + IntToStr(f.N) + "   Span = " + IntToStr(f.Span) + "   f(n) = " + IntToStr(f.Fn) +
                          "   " + IntToStr(lsvColligate->Items().Count()) + " hits");
}

void TForm1::cbxNodeChange(TObject* /*sender*/) {
    btnCol->SetEnabled(!Trim(cbxNode->GetText()).empty() &&
                       !(cbxLeftSpan->ItemIndex() == 0 && cbxRightSpan->ItemIndex() == 0));
}

void TForm1::cbxLeftSpanChange(TObject* sender) { cbxNodeChange(sender); }

void TForm1::cbxRightSpanChange(TObject* sender) { cbxNodeChange(sender); }

void TForm1::cbxNodeKeyPress(TObject* /*sender*/, char& key) {
    if (key != '\r') return;
    key = 0;
    if (btnCol->Enabled()) btnCol->Click();
}

void TForm1::cbxMinValueChange(TObject* /*sender*/) { edtMinValue->SetEnabled(cbxMinValue->GetText() != "None"); }

bool TForm1::PassesMinimum(const TParamInfo& p, const TStatResult& row) {
    // Each minimum names the value of a row it compares.
    const std::pair<const char*, long double> values[] = {
        {"Min f(c)", row.Fc},       {"Min f(n,c)", row.Fnc},       {"Min MI", row.MI},
        {"Min MI3", row.MI3},       {"Min Z-Score", row.ZScore},   {"Min T-Score", row.TScore},
        {"Min Log-log", row.LogLog}, {"Min Log-Likelihood", row.LogLikelihood},
    };
    for (const auto& [name, value] : values)
        if (p.MinMeasure == name) return value >= p.MinValue;
    return false;
}

void TForm1::FillCollocateList(TListView* listView, const TParamInfo& p) {
    TRunScope scope(nullptr, Timer4, ggColPro);
    listView->Items().Clear();
    listView->Items().BeginUpdate();
    for (const TStatResult& row : gStat->Results) {
        ProcessMessages();
        if (p.MinMeasure != "None" && !PassesMinimum(p, row)) continue;
        TListItem* item = listView->Items().Add();
        item->Caption = " " + IntToStr(listView->Items().Count());
        item->SubItems = {row.Collocate + " ", IntToStr(row.Fc),   IntToStr(row.Fnc),
                          Score(row.MI),       Score(row.MI3),     Score(row.ZScore),
                          Score(row.TScore),   Score(row.LogLog),  Score(row.LogLikelihood)};
    }
    listView->Items().EndUpdate();
    WidenValueColumns(listView);
}

void TForm1::WidenValueColumns(TListView* listView) {
    for (int c = 2; c < listView->ColumnCount(); ++c)
        listView->SetColumnWidth(c, std::max(listView->Column(c)->Width, listView->ContentWidth(c)));
}

void TForm1::RenumberRows(TListView* listView) {
    listView->Items().BeginUpdate();
    for (int i = 0; i < listView->Items().Count(); ++i) listView->Items()[i]->Caption = " " + IntToStr(i + 1);
    listView->Items().EndUpdate();
}

void TForm1::DeleteSelectedRows(TListView* listView) {
    listView->Items().BeginUpdate();
    for (int i = listView->Items().Count() - 1; i >= 0; --i)
        if (listView->Items()[i]->Selected()) listView->Items().Delete(i);
    listView->Items().EndUpdate();
    RenumberRows(listView);
}

void TForm1::lsvColligateColumnClick(TObject* /*sender*/, TListColumn* column) {
    ++gSortClicks;
    gSortColumn = column->Index;
    lsvColligate->CustomSort();
    RenumberRows(lsvColligate);
}

void TForm1::lsvColligateCompare(TObject* /*sender*/, TListItem* item1, TListItem* item2, int /*data*/,
                                 int& compare) {
    compare = 0;
    if (gSortColumn == 0) return;
    std::string a = SubItem(item1, gSortColumn - 1), b = SubItem(item2, gSortColumn - 1);
    if (gSortColumn >= 2) {
        // Numbers compare as texts padded with zeros to twelve characters.
        for (std::string* s : {&a, &b}) {
            if (*s == "0") *s = "0.0000";
            if (s->size() < 12) *s = std::string(12 - s->size(), '0') + *s;
        }
    }
    compare = gSortClicks % 2 == 0 ? CompareText(a, b) : CompareText(b, a);
}

void TForm1::lsvColligateCustomDrawItem(TObject* /*sender*/, TListItem* item, bool& /*defaultDraw*/) {
    lsvColligate->Canvas().Brush().Color = item->Index() % 2 == 1 ? RGB(0xF7, 0xFF, 0xFF) : RGB(0xFE, 0xF5, 0xFE);
}

void TForm1::lsvColligateCustomDrawSubItem(TObject* /*sender*/, TListItem* item, int subItem, bool& /*defaultDraw*/) {
    TFont& font = lsvColligate->Canvas().Font();
    const std::string& text = SubItem(item, subItem - 1);
    TColor color = clBlack;
    bool bold = false;
    switch (subItem) {
        case 1: {
            char c = text.empty() ? ' ' : text[0];
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
                color = RGB(0x00, 0x00, 0xFF);
                bold = true;
            } else if (c >= '0' && c <= '9') {
                color = RGB(0x80, 0x80, 0x80);
            } else if (c == '#') {
                color = RGB(0xFF, 0x80, 0xC0);
                bold = true;
            } else {
                color = RGB(0xFF, 0x00, 0x00);
            }
            break;
        }
        case 2: color = clBlack; break;
        case 3:
            color = RGB(0xFF, 0x00, 0x00);
            bold = true;
            break;
        case 4: case 5: color = RGB(0xBF, 0x00, 0x60); break;
        case 6: case 7: color = RGB(0x60, 0x00, 0xBF); break;
        case 8: case 9: color = RGB(0xA8, 0x17, 0xA0); break;
        default: break;
    }
    if (subItem >= 4 && text == "0") color = RGB(0xDB, 0xDB, 0xDB);
    font.SetColor(color);
    font.SetStyle(bold ? TFontStyles(fsBold) : TFontStyles(0));
}

void TForm1::SaveCollocateTable(const std::string& fileName, TListView* listView) {
    std::string text;
    for (int c = 0; c < listView->ColumnCount(); ++c) {
        text += listView->Column(c)->Caption + "\t";
        if (c == 1) text += "N\tSpan\tF(n)\t";
    }
    text += "\r\n";
    const TFreqInfo& f = gStat->Freq;
    for (int i = 0; i < listView->Items().Count(); ++i) {
        TListItem* item = listView->Items()[i];
        text += item->Caption + "\t";
        for (size_t k = 0; k < item->SubItems.size(); ++k) {
            if (k == 1) text += IntToStr(f.N) + "\t" + IntToStr(f.Span) + "\t" + IntToStr(f.Fn) + "\t";
            text += item->SubItems[k] + "\t";
        }
        text += "\r\n";
    }
    WriteFileReplacing(fileName, text);
}

void TForm1::btnSaveColClick(TObject* /*sender*/) {
    TRunScope scope(this);
    std::string name;
    if (!ChooseSaveTarget("Excel 97-2003 Format (*.xls)|*.xls", name)) return;
    SaveCollocateTable(name, lsvColligate);
    ShellExecute("open", ExtractFilePath(name));
}

void TForm1::lsvColligateDblClick(TObject* /*sender*/) {
    TListItem* row = lsvColligate->Selected();
    if (!row) return;
    ResetPaneFont(rdtDetailCol);
    rdtDetailCol->Select(0, 0);
    std::string collocate = Trim(SubItem(row, 0));
    if (!crbxInsertCol->Checked()) gCollDetail.clear();
    AppendMembers(gStat->GetCollocateHits(collocate, gParam), gQuery2->Hits, gCollDetail);
    btnDisplayColClick(btnDisplayCol);
    edtInfoCol->SetText(IntToStr(static_cast<int64_t>(gCollDetail.size())) + " hit(s).");
    plColDetails->SetEnabled(true);
}

void TForm1::popMenuColPopup(TObject* /*sender*/) {
    int selected = lsvColligate->SelCount();
    itmMerge->Enabled = selected > 1;
    itmDelete->Enabled = selected >= 1;
    itmRename->Enabled = selected == 1;
}

void TForm1::itmDeleteClick(TObject* /*sender*/) {
    if (qlSkinMessage1->MessageDlg(IntToStr(lsvColligate->SelCount()) + " line(s) will be deleted, are you sure?",
                                   TMsgDlgType::mtWarning, mbYes | mbNo) != mrYes)
        return;
    TRunScope scope(this);
    DeleteSelectedRows(lsvColligate);
    ShowCollocateInfo();
    edtInfoCol->SetText("");
}

bool TForm1::NameIsUsable(const std::string& name) {
    if (name.empty()) {
        ShowMessage("The name cannot be blank!");
        return false;
    }
    // A TAB or a line break would split the lists' lines and the saved table's
    // fields; "=" would break the lookup of the corpus frequency.
    if (name.find_first_of("\t\r\n=") != std::string::npos) {
        ShowMessage("A name cannot contain a TAB, a line break or \"=\"!");
        return false;
    }
    return true;
}

int TForm1::IndexOfCollocate(const std::string& mode, const std::string& name) {
    THashedStringList* list = gStat->CollocateList(mode);
    return list ? list->IndexOfName(name) : -1;
}

void TForm1::itmMergeClick(TObject* /*sender*/) {
    std::string answer;
    if (!InputDialog1->InputQuery(IntToStr(lsvColligate->SelCount()) + " lines selected:",
                                  "Please input a new name for the new lines  ", answer))
        return;
    std::string name = Trim(answer);
    // A blank answer is taken as a change of mind, like Cancel.
    if (name.empty() || !NameIsUsable(name)) return;
    TRunScope panel(plColligate);
    TRunScope table(lsvColligate);

    int first = -1;
    TStringList names;
    // A name is one of the selection's as the run told collocates apart: in a
    // case-sensitive run "The" is another collocate's name, not "the"'s.
    names.SetCaseSensitive(gParam.CaseSensitive);
    int64_t sumFc = 0, sumFnc = 0;
    for (int i = 0; i < lsvColligate->Items().Count(); ++i) {
        TListItem* item = lsvColligate->Items()[i];
        if (!item->Selected()) continue;
        if (first < 0) first = i;
        names.Add(Trim(SubItem(item, 0)));
        sumFc += StrToIntDef(SubItem(item, 1), 0);
        sumFnc += StrToIntDef(SubItem(item, 2), 0);
    }
    if (first < 0) return;
    // The lists of the run on screen, whatever the mode box shows now.
    const std::string& mode = gParam.CollocateMode;
    bool ownName = names.IndexOf(name) >= 0;
    if (!ownName && IndexOfCollocate(mode, name) != -1) {
        ShowMessage("This name has been used!");
        return;
    }
    gStat->MergeCollocates(name, names, gParam);
    TFreqInfo freq;
    freq.N = gStat->Freq.N;
    freq.Fn = gStat->Freq.Fn;
    freq.Fc = static_cast<int32_t>(sumFc);
    freq.Fnc = static_cast<int32_t>(sumFnc);
    freq.Span = gStat->Freq.Span;
    if (UpdateMergedRow(lsvColligate, first, name, freq)) {
        // The merged row stays; the rows merged into it go.
        lsvColligate->Items()[first]->SetSelected(false);
        DeleteSelectedRows(lsvColligate);
    }
    ShowCollocateInfo();
    edtInfoCol->SetText("");
}

bool TForm1::UpdateMergedRow(TListView* listView, int index, const std::string& name, const TFreqInfo& freq) {
    if (index < 0 || index >= listView->Items().Count()) return false;
    TListItem* item = listView->Items()[index];
    item->SubItems.resize(9);
    item->SubItems[0] = name + " ";
    item->SubItems[1] = IntToStr(freq.Fc);
    item->SubItems[2] = IntToStr(freq.Fnc);
    long double (*measures[])(const TFreqInfo&) = {TStat::MutualInformation, TStat::MutualInformation3,
                                                    TStat::ZScore,            TStat::TScore,
                                                    TStat::LogLog,            TStat::LogLikelihood};
    for (size_t k = 0; k < 6; ++k) item->SubItems[3 + k] = Score(TStat::RoundScore(measures[k](freq)));
    WidenValueColumns(listView);
    listView->Invalidate();
    return true;
}

void TForm1::itmRenameClick(TObject* /*sender*/) {
    TListItem* row = lsvColligate->Selected();
    if (!row) return;
    std::string old = Trim(SubItem(row, 0));
    std::string answer = old;
    std::string fresh = InputDialog1->InputQuery("Rename Collocate", "Please input a new name for the Collocate  ",
                                                 answer)
                            ? Trim(answer)
                            : old;
    // The lists of the run on screen, whatever the mode box shows now.
    const std::string& mode = gParam.CollocateMode;
    if (!fresh.empty() && IndexOfCollocate(mode, fresh) == -1) {
        if (!NameIsUsable(fresh)) return;
        row->SubItems[0] = fresh + " ";
        lsvColligate->Invalidate();
        RenameCollocate(mode, old, fresh);
    } else if (!SameText(fresh, old)) {
        if (fresh.empty())
            NameIsUsable(fresh);
        else
            ShowMessage("This name has been used!");
    }
}

void TForm1::RenameCollocate(const std::string& mode, const std::string& oldName, const std::string& newName) {
    THashedStringList* list = gStat->CollocateList(mode);
    if (!list) return;
    int i = list->IndexOfName(oldName);
    if (i < 0) return;
    list->SetStrings(i, StringReplace((*list)[i], oldName, newName, rfNone));
}

void TForm1::ConnectCollocatePage() {
    btnCol->OnClick = [this](TObject* s) { btnColClick(s); };
    cbxNode->OnChange = [this](TObject* s) { cbxNodeChange(s); };
    cbxLeftSpan->OnChange = [this](TObject* s) { cbxLeftSpanChange(s); };
    cbxRightSpan->OnChange = [this](TObject* s) { cbxRightSpanChange(s); };
    cbxNode->OnKeyPress = [this](TObject* s, char& k) { cbxNodeKeyPress(s, k); };
    cbxMinValue->OnChange = [this](TObject* s) { cbxMinValueChange(s); };
    btnSaveCol->OnClick = [this](TObject* s) { btnSaveColClick(s); };
    lsvColligate->OnColumnClick = [this](TObject* s, TListColumn* c) { lsvColligateColumnClick(s, c); };
    lsvColligate->OnCompare = [this](TObject* s, TListItem* a, TListItem* b, int d, int& r) {
        lsvColligateCompare(s, a, b, d, r);
    };
    lsvColligate->OnCustomDrawItem = [this](TObject* s, TListItem* i, bool& d) { lsvColligateCustomDrawItem(s, i, d); };
    lsvColligate->OnCustomDrawSubItem = [this](TObject* s, TListItem* i, int k, bool& d) {
        lsvColligateCustomDrawSubItem(s, i, k, d);
    };
    lsvColligate->OnDblClick = [this](TObject* s) { lsvColligateDblClick(s); };
    popMenuCol->OnPopup = [this](TObject* s) { popMenuColPopup(s); };
    itmDelete->OnClick = [this](TObject* s) { itmDeleteClick(s); };
    itmMerge->OnClick = [this](TObject* s) { itmMergeClick(s); };
    itmRename->OnClick = [this](TObject* s) { itmRenameClick(s); };
}
