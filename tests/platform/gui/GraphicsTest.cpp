#include <gtest/gtest.h>

#include <vector>

#include <algorithm>
#include <cstring>
#include <functional>

#include <QImage>
#include <QPainter>

#include "platform/core/SysUtils.h"
#include "platform/gui/Graphics.h"

namespace {

// A 24-bit bitmap made white through its bytes, so no canvas call is trusted.
TBitmap WhiteBitmap(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y) std::memset(b.ScanLine(y), 0xFF, size_t(width) * 3);
    return b;
}

// One character per pixel: '.' white, '#' black, 'r' red, 'b' blue, '?' other.
std::vector<std::string> Picture(int width, int height, const std::function<TColor(int, int)>& pixel) {
    std::vector<std::string> rows(size_t(height), std::string(size_t(width), '?'));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor c = pixel(x, y);
            if (c == clWhite || c == clBlack || c == clRed || c == clBlue)
                rows[y][x] = c == clWhite ? '.' : c == clBlack ? '#' : c == clRed ? 'r' : 'b';
        }
    return rows;
}

std::vector<std::string> Picture(const TBitmap& b) {
    return Picture(b.Width(), b.Height(), [&](int x, int y) { return b.Pixel(x, y); });
}

// The bounding box of every pixel that is not white.
TRect InkBounds(const TBitmap& b) {
    TRect r{b.Width(), b.Height(), -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != clWhite) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                                               std::max(r.Bottom, y + 1)};
    return r;
}

void PrepareCanvas(TCanvas& c) {
    c.Pen().Color = clBlack;
    c.Brush().Color = clRed;
    c.Font().SetColor(clBlack);
}

}  // namespace

TEST(CanvasPixels, ShapesCoverTheSamePixelsAsThePlatform) {
    struct Case {
        const char* name;
        std::function<void(TCanvas&)> draw;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"FillRect leaves out right and bottom", [](TCanvas& c) { c.FillRect(Rect(1, 1, 4, 3)); },
         {"......", ".rrr..", ".rrr..", "......", "......"}},
        {"FrameRect is one pixel inside", [](TCanvas& c) { c.FrameRect(Rect(1, 1, 5, 4)); },
         {"......", ".rrrr.", ".r..r.", ".rrrr.", "......"}},
        {"Rectangle outlines with the pen, fills with the brush", [](TCanvas& c) { c.Rectangle(1, 1, 5, 4); },
         {"......", ".####.", ".#rr#.", ".####.", "......"}},
        {"Rectangle with a clear brush keeps the inside",
         [](TCanvas& c) {
             c.Brush().Style = TBrushStyle::bsClear;
             c.Rectangle(0, 0, 4, 4);
         },
         {"####..", "#..#..", "#..#..", "####..", "......"}},
        {"Rectangle without a pen fills one pixel less",
         [](TCanvas& c) {
             c.Pen().Style = TPenStyle::psClear;
             c.Rectangle(1, 1, 5, 4);
         },
         {"......", ".rrr..", ".rrr..", "......", "......"}},
        {"LineTo leaves out its end point, each time",
         [](TCanvas& c) {
             c.MoveTo(1, 1);
             c.LineTo(5, 1);
             c.LineTo(5, 4);
         },
         {"......", ".#####", ".....#", ".....#", "......"}},
        {"LineTo backwards and diagonally",
         [](TCanvas& c) {
             c.MoveTo(5, 4);
             c.LineTo(2, 4);
             c.MoveTo(0, 0);
             c.LineTo(3, 3);
         },
         {"#.....", ".#....", "..#...", "......", "...###"}},
        {"SetPixel", [](TCanvas& c) { c.SetPixel(5, 4, clBlue); },
         {"......", "......", "......", "......", ".....b"}},
        {"SetOrigin moves drawing and clipping",
         [](TCanvas& c) {
             c.SetOrigin(2, 1);
             c.FillRect(Rect(0, 0, 2, 2));
             c.IntersectClipRect(Rect(-1, 2, 1, 3));
             c.Brush().Color = clBlue;
             c.FillRect(Rect(-5, -5, 10, 10));
         },
         {"......", "..rr..", "..rr..", ".bb...", "......"}},
        {"RestoreState lifts the clip",
         [](TCanvas& c) {
             c.SaveState();
             c.IntersectClipRect(Rect(0, 0, 1, 1));
             c.FillRect(Rect(0, 0, 6, 5));
             c.RestoreState();
             c.Brush().Color = clBlue;
             c.FillRect(Rect(5, 0, 6, 1));
         },
         {"r....b", "......", "......", "......", "......"}},
        {"An empty clip rectangle clips everything",
         [](TCanvas& c) {
             c.IntersectClipRect(Rect(2, 2, 2, 4));
             c.FillRect(Rect(0, 0, 6, 5));
         },
         {"......", "......", "......", "......", "......"}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        TBitmap b = WhiteBitmap(6, 5);
        PrepareCanvas(b.Canvas());
        tc.draw(b.Canvas());
        EXPECT_EQ(Picture(b), tc.expected);
    }
}

TEST(CanvasPixels, DrawingGoesOnAfterDirectPixelAccessWithTheSameState) {
    TBitmap b = WhiteBitmap(6, 5);
    TCanvas& c = b.Canvas();
    PrepareCanvas(c);
    c.SetOrigin(1, 1);
    c.MoveTo(0, 0);
    c.LineTo(1, 0);
    EXPECT_EQ(c.PenPos(), Point(1, 0));
    EXPECT_EQ(b.Pixel(1, 1), clBlack);  // closes the canvas' painter
    b.ScanLine(0)[0] = 0;             // direct write, then draw again
    c.FillRect(Rect(1, 0, 2, 1));
    EXPECT_EQ(Picture(b), (std::vector<std::string>{"?.....", ".#r...", "......", "......", "......"}));
    b.SetSize(8, 6);
    c.FillRect(Rect(6, 4, 7, 5));
    EXPECT_EQ(b.Pixel(2, 1), clRed) << "content kept on resize";
    EXPECT_EQ(b.Pixel(7, 0), clBlack) << "new pixels start black";
    EXPECT_EQ(b.Pixel(7, 5), clRed) << "origin survives a resize";
}

TEST(Colors, ByteOrderIsBlueGreenRedInEveryFormat) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
        SCOPED_TRACE(int(format));
        TBitmap b(3, 2);
        b.SetPixelFormat(format);
        const int bpp = format == TPixelFormat::pf24bit ? 3 : 4;
        b.Canvas().SetPixel(1, 1, RGB(1, 2, 3));
        const uint8_t* row = b.ScanLine(1);
        EXPECT_EQ(row[bpp + 0], 3);
        EXPECT_EQ(row[bpp + 1], 2);
        EXPECT_EQ(row[bpp + 2], 1);
        EXPECT_EQ(b.Pixel(1, 1), RGB(1, 2, 3));
        EXPECT_EQ(b.Canvas().Pixel(1, 1), RGB(1, 2, 3));
        b.ScanLine(0)[2 * bpp + 2] = 0x40;  // red of pixel (2, 0)
        EXPECT_EQ(b.Pixel(2, 0), RGB(0x40, 0, 0));
        EXPECT_EQ(b.Pixel(3, 0), -1);
    }
}

TEST(Colors, SystemColoursResolveThroughTheClassicScheme) {
    const std::pair<TColor, TColor> cases[] = {
        {clBtnFace, RGB(212, 208, 200)},   {clWindow, clWhite},           {clWindowText, clBlack},
        {clBtnShadow, RGB(128, 128, 128)}, {clHighlight, RGB(10, 36, 106)}, {clInfoBk, RGB(255, 255, 225)},
        {clBtnHighlight, clWhite},         {clRed, clRed},                 {clNone, clNone},
        {clDefault, clDefault},
    };
    for (auto [color, expected] : cases) {
        SCOPED_TRACE(color);
        EXPECT_EQ(ColorToRGB(color), expected);
    }
    TBitmap b(1, 1);
    b.Canvas().Brush().Color = clBtnFace;
    b.Canvas().FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(b.Pixel(0, 0), RGB(212, 208, 200));
}

TEST(Font, SizeAndHeightConvertAtNinetySixDotsWithRounding) {
    TFont f;
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);  // 11 * 72 / 96 = 8.25
    const std::pair<int, int> sizeToHeight[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {7, -9}};
    for (auto [size, height] : sizeToHeight) {
        SCOPED_TRACE(size);
        f.SetSize(size);
        EXPECT_EQ(f.Height(), height);
    }
    f.SetHeight(-14);  // 10.5 points rounds away from zero
    EXPECT_EQ(f.Size(), 11);
}

TEST(Font, OnChangeFiresOnlyForRealChanges) {
    TFont f;
    int changes = 0;
    f.OnChange = [&](TFont*) { ++changes; };
    f.SetName("Tahoma");
    f.SetHeight(-11);
    f.Assign(TFont());
    EXPECT_EQ(changes, 0);
    f.SetName("Arial");
    f.SetStyle(fsBold);
    f.SetColor(clRed);
    f.Assign(TFont());
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(f, TFont());
}

TEST(Regions, CombineGivesTheKindOfTheResultAndItsPixels) {
    struct Case {
        int mode;
        TRect second;
        int kind;
        std::vector<TPoint> inside, outside;
    };
    const Case cases[] = {
        {RGN_AND, Rect(5, 0, 15, 10), SIMPLEREGION, {{5, 0}, {9, 9}}, {{4, 0}, {10, 0}}},
        {RGN_OR, Rect(5, 0, 15, 10), SIMPLEREGION, {{0, 0}, {14, 9}}, {{15, 0}, {0, 10}}},
        {RGN_XOR, Rect(5, 0, 15, 10), COMPLEXREGION, {{4, 0}, {10, 0}}, {{5, 0}, {9, 9}}},
        {RGN_DIFF, Rect(5, 0, 15, 10), SIMPLEREGION, {{0, 0}, {4, 9}}, {{5, 0}}},
        {RGN_OR, Rect(5, 5, 15, 15), COMPLEXREGION, {{14, 14}, {0, 0}}, {{12, 2}}},
        {RGN_AND, Rect(10, 0, 20, 10), NULLREGION, {}, {{9, 0}, {10, 0}}},
        {RGN_COPY, Rect(0, 0, 0, 0), SIMPLEREGION, {{9, 9}}, {{10, 10}}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << tc.mode << " right " << tc.second.Right);
        HRGN a = CreateRectRgn(0, 0, 10, 10);
        HRGN b = CreateRectRgn(tc.second.Left, tc.second.Top, tc.second.Right, tc.second.Bottom);
        HRGN dest = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(dest, a, b, tc.mode), tc.kind);
        for (TPoint p : tc.inside) EXPECT_TRUE(PtInRegion(dest, p.X, p.Y)) << p.X << "," << p.Y;
        for (TPoint p : tc.outside) EXPECT_FALSE(PtInRegion(dest, p.X, p.Y)) << p.X << "," << p.Y;
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(dest);
    }
}

TEST(Regions, OffsetAndSwappedCornersGiveEqualRegions) {
    HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(15, 12, 5, 2);
    OffsetRgn(a, 5, 2);
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_EQ(CombineRgn(a, a, b, RGN_XOR), NULLREGION);  // a destination may be a source
    DeleteObject(a);
    DeleteObject(b);
}

namespace {

void PutLE(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xFF);
}

std::string BmpHeaders(int width, int height, int bits, uint32_t colors, uint32_t dataBytes) {
    const uint32_t offset = 54 + colors * 4;
    std::string s = "BM";
    PutLE(s, offset + dataBytes, 4);
    PutLE(s, 0, 4);
    PutLE(s, offset, 4);
    for (uint32_t v : {40u, uint32_t(width), uint32_t(height)}) PutLE(s, v, 4);
    PutLE(s, 1, 2);
    PutLE(s, uint32_t(bits), 2);
    for (uint32_t v : {0u, dataBytes, 0u, 0u, colors, 0u}) PutLE(s, v, 4);
    return s;
}

}  // namespace

TEST(BitmapFiles, RoundTripKeepsEveryByteAndWritesBottomUpPaddedRows) {
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const int bpp = format == TPixelFormat::pf24bit ? 3 : 4;
        SCOPED_TRACE(bpp);
        TBitmap b(3, 2);
        b.SetPixelFormat(format);
        for (int y = 0; y < 2; ++y)
            for (int i = 0; i < 3 * bpp; ++i) b.ScanLine(y)[i] = uint8_t(16 * y + i + 1);
        const std::string bytes = b.SaveToBytes();
        const size_t rowSize = 12;  // 24-bit: 9 bytes padded to 12
        ASSERT_EQ(bytes.size(), 54 + 2 * rowSize);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(uint8_t(bytes[10]), 54);
        EXPECT_EQ(uint8_t(bytes[28]), bpp * 8);
        EXPECT_EQ(uint8_t(bytes[22]), 2) << "positive height: bottom-up";
        EXPECT_EQ(uint8_t(bytes[54]), 16 + 1) << "bottom row first";
        if (bpp == 3) {
            EXPECT_EQ(bytes[54 + 9], 0) << "padding";
        }

        TBitmap back;
        back.LoadFromBytes(bytes);
        ASSERT_EQ(back.Width(), 3);
        ASSERT_EQ(back.Height(), 2);
        EXPECT_EQ(back.PixelFormat(), format);
        for (int y = 0; y < 2; ++y) EXPECT_EQ(std::memcmp(back.ScanLine(y), b.ScanLine(y), 3 * size_t(bpp)), 0);
    }
}

TEST(BitmapFiles, ReadsPalettedAndTopDownImages) {
    // 3 x 2, 8-bit, palette blue/green/red, bottom-up, rows padded to 4 bytes.
    std::string paletted = BmpHeaders(3, 2, 8, 3, 8);
    paletted += std::string("\xFF\x00\x00\x00" "\x00\xFF\x00\x00" "\x00\x00\xFF\x00", 12);
    paletted += std::string("\x02\x02\x02\x00", 4);  // bottom row: red
    paletted += std::string("\x00\x01\x02\x00", 4);  // top row: blue, green, red
    TBitmap b;
    b.LoadFromBytes(paletted);
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
    EXPECT_EQ(b.Pixel(1, 0), clLime);
    EXPECT_EQ(b.Pixel(2, 0), clRed);
    EXPECT_EQ(b.Pixel(0, 1), clRed);

    // 1 x 2, 24-bit, negative height: the first row in the file is the top.
    std::string topDown = BmpHeaders(1, -2, 24, 0, 8);
    topDown += std::string("\x01\x02\x03\x00" "\x04\x05\x06\x00", 8);
    b.LoadFromBytes(topDown);
    EXPECT_EQ(b.Pixel(0, 0), RGB(3, 2, 1));
    EXPECT_EQ(b.Pixel(0, 1), RGB(6, 5, 4));
}

TEST(BitmapFiles, MalformedDataRaisesAndLeavesTheBitmapAlone) {
    const std::string good = BmpHeaders(1, 1, 24, 0, 4) + std::string(4, '\x7F');
    std::string badMagic = good, truncated = good.substr(0, good.size() - 1), sixteenBits = good, rle = good,
                badPalette = BmpHeaders(1, 1, 8, 200, 4) + std::string(8, '\0');
    badMagic[0] = 'X';
    sixteenBits[28] = 16;
    rle[30] = 1;
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""}, {"magic", badMagic}, {"truncated", truncated}, {"16-bit", sixteenBits},
        {"compressed", rle}, {"palette past the end", badPalette}, {"header only", good.substr(0, 20)},
    };
    TBitmap b = WhiteBitmap(2, 2);
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(b.LoadFromBytes(bytes), Exception);
        EXPECT_EQ(b.Width(), 2);
        EXPECT_EQ(b.Pixel(1, 1), clWhite);
    }
    b.LoadFromBytes(good);
    EXPECT_EQ(b.Pixel(0, 0), RGB(0x7F, 0x7F, 0x7F));
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
    TBitmap b = WhiteBitmap(120, 40);
    TCanvas& c = b.Canvas();
    const int lineHeight = c.TextHeight("Xg");
    struct Case {
        std::string text;
        unsigned flags;
        std::string measuredAs;
    };
    const Case cases[] = {
        {"Hello world", DT_SINGLELINE, "Hello world"},
        {"&File", DT_SINGLELINE, "File"},
        {"a&&b", DT_SINGLELINE, "a&b"},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, "&File"},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.text);
        TRect r = Rect(5, 7, 6, 8);
        EXPECT_EQ(c.DrawText(tc.text, r, tc.flags | DT_CALCRECT), lineHeight);
        EXPECT_EQ(r, Rect(5, 7, 5 + c.TextWidth(tc.measuredAs), 7 + lineHeight));
    }
    // Word breaking: two words fit a line, the third goes to the next.
    const int width = c.TextWidth("aaa bbb") + 1;
    TRect r = Rect(0, 0, width, 1);
    c.DrawText("aaa bbb ccc", r, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(r.Height(), 2 * lineHeight);
    EXPECT_LE(r.Width(), width);
    EXPECT_GE(r.Width(), c.TextWidth("aaa bbb"));
    EXPECT_EQ(InkBounds(b).Right, -1) << "nothing drawn";
}

TEST(DrawText, AlignsAndShortensOnTheBitmap) {
    auto draw = [](const std::string& text, unsigned flags, TRect r) {
        TBitmap b = WhiteBitmap(100, 30);
        TCanvas& c = b.Canvas();
        c.Font().SetColor(clBlack);
        c.Brush().Style = TBrushStyle::bsClear;
        c.DrawText(text, r, flags | DT_SINGLELINE);
        return b;
    };
    auto ink = [&](const std::string& text, unsigned flags, TRect r) { return InkBounds(draw(text, flags, r)); };
    const TRect area = Rect(10, 0, 90, 30);
    const TRect left = ink("Wide", DT_LEFT, area), right = ink("Wide", DT_RIGHT, area),
                middle = ink("Wide", DT_CENTER | DT_VCENTER, area);
    ASSERT_GE(left.Right, 0) << "text leaves ink";
    EXPECT_LE(left.Left, 12);
    EXPECT_GE(right.Right, 87);
    EXPECT_LE(right.Right, 90);
    EXPECT_NEAR(middle.Left + middle.Right, 100, 4);
    EXPECT_NEAR(middle.Top + middle.Bottom, 30, 6);
    EXPECT_EQ(right.Width(), left.Width());

    TBitmap probe(1, 1);
    const std::string longText = "abcdefghijklmnopqrstuvwxyz";
    const int narrow = probe.Canvas().TextWidth("abcdefgh");
    TRect calc = Rect(0, 0, narrow, 10);
    probe.Canvas().DrawText(longText, calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(calc.Width(), narrow);
    EXPECT_GT(calc.Width(), probe.Canvas().TextWidth("..."));
    // The dots take the place of letters that would only be clipped.
    EXPECT_NE(Picture(draw(longText, DT_END_ELLIPSIS, Rect(0, 0, narrow, 30))),
              Picture(draw(longText, 0, Rect(0, 0, narrow, 30))));
}

TEST(BitmapDraw, TransparentDrawSkipsTheKeyColour) {
    TBitmap source(3, 2);
    for (int x = 0; x < 3; ++x) source.SetPixel(x, 0, x == 1 ? clLime : clRed);
    for (int x = 0; x < 3; ++x) source.SetPixel(x, 1, clBlue);
    struct Case {
        const char* name;
        bool transparent;
        TColor key;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"opaque", false, clNone, {".....", ".r?r.", ".bbb.", "....."}},
        {"named key", true, clLime, {".....", ".r.r.", ".bbb.", "....."}},
        {"bottom-left pixel as key", true, clNone, {".....", ".r?r.", ".....", "....."}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        source.Transparent = tc.transparent;
        source.TransparentColor = tc.key;
        TBitmap dest = WhiteBitmap(5, 4);
        dest.Canvas().Draw(1, 1, source);
        EXPECT_EQ(Picture(dest), tc.expected);
    }
}

TEST(BitmapDraw, StretchCopyAndThirtyTwoBitSourcesIgnoreAlpha) {
    TBitmap source(2, 1);
    source.SetPixelFormat(TPixelFormat::pf32bit);
    uint8_t* row = source.ScanLine(0);
    const uint8_t bytes[] = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};  // red and blue, alpha 0
    std::memcpy(row, bytes, sizeof bytes);
    TBitmap dest = WhiteBitmap(5, 3);
    dest.Canvas().StretchDraw(Rect(0, 0, 4, 2), source);
    dest.Canvas().CopyRect(Rect(4, 2, 5, 3), source, Rect(1, 0, 2, 1));
    EXPECT_EQ(Picture(dest), (std::vector<std::string>{"rrbb.", "rrbb.", "....b"}));
}

TEST(BitmapDraw, CopiesAreDeepAndFocusRectInvertsTwiceBack) {
    TBitmap a = WhiteBitmap(6, 5);
    TBitmap copy = a;
    a.Canvas().Brush().Color = clBlack;
    a.Canvas().FillRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(copy.Pixel(2, 2), clWhite);

    copy.Canvas().DrawFocusRect(Rect(0, 0, 6, 5));
    const std::vector<std::string> once = Picture(copy);
    EXPECT_EQ(once[2][2], '.') << "inside untouched";
    int dots = 0;
    for (const std::string& rowText : once) dots += int(std::count(rowText.begin(), rowText.end(), '#'));
    EXPECT_GE(dots, 5);
    copy.Canvas().DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_EQ(Picture(copy), Picture(WhiteBitmap(6, 5)));
    EXPECT_THROW(copy.ScanLine(5), Exception);
}

TEST(CanvasPixels, PaintOnABoundPainterLeavesItsStateAsItWas) {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(1, 0);  // the caller's own placement is kept under ours
    TCanvas canvas;
    canvas.BeginPaint(&painter);
    canvas.Brush().Color = clRed;
    canvas.SetOrigin(1, 1);
    canvas.IntersectClipRect(Rect(0, 0, 2, 2));
    canvas.FillRect(Rect(0, 0, 9, 9));
    EXPECT_EQ(canvas.Pixel(1, 1), clRed);
    canvas.EndPaint();
    painter.fillRect(QRect(0, 3, 1, 1), Qt::blue);
    painter.end();
    const auto pixel = [&](int x, int y) {
        const QRgb c = image.pixel(x, y);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    };
    EXPECT_EQ(Picture(6, 4, pixel), (std::vector<std::string>{"......", "..rr..", "..rr..", ".b...."}));
}

// A change of layout keeps every colour; alpha survives only between 32-bit
// pictures, and the device layout's spare byte is always 255.
TEST(Colors, AChangeOfPixelFormatKeepsTheColours) {
    const struct {
        std::vector<TPixelFormat> path;
        uint8_t alpha;  // of the 32-bit picture's pixel at the end
    } cases[] = {
        {{TPixelFormat::pf32bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit}, 0xFF},
        {{TPixelFormat::pf32bit, TPixelFormat::pfDevice}, 0xFF},
        {{TPixelFormat::pf32bit, TPixelFormat::pfDevice, TPixelFormat::pf32bit}, 0xFF},
        {{TPixelFormat::pf24bit, TPixelFormat::pfDevice, TPixelFormat::pf24bit}, 0},
        {{TPixelFormat::pf32bit}, 0x40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.size());
        TBitmap b;
        b.SetPixelFormat(c.path.front());
        b.SetSize(3, 2);
        b.SetPixel(1, 1, RGB(10, 20, 30));
        if (c.path.front() == TPixelFormat::pf32bit) b.ScanLine(1)[4 + 3] = 0x40;
        for (TPixelFormat next : c.path) b.SetPixelFormat(next);
        EXPECT_EQ(b.Pixel(1, 1), RGB(10, 20, 30));
        EXPECT_EQ(b.Pixel(0, 0), clBlack);
        if (b.PixelFormat() != TPixelFormat::pf24bit) {
            EXPECT_EQ(b.ScanLine(1)[4 + 3], c.alpha);
        }
    }
    // A device picture grows with black, opaque pixels.
    TBitmap d;
    d.SetPixelFormat(TPixelFormat::pfDevice);
    d.SetSize(2, 2);
    EXPECT_EQ(d.ScanLine(1)[4 + 3], 0xFF);
    EXPECT_EQ(d.Pixel(1, 1), clBlack);
}
