// Device-independent pixel blocks, regions from rectangle lists and image lists.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/gui/graphics/Dib.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/graphics/RegionData.h"

TEST(DibSection, RowsArePaddedToFourBytes) {
    struct Case {
        int width;
        int rowSize;
    };
    for (const Case& c : std::vector<Case>{{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {7, 24}}) {
        SCOPED_TRACE(c.width);
        const TDibSection dib(c.width, 2);
        EXPECT_EQ(dib.RowSize(), c.rowSize);
        EXPECT_EQ(dib.RowSize() % 4, 0);
        EXPECT_EQ(dib.ImageSize(), 2 * c.rowSize);
        EXPECT_EQ(dib.Row(1) - dib.Row(0), c.rowSize);
    }
}

TEST(DibSection, PixelsAreBlueGreenRedFromEveryBitmapFormat) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
        SCOPED_TRACE(int(format));
        TBitmap b;
        b.SetPixelFormat(format);
        b.SetSize(3, 2);
        b.SetPixel(2, 1, RGB(10, 20, 30));
        const TDibSection dib(b);
        const uint8_t* p = dib.Row(1) + 3 * 2;
        EXPECT_EQ(p[0], 30);
        EXPECT_EQ(p[1], 20);
        EXPECT_EQ(p[2], 10);
    }
}

TEST(DibSection, DrawingAndCopyingGiveThePixelsBack) {
    TDibSection dib(3, 2);
    uint8_t* p = dib.Row(1) + 3;
    p[0] = 1, p[1] = 2, p[2] = 3;
    TBitmap target(5, 4);
    dib.Draw(target.Canvas(), 2, 1);
    EXPECT_EQ(target.Pixel(3, 2), RGB(3, 2, 1));
    TBitmap copy;
    dib.CopyTo(copy);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Pixel(1, 1), RGB(3, 2, 1));
}

TEST(DibSection, EmptyBlocksAreSafe) {
    for (const TDibSection& dib : {TDibSection(0, 5), TDibSection(5, 0), TDibSection(-1, 3), TDibSection(TBitmap())}) {
        EXPECT_TRUE(dib.Empty());
        EXPECT_EQ(dib.Bits(), nullptr);
        EXPECT_EQ(dib.ImageSize(), 0);
        TBitmap target(2, 2);
        dib.Draw(target.Canvas(), 0, 0);
    }
}

namespace {

std::vector<uint8_t> RegionBytes(const std::vector<TRect>& rects, uint32_t type = RDH_RECTANGLES) {
    RGNDATAHEADER header;
    header.iType = type;
    header.nCount = uint32_t(rects.size());
    std::vector<uint8_t> data(sizeof header + rects.size() * sizeof(TRect));
    std::memcpy(data.data(), &header, sizeof header);
    if (!rects.empty()) std::memcpy(data.data() + sizeof header, rects.data(), rects.size() * sizeof(TRect));
    return data;
}

}  // namespace

TEST(RegionData, TheRegionIsTheUnionOfItsRectangles) {
    const std::vector<uint8_t> data = RegionBytes({{0, 0, 4, 2}, {2, 1, 6, 3}, {10, 10, 10, 12}});
    HRGN rgn = ExtCreateRegion(nullptr, uint32_t(data.size()), data.data());
    ASSERT_NE(rgn, nullptr);
    struct Probe {
        int x, y;
        bool inside;
    };
    for (const Probe& p : std::vector<Probe>{{0, 0, true}, {3, 0, true}, {4, 0, false}, {5, 2, true}, {1, 2, false},
                                             {6, 2, false}, {10, 10, false}}) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        EXPECT_EQ(PtInRegion(rgn, p.x, p.y), p.inside);
    }
    DeleteObject(rgn);
}

TEST(RegionData, NoRectanglesGiveAnEmptyRegion) {
    const std::vector<uint8_t> data = RegionBytes({});
    HRGN rgn = ExtCreateRegion(nullptr, uint32_t(data.size()), data.data());
    ASSERT_NE(rgn, nullptr);
    EXPECT_TRUE(RegionRects(rgn).empty());
    DeleteObject(rgn);
}

TEST(RegionData, MalformedDataGivesNoRegion) {
    const std::vector<uint8_t> good = RegionBytes({{0, 0, 1, 1}, {1, 1, 2, 2}});
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        uint32_t size;
    };
    const std::vector<Case> cases = {
        {"shorter than its count", good, uint32_t(good.size() - 1)},
        {"shorter than a header", good, 31},
        {"not rectangles", RegionBytes({{0, 0, 1, 1}}, 2), 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtCreateRegion(nullptr, c.size, c.data.data()), nullptr);
    }
}

TEST(ImageList, DrawsItsImagesByIndexWithTheMaskColourTransparent) {
    TCustomImageList list(3, 2);
    TBitmap image(3, 2);
    image.Canvas().Brush().Color = clRed;
    image.Canvas().FillRect(Rect(0, 0, 3, 2));
    image.SetPixel(0, 0, clLime);
    EXPECT_EQ(list.AddMasked(image, clLime), 0);
    EXPECT_EQ(list.AddMasked(image, clNone), 1);
    EXPECT_EQ(list.Count(), 2);

    struct Case {
        const char* name;
        int index;
        bool enabled;
        TColor corner, body;  // at the image's (0, 0) and (2, 1)
    };
    const std::vector<Case> cases = {
        {"masked", 0, true, clWhite, clRed},
        {"opaque", 1, true, clLime, clRed},
        {"out of range", 2, true, clWhite, clWhite},
        {"negative", -1, true, clWhite, clWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap target(6, 4);
        target.Canvas().Brush().Color = clWhite;
        target.Canvas().FillRect(Rect(0, 0, 6, 4));
        list.Draw(target.Canvas(), 1, 1, c.index, c.enabled);
        EXPECT_EQ(target.Pixel(1, 1), c.corner);
        EXPECT_EQ(target.Pixel(3, 2), c.body);
        EXPECT_EQ(target.Pixel(4, 1), clWhite) << "nothing beside the image";
    }
}

TEST(ImageList, ADisabledImageIsGreyAndKeepsItsMask) {
    TCustomImageList list(2, 1);
    TBitmap image(2, 1);
    image.SetPixel(0, 0, clLime);
    image.SetPixel(1, 0, clRed);
    list.AddMasked(image, clLime);
    TBitmap target(2, 1);
    target.Canvas().Brush().Color = clBlue;
    target.Canvas().FillRect(Rect(0, 0, 2, 1));
    list.Draw(target.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(target.Pixel(0, 0), clBlue);
    const TColor grey = target.Pixel(1, 0);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_NE(grey, clRed);
}
