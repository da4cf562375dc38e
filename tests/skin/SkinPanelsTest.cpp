// Skinned containers: transparency through nested panels, the caption's check
// box and roll-up, and the status bar's size grip.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <utility>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/controls/NonClient.h"
#include "skin/core/StoredSkin.h"
#include "tests/skin/SyntheticSkin.h"
#include "tests/support/TempFolder.h"

using namespace synthetic;

namespace {

// A checkerboard of 4-pixel squares: any shift of the background shows.
TColor Checker(int x, int y) { return ((x / 4) + (y / 4)) % 2 ? TColor(0x3060C0) : TColor(0xC0F0A0); }

// A form whose background is the checkerboard.
class CheckerForm : public TForm {
public:
    using TForm::TForm;

protected:
    void WMEraseBkgnd(TMessage& M) override {
        auto* C = reinterpret_cast<TCanvas*>(M.WParam);
        if (!C) return;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) C->SetPixel(x, y, Checker(x, y));
        M.Result = 1;
    }
};

// A windowless control of one flat colour.
class Patch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas().Brush().Color = 0x0000FF;
        Canvas().FillRect(ClientRect());
    }
};

class SkinPanels : public testing::Test {
protected:
    void SetUp() override {
        form = new CheckerForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        skin = std::make_unique<Skin>(form);
        cells = skin->AddPicture(NineCells());
        for (const char* name : {"panel", "groupbox", "statusbar"}) NinePart(skin->Add<TqlDataSkinPanelControl>(name), cells);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        return c;
    }

    CheckerForm* form = nullptr;
    std::unique_ptr<Skin> skin;
    int cells = 0;
};

TEST_F(SkinPanels, NestedTransparentPanelsShowTheBackgroundAtTheirOwnPlace) {
    auto* outer = Add<TqlSkinPanel>(form, 13, 7, 200, 150);
    auto* inner = Add<TqlSkinPanel>(outer, 9, 11, 120, 90);
    Add<Patch>(outer, 150, 20, 20, 20);
    auto* over = Add<TqlSkinPanel>(outer, 140, 10, 50, 50);
    for (TqlSkinPanel* p : {outer, inner, over}) {
        p->SetBorderStyle(TqlSkinBorderStyle::bvNone);
        p->SetTransparentMode(true);
    }
    struct Case {
        const char* name;
        TqlSkinPanel* panel;
        int ox, oy;  // the panel's place on the form
    } cases[] = {{"outer", outer, 13, 7}, {"inner", inner, 22, 18}, {"over a sibling", over, 153, 17}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TBitmap shot = Snapshot(*c.panel);
        int wrong = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) {
                const int fx = c.ox + x, fy = c.oy + y;
                // The windowless control shows through the panel above it
                // (and in the outer panel's picture, which holds its children).
                const bool onPatch = c.panel != inner && fx >= 163 && fx < 183 && fy >= 27 && fy < 47;
                wrong += shot.Pixel(x, y) != (onPatch ? TColor(0x0000FF) : Checker(fx, fy));
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(SkinPanels, ATransparentPanelWithABorderDrawsOneLineInTheSkinsFrameColour) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 60, 40);
    panel->SetTransparentMode(true);
    const TBitmap shot = Snapshot(*panel);
    // The frame colour is the picture's pixel in the middle of its bottom row.
    EXPECT_EQ(shot.Pixel(0, 0), kBottom);
    EXPECT_EQ(shot.Pixel(59, 39), kBottom);
    EXPECT_EQ(shot.Pixel(1, 1), Checker(1, 1));
    EXPECT_EQ(shot.Pixel(30, 20), Checker(30, 20));
}

TEST_F(SkinPanels, ACaptionClickTogglesTheCheckBoxAndTheChildrensEnabledState) {
    skin->Data->CtrlList.clear();  // unskinned: the caption bar has a fixed place
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    auto* child = Add<TqlSkinCheckRadioBox>(panel, 10, 40, 100, 20);
    int fired = 0;
    panel->OnChecked = [&](TObject*) { ++fired; };
    const bool expected[] = {true, false, true};
    for (bool want : expected) {
        SCOPED_TRACE(want);
        panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
        panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
        EXPECT_EQ(panel->Checked(), want);
        EXPECT_EQ(child->Enabled(), want);
    }
    EXPECT_EQ(fired, 3);
    // A click below the caption bar changes nothing.
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 100));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 100));
    EXPECT_TRUE(panel->Checked());
}

TEST_F(SkinPanels, RollUpKeepsTheUsersConstraintsAndItsHeightThroughASkinChange) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    auto* child = Add<TqlSkinCheckRadioBox>(panel, 12, 40, 100, 20);
    const TSizeConstraints users{10, 20, 500, 400};
    panel->SetConstraints(users);
    int changes = 0;
    panel->OnChangeRollUpState = [&](TObject*) { ++changes; };

    panel->SetRollUpState(true);
    // Only the frame remains: the mapped client area (height - 20) is taken away.
    EXPECT_EQ(panel->Height(), 20);
    EXPECT_EQ(panel->RealHeight(), 150);
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(panel->Constraints(), TSizeConstraints{});

    // A skin whose frame is thicker: the rolled-up height follows it,
    // measured against the height before the roll-up.
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[0]);
    look.ClientRect = Rect(10, 12, 20, 16);
    look.LTPoint = {10, 12};
    look.RTPoint = {20, 12};
    look.LBPoint = {10, 16};
    look.RBPoint = {20, 16};
    panel->ChangeSkinData();
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 150 - (150 - 26));
    EXPECT_EQ(panel->RealHeight(), 150);

    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(panel->Constraints(), users);
    EXPECT_EQ(changes, 2);

    // Rolling up twice in a row never saves the cleared constraints over the user's.
    panel->SetRollUpState(true);
    panel->SetRollUpMode(false);
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Constraints(), users);
}

TEST_F(SkinPanels, AnUnskinnedPanelRollsUpToItsCaptionBar) {
    skin->Data->CtrlList.clear();
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), panel->DefaultCaptionHeight() + 1);
}

// Unskinned, the window shows a new DefaultAlignment without another paint request.
TEST_F(SkinPanels, ANewDefaultAlignmentMovesTheUnskinnedCaptionOnTheWindow) {
    const TColor ink = 0x0000C0;
    skin->Data->CtrlList.clear();
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 100);
    panel->SetCaption("MMMM");
    panel->SetCaptionMode(true);
    panel->DefaultFont().SetColor(ink);
    form->Show();
    // The first and last columns of the caption's ink as the window shows it.
    auto inkOnWindow = [&] {
        QApplication::processEvents();
        QWidget* window = form->Widget()->window();
        const QPoint at = panel->Widget()->mapTo(window, QPoint(0, 0));
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage();
        const QRgb wanted = qRgb(GetRValue(ink), GetGValue(ink), GetBValue(ink));
        std::pair<int, int> ink{-1, -1};
        for (int x = 0; x < panel->Width(); ++x)
            for (int y = 0; y < panel->DefaultCaptionHeight(); ++y)
                if (shot.valid(at.x() + x, at.y() + y) && shot.pixel(at.x() + x, at.y() + y) == wanted)
                    ink = {ink.first < 0 ? x : ink.first, x};
        return ink;
    };
    const auto [left, leftEnd] = inkOnWindow();
    ASSERT_GE(left, 0);
    EXPECT_LT(leftEnd, panel->Width() / 2);
    panel->SetDefaultAlignment(TAlignment::taRightJustify);
    const auto [right, rightEnd] = inkOnWindow();
    EXPECT_GT(right, panel->Width() / 2);
    EXPECT_EQ(rightEnd - right, leftEnd - left);
    panel->SetDefaultAlignment(TAlignment::taCenter);
    const auto [centre, centreEnd] = inkOnWindow();
    EXPECT_NEAR((centre + centreEnd) / 2, panel->Width() / 2, 4);
}

// Unskinned, a centred caption stands at the text area's left + 2 + half its
// width - half the caption's width; left-justified at the area's left + 2.
TEST_F(SkinPanels, TheUnskinnedCentredCaptionStandsHalfTheAreaPastItsLeftMargin) {
    const TColor ink = 0x0000C0;
    skin->Data->CtrlList.clear();
    TBitmap probe(1, 1);
    for (const char* caption : {"MMMM", "MMMMi", "WiW"}) {
        SCOPED_TRACE(caption);
        auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 100);
        panel->SetCaption(caption);
        panel->SetCaptionMode(true);
        panel->DefaultFont().SetColor(ink);
        probe.Canvas().Font().Assign(panel->DefaultFont());
        const int tw = probe.Canvas().TextWidth(caption);
        auto firstInk = [&] {
            const TBitmap shot = Snapshot(*panel);
            for (int x = 0; x < shot.Width(); ++x)
                for (int y = 0; y < panel->DefaultCaptionHeight(); ++y)
                    if (shot.Pixel(x, y) == ink) return x;
            return -1;
        };
        const int left = firstInk();
        ASSERT_GE(left, 0);
        panel->SetDefaultAlignment(TAlignment::taCenter);
        // The text area lies inside both frames of the bar (1, 1, 199, 22): 3 .. 197.
        const int area = 197 - 3;
        EXPECT_EQ(firstInk() - left, area / 2 - tw / 2);
        delete panel;
    }
}

// Unskinned, the caption bar is framed lowered then raised inside a border;
// without one it carries the outline: shadow all round, then highlight top-left
// and face bottom-right.
TEST_F(SkinPanels, TheUnskinnedCaptionBarIsFramedForItsBorderStyle) {
    skin->Data->CtrlList.clear();
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    struct Case {
        TqlSkinBorderStyle style;
        int inset;  // of the bar's outer frame from the panel's left, top and right
        TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {TqlSkinBorderStyle::bvNone, 0, shadow, shadow, light, face},
        {TqlSkinBorderStyle::bvFrame, 1, shadow, light, light, shadow},
        {TqlSkinBorderStyle::bvRaised, 1, shadow, light, light, shadow},
        {TqlSkinBorderStyle::bvLowered, 1, shadow, light, light, shadow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        auto* panel = Add<TqlSkinPanel>(form, 0, 0, 120, 60);
        panel->SetCaptionMode(true);
        panel->SetBorderStyle(c.style);
        const TBitmap shot = Snapshot(*panel);
        const TRect bar = Rect(c.inset, c.inset, 120 - c.inset, panel->DefaultCaptionHeight());
        const int midX = 60, midY = (bar.Top + bar.Bottom) / 2;
        for (int ring : {0, 1}) {
            SCOPED_TRACE(ring == 0 ? "outer" : "inner");
            const TColor topLeft = ring == 0 ? c.outerTopLeft : c.innerTopLeft;
            const TColor bottomRight = ring == 0 ? c.outerBottomRight : c.innerBottomRight;
            EXPECT_EQ(shot.Pixel(midX, bar.Top + ring), topLeft);
            EXPECT_EQ(shot.Pixel(bar.Left + ring, midY), topLeft);
            EXPECT_EQ(shot.Pixel(midX, bar.Bottom - 1 - ring), bottomRight);
            EXPECT_EQ(shot.Pixel(bar.Right - 1 - ring, midY), bottomRight);
        }
        delete panel;
    }
}

TEST_F(SkinPanels, APanelOfNoSizePaintsNothing) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 0, 0);
    panel->SetTransparentMode(true);
    TBitmap B(4, 4);
    B.Canvas().Brush().Color = 0x123456;
    B.Canvas().FillRect(Rect(0, 0, 4, 4));
    EXPECT_NO_THROW(panel->PaintTo(B.Canvas(), 0, 0));
    EXPECT_EQ(B.Pixel(1, 1), TColor(0x123456));
}

TEST_F(SkinPanels, TheStatusBarGripAnswersTheSizingCodeOnlyWhereItIs) {
    auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 300, 24);
    skin->Data->CtrlList.clear();
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 300, 24);
    auto hit = [&](int x, int y) {
        const TPoint s = bar->ClientToScreen({x, y});
        return bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y));
    };
    bar->SetSizeGrip(true);
    // Unskinned, the grip is a square of the bar's height at its right end,
    // less 2 pixels at the left and bottom.
    const TRect g = bar->GripRect();
    EXPECT_EQ(g, Rect(278, 0, 300, 22));
    struct Case {
        int x, y;
        LRESULT code;
    } cases[] = {{290, 10, HTBOTTOMRIGHT}, {278, 0, HTBOTTOMRIGHT}, {277, 10, HTCLIENT}, {10, 10, HTCLIENT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(hit(c.x, c.y), c.code);
    }
    // A form that is maximised turns the grip off: no sizing code anywhere.
    bar->SetGripActive(false);
    EXPECT_EQ(hit(290, 10), HTCLIENT);
    bar->SetGripActive(true);
    bar->SetSizeGrip(false);
    EXPECT_EQ(hit(290, 10), HTCLIENT);
}

TEST_F(SkinPanels, TheStatusBarGripComesFromTheSkinWhenItHasOne) {
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[2]);
    look.GripperRect = Rect(20, 20, 30, 30);
    auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 300, 30);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 300, 30);
    bar->SetTransparentMode(true);
    bar->SetSizeGrip(true);
    // The grip sits right of the client area, at its bottom.
    const TRect g = bar->GripRect();
    EXPECT_EQ(g.Right - g.Left, 10);
    EXPECT_EQ(g.Bottom - g.Top, 10);
    const TBitmap shot = Snapshot(*bar);
    EXPECT_EQ(shot.Pixel(g.Left + 5, g.Top + 5), kBR);
}

// The grip: the skin's picture on an opaque or transparent skinned bar, ridges in
// the skin's colours without one, in the system colours unskinned.
TEST_F(SkinPanels, TheStatusBarDrawsItsGripOnEveryLook) {
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[2]);
    look.ClientRect = Rect(2, 2, 28, 28);
    skin->Data->SkinColors.cBtnShadow = 0x102030;
    struct Case {
        const char* name;
        bool skinned, transparent, gripPicture;
        TColor ridge;  // the colour of the first ridge; clNone: the grip picture
    } cases[] = {
        {"skinned opaque", true, false, true, clNone},
        {"skinned transparent", true, true, true, clNone},
        {"skinned opaque without a grip picture", true, false, false, TColor(0x102030)},
        {"unskinned", false, false, false, ColorToRGB(clBtnShadow)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        look.GripperRect = c.gripPicture ? Rect(20, 20, 30, 30) : TRect{};
        auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 300, 30);
        bar->SetAlign(TAlign::alNone);
        bar->SetSkinDataName(c.skinned ? "statusbar" : "none");
        bar->SetBounds(0, 0, 300, 30);
        bar->SetTransparentMode(c.transparent);
        const TBitmap before = Snapshot(*bar);
        bar->SetSizeGrip(true);
        const TRect g = bar->GripRect();
        const TBitmap shot = Snapshot(*bar);
        if (c.ridge == clNone) {
            EXPECT_EQ(shot.Pixel(g.Left + 5, g.Top + 5), kBR);
        } else {
            // The first ridge runs from the grip's bottom-left corner up to its right edge.
            const int k = (g.Right - g.Left) / 2;
            EXPECT_EQ(shot.Pixel(g.Left + k, g.Bottom - k), c.ridge);
            EXPECT_NE(before.Pixel(g.Left + k, g.Bottom - k), c.ridge);
        }
        delete bar;
    }
}

// The bar's children lie where a panel's would, short of the grip.
TEST_F(SkinPanels, TheStatusBarsClientAreaIsThePanelsLessTheGrip) {
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[2]);
    look.ClientRect = Rect(3, 4, 27, 26);
    auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 300, 30);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 300, 30);
    bar->SetBorderStyle(TqlSkinBorderStyle::bvFrame);
    auto* child = Add<TqlSkinPanel>(bar, 0, 0, 10, 10);
    child->SetAlign(TAlign::alClient);
    struct Case {
        const char* name;
        int background;
        bool grip;
        TRect area;
    } cases[] = {
        {"skin client rectangle", -1, false, Rect(3, 4, 297, 26)},
        {"background picture", cells, false, Rect(0, 0, 300, 30)},
        {"background picture and grip", cells, true, Rect(0, 0, 270, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        look.BGPictureIndex = c.background;
        bar->SetSizeGrip(c.grip);
        bar->ChangeSkinData();
        EXPECT_EQ(child->BoundsRect(), c.area);
    }
}

// A panel skin whose 20-pixel top band holds a caption rectangle, with a
// check image, an uncheck image, a roll-up mark and a caption frame beside
// the panel's own 40 x 40 piece; every part a colour of its own.
namespace captioned {
constexpr TColor kBand = 0x203040, kBody = 0xE0E0E0, kText = 0x0000FF, kCheck = 0x00C000, kUnCheck = 0xC000C0,
                 kMark = 0xC0C000, kFrame = 0x6080A0;
}  // namespace captioned

class SkinPanelCaption : public SkinPanels {
protected:
    void SetUp() override {
        SkinPanels::SetUp();
        using namespace captioned;
        TBitmap pic(100, 40);
        FillRect(pic, Rect(0, 0, 100, 40), kBody);
        FillRect(pic, Rect(0, 0, 40, 20), kBand);
        FillRect(pic, Rect(40, 0, 50, 10), kCheck);
        FillRect(pic, Rect(50, 0, 60, 10), kUnCheck);
        FillRect(pic, Rect(60, 0, 72, 16), kMark);
        FillRect(pic, Rect(40, 20, 70, 38), kFrame);
        look = &dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[0]);
        look->PictureIndex = skin->AddPicture(pic);
        look->SkinRect = Rect(0, 0, 40, 40);
        look->LTPoint = {10, 20};
        look->RTPoint = {30, 20};
        look->LBPoint = {10, 30};
        look->RBPoint = {30, 30};
        look->ClientRect = Rect(10, 20, 30, 30);
        look->CaptionRect = Rect(4, 2, 36, 18);
        look->FontName = DefaultFontName();
        look->FontHeight = 13;
        look->FontColor = kText;
        look->CheckImageRect = Rect(40, 0, 50, 10);
        look->UnCheckImageRect = Rect(50, 0, 60, 10);
        look->MarkFrameRect = Rect(60, 0, 72, 16);
        panel = Add<TqlSkinPanel>(form, 0, 0, 200, 100);
        panel->SetCaption("MMMM");
        panel->SetCaptionMode(true);
    }

    static std::string DefaultFontName() { return TFont().Name(); }

    // The first and last columns of the caption's ink, -1 when there is none.
    static std::pair<int, int> InkColumns(const TBitmap& shot) {
        int first = -1, last = -1;
        for (int x = 0; x < shot.Width(); ++x)
            for (int y = 0; y < 20; ++y)
                if (shot.Pixel(x, y) == captioned::kText) {
                    if (first < 0) first = x;
                    last = x;
                }
        return {first, last};
    }

    TqlDataSkinPanelControl* look = nullptr;
    TqlSkinPanel* panel = nullptr;
};

TEST_F(SkinPanelCaption, TheCaptionIsPlacedByTheSkinsAlignmentInTheMappedCaptionRectangle) {
    // The caption rectangle grows with the panel: (4, 2, 196, 18).
    struct Case {
        TAlignment alignment;
        bool framed;
    } cases[] = {{TAlignment::taLeftJustify, false}, {TAlignment::taCenter, false},
                 {TAlignment::taRightJustify, false}, {TAlignment::taLeftJustify, true},
                 {TAlignment::taRightJustify, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.alignment) << (c.framed ? " framed" : ""));
        look->Alignment = c.alignment;
        look->FrameRect = c.framed ? Rect(40, 20, 70, 38) : TRect{};
        look->FrameTextRect = c.framed ? Rect(6, 2, 24, 16) : TRect{};
        look->FrameLeftOffset = look->FrameRightOffset = c.framed ? 6 : 0;
        const TBitmap shot = Snapshot(*panel);
        const auto [first, last] = InkColumns(shot);
        ASSERT_GE(first, 0);
        const int inkWidth = last - first + 1;
        EXPECT_GT(inkWidth, 20);
        const int lead = c.framed ? 6 : 0;  // the frame's text rectangle starts 6 pixels in
        switch (c.alignment) {
            case TAlignment::taLeftJustify: EXPECT_NEAR(first, 4 + lead, 3); break;
            // Framed, the frame reaches past the text by its width less twice the text's inset.
            case TAlignment::taRightJustify: EXPECT_NEAR(last, 195 - (c.framed ? 30 - 2 * 6 : 0), 3); break;
            default: EXPECT_NEAR((first + last) / 2, 100, 3); break;
        }
        // The frame lies behind the text and ends where the caption does.
        if (c.framed) {
            EXPECT_EQ(shot.Pixel(first - 3, 10), captioned::kFrame);
            EXPECT_EQ(shot.Pixel(last + 3, 10), captioned::kFrame);
        } else {
            EXPECT_EQ(shot.Pixel(first - 3, 10), captioned::kBand);
        }
        // Nothing is written below the caption bar.
        EXPECT_EQ(shot.Pixel(100, 60), captioned::kBody);
    }
}

TEST_F(SkinPanelCaption, TheCheckImageAndRollUpMarkFollowTheStateAndAClickOnTheMappedCaptionTogglesThem) {
    look->Alignment = TAlignment::taCenter;
    panel->SetCheckedMode(true);
    panel->SetRollUpMode(true);
    // The check image sits at the caption's left, the mark at its right end.
    TBitmap shot = Snapshot(*panel);
    EXPECT_EQ(shot.Pixel(8, 10), captioned::kUnCheck);
    EXPECT_EQ(shot.Pixel(185, 3), captioned::kMark);
    EXPECT_EQ(shot.Pixel(182, 10), captioned::kBand);
    // A click far right of the unmapped caption rectangle still hits the bar.
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 10));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
    EXPECT_TRUE(panel->Checked());
    EXPECT_TRUE(panel->RollUpState());
    shot = Snapshot(*panel);
    EXPECT_EQ(shot.Pixel(8, 10), captioned::kCheck);
    // Only the skin's frame remains: the mapped client area, 70 pixels, goes.
    EXPECT_EQ(panel->Height(), 30);
}

// Over the parent's background the caption takes the standard label's
// colour, and the roll-up arrow after it the panel's own font colour.
TEST_F(SkinPanelCaption, OverTheBackgroundTheRollUpArrowTakesTheSkinFontColour) {
    constexpr TColor kLabel = 0x00A0A0;
    skin->Add<TqlDataSkinStdLabelControl>("stdlabel").FontColor = kLabel;
    panel->SetTransparentMode(true);
    panel->SetRollUpMode(true);
    const TBitmap shot = Snapshot(*panel);
    int lastLabel = -1, firstArrow = -1, arrow = 0;
    for (int x = 0; x < shot.Width(); ++x)
        for (int y = 0; y < 20; ++y) {
            if (shot.Pixel(x, y) == kLabel) lastLabel = x;
            if (shot.Pixel(x, y) == captioned::kText) {
                ++arrow;
                if (firstArrow < 0) firstArrow = x;
            }
        }
    ASSERT_GE(lastLabel, 0);
    EXPECT_GT(arrow, 4);
    EXPECT_GT(firstArrow, lastLabel);
}

TEST_F(SkinPanelCaption, AnEmptyCaptionOrCaptionRectangleDrawsNoCaption) {
    panel->SetCheckedMode(true);
    struct Case {
        const char* caption;
        TRect rect;
    } cases[] = {{"", Rect(4, 2, 36, 18)}, {"MMMM", TRect{}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        panel->SetCaption(c.caption);
        look->CaptionRect = c.rect;
        const TBitmap shot = Snapshot(*panel);
        EXPECT_EQ(InkColumns(shot).first, -1);
        EXPECT_EQ(shot.Pixel(8, 10), captioned::kBand);
    }
}

TEST_F(SkinPanelCaption, TheGlyphStandsBeforeTheTextAndShowsItsSecondCellWhenDisabled) {
    constexpr TColor kCell1 = 0x00A0FF, kCell2 = 0x8000FF;
    TBitmap glyph(20, 10);
    FillRect(glyph, Rect(0, 0, 10, 10), kCell1);
    FillRect(glyph, Rect(10, 0, 20, 10), kCell2);
    glyph.SetPixel(0, 9, 0x000001);  // the transparent corner
    glyph.SetPixel(10, 9, 0x000001);
    panel->SetGlyph(glyph);
    panel->SetNumGlyphs(2);
    panel->SetSpacing(4);
    look->Alignment = TAlignment::taLeftJustify;
    struct Case {
        TqlImagePosition position;
        TAlignment alignment;
        bool enabled;
        int glyphX;  // where the glyph's cell starts
        TColor cell;
    } cases[] = {
        {TqlImagePosition::qlipDefault, TAlignment::taLeftJustify, true, 4, kCell1},
        {TqlImagePosition::qlipDefault, TAlignment::taLeftJustify, false, 4, kCell2},
        {TqlImagePosition::qlipLeft, TAlignment::taRightJustify, true, 6, kCell1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.position) << "/" << int(c.alignment) << "/" << c.enabled);
        panel->SetImagePosition(c.position);
        look->Alignment = c.alignment;
        panel->SetEnabled(c.enabled);
        const TBitmap shot = Snapshot(*panel);
        EXPECT_EQ(shot.Pixel(c.glyphX + 5, 7), c.cell);
        EXPECT_EQ(shot.Pixel(c.glyphX - 1, 7), captioned::kBand);
        // The text starts after the glyph and the spacing.
        const auto [first, last] = InkColumns(shot);
        ASSERT_GE(first, 0);
        EXPECT_GE(first, c.glyphX + 10 + 4);
        if (c.alignment == TAlignment::taRightJustify) {
            EXPECT_NEAR(last, 195, 3);
        }
    }
}

TEST_F(SkinPanelCaption, CaptionPlacementKeepsTheTextOffTheImage) {
    const TRect area = Rect(10, 0, 110, 20);
    struct Case {
        TAlignment alignment;
        TqlImagePosition position;
        int imageX, textX;
    } cases[] = {
        {TAlignment::taLeftJustify, TqlImagePosition::qlipDefault, 10, 30},
        {TAlignment::taCenter, TqlImagePosition::qlipDefault, 45, 65},
        {TAlignment::taRightJustify, TqlImagePosition::qlipDefault, 80, 100},
        {TAlignment::taRightJustify, TqlImagePosition::qlipLeft, 12, 100},
        {TAlignment::taCenter, TqlImagePosition::qlipLeft, 12, 55},
        // Aligned alone the text would start on the image: it moves past it.
        {TAlignment::taLeftJustify, TqlImagePosition::qlipLeft, 12, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.alignment) << "/" << int(c.position));
        const TqlCaptionPlace p = PlaceCaption(area, c.alignment, 10, 16, 4, c.position);
        EXPECT_EQ(p.ImageX, c.imageX);
        EXPECT_EQ(p.TextX, c.textX);
    }
}

// A 2 x 2 background picture of four colours shows how it was laid.
TEST_F(SkinPanels, TheBackgroundPictureIsTiledOrStretchedByTheSkinsStretchType) {
    constexpr TColor P = 0x102030, Q = 0x405060, R = 0x708090, S = 0xA0B0C0;
    TBitmap bg(2, 2);
    bg.SetPixel(0, 0, P);
    bg.SetPixel(1, 0, Q);
    bg.SetPixel(0, 1, R);
    bg.SetPixel(1, 1, S);
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[0]);
    look.BGPictureIndex = skin->AddPicture(bg);
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 40, 40);
    struct Probe {
        int x, y;
        TColor c;
    };
    struct Case {
        const char* name;
        bool stretch;
        TqlStretchType type;
        std::vector<Probe> probes;
    } cases[] = {
        {"tiled", false, TqlStretchType::stFull, {{0, 0, P}, {1, 0, Q}, {0, 1, R}, {2, 2, P}, {39, 39, S}}},
        {"stretched", true, TqlStretchType::stFull, {{5, 5, P}, {30, 5, Q}, {5, 30, R}, {30, 30, S}}},
        {"stretched down, tiled across", true, TqlStretchType::stHorz, {{0, 5, P}, {1, 5, Q}, {2, 5, P}, {0, 30, R}}},
        {"stretched across, tiled down", true, TqlStretchType::stVert, {{5, 0, P}, {30, 0, Q}, {5, 1, R}, {5, 2, P}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        look.StretchEffect = c.stretch;
        look.StretchType = c.type;
        const TBitmap shot = Snapshot(*panel);
        for (const Probe& p : c.probes) {
            SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
            EXPECT_EQ(shot.Pixel(p.x, p.y), p.c);
        }
    }
}

TEST_F(SkinPanels, ABorderlessNinePartPanelWithoutCaptionShowsOnlyItsClientPiece) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 45, 35);
    auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 45, 35);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 100, 45, 35);
    panel->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    for (TqlSkinPanel* p : std::initializer_list<TqlSkinPanel*>{panel, bar}) {
        SCOPED_TRACE(p == bar ? "status bar" : "panel");
        const TBitmap shot = Snapshot(*p);
        for (const TPoint& at : {TPoint{0, 0}, TPoint{44, 0}, TPoint{22, 17}, TPoint{44, 34}})
            EXPECT_EQ(shot.Pixel(at.X, at.Y), kClient);
    }
    // With a border the frame comes back.
    panel->SetBorderStyle(TqlSkinBorderStyle::bvFrame);
    EXPECT_EQ(Snapshot(*panel).Pixel(0, 0), kTL);
}

// A skin packed from its folder with an animation strip of 40 frames of 500
// x 20 pixels is saved and read back as a packed file, loads through the skin
// data component, and a panel drawn from the last frame shows its pixels.
TEST(SkinPanelStrip, ASkinWithATwentyThousandPixelStripPacksLoadsAndDraws) {
    TBitmap strip(20000, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20000; ++x) strip.SetPixel(x, y, RGB(x & 0xFF, x >> 8, 10 * y));
    TempFolder folder;
    strip.SaveToFile(folder.Path() + "/strip.bmp");
    const std::string ini =
        "[VERSION]\r\nskinname=strip\r\n[PICTURES]\r\nactivepicturescount=1\r\n0=strip.bmp\r\n[FORMINFO]\r\n"
        "[SKINOBJECTS]\r\n[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n"
        "[panel]\r\npictureindex=0\r\nskinrect=19500,0,20000,20\r\n";
    TqlCompressedStoredSkin packer(nullptr);
    packer.LoadFromSkinIni(folder.Write("strip.ini", ini));
    packer.SavePackedFile(folder.Path() + "/strip.qsk");

    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 100);
    auto* stored = new TqlCompressedStoredSkin(&form);
    stored->LoadFromPackedFile(folder.Path() + "/strip.qsk");
    auto* skin = new TqlSkinData(&form);
    skin->LoadFromStoredSkin(*stored);
    ASSERT_EQ(skin->ActivePictures.size(), 1u);
    EXPECT_EQ(skin->ActivePictures[0]->Width(), 20000);

    auto* panel = new TqlSkinPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 500, 20);
    const TBitmap shot = Snapshot(*panel);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 500; ++x) ASSERT_EQ(shot.Pixel(x, y), strip.Pixel(19500 + x, y)) << x << "," << y;
}

}  // namespace
