// The skinned scroll bar: its range arithmetic, the layout of its parts, the
// repeat and paging on the manual clock, and what it paints.

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "skin/controls/qlSkinScrollBar.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

class SkinScrollBar : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }

    TqlSkinScrollBar* Add() {
        auto* b = new TqlSkinScrollBar(form);
        b->SetParent(form);
        b->OnChange = [this](TObject*) { ++changes; };
        return b;
    }

    static void Press(TControl* c, int x, int y) { c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    static void Move(TControl* c, int x, int y) { c->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    static void Release(TControl* c, int x, int y) { c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    static void Advance(int ms) { TTimerService::Instance().Advance(ms); }
    static int Mid(const TRect& r) { return (r.Left + r.Right) / 2; }
    static int MidY(const TRect& r) { return (r.Top + r.Bottom) / 2; }

    TForm* form = nullptr;
    int changes = 0;
};

TEST_F(SkinScrollBar, PositionIsClampedToTheRangeAndFiresOnlyOnChange) {
    struct Case {
        int min, max, page, start, set, position, fired;
    } cases[] = {
        {0, 100, 0, 0, 150, 100, 1},
        {0, 100, 0, 100, 100, 100, 0},
        {0, 100, 10, 0, 100, 91, 1},
        {0, 100, 0, 50, -7, 0, 1},
        {10, 20, 5, 10, 100, 16, 1},
        {10, 20, 5, 16, -5, 10, 1},
        // A page wider than the range leaves the position at Min.
        {0, 5, 10, 0, 3, 0, 0},
        // Positions are full integers, far beyond 16 bits.
        {0, 2000000, 100, 0, 1234567, 1234567, 1},
        {-500, 500, 0, 0, -400, -400, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " page " << c.page << " set " << c.set);
        auto* b = Add();
        b->SetRange(c.min, c.max, c.start, c.page);
        changes = 0;
        b->SetPosition(c.set);
        EXPECT_EQ(b->Position(), c.position);
        EXPECT_EQ(changes, c.fired);
    }
}

TEST_F(SkinScrollBar, RangeChangesKeepThePositionInsideWithoutEvents) {
    auto* b = Add();
    // Mirroring a view moves the position silently.
    b->SetRange(0, 100, 80, 0);
    b->SetRange(0, 50, 80, 0);
    EXPECT_EQ(b->Position(), 50);
    EXPECT_EQ(changes, 0);

    // Lowering Max with Min above zero keeps the last page inside the range.
    b->SetRange(100, 200, 190, 10);
    b->SetMax(150);
    EXPECT_EQ(b->Position(), 141);
    b->SetMin(145);
    EXPECT_EQ(b->Position(), 145);
    EXPECT_EQ(changes, 0);

    // A page is accepted when it fits from the present position, counted from Min.
    b->SetRange(100, 200, 150, 0);
    b->SetPageSize(40);
    EXPECT_EQ(b->PageSize(), 40);
    b->SetPageSize(60);
    EXPECT_EQ(b->PageSize(), 40);
}

TEST_F(SkinScrollBar, PlainLayoutPlacesArrowsTrackAndThumb) {
    auto* b = Add();
    b->Layout();
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptDecrement), Rect(1, 1, 17, 18));
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptIncrement), Rect(183, 1, 199, 18));
    EXPECT_EQ(b->TrackRect(), Rect(17, 1, 183, 18));
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptThumb), Rect(17, 1, 33, 18));

    b->SetKind(sbVertical);
    EXPECT_EQ(b->Width(), 19);
    EXPECT_EQ(b->Height(), 200);
    b->SetPosition(100);
    b->Layout();
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptIncrement), Rect(1, 183, 18, 199));
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptThumb), Rect(1, 167, 18, 183));
}

TEST_F(SkinScrollBar, ThumbStaysInsideItsTrack) {
    struct Case {
        int width, min, max, page, position;
    } cases[] = {
        {40, 0, 100, 0, 50},     // track shorter than the minimum thumb
        {200, 0, 100, 100, 0},   // the page covers everything
        {200, 0, 100, 90, 11},   // last position of a big page
        {200, 5, 5, 0, 5},       // empty range
        {200, -50, 50, 10, 41},  // Min below zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " page " << c.page);
        auto* b = Add();
        b->SetBounds(0, 0, c.width, 19);
        b->SetRange(c.min, c.max, c.position, c.page);
        b->Layout();
        const TRect thumb = b->PartRect(TqlSkinScrollBar::ptThumb), track = b->TrackRect();
        EXPECT_GE(thumb.Left, track.Left);
        EXPECT_LE(thumb.Right, track.Right);
    }
}

TEST_F(SkinScrollBar, ThumbOffsetRoundTripsToThePosition) {
    struct Case {
        int min, max, page;
        TScrollBarKind kind;
    } cases[] = {
        {0, 100, 0, sbHorizontal}, {0, 100, 20, sbHorizontal}, {1000, 1080, 0, sbVertical}, {-40, 40, 9, sbVertical}};
    for (const Case& c : cases) {
        auto* b = Add();
        b->SetKind(c.kind);
        b->SetBounds(0, 0, c.kind == sbVertical ? 19 : 300, c.kind == sbVertical ? 300 : 19);
        const int last = c.page ? c.max - c.page + 1 : c.max;
        for (int p = c.min; p <= last; ++p) {
            SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " page " << c.page << " at " << p);
            b->SetRange(c.min, c.max, p, c.page);
            b->Layout();
            const TRect thumb = b->PartRect(TqlSkinScrollBar::ptThumb), track = b->TrackRect();
            const int offset = c.kind == sbVertical ? thumb.Top - track.Top : thumb.Left - track.Left;
            ASSERT_EQ(b->PositionFromOffset(offset), p);
        }
    }
}

TEST_F(SkinScrollBar, HeldArrowStepsAtOnceThenRepeatsAndPausesOffTheButton) {
    auto* b = Add();
    b->Layout();
    const TRect inc = b->PartRect(TqlSkinScrollBar::ptIncrement);
    Press(b, Mid(inc), MidY(inc));
    EXPECT_EQ(b->Position(), 1);
    Advance(500);
    EXPECT_EQ(b->Position(), 1);
    Advance(50);
    EXPECT_EQ(b->Position(), 2);
    Advance(100);
    EXPECT_EQ(b->Position(), 4);
    Move(b, 100, 9);  // off the button: paused
    Advance(200);
    EXPECT_EQ(b->Position(), 4);
    Move(b, Mid(inc), MidY(inc));
    Advance(50);
    EXPECT_EQ(b->Position(), 5);
    Release(b, Mid(inc), MidY(inc));
    Advance(500);
    EXPECT_EQ(b->Position(), 5);
    EXPECT_EQ(b->RepeatMode(), 0);

    const TRect dec = b->PartRect(TqlSkinScrollBar::ptDecrement);
    Press(b, Mid(dec), MidY(dec));
    Advance(600);
    EXPECT_EQ(b->Position(), 2);
    Release(b, Mid(dec), MidY(dec));
}

TEST_F(SkinScrollBar, ArrowHandlersReplaceTheStep) {
    auto* b = Add();
    int ups = 0, downs = 0;
    b->OnUpButtonClick = [&](TObject*) { ++ups; };
    b->OnDownButtonClick = [&](TObject*) { ++downs; };
    b->SetPosition(50);
    b->Layout();
    const TRect inc = b->PartRect(TqlSkinScrollBar::ptIncrement), dec = b->PartRect(TqlSkinScrollBar::ptDecrement);
    Press(b, Mid(inc), MidY(inc));
    Advance(600);
    Release(b, Mid(inc), MidY(inc));
    Press(b, Mid(dec), MidY(dec));
    Release(b, Mid(dec), MidY(dec));
    EXPECT_EQ(b->Position(), 50);
    EXPECT_EQ(ups, 3);
    EXPECT_EQ(downs, 1);
}

// Paging runs until the thumb lies under the pointer, and stops there from
// either side.
TEST_F(SkinScrollBar, TrackPagingStopsWhenTheThumbReachesThePointer) {
    struct Case {
        int start, pointerX;
    } cases[] = {{0, 150}, {100, 40}, {0, 60}, {100, 150}, {0, 48}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " pointer at " << c.pointerX);
        auto* b = Add();
        b->SetLargeChange(10);
        b->SetPosition(c.start);
        int pagesUp = 0, pagesDown = 0;
        b->OnPageUp = [&](TObject*) { ++pagesUp; };
        b->OnPageDown = [&](TObject*) { ++pagesDown; };
        Press(b, c.pointerX, 9);
        Advance(3000);
        EXPECT_EQ(b->RepeatMode(), 0);
        b->Layout();
        const TRect thumb = b->PartRect(TqlSkinScrollBar::ptThumb);
        // Under the pointer, the far edge included: paging toward Max stops there.
        EXPECT_TRUE(thumb.Left <= c.pointerX && c.pointerX <= thumb.Right) << thumb.Left << ".." << thumb.Right;
        EXPECT_EQ(pagesUp + pagesDown, (c.start == 0 ? b->Position() : 100 - b->Position()) / 10);
        EXPECT_EQ(c.start == 0 ? pagesUp : pagesDown, 0);
        Release(b, c.pointerX, 9);
    }
}

// Paging toward Max runs only while the pointer lies beyond the thumb's far
// edge; a pointer on that edge stops it after the step of the press.
TEST_F(SkinScrollBar, PagingTowardMaxStopsWithThePointerOnTheThumbsFarEdge) {
    for (bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        auto* b = Add();
        if (vertical) b->SetKind(sbVertical);
        b->SetLargeChange(10);
        int pages = 0;
        b->OnPageDown = [&](TObject*) { ++pages; };
        // Where the thumb's far edge lies after one page.
        b->SetPosition(10);
        b->Layout();
        const TRect paged = b->PartRect(TqlSkinScrollBar::ptThumb);
        const int edge = vertical ? paged.Bottom : paged.Right;
        b->SetPosition(0);
        const TPoint at = vertical ? TPoint{9, edge} : TPoint{edge, 9};
        Press(b, at.X, at.Y);
        Advance(3000);
        EXPECT_EQ(b->Position(), 10);
        EXPECT_EQ(pages, 1);
        EXPECT_EQ(b->RepeatMode(), 0);
        Release(b, at.X, at.Y);
        // One pixel further on, paging takes one more step.
        b->SetPosition(0);
        Press(b, at.X + (vertical ? 0 : 1), at.Y + (vertical ? 1 : 0));
        Advance(3000);
        EXPECT_EQ(b->Position(), 20);
        Release(b, at.X, at.Y);
        delete b;
    }
}

// The pointer leaving with the button down stops paging toward Max at once;
// paging toward Min runs on until the thumb reaches the last point seen.
TEST_F(SkinScrollBar, LeavingWhilePagingStopsOnlyThePagingTowardMax) {
    struct Case {
        int start, pointerX;
        bool stops;
    } cases[] = {{0, 150, true}, {100, 30, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start);
        auto* b = Add();
        b->SetLargeChange(10);
        b->SetPosition(c.start);
        Press(b, c.pointerX, 9);
        const int afterPress = b->Position();
        b->Perform(CM_MOUSELEAVE);
        Advance(3000);
        if (c.stops)
            EXPECT_EQ(b->Position(), afterPress);
        else
            EXPECT_LT(b->Position(), afterPress);
        Release(b, c.pointerX, 9);
        EXPECT_EQ(b->RepeatMode(), 0);
    }
}

TEST_F(SkinScrollBar, DraggingTheThumbFollowsThePointerAndReportsTheEnd) {
    auto* b = Add();
    int last = 0;
    b->OnLastChange = [&](TObject*) { ++last; };
    b->Layout();
    const TRect thumb = b->PartRect(TqlSkinScrollBar::ptThumb);
    Press(b, Mid(thumb), 9);
    Move(b, Mid(thumb) + 75, 9);  // half of the 150-pixel thumb travel
    EXPECT_EQ(b->Position(), 50);
    Move(b, Mid(thumb) + 400, 9);
    EXPECT_EQ(b->Position(), 100);
    Move(b, Mid(thumb) - 400, 9);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(last, 0);
    Release(b, Mid(thumb) - 400, 9);
    EXPECT_EQ(last, 1);
    Move(b, Mid(thumb) + 75, 9);
    EXPECT_EQ(b->Position(), 0);
}

TEST_F(SkinScrollBar, RightButtonOnlyReportsTheMouseDown) {
    auto* b = Add();
    int downs = 0;
    b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    b->Layout();
    const TRect inc = b->PartRect(TqlSkinScrollBar::ptIncrement);
    b->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(Mid(inc), 9));
    Advance(1000);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(b->Position(), 0);
}

TEST_F(SkinScrollBar, KeysAndWheelMoveOnlyAFocusableBar) {
    auto* b = Add();
    b->SetSmallChange(3);
    b->SetPosition(10);
    b->Perform(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(b->Position(), 10);
    b->SetCanFocused(true);
    EXPECT_TRUE(b->TabStop());
    EXPECT_NE(b->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0);
    struct Step {
        UINT msg;
        WPARAM wparam;
        int position;
    } steps[] = {
        {WM_KEYDOWN, VK_RIGHT, 13}, {WM_KEYDOWN, VK_DOWN, 16}, {WM_KEYDOWN, VK_LEFT, 13}, {WM_KEYDOWN, VK_UP, 10},
        // Wheel toward the user (negative delta) scrolls toward Max.
        {WM_MOUSEWHEEL, WPARAM(uint32_t(-120) << 16), 13},
        {WM_MOUSEWHEEL, WPARAM(uint32_t(120) << 16), 10},
        // No vertical turn (a sideways swipe), with or without keys held: no move.
        {WM_MOUSEWHEEL, 0, 10},
        {WM_MOUSEWHEEL, MK_SHIFT, 10},
        {WM_MOUSEWHEEL, WPARAM(uint32_t(-120) << 16) | MK_CONTROL, 13},
    };
    b->SetFocus();
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "message " << s.msg << " " << s.wparam);
        b->Perform(s.msg, s.wparam);
        EXPECT_EQ(b->Position(), s.position);
    }
}

TEST_F(SkinScrollBar, PlainBarShowsItsThumbOnlyWhileEnabled) {
    auto* b = Add();
    b->SetPosition(50);
    b->Layout();
    const TRect thumb = b->PartRect(TqlSkinScrollBar::ptThumb);
    EXPECT_EQ(Snapshot(*b).Pixel(thumb.Left, 9), ColorToRGB(clBtnShadow));
    b->SetEnabled(false);
    EXPECT_EQ(Snapshot(*b).Pixel(thumb.Left, 9), ColorToRGB(clBtnFace));
}

// A 60 x 10 bar picture (decrement 10, track 40, increment 10) with hover and
// pressed cells and a thumb, each in a colour of its own.
class SkinnedScrollBar : public SkinScrollBar {
protected:
    static constexpr TColor kBar = 0x101010, kDec = 0x202020, kInc = 0x303030, kIncHot = 0x00A000,
                            kIncDown = 0x0000A0, kThumbFace = 0xA00000, kThumbHot = 0xA0A000;
    void SetUp() override {
        SkinScrollBar::SetUp();
        skin = std::make_unique<Skin>(form);
        TBitmap pic(100, 20);
        FillRect(pic, Rect(0, 0, 100, 20), 0xFFFFFF);
        FillRect(pic, Rect(0, 0, 60, 10), kBar);
        FillRect(pic, Rect(0, 0, 10, 10), kDec);
        FillRect(pic, Rect(50, 0, 60, 10), kInc);
        FillRect(pic, Rect(60, 0, 70, 10), kIncHot);
        FillRect(pic, Rect(70, 0, 80, 10), kIncDown);
        FillRect(pic, Rect(0, 10, 20, 20), kThumbFace);
        FillRect(pic, Rect(20, 10, 40, 20), kThumbHot);
        look = &skin->Add<TqlDataSkinScrollBarControl>("hscrollbar");
        look->PictureIndex = skin->AddPicture(pic);
        look->SkinRect = Rect(0, 0, 60, 10);
        look->LTPoint = {10, 0};
        look->RTPoint = {49, 0};
        look->ClientRect = Rect(10, 0, 49, 10);
        look->TrackArea = Rect(10, 0, 50, 10);
        look->DownButtonRect = Rect(0, 0, 10, 10);
        look->UpButtonRect = Rect(50, 0, 60, 10);
        look->ActiveUpButtonRect = Rect(60, 0, 70, 10);
        look->DownUpButtonRect = Rect(70, 0, 80, 10);
        look->ThumbRect = Rect(0, 10, 20, 20);
        look->ActiveThumbRect = Rect(20, 10, 40, 20);
        look->ThumbOffset1 = look->ThumbOffset2 = 5;
    }
    std::unique_ptr<Skin> skin;
    TqlDataSkinScrollBarControl* look = nullptr;
};

TEST_F(SkinnedScrollBar, StretchesTheTrackAndKeepsTheButtonsAtTheEnds) {
    auto* b = Add();
    EXPECT_EQ(b->Height(), 10);
    b->SetBounds(0, 0, 200, 10);
    b->SetPosition(100);
    b->Layout();
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptIncrement), Rect(190, 0, 200, 10));
    EXPECT_EQ(b->TrackRect(), Rect(10, 0, 190, 10));
    EXPECT_EQ(b->PartRect(TqlSkinScrollBar::ptThumb), Rect(170, 0, 190, 10));
    const TBitmap shot = Snapshot(*b);
    EXPECT_EQ(shot.Pixel(5, 5), kDec);
    EXPECT_EQ(shot.Pixel(100, 5), kBar);
    EXPECT_EQ(shot.Pixel(195, 5), kInc);
    EXPECT_EQ(shot.Pixel(180, 5), kThumbFace);
}

TEST_F(SkinnedScrollBar, ShowsHoverAndPressedFaces) {
    auto* b = Add();
    b->SetBounds(0, 0, 200, 10);
    b->SetMax(1000);
    struct Step {
        const char* what;
        void (*act)(TqlSkinScrollBar*);
        TColor button, thumb;
    } steps[] = {
        {"rest", [](TqlSkinScrollBar*) {}, kInc, kThumbFace},
        {"over increment", [](TqlSkinScrollBar* s) { Move(s, 195, 5); }, kIncHot, kThumbFace},
        {"pressed increment", [](TqlSkinScrollBar* s) { Press(s, 195, 5); }, kIncDown, kThumbFace},
        {"dragged off", [](TqlSkinScrollBar* s) { Move(s, 100, 5); }, kInc, kThumbFace},
        {"released", [](TqlSkinScrollBar* s) { Release(s, 100, 5); }, kInc, kThumbFace},
        {"over thumb", [](TqlSkinScrollBar* s) { Move(s, 15, 5); }, kInc, kThumbHot},
        {"left", [](TqlSkinScrollBar* s) { s->Perform(CM_MOUSELEAVE); }, kInc, kThumbFace},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act(b);
        b->Layout();
        const TRect thumb = b->PartRect(TqlSkinScrollBar::ptThumb);
        const TBitmap shot = Snapshot(*b);
        EXPECT_EQ(shot.Pixel(195, 5), s.button);
        EXPECT_EQ(shot.Pixel(Mid(thumb), 5), s.thumb);
    }
}

}  // namespace
