// The skinned standard label as the framework's label: its accelerator moves
// the focus, it reads right to left as its parent says, and AutoSize measures
// the text as it is drawn; and the skinned splitter's opacity and thickness.

#include <gtest/gtest.h>

#include <functional>

#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "skin/controls/SkinLabels.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

class SkinStdLabels : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 200);
        form->Show();
    }
    void TearDown() override { delete form; }
    TqlSkinStdLabel* Label(const std::string& caption) {
        auto* label = new TqlSkinStdLabel(form);
        label->SetParent(form);
        label->SetBounds(10, 10, 10, 10);
        label->SetCaption(caption);
        return label;
    }
    // Unskinned, the label draws in its default font.
    static int TextWidth(TqlSkinStdLabel* label, const std::string& text) {
        TBitmap probe(1, 1);
        probe.Canvas().Font().Assign(label->DefaultFont());
        return probe.Canvas().TextWidth(text);
    }
    static int TextHeight(TqlSkinStdLabel* label) {
        TBitmap probe(1, 1);
        probe.Canvas().Font().Assign(label->DefaultFont());
        return probe.Canvas().TextHeight("W");
    }
    TBitmap Shot() const {
        TBitmap b(form->Width(), form->Height());
        form->PaintTo(b.Canvas(), 0, 0);
        return b;
    }
    // The columns of r holding ink in rows top .. bottom, left to right.
    static std::vector<int> InkColumns(const TBitmap& b, const TRect& r, int top, int bottom) {
        const TColor ground = b.Pixel(r.Left, r.Bottom - 1);
        std::vector<int> columns;
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = top; y < bottom; ++y)
                if (b.Pixel(x, y) != ground) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }

    TForm* form = nullptr;
};

TEST_F(SkinStdLabels, TheAcceleratorGivesTheFocusToTheFocusControl) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 40, 100, 20);
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 70, 100, 20);
    auto* label = Label("&Node:");
    label->SetFocusControl(edit);
    struct Case {
        const char* what;
        std::function<void()> setup;
        WPARAM key;
        bool moves;
    } cases[] = {
        {"its letter", [] {}, 'n', true},
        {"its letter in upper case", [] {}, 'N', true},
        {"another letter of the caption", [] {}, 'o', false},
        {"marks shown as text", [&] { label->ShowAccelChar = false; }, 'n', false},
        {"a disabled label", [&] {
             label->ShowAccelChar = true;
             label->SetEnabled(false);
         }, 'n', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        other->SetFocus();
        c.setup();
        EXPECT_EQ(form->Perform(CM_DIALOGCHAR, c.key, 0) != 0, c.moves);
        EXPECT_EQ(form->ActiveControl(), c.moves ? static_cast<TWinControl*>(edit) : other);
    }
    label->SetEnabled(true);
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr) << "a freed control is let go of";
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n', 0), 0);
}

TEST_F(SkinStdLabels, AutoSizeMeasuresTheTextAsItIsDrawn) {
    auto* label = Label("R&D");
    EXPECT_EQ(label->Width(), TextWidth(label, "RD")) << "the mark is not shown";
    label->ShowAccelChar = false;
    EXPECT_EQ(label->Width(), TextWidth(label, "R&D")) << "written as a member, it measures again";
    // The whole text shows: its last letter lies beyond the width of "R&".
    const TRect r = label->BoundsRect();
    const std::vector<int> ink = InkColumns(Shot(), Rect(r.Left, r.Top, r.Right + 10, r.Bottom), r.Top, r.Bottom);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.back(), r.Left + TextWidth(label, "R&"));
    EXPECT_LT(ink.back(), r.Right);
    label->SetShowAccelChar(true);
    EXPECT_EQ(label->Width(), TextWidth(label, "RD"));

    // Empty, or nothing but a mark, it keeps one line's height.
    const int line = label->Height();
    for (const char* caption : {"", "&"}) {
        SCOPED_TRACE(caption);
        label->SetCaption(caption);
        EXPECT_EQ(label->Height(), line);
    }
}

// "W...." drawn left to right starts with the tall letter; read right to left,
// the dots come first. bdRightToLeft also moves a left-justified text to the right.
TEST_F(SkinStdLabels, RightToLeftReadingAndAlignmentFollowTheParent) {
    auto* label = Label("W....");
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 150, 20);
    const int lineHeight = TextHeight(label);
    auto tallInk = [&] {
        return InkColumns(Shot(), label->BoundsRect(), label->Top() + 2, label->Top() + lineHeight / 2);
    };
    auto anyInk = [&] { return InkColumns(Shot(), label->BoundsRect(), label->Top(), label->Top() + lineHeight); };
    ASSERT_TRUE(label->ParentBiDiMode());
    const std::vector<int> ltrTall = tallInk(), ltrAll = anyInk();
    ASSERT_FALSE(ltrTall.empty());
    EXPECT_EQ(ltrTall.front(), ltrAll.front()) << "left to right the text starts with the W";

    form->SetBiDiMode(TBiDiMode::bdRightToLeftNoAlign);
    EXPECT_EQ(label->BiDiMode(), TBiDiMode::bdRightToLeftNoAlign);
    const std::vector<int> rtlTall = tallInk(), rtlAll = anyInk();
    ASSERT_FALSE(rtlTall.empty());
    EXPECT_GT(rtlTall.front(), rtlAll.front()) << "the dots come before the W";
    EXPECT_LT(rtlAll.back(), label->Left() + label->Width() / 2) << "the alignment stays: the text keeps to the left";

    form->SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_GT(anyInk().front(), label->Left() + label->Width() / 2) << "left-justified text moves to the right";

    // A mode of its own stops the label following its parent.
    label->SetBiDiMode(TBiDiMode::bdLeftToRight);
    EXPECT_FALSE(label->ParentBiDiMode());
    form->SetBiDiMode(TBiDiMode::bdRightToLeftNoAlign);
    EXPECT_EQ(label->BiDiMode(), TBiDiMode::bdLeftToRight);
    EXPECT_EQ(tallInk().front(), anyInk().front());
}

// The splitter paints all of itself unless transparent; a skin sizes it
// across its alignment, and an unaligned one by its width.
TEST(SkinSplitterLook, OpaqueUnlessTransparentAndSizedForEveryAlignment) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    Skin s(&form);
    TBitmap pic(7, 5);
    FillRect(pic, Rect(0, 0, 7, 5), kClient);
    auto& d = s.Add<TqlDataSkinSplitterControl>("vsplitter");
    d.PictureIndex = s.AddPicture(pic);
    d.SkinRect = Rect(0, 0, 7, 5);
    auto* split = new TqlSkinSplitter(&form);
    split->SetParent(&form);
    EXPECT_TRUE(split->ControlStyle() & csOpaque);
    split->SetTransparent(true);
    EXPECT_FALSE(split->ControlStyle() & csOpaque);
    split->SetTransparent(false);
    EXPECT_TRUE(split->ControlStyle() & csOpaque);

    split->SetSkinData(s.Data);
    struct Case {
        TAlign align;
        bool height;  // sized across a top or bottom bar, else by its width
    } cases[] = {{TAlign::alNone, false}, {TAlign::alLeft, false}, {TAlign::alRight, false},
                 {TAlign::alTop, true}, {TAlign::alBottom, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.align));
        split->SetAlign(c.align);
        split->SetBounds(20, 20, 40, 40);
        split->ChangeSkinData();
        EXPECT_EQ(c.height ? split->Height() : split->Width(), c.height ? HeightOfRect(d.SkinRect) : WidthOfRect(d.SkinRect));
        split->SetTransparent(true);
        split->ChangeSkinData();
        EXPECT_EQ(c.height ? split->Height() : split->Width(), split->DefaultSize);
        split->SetTransparent(false);
    }
}

}  // namespace
