// Control and form-part descriptors: the class each type word makes, the
// fallbacks of an empty section, that every key reads back as written, and
// the reading quirks of particular classes.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/core/SysUtils.h"
#include "skin/core/qlSkinData.h"
#include "tests/skin/core/SkinIniText.h"

namespace {

// Collects every key's current value as text, in key order.
class KeyValues : public TqlSkinKeys {
public:
    std::vector<std::pair<std::string, std::string>> values;

    void Integer(const char* key, int& f, int) override { Put(key, IntToStr(f)); }
    void Bool(const char* key, bool& f) override { Put(key, f ? "1" : "0"); }
    void Rect(const char* key, TRect& f) override {
        Put(key, IntToStr(f.Left) + "," + IntToStr(f.Top) + "," + IntToStr(f.Right) + "," + IntToStr(f.Bottom));
    }
    void Point(const char* key, TPoint& f) override { Put(key, IntToStr(f.X) + "," + IntToStr(f.Y)); }
    void Text(const char* key, std::string& f, const char*) override { Put(key, f); }
    void FontStyles(const char* key, TFontStyles& f) override { Put(key, IntToStr(f)); }
    void Alignment(const char* key, TAlignment& f) override { Put(key, IntToStr(int(f))); }
    void StretchType(const char* key, TqlStretchType& f) override { Put(key, IntToStr(int(f))); }
    void MorphKind(const char* key, TqlMorphKind& f) override { Put(key, IntToStr(int(f))); }
    void InActiveEffect(const char* key, TqlInActiveEffect& f) override { Put(key, IntToStr(int(f))); }
    void Command(const char* key, TqlStdCommand& f) override { Put(key, IntToStr(int(f))); }

    // The keys whose value is not the zero value of its kind.
    std::map<std::string, std::string> NonZero() const {
        std::map<std::string, std::string> out;
        for (const auto& [k, v] : values)
            if (v != "0" && v != "0,0" && v != "0,0,0,0" && !v.empty()) out[k] = v;
        return out;
    }

private:
    void Put(const char* key, std::string v) { values.emplace_back(key, std::move(v)); }
};

// Gives every key a value of its own that differs from its fallback.
class DistinctValues : public TqlSkinKeys {
public:
    void Integer(const char*, int& f, int fallback) override {
        const int v = Next();
        f = v == fallback ? v + 1000 : v;
    }
    void Bool(const char*, bool& f) override { f = true; }
    void Rect(const char*, TRect& f) override { f = {Next(), Next(), Next(), Next()}; }
    void Point(const char*, TPoint& f) override { f = {Next(), Next()}; }
    void Text(const char*, std::string& f, const char*) override { f = "text" + IntToStr(Next()); }
    void FontStyles(const char*, TFontStyles& f) override { f = fsBold | fsStrikeOut; }
    void Alignment(const char*, TAlignment& f) override { f = TAlignment::taRightJustify; }
    void StretchType(const char*, TqlStretchType& f) override { f = TqlStretchType::stHorz; }
    void MorphKind(const char*, TqlMorphKind& f) override { f = TqlMorphKind::mkPush; }
    void InActiveEffect(const char*, TqlInActiveEffect& f) override { f = TqlInActiveEffect::ieInvert; }
    void Command(const char*, TqlStdCommand& f) override { f = TqlStdCommand::cmMinimizeToTray; }

private:
    int Next() { return ++n_; }
    int n_ = 0;
};

std::map<std::string, std::string> NonZeroKeys(TqlSkinKeyed& d) {
    KeyValues kv;
    d.Keys(kv);
    return kv.NonZero();
}

std::vector<std::pair<std::string, std::string>> AllKeys(TqlSkinKeyed& d) {
    KeyValues kv;
    d.Keys(kv);
    return kv.values;
}

using KeyList = std::vector<std::pair<std::string, std::string>>;

// Gives every key of a new descriptor a value of its own, writes it, reads a
// second new one from what was written, and returns the keys of the read one
// and of the written one.
template <class Create>
std::pair<KeyList, KeyList> RoundTrip(Create create) {
    auto written = create();
    DistinctValues fill;
    written->Keys(fill);
    TMemIniFile ini;
    written->WriteToIni(ini);
    auto read = create();
    read->ReadFromIni(ini);
    return {AllKeys(*read), AllKeys(*written)};
}

using Fields = std::map<std::string, std::string>;

const Fields kRoot = {{"pictureindex", "-1"}, {"maskpictureindex", "-1"}};
const Fields kFont = {{"fontname", "Arial"}, {"fontheight", "14"}};

Fields With(std::initializer_list<Fields> parts) {
    Fields out;
    for (const Fields& p : parts) out.insert(p.begin(), p.end());
    return out;
}

template <class T, class B>
bool Is(B* p) {
    return dynamic_cast<T*>(p) != nullptr;
}

struct ControlCase {
    const char* word;
    std::function<bool(TqlDataSkinControl*)> isClass;
    Fields nonZero;  // after reading an empty section
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.word; }

const std::string kCentre = IntToStr(int(TAlignment::taCenter));

std::vector<ControlCase> ControlCases() {
    const Fields listNames = {{"vscrollbarname", "vscrollbar"},
                              {"hscrollbarname", "hscrollbar"},
                              {"bothhscrollbarname", "bothhscrollbar"},
                              {"captionfontname", "Arial"},
                              {"captionfontheight", "14"}};
    return {
        {"panel", Is<TqlDataSkinPanelControl, TqlDataSkinControl>,
         With({kRoot, kFont, {{"bgpictureindex", "-1"}, {"alignment", kCentre}}})},
        {"expanel", Is<TqlDataSkinExPanelControl, TqlDataSkinControl>, With({kRoot, kFont})},
        {"menubutton", Is<TqlDataSkinMenuButtonControl, TqlDataSkinControl>,
         With({kRoot, kFont, {{"animateinterval", "25"}}})},
        {"button", [](TqlDataSkinControl* d) { return typeid(*d) == typeid(TqlDataSkinButtonControl); },
         With({kRoot, kFont, {{"animateinterval", "25"}}})},
        {"checkradio", Is<TqlDataSkinCheckRadioControl, TqlDataSkinControl>, With({kRoot, kFont})},
        {"gauge", Is<TqlDataSkinGaugeControl, TqlDataSkinControl>, With({kRoot, kFont})},
        {"splitter", Is<TqlDataSkinSplitterControl, TqlDataSkinControl>, kRoot},
        {"trackbar", Is<TqlDataSkinTrackBarControl, TqlDataSkinControl>, kRoot},
        {"label", Is<TqlDataSkinLabelControl, TqlDataSkinControl>, With({kRoot, kFont})},
        {"stdlabel", Is<TqlDataSkinStdLabelControl, TqlDataSkinControl>,
         With({kRoot, kFont, {{"activefontcolor", "16711680"}}})},
        {"updown", Is<TqlDataSkinUpDownControl, TqlDataSkinControl>, kRoot},
        {"grid", Is<TqlDataSkinGridControl, TqlDataSkinControl>,
         With({kRoot, kFont, {{"bgpictureindex", "-1"}, {"fixedfontname", "Arial"}, {"fixedfontheight", "14"}}})},
        {"tab", Is<TqlDataSkinTabControl, TqlDataSkinControl>, With({kRoot, kFont, {{"bgpictureindex", "-1"}}})},
        {"mainmenubar", Is<TqlDataSkinMainMenuBar, TqlDataSkinControl>, kRoot},
        {"controlbar", Is<TqlDataSkinControlBar, TqlDataSkinControl>,
         With({kRoot, {{"bgpictureindex", "-1"}, {"itemoffset1", "3"}, {"itemoffset2", "3"}}})},
        {"memo", Is<TqlDataSkinMemoControl, TqlDataSkinControl>, With({kRoot, kFont})},
        {"edit", [](TqlDataSkinControl* d) { return typeid(*d) == typeid(TqlDataSkinEditControl); },
         With({kRoot, kFont})},
        {"checklistbox", Is<TqlDataSkinCheckListBox, TqlDataSkinControl>, With({kRoot, kFont, listNames})},
        {"listbox", [](TqlDataSkinControl* d) { return typeid(*d) == typeid(TqlDataSkinListBox); },
         With({kRoot, kFont, listNames})},
        {"combobox", Is<TqlDataSkinComboBox, TqlDataSkinControl>, With({kRoot, kFont})},
        {"scrollbar", Is<TqlDataSkinScrollBarControl, TqlDataSkinControl>, kRoot},
        {"spinedit", Is<TqlDataSkinSpinEditControl, TqlDataSkinControl>, With({kRoot, kFont})},
        {"scrollbox", Is<TqlDataSkinScrollBoxControl, TqlDataSkinControl>, With({kRoot, {{"bgpictureindex", "-1"}}})},
        {"treeview", Is<TqlDataSkinTreeView, TqlDataSkinControl>, With({kRoot, kFont})},
        {"bevel", Is<TqlDataSkinBevel, TqlDataSkinControl>, kRoot},
        {"slider", Is<TqlDataSkinSlider, TqlDataSkinControl>, kRoot},
        {"listview", Is<TqlDataSkinListView, TqlDataSkinControl>, With({kRoot, kFont})},
        {"richedit", Is<TqlDataSkinRichEdit, TqlDataSkinControl>, With({kRoot, kFont})},
    };
}

struct ObjectCase {
    const char* word;
    std::function<bool(TqlDataSkinObject*)> isClass;
    Fields nonZero;
};

void PrintTo(const ObjectCase& c, std::ostream* os) { *os << c.word; }

const Fields kObject = {{"activepictureindex", "-1"}};
const std::string kDefaultCommand = IntToStr(int(TqlStdCommand::cmDefault));

std::vector<ObjectCase> ObjectCases() {
    return {
        {"menuitem", Is<TqlDataSkinMenuItem, TqlDataSkinObject>, With({kObject, kFont, {{"animateinterval", "25"}}})},
        {"mainmenubaritem", Is<TqlDataSkinMainMenuBarItem, TqlDataSkinObject>,
         With({kObject, kFont, {{"animateinterval", "25"}}})},
        {"stdbutton", [](TqlDataSkinObject* d) { return typeid(*d) == typeid(TqlDataSkinStdButton); },
         With({kObject, {{"command", kDefaultCommand}}})},
        {"mainmenubarbutton", Is<TqlDataSkinMainMenuBarButton, TqlDataSkinObject>,
         With({kObject, {{"command", kDefaultCommand}}})},
        {"button", [](TqlDataSkinObject* d) { return typeid(*d) == typeid(TqlDataSkinButton); }, kObject},
        {"caption", Is<TqlDataSkinCaption, TqlDataSkinObject>,
         With({kObject, kFont, {{"alignment", kCentre}, {"animateinterval", "25"}}})},
        {"animate", Is<TqlDataSkinAnimate, TqlDataSkinObject>,
         With({kObject, {{"countframes", "1"}, {"timerinterval", "50"}, {"command", kDefaultCommand}}})},
        {"userobject", Is<TqlDataUserObject, TqlDataSkinObject>, {}},
    };
}

}  // namespace

class ControlDescriptorTypes : public testing::TestWithParam<ControlCase> {};

// Reading a section that is empty (or absent) must leave each key at its
// fallback; listed here are the fallbacks that are not zero.
TEST_P(ControlDescriptorTypes, TypeWordMakesItsClassAndAnEmptySectionGivesTheFallbacks) {
    const ControlCase& c = GetParam();
    auto d = CreateControlDescriptor(c.word, "some name");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(c.isClass(d.get()));
    EXPECT_EQ(d->IDName, "some name");
    d->ReadFromIni(*IniFromText("[some name]\n[other]\nfontname=Courier\n"));
    EXPECT_EQ(NonZeroKeys(*d), c.nonZero);
}

// Every key, given a value of its own, must read back as written: a key
// spelt differently by reader and writer, or two fields sharing one key, fail here.
TEST_P(ControlDescriptorTypes, EveryKeyReadsBackAsWritten) {
    const std::string word = GetParam().word;
    auto [read, expected] = RoundTrip([&] { return CreateControlDescriptor(word, "x"); });
    if (word == "updown") {  // the pair has no corners or client area
        for (auto& [key, value] : expected) {
            if (key.find("point") != std::string::npos) value = "0,0";
            if (key == "clientrect") value = "0,0,0,0";
        }
    }
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(AllTypeWords, ControlDescriptorTypes, testing::ValuesIn(ControlCases()),
                         [](const auto& info) { return std::string(info.param.word); });

class ObjectDescriptorTypes : public testing::TestWithParam<ObjectCase> {};

TEST_P(ObjectDescriptorTypes, TypeWordMakesItsClassAndAnEmptySectionGivesTheFallbacks) {
    const ObjectCase& c = GetParam();
    auto d = CreateObjectDescriptor(c.word, "part");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(c.isClass(d.get()));
    EXPECT_EQ(d->IDName, "part");
    d->ReadFromIni(*IniFromText("[part]\n"));
    EXPECT_EQ(NonZeroKeys(*d), c.nonZero);
}

TEST_P(ObjectDescriptorTypes, EveryKeyReadsBackAsWritten) {
    const std::string word = GetParam().word;
    auto [read, expected] = RoundTrip([&] { return CreateObjectDescriptor(word, "x"); });
    if (word == "animate")  // never morphs
        for (auto& [key, value] : expected)
            if (key == "morphing") value = "0";
    EXPECT_EQ(read, expected);
}

INSTANTIATE_TEST_SUITE_P(AllTypeWords, ObjectDescriptorTypes, testing::ValuesIn(ObjectCases()),
                         [](const auto& info) { return std::string(info.param.word); });

TEST(DescriptorTypeWords, OnlyExactWordsMakeDescriptors) {
    for (const char* word : {"Button", "BUTTON", "button ", " panel", "", "vgauge", "htrackbar", "statusbar"}) {
        SCOPED_TRACE(std::string("\"") + word + "\"");
        EXPECT_EQ(CreateControlDescriptor(word, "n"), nullptr);
        EXPECT_EQ(CreateObjectDescriptor(word, "n"), nullptr);
    }
    EXPECT_EQ(CreateObjectDescriptor("mainmenuitem", "n"), nullptr);  // a base without a word of its own
}

TEST(ControlDescriptors, GeometryAndFontsComeFromTheirSection) {
    auto ini = IniFromText(
        "[button]\n"
        "pictureindex=2\nskinrect=458,272,500,294\nclientrect=3, 4, 39, 18\nlefttoppoint=-3, 7\n"
        "leftstretch=2\ntopstretch=1\nstretchtype=stvert\n"
        "fontname=Tahoma\nfontstyle=fsboldfsitalic\nmorphkind=MKPUSH\nmorphing=1\n"
        "[Button]\nfontname=shadowed by the first section of that name\n");
    TqlDataSkinButtonControl b("button");
    b.ReadFromIni(*ini);
    EXPECT_EQ(b.PictureIndex, 2);
    EXPECT_EQ(b.SkinRect, Rect(458, 272, 500, 294));
    EXPECT_EQ(b.ClientRect, Rect(3, 4, 39, 18));
    EXPECT_EQ(b.LTPoint, Point(3, 7));
    EXPECT_FALSE(b.LeftStretch);
    EXPECT_TRUE(b.TopStretch);
    EXPECT_EQ(b.StretchType, TqlStretchType::stVert);
    EXPECT_EQ(b.FontName, "Tahoma");
    EXPECT_EQ(b.FontStyle, fsBold | fsItalic);
    EXPECT_EQ(b.MorphKind, TqlMorphKind::mkDefault);
    EXPECT_TRUE(b.Morphing);
}

TEST(ControlDescriptors, AMenuButtonSectionIsAlsoACompleteButton) {
    auto d = CreateControlDescriptor("menubutton", "toolmenubutton");
    d->ReadFromIni(
        *IniFromText("[toolmenubutton]\ndownskinrect=1,2,3,4\nanimateinterval=40\ntrackbuttonrect=5,6,7,8\n"));
    auto* button = dynamic_cast<TqlDataSkinButtonControl*>(d.get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->DownSkinRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(button->AnimateInterval, 40);
    EXPECT_EQ(static_cast<TqlDataSkinMenuButtonControl*>(d.get())->TrackButtonRect, Rect(5, 6, 7, 8));
}

TEST(ControlDescriptors, ACheckListBoxHoldsEveryListBoxField) {
    auto d = CreateControlDescriptor("checklistbox", "checklistbox");
    d->ReadFromIni(*IniFromText("[checklistbox]\nvscrollbarname=myv\nitemrect=1,1,9,9\nitemcheckrect=2,2,8,8\n"));
    auto* list = dynamic_cast<TqlDataSkinListBox*>(d.get());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->VScrollBarName, "myv");
    EXPECT_EQ(list->HScrollBarName, "hscrollbar");
    EXPECT_EQ(list->ItemRect, Rect(1, 1, 9, 9));
    EXPECT_EQ(static_cast<TqlDataSkinCheckListBox*>(d.get())->ItemCheckRect, Rect(2, 2, 8, 8));
}

TEST(ControlDescriptors, AnUpDownHasNoCornersOrClientAreaWhateverItsSectionSays) {
    TqlDataSkinUpDownControl d("hupdown");
    d.ReadFromIni(
        *IniFromText("[hupdown]\nlefttoppoint=1,2\nrighttoppoint=3,4\nleftbottompoint=5,6\n"
                     "rightbottompoint=7,8\nclientrect=1,1,5,5\nleftstretch=1\nstretcheffect=1\n"
                     "upbuttonrect=0,0,16,16\n"));
    EXPECT_EQ(d.LTPoint, Point(0, 0));
    EXPECT_EQ(d.RTPoint, Point(0, 0));
    EXPECT_EQ(d.LBPoint, Point(0, 0));
    EXPECT_EQ(d.RBPoint, Point(0, 0));
    EXPECT_TRUE(d.ClientRect.IsEmpty());
    EXPECT_TRUE(d.LeftStretch);
    EXPECT_TRUE(d.StretchEffect);
    EXPECT_EQ(d.UpButtonRect, Rect(0, 0, 16, 16));
}

// A strip of animation frames is cut by the frame count: a count below one
// would divide by zero, so it means no animation at all.
TEST(ControlDescriptors, AnimationWithoutFramesIsNoAnimation) {
    struct Case {
        const char* frames;
        int expectedFrames;
        bool stripKept;
    };
    const Case cases[] = {{"4", 4, true}, {"1", 1, true}, {"0", 0, false}, {"-3", 0, false}, {"none", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        const std::string f = c.frames;
        TqlDataSkinButtonControl button("b");
        button.ReadFromIni(*IniFromText("[b]\nanimateskinrect=0,0,40,100\nframecount=" + f));
        EXPECT_EQ(button.FrameCount, c.expectedFrames);
        EXPECT_EQ(!button.AnimateSkinRect.IsEmpty(), c.stripKept);

        TqlDataSkinGaugeControl gauge("g");
        gauge.ReadFromIni(*IniFromText("[g]\nprogressanimationskinrect=0,0,40,10\nprogressanimationcountframes=" + f +
                                       "\nanimationskinrect=0,0,8,8\nanimationcountframes=" + f));
        EXPECT_EQ(gauge.ProgressAnimationCountFrames, c.expectedFrames);
        EXPECT_EQ(!gauge.ProgressAnimationSkinRect.IsEmpty(), c.stripKept);
        EXPECT_EQ(gauge.AnimationCountFrames, c.expectedFrames);

        TqlDataSkinMenuItem item("m");
        item.ReadFromIni(*IniFromText("[m]\nanimateskinrect=0,0,40,100\nframecount=" + f));
        EXPECT_EQ(item.FrameCount, c.expectedFrames);
        EXPECT_EQ(!item.AnimateSkinRect.IsEmpty(), c.stripKept);

        TqlDataSkinAnimate animate("a");
        animate.ReadFromIni(*IniFromText("[a]\nskinrect=0,0,40,10\ncountframes=" + f));
        EXPECT_EQ(animate.CountFrames, std::max(c.expectedFrames, 1));
    }
}

TEST(ObjectDescriptors, ReadingQuirksOfParticularClasses) {
    auto ini = IniFromText(
        "[user]\nhint=Ignored\nactivepictureindex=3\nskinrect=1,2,3,4\n"
        "[anim]\nmorphing=1\n"
        "[item]\ncheckimagerect=1,1,5,5\nradioimagerect=2,2,6,6\nactiveradioimagerect=9,9,12,12\narrowimagerect=3,3,7,"
        "7\n"
        "[close]\ncommand=cmminimizetotray\ndisableskinrsect=4,4,8,8\n"
        "[shouting]\ncommand=CMCLOSE\n"
        "[bar]\nunenabledfontColor=255\n");
    TqlDataUserObject user("user");
    user.ReadFromIni(*ini);
    EXPECT_EQ(user.SkinRect, Rect(1, 2, 3, 4));
    EXPECT_EQ(user.Hint, "");
    EXPECT_EQ(user.ActivePictureIndex, -1);

    TqlDataSkinAnimate anim("anim");
    anim.ReadFromIni(*ini);
    EXPECT_FALSE(anim.Morphing);

    TqlDataSkinMenuItem item("item");
    item.ReadFromIni(*ini);
    EXPECT_EQ(item.ActiveCheckImageRect, Rect(1, 1, 5, 5));
    EXPECT_EQ(item.ActiveRadioImageRect, Rect(9, 9, 12, 12));
    EXPECT_EQ(item.ActiveArrowImageRect, Rect(3, 3, 7, 7));

    TqlDataSkinStdButton close("close");
    close.ReadFromIni(*ini);
    EXPECT_EQ(close.Command, TqlStdCommand::cmMinimizeToTray);
    EXPECT_EQ(close.DisableSkinRect, Rect(4, 4, 8, 8));

    // An unknown word must not make a button that hides the window in the tray.
    TqlDataSkinStdButton shouting("shouting");
    shouting.ReadFromIni(*ini);
    EXPECT_EQ(shouting.Command, TqlStdCommand::cmDefault);

    TqlDataSkinMainMenuBarItem bar("bar");
    bar.ReadFromIni(*ini);
    EXPECT_EQ(bar.UnEnabledFontColor, 255);
}
