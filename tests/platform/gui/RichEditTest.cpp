// The rich-edit pane: the RTF the concordance writer produces read into lines
// and attributes, byte positions with two per line break, highlighting by
// selection, GBK text, RTF round trips, bad RTF, and the events the program's
// pane handlers rely on. The view is checked against the model after events run.

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <gtest/gtest.h>

#include "tests/support/EnterTaker.h"

#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/RichEdit.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempFolder.h"
#include "platform/gui/QtGlue.h"

namespace {

constexpr TColor kColor2 = RGB(255, 1, 186), kColor3 = RGB(0, 0, 0), kColor4 = RGB(0, 128, 255);

// A concordance document as the writer lays it out: header, "\par" before
// every line, the closing text. Rows give the line texts already in columns.
struct TRow {
    const char *Number, *Left, *Key, *Right;
};

std::string ConcordanceRtf(const std::vector<TRow>& rows, int fontSize = 11) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green1\\blue186;\\red0\\green0\\blue0;\\red0\\green128\\blue255;"
        "\\red128\\green128\\blue255;}\r\n"
        "{\\*\\generator Msftedit 5.41.15.1515;}\\viewkind4\\uc1\\pard\\cf1\\lang2052\\b\\f0\\fs" +
        std::to_string(fontSize * 2) + "\r\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string c = i % 10 < 5 ? "2" : "4";
        rtf += "\\par \\cf" + c + "\\b " + rows[i].Number + "\\cf" + c + "\\b0" + rows[i].Left + "\\cf3\\b " +
               rows[i].Key + "\\cf" + c + "\\b0" + rows[i].Right + "\\cf" + c + " " + "\r\n";
    }
    return rtf + "\\par \\cf2 \r\n\\par }\r\n \r\n";
}

class RichEdit : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 520, 260);
        pane = new TRichEdit(form);
        pane->SetParent(form);
        pane->SetBounds(0, 0, 520, 260);
        pane->SetWordWrap(false);
    }
    void TearDown() override { delete form; }
    QPlainTextEdit* View() const { return static_cast<QPlainTextEdit*>(pane->Widget()); }

    // Runs queued work, then checks that the view shows every line as ToQString does.
    void ExpectViewShowsLines() {
        QApplication::processEvents();
        QTextDocument* doc = View()->document();
        ASSERT_EQ(doc->blockCount(), std::max(1, pane->Lines().Count()));
        for (int i = 0; i < pane->Lines().Count(); ++i)
            EXPECT_EQ(doc->findBlockByNumber(i).text(), ToQString(pane->Lines()[i])) << "line " << i;
    }
    // The view's format at a model line and character (a character of the view).
    QTextCharFormat ViewFormatAt(int line, int character) {
        QTextCursor c(View()->document()->findBlockByNumber(line));
        c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, character + 1);
        return c.charFormat();
    }

    TForm* form = nullptr;
    TRichEdit* pane = nullptr;
};

const std::vector<TRow> kRows = {
    {" 1.\t", "    left one \t ", "node \t ", "  right one  \t "},
    {" 2.\t", "    left two \t ", "node \t ", "  right two  \t "},
    {" 3.\t", "  left three \t ", "node \t ", "  right three\t "},
    {" 4.\t", "   left four \t ", "node \t ", "  right four \t "},
    {" 5.\t", "   left five \t ", "node \t ", "  right five \t "},
    {" 6.\t", "    left six \t ", "node \t ", "  right six  \t "},
};

TEST_F(RichEdit, ConcordanceRtfGivesOneEmptyLineThenOneLinePerHitWithItsColourRuns) {
    pane->LoadFromBytes(ConcordanceRtf(kRows), true);
    ASSERT_EQ(pane->Lines().Count(), 1 + 6);
    EXPECT_EQ(pane->Lines()[0], "");
    // The blank after \b0 ends the control word, so one leading blank of each context goes.
    EXPECT_EQ(pane->Lines()[1], " 1.\t   left one \t node \t  right one  \t ");
    EXPECT_EQ(pane->Lines()[6], " 6.\t   left six \t node \t  right six  \t ");
    struct {
        int line;
        TColor color;
    } cases[] = {{1, kColor2}, {5, kColor2}, {6, kColor4}};
    for (auto& k : cases) {
        SCOPED_TRACE(k.line);
        const int at = pane->LineIndex(k.line);
        const std::string& text = pane->Lines()[k.line];
        const int left = static_cast<int>(text.find("left")), node = static_cast<int>(text.find("node"));
        EXPECT_EQ(pane->ColorAt(at), k.color);  // the number, bold
        EXPECT_EQ(pane->StyleAt(at + 1), fsBold);
        EXPECT_EQ(pane->ColorAt(at + left), k.color);  // the left context, plain
        EXPECT_EQ(pane->StyleAt(at + left), 0u);
        EXPECT_EQ(pane->ColorAt(at + node), kColor3);  // the key, bold black
        EXPECT_EQ(pane->StyleAt(at + node), fsBold);
        EXPECT_EQ(pane->ColorAt(at + node + 8), k.color);  // the right context, plain
        EXPECT_EQ(pane->StyleAt(at + node + 8), 0u);
    }
    pane->Select(pane->LineIndex(1), 3);
    EXPECT_EQ(pane->SelAttributes().Size(), 11);
    EXPECT_EQ(pane->SelAttributes().Name(), "Courier New");
    ExpectViewShowsLines();
    EXPECT_EQ(ViewFormatAt(6, 0).foreground().color(), QColor(0, 128, 255));
}

TEST_F(RichEdit, OnlyTheFinalParagraphMarkEndsTheDocument) {
    struct {
        const char* rtf;
        std::vector<std::string> lines;
    } cases[] = {
        {"{\\rtf1 a\\par b}", {"a", "b"}},
        {"{\\rtf1 a\\par }", {"a"}},
        {"{\\rtf1 a\\par\\par }", {"a"}},
        {"{\\rtf1 a\\par\\par\\par }", {"a", ""}},
        {"{\\rtf1 \\par a\\par }", {"", "a"}},
        {"{\\rtf1 }", {}},
    };
    for (auto& k : cases) {
        SCOPED_TRACE(k.rtf);
        pane->LoadFromBytes(k.rtf, true);
        EXPECT_EQ(pane->Lines().Items(), k.lines);
    }
}

TEST_F(RichEdit, PositionsCountLineBytesAndTwoPerLineBreak) {
    pane->SetText("ab\r\n\r\ncde");
    EXPECT_EQ(pane->LineIndex(0), 0);
    EXPECT_EQ(pane->LineIndex(1), 4);
    EXPECT_EQ(pane->LineIndex(2), 6);
    EXPECT_EQ(pane->LineIndex(3), -1);
    struct {
        int position, line;
    } cases[] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 1}, {6, 2}, {9, 2}, {100, 2}};
    for (auto& k : cases) {
        SCOPED_TRACE(k.position);
        EXPECT_EQ(pane->LineFromChar(k.position), k.line);
    }
    for (int line = 0; line < 3; ++line) EXPECT_EQ(pane->LineFromChar(pane->LineIndex(line)), line);
    pane->Select(1, 7);
    EXPECT_EQ(pane->SelText(), "b\r\n\r\ncd");
    pane->SelectAll();
    EXPECT_EQ(pane->SelLength(), 9);
    EXPECT_EQ(pane->GetText(), "ab\r\n\r\ncde");
}

TEST_F(RichEdit, SelAttributesMarkExactlyTheSelectedBytesAndKeepTheirOtherAttributes) {
    pane->LoadFromBytes("{\\rtf1 one\\par the \\b cat\\b0  sat}", true);
    const int cat = pane->LineIndex(1) + 4;
    pane->Select(cat - 1, 5);  // " cat " across the bold run
    pane->SelAttributes().SetColor(clRed);
    pane->Select(cat, 3);
    pane->SelAttributes().SetStyle(pane->SelAttributes().Style() | fsUnderline);
    struct {
        int position;
        TColor color;
        TFontStyles style;
    } cases[] = {{cat - 2, clWindowText, 0},          {cat - 1, clRed, 0},
                 {cat, clRed, fsBold | fsUnderline}, {cat + 2, clRed, fsBold | fsUnderline},
                 {cat + 3, clRed, 0},                {cat + 4, clWindowText, 0}};
    for (auto& k : cases) {
        SCOPED_TRACE(k.position);
        EXPECT_EQ(pane->ColorAt(k.position), k.color);
        EXPECT_EQ(pane->StyleAt(k.position), k.style);
    }
    EXPECT_EQ(pane->SelAttributes().Color(), clRed);
    ExpectViewShowsLines();
    EXPECT_TRUE(ViewFormatAt(1, 4).fontUnderline());
    EXPECT_EQ(ViewFormatAt(1, 4).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(ViewFormatAt(1, 7).fontUnderline());
    EXPECT_EQ(pane->DefAttributes().Color(), clWindowText);
}

TEST_F(RichEdit, MultibyteCharactersTakeTheirBytesInPositionsAndOneCharacterInTheView) {
    pane->SetText("ab\xC4\xE3\xBA\xC3" "cd\r\nnext");
    EXPECT_EQ(pane->LineIndex(1), 8 + 2);
    pane->Select(2, 4);
    EXPECT_EQ(pane->SelText(), "\xC4\xE3\xBA\xC3");
    pane->SelAttributes().SetColor(clBlue);
    EXPECT_EQ(pane->ColorAt(1), clWindowText);
    EXPECT_EQ(pane->ColorAt(5), clBlue);
    EXPECT_EQ(pane->ColorAt(6), clWindowText);
    ExpectViewShowsLines();
    EXPECT_EQ(View()->textCursor().selectedText(), QString::fromUtf8("\u4F60\u597D"));
    // The user selects the second character in the view: bytes 4 and 5.
    QTextCursor c(View()->document());
    c.setPosition(3);
    c.setPosition(4, QTextCursor::KeepAnchor);
    View()->setTextCursor(c);
    EXPECT_EQ(pane->SelStart(), 4);
    EXPECT_EQ(pane->SelLength(), 2);

    // UTF-8: two, three and four bytes for one character (the last one two UTF-16 units).
    pane->SetText("\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80!");
    pane->Select(5, 4);
    ExpectViewShowsLines();
    EXPECT_EQ(View()->textCursor().selectedText(), QString::fromUtf8("\xF0\x9F\x98\x80"));
    c.setPosition(1);
    c.setPosition(4, QTextCursor::KeepAnchor);
    View()->setTextCursor(c);
    EXPECT_EQ(pane->SelStart(), 2);
    EXPECT_EQ(pane->SelLength(), 7);
}

TEST_F(RichEdit, RtfRoundTripKeepsTextAndAttributesAndNamesEveryOtherCharacterByCode) {
    pane->SetText("a\\b{c}d\r\n\xC4\xE3 x\ty\r\n");
    pane->Lines().Add("");
    pane->Select(0, 2);
    pane->SelAttributes().SetColor(RGB(10, 20, 30));
    pane->SelAttributes().SetStyle(fsBold);
    pane->Select(3, 4);
    pane->SelAttributes().SetStyle(fsUnderline);
    pane->SelAttributes().SetSize(14);
    pane->Select(9, 2);
    pane->SelAttributes().SetColor(clGreen);
    const std::string rtf = pane->SaveToBytes(true);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    // The code page 936 character is named by its code: no reader takes its bytes in another character set.
    for (const char* escaped : {"a\\\\", "\\{c\\}d", "\\u20320?"}) EXPECT_NE(rtf.find(escaped), std::string::npos) << escaped;
    EXPECT_EQ(rtf.find("\\'c4"), std::string::npos);
    EXPECT_EQ(pane->SaveToBytes(false), "a\\b{c}d\r\n\xC4\xE3 x\ty\r\n");

    auto* copy = new TRichEdit(form);
    copy->LoadFromBytes(rtf, true);
    ASSERT_EQ(copy->Lines().Count(), pane->Lines().Count());
    for (int line = 0; line < pane->Lines().Count(); ++line)
        EXPECT_EQ(ToUtf8(copy->Lines()[line]), ToUtf8(pane->Lines()[line])) << line;
    // The first line's bytes stand where they stood; the second line's character reads back as UTF-8.
    for (int p = 0; p < 9; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(copy->ColorAt(p), pane->ColorAt(p));
        EXPECT_EQ(copy->StyleAt(p), pane->StyleAt(p));
    }
    for (int p : {9, 10, 11}) EXPECT_EQ(copy->ColorAt(p), clGreen) << p;
    EXPECT_EQ(copy->ColorAt(12), pane->ColorAt(11));
    copy->Select(3, 1);
    EXPECT_EQ(copy->SelAttributes().Size(), 14);
}

// A saved pane reads, in any program, as the pane showed it: UTF-8 lines
// and code page 936 lines alike, characters beyond U+FFFF as two codes, and
// a byte that starts no character as the replacement character it shows as.
// Loaded back, each line shows the same characters in the same colours.
TEST_F(RichEdit, SavedRichTextNamesEachShownCharacterAndReadsBackAsShown) {
    const std::vector<std::string> lines = {
        "caf\xC3\xA9 noir",                  // UTF-8
        "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80",  // UTF-8 Chinese and an emoji
        "\xD6\xD0\xCE\xC4 ok",               // code page 936
        "caf\xE9",                           // Latin-1: no code page 936 character
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    pane->SetText(text);
    pane->Select(0, 4);
    pane->SelAttributes().SetColor(clRed);
    const std::string rtf = pane->SaveToBytes(true);
    for (const char* code : {"caf\\u233?", "\\u20013?\\u25991? \\u-10179?\\u-8704?", "\\u20013?\\u25991? ok",
                             "caf\\u-3?"})
        EXPECT_NE(rtf.find(code), std::string::npos) << code << "\n" << rtf;
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return (c & 0x80) == 0; }));
    EXPECT_EQ(rtf.find("\\'"), std::string::npos);

    auto* copy = new TRichEdit(form);
    copy->LoadFromBytes(rtf, true);
    ASSERT_EQ(copy->Lines().Count(), int(lines.size()));
    for (size_t k = 0; k < lines.size(); ++k) EXPECT_EQ(ToUtf8(copy->Lines()[int(k)]), ToUtf8(lines[k])) << k;
    // UTF-8 lines come back byte for byte, so marks and searches find what they found.
    EXPECT_EQ(copy->Lines()[0], lines[0]);
    EXPECT_EQ(copy->Lines()[1], lines[1]);
    EXPECT_EQ(copy->ColorAt(4), clRed);  // the first byte of "é"
    EXPECT_NE(copy->ColorAt(6), clRed);
}

// What a word processor makes of a saved concordance: LibreOffice, turning
// the file into UTF-8 text, reads every line as the pane shows it, code page
// 936 and UTF-8 lines alike. Skipped where LibreOffice is not installed.
TEST_F(RichEdit, LibreOfficeReadsASavedConcordanceAsThePaneShowsIt) {
    if (std::system("command -v soffice > /dev/null 2>&1") != 0) GTEST_SKIP() << "LibreOffice is not installed";
    pane->LoadFromBytes(ConcordanceRtf({{" 1.\t", " un caf\xC3\xA9 \t ", "noir \t ", " \xC3\xA0 la \t "},
                                        {" 2.\t", " \xE4\xB8\xAD\xE6\x96\x87 \t ", "the \t ", " \xF0\x9F\x98\x80 \t "},
                                        {" 3.\t", " \xD6\xD0\xCE\xC4 \t ", "the \t ", " \xB5\xC4 \t "}}),
                        true);
    TempFolder folder;
    const std::string rtf = folder.Path() + "/saved.rtf";
    pane->SaveToFile(rtf);
    const std::string command = "cd '" + folder.Path() + "' && soffice --headless -env:UserInstallation=file://" +
                                folder.Path() + "/profile --convert-to 'txt:Text (encoded):UTF8' --outdir '" +
                                folder.Path() + "' saved.rtf > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(folder.Path() + "/saved.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    std::string shown;
    for (const std::string& line : pane->Lines().Items()) shown += ToUtf8(line) + "\n";
    while (text.ends_with("\n") || text.ends_with("\r")) text.pop_back();
    while (shown.ends_with("\n")) shown.pop_back();
    EXPECT_EQ(StringReplace(text, "\r\n", "\n", rfReplaceAll), shown);
    EXPECT_NE(shown.find("\xE4\xB8\xAD\xE6\x96\x87"), std::string::npos);  // both lines' "中文" as UTF-8
    EXPECT_NE(shown.find("caf\xC3\xA9"), std::string::npos);
}

// Text that names some characters by code and gives others as code page
// bytes, as word processors write it, reads as code page 936 throughout.
TEST_F(RichEdit, NamedCharactersBesideCodePageBytesReadAsCodePage936) {
    pane->LoadFromBytes("{\\rtf1\\ansi\\ansicpg936\\uc1 \\'d6\\'d0\\u25991?\\par \\u25991?x\\par \\u-10179?\\u-8704?}", true);
    EXPECT_EQ(pane->Lines().Items(),
              (std::vector<std::string>{"\xD6\xD0\xCE\xC4", "\xE6\x96\x87x", "\xF0\x9F\x98\x80"}));
}

TEST_F(RichEdit, FilesLoadAsRtfWhenTheyAreRtfUnlessPlainTextIsSet) {
    TempFolder folder;
    const std::string rtf = folder.Write("pane.rtf", "{\\rtf1 {\\colortbl ;\\red9\\green8\\blue7;}\\cf1 x\\par y}");
    const std::string text = folder.Write("pane.txt", "a\\par b\r\nc");
    struct {
        const std::string& file;
        bool plain;
        std::vector<std::string> lines;
    } cases[] = {
        {rtf, false, {"x", "y"}},
        {rtf, true, {"{\\rtf1 {\\colortbl ;\\red9\\green8\\blue7;}\\cf1 x\\par y}"}},
        {text, false, {"a\\par b", "c"}},
    };
    for (auto& k : cases) {
        SCOPED_TRACE(k.file + (k.plain ? " plain" : ""));
        pane->PlainText = k.plain;
        pane->LoadFromFile(k.file);
        EXPECT_EQ(pane->Lines().Items(), k.lines);
    }
    pane->PlainText = true;
    pane->SaveToFile(folder.Path() + "/saved.txt");
    EXPECT_EQ(ReadFileBytes(folder.Path() + "/saved.txt"), "a\\par b\r\nc");
}

TEST_F(RichEdit, MalformedRtfLoadsWhatItCanWithoutThrowing) {
    struct {
        std::string rtf;
        std::vector<std::string> lines;
    } cases[] = {
        {"{\\rtf1 abc\\'4", {"abc"}},                   // truncated escape
        {"{\\rtf1 abc\\", {"abc"}},                     // truncated control
        {"}}}a\\par b", {"a", "b"}},                     // closing braces first
        {"{{{{{\\rtf1 a\\b b", {"ab"}},                  // never closed
        {"{\\rtf1 \\'zzq}", {"zzq"}},                    // not hex
        {"{\\rtf1 \\fs99999999999999 x\\cf999999999 y}", {"xy"}},
        {"{\\rtf1 \\u99999999999 zq\\u-1 ab}", {"?q\xEF\xBF\xBF" "b"}},  // U+FFFF has no GBK code: UTF-8
        {std::string(100000, '{') + "x" + std::string(100000, '}'), {"x"}},
        {"", {}},
    };
    for (auto& k : cases) {
        SCOPED_TRACE(k.rtf.substr(0, 40));
        EXPECT_NO_THROW(pane->LoadFromBytes(k.rtf, true));
        EXPECT_EQ(pane->Lines().Items(), k.lines);
    }
    pane->LoadFromBytes("{\\rtf1 \\fs99999 x}", true);
    pane->Select(0, 1);
    EXPECT_EQ(pane->SelAttributes().Size(), 1638);

    // Garbage made of RTF's own characters: the text and its positions stay consistent.
    const char alphabet[] = "{}\\'*0123456789abfpucrl- \r\n\xC4\xE3";
    unsigned seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string rtf;
        for (int k = 0; k < 200; ++k) {
            seed = seed * 1103515245u + 12345u;
            rtf += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
        }
        SCOPED_TRACE(rtf);
        ASSERT_NO_THROW(pane->LoadFromBytes(rtf, true));
        pane->SelectAll();
        ASSERT_EQ(pane->SelText(), pane->GetText());
    }
    ExpectViewShowsLines();
}

TEST_F(RichEdit, ChangingTheLineListKeepsTheAttributesOfLinesItDidNotTouch) {
    pane->LoadFromBytes("{\\rtf1 {\\colortbl ;\\red255\\green0\\blue0;}\\cf1 red\\par plain\\cf0 \\par last}", true);
    int changes = 0;
    pane->OnChange = [&](TObject*) { ++changes; };
    pane->Lines().Add("added");
    ExpectViewShowsLines();
    pane->Lines().Delete(1);
    pane->Lines().Insert(0, "first");
    EXPECT_EQ(changes, 3);
    ASSERT_EQ(pane->Lines().Items(), (std::vector<std::string>{"first", "red", "last", "added"}));
    EXPECT_EQ(pane->ColorAt(pane->LineIndex(1)), RGB(255, 0, 0));
    EXPECT_EQ(pane->ColorAt(pane->LineIndex(0)), clWindowText);
    EXPECT_EQ(pane->ColorAt(pane->LineIndex(3)), clWindowText);
    ExpectViewShowsLines();
    pane->Lines().Clear();
    EXPECT_EQ(pane->GetText(), "");
    ExpectViewShowsLines();
}

TEST_F(RichEdit, TypingInTheViewChangesTheLinesAndKeepsGbkLinesInGbk) {
    pane->SetText("\xC4\xE3\r\nabc");
    int changes = 0;
    pane->OnChange = [&](TObject*) { ++changes; };
    View()->setFocus();
    pane->SetSelStart(2);
    QApplication::processEvents();
    QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(View(), &x);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(View(), &enter);
    EXPECT_EQ(pane->Lines().Items(), (std::vector<std::string>{"\xC4\xE3x", "", "abc"}));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(pane->SelStart(), 3 + 2);
    ExpectViewShowsLines();
}

TEST_F(RichEdit, CodeSelectionsAreReportedWhenTheyChangeTheSelection) {
    pane->SetText("one two\r\nthree");
    std::vector<std::pair<int, int>> seen;
    pane->OnSelectionChange = [&](TObject*) { seen.emplace_back(pane->SelStart(), pane->SelLength()); };
    pane->Select(4, 3);
    pane->Select(4, 3);
    pane->SetSelStart(9);
    pane->SetSelLength(2);
    pane->SelectAll();
    pane->Select(50, 5);  // clamped to the end
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{4, 3}, {9, 0}, {9, 2}, {0, 14}, {14, 0}}));
}

TEST_F(RichEdit, AClickMovesTheCaretBeforeOnMouseDownAndReachesOnMouseUp) {
    pane->SetText("zero\r\none\r\ntwo\r\nthree\r\nfour");
    form->SetVisible(true);
    QApplication::processEvents();
    std::vector<std::string> events;
    pane->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        events.push_back("down on line " + std::to_string(pane->LineFromChar(pane->SelStart())));
    };
    pane->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    QTextCursor atThree(View()->document()->findBlockByNumber(3));
    QPoint p = View()->cursorRect(atThree).center() + QPoint(8, 0);
    QWidget* viewport = View()->viewport();
    QMouseEvent down(QEvent::MouseButtonPress, p, viewport->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, p, viewport->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &up);
    EXPECT_EQ(events, (std::vector<std::string>{"down on line 3", "up"}));
}

TEST_F(RichEdit, EnterReachesOnKeyPressOfAReadOnlyPaneOnceAndNotTheForm) {
    auto* taker = new TEnterTaker(form);
    taker->SetParent(form);
    pane->SetReadOnly(true);
    std::string keys;
    pane->OnKeyPress = [&](TObject*, char& key) { keys += key; };
    int formKeys = 0;
    form->OnKeyPress = [&](TObject*, char&) { ++formKeys; };
    TQtBridge::KeyPressed(pane, VK_RETURN, 0, '\r');
    EXPECT_EQ(keys, "\r");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(View(), &enter);
    EXPECT_EQ(keys, "\r\r");
    EXPECT_EQ(formKeys, 0);
    EXPECT_EQ(taker->Taken, 0);
    EXPECT_EQ(pane->GetText(), "");
}

TEST_F(RichEdit, PaneDrawsColouredLinesAndAMarkedWord) {
    pane->SetReadOnly(true);
    pane->LoadFromBytes(ConcordanceRtf(kRows, 10), true);
    const std::string& line = pane->Lines()[2];
    const TColor mark = RGB(0, 160, 0);
    pane->Select(pane->LineIndex(2) + static_cast<int>(line.find("right")), 5);
    pane->SelAttributes().SetColor(mark);
    pane->SelAttributes().SetStyle(fsUnderline);
    pane->SetSelStart(0);
    form->SetVisible(true);
    ASSERT_TRUE(form->SaveScreenshot(PicturePath("RichEditPane.png")));
    QImage shot(QString::fromStdString(PicturePath("RichEditPane.png")));
    auto count = [&](QColor color) {
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) n += shot.pixelColor(x, y) == color;
        return n;
    };
    EXPECT_GT(count(QColor(0, 160, 0)), 20);
    EXPECT_GT(count(QColor(255, 1, 186)), 100);
    EXPECT_GT(count(QColor(0, 128, 255)), 20);
}

}  // namespace
