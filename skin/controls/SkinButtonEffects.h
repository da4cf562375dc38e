#pragma once
// What push and speed buttons share besides their bases: the morph between
// the normal and the active face, the frame animation, the click repeat while
// held, and the face drawn in each state.

#include <functional>
#include <string>

#include "skin/controls/SkinControlBases.h"

// A timer that runs only while needed; stopped when it goes.
class TqlControlTimer {
public:
    TqlControlTimer() = default;
    TqlControlTimer(const TqlControlTimer&) = delete;
    TqlControlTimer& operator=(const TqlControlTimer&) = delete;
    ~TqlControlTimer() { Stop(); }
    void Start(int IntervalMs, std::function<void()> OnTick);
    void Stop();
    bool Running() const { return FId != 0; }
    int Interval() const { return FInterval; }

private:
    int FId = 0;
    int FInterval = 0;
};

// What the effects ask of the button they serve.
class TqlButtonHost {
public:
    virtual ~TqlButtonHost() = default;
    // The face the morph heads for: the active one (true) or the normal one.
    virtual bool MorphTowardsActive() const = 0;
    // Skinned and the descriptor asks for morphing, with skin effects on.
    virtual bool MorphAllowed() const = 0;
    virtual void RepaintFace() = 0;
    virtual void ButtonClick() = 0;
};

// The descriptor values a button copies, with the fallbacks of empty state faces.
struct TqlButtonLook {
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect, FocusedSkinRect;
    bool Morphing = false;
    TqlMorphKind MorphKind = TqlMorphKind::mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool ShowFocus = false;
    TRect MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect, MenuMarkerFlatRect;
    TColor MenuMarkerTransparentColor = 0;
    void CopyFrom(const TqlDataSkinButtonControl& D);
    // The caption's colour in a state; DefaultColor when the skin's colours are not wanted.
    TColor TextColor(bool Enabled, bool AActive, bool ADown, bool UseSkinFontColor, TColor DefaultColor) const;
    // Frame n (1-based) of the animation strip, cut across or down as the strip lies.
    TRect AnimationFrame(int N, const TRect& SkinRect) const;
};

class TqlButtonEffects;
// While an animation plays, its frame stands in for the active face (forward)
// or the normal one (backward).
void ShowAnimationFrame(TqlButtonLook& Look, TRect& SkinRect, const TqlButtonEffects& Effects);

class TqlButtonEffects {
public:
    static constexpr int kMorphSteps = 5;
    static constexpr int kMorphInterval = 20;
    static constexpr int kFirstRepeatDelay = 500;

    explicit TqlButtonEffects(TqlButtonHost& Host) : FHost(Host) {}

    // Counted in whole steps so that the blend never drifts past either face.
    double MorphKf() const { return double(FMorphStep) / kMorphSteps; }
    void SetMorphKf(bool Active) { FMorphStep = Active ? kMorphSteps : 0; }
    bool Morphing() const { return FMorphStep > 0 && FMorphStep < kMorphSteps; }
    void StartMorph();
    void StopMorph() { FMorphTimer.Stop(); }
    // A button going down shows the active face at once; going up it fades back.
    void FollowDown(bool Down);
    bool MorphRunning() const { return FMorphTimer.Running(); }

    // Plays FrameCount frames every Interval ms; nothing without a frame to show.
    void StartAnimation(bool Forward, int FrameCount, int Interval);
    void StopAnimation();
    bool AnimationRunning() const { return FAnimateTimer.Running(); }
    int AnimateFrame() const { return FAnimateFrame; }
    bool AnimateForward() const { return FAnimateForward; }

    // The first repeat comes after 500 ms, then one every Interval ms.
    void StartRepeat(int Interval);
    void StopRepeat() { FRepeatTimer.Stop(); }
    bool RepeatRunning() const { return FRepeatTimer.Running(); }

private:
    void MorphTick();
    void AnimateTick();

    TqlButtonHost& FHost;
    int FMorphStep = 0;
    int FAnimateFrame = 0;
    int FFrameCount = 0;
    bool FAnimateForward = true;
    TqlControlTimer FMorphTimer, FAnimateTimer, FRepeatTimer;
};

// An empty glyph becomes the image of the action (Sender) in its list's
// images: the list's image size, on clFuchsia. False when nothing was taken.
bool TakeActionGlyph(TBitmap& Glyph, TObject* Sender);

// The cell of a glyph strip for a state: 1 normal, 2 disabled, 3 pressed, 4 active.
int GlyphNumFor(int NumGlyphs, bool Enabled, bool ADown, bool AActive);

// The skin's or the default font, in the character set of the skin's caption table.
void SelectButtonFont(TCanvas& C, const TqlButtonLook& Look, bool UseSkin, const TFont& DefaultFont,
                      const TqlSkinData* Skin);

// Whether Char is the character after the caption's single '&', in either case.
bool IsAccelerator(WPARAM Char, const std::string& Caption);

// The unskinned look of a button face: framed and filled by state; Flat has no frame.
enum class TqlPlainFace { Down, Idle, Hot, Flat };
void DrawPlainFace(TCanvas& C, const TRect& R, TqlPlainFace Face);

// Blends Active into Normal by Kf with the morph of Kind.
void MorphFaces(TBitmap& Normal, const TBitmap& Active, TqlMorphKind Kind, double Kf);
