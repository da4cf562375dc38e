// Drawing with the platform's pixel rules on top of QPainter. The painter is
// never antialiased and only ever translated by whole pixels, so a fill of
// QRect(x, y, w, h) covers exactly the pixels the platform's fill would, and
// lines are plotted here rather than left to Qt, whose end-point rule differs.

#include "platform/gui/Graphics.h"
#include "platform/gui/QtGlue.h"

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

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

QImage::Format QtFormat(TPixelFormat format) {
    return format == TPixelFormat::pf24bit ? QImage::Format_BGR888 : QImage::Format_ARGB32;
}

constexpr TColor kInvalidColor = -1;

// Cosmetic pen patterns of the platform, in pixels on and off.
struct TDashPattern {
    int On;
    int Off;
};

TDashPattern PatternOf(TPenStyle style) {
    switch (style) {
        case TPenStyle::psDash: return {18, 6};
        case TPenStyle::psDot: return {3, 3};
        default: return {1, 0};
    }
}

// Plots a one-pixel line from a to b, leaving out b; phase carries the dash
// pattern on from one segment to the next.
void PlotLine(QPainter& p, const QColor& color, TPenStyle style, TPoint a, TPoint b, int& phase) {
    const TDashPattern pattern = PatternOf(style);
    if (pattern.Off == 0 && (a.X == b.X || a.Y == b.Y)) {
        if (a == b) return;
        // Straight solid lines are one fill; the end point is the excluded edge.
        const int left = a.X < b.X ? a.X : (a.X > b.X ? b.X + 1 : a.X);
        const int top = a.Y < b.Y ? a.Y : (a.Y > b.Y ? b.Y + 1 : a.Y);
        const int width = a.X == b.X ? 1 : std::abs(b.X - a.X);
        const int height = a.Y == b.Y ? 1 : std::abs(b.Y - a.Y);
        p.fillRect(QRect(left, top, width, height), color);
        return;
    }
    const int dx = std::abs(b.X - a.X), sx = a.X < b.X ? 1 : -1;
    const int dy = -std::abs(b.Y - a.Y), sy = a.Y < b.Y ? 1 : -1;
    const int period = pattern.On + pattern.Off;
    int err = dx + dy;
    int x = a.X, y = a.Y;
    while (x != b.X || y != b.Y) {
        if (phase % period < pattern.On) p.fillRect(QRect(x, y, 1, 1), color);
        phase = (phase + 1) % period;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Mnemonic markers: "&x" shows x, "&&" shows "&".
std::string StripPrefixes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

QString ExpandTabs(const QString& line) {
    QString out;
    for (QChar c : line) {
        if (c == QLatin1Char('\t')) {
            do out += QLatin1Char(' ');
            while (out.size() % 8 != 0);
        } else {
            out += c;
        }
    }
    return out;
}

// Greedy word wrap at spaces; a word wider than the width stays whole on its
// own line, and the spaces where a line breaks are dropped.
void WrapParagraph(const QString& text, const QFontMetrics& fm, int width, std::vector<QString>& lines) {
    QString current;
    bool hasWord = false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        qsizetype wordStart = i;
        while (wordStart < n && text[wordStart] == QLatin1Char(' ')) ++wordStart;
        qsizetype wordEnd = wordStart;
        while (wordEnd < n && text[wordEnd] != QLatin1Char(' ')) ++wordEnd;
        const QString candidate = current + text.mid(i, wordEnd - i);
        if (!hasWord || fm.horizontalAdvance(candidate) <= width) {
            current = candidate;
        } else {
            lines.push_back(current);
            current = text.mid(wordStart, wordEnd - wordStart);
        }
        hasWord = hasWord || wordEnd > wordStart;
        i = wordEnd;
    }
    lines.push_back(current);
}

qsizetype LongestFittingPrefix(const QString& text, const QString& suffix, const QFontMetrics& fm, int width) {
    qsizetype lo = 0, hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid) + suffix) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && text[lo - 1].isHighSurrogate()) --lo;
    return lo;
}

QString ElideEnd(const QString& text, const QFontMetrics& fm, int width) {
    const QString dots = QStringLiteral("...");
    return text.left(LongestFittingPrefix(text, dots, fm, width)) + dots;
}

// Keeps the last path component and shortens what comes before it.
QString ElidePath(const QString& text, const QFontMetrics& fm, int width) {
    const qsizetype sep = std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    if (sep <= 0) return ElideEnd(text, fm, width);
    const QString tail = QStringLiteral("...") + text.mid(sep);
    if (fm.horizontalAdvance(tail) > width) return ElideEnd(text, fm, width);
    const QString head = text.left(sep);
    return head.left(LongestFittingPrefix(head, tail, fm, width)) + tail;
}

// The pixels of a bitmap as they are drawn: the alpha byte of a 32-bit
// bitmap is ignored, as the platform's blits ignore it, and with transparency
// the key colour becomes fully transparent.
QImage DrawableImage(const TBitmap& bitmap, bool transparent, bool selfCopy) {
    const QImage& image = bitmap.Image();
    QImage opaque = image.format() == QImage::Format_ARGB32
                        ? QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(),
                                 QImage::Format_RGB32)
                        : image;
    // The view of a 32-bit image borrows its bytes: copy it when the drawing
    // goes onto the same image.
    if (!transparent) return selfCopy ? opaque.copy() : opaque;

    TColor key = bitmap.TransparentColor;
    key = (key == clNone || key == clDefault) ? bitmap.Pixel(0, bitmap.Height() - 1) : ColorToRGB(key);
    const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0x00FFFFFF;
    QImage masked = opaque.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            row[x] = (row[x] & 0x00FFFFFF) == keyRgb ? 0 : (row[x] | 0xFF000000);
    }
    return masked;
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

void TFont::Assign(const TFont& other) {
    if (*this == other) return;
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FColor = other.FColor;
    FCharset = other.FCharset;
    Changed();
}

bool TFont::operator==(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FColor == other.FColor &&
           FCharset == other.FCharset;
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

// Canvas: painter binding and state.

struct TCanvas::TSavedState {
    TPoint Origin;
    std::unique_ptr<QRegion> Clip;
};

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() { EndImagePainter(); }

QPainter* TCanvas::Painter() {
    if (FPainter) return FPainter;
    if (!FBitmap) return nullptr;
    QImage& image = FBitmap->Image();
    if (image.isNull()) return nullptr;
    FOwnPainter = std::make_unique<QPainter>(&image);
    FPainter = FOwnPainter.get();
    FPainter->save();
    ApplyState();
    return FPainter;
}

// The painter keeps one saved level of its own: restoring it returns to the
// state it had when bound, on which origin and clip are laid afresh.
void TCanvas::ApplyState() {
    if (!FPainter) return;
    FPainter->restore();
    FPainter->save();
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::TextAntialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (FClip) FPainter->setClipRegion(*FClip, Qt::IntersectClip);
    FPainter->translate(FOrigin.X, FOrigin.Y);
}

void TCanvas::EndImagePainter() {
    if (!FOwnPainter) return;
    if (FPainter == FOwnPainter.get()) FPainter = nullptr;
    FOwnPainter->restore();
    FOwnPainter->end();
    FOwnPainter.reset();
}

void TCanvas::BeginPaint(QPainter* painter) {
    EndPaint();
    if (!painter) return;
    EndImagePainter();
    FOrigin = {};
    FClip.reset();
    FSaved.clear();
    FPainter = painter;
    FPainter->save();
    ApplyState();
}

void TCanvas::EndPaint() {
    if (!FPainter) return;
    if (FPainter == FOwnPainter.get()) {
        EndImagePainter();
        return;
    }
    FPainter->restore();
    FPainter = nullptr;
    FOrigin = {};
    FClip.reset();
    FSaved.clear();
}

bool TCanvas::HandleAllocated() const { return FPainter != nullptr || FBitmap != nullptr; }

void TCanvas::SaveState() {
    FSaved.push_back({FOrigin, FClip ? std::make_unique<QRegion>(*FClip) : nullptr});
}

void TCanvas::RestoreState() {
    if (FSaved.empty()) return;
    FOrigin = FSaved.back().Origin;
    FClip = std::move(FSaved.back().Clip);
    FSaved.pop_back();
    ApplyState();
}

void TCanvas::IntersectClipRect(const TRect& r) {
    const QRegion rect = r.IsEmpty() ? QRegion() : QRegion(ToQRect(r).translated(FOrigin.X, FOrigin.Y));
    if (FClip)
        *FClip = FClip->intersected(rect);
    else
        FClip = std::make_unique<QRegion>(rect);
    ApplyState();
}

void TCanvas::SetOrigin(int dx, int dy) {
    FOrigin = {dx, dy};
    ApplyState();
}

void TCanvas::ApplyPen() {
    if (FPen.Style == TPenStyle::psClear) {
        FPainter->setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(FPen.Color));
    pen.setWidth(std::max(1, FPen.Width));
    if (FPen.Width <= 1) pen.setStyle(FPen.Style == TPenStyle::psDash  ? Qt::DashLine
                                      : FPen.Style == TPenStyle::psDot ? Qt::DotLine
                                                                       : Qt::SolidLine);
    FPainter->setPen(pen);
}

void TCanvas::ApplyBrush() {
    if (FBrush.Style == TBrushStyle::bsClear)
        FPainter->setBrush(Qt::NoBrush);
    else
        FPainter->setBrush(ToQColor(FBrush.Color));
}

void TCanvas::ApplyFont() {
    FPainter->setFont(FFont.ToQFont());
    FPainter->setPen(ToQColor(FFont.Color()));
}

// Canvas: shapes.

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty() || FBrush.Style == TBrushStyle::bsClear || !Painter()) return;
    FPainter->fillRect(ToQRect(r), ToQColor(FBrush.Color));
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty() || FBrush.Style == TBrushStyle::bsClear || !Painter()) return;
    const QColor color = ToQColor(FBrush.Color);
    const int w = r.Width(), h = r.Height();
    FPainter->fillRect(QRect(r.Left, r.Top, w, 1), color);
    if (h > 1) FPainter->fillRect(QRect(r.Left, r.Bottom - 1, w, 1), color);
    if (h > 2) {
        FPainter->fillRect(QRect(r.Left, r.Top + 1, 1, h - 2), color);
        if (w > 1) FPainter->fillRect(QRect(r.Right - 1, r.Top + 1, 1, h - 2), color);
    }
}

void TCanvas::Rectangle(const TRect& r) {
    if (r.IsEmpty() || !Painter()) return;
    const bool fill = FBrush.Style != TBrushStyle::bsClear;
    // Without a pen the platform fills one pixel less to the right and below.
    if (FPen.Style == TPenStyle::psClear) {
        if (fill) FPainter->fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), ToQColor(FBrush.Color));
        return;
    }
    const int pw = std::max(1, FPen.Width);
    const QRect inner = ToQRect(r).adjusted(pw, pw, -pw, -pw);
    if (fill && inner.isValid()) FPainter->fillRect(inner, ToQColor(FBrush.Color));
    const QColor color = ToQColor(FPen.Color);
    if (pw > 1) {
        // Wide pens are solid on the platform; the frame stays inside.
        const QRegion outer(ToQRect(r));
        for (const QRect& band : inner.isValid() ? outer.subtracted(QRegion(inner)) : outer)
            FPainter->fillRect(band, color);
        return;
    }
    const TPoint corners[] = {{r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1},
                              {r.Left, r.Bottom - 1}, {r.Left, r.Top}};
    int phase = 0;
    for (int i = 0; i < 4; ++i) PlotLine(*FPainter, color, FPen.Style, corners[i], corners[i + 1], phase);
    // A one-pixel-wide or -high rectangle has no segment to plot its far end.
    if (r.Width() == 1 || r.Height() == 1) FPainter->fillRect(ToQRect(r), color);
}

void TCanvas::Ellipse(const TRect& r) {
    if (r.IsEmpty() || !Painter()) return;
    ApplyPen();
    ApplyBrush();
    // An aliased one-pixel outline of QRect(x, y, w, h) covers x to x + w.
    FPainter->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    if (FPen.Style == TPenStyle::psClear || !Painter()) return;
    if (FPen.Width > 1) {
        QPen pen(ToQColor(FPen.Color), FPen.Width, Qt::SolidLine, Qt::FlatCap);
        FPainter->setPen(pen);
        FPainter->drawLine(from.X, from.Y, x, y);
        return;
    }
    int phase = 0;
    PlotLine(*FPainter, ToQColor(FPen.Color), FPen.Style, from, {x, y}, phase);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty() || !Painter()) return;
    QPolygon polygon;
    for (const TPoint& p : points) polygon << QPoint(p.X, p.Y);
    ApplyPen();
    ApplyBrush();
    FPainter->drawPolygon(polygon, Qt::OddEvenFill);
}

TColor TCanvas::Pixel(int x, int y) {
    if (FBitmap && (!FPainter || FPainter == FOwnPainter.get())) return FBitmap->Pixel(x + FOrigin.X, y + FOrigin.Y);
    if (!FPainter || !FPainter->device() || FPainter->device()->devType() != QInternal::Image) return kInvalidColor;
    const auto* image = static_cast<const QImage*>(FPainter->device());
    const QPoint p = FPainter->deviceTransform().map(QPoint(x, y));
    if (!image->valid(p)) return kInvalidColor;
    const QRgb c = image->pixel(p);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!Painter()) return;
    FPainter->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty() || !Painter()) return;
    FPainter->save();
    // Inverting makes a second call erase the first, as on the platform.
    FPainter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) FPainter->fillRect(QRect(x, y, 1, 1), white);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Height() > 1) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Width() > 1) dot(r.Right - 1, y);
    }
    FPainter->restore();
}

// Canvas: text. The background of text is the brush, unless it is clear.

namespace {

void DrawTextRun(QPainter& p, const TBrush& brush, const QFontMetrics& fm, int x, int y, const QString& text) {
    if (brush.Style != TBrushStyle::bsClear)
        p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(brush.Color));
    p.drawText(QPoint(x, y + fm.ascent()), text);
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
    const QString s = ToQString(text);
    const QFontMetrics fm(FFont.ToQFont());
    if (Painter()) {
        ApplyFont();
        DrawTextRun(*FPainter, FBrush, fm, x, y, s);
    }
    FPenPos = {x + fm.horizontalAdvance(s), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    if (!Painter()) return;
    const QFontMetrics fm(FFont.ToQFont());
    FPainter->save();
    FPainter->setClipRect(ToQRect(r), Qt::IntersectClip);
    if (FBrush.Style != TBrushStyle::bsClear && !r.IsEmpty()) FPainter->fillRect(ToQRect(r), ToQColor(FBrush.Color));
    ApplyFont();
    FPainter->drawText(QPoint(x, y + fm.ascent()), ToQString(text));
    FPainter->restore();
}

int TCanvas::TextWidth(const std::string& text) {
    return QFontMetrics(FFont.ToQFont()).horizontalAdvance(ToQString(text));
}

int TCanvas::TextHeight(const std::string& /*text*/) { return QFontMetrics(FFont.ToQFont()).height(); }

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
    const QFontMetrics fm(FFont.ToQFont());
    const int lineHeight = fm.height();
    const bool singleLine = (flags & DT_SINGLELINE) != 0;
    if (text.empty()) {
        if (flags & DT_CALCRECT) {
            r.Right = r.Left;
            r.Bottom = r.Top + (singleLine ? lineHeight : 0);
        }
        return lineHeight;
    }

    QString all = ToQString((flags & DT_NOPREFIX) ? text : StripPrefixes(text));
    std::vector<QString> paragraphs;
    if (singleLine) {
        all.remove(QLatin1Char('\r'));
        all.remove(QLatin1Char('\n'));
        paragraphs.push_back(all);
    } else {
        all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        all.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        for (const QString& part : all.split(QLatin1Char('\n'))) paragraphs.push_back(part);
    }

    std::vector<QString> lines;
    for (QString& paragraph : paragraphs) {
        if (flags & DT_EXPANDTABS) paragraph = ExpandTabs(paragraph);
        if ((flags & DT_WORDBREAK) && !singleLine)
            WrapParagraph(paragraph, fm, r.Width(), lines);
        else
            lines.push_back(paragraph);
    }
    for (QString& line : lines) {
        if (fm.horizontalAdvance(line) <= r.Width()) continue;
        if (flags & DT_PATH_ELLIPSIS)
            line = ElidePath(line, fm, r.Width());
        else if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            line = ElideEnd(line, fm, r.Width());
    }

    const int textHeight = static_cast<int>(lines.size()) * lineHeight;
    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
        r.Right = r.Left + widest;
        r.Bottom = r.Top + textHeight;
        return textHeight;
    }

    int top = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = (r.Top + r.Bottom - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;
    const int result = top - r.Top + textHeight;
    if (!Painter()) return result;

    FPainter->save();
    if (!(flags & DT_NOCLIP)) FPainter->setClipRect(ToQRect(r), Qt::IntersectClip);
    ApplyFont();
    int y = top;
    for (const QString& line : lines) {
        const int width = fm.horizontalAdvance(line);
        int x = r.Left;
        if (flags & DT_CENTER)
            x = (r.Left + r.Right - width) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - width;
        DrawTextRun(*FPainter, FBrush, fm, x, y, line);
        y += lineHeight;
    }
    FPainter->restore();
    return result;
}

// Canvas: pictures.

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    const QImage image = DrawableImage(bitmap, bitmap.Transparent, &bitmap == FBitmap);
    if (Painter()) FPainter->drawImage(QPoint(x, y), image);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    if (bitmap.Empty() || r.IsEmpty()) return;
    const QImage image = DrawableImage(bitmap, bitmap.Transparent, &bitmap == FBitmap);
    if (Painter()) FPainter->drawImage(ToQRect(r), image);
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& bitmap, const TRect& src) {
    if (bitmap.Empty() || dest.IsEmpty() || src.IsEmpty()) return;
    const QImage image = DrawableImage(bitmap, false, &bitmap == FBitmap);
    if (Painter()) FPainter->drawImage(ToQRect(dest), image, ToQRect(src));
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    if (source.FBitmap && (!source.FPainter || source.FPainter == source.FOwnPainter.get())) {
        TRect shifted = src;
        shifted.Left += source.FOrigin.X;
        shifted.Right += source.FOrigin.X;
        shifted.Top += source.FOrigin.Y;
        shifted.Bottom += source.FOrigin.Y;
        CopyRect(dest, *source.FBitmap, shifted);
        return;
    }
    // A canvas bound to a painter on an image (a paint into a bitmap).
    QPainter* painter = source.FPainter;
    if (!painter || !painter->device() || painter->device()->devType() != QInternal::Image) return;
    if (dest.IsEmpty() || src.IsEmpty()) return;
    const QRect deviceRect = painter->deviceTransform().mapRect(ToQRect(src));
    const QImage part = static_cast<const QImage*>(painter->device())->copy(deviceRect);
    if (Painter()) FPainter->drawImage(ToQRect(dest), part);
}

// Bitmaps.

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()), FCanvas(std::make_unique<TCanvas>()) {
    FCanvas->FBitmap = this;
}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { FCanvas->EndImagePainter(); }

TBitmap::TBitmap(const TBitmap& other) : TBitmap() { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other) return *this;
    FCanvas->EndImagePainter();
    other.FCanvas->EndImagePainter();
    FFormat = other.FFormat;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    *FImage = other.FImage->copy();
    Transparent = other.Transparent;
    TransparentColor = other.TransparentColor;
    return *this;
}

int TBitmap::Width() const { return FWidth; }

int TBitmap::Height() const { return FHeight; }

void TBitmap::SetWidth(int width) { Reformat(width, FHeight); }

void TBitmap::SetHeight(int height) { Reformat(FWidth, height); }

void TBitmap::SetSize(int width, int height) { Reformat(width, height); }

void TBitmap::Reformat(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == FWidth && height == FHeight) return;
    FCanvas->EndImagePainter();
    QImage next;
    if (width > 0 && height > 0) {
        next = QImage(width, height, QtFormat(FFormat));
        if (next.isNull()) throw Exception("Out of memory for a bitmap of " + std::to_string(width) + " x " +
                                           std::to_string(height));
        next.fill(0);
        const int bytesPerPixel = FFormat == TPixelFormat::pf24bit ? 3 : 4;
        const size_t rowBytes = size_t(std::min(width, FImage->width())) * bytesPerPixel;
        for (int y = 0; y < std::min(height, FImage->height()); ++y)
            std::memcpy(next.scanLine(y), FImage->constScanLine(y), rowBytes);
    }
    *FImage = std::move(next);
    FWidth = width;
    FHeight = height;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FFormat) return;
    FCanvas->EndImagePainter();
    FFormat = format;
    if (FImage->isNull()) return;
    // Byte by byte, so that no colour is blended with its alpha on the way.
    QImage next(FWidth, FHeight, QtFormat(format));
    for (int y = 0; y < FHeight; ++y) {
        const uint8_t* src = FImage->constScanLine(y);
        uint8_t* dst = next.scanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            if (format == TPixelFormat::pf32bit) {
                std::memcpy(dst + 4 * x, src + 3 * x, 3);
                dst[4 * x + 3] = 0xFF;
            } else {
                std::memcpy(dst + 3 * x, src + 4 * x, 3);
            }
        }
    }
    *FImage = std::move(next);
}

uint8_t* TBitmap::ScanLine(int y) {
    FCanvas->EndImagePainter();
    if (y < 0 || y >= FHeight || FImage->isNull()) throw Exception("Scan line index out of range");
    return FImage->scanLine(y);
}

const uint8_t* TBitmap::ScanLine(int y) const {
    FCanvas->EndImagePainter();
    if (y < 0 || y >= FHeight || FImage->isNull()) throw Exception("Scan line index out of range");
    return FImage->constScanLine(y);
}

TCanvas& TBitmap::Canvas() { return *FCanvas; }

TColor TBitmap::Pixel(int x, int y) const {
    FCanvas->EndImagePainter();
    if (!FImage->valid(x, y)) return kInvalidColor;
    const QRgb c = FImage->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    FCanvas->EndImagePainter();
    if (!FImage->valid(x, y)) return;
    const TColor c = ColorToRGB(color);
    FImage->setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
}

QImage& TBitmap::Image() {
    FCanvas->EndImagePainter();
    return *FImage;
}

const QImage& TBitmap::Image() const {
    FCanvas->EndImagePainter();
    return *FImage;
}

bool TBitmap::SavePng(const std::string& fileName) const {
    FCanvas->EndImagePainter();
    if (FImage->isNull()) return false;
    return FImage->save(QFile::decodeName(QByteArray::fromStdString(fileName)), "PNG");
}

void TBitmap::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

void TBitmap::SaveToFile(const std::string& fileName) const { WriteFileBytes(fileName, SaveToBytes()); }

// BMP files: a 14-byte file header, then an info header whose first field is
// its own size, an optional palette, and rows padded to 4 bytes, bottom row
// first unless the height is negative.

namespace {

constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

class TBmpReader {
public:
    explicit TBmpReader(const std::string& data) : FData(data) {}
    uint32_t U32(size_t at) const {
        Need(at, 4);
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(FData[at + i]);
        return v;
    }
    uint16_t U16(size_t at) const {
        Need(at, 2);
        return static_cast<uint16_t>(static_cast<uint8_t>(FData[at]) | (static_cast<uint8_t>(FData[at + 1]) << 8));
    }
    const uint8_t* Bytes(size_t at, uint64_t count) const {
        Need(at, count);
        return reinterpret_cast<const uint8_t*>(FData.data()) + at;
    }
    [[noreturn]] static void Fail() { throw Exception("Bitmap image is not valid"); }

private:
    void Need(uint64_t at, uint64_t count) const {
        if (at > FData.size() || count > FData.size() - at) Fail();
    }
    const std::string& FData;
};

}  // namespace

std::string TBitmap::SaveToBytes() const {
    FCanvas->EndImagePainter();
    const int bits = FFormat == TPixelFormat::pf24bit ? 24 : 32;
    const uint32_t rowSize = (uint32_t(FWidth) * bits + 31) / 32 * 4;
    const uint32_t imageSize = rowSize * uint32_t(FHeight);
    std::string out;
    out.reserve(54 + imageSize);
    out += "BM";
    PutLE(out, 54 + imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(FWidth), 4);
    PutLE(out, uint32_t(FHeight), 4);
    PutLE(out, 1, 2);
    PutLE(out, uint32_t(bits), 2);
    PutLE(out, kBiRgb, 4);
    PutLE(out, imageSize, 4);
    PutLE(out, 3780, 4);  // 96 dots per inch
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    const size_t used = size_t(FWidth) * (bits / 8);
    for (int y = FHeight - 1; y >= 0 && !FImage->isNull(); --y) {
        out.append(reinterpret_cast<const char*>(FImage->constScanLine(y)), used);
        out.append(rowSize - used, '\0');
    }
    return out;
}

void TBitmap::LoadFromBytes(const std::string& bmp) {
    const TBmpReader in(bmp);
    if (bmp.size() < 26 || bmp[0] != 'B' || bmp[1] != 'M') TBmpReader::Fail();
    const uint32_t dataOffset = in.U32(10);
    const uint32_t headerSize = in.U32(14);
    int64_t width, height;
    int bits;
    uint32_t compression = kBiRgb, colorsUsed = 0;
    size_t paletteEntry = 4;
    if (headerSize == 12) {
        width = in.U16(18);
        height = in.U16(20);
        if (in.U16(22) != 1) TBmpReader::Fail();
        bits = in.U16(24);
        paletteEntry = 3;
    } else if (headerSize >= 40) {
        width = int32_t(in.U32(18));
        height = int32_t(in.U32(22));
        if (in.U16(26) != 1) TBmpReader::Fail();
        bits = in.U16(28);
        compression = in.U32(30);
        colorsUsed = in.U32(46);
        in.Bytes(14, headerSize);
    } else {
        TBmpReader::Fail();
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width < 0 || width > 65535 || height > 65535) TBmpReader::Fail();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) TBmpReader::Fail();
    if (compression == kBiBitfields && bits == 32) {
        // Only the masks that describe plain B, G, R bytes; they follow the
        // 40-byte part of the header, inside it or not.
        const size_t masks = 54;
        if (in.U32(masks) != 0x00FF0000 || in.U32(masks + 4) != 0x0000FF00 || in.U32(masks + 8) != 0x000000FF)
            TBmpReader::Fail();
    } else if (compression != kBiRgb) {
        TBmpReader::Fail();
    }

    std::vector<QRgb> palette;
    if (bits <= 8) {
        const uint32_t count = colorsUsed ? colorsUsed : (1u << bits);
        if (count > 256) TBmpReader::Fail();
        const uint8_t* p = in.Bytes(14 + headerSize, uint64_t(count) * paletteEntry);
        for (uint32_t i = 0; i < count; ++i, p += paletteEntry) palette.push_back(qRgb(p[2], p[1], p[0]));
    }

    const uint64_t rowSize = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint8_t* pixels = in.Bytes(dataOffset, rowSize * uint64_t(height));
    const TPixelFormat format = bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    QImage image;
    if (width > 0 && height > 0) {
        image = QImage(int(width), int(height), QtFormat(format));
        if (image.isNull()) TBmpReader::Fail();
        for (int64_t row = 0; row < height; ++row) {
            const uint8_t* src = pixels + row * rowSize;
            uint8_t* dst = image.scanLine(int(topDown ? row : height - 1 - row));
            if (bits >= 24) {
                std::memcpy(dst, src, size_t(width) * (bits / 8));
                continue;
            }
            const int perByte = 8 / bits;
            const unsigned mask = (1u << bits) - 1;
            for (int64_t x = 0; x < width; ++x) {
                const int shift = 8 - bits * int(x % perByte + 1);
                const unsigned index = (src[x / perByte] >> shift) & mask;
                const QRgb c = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
                dst[3 * x] = uint8_t(qBlue(c));
                dst[3 * x + 1] = uint8_t(qGreen(c));
                dst[3 * x + 2] = uint8_t(qRed(c));
            }
        }
    }

    FCanvas->EndImagePainter();
    FFormat = format;
    FWidth = int(width);
    FHeight = int(height);
    *FImage = std::move(image);
}
