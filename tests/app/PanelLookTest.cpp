// The Settings page's containers, boxes and gauge are drawn from the
// program's own skin; the page is also written as a picture to look at.

#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "tests/support/AppFixture.h"
#include "tests/support/FormPicture.h"
#include "tests/support/Pictures.h"

namespace {

class PanelLook : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        form = app_->CreateForm<TForm1>();
        form->SetBounds(0, 0, 1100, 760);
        form->SetVisible(true);
    }

    template <class D>
    const D& Look(const char* name) const {
        const int index = form->qlSkinData1->IndexOfControlData(name);
        EXPECT_GE(index, 0) << name;
        return dynamic_cast<const D&>(*form->qlSkinData1->CtrlList[size_t(index)]);
    }

    const TBitmap& Picture(int index) const { return *form->qlSkinData1->ActivePictures[size_t(index)]; }

    static TBitmap Snapshot(TWinControl* c) {
        TBitmap out(c->Width(), c->Height());
        c->PaintTo(out.Canvas(), 0, 0);
        return out;
    }

    TForm1* form = nullptr;
};

TEST_F(PanelLook, TheSettingsBoxesShowTheDefaultSkinsCheckImages) {
    const auto& check = Look<TqlDataSkinCheckRadioControl>("checkbox");
    const TBitmap& picture = Picture(check.PictureIndex);
    struct Case {
        const char* name;
        TqlSkinCheckRadioBox* box;
        std::function<void()> enter;
        TRect image;
    } cases[] = {
        {"checked", form->crbxShowFileName, [] {}, check.CheckImageRect},
        {"unchecked", form->crbxShowFileName, [&] { form->crbxShowFileName->SetChecked(false); },
         check.UnCheckImageRect},
        {"hover", form->crbxShowFileName, [&] { form->crbxShowFileName->Perform(CM_MOUSEENTER); },
         check.ActiveUnCheckImageRect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.enter();
        const TBitmap shot = Snapshot(c.box);
        // The flat box puts the image at x = 3, centred vertically.
        const int h = c.image.Bottom - c.image.Top, w = c.image.Right - c.image.Left;
        const int top = (c.box->Height() - h) / 2;
        EXPECT_EQ(shot.Pixel(3 + w / 2, top + h / 2), picture.Pixel(c.image.Left + w / 2, c.image.Top + h / 2));
        EXPECT_EQ(shot.Pixel(3 + w / 2, top + 1), picture.Pixel(c.image.Left + w / 2, c.image.Top + 1));
    }
}

// The raw/tagged pair is one choice of two: round faces, not square ones.
TEST_F(PanelLook, TheTextKindPairShowsTheRadioFacesWhole) {
    const auto& radio = Look<TqlDataSkinCheckRadioControl>("radiobox");
    const TBitmap& picture = Picture(radio.PictureIndex);
    struct Case {
        const char* name;
        TqlSkinCheckRadioBox* box;
        TRect image;
    } cases[] = {
        {"tagged, checked", form->qlSkinCheckRadioBox1, radio.CheckImageRect},
        {"raw, unchecked", form->rdoRaw, radio.UnCheckImageRect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.box->SkinDataName(), "radiobox");
        const TBitmap shot = Snapshot(c.box);
        const int h = c.image.Bottom - c.image.Top, w = c.image.Right - c.image.Left;
        const int top = (c.box->Height() - h) / 2;
        // The image is drawn transparently, keyed on its bottom-left pixel:
        // every other pixel of it shows as it stands.
        const TColor key = picture.Pixel(c.image.Left, c.image.Bottom - 1);
        int differing = 0, drawn = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const TColor own = picture.Pixel(c.image.Left + x, c.image.Top + y);
                if (own == key) continue;
                ++drawn;
                differing += shot.Pixel(3 + x, top + y) != own;
            }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, w * h / 2);
    }
}

// The progress text runs over the filled bar and the empty track alike; the
// picture is written for a person to look at.
TEST_F(PanelLook, TheGaugeTextIsDrawnOverTheBarAndTheTrack) {
    TqlSkinGauge* gauge = form->ggColPro;
    gauge->SetVisible(true);
    gauge->SetMaxValue(100);
    gauge->SetValue(50);
    gauge->SetProgressText("Outputting Line 5000...   5000 lines in queque... ");
    const TBitmap shot = Snapshot(gauge);
    shot.SavePng(PicturePath("gauge_text.png"));
    const TColor text = Look<TqlDataSkinGaugeControl>("statusgauge").FontColor;
    int onBar = 0, onTrack = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.Pixel(x, y) == text) ++(x < shot.Width() / 2 - 4 ? onBar : onTrack);
    EXPECT_GT(onBar, 20);
    EXPECT_GT(onTrack, 20);
}

TEST_F(PanelLook, TheFontSizeSliderShowsItsThumbAtItsValueAndTheGroupBoxShowsThePage) {
    TqlSkinSlider* slider = form->sldFontSize;
    const auto& look = Look<TqlDataSkinSlider>("slider");
    const TBitmap& picture = Picture(look.PictureIndex);
    const TRect t = slider->ThumbRect();
    const TColor centre = picture.Pixel(look.HThumbRect.Left + 8, look.HThumbRect.Top + 8);
    EXPECT_EQ(Snapshot(slider).Pixel((t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2), centre);
    slider->SetValue(18);
    const TRect end = slider->ThumbRect();
    EXPECT_GT(end.Left, t.Left);
    EXPECT_EQ(end.Right, slider->RulerRect().Right);
    // The transparent group box shows its page's background between its children.
    FormPicture page(form);
    // The page itself, where no control covers it: below the context group.
    const TColor background =
        page.Pixel(form->tsSettings, {form->gbContext->Left() + 4, form->gbContext->Top() + form->gbContext->Height() + 8});
    EXPECT_GT(page.Count(form->gbDisplay, background), 0);
    EXPECT_TRUE(page.Save("settings_page.png"));
}

}  // namespace
