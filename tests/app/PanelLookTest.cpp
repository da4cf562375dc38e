// The Settings page's containers, boxes and gauge are drawn from the
// program's own skin; the page is also written as a picture to look at.

#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "tests/support/AppFixture.h"
#include "tests/support/FormPicture.h"

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

TEST_F(PanelLook, SettingsPageIsWrittenAsAPicture) {
    FormPicture picture(form);
    EXPECT_TRUE(picture.Save("settings_page.png"));
}

}  // namespace
