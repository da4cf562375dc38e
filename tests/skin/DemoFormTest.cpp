// A small form of what skinned tool bars carry, drawn from the program's own
// skin and without one; both pictures are written for a person to look at.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "skin/default/DefaultSkin.h"
#include "skin/forms/qlCorvane.h"
#include "skin/forms/qlSkinMenus.h"
#include "tests/skin/SyntheticSkin.h"
#include "tests/support/Pictures.h"

using namespace synthetic;

namespace {

struct Demo {
    TForm* form = nullptr;
    TqlSkinData* skin = nullptr;
    TqlSkinToolBar* bar = nullptr;
    std::vector<TqlSkinSpeedButton*> buttons;
    TqlSkinMenuSpeedButton* menuButton = nullptr;
    TqlSkinBevel* divider = nullptr;
    TqlSkinPanel* panel = nullptr;
    TqlSkinStatusBar* status = nullptr;

    explicit Demo(bool skinned) {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 240);
        form->SetColor(TColor(0xF7F5F4));
        if (skinned) {
            skin = new TqlSkinData(form);
            new TqlCorvane(form);
        }
        auto* images = new TCustomImageList(16, 16, form);
        const TColor colours[] = {0xDB6F2F, 0x2F9F4F, 0x2F4FCF, 0x8F3F9F};
        for (TColor c : colours) {
            TBitmap icon(16, 16);
            FillRect(icon, Rect(0, 0, 16, 16), clFuchsia);
            FillRect(icon, Rect(3, 2, 13, 14), c);
            FillRect(icon, Rect(5, 4, 11, 6), clWhite);
            images->AddMasked(icon, clFuchsia);
        }
        bar = Put<TqlSkinToolBar>(form, {});
        bar->SetAlign(TAlign::alTop);
        bar->SetHeight(34);
        bar->SetImages(images);
        for (int i = 0; i < 3; ++i) buttons.push_back(Put<TqlSkinSpeedButton>(bar, Rect(6 + 30 * i, 0, 32 + 30 * i, 26)));
        divider = Put<TqlSkinBevel>(bar, Rect(98, 0, 106, 22));
        divider->Shape = TBevelShape::bsLeftLine;
        divider->SetDividerMode(true);
        menuButton = Put<TqlSkinMenuSpeedButton>(bar, Rect(110, 0, 152, 26));
        menuButton->SetSkinPopupMenu(new TqlSkinPopupMenu(form));
        menuButton->SetTrackButtonMode(true);
        for (int i = 0; i < 4; ++i) {
            TqlSkinSpeedButton* b = i < 3 ? buttons[size_t(i)] : menuButton;
            b->SetShowCaption(false);
            b->SetImageIndex(i);
        }
        status = Put<TqlSkinStatusBar>(form, {});
        status->SetCaption("Ready");
        status->SetSizeGrip(true);
        panel = Put<TqlSkinPanel>(form, Rect(12, 46, 272, 176));
        panel->SetTransparentMode(true);
        panel->SetCaptionMode(true);
        panel->SetCaption("Span");
        auto* box = Put<TqlSkinCheckRadioBox>(panel, Rect(12, 30, 172, 52));
        box->SetCaption("Case sensitive");
        box->SetChecked(true);
        if (skinned) {
            auto* stored = new TqlCompressedStoredSkin(form);
            stored->SetCompressedData(DefaultSkinZlib());
            skin->LoadFromStoredSkin(*stored);
        }
        form->Show();
    }
    ~Demo() { delete form; }

    template <class T>
    T* Put(TWinControl* parent, const TRect& bounds) {
        auto* c = new T(form);
        c->SetParent(parent);
        if (!RectIsEmpty(bounds)) c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        return c;
    }

    TBitmap Picture(const std::string& name) const {
        TBitmap B(form->ClientWidth(), form->ClientHeight());
        form->PaintTo(B.Canvas(), 0, 0);
        EXPECT_TRUE(B.SavePng(PicturePath(name)));
        return B;
    }
    // The picture's pixel at a point of a control.
    TColor At(const TBitmap& shot, const TControl* c, TPoint p) const {
        const TPoint q = form->ScreenToClient(c->ClientToScreen(p));
        return shot.Pixel(q.X, q.Y);
    }
};

template <class Look>
std::pair<const Look&, const TBitmap&> LookOf(const TqlSkinData& skin, const char* name) {
    const auto& look = dynamic_cast<const Look&>(*skin.CtrlList[size_t(skin.IndexOfControlData(name))]);
    return {look, *skin.ActivePictures[size_t(look.PictureIndex)]};
}

TEST(DemoForm, DrawsTheToolBarsPartsFromTheProgramsSkin) {
    Demo d(true);
    for (const TqlSkinLookup* c : std::initializer_list<const TqlSkinLookup*>{
             d.bar, d.buttons[0], d.menuButton, d.panel, d.status})
        EXPECT_NE(c->Index(), -1);
    d.buttons[1]->Perform(CM_MOUSEENTER);
    const TBitmap shot = d.Picture("demo-form-skinned.png");
    // The hovered button wears the skin's active face and the bar's image.
    const auto [look, picture] = LookOf<TqlDataSkinButtonControl>(*d.skin, "toolbutton");
    const TColor hot = d.At(shot, d.buttons[1], {13, 1});
    EXPECT_EQ(hot, picture.Pixel(look.ActiveSkinRect.Left + 13, look.ActiveSkinRect.Top + 1));
    EXPECT_NE(d.At(shot, d.buttons[0], {13, 1}), hot);
    EXPECT_EQ(d.At(shot, d.buttons[1], {13, 17}), TColor(0x2F9F4F));
    // The divider in the skin's bevel colours.
    EXPECT_EQ(d.At(shot, d.divider, {3, 10}), d.divider->ShadowColor);
    EXPECT_NE(d.divider->ShadowColor, ColorToRGB(clBtnShadow));
    // The status bar's grip is the skin's picture.
    const auto [statusLook, panels] = LookOf<TqlDataSkinPanelControl>(*d.skin, "statusbar");
    const TRect g = d.status->GripRect(), sg = statusLook.GripperRect;
    EXPECT_EQ(d.At(shot, d.status, {g.Right - 2, g.Bottom - 2}), panels.Pixel(sg.Right - 2, sg.Bottom - 2));
}

TEST(DemoForm, DrawsThePlainLookWithoutASkin) {
    Demo d(false);
    for (const TqlSkinLookup* c : std::initializer_list<const TqlSkinLookup*>{d.bar, d.buttons[0], d.menuButton})
        EXPECT_EQ(c->Index(), -1);
    d.buttons[1]->Perform(CM_MOUSEENTER);
    const TBitmap shot = d.Picture("demo-form-plain.png");
    EXPECT_EQ(d.At(shot, d.buttons[0], {0, 13}), ColorToRGB(clBtnShadow));
    EXPECT_EQ(d.At(shot, d.buttons[1], {0, 13}), TColor(0x800000));
    EXPECT_EQ(d.At(shot, d.buttons[2], {13, 17}), TColor(0x2F4FCF));
}

}  // namespace
