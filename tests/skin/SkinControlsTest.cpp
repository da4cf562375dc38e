// The event rules of the skinned controls that the main window relies on.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/controls/qlSkinCtrls.h"
#include "tests/support/Typing.h"

namespace {

class SkinControls : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(TWinControl* parent) {
        auto* c = new T(form);
        c->SetParent(parent);
        return c;
    }

    TForm* form = nullptr;
};

TEST_F(SkinControls, EveryCheckedAssignmentOfACheckBoxFiresOnClick) {
    auto* box = Add<TqlSkinCheckRadioBox>(form);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 3);
    // A grayed box stays grayed when unchecked.
    box->SetState(TCheckBoxState::cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(false);
    EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(clicks, 5);
}

TEST_F(SkinControls, ARadioBoxFiresOnlyWhenSetAndClearsItsGroupInItsParent) {
    auto* panel = Add<TPanel>(form);
    auto* other = Add<TPanel>(form);
    auto* a = Add<TqlSkinCheckRadioBox>(panel);
    auto* b = Add<TqlSkinCheckRadioBox>(panel);
    auto* loose = Add<TqlSkinCheckRadioBox>(panel);
    auto* elsewhere = Add<TqlSkinCheckRadioBox>(other);
    for (auto* r : {a, b, elsewhere}) {
        r->SetRadio(true);
        r->GroupIndex = 2;
    }
    loose->SetChecked(true);
    elsewhere->SetChecked(true);
    int aClicks = 0, bClicks = 0;
    a->OnClick = [&](TObject*) { ++aClicks; };
    b->OnClick = [&](TObject*) { ++bClicks; };

    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(aClicks, 1);  // being cleared is no click
    EXPECT_EQ(bClicks, 1);
    EXPECT_TRUE(loose->Checked());
    EXPECT_TRUE(elsewhere->Checked());

    // Toggling a checked radio box changes nothing.
    b->Toggle();
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(bClicks, 1);
}

TEST_F(SkinControls, AComboBoxFiresOnChangeWhenItsItemIndexIsSet) {
    auto* box = Add<TqlSkinComboBox>(form);
    box->SetStyle(TComboBoxStyle::csDropDownList);
    for (const char* item : {"POS", "WORD", "BOTH"}) box->Items().Add(item);
    int changes = 0;
    box->OnChange = [&](TObject*) { ++changes; };
    box->SetItemIndex(2);
    EXPECT_EQ(box->GetText(), "BOTH");
    box->SetItemIndex(2);
    EXPECT_EQ(changes, 2);
    form->SetLoading(true);
    box->SetLoading(true);
    box->SetItemIndex(0);
    EXPECT_EQ(changes, 2);
}

TEST_F(SkinControls, ACheckComboJoinsItsCheckedItems) {
    auto* box = Add<TqlSkinCheckComboBox>(form);
    for (int i = 1; i <= 10; ++i) box->Items().Add(std::to_string(i));
    EXPECT_EQ(box->GetText(), "");
    box->SetChecked(0, true);
    box->SetChecked(2, true);
    box->SetChecked(9, true);
    EXPECT_EQ(box->GetText(), "1,3,10");
}

TEST_F(SkinControls, AnUpDownKeepsItsPositionInRangeAndReportsEveryAcceptedValue) {
    auto* updown = Add<TqlSkinUpDown>(form);
    EXPECT_EQ(updown->Width(), 50);
    EXPECT_EQ(updown->SkinDataName(), "hupdown");
    int changes = 0;
    updown->OnChange = [&](TObject*) { ++changes; };
    updown->SetPosition(101);
    updown->SetPosition(-1);
    EXPECT_EQ(changes, 0);
    updown->SetPosition(40);
    updown->SetPosition(40);
    EXPECT_EQ(changes, 2);
    updown->SetMax(30);
    EXPECT_EQ(updown->Position(), 30);
    updown->SetMin(35);
    EXPECT_EQ(updown->Position(), 35);
    EXPECT_EQ(changes, 2);
}

TEST_F(SkinControls, ANumericEditShowsItsValueInItsOwnFormat) {
    auto* minFre = Add<TqlSkinNumericEdit>(form);
    minFre->SetValue(3.7);
    EXPECT_EQ(minFre->GetText(), "3");
    EXPECT_EQ(minFre->Value(), 3);
    auto* minValue = Add<TqlSkinNumericEdit>(form);
    minValue->ValueType = TqlValueType::vtFloat;
    minValue->Decimal = 4;
    minValue->SetValue(0);
    EXPECT_EQ(minValue->GetText(), "0.0000");
    minValue->SetText("2.5");
    EXPECT_DOUBLE_EQ(minValue->Value(), 2.5);
}

TEST_F(SkinControls, ANumericEditTakesTypedNumbersAndNothingElse) {
    struct Case {
        TqlValueType type;
        const char* typed;
        const char* shown;
    } cases[] = {
        {TqlValueType::vtFloat, "-12.5", "-12.5"},
        {TqlValueType::vtFloat, "1e3x,7", "137"},
        {TqlValueType::vtInteger, "-4.2", "-42"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto* edit = Add<TqlSkinNumericEdit>(form);
        edit->ValueType = c.type;
        edit->SetText("");
        typing::Type(edit->Widget(), c.typed);
        EXPECT_EQ(edit->GetText(), c.shown);
        delete edit;
    }
}

}  // namespace
