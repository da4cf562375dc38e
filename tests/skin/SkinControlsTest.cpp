// The event rules of the skinned controls that the main window relies on.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/controls/qlSkinCtrls.h"
#include "tests/skin/SyntheticSkin.h"
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

// The up-down's halves show the down and up buttons of its descriptor in the
// face of their state, and step the position as they are pressed.
TEST_F(SkinControls, AnUpDownDrawsEachHalfFromItsDescriptorsFaces) {
    constexpr TColor kDown = 0x101080, kDownHot = 0x1010A0, kDownPressed = 0x1010C0;
    constexpr TColor kUp = 0x108010, kUpHot = 0x10A010, kUpPressed = 0x10C010;
    synthetic::Skin skin(form);
    TBitmap pic(60, 20);
    const TColor faces[] = {kUp, kUpHot, kUpPressed, kDown, kDownHot, kDownPressed};
    for (int i = 0; i < 6; ++i) synthetic::FillRect(pic, Rect(i * 10, 0, i * 10 + 10, 10), faces[i]);
    auto& look = skin.Add<TqlDataSkinUpDownControl>("hupdown");
    look.PictureIndex = skin.AddPicture(pic);
    look.SkinRect = Rect(0, 0, 10, 10);
    look.UpButtonRect = Rect(0, 0, 10, 10);
    look.ActiveUpButtonRect = Rect(10, 0, 20, 10);
    look.DownUpButtonRect = Rect(20, 0, 30, 10);
    look.DownButtonRect = Rect(30, 0, 40, 10);
    look.ActiveDownButtonRect = Rect(40, 0, 50, 10);
    look.DownDownButtonRect = Rect(50, 0, 60, 10);
    form->Show();
    auto* updown = Add<TqlSkinUpDown>(form);
    updown->SetSkinData(skin.Data);
    updown->SetBounds(0, 0, 40, 20);
    updown->SetPosition(5);
    const int left = 10, right = 30, y = 10;
    struct Step {
        const char* what;
        std::function<void()> act;
        TColor leftFace, rightFace;
        int position;
    } steps[] = {
        {"at rest", [] {}, kDown, kUp, 5},
        {"over the right half", [&] { updown->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(right, y)); }, kDown, kUpHot, 5},
        {"pressed there", [&] { updown->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right, y)); }, kDown,
         kUpPressed, 6},
        {"released", [&] { updown->Perform(WM_LBUTTONUP, 0, MAKELPARAM(right, y)); }, kDown, kUpHot, 6},
        {"pressed on the left half", [&] {
             updown->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(left, y));
             updown->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left, y));
         }, kDownPressed, kUp, 5},
        {"released and left", [&] {
             updown->Perform(WM_LBUTTONUP, 0, MAKELPARAM(left, y));
             updown->Perform(CM_MOUSELEAVE);
         }, kDown, kUp, 5},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        const TBitmap shot = synthetic::Snapshot(*updown);
        EXPECT_EQ(shot.Pixel(left, y), s.leftFace);
        EXPECT_EQ(shot.Pixel(right, y), s.rightFace);
        EXPECT_EQ(updown->Position(), s.position);
    }
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
