// Times the collocate table on a frequent node's tens of thousands of rows,
// driven as the program drives it: rows added one by one with messages pumped
// between them (inside BeginUpdate/EndUpdate and without), a sort by a
// numeric column through the compare event, scrolling to the end and paging
// through, and deleting scattered selected rows; each step with its paint.
// The table is also paged through the skin's attached bar. Then the table of
// counted lines in owner-data mode: setting the count, the first paint,
// scrolling to the end and paging (by the view and by the skinned bar),
// counting the rows asked for, and once more stepped through scroll messages
// with the view's own bars hidden.
//
//   lexmoor-listview-bench [--rows N] [--virtual-rows N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <tuple>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/controls/qlSkinListView.h"
#include "skin/default/DefaultSkin.h"
#include "tests/support/Pictures.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct TRow {
    std::string collocate;
    int fc = 0, fnc = 0;
    double scores[6] = {};
};

std::string Score(double value) {
    if (value == 0) return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::vector<TRow> MakeRows(int count) {
    static const char* stems[] = {"language", "corpus", "Word", "#NN", "1990", "text", "line", "make"};
    std::vector<TRow> rows(static_cast<size_t>(count));
    unsigned seed = 11;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < count; ++i) {
        TRow& row = rows[static_cast<size_t>(i)];
        row.collocate = std::string(stems[next() >> 16 & 7]) + IntToStr(i);
        row.fc = static_cast<int>(1 + (next() >> 8) % 100000);
        row.fnc = static_cast<int>(1 + (next() >> 8) % 500);
        for (double& s : row.scores) s = (next() >> 16) % 7 == 0 ? 0 : ((next() >> 8) % 2000000) / 1000.0 - 50;
    }
    return rows;
}

void Fill(TListView* list, const std::vector<TRow>& rows, bool batched) {
    list->Items().Clear();
    if (batched) list->Items().BeginUpdate();
    for (const TRow& row : rows) {
        Application->ProcessMessages();
        TListItem* item = list->Items().Add();
        item->Caption = " " + IntToStr(list->Items().Count());
        item->SubItems = {row.collocate + " ", IntToStr(row.fc), IntToStr(row.fnc)};
        for (double s : row.scores) item->SubItems.push_back(Score(s));
    }
    if (batched) list->Items().EndUpdate();
}

// The table's colours: row background by parity, column colours by kind.
void Colour(TListView* list) {
    list->OnCustomDrawItem = [list](TObject*, TListItem* item, bool&) {
        list->Canvas().Brush().Color = item->Index() % 2 ? RGB(0xF7, 0xFF, 0xFF) : RGB(0xFE, 0xF5, 0xFE);
    };
    list->OnCustomDrawSubItem = [list](TObject*, TListItem* item, int subItem, bool&) {
        TFont& font = list->Canvas().Font();
        const std::string& text = item->SubItems[static_cast<size_t>(subItem - 1)];
        if (subItem == 1) {
            const char c = text.empty() ? ' ' : text[0];
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            font.SetColor(letter ? RGB(0, 0, 0xFF) : (c >= '0' && c <= '9') ? RGB(0x80, 0x80, 0x80)
                          : c == '#'                                    ? RGB(0xFF, 0x80, 0xC0)
                                                                        : RGB(0xFF, 0, 0));
            font.SetStyle(letter || c == '#' ? TFontStyles(fsBold) : 0u);
        } else if (subItem == 3) {
            font.SetColor(RGB(0xFF, 0, 0));
            font.SetStyle(fsBold);
        } else if (subItem >= 4) {
            static const TColor kinds[] = {RGB(0xBF, 0, 0x60), RGB(0x60, 0, 0xBF), RGB(0xA8, 0x17, 0xA0)};
            font.SetColor(text == "0" ? RGB(0xDB, 0xDB, 0xDB) : kinds[(subItem - 4) / 2]);
        }
    };
}

// Numbers compare as texts padded to 12 characters, descending on the first click.
std::string SortKey(std::string text) {
    if (text == "0") text = "0.0000";
    if (text.size() < 12) text.insert(0, 12 - text.size(), '0');
    return text;
}

// Heap in use, in kB: resident memory would hide what reuses the earlier runs' freed blocks.
long HeapKb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

struct TGroup {
    std::string left, centre, right;
    int count = 0;
};

std::vector<TGroup> MakeGroups(int count) {
    static const char* tags[] = {"NN", "VBZ", "JJ", "IN", "DT", "NNS", "RB", "PRP"};
    std::vector<TGroup> groups(static_cast<size_t>(count));
    unsigned seed = 7;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    auto tagLine = [&](int words) {
        std::string line;
        for (int i = 0; i < words; ++i) line += std::string(i ? " " : "") + tags[next() & 7];
        return line;
    };
    for (TGroup& g : groups) {
        g.left = tagLine(static_cast<int>(next() % 6));
        g.centre = tagLine(1 + static_cast<int>(next() % 2));
        g.right = tagLine(static_cast<int>(next() % 6));
        g.count = 1 + static_cast<int>(next() % 500);
    }
    return groups;
}

// Scrolls up by whole pages, so that `pages` steps cross `rows` rows. A row's
// height is taken as the client height over the rows shown (a little more than
// it is, with the header): Scroll moves whole rows and stops at the top.
void PageUp(TListView* list, int rows, int pages) {
    const int page = list->VisibleRowCount();
    const int rowHeight = std::max(1, list->ClientHeight() / page);
    list->Scroll(0, -page * (rows / page / pages + 1) * rowHeight);
}

// Pages down by clicks below the thumb of the view's skinned bar, repainting
// the view and the bar at each step, as the screen shows them; returns the
// slowest step in seconds.
double PageDownByBar(TqlSkinScrollBar* bar, TListView* list, int steps) {
    double slowest = 0;
    for (int i = 0; i < steps; ++i) {
        const auto start = Clock::now();
        bar->Layout();
        const TRect thumb = bar->PartRect(TqlSkinScrollBar::ptThumb), track = bar->TrackRect();
        const int y = std::min(track.Bottom - 1, thumb.Bottom + 1);
        bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.Left + 1, y));
        bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(thumb.Left + 1, y));
        list->Repaint();
        bar->Repaint();
        slowest = std::max(slowest, SecondsSince(start));
    }
    return slowest;
}

// Bars along the form's right and bottom edges, as the main form gives its tables, in Skin.
void AttachBars(TForm* form, TqlSkinCustomListView* list, TqlSkinData* skin) {
    auto* vertical = new TqlSkinScrollBar(form);
    vertical->SetKind(sbVertical);
    vertical->SetParent(form);
    vertical->SetAlign(TAlign::alRight);
    auto* horizontal = new TqlSkinScrollBar(form);
    horizontal->SetParent(form);
    horizontal->SetAlign(TAlign::alBottom);
    for (TqlSkinScrollBar* bar : {vertical, horizontal}) bar->SetSkinData(skin);
    list->SetVScrollBar(vertical);
    list->SetHScrollBar(horizontal);
    list->SetSkinData(skin);
}

double PaintSeconds(TListView* list) {
    const auto start = Clock::now();
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    int count = 50000, virtualCount = 100000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rows") && i + 1 < argc) count = std::atoi(argv[++i]);
        if (!std::strcmp(argv[i], "--virtual-rows") && i + 1 < argc) virtualCount = std::atoi(argv[++i]);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 1000, 700);
    auto* list = new TqlSkinCustomListView(form);
    list->SetParent(form);
    list->SetAlign(TAlign::alClient);
    list->SetGridLines(true);
    list->SetMultiSelect(true);
    using A = TAlignment;
    const struct {
        const char* caption;
        int width;
        TAlignment alignment;
    } columns[] = {{"NO", 50, A::taLeftJustify},       {"Collocate", 150, A::taLeftJustify},
                   {"f(c)", 57, A::taCenter},           {"f(n,c)", 66, A::taCenter},
                   {"MI", 66, A::taRightJustify},       {"MI3", 69, A::taRightJustify},
                   {"Z-Score", 75, A::taRightJustify},  {"T-Score", 74, A::taRightJustify},
                   {"Log-log", 110, A::taRightJustify}, {"Log-likelihood", 120, A::taRightJustify}};
    for (const auto& column : columns) list->AddColumn(column.caption, column.width, column.alignment);
    Colour(list);
    form->SetVisible(true);
    app.ProcessMessages();
    const std::vector<TRow> rows = MakeRows(count);

    auto start = Clock::now();
    Fill(list, rows, true);
    const double fillBatched = SecondsSince(start);
    const double fillBatchedPaint = PaintSeconds(list);

    // After a fill the program widens each count and score column to its widest value.
    start = Clock::now();
    int widths = 0;
    for (int c = 2; c < list->ColumnCount(); ++c) widths += list->ContentWidth(c);
    const double widen = SecondsSince(start);

    start = Clock::now();
    Fill(list, rows, false);
    const double fillSingle = SecondsSince(start);
    const double fillSinglePaint = PaintSeconds(list);

    // A header click on f(c): sort descending, then renumber, as the program does.
    int compares = 0;
    list->OnCompare = [&compares](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        ++compares;
        compare = CompareText(SortKey(b->SubItems[1]), SortKey(a->SubItems[1]));
    };
    start = Clock::now();
    list->CustomSort();
    const double sortOnly = SecondsSince(start);
    for (int i = 0; i < list->Items().Count(); ++i) list->Items()[i]->Caption = " " + IntToStr(i + 1);
    const double sortAll = SecondsSince(start);
    const double sortPaint = PaintSeconds(list);
    // The top of the sorted table, for a person to look at.
    form->SaveScreenshot(PicturePath("listview_bench.png"));
    bool ok = list->Items().Count() == count;
    for (int i = 1; ok && i < list->Items().Count(); ++i)
        ok = std::stoi(list->Items()[i - 1]->SubItems[1]) >= std::stoi(list->Items()[i]->SubItems[1]);

    start = Clock::now();
    list->MakeVisible(list->Items()[count - 1]);
    const double endPaint = PaintSeconds(list);
    const double toEnd = SecondsSince(start);
    ok = ok && list->TopIndex() > count - 60;

    // Paging back to the top, one page and one paint at a time.
    const int pages = 200;
    start = Clock::now();
    for (int page = 0; page < pages; ++page) {
        PageUp(list, count, pages);
        list->Repaint();
    }
    const double paging = SecondsSince(start) / pages;
    ok = ok && list->TopIndex() == 0;

    // The same table paged down through the skin's bar.
    auto* stored = new TqlCompressedStoredSkin(form);
    stored->SetCompressedData(DefaultSkinZlib());
    auto* skin = new TqlSkinData(form);
    skin->SetCompressedStoredSkin(stored);
    AttachBars(form, list, skin);
    app.ProcessMessages();
    list->Synchronize();
    start = Clock::now();
    const double barSlowest = PageDownByBar(list->VScrollBar(), list, pages);
    const double barPaging = SecondsSince(start) / pages;
    ok = ok && list->VScrollBar()->Visible() && list->TopIndex() == pages * list->VisibleRowCount();

    // Rows selected, then deleted as the program deletes: the first selected until none is.
    struct TDelete {
        const char* what;
        int step;  // every step-th row; 1 selects all with SelectAll
        int deleted = 0;
        double seconds = 0;
    } deletes[] = {{"every 50th", 50}, {"every 5th", 5}, {"all", 1}};
    for (TDelete& d : deletes) {
        Fill(list, rows, true);
        if (d.step == 1)
            list->SelectAll();
        else
            for (int i = 0; i < count; i += d.step) list->Items()[i]->SetSelected(true);
        d.deleted = list->SelCount();
        start = Clock::now();
        while (list->SelCount() > 0) list->Selected()->Delete();
        d.seconds = SecondsSince(start);
        ok = ok && list->Items().Count() == count - d.deleted;
        app.ProcessMessages();
    }

    // The counted lines: five columns, rows made by OnData as the Count page makes them.
    list->SetVisible(false);
    auto* counted = new TqlSkinCustomListView(form);
    counted->SetParent(form);
    counted->SetAlign(TAlign::alClient);
    counted->SetMultiSelect(true);
    for (const auto& column : {std::tuple{"NO", 66, A::taLeftJustify}, std::tuple{"Freq.", 66, A::taRightJustify},
                               std::tuple{"Left ", 102, A::taCenter}, std::tuple{" Center ", 114, A::taCenter},
                               std::tuple{" Right", 127, A::taCenter}})
        counted->AddColumn(std::get<0>(column), std::get<1>(column), std::get<2>(column));
    const std::vector<TGroup> groups = MakeGroups(virtualCount);
    size_t widest[3] = {};
    for (const TGroup& g : groups) {
        widest[0] = std::max(widest[0], g.left.size());
        widest[1] = std::max(widest[1], g.centre.size());
        widest[2] = std::max(widest[2], g.right.size());
    }
    auto blanks = [](long n) { return std::string(static_cast<size_t>(std::max(n, 0L)), ' '); };
    long asked = 0;
    counted->OnData = [&](TObject*, TListItem* item) {
        ++asked;
        const TGroup& g = groups[static_cast<size_t>(item->Index())];
        item->Caption = " " + IntToStr(item->Index() + 1) + ". ";
        item->SubItems = {" " + IntToStr(g.count) + " ",
                          blanks(long(widest[0]) - long(g.left.size()) + 3) + " " + g.left + "  ",
                          " " + g.centre + blanks(long(widest[1]) - long(g.centre.size()) + 1) + " ",
                          "  " + g.right + " " + blanks(long(widest[2]) - long(g.right.size()) + 3)};
    };
    counted->OnCustomDrawItem = [counted](TObject*, TListItem* item, bool&) {
        counted->Canvas().Brush().Color = item->Index() % 2 ? RGB(247, 255, 255) : RGB(254, 245, 254);
    };
    counted->OnCustomDrawSubItem = [counted](TObject*, TListItem*, int subItem, bool&) {
        counted->Canvas().Font().SetColor(subItem == 1 ? RGB(0, 0, 255) : clBlack);
        counted->Canvas().Font().SetStyle(subItem == 1 ? TFontStyles(fsBold) : 0u);
    };
    app.ProcessMessages();
    const long kbBefore = HeapKb();
    start = Clock::now();
    const int w = counted->Canvas().TextWidth("W") + 4;
    counted->SetOwnerData(true);
    counted->Items().SetCount(virtualCount);
    counted->Column(2)->Width = std::max(160, w * int(widest[0]));
    counted->Column(3)->Width = std::max(124, w * int(widest[1]));
    counted->Column(4)->Width = std::max(160, w * int(widest[2]));
    const double setCount = SecondsSince(start);
    const long kbAfterCount = HeapKb();
    const double virtualPaint = PaintSeconds(counted);
    const long askedFirst = asked, kbAfterPaint = HeapKb();
    form->SaveScreenshot(PicturePath("listview_ownerdata_bench.png"));
    ok = ok && askedFirst > 0 && askedFirst < 100 && counted->Column(2)->Width >= 160;

    asked = 0;
    start = Clock::now();
    counted->MakeVisible(counted->Items()[virtualCount - 1]);
    const double virtualEndPaint = PaintSeconds(counted);
    const double virtualToEnd = SecondsSince(start);
    const long askedEnd = asked;
    ok = ok && counted->TopIndex() > virtualCount - 60;

    asked = 0;
    start = Clock::now();
    for (int page = 0; page < pages; ++page) {
        PageUp(counted, virtualCount, pages);
        counted->Repaint();
    }
    const double virtualPaging = SecondsSince(start) / pages;
    const double askedPerPage = double(asked) / pages;
    ok = ok && counted->TopIndex() == 0;

    AttachBars(form, counted, skin);
    app.ProcessMessages();
    counted->Synchronize();
    asked = 0;
    start = Clock::now();
    const double virtualBarSlowest = PageDownByBar(counted->VScrollBar(), counted, pages);
    const double virtualBarPaging = SecondsSince(start) / pages;
    const double askedPerBarPage = double(asked) / pages;
    ok = ok && counted->TopIndex() == pages * counted->VisibleRowCount() && askedPerBarPage < 100;

    // Driven from outside by scroll messages alone, from the top, each step a
    // scroll request, the state read back and a repaint.
    counted->SetVScrollBar(nullptr);
    counted->SetHScrollBar(nullptr);
    counted->MakeVisible(counted->Items()[0]);
    app.ProcessMessages();
    asked = 0;
    start = Clock::now();
    SCROLLINFO state;
    state.fMask = SIF_ALL;
    for (int page = 0; page < pages; ++page) {
        counted->Perform(WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, state.nPos + virtualCount / pages), 0);
        GetScrollInfo(counted, SB_VERT, &state);
        counted->Repaint();
    }
    const double drivenPaging = SecondsSince(start) / pages;
    const double drivenAskedPerPage = double(asked) / pages;
    ok = ok && state.nMax == virtualCount - 1 && state.nPos == counted->TopIndex() &&
         state.nPos == virtualCount - int(state.nPage);

    std::printf("rows %d, 10 columns, custom-drawn, grid lines\n", count);
    std::printf("fill in BeginUpdate/EndUpdate  %7.3f s  (%.2f us per row), first paint %.3f s\n", fillBatched,
                1e6 * fillBatched / count, fillBatchedPaint);
    std::printf("widest value of 8 columns      %7.3f s  (%.2f us per row, %d pixels in all)\n", widen,
                1e6 * widen / count, widths);
    std::printf("fill row by row                %7.3f s  (%.2f us per row), first paint %.3f s\n", fillSingle,
                1e6 * fillSingle / count, fillSinglePaint);
    std::printf("sort by f(c) through OnCompare %7.3f s  (%d compares), with renumbering %.3f s, paint %.3f s\n",
                sortOnly, compares, sortAll, sortPaint);
    std::printf("scroll to the end and paint    %7.3f s  (paint %.3f s)\n", toEnd, endPaint);
    std::printf("page up and repaint on screen   %7.4f s per page\n", paging);
    std::printf("page down by the skinned bar    %7.4f s per page, slowest %.4f s\n", barPaging, barSlowest);
    for (const TDelete& d : deletes)
        std::printf("delete %-5d selected (%s)%*s %7.3f s\n", d.deleted, d.what, int(12 - std::strlen(d.what)), "",
                    d.seconds);
    std::printf("owner data: %d rows, 5 columns, custom-drawn\n", virtualCount);
    std::printf("set count and column widths    %7.4f s  (+%ld kB heap)\n", setCount, kbAfterCount - kbBefore);
    std::printf("first paint                    %7.4f s  (%ld rows asked, +%ld kB heap since the count)\n",
                virtualPaint, askedFirst, kbAfterPaint - kbAfterCount);
    std::printf("scroll to the end and paint    %7.4f s  (paint %.4f s, %ld rows asked)\n", virtualToEnd,
                virtualEndPaint, askedEnd);
    std::printf("page up and repaint on screen   %7.4f s per page (%.1f rows asked per page)\n", virtualPaging,
                askedPerPage);
    std::printf("page down by the skinned bar    %7.4f s per page, slowest %.4f s (%.1f rows asked per page)\n",
                virtualBarPaging, virtualBarSlowest, askedPerBarPage);
    std::printf("bars hidden, stepped by messages %6.4f s per step (%.1f rows asked per step)\n", drivenPaging,
                drivenAskedPerPage);
    std::printf("check %s\n", ok ? "ok" : "FAILED");
    delete form;
    return ok ? 0 : 1;
}
