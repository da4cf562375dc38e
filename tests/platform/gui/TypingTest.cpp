// What a person types reaches the native text controls whole: every printable
// character, letters of other alphabets, dead keys and input-method text; the
// keys the program handles itself keep their rules. And a window waiting for
// input costs no CPU.

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <time.h>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "tests/support/Typing.h"

namespace {

class Typing : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Make() {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(10, 10, 200, 60);
        c->SetFocus();
        return c;
    }
    TForm* form = nullptr;
};

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

TEST_F(Typing, EveryCharacterArrivesInEveryKindOfTextControl) {
    const QString typed = typing::PrintableAscii() + QString::fromUtf8("éßüÅñ");
    struct Case {
        const char* kind;
        std::function<TWinControl*()> make;
    };
    const Case cases[] = {
        {"edit", [&] { return Make<TEdit>(); }},
        {"combo box", [&] { return Make<TComboBox>(); }},
        {"memo", [&] { return Make<TMemo>(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TWinControl* control = c.make();
        typing::Type(control->Widget(), typed);
        typing::TypeDeadKey(control->Widget(), Qt::Key_Dead_Acute, QChar(0xE1));
        typing::Commit(control->Widget(), QString::fromUtf8("語料庫"));
        EXPECT_EQ(control->GetText(), Utf8(typed) + "á語料庫");
        delete control;
    }
}

// A window turned off while it works takes nothing the user types or clicks,
// yet nothing in it turns grey; a panel turned off greys what it holds.
TEST_F(Typing, ADisabledWindowTakesNoInputAndKeepsItsLook) {
    auto* combo = Make<TComboBox>();
    combo->SetBounds(10, 80, 200, 24);
    auto* edit = Make<TEdit>();
    form->SetEnabled(false);
    EXPECT_TRUE(edit->Widget()->isEnabled());
    EXPECT_TRUE(combo->Widget()->isEnabled());
    typing::Type(edit->Widget(), "ab");
    QWidget* comboLine = combo->Widget()->focusProxy() ? combo->Widget()->focusProxy() : combo->Widget();
    typing::Type(comboLine, "cd");
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(combo->GetText(), "");

    form->SetEnabled(true);
    typing::Type(edit->Widget(), "ab");
    EXPECT_EQ(edit->GetText(), "ab");

    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* inner = new TEdit(panel);
    inner->SetParent(panel);
    panel->SetEnabled(false);
    EXPECT_FALSE(inner->Widget()->isEnabled());
}

TEST_F(Typing, ProgramKeysKeepTheirRulesBesideTypedText) {
    auto* edit = Make<TEdit>();
    std::string pressed;
    edit->OnKeyPress = [&](TObject*, char& key) {
        pressed += key;
        // The handler still decides: a swallowed character never reaches the widget.
        if (key == '|') key = 0;
    };
    typing::Type(edit->Widget(), "a.b|c");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(edit->Widget(), &enter);
    EXPECT_EQ(pressed, "a.b|c\r");
    EXPECT_EQ(edit->GetText(), "a.bc");

    // Key codes of punctuation are their own, never those of editing keys ('.' is
    // 0x2E, the code of Delete): typing must not delete.
    std::vector<uint16_t> downs;
    edit->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { downs.push_back(key); };
    typing::Type(edit->Widget(), ".-");
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_NE(downs[0], VK_DELETE);
    EXPECT_NE(downs[1], VK_INSERT);
    EXPECT_EQ(edit->GetText(), "a.bc.-");
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

TEST(IdleWindow, WaitingForInputCostsNoCpu) {
    static char name[] = "lexmoor";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    TApplication app(argc, argv);
    auto* form = new TForm(&app);
    form->SetBounds(0, 0, 300, 200);
    app.MainForm = form;
    // A timer elsewhere must still wake the loop on time.
    bool ticked = false;
    QTimer::singleShot(500, [&] { ticked = true; });
    QTimer::singleShot(2000, [&] { form->Close(); });
    double before = ProcessCpuSeconds();
    app.Run();
    double used = ProcessCpuSeconds() - before;
    EXPECT_TRUE(ticked);
    EXPECT_LT(used, 0.1) << "two idle seconds took " << used << " s of CPU";

    // A modal dialog waits the same way, and ends when its result is set.
    auto* dialog = new TForm(&app);
    QTimer::singleShot(1000, [&] { dialog->SetModalResult(mrOk); });
    before = ProcessCpuSeconds();
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    used = ProcessCpuSeconds() - before;
    EXPECT_LT(used, 0.05) << "one modal second took " << used << " s of CPU";
}

}  // namespace
