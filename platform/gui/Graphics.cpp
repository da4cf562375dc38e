// Fonts and regions of the drawing layer.

#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/core/SysUtils.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/QtGlue.h"

namespace {

// MulDiv of the platform: the exact quotient rounded half away from zero.
int MulDivRounded(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t n = int64_t(a) * b;
    const uint64_t un = static_cast<uint64_t>(n < 0 ? -n : n);
    const uint64_t uc = static_cast<uint64_t>(c < 0 ? -int64_t(c) : int64_t(c));
    const int64_t q = static_cast<int64_t>((un + uc / 2) / uc);
    return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

}  // namespace

// Fonts.

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

int TFont::Size() const { return -MulDivRounded(FHeight, 72, 96); }

void TFont::SetSize(int points) { SetHeight(-MulDivRounded(points, 96, 72)); }

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::SetEscapement(int tenths) {
    if (tenths == FEscapement) return;
    FEscapement = tenths;
    Changed();
}

void TFont::Assign(const TFont& other) {
    if (*this == other) return;
    FEscapement = other.FEscapement;
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FColor = other.FColor;
    FCharset = other.FCharset;
    Changed();
}

bool TFont::operator==(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FColor == other.FColor &&
           FCharset == other.FCharset && FEscapement == other.FEscapement;
}

QFont TFont::ToQFont() const {
    QFont font(ToQString(FName));
    // A positive height counts the internal leading too; the em size is close
    // enough to it for the sizes the program uses.
    font.setPixelSize(FHeight == 0 ? 11 : std::abs(FHeight));
    font.setBold((FStyle & fsBold) != 0);
    font.setItalic((FStyle & fsItalic) != 0);
    font.setUnderline((FStyle & fsUnderline) != 0);
    font.setStrikeOut((FStyle & fsStrikeOut) != 0);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Regions.

struct TRegionData {
    QRegion Region;
};

namespace {

int RegionKind(const QRegion& region) {
    if (region.isEmpty()) return NULLREGION;
    // The bands of a QRegion never overlap, so it is one rectangle exactly
    // when they cover its bounding box.
    int64_t area = 0;
    for (const QRect& r : region) area += int64_t(r.width()) * r.height();
    const QRect box = region.boundingRect();
    return area == int64_t(box.width()) * box.height() ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    auto* data = new TRegionData;
    if (right > left && bottom > top) data->Region = QRegion(left, top, right - left, bottom - top);
    return data;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    if (!dest || !src1) return RGN_ERROR;
    QRegion result;
    if (mode == RGN_COPY) {
        result = src1->Region;
    } else {
        if (!src2) return RGN_ERROR;
        switch (mode) {
            case RGN_AND: result = src1->Region.intersected(src2->Region); break;
            case RGN_OR: result = src1->Region.united(src2->Region); break;
            case RGN_XOR: result = src1->Region.xored(src2->Region); break;
            case RGN_DIFF: result = src1->Region.subtracted(src2->Region); break;
            default: return RGN_ERROR;
        }
    }
    dest->Region = result;
    return RegionKind(result);
}

TRegionData* CreateRegionHandle(const QRegion& region) { return new TRegionData{region}; }

bool PtInRegion(HRGN rgn, int x, int y) { return rgn && rgn->Region.contains(QPoint(x, y)); }

void OffsetRgn(HRGN rgn, int dx, int dy) {
    if (rgn) rgn->Region.translate(dx, dy);
}

bool EqualRgn(HRGN a, HRGN b) { return a && b && a->Region == b->Region; }

void DeleteObject(HRGN rgn) { delete rgn; }

const QRegion& RegionOf(HRGN rgn) {
    static const QRegion empty;
    return rgn ? rgn->Region : empty;
}
