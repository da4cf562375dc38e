// The main form's pages and controls as the form resource lays them out:
// names, captions, items and initial states. Behaviour lives in Unit1.cpp.

#include "app/Unit1.h"

#include <tuple>
#include <type_traits>

#include "app/Logo.h"
#include "app/PageRows.h"
#include "skin/boxes/qlSkinFieldLook.h"
#include "skin/controls/qlSkinListView.h"
#include "skin/controls/qlSkinViews.h"
#include "skin/forms/qlCorvane.h"
#include "skin/default/DefaultSkin.h"

namespace {

template <class T>
T* Make(TForm1* form, TWinControl* parent, const char* name, int left, int top, int width, int height,
        const std::string& caption = "") {
    auto* control = new T(form);
    control->Name = name;
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    if (!caption.empty()) control->SetCaption(caption);
    // The form's containers show the page behind them.
    if constexpr (std::is_base_of_v<TqlSkinPanel, T>) control->SetTransparentMode(true);
    return control;
}

// A table filling what its parent leaves, in a frame of its own that also
// holds the skin's bars along its right and bottom edges.
TqlSkinCustomListView* Table(TForm1* form, TWinControl* parent, const std::string& name, int left, int top, int width,
                             int height) {
    auto* frame = Make<TqlSkinPanel>(form, parent, ("pl" + name.substr(3) + "Table").c_str(), left, top, width, height);
    frame->SetAlign(TAlign::alClient);
    frame->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    auto* vertical = Make<TqlSkinScrollBar>(form, frame, ("sb" + name.substr(3) + "V").c_str(), 0, 0, 16, height);
    vertical->SetKind(sbVertical);
    vertical->SetAlign(TAlign::alRight);
    auto* horizontal = Make<TqlSkinScrollBar>(form, frame, ("sb" + name.substr(3) + "H").c_str(), 0, 0, width, 16);
    horizontal->SetAlign(TAlign::alBottom);
    auto* table = Make<TqlSkinCustomListView>(form, frame, name.c_str(), 0, 0, width, height);
    table->SetAlign(TAlign::alClient);
    table->SetVScrollBar(vertical);
    table->SetHScrollBar(horizontal);
    return table;
}

TqlSkinTabSheet* Page(TForm1* form, const char* name, const std::string& caption) {
    auto* sheet = new TqlSkinTabSheet(form);
    sheet->Name = name;
    sheet->SetCaption(caption);
    sheet->SetPageControl(form->qlSkinPageControl1);
    return sheet;
}

// A fixed-list combo box with its items and the item chosen at start.
TqlSkinComboBox* Choice(TForm1* form, TWinControl* parent, const char* name, int left, int top, int width,
                        std::initializer_list<const char*> items, int selected) {
    auto* box = Make<TqlSkinComboBox>(form, parent, name, left, top, width, 24);
    box->SetStyle(TComboBoxStyle::csDropDownList);
    for (const char* item : items) box->Items().Add(item);
    box->TComboBox::SetItemIndex(selected);
    return box;
}

constexpr std::initializer_list<const char*> kColumnModes = {"POS", "WORD", "BOTH"};
constexpr std::initializer_list<const char*> kSortTypes = {"FILE", "LEFT-R", "CENTER-L", "CENTER-R", "RIGHT-L"};

// The display row of a concordance's details bar: the three column modes, the
// sort order, Display and Insert, at Top.
struct TDisplayRow {
    const char *L, *C, *R, *SortType, *Display, *Insert;
};
void BuildDisplayRow(TForm1* form, TWinControl* bar, int top, const TDisplayRow& names, int sortIndex,
                     TqlSkinComboBox*& l, TqlSkinComboBox*& c, TqlSkinComboBox*& r, TqlSkinComboBox*& sortType,
                     TqlSkinButton*& display, TqlSkinCheckRadioBox*& insert) {
    l = Choice(form, bar, names.L, 10, top, 80, kColumnModes, 1);
    c = Choice(form, bar, names.C, 94, top, 80, kColumnModes, 1);
    r = Choice(form, bar, names.R, 178, top, 80, kColumnModes, 1);
    sortType = Choice(form, bar, names.SortType, 262, top, 110, kSortTypes, sortIndex);
    display = Make<TqlSkinButton>(form, bar, names.Display, 380, top - 2, 80, 28, "Display");
    display->Hint = "Show details";
    insert = Make<TqlSkinCheckRadioBox>(form, bar, names.Insert, 468, top + 2, 80, 22, "Insert");
}

// The query row of the Query and Count pages: the expression, the button that
// runs it, Save and the search options; the button and Save start disabled.
struct TQueryRow {
    const char *InputStr, *Query, *Save, *CaseSen, *ByLit, *ByPOS, *ReSort;
};
void BuildQueryRow(TForm1* form, TWinControl* bar, const TQueryRow& names, const char* queryCaption,
                   const char* reSortCaption, TqlSkinComboBox*& input, TqlSkinButton*& query, TqlSkinButton*& save,
                   TqlSkinCheckRadioBox*& caseSen, TqlSkinCheckRadioBox*& byLit, TqlSkinCheckRadioBox*& byPOS,
                   TqlSkinCheckRadioBox*& reSort) {
    input = Make<TqlSkinComboBox>(form, bar, names.InputStr, 10, 8, 380, 26);
    query = Make<TqlSkinButton>(form, bar, names.Query, 398, 7, 80, 28, queryCaption);
    query->SetEnabled(false);
    save = Make<TqlSkinButton>(form, bar, names.Save, 484, 7, 80, 28, "Save");
    save->SetEnabled(false);
    caseSen = Make<TqlSkinCheckRadioBox>(form, bar, names.CaseSen, 574, 10, 70, 22, "Case");
    byLit = Make<TqlSkinCheckRadioBox>(form, bar, names.ByLit, 648, 10, 80, 22, "Literal");
    byPOS = Make<TqlSkinCheckRadioBox>(form, bar, names.ByPOS, 732, 10, 64, 22, "POS");
    reSort = Make<TqlSkinCheckRadioBox>(form, bar, names.ReSort, 800, 10, 130, 22, reSortCaption);
    reSort->SetVisible(false);
}

// The highlight row: the expression, where to look for it, Highlight, its
// colour and Show Selection, at Top.
struct THighlightRow {
    const char *QSearch, *SearchRange, *Highlight, *QColor, *ShowSelection;
};
void BuildHighlightRow(TForm1* form, TWinControl* bar, int top, const THighlightRow& names, TqlSkinComboBox*& search,
                       TqlSkinComboBox*& range, TqlSkinButton*& highlight, TqlSkinColorComboBox*& colour,
                       TqlSkinCheckRadioBox*& showSelection) {
    search = Make<TqlSkinComboBox>(form, bar, names.QSearch, 10, top, 248, 26);
    range = Choice(form, bar, names.SearchRange, 262, top, 110, {"ALL", "LEFT", "CENTER", "RIGHT", "FILE"}, 0);
    highlight = Make<TqlSkinButton>(form, bar, names.Highlight, 380, top - 2, 80, 28, "Highlight");
    colour = Make<TqlSkinColorComboBox>(form, bar, names.QColor, 468, top, 100, 26);
    colour->TComboBox::SetItemIndex(10);
    showSelection = Make<TqlSkinCheckRadioBox>(form, bar, names.ShowSelection, 576, top + 2, 130, 22, "Show Selection");
    showSelection->SetChecked(true);
}

constexpr TAnchors kStretchWide = akLeft | akTop | akRight;
constexpr TAnchors kStretchAll = akLeft | akTop | akRight | akBottom;
constexpr TAnchors kTopRight = akTop | akRight;

}  // namespace

void TForm1::BuildForm() {
    SetCaption("Orvale Lexmoor 1.0 ");
    Position = TPosition::poScreenCenter;
    SetWindowState(TWindowState::wsMaximized);
    SetBounds(0, 0, 1000, 700);
    // Below this the button rows would leave the window and the tables shrink to their headers.
    SetConstraints({kMinimumWidth, kMinimumHeight, 0, 0});
    ShowHint = true;

    // The skin loads while the form is being built, before its controls exist.
    qlCompressedStoredSkin1 = new TqlCompressedStoredSkin(this);
    qlCompressedStoredSkin1->Name = "qlCompressedStoredSkin1";
    qlCompressedStoredSkin1->SetCompressedData(DefaultSkinZlib());
    qlSkinData1 = new TqlSkinData(this);
    qlSkinData1->Name = "qlSkinData1";
    qlSkinData1->SetCompressedStoredSkin(qlCompressedStoredSkin1);
    // Re-skins the form's controls whenever the skin is loaded again.
    new TqlCorvane(this);

    qlSkinPageControl1 = Make<TqlSkinPageControl>(this, this, "qlSkinPageControl1", 0, 0, 1000, 700);
    qlSkinPageControl1->SetAlign(TAlign::alClient);
    tsSettings = Page(this, "tsSettings", "Settings");
    tsQuery = Page(this, "tsQuery", "Query");
    tsCount = Page(this, "tsCount", "Count");
    tsColligate = Page(this, "tsColligate", "Collocate");
    tsNGram = Page(this, "tsNGram", "N-Gram");
    tsAbout = Page(this, "tsAbout", "About");
    for (TqlSkinTabSheet* hidden : {tsQuery, tsCount, tsNGram}) hidden->SetTabVisible(false);
    tsQuery->SetEnabled(false);
    tsCount->SetEnabled(false);
    tsColligate->SetEnabled(false);
    qlSkinPageControl1->SetActivePage(tsSettings);

    BuildSettingsPage();
    BuildListPanel();
    BuildQueryPage();
    BuildCountPage();
    BuildCollocatePage();
    BuildAboutPage();
    BuildComponents();
    // The tables and concordance panes scroll by the skin's bars.
    for (TWinControl* view : std::initializer_list<TWinControl*>{rdtResult, rdtDetail, rdtDetailCol})
        new TqlAttachedScrollBars(view);
    ApplySkinFieldLooks(this, qlSkinData1);
}

void TForm1::BuildSettingsPage() {
    TWinControl* page = tsSettings;
    gbCorpus = Make<TqlSkinGroupBox>(this, page, "gbCorpus", 12, 10, 462, 560, "Corpus");
    gbCorpus->SetAnchors(kStretchAll);
    btnChoseDir = Make<TqlSkinButton>(this, gbCorpus, "btnChoseDir", 12, 26, 120, 28, "Choose Folder...");
    btnChoseDir->Hint = "Choose the folder of the corpus files";
    lblDir = Make<TqlSkinStdLabel>(this, gbCorpus, "lblDir", 142, 32, 308, 18);
    lblDir->SetAutoSize(false);
    lblDir->SetAnchors(kStretchWide);
    lblDir->Hint = "Double-click to open the folder";
    edtFilterStr = Make<TqlSkinEdit>(this, gbCorpus, "edtFilterStr", 12, 64, 318, 26);
    edtFilterStr->Hint = "Regular expression on the file names, e.g. ^a";
    edtFilterStr->SetAnchors(kStretchWide);
    btnFilter = Make<TqlSkinButton>(this, gbCorpus, "btnFilter", 338, 63, 112, 28, "Filter");
    btnFilter->SetEnabled(false);
    btnFilter->SetAnchors(kTopRight);
    clbFileList = Make<TqlSkinCheckListBox>(this, gbCorpus, "clbFileList", 12, 100, 438, 420);
    clbFileList->SetEnabled(false);
    clbFileList->SetAnchors(kStretchAll);
    lblFileInfo = Make<TLabel>(this, gbCorpus, "lblFileInfo", 12, 530, 438, 18);
    lblFileInfo->SetAutoSize(false);
    lblFileInfo->SetAnchors(akLeft | akRight | akBottom);

    gbText = Make<TqlSkinGroupBox>(this, page, "gbText", 488, 10, 240, 250, "Text");
    gbText->SetAnchors(kTopRight);
    rdoRaw = Make<TqlSkinCheckRadioBox>(this, gbText, "rdoRaw", 14, 24, 210, 24, "Raw text");
    rdoRaw->SetRadio(true);
    rdoRaw->SetSkinDataName("radiobox");
    rdoRaw->GroupIndex = 1;
    qlSkinCheckRadioBox1 =
        Make<TqlSkinCheckRadioBox>(this, gbText, "qlSkinCheckRadioBox1", 14, 50, 210, 24, "POS-tagged text");
    qlSkinCheckRadioBox1->SetRadio(true);
    qlSkinCheckRadioBox1->SetSkinDataName("radiobox");
    qlSkinCheckRadioBox1->GroupIndex = 1;
    qlSkinCheckRadioBox1->SetChecked(true);
    gbSep = Make<TqlSkinGroupBox>(this, gbText, "gbSep", 10, 80, 220, 160, "Separators");
    edtSplitterStr = Make<TqlSkinEdit>(this, gbSep, "edtSplitterStr", 10, 24, 90, 26);
    edtSplitterStr->SetMaxLength(1);
    btnAddSplitter = Make<TqlSkinButton>(this, gbSep, "btnAddSplitter", 108, 23, 100, 28, "Add");
    btnAddSplitter->SetEnabled(false);
    cblSplitterList = Make<TqlSkinCheckListBox>(this, gbSep, "cblSplitterList", 10, 58, 198, 90);
    cblSplitterList->Items().Add("_");
    cblSplitterList->Items().Add("/");

    gbContext = Make<TqlSkinGroupBox>(this, page, "gbContext", 488, 270, 240, 100, "Context Words");
    gbContext->SetAnchors(kTopRight);
    Make<TqlSkinStdLabel>(this, gbContext, "lblLeftRange", 14, 32, 60, 18, "Left:");
    cbxLeftRangeNum = Make<TqlSkinComboBox>(this, gbContext, "cbxLeftRangeNum", 70, 28, 60, 24);
    cbxLeftRangeNum->SetStyle(TComboBoxStyle::csDropDownList);
    Make<TqlSkinStdLabel>(this, gbContext, "lblRightRange", 14, 64, 60, 18, "Right:");
    cbxRightRangeNum = Make<TqlSkinComboBox>(this, gbContext, "cbxRightRangeNum", 70, 60, 60, 24);
    cbxRightRangeNum->SetStyle(TComboBoxStyle::csDropDownList);

    gbDisplay = Make<TqlSkinGroupBox>(this, page, "gbDisplay", 742, 10, 240, 250, "Display");
    gbDisplay->SetAnchors(kTopRight);
    crbxShowFileName = Make<TqlSkinCheckRadioBox>(this, gbDisplay, "crbxShowFileName", 14, 24, 210, 24, "Show file names");
    crbxShowFileName->SetChecked(true);
    crbxShowColor = Make<TqlSkinCheckRadioBox>(this, gbDisplay, "crbxShowColor", 14, 50, 210, 24, "Show colours");
    crbxShowColor->SetChecked(true);
    crbxShowTagHint = Make<TqlSkinCheckRadioBox>(this, gbDisplay, "crbxShowTagHint", 14, 76, 210, 24, "Show tag hints");
    crbxShowTagHint->SetChecked(true);
    lblFontSize = Make<TqlSkinStdLabel>(this, gbDisplay, "lblFontSize", 14, 110, 200, 18);
    sldFontSize = Make<TqlSkinSlider>(this, gbDisplay, "sldFontSize", 14, 132, 210, 30);
    sldFontSize->SetMinValue(9);
    sldFontSize->SetMaxValue(18);
    sldFontSize->SetIncrement(1);
    sldFontSize->SetTransparent(true);
    sldFontSize->SetValue(11);
    btnClearHistory = Make<TqlSkinButton>(this, gbDisplay, "btnClearHistory", 14, 200, 210, 28, "Clear Query History");

    ggFreList = Make<TqlSkinGauge>(this, page, "ggFreList", 488, 580, 494, 22);
    SetUpGauge(ggFreList, 10000);
    ggFreList->SetVisible(false);
    ggFreList->SetAnchors(akRight | akBottom);
}

void TForm1::BuildListPanel() {
    plListSetting = Make<TqlSkinPanel>(this, tsSettings, "plListSetting", 488, 380, 494, 190);
    plListSetting->SetVisible(false);
    plListSetting->SetEnabled(false);
    plListSetting->SetAnchors(kTopRight);
    gbListSetting = Make<TqlSkinGroupBox>(this, plListSetting, "gbListSetting", 4, 4, 486, 182, "Create Cluster List(s)");
    rbxWord = Make<TqlSkinCheckRadioBox>(this, gbListSetting, "rbxWord", 10, 24, 140, 22, "WORD");
    rbxPos = Make<TqlSkinCheckRadioBox>(this, gbListSetting, "rbxPos", 10, 48, 140, 22, "POS");
    rbxWordAndPos = Make<TqlSkinCheckRadioBox>(this, gbListSetting, "rbxWordAndPos", 10, 72, 140, 22, "WORD and POS");
    rbxWordByPos = Make<TqlSkinCheckRadioBox>(this, gbListSetting, "rbxWordByPos", 10, 96, 140, 22, "WORD by POS");
    rbxPosByWord = Make<TqlSkinCheckRadioBox>(this, gbListSetting, "rbxPosByWord", 10, 120, 140, 22, "POS by WORD");
    Make<TqlSkinStdLabel>(this, gbListSetting, "lblClusterLen", 160, 24, 160, 18, "Set Length for Cluster: ");
    ccbxClusterLen = Make<TqlSkinCheckComboBox>(this, gbListSetting, "ccbxClusterLen", 160, 44, 80, 130);
    for (int i = 1; i <= 10; ++i) ccbxClusterLen->Items().Add(std::to_string(i));
    Make<TqlSkinStdLabel>(this, gbListSetting, "lblOrder", 250, 24, 80, 18, "Order by: ");
    cbxSortType1 = Choice(this, gbListSetting, "cbxSortType1", 250, 44, 90, {"A-Z", "Freq."}, 1);
    cbxSortType2 = Choice(this, gbListSetting, "cbxSortType2", 250, 74, 90, {"A-Z", "Freq."}, 1);
    cbxSortType2->SetEnabled(false);
    Make<TqlSkinStdLabel>(this, gbListSetting, "lblMinFre", 350, 24, 120, 18, "Min. Frequency: ");
    edtMinFre = Make<TqlSkinNumericEdit>(this, gbListSetting, "edtMinFre", 350, 44, 80, 26);
    edtMinFre->ValueType = TqlValueType::vtInteger;
    edtMinFre->Increment = 1;
    edtMinFre->SetValue(1);
    rbxUseStopList = Make<TqlSkinCheckRadioBox>(this, gbListSetting, "rbxUseStopList", 350, 76, 130, 22, "Use Stop List");
    rbxUseStopList->SetChecked(true);
    btnSetStopList = Make<TqlSkinButton>(this, gbListSetting, "btnSetStopList", 350, 102, 126, 28, "Set Stop List");
    btnCreateList = Make<TqlSkinButton>(this, gbListSetting, "btnCreateList", 350, 140, 126, 28, "Create");
    btnCreateList->SetEnabled(false);
}

void TForm1::BuildQueryPage() {
    TWinControl* page = tsQuery;
    plQuery = Make<TqlSkinPanel>(this, page, "plQuery", 0, 0, 1000, 40);
    plQuery->SetAlign(TAlign::alTop);
    plQuery->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    BuildQueryRow(this, plQuery,
                  {"cbxInputStr", "btnQuery", "btnSave", "crbxCaseSen", "crbxByLit", "crbxByPOS", "crbxReSort"}, "Query",
                  "Change  Mode", cbxInputStr, btnQuery, btnSave, crbxCaseSen, crbxByLit, crbxByPOS, crbxReSort);

    plDisplay = Make<TqlSkinPanel>(this, page, "plDisplay", 0, 40, 1000, 36);
    plDisplay->SetAlign(TAlign::alTop);
    plDisplay->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    cbxL = Choice(this, plDisplay, "cbxL", 10, 5, 80, kColumnModes, 0);
    cbxC = Choice(this, plDisplay, "cbxC", 94, 5, 80, kColumnModes, 1);
    cbxR = Choice(this, plDisplay, "cbxR", 178, 5, 80, kColumnModes, 0);
    cbxSortType = Choice(this, plDisplay, "cbxSortType", 262, 5, 110, kSortTypes, 4);

    plQSearch = Make<TqlSkinPanel>(this, page, "plQSearch", 0, 76, 1000, 62);
    plQSearch->SetAlign(TAlign::alTop);
    plQSearch->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    plQSearch->SetVisible(false);
    BuildHighlightRow(this, plQSearch, 4,
                      {"cbxQSearch", "cbxSearchRange", "btnHighlight", "ccbxQColor", "crbxShowSelection"}, cbxQSearch,
                      cbxSearchRange, btnHighlight, ccbxQColor, crbxShowSelection);
    cbxQSearch->Hint = "Input search expression";
    lblInfo = Make<TqlSkinStdLabel>(this, plQSearch, "lblInfo", 716, 4, 270, 54);
    lblInfo->SetAutoSize(false);
    lblInfo->WordWrap = true;
    lblInfo->SetAnchors(kStretchWide);

    plGauge = Make<TqlSkinPanel>(this, page, "plGauge", 0, 138, 1000, 26);
    SetUpGaugeRow(plGauge);
    ggCurLine = Make<TqlSkinGauge>(this, plGauge, "ggCurLine", 10, 2, 980, 22);
    SetUpGauge(ggCurLine, 10000);
    ggCurLine->SetAnchors(kStretchWide);

    stbInfo = Make<TqlSkinStatusBar>(this, page, "stbInfo", 0, 640, 1000, 30);
    edtInfo = Make<TqlSkinEdit>(this, stbInfo, "edtInfo", 2, 3, 880, 24);
    crbxPOS = Make<TqlSkinCheckRadioBox>(this, stbInfo, "crbxPOS", 890, 4, 70, 22, "POS");
    SetUpStatusRow(stbInfo, edtInfo, crbxPOS);

    rdtResult = Make<TRichEdit>(this, page, "rdtResult", 0, 164, 1000, 476);
    rdtResult->SetAlign(TAlign::alClient);
    rdtResult->SetReadOnly(true);
    rdtResult->SetWordWrap(false);
}

void TForm1::BuildCountPage() {
    TWinControl* page = tsCount;
    plQueryN = Make<TqlSkinPanel>(this, page, "plQueryN", 0, 0, 1000, 76);
    plQueryN->SetAlign(TAlign::alTop);
    plQueryN->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    BuildQueryRow(this, plQueryN,
                  {"cbxInputStrN", "btnQueryN", "btnSaveN", "crbxCaseSenN", "crbxByLitN", "crbxByPOSN", "crbxReSortN"},
                  "Count", "Change Mode", cbxInputStrN, btnQueryN, btnSaveN, crbxCaseSenN, crbxByLitN, crbxByPOSN,
                  crbxReSortN);
    cbxLN1 = Choice(this, plQueryN, "cbxLN1", 10, 44, 80, kColumnModes, 0);
    cbxCN1 = Choice(this, plQueryN, "cbxCN1", 94, 44, 80, kColumnModes, 0);
    cbxRN1 = Choice(this, plQueryN, "cbxRN1", 178, 44, 80, kColumnModes, 0);
    cbxSortTypeN1 = Choice(this, plQueryN, "cbxSortTypeN1", 262, 44, 110, {"Freq.", "LEFT-R", "CENTER-L", "CENTER-R", "RIGHT-L"}, 0);
    lblInfoN1 = Make<TqlSkinStdLabel>(this, plQueryN, "lblInfoN1", 384, 48, 300, 18);
    lblInfoN1->SetEnabled(false);

    plGaugeN = Make<TqlSkinPanel>(this, page, "plGaugeN", 0, 76, 1000, 26);
    SetUpGaugeRow(plGaugeN);
    ggCurLineN = Make<TqlSkinGauge>(this, plGaugeN, "ggCurLineN", 10, 2, 980, 22);
    SetUpGauge(ggCurLineN, 10000);
    ggCurLineN->SetAnchors(kStretchWide);

    stbInfoN = Make<TqlSkinStatusBar>(this, page, "stbInfoN", 0, 640, 1000, 30);
    edtInfoN = Make<TqlSkinEdit>(this, stbInfoN, "edtInfoN", 2, 3, 880, 24);
    crbxPOSN = Make<TqlSkinCheckRadioBox>(this, stbInfoN, "crbxPOSN", 890, 4, 70, 22, "POS");
    SetUpStatusRow(stbInfoN, edtInfoN, crbxPOSN);

    plResult2 = Make<TqlSkinPanel>(this, page, "plResult2", 0, 330, 1000, 310);
    plResult2->SetAlign(TAlign::alBottom);
    plResult2->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    plResult2->SetEnabled(false);
    splCount = Make<TqlSkinSplitter>(this, page, "splCount", 0, 326, 1000, 4);
    // A splitter starts aligned left, stretched to the page's height: the
    // height it keeps at the bottom is set once it is aligned there.
    splCount->SetAlign(TAlign::alBottom);
    splCount->SetSkinDataName("hsplitter");
    splCount->ChangeSkinData();
    splCount->Cursor = TCursor::crSizeNS;
    plQSearchN = Make<TqlSkinPanel>(this, plResult2, "plQSearchN", 0, 0, 1000, 76);
    plQSearchN->SetAlign(TAlign::alTop);
    plQSearchN->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    BuildDisplayRow(this, plQSearchN, 6, {"cbxLN2", "cbxCN2", "cbxRN2", "cbxSortTypeN2", "btnDisplay", "crbxInsert"}, 4,
                    cbxLN2, cbxCN2, cbxRN2, cbxSortTypeN2, btnDisplay, crbxInsert);
    BuildHighlightRow(this, plQSearchN, 42,
                      {"cbxQSearchN", "cbxSearchRangeN", "btnHighlightN", "ccbxQColorN", "crbxShowSelectionN"},
                      cbxQSearchN, cbxSearchRangeN, btnHighlightN, ccbxQColorN, crbxShowSelectionN);
    lblInfoN2 = Make<TqlSkinStdLabel>(this, plQSearchN, "lblInfoN2", 716, 6, 270, 64);
    lblInfoN2->SetAutoSize(false);
    lblInfoN2->WordWrap = true;
    lblInfoN2->SetEnabled(false);
    lblInfoN2->SetAnchors(kStretchWide);
    rdtDetail = Make<TRichEdit>(this, plResult2, "rdtDetail", 0, 76, 1000, 234);
    rdtDetail->SetAlign(TAlign::alClient);
    rdtDetail->SetReadOnly(true);
    rdtDetail->SetWordWrap(false);

    lsvCountResult = Table(this, page, "lsvCountResult", 0, 102, 1000, 224);
    lsvCountResult->SetMultiSelect(true);
    lsvCountResult->RowSelect = true;
    lsvCountResult->ReadOnly = true;
    lsvCountResult->AddColumn("NO", 66);
    lsvCountResult->AddColumn("Freq.", 66, TAlignment::taRightJustify);
    lsvCountResult->AddColumn("Left ", 102, TAlignment::taCenter);
    lsvCountResult->AddColumn(" Center ", 114, TAlignment::taCenter);
    lsvCountResult->AddColumn(" Right", 127, TAlignment::taCenter);
}

void TForm1::BuildCollocatePage() {
    TWinControl* page = tsColligate;
    plColligate = Make<TqlSkinPanel>(this, page, "plColligate", 0, 0, 1000, 108);
    plColligate->SetAlign(TAlign::alTop);
    plColligate->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    Make<TqlSkinStdLabel>(this, plColligate, "lblNode", 10, 14, 44, 18, "Node:");
    cbxNode = Make<TqlSkinComboBox>(this, plColligate, "cbxNode", 56, 10, 260, 26);
    cbxNode->Hint = "The node: a word, a phrase, tags or a regular expression";
    cbxNodeMode = Choice(this, plColligate, "cbxNodeMode", 324, 10, 90, {"Default", "Literal", "POS"}, 1);
    Make<TqlSkinStdLabel>(this, plColligate, "lblSpan", 424, 14, 44, 18, "Span:");
    cbxLeftSpan = Make<TqlSkinComboBox>(this, plColligate, "cbxLeftSpan", 470, 10, 56, 26);
    cbxLeftSpan->SetStyle(TComboBoxStyle::csDropDownList);
    cbxRightSpan = Make<TqlSkinComboBox>(this, plColligate, "cbxRightSpan", 532, 10, 56, 26);
    cbxRightSpan->SetStyle(TComboBoxStyle::csDropDownList);
    Make<TqlSkinStdLabel>(this, plColligate, "lblCollMode", 598, 14, 70, 18, "Collocate:");
    cbxCollMode = Choice(this, plColligate, "cbxCollMode", 668, 10, 80, kColumnModes, 1);
    crbxColCase = Make<TqlSkinCheckRadioBox>(this, plColligate, "crbxColCase", 758, 12, 70, 22, "Case");
    btnCol = Make<TqlSkinButton>(this, plColligate, "btnCol", 828, 9, 76, 28, "Run");
    btnCol->SetEnabled(false);
    btnSaveCol = Make<TqlSkinButton>(this, plColligate, "btnSaveCol", 910, 9, 76, 28, "Save");
    btnSaveCol->SetEnabled(false);
    Make<TqlSkinStdLabel>(this, plColligate, "lblMinValue", 10, 50, 44, 18, "Filter:");
    cbxMinValue = Choice(this, plColligate, "cbxMinValue", 56, 46, 150,
                         {"None", "Min f(c)", "Min f(n,c)", "Min MI", "Min MI3", "Min Z-Score", "Min T-Score",
                          "Min Log-log", "Min Log-Likelihood"},
                         0);
    edtMinValue = Make<TqlSkinNumericEdit>(this, plColligate, "edtMinValue", 214, 46, 100, 26);
    edtMinValue->ValueType = TqlValueType::vtFloat;
    edtMinValue->Decimal = 4;
    edtMinValue->SetValue(0);
    edtMinValue->SetEnabled(false);
    lbColInfo = Make<TqlSkinStdLabel>(this, plColligate, "lbColInfo", 324, 50, 500, 18);
    lbColInfo->SetVisible(false);
    ggColPro = Make<TqlSkinGauge>(this, plColligate, "ggColPro", 10, 80, 600, 20);
    SetUpGauge(ggColPro, 20);
    ggColPro->SetVisible(false);
    edtInfoCol = Make<TqlSkinEdit>(this, plColligate, "edtInfoCol", 620, 78, 366, 24);
    edtInfoCol->SetReadOnly(true);
    edtInfoCol->SetAnchors(kStretchWide);

    // Tab order follows creation: the table reads before the pane below it.
    BuildCollocateTable();
    BuildCollocateDetails();
}

void TForm1::BuildCollocateTable() {
    lsvColligate = Table(this, tsColligate, "lsvColligate", 0, 108, 1000, 250);
    lsvColligate->SetGridLines(true);
    lsvColligate->SetMultiSelect(true);
    lsvColligate->ReadOnly = true;
    lsvColligate->RowSelect = true;
    // Each column with the widest value it was laid out for: counts of six
    // digits, scores like -3789.1568.
    const char* const count = "999999";
    const char* const score = "-3789.1568";
    const std::tuple<const char*, int, TAlignment, const char*> columns[] = {
        {"NO", 50, TAlignment::taLeftJustify, " 99999"},       {"Collocate", 150, TAlignment::taLeftJustify, ""},
        {"f(c)", 57, TAlignment::taCenter, count},              {"f(n,c)", 66, TAlignment::taCenter, count},
        {"MI", 66, TAlignment::taRightJustify, score},          {"MI3", 69, TAlignment::taRightJustify, score},
        {"Z-Score", 75, TAlignment::taRightJustify, score},     {"T-Score", 74, TAlignment::taRightJustify, score},
        {"Log-log", 110, TAlignment::taRightJustify, score},    {"Log-likelihood", 120, TAlignment::taRightJustify, score},
    };
    for (auto [caption, width, alignment, widest] : columns)
        lsvColligate->AddColumn(caption, FittedColumnWidth(lsvColligate->Font(), width, {caption, widest}), alignment);
}

// The design widths were measured in a narrower system font than ours: a
// column keeps its width where that suffices, and grows to hold its caption and
// widest value, bold as some columns draw them, where it does not.
int TForm1::FittedColumnWidth(const TFont& font, int designWidth, std::initializer_list<const char*> texts) {
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(font);
    measure.Canvas().Font().SetStyle(fsBold);
    const int padding = 16;  // the cell's text margins, the grid line and a blank
    int width = designWidth;
    for (const char* text : texts)
        if (*text) width = std::max(width, measure.Canvas().TextWidth(text) + padding);
    return width;
}

void TForm1::BuildCollocateDetails() {
    plColBottom = Make<TqlSkinPanel>(this, tsColligate, "plColBottom", 0, 360, 1000, 320);
    plColBottom->SetAlign(TAlign::alBottom);
    plColBottom->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    plColDetails = Make<TqlSkinPanel>(this, plColBottom, "plColDetails", 0, 0, 1000, 78);
    plColDetails->SetAlign(TAlign::alTop);
    plColDetails->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    plColDetails->SetEnabled(false);
    BuildDisplayRow(this, plColDetails, 8,
                    {"cbxLCol", "cbxCCol", "cbxRCol", "cbxSortTypeCol", "btnDisplayCol", "crbxInsertCol"}, 2, cbxLCol,
                    cbxCCol, cbxRCol, cbxSortTypeCol, btnDisplayCol, crbxInsertCol);
    crbxPosCol = Make<TqlSkinCheckRadioBox>(this, plColDetails, "crbxPosCol", 552, 10, 70, 22, "POS");
    crbxPosCol->Hint = "Show POS";
    crbxPosCol->SetChecked(true);
    BuildHighlightRow(this, plColDetails, 44,
                      {"cbxQSearchCol", "cbxSearchRangeCol", "btnHighlightCol", "ccbxQColorCol", "crbxShowSelCol"},
                      cbxQSearchCol, cbxSearchRangeCol, btnHighlightCol, ccbxQColorCol, crbxShowSelCol);
    cbxQSearchCol->Hint = "Input search expression";
    lblInfoCol = Make<TqlSkinStdLabel>(this, plColDetails, "lblInfoCol", 716, 8, 270, 64);
    lblInfoCol->SetAutoSize(false);
    lblInfoCol->WordWrap = true;
    lblInfoCol->SetAnchors(kStretchWide);
    rdtDetailCol = Make<TRichEdit>(this, plColBottom, "rdtDetailCol", 0, 78, 1000, 242);
    rdtDetailCol->SetAlign(TAlign::alClient);
    rdtDetailCol->SetReadOnly(true);
    rdtDetailCol->SetWordWrap(false);
}

void TForm1::BuildAboutPage() {
    TWinControl* page = tsAbout;
    KvLabel1 = Make<TKvLabel>(this, page, "KvLabel1", 40, 40, 700, 60,
                                     "Orvale Lexmoor extracts the collocates of a node word, phrase or tag pattern "
                                     "from a corpus of plain or POS-tagged text and ranks them by frequency, MI, "
                                     "MI3, Z-Score, T-Score, Log-log and Log-Likelihood.");
    // Fitted to its one-line text while it was set: the wrapped size comes after.
    KvLabel1->SetAutoSize(false);
    KvLabel1->WordWrap = true;
    KvLabel1->SetBounds(40, 40, 700, 60);
    KvLabel1->SetAnchors(kStretchWide);
    KvLabel1->SetStyle(TKvLabelStyle::lsRecessed);
    KvLabel3 = Make<TKvLabel>(this, page, "KvLabel3", 40, 120, 400, 20, "Released: December 2026");
    KvLabel3->SetStyle(TKvLabelStyle::lsRaised);
    // On the light page a soft edge reads as relief; the classic dark one smudges the text.
    for (TKvLabel* label : {KvLabel1, KvLabel3}) label->ShadowColor = RGB(0xC8, 0xCD, 0xD4);
    KvLabel4 = Make<TqlSkinStdLabel>(this, page, "KvLabel4", 40, 146, 400, 20, "Version 1.0");
    KvLabel5 = Make<TqlSkinStdLabel>(this, page, "KvLabel5", 40, 172, 400, 20, "Bug reports and suggestions:");
    KvLabel2 = Make<TqlSkinStdLabel>(this, page, "KvLabel2", 250, 172, 300, 20, "lexmoor@orvale.example");
    KvLabel2->Cursor = TCursor::crHandPoint;
    KvLabel2->Font().SetColor(clBlue);
    KvLabel2->Font().SetStyle(fsUnderline);
    // A link keeps the look of a link whatever the skin's label font.
    KvLabel2->UseSkinFont = false;
    KvLabel2->UseSkinColor = false;
    Image1 = Make<TImage>(this, page, "Image1", 40, 210, 64, 64);
    Image1->Cursor = TCursor::crHandPoint;
    Image1->Hint = "Visit the web page of Orvale Lexmoor";
    DrawProgramLogo(Image1->Picture(), 64);
    memoInfo = Make<TMemo>(this, page, "memoInfo", 40, 290, 700, 200);
    memoInfo->SetReadOnly(true);
    memoInfo->SetWordWrap(true);
    memoInfo->SetAnchors(kStretchAll);
    memoInfo->Lines().Add("Notes");
    memoInfo->Lines().Add("- The corpus is a folder of plain-text files, raw or tagged word_TAG.");
    memoInfo->Lines().Add("- Lines starting with \"<\" are markup and are skipped.");
    memoInfo->Lines().Add("- Spans count at most 16 words on each side.");
}

void TForm1::BuildComponents() {
    qlSkinMessage1 = new TqlSkinMessage(this);
    SelectDirectoryDialog1 = new TqlSkinSelectDirectoryDialog(this);
    SaveDialog1 = new TqlSkinSaveDialog(this);
    InputDialog1 = new TqlSkinInputDialog(this);
    htTagSet = new TqlSkinHint(this);
    popMenuCol = new TqlSkinPopupMenu(this);
    auto item = [&](const char* name, const char* caption) {
        auto* menuItem = new TMenuItem(this);
        menuItem->Name = name;
        menuItem->Caption = caption;
        popMenuCol->Items()->Add(menuItem);
        return menuItem;
    };
    itmDelete = item("itmDelete", "Delete the selected line(s)");
    item("N1", "-");
    itmMerge = item("itmMerge", "Merge the selected lines");
    item("N2", "-");
    itmRename = item("itmRename", "Rename collocate");
    itmRename->Enabled = false;

    auto timer = [&](const char* name, int interval, bool enabled) {
        auto* t = new TTimer(this);
        t->Name = name;
        t->SetInterval(interval);
        t->SetEnabled(enabled);
        return t;
    };
    Timer1 = timer("Timer1", 1000, false);
    Timer2 = timer("Timer2", 100, false);
    Timer3 = timer("Timer3", 100, true);
    Timer4 = timer("Timer4", 10, false);
}
