// Drawing with the platform's pixel rules on top of QPainter. The painter is
// never antialiased and only ever translated by whole pixels, so a fill of
// QRect(x, y, w, h) covers exactly the pixels the platform's fill would, and
// lines are plotted here rather than left to Qt, whose end-point rule differs.

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

void TCanvas::ExcludeClipRect(const TRect& r) {
    if (r.IsEmpty()) return;
    // Unclipped means the whole device; any image this layer draws on lies
    // well inside this square.
    static const QRegion everywhere(QRect(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25));
    if (!FClip) FClip = std::make_unique<QRegion>(everywhere);
    *FClip = FClip->subtracted(QRegion(ToQRect(r).translated(FOrigin.X, FOrigin.Y)));
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

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.size() < 2 || FPen.Style == TPenStyle::psClear || !Painter()) return;
    if (FPen.Width > 1) {
        QPolygon polygon;
        for (const TPoint& p : points) polygon << QPoint(p.X, p.Y);
        FPainter->setPen(QPen(ToQColor(FPen.Color), FPen.Width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        FPainter->drawPolyline(polygon);
        return;
    }
    // One dash phase over all segments; each segment leaves out its end,
    // which the next one draws as its start.
    int phase = 0;
    const QColor color = ToQColor(FPen.Color);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        PlotLine(*FPainter, color, FPen.Style, points[i], points[i + 1], phase);
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

// Text turned about its reference point (x, y), the top-left corner of its
// cell, as a font with an escapement draws it.
void DrawTurnedTextRun(QPainter& p, const TBrush& brush, const QFontMetrics& fm, int x, int y, const QString& text,
                       int escapement) {
    if (escapement % 3600 == 0) {
        DrawTextRun(p, brush, fm, x, y, text);
        return;
    }
    p.save();
    p.translate(x, y);
    p.rotate(-escapement / 10.0);
    DrawTextRun(p, brush, fm, 0, 0, text);
    p.restore();
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
    const QString s = ToQString(text);
    const QFontMetrics fm(FFont.ToQFont());
    if (Painter()) {
        ApplyFont();
        DrawTurnedTextRun(*FPainter, FBrush, fm, x, y, s, FFont.Escapement());
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
    const TBrush clear{FBrush.Color, TBrushStyle::bsClear};
    DrawTurnedTextRun(*FPainter, clear, fm, x, y, ToQString(text), FFont.Escapement());
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
    // Right-to-left reading orders each line's runs from its right end.
    if (flags & DT_RTLREADING) FPainter->setLayoutDirection(Qt::RightToLeft);
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
