#pragma once
// The press rules push and speed buttons share: press, release, drag off,
// groups that keep one button down, the click repeat while held, and what the
// pointer coming and going does to the face.
//
//   input                                   Down    click
//   mouse down, ungrouped                   yes     -
//   mouse up over the button                no      one
//   mouse up elsewhere (dragged off)        no      none
//   mouse down, grouped, up                 yes     one, at the press
//   mouse down+up, grouped, down            yes     none (AllowAllUp: up, one)
//   held with RepeatMode                    yes     at 500 ms, then every RepeatInterval,
//                                                   paused while the pointer is off

#include "skin/controls/SkinButtonEffects.h"

// The settings of a button that its press rules read.
struct TqlPressRules {
    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
};

class TqlButtonPress;

// What the press rules ask of the button they serve, besides what its effects ask.
class TqlButtonPressHost : public TqlButtonHost {
public:
    virtual TqlPressRules PressRules() const = 0;
    // The press rules of Other when it is a button of the same kind.
    virtual TqlButtonPress* PeerPress(TControl* Other) = 0;
    // The descriptor asks for morphing and skin effects are on.
    virtual bool CanMorph() const = 0;
    virtual bool CanAnimate() const = 0;
    // A focused push button keeps its face while the pointer comes and goes.
    virtual bool KeepsFocusedFace() const { return false; }
};

class TqlButtonPress {
public:
    TqlButtonPress(TControl& Self, TqlButtonPressHost& Host, TqlButtonEffects& Effects, const TqlButtonLook& Look)
        : FSelf(Self), FHost(Host), FEffects(Effects), FLook(Look) {}

    bool Down = false;
    bool MouseIn = false;
    // The left button went down on this button and is not up yet.
    bool Pressed = false;

    // The morph follows; a grouped button going down raises the others of its group.
    void SetDown(bool Value);
    void Press();
    void Release(bool Over);
    void PointerEntered();
    // A lit default button stays lit (StayLit) when the pointer goes.
    void PointerLeft(bool StayLit);
    void EnabledChanged();
    // Before a skin change no effect may run on; after it a lit button shows
    // its active face at once.
    void BeforeSkinChange();
    void AfterSkinChange(bool Lit);
    void RedrawOrMorph();
    void Animate(bool Forward);
    void StopEffects();

private:
    void ReleaseGroup();
    void Click() { FHost.ButtonClick(); }

    TControl& FSelf;
    TqlButtonPressHost& FHost;
    TqlButtonEffects& FEffects;
    const TqlButtonLook& FLook;
    // A press on a grouped button that is already down; its release may raise it.
    bool FGroupReleaseArmed = false;
};
