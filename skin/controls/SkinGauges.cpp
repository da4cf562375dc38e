#include "skin/controls/SkinGauges.h"

#include <algorithm>

#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinRange.h"

TqlSkinGauge::TqlSkinGauge(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    SetSkinDataName("gauge");
    SetBounds(Left(), Top(), 100, 20);
}

TqlSkinGauge::~TqlSkinGauge() { StopProgressAnimation(); }

void TqlSkinGauge::SetMinValue(int Value) {
    FMinValue = Value;
    if (FValue < FMinValue) FValue = FMinValue;
    Invalidate();
}

void TqlSkinGauge::SetMaxValue(int Value) {
    FMaxValue = Value;
    if (FValue > FMaxValue) FValue = FMaxValue;
    Invalidate();
}

void TqlSkinGauge::SetValue(int AValue) {
    const int clamped = std::max(FMinValue, std::min(AValue, FMaxValue));
    if (clamped == FValue) return;
    FValue = clamped;
    Invalidate();
}

void TqlSkinGauge::SetVertical(bool Value) {
    FVertical = Value;
    Invalidate();
}

void TqlSkinGauge::SetProgressText(const std::string& Value) {
    FProgressText = Value;
    Invalidate();
}

void TqlSkinGauge::SetShowPercent(bool Value) {
    FShowPercent = Value;
    Invalidate();
}

void TqlSkinGauge::SetShowProgressText(bool Value) {
    FShowProgressText = Value;
    Invalidate();
}

void TqlSkinGauge::SetProgressAnimationPause(int Value) {
    if (Value >= 0) FProgressAnimationPause = Value;
}

double TqlSkinGauge::Fraction() const { return RangeFraction(GetValue(), FMinValue, FMaxValue); }

TRect TqlSkinGauge::BarRect(const TRect& Area) const {
    TRect r = Area;
    const double f = Fraction();
    if (FVertical)
        r.Top = r.Bottom - int((Area.Bottom - Area.Top) * f);
    else
        r.Right = r.Left + int((Area.Right - Area.Left) * f);
    return r;
}

int TqlSkinGauge::Percent() const {
    // In whole numbers: a share like 29/100 has no exact binary fraction, and
    // its hundredfold would truncate to 28.
    const int64_t span = static_cast<int64_t>(FMaxValue) - FMinValue;
    if (span <= 0) return 0;
    const int64_t reached = std::clamp<int64_t>(static_cast<int64_t>(GetValue()) - FMinValue, 0, span);
    return static_cast<int>(reached * 100 / span);
}

std::string TqlSkinGauge::CaptionText() const {
    std::string text = FShowProgressText ? FProgressText : std::string();
    if (FShowPercent) text += std::to_string(Percent()) + "%";
    return text;
}

void TqlSkinGauge::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    if (FIndex == -1) return;
    auto* d = dynamic_cast<const TqlDataSkinGaugeControl*>(Descriptor());
    if (!d) return;
    FVertical = d->Vertical;
    FProgressRect = d->ProgressRect;
    FProgressArea = d->ProgressArea;
    FBeginOffset = d->BeginOffset;
    FEndOffset = d->EndOffset;
    FontName = d->FontName;
    FontHeight = d->FontHeight;
    FontStyle = d->FontStyle;
    FontColor = d->FontColor;
    FProgressTransparent = d->ProgressTransparent;
    FProgressTransparentColor = d->ProgressTransparentColor;
    FProgressStretch = d->ProgressStretch;
    FAnimationRect = d->ProgressAnimationSkinRect;
    FAnimationFrames = d->ProgressAnimationCountFrames;
    FAnimationInterval = d->ProgressAnimationTimerInterval;
    if (!UseSkinSize) MaskPicture = nullptr;
}

void TqlSkinGauge::ChangeSkinData() {
    if (!FFrameTimer) {
        TqlSkinCustomControl::ChangeSkinData();
        return;
    }
    StopProgressAnimation();
    TqlSkinCustomControl::ChangeSkinData();
    StartProgressAnimation();
}

void TqlSkinGauge::CalcSize(int& W, int& H) {
    if (UseSkinSize)
        TqlSkinCustomControl::CalcSize(W, H);
    else
        CalcFreeSize(W, H);
    FNewProgressArea = FProgressArea;
    if (GetResizeMode() <= 0) return;
    if (FVertical)
        FNewProgressArea.Bottom += H - (SkinRect.Bottom - SkinRect.Top);
    else
        FNewProgressArea.Right += W - (SkinRect.Right - SkinRect.Left);
}

void TqlSkinGauge::DrawCaption(TCanvas& C, int W, int H) const {
    const std::string text = CaptionText();
    if (text.empty()) return;
    SelectSkinFont(C, FontName, FontHeight, FontStyle, UseSkinFont && FIndex != -1, DefaultFont(), SkinData());
    if (FIndex != -1) C.Font().SetColor(FontColor);
    C.Brush().Style = TBrushStyle::bsClear;
    const int tw = C.TextWidth(text), th = C.TextHeight(text);
    if (!FVertical) {
        C.TextOut(W / 2 - tw / 2, H / 2 - th / 2, text);
        return;
    }
    C.Font().SetEscapement(900);
    C.TextOut(W / 2 - th / 2, H / 2 + tw / 2, text);
    C.Font().SetEscapement(0);
}

// The frame's cell of the animation strip, or the still bar picture.
TRect TqlSkinGauge::FrameSource() const {
    if (FFrame <= 0 || FAnimationFrames <= 0) return FProgressRect;
    TRect r = FAnimationRect;
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    if (w <= h) {
        const int cell = h / FAnimationFrames;
        r.Top += (FFrame - 1) * cell;
        r.Bottom = r.Top + cell;
    } else {
        const int cell = w / FAnimationFrames;
        r.Left += (FFrame - 1) * cell;
        r.Right = r.Left + cell;
    }
    return r;
}

void TqlSkinGauge::DrawBar(TCanvas& C, const TRect& Bar) const {
    const int bw = Bar.Right - Bar.Left, bh = Bar.Bottom - Bar.Top;
    const int along = FVertical ? bh : bw;
    if (along - FBeginOffset - FEndOffset < 1 || !Picture) return;
    const TRect src = FrameSource();
    TBitmap bar(bw, bh);
    const bool stretch = FProgressStretch || FFrame > 0;
    if (FVertical)
        BuildVThreePart(FBeginOffset, FEndOffset, bar, *Picture, src, bw, bh, stretch);
    else
        BuildHThreePart(FBeginOffset, FEndOffset, bar, *Picture, src, bw, bh, stretch);
    bar.Transparent = FProgressTransparent;
    bar.TransparentColor = FProgressTransparentColor;
    C.Draw(Bar.Left, Bar.Top, bar);
}

void TqlSkinGauge::CreateControlSkinImage(TBitmap& B) {
    int W = B.Width(), H = B.Height();
    TqlSkinCustomControl::CreateControlSkinImage(B);
    CalcSize(W, H);
    const TRect bar = BarRect(FNewProgressArea);
    if (OnGaugePaint) {
        OnGaugePaint(this, B.Canvas(), FNewProgressArea, bar);
        return;
    }
    if (bar.Right > bar.Left && bar.Bottom > bar.Top) DrawBar(B.Canvas(), bar);
    if (UseSkinSize) DrawCaption(B.Canvas(), W, H);
}

void TqlSkinGauge::CreateControlDefaultImage(TBitmap& B) {
    TCanvas& C = B.Canvas();
    const int W = Width(), H = Height();
    C.Brush().Color = clWindow;
    C.Brush().Style = TBrushStyle::bsSolid;
    C.FillRect(Rect(0, 0, W, H));
    C.Brush().Color = clBtnShadow;
    C.FrameRect(Rect(0, 0, W, H));
    const TRect area = Rect(1, 1, W - 1, H - 1);
    const TRect bar = BarRect(area);
    if (OnGaugePaint) {
        OnGaugePaint(this, C, area, bar);
        return;
    }
    if (bar.Right > bar.Left && bar.Bottom > bar.Top) {
        C.Brush().Color = TColor(0xD2BDB6);
        C.FillRect(bar);
    }
    DrawCaption(C, W, H);
}

// Stretched to a size of its own, the gauge is built at the skin's size and
// scaled, and the caption is written on the scaled picture so it stays sharp.
void TqlSkinGauge::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (FIndex == -1 || UseSkinSize) {
        int W = Width(), H = Height();
        CalcSize(W, H);
        TqlSkinCustomControl::Paint();
        return;
    }
    const int sw = SkinRect.Right - SkinRect.Left, sh = SkinRect.Bottom - SkinRect.Top;
    if (sw < 1 || sh < 1) return;
    // The picture's points mapped to the skin's own size, not the control's.
    int W = sw, H = sh;
    CalcGeometry(W, H, true);
    TBitmap own(sw, sh);
    BuildFace(own, SkinRect, sw, sh, true);
    FNewProgressArea = FProgressArea;
    const TRect bar = BarRect(FNewProgressArea);
    if (OnGaugePaint)
        OnGaugePaint(this, own.Canvas(), FNewProgressArea, bar);
    else if (bar.Right > bar.Left && bar.Bottom > bar.Top)
        DrawBar(own.Canvas(), bar);
    TBitmap B(Width(), Height());
    B.Canvas().StretchDraw(Rect(0, 0, Width(), Height()), own);
    if (!OnGaugePaint) DrawCaption(B.Canvas(), Width(), Height());
    Canvas().Draw(0, 0, B);
}

void TqlSkinGauge::WMEraseBkgnd(TMessage& M) { PaintOnErase(M); }

void TqlSkinGauge::StartProgressAnimation() {
    if (FIndex == -1 || RectIsEmpty(FAnimationRect)) return;
    StopProgressAnimation();
    FPauseTimer = std::make_unique<TTimer>(nullptr);
    FPauseTimer->SetInterval(FProgressAnimationPause);
    FPauseTimer->OnTimer = [this](TObject*) { BeginRun(); };
    FFrameTimer = std::make_unique<TTimer>(nullptr);
    FFrameTimer->SetEnabled(false);
    FFrameTimer->SetInterval(FAnimationInterval);
    FFrameTimer->OnTimer = [this](TObject*) { NextFrame(); };
    BeginRun();
}

void TqlSkinGauge::StopProgressAnimation() {
    FFrame = 0;
    FPauseTimer.reset();
    FFrameTimer.reset();
}

void TqlSkinGauge::BeginRun() {
    FPauseTimer->SetEnabled(false);
    FFrame = 0;
    FFrameTimer->SetEnabled(true);
    Invalidate();
}

void TqlSkinGauge::NextFrame() {
    ++FFrame;
    if (FFrame > FAnimationFrames) {
        FFrame = 0;
        FPauseTimer->SetEnabled(true);
        FFrameTimer->SetEnabled(false);
    }
    Invalidate();
}
