// The program's own skin: the same bytes from every build, and every part the
// program needs present and drawn inside its pictures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "skin/core/ControlDescriptors.h"
#include "skin/core/qlSkinData.h"
#include "skin/default/DefaultSkin.h"

namespace {

std::string InflatedDefault() {
    TqlCompressedStoredSkin stored(nullptr);
    stored.LoadFromParts(BuildDefaultSkin());
    TMemoryStream inflated;
    stored.DecompressTo(inflated);
    return inflated.Bytes();
}

// The contrast ratio of two colours as the web's accessibility rules compute it.
double Contrast(TColor a, TColor b) {
    auto luminance = [](TColor c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

TEST(DefaultSkin, EveryBuildGivesTheSameBytesAsTheOneCompiledIn) {
    const std::string first = InflatedDefault();
    EXPECT_EQ(InflatedDefault(), first);
    TqlCompressedStoredSkin compiled(nullptr);
    compiled.SetCompressedData(DefaultSkinZlib());
    TMemoryStream inflated;
    compiled.DecompressTo(inflated);
    EXPECT_EQ(inflated.Bytes(), first);
}

TEST(DefaultSkin, PassesTheLintAsTheProgramLoadsIt) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    TqlSkinData skin(nullptr);
    skin.LoadFromStoredSkin(stored);
    EXPECT_EQ(LintSkin(skin), std::vector<std::string>{});
    EXPECT_EQ(skin.SkinName, "Lexmoor Calm");
    EXPECT_EQ(skin.ActivePictures.size(), 5u);
}

// The lint must find what it is there to find.
TEST(DefaultSkin, TheLintReportsMissingPartsAndStrayRectangles) {
    TqlSkinContainer c = BuildDefaultSkin();
    auto replace = [&](const std::string& from, const std::string& to) {
        const size_t at = c.IniText.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        c.IniText.replace(at, from.size(), to);
    };
    replace("=button:button", "=knob:button");
    replace("[edit]\r\npictureindex=1", "[edit]\r\npictureindex=7");
    // The up-down's image moved off the right edge of its picture.
    const size_t section = c.IniText.find("[hupdown]");
    const size_t key = c.IniText.find("skinrect=", section) + 9;
    c.IniText.replace(key, c.IniText.find("\r\n", key) - key, "250,0,266,16");
    TqlCompressedStoredSkin stored(nullptr);
    stored.LoadFromParts(c);
    TqlSkinData skin(nullptr);
    skin.LoadFromStoredSkin(stored);
    const std::vector<std::string> problems = LintSkin(skin);
    auto has = [&](const std::string& text) {
        for (const std::string& p : problems)
            if (p.find(text) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(has("missing control button"));
    EXPECT_TRUE(has("control edit has an image but no picture"));
    EXPECT_TRUE(has("control hupdown: skinrect"));
}

// A gauge's text ("Outputting Line ...") runs over the filled bar and the empty
// track alike, so its colour must read on both (4.5:1, the usual figure for text).
TEST(DefaultSkin, GaugeTextReadsOnTheBarAndOnTheTrack) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    TqlSkinData skin(nullptr);
    skin.LoadFromStoredSkin(stored);
    for (const char* name : {"gauge", "statusgauge", "vgauge"}) {
        SCOPED_TRACE(name);
        const int index = skin.IndexOfControlData(name);
        ASSERT_GE(index, 0);
        const auto& d = dynamic_cast<const TqlDataSkinGaugeControl&>(*skin.CtrlList[size_t(index)]);
        const TBitmap& picture = *skin.ActivePictures[size_t(d.PictureIndex)];
        const TColor bar = picture.Pixel((d.ProgressRect.Left + d.ProgressRect.Right) / 2,
                                         (d.ProgressRect.Top + d.ProgressRect.Bottom) / 2);
        const TColor track =
            picture.Pixel(d.SkinRect.Left + d.ProgressArea.Left + 2, (d.SkinRect.Top + d.SkinRect.Bottom) / 2);
        EXPECT_GE(Contrast(d.FontColor, bar), 4.5);
        EXPECT_GE(Contrast(d.FontColor, track), 4.5);
    }
}

// A scroll bar at rest shows its arrows, shaped as the arrows of its hovered
// buttons (only their colours differ).
TEST(DefaultSkin, ScrollBarsAtRestShowTheirArrows) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    TqlSkinData skin(nullptr);
    skin.LoadFromStoredSkin(stored);
    // Where a cell differs from its own top-left pixel: the glyph on its face.
    const auto glyph = [](const TBitmap& pic, const TRect& r) {
        std::vector<bool> marks;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) marks.push_back(pic.Pixel(x, y) != pic.Pixel(r.Left, r.Top));
        return marks;
    };
    for (const char* name : {"vscrollbar", "hscrollbar", "bothhscrollbar"}) {
        SCOPED_TRACE(name);
        const int index = skin.IndexOfControlData(name);
        ASSERT_GE(index, 0);
        const auto* bar = dynamic_cast<const TqlDataSkinScrollBarControl*>(skin.CtrlList[size_t(index)].get());
        ASSERT_NE(bar, nullptr);
        const TBitmap& pic = *skin.ActivePictures.at(size_t(bar->PictureIndex));
        const auto atRest = [&](const TRect& r) {
            return Rect(bar->SkinRect.Left + r.Left, bar->SkinRect.Top + r.Top, bar->SkinRect.Left + r.Right,
                        bar->SkinRect.Top + r.Bottom);
        };
        for (const auto& [rest, hover] : {std::pair{bar->DownButtonRect, bar->ActiveDownButtonRect},
                                          std::pair{bar->UpButtonRect, bar->ActiveUpButtonRect}}) {
            const std::vector<bool> shape = glyph(pic, hover);
            ASSERT_NE(std::count(shape.begin(), shape.end(), true), 0) << "the hovered button has an arrow";
            EXPECT_EQ(glyph(pic, atRest(rest)), shape);
        }
    }
}
