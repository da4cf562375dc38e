// The skinned push button's state machine: mouse, key and focus messages in,
// clicks, Down and the face it shows out (each face a colour of its own).

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "skin/forms/qlSkinMenus.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

constexpr TColor kNormal = 0x404040, kActive = 0xC0C0C0, kDown = 0xC00000, kFocused = 0x00C000, kDisabled = 0x0000C0;

enum class Step { Enter, Leave, Press, Release, ReleaseOff, SpaceDown, SpaceUp, Focus, Disable };

class SkinButton : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        skin = std::make_unique<Skin>(form);
        skin->Data->EnableSkinEffects = false;
        TBitmap faces(100, 20);
        const TColor colours[] = {kNormal, kActive, kDown, kFocused, kDisabled};
        for (int i = 0; i < 5; ++i) FillRect(faces, Rect(20 * i, 0, 20 * i + 20, 20), colours[i]);
        look = &skin->Add<TqlDataSkinButtonControl>("button");
        look->PictureIndex = skin->AddPicture(faces);
        look->SkinRect = Rect(0, 0, 20, 20);
        look->ActiveSkinRect = Rect(20, 0, 40, 20);
        look->DownSkinRect = Rect(40, 0, 60, 20);
        look->FocusedSkinRect = Rect(60, 0, 80, 20);
        look->DisabledSkinRect = Rect(80, 0, 100, 20);
        auto& tool = skin->Add<TqlDataSkinButtonControl>("toolbutton");
        static_cast<TqlDataSkinButtonControl&>(tool) = *look;
        tool.IDName = "toolbutton";
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }

    TqlSkinButton* Add() {
        auto* b = new TqlSkinButton(form);
        b->SetParent(form);
        b->OnClick = [this, b](TObject*) { ++clicks[b]; };
        return b;
    }

    static TColor Face(TqlSkinButton* b) { return Snapshot(*b).Pixel(1, 1); }

    static void Do(TControl* b, Step s) {
        switch (s) {
            case Step::Enter: b->Perform(CM_MOUSEENTER); break;
            case Step::Leave: b->Perform(CM_MOUSELEAVE); break;
            case Step::Press: b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); break;
            case Step::Release: b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); break;
            case Step::ReleaseOff: b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(60, 60)); break;
            case Step::SpaceDown: b->Perform(WM_KEYDOWN, VK_SPACE); break;
            case Step::SpaceUp: b->Perform(WM_KEYUP, VK_SPACE); break;
            case Step::Focus: dynamic_cast<TWinControl*>(b)->SetFocus(); break;
            case Step::Disable: b->SetEnabled(false); break;
        }
    }

    TForm* form = nullptr;
    std::unique_ptr<Skin> skin;
    TqlDataSkinButtonControl* look = nullptr;
    std::map<TControl*, int> clicks;
};

TEST_F(SkinButton, TakesTheSkinsSizeAndItsNormalFace) {
    auto* b = Add();
    EXPECT_EQ(b->SkinData(), skin->Data);
    EXPECT_EQ(b->Width(), 20);
    EXPECT_EQ(Face(b), kNormal);
    // Free of the skin's size, the face is stretched to any size.
    b->UseSkinSize = false;
    b->SetBounds(0, 0, 200, 60);
    EXPECT_EQ(b->Width(), 200);
    EXPECT_EQ(Snapshot(*b).Pixel(190, 50), kNormal);
}

// Free of the skin's size, a three-part face without a client rectangle keeps
// its ends and spreads its middle over the whole button.
TEST_F(SkinButton, AThreePartFaceWithoutAClientFillsAFreeSize) {
    constexpr TColor kEnd = 0x10A010;
    TBitmap& faces = *skin->Data->ActivePictures[size_t(look->PictureIndex)];
    struct Case {
        const char* name;
        TPoint lt, rt, lb;
        TRect ends[2];
        TPoint endProbes[2];
    } cases[] = {
        {"horizontal", {5, 0}, {15, 0}, {0, 0}, {Rect(0, 0, 5, 20), Rect(15, 0, 20, 20)}, {{2, 30}, {197, 30}}},
        {"vertical", {0, 5}, {0, 0}, {0, 15}, {Rect(0, 0, 20, 5), Rect(0, 15, 20, 20)}, {{100, 2}, {100, 57}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FillRect(faces, Rect(0, 0, 20, 20), kNormal);
        for (const TRect& end : k.ends) FillRect(faces, end, kEnd);
        look->LTPoint = k.lt;
        look->RTPoint = k.rt;
        look->LBPoint = k.lb;
        auto* b = Add();
        b->UseSkinSize = false;
        b->SetBounds(0, 0, 200, 60);
        ASSERT_EQ(b->Width(), 200);
        ASSERT_EQ(b->Height(), 60);
        const TBitmap shot = Snapshot(*b);
        EXPECT_EQ(shot.Pixel(100, 30), kNormal);
        for (const TPoint& p : k.endProbes) EXPECT_EQ(shot.Pixel(p.X, p.Y), kEnd);
        delete b;
    }
}

TEST_F(SkinButton, MouseKeysAndFocusGiveClicksDownAndFace) {
    struct Expect {
        Step step;
        int clicks;
        bool down;
        TColor face;
    };
    struct Case {
        const char* name;
        std::vector<Expect> steps;
    } cases[] = {
        {"hover and leave", {{Step::Enter, 0, false, kActive}, {Step::Leave, 0, false, kNormal}}},
        {"press and release",
         {{Step::Enter, 0, false, kActive}, {Step::Press, 0, true, kDown}, {Step::Release, 1, false, kFocused}}},
        {"drag off and release",
         {{Step::Enter, 0, false, kActive},
          {Step::Press, 0, true, kDown},
          {Step::Leave, 0, true, kFocused},
          {Step::ReleaseOff, 0, false, kFocused}}},
        {"space", {{Step::Focus, 0, false, kFocused}, {Step::SpaceDown, 0, true, kDown}, {Step::SpaceUp, 1, false, kFocused}}},
        // A release whose press went elsewhere is not a click.
        {"space release alone", {{Step::Focus, 0, false, kFocused}, {Step::SpaceUp, 0, false, kFocused}}},
        // Auto-repeat of a held key presses the button once.
        {"held space",
         {{Step::Focus, 0, false, kFocused},
          {Step::SpaceDown, 0, true, kDown},
          {Step::SpaceDown, 0, true, kDown},
          {Step::SpaceUp, 1, false, kFocused}}},
        {"disabled", {{Step::Enter, 0, false, kActive}, {Step::Disable, 0, false, kDisabled}}},
    };
    // The focused face needs the focus, which only an active window gives.
    QApplication::setActiveWindow(form->Widget());
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        clicks.clear();
        auto* b = Add();
        for (size_t i = 0; i < k.steps.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "step " << i);
            Do(b, k.steps[i].step);
            EXPECT_EQ(clicks[b], k.steps[i].clicks);
            EXPECT_EQ(b->Down(), k.steps[i].down);
            EXPECT_EQ(Face(b), k.steps[i].face);
        }
        delete b;
    }
}

TEST_F(SkinButton, GroupedButtonsClickAtThePressAndReleaseEachOther) {
    for (bool allowAllUp : {false, true}) {
        SCOPED_TRACE(allowAllUp ? "AllowAllUp" : "one always down");
        clicks.clear();
        auto* a = Add();
        auto* b = Add();
        for (auto* x : {a, b}) {
            x->SetGroupIndex(1);
            x->AllowAllUp = allowAllUp;
        }
        EXPECT_FALSE(a->CanFocused());
        Do(a, Step::Enter);
        Do(a, Step::Press);
        EXPECT_EQ(clicks[a], 1);
        Do(a, Step::Release);
        EXPECT_TRUE(a->Down());
        EXPECT_EQ(Face(a), kDown);
        Do(b, Step::Press);
        Do(b, Step::Release);
        EXPECT_TRUE(b->Down());
        EXPECT_EQ(a->Down(), allowAllUp);
        // Pressing the down button again raises it only with AllowAllUp.
        Do(b, Step::Enter);
        Do(b, Step::Press);
        Do(b, Step::Release);
        EXPECT_EQ(b->Down(), !allowAllUp);
        EXPECT_EQ(clicks[b], allowAllUp ? 2 : 1);
        delete a;
        delete b;
    }
}

TEST_F(SkinButton, HeldRepeatButtonClicksAfterHalfASecondThenEveryInterval) {
    auto* b = Add();
    b->RepeatMode = true;
    auto& clock = TTimerService::Instance();
    Do(b, Step::Enter);
    Do(b, Step::Press);
    EXPECT_EQ(clicks[b], 0);
    clock.Advance(499);
    EXPECT_EQ(clicks[b], 0);
    clock.Advance(1);
    EXPECT_EQ(clicks[b], 1);
    clock.Advance(100);
    EXPECT_EQ(clicks[b], 2);
    clock.Advance(100);
    EXPECT_EQ(clicks[b], 3);
    // Off the button it pauses, and back on it waits half a second again.
    Do(b, Step::Leave);
    clock.Advance(1000);
    EXPECT_EQ(clicks[b], 3);
    Do(b, Step::Enter);
    clock.Advance(499);
    EXPECT_EQ(clicks[b], 3);
    clock.Advance(1);
    EXPECT_EQ(clicks[b], 4);
    Do(b, Step::Release);
    EXPECT_EQ(clicks[b], 5);
    clock.Advance(1000);
    EXPECT_EQ(clicks[b], 5);
}

TEST_F(SkinButton, EnterClicksTheActiveButtonAndEscTheCancelButton) {
    auto* ok = Add();
    auto* other = Add();
    auto* cancel = Add();
    auto* edit = new TCustomControl(form);
    edit->SetParent(form);
    edit->SetTabStop(true);
    ok->SetDefault(true);
    cancel->Cancel = true;
    auto key = [&](WPARAM k, TShiftState shift = 0) { form->Perform(CM_DIALOGKEY, k, LPARAM(shift) << 24); };
    struct Case {
        const char* name;
        TWinControl* focus;
        WPARAM key;
        TShiftState shift;
        TqlSkinButton* clicked;
    } cases[] = {
        {"Enter in a field", edit, VK_RETURN, 0, ok},
        {"Enter on another button", other, VK_RETURN, 0, other},
        {"Enter on the default button", ok, VK_RETURN, 0, ok},
        {"Esc", edit, VK_ESCAPE, 0, cancel},
        {"Shift+Esc", edit, VK_ESCAPE, ssShift, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        clicks.clear();
        k.focus->SetFocus();
        key(k.key, k.shift);
        int total = 0;
        for (auto& [button, n] : clicks) total += n;
        EXPECT_EQ(total, k.clicked ? 1 : 0);
        if (k.clicked) {
            EXPECT_EQ(clicks[k.clicked], 1);
        }
    }
    // The default button is lit while the focus is on a field.
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    EXPECT_TRUE(ok->MouseIn());
    other->SetFocus();
    EXPECT_FALSE(ok->Active());
    EXPECT_FALSE(ok->MouseIn());
}

TEST_F(SkinButton, AltWithTheCaptionsAcceleratorClicksAndFocusesIt) {
    auto* run = Add();
    run->SetCaption("&Run");
    auto* save = Add();
    save->SetCaption("Save");
    save->SetFocus();
    auto press = [&](int key, Qt::KeyboardModifiers mods) {
        QKeyEvent down(QEvent::KeyPress, key, mods, QString());
        QApplication::sendEvent(save->Widget(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods, QString());
        QApplication::sendEvent(save->Widget(), &up);
    };
    press(Qt::Key_S, Qt::AltModifier);
    press(Qt::Key_R, Qt::NoModifier);
    EXPECT_EQ(clicks[run], 0);
    press(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(clicks[run], 1);
    EXPECT_EQ(clicks[save], 0);
    EXPECT_EQ(form->ActiveControl(), run);
}

TEST_F(SkinButton, HeldSpaceOnARepeatButtonRepeatsByTheClockNotByTheKeyboard) {
    auto* b = Add();
    b->RepeatMode = true;
    b->SetFocus();
    auto& clock = TTimerService::Instance();
    for (int i = 0; i < 5; ++i) Do(b, Step::SpaceDown);
    EXPECT_EQ(clicks[b], 0);
    clock.Advance(500);
    EXPECT_EQ(clicks[b], 1);
    Do(b, Step::SpaceUp);
    EXPECT_EQ(clicks[b], 2);
    clock.Advance(1000);
    EXPECT_EQ(clicks[b], 2);
}

// The focused face and the focus rectangle both need the focus itself: once
// the window is no longer the active one, the button shows neither.
TEST_F(SkinButton, AnInactiveWindowShowsNeitherTheFocusedFaceNorTheRectangle) {
    look->ShowFocus = true;
    look->ClientRect = Rect(4, 4, 16, 16);
    auto* b = Add();
    QApplication::setActiveWindow(form->Widget());
    b->SetFocus();
    ASSERT_TRUE(b->Focused());
    const auto rectangle = [](const TBitmap& shot) {
        int marked = 0;
        for (int x = 4; x < 16; ++x) marked += shot.Pixel(x, 4) != shot.Pixel(10, 10);
        return marked;
    };
    TBitmap shot = Snapshot(*b);
    EXPECT_EQ(shot.Pixel(1, 1), kFocused);
    EXPECT_GT(rectangle(shot), 0);

    TForm other(nullptr);
    other.Show();
    QApplication::setActiveWindow(other.Widget());
    ASSERT_EQ(form->ActiveControl(), b);
    ASSERT_FALSE(b->Focused());
    shot = Snapshot(*b);
    EXPECT_EQ(shot.Pixel(1, 1), kNormal);
    EXPECT_EQ(rectangle(shot), 0);
    // The pointer still lights it as in any window.
    Do(b, Step::Enter);
    EXPECT_EQ(Face(b), kActive);
}

// Sent a command on gaining the focus, as a native button is, and clicked by
// it as a button standing for a native one would be.
class CommandedButton : public TqlSkinButton {
public:
    using TqlSkinButton::TqlSkinButton;
    void Command() {
        TMessage m{CN_COMMAND, 0, 0, 0};
        WndProc(m);
    }

protected:
    void WMSetFocus(TMessage& M) override {
        TqlSkinButton::WMSetFocus(M);
        Command();
    }
    void Dispatch(TMessage& M) override {
        if (M.Msg == CN_COMMAND) Click();
        TqlSkinButton::Dispatch(M);
    }
};

// Only the command that comes while a press makes the button take the focus
// is dropped: the press and release click once. A command with the focus
// already there, or with the focus given by the program, is not dropped.
TEST_F(SkinButton, ACommandWhileAPressTakesTheFocusIsDropped) {
    QApplication::setActiveWindow(form->Widget());
    auto* field = new TCustomControl(form);
    field->SetParent(form);
    field->SetTabStop(true);
    struct Case {
        const char* name;
        std::function<void(CommandedButton*)> act;
        int clicks;
    };
    const Case cases[] = {
        {"press and release on an unfocused button",
         [](CommandedButton* b) { Do(b, Step::Press), Do(b, Step::Release); }, 1},
        {"double click", [](CommandedButton* b) { b->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)); }, 0},
        {"focus given by the program", [](CommandedButton* b) { b->SetFocus(); }, 1},
        {"command on the focused button", [](CommandedButton* b) { b->SetFocus(), b->Command(); }, 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto* b = new CommandedButton(form);
        b->SetParent(form);
        int n = 0;
        b->OnClick = [&n](TObject*) { ++n; };
        field->SetFocus();
        k.act(b);
        EXPECT_TRUE(b->Focused());
        EXPECT_EQ(n, k.clicks);
        delete b;
    }
}

TEST_F(SkinButton, MorphFramesLieStrictlyBetweenTheFaces) {
    skin->Data->EnableSkinEffects = true;
    look->Morphing = true;
    auto* b = Add();
    auto& clock = TTimerService::Instance();
    Do(b, Step::Enter);
    std::vector<double> steps;
    for (int i = 0; i < 4; ++i) {
        clock.Advance(20);
        steps.push_back(b->MorphKf());
        const TColor c = Face(b);
        SCOPED_TRACE(testing::Message() << "tick " << i);
        for (int shift : {0, 8, 16}) {
            const int v = (c >> shift) & 0xFF;
            EXPECT_GT(v, (kNormal >> shift) & 0xFF);
            EXPECT_LT(v, (kActive >> shift) & 0xFF);
        }
    }
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    clock.Advance(200);
    EXPECT_EQ(b->MorphKf(), 1.0);
    EXPECT_EQ(Face(b), kActive);
    Do(b, Step::Leave);
    clock.Advance(200);
    EXPECT_EQ(b->MorphKf(), 0.0);
    EXPECT_EQ(Face(b), kNormal);
}

TEST_F(SkinButton, AnimationFramesStandInForTheActiveFaceOneByOne) {
    constexpr TColor kFrame1 = 0x102030, kFrame2 = 0x302010;
    TBitmap strip(40, 20);
    FillRect(strip, Rect(0, 0, 20, 20), kFrame1);
    FillRect(strip, Rect(20, 0, 40, 20), kFrame2);
    TBitmap& faces = *skin->Data->ActivePictures[size_t(look->PictureIndex)];
    TBitmap wider(140, 20);
    wider.Canvas().Draw(0, 0, faces);
    wider.Canvas().Draw(100, 0, strip);
    faces = wider;
    skin->Data->EnableSkinEffects = true;
    look->AnimateSkinRect = Rect(100, 0, 140, 20);
    look->FrameCount = 2;
    look->AnimateInterval = 10;
    auto* b = Add();
    auto& clock = TTimerService::Instance();
    Do(b, Step::Enter);
    EXPECT_EQ(Face(b), kFrame1);
    clock.Advance(10);
    EXPECT_EQ(Face(b), kFrame2);
    clock.Advance(10);
    EXPECT_EQ(Face(b), kActive);
    // Leaving plays the frames back over the normal face.
    Do(b, Step::Leave);
    EXPECT_EQ(Face(b), kFrame2);
    clock.Advance(10);
    EXPECT_EQ(Face(b), kFrame1);
    clock.Advance(30);
    EXPECT_EQ(Face(b), kNormal);
}

TEST_F(SkinButton, AnAnimationStripWithoutFramesIsNotPlayed) {
    skin->Data->EnableSkinEffects = true;
    look->AnimateSkinRect = Rect(0, 0, 100, 20);
    look->FrameCount = 0;
    look->AnimateInterval = 10;
    auto* b = Add();
    Do(b, Step::Enter);
    TTimerService::Instance().Advance(100);
    EXPECT_EQ(Face(b), kActive);
}

}  // namespace

namespace {

class SkinSpeedButton : public SkinButton {
protected:
    TqlSkinSpeedButton* AddSpeed(int left) {
        auto* b = new TqlSkinSpeedButton(form);
        b->SetParent(form);
        b->SetBounds(left, 0, 30, 30);
        b->OnClick = [this, b](TObject*) { ++clicks[b]; };
        return b;
    }
    // A windowless button is seen on its parent.
    TColor FaceOf(TqlSkinSpeedButton* b) const { return Snapshot(*form).Pixel(b->Left() + 1, 1); }
};

TEST_F(SkinSpeedButton, FollowsTheButtonsRulesWithoutFocus) {
    struct Expect {
        Step step;
        int clicks;
        bool down;
        TColor face;
    };
    struct Case {
        const char* name;
        int group;
        bool allowAllUp;
        std::vector<Expect> steps;
    } cases[] = {
        {"press and release", 0, false,
         {{Step::Enter, 0, false, kActive}, {Step::Press, 0, true, kDown}, {Step::Release, 1, false, kActive}}},
        {"drag off", 0, false,
         {{Step::Enter, 0, false, kActive},
          {Step::Press, 0, true, kDown},
          {Step::Leave, 0, true, kNormal},
          {Step::ReleaseOff, 0, false, kNormal}}},
        {"grouped press clicks at once", 1, false,
         {{Step::Enter, 0, false, kActive},
          {Step::Press, 1, true, kDown},
          {Step::Release, 1, true, kDown},
          {Step::Press, 1, true, kDown},
          {Step::Release, 1, true, kDown}}},
        {"grouped with AllowAllUp", 1, true,
         {{Step::Enter, 0, false, kActive},
          {Step::Press, 1, true, kDown},
          {Step::Release, 1, true, kDown},
          {Step::Press, 1, true, kDown},
          {Step::Release, 2, false, kActive}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        clicks.clear();
        auto* b = AddSpeed(0);
        b->GroupIndex = k.group;
        b->AllowAllUp = k.allowAllUp;
        for (size_t i = 0; i < k.steps.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "step " << i);
            Do(b, k.steps[i].step);
            EXPECT_EQ(clicks[b], k.steps[i].clicks);
            EXPECT_EQ(b->Down(), k.steps[i].down);
            EXPECT_EQ(FaceOf(b), k.steps[i].face);
        }
        delete b;
    }
}

TEST_F(SkinSpeedButton, GroupMembersRaiseEachOther) {
    auto* a = AddSpeed(0);
    auto* b = AddSpeed(40);
    a->GroupIndex = b->GroupIndex = 3;
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(FaceOf(a), kNormal);
    EXPECT_EQ(FaceOf(b), kDown);
}

TEST_F(SkinSpeedButton, AFlatButtonShowsAFaceOnlyUnderThePointer) {
    auto* b = AddSpeed(0);
    b->SetFlat(true);
    const TColor behind = Snapshot(*form).Pixel(100, 100);
    EXPECT_EQ(FaceOf(b), behind);
    Do(b, Step::Enter);
    EXPECT_EQ(FaceOf(b), kActive);
    Do(b, Step::Leave);
    EXPECT_EQ(FaceOf(b), behind);
}

}  // namespace

namespace {

// A popup menu that only records that it was asked to open; the test closes it.
class FakePopup : public TqlSkinPopupMenu {
public:
    using TqlSkinPopupMenu::TqlSkinPopupMenu;
    void PopupFromRect(TControl* control, const TRect& r, bool) override {
        opener = control;
        rect = r;
    }
    TControl* opener = nullptr;
    TRect rect;
};

class SkinMenuSpeedButton : public SkinButton {
protected:
    TqlSkinMenuSpeedButton* AddMenuButton() {
        auto* b = new TqlSkinMenuSpeedButton(form);
        b->SetParent(form);
        // Unskinned: the track part is the right 15 pixels.
        b->SetSkinDataName("none");
        b->SetBounds(10, 10, 60, 25);
        b->OnClick = [this, b](TObject*) { ++clicks[b]; };
        b->OnShowTrackMenu = [this](TObject*) { ++shown; };
        b->OnHideTrackMenu = [this](TObject*) { ++hidden; };
        return b;
    }
    static void Press(TControl* b, int x) { b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5)); }
    static void Release(TControl* b, int x) { b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, 5)); }

    int shown = 0, hidden = 0;
};

TEST_F(SkinMenuSpeedButton, StaysDownWhileItsMenuShows) {
    auto* menu = new FakePopup(form);
    for (bool trackMode : {false, true}) {
        SCOPED_TRACE(trackMode ? "press in the track part" : "press anywhere");
        clicks.clear();
        shown = hidden = 0;
        auto* b = AddMenuButton();
        b->SetSkinPopupMenu(menu);
        b->SetTrackButtonMode(trackMode);
        const int x = trackMode ? 55 : 5;
        b->Perform(CM_MOUSEENTER);
        Press(b, x);
        Release(b, x);
        EXPECT_EQ(menu->opener, b);
        EXPECT_TRUE(b->Down());
        EXPECT_TRUE(b->MenuTracking());
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(clicks[b], 0);
        // The menu engine reports the close later.
        b->Perform(WM_POPUPCLOSED);
        EXPECT_FALSE(b->Down());
        EXPECT_FALSE(b->MenuTracking());
        EXPECT_EQ(hidden, 1);
        delete b;
        menu->opener = nullptr;
    }
}

TEST_F(SkinMenuSpeedButton, OutsideTheTrackPartItClicksLikeASpeedButton) {
    auto* menu = new FakePopup(form);
    auto* b = AddMenuButton();
    b->SetSkinPopupMenu(menu);
    b->SetTrackButtonMode(true);
    EXPECT_FALSE(b->InTrackPart(44, 5));
    EXPECT_TRUE(b->InTrackPart(45, 5));
    b->Perform(CM_MOUSEENTER);
    Press(b, 10);
    Release(b, 10);
    EXPECT_EQ(clicks[b], 1);
    EXPECT_EQ(menu->opener, nullptr);
    EXPECT_FALSE(b->Down());
    // Without a menu there is no track part at all.
    b->SetSkinPopupMenu(nullptr);
    EXPECT_FALSE(b->InTrackPart(55, 5));
}

TEST_F(SkinMenuSpeedButton, AnImagesMenuWithoutImagesClosesAtOnce) {
    auto* images = new TqlSkinImagesMenu(form);
    TCustomImageList none(16, 16);
    images->SetImages(&none);
    auto* popup = new FakePopup(form);
    auto* b = AddMenuButton();
    b->SetSkinImagesMenu(images);
    b->SetSkinPopupMenu(popup);
    Press(b, 5);
    // Both menus were asked to open, each announced.
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(popup->opener, b);
    // The empty grid ran the close path: the button does not stay down.
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MenuTracking());
    EXPECT_EQ(hidden, 1);
}

}  // namespace
