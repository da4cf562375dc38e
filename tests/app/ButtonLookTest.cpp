// The main window's push buttons are drawn from the program's own skin, one
// face per state; the states are also written as a picture to look at.

#include <QApplication>
#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Pictures.h"

namespace {

class ButtonLook : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        form = app_->CreateForm<TForm1>();
        form->SetVisible(true);
        // The focused face needs the focus, which only an active window gives.
        QApplication::setActiveWindow(form->Widget());
    }

    static TBitmap Snapshot(TqlSkinButton* b) {
        TBitmap out(b->Width(), b->Height());
        b->PaintTo(out.Canvas(), 0, 0);
        return out;
    }

    TForm1* form = nullptr;
};

TEST_F(ButtonLook, EveryStateShowsItsFaceOfTheDefaultSkin) {
    TqlSkinButton* button = form->btnChoseDir;
    ASSERT_EQ(button->SkinData(), form->qlSkinData1);
    const int index = form->qlSkinData1->IndexOfControlData("button");
    ASSERT_GE(index, 0);
    const auto& look = dynamic_cast<const TqlDataSkinButtonControl&>(*form->qlSkinData1->CtrlList[size_t(index)]);
    const TBitmap& picture = *form->qlSkinData1->ActivePictures[size_t(look.PictureIndex)];

    struct State {
        const char* name;
        std::function<void()> enter;
        TRect face;
    } states[] = {
        {"normal", [] {}, look.SkinRect},
        {"hover", [&] { button->Perform(CM_MOUSEENTER); }, look.ActiveSkinRect},
        {"focused",
         [&] {
             button->Perform(CM_MOUSELEAVE);
             button->SetFocus();
         },
         look.FocusedSkinRect},
        {"disabled",
         [&] {
             form->btnFilter->SetFocus();
             button->SetEnabled(false);
         },
         look.DisabledSkinRect},
        {"pressed",
         [&] {
             button->SetEnabled(true);
             button->Perform(CM_MOUSEENTER);
             button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
         },
         look.DownSkinRect},
    };
    const int w = button->Width(), h = button->Height();
    TBitmap strip(w * 5 + 40, h);
    strip.Canvas().Brush().Color = form->Color();
    strip.Canvas().FillRect(Rect(0, 0, strip.Width(), h));
    std::vector<TColor> corners;
    for (size_t i = 0; i < std::size(states); ++i) {
        const State& s = states[i];
        SCOPED_TRACE(s.name);
        s.enter();
        const TBitmap shot = Snapshot(button);
        // The corners of a nine-part face are copied from the picture pixel for pixel.
        EXPECT_EQ(shot.Pixel(3, 3), picture.Pixel(s.face.Left + 3, s.face.Top + 3));
        EXPECT_EQ(shot.Pixel(w - 4, h - 4), picture.Pixel(s.face.Right - 4, s.face.Bottom - 4));
        corners.push_back(shot.Pixel(3, 3));
        strip.Canvas().Draw(int(i) * (w + 10), 0, shot);
    }
    // Each state looks different from the normal one.
    for (size_t i = 1; i < corners.size(); ++i) EXPECT_NE(corners[i], corners[0]) << states[i].name;
    EXPECT_TRUE(strip.SavePng(PicturePath("main_window_buttons.png")));
}

}  // namespace
