// The skinned check and radio box, gauge, slider and standard label: their
// state machines, arithmetic and what they paint from a synthetic skin.

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <functional>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/NonClient.h"
#include "tests/skin/SyntheticSkin.h"
#include "tests/support/Pictures.h"
#include "tests/support/WheelCatcher.h"

using namespace synthetic;

namespace {

// Check images of a check-radio picture: a colour per image.
constexpr TColor kUncheck = 0x101010, kCheck = 0x202020, kActiveUncheck = 0x303030, kActiveCheck = 0x404040,
                 kDisabledUncheck = 0x505050, kDisabledCheck = 0x606060, kGrayed = 0x707070;
// The background round each check image, which drawing leaves out.
constexpr TColor kImageBack = 0xFF00FF;

// A 10 x 10 check image at Left of B: a 1-pixel background frame round Colour.
void CheckCell(TBitmap& B, int Left, TColor Colour) {
    FillRect(B, Rect(Left, 0, Left + 10, 10), kImageBack);
    FillRect(B, Rect(Left + 1, 1, Left + 9, 9), Colour);
}

class SkinChecks : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(0x00C0C0);
        skin = std::make_unique<Skin>(form);
        TBitmap images(80, 10);
        const TColor colours[] = {kUncheck, kCheck, kActiveUncheck, kActiveCheck, kDisabledUncheck, kDisabledCheck,
                                  kGrayed};
        for (int i = 0; i < 7; ++i) CheckCell(images, i * 10, colours[i]);
        const int pic = skin->AddPicture(images);
        for (const char* name : {"checkbox", "radiobox"}) {
            auto& d = skin->Add<TqlDataSkinCheckRadioControl>(name);
            d.PictureIndex = pic;
            d.SkinRect = Rect(0, 0, 80, 10);
            d.UnCheckImageRect = Rect(0, 0, 10, 10);
            d.CheckImageRect = Rect(10, 0, 20, 10);
            d.ActiveUnCheckImageRect = Rect(20, 0, 30, 10);
            d.ActiveCheckImageRect = Rect(30, 0, 40, 10);
            d.UnEnabledUnCheckImageRect = Rect(40, 0, 50, 10);
            d.UnEnabledCheckImageRect = Rect(50, 0, 60, 10);
        }
    }
    void TearDown() override { delete form; }

    TqlSkinCheckRadioBox* Box(TWinControl* parent, int group = 0, bool radio = false) {
        auto* b = new TqlSkinCheckRadioBox(form);
        b->SetParent(parent);
        b->SetBounds(10, 10 + 30 * parent->ControlCount(), 120, 24);
        b->GroupIndex = group;
        b->SetRadio(radio);
        return b;
    }

    static void Click(TqlSkinCheckRadioBox* b) {
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }

    // The colour at the middle of the check image: the flat box puts it at x = 3.
    static TColor ImageColour(TqlSkinCheckRadioBox* b) { return Snapshot(*b).Pixel(8, b->Height() / 2); }

    TForm* form = nullptr;
    std::unique_ptr<Skin> skin;
};

TEST_F(SkinChecks, ClicksWalkTheStatesAndFireOnClickAsTheTableSays) {
    auto* check = Box(form);
    auto* grayable = Box(form);
    grayable->SetAllowGrayed(true);
    auto* radio = Box(form, 0, true);
    struct Step {
        TqlSkinCheckRadioBox* box;
        TCheckBoxState after;
        int clicks;
    } steps[] = {
        {check, TCheckBoxState::cbChecked, 1},      {check, TCheckBoxState::cbUnchecked, 1},
        {grayable, TCheckBoxState::cbGrayed, 1},    {grayable, TCheckBoxState::cbChecked, 1},
        {grayable, TCheckBoxState::cbUnchecked, 1}, {radio, TCheckBoxState::cbChecked, 1},
        {radio, TCheckBoxState::cbChecked, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        int clicks = 0;
        steps[i].box->OnClick = [&](TObject*) { ++clicks; };
        Click(steps[i].box);
        EXPECT_EQ(steps[i].box->State(), steps[i].after);
        EXPECT_EQ(steps[i].box->Checked(), steps[i].after == TCheckBoxState::cbChecked);
        EXPECT_EQ(clicks, steps[i].clicks);
    }
}

TEST_F(SkinChecks, AssignmentsKeepGrayedAndFireEvenWithoutAChange) {
    auto* box = Box(form);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetState(TCheckBoxState::cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(false);
    EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 4);
    auto* radio = Box(form, 0, true);
    int radioClicks = 0;
    radio->OnClick = [&](TObject*) { ++radioClicks; };
    radio->SetChecked(false);
    EXPECT_EQ(radioClicks, 0);
}

TEST_F(SkinChecks, CheckingClearsTheGroupInTheSameParentOnly) {
    auto* other = new TqlSkinPanel(form);
    other->SetParent(form);
    other->SetBounds(200, 0, 190, 290);
    auto* a = Box(form, 2, true);
    auto* b = Box(form, 2, true);
    auto* ungrouped = Box(form, 0, true);
    auto* elsewhere = Box(other, 2, true);
    for (auto* box : {b, ungrouped, elsewhere}) box->SetChecked(true);
    a->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(ungrouped->Checked());
    EXPECT_TRUE(elsewhere->Checked());
}

TEST_F(SkinChecks, SpaceTogglesOnlyABoxThatMayTakeTheFocus) {
    form->Show();
    auto* box = Box(form);
    box->SetFocus();
    ASSERT_EQ(form->ActiveControl(), box);
    box->Perform(WM_KEYDOWN, VK_SPACE, 0);
    box->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(box->Checked());
    box->SetCanFocused(false);
    EXPECT_FALSE(box->TabStop());
    box->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(box->Checked());
}

// The caption's accelerator toggles any box that could take the focus, as
// the framework tests it (shown and enabled up its parents), whether or not
// it takes the focus by tab or click.
TEST_F(SkinChecks, TheAcceleratorTogglesABoxThatCanTakeTheFocus) {
    form->Show();
    auto* panel = new TqlSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(150, 0, 200, 200);
    auto* box = Box(panel);
    box->SetCaption("&Bold");
    struct Case {
        const char* name;
        bool canFocused, panelShown, panelEnabled, boxEnabled;
        char key;
        bool toggles;
    } cases[] = {
        {"tab stop", true, true, true, true, 'b', true},
        {"no tab stop", false, true, true, true, 'b', true},
        {"other key", false, true, true, true, 'o', false},
        {"disabled", false, true, true, false, 'b', false},
        {"disabled parent", true, true, false, true, 'b', false},
        {"hidden parent", false, false, true, true, 'b', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box->SetCanFocused(c.canFocused);
        panel->SetVisible(c.panelShown);
        panel->SetEnabled(c.panelEnabled);
        box->SetEnabled(c.boxEnabled);
        const bool before = box->Checked();
        const LRESULT taken = form->Perform(CM_DIALOGCHAR, WPARAM(c.key), 0);
        EXPECT_EQ(box->Checked() != before, c.toggles);
        EXPECT_EQ(taken != 0, c.toggles);
    }
}

// A wrapped caption's focus rectangle frames all its lines, not one line
// across their middle.
TEST_F(SkinChecks, TheFocusRectangleOfAWrappedCaptionFramesItsLines) {
    form->Show();
    auto* box = Box(form);
    box->SetBounds(10, 10, 110, 70);
    box->UseSkinFont = false;
    box->SetWordWrap(true);
    struct Extent {
        int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
        void Add(int x, int y) {
            left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
        }
    };
    auto differing = [](const TBitmap& a, const TBitmap& b) {
        Extent e;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y)) e.Add(x, y);
        return e;
    };
    box->SetCaption("");
    const TBitmap bare = Snapshot(*box);
    box->SetCaption("wrapped over three lines of text");
    const TBitmap blurred = Snapshot(*box);
    box->SetFocus();
    const TBitmap focused = Snapshot(*box);
    const Extent ink = differing(bare, blurred), frame = differing(blurred, focused);
    ASSERT_GE(ink.right, 0);
    ASSERT_GE(frame.right, 0);
    TBitmap probe(1, 1);
    probe.Canvas().Font().Assign(box->DefaultFont());
    const int line = probe.Canvas().TextHeight("W");
    EXPECT_GT(ink.bottom - ink.top, 2 * line);
    // The frame lies round the ink, a line's height at most beyond it.
    EXPECT_LT(frame.top, ink.top);
    EXPECT_GT(frame.bottom, ink.bottom);
    EXPECT_LE(frame.left, ink.left);
    EXPECT_GE(frame.right, ink.right);
    EXPECT_LT(frame.bottom - frame.top, ink.bottom - ink.top + line);
}




// Only the flat skinned look wraps its caption and frames it while focused.
// Unskinned the caption is one line and the frame round the box shows the
// focus; a non-flat box shows it by its active picture (here like the normal one).
TEST_F(SkinChecks, OnlyTheFlatSkinnedLookWrapsAndFramesItsCaption) {
    form->Show();
    QApplication::setActiveWindow(form->Widget());
    TBitmap face(20, 20);
    FillRect(face, Rect(0, 0, 20, 20), 0x405060);
    auto& look = skin->Add<TqlDataSkinCheckRadioControl>("samefacebox");
    look.PictureIndex = skin->AddPicture(face);
    look.SkinRect = look.ActiveSkinRect = look.TextArea = Rect(0, 0, 20, 20);
    enum Look { kFlat, kPlain, kFaced };
    for (Look l : {kFlat, kPlain, kFaced}) {
        SCOPED_TRACE(l);
        auto* box = Box(form);
        box->SetBounds(10, 10, 90, 60);
        box->SetWordWrap(true);
        if (l == kPlain) box->SetSkinData(nullptr);
        if (l == kFaced) box->SetFlat(false), box->SetSkinDataName("samefacebox"), box->ChangeSkinData();
        const TBitmap bare = Snapshot(*box);
        box->SetCaption("a caption too long for one line");
        const TBitmap blurred = Snapshot(*box);
        box->SetFocus();
        const TBitmap focused = Snapshot(*box);
        EXPECT_TRUE(focused.SavePng(PicturePath("checkbox-focused-look-" + std::to_string(l) + ".png")));
        int inkTop = box->Height(), inkBottom = -1, inside = 0, border = 0;
        for (int y = 0; y < box->Height(); ++y)
            for (int x = 0; x < box->Width(); ++x) {
                if (bare.Pixel(x, y) != blurred.Pixel(x, y)) inkTop = std::min(inkTop, y), inkBottom = y;
                if (blurred.Pixel(x, y) == focused.Pixel(x, y)) continue;
                // The frame's left and top lie clear of the caption, whose focus rectangle may reach the right.
                if (x == 0 || y == 0) ++border;
                if (x > 0 && y > 0 && x < box->Width() - 1 && y < box->Height() - 1) ++inside;
            }
        EXPECT_EQ(inkBottom - inkTop > 20, l == kFlat) << "ink rows " << inkTop << " to " << inkBottom;
        EXPECT_EQ(inside > 0, l == kFlat) << "a focus rectangle";
        EXPECT_EQ(border > 0, l == kPlain) << "the frame round the box";
        delete box;
    }
}

// Sent a command on gaining the focus, as the platform's radio buttons are.
class CommandedBox : public TqlSkinCheckRadioBox {
public:
    using TqlSkinCheckRadioBox::TqlSkinCheckRadioBox;
    int Commands = 0;
    void Command() {
        TMessage m{CN_COMMAND, 0, 0, 0};
        WndProc(m);
    }

protected:
    void WMSetFocus(TMessage& M) override {
        TqlSkinCheckRadioBox::WMSetFocus(M);
        Command();
    }
    void Dispatch(TMessage& M) override {
        if (M.Msg == CN_COMMAND) ++Commands;
        TqlSkinCheckRadioBox::Dispatch(M);
    }
};

// Only the command that comes while a click makes the box take the focus is
// dropped; one with the focus already there, or given by the program, is not.
TEST_F(SkinChecks, ACommandWhileAClickTakesTheFocusIsDropped) {
    form->Show();
    QApplication::setActiveWindow(form->Widget());
    struct Case {
        const char* name;
        std::function<void(CommandedBox*)> act;
        int commands;
    };
    const Case cases[] = {
        {"click on an unfocused box", [](CommandedBox* b) { Click(b); }, 0},
        {"double click", [](CommandedBox* b) { b->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)); }, 0},
        {"focus given by the program", [](CommandedBox* b) { b->SetFocus(); }, 1},
        {"click on the focused box", [](CommandedBox* b) { b->SetFocus(), Click(b), b->Command(); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* b = new CommandedBox(form);
        b->SetParent(form);
        b->SetBounds(10, 10, 120, 24);
        form->SetFocus();
        c.act(b);
        EXPECT_TRUE(b->Focused());
        EXPECT_EQ(b->Commands, c.commands);
        delete b;
    }
}

TEST_F(SkinChecks, TheFlatBoxShowsTheImageOfItsStateOverItsParent) {
    auto* box = Box(form);
    struct Case {
        const char* name;
        std::function<void()> enter;
        TColor image;
    } cases[] = {
        {"unchecked", [] {}, kUncheck},
        {"checked", [&] { box->SetChecked(true); }, kCheck},
        {"hover", [&] { box->Perform(CM_MOUSEENTER); }, kActiveCheck},
        {"hover, unchecked", [&] { box->SetChecked(false); }, kActiveUncheck},
        {"disabled", [&] { box->SetEnabled(false); }, kDisabledUncheck},
        {"disabled, checked", [&] { box->SetChecked(true); }, kDisabledCheck},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.enter();
        EXPECT_EQ(ImageColour(box), c.image);
    }
    // Left of the image and below it lies the parent's background.
    const TBitmap shot = Snapshot(*box);
    EXPECT_EQ(shot.Pixel(1, 1), ColorToRGB(form->Color()));
}

// Runs the timers by hand for as long as it lives.
struct ManualClock {
    ManualClock() { TTimerService::Instance().UseManualClock(true); }
    ~ManualClock() { TTimerService::Instance().UseManualClock(false); }
    void Advance(int ms) { TTimerService::Instance().Advance(ms); }
};

TEST_F(SkinChecks, ANonFlatBoxFadesToItsActivePictureUnderThePointerAndBack) {
    constexpr TColor kFace = 0x404040, kActiveFace = 0xC0C0C0;
    TBitmap faces(40, 20);
    FillRect(faces, Rect(0, 0, 20, 20), kFace);
    FillRect(faces, Rect(20, 0, 40, 20), kActiveFace);
    auto& look = skin->Add<TqlDataSkinCheckRadioControl>("facedbox");
    look.PictureIndex = skin->AddPicture(faces);
    look.SkinRect = Rect(0, 0, 20, 20);
    look.ActiveSkinRect = Rect(20, 0, 40, 20);
    ManualClock clock;
    auto* b = Box(form);
    b->SetCanFocused(false);
    b->SetFlat(false);
    b->SetSkinDataName("facedbox");
    b->ChangeSkinData();
    ASSERT_EQ(b->Width(), 20);
    auto face = [&] { return Snapshot(*b).Pixel(2, 2); };
    auto between = [](TColor c) {
        for (int shift : {0, 8, 16}) {
            const int v = (c >> shift) & 0xFF;
            if (v <= (kFace >> shift & 0xFF) || v >= (kActiveFace >> shift & 0xFF)) return false;
        }
        return true;
    };

    struct Case {
        const char* name;
        bool morphing, effects;
    } cases[] = {{"morphing", true, true}, {"no morphing", false, true}, {"skin effects off", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        look.Morphing = c.morphing;
        skin->Data->EnableSkinEffects = c.effects;
        b->ChangeSkinData();
        EXPECT_EQ(face(), kFace);
        b->Perform(CM_MOUSEENTER);
        if (c.morphing && c.effects) {
            // Every frame of the fade lies strictly between the two pictures.
            double last = b->MorphKf();
            for (int i = 0; i < 4; ++i) {
                clock.Advance(20);
                EXPECT_GT(b->MorphKf(), last);
                last = b->MorphKf();
                EXPECT_TRUE(between(face())) << std::hex << face();
            }
            clock.Advance(200);
        }
        EXPECT_EQ(b->MorphKf(), 1.0);
        EXPECT_EQ(face(), kActiveFace);
        b->Perform(CM_MOUSELEAVE);
        if (c.morphing && c.effects) {
            clock.Advance(20);
            EXPECT_TRUE(between(face()));
            clock.Advance(200);
        }
        EXPECT_EQ(b->MorphKf(), 0.0);
        EXPECT_EQ(face(), kFace);
    }

    // Disabling in the middle of a fade stops it on the normal picture.
    look.Morphing = true;
    skin->Data->EnableSkinEffects = true;
    b->ChangeSkinData();
    b->Perform(CM_MOUSEENTER);
    clock.Advance(40);
    b->SetEnabled(false);
    clock.Advance(200);
    EXPECT_EQ(b->MorphKf(), 0.0);
    EXPECT_EQ(face(), kFace);
}

TEST_F(SkinChecks, AFlatBoxNeverFades) {
    ManualClock clock;
    auto& look = dynamic_cast<TqlDataSkinCheckRadioControl&>(*skin->Data->CtrlList[0]);
    look.Morphing = true;
    auto* b = Box(form);
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(b->MorphKf(), 1.0);
    EXPECT_EQ(ImageColour(b), kActiveUncheck);
    clock.Advance(100);
    EXPECT_EQ(b->MorphKf(), 1.0);
}

TEST_F(SkinChecks, AGrayedBoxWithoutAGrayedImageShowsItsImageLightened) {
    auto* box = Box(form);
    box->SetState(TCheckBoxState::cbGrayed);
    const TColor c = ImageColour(box);
    // Lighter than the unchecked image in every channel.
    EXPECT_GT(c & 0xFF, kUncheck & 0xFF);
    EXPECT_GT((c >> 16) & 0xFF, (kUncheck >> 16) & 0xFF);
    auto& d = dynamic_cast<TqlDataSkinCheckRadioControl&>(*skin->Data->CtrlList[0]);
    d.GrayedCheckImageRect = Rect(60, 0, 70, 10);
    EXPECT_EQ(ImageColour(box), kGrayed);
}

// The check image's background lets the parent (flat) or the face show; its
// own colour is drawn.
TEST_F(SkinChecks, TheCheckImageIsDrawnWithoutItsBackground) {
    constexpr TColor kFace = 0x405060;
    TBitmap pic(40, 20);
    FillRect(pic, Rect(0, 0, 20, 20), kFace);
    CheckCell(pic, 20, kUncheck);
    CheckCell(pic, 30, kCheck);
    auto& look = skin->Add<TqlDataSkinCheckRadioControl>("facedcheck");
    look.PictureIndex = skin->AddPicture(pic);
    look.SkinRect = Rect(0, 0, 20, 20);
    look.CheckImageArea = Rect(0, 0, 20, 20);
    look.UnCheckImageRect = Rect(20, 0, 30, 10);
    look.CheckImageRect = Rect(30, 0, 40, 10);
    struct Case {
        const char* name;
        bool flat, checked;
        TColor behind, image;
    } cases[] = {
        {"flat", true, false, ColorToRGB(form->Color()), kUncheck},
        {"flat, checked", true, true, ColorToRGB(form->Color()), kCheck},
        {"on its face", false, false, kFace, kUncheck},
        {"on its face, checked", false, true, kFace, kCheck},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* box = Box(form);
        box->SetCanFocused(false);
        box->SetFlat(c.flat);
        box->SetChecked(c.checked);
        if (!c.flat) {
            box->SetSkinDataName("facedcheck");
            box->ChangeSkinData();
        }
        // The image's top-left corner: at x = 3 flat, centred in the 20 x 20 area on the face.
        const TPoint corner = c.flat ? TPoint{3, (box->Height() - 10) / 2} : TPoint{5, 5};
        const TBitmap shot = Snapshot(*box);
        EXPECT_EQ(shot.Pixel(corner.X, corner.Y), c.behind);
        EXPECT_EQ(shot.Pixel(corner.X + 9, corner.Y + 9), c.behind);
        EXPECT_EQ(shot.Pixel(corner.X + 5, corner.Y + 5), c.image);
        delete box;
    }
}

// Gauges

class SkinGauges : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        gauge = new TqlSkinGauge(form);
        gauge->SetParent(form);
        gauge->SetBounds(0, 0, 102, 20);
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
    TqlSkinGauge* gauge = nullptr;
};

TEST_F(SkinGauges, ValuesStayInRangeAndTheCaptionShowsTheTruncatedPercentage) {
    gauge->SetShowProgressText(true);
    gauge->SetShowPercent(true);
    gauge->SetProgressText("Reading ");
    struct Case {
        int min, max, value;
        int stored;
        std::string caption;
    } cases[] = {
        {0, 100, 150, 100, "Reading 100%"}, {0, 10000, 2500, 2500, "Reading 25%"},
        {0, 3, 2, 2, "Reading 66%"},        {5, 5, 5, 5, "Reading 0%"},
        {-50, 50, -60, -50, "Reading 0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        gauge->SetMinValue(-1000);
        gauge->SetMaxValue(c.max);
        gauge->SetMinValue(c.min);
        gauge->SetValue(c.value);
        EXPECT_EQ(gauge->Value(), c.stored);
        EXPECT_EQ(gauge->CaptionText(), c.caption);
    }
    gauge->SetMinValue(0);
    gauge->SetMaxValue(100);
    gauge->SetValue(50);
    gauge->SetMaxValue(40);
    EXPECT_EQ(gauge->Value(), 40);
    gauge->SetProgressAnimationPause(-1);
    EXPECT_EQ(gauge->ProgressAnimationPause(), 3000);
}

// A binary fraction times 100 falls just short of 29, 57 or 58 and would show one less.
TEST_F(SkinGauges, ThePercentageIsExactForEveryValueOfTheRange) {
    gauge->SetShowPercent(true);
    struct Range {
        int min, max;
    } ranges[] = {{0, 100}, {37, 137}, {-100, 0}, {1000, 1003}, {0, 2147483647}};
    for (const Range& r : ranges) {
        gauge->SetMinValue(-2147483647);
        gauge->SetMaxValue(r.max);
        gauge->SetMinValue(r.min);
        const long long span = static_cast<long long>(r.max) - r.min;
        for (long long step = 0; step <= 100; ++step) {
            const int value = static_cast<int>(r.min + span * step / 100);
            SCOPED_TRACE(std::to_string(r.min) + ".." + std::to_string(r.max) + " at " + std::to_string(value));
            gauge->SetValue(value);
            long long percent = 0;
            while ((percent + 1) * span <= (static_cast<long long>(value) - r.min) * 100) ++percent;
            EXPECT_EQ(gauge->CaptionText(), std::to_string(percent) + "%");
        }
    }
}

TEST_F(SkinGauges, TheBarCoversItsShareOfTheAreaAndNothingOfAReversedRange) {
    const TRect area = Rect(1, 1, 101, 19);
    struct Case {
        int min, max, value;
        bool vertical;
        TRect bar;
    } cases[] = {
        {0, 100, 50, false, Rect(1, 1, 51, 19)},  {0, 100, 100, false, area},
        {0, 3, 1, false, Rect(1, 1, 34, 19)},     {0, 100, 0, false, Rect(1, 1, 1, 19)},
        {0, 100, 50, true, Rect(1, 10, 101, 19)}, {7, 7, 7, false, Rect(1, 1, 1, 19)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " at " << c.value);
        gauge->SetMinValue(-1000);
        gauge->SetMaxValue(c.max);
        gauge->SetMinValue(c.min);
        gauge->SetValue(c.value);
        gauge->SetVertical(c.vertical);
        EXPECT_EQ(gauge->BarRect(area), c.bar);
    }
    // A minimum raised above the maximum is an empty range, not a bar past the area.
    gauge->SetVertical(false);
    gauge->SetMaxValue(10);
    gauge->SetMinValue(20);
    EXPECT_EQ(gauge->Fraction(), 0.0);
    EXPECT_EQ(gauge->BarRect(area), Rect(1, 1, 1, 19));
}

TEST_F(SkinGauges, ThePlainBarIsPaintedUpToItsValue) {
    gauge->SetValue(25);
    const TBitmap shot = Snapshot(*gauge);
    // Inner area 1..101: the bar ends at 1 + 25 = 26.
    EXPECT_EQ(shot.Pixel(25, 10), TColor(0xD2BDB6));
    EXPECT_EQ(shot.Pixel(26, 10), ColorToRGB(clWindow));
    EXPECT_EQ(shot.Pixel(0, 10), ColorToRGB(clBtnShadow));
}

TEST_F(SkinGauges, TheSkinnedBarIsBuiltFromTheBarPictureWithItsEnds) {
    Skin s(form);
    TBitmap pic(60, 30);
    FillRect(pic, Rect(0, 0, 30, 30), kClient);
    FillRect(pic, Rect(30, 0, 33, 10), kTL);   // bar begin
    FillRect(pic, Rect(33, 0, 37, 10), kTopA); // bar middle
    FillRect(pic, Rect(37, 0, 40, 10), kTR);   // bar end
    auto& d = s.Add<TqlDataSkinGaugeControl>("gauge");
    NinePart(d, s.AddPicture(pic));
    d.ProgressArea = Rect(2, 10, 28, 20);
    d.ProgressRect = Rect(30, 0, 40, 10);
    d.BeginOffset = d.EndOffset = 3;
    gauge->SetSkinData(s.Data);
    gauge->SetBounds(0, 0, 102, 30);
    gauge->SetValue(50);
    // The area grows with the control: 2..100; half of 98 is 49.
    const TBitmap shot = Snapshot(*gauge);
    EXPECT_EQ(shot.Pixel(2, 15), kTL);
    EXPECT_EQ(shot.Pixel(25, 15), kTopA);
    EXPECT_EQ(shot.Pixel(50, 15), kTR);
    EXPECT_EQ(shot.Pixel(51, 15), kClient);
    // A bar shorter than its two ends draws nothing.
    gauge->SetValue(5);
    EXPECT_EQ(Snapshot(*gauge).Pixel(3, 15), kClient);
}

// Free of the skin's size, the gauge is built as the skin draws it and then
// stretched: corners, edges and bar all scale by the same factors.
TEST_F(SkinGauges, AGaugeOfItsOwnSizeStretchesThePictureBuiltAtTheSkinsSize) {
    constexpr TColor kBar = 0x123456;
    Skin s(form);
    TBitmap pic(40, 30);
    const TBitmap cells = NineCells();
    pic.Canvas().Draw(0, 0, cells);
    FillRect(pic, Rect(30, 0, 40, 10), kBar);
    auto& d = s.Add<TqlDataSkinGaugeControl>("gauge");
    NinePart(d, s.AddPicture(pic));
    d.ProgressArea = Rect(2, 12, 28, 18);
    d.ProgressRect = Rect(30, 0, 40, 10);
    gauge->UseSkinSize = false;
    gauge->SetSkinData(s.Data);
    gauge->SetBounds(0, 0, 120, 60);
    ASSERT_EQ(gauge->Width(), 120);
    gauge->SetValue(50);
    // Skin to control: x times 4, y times 2. The bar covers 2..15 of the skin.
    const TBitmap shot = Snapshot(*gauge);
    EXPECT_TRUE(shot.SavePng(PicturePath("gauge-own-size.png")));
    struct Probe {
        int x, y;  // in the skin
        TColor colour;
    } probes[] = {
        {1, 1, kTL}, {28, 28, kBR}, {12, 3, kTopA}, {17, 3, kTopB}, {3, 15, kBar},
        {14, 15, kBar}, {18, 15, kClient}, {25, 25, kBR}, {12, 25, kBottom},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << "skin point " << p.x << "," << p.y);
        EXPECT_EQ(shot.Pixel(p.x * 4 + 1, p.y * 2 + 1), p.colour);
    }
}

TEST_F(SkinGauges, TheAnimationRunsItsFramesThenPausesOnTheManualClock) {
    TTimerService::Instance().UseManualClock(true);
    Skin s(form);
    TBitmap pic(60, 30);
    auto& d = s.Add<TqlDataSkinGaugeControl>("gauge");
    NinePart(d, s.AddPicture(pic));
    d.ProgressArea = Rect(2, 10, 28, 20);
    d.ProgressRect = Rect(30, 0, 40, 10);
    d.ProgressAnimationSkinRect = Rect(30, 10, 60, 20);
    d.ProgressAnimationCountFrames = 3;
    d.ProgressAnimationTimerInterval = 100;
    // Not skinned yet: nothing starts.
    gauge->StartProgressAnimation();
    TTimerService::Instance().Advance(100);
    EXPECT_EQ(gauge->AnimationFrame(), 0);
    gauge->SetSkinData(s.Data);
    gauge->SetProgressAnimationPause(1000);
    gauge->StartProgressAnimation();
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        TTimerService::Instance().Advance(100);
        frames.push_back(gauge->AnimationFrame());
    }
    // Three frames, then back to the still bar for the pause.
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 0}));
    // The pause counts from the end of the run (t = 400): the next run's
    // first frame comes at 1400 + 100.
    TTimerService::Instance().Advance(900);
    EXPECT_EQ(gauge->AnimationFrame(), 0);
    TTimerService::Instance().Advance(100);
    EXPECT_EQ(gauge->AnimationFrame(), 1);
    gauge->StopProgressAnimation();
    TTimerService::Instance().Advance(1000);
    EXPECT_EQ(gauge->AnimationFrame(), 0);
    TTimerService::Instance().UseManualClock(false);
}

// Sliders

// A step goes one increment from the multiple nearest the value, halves to
// the even multiple, so from between two multiples it may pass one.
TEST(SliderMath, StepsGoOneIncrementFromTheNearestMultiple) {
    using namespace slider_math;
    struct Case {
        int value, min, max, increment;
        Step step;
        int result;
    } cases[] = {
        {15, 0, 100, 10, Up, 30},    {15, 0, 100, 10, Down, 10},  {25, 0, 100, 10, Up, 30},
        {25, 0, 100, 10, Down, 10},  {35, 0, 100, 10, Up, 50},    {14, 0, 100, 10, Up, 20},
        {16, 0, 100, 10, Down, 10},  {20, 0, 100, 10, Up, 30},    {20, 0, 100, 10, Down, 10},
        {11, 9, 18, 1, Up, 12},      {11, 9, 18, 1, Down, 10},    {18, 9, 18, 1, Up, 18},
        {9, 9, 18, 1, Down, 9},      {11, 9, 18, 1, ToMax, 18},   {11, 9, 18, 1, ToMin, 9},
        {-15, -50, 50, 10, Up, -10}, {-15, -50, 50, 10, Down, -30}, {-25, -50, 50, 10, Up, -10},
        {95, 0, 100, 10, Up, 100},   {5, 0, 100, 10, Down, 0},
        {2147483600, 0, 2147483647, 100, Up, 2147483647},
        {-2147483600, -2147483647 - 1, 0, 100, Down, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " step " << c.step << " by " << c.increment);
        EXPECT_EQ(Stepped(c.value, c.min, c.max, c.increment, c.step), c.result);
    }
}

TEST(SliderMath, PositionsAndValuesMapBothWaysWithoutDividingByZero) {
    using namespace slider_math;
    EXPECT_EQ(PositionOf(9, 9, 18, 90), 0);
    EXPECT_EQ(PositionOf(18, 9, 18, 90), 90);
    EXPECT_EQ(PositionOf(12, 9, 18, 90), 30);
    for (int v = 9; v <= 18; ++v) {
        SCOPED_TRACE(v);
        EXPECT_EQ(ValueAt(PositionOf(v, 9, 18, 90), 9, 18, 90, 1, true), v);
    }
    // A thumb as long as the ruler leaves no track.
    EXPECT_EQ(PositionOf(50, 0, 100, 0), 0);
    EXPECT_EQ(ValueAt(10, 0, 100, 0, 10, true), 0);
    // Without smoothing a position snaps to the increment; never past the ends.
    EXPECT_EQ(ValueAt(34, 0, 100, 100, 10, false), 30);
    // A half goes to the even multiple, as a step rounds.
    EXPECT_EQ(ValueAt(25, 0, 100, 100, 10, false), 20);
    EXPECT_EQ(ValueAt(35, 0, 100, 100, 10, false), 40);
    EXPECT_EQ(ValueAt(500, 0, 100, 100, 10, false), 100);
    EXPECT_EQ(ValueAt(-5, 0, 100, 100, 10, false), 0);
}

class SkinSliders : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->SetVisible(true);
        slider = new TqlSkinSlider(form);
        slider->SetParent(form);
        slider->SetBounds(10, 10, 212, 30);
        slider->SetMinValue(9);
        slider->SetMaxValue(18);
        slider->SetIncrement(1);
        slider->SetValue(11);
        slider->OnChange = [this](TObject*) { events += "change "; };
        slider->OnChanged = [this](TObject*) { events += "changed "; };
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }
    void Key(uint16_t key) { slider->Perform(WM_KEYDOWN, key, 0); }

    TForm* form = nullptr;
    TqlSkinSlider* slider = nullptr;
    std::string events;
};

TEST_F(SkinSliders, KeysStepThroughTheFontSizes) {
    struct Case {
        uint16_t key;
        int value;
        const char* events;
    } cases[] = {
        {VK_RIGHT, 12, "change changed "}, {VK_LEFT, 11, "change changed "}, {VK_END, 18, "change changed "},
        {VK_RIGHT, 18, "changed "},        {VK_HOME, 9, "change changed "},  {VK_UP, 9, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key);
        events.clear();
        Key(c.key);
        EXPECT_EQ(slider->Value(), c.value);
        EXPECT_EQ(events, c.events);
    }
    EXPECT_EQ(slider->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
}

TEST_F(SkinSliders, ARangeIsRefusedBackwardsAndShrinksAWideIncrement) {
    slider->SetMaxValue(5);
    EXPECT_EQ(slider->MaxValue(), 18);
    slider->SetIncrement(10);
    slider->SetMaxValue(12);
    EXPECT_EQ(slider->Increment(), 3);
    EXPECT_LE(slider->Value(), 12);
}

TEST_F(SkinSliders, AHeldClickRepeatsUntilTheThumbPassesThePointer) {
    const TRect thumb = slider->ThumbRect();
    const TRect ruler = slider->RulerRect();
    // A point on the ruler about three steps right of the thumb.
    const int x = thumb.Right + 3 * (ruler.Right - ruler.Left - (thumb.Right - thumb.Left)) / 9;
    const int y = (ruler.Top + ruler.Bottom) / 2;
    slider->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    EXPECT_EQ(slider->Value(), 12);
    for (int i = 0; i < 10; ++i) TTimerService::Instance().Advance(400);
    const int reached = slider->Value();
    EXPECT_GT(reached, 12);
    EXPECT_LT(reached, 18);
    // The thumb has reached the pointer: it lies under it or beyond.
    EXPECT_GE(slider->ThumbRect().Right, x);
    events.clear();
    slider->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(events, "changed ");
    TTimerService::Instance().Advance(2000);
    EXPECT_EQ(slider->Value(), reached);
}

TEST_F(SkinSliders, DraggingTheThumbFollowsThePointerAndEndsWithChanged) {
    const TRect thumb = slider->ThumbRect();
    const int y = (thumb.Top + thumb.Bottom) / 2;
    slider->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.Left + 2, y));
    EXPECT_TRUE(slider->Dragging());
    slider->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1000, y));
    EXPECT_EQ(slider->Value(), 18);
    slider->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1000, y));
    EXPECT_EQ(slider->Value(), 9);
    events.clear();
    slider->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1000, y));
    EXPECT_FALSE(slider->Dragging());
    EXPECT_EQ(events, "changed ");
}

// A slider that keeps its own ruler area.
class FencedSlider : public TqlSkinSlider {
public:
    using TqlSkinSlider::TqlSkinSlider;

protected:
    TRect GetRulerRect() const override { return Rect(20, 0, Width() - 20, Height()); }
};

TEST_F(SkinSliders, TheFocusRectangleLiesTwoPixelsInsideTheRulerArea) {
    form->Show();
    auto* fenced = new FencedSlider(form);
    fenced->SetParent(form);
    fenced->SetBounds(10, 60, 212, 30);
    for (TqlSkinSlider* s : {slider, static_cast<TqlSkinSlider*>(fenced)}) {
        SCOPED_TRACE(s == slider ? "plain" : "own ruler area");
        const int left = s == slider ? 2 : 22;
        form->SetFocus();
        const TBitmap blurred = Snapshot(*s);
        s->SetFocus();
        const TBitmap focused = Snapshot(*s);
        // The dotted frame's top row starts at the inset corner; no dot left of it.
        bool topRow = false, outside = false;
        for (int x = 0; x < s->Width(); ++x) {
            const bool changed = focused.Pixel(x, 2) != blurred.Pixel(x, 2);
            if (x >= left && x < s->Width() - left) topRow |= changed;
            if (x < left - 1) outside |= changed;
        }
        EXPECT_TRUE(topRow);
        EXPECT_FALSE(outside);
    }
}

TEST_F(SkinSliders, AVerticalSliderHasItsMaximumAtTheTop) {
    slider->SetOrientation(TqlSliderOrientation::soVertical);
    EXPECT_EQ(slider->Width(), 30);
    slider->SetValue(18);
    const int top = slider->ThumbRect().Top;
    slider->SetValue(9);
    EXPECT_GT(slider->ThumbRect().Top, top);
    Key(VK_UP);
    EXPECT_EQ(slider->Value(), 10);
}

// The slider answers the wheel only through its two events, focused or not:
// a turn they do not handle goes on to the parent, and the value never moves.
TEST_F(SkinSliders, TheWheelFiresItsEventsAndOtherwiseGoesOnToTheParent) {
    auto* holder = new TWheelCatcher(form);
    holder->SetParent(form);
    holder->SetBounds(0, 100, 300, 60);
    slider->SetParent(holder);
    bool handle = false;
    std::string wheel;
    TShiftState shift = 0;
    TPoint at{};
    auto handler = [&](const char* name) {
        return [&, name](TObject* sender, TShiftState s, TPoint p, bool& handled) {
            EXPECT_EQ(sender, slider);
            wheel += name;
            shift = s;
            at = p;
            handled = handle;
        };
    };
    slider->OnMouseWheelUp = handler("up ");
    slider->OnMouseWheelDown = handler("down ");
    struct Case {
        const char* name;
        int delta;
        WPARAM keys;
        bool focused, handled, vertical;
        const char* wheel;
        int passed;
    } cases[] = {
        {"away from the user", 120, 0, false, false, false, "up ", 1},
        {"toward the user", -120, 0, false, false, false, "down ", 1},
        {"focused", 120, 0, true, false, false, "up ", 1},
        {"vertical", -240, 0, true, false, true, "down ", 1},
        {"handled, with shift", -120, MK_SHIFT, true, true, false, "down ", 0},
        {"no turn", 0, 0, true, false, false, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        slider->SetOrientation(c.vertical ? TqlSliderOrientation::soVertical : TqlSliderOrientation::soHorizontal);
        if (c.focused)
            slider->SetFocus();
        else
            form->SetFocus();
        handle = c.handled;
        wheel.clear();
        events.clear();
        holder->Wheels = 0;
        slider->Perform(WM_MOUSEWHEEL, MAKEWPARAM(c.keys, c.delta), MAKELPARAM(20, 10));
        EXPECT_EQ(wheel, c.wheel);
        EXPECT_EQ(holder->Wheels, c.passed);
        EXPECT_EQ(slider->Value(), 11);
        EXPECT_EQ(events, "");
        if (*c.wheel) {
            EXPECT_EQ(shift, c.keys & MK_SHIFT ? TShiftState(ssShift) : TShiftState(0));
            EXPECT_EQ(at.X, 20);
            EXPECT_EQ(at.Y, 10);
        }
    }
}

TEST_F(SkinSliders, WithoutASkinTheSliderDrawsItsOwnPicturesAndTakesTheUsers) {
    slider->SetColor(0x00A000);
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, r.Top + 3}; };
    // The built-in thumb: a light cell, a darker one while dragged; its cut
    // corners let the background through.
    EXPECT_EQ(slider->ImageHThumb().Width(), 18);
    TRect t = slider->ThumbRect();
    EXPECT_EQ(t.Right - t.Left, 9);
    const TColor normal = Snapshot(*slider).Pixel(centre(t).X, centre(t).Y);
    slider->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre(t).X, centre(t).Y));
    const TColor pressed = Snapshot(*slider).Pixel(centre(t).X, centre(t).Y);
    slider->Perform(WM_LBUTTONUP, 0, MAKELPARAM(centre(t).X, centre(t).Y));
    EXPECT_NE(normal, pressed);
    EXPECT_NE(normal, TColor(0x00A000));
    EXPECT_EQ(Snapshot(*slider).Pixel(t.Left, t.Bottom - 1), TColor(0x00A000));

    // A picture of the user's: two cells, or one with NumThumbStates 1.
    TBitmap own(20, 12);
    FillRect(own, Rect(0, 0, 10, 12), 0x0000C0);
    FillRect(own, Rect(10, 0, 20, 12), 0xC00000);
    slider->SetOptions(slider->Options() | soThumbOpaque);
    slider->SetImageHThumb(&own);
    EXPECT_TRUE(slider->UserImage(siHThumb));
    t = slider->ThumbRect();
    EXPECT_EQ(t.Right - t.Left, 10);
    EXPECT_EQ(Snapshot(*slider).Pixel(centre(t).X, centre(t).Y), TColor(0x0000C0));
    slider->SetNumThumbStates(1);
    EXPECT_EQ(slider->ThumbRect().Right - slider->ThumbRect().Left, 20);

    // Taking it back restores the built-in picture and its transparency.
    slider->SetImageHThumb(nullptr);
    EXPECT_FALSE(slider->UserImage(siHThumb));
    EXPECT_EQ(slider->ImageHThumb().Width(), 18);
    EXPECT_FALSE(slider->Options() & soThumbOpaque);
}

// The ruler's transparency follows soRulerOpaque at once, without a rebuild.
TEST_F(SkinSliders, TheRulerOpaqueOptionShowsOnTheNextPaint) {
    constexpr TColor kRuler = 0x3060C0, kBack = 0x00A000;
    slider->SetColor(kBack);
    TBitmap ruler(10, 8);
    FillRect(ruler, Rect(0, 0, 10, 8), kRuler);  // all of it the transparent colour
    slider->SetImageHRuler(&ruler);
    const TRect r = slider->RulerRect();
    const TPoint inside{r.Left + 1, r.Top + 1};
    auto seen = [&] { return Snapshot(*slider).Pixel(inside.X, inside.Y); };
    EXPECT_EQ(seen(), kBack);
    for (bool opaque : {true, false, true}) {
        SCOPED_TRACE(opaque ? "opaque" : "transparent");
        const TqlSliderOptions o = slider->Options();
        slider->SetOptions(opaque ? o | soRulerOpaque : o & ~TqlSliderOptions(soRulerOpaque));
        EXPECT_EQ(seen(), opaque ? kRuler : kBack);
    }
}

TEST_F(SkinSliders, TheEdgeSizeMustLeaveAMiddleToTheRuler) {
    // The built-in ruler is 10 pixels long.
    struct Case {
        int edge, kept;
    } cases[] = {{4, 4}, {5, 4}, {0, 0}, {-1, 0}, {3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        slider->SetEdgeSize(c.edge);
        EXPECT_EQ(slider->EdgeSize(), c.kept);
    }
}

// The tick count rounds a half to the even number, as a step does: 0..25 by 10
// gives points at 0, 10 and 25; 0..45 at 0, 10, 20, 30 and 45.
TEST_F(SkinSliders, TheTickCountRoundsAHalfToTheEvenNumber) {
    slider->SetBounds(10, 10, 212, 40);
    slider->SetMinValue(0);
    slider->SetIncrement(10);
    for (auto [max, points] : {std::pair{25, 3}, std::pair{35, 5}, std::pair{45, 5}, std::pair{30, 4}}) {
        SCOPED_TRACE(max);
        slider->SetMaxValue(max);
        const TBitmap shot = Snapshot(*slider);
        EXPECT_TRUE(shot.SavePng(PicturePath("slider-ticks-to-" + std::to_string(max) + ".png")));
        int seen = 0;
        for (int x = 0; x < shot.Width(); ++x)
            seen += shot.Pixel(x, slider->ThumbRect().Bottom + 2) == ColorToRGB(clWindowFrame);
        EXPECT_EQ(seen, points);
    }
}

// Standard labels

TEST(SkinStdLabel, AnEllipsisShortensWhatIsShownButNeverTheCaption) {
    TForm form(nullptr);
    auto* label = new TqlSkinStdLabel(&form);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 16);
    const std::string path = "/home/reader/corpora/very/long/path/file.txt";
    label->SetCaption(path);
    for (TqlEllipsType e : {TqlEllipsType::qletEndEllips, TqlEllipsType::qletPathEllips}) {
        label->SetEllipsType(e);
        TBitmap B(40, 16);
        form.PaintTo(B.Canvas(), 0, 0);
        EXPECT_EQ(label->Caption(), path);
    }
    EXPECT_TRUE(label->DrawFlags() & DT_PATH_ELLIPSIS);
    label->ShowAccelChar = false;
    EXPECT_TRUE(label->DrawFlags() & DT_NOPREFIX);
}

TEST(SkinStdLabel, ADisabledLabelIsEmbossedInTheSkinsColours) {
    TForm form(nullptr);
    Skin s(&form);
    s.Data->SkinColors.cBtnHighLight = 0x00FF00;
    s.Data->SkinColors.cBtnShadow = 0xFF0000;
    auto& d = s.Add<TqlDataSkinStdLabelControl>("stdlabel");
    d.FontColor = 0x0000FF;
    auto* label = new TqlSkinStdLabel(&form);
    label->SetParent(&form);
    label->SetCaption("IIII");
    auto count = [&](TColor c) {
        TBitmap B(label->Width() + 2, label->Height() + 2);
        form.PaintTo(B.Canvas(), 0, 0);
        int n = 0;
        for (int y = 0; y < B.Height(); ++y)
            for (int x = 0; x < B.Width(); ++x) n += B.Pixel(x, y) == c;
        return n;
    };
    EXPECT_GT(count(0x0000FF), 0);
    label->SetEnabled(false);
    EXPECT_EQ(count(0x0000FF), 0);
    EXPECT_GT(count(0x00FF00), 0);
    EXPECT_GT(count(0xFF0000), 0);
}

}  // namespace

namespace {

// Splitters

TEST(SkinSplitter, TheBarTakesTheSkinsThicknessAndShowsOneGripperInItsMiddle) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    Skin s(&form);
    TBitmap pic(40, 10);
    FillRect(pic, Rect(0, 0, 30, 6), kClient);
    FillRect(pic, Rect(30, 0, 40, 6), kTR);  // the gripper
    auto& d = s.Add<TqlDataSkinSplitterControl>("hsplitter");
    d.PictureIndex = s.AddPicture(pic);
    d.SkinRect = Rect(0, 0, 30, 6);
    d.RTPoint = {30, 0};
    d.GripperRect = Rect(30, 0, 40, 6);
    auto* split = new TqlSkinSplitter(&form);
    split->SetParent(&form);
    split->SetAlign(TAlign::alTop);
    split->SetSkinDataName("hsplitter");
    split->SetSkinData(s.Data);
    EXPECT_EQ(split->Height(), 6);
    TBitmap shot(300, 6);
    form.PaintTo(shot.Canvas(), 0, 0);
    int grip = 0;
    for (int x = 0; x < 300; ++x) grip += shot.Pixel(x, 3) == kTR;
    EXPECT_EQ(grip, 10);
    EXPECT_EQ(shot.Pixel(145, 3), kTR);
    EXPECT_EQ(shot.Pixel(10, 3), kClient);
    // A transparent splitter paints nothing and keeps its own thickness.
    split->SetTransparent(true);
    split->ChangeSkinData();
    EXPECT_EQ(split->Height(), split->DefaultSize);
    form.PaintTo(shot.Canvas(), 0, 0);
    EXPECT_NE(shot.Pixel(145, 3), kTR);
}

}  // namespace
