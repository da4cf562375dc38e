// How the skinned bases cut a descriptor's picture to a control's size, shape
// its window from a mask, and fall back to the plain look.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

// A skinned control that exposes the switches its descendants set.
class Framed : public TqlSkinCustomControl {
public:
    explicit Framed(TComponent* owner) : TqlSkinCustomControl(owner) { SetSkinDataName("framed"); }
    void SetFrameMode(bool frame, bool fill) {
        FramePaintMode = frame;
        FillClientArea = fill;
    }
};

class SkinBases : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        skin = std::make_unique<Skin>(form);
        cells = skin->AddPicture(NineCells());
        NinePart(skin->Add<TqlDataSkinCustomControl>("framed"), cells);
    }
    void TearDown() override { delete form; }

    Framed* Add(int w, int h) {
        auto* c = new Framed(form);
        c->SetParent(form);
        c->SetBounds(0, 0, w, h);
        return c;
    }

    struct Pixel {
        int x, y;
        TColor colour;
    };
    static void Expect(const TBitmap& b, std::initializer_list<Pixel> pixels) {
        for (const Pixel& p : pixels) {
            SCOPED_TRACE(testing::Message() << "pixel " << p.x << "," << p.y);
            EXPECT_EQ(b.Pixel(p.x, p.y), p.colour);
        }
    }

    TForm* form = nullptr;
    std::unique_ptr<Skin> skin;
    int cells = 0;
};

TEST_F(SkinBases, ACreatedControlTakesItsFormsSkinAndDropsItWhenTheSkinGoes) {
    auto* c = Add(60, 60);
    EXPECT_EQ(c->SkinData(), skin->Data);
    delete skin->Data;
    EXPECT_EQ(c->SkinData(), nullptr);
    // Unskinned it paints its plain face, none of the picture.
    const TBitmap b = Snapshot(*c);
    EXPECT_NE(b.Pixel(0, 0), kTL);
    EXPECT_EQ(c->Index(), -1);
}

TEST_F(SkinBases, NinePartCornersStayExactAndEdgesAreTiledAtAnySize) {
    // At twice the size the top edge repeats its two halves; at half the size
    // the corners overlap but each keeps its outer pixel.
    auto* big = Add(60, 60);
    Expect(Snapshot(*big), {{0, 0, kTL},
                            {59, 0, kTR},
                            {0, 59, kBL},
                            {59, 59, kBR},
                            {12, 0, kTopA},
                            {17, 0, kTopB},
                            {22, 0, kTopA},
                            {27, 0, kTopB},
                            {0, 30, kLeft},
                            {59, 30, kRight},
                            {30, 59, kBottom},
                            {30, 30, kClient}});
    auto* small = Add(15, 15);
    EXPECT_EQ(small->Width(), 15);
    Expect(Snapshot(*small), {{0, 0, kTL}, {14, 0, kTR}, {0, 14, kBL}, {14, 14, kBR}});
}

TEST_F(SkinBases, FramePaintModeDrawsTheBandsAndTilesTheClientOnlyWhenAsked) {
    auto* c = Add(60, 60);
    c->SetFrameMode(true, true);
    Expect(Snapshot(*c), {{0, 0, kTL}, {59, 59, kBR}, {27, 0, kTopB}, {30, 30, kClient}, {49, 49, kClient}});
    c->SetFrameMode(true, false);
    TBitmap b(60, 60);
    FillRect(b, Rect(0, 0, 60, 60), clWhite);
    c->PaintTo(b.Canvas(), 0, 0);
    Expect(b, {{0, 0, kTL}, {59, 30, kRight}, {30, 30, clWhite}});
}

TEST_F(SkinBases, TheResizeModeDecidesWhichSidesFollowTheRequestedSize) {
    struct Case {
        const char* name;
        TPoint rt, lb, rb;
        int mode, width, height;
    } cases[] = {
        {"fixed", {0, 0}, {0, 0}, {0, 0}, 0, 30, 30},
        // A right-bottom point with one coordinate 0 is not nine-part.
        {"fixed with half a point", {0, 0}, {0, 0}, {20, 0}, 0, 30, 30},
        {"horizontal", {20, 10}, {0, 0}, {0, 0}, 2, 100, 30},
        {"vertical", {0, 0}, {10, 20}, {0, 0}, 3, 30, 50},
        {"nine-part", {20, 10}, {10, 20}, {20, 20}, 1, 100, 50},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto& d = static_cast<TqlDataSkinCustomControl&>(*skin->Data->CtrlList[0]);
        d.RTPoint = k.rt;
        d.LBPoint = k.lb;
        d.RBPoint = k.rb;
        auto* c = Add(10, 10);
        c->SetBounds(0, 0, 100, 50);
        EXPECT_EQ(c->GetResizeMode(), k.mode);
        EXPECT_EQ(c->Width(), k.width);
        EXPECT_EQ(c->Height(), k.height);
    }
}

// A descriptor of another class has no skin rectangle to size the control by:
// it keeps the size asked, whether it was skinned before or not.
TEST_F(SkinBases, ADescriptorOfAnotherClassLeavesTheSizeAsked) {
    skin->Add<TqlDataSkinBevel>("bevel");
    struct Case {
        const char* name;
        bool windowed, skinnedBefore;
    } cases[] = {
        {"windowed, never skinned", true, false},
        {"windowed, skinned before", true, true},
        {"windowless, never skinned", false, false},
        {"windowless, skinned before", false, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TControl* c = nullptr;
        if (k.windowed) {
            auto* w = new Framed(form);
            w->SetParent(form);
            c = w;
        } else {
            auto* g = new TqlGraphicSkinCustomControl(form);
            g->SetSkinDataName("framed");
            g->SetParent(form);
            c = g;
        }
        auto rename = [&](const char* name) {
            if (auto* w = dynamic_cast<Framed*>(c)) {
                w->SetSkinDataName(name);
                w->ChangeSkinData();
            } else {
                auto* g = static_cast<TqlGraphicSkinCustomControl*>(c);
                g->SetSkinDataName(name);
                g->ChangeSkinData();
            }
        };
        if (k.skinnedBefore) {
            // Fixed size: the skin decides, 30 x 30 whatever is asked.
            auto& d = static_cast<TqlDataSkinCustomControl&>(*skin->Data->CtrlList[0]);
            d.RTPoint = d.LBPoint = d.RBPoint = TPoint{0, 0};
            c->SetBounds(0, 0, 50, 50);
            ASSERT_EQ(c->Width(), 30);
        }
        rename("bevel");
        c->SetBounds(0, 0, 40, 45);
        EXPECT_EQ(c->Width(), 40);
        EXPECT_EQ(c->Height(), 45);
        rename("bevel");
        EXPECT_EQ(c->Width(), 40);
        delete c;
        NinePart(static_cast<TqlDataSkinCustomControl&>(*skin->Data->CtrlList[0]), cells);
    }
}

TEST_F(SkinBases, RectanglesOfTheSkinFollowTheCornerTheyLieIn) {
    auto* c = Add(50, 40);  // dx 20, dy 10
    struct Case {
        const char* name;
        TRect in, out;
    } cases[] = {
        {"left-top corner", Rect(1, 1, 5, 5), Rect(1, 1, 5, 5)},
        {"right-top corner", Rect(22, 1, 28, 5), Rect(42, 1, 48, 5)},
        {"left-bottom corner", Rect(1, 22, 5, 28), Rect(1, 32, 5, 38)},
        {"right-bottom corner", Rect(22, 22, 28, 28), Rect(42, 32, 48, 38)},
        {"left-top to right-bottom", Rect(2, 2, 25, 25), Rect(2, 2, 45, 35)},
        {"along the top", Rect(2, 2, 25, 8), Rect(2, 2, 45, 8)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(c->MapRectToSize(k.in), k.out);
    }
}

TEST_F(SkinBases, AMaskShapesTheWindowAndFollowsItsWidth) {
    const int disc = skin->AddPicture(Disc());
    auto& round = skin->Add<TqlDataSkinCustomControl>("round");
    round.PictureIndex = cells;
    round.MaskPictureIndex = disc;
    round.SkinRect = Rect(0, 0, 20, 20);
    auto* c = Add(10, 10);
    c->SetSkinDataName("round");
    c->ChangeSkinData();
    ASSERT_NE(c->WindowRgn(), nullptr);
    EXPECT_TRUE(PtInRegion(c->WindowRgn(), 10, 10));
    EXPECT_FALSE(PtInRegion(c->WindowRgn(), 0, 0));

    round.LTPoint = {5, 5};
    round.RTPoint = {15, 5};
    round.LBPoint = {5, 15};
    round.RBPoint = {15, 15};
    round.ClientRect = Rect(5, 5, 15, 15);
    c->SetBounds(0, 0, 40, 20);
    ASSERT_NE(c->WindowRgn(), nullptr);
    EXPECT_TRUE(PtInRegion(c->WindowRgn(), 20, 10));
    EXPECT_TRUE(PtInRegion(c->WindowRgn(), 39, 10));
    EXPECT_FALSE(PtInRegion(c->WindowRgn(), 39, 0));
    EXPECT_FALSE(PtInRegion(c->WindowRgn(), 0, 19));

    // Without a skin the window is whole again, also when the default size
    // changes the control's size on the way.
    struct Case {
        const char* name;
        int defaultWidth;
    } cases[] = {{"same size", 0}, {"default width", 70}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->SetSkinDataName("round");
        c->ChangeSkinData();
        c->SetBounds(0, 0, 40, 20);
        // Skinned, the default size is only stored.
        c->SetDefaultWidth(k.defaultWidth);
        ASSERT_NE(c->WindowRgn(), nullptr);
        ASSERT_EQ(c->Width(), 40);
        c->SetSkinDataName("none");
        c->ChangeSkinData();
        EXPECT_EQ(c->WindowRgn(), nullptr);
        if (k.defaultWidth > 0) {
            EXPECT_EQ(c->Width(), k.defaultWidth);
        }
    }
}

TEST_F(SkinBases, MissingPicturesAndEmptyAreasSkipTheirDrawing) {
    auto& d = static_cast<TqlDataSkinCustomControl&>(*skin->Data->CtrlList[0]);
    struct Case {
        const char* name;
        int picture;
        TRect client;
        bool frame;
        int w, h;
    } cases[] = {
        {"picture index past the end", 7, Rect(10, 10, 20, 20), false, 40, 40},
        {"picture index -1", -1, Rect(10, 10, 20, 20), true, 40, 40},
        {"empty client in frame mode", cells, Rect(10, 10, 10, 10), true, 40, 40},
        {"zero width", cells, Rect(10, 10, 20, 20), false, 0, 40},
        {"one pixel", cells, Rect(10, 10, 20, 20), true, 1, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        d.PictureIndex = k.picture;
        d.ClientRect = k.client;
        auto* c = Add(k.w, k.h);
        c->SetFrameMode(k.frame, true);
        const TBitmap b = Snapshot(*c);
        if (k.picture != cells) {
            EXPECT_NE(b.Pixel(0, 0), kTL);
        }
    }
}

}  // namespace

namespace {

class SkinBevel : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 200, 100);
        skin = std::make_unique<Skin>(form);
        auto& d = skin->Add<TqlDataSkinBevel>("bevel");
        d.LightColor = kLight;
        d.DarkColor = kDark;
    }
    void TearDown() override { delete form; }

    static TBitmap Paint(TWinControl& parent) {
        TBitmap b(parent.Width(), parent.Height());
        FillRect(b, Rect(0, 0, b.Width(), b.Height()), clWhite);
        parent.PaintTo(b.Canvas(), 0, 0);
        return b;
    }

    static constexpr TColor kLight = 0x00E0E0, kDark = 0x600000;
    TForm* form = nullptr;
    std::unique_ptr<Skin> skin;
};

TEST_F(SkinBevel, DrawsItsShapesInTheSkinsColours) {
    auto* panel = new TCustomControl(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 10);
    auto* bevel = new TqlSkinBevel(form);
    bevel->SetParent(panel);
    bevel->SetBounds(0, 0, 100, 10);
    struct Case {
        const char* name;
        TBevelShape shape;
        TBevelStyle style;
        bool divider;
        TPoint first, second;  // where the first and the second colour lie
        TColor firstColour;
    } cases[] = {
        {"top line lowered", TBevelShape::bsTopLine, TBevelStyle::bsLowered, false, {50, 0}, {50, 1}, kDark},
        {"top line raised", TBevelShape::bsTopLine, TBevelStyle::bsRaised, false, {50, 0}, {50, 1}, kLight},
        {"box", TBevelShape::bsBox, TBevelStyle::bsLowered, false, {0, 5}, {99, 5}, kDark},
        {"horizontal groove", TBevelShape::bsTopLine, TBevelStyle::bsLowered, true, {50, 4}, {50, 5}, kDark},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        bevel->Shape = k.shape;
        bevel->Style = k.style;
        bevel->SetDividerMode(k.divider);
        const TBitmap b = Paint(*panel);
        EXPECT_EQ(b.Pixel(k.first.X, k.first.Y), k.firstColour);
        EXPECT_EQ(b.Pixel(k.second.X, k.second.Y), k.firstColour == kDark ? kLight : kDark);
    }
    // The groove runs from x 2 to x 98 only.
    const TColor outside = Paint(*panel).Pixel(1, 4);
    EXPECT_NE(outside, kDark);
    EXPECT_NE(outside, kLight);
}

TEST_F(SkinBevel, ForgetsARemovedSkinAndTakesTheSystemColours) {
    auto* bevel = new TqlSkinBevel(form);
    EXPECT_EQ(bevel->LightColor, kLight);
    delete skin->Data;
    EXPECT_EQ(bevel->SkinData(), nullptr);
    bevel->GetSkinData();
    EXPECT_EQ(bevel->LightColor, clBtnHighlight);
    EXPECT_EQ(bevel->ShadowColor, clBtnShadow);
}

}  // namespace
