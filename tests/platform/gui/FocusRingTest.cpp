// The focus ring: drawn around the focused control whose own look shows no
// focus, following it as it moves, gone when the focus goes to a control that
// marks its focus itself.

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/FocusRing.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace {

QColor PixelOf(TForm* form, QPoint p) { return form->Widget()->grab().toImage().pixelColor(p); }

TEST(FocusRing, MarksTheFocusedControlThatShowsNoFocusOfItsOwn) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    form.Show();
    QApplication::setActiveWindow(form.Widget());
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(20, 20, 150, 24);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    auto* track = new TTrackBar(&form);
    track->SetParent(&form);
    track->SetBounds(20, 80, 200, 40);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 150, 100, 28);
    const QColor ring = form.Widget()->palette().color(QPalette::Active, QPalette::Highlight);

    combo->SetFocus();
    EXPECT_EQ(focus_ring::Target(), combo->Widget());
    EXPECT_EQ(PixelOf(&form, {20, 30}), ring);
    EXPECT_EQ(PixelOf(&form, {169, 43}), ring);

    track->SetFocus();
    EXPECT_EQ(focus_ring::Target(), track->Widget());
    EXPECT_EQ(PixelOf(&form, {20, 100}), ring);
    EXPECT_NE(PixelOf(&form, {20, 30}), ring) << "the ring left the combo box";

    track->SetBounds(40, 200, 200, 40);
    EXPECT_EQ(PixelOf(&form, {40, 220}), ring) << "the ring follows its control";

    button->SetFocus();
    EXPECT_EQ(focus_ring::Target(), nullptr);
}

}  // namespace
