// The Query page: a free regular-expression concordance over the checked
// files, re-displayed in other modes without a new search, highlighted and saved.

#include <algorithm>

#include "app/RunScope.h"
#include "app/Unit1.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"

void TForm1::btnQueryClick(TObject* /*sender*/) {
    int64_t started = TickCount();
    std::string query = Trim(cbxInputStr->GetText());
    bool resort = crbxReSort->Checked();
    // A search that cannot compile would look like one that found nothing.
    std::string expression = SearchExpression(query, crbxByLit->Checked(), crbxByPOS->Checked());
    if (!resort && !ExpressionIsUsable(expression)) return;

    gLastView.clear();
    ResetPaneFont(rdtResult);
    cbxQSearch->SetText("");
    lblInfo->SetCaption("");

    if (cbxInputStr->Items().IndexOf(query) < 0) cbxInputStr->Items().Add(query);
    cbxInputStrN->Items().Assign(cbxInputStr->Items());
    cbxNode->Items().Assign(cbxInputStr->Items());

    edtInfo->SetText("");
    {
    TRunScope input(cbxInputStr), button(btnQuery), save(btnSave), settings(tsSettings), display(plDisplay);
    rdtResult->Clear();
    TRunScope gauge(nullptr, Timer1, plGauge);

    if (!resort) {
        SearchCorpus(expression, crbxCaseSen->Checked(), ggCurLine);
        // The page keeps its own copy: the Count page searches with the same engine.
        gQueryHits = gQuery->Hits.ToArray();
    }
    gauge.StopGauge();
    int64_t searched = TickCount();
    std::string queryTime = FloatToStr((searched - started) / 1000.0);

    if (!gQueryHits.empty()) {
        std::string view = cbxL->GetText() + cbxC->GetText() + cbxR->GetText();
        if (!(resort && view == gLastView))
            FormatColumns(cbxL->GetText(), cbxC->GetText(), cbxR->GetText(), gWidths, gHits, gQueryHits);
        WriteConcordance(cbxSortType->GetText(), gWidths, ggCurLine, crbxCaseSen->Checked(), gLineSegs, gLineRowSegs,
                         gHits, rdtResult);
        gLastView = view;
    } else {
        gHits.clear();
    }
    bool any = !gQueryHits.empty();
    crbxReSort->SetVisible(any);
    plQSearch->SetVisible(any);
    std::string outputTime = FloatToStr((TickCount() - searched) / 1000.0);
    std::string count = rdtResult->Lines().Count() > 0 ? IntToStr(rdtResult->Lines().Count() - 1) : "0";
    lblInfo->SetCaption("    Hit(s): " + count);
    edtInfo->SetText("Query Time: " + queryTime + " secs.    Output Time: " + outputTime + " secs.   " + count +
                     " hit(s).");
    }
    // The query box stays locked while "Change  Mode" is checked.
    cbxInputStr->SetEnabled(!crbxReSort->Checked());
}

std::string TForm1::SearchExpression(const std::string& typed, bool literal, bool tags) const {
    std::string query = Trim(typed);
    if (literal)
        query = ConvertQuery(query, gSplitters, true);
    else if (tags)
        query = ConvertQuery(query, gSplitters, false);
    if (gSplitters.empty() || cbxLeftRangeNum->ItemIndex() + cbxRightRangeNum->ItemIndex() == 0)
        query = WholeWord(query);
    return query;
}

namespace {

// The search gauge's range: the corpus's bytes searched, in ten-thousandths.
constexpr int kSearchGaugeSteps = 10000;

}  // namespace

void TForm1::SearchCorpus(const std::string& expression, bool caseSensitive, TqlSkinGauge* gauge) {
    gQuery->Clear();
    gauge->SetMinValue(0);
    std::vector<std::string> paths;
    for (int i = 0; i < clbFileList->Items().Count(); ++i)
        if (clbFileList->Checked(i))
            paths.push_back(IncludeTrailingPathDelimiter(lblDir->Caption()) + clbFileList->Items()[i]);
    // The files are searched side by side, their hits kept in file order: the
    // gauge follows the bytes searched of the whole corpus, and the file named
    // is the first one not yet searched to its end.
    gauge->SetMaxValue(kSearchGaugeSteps);
    auto showProgress = [&](const TSearchProgress& state) {
        gProgress = static_cast<int>(state.BytesDone * kSearchGaugeSteps / std::max<uint64_t>(state.Bytes, 1));
        const size_t file = std::min(state.FilesDone + 1, std::max<size_t>(state.Files, 1));
        gauge->SetProgressText("Analyzing file " + IntToStr(static_cast<int64_t>(file)) + "...   " +
                               IntToStr(gFileCount) + " file(s) in queue...  ");
    };
    showProgress(TSearchProgress{0, paths.size(), 0, 0});
    gQuery->SearchFiles(paths, gSplitters, expression, caseSensitive, StrToInt(cbxLeftRangeNum->GetText()),
                        StrToInt(cbxRightRangeNum->GetText()), gProgress, false, showProgress);
    gProgress = 0;
    ReportLeftOutFiles(gQuery->LeftOutFiles);
    ReportSkippedLines(*gQuery);
}

void TForm1::cbxInputStrChange(TObject* /*sender*/) { btnQuery->SetEnabled(!Trim(cbxInputStr->GetText()).empty()); }

void TForm1::cbxInputStrKeyPress(TObject* /*sender*/, char& key) {
    if (key != '\r' || Trim(cbxInputStr->GetText()).empty()) return;
    key = 0;
    btnQueryClick(btnQuery);
}

void TForm1::cbxQSearchKeyPress(TObject* /*sender*/, char& key) {
    if (key != '\r' || Trim(cbxQSearch->GetText()).empty()) return;
    key = 0;
    btnHighlightClick(btnHighlight);
}

void TForm1::crbxByLitClick(TObject* /*sender*/) {
    if (crbxByLit->Checked()) crbxByPOS->SetChecked(false);
}

void TForm1::crbxByPOSClick(TObject* /*sender*/) {
    if (crbxByPOS->Checked()) crbxByLit->SetChecked(false);
}

void TForm1::crbxReSortClick(TObject* /*sender*/) {
    bool open = !crbxReSort->Checked();
    for (TControl* c : std::initializer_list<TControl*>{cbxInputStr, crbxByLit, crbxByPOS, tsSettings}) c->SetEnabled(open);
    gCountDetail.clear();
}

void TForm1::crbxPOSClick(TObject* /*sender*/) { edtInfo->SetText(""); }

void TForm1::lblInfoClick(TObject* /*sender*/) {
    qlSkinMessage1->MessageDlg(lblInfo->Caption(), TMsgDlgType::mtInformation, mbOK, 0);
}

void TForm1::lblInfoDblClick(TObject* sender) { lblInfoClick(sender); }

void TForm1::ShowQueryCaretHit() {
    std::string info;
    HitInfoLine(gQueryHits, gHits, CaretLine(rdtResult) - 1, info, crbxPOS->Checked() ? "POS" : "WORD");
    edtInfo->SetText(info);
}

void TForm1::rdtResultKeyUp(TObject* /*sender*/, uint16_t& /*key*/, TShiftState /*shift*/) { ShowQueryCaretHit(); }

void TForm1::rdtResultMouseDown(TObject* /*sender*/, TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/,
                                int /*y*/) {
    ShowQueryCaretHit();
}

void TForm1::rdtResultSelectionChange(TObject* /*sender*/) {
    PaneSelectionChanged(rdtResult, crbxShowSelection, cbxQSearch);
}

void TForm1::rdtResultKeyPress(TObject* /*sender*/, char& key) {
    if (key == '\r' && !Trim(rdtResult->SelText()).empty() && crbxShowSelection->Checked())
        btnHighlightClick(btnHighlight);
}

void TForm1::rdtResultMouseUp(TObject* /*sender*/, TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/,
                              int /*y*/) {
    ShowTagHint(rdtResult);
}

void TForm1::rdtResultExit(TObject* /*sender*/) {
    rdtResult->Hint.clear();
    rdtResult->ShowHint = false;
}

void TForm1::crbxShowTagHintClick(TObject* /*sender*/) {
    rdtResult->Hint.clear();
    rdtResult->ShowHint = crbxShowTagHint->Checked();
}

void TForm1::btnHighlightClick(TObject* /*sender*/) {
    if (!PaneShowsHits(rdtResult)) return;
    gProgress = 0;
    TRunScope search(plQSearch), display(plDisplay), query(plQuery);
    ggCurLine->SetMaxValue(rdtResult->Lines().Count());
    ggCurLine->SetMinValue(0);
    TRunScope gauge(nullptr, Timer1, plGauge);
    ggCurLine->SetProgressText("");
    MarkPane(rdtResult, {cbxQSearch, cbxSearchRange, ccbxQColor, crbxShowSelection, lblInfo}, !crbxCaseSen->Checked(),
             gLineSegs, gLineRowSegs);
}

void TForm1::btnSaveClick(TObject* /*sender*/) {
    TRunScope busy(this);
    std::string name;
    if (!ChooseSaveTarget("Plain Text Format (*.txt)|*.txt|Rich Text Format (*.rtf)|*.rtf", name)) return;
    if (SaveDialog1->FilterIndex == 2)
        WriteFileReplacing(name, rdtResult->SaveToBytes(true));
    else if (SaveDialog1->FilterIndex == 1)
        WriteFileReplacing(name, rdtResult->Lines().Text());
    else
        return;
    ShellExecute("open", ExtractFilePath(name));
}

void TForm1::ConnectQueryPage() {
    btnQuery->OnClick = [this](TObject* s) { btnQueryClick(s); };
    cbxInputStr->OnChange = [this](TObject* s) { cbxInputStrChange(s); };
    cbxInputStr->OnKeyPress = [this](TObject* s, char& k) { cbxInputStrKeyPress(s, k); };
    cbxQSearch->OnKeyPress = [this](TObject* s, char& k) { cbxQSearchKeyPress(s, k); };
    crbxByLit->OnClick = [this](TObject* s) { crbxByLitClick(s); };
    crbxByPOS->OnClick = [this](TObject* s) { crbxByPOSClick(s); };
    crbxReSort->OnClick = [this](TObject* s) { crbxReSortClick(s); };
    crbxInsertCol->OnClick = [this](TObject* s) { crbxReSortClick(s); };
    crbxPOS->OnClick = [this](TObject* s) { crbxPOSClick(s); };
    lblInfo->OnClick = [this](TObject* s) { lblInfoClick(s); };
    lblInfo->OnDblClick = [this](TObject* s) { lblInfoDblClick(s); };
    rdtResult->OnKeyUp = [this](TObject* s, uint16_t& k, TShiftState sh) { rdtResultKeyUp(s, k, sh); };
    rdtResult->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rdtResultMouseDown(s, b, sh, x, y);
    };
    rdtResult->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rdtResultMouseUp(s, b, sh, x, y);
    };
    rdtResult->OnSelectionChange = [this](TObject* s) { rdtResultSelectionChange(s); };
    rdtResult->OnKeyPress = [this](TObject* s, char& k) { rdtResultKeyPress(s, k); };
    rdtResult->OnExit = [this](TObject* s) { rdtResultExit(s); };
    crbxShowTagHint->OnClick = [this](TObject* s) { crbxShowTagHintClick(s); };
    btnHighlight->OnClick = [this](TObject* s) { btnHighlightClick(s); };
    btnSave->OnClick = [this](TObject* s) { btnSaveClick(s); };
}
