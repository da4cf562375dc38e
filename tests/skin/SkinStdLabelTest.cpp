// The skinned standard label as the framework's label: its accelerator moves
// the focus, it reads right to left as its parent says, and AutoSize measures
// the text as it is drawn; and the skinned splitter's opacity and thickness.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "platform/gui/Forms.h"
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
        label = new TqlSkinStdLabel(form);
        label->SetParent(form);
        label->SetBounds(10, 10, 10, 10);
    }
    void TearDown() override { delete form; }
    // Unskinned, the label draws in its default font.
    TPoint TextSize(const std::string& text) const {
        TBitmap probe(1, 1);
        probe.Canvas().Font().Assign(label->DefaultFont());
        return {probe.Canvas().TextWidth(text), probe.Canvas().TextHeight("W")};
    }
    // The columns of the label holding ink in rows top .. bottom, left to right.
    std::vector<int> InkColumns(int top, int bottom, int beyond = 0) const {
        TBitmap b(form->Width(), form->Height());
        form->PaintTo(b.Canvas(), 0, 0);
        const TColor ground = b.Pixel(0, 0);
        std::vector<int> columns;
        for (int x = label->Left(); x < label->Left() + label->Width() + beyond; ++x)
            for (int y = top; y < bottom; ++y)
                if (b.Pixel(x, y) != ground) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }

    TForm* form = nullptr;
    TqlSkinStdLabel* label = nullptr;
};

TEST_F(SkinStdLabels, TheAcceleratorGivesTheFocusToTheFocusControl) {
    auto* edit = new TEdit(form);
    auto* other = new TEdit(form);
    edit->SetParent(form);
    other->SetParent(form);
    label->SetCaption("&Node:");
    label->SetFocusControl(edit);
    struct Case {
        const char* what;
        std::function<void()> setup;
        WPARAM key;
        bool moves;
    } cases[] = {
        {"its letter", [] {}, 'n', true},
        {"in upper case", [] {}, 'N', true},
        {"another letter", [] {}, 'o', false},
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
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'n', 0), 0);
}

TEST_F(SkinStdLabels, AutoSizeMeasuresTheTextAsItIsDrawn) {
    label->SetCaption("R&D");
    EXPECT_EQ(label->Width(), TextSize("RD").X);
    label->ShowAccelChar = false;
    EXPECT_EQ(label->Width(), TextSize("R&D").X) << "written as a member, it measures again";
    // The whole text shows: its last letter lies beyond "R&", within the label.
    const std::vector<int> ink = InkColumns(label->Top(), label->Top() + label->Height(), 10);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.back(), label->Left() + TextSize("R&").X);
    EXPECT_LT(ink.back(), label->Left() + label->Width());
    label->SetShowAccelChar(true);
    EXPECT_EQ(label->Width(), TextSize("RD").X);
    // Empty, or nothing but a mark, it keeps one line's height.
    const int line = label->Height();
    for (const char* caption : {"", "&"}) {
        label->SetCaption(caption);
        EXPECT_EQ(label->Height(), line) << caption;
    }
}

// Alignment, Layout and WordWrap written after the label is shown reach the
// window without another paint request, and an auto-sized label measures
// its text again for a new WordWrap.
TEST_F(SkinStdLabels, AlignmentLayoutAndWordWrapRepaintAndMeasureAgain) {
    form->SetColor(0x00C0C0);
    label->SetCaption("one two three");
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 200, 80);
    // The extent of the label's ink as the window shows it, relative to the label.
    struct Extent {
        int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    };
    auto inkOnWindow = [&] {
        QApplication::processEvents();
        QWidget* window = form->Widget()->window();
        const QPoint at = form->Widget()->mapTo(window, QPoint(label->Left(), label->Top()));
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage();
        const TColor back = ColorToRGB(form->Color());
        const QRgb ground = qRgb(GetRValue(back), GetGValue(back), GetBValue(back));
        Extent e;
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                if (shot.valid(at.x() + x, at.y() + y) && shot.pixel(at.x() + x, at.y() + y) != ground) {
                    e.left = std::min(e.left, x), e.top = std::min(e.top, y);
                    e.right = std::max(e.right, x), e.bottom = std::max(e.bottom, y);
                }
        return e;
    };
    const Extent plain = inkOnWindow();
    ASSERT_GE(plain.right, 0);
    EXPECT_LT(plain.right, 100);
    label->Alignment = TAlignment::taRightJustify;
    EXPECT_GT(inkOnWindow().left, 100) << "right-justified";
    label->Layout = TTextLayout::tlBottom;
    EXPECT_GT(inkOnWindow().top, 40) << "at the bottom";
    label->Layout = TTextLayout::tlTop;
    label->Alignment = TAlignment::taLeftJustify;
    label->SetWidth(40);
    const Extent oneLine = inkOnWindow();
    label->WordWrap = true;
    const Extent wrapped = inkOnWindow();
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (oneLine.bottom - oneLine.top)) << "wrapped";

    // Auto-sized, wrapping keeps the width; unwrapped, the label takes one line.
    label->SetAutoSize(true);
    const int line = TextSize("W").Y;
    EXPECT_LE(label->Width(), 40);
    EXPECT_GT(label->Height(), 2 * line);
    label->WordWrap = false;
    EXPECT_EQ(label->Width(), TextSize("one two three").X);
    EXPECT_EQ(label->Height(), line);
}

// "W...." drawn left to right starts with the tall letter; read right to left,
// the dots come first. bdRightToLeft also moves a left-justified text right.
TEST_F(SkinStdLabels, RightToLeftReadingAndAlignmentFollowTheParent) {
    label->SetCaption("W....");
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 150, 20);
    const int line = TextSize("W").Y;
    auto tall = [&] { return InkColumns(label->Top() + 2, label->Top() + line / 2).front(); };
    auto any = [&] { return InkColumns(label->Top(), label->Top() + line); };
    ASSERT_TRUE(label->ParentBiDiMode());
    EXPECT_EQ(tall(), any().front()) << "left to right the text starts with the W";

    form->SetBiDiMode(TBiDiMode::bdRightToLeftNoAlign);
    EXPECT_EQ(label->BiDiMode(), TBiDiMode::bdRightToLeftNoAlign);
    EXPECT_GT(tall(), any().front()) << "the dots come before the W";
    EXPECT_LT(any().back(), label->Left() + label->Width() / 2) << "the text keeps to the left";
    form->SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_GT(any().front(), label->Left() + label->Width() / 2);

    // A mode of its own stops the label following its parent.
    label->SetBiDiMode(TBiDiMode::bdLeftToRight);
    EXPECT_FALSE(label->ParentBiDiMode());
    form->SetBiDiMode(TBiDiMode::bdRightToLeftNoAlign);
    EXPECT_EQ(tall(), any().front());
}

// An auto-sized label grows and shrinks away from the edge its text keeps
// to: the right edge of a right-justified text, which right-to-left
// alignment makes of a left-justified one, and the other way round.
TEST_F(SkinStdLabels, AutoSizeKeepsTheEdgeTheTextIsAlignedTo) {
    struct Case {
        TBiDiMode mode;
        TAlignment alignment;
        bool keepsRight;
    } cases[] = {
        {TBiDiMode::bdLeftToRight, TAlignment::taLeftJustify, false},
        {TBiDiMode::bdLeftToRight, TAlignment::taRightJustify, true},
        {TBiDiMode::bdRightToLeft, TAlignment::taLeftJustify, true},
        {TBiDiMode::bdRightToLeft, TAlignment::taRightJustify, false},
        {TBiDiMode::bdRightToLeftNoAlign, TAlignment::taLeftJustify, false},
        {TBiDiMode::bdRightToLeftReadingOnly, TAlignment::taRightJustify, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.mode) << " " << int(c.alignment));
        label->SetBiDiMode(c.mode);
        label->Alignment = c.alignment;
        label->SetCaption("ab");
        label->SetLeft(100);
        const int left = label->Left(), right = left + label->Width();
        for (const char* caption : {"abcdefgh", "a"}) {
            label->SetCaption(caption);
            EXPECT_EQ(label->Width(), TextSize(caption).X);
            if (c.keepsRight)
                EXPECT_EQ(label->Left() + label->Width(), right) << caption;
            else
                EXPECT_EQ(label->Left(), left) << caption;
        }
    }
}

// The splitter paints all of itself unless transparent; a skin sizes it
// across a top or bottom bar, and by its width whatever other alignment.
TEST(SkinSplitterLook, OpaqueUnlessTransparentAndSizedForEveryAlignment) {
    TForm form(nullptr);
    Skin s(&form);
    TBitmap pic(7, 5);
    auto& d = s.Add<TqlDataSkinSplitterControl>("vsplitter");
    d.PictureIndex = s.AddPicture(pic);
    d.SkinRect = Rect(0, 0, 7, 5);
    auto* split = new TqlSkinSplitter(&form);
    split->SetParent(&form);
    split->SetSkinData(s.Data);
    for (TAlign align : {TAlign::alNone, TAlign::alLeft, TAlign::alRight, TAlign::alTop, TAlign::alBottom}) {
        SCOPED_TRACE(int(align));
        const bool across = align == TAlign::alTop || align == TAlign::alBottom;
        split->SetAlign(align);
        split->SetBounds(20, 20, 40, 40);
        for (bool transparent : {false, true}) {
            split->SetTransparent(transparent);
            split->ChangeSkinData();
            EXPECT_EQ(bool(split->ControlStyle() & csOpaque), !transparent);
            const int skin = across ? HeightOfRect(d.SkinRect) : WidthOfRect(d.SkinRect);
            EXPECT_EQ(across ? split->Height() : split->Width(), transparent ? split->DefaultSize : skin);
        }
        split->SetTransparent(false);
    }
}

}  // namespace
