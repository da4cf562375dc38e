// Painting what lies behind a control: the parent's background and the
// windowless controls beneath it.

#include <gtest/gtest.h>

#include <functional>

#include "tests/skin/core/SkinPictures.h"
#include "platform/gui/Forms.h"
#include "skin/core/qlUtils.h"

namespace {

class TSwatch : public TGraphicControl {
public:
    TSwatch(TWinControl* parent, TRect bounds, TColor color) : TGraphicControl(parent), FColor(color) {
        SetParent(parent);
        SetBoundsRect(bounds);
    }

    // Whether the last paint was a copy for another control's picture.
    bool paintedCopy = false;
    bool parentPaintedCopy = false;

protected:
    void Paint() override {
        paintedCopy = (ControlState() & csPaintCopy) != 0;
        parentPaintedCopy = (Parent()->ControlState() & csPaintCopy) != 0;
        Canvas().Brush().Color = FColor;
        Canvas().FillRect(Rect(0, 0, Width(), Height()));
    }

private:
    TColor FColor;
};

class TWindowed : public TCustomControl {
public:
    TWindowed(TWinControl* parent, TRect bounds) : TCustomControl(parent) {
        SetParent(parent);
        SetBoundsRect(bounds);
    }
};

// A red form with blue below-left, the control at (5, 5)-(15, 15), and green
// above it, listed after it.
struct TScene {
    TForm form{nullptr};
    TSwatch* below;
    TControl* control;
    TSwatch* above;

    explicit TScene(bool windowed) {
        form.SetBounds(0, 0, 40, 40);
        form.SetColor(clRed);
        below = new TSwatch(&form, Rect(0, 0, 10, 10), clBlue);
        control = windowed ? static_cast<TControl*>(new TWindowed(&form, Rect(5, 5, 15, 15)))
                           : new TSwatch(&form, Rect(5, 5, 15, 15), clWhite);
        above = new TSwatch(&form, Rect(8, 8, 20, 20), clLime);
    }
};

}  // namespace

TEST(ParentBackground, AWindowlessControlGetsOnlyWhatLiesBeneathIt) {
    TScene scene(false);
    TBitmap canvas = WhitePicture(10, 10);
    PaintParentBackground(scene.control, canvas.Canvas());
    EXPECT_EQ(canvas.Pixel(0, 0), clBlue);   // the form's (5, 5)
    EXPECT_EQ(canvas.Pixel(4, 4), clBlue);   // (9, 9)
    EXPECT_EQ(canvas.Pixel(5, 5), clRed);    // (10, 10): the control above is not painted
    EXPECT_EQ(canvas.Pixel(9, 0), clRed);
}

TEST(ParentBackground, AWindowedControlGetsEveryWindowlessControlItOverlaps) {
    TScene scene(true);
    TBitmap canvas = WhitePicture(10, 10);
    PaintParentBackground(scene.control, canvas.Canvas());
    EXPECT_EQ(canvas.Pixel(0, 0), clBlue);
    EXPECT_EQ(canvas.Pixel(5, 5), clLime);
    EXPECT_EQ(canvas.Pixel(9, 0), clRed);
}

TEST(ParentBackground, AnOffsetCanvasStartsInsideTheControl) {
    TScene scene(false);
    TBitmap canvas = WhitePicture(6, 6);
    PaintParentBackgroundAt(scene.control, Rect(2, 3, 8, 9), canvas.Canvas());
    EXPECT_EQ(canvas.Pixel(0, 0), clBlue);  // the form's (7, 8)
    EXPECT_EQ(canvas.Pixel(2, 0), clBlue);  // (9, 8)
    EXPECT_EQ(canvas.Pixel(3, 0), clRed);   // (10, 8)
    EXPECT_EQ(canvas.Pixel(0, 2), clRed);   // (7, 10)
}

TEST(ParentBackground, NoControlOrNoParentPaintsNothing) {
    TBitmap canvas = WhitePicture(4, 4);
    PaintParentBackground(nullptr, canvas.Canvas());
    TForm form(nullptr);
    TSwatch orphan(&form, Rect(0, 0, 4, 4), clBlue);
    orphan.SetParent(nullptr);
    PaintParentBackground(&orphan, canvas.Canvas());
    EXPECT_EQ(Silhouette(canvas, clWhite), (std::vector<std::string>(4, "####")));
}

// Controls painting for another control's background know it while they do,
// and only then: the parent and the sibling beneath, never the sibling above.
TEST(ParentBackground, WhatPaintsBehindAControlIsMarkedAsACopyMeanwhile) {
    TScene scene(true);
    TBitmap canvas = WhitePicture(10, 10);
    PaintParentBackground(scene.control, canvas.Canvas());
    EXPECT_TRUE(scene.below->paintedCopy);
    EXPECT_TRUE(scene.below->parentPaintedCopy);
    EXPECT_EQ(scene.below->ControlState() & csPaintCopy, 0u);
    EXPECT_EQ(scene.form.ControlState() & csPaintCopy, 0u);
    TBitmap screen(40, 40);
    scene.form.PaintTo(screen.Canvas(), 0, 0);
    EXPECT_FALSE(scene.below->paintedCopy);
    EXPECT_FALSE(scene.below->parentPaintedCopy);
}

// The parent's own look is painted once for all the controls that show it,
// and again once it, or a window around it, has changed.
TEST(ParentBackground, AParentIsPaintedAgainOnlyAfterItChanged) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 60, 60);
    struct TCounting : TWindowed {
        using TWindowed::TWindowed;
        int paints = 0;
        TColor color = clRed;
        void Paint() override {
            ++paints;
            Canvas().Brush().Color = color;
            Canvas().FillRect(Rect(0, 0, Width(), Height()));
        }
    };
    auto* parent = new TCounting(&form, Rect(0, 0, 50, 50));
    auto* first = new TWindowed(parent, Rect(2, 2, 10, 10));
    auto* second = new TWindowed(parent, Rect(20, 20, 30, 30));
    TBitmap canvas = WhitePicture(8, 8);
    PaintParentBackground(first, canvas.Canvas());
    PaintParentBackground(second, canvas.Canvas());
    EXPECT_EQ(parent->paints, 1);
    EXPECT_EQ(canvas.Pixel(1, 1), clRed);

    struct Change {
        const char* name;
        std::function<void()> apply;
    } changes[] = {
        {"the parent repainted", [&] { parent->Invalidate(); }},
        {"a part of the parent", [&] { parent->InvalidateRect(Rect(0, 0, 5, 5)); }},
        {"the window around it", [&] { form.Invalidate(); }},
        {"a new size", [&] { parent->SetBounds(0, 0, 40, 40); }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        const int before = parent->paints;
        parent->color = parent->color == clRed ? clBlue : clRed;
        c.apply();
        PaintParentBackground(first, canvas.Canvas());
        PaintParentBackground(second, canvas.Canvas());
        EXPECT_EQ(parent->paints, before + 1);
        EXPECT_EQ(canvas.Pixel(1, 1), parent->color);
    }
}
