// A control that is disabled, itself or through a parent, takes no mouse, wheel
// or keys, whether it has a window of its own or not: for every kind of
// control the main window turns off, with events as the window system delivers them.

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/gui/Forms.h"
#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinChecks.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/qlSkinTabs.h"

namespace {

std::string Num(int i) { return std::to_string(i); }

class DisabledInput : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 300);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        holder = new TqlSkinPanel(form);
        holder->SetParent(form);
        holder->SetBounds(20, 20, 400, 240);
    }
    void TearDown() override { delete form; }

    // The pointer at a point of control, in the window's coordinates.
    QPoint InWindow(TControl* c, TPoint p) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) return InWindow(c->Parent(), {p.X + c->Left(), p.Y + c->Top()});
        return w->Widget()->mapTo(form->Widget(), QPoint(p.X, p.Y));
    }

    // A click, a double click and a wheel turn at p, and keys sent to the control's own window.
    void Use(TControl* c, TPoint p) {
        QWindow* window = form->Widget()->windowHandle();
        const QPoint at = InWindow(c, p);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
        QWidget* under = form->Widget()->childAt(at);
        QWheelEvent wheel(at, form->Widget()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(under ? under : form->Widget(), &wheel);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Down, Qt::Key_X})
                QTest::keyClick(w->Widget(), key);
        QApplication::processEvents();
    }

    TForm* form = nullptr;
    TqlSkinPanel* holder = nullptr;
};

TEST_F(DisabledInput, NoKindOfControlTakesInputWhileItOrItsParentIsOff) {
    int clicks = 0;
    auto counted = [&](TControl* c) {
        c->OnClick = [&](TObject*) { ++clicks; };
        return c;
    };
    struct Case {
        const char* kind;
        std::function<TControl*()> make;
        std::function<std::string(TControl*)> state;
        TPoint at{10, 10};
    };
    const Case cases[] = {
        {"skinned button", [&] { return counted(new TqlSkinButton(form)); }, [&](TControl*) { return Num(clicks); }},
        {"plain button", [&] { return counted(new TButton(form)); }, [&](TControl*) { return Num(clicks); }},
        {"skinned check box", [&] { return counted(new TqlSkinCheckRadioBox(form)); },
         [&](TControl* c) { return Num(clicks) + Num(static_cast<TqlSkinCheckRadioBox*>(c)->Checked()); }},
        {"windowless tool button", [&] { return counted(new TqlSkinSpeedButton(form)); },
         [&](TControl*) { return Num(clicks); }},
        {"edit box", [&] { return new TqlSkinEdit(form); },
         [](TControl* c) { return c->GetText() + Num(static_cast<TWinControl*>(c)->Focused()); }},
        {"numeric edit box",
         [&] {
             auto* edit = new TqlSkinNumericEdit(form);
             edit->SetValue(5);
             return edit;
         },
         [](TControl* c) { return c->GetText(); }},
        {"check list box",
         [&] {
             auto* list = new TqlSkinCheckListBox(form);
             list->Items().Add("_");
             list->Items().Add("/");
             return list;
         },
         [](TControl* c) {
             auto* list = static_cast<TqlSkinCheckListBox*>(c);
             return Num(list->Checked(0)) + Num(list->Checked(1)) + Num(list->ItemIndex());
         },
         {8, 8}},
        {"combo box",
         [&] {
             auto* combo = new TqlSkinComboBox(form);
             combo->SetStyle(TComboBoxStyle::csDropDownList);
             for (const char* item : {"a", "b", "c"}) combo->Items().Add(item);
             combo->SetItemIndex(1);
             return combo;
         },
         [](TControl* c) { return Num(static_cast<TqlSkinComboBox*>(c)->ItemIndex()); }},
        {"page control's tabs",
         [&] {
             auto* pc = new TqlSkinPageControl(form);
             for (const char* caption : {"One", "Two"}) {
                 auto* sheet = new TqlSkinTabSheet(form);
                 sheet->SetCaption(caption);
                 sheet->SetPageControl(pc);
             }
             pc->SetActivePageIndex(0);
             return pc;
         },
         [](TControl* c) { return Num(static_cast<TPageControl*>(c)->ActivePageIndex()); }, {60, 8}},
    };
    for (bool throughParent : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.kind) + (throughParent ? ", in a disabled panel" : ", disabled itself"));
            TControl* control = c.make();
            control->SetParent(holder);
            control->SetBounds(10, 10, 200, 120);
            const std::string before = c.state(control);
            (throughParent ? static_cast<TControl*>(holder) : control)->SetEnabled(false);
            Use(control, c.at);
            EXPECT_EQ(c.state(control), before);
            // Turned on again, the same input reaches it: the test does use it.
            holder->SetEnabled(true);
            control->SetEnabled(true);
            Use(control, c.at);
            EXPECT_NE(c.state(control), before);
            delete control;
        }
    }
}

// Turned off while the mouse button is held on it, a control takes neither
// the release nor, once on again, a later click elsewhere in its parent.
TEST_F(DisabledInput, AControlTurnedOffWhileHeldTakesNoMoreOfThatPress) {
    int clicks = 0;
    QWindow* window = form->Widget()->windowHandle();
    TControl* windowed = new TqlSkinButton(form);
    TControl* windowless = new TqlSkinSpeedButton(form);
    for (TControl* c : {windowed, windowless}) {
        SCOPED_TRACE(c == windowed ? "windowed" : "windowless");
        c->SetParent(holder);
        c->SetBounds(10, 10, 80, 30);
        c->OnClick = [&](TObject*) { ++clicks; };
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, InWindow(c, {5, 5}));
        c->SetEnabled(false);
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, InWindow(c, {5, 5}));
        c->SetEnabled(true);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, InWindow(holder, {300, 200}));
        EXPECT_EQ(clicks, 0);
        delete c;
    }
}

}  // namespace
