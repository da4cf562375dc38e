// The skin data component: what a load fills in, how every form hears of it,
// lookups by name, and what a skin that cannot be read leaves behind.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "skin/core/qlSkinData.h"
#include "tests/skin/core/SkinFixtures.h"

using namespace std::string_literals;

namespace {

struct Heard {
    std::string form;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A form that notes every skin message it receives.
class ListeningForm : public TForm {
public:
    ListeningForm(TComponent* owner, std::string name, std::vector<Heard>& log) : TForm(owner), FLog(log) {
        Name = std::move(name);
    }
    std::function<void(UINT)> OnSkinMessage;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg >= WM_BEFORECHANGESKINDATA && m.Msg <= WM_CHANGESKINNABLEFORM) {
            FLog.push_back({Name, m.Msg, m.WParam, m.LParam});
            if (OnSkinMessage) OnSkinMessage(m.Msg);
        }
        TForm::WndProc(m);
    }

private:
    std::vector<Heard>& FLog;
};

const std::string kSkinIni =
    "[VERSION]\r\nskinname=Test skin\r\nskinauthor=Someone\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n"
    "[FORMINFO]\r\nclientrect=10,20,90,80\r\nlefttoppoint=4,4\r\nrightbottompoint=96,96\r\nrighttoppoint=96,4\r\n"
    "leftbottompoint=4,96\r\nhittestlefttoppoint=0,5\r\nhittestrighttoppoint=7,8\r\nbgpictureindex=1\r\n"
    "inactiveeffect=iedarkness\r\n"
    "[SKINCOLORS]\r\ncbtnface=12632256\r\n"
    "[HINTWINDOW]\r\nwindowpictureindex=0\r\n"
    "[POPUPWINDOW]\r\nwindowpictureindex=9\r\n"
    "[SKINOBJECTS]\r\ncount=2\r\n0=closebutton:stdbutton\r\n1=caption:caption\r\n"
    "[closebutton]\r\ncommand=cmclose\r\nactivepictureindex=1\r\n"
    "[SKINCONTROLS]\r\ncount=7\r\n0=button:button\r\n1=no colon\r\n2=Button:checkradio\r\n3=odd:unknownword\r\n"
    "4=button:panel\r\n5=gauge:gauge\r\n6=far:panel\r\n"
    "[button]\r\npictureindex=1\r\nskinrect=0,0,2,2\r\nfontname=Verdana\r\n"
    "[gauge]\r\npictureindex=2\r\nmaskpictureindex=-5\r\n"
    "[far]\r\nbgpictureindex=7\r\n";

class SkinData : public testing::Test {
protected:
    void SetUp() override {
        owner = new ListeningForm(nullptr, "owner", log);
        other1 = new ListeningForm(nullptr, "other1", log);
        other2 = new ListeningForm(nullptr, "other2", log);
    }
    void TearDown() override {
        delete other2;
        delete other1;
        delete owner;
    }
    std::vector<UINT> MessagesOf(const std::string& form) const {
        std::vector<UINT> out;
        for (const Heard& h : log)
            if (h.form == form) out.push_back(h.msg);
        return out;
    }

    std::vector<Heard> log;
    ListeningForm* owner = nullptr;
    ListeningForm* other1 = nullptr;
    ListeningForm* other2 = nullptr;
};

}  // namespace

TEST_F(SkinData, ALoadFillsPicturesDescriptorsFramesAndColours) {
    auto* data = new TqlSkinData(owner);
    auto* stored = new TqlCompressedStoredSkin(owner);
    StoreSkin(*stored, kSkinIni, 2);
    data->SetCompressedStoredSkin(stored);

    EXPECT_FALSE(data->Empty);
    EXPECT_FALSE(data->Changing);
    EXPECT_EQ(data->SkinName, "Test skin");
    EXPECT_EQ(data->SkinAuthor, "Someone");
    EXPECT_EQ(data->Picture.Width(), 4);
    EXPECT_EQ(data->MaskName, "mask.bmp");
    ASSERT_EQ(data->ActivePictures.size(), 2u);
    EXPECT_EQ(data->ActivePicturesNames.Text(), "a.bmp\r\nb.bmp\r\n");
    EXPECT_EQ(data->SkinColors.cBtnFace, 12632256);
    EXPECT_EQ(data->SkinColors.cWindow, -16777211);
    EXPECT_EQ(data->HintWindow.WindowPictureIndex, 0);
    EXPECT_EQ(data->HintWindow.FontHeight, 14);
    EXPECT_EQ(data->PopupWindow.WindowPictureIndex, -1);  // 9 names no picture
    EXPECT_EQ(data->InActiveEffect, TqlInActiveEffect::ieDarkness);
    EXPECT_EQ(data->BGPictureIndex, 1);

    // Entries in order; one without a colon or with an unknown word makes nothing.
    ASSERT_EQ(data->CtrlList.size(), 5u);
    EXPECT_EQ(data->IndexOfControlData("button"), 0);
    EXPECT_EQ(data->IndexOfControlData("Button"), 1);
    EXPECT_EQ(data->IndexOfControlData("BUTTON"), -1);
    EXPECT_EQ(data->IndexOfControlData("odd"), -1);
    EXPECT_EQ(data->IndexOfControlData(""), -1);
    EXPECT_EQ(data->IndexOfControlData("gauge"), 3);
    auto* button = dynamic_cast<TqlDataSkinButtonControl*>(data->CtrlList[0].get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->FontName, "Verdana");
    EXPECT_EQ(button->PictureIndex, 1);
    // The duplicate "button" is a panel further down, found by no lookup.
    EXPECT_NE(dynamic_cast<TqlDataSkinPanelControl*>(data->CtrlList[2].get()), nullptr);
    // Picture indexes that name no loaded picture read as none.
    EXPECT_EQ(data->CtrlList[3]->PictureIndex, -1);
    EXPECT_EQ(data->CtrlList[3]->MaskPictureIndex, -1);
    EXPECT_EQ(static_cast<TqlDataSkinPanelControl*>(data->CtrlList[4].get())->BGPictureIndex, -1);

    ASSERT_EQ(data->ObjectList.size(), 2u);
    EXPECT_EQ(data->IndexOfObjectData("caption"), 1);
    EXPECT_EQ(data->IndexOfObjectData("Caption"), -1);
    auto* close = dynamic_cast<TqlDataSkinStdButton*>(data->ObjectList[0].get());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Command, TqlStdCommand::cmClose);
    EXPECT_EQ(close->ActivePictureIndex, 1);
}

TEST_F(SkinData, FormInfoNormalisesTheMaskAreaHitTestPointsAndCorners) {
    auto* data = new TqlSkinData(owner);
    TqlCompressedStoredSkin stored(nullptr);
    StoreSkin(stored, kSkinIni);
    data->LoadFromStoredSkin(stored);
    EXPECT_EQ(data->MaskRectArea, Rect(10, 20, 90, 80));  // none given, a mask named: the client area
    EXPECT_EQ(data->HitTestLTPoint, Point(4, 4));         // X 0: the corner point
    EXPECT_EQ(data->HitTestRTPoint, Point(7, 8));
    // Corners pulled into the client area.
    EXPECT_EQ(data->LTPoint, Point(10, 20));
    EXPECT_EQ(data->RTPoint, Point(90, 20));
    EXPECT_EQ(data->LBPoint, Point(10, 80));
    EXPECT_EQ(data->RBPoint, Point(90, 80));

    StoreSkin(stored,
              "[FORMINFO]\r\nclientrect=10,20,90,80\r\nmaskrectarea=0,30,50,40\r\nlefttoppoint=4,4\r\n"
              "rightbottompoint=4,96\r\n[PICTURES]\r\nmask=m.bmp\r\n");
    data->LoadFromStoredSkin(stored);
    EXPECT_EQ(data->MaskRectArea, Rect(0, 20, 90, 80));  // widened to hold the client area
    EXPECT_EQ(data->LTPoint, Point(4, 4));               // same X on both corners: left alone
    EXPECT_EQ(data->RBPoint, Point(4, 96));
}

TEST_F(SkinData, EveryFormHearsEachMessageOnceOwnerFirst) {
    auto* data = new TqlSkinData(owner);
    TqlCompressedStoredSkin stored(nullptr);
    StoreSkin(stored, kSkinIni);
    bool emptyAtBefore = false, changingAtChange = false, changingAtAfter = true;
    owner->OnSkinMessage = [&](UINT msg) {
        if (msg == WM_BEFORECHANGESKINDATA) emptyAtBefore = data->Empty;
        if (msg == WM_CHANGESKINDATA) changingAtChange = data->Changing && !data->Empty;
        if (msg == WM_AFTERCHANGESKINDATA) changingAtAfter = data->Changing;
    };
    data->LoadFromStoredSkin(stored);
    const std::vector<UINT> all = {WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA};
    EXPECT_EQ(MessagesOf("owner"), all);
    EXPECT_EQ(MessagesOf("other1"), all);
    EXPECT_EQ(MessagesOf("other2"), all);
    ASSERT_EQ(log.size(), 9u);
    for (size_t i = 0; i < log.size(); i += 3) EXPECT_EQ(log[i].form, "owner");
    for (const Heard& h : log) {
        EXPECT_EQ(h.wParam, reinterpret_cast<WPARAM>(data));
        EXPECT_EQ(h.lParam, 1000);
    }
    EXPECT_TRUE(emptyAtBefore);
    EXPECT_TRUE(changingAtChange);
    EXPECT_FALSE(changingAtAfter);

    log.clear();
    data->SetSkinnableForm(false);
    data->SetSkinnableForm(false);  // no change, no message
    auto* strings = new TqlResourceStrData(owner);
    data->SetResourceStrData(strings);
    EXPECT_EQ(MessagesOf("owner"), (std::vector<UINT>{WM_CHANGESKINNABLEFORM, WM_CHANGERESOURCESTRDATA}));
    EXPECT_EQ(MessagesOf("other2"), (std::vector<UINT>{WM_CHANGESKINNABLEFORM, WM_CHANGERESOURCESTRDATA}));
}

TEST_F(SkinData, AFormFreedDuringTheBroadcastIsSkipped) {
    auto* data = new TqlSkinData(owner);
    TqlCompressedStoredSkin stored(nullptr);
    StoreSkin(stored, kSkinIni);
    owner->OnSkinMessage = [&](UINT msg) {
        if (msg == WM_BEFORECHANGESKINDATA && other1) {
            delete other1;
            other1 = nullptr;
        }
    };
    data->LoadFromStoredSkin(stored);
    EXPECT_TRUE(MessagesOf("other1").empty());
    EXPECT_EQ(MessagesOf("other2").size(), 3u);
}

TEST_F(SkinData, ASkinThatCannotBeReadLeavesAnEmptySkinAndTellsEveryForm) {
    auto* data = new TqlSkinData(owner);
    TqlCompressedStoredSkin good(nullptr);
    StoreSkin(good, kSkinIni);
    data->LoadFromStoredSkin(good);
    ASSERT_FALSE(data->Empty);

    const std::string zlib = good.CompressedStream.Bytes();
    struct Case {
        const char* name;
        std::string zlibBytes;
    };
    const Case cases[] = {
        {"version 4", Deflate(Int32Bytes(4) + "\1\1\1"s + Int32Bytes(0))},
        {"truncated zlib", zlib.substr(0, zlib.size() - 9)},
        {"a billion pictures", Deflate(Int32Bytes(3) + "\1\1\1"s + Int32Bytes(1000000000))},
        {"16384 x 8192 pixels", Deflate(Int32Bytes(3) + "\0"s + OneBitBmp(16384, 8192) + "\1\1"s + Int32Bytes(0))},
        {"an INI line too many", Deflate(Int32Bytes(3) + "\1\1\1"s + Int32Bytes(0) + "[VERSION]\r\n" +
                                         std::string(size_t(kMaxSkinIniLines), '\n'))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data->LoadFromStoredSkin(good);
        log.clear();
        TqlCompressedStoredSkin bad(nullptr);
        bad.SetCompressedData(c.zlibBytes);
        EXPECT_THROW(data->LoadFromStoredSkin(bad), Exception);
        EXPECT_TRUE(data->Empty);
        EXPECT_FALSE(data->Changing);
        EXPECT_TRUE(data->CtrlList.empty());
        EXPECT_EQ(data->IndexOfControlData("button"), -1);
        EXPECT_TRUE(data->Picture.Empty());
        EXPECT_EQ(MessagesOf("other1"),
                  (std::vector<UINT>{WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA}));
    }

    log.clear();
    TqlCompressedStoredSkin empty(nullptr);
    data->LoadFromStoredSkin(empty);  // nothing held: nothing happens
    EXPECT_TRUE(log.empty());
}

TEST_F(SkinData, HugeEntryCountsReturnAtOnce) {
    auto* data = new TqlSkinData(owner);
    TqlCompressedStoredSkin stored(nullptr);
    StoreSkin(stored,
              "[SKINCONTROLS]\r\ncount=2147483647\r\n0=button:button\r\n[SKINOBJECTS]\r\ncount=2147483647\r\n"
              "[PICTURES]\r\nactivepicturescount=2147483647\r\n");
    data->LoadFromStoredSkin(stored);
    EXPECT_EQ(data->CtrlList.size(), 1u);
    EXPECT_TRUE(data->ObjectList.empty());
    EXPECT_EQ(data->ActivePicturesNames.Count(), kMaxStringListCount);
}

// A gap in the entry numbers makes no descriptor; a gap in the picture names
// keeps every later name at its picture's number.
TEST_F(SkinData, EntriesAfterAGapInTheNumbersAreLoaded) {
    auto* data = new TqlSkinData(owner);
    TqlCompressedStoredSkin stored(nullptr);
    StoreSkin(stored,
              "[SKINCONTROLS]\r\ncount=5\r\n4=gauge:gauge\r\n0=button:button\r\n"
              "[SKINOBJECTS]\r\ncount=3\r\n2=caption:caption\r\n"
              "[PICTURES]\r\nactivepicturescount=4\r\n3=d.bmp\r\n1=b.bmp\r\n");
    data->LoadFromStoredSkin(stored);
    ASSERT_EQ(data->CtrlList.size(), 2u);
    EXPECT_EQ(data->IndexOfControlData("button"), 0);
    EXPECT_EQ(data->IndexOfControlData("gauge"), 1);
    EXPECT_EQ(data->IndexOfObjectData("caption"), 0);
    EXPECT_EQ(data->ActivePicturesNames.Items(), (std::vector<std::string>{"", "b.bmp", "", "d.bmp"}));
}

TEST_F(SkinData, FreeingTheStoredSkinKeepsTheLoadedSkin) {
    auto* data = new TqlSkinData(owner);
    auto* stored = new TqlCompressedStoredSkin(owner);
    StoreSkin(*stored, kSkinIni);
    data->SetCompressedStoredSkin(stored);
    delete stored;
    EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(data->Empty);
    EXPECT_EQ(data->IndexOfControlData("gauge"), 3);
}

TEST_F(SkinData, ASkinListSwitchesSkinsByIndex) {
    auto* data = new TqlSkinData(owner);
    auto* list = new TqlCompressedSkinList(owner);
    StoreSkin(list->Skins().Add().Skin(), "[VERSION]\r\nskinname=first\r\n");
    StoreSkin(list->Skins().Add().Skin(), "[VERSION]\r\nskinname=second\r\n");
    data->SetSkinList(list);
    EXPECT_EQ(data->SkinName, "first");
    data->SetSkinIndex(1);
    EXPECT_EQ(data->SkinName, "second");
    data->SetSkinIndex(5);  // out of range: ignored
    EXPECT_EQ(data->SkinIndex(), 1);
    EXPECT_EQ(data->SkinName, "second");
    list->Skins().Add();  // an empty stored skin: selecting it changes nothing
    log.clear();
    data->SetSkinIndex(2);
    EXPECT_EQ(data->SkinName, "second");
    EXPECT_TRUE(log.empty());
}

TEST(SkinDataNames, EntriesSplitAtTheFirstColon) {
    std::string id, type;
    TqlSkinData::SplitNameType("a:b:c", id, type);
    EXPECT_EQ(id, "a");
    EXPECT_EQ(type, "b:c");
    TqlSkinData::SplitNameType("nocolon", id, type);
    EXPECT_EQ(id, "");
    EXPECT_EQ(type, "");
    TqlSkinData::SplitNameType(":panel", id, type);
    EXPECT_EQ(id, "");
    EXPECT_EQ(type, "panel");
}

TEST(SkinDataFormInfo, WrittenFrameDataReadsBack) {
    TqlSkinData written(nullptr);
    written.ClientRect = Rect(1, 30, 99, 79);
    written.LTPoint = {2, 2};
    written.RBPoint = {2, 50};  // the same X: no pulling into the client area
    written.HitTestRBPoint = {7, 9};
    written.MDIBGPictureIndex = 3;
    written.ButtonsRect = Rect(60, 2, 98, 28);
    written.ButtonsInLeft = true;
    written.BorderWidth = 3;
    written.StretchType = TqlStretchType::stVert;
    written.InActiveEffect = TqlInActiveEffect::ieInvert;
    TMemIniFile ini;
    written.WriteFormInfo(ini);
    TqlSkinData read(nullptr);
    read.ReadFormInfo(ini);
    EXPECT_EQ(read.ClientRect, written.ClientRect);
    EXPECT_EQ(read.LTPoint, written.LTPoint);
    EXPECT_EQ(read.RBPoint, written.RBPoint);
    EXPECT_EQ(read.HitTestRBPoint, written.HitTestRBPoint);
    EXPECT_EQ(read.MDIBGPictureIndex, 3);
    EXPECT_EQ(read.BGPictureIndex, -1);
    EXPECT_EQ(read.ButtonsRect, written.ButtonsRect);
    EXPECT_TRUE(read.ButtonsInLeft);
    EXPECT_EQ(read.BorderWidth, 3);
    EXPECT_EQ(read.StretchType, TqlStretchType::stVert);
    EXPECT_EQ(read.InActiveEffect, TqlInActiveEffect::ieInvert);
}
