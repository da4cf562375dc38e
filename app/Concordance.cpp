// Concordance display: hits formatted into columns, sorted, written into a
// pane as plain or coloured text, highlighted, and the events of the
// collocate detail pane.

#include <algorithm>

#include "app/RunScope.h"
#include "app/Unit1.h"
#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/Dialogs.h"

namespace {

std::string Blanks(int n) { return std::string(static_cast<size_t>(std::max(n, 0)), ' '); }

int Length(const std::string& s) { return static_cast<int>(s.size()); }

// The widest a column is padded to, in columns on screen. Every line is
// padded to its column's widest text, so one long blank-free token would
// otherwise make every line as long; a longer text is written whole and
// simply not padded.
constexpr int kMaxPaddedWidth = 400;

const char kNoMemory[] = "Not enough memory to display the concordance!";

}  // namespace

void TForm1::FormatColumns(const std::string& leftMode, const std::string& centerMode, const std::string& rightMode,
                           std::array<int, 3>& widths, TArrResultStr& view, const TArrResultStr& hits) {
    widths = {0, 0, 0};
    try {
        view.assign(hits.size(), TResultStr());
        for (size_t i = 0; i < hits.size(); ++i) {
            ProcessMessages();
            TResultStr& v = view[i];
            v.Left = TDisplay::FormatToken(hits[i].Left, gSplitters, leftMode);
            v.Center = TDisplay::FormatToken(hits[i].Center, gSplitters, centerMode);
            v.Right = TDisplay::FormatToken(hits[i].Right, gSplitters, rightMode);
            v.FileName = hits[i].FileName;
            v.Index = static_cast<int32_t>(i);
            const std::array<int, 3> columns = ShownColumns(v);
            for (size_t k = 0; k < 3; ++k) widths[k] = std::max(widths[k], columns[k]);
        }
        for (int& width : widths) width = std::min(width, kMaxPaddedWidth);
    } catch (const std::bad_alloc&) {
        // The window and the user's tables outlive a view that does not fit.
        view = TArrResultStr();
        widths = {0, 0, 0};
        ShowMessage(kNoMemory);
    }
}

std::array<int, 3> TForm1::ShownColumns(const TResultStr& hit) {
    const bool utf8 = IsValidUtf8(hit.Left) && IsValidUtf8(hit.Center) && IsValidUtf8(hit.Right);
    return {TextColumns(hit.Left, utf8), TextColumns(hit.Center, utf8), TextColumns(hit.Right, utf8)};
}

void TForm1::WriteConcordance(const std::string& sortMode, const std::array<int, 3>& widths, TqlSkinGauge* gauge,
                              bool caseSensitive, std::array<int, 5>& columnWidths, TLineSegments& rowSegments,
                              TArrResultStr& view, TRichEdit* richEdit) {
    try {
        WriteConcordanceLines(sortMode, widths, gauge, caseSensitive, columnWidths, rowSegments, view, richEdit);
    } catch (const std::bad_alloc&) {
        rowSegments = TLineSegments();
        richEdit->Clear();
        gauge->SetValue(gauge->MaxValue());
        ShowMessage(kNoMemory);
    }
}

void TForm1::WriteConcordanceLines(const std::string& sortMode, const std::array<int, 3>& widths,
                                   TqlSkinGauge* gauge, bool caseSensitive, std::array<int, 5>& columnWidths,
                                   TLineSegments& rowSegments, TArrResultStr& view, TRichEdit* richEdit) {
    int n = static_cast<int>(view.size());
    if (sortMode.find("CENTER") != std::string::npos)
        TDisplay::QuickSortCenter(view, 0, n - 1, sortMode, caseSensitive);
    else if (sortMode.find("LEFT") != std::string::npos)
        TDisplay::QuickSortLeft(view, 0, n - 1, caseSensitive);
    else if (sortMode.find("RIGHT") != std::string::npos)
        TDisplay::QuickSortRight(view, 0, n - 1, caseSensitive);
    else if (sortMode.find("FILE") != std::string::npos)
        TDisplay::QuickSortFile(view, 0, n - 1);

    bool coloured = crbxShowColor->Checked();
    bool showFiles = crbxShowFileName->Checked();
    int numberWidth = Length(IntToStr(n));
    TStringList lines;
    lines.Reserve(n + 5);
    rowSegments.assign(static_cast<size_t>(n), {});
    std::string number, left, centre, right, file, line;
    // The highlight ranges are measured on a line padded to the widths, not on
    // one whose long text stands unpadded; the last line when none is.
    int measured = -1;
    // The lengths of " " + number + ".\t", left + "\t ", centre, right + "\t" and file + " ".
    auto measure = [&]() -> std::array<int, 5> {
        return {Length(number) + 3, Length(left) + 2, Length(centre), Length(right) + 1,
                showFiles ? Length(file) + 1 : 0};
    };
    for (int i = 0; i < n; ++i) {
        ProcessMessages();
        gauge->SetProgressText("Outputting Line " + IntToStr(i + 1) + "...   " + IntToStr(n - i - 1) +
                               " lines in queque... ");
        gauge->SetValue(i + 1);
        const TResultStr& v = view[static_cast<size_t>(i)];
        // Padded by the columns the texts take on screen, not by their bytes.
        const std::array<int, 3> shown = ShownColumns(v);
        std::string digits = IntToStr(i + 1);
        number = Blanks(numberWidth - Length(digits)) + digits;
        left = Blanks(widths[0] - shown[0] + 3) + " " + v.Left + " ";
        std::string pad = Blanks(widths[1] - shown[1] + 1);
        centre = sortMode == "CENTER-R" ? pad + v.Center : v.Center + pad;
        right = " " + v.Right + " " + Blanks(widths[2] - shown[2] + 3);
        // Names are shown whole: on this system they are UTF-8, or code page 936 bytes read as such.
        file = showFiles ? ToUtf8(v.FileName) : std::string();
        if (coloured)
            TDisplay::RtfLine(" " + number + ".\t", left + "\t ", centre + "\t ", right + "\t ", file + " ", i, line);
        else
            line = " " + number + ".\t" + left + "\t " + centre + "\t " + right + "\t" + file + " ";
        lines.Add(line);
        rowSegments[static_cast<size_t>(i)] = measure();
        if (shown[0] <= widths[0] && shown[1] <= widths[1] && shown[2] <= widths[2]) measured = i;
    }
    if (measured < 0) measured = n - 1;
    columnWidths = n > 0 ? rowSegments[static_cast<size_t>(measured)] : measure();
    if (coloured)
        TDisplay::WriteRtfHeader(lines, sldFontSize->Value());
    else
        lines.Insert(0, "");
    gauge->SetValue(gauge->MaxValue());
    // Straight from memory: no working file in the current folder, whose own
    // "tmp" it would overwrite and which may not be writable at all.
    richEdit->LoadFromBytes(lines.Text(), coloured);
    // In coloured lines the blank after the control word before each context
    // is the word's delimiter, so those columns stand one character to the
    // left of the plain text's: measure the line as the pane shows it.
    // Every coloured line loses the same delimiters, so each line's own
    // widths move as the measured line's do.
    if (coloured && n > 0) {
        const std::array<int, 5> plain = columnWidths;
        MeasureSegments(richEdit->Lines()[measured + 1], showFiles, columnWidths);
        for (std::array<int, 5>& row : rowSegments)
            for (size_t k = 0; k < 5; ++k) row[k] += columnWidths[k] - plain[k];
    }
}

void TForm1::MeasureSegments(const std::string& line, bool showFiles, std::array<int, 5>& segments) {
    std::vector<int> tabs;
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '\t') tabs.push_back(static_cast<int>(i));
    // A context holding a TAB of its own leaves the measures of the text as written.
    if (tabs.size() != 4) return;
    segments[0] = tabs[0] + 1;
    segments[1] = tabs[1] + 2 - segments[0];
    segments[2] = tabs[2] - segments[0] - segments[1];
    segments[3] = tabs[3] - tabs[2] - 1;
    segments[4] = showFiles ? Length(line) - tabs[3] - 1 : 0;
}

void TForm1::HitInfoLine(const TArrResultStr& hits, const TArrResultStr& view, int lineIndex, std::string& info,
                         const std::string& mode) {
    info.clear();
    if (lineIndex < 0 || lineIndex >= static_cast<int>(view.size())) return;
    int hitIndex = view[static_cast<size_t>(lineIndex)].Index;
    if (hitIndex < 0 || hitIndex >= static_cast<int>(hits.size())) return;
    const TResultStr& hit = hits[static_cast<size_t>(hitIndex)];
    info = IntToStr(lineIndex + 1) + ".\t" + TDisplay::FormatToken(hit.Left, gSplitters, mode) + "     " +
           TDisplay::FormatToken(hit.Center, gSplitters, mode) + "    " +
           TDisplay::FormatToken(hit.Right, gSplitters, mode) + "\t";
    std::replace(info.begin(), info.end(), '#', ' ');
}

void TForm1::ReportSkippedLines(const TQuery& query) {
    if (query.SkippedLines > 0)
        ShowMessage(IntToStr(query.SkippedLines) +
                    " line(s) skipped: the expression took too long to match on them.");
}

void TForm1::ReportLeftOutFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    // A folder may hold hundreds of them: the box names the first few, so that it fits on the screen.
    constexpr size_t kNamed = 10;
    std::string list;
    for (size_t i = 0; i < std::min(names.size(), kNamed); ++i) list += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > kNamed) list += " and " + IntToStr(static_cast<int64_t>(names.size() - kNamed)) + " more";
    ShowMessage(IntToStr(static_cast<int64_t>(names.size())) + " file(s) left out: " + list +
                ". They start with a UTF-16 byte-order mark, and only UTF-8 or code page 936 text can be "
                "read; save them as UTF-8 to use them.");
}

std::string TForm1::ConvertQuery(const std::string& query, const std::string& splitters, bool literal) {
    return TDisplay::ConvertQuery(query, splitters, literal);
}

namespace {

template <class Hits>
void AppendMembersOf(const std::string& members, const Hits& hits, TArrResultStr& detail) {
    TStringList pieces;
    TRegExpr(",").Split(members, pieces);
    int number = 0;
    // The piece after the last comma is empty.
    for (int i = 0; i + 1 < pieces.Count(); ++i) {
        int index = StrToIntDef(pieces[i], -1);
        if (index < 0 || index >= static_cast<int>(hits.size())) continue;
        TResultStr hit = hits[static_cast<size_t>(index)];
        hit.Index = number++;
        detail.push_back(std::move(hit));
    }
}

}  // namespace

void TForm1::AppendMembers(const std::string& members, const TArrResultStr& hits, TArrResultStr& detail) {
    AppendMembersOf(members, hits, detail);
}

void TForm1::AppendMembers(const std::string& members, const THitList& hits, TArrResultStr& detail) {
    AppendMembersOf(members, hits, detail);
}

int TForm1::CaretLine(TRichEdit* richEdit) { return richEdit->LineFromChar(richEdit->SelStart()); }

void TForm1::CycleColor(TqlSkinColorComboBox* colorCombo) {
    int count = colorCombo->Items().Count();
    if (count == 0) return;
    colorCombo->SetItemIndex((colorCombo->ItemIndex() + 1) % count);
}

void TForm1::ResetPaneFont(TRichEdit* pane) {
    pane->SelectAll();
    TFont font;
    font.SetName("Courier New");
    font.SetColor(clBlack);
    font.SetSize(sldFontSize->Value());
    font.SetStyle(0);
    pane->SelAttributes().Assign(font);
    pane->DefAttributes().Assign(font);
}

void TForm1::ColumnRange(const std::string& range, const std::array<int, 5>& w, int& start, int& length) {
    if (range == "LEFT") {
        start = w[0] + 1;
        length = w[1];
    } else if (range == "CENTER") {
        start = w[0] + w[1] + 1;
        length = w[2];
    } else if (range == "RIGHT") {
        start = w[0] + w[1] + w[2] + 1;
        length = w[3];
    } else if (range == "FILE") {
        start = w[0] + w[1] + w[2] + w[3] + 1;
        length = w[4];
    } else {
        start = w[0] + 1;
        length = 65532;
    }
}

void TForm1::btnDisplayColClick(TObject* /*sender*/) {
    if (gCollDetail.empty()) return;
    // The marks go with the lines they were counted on.
    lblInfoCol->SetCaption("");
    FormatColumns(cbxLCol->GetText(), cbxCCol->GetText(), cbxRCol->GetText(), gCollWidths, gCollDetailView,
                  gCollDetail);
    WriteConcordance(cbxSortTypeCol->GetText(), gCollWidths, ggColPro, crbxColCase->Checked(), gCollSegs,
                     gCollRowSegs, gCollDetailView, rdtDetailCol);
}

void TForm1::MarkPane(TRichEdit* pane, const THighlightBar& bar, bool ignoreCase, const std::array<int, 5>& segments,
                      const TLineSegments& rowSegments) {
    bool showSelection = bar.showSelection->Checked();
    // Marking selects every match; the selection must not land in the search box meanwhile.
    bar.showSelection->SetChecked(false);
    std::string word = Trim(bar.search->GetText());
    const std::string range = bar.range->GetText();
    // Pane line k + 1 holds concordance line k; each is marked within its own
    // columns, whether it was padded or not.
    auto span = [&](int line, int& start, int& length) {
        const size_t row = static_cast<size_t>(line - 1);
        ColumnRange(range, line >= 1 && row < rowSegments.size() ? rowSegments[row] : segments, start, length);
    };
    std::string summary;
    // An expression that failed has been reported and marked nothing more: its
    // summary is empty, so the label reads word + "(0)", and the colour moves on.
    TDisplay::Highlight(word, bar.color->Selected(), *pane, ignoreCase, gProgress, span, summary);
    bar.showSelection->SetChecked(showSelection);
    bar.info->SetCaption("Hit(s): " + IntToStr(pane->Lines().Count() - 1) + "   \r\nMark hit(s): " +
                         (summary.empty() ? word + "(0)" : summary));
    CycleColor(bar.color);
}

bool TForm1::PaneShowsHits(TRichEdit* pane) { return !Trim(pane->GetText()).empty(); }

void TForm1::btnHighlightColClick(TObject* /*sender*/) {
    if (!PaneShowsHits(rdtDetailCol)) return;
    TRunScope busy(this);
    lblInfoCol->SetEnabled(true);
    MarkPane(rdtDetailCol, {cbxQSearchCol, cbxSearchRangeCol, ccbxQColorCol, crbxShowSelCol, lblInfoCol},
             !crbxColCase->Checked(), gCollSegs, gCollRowSegs);
}

void TForm1::cbxQSearchColKeyPress(TObject* /*sender*/, char& key) {
    if (key == '\r' && !Trim(cbxQSearchCol->GetText()).empty()) {
        key = 0;
        btnHighlightCol->Click();
    }
}

void TForm1::rdtDetailColExit(TObject* /*sender*/) {
    rdtDetailCol->Hint.clear();
    rdtDetailCol->ShowHint = false;
}

void TForm1::rdtDetailColKeyPress(TObject* /*sender*/, char& key) {
    if (key == '\r' && !Trim(rdtDetailCol->SelText()).empty() && crbxShowSelCol->Checked()) btnHighlightCol->Click();
}

void TForm1::ShowCaretHit() {
    std::string info;
    HitInfoLine(gCollDetail, gCollDetailView, CaretLine(rdtDetailCol) - 1, info,
                crbxPosCol->Checked() ? "POS" : "WORD");
    edtInfoCol->SetText(info);
}

void TForm1::rdtDetailColKeyUp(TObject* /*sender*/, uint16_t& /*key*/, TShiftState /*shift*/) { ShowCaretHit(); }

void TForm1::rdtDetailColMouseDown(TObject* /*sender*/, TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/,
                                   int /*y*/) {
    ShowCaretHit();
}

void TForm1::ShowTagHint(TRichEdit* pane) {
    pane->Hint.clear();
    pane->ShowHint = false;
    std::string selection = Trim(pane->SelText());
    if (selection.empty() || !crbxShowTagHint->Checked() || gTagSet->Count() == 0) return;
    if (selection[0] < 'A' || selection[0] > 'Z') return;
    std::string description = Trim(gTagSet->Values(selection));
    pane->Hint = selection + " :@" + description;
    pane->ShowHint = !description.empty();
}

void TForm1::rdtDetailColMouseUp(TObject* /*sender*/, TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/,
                                 int /*y*/) {
    ShowTagHint(rdtDetailCol);
}

void TForm1::PaneSelectionChanged(TRichEdit* pane, TqlSkinCheckRadioBox* showSelection, TqlSkinComboBox* search) {
    pane->Hint.clear();
    pane->ShowHint = false;
    if (!pane->SelectionByUser() || !showSelection->Checked()) return;
    std::string selection = pane->SelText();
    if (!Trim(selection).empty()) search->SetText(selection);
}

void TForm1::rdtDetailColSelectionChange(TObject* /*sender*/) {
    PaneSelectionChanged(rdtDetailCol, crbxShowSelCol, cbxQSearchCol);
}

void TForm1::ShareCollocatePageHeight() {
    const int below = tsColligate->ClientHeight() - plColligate->Height();
    if (below > 0) plColBottom->SetHeight(below / 2);
}

void TForm1::ConnectCollocateDetails() {
    tsColligate->OnResize = [this](TObject*) { ShareCollocatePageHeight(); };
    btnDisplayCol->OnClick = [this](TObject* s) { btnDisplayColClick(s); };
    btnHighlightCol->OnClick = [this](TObject* s) { btnHighlightColClick(s); };
    cbxQSearchCol->OnKeyPress = [this](TObject* s, char& k) { cbxQSearchColKeyPress(s, k); };
    rdtDetailCol->OnExit = [this](TObject* s) { rdtDetailColExit(s); };
    rdtDetailCol->OnKeyPress = [this](TObject* s, char& k) { rdtDetailColKeyPress(s, k); };
    rdtDetailCol->OnKeyUp = [this](TObject* s, uint16_t& k, TShiftState sh) { rdtDetailColKeyUp(s, k, sh); };
    rdtDetailCol->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rdtDetailColMouseDown(s, b, sh, x, y);
    };
    rdtDetailCol->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        rdtDetailColMouseUp(s, b, sh, x, y);
    };
    rdtDetailCol->OnSelectionChange = [this](TObject* s) { rdtDetailColSelectionChange(s); };
}
