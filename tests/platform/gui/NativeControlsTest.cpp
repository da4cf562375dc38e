// Edits, memos, combo and list boxes over their Qt widgets: item lists mirrored
// both ways, the selection rules, which events code and the user fire, and
// 8-bit text. The user is played by real Qt key and mouse events.

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyleOptionViewItem>
#include <gtest/gtest.h>

#include "tests/support/EnterTaker.h"

#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/StdCtrls.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempFolder.h"

namespace {

void Press(QWidget* w, int qtKey, const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &up);
}

void ClickAt(QWidget* w, QPoint p) {
    QPointF global = w->mapToGlobal(QPointF(p));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

std::vector<std::string> Rows(QWidget* w) {
    std::vector<std::string> rows;
    if (auto* box = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < box->count(); ++i) rows.push_back(box->itemText(i).toStdString());
    if (auto* list = qobject_cast<QListWidget*>(w))
        for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text().toStdString());
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        QString text = memo->toPlainText();
        if (!text.isEmpty())
            for (const QString& line : text.split('\n')) rows.push_back(line.toStdString());
    }
    return rows;
}

class NativeControls : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 300);
    }
    void TearDown() override { delete form; }
    template <class T>
    T* Make(int left, int top) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetLeft(left);
        c->SetTop(top);
        return c;
    }
    TForm* form = nullptr;
};

TEST_F(NativeControls, ItemListsMirrorEveryChangeIntoTheirWidgets) {
    auto* combo = Make<TComboBox>(0, 0);
    auto* list = Make<TListBox>(0, 40);
    auto* memo = Make<TMemo>(200, 0);
    struct Step {
        const char* what;
        std::function<void(TStringList&)> change;
        std::vector<std::string> expected;
    };
    const std::vector<Step> steps = {
        {"add", [](TStringList& l) { l.Add("a"); l.Add("b"); l.Add("c"); }, {"a", "b", "c"}},
        {"insert", [](TStringList& l) { l.Insert(1, "x"); }, {"a", "x", "b", "c"}},
        {"delete", [](TStringList& l) { l.Delete(0); }, {"x", "b", "c"}},
        {"set one", [](TStringList& l) { l.SetStrings(2, "z"); }, {"x", "b", "z"}},
        {"exchange", [](TStringList& l) { l.Exchange(0, 2); }, {"z", "b", "x"}},
        {"text", [](TStringList& l) { l.SetText("p\r\nq\nr\rs\r\n"); }, {"p", "q", "r", "s"}},
        {"clear", [](TStringList& l) { l.Clear(); }, {}},
        {"add after clear", [](TStringList& l) { l.Add(""); l.Add("e"); }, {"", "e"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (TWinControl* c : std::initializer_list<TWinControl*>{combo, list, memo}) {
            TStringList& items = c == combo ? combo->Items() : c == list ? list->Items() : memo->Lines();
            step.change(items);
            EXPECT_EQ(Rows(c->Widget()), step.expected);
            EXPECT_EQ(items.Items(), step.expected);
        }
    }
    EXPECT_EQ(memo->Text(), "\r\ne");
}

TEST_F(NativeControls, TenThousandItemsFillEachListAndLoadFromFile) {
    auto* combo = Make<TComboBox>(0, 0);
    auto* list = Make<TListBox>(0, 40);
    auto* memo = Make<TMemo>(200, 0);
    for (int i = 0; i < 10000; ++i) {
        std::string item = "item " + std::to_string(i);
        combo->Items().Add(item);
        list->Items().Add(item);
        memo->Lines().Add(item);
    }
    EXPECT_EQ(static_cast<QComboBox*>(combo->Widget())->count(), 10000);
    EXPECT_EQ(static_cast<QListWidget*>(list->Widget())->item(9999)->text(), "item 9999");
    EXPECT_EQ(static_cast<QPlainTextEdit*>(memo->Widget())->document()->blockCount(), 10000);
    EXPECT_EQ(combo->ItemIndex(), -1);

    TempFolder folder;
    combo->Items().LoadFromFile(folder.Write("words.txt", "one\r\ntwo\nthree"));
    EXPECT_EQ(Rows(combo->Widget()), (std::vector<std::string>{"one", "two", "three"}));
}

// The selection and text of a combo box: (ItemIndex, Text).
std::pair<int, std::string> Shown(TComboBox* combo) { return {combo->ItemIndex(), combo->Text()}; }

TEST_F(NativeControls, ComboItemIndexAndTextFollowTheFrameworkRules) {
    using S = std::pair<int, std::string>;
    auto* combo = Make<TComboBox>(0, 0);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->Items().SetText("a\nb\nc");
    EXPECT_EQ(Shown(combo), S(-1, ""));
    combo->SetItemIndex(1);
    EXPECT_EQ(Shown(combo), S(1, "b"));
    combo->Items().Insert(0, "first");  // the selected item moves down with its row
    EXPECT_EQ(Shown(combo), S(2, "b"));
    combo->Items().Delete(2);  // the selected item goes: nothing is selected, the text stays
    EXPECT_EQ(Shown(combo), S(-1, "b"));
    combo->SetText("typed");
    EXPECT_EQ(Shown(combo), S(-1, "typed"));
    EXPECT_EQ(combo->Items().Count(), 3);
    combo->SetItemIndex(0);
    combo->SetItemIndex(-1);
    EXPECT_EQ(Shown(combo), S(-1, ""));

    combo->SetStyle(TComboBoxStyle::csDropDownList);
    EXPECT_FALSE(static_cast<QComboBox*>(combo->Widget())->isEditable());
    combo->SetText("C");  // picks the item, as IndexOf finds it
    EXPECT_EQ(Shown(combo), S(2, "c"));
    combo->Items().Delete(2);
    EXPECT_EQ(Shown(combo), S(-1, ""));
    combo->Clear();
    combo->Items().Add("only");  // Qt would select the first item of an empty box
    EXPECT_EQ(Shown(combo), S(-1, ""));
    EXPECT_EQ(changes, 0);
}

TEST_F(NativeControls, ComboUserChangesFireOnChangeOnceAndEnterAddsNothing) {
    using S = std::pair<int, std::string>;
    auto* combo = Make<TComboBox>(0, 0);
    combo->Items().SetText("apple\nbanana\ncherry");
    combo->SetItemIndex(0);
    int changes = 0, selects = 0, enters = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->OnSelect = [&](TObject*) { ++selects; };
    combo->OnKeyPress = [&](TObject*, char& key) { enters += key == '\r'; };
    auto events = [&] { return std::vector<int>{changes, selects, enters}; };

    Press(combo->Widget(), Qt::Key_Down);  // picks the next item
    EXPECT_EQ(Shown(combo), S(1, "banana"));
    EXPECT_EQ(events(), (std::vector<int>{1, 1, 0}));
    Press(combo->Widget(), Qt::Key_X, "x");
    EXPECT_EQ(Shown(combo), S(-1, "bananax"));
    EXPECT_EQ(events(), (std::vector<int>{2, 1, 0}));
    Press(combo->Widget(), Qt::Key_Return, "\r");
    EXPECT_EQ(Shown(combo), S(-1, "bananax"));
    EXPECT_EQ(combo->Items().Count(), 3);
    // Not even text that names an item picks it, on Enter or when the box loses the focus.
    combo->SetText("cherry");
    Press(combo->Widget(), Qt::Key_Return, "\r");
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(static_cast<QComboBox*>(combo->Widget())->lineEdit(), &focusOut);
    EXPECT_EQ(Shown(combo), S(-1, "cherry"));
    EXPECT_EQ(events(), (std::vector<int>{2, 1, 2}));
}

TEST_F(NativeControls, EditEnterReachesOnKeyPressOnceAndZeroedKeysStayOutOfTheWidget) {
    auto* edit = Make<TEdit>(0, 0);
    int changes = 0, enters = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnKeyPress = [&](TObject*, char& key) {
        enters += key == '\r';
        if (key == 'a' || key == '\r') key = 0;
    };
    EXPECT_EQ(edit->Perform(WM_GETDLGCODE), DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
    // Consumed: the key handler zeroed it, so the line edit must not see it.
    EXPECT_TRUE(TQtBridge::KeyPressed(edit, VK_RETURN, 0, '\r'));
    EXPECT_EQ(enters, 1);
    edit->OnKeyPress = [&](TObject*, char& key) { enters += key == '\r'; };
    EXPECT_FALSE(TQtBridge::KeyPressed(edit, VK_RETURN, 0, '\r'));
    EXPECT_EQ(enters, 2);

    edit->SetText("xy");
    edit->SetText("xy");
    EXPECT_EQ(changes, 1);
    edit->OnKeyPress = [](TObject*, char& key) {
        if (key == 'a') key = 0;
    };
    Press(edit->Widget(), Qt::Key_A, "a");
    Press(edit->Widget(), Qt::Key_B, "b");
    EXPECT_EQ(edit->Text(), "xyb");
    EXPECT_EQ(changes, 2);
    edit->SetReadOnly(true);
    Press(edit->Widget(), Qt::Key_C, "c");
    EXPECT_EQ(edit->Text(), "xyb");
}

TEST_F(NativeControls, CheckMarksChangeByUserClickOrSpaceAndFollowTheirItems) {
    auto* box = Make<TCheckListBox>(0, 0);
    box->SetBounds(0, 0, 200, 200);
    auto* list = static_cast<QListWidget*>(box->Widget());
    int clickChecks = 0, clicks = 0;
    box->OnClickCheck = [&](TObject*) { ++clickChecks; };
    box->OnClick = [&](TObject*) { ++clicks; };
    box->Items().SetText("one\ntwo\nthree");
    box->SetChecked(1, true);
    EXPECT_TRUE(box->Checked(1));
    EXPECT_EQ(clickChecks, 0);

    box->SetItemIndex(0);
    Press(list, Qt::Key_Space, " ");
    EXPECT_TRUE(box->Checked(0));
    EXPECT_EQ(clickChecks, 1);

    // The indicator as the style places it in row 2.
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(list->item(2));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    QRect indicator = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    ClickAt(list->viewport(), indicator.center());
    EXPECT_TRUE(box->Checked(2));
    EXPECT_EQ(clickChecks, 2);
    EXPECT_EQ(clicks, 1);  // the click also selects the item, as the framework's list does

    ClickAt(list->viewport(), QPoint(option.rect.right() - 10, list->visualItemRect(list->item(1)).center().y()));
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_TRUE(box->Checked(1));
    EXPECT_EQ(clickChecks, 2);
    EXPECT_EQ(clicks, 2);
    ClickAt(list->viewport(), QPoint(5, list->viewport()->height() - 3));  // below the items
    EXPECT_EQ(clicks, 2);
    Press(list, Qt::Key_Down);
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(clicks, 3);

    box->Items().Insert(0, "zero");
    box->Items().Delete(2);  // "two"
    box->Items().Add("four");
    std::vector<bool> marks;
    for (int i = 0; i < box->Count(); ++i) marks.push_back(box->Checked(i));
    EXPECT_EQ(box->Items().Items(), (std::vector<std::string>{"zero", "one", "three", "four"}));
    EXPECT_EQ(marks, (std::vector<bool>{false, true, true, false}));
    box->Clear();
    box->Items().Add("again");
    EXPECT_FALSE(box->Checked(0));
    EXPECT_EQ(clickChecks, 2);
}

TEST_F(NativeControls, CodePage936TextShowsAsChineseAndReadsBackByteForByte) {
    const std::string gbk = "\xC4\xE3\xBA\xC3";
    const QString shown = QString::fromUtf16(u"\u4F60\u597D");
    auto* edit = Make<TEdit>(0, 0);
    auto* combo = Make<TComboBox>(0, 30);
    auto* list = Make<TListBox>(0, 60);
    auto* memo = Make<TMemo>(200, 0);
    edit->SetText(gbk);
    combo->Items().Add(gbk);
    combo->SetItemIndex(0);
    list->Items().Add(gbk);
    memo->Lines().Add("ascii");
    memo->Lines().Add(gbk);
    EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->text(), shown);
    EXPECT_EQ(static_cast<QComboBox*>(combo->Widget())->itemText(0), shown);
    EXPECT_EQ(static_cast<QListWidget*>(list->Widget())->item(0)->text(), shown);
    EXPECT_EQ(edit->Text(), gbk);
    EXPECT_EQ(combo->Text(), gbk);
    EXPECT_EQ(list->Items()[0], gbk);
    combo->SetText("\xBA\xC3");
    EXPECT_EQ(combo->Text(), "\xBA\xC3");
    edit->SetSelStart(2);  // bytes: after the first character
    EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->cursorPosition(), 1);

    // The user edits the first line; the untouched line keeps its bytes.
    auto* editor = static_cast<QPlainTextEdit*>(memo->Widget());
    editor->moveCursor(QTextCursor::Start);
    Press(editor, Qt::Key_Z, "z");
    EXPECT_EQ(memo->Lines().Items(), (std::vector<std::string>{"zascii", gbk}));
    EXPECT_EQ(memo->Text(), "zascii\r\n" + gbk);
}

TEST_F(NativeControls, MemoTakesEnterAndArrowsButLeavesTabToTheForm) {
    auto* memo = Make<TMemo>(0, 0);
    auto* taker = Make<TEnterTaker>(0, 100);
    auto* edit = Make<TEdit>(0, 130);
    std::vector<uint16_t> downs;
    memo->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { downs.push_back(key); };
    TQtBridge::KeyPressed(memo, VK_TAB, 0, '\t');
    TQtBridge::KeyPressed(memo, VK_RETURN, 0, '\r');
    TQtBridge::KeyPressed(memo, VK_DOWN, 0, 0);
    EXPECT_EQ(downs, (std::vector<uint16_t>{VK_RETURN, VK_DOWN}));
    EXPECT_EQ(taker->Taken, 0);
    // An edit leaves Enter to the form.
    edit->OnKeyDown = memo->OnKeyDown;
    TQtBridge::KeyPressed(edit, VK_RETURN, 0, '\r');
    EXPECT_EQ(taker->Taken, 1);
    EXPECT_EQ(downs.size(), 2u);

    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->SetText("a\r\nb\r\n");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Text(), "a\r\nb\r\n");
    memo->Lines().Add("c");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc\r\n");
}

TEST_F(NativeControls, FormWithNativeControlsLooksRight) {
    form->SetColor(clBtnFace);
    auto* edit = Make<TEdit>(10, 10);
    edit->SetText("Search word");
    edit->SetColor(clYellow);
    auto* combo = Make<TComboBox>(10, 40);
    combo->Items().SetText("left\nright");
    combo->SetItemIndex(1);
    auto* list = Make<TComboBox>(10, 70);
    list->SetStyle(TComboBoxStyle::csDropDownList);
    list->Items().Add("\xC4\xE3\xBA\xC3");
    list->SetItemIndex(0);
    auto* box = Make<TCheckListBox>(10, 100);
    box->Items().SetText("_\n/\n-");
    box->SetChecked(0, true);
    box->SetItemIndex(1);
    auto* memo = Make<TMemo>(200, 10);
    memo->SetText("first line\r\nsecond line, long enough to wrap in the memo");
    form->SetVisible(true);
    QApplication::processEvents();  // lets the memo settle its scroll bars
    // Written where the tests run (the build folder) for a person to look at.
    const std::string png = PicturePath("native_controls.png");
    ASSERT_TRUE(form->SaveScreenshot(png));
    QImage image(QString::fromStdString(png));
    // Inside the edit, right of its text: the edit's own colour.
    EXPECT_EQ(image.pixelColor(10 + 115, 10 + 10), QColor(255, 255, 0));
    form->SetVisible(false);
}

// A disabled box must not look like one that takes input: the colours given
// for the enabled look leave the disabled one to the style.
TEST_F(NativeControls, DisabledBoxesLookDisabled) {
    auto* edit = Make<TEdit>(0, 0);
    edit->SetText("0.0000");
    auto* list = Make<TListBox>(0, 40);
    list->Items().Add("x");
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, list}) {
        SCOPED_TRACE(c->Widget()->metaObject()->className());
        const QPoint inside(c->Width() - 6, c->Height() / 2);
        QColor enabled = c->Widget()->grab().toImage().pixelColor(inside);
        c->SetEnabled(false);
        QColor disabled = c->Widget()->grab().toImage().pixelColor(inside);
        EXPECT_EQ(enabled, QColor(Qt::white));
        EXPECT_NE(disabled, enabled);
        EXPECT_EQ(disabled, c->Widget()->palette().color(QPalette::Disabled, QPalette::Base));
    }
}

}  // namespace
