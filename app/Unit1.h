#pragma once
// The main form: its pages and controls, the engines it owns, and the handlers
// of the user's workflows.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/RunPlan.h"
#include "engine/Query.h"
#include "labels/KvLabel.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/RichEdit.h"
#include "platform/gui/Timers.h"
#include "skin/boxes/qlColorCtrls.h"
#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/controls/qlSkinCtrls.h"
#include "skin/controls/qlSkinTabs.h"
#include "skin/dialogs/qlDialogs.h"
#include "skin/dialogs/qlMessages.h"
#include "skin/forms/qlSkinHint.h"
#include "skin/forms/qlSkinMenus.h"

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // The smallest window in which every page's controls stay reachable.
    static constexpr int kMinimumWidth = 1000;
    static constexpr int kMinimumHeight = 600;

    // Pages.
    TqlSkinPageControl* qlSkinPageControl1;
    TqlSkinTabSheet* tsSettings;
    TqlSkinTabSheet* tsQuery;
    TqlSkinTabSheet* tsCount;
    TqlSkinTabSheet* tsColligate;
    TqlSkinTabSheet* tsNGram;
    TqlSkinTabSheet* tsAbout;

    // Settings page: corpus folder and files.
    TqlSkinGroupBox* gbCorpus;
    TqlSkinButton* btnChoseDir;
    TqlSkinStdLabel* lblDir;
    TqlSkinEdit* edtFilterStr;
    TqlSkinButton* btnFilter;
    TqlSkinCheckListBox* clbFileList;
    TLabel* lblFileInfo;
    // Settings page: text mode, separators, context, display.
    TqlSkinGroupBox* gbText;
    TqlSkinCheckRadioBox* rdoRaw;
    TqlSkinCheckRadioBox* qlSkinCheckRadioBox1;
    TqlSkinGroupBox* gbSep;
    TqlSkinEdit* edtSplitterStr;
    TqlSkinButton* btnAddSplitter;
    TqlSkinCheckListBox* cblSplitterList;
    TqlSkinGroupBox* gbContext;
    TqlSkinComboBox* cbxLeftRangeNum;
    TqlSkinComboBox* cbxRightRangeNum;
    TqlSkinGroupBox* gbDisplay;
    TqlSkinCheckRadioBox* crbxShowFileName;
    TqlSkinCheckRadioBox* crbxShowColor;
    TqlSkinCheckRadioBox* crbxShowTagHint;
    TqlSkinSlider* sldFontSize;
    TqlSkinStdLabel* lblFontSize;
    TqlSkinButton* btnClearHistory;
    // Settings page: the frequency-list panel (hidden).
    TqlSkinPanel* plListSetting;
    TqlSkinGroupBox* gbListSetting;
    TqlSkinCheckRadioBox* rbxWord;
    TqlSkinCheckRadioBox* rbxPos;
    TqlSkinCheckRadioBox* rbxWordAndPos;
    TqlSkinCheckRadioBox* rbxWordByPos;
    TqlSkinCheckRadioBox* rbxPosByWord;
    TqlSkinCheckComboBox* ccbxClusterLen;
    TqlSkinComboBox* cbxSortType1;
    TqlSkinComboBox* cbxSortType2;
    TqlSkinNumericEdit* edtMinFre;
    TqlSkinCheckRadioBox* rbxUseStopList;
    TqlSkinButton* btnSetStopList;
    TqlSkinButton* btnCreateList;
    TqlSkinGauge* ggFreList;

    // Query page (hidden).
    TqlSkinPanel* plQuery;
    TqlSkinPanel* plDisplay;
    TqlSkinPanel* plQSearch;
    TqlSkinStatusBar* stbInfo;
    TRichEdit* rdtResult;
    TqlSkinComboBox* cbxQSearch;
    TqlSkinButton* btnHighlight;
    TqlSkinColorComboBox* ccbxQColor;
    TqlSkinComboBox* cbxSearchRange;
    TqlSkinCheckRadioBox* crbxShowSelection;
    TqlSkinComboBox* cbxInputStr;
    TqlSkinButton* btnQuery;
    TqlSkinButton* btnSave;
    TqlSkinCheckRadioBox* crbxCaseSen;
    TqlSkinCheckRadioBox* crbxByLit;
    TqlSkinCheckRadioBox* crbxByPOS;
    TqlSkinCheckRadioBox* crbxReSort;
    TqlSkinComboBox* cbxL;
    TqlSkinComboBox* cbxC;
    TqlSkinComboBox* cbxR;
    TqlSkinComboBox* cbxSortType;
    TqlSkinPanel* plGauge;
    TqlSkinGauge* ggCurLine;
    TqlSkinEdit* edtInfo;
    TqlSkinCheckRadioBox* crbxPOS;
    TqlSkinStdLabel* lblInfo;

    // Count page (hidden).
    TqlSkinPanel* plQueryN;
    TqlSkinPanel* plResult2;
    TqlSkinPanel* plQSearchN;
    TqlSkinSplitter* splCount;
    TqlSkinStatusBar* stbInfoN;
    TqlSkinCustomListView* lsvCountResult;
    TqlSkinCheckRadioBox* crbxReSortN;
    TqlSkinComboBox* cbxSortTypeN1;
    TqlSkinComboBox* cbxSortTypeN2;
    TqlSkinButton* btnDisplay;
    TqlSkinCheckRadioBox* crbxInsert;
    TRichEdit* rdtDetail;
    TqlSkinEdit* edtInfoN;
    TqlSkinComboBox* cbxQSearchN;
    TqlSkinColorComboBox* ccbxQColorN;
    TqlSkinComboBox* cbxSearchRangeN;
    TqlSkinCheckRadioBox* crbxShowSelectionN;
    TqlSkinButton* btnHighlightN;
    TqlSkinComboBox* cbxInputStrN;
    TqlSkinButton* btnQueryN;
    TqlSkinButton* btnSaveN;
    TqlSkinStdLabel* lblInfoN1;
    TqlSkinStdLabel* lblInfoN2;
    TqlSkinComboBox* cbxLN1;
    TqlSkinComboBox* cbxCN1;
    TqlSkinComboBox* cbxRN1;
    TqlSkinCheckRadioBox* crbxCaseSenN;
    TqlSkinCheckRadioBox* crbxByLitN;
    TqlSkinCheckRadioBox* crbxByPOSN;
    TqlSkinComboBox* cbxLN2;
    TqlSkinComboBox* cbxCN2;
    TqlSkinComboBox* cbxRN2;
    TqlSkinPanel* plGaugeN;
    TqlSkinGauge* ggCurLineN;
    TqlSkinCheckRadioBox* crbxPOSN;

    // Collocate page.
    TqlSkinPanel* plColligate;
    TqlSkinComboBox* cbxNode;
    TqlSkinComboBox* cbxNodeMode;
    TqlSkinComboBox* cbxLeftSpan;
    TqlSkinComboBox* cbxRightSpan;
    TqlSkinComboBox* cbxCollMode;
    TqlSkinCheckRadioBox* crbxColCase;
    TqlSkinComboBox* cbxMinValue;
    TqlSkinNumericEdit* edtMinValue;
    TqlSkinButton* btnCol;
    TqlSkinButton* btnSaveCol;
    TqlSkinStdLabel* lbColInfo;
    TqlSkinGauge* ggColPro;
    TqlSkinEdit* edtInfoCol;
    TqlSkinCustomListView* lsvColligate;
    TqlSkinPanel* plColDetails;
    TqlSkinComboBox* cbxLCol;
    TqlSkinComboBox* cbxCCol;
    TqlSkinComboBox* cbxRCol;
    TqlSkinComboBox* cbxSortTypeCol;
    TqlSkinCheckRadioBox* crbxInsertCol;
    TqlSkinCheckRadioBox* crbxPosCol;
    TqlSkinButton* btnDisplayCol;
    TqlSkinComboBox* cbxQSearchCol;
    TqlSkinButton* btnHighlightCol;
    TqlSkinColorComboBox* ccbxQColorCol;
    TqlSkinComboBox* cbxSearchRangeCol;
    TqlSkinCheckRadioBox* crbxShowSelCol;
    TqlSkinStdLabel* lblInfoCol;
    TqlSkinPanel* plColBottom;
    TRichEdit* rdtDetailCol;

    // About page.
    TKvLabel* KvLabel1;
    TqlSkinStdLabel* KvLabel2;
    TKvLabel* KvLabel3;
    TqlSkinStdLabel* KvLabel4;
    TqlSkinStdLabel* KvLabel5;
    TMemo* memoInfo;
    TImage* Image1;

    // Components of the form.
    TqlCompressedStoredSkin* qlCompressedStoredSkin1;
    TqlSkinData* qlSkinData1;
    TqlSkinMessage* qlSkinMessage1;
    TqlSkinSelectDirectoryDialog* SelectDirectoryDialog1;
    TqlSkinSaveDialog* SaveDialog1;
    TqlSkinInputDialog* InputDialog1;
    TqlSkinHint* htTagSet;
    TqlSkinPopupMenu* popMenuCol;
    TMenuItem* itmDelete;
    TMenuItem* itmMerge;
    TMenuItem* itmRename;
    TTimer* Timer1;
    TTimer* Timer2;
    TTimer* Timer3;
    TTimer* Timer4;

    // State shared by the workflows.
    int gProgress = 0;
    int gFileCount = 0;
    std::unique_ptr<TQuery> gQuery;
    std::unique_ptr<TQuery> gQuery2;
    std::unique_ptr<TStat> gStat;
    std::unique_ptr<THashedStringList> gTagSet;
    TArrResultStr gHits, gCountHits, gCountDetail, gCountDetailView, gCollDetail, gCollDetailView;
    std::string gSplitters;
    std::array<int, 3> gWidths{}, gDetailWidths{}, gCollWidths{};
    std::array<int, 5> gLineSegs{}, gDetailSegs{}, gCollSegs{};
    // Each written line's own segment widths, in bytes of the line as its pane
    // holds it: a line too long to be padded, or one whose characters take
    // more bytes than columns, has its columns elsewhere than the shared widths say.
    using TLineSegments = std::vector<std::array<int, 5>>;
    TLineSegments gLineRowSegs, gDetailRowSegs, gCollRowSegs;
    std::string gLastView;
    bool gListReady = false;
    TParamInfo gParam;
    int gSortColumn = 0;
    int gSortClicks = 0;

    // Life cycle.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    // Settings page.
    void btnChoseDirClick(TObject* sender);
    void btnFilterClick(TObject* sender);
    void clbFileListClickCheck(TObject* sender);
    void edtFilterStrChange(TObject* sender);
    void edtFilterStrKeyPress(TObject* sender, char& key);
    void btnAddSplitterClick(TObject* sender);
    void edtSplitterStrChange(TObject* sender);
    void cblSplitterListListBoxClick(TObject* sender);
    void rdoRawClick(TObject* sender);
    void qlSkinCheckRadioBox1Click(TObject* sender);
    void cbxLeftRangeNumChange(TObject* sender);
    void cbxRightRangeNumChange(TObject* sender);
    void lblDirDblClick(TObject* sender);
    void btnClearHistoryClick(TObject* sender);
    void sldFontSizeChange(TObject* sender);
    void htTagSetShowHint(std::string& hintStr, THintInfo& hintInfo);
    void Image1Click(TObject* sender);
    void KvLabel2Click(TObject* sender);

    // Timers.
    void Timer1Timer(TObject* sender);
    void Timer2Timer(TObject* sender);
    void Timer3Timer(TObject* sender);
    void Timer4Timer(TObject* sender);

    // Routines of the Settings page.
    static std::string SplitterClass(TqlSkinCheckListBox* list);
    static void SetAllChecked(TqlSkinCheckListBox* list, bool checked);
    static int CountChecked(TqlSkinCheckListBox* list);
    static bool NameMatches(const std::string& expr, const std::string& text);
    // An expression compiles, or the user is shown the library's message.
    static bool ExpressionIsUsable(const std::string& expr);
    void FillSpanCombos();
    void ApplyTextMode();

    // Collocation run.
    void btnColClick(TObject* sender);
    // The search expression of a node typed in the node box.
    std::string NodeExpression(const std::string& node, const std::string& nodeMode) const;
    // Loads, counts and searches what the run needs and the engines lack; false when nothing is left to count.
    bool PrepareEngines(const TParamInfo& p, const std::string& expr);
    // The table, its info line and its menu before a run, and with the run's rows after it.
    void ClearCollocateRun();
    void ShowCollocateRun(const TParamInfo& p, int64_t started);
    void CollectParams(TParamInfo& p);
    void cbxNodeChange(TObject* sender);
    void cbxLeftSpanChange(TObject* sender);
    void cbxRightSpanChange(TObject* sender);
    void cbxNodeKeyPress(TObject* sender, char& key);
    void cbxMinValueChange(TObject* sender);

    // Collocate table.
    void FillCollocateList(TListView* listView, const TParamInfo& p);
    static bool PassesMinimum(const TParamInfo& p, const TStatResult& row);
    static void RenumberRows(TListView* listView);
    // Every count and score column at least as wide as its widest value, in
    // the font and style it is drawn in, whatever the corpus size; never
    // narrower than it is.
    void WidenValueColumns(TListView* listView);
    // Deletes the selected rows and numbers the rest from 1 again.
    static void DeleteSelectedRows(TListView* listView);
    void SaveCollocateTable(const std::string& fileName, TListView* listView);
    void lsvColligateColumnClick(TObject* sender, TListColumn* column);
    void lsvColligateCompare(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare);
    void lsvColligateCustomDrawItem(TObject* sender, TListItem* item, bool& defaultDraw);
    void lsvColligateCustomDrawSubItem(TObject* sender, TListItem* item, int subItem, bool& defaultDraw);
    void btnSaveColClick(TObject* sender);
    void lsvColligateDblClick(TObject* sender);

    // Collocate editing.
    void popMenuColPopup(TObject* sender);
    void itmDeleteClick(TObject* sender);
    void itmMergeClick(TObject* sender);
    void itmRenameClick(TObject* sender);
    int IndexOfCollocate(const std::string& mode, const std::string& name);
    bool UpdateMergedRow(TListView* listView, int index, const std::string& name, const TFreqInfo& freq);
    void RenameCollocate(const std::string& mode, const std::string& oldName, const std::string& newName);

    // Query page.
    void btnQueryClick(TObject* sender);
    void cbxInputStrChange(TObject* sender);
    void cbxInputStrKeyPress(TObject* sender, char& key);
    void cbxQSearchKeyPress(TObject* sender, char& key);
    void crbxByLitClick(TObject* sender);
    void crbxByPOSClick(TObject* sender);
    void crbxReSortClick(TObject* sender);
    void crbxPOSClick(TObject* sender);
    void lblInfoClick(TObject* sender);
    void lblInfoDblClick(TObject* sender);
    void rdtResultKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
    void rdtResultMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void rdtResultSelectionChange(TObject* sender);
    void rdtResultKeyPress(TObject* sender, char& key);
    void rdtResultMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void rdtResultExit(TObject* sender);
    void crbxShowTagHintClick(TObject* sender);
    void btnHighlightClick(TObject* sender);
    void btnSaveClick(TObject* sender);
    // The expression the Query and Count pages search for what the user typed.
    std::string SearchExpression(const std::string& typed, bool literal, bool tags) const;
    // The search of the Query and Count pages over every checked file, into gQuery.
    void SearchCorpus(const std::string& expression, bool caseSensitive, TqlSkinGauge* gauge);
    // The Query page's own record of what its pane shows: the hits as found
    // (a later Count search reuses the engine) and the view of the last formatting.
    TArrResultStr gQueryHits;

    // Count page.
    void btnQueryNClick(TObject* sender);
    void GroupCountHits(TArrResultStr& hits, bool caseSensitive);
    void SortCountHits(const std::string& mode, TArrResultStr& hits, bool caseSensitive);
    void PrepareCountListView(TListView* listView);
    void lsvCountResultData(TObject* sender, TListItem* item);
    void lsvCountResultCustomDrawItem(TObject* sender, TListItem* item, bool& defaultDraw);
    void lsvCountResultCustomDrawSubItem(TObject* sender, TListItem* item, int subItem, bool& defaultDraw);
    void lsvCountResultDblClick(TObject* sender);
    void ShowGroupDetail(const std::string& members);
    void btnDisplayClick(TObject* sender);
    void btnSaveNClick(TObject* sender);
    void btnHighlightNClick(TObject* sender);
    void crbxReSortNClick(TObject* sender);
    void cbxInputStrNChange(TObject* sender);
    void cbxInputStrNKeyPress(TObject* sender, char& key);
    void cbxQSearchNKeyPress(TObject* sender, char& key);
    void crbxByLitNClick(TObject* sender);
    void crbxByPOSNClick(TObject* sender);
    void lblInfoN1Click(TObject* sender);
    void lblInfoN1DblClick(TObject* sender);
    void lblInfoN2Click(TObject* sender);
    void lblInfoN2DblClick(TObject* sender);
    void rdtDetailChange(TObject* sender);
    void rdtDetailKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
    void rdtDetailMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void rdtDetailSelectionChange(TObject* sender);
    void rdtDetailKeyPress(TObject* sender, char& key);
    void rdtDetailMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void rdtDetailExit(TObject* sender);
    void ShowCountCaretHit();
    // The Count page's own records: the hits its groups index (a later Query
    // search reuses the engine), the search's hit count, its last view, and
    // the widths its rows are padded to (a Query search must not re-pad them).
    TArrResultStr gCountSearchHits;
    std::array<int, 3> gCountWidths{};
    int gCountHitTotal = 0;
    std::string gCountLastView;

    // Frequency and cluster lists (the list panel of the Settings page).
    void btnCreateListClick(TObject* sender);
    void btnSetStopListClick(TObject* sender);
    void rbxUseStopListClick(TObject* sender);
    void rbxWordClick(TObject* sender);
    void rbxPosClick(TObject* sender);
    void rbxWordAndPosClick(TObject* sender);
    void rbxWordByPosClick(TObject* sender);
    void rbxPosByWordClick(TObject* sender);
    void ccbxClusterLenChange(TObject* sender);
    bool AnyListTypeChecked();
    std::string ReadStopList(const std::string& path);
    static int ListItemCount(const std::string& line);
    // tagsTaken: the items are words or tags already parted from each other
    // (every list but the word-with-tag one).
    void WriteFrequencyList(const std::string& fileName, const std::string& stopExpression, TStringList& list,
                            bool tagsTaken = false);
    // The folder of the last list run (for the program's checks and the shell).
    std::string LastListFolder;
    // What names the folder of a list run after the moment it started.
    std::function<std::string()> ListTimeStamp = TDisplay::TimeStamp;

    // Concordance display, shared by every pane.
    void FormatColumns(const std::string& leftMode, const std::string& centerMode, const std::string& rightMode,
                       std::array<int, 3>& widths, TArrResultStr& view, const TArrResultStr& hits);
    void WriteConcordance(const std::string& sortMode, const std::array<int, 3>& widths, TqlSkinGauge* gauge,
                          bool caseSensitive, std::array<int, 5>& columnWidths, TLineSegments& rowSegments,
                          TArrResultStr& view, TRichEdit* richEdit);
    void HitInfoLine(const TArrResultStr& hits, const TArrResultStr& view, int lineIndex, std::string& info,
                     const std::string& mode);
    void WriteConcordanceLines(const std::string& sortMode, const std::array<int, 3>& widths, TqlSkinGauge* gauge,
                               bool caseSensitive, std::array<int, 5>& columnWidths, TLineSegments& rowSegments,
                               TArrResultStr& view, TRichEdit* richEdit);
    // The columns the left, centre and right texts of a hit take on screen, as
    // the line that holds them is shown (UTF-8 only when all three are).
    static std::array<int, 3> ShownColumns(const TResultStr& hit);
    // Tells the user how many lines a search had to leave out.
    static void ReportSkippedLines(const TQuery& query);
    // Tells the user which files a run left out as UTF-16 text, and why.
    static void ReportLeftOutFiles(const std::vector<std::string>& names);
    static std::string ConvertQuery(const std::string& query, const std::string& splitters, bool literal);
    // Appends the hits a member list names ("3,7,12,", as grouping and collocate
    // counting write them), numbered from 0; an index outside the hits is skipped.
    static void AppendMembers(const std::string& members, const TArrResultStr& hits, TArrResultStr& detail);
    static void AppendMembers(const std::string& members, const THitList& hits, TArrResultStr& detail);
    static int CaretLine(TRichEdit* richEdit);
    static void CycleColor(TqlSkinColorComboBox* colorCombo);
    // Courier New, black, the font-size slider's size, no style: how every display starts.
    void ResetPaneFont(TRichEdit* pane);
    // The highlight bar of a pane and what marking with it needs.
    struct THighlightBar {
        TqlSkinComboBox* search;
        TqlSkinComboBox* range;
        TqlSkinColorComboBox* color;
        TqlSkinCheckRadioBox* showSelection;
        TqlSkinStdLabel* info;
    };
    // Marks the bar's expression in the pane within the chosen column and
    // reports the marks in the bar's label; the colour box moves on.
    void MarkPane(TRichEdit* pane, const THighlightBar& bar, bool ignoreCase, const std::array<int, 5>& segments,
                  const TLineSegments& rowSegments);
    // A pane without concordance lines (none written yet, or emptied by a new
    // run) gives a highlight nothing to do.
    static bool PaneShowsHits(TRichEdit* pane);
    // The tag-description hint of a selection in a pane.
    void ShowTagHint(TRichEdit* pane);
    // A pane's selection changed: its hint goes, and text the user selected
    // (never a selection the program made) fills the search box when asked to.
    static void PaneSelectionChanged(TRichEdit* pane, TqlSkinCheckRadioBox* showSelection, TqlSkinComboBox* search);
    // The segment widths of a written line as a pane shows it.
    static void MeasureSegments(const std::string& line, bool showFiles, std::array<int, 5>& segments);
    // The highlight range of a column choice from the segment widths of the last output.
    static void ColumnRange(const std::string& range, const std::array<int, 5>& segments, int& start, int& length);

    // Collocate detail pane.
    void btnDisplayColClick(TObject* sender);
    void btnHighlightColClick(TObject* sender);
    void cbxQSearchColKeyPress(TObject* sender, char& key);
    void rdtDetailColExit(TObject* sender);
    void rdtDetailColKeyPress(TObject* sender, char& key);
    void rdtDetailColKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
    void rdtDetailColMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void rdtDetailColMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void rdtDetailColSelectionChange(TObject* sender);

    // Asks the save dialog for a file with the filter, and whether to overwrite
    // one that exists; true with the confirmed name.
    bool ChooseSaveTarget(const std::string& filter, std::string& fileName);

    // The folder the program's own files live in ("stoplist.ini", "Frequency Lists").
    std::string ProgramFolder() const;

private:
    void BuildForm();
    void BuildSettingsPage();
    void BuildListPanel();
    void BuildQueryPage();
    void ConnectQueryPage();
    void ConnectListPanel();
    void ConnectCountPage();
    void ShowQueryCaretHit();
    void BuildCountPage();
    void BuildCollocatePage();
    void BuildCollocateDetails();
    static int FittedColumnWidth(const TFont& font, int designWidth, std::initializer_list<const char*> texts);
    void BuildCollocateTable();
    void ConnectCollocatePage();
    void ShowCollocateInfo();
    // A new collocate name the lists can hold, or the user is told why not.
    bool NameIsUsable(const std::string& name);

    TEngineState FEngine;
    void ConnectCollocateDetails();
    // The collocate table and the concordance pane share the page's height.
    void ShareCollocatePageHeight();
    void ShowCaretHit();
    void BuildAboutPage();
    void BuildComponents();
    void ConnectHandlers();
    void ShowFileCount();
    void EnableCorpusPages(bool enabled);
    void UpdateSplitters();
};
