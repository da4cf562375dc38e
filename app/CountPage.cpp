// The Count page: identical concordance lines counted into groups, listed on
// demand, with the detail lines of a group in their own pane.

#include <algorithm>

#include "app/RunScope.h"
#include "app/Unit1.h"
#include "engine/Counting.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"

namespace {

// Every field of a grouping key starts with this mark, so that an empty
// field is never lost at the key's edge and no text of the corpus (a dash
// tagged "-", say) reads as an empty context.
const char kFieldMark = '|';

// A TAB inside a context would split a grouping key in the wrong place; on
// screen it reads as a blank anyway.
std::string KeyField(const std::string& text) {
    std::string field = kFieldMark + text;
    std::replace(field.begin(), field.end(), '\t', ' ');
    return field;
}

std::string Shown(const std::string& field) { return field.empty() ? field : field.substr(1); }

}  // namespace

void TForm1::GroupCountHits(TArrResultStr& hits, bool caseSensitive) {
    // Each hit's index stays apart from its key, which may hold any text
    // ("C#", "###"), and identical keys are grouped in one pass, however
    // many lines a group has.
    TTokenTable keys;
    TKeyHitList entries(hits.size());
    for (size_t i = 0; i < hits.size(); ++i)
        entries[i] = {keys.Intern(KeyField(hits[i].Left) + "\t" + KeyField(hits[i].Center) + "\t" +
                                  KeyField(hits[i].Right)),
                      static_cast<int32_t>(i)};
    TStringList groups;
    GroupKeyHits(entries, keys, static_cast<int>(hits.size()), !caseSensitive, groups);
    hits.assign(static_cast<size_t>(groups.Count()), TResultStr());
    for (int j = 0; j < groups.Count(); ++j) {
        std::string line = Trim(groups[j]);
        // left TAB centre TAB right TAB count TAB members; no field holds a TAB.
        std::vector<std::string> fields;
        size_t start = 0;
        for (int k = 0; k < 4; ++k) {
            size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            start = tab == std::string::npos ? line.size() : tab + 1;
        }
        TResultStr& group = hits[static_cast<size_t>(j)];
        group.Left = Shown(fields[0]);
        group.Center = Shown(fields[1]);
        group.Right = Shown(fields[2]);
        group.Count = StrToIntDef(fields[3], 0);
        group.Members = line.substr(start);
        group.Index = -1;
    }
}

void TForm1::SortCountHits(const std::string& mode, TArrResultStr& hits, bool caseSensitive) {
    int last = static_cast<int>(hits.size()) - 1;
    if (mode.find("CENTER") != std::string::npos)
        TDisplay::QuickSortCenter(hits, 0, last, mode, caseSensitive);
    else if (mode.find("LEFT") != std::string::npos)
        TDisplay::QuickSortLeft(hits, 0, last, caseSensitive);
    else if (mode.find("RIGHT") != std::string::npos)
        TDisplay::QuickSortRight(hits, 0, last, caseSensitive);
    else if (mode.find("Freq.") != std::string::npos)
        TDisplay::QuickSortCount(hits, 0, last);
}

void TForm1::PrepareCountListView(TListView* listView) {
    int w = listView->Canvas().TextWidth("W") + 4;
    listView->SetOwnerData(true);
    listView->Items().SetCount(static_cast<int>(gCountHits.size()));
    listView->SetColumnWidth(2, std::max(w * gCountWidths[0], 160));
    listView->SetColumnWidth(3, std::max(w * gCountWidths[1], 124));
    listView->SetColumnWidth(4, std::max(w * gCountWidths[2], 160));
    // A frequent word's tag patterns count in the hundreds of thousands.
    listView->SetColumnWidth(1, std::max(listView->Column(1)->Width, listView->ContentWidth(1)));
}

void TForm1::lsvCountResultData(TObject* /*sender*/, TListItem* item) {
    int r = item->Index();
    if (r < 0 || r >= static_cast<int>(gCountHits.size())) return;
    const TResultStr& g = gCountHits[static_cast<size_t>(r)];
    auto blanks = [](int n) { return TDisplay::RepeatStr(" ", n); };
    const std::array<int, 3> shown = ShownColumns(g);
    int left = shown[0], centre = shown[1], right = shown[2];
    item->Caption = " " + IntToStr(r + 1) + ". ";
    std::string centreText = cbxSortTypeN1->GetText() == "CENTER-R"
                                 ? " " + blanks(gCountWidths[1] - centre + 1) + g.Center + " "
                                 : " " + g.Center + blanks(gCountWidths[1] - centre + 1) + " ";
    item->SubItems = {" " + IntToStr(g.Count) + " ", blanks(gCountWidths[0] - left + 3) + " " + g.Left + "  ",
                      centreText, "  " + g.Right + " " + blanks(gCountWidths[2] - right + 3)};
}

void TForm1::lsvCountResultCustomDrawItem(TObject* /*sender*/, TListItem* item, bool& /*defaultDraw*/) {
    lsvCountResult->Canvas().Brush().Color = item->Index() % 2 == 1 ? RGB(247, 255, 255) : RGB(254, 245, 254);
}

void TForm1::lsvCountResultCustomDrawSubItem(TObject* /*sender*/, TListItem* item, int subItem, bool& defaultDraw) {
    lsvCountResultCustomDrawItem(lsvCountResult, item, defaultDraw);
    TFont& font = lsvCountResult->Canvas().Font();
    font.SetColor(subItem == 1 ? RGB(0, 0, 255) : clBlack);
    font.SetStyle(subItem == 1 ? TFontStyles(fsBold) : TFontStyles(0));
}

void TForm1::btnQueryNClick(TObject* /*sender*/) {
    int64_t started = TickCount();
    std::string query = Trim(cbxInputStrN->GetText());
    bool resort = crbxReSortN->Checked();
    // A search that cannot compile would look like one that found nothing.
    std::string expression = SearchExpression(query, crbxByLitN->Checked(), crbxByPOSN->Checked());
    if (!resort && !ExpressionIsUsable(expression)) return;

    gCountLastView.clear();
    gCountDetail.clear();
    lblInfoN1->SetEnabled(true);

    if (cbxInputStrN->Items().IndexOf(query) < 0) cbxInputStrN->Items().Add(query);
    cbxInputStr->Items().Assign(cbxInputStrN->Items());
    cbxNode->Items().Assign(cbxInputStrN->Items());

    ResetPaneFont(rdtDetail);
    rdtDetail->Clear();
    cbxQSearchN->SetText("");
    lblInfoN1->SetCaption("");
    lblInfoN2->SetCaption("");
    lsvCountResult->Items().SetCount(0);
    {
        TRunScope busy(this);
        TRunScope gauge(nullptr, Timer1, plGaugeN);
        if (!resort) {
            SearchCorpus(expression, crbxCaseSenN->Checked(), ggCurLineN);
            // The groups index these hits: the Query page searches with the same engine.
            gCountSearchHits = gQuery->Hits.ToArray();
            gCountHits = gCountSearchHits;
            gCountHitTotal = static_cast<int>(gCountSearchHits.size());
        }
        gauge.StopGauge();
        int64_t searched = TickCount();
        std::string queryTime = FloatToStr((searched - started) / 1000.0);
        // With "Change Mode" the list holds groups: the hit figure stays that of the search.
        int hits = gCountHitTotal;
        if (hits > 0) {
            std::string view = cbxLN1->GetText() + cbxCN1->GetText() + cbxRN1->GetText();
            if (!(resort && view == gCountLastView)) {
                FormatColumns(cbxLN1->GetText(), cbxCN1->GetText(), cbxRN1->GetText(), gCountWidths, gCountHits,
                              gCountSearchHits);
                GroupCountHits(gCountHits, crbxCaseSenN->Checked());
            }
            SortCountHits(cbxSortTypeN1->GetText(), gCountHits, crbxCaseSenN->Checked());
            PrepareCountListView(lsvCountResult);
            gCountLastView = view;
        } else {
            gCountHits.clear();
        }
        std::string outputTime = FloatToStr((TickCount() - searched) / 1000.0);
        int rows = static_cast<int>(gCountHits.size());
        lblInfoN1->SetCaption("    Hit(s): " + IntToStr(rows) + " / " + IntToStr(hits));
        edtInfoN->SetText("Query Time: " + queryTime + " secs.    Output Time: " + outputTime + " secs.   " +
                          IntToStr(rows) + " / " + IntToStr(hits) + " hit(s).");
        crbxReSortN->SetVisible(hits > 0);
    }
    cbxInputStrN->SetEnabled(!crbxReSortN->Checked());
    btnSaveN->SetEnabled(!gCountHits.empty());
}

void TForm1::ShowGroupDetail(const std::string& members) {
    if (!crbxInsert->Checked()) gCountDetail.clear();
    // The indexes are the search's.
    AppendMembers(members, gCountSearchHits, gCountDetail);
    btnDisplayClick(btnDisplay);
}

void TForm1::lsvCountResultDblClick(TObject* /*sender*/) {
    TListItem* row = lsvCountResult->Selected();
    if (lsvCountResult->Items().Count() == 0 || !row) return;
    int r = row->Index();
    if (r < 0 || r >= static_cast<int>(gCountHits.size())) return;
    ResetPaneFont(rdtDetail);
    ShowGroupDetail(gCountHits[static_cast<size_t>(r)].Members);
    edtInfoN->SetText(IntToStr(static_cast<int64_t>(gCountDetail.size())) + " hit(s).");
}

void TForm1::btnDisplayClick(TObject* /*sender*/) {
    if (gCountDetail.empty()) return;
    // The marks go with the lines they were counted on.
    lblInfoN2->SetCaption("");
    FormatColumns(cbxLN2->GetText(), cbxCN2->GetText(), cbxRN2->GetText(), gDetailWidths, gCountDetailView,
                  gCountDetail);
    WriteConcordance(cbxSortTypeN2->GetText(), gDetailWidths, ggCurLineN, crbxCaseSenN->Checked(), gDetailSegs,
                     gDetailRowSegs, gCountDetailView, rdtDetail);
}

void TForm1::btnSaveNClick(TObject* /*sender*/) {
    TRunScope busy(this);
    std::string name;
    if (!ChooseSaveTarget("Plain Text Format (*.txt)|*.txt", name)) return;
    std::string text;
    for (int r = 0; r < lsvCountResult->Items().Count(); ++r) {
        TListItem* item = lsvCountResult->Items()[r];
        text += IntToStr(r + 1) + ".\t";
        for (size_t k = 0; k < 4 && k < item->SubItems.size(); ++k) text += item->SubItems[k] + "\t";
        text += "\r\n";
    }
    WriteFileReplacing(name, text);
    ShellExecute("open", ExtractFilePath(name));
}

void TForm1::btnHighlightNClick(TObject* /*sender*/) {
    if (!PaneShowsHits(rdtDetail)) return;
    TRunScope busy(this);
    lblInfoN2->SetEnabled(true);
    MarkPane(rdtDetail, {cbxQSearchN, cbxSearchRangeN, ccbxQColorN, crbxShowSelectionN, lblInfoN2},
             !crbxCaseSenN->Checked(), gDetailSegs, gDetailRowSegs);
}

void TForm1::crbxReSortNClick(TObject* /*sender*/) {
    bool open = !crbxReSortN->Checked();
    for (TControl* c : std::initializer_list<TControl*>{cbxInputStrN, crbxByLitN, crbxByPOSN, tsSettings})
        c->SetEnabled(open);
}

void TForm1::ShowCountCaretHit() {
    std::string info;
    HitInfoLine(gCountDetail, gCountDetailView, CaretLine(rdtDetail) - 1, info, crbxPOSN->Checked() ? "POS" : "WORD");
    edtInfoN->SetText(info);
}

void TForm1::cbxInputStrNChange(TObject* /*sender*/) { btnQueryN->SetEnabled(!Trim(cbxInputStrN->GetText()).empty()); }

void TForm1::cbxInputStrNKeyPress(TObject* /*sender*/, char& key) {
    if (key != '\r' || Trim(cbxInputStrN->GetText()).empty()) return;
    key = 0;
    btnQueryNClick(btnQueryN);
}

void TForm1::cbxQSearchNKeyPress(TObject* /*sender*/, char& key) {
    if (key != '\r' || Trim(cbxQSearchN->GetText()).empty()) return;
    key = 0;
    btnHighlightNClick(btnHighlightN);
}

void TForm1::crbxByLitNClick(TObject* /*sender*/) {
    if (crbxByLitN->Checked()) crbxByPOSN->SetChecked(false);
}

void TForm1::crbxByPOSNClick(TObject* /*sender*/) {
    if (crbxByPOSN->Checked()) crbxByLitN->SetChecked(false);
}

void TForm1::lblInfoN1Click(TObject* /*sender*/) {
    qlSkinMessage1->MessageDlg(lblInfoN1->Caption(), TMsgDlgType::mtInformation, mbOK, 0);
}

void TForm1::lblInfoN1DblClick(TObject* sender) { lblInfoN1Click(sender); }

void TForm1::lblInfoN2Click(TObject* /*sender*/) {
    qlSkinMessage1->MessageDlg(lblInfoN2->Caption(), TMsgDlgType::mtInformation, mbOK, 0);
}

void TForm1::lblInfoN2DblClick(TObject* sender) { lblInfoN2Click(sender); }

void TForm1::rdtDetailChange(TObject* /*sender*/) { plResult2->SetEnabled(!Trim(rdtDetail->GetText()).empty()); }

void TForm1::rdtDetailKeyUp(TObject* /*sender*/, uint16_t& /*key*/, TShiftState /*shift*/) { ShowCountCaretHit(); }

void TForm1::rdtDetailMouseDown(TObject* /*sender*/, TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/,
                                int /*y*/) {
    ShowCountCaretHit();
}

void TForm1::rdtDetailSelectionChange(TObject* /*sender*/) {
    PaneSelectionChanged(rdtDetail, crbxShowSelectionN, cbxQSearchN);
}

void TForm1::rdtDetailKeyPress(TObject* /*sender*/, char& key) {
    if (key == '\r' && !Trim(rdtDetail->SelText()).empty() && crbxShowSelectionN->Checked())
        btnHighlightNClick(btnHighlightN);
}

void TForm1::rdtDetailMouseUp(TObject* /*sender*/, TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/,
                              int /*y*/) {
    ShowTagHint(rdtDetail);
}

void TForm1::rdtDetailExit(TObject* /*sender*/) {
    rdtDetail->Hint.clear();
    rdtDetail->ShowHint = false;
}

void TForm1::ConnectCountPage() {
    btnQueryN->OnClick = [this](TObject* s) { btnQueryNClick(s); };
    cbxInputStrN->OnChange = [this](TObject* s) { cbxInputStrNChange(s); };
    cbxInputStrN->OnKeyPress = [this](TObject* s, char& k) { cbxInputStrNKeyPress(s, k); };
    cbxQSearchN->OnKeyPress = [this](TObject* s, char& k) { cbxQSearchNKeyPress(s, k); };
    crbxByLitN->OnClick = [this](TObject* s) { crbxByLitNClick(s); };
    crbxByPOSN->OnClick = [this](TObject* s) { crbxByPOSNClick(s); };
    crbxReSortN->OnClick = [this](TObject* s) { crbxReSortNClick(s); };
    crbxInsert->OnClick = [this](TObject* s) { crbxReSortClick(s); };
    lblInfoN1->OnClick = [this](TObject* s) { lblInfoN1Click(s); };
    lblInfoN1->OnDblClick = [this](TObject* s) { lblInfoN1DblClick(s); };
    lblInfoN2->OnClick = [this](TObject* s) { lblInfoN2Click(s); };
    lblInfoN2->OnDblClick = [this](TObject* s) { lblInfoN2DblClick(s); };
    lsvCountResult->OnData = [this](TObject* s, TListItem* i) { lsvCountResultData(s, i); };
    lsvCountResult->OnCustomDrawItem = [this](TObject* s, TListItem* i, bool& d) { lsvCountResultCustomDrawItem(s, i, d); };
    lsvCountResult->OnCustomDrawSubItem = [this](TObject* s, TListItem* i, int k, bool& d) {
        lsvCountResultCustomDrawSubItem(s, i, k, d);
    };
    lsvCountResult->OnDblClick = [this](TObject* s) { lsvCountResultDblClick(s); };
    btnDisplay->OnClick = [this](TObject* s) { btnDisplayClick(s); };
    btnSaveN->OnClick = [this](TObject* s) { btnSaveNClick(s); };
    btnHighlightN->OnClick = [this](TObject* s) { btnHighlightNClick(s); };
    rdtDetail->OnChange = [this](TObject* s) { rdtDetailChange(s); };
    rdtDetail->OnKeyUp = [this](TObject* s, uint16_t& k, TShiftState sh) { rdtDetailKeyUp(s, k, sh); };
    rdtDetail->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rdtDetailMouseDown(s, b, sh, x, y);
    };
    rdtDetail->OnSelectionChange = [this](TObject* s) { rdtDetailSelectionChange(s); };
    rdtDetail->OnKeyPress = [this](TObject* s, char& k) { rdtDetailKeyPress(s, k); };
    rdtDetail->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rdtDetailMouseUp(s, b, sh, x, y);
    };
    rdtDetail->OnExit = [this](TObject* s) { rdtDetailExit(s); };
}
