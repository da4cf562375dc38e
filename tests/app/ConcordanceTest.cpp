// The collocate detail pane: hits laid out in columns, sorted, written plain
// or coloured, highlighted, with the caret-hit line and tag hints.

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/Unit1.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Rtf.h"
#include "platform/gui/Timers.h"
#include "tests/support/AppFixture.h"
#include "tests/support/FormPicture.h"

namespace {

class DetailPane : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        form = app_->CreateForm<TForm1>();
        form->SetVisible(true);
    }

    static TResultStr Hit(const std::string& left, const std::string& center, const std::string& right,
                          const std::string& file = "a.txt") {
        TResultStr h;
        h.Left = left;
        h.Center = center;
        h.Right = right;
        h.FileName = file;
        return h;
    }

    // Raw text, every column whole: what the display writes is what the hits hold.
    void Show(const TArrResultStr& hits, const std::string& sortMode, bool coloured) {
        form->rdoRaw->SetChecked(true);
        form->crbxShowColor->SetChecked(coloured);
        form->cbxSortTypeCol->SetItemIndex(form->cbxSortTypeCol->Items().IndexOf(sortMode));
        form->gCollDetail = hits;
        form->btnDisplayCol->Click();
    }

    std::vector<std::string> PaneLines() { return form->rdtDetailCol->Lines().Items(); }

    TForm1* form = nullptr;
};

TEST_F(DetailPane, NumbersAreRightAlignedToTheWidthOfTheLastOne) {
    TArrResultStr hits;
    for (int i = 0; i < 120; ++i) hits.push_back(Hit("left", "node", "right"));
    Show(hits, "FILE", false);
    auto lines = PaneLines();
    ASSERT_EQ(lines.size(), 121u);
    EXPECT_EQ(lines[0], "");
    EXPECT_TRUE(lines[1].starts_with("   1.\t"));
    EXPECT_TRUE(lines[10].starts_with("  10.\t"));
    EXPECT_TRUE(lines[120].starts_with(" 120.\t"));
    EXPECT_FALSE(std::filesystem::exists("tmp"));
}

TEST_F(DetailPane, ColumnsLineUpAndOnlyCenterRRightAlignsTheCentre) {
    TArrResultStr hits = {Hit("a b", "x", "c d e"), Hit("long left side", "xyz", "r")};
    Show(hits, "CENTER-L", false);
    auto lines = PaneLines();
    ASSERT_EQ(lines.size(), 3u);
    // Left contexts end at one column (3 + 1 blanks past the widest), centres
    // and right contexts start at one; the segment widths are those of the last line.
    EXPECT_EQ(lines[1], " 1.\t" + std::string(15, ' ') + "a b \t x   \t  c d e    \ta.txt ");
    EXPECT_EQ(lines[2], " 2.\t    long left side \t xyz \t  r        \ta.txt ");
    EXPECT_EQ(form->gCollSegs, (std::array<int, 5>{4, 21, 4, 11, 6}));

    Show(hits, "CENTER-R", false);
    lines = PaneLines();
    EXPECT_NE(lines[1].find("\t    x\t"), std::string::npos);
    EXPECT_NE(lines[2].find("\t  xyz\t"), std::string::npos);
}

TEST_F(DetailPane, ColouredLinesKeepThePlainLayout) {
    TArrResultStr hits = {Hit("a b", "x", "c d e", "f.txt"), Hit("long left side", "xyz", "r", "g.txt")};
    Show(hits, "CENTER-L", false);
    auto plain = PaneLines();
    Show(hits, "CENTER-L", true);
    auto coloured = PaneLines();
    ASSERT_EQ(coloured.size(), plain.size());
    auto withoutBlanks = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
        return s;
    };
    auto tabs = [](const std::string& s) {
        std::vector<size_t> at;
        for (size_t i = 0; i < s.size(); ++i)
            if (s[i] == '\t') at.push_back(i);
        return at;
    };
    for (size_t i = 1; i < plain.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(withoutBlanks(coloured[i]), withoutBlanks(plain[i]));
        EXPECT_EQ(tabs(coloured[i]), tabs(coloured[1]));
        EXPECT_EQ(tabs(plain[i]), tabs(plain[1]));
    }
    // Lines 1 to 5 take one colour, 6 to 10 the next.
    EXPECT_NE(form->rdtDetailCol->ColorAt(form->rdtDetailCol->LineIndex(1)), clBlack);
}

TEST_F(DetailPane, ColumnRangesFitTheColouredPaneAsWellAsThePlainOne) {
    TArrResultStr hits = {Hit("we saw", "dog", "and a dog ran"), Hit("a big", "dog", "barked")};
    Show(hits, "FILE", false);
    std::array<int, 5> measured{};
    TForm1::MeasureSegments(PaneLines()[2], true, measured);
    EXPECT_EQ(measured, form->gCollSegs);

    // Coloured: the centre word at the very start of its column is still marked, the right one not.
    Show(hits, "FILE", true);
    form->cbxQSearchCol->SetText("dog");
    form->cbxSearchRangeCol->SetItemIndex(form->cbxSearchRangeCol->Items().IndexOf("CENTER"));
    form->btnHighlightCol->Click();
    EXPECT_EQ(form->lblInfoCol->Caption(), "Hit(s): 2   \r\nMark hit(s): 2   \r\n     dog(2)");
}

// A context wider than a column is padded to stands unpadded, and its line
// is marked within its own columns: neither a word of its left context that
// lies where the padded lines have their centre or right column, nor the
// padded lines' words, are taken for the wrong column.
TEST_F(DetailPane, EveryLineIsMarkedWithinItsOwnColumnsPaddedOrNot) {
    std::string longLeft;
    while (longLeft.size() < 600) longLeft += "cat dog ";
    longLeft += "end";
    struct Case {
        const char* range;
        const char* word;
    };
    for (bool coloured : {false, true})
        for (const Case& c : {Case{"CENTER", "cat"}, Case{"RIGHT", "dog"}, Case{"LEFT", "end"}}) {
            SCOPED_TRACE(std::string(c.range) + (coloured ? " coloured" : " plain"));
            Show({Hit("a dog end", "cat", "the dog", "a.txt"), Hit(longLeft, "cat", "dog", "b.txt")}, "FILE",
                 coloured);
            auto lines = PaneLines();
            ASSERT_EQ(lines.size(), 3u);
            EXPECT_NE(lines[2].find(longLeft + " \t cat"), std::string::npos);
            EXPECT_LT(lines[1].size(), 1000u);
            form->cbxQSearchCol->SetText(c.word);
            form->cbxSearchRangeCol->SetItemIndex(form->cbxSearchRangeCol->Items().IndexOf(c.range));
            const TColor colour = form->ccbxQColorCol->Selected();
            form->btnHighlightCol->Click();
            EXPECT_EQ(form->lblInfoCol->Caption(), std::string("Hit(s): 2   \r\nMark hit(s): 2   \r\n     ") + c.word + "(2)");
            TRichEdit* pane = form->rdtDetailCol;
            lines = PaneLines();
            for (int line = 1; line <= 2; ++line) {
                SCOPED_TRACE(line);
                const std::string& text = lines[static_cast<size_t>(line)];
                // The column's word: the centre after the left's tab, the right after the centre's.
                const size_t leftTab = text.find('\t', text.find('\t') + 1), centreTab = text.find('\t', leftTab + 1);
                const size_t mine = std::string(c.range) == "CENTER" ? text.find(c.word, leftTab)
                                    : std::string(c.range) == "RIGHT" ? text.find(c.word, centreTab)
                                                                      : text.rfind(c.word, leftTab);
                EXPECT_EQ(pane->ColorAt(pane->LineIndex(line) + int(mine)), colour);
                for (size_t at = text.find(c.word); at != std::string::npos; at = text.find(c.word, at + 1))
                    if (at != mine) {
                        EXPECT_NE(pane->ColorAt(pane->LineIndex(line) + int(at)), colour) << at;
                    }
            }
        }
}

// Each line is padded by the columns its texts take on screen: UTF-8 a
// column a character; 8-bit text (code page 936, and Latin-1 or CP1252 read
// as such) a column a byte, as before. A mark takes its column's word on
// every line, however many bytes the columns before it hold.
TEST_F(DetailPane, ColumnsLineUpOnScreenInUtf8AndEightBitText) {
    // Where each TAB of a line stands on screen.
    auto tabColumns = [](const std::string& line) {
        std::vector<int> at;
        const bool utf8 = QString::fromUtf8(line.data(), int(line.size())).toUtf8() == QByteArray::fromStdString(line);
        for (size_t i = 0; i < line.size(); ++i)
            if (line[i] == '\t')
                at.push_back(utf8 ? int(QString::fromUtf8(line.data(), int(i)).size()) : int(i));
        return at;
    };
    struct Case {
        const char* name;
        TArrResultStr hits;
    };
    const Case cases[] = {
        {"UTF-8", {Hit("caf\xC3\xA9 na\xC3\xAFve", "the", "r\xC3\xA9sum\xC3\xA9 d\xC3\xA9j\xC3\xA0"),
                   Hit("a plain left", "the", "right"), Hit("\xC3\xA9t\xC3\xA9", "th\xC3\xA9", "the end")}},
        {"8-bit", {Hit("caf\xE9 au", "the", "\x93quoted\x94"), Hit("\xCE\xD2\xC3\xC7 ab", "the", "z"),
                   Hit("plain", "the", "w")}},
    };
    for (const Case& c : cases)
        for (const char* sort : {"FILE", "CENTER-R"}) {
            SCOPED_TRACE(std::string(c.name) + " " + sort);
            Show(c.hits, sort, false);
            auto lines = PaneLines();
            ASSERT_EQ(lines.size(), 4u);
            for (size_t i = 2; i <= 3; ++i) EXPECT_EQ(tabColumns(lines[i]), tabColumns(lines[1])) << lines[i];
            form->cbxQSearchCol->SetText("the");
            form->cbxSearchRangeCol->SetItemIndex(form->cbxSearchRangeCol->Items().IndexOf("CENTER"));
            const TColor colour = form->ccbxQColorCol->Selected();
            form->btnHighlightCol->Click();
            TRichEdit* pane = form->rdtDetailCol;
            int marked = 0;
            for (int line = 1; line <= 3; ++line) {
                const std::string& text = lines[static_cast<size_t>(line)];
                // The centre word: the first after the left column's TAB.
                const size_t centre = text.find_first_not_of(' ', text.find('\t', text.find('\t') + 1) + 1);
                if (text.compare(centre, 3, "the") != 0 || (text[centre + 3] != ' ' && text[centre + 3] != '\t'))
                    continue;
                ++marked;
                EXPECT_EQ(pane->ColorAt(pane->LineIndex(line) + int(centre)), colour) << text;
                const size_t right = text.find("the", centre + 3);
                if (right != std::string::npos) {
                    EXPECT_NE(pane->ColorAt(pane->LineIndex(line) + int(right)), colour);
                }
            }
            EXPECT_GE(marked, 2);
        }
}

// Chinese characters come from a fallback font whose ideographs are about
// 1 em wide, short of two columns of the pane's fixed-pitch font, so a line
// with no left context (all blanks) would pass the tab stop the others stop
// at. On screen a wide character takes exactly two columns: every line's left
// column ends, and its key starts, at one x, whatever the font size.
TEST_F(DetailPane, WideCharactersTakeTwoColumnsSoEveryKeyStartsAtOneX) {
    const char* lefts[] = {"", "\u522b \u4f60 \u7cfb \u7edf \u4e0a \u80fd \u4f1a \u9501 \u4f4f \u4f60 \u4e00 \u79cd \u96c6 "
                           "\u4e2d \u5f0f \u5171 \u4eab \u7cfb \u7edf \u4e0a \u9762 \u5217",
                           "\u7f6e \u4e86 PAM \u548c NSS", "an ascii left", "\u547d \u4ee4 systemd"};
    auto gbk = [](const char* utf8) {
        std::string out, bytes;
        for (char32_t c : QString::fromUtf8(utf8).toUcs4()) out += EncodeCodePage936(c, bytes) ? bytes : "?";
        return out;
    };
    form->tsColligate->SetEnabled(true);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    form->SetBounds(0, 0, 1024, 720);
    auto* view = static_cast<QPlainTextEdit*>(form->rdtDetailCol->Widget());
    for (bool cp936 : {false, true})
        for (int size : {11, 10}) {
            SCOPED_TRACE((cp936 ? "code page 936, " : "UTF-8, ") + std::to_string(size) + " pt");
            TArrResultStr hits;
            for (const char* left : lefts)
                hits.push_back(cp936 ? Hit(gbk(left), gbk("\u7684"), gbk("\u7cfb \u7edf")) : Hit(left, "\u7684", "\u7cfb \u7edf"));
            form->sldFontSize->SetValue(size);
            Show(hits, "FILE", true);
            QApplication::processEvents();
            std::vector<std::pair<int, int>> columns;  // the x of the left column's TAB and of the key
            for (int line = 1; line <= int(std::size(lefts)); ++line) {
                const QTextBlock block = view->document()->findBlockByNumber(line);
                const qsizetype tab = block.text().indexOf('\t', block.text().indexOf('\t') + 1);
                const qsizetype key = block.text().indexOf(QString::fromUtf8("\u7684"), tab);
                auto x = [&](qsizetype at) {
                    QTextCursor c(block);
                    c.setPosition(block.position() + int(at));
                    return view->cursorRect(c).x();
                };
                columns.emplace_back(x(tab), x(key));
                EXPECT_EQ(columns.back(), columns.front()) << block.text().toStdString();
            }
        }
    EXPECT_TRUE(FormPicture(form).Save("collocate_pane_wide.png"));
}

// An expression that fails, whether at compiling or at a later match, is
// reported once; it marked nothing, so the label says so with "(0)", and the
// colour moves on as after any mark. A selection still copies into the box.
TEST_F(DetailPane, AFailedHighlightIsReportedOnceAndCountsNoMarks) {
    // A run the pattern below backtracks over until the matcher gives up: short
    // enough to stay whole in its column.
    const std::string tail(120, 'a');
    Show({Hit("x y", "x", tail + " d c")}, "FILE", false);
    form->crbxShowSelCol->SetChecked(true);
    form->cbxQSearchCol->SetText("y");
    form->btnHighlightCol->Click();
    ASSERT_EQ(form->lblInfoCol->Caption(), "Hit(s): 1   \r\nMark hit(s): 1   \r\n     y(1)");
    int colour = form->ccbxQColorCol->ItemIndex();
    for (const char* word : {"x(", "x|(a+)+c"}) {
        SCOPED_TRACE(word);
        TDialogScript::Clear();
        form->cbxQSearchCol->SetText(word);
        GuardedCall([&] { form->btnHighlightCol->Click(); });
        EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message),
                  (std::vector<std::string>{std::string("An error occured! Expression=") + word}));
        EXPECT_EQ(form->lblInfoCol->Caption(), std::string("Hit(s): 1   \r\nMark hit(s): ") + word + "(0)");
        colour = (colour + 1) % form->ccbxQColorCol->Items().Count();
        EXPECT_EQ(form->ccbxQColorCol->ItemIndex(), colour);
        EXPECT_TRUE(form->crbxShowSelCol->Checked());
        EXPECT_TRUE(form->Enabled());
    }
}

TEST_F(DetailPane, HighlightMarksTheWordOnlyInTheChosenColumn) {
    TArrResultStr hits = {Hit("the dog saw", "a", "the dog ran"), Hit("no", "b", "big dog")};
    Show(hits, "FILE", false);
    form->cbxQSearchCol->SetText("dog");
    form->cbxSearchRangeCol->SetItemIndex(form->cbxSearchRangeCol->Items().IndexOf("RIGHT"));
    TColor color = form->ccbxQColorCol->Selected();
    form->btnHighlightCol->Click();
    EXPECT_EQ(form->lblInfoCol->Caption(), "Hit(s): 2   \r\nMark hit(s): 2   \r\n     dog(2)");
    TRichEdit* pane = form->rdtDetailCol;
    for (int line = 1; line <= 2; ++line) {
        std::string text = pane->Lines()[line];
        size_t right = text.rfind("dog");
        size_t left = text.find("dog");
        EXPECT_EQ(pane->ColorAt(pane->LineIndex(line) + int(right)), color);
        EXPECT_TRUE(pane->StyleAt(pane->LineIndex(line) + int(right)) & fsUnderline);
        if (left != right) {
            EXPECT_NE(pane->ColorAt(pane->LineIndex(line) + int(left)), color);
        }
    }
    // The next mark takes the next colour; a word not there gives "(0)".
    EXPECT_NE(form->ccbxQColorCol->Selected(), color);
    form->cbxQSearchCol->SetText("cat");
    form->btnHighlightCol->Click();
    EXPECT_EQ(form->lblInfoCol->Caption(), "Hit(s): 2   \r\nMark hit(s): cat(0)");
    EXPECT_TRUE(form->Enabled());
}

TEST_F(DetailPane, CaretLineNamesItsHitAndTheFirstLineNothing) {
    TArrResultStr hits = {Hit("one two", "three", "four five", "a.txt"), Hit("six", "seven", "eight", "b.txt")};
    Show(hits, "FILE", false);
    TRichEdit* pane = form->rdtDetailCol;
    pane->Select(pane->LineIndex(2) + 3, 0);
    form->rdtDetailColMouseDown(pane, TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(form->edtInfoCol->GetText(), "2.\tsix     seven    eight\t");
    pane->Select(0, 0);
    form->rdtDetailColMouseDown(pane, TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(form->edtInfoCol->GetText(), "");
}

TEST_F(DetailPane, ACapitalTagSelectionShowsItsDescriptionAsATwoLineHint) {
    form->gTagSet->Add("NN\tcommon noun");
    TArrResultStr hits = {Hit("the_AT", "cat_NN", "sat_VV")};
    Show(hits, "FILE", false);
    TRichEdit* pane = form->rdtDetailCol;
    std::string line = pane->Lines()[1];
    pane->Select(pane->LineIndex(1) + int(line.find("NN")), 2);
    form->rdtDetailColMouseUp(pane, TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(pane->Hint, "NN :@common noun");
    EXPECT_TRUE(pane->ShowHint);
    std::string hint = pane->Hint;
    bool canShow = true;
    THintInfo info;
    app_->OnShowHint(hint, canShow, info);
    EXPECT_EQ(hint, "NN :\ncommon noun");
    EXPECT_EQ(info.HideTimeout, 5000);

    pane->Select(pane->LineIndex(1) + int(line.find("cat")), 3);
    form->rdtDetailColMouseUp(pane, TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_FALSE(pane->ShowHint);
}

// Only what the user selects (here with Shift+Right from the caret) fills the
// search box; the selections the program makes while it writes, highlights or
// selects in code never do.
TEST_F(DetailPane, OnlyTheUsersSelectionFillsTheSearchBoxWhileShowSelectionIsOn) {
    form->tsColligate->SetEnabled(true);
    form->plColDetails->SetEnabled(true);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    TArrResultStr hits = {Hit("alpha", "beta", "gamma")};
    Show(hits, "FILE", false);
    TRichEdit* pane = form->rdtDetailCol;
    EXPECT_EQ(form->cbxQSearchCol->GetText(), "");
    std::string line = pane->Lines()[1];
    auto selectByKeys = [&](const std::string& word) {
        pane->Select(pane->LineIndex(1) + int(line.find(word)), 0);
        for (size_t i = 0; i < word.size(); ++i) {
            QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
            QApplication::sendEvent(pane->Widget(), &right);
        }
    };
    pane->Select(pane->LineIndex(1) + int(line.find("beta")), 4);
    EXPECT_EQ(form->cbxQSearchCol->GetText(), "") << "selected by the program";
    form->cbxQSearchCol->SetText("dog");
    form->btnHighlightCol->Click();
    Show(hits, "CENTER", true);
    EXPECT_EQ(form->cbxQSearchCol->GetText(), "dog") << "written and highlighted by the program";

    line = pane->Lines()[1];
    selectByKeys("gamma");
    EXPECT_EQ(pane->SelText(), "gamma");
    EXPECT_EQ(form->cbxQSearchCol->GetText(), "gamma");
    form->crbxShowSelCol->SetChecked(false);
    selectByKeys("alpha");
    EXPECT_EQ(form->cbxQSearchCol->GetText(), "gamma");
}

TEST_F(DetailPane, PanePicture) {
    TArrResultStr hits;
    const char* words[] = {"make", "take", "bake", "shake"};
    for (int i = 0; i < 14; ++i)
        hits.push_back(Hit("they decided to", words[i % 4], "a decision about it", "news" + std::to_string(i % 3) + ".txt"));
    form->tsColligate->SetEnabled(true);
    form->plColDetails->SetEnabled(true);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    Show(hits, "CENTER-L", true);
    form->SetBounds(0, 0, 1024, 720);
    TColor mark = form->ccbxQColorCol->Selected();
    // The mark's colour is none of the lines' own.
    ASSERT_EQ(FormPicture(form).Count(form->rdtDetailCol, mark), 0);
    form->cbxQSearchCol->SetText("decision");
    form->btnHighlightCol->Click();
    FormPicture picture(form);
    EXPECT_TRUE(picture.Save("collocate_detail_pane.png"));
    // Coloured lines, and the marked word in the mark's colour.
    EXPECT_GT(picture.Count(form->rdtDetailCol, kFirstLinesColour), 0);
    EXPECT_GT(picture.Count(form->rdtDetailCol, mark), 0);
}

}  // namespace

namespace {

// Chinese corpora are stored in code page 936: the pane shows them as
// characters. File names are shown whole, in plain and coloured lines and in
// the rich text saved from the pane, whether a name's bytes are UTF-8 or
// code page 936; a name can be highlighted in the file column.
TEST_F(DetailPane, CodePage936TextIsShownAsCharacters) {
    TArrResultStr hits = {Hit("\xCE\xD2\xC3\xC7", "\xCF\xB2\xBB\xB6", "\xB6\xC1\xCA\xE9"),
                          Hit("a", "b", "c", "\xD6\xD0\xCE\xC4.txt"), Hit("a", "b", "c", "语料甲.txt"),
                          Hit("a", "b", "c", "语料乙.txt")};
    for (const bool coloured : {false, true}) {
        SCOPED_TRACE(coloured ? "coloured" : "plain");
        Show(hits, "FILE", coloured);
        std::string text;
        // As the pane shows each line: UTF-8, or code page 936 when not valid UTF-8.
        for (int i = 1; i <= 4; ++i) text += ToUtf8(form->rdtDetailCol->Lines()[i]) + "\n";
        EXPECT_NE(text.find("喜欢"), std::string::npos);
        for (const char* name : {"中文.txt", "语料甲.txt", "语料乙.txt"}) EXPECT_NE(text.find(name), std::string::npos) << name;
        const std::string saved = ReadRtf(form->rdtDetailCol->SaveToBytes(true), TTextAttr()).Text(0, 1 << 20);
        EXPECT_NE(saved.find("语料乙.txt"), std::string::npos);
        form->cbxQSearchCol->SetText("语料乙");
        form->cbxSearchRangeCol->SetItemIndex(form->cbxSearchRangeCol->Items().IndexOf("FILE"));
        form->btnHighlightCol->Click();
        EXPECT_TRUE(form->lblInfoCol->Caption().ends_with("语料乙(1)")) << form->lblInfoCol->Caption();
    }
    hits.resize(1);
    Show(hits, "FILE", false);
    form->tsColligate->SetEnabled(true);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    form->SetBounds(0, 0, 1024, 720);
    EXPECT_TRUE(FormPicture(form).Save("collocate_pane_gbk.png"));
}

}  // namespace
