// The main window's layout follows the window's size: tables and panes take
// the room, button rows stay reachable down to the smallest size allowed.

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

#include "app/Unit1.h"
#include "platform/gui/FocusRing.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TempFolder.h"

namespace {

class Layout : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        form = app_->CreateForm<TForm1>();
        form->SetVisible(true);
    }

    // Every shown control of the page that leaves its parent's client area.
    static std::vector<std::string> Overflowing(TWinControl* parent) {
        std::vector<std::string> out;
        const TRect client = parent->ClientRect();
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (!c->Visible()) continue;
            TRect r = c->BoundsRect();
            if (r.Left < client.Left || r.Top < client.Top || r.Right > client.Right || r.Bottom > client.Bottom ||
                r.Width() == 0 || r.Height() == 0)
                out.push_back(c->Name + " " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                              std::to_string(r.Right) + "," + std::to_string(r.Bottom) + " in " +
                              std::to_string(client.Right) + "x" + std::to_string(client.Bottom));
            if (auto* w = dynamic_cast<TWinControl*>(c)) {
                auto inner = Overflowing(w);
                out.insert(out.end(), inner.begin(), inner.end());
            }
        }
        return out;
    }

    TForm1* form = nullptr;
};

TEST_F(Layout, PagesFillTheWindowAtEverySize) {
    struct Size {
        int width, height;
    } sizes[] = {{TForm1::kMinimumWidth, TForm1::kMinimumHeight}, {1000, 700}, {1600, 1000}, {2400, 1400}};
    for (const Size& s : sizes) {
        SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
        form->SetBounds(0, 0, s.width, s.height);
        for (TqlSkinTabSheet* page : {form->tsSettings, form->tsColligate, form->tsAbout, form->tsQuery, form->tsCount})
            EXPECT_EQ(Overflowing(page), std::vector<std::string>{}) << page->Name;

        // The collocate table and the concordance pane share the height below the run bar.
        // The table stands in a frame with its bars.
        const TControl* frame = form->lsvColligate->Parent();
        const int table = frame->Height(), bottom = form->plColBottom->Height();
        EXPECT_LE(std::abs(table - bottom), 1);
        EXPECT_EQ(frame->Top() + table, form->plColBottom->Top());
        EXPECT_EQ(form->plColBottom->Top() + bottom, form->tsColligate->ClientHeight());
        EXPECT_GE(form->rdtDetailCol->Height(), 120);

        // The file list takes what the Settings page has left; the option groups stay at the right edge.
        EXPECT_GE(form->clbFileList->Height(), form->tsSettings->ClientHeight() - 250);
        EXPECT_EQ(form->tsSettings->ClientWidth() - form->gbDisplay->Left() - form->gbDisplay->Width(), 10);
    }
}

TEST_F(Layout, TheWindowIsNeverSmallerThanItsMinimum) {
    form->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(form->Width(), TForm1::kMinimumWidth);
    EXPECT_EQ(form->Height(), TForm1::kMinimumHeight);
    EXPECT_EQ(form->Constraints().MinWidth, TForm1::kMinimumWidth);
}

// Tab walks each page in reading order, and wherever the focus lands it can be
// seen: the control marks it itself or the focus ring is drawn around it.
TEST_F(Layout, TabFollowsTheReadingOrderAndTheFocusIsAlwaysMarked) {
    TempFolder corpus;
    corpus.Write("a.txt", "the_DT cat_NN sat_VV\r\n");
    TDialogScript::QueueFile(true, corpus.Path());
    form->btnChoseDir->Click();
    form->cbxNode->SetText("cat");
    form->cbxLeftSpan->SetItemIndex(1);
    form->btnCol->Click();
    form->lsvColligate->Items()[0]->SetSelected(true);
    form->lsvColligateDblClick(form->lsvColligate);
    QApplication::setActiveWindow(form->Widget());

    auto walk = [&](TWinControl* first, size_t steps) {
        std::vector<std::string> names;
        first->SetFocus();
        for (size_t i = 0; i < steps; ++i) {
            TWinControl* now = form->ActiveControl();
            names.push_back(now ? now->Name : "(none)");
            if (now && !now->ShowsOwnFocus()) {
                EXPECT_EQ(focus_ring::Target(), now->Widget()) << now->Name;
            }
            form->Perform(CM_DIALOGKEY, VK_TAB, 0);
        }
        return names;
    };
    form->qlSkinPageControl1->SetActivePage(form->tsSettings);
    EXPECT_EQ(walk(form->btnChoseDir, 16),
              (std::vector<std::string>{"btnChoseDir", "edtFilterStr", "clbFileList", "rdoRaw",
                                        "qlSkinCheckRadioBox1", "edtSplitterStr", "cblSplitterList", "cbxLeftRangeNum",
                                        "cbxRightRangeNum", "crbxShowFileName", "crbxShowColor", "crbxShowTagHint",
                                        "sldFontSize", "btnClearHistory", "qlSkinPageControl1", "btnChoseDir"}));
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    EXPECT_EQ(walk(form->cbxNode, 23),
              (std::vector<std::string>{"cbxNode", "cbxNodeMode", "cbxLeftSpan", "cbxRightSpan", "cbxCollMode",
                                        "crbxColCase", "btnCol", "btnSaveCol", "cbxMinValue", "edtInfoCol", "lsvColligate",
                                        "cbxLCol", "cbxCCol", "cbxRCol", "cbxSortTypeCol", "btnDisplayCol",
                                        "crbxInsertCol", "crbxPosCol", "cbxQSearchCol", "cbxSearchRangeCol",
                                        "btnHighlightCol", "ccbxQColorCol", "crbxShowSelCol"}));
}

// The tab strip takes the focus by Tab like any control, and shows it: the
// selected tab looks different while the strip holds the focus.
TEST_F(Layout, TheTabStripMarksTheFocusOnItsSelectedTab) {
    TqlSkinPageControl* pages = form->qlSkinPageControl1;
    pages->SetActivePage(form->tsSettings);
    QApplication::setActiveWindow(form->Widget());
    form->btnChoseDir->SetFocus();
    auto shot = [&] {
        TBitmap out(pages->Width(), pages->Height());
        pages->PaintTo(out.Canvas(), 0, 0);
        return out;
    };
    const TBitmap before = shot();
    pages->SetFocus();
    ASSERT_TRUE(pages->Focused());
    const TBitmap focused = shot();
    const TRect tab = pages->TabRect(pages->ActivePageIndex());
    int differing = 0;
    for (int y = tab.Top; y < tab.Bottom; ++y)
        for (int x = tab.Left; x < tab.Right; ++x) differing += before.Pixel(x, y) != focused.Pixel(x, y);
    EXPECT_GT(differing, tab.Width());
    // Only the selected tab changes.
    const TRect other = pages->TabRect(form->tsAbout->PageIndex());
    for (int y = other.Top; y < other.Bottom; ++y)
        for (int x = other.Left; x < other.Right; ++x) ASSERT_EQ(before.Pixel(x, y), focused.Pixel(x, y));
}

// Counts of six digits and scores like 3789.1568 show whole in their columns,
// bold as f(n,c) draws them, in the font the table draws with.
TEST_F(Layout, TheCollocateColumnsHoldTheValuesTheyWereLaidOutFor) {
    TListView* table = form->lsvColligate;
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(table->Font());
    measure.Canvas().Font().SetStyle(fsBold);
    const int margins = 2 * 4;  // the cell's text margins either side
    for (int c = 2; c < table->ColumnCount(); ++c) {
        SCOPED_TRACE(table->Column(c)->Caption);
        const char* widest = c < 4 ? "120557" : "3789.1568";
        EXPECT_GE(table->Column(c)->Width, measure.Canvas().TextWidth(widest) + margins);
        EXPECT_GE(table->Column(c)->Width, measure.Canvas().TextWidth(table->Column(c)->Caption) + margins);
    }
    // A user still widens a column by its divider.
    table->SetColumnWidth(2, 300);
    EXPECT_EQ(table->Column(2)->Width, 300);
}

}  // namespace
