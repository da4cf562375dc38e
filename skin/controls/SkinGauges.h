#pragma once
// The skinned progress gauge: a bar between MinValue and MaxValue filled up
// to Value from the skin's bar picture, with an optional caption of
// ProgressText and the percentage, and an optional frame animation that runs
// over the filled part at intervals once a caller starts it.

#include <functional>
#include <memory>
#include <string>

#include "platform/gui/Timers.h"
#include "skin/controls/SkinControlBases.h"

using TqlGaugePaintEvent =
    std::function<void(TObject* Sender, TCanvas& Cnvs, const TRect& AProgressArea, const TRect& AProgressRect)>;

class TqlSkinGauge : public TqlSkinCustomControl {
public:
    explicit TqlSkinGauge(TComponent* AOwner);
    ~TqlSkinGauge() override;

    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int Value() const { return FValue; }
    void SetValue(int AValue);
    virtual int GetValue() const { return FValue; }
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);
    std::string ProgressText() const { return FProgressText; }
    void SetProgressText(const std::string& Value);
    bool ShowPercent() const { return FShowPercent; }
    void SetShowPercent(bool Value);
    bool ShowProgressText() const { return FShowProgressText; }
    void SetShowProgressText(bool Value);
    bool UseSkinSize = true;
    int ProgressAnimationPause() const { return FProgressAnimationPause; }
    void SetProgressAnimationPause(int Value);
    TqlGaugePaintEvent OnGaugePaint;

    // How much of the range Value covers, 0..1; 0 for an empty or reversed range.
    double Fraction() const;
    // The part of Area that the bar covers.
    TRect BarRect(const TRect& Area) const;
    // ProgressText and the percentage, as shown.
    std::string CaptionText() const;
    // The whole percentage of the range that the value has reached.
    int Percent() const;
    // The progress area mapped to the control's size.
    TRect ProgressArea() const { return FNewProgressArea; }
    int AnimationFrame() const { return FFrame; }

    void StartProgressAnimation();
    void StopProgressAnimation();
    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& W, int& H) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void WMEraseBkgnd(TMessage& M) override;

private:
    void DrawCaption(TCanvas& C, int W, int H) const;
    void DrawBar(TCanvas& C, const TRect& Bar) const;
    TRect FrameSource() const;
    void BeginRun();
    void NextFrame();

    int FMinValue = 0, FMaxValue = 100, FValue = 50;
    bool FVertical = false;
    std::string FProgressText;
    bool FShowPercent = false, FShowProgressText = false;
    int FProgressAnimationPause = 3000;

    // Copied from a gauge descriptor.
    TRect FProgressArea, FProgressRect, FNewProgressArea;
    int FBeginOffset = 0, FEndOffset = 0;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = clBtnText;
    bool FProgressTransparent = false;
    TColor FProgressTransparentColor = clNone;
    bool FProgressStretch = false;
    TRect FAnimationRect;
    int FAnimationFrames = 0, FAnimationInterval = 0;

    int FFrame = 0;
    std::unique_ptr<TTimer> FPauseTimer, FFrameTimer;
};
