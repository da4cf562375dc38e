// Measuring, fitting and drawing single captions.

#include "platform/core/TextCodec.h"
#include "skin/core/qlUtils.h"

bool IsNTPlatform = true;

int DrawTextPlatform(TCanvas& Canvas, const std::u16string& S, TRect& R, unsigned Flags) {
    // Both calls end in the canvas's 8-bit drawing; the system code page of
    // this platform is UTF-8, so the two conversions agree.
    const std::string bytes = FromUtf16(S);
    return Canvas.DrawText(bytes, R, Flags);
}

int MeasureTextWidthW(TCanvas& Canvas, const std::u16string& S) {
    TRect R;
    DrawTextPlatform(Canvas, S, R, DT_CALCRECT);
    return WidthOfRect(R);
}

int MeasureTextHeightW(TCanvas& Canvas, const std::u16string& S) {
    TRect R;
    DrawTextPlatform(Canvas, S, R, DT_CALCRECT);
    return HeightOfRect(R);
}

namespace {

// Where each character of the program's 8-bit text starts: UTF-8 sequences
// when the text is valid UTF-8, else code page 936 lead and trail byte pairs.
std::vector<size_t> CharacterStarts(const std::string& s) {
    std::vector<size_t> starts;
    const bool utf8 = IsValidUtf8(s);
    for (size_t i = 0; i < s.size();) {
        starts.push_back(i);
        const auto c = static_cast<unsigned char>(s[i]);
        if (utf8) {
            i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        } else {
            i += (c >= 0x81 && c <= 0xFE && i + 1 < s.size()) ? 2 : 1;
        }
    }
    return starts;
}

bool IsTrailSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

void FitTextEllipsisW(TCanvas& Canvas, std::u16string& S, int MaxWidth) {
    if (MeasureTextWidthW(Canvas, S) <= MaxWidth) return;
    const std::u16string dots = u"...";
    while (!S.empty()) {
        const bool pair = S.size() >= 2 && IsTrailSurrogate(S.back());
        S.resize(S.size() - (pair ? 2 : 1));
        if (MeasureTextWidthW(Canvas, S + dots) <= MaxWidth) break;
    }
    S += dots;
}

void FitTextEllipsis(TCanvas& Canvas, std::string& S, int MaxWidth) {
    if (Canvas.TextWidth(S) <= MaxWidth) return;
    std::vector<size_t> starts = CharacterStarts(S);
    while (!starts.empty()) {
        S.resize(starts.back());
        starts.pop_back();
        if (Canvas.TextWidth(S + "...") <= MaxWidth) break;
    }
    S += "...";
}

void DrawTextVCentered(TCanvas& Canvas, const std::string& S, const TRect& R) {
    if (S.empty()) return;
    TRect r = R;
    Canvas.DrawText(S, r, DT_SINGLELINE | DT_VCENTER);
}

void TextRectVCentered(TCanvas& Canvas, const std::string& S, const TRect& R) {
    TextRectVCenteredOffset(Canvas, S, R, 0);
}

void TextRectVCenteredOffset(TCanvas& Canvas, const std::string& S, const TRect& R, int Offset) {
    if (S.empty()) return;
    const int y = R.Top + HeightOfRect(R) / 2 - Canvas.TextHeight(S) / 2;
    Canvas.TextRect(R, R.Left + 2 + Offset, y, S);
}
