#include "skin/controls/SkinButtonEffects.h"

#include <cctype>

#include "platform/gui/ActnList.h"
#include "platform/gui/Timers.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/core/qlEffects.h"
#include "skin/core/qlUtils.h"

void TqlControlTimer::Start(int IntervalMs, std::function<void()> OnTick) {
    Stop();
    FInterval = IntervalMs;
    FId = TTimerService::Instance().Start(IntervalMs, std::move(OnTick));
}

void TqlControlTimer::Stop() {
    if (FId) TTimerService::Instance().Stop(FId);
    FId = 0;
}

void TqlButtonLook::CopyFrom(const TqlDataSkinButtonControl& D) {
    FontName = D.FontName;
    FontHeight = D.FontHeight;
    FontStyle = D.FontStyle;
    FontColor = D.FontColor;
    ActiveFontColor = D.ActiveFontColor;
    DownFontColor = D.DownFontColor;
    DisabledFontColor = D.DisabledFontColor;
    ActiveSkinRect = RectIsEmpty(D.ActiveSkinRect) ? D.SkinRect : D.ActiveSkinRect;
    DownSkinRect = RectIsEmpty(D.DownSkinRect) ? ActiveSkinRect : D.DownSkinRect;
    DisabledSkinRect = D.DisabledSkinRect;
    FocusedSkinRect = D.FocusedSkinRect;
    Morphing = D.Morphing;
    MorphKind = D.MorphKind;
    AnimateSkinRect = D.AnimateSkinRect;
    FrameCount = D.FrameCount;
    AnimateInterval = D.AnimateInterval;
    ShowFocus = D.ShowFocus;
    MenuMarkerRect = D.MenuMarkerRect;
    MenuMarkerActiveRect = RectIsEmpty(D.MenuMarkerActiveRect) ? MenuMarkerRect : D.MenuMarkerActiveRect;
    MenuMarkerDownRect = RectIsEmpty(D.MenuMarkerDownRect) ? MenuMarkerActiveRect : D.MenuMarkerDownRect;
    MenuMarkerFlatRect = RectIsEmpty(D.MenuMarkerFlatRect) ? MenuMarkerRect : D.MenuMarkerFlatRect;
    MenuMarkerTransparentColor = D.MenuMarkerTransparentColor;
}

TColor TqlButtonLook::TextColor(bool Enabled, bool AActive, bool ADown, bool UseSkinFontColor,
                                TColor DefaultColor) const {
    if (Enabled && !UseSkinFontColor) return DefaultColor;
    if (!Enabled) return DisabledFontColor;
    if (ADown && AActive) return DownFontColor;
    return AActive ? ActiveFontColor : FontColor;
}

bool TakeActionGlyph(TBitmap& Glyph, TObject* Sender) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || !Glyph.Empty() || !action->ActionList()) return false;
    const TCustomImageList* images = action->ActionList()->Images();
    const int index = action->ImageIndex();
    if (!images || index < 0 || index >= images->Count()) return false;
    Glyph.SetSize(images->Width(), images->Height());
    TCanvas& C = Glyph.Canvas();
    C.Brush().Style = TBrushStyle::bsSolid;
    C.Brush().Color = clFuchsia;
    C.FillRect(Rect(0, 0, images->Width(), images->Height()));
    images->Draw(C, 0, 0, index);
    return true;
}

int GlyphNumFor(int NumGlyphs, bool Enabled, bool ADown, bool AActive) {
    if (AActive && ADown && NumGlyphs > 2) return 3;
    if (AActive && NumGlyphs > 3) return 4;
    if (Enabled || NumGlyphs < 2) return 1;
    return 2;
}

void SelectButtonFont(TCanvas& C, const TqlButtonLook& Look, bool UseSkin, const TFont& DefaultFont,
                      const TqlSkinData* Skin) {
    if (UseSkin) {
        C.Font().SetName(Look.FontName);
        C.Font().SetHeight(Look.FontHeight);
        C.Font().SetStyle(Look.FontStyle);
    } else {
        C.Font().Assign(DefaultFont);
    }
    const TqlResourceStrData* strings = Skin ? Skin->ResourceStrData() : nullptr;
    C.Font().SetCharset(strings ? strings->CharSet : DefaultFont.Charset());
}

TRect TqlButtonLook::AnimationFrame(int N, const TRect& SkinRect) const {
    const TRect& A = AnimateSkinRect;
    if (FrameCount < 1) return A;
    if (WidthOfRect(A) <= WidthOfRect(SkinRect)) {
        const int h = HeightOfRect(A) / FrameCount;
        return Rect(A.Left, A.Top + (N - 1) * h, A.Right, A.Top + N * h);
    }
    const int w = WidthOfRect(A) / FrameCount;
    return Rect(A.Left + (N - 1) * w, A.Top, A.Left + N * w, A.Bottom);
}

void ShowAnimationFrame(TqlButtonLook& Look, TRect& SkinRect, const TqlButtonEffects& Effects) {
    const int frame = Effects.AnimateFrame();
    if (!Effects.AnimationRunning() || frame < 1 || frame > Look.FrameCount) return;
    const TRect cut = Look.AnimationFrame(frame, SkinRect);
    if (Effects.AnimateForward())
        Look.ActiveSkinRect = cut;
    else
        SkinRect = cut;
}

void TqlButtonEffects::FollowDown(bool Down) {
    SetMorphKf(true);
    if (Down)
        StopMorph();
    else
        StartMorph();
}

void TqlButtonEffects::StartMorph() {
    if (!FMorphTimer.Running()) FMorphTimer.Start(kMorphInterval, [this] { MorphTick(); });
}

void TqlButtonEffects::MorphTick() {
    const bool active = FHost.MorphTowardsActive();
    if (!FHost.MorphAllowed()) {
        SetMorphKf(active);
        FMorphTimer.Stop();
        return;
    }
    if (active && FMorphStep < kMorphSteps) {
        ++FMorphStep;
    } else if (!active && FMorphStep > 0) {
        --FMorphStep;
    } else {
        SetMorphKf(active);
        FMorphTimer.Stop();
    }
    FHost.RepaintFace();
}

void TqlButtonEffects::StartAnimation(bool Forward, int FrameCount, int Interval) {
    StopAnimation();
    // A strip that cannot be cut into frames is not played.
    if (FrameCount < 1) return;
    FFrameCount = FrameCount;
    FAnimateForward = Forward;
    FAnimateFrame = Forward ? 1 : FrameCount;
    FAnimateTimer.Start(Interval > 0 ? Interval : 1, [this] { AnimateTick(); });
}

void TqlButtonEffects::StopAnimation() {
    FAnimateTimer.Stop();
    FAnimateFrame = 0;
}

void TqlButtonEffects::AnimateTick() {
    if (FAnimateForward ? FAnimateFrame > FFrameCount : FAnimateFrame < 1) {
        StopAnimation();
        FHost.RepaintFace();
        return;
    }
    FAnimateFrame += FAnimateForward ? 1 : -1;
    FHost.RepaintFace();
}

void TqlButtonEffects::StartRepeat(int Interval) {
    FRepeatTimer.Start(kFirstRepeatDelay, [this, Interval] {
        if (FRepeatTimer.Interval() == kFirstRepeatDelay && Interval != kFirstRepeatDelay)
            FRepeatTimer.Start(Interval > 0 ? Interval : 1, [this] { FHost.ButtonClick(); });
        FHost.ButtonClick();
    });
}

bool IsAccelerator(WPARAM Char, const std::string& Caption) { return IsAccel(Char, Caption); }

void DrawPlainFace(TCanvas& C, const TRect& R, TqlPlainFace Face) {
    constexpr TColor kDownFrame = 0x800000;  // RGB(0, 0, 128)
    constexpr TColor kDownFill = 0xB59385;   // RGB(133, 147, 181)
    constexpr TColor kHotFill = 0xD2BDB6;    // RGB(182, 189, 210)
    C.Brush().Style = TBrushStyle::bsSolid;
    C.Brush().Color = Face == TqlPlainFace::Down ? kDownFill : Face == TqlPlainFace::Hot ? kHotFill : clBtnFace;
    C.FillRect(R);
    if (Face == TqlPlainFace::Flat) return;
    C.Brush().Color = Face == TqlPlainFace::Idle ? clBtnShadow : kDownFrame;
    C.FrameRect(R);
}

void MorphFaces(TBitmap& Normal, const TBitmap& Active, TqlMorphKind Kind, double Kf) {
    TqlEffectBmp result(Normal);
    const TqlEffectBmp source(Active);
    switch (Kind) {
        case TqlMorphKind::mkGradient: result.MorphGradient(source, Kf); break;
        case TqlMorphKind::mkLeftGradient: result.MorphLeftGradient(source, Kf); break;
        case TqlMorphKind::mkRightGradient: result.MorphRightGradient(source, Kf); break;
        case TqlMorphKind::mkLeftSlide: result.MorphLeftSlide(source, Kf); break;
        case TqlMorphKind::mkRightSlide: result.MorphRightSlide(source, Kf); break;
        case TqlMorphKind::mkPush: result.MorphPush(source, Kf); break;
        default: result.Morph(source, Kf); break;
    }
    result.CopyTo(Normal);
}
